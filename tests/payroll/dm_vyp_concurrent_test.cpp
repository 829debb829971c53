// Two programs on one firm: a payroll record is saved exactly as it was read or refused with
// a clear message, and a save or a month's recalculation waits for a database another
// program holds.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/db/db_error.h"
#include "platform/db/table.h"
#include "support/stored_rows.h"
#include "support/write_lock.h"

#include <chrono>
#include <functional>
#include <future>
#include <thread>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

const QString kChanged = QStringLiteral("Záznam medzitým zmenil alebo zmazal iný používateľ. Zmeny neboli uložené.");
const QString kBusy = QStringLiteral("Databáza je zamknutá iným programom alebo inou stanicou; "
                                     "skúste operáciu zopakovať neskôr.");

class ConcurrentPayrollTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        for (const DemoEmployee &e : {kDemo[2], kDemo[3], kDemo[4]})
            newPayroll(e);
        other.setAlias("TARIX_DATA", dir.firmFolder());
    }

    // Every payroll record of the firm with its rowid, as stored.
    QList<QVariantList> storedPayrolls()
    {
        return test::storedRows(session, "select rowid, * from \":tarix_data:vyp\" order by rowid");
    }

    // The second clerk's program edits employee 3's January: 150 hours and its gross.
    void otherEdits()
    {
        db::Table t(&other);
        t.setDatabaseName("TARIX_DATA");
        t.setTableName("Vyp");
        t.open();
        ASSERT_TRUE(t.findKey({3, 200701}));
        t.edit();
        t.setValue("V_hodina", 150);
        t.setValue("N_brutto", 777);
        t.post();
    }
    void otherDeletes() { other.execute("delete from \":tarix_data:vyp\" where code_emp = 3 and v_obdobie = 200701"); }
    // ... and stores employee 6000's February in the same rowid.
    void otherDeletesAndReusesTheRowid()
    {
        const qint64 id =
            session.run("select rowid from \":tarix_data:vyp\" where code_emp = 3 and v_obdobie = 200701").asInteger(0, 0);
        otherDeletes();
        other.executeRaw(QString("CREATE TEMP TABLE record6000 AS SELECT * FROM tarix_data.vyp WHERE code_emp = 4; "
                                 "UPDATE record6000 SET code_emp = 6000, v_obdobie = 200702, n_premie = 500, n_brutto = 20500; "
                                 "INSERT INTO tarix_data.vyp SELECT * FROM record6000; DROP TABLE record6000; "
                                 "UPDATE tarix_data.vyp SET rowid = %1 WHERE code_emp = 6000")
                             .arg(id));
    }

    db::Session other;
};

// Another program writes the firm's database and keeps its transaction open for a while.
struct Locker : tarix::test::WriteLock {
    Locker(const QString &firm, std::chrono::milliseconds hold)
        : WriteLock(firm, hold, QStringLiteral("update \":tarix_data:inf\" set nazov = nazov")) {}
};

} // namespace

TEST_F(ConcurrentPayrollTest, ARecordAnotherClerkChangedOrDeletedIsNotWrittenOver)
{
    struct Case {
        const char *what;
        bool deletes; // the first clerk deletes the record instead of saving it
        std::function<void()> other;
    };
    const Case cases[] = {
        {"edit against edit", false, [&] { otherEdits(); }},
        {"edit against delete", false, [&] { otherDeletes(); }},
        {"edit against delete and another employee's record in the same rowid", false,
         [&] { otherDeletesAndReusesTheRowid(); }},
        {"delete against edit", true, [&] { otherEdits(); }},
    };
    session.executeRaw("CREATE TEMP TABLE record3 AS SELECT * FROM tarix_data.vyp WHERE code_emp = 3");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        session.executeRaw("DELETE FROM tarix_data.vyp WHERE code_emp IN (3, 6000); "
                           "INSERT INTO tarix_data.vyp SELECT * FROM temp.record3");
        dmv->setEmployee(kDemo[2].codeNumb, kDemo[2].codeEmp);
        dmv->TVYP_.refresh();
        db::Table &vyp = dmv->TVYP_;
        ASSERT_TRUE(vyp.locate("Code_emp;V_obdobie", {3, 200701}));
        if (c.deletes) {
            c.other();
            const auto left = storedPayrolls();
            scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
            try {
                vyp.deleteRecord();
                ADD_FAILURE() << "the delete went through";
            } catch (const EMyError &e) {
                EXPECT_EQ(e.text(), kChanged);
            }
            EXPECT_EQ(storedPayrolls(), left);
            scripted.clearEvents();
            continue;
        }
        vyp.edit();
        vyp.setValue("V_hodina", 100);
        c.other();
        const auto left = storedPayrolls();
        try {
            vyp.post();
            ADD_FAILURE() << "the save went through";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), kChanged);
        }
        EXPECT_EQ(storedPayrolls(), left);
        EXPECT_EQ(vyp.state(), db::DataSetState::Edit);
        EXPECT_EQ(vyp.value("V_hodina").toDouble(), 100);
        vyp.cancel();
        scripted.clearEvents();
    }
}

TEST_F(ConcurrentPayrollTest, ASaveAndTheMonthsRecalculationWaitForAnotherProgram)
{
    dmv->setEmployee(kDemo[2].codeNumb, kDemo[2].codeEmp);
    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.locate("Code_emp;V_obdobie", {3, 200701}));
    {
        Locker locker(dir.firmFolder(), std::chrono::milliseconds(1000));
        t.edit();
        t.setValue("V_hodina", 100);
        EXPECT_NO_THROW(t.post());
    }
    const db::SqlResult stored = payroll(3, 200701);
    EXPECT_EQ(stored.asFloat(0, stored.columnIndex("v_hodina")), 100);
    {
        Locker locker(dir.firmFolder(), std::chrono::milliseconds(1000));
        scripted.answerYes(std::nullopt).answerYes(std::nullopt);
        EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 3);
    }
}

TEST_F(ConcurrentPayrollTest, ADatabaseHeldPastTheTimeoutIsReportedAndNothingChanges)
{
    session.setBusyTimeout(200);
    const auto before = storedPayrolls();
    dmv->setEmployee(kDemo[2].codeNumb, kDemo[2].codeEmp);
    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.locate("Code_emp;V_obdobie", {3, 200701}));
    {
        Locker locker(dir.firmFolder(), std::chrono::milliseconds(1500));
        t.edit();
        t.setValue("V_hodina", 100);
        try {
            t.post();
            ADD_FAILURE() << "saved while another program held the database";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), kBusy);
        }
        EXPECT_EQ(t.state(), db::DataSetState::Edit);
        t.cancel();
        scripted.answerYes(std::nullopt).answerYes(std::nullopt);
        try {
            dmv->Prepocitanie_vyplat(0);
            ADD_FAILURE() << "recalculated while another program held the database";
        } catch (const EMyError &e) {
            EXPECT_TRUE(e.text().contains(kBusy)) << e.text().toStdString();
        }
    }
    session.setBusyTimeout(5000);
    EXPECT_EQ(storedPayrolls(), before);
    EXPECT_EQ(session.transactionDepth(), 0);
}
