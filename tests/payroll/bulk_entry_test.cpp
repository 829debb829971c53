// Bulk monthly entry through TDMV: filling the scratch table for the open month and centre
// range, the grid's checks, and posting the marked rows through the payroll's own post.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <set>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class BulkEntryTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        session.execute("update \":tarix_data:inf\" set datum_uzav = null");
    }

    // The employees that have a row, by Code_emp.
    std::set<int> rows()
    {
        std::set<int> r;
        const db::SqlResult q = session.run("select code_emp from \":tarix_priv:hsv\"");
        for (int i = 0; i < q.rowCount(); ++i)
            r.insert(int(q.asInteger(i, 0)));
        return r;
    }

    // Moves the grid to an employee's row.
    void go(int codeEmp) { ASSERT_TRUE(dmv->THSV_.locate("Code_emp", {codeEmp})); }

    // The clerk types a full month into the rows that have no days yet.
    void typeMissingDays()
    {
        db::Table &h = dmv->THSV_;
        for (h.first(); !h.eof(); h.next()) {
            if (h.fieldByName("V_den").asFloat() != 0)
                continue;
            h.edit();
            h.setValue("V_den", 22.0);
            h.setValue("V_hodina", 176.0);
            h.post();
        }
    }

    void post()
    {
        dmv->Uctuj_hsv();
    }
};

TEST_F(BulkEntryTest, FillsFromThePayrollsAndTheEmployeesOfTheMonth)
{
    // Employee 6 has a payroll but left before the month; 7 and 10 join within it (on the
    // 2nd and the 15th); 4 joins on its first day; 9 joins the month after.
    newPayroll(kDemo[5], 10.0);
    session.execute("update \":tarix_data:zam\" set vystup = '2006-12-31' where code_emp = 6");
    session.execute("update \":tarix_data:zam\" set nastup = '2007-01-01' where code_emp = 4");
    session.execute("update \":tarix_data:zam\" set nastup = '2007-02-01' where code_emp = 9");
    dmv->Napln_hsv();
    EXPECT_EQ(rows(), (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 10}));
    go(6);
    EXPECT_DOUBLE_EQ(dmv->THSV_.fieldByName("V_den").asFloat(), 10.0);
    EXPECT_EQ(dmv->THSV_.fieldByName("Zauctovany").asString(), "0");
    EXPECT_EQ(dmv->THSV_.fieldByName("Priznak_uctovat").asString(), "1");
    EXPECT_EQ(dmv->THSV_.fieldByName("PMT").asString(), "Žiak Tomáš");
    go(1);
    EXPECT_EQ(dmv->THSV_.fieldByName("PMT").asString(), "Hudák Ján Ing.");
    EXPECT_TRUE(dmv->THSV_.fieldByName("V_den").isNull());
    // the grid's order: by personal number
    dmv->THSV_.first();
    EXPECT_EQ(dmv->THSV_.fieldByName("Code_numb").asInt(), 101);
}

TEST_F(BulkEntryTest, AprilHoldsWhoLeavesWithinItAndTheAgreementThatEndsLater)
{
    // April 2007 has no payrolls yet: 6 leaves on 30.4.2007, 7 works on an agreement until
    // 31.12.2007; both need their April payroll.
    setPeriod(4);
    dmv->Napln_hsv();
    EXPECT_EQ(rows(), (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // Who left on the last day of March is no longer listed.
    session.execute("update \":tarix_data:zam\" set vystup = '2007-03-31' where code_emp = 6");
    dmv->Napln_hsv();
    EXPECT_EQ(rows().count(6), 0u);
}

TEST_F(BulkEntryTest, FillsOnlyTheOpenCentreRange)
{
    setPeriod(1);
    demo.setPeriod(2007, 1, 2);
    dmv->Napln_hsv();
    EXPECT_EQ(rows(), (std::set<int>{3, 4, 6, 10})); // 10 joined on the 15th
}

TEST_F(BulkEntryTest, AClosedMonthIsRefusedAndTheTableKeepsItsRows)
{
    dmv->Napln_hsv();
    const std::set<int> before = rows();
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");
    scripted.clearEvents();
    EXPECT_THROW(dmv->Napln_hsv(), EAbort);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65106, QStringLiteral("31.1.2007"))});
    EXPECT_EQ(rows(), before);
    // an earlier closing date does not refuse
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2006-12-31'");
    dmv->Napln_hsv();
    EXPECT_EQ(rows(), before);
}

