#pragma once
// The one list of the program's data modules. Each subsystem declares its modules (their
// creator and destroyer) in its register function, and the app calls those functions in
// the subsystems' order; start-up then creates the modules in that order and the end of a
// run destroys them in reverse.
//
// The registry also knows every module that exists, in the order it was created, so that
// the table registry and the windows reach the tables the modules hand over without naming
// one.
#include "core/data_module.h"

#include <functional>
#include <vector>

namespace tarix::core {

class ModuleRegistry {
public:
    using Step = std::function<void()>;

    // Declares a module after the ones declared before it.
    void add(Step create, Step destroy);
    // Creates the declared modules in the order declared (one that exists is kept).
    void createAll() const;
    // Destroys the declared modules in reverse order.
    void destroyAll() const;
    // Forgets the declarations; existing modules stay.
    void clear() { m_declared.clear(); }

    // The data modules that exist, in the order they were created.
    const std::vector<DataModule *> &modules() const { return m_modules; }
    // The tables those modules hand to the core, each list in the order the modules were
    // created (a module not created hands over nothing).
    WatchedTables watchedTables() const;

private:
    friend class DataModule;
    void enrol(DataModule *module);
    void withdraw(DataModule *module);

    struct Declared {
        Step create;
        Step destroy;
    };
    std::vector<Declared> m_declared;
    std::vector<DataModule *> m_modules;
};

// The process-wide registry.
ModuleRegistry &moduleRegistry();

} // namespace tarix::core
