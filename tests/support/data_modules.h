#pragma once
// The process-wide data modules a test works with, created in the program's order (the
// core's TDM, TDMZ and TDMP, then those of the layers above it, as app/main.cpp lists
// them) and destroyed in the reverse order, as the program ends.
#include <functional>
#include <vector>

namespace tarix::test {

struct ModuleSteps {
    std::function<void()> create;
    std::function<void()> destroy;
};

// TDM alone, and the core's three modules in the program's order.
std::vector<ModuleSteps> mainModule();
std::vector<ModuleSteps> coreModules();

class DataModules {
public:
    DataModules() = default;
    DataModules(const DataModules &) = delete;
    DataModules &operator=(const DataModules &) = delete;
    ~DataModules();

    // Creates the modules in order; with registerTables the table registry is filled
    // afterwards, as start-up does.
    void create(std::vector<ModuleSteps> modules, bool registerTables);
    // Declares the modules as the program's module list, which start-up creates in order;
    // they count as made here, so that destroy() frees them. `registered`: start-up fills
    // the table registry.
    void handOver(std::vector<ModuleSteps> modules, bool registered);
    // Destroys the modules in reverse order and forgets the module list; a filled registry
    // is filled again, so that it keeps no table of a destroyed module.
    void destroy();

private:
    std::vector<ModuleSteps> m_modules;
    bool m_registered = false;
};

} // namespace tarix::test
