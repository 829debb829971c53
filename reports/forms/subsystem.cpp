#include "reports/forms/subsystem.h"

#include "reports/forms/payroll_print.h"
#include "reports/payslips/vyplatna_paska.h"
#include "reports/sheets/mzdove_listy.h"

namespace tarix::reports {

void registerSubsystem(core::StartupHooks &hooks)
{
    registerCommands();
    core::appendStep(hooks.afterDataModules, [] { Registruj_vyplatne_pasky(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_mzdove_listy(); });
}

} // namespace tarix::reports
