#include "filings/forms/subsystem.h"

#include "core/commands.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/forms/main_menu.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/unicode_utils.h"
#include "core/module_registry.h"
#include "core/startup_hooks.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/form_csv1.h"
#include "filings/forms/form_hp1.h"
#include "filings/forms/form_nep1.h"
#include "filings/forms/form_par_hp.h"
#include "filings/import_anketari.h"
#include "filings/rex_hp.h"
#include "filings/zefir.h"
#include "payroll/dm_v.h"
#include "filings/rex_sp_xml.h"
#include "filings/rex_zp_txt.h"
#include "platform/errors.h"
#include "platform/ui/qt/window_fit.h"
#include "reports/dispatcher.h"
#include "reports/forms/launcher_commands.h"

namespace tarix::filings {

void registerSubsystem(core::StartupHooks &hooks)
{
    // The payment-order module comes right after the payroll's.
    registerModules();
    // Each filing registers its routine or menu command here, after the reports it reads.
    core::appendStep(hooks.afterDataModules, [] {
        // The menu's check-file command reports the program's own errors; a statement that
        // is not UTF-8 is one of them.
        reports::reportRegister().registerReport(QString::fromUtf16(reports::kZapisKontrolnehoSuboru),
                                             [](const reports::TMyReportParam &p) {
                                                 try {
                                                     RexSpXml::Zapis_kontrolny_subor(p);
                                                 } catch (const EConvertError &e) {
                                                     throw EMyError(e.text());
                                                 }
                                             });
        reports::reportRegister().registerReport(QStringLiteral("RexSpXml.Export_xml_vykazu"), RexSpXml::Export_xml_vykazu);
    });
    core::appendStep(hooks.afterDataModules, [] { RexZpTxt::registerHealthBatches(); });
    core::appendStep(hooks.afterDataModules, [] {
        registerBulkOrders();
        // The order straight from the payroll asks for its parts first.
        reports::reportRegister().registerReport(QStringLiteral("TReportHP"), [](const reports::TMyReportParam &p) {
            if (const std::optional<Parametre_hp> volby = TFormParHP::Zobraz_parametre(ui::askingWindow()))
                REXHP::runHpReport(p, *volby);
        });
    });
    registerRegistrationSheetsCommand();
    registerHpCommand();
    // The export layouts' module, after the payroll module.
    core::moduleRegistry().add(createDMTL, destroyDMTL);
    registerCsvCommand();
    // The import and the Zefir file need an open firm.
    const core::CommandRule firmOpen = [] { return core::hasDM() && core::hasDMZ() && core::DMZ().TZAM_.isActive(); };
    core::addShownCommand(core::mainMenuCommands(), QStringLiteral("mnu_import_anketari"), [](QWidget *) {
        if (payroll::hasDMV())
            survey_import::mnu_imp2Click();
    }, firmOpen);
    core::addShownCommand(core::mainMenuCommands(), QStringLiteral("mnu_zefir1"), [](QWidget *) { Zefir::Export_udajov(); },
                          firmOpen);
}

} // namespace tarix::filings
