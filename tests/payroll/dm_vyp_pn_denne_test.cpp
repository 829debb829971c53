// The year-end run of the average daily earnings (PN_DENNE of the employee card) and its
// menu command: the sums of the previous year only, the days left after sickness, care and
// compensation, employees that keep their value, and a failure that changes no card.
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "payroll/dm_v.h"
#include "payroll/forms/subsystem.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "support/data_modules.h"
#include "support/demo_firm_test.h"

#include <QDate>
#include <gtest/gtest.h>

#include <map>

using namespace tarix;
using namespace tarix::payroll;

namespace {

test::DemoOptions pnDenneOptions()
{
    test::DemoOptions o;
    o.modules = test::coreModules();
    o.modules.push_back({createDMV, destroyDMV});
    return o;
}

// The demo firm (open year 2007) with the core modules and the payroll module; every
// employee's card starts with a known PN_DENNE.
class PnDenneTest : public test::DemoFirmTest<> {
protected:
    // The tests write the payrolls they count: the installation without the demo's payrolls.
    PnDenneTest() : DemoFirmTest(test::kDemo2007WithoutPayrolls, pnDenneOptions()) {}

    static constexpr double kBefore = 77.7;

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        session.execute("update \":tarix_data:zam\" set pn_denne = 77.7");
        session.execute("delete from \":tarix_data:vyp\"");
        if (!core::DMZ().TZAM_.isActive())
            core::DMZ().TZAM_.open();
    }

    struct Dni {
        double kal = 0, pn1 = 0, pn2 = 0, ocr12 = 0, nahr1 = 0, nahr2 = 0;
    };

    // A payroll record carrying only what the run reads.
    void payroll(int codeEmp, int period, double zakladNp, const Dni &d)
    {
        session.run("insert into \":tarix_data:vyp\" (code_emp, v_obdobie, v_rok, v_mesiac, n_zaklad_np, "
                    "v_kal_dni, v_pn1, v_pn2, v_ocr12, v_nahrada_pn1, v_nahrada_pn2, fixny_mv_plat, "
                    "f_typ_premii, f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, "
                    "u_zdrav1, u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, "
                    "f_nd_pocita) values (:e, :p, :r, :m, :z, :kal, :pn1, :pn2, :ocr, :n1, :n2, "
                    "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)",
                    {{"e", codeEmp}, {"p", period}, {"r", period / 100}, {"m", period % 100}, {"z", zakladNp},
                     {"kal", d.kal}, {"pn1", d.pn1}, {"pn2", d.pn2}, {"ocr", d.ocr12}, {"n1", d.nahr1},
                     {"n2", d.nahr2}});
    }

    // A whole year of calendar months for an employee, the sick-pay base spread evenly.
    void year(int codeEmp, int y, double zakladNp)
    {
        for (int m = 1; m <= 12; ++m)
            payroll(codeEmp, y * 100 + m, zakladNp / 12, {double(QDate(y, m, 1).daysInMonth())});
    }

    std::map<int, double> pnDenne()
    {
        std::map<int, double> values;
        const db::SqlResult r = session.run("select code_emp, pn_denne from \":tarix_data:zam\" order by code_emp");
        for (int i = 0; i < r.rowCount(); ++i)
            values[int(r.asInteger(i, 0))] = r.value(i, 1).toDouble();
        return values;
    }

    // A day base the run would write: the previous year of employees 1, 4 and 5.
    void previousYear(int y)
    {
        // 365 calendar days, 10 sick days (both bands), 5 compensation days (both fields).
        year(1, y - 1, 12000);
        session.run("update \":tarix_data:vyp\" set v_pn1 = 6, v_pn2 = 4, v_nahrada_pn1 = 3, v_nahrada_pn2 = 2 "
                    "where code_emp = 1 and v_obdobie = :p",
                    {{"p", (y - 1) * 100 + 3}});
        // Care days count out too; 500 / 28 days.
        payroll(4, (y - 1) * 100 + 1, 500, {31, 0, 0, 3});
        // 20 / 30 days = 0.6666...: to the nearest at four places.
        payroll(5, (y - 1) * 100 + 6, 20, {30});
    }
};

