// As a new user: the program starts on the demo installation, firm 01 is opened for
// December 2007, the employee with two children gets his December payroll computed on
// the payroll module (his earlier months are that payroll again with the bonus of their
// half-year), and from the employee's menu "Tlačové zostavy" the certificate of the year
// prints through the parameter dialog, naming both children with the months and amounts
// of the bonus paid for them.
#include "program_fixture.h"

#include "core/dm_zam.h"
#include "payroll/forms/subsystem.h"
#include "reports/certificates/potvrdenia.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/payslips/report_payslip.h"

#include <QComboBox>

using namespace tarix;

namespace {

class CertificateFromTheMenu : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const core::StartupHooks hooks = payrollHooks([] {
            reports::registerPayslips();
            reports::registerCertificates();
        });
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(core::mainMenuCommands());
        start(hooks);
        openFirm(2007, 12);
    }
};

} // namespace

TEST_F(CertificateFromTheMenu, TheYearsCertificateOfAnEmployeeWithTwoChildren)
{
    db::Session &s = core::session();
    const db::SqlResult emp = s.run("select code_numb, title, name, surname from \":tarix_data:zam\" where code_emp = 1");
    ASSERT_EQ(emp.rowCount(), 1);
    ASSERT_EQ(s.run("select count(*) from \":tarix_data:deti\" where code_emp = 1 and nc = 1").asInteger(0, 0), 2);

    // December computed by the payroll module.
    storePayroll(int(emp.asInteger(0, 0)), 1);
    ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    const double december =
        s.run("select d_bonus_cerpany from \":tarix_data:vyp\" where code_emp = 1 and v_obdobie = 200712").asFloat(0, 0);
    ASSERT_DOUBLE_EQ(december, 2 * 555) << "the bonus of two children in the second half of 2007";

    // January to November: the same payroll, with the bonus of its half-year.
    s.executeRaw("create temp table kopia as select * from tarix_data.vyp where code_emp = 1 and v_obdobie = 200712");
    for (int m = 1; m <= 11; ++m)
        s.executeRaw(QStringLiteral("update kopia set v_obdobie = %1, v_mesiac = %2, d_bonus_cerpany = %3; "
                                    "insert into tarix_data.vyp select * from kopia;")
                         .arg(200700 + m)
                         .arg(m)
                         .arg(m <= 6 ? 2 * 540 : 2 * 555));
    s.executeRaw("drop table kopia");

    // The employee's card, his menu's certificate, the dialog confirmed.
    main->employeesAction();
    db::Table &zam = core::DMZ().TZAM_;
    ASSERT_TRUE(zam.locate("Code_emp", {1}));
    QMenu *operations = main->employeeOperations();
    emit operations->aboutToShow();
    QAction *pz = main->findChild<QAction *>("zam_tlac_pz");
    ASSERT_NE(pz, nullptr);
    ASSERT_TRUE(pz->isEnabled());
    print([&] { pz->trigger(); }, {},
          [](reports::TFParForm &form) { EXPECT_EQ(form.CB_zam->currentData().toInt(), 1); });
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(preview.shown.size(), 1u);
    const rpt::PreparedReport &r = preview.shown[0];
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &page = r.pages[0];
    const auto text = [&](const char *name) {
        const rpt::PreparedItem *t = page.findText(name);
        return t ? t->text() : QStringLiteral("<none>");
    };
    EXPECT_EQ(text("QRL_obdobie"), "2007");
    EXPECT_EQ(text("QRDB_TMP"), "Ing. Ján Hudák");
    EXPECT_EQ(text("QRDB_CALC_DIETA1"), "Peter Hudák, 20.5.1996");
    EXPECT_EQ(text("QRDB_CALC_DIETA2"), "Lucia Hudáková, 2.11.2000");
    for (const char *mes : {"QRDB_CALC_MES1", "QRDB_CALC_MES2"})
        EXPECT_EQ(text(mes), "1-12") << mes;
    for (const char *nc : {"QRDB_CALC_NC1", "QRDB_CALC_NC2"})
        EXPECT_EQ(text(nc), "6570") << nc; // 6 x 540 + 6 x 555
    EXPECT_EQ(text("QRDB_CALC_BONUS_CELKOM"), "13140");
    EXPECT_EQ(text("QRDB_CALC_MESIACE"), "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12");
}
