#include "core/startup_hooks.h"

#include "core/dm_all.h"
#include "core/modules.h"

#include <utility>

namespace tarix::core {

void appendStep(std::function<void()> &hook, std::function<void()> step)
{
    if (!step)
        return;
    if (!hook) {
        hook = std::move(step);
        return;
    }
    hook = [before = std::move(hook), step = std::move(step)] {
        before();
        step();
    };
}

void registerSubsystem(StartupHooks &hooks)
{
    registerModules();
    appendStep(hooks.afterDataModules, [] { DMA().Registruj_tabulky(); });
}

} // namespace tarix::core
