#pragma once
// The fixture firm of the social insurer's filings: the demo installation with the firm's
// header set to known values (a name with "<", ">", "&" and Slovak letters), three insured
// employees in March 2007 (two in centre 1, one in centre 2 with accident insurance only),
// the social reports and the filings registered, and the clock fixed at 10 April 2007
// 9:05:07. tests/filings/expected/README.md lists what the expected files take from here.
#include "expected_files.h"
#include "reports/payslip_fixture.h"

#include "core/helpers/app_paths.h"
#include "core/startup_hooks.h"
#include "filings/forms/subsystem.h"
#include "platform/format/clock.h"
#include "reports/social/socialne_vykazy.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace tarix::filings::fixtures {

class SpFilingFirm : public reports::fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        openYear(2007);
        // The program folder is the installation's: "vystupy" and "excel" lie in it.
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        reports::registerSocialStatements();
        core::StartupHooks hooks;
        filings::registerSubsystem(hooks);
        hooks.afterDataModules();
        clock = std::make_unique<fmt::ScopedClock>(QDateTime(QDate(2007, 4, 10), QTime(9, 5, 7)));
        session.execute(
            "update \":tarix_data:inf\" set nazov='Pekáreň <U Ľudy> & syn', icz='3621458200', ico='36214582', "
            "adr_ulica='Hlavná', adr_cislo='1234/5', adr_ulica1='Hlavná 1234/5', adr_psc='91701', "
            "adr_mesto='Trnava', adr_telefon='033/5501234', adr_fax=null, adr_email='mzdy@pekaren.example', "
            "adr_stat='703', nazov_banky='Tatra banka, a.s.', banka_u='1100', predcislo_u='19', "
            "cislo_u='3621458202'");
        session.execute("update \":tarix_data:zam\" set born_numb='680314/5129' where code_emp=1");
        session.execute("update \":tarix_data:zam\" set born_numb='755212 / 1234' where code_emp=2");
        session.execute("update \":tarix_data:zam\" set born_numb='8001011237' where code_emp=3");
    }
    void TearDown() override
    {
        clock.reset();
        core::setAppPaths(m_paths);
        PayslipFirm::TearDown();
    }

    // The three insured employees of March 2007.
    void threeEmployees()
    {
        insertVyp(1, 200703,
                  {{"SID", 1}, {"U_nemoc", 1}, {"U_dochod", 1}, {"U_invalid", 1}, {"U_fondzam", 1}, {"U_uraz", 1},
                   {"U_garancne", 1}, {"U_rezerva", 1}, {"N_zaklad_np", 20000.5}, {"N_zaklad_dp", 20000.5},
                   {"N_zaklad_up", 20000.5}, {"N_zaklad_gp", 20000.5}, {"O_nemoc", 280}, {"O_dochod", 800},
                   {"O_invalid", 600}, {"O_fondzam", 200}, {"Oz_nemoc", 280}, {"Oz_dochod", 2800},
                   {"Oz_invalid", 600}, {"Oz_fondzam", 200}, {"Oz_uraz", 160}, {"Oz_garancne", 50},
                   {"Oz_rezerva", 950}, {"Poc_nezaop_deti", 2}, {"V_kal_dni", 31}, {"V_nepoisteny", 0},
                   {"VYNIMKA_VZ", "N"}, {"N_pn", 1200.25}, {"V_pn", 5}});
        insertVyp(2, 200703,
                  {{"SID", 1}, {"U_nemoc", 1}, {"U_dochod", 1}, {"U_invalid", 0}, {"U_fondzam", 1}, {"U_uraz", 1},
                   {"U_garancne", 0}, {"U_rezerva", 0}, {"N_zaklad_np", 15000}, {"N_zaklad_dp", 15000},
                   {"N_zaklad_up", 15000}, {"N_zaklad_gp", 0}, {"O_nemoc", 210}, {"O_dochod", 600},
                   {"O_invalid", 0}, {"O_fondzam", 150}, {"Oz_nemoc", 210}, {"Oz_dochod", 2100},
                   {"Oz_invalid", 0}, {"Oz_fondzam", 150}, {"Oz_uraz", 120.5}, {"Poc_nezaop_deti", 0},
                   {"V_kal_dni", 31}, {"V_nepoisteny", 3}, {"VYNIMKA_VZ", "A"}, {"N_ocr", 410.25},
                   {"V_ocr12", 3}});
        insertVyp(3, 200703,
                  {{"SID", 2}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_invalid", 0}, {"U_fondzam", 0}, {"U_uraz", 1},
                   {"U_garancne", 0}, {"U_rezerva", 0}, {"N_zaklad_up", 1687.5}, {"Oz_uraz", 13.5},
                   {"Poc_nezaop_deti", 1}, {"V_kal_dni", 31}, {"V_nepoisteny", 0}, {"VYNIMKA_VZ", "N"}});
    }

    static reports::TMyReportParam request(const QString &kod)
    {
        reports::TMyReportParam p;
        p.Kod_zostavy = kod;
        p.Obdobie = 200703;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Typ_vykazu = u'R';
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        return p;
    }

    // The program folder's "vystupy".
    QString outputs() const { return dir.root() + QStringLiteral("vystupy/"); }

    std::unique_ptr<fmt::ScopedClock> clock;

private:
    core::AppPaths m_paths;
};

} // namespace tarix::filings::fixtures
