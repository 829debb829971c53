// The firm's and the year's part of the calculation's context is read once and kept: kept
// only while nothing it came from can have changed. A change of the firm header or the
// year's set-up, made in any way, reaches the next computation; a change that was rolled
// back never does.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "core/session.h"
#include "platform/db/table.h"

#include <functional>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class SharedContextTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        for (const DemoEmployee &e : kDemo)
            newPayroll(e);
        scripted.clearEvents();
    }

    void recalculate()
    {
        scripted.answerYes(Msg(65135, "január 2007")).answerYes(Msg(65104, "január 2007"));
        ASSERT_EQ(dmv->Prepocitanie_vyplat(0), 10);
        scripted.clearEvents();
    }

    // Another program's connection to the same folder.
    void otherProgram(const char *alias, const QString &sql)
    {
        db::Session other;
        other.setAlias(QString::fromLatin1(alias), session.aliasFolder(QString::fromLatin1(alias)));
        other.execute(sql);
    }

    // Another dataset of this program on the table's only row.
    void otherDataset(const char *alias, const char *table, const char *field, const QVariant &value)
    {
        db::Table t(&session);
        t.setDatabaseName(QString::fromLatin1(alias));
        t.setTableName(QString::fromLatin1(table));
        t.open();
        t.edit();
        t.setValue(QString::fromLatin1(field), value);
        t.post();
    }
};

// The closing date comes from the firm header: read once, then changed by another dataset,
// plain SQL, another program, a delete of the row, or a change rolled back.
TEST_F(SharedContextTest, TheFirmHeaderIsReadAgainAfterAnyChange)
{
    struct Case {
        const char *how;
        std::function<void()> change;
        QDate expected;
    };
    const QDate closing(2006, 12, 31);
    const Case cases[] = {
        {"another dataset",
         [&, this] { otherDataset(core::kAliasData, "inf", "Datum_uzav", closing); }, closing},
        {"plain SQL of the session",
         [this] { session.execute("update \":tarix_data:inf\" set datum_uzav = '2006-12-31'"); },
         closing},
        {"another program",
         [this] {
             otherProgram(core::kAliasData, "update \":tarix_data:inf\" set datum_uzav = '2006-12-31'");
         },
         closing},
        {"a change rolled back",
         [&, this] {
             db::Transaction tx(&session);
             session.execute("update \":tarix_data:inf\" set datum_uzav = '2006-12-31'");
             // Read inside the transaction: the change shows, and must not outlive it.
             EXPECT_EQ(dmv->closingDate(), closing);
         },
         QDate()},
        // Last: the header is gone for good.
        {"the row deleted", [this] { session.execute("delete from \":tarix_data:inf\""); }, QDate()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        session.execute("update \":tarix_data:inf\" set datum_uzav = null");
        EXPECT_EQ(dmv->closingDate(), QDate());
        EXPECT_EQ(dmv->closingDate(), QDate()); // kept
        c.change();
        EXPECT_EQ(dmv->closingDate(), c.expected);
    }
}

// A run computes with the year's set-up as stored when it runs: changed by another program
// between two runs, then back by a dataset of this program.
TEST_F(SharedContextTest, EachRunComputesWithTheSetupAsStoredNow)
{
    recalculate();
    const auto original = storedMonth(200701);
    recalculate();
    EXPECT_EQ(storedMonth(200701), original);

    otherProgram(core::kAliasComm, "update \":tarix_comm:setup\" set f_zdravot = 5");
    recalculate();
    const auto changed = storedMonth(200701);
    EXPECT_NE(changed, original);

    const double rate = session.run("select f_zdravot from \":tarix_comm:setup\"").asFloat(0, 0);
    ASSERT_EQ(rate, 5);
    otherDataset(core::kAliasComm, "setup", "F_zdravot", 4);
    recalculate();
    EXPECT_EQ(storedMonth(200701), original);
}

// A run inside a transaction that is rolled back stores nothing, and the set-up it read
// there is not kept: the next run computes with the set-up as stored.
TEST_F(SharedContextTest, ASetupReadInsideARolledBackRunIsNotKept)
{
    recalculate();
    const auto original = storedMonth(200701);
    {
        db::Transaction tx(&session);
        session.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
        recalculate();
        EXPECT_NE(storedMonth(200701), original);
    }
    EXPECT_EQ(storedMonth(200701), original);
    recalculate();
    EXPECT_EQ(storedMonth(200701), original);
}

} // namespace

namespace {

// A new payroll's employee, deductions and piece-work are read when it is made and used
// again by its post only while nothing they came from changed: a change between the two,
// made in any way, reaches the stored record; one rolled back never does.
TEST_F(PayrollModuleTest, ANewPayrollsDetailsAreReadAgainAtThePostAfterAnyChange)
{
    struct Case {
        const char *how;
        std::function<void(int codeEmp)> change;
        double workingDay; // F_doba stored
        double deducted;   // the computed amount of the row added
    };
    const auto employeeCard = [this](int codeEmp) {
        session.execute("update \":tarix_data:zam\" set f_doba = 6 where code_emp = :e", {{"e", codeEmp}});
    };
    const auto deduction = [this](int codeEmp) {
        session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy, vypocitana_suma) "
                          "values (200701, :e, 'O', 50, 0, 0)",
                          {{"e", codeEmp}});
    };
    const Case cases[] = {
        {"the employee's card changed by this program", employeeCard, 6, -1},
        {"the employee's card changed by another program",
         [this](int codeEmp) {
             db::Session other;
             other.setAlias(QString::fromLatin1(core::kAliasData), session.aliasFolder(QString::fromLatin1(core::kAliasData)));
             other.execute("update \":tarix_data:zam\" set f_doba = 6 where code_emp = :e", {{"e", codeEmp}});
         },
         6, -1},
        {"a deduction added", deduction, 0, 50},
        {"a change rolled back",
         [this, employeeCard](int codeEmp) {
             db::Transaction tx(&session);
             employeeCard(codeEmp);
             // Computed inside the transaction: the change shows, and must not outlive it.
             dmv->Vypocet_vyplaty();
             EXPECT_EQ(dmv->TVYP_.fieldByName("F_doba").asFloat(), 6);
         },
         0, -1},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(c.how);
        const DemoEmployee e = kDemo[i];
        const double workingDay =
            session.run("select f_doba from \":tarix_data:zam\" where code_emp = :e", {{"e", e.codeEmp}}).asFloat(0, 0);
        ASSERT_NE(workingDay, 6);
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        db::Table &t = dmv->TVYP_;
        t.insert();
        t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
        dmv->Vypocet_vyplaty();
        c.change(e.codeEmp);
        t.setValue("V_hodina", t.fieldByName("V_den").asFloat() * 6);
        t.post();
        const db::SqlResult r = payroll(e.codeEmp, 200701);
        ASSERT_EQ(r.rowCount(), 1);
        EXPECT_EQ(r.asFloat(0, r.columnIndex("F_doba")), c.workingDay ? c.workingDay : workingDay);
        if (c.deducted >= 0) {
            EXPECT_EQ(session.run("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = :e and "
                                  "v_obdobie = 200701 and suma = 50",
                                  {{"e", e.codeEmp}})
                          .asFloat(0, 0),
                      c.deducted);
        }
    }
}

} // namespace
