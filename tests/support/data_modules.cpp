#include "support/data_modules.h"

#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/module_registry.h"

namespace tarix::test {

std::vector<ModuleSteps> mainModule()
{
    return {{core::createDM, core::destroyDM}};
}

std::vector<ModuleSteps> coreModules()
{
    return {{core::createDM, core::destroyDM},
            {core::createDMZ, core::destroyDMZ},
            {core::createDMP, core::destroyDMP}};
}

void DataModules::create(std::vector<ModuleSteps> modules, bool registerTables)
{
    destroy();
    for (const ModuleSteps &m : modules) {
        m.create();
        m_modules.push_back(m);
    }
    m_registered = registerTables;
    if (registerTables)
        core::DMA().Registruj_tabulky();
}

void DataModules::handOver(std::vector<ModuleSteps> modules, bool registered)
{
    destroy();
    core::moduleRegistry().clear();
    for (const ModuleSteps &m : modules)
        core::moduleRegistry().add(m.create, m.destroy);
    m_modules = std::move(modules);
    m_registered = registered;
}

DataModules::~DataModules()
{
    try {
        destroy();
    } catch (const std::exception &e) {
        qWarning("The data modules were not all destroyed: %s", e.what());
    }
}

void DataModules::destroy()
{
    if (m_modules.empty())
        return;
    for (auto m = m_modules.rbegin(); m != m_modules.rend(); ++m)
        m->destroy();
    m_modules.clear();
    // Modules a subsystem declared meanwhile (start-up created them) go as well.
    core::moduleRegistry().destroyAll();
    core::moduleRegistry().clear();
    if (m_registered)
        core::DMA().Registruj_tabulky();
    m_registered = false;
}

} // namespace tarix::test
