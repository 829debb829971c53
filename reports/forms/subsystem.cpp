#include "reports/forms/subsystem.h"

#include "reports/forms/payroll_print.h"
#include "reports/lists/zoznamy_vyplat.h"
#include "reports/payslips/vyplatna_paska.h"

namespace tarix::reports {

void registerSubsystem(core::StartupHooks &hooks)
{
    registerCommands();
    core::appendStep(hooks.afterDataModules, [] { Registruj_vyplatne_pasky(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_zoznamy_vyplat(); });
}

} // namespace tarix::reports
