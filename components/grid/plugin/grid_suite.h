#pragma once
// The start-up and shut-down of the grid plug-in suite: the registry is created with its two
// bases, then the additional, state and standard suites register their classes; shut-down
// unregisters them in the reverse order and frees the registry last.
#include "core/startup_hooks.h"

namespace tarix::grid {

// Starts the suite (a second start while it runs does nothing).
void startGridSuite();
// Ends it (nothing when it does not run).
void stopGridSuite();

// Scoped start and stop, for a test or a program.
class GridSuite {
public:
    GridSuite() { startGridSuite(); }
    ~GridSuite() { stopGridSuite(); }
    GridSuite(const GridSuite &) = delete;
    GridSuite &operator=(const GridSuite &) = delete;
};

// The program's part: the suite starts at once and stops when the application ends. No
// window uses it; its classes stand registered for the grids that will.
void registerSubsystem(core::StartupHooks &hooks);

} // namespace tarix::grid
