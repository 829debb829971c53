// The demo firm as the installation generator ships it: its payrolls of January to March
// 2007 are the payroll module's own computation (a recalculation changes no stored field),
// cover the cases its employees stand for, and are made only for a demo firm made there; the
// generator's option leaves them out.
#include "core/helpers/messages.h"
#include "core/installation.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "support/demo_firm_test.h"
#include "support/stored_rows.h"
#include "tools/mkinst/demo_payrolls.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

using namespace tarix;

namespace {

class ShippedDemoMonths : public test::DemoFirmTest<> {
protected:
    ShippedDemoMonths() : DemoFirmTest({true, 2007, 2007}, test::programOpening()) {}
    void SetUp() override
    {
        DemoFirmTest::SetUp();
        payroll::createDMV();
    }
    void TearDown() override
    {
        payroll::destroyDMV();
        DemoFirmTest::TearDown();
    }
    QList<QVariantList> payrolls(int period)
    {
        return test::storedRows(session, "select * from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp",
                                {{"p", period}});
    }
    QList<QVariantList> deductions(int period)
    {
        return test::storedRows(session, "select * from \":tarix_data:zrv\" where v_obdobie = :p order by code_emp, zrid",
                                {{"p", period}});
    }
    double field(int period, int codeEmp, const QString &name)
    {
        return session.run("select " + name + " from \":tarix_data:vyp\" where v_obdobie = :p and code_emp = :e",
                           {{"p", period}, {"e", codeEmp}})
            .asFloat(0, 0);
    }
};

TEST_F(ShippedDemoMonths, EveryStoredFieldIsWhatARecalculationOfTheMonthComputes)
{
    const QStringList months{"január 2007", "február 2007", "marec 2007"};
    for (int month = 1; month <= 3; ++month) {
        SCOPED_TRACE(month);
        const int period = 200700 + month;
        demo.setPeriod(2007, month);
        const QList<QVariantList> before = payrolls(period);
        const QList<QVariantList> deductionsBefore = deductions(period);
        // All ten employees were employed in each of the months.
        ASSERT_EQ(before.size(), 10);
        scripted.answerYes(Msg(65135, months[month - 1])).answerYes(Msg(65104, months[month - 1]));
        EXPECT_EQ(payroll::DMV().Prepocitanie_vyplat(0), 10);
        EXPECT_EQ(payrolls(period), before);
        EXPECT_EQ(deductions(period), deductionsBefore);
    }
}

TEST_F(ShippedDemoMonths, TheMonthsShowTheCasesOfTheDemosEmployees)
{
    for (int period : {200701, 200702, 200703})
        for (int e = 1; e <= 10; ++e)
            EXPECT_GT(field(period, e, "n_brutto"), 0) << period << " " << e;
    // Hired on 15 January: the working days from then on.
    EXPECT_EQ(field(200701, 10, "v_den"), 13);
    EXPECT_EQ(field(200702, 10, "v_den"), 20);
    // Sick from 5 to 16 February (10 working days): the employer's sick pay of days 1 to 10.
    EXPECT_EQ(field(200702, 3, "v_den"), 10);
    EXPECT_EQ(field(200702, 3, "v_nahrada_pn1"), 3);
    EXPECT_EQ(field(200702, 3, "v_nahrada_pn2"), 7);
    EXPECT_GT(field(200702, 3, "n_nahrada_pn"), 0);
    EXPECT_EQ(field(200703, 3, "n_nahrada_pn"), 0);
    // The agreement worker's reward is taxed by withholding; the others pay advances.
    EXPECT_GT(field(200701, 7, "d_dan"), 0);
    EXPECT_EQ(field(200701, 7, "d_preddavok"), 0);
    EXPECT_GT(field(200701, 1, "d_preddavok"), 0);
    // The execution deduction starts in March.
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:zrv\" where code_emp = 10 and typ = 'X' "
                          "and vypocitana_suma > 0")
                  .asInteger(0, 0),
              1);
}

TEST(DemoInstallation, TheGeneratorLeavesThePeriodTheYearAndTheProgramFolderAsShipped)
{
    test::Installation dir;
    dir.install({true, 2007, 2007});
    db::Session s;
    s.setAlias("TARIX_PRIV", dir.privateFolder());
    s.setAlias("TARIX_COMM", dir.yearFolder(2007));
    s.setAlias("TARIX_DATA", dir.firmFolder());
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:vyp\"").asInteger(0, 0), 30);
    const db::SqlResult open = s.run("select rok, mesiac from \":tarix_priv:priv\"");
    EXPECT_EQ(open.asInteger(0, 0), 2007);
    EXPECT_EQ(open.asInteger(0, 1), 1);
    // The surcharge setting is the workstation's first opening's to add.
    EXPECT_EQ(s.run("select count(*) from \":tarix_comm:cis_par\" where id = 33").asInteger(0, 0), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("PARAM.INI")));
    s.closeAll();
}

TEST(DemoInstallation, TheOptionWithoutPayrollsLeavesTheDemoFirmWithoutThem)
{
    test::Installation dir;
    dir.install({true, 2007, 2007, false});
    db::Session s;
    s.setAlias("TARIX_DATA", dir.firmFolder());
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:vyp\"").asInteger(0, 0), 0);
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:zrv\"").asInteger(0, 0), 0);
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:zam\"").asInteger(0, 0), 10);
    s.closeAll();
}

TEST(DemoInstallation, PayrollsAreMadeOnlyForADemoFirmMadeThereAndAFailureLeavesNoDemoFirm)
{
    QTemporaryDir dir;
    const QString root = dir.path() + '/';
    const core::InstallationOptions options{true, 2007, 2007};
    // Without the payroll module the core refuses before it makes anything.
    EXPECT_THROW(core::createInstallation(dir.path(), options), std::invalid_argument);
    EXPECT_FALSE(QFile::exists(root + "PRIVATE/tarix.db"));

    // Payrolls that cannot be made take the demo firm with them: the next run makes it again.
    EXPECT_THROW(core::createInstallation(dir.path(), options,
                                          [](const QString &, const QString &) { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_FALSE(QFile::exists(root + "DATA01/tarix.db"));
    EXPECT_TRUE(QFile::exists(root + "DATA/tarix.db"));
    EXPECT_EQ(core::createInstallation(dir.path(), options, installation::createDemoPayrolls),
              QStringList{root + "DATA01/"});

    // A demo firm that exists keeps what it holds: no payrolls are made for it again.
    int calls = 0;
    EXPECT_TRUE(core::createInstallation(dir.path(), options, [&](const QString &, const QString &) { ++calls; })
                    .isEmpty());
    EXPECT_EQ(calls, 0);
    EXPECT_THROW(installation::createDemoPayrolls(dir.path()), std::runtime_error);
    db::Session s;
    s.setAlias("TARIX_DATA", root + "DATA01");
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:vyp\"").asInteger(0, 0), 30);
    s.closeAll();
}

} // namespace
