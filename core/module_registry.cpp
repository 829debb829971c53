#include "core/module_registry.h"

#include "core/data_module.h"

#include <algorithm>
#include <ranges>

namespace tarix::core {

void ModuleRegistry::add(Step create, Step destroy)
{
    m_declared.push_back({std::move(create), std::move(destroy)});
}

void ModuleRegistry::createAll() const
{
    for (const Declared &d : m_declared)
        if (d.create)
            d.create();
}

void ModuleRegistry::destroyAll() const
{
    // A later module may hold links into an earlier one (the payroll module's settlements
    // follow the employee grid), so the later one goes first.
    for (const Declared &d : std::views::reverse(m_declared))
        if (d.destroy)
            d.destroy();
}

WatchedTables ModuleRegistry::watchedTables() const
{
    WatchedTables all;
    auto append = [](std::vector<db::Table *> &to, const std::vector<db::Table *> &from) {
        to.insert(to.end(), from.begin(), from.end());
    };
    for (const DataModule *m : m_modules) {
        const WatchedTables &own = m->watchedTables();
        append(all.firm, own.firm);
        append(all.guarded, own.guarded);
        append(all.droppedOnStartPage, own.droppedOnStartPage);
        append(all.followingEmployee, own.followingEmployee);
    }
    return all;
}

void ModuleRegistry::enrol(DataModule *module) { m_modules.push_back(module); }

void ModuleRegistry::withdraw(DataModule *module)
{
    m_modules.erase(std::remove(m_modules.begin(), m_modules.end(), module), m_modules.end());
}

ModuleRegistry &moduleRegistry()
{
    // Never destroyed: a module left at exit is destroyed with its static holder, after
    // function statics are gone, and still withdraws itself here.
    static auto *registry = new ModuleRegistry;
    return *registry;
}

} // namespace tarix::core
