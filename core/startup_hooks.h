#pragma once
// What the subsystems contribute to start-up, and their registration: each subsystem has
// one registerSubsystem(hooks) that declares its data modules, commands and reports and
// adds its start-up steps here; app/main.cpp calls them in the subsystems' order.
#include <functional>

namespace tarix::core {

// What the layers above the core contribute to start-up. The app wires them up, so
// that the core never depends on the subsystems built on it. The data modules come from
// the module registry, where each subsystem declared them before start-up.
struct StartupHooks {
    // Called once the data modules exist, before the main window (the table registry is
    // filled here).
    std::function<void()> afterDataModules;
    // Reads the calculation's settings from TRX.INI after the main window is shown.
    std::function<void()> readCalculationSettings;
};

// Adds a step to a hook, after the steps it already has.
void appendStep(std::function<void()> &hook, std::function<void()> step);

// The core's part: its data modules (TDM, TDMZ, TDMP) and the table registry filled once
// every subsystem's modules exist.
void registerSubsystem(StartupHooks &hooks);

} // namespace tarix::core