TEST_F(BulkEntryTest, PostsOnlyMarkedRowsAndCountsThem)
{
    dmv->Napln_hsv();
    typeMissingDays();
    go(2);
    dmv->THSV_.edit();
    dmv->THSV_.setValue("Priznak_uctovat", "0");
    dmv->THSV_.post();
    go(3);
    dmv->THSV_.edit();
    dmv->THSV_.setValue("Priznak_uctovat", "x");
    dmv->THSV_.post();
    post();
    EXPECT_EQ(dmv->Pocet_zauctovanych, int(rows().size()) - 2);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200701"), int(rows().size()) - 2);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp in (2, 3)"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_priv:hsv\" where zauctovany = '1'"), int(rows().size()) - 2);
    // a second run posts the same rows again
    const auto month = storedMonth(200701);
    post();
    EXPECT_EQ(dmv->Pocet_zauctovanych, int(rows().size()) - 2);
    EXPECT_EQ(storedMonth(200701), month);
}

TEST_F(BulkEntryTest, HalfDaysSurviveTheRoundTrip)
{
    newPayroll(kDemo[0]);
    db::Table &v = dmv->TVYP_;
    ASSERT_TRUE(v.findKey({1, 200701}));
    v.edit();
    v.setValue("V_holiday", 2.5);
    v.post();
    dmv->Napln_hsv();
    go(1);
    EXPECT_DOUBLE_EQ(dmv->THSV_.fieldByName("V_holiday").asFloat(), 2.5);
    post();
    EXPECT_DOUBLE_EQ(payroll(1, 200701).asFloat(0, payroll(1, 200701).columnIndex("V_holiday")), 2.5);
}

TEST_F(BulkEntryTest, TheGridChecksDaysAndHours)
{
    dmv->Napln_hsv();
    db::Table &h = dmv->THSV_;
    go(1);
    h.edit();
    // whole or half days only
    for (const char *field : {"V_den", "V_holiday"}) {
        SCOPED_TRACE(field);
        scripted.clearEvents();
        EXPECT_THROW(h.setValue(field, 2.3), EAbort);
        EXPECT_EQ(scripted.messages().size(), 1);
        h.setValue(field, 2.5);
        EXPECT_DOUBLE_EQ(h.fieldByName(field).asFloat(), 2.5);
    }
    // hours without days
    h.setValue("V_den", 0.0);
    h.setValue("V_hodina", 8.0);
    scripted.clearEvents();
    EXPECT_THROW(h.post(), EAbort);
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65044)});
    EXPECT_TRUE(h.isEditing());
    h.setValue("V_den", 1.0);
    h.post();
    // the clerk neither adds nor removes rows, and is told nothing
    scripted.clearEvents();
    const std::set<int> before = rows();
    EXPECT_THROW(h.insert(), EAbort);
    EXPECT_THROW(h.deleteRecord(), EAbort);
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_EQ(rows(), before);
}

TEST_F(BulkEntryTest, AChangedRowRecomputesItsPayroll)
{
    newPayroll(kDemo[0]);
    const db::SqlResult before = payroll(1, 200701);
    dmv->Napln_hsv();
    typeMissingDays();
    go(1);
    dmv->THSV_.edit();
    dmv->THSV_.setValue("V_hodina", dmv->THSV_.fieldByName("V_hodina").asFloat() + 10);
    dmv->THSV_.setValue("Vh_nadcas", 10.0);
    dmv->THSV_.setValue("N_odmeny", 1500.0);
    dmv->THSV_.post();
    post();
    const db::SqlResult after = payroll(1, 200701);
    EXPECT_DOUBLE_EQ(after.asFloat(0, after.columnIndex("N_odmeny")), 1500);
    EXPECT_DOUBLE_EQ(after.asFloat(0, after.columnIndex("Vh_nadcas")), 10);
    EXPECT_GT(after.asFloat(0, after.columnIndex("N_brutto")), before.asFloat(0, before.columnIndex("N_brutto")) + 1500);
    EXPECT_GT(after.asFloat(0, after.columnIndex("N_netto")), before.asFloat(0, before.columnIndex("N_netto")));
    // an empty advance writes 0
    EXPECT_DOUBLE_EQ(after.asFloat(0, after.columnIndex("Ne_zaloha")), 0);
}

} // namespace
