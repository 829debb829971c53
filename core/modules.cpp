#include "core/modules.h"

#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/module_registry.h"

namespace tarix::core {

void registerModules()
{
    ModuleRegistry &registry = moduleRegistry();
    registry.add(createDM, destroyDM);
    registry.add(createDMZ, destroyDMZ);
    registry.add(createDMP, destroyDMP);
}

} // namespace tarix::core
