#include "reports/forms/subsystem.h"

#include "core/forms/karta_zam.h"
#include "core/forms/main_menu.h"
#include "reports/certificates/potvrdenia.h"
#include "reports/documents/pracovne_dokumenty.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/forms/settlement_print.h"
#include "reports/health/zdravotne_vykazy.h"
#include "reports/lists/zoznamy_vyplat.h"
#include "reports/payslips/vyplatna_paska.h"
#include "reports/settlement/rocne_zuctovanie.h"
#include "reports/recap/rekapitulacie.h"
#include "reports/social/socialne_vykazy.h"
#include "reports/sheets/mzdove_listy.h"
#include "reports/taxreport/danove_hlasenia.h"

namespace tarix::reports {

void registerSubsystem(core::StartupHooks &hooks)
{
    registerCommands();
    registerSettlementPrints(payroll::settlementPrintCommands());
    // The main menu's report items; a report whose routine is not registered answers
    // with the dispatcher's "not available" text.
    registerLauncherCommands(core::mainMenuCommands());
    registerLauncherCommands(core::cardPrintCommands());
    core::appendStep(hooks.afterDataModules, [] { Registruj_vyplatne_pasky(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_socialne_vykazy(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_zoznamy_vyplat(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_mzdove_listy(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_zdravotne_vykazy(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_rocne_zuctovanie(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_potvrdenia(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_danove_hlasenia(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_pracovne_dokumenty(); });
    core::appendStep(hooks.afterDataModules, [] { Registruj_rekapitulacie(); });
}

} // namespace tarix::reports