TEST_F(PnDenneTest, DividesThePreviousYearsSickPayBaseByTheDaysLeft)
{
    previousYear(2004);
    // Records just outside 2003 are not counted.
    payroll(1, 200212, 99999, {31});
    payroll(1, 200401, 99999, {31, 31});
    payroll(4, 200401, 99999, {31});
    // Employee 2 has no records of 2003; employee 3 has no day left (30 - 20 - 10).
    payroll(2, 200401, 5000, {31});
    payroll(3, 200305, 3000, {30, 20, 0, 0, 6, 4});

    DMV().Vypocet_cistej_dennej_mzdy(2004);

    const std::map<int, double> after = pnDenne();
    EXPECT_DOUBLE_EQ(after.at(1), 34.2857); // 12000 / (365 - 10 - 5)
    EXPECT_DOUBLE_EQ(after.at(4), 17.8571); // 500 / (31 - 3)
    EXPECT_DOUBLE_EQ(after.at(5), 0.6667);
    for (int untouched : {2, 3, 6, 7, 8, 9, 10})
        EXPECT_DOUBLE_EQ(after.at(untouched), kBefore) << "employee " << untouched;
    EXPECT_EQ(session.transactionDepth(), 0);
    // The employee module shows the new values.
    ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {1}));
    EXPECT_DOUBLE_EQ(core::DMZ().TZAM_.fieldByName("PN_DENNE").asFloat(), 34.2857);
}

TEST_F(PnDenneTest, FailureAtOneEmployeeLeavesEveryCardUnchanged)
{
    previousYear(2004);
    // Employees 1 and 4 are written before employee 5 refuses.
    session.executeRaw("create trigger tarix_data.zam_locked before update of pn_denne on zam "
                    "when new.code_emp = 5 begin select raise(abort, 'database table is locked'); end");
    const std::map<int, double> before = pnDenne();

    try {
        DMV().Vypocet_cistej_dennej_mzdy(2004);
        FAIL() << "the run reported success";
    } catch (const EMyError &e) {
        EXPECT_TRUE(e.text().contains("105")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("locked")) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains("Žiadna karta zamestnanca nebola zmenená")) << e.text().toStdString();
    }
    EXPECT_EQ(pnDenne(), before);
    EXPECT_EQ(session.transactionDepth(), 0);

    // Once the row is free the same run completes.
    session.executeRaw("drop trigger tarix_data.zam_locked");
    DMV().Vypocet_cistej_dennej_mzdy(2004);
    EXPECT_DOUBLE_EQ(pnDenne().at(5), 0.6667);
}

// The menu command asks with the open year (2007, so the sums of 2006) and reports the end
// only after a run that stored every card.
TEST_F(PnDenneTest, CommandAsksWithTheOpenYearAndReportsTheEnd)
{
    previousYear(2007);
    core::CommandRegistry commands({kNetDailyWageCommand});
    registerNetDailyWageCommand(commands);
    const core::Command *command = commands.find(kNetDailyWageCommand);
    ASSERT_NE(command, nullptr);
    scripted.clearEvents();

    scripted.answerNo(Msg(65110, 2007));
    command->run({});
    EXPECT_DOUBLE_EQ(pnDenne().at(1), kBefore);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());

    scripted.answerYes(Msg(65110, 2007));
    command->run({});
    EXPECT_DOUBLE_EQ(pnDenne().at(1), 34.2857);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65111)});

    // A failed run passes its error on and does not report the end.
    scripted.clearEvents();
    session.execute("update \":tarix_data:zam\" set pn_denne = 77.7");
    session.executeRaw("create trigger tarix_data.zam_locked before update of pn_denne on zam "
                    "begin select raise(abort, 'database table is locked'); end");
    scripted.answerYes(Msg(65110, 2007));
    EXPECT_THROW(command->run({}), EMyError);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());
    EXPECT_DOUBLE_EQ(pnDenne().at(1), kBefore);
}

// The command joins a menu only where the menu has an item for it.
TEST_F(PnDenneTest, CommandIsNotAddedToAMenuWithoutItsItem)
{
    core::CommandRegistry commands({"vyplaty"});
    EXPECT_NO_THROW(registerNetDailyWageCommand(commands));
    EXPECT_EQ(commands.find(kNetDailyWageCommand), nullptr);
}

} // namespace
