#include "reports/forms/subsystem.h"

#include "core/forms/employee_card.h"
#include "core/forms/main_menu.h"
#include "reports/certificates/potvrdenia.h"
#include "reports/documents/pracovne_dokumenty.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/forms/settlement_print.h"
#include "reports/health/zdravotne_vykazy.h"
#include "reports/lists/zoznamy_vyplat.h"
#include "reports/payslips/report_payslip.h"
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
    core::appendStep(hooks.afterDataModules, [] { registerPayslips(); });
    core::appendStep(hooks.afterDataModules, [] { registerSocialStatements(); });
    core::appendStep(hooks.afterDataModules, [] { registerPayrollLists(); });
    core::appendStep(hooks.afterDataModules, [] { registerWageSheets(); });
    core::appendStep(hooks.afterDataModules, [] { registerHealthStatements(); });
    core::appendStep(hooks.afterDataModules, [] { registerAnnualSettlement(); });
    core::appendStep(hooks.afterDataModules, [] { registerCertificates(); });
    core::appendStep(hooks.afterDataModules, [] { registerTaxReturns(); });
    core::appendStep(hooks.afterDataModules, [] { registerWorkDocuments(); });
    core::appendStep(hooks.afterDataModules, [] { registerRecaps(); });
}

} // namespace tarix::reports
