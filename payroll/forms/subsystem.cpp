#include "payroll/forms/subsystem.h"

#include "core/app_ini.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_cis.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/forms/page_ids.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/periods.h"
#include "payroll/dm_v.h"
#include "payroll/dm_vyp_internal.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/forms/hsv_page.h"
#include "payroll/forms/rzp_pages.h"
#include "payroll/forms/settlement_commands.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"

#include <QMenu>

namespace tarix::payroll {

void runNetDailyWage()
{
    const int year = detail::openPayrollPeriod(DMV().TVYP_.session()) / 100;
    if (!MyConsts::Otazka_ano_nie(Msg(65110, year)))
        return;
    // A failure passes to the caller, which shows it; the end message is only for a run
    // that stored every card.
    DMV().Vypocet_cistej_dennej_mzdy(year);
    MyConsts::Sprava_informacia(Msg(65111));
}

void registerNetDailyWageCommand(core::CommandRegistry &commands)
{
    const QString id = QString::fromLatin1(kNetDailyWageCommand);
    if (commands.declares(id))
        commands.add(id, [](const core::CommandContext &) { runNetDailyWage(); });
}

bool runGuaranteeInsurance()
{
    TDMV &dmv = DMV();
    db::Session &s = dmv.TVYP_.session();
    const int period = detail::openPayrollPeriod(s);
    // A closed month is refused before any card or payroll is touched: the recalculation
    // would refuse its records only after the flags were stored.
    const QDate closing = dmv.closingDate();
    const int closingPeriod = MyConsts::Obdobie_z_datumu(closing);
    if (closingPeriod != 0 && closingPeriod >= period)
        throw EMyError(Msg(65134, fmt::shortDate(closing)));
    if (!MyConsts::Otazka_ano_nie(Msg(65182)))
        return false;
    // The flags and the recalculation they ask for are one piece of work: a recalculation
    // that stops leaves no card or payroll flagged.
    db::Transaction tx(&s);
    const db::Params p{{QStringLiteral("p"), period}};
    if (s.run(QStringLiteral("select count(*) from \":tarix_data:zam\" where u_garancne=0")).asInteger(0, 0) > 0)
        s.run(QStringLiteral("update \":tarix_data:zam\" set u_garancne=1 where u_garancne=0"));
    if (s.run(QStringLiteral("select count(*) from \":tarix_data:vyp\" where (u_garancne=0 or rezerva1=0) "
                             "and v_obdobie=:p"),
              p)
            .asInteger(0, 0)
        != 0)
        s.run(QStringLiteral("update \":tarix_data:vyp\" set u_garancne=1,rezerva1=1 "
                             "where (u_garancne=0 or rezerva1=0) and v_obdobie=:p"),
              p);
    dmv.Prepocitanie_vyplat(3);
    tx.commit();
    MyConsts::Sprava_informacia(Msg(65183));
    return true;
}

void registerGuaranteeInsuranceCommand(core::CommandRegistry &commands)
{
    const QString id = QString::fromLatin1(kGuaranteeInsuranceCommand);
    if (commands.declares(id))
        commands.add(id, [](const core::CommandContext &) { runGuaranteeInsurance(); });
}

void registerPieceWorkCodeListCommand(core::CommandRegistry &commands)
{
    const QString id = QString::fromLatin1(kPieceWorkCodeListCommand);
    if (!commands.declares(id))
        return;
    commands.add(
        id,
        [](const core::CommandContext &c) {
            try {
                db::Table &t = DMV().TCUK_;
                if (t.isActive())
                    t.setFiltered(false);
                core::Zobraz_ciselnik(QStringLiteral(" 3.06 Číselník pracovných výkonov"), t, c.owner);
            } catch (const EAbort &) {
            } catch (const std::exception &e) {
                MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
            }
        },
        [] { return core::hasDM() && core::DM().TINF_.isActive(); });
}

namespace {

// The subsystem's pages of the main window, made with the window when the payroll module
// exists.
void registerMainWindowPages()
{
    // The settlement pages of every form stand on one page of the notebook; the employee
    // choice's mode 'R' leads to it.
    core::registerMainWindowPage({
        .name = QString::fromLatin1(kSettlementPage),
        .create = [](QWidget *parent) -> QWidget * { return hasDMV() ? new TRzpPages(DMV(), parent) : nullptr; },
        .operations = [](QWidget *page) -> QMenu * {
            auto *stranky = qobject_cast<TRzpPages *>(page);
            return stranky ? stranky->Operacie_rzp1() : nullptr;
        },
        .selectionMode = u'R',
    });
    core::registerMainWindowPage({
        .name = QString::fromLatin1(kBulkEntryPage),
        .create = [](QWidget *parent) -> QWidget * {
            if (!hasDMV())
                return nullptr;
            auto *page = new THsvPage(DMV(), parent);
            // Leaving the page returns to the start page.
            QObject::connect(page, &THsvPage::opustit, page,
                             [] { core::showMainWindowPage(core::kPageStart); });
            return page;
        },
    });
}

} // namespace

void registerSubsystem(core::StartupHooks &hooks)
{
    registerModules();
    registerCommands();
    registerNetDailyWageCommand(core::mainMenuCommands());
    registerGuaranteeInsuranceCommand(core::mainMenuCommands());
    registerPieceWorkCodeListCommand(core::mainMenuCommands());
    registerSettlementCommands(core::mainMenuCommands());
    registerMainWindowPages();
    // The parameter-33 upgrade takes the compatibility value read from TRX.INI.
    core::appendStep(hooks.afterDataModules,
                     [] { core::setSurcharges([] { return iniSettings().Priplatky; }); });
    core::appendStep(hooks.readCalculationSettings,
                     [] { setSettings(loadSettings(core::trxIni())); });
}

} // namespace tarix::payroll
