// Batch recalculation of the open month: the same stored records as posting each record by
// hand, no record skipped when a post moves it, one transaction that a failure rolls back
// whole, and the tax split.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <stdexcept>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class BatchTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        for (const DemoEmployee &e : kDemo)
            newPayroll(e);
        // An agreement pay over the withholding-tax limit, confirmed once by the clerk.
        db::Table &t = dmv->TVYP_;
        ASSERT_TRUE(t.findKey({7, 200701}));
        t.edit();
        t.setValue("N_dohody_ovp", 8000);
        scripted.answerYes(Msg(65043, "5000"));
        t.post();
        scripted.clearEvents();
    }

    // Settings changed after the month was computed: every record computes anew.
    void changeSettings()
    {
        session.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
        session.execute("update \":tarix_data:inf\" set f_socfond = 1");
        session.execute("update \":tarix_data:zam\" set sid = 1 where code_emp in (3, 4)");
        session.execute("update \":tarix_data:zam\" set sid = 2 where code_emp in (1, 2, 5)");
        session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) "
                        "values (200701, 4, 'P', 2, 1)");
    }

    void answerBatchQuestions()
    {
        scripted.answerYes(Msg(65135, "január 2007")).answerYes(Msg(65104, "január 2007"));
    }

    std::map<int, QVariantList> deductionAmounts()
    {
        std::map<int, QVariantList> rows;
        const db::SqlResult r = session.run(
            "select code_emp, zrid, vypocitana_suma from \":tarix_data:zrv\" order by code_emp, zrid");
        for (int i = 0; i < r.rowCount(); ++i)
            rows[int(r.asInteger(i, 0))] << r.value(i, 2);
        return rows;
    }

    // Runs `sql` once, after the post of record 3 (the module's own handler first); returns
    // the module's handler, to be put back.
    db::DataSet::Event runAfterRecord3(const char *sql, bool &ran)
    {
        db::DataSet::Event modules = dmv->TVYP_.afterPost;
        dmv->TVYP_.afterPost = [this, modules, sql, &ran](db::DataSet &ds) {
            if (modules)
                modules(ds);
            if (!ran && ds.fieldByName("Code_emp").asInt() == 3) {
                ran = true;
                session.execute(QString::fromUtf8(sql));
            }
        };
        return modules;
    }

    // The screen's view of the table: one employee's payrolls of the year.
    void screenView()
    {
        dmv->TVYP_.setRange({1, 200701}, {1, 200712});
    }
};

TEST_F(BatchTest, StoresTheSameRecordsAsPostingEachOneByHand)
{
    changeSettings();
    // The same starting state twice: this folder for the batch, a copy for the hand posts.
    session.closeAll();
    const QString copy = dir.filePath("DATA01B");
    QDir().mkpath(copy);
    ASSERT_TRUE(QFile::copy(dir.filePath("DATA01/tarix.db"), copy + "/tarix.db"));
    dmv->TVYP_.open();

    answerBatchQuestions();
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
    const auto byBatch = storedMonth(200701);
    const auto batchDeductions = deductionAmounts();
    EXPECT_EQ(scripted.questions().size(), 2); // the two questions of the run, none per record
    EXPECT_TRUE(scripted.failures().isEmpty());

    session.setAlias("TARIX_DATA", copy);
    db::Table &t = dmv->TVYP_;
    t.open();
    for (const DemoEmployee &e : kDemo) {
        ASSERT_TRUE(t.findKey({e.codeEmp, 200701}));
        t.edit();
        if (e.codeEmp == 7)
            scripted.answerYes(Msg(65043, "5000"));
        t.post();
    }
    const auto byHand = storedMonth(200701);
    ASSERT_EQ(byBatch.size(), 10u);
    EXPECT_EQ(byBatch, byHand);
    EXPECT_EQ(batchDeductions, deductionAmounts());

    // The settings reached the records: the new health rate, the moved cost centres.
    const db::SqlResult r = payroll(3, 200701);
    EXPECT_EQ(r.asFloat(0, r.columnIndex("F_zdravot")), 5);
    EXPECT_EQ(r.asInteger(0, r.columnIndex("SID")), 1);
}

TEST_F(BatchTest, RecalculatingAnUnchangedMonthChangesNoStoredField)
{
    const auto before = storedMonth(200701);
    const auto deductionsBefore = deductionAmounts();
    EXPECT_EQ(dmv->Prepocitanie_vyplat(3), 10);
    EXPECT_EQ(storedMonth(200701), before);
    EXPECT_EQ(deductionAmounts(), deductionsBefore);
}

TEST_F(BatchTest, EveryRecordOnceEvenWhenItsPostMovesIt)
{
    changeSettings(); // cost centres change: each post moves its record in the month's order
    session.execute("update \":tarix_data:vyp\" set rezerva1 = 0 where code_emp in (2, 4)");
    EXPECT_EQ(dmv->Prepocitanie_vyplat(3), 8); // mode 3 asks nothing
    EXPECT_TRUE(scripted.questions().isEmpty());
    for (const DemoEmployee &e : kDemo) {
        SCOPED_TRACE(e.codeEmp);
        const db::SqlResult r = payroll(e.codeEmp, 200701);
        // A stored record takes its employee's new cost centre; the others keep the old.
        const bool selected = e.codeEmp != 2 && e.codeEmp != 4;
        const int newSid = count("select sid from \":tarix_data:zam\" where code_emp = :e", {{"e", e.codeEmp}});
        const int sid = int(r.asInteger(0, r.columnIndex("SID")));
        if (selected) {
            EXPECT_EQ(sid, newSid);
        } else {
            EXPECT_NE(sid, newSid);
        }
        if (selected && e.codeEmp != 5) { // employee 5 pays the reduced rate of a disability
            EXPECT_EQ(r.asFloat(0, r.columnIndex("F_zdravot")), 5);
        }
    }
    // The progress ran to its end and closed.
    EXPECT_FALSE(scripted.isProgressOpen());
    EXPECT_EQ(scripted.progressValues().back(), 100);
}

// Whatever stops the run (the calculation refusing a record, the database refusing to store
// it, a busy database, any other exception, even one thrown after the record was written),
// the message names the employee and the cause, and nothing of the month is stored.
TEST_F(BatchTest, AFailureNamesTheEmployeeAndRollsTheWholeRunBack)
{
    changeSettings();
    const QString schema = session.schemaOf("TARIX_DATA");
    // Runs `action` when record 7 reaches an event of the payroll table, after the module's
    // own handler; restoreEvent() puts the module's handler back.
    db::DataSet::Event *hooked = nullptr;
    db::DataSet::Event modules;
    auto atRecord7 = [&](db::DataSet::Event &event, std::function<void()> action) {
        hooked = &event;
        modules = event;
        event = [modules, action](db::DataSet &ds) {
            if (modules)
                modules(ds);
            if (ds.fieldByName("Code_emp").asInt() == 7)
                action();
        };
    };
    auto restoreEvent = [&] {
        *hooked = modules;
        hooked = nullptr;
    };
    struct Case {
        const char *what;
        DemoEmployee who;
        QString name;
        std::function<void()> inject;
        std::function<void()> remove;
        QString cause;
    };
    const Case cases[] = {
        {"the calculation refuses a negative base of another employer (record 5)", kDemo[4], "Milan Cibula",
         [&] { session.execute("update \":tarix_data:vyp\" set n_zaklad_poist = -100 where code_emp = 5"); },
         [&] { session.execute("update \":tarix_data:vyp\" set n_zaklad_poist = 0 where code_emp = 5"); },
         Msg(65188, "Základ poistného u iných zamestnávateľov")},
        {"an SQL error: the database refuses to store record 7", kDemo[6], "Eva Horváthová",
         [&] {
             session.executeRaw(QString("CREATE TRIGGER %1.refuse_it BEFORE UPDATE ON vyp WHEN old.code_emp = 7 "
                                        "BEGIN SELECT RAISE(ABORT, 'zablokované'); END").arg(schema));
         },
         [&] { session.executeRaw(QString("DROP TRIGGER %1.refuse_it").arg(schema)); },
         QStringLiteral("zablokované")},
        {"a key violation while storing record 7", kDemo[6], "Eva Horváthová",
         [&] {
             session.executeRaw(QString("CREATE TRIGGER %1.duplicate_it AFTER UPDATE ON vyp WHEN new.code_emp = 7 "
                                        "BEGIN INSERT INTO vyp SELECT * FROM vyp WHERE code_emp = 1; END")
                                    .arg(schema));
         },
         [&] { session.executeRaw(QString("DROP TRIGGER %1.duplicate_it").arg(schema)); },
         Msg(65076)},
        {"an exception of the library after record 7 was written", kDemo[6], "Eva Horváthová",
         [&] { atRecord7(dmv->TVYP_.afterPost, [] { throw std::out_of_range("mimo rozsahu"); }); },
         restoreEvent, QStringLiteral("mimo rozsahu")},
        {"a silent abort after record 7 was written", kDemo[6], "Eva Horváthová",
         [&] { atRecord7(dmv->TVYP_.afterPost, [] { throw EAbort(); }); },
         restoreEvent, QStringLiteral("Spracovanie výplaty bolo prerušené.")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.inject();
        screenView();
        db::Table &t = dmv->TVYP_;
        ASSERT_TRUE(t.findKey({1, 200701}));
        const int rowsBefore = t.recordCount();
        const auto before = storedMonth(200701);
        const auto deductionsBefore = deductionAmounts();

        answerBatchQuestions();
        try {
            dmv->Prepocitanie_vyplat(0);
            ADD_FAILURE() << "the run did not stop";
        } catch (const EMyError &e) {
            const QString named = QString("zamestnanca %1 (os. č. %2) za obdobie 200701")
                                      .arg(c.name).arg(c.who.codeNumb);
            EXPECT_TRUE(e.text().contains(named)) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(c.cause)) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains("Žiadna výplata nebola zmenená.")) << e.text().toStdString();
        }
        EXPECT_EQ(storedMonth(200701), before);
        EXPECT_EQ(deductionAmounts(), deductionsBefore);
        EXPECT_EQ(t.state(), db::DataSetState::Browse);
        EXPECT_EQ(session.transactionDepth(), 0);
        EXPECT_FALSE(scripted.isProgressOpen());
        EXPECT_FALSE(dmv->batchMode());
        // The screen's view is back as it was.
        EXPECT_EQ(t.recordCount(), rowsBefore);
        EXPECT_EQ(t.fieldByName("Code_emp").asInt(), 1);
        EXPECT_TRUE(scripted.failures().isEmpty());
        c.remove();
    }
    // Nothing left over: the next run stores every record.
    answerBatchQuestions();
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
}

// The run reads the month's employees, deductions and piece-work once; what a handler of
// an earlier record changes of them is seen by the later records all the same, so that a
// second run finds nothing to change.
TEST_F(BatchTest, RowsOfALaterEmployeeChangedDuringTheRunAreSeen)
{
    changeSettings();
    const char *const changes[] = {
        "update \":tarix_data:zrv\" set suma = suma + 3 where code_emp = 4",
        "insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) values (200701, 6, 'P', 5, 1)",
        "update \":tarix_data:zam\" set sid = 3 where code_emp = 5",
    };
    for (const char *change : changes) {
        SCOPED_TRACE(change);
        bool changed = false;
        const db::DataSet::Event modules = runAfterRecord3(change, changed);
        answerBatchQuestions();
        EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
        dmv->TVYP_.afterPost = modules;
        ASSERT_TRUE(changed);
        const auto month = storedMonth(200701);
        const auto deductions = deductionAmounts();

        answerBatchQuestions();
        EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
        EXPECT_EQ(storedMonth(200701), month);
        EXPECT_EQ(deductionAmounts(), deductions);
    }
}

TEST_F(BatchTest, AClosedMonthIsLeftAloneWithoutAWord)
{
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");
    changeSettings();
    const auto before = storedMonth(200701);
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 0);
    EXPECT_EQ(dmv->Rozdelenie_dane(), 0);
    EXPECT_TRUE(scripted.events().empty());
    EXPECT_EQ(storedMonth(200701), before);

    // An open month, but the clerk says no.
    session.execute("update \":tarix_data:inf\" set datum_uzav = null");
    scripted.answerNo(Msg(65135, "január 2007"));
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 0);
    EXPECT_EQ(storedMonth(200701), before);
}

TEST_F(BatchTest, TaxSplitSetsWithholdingTaxExactlyForQualifyingIncome)
{
    // Employee 1 claims the non-taxable amounts; employee 7 does not and earns under the
    // limit; employee 9 does not claim them but earns over the limit.
    session.execute("update \":tarix_data:vyp\" set dan_vyrovnana = 1 where code_emp = 1");
    session.execute("update \":tarix_data:vyp\" set n_dohody_ovp = 3000, dan_vyrovnana = 0 where code_emp = 7");
    session.execute("update \":tarix_data:vyp\" set u_nezdc = 0 where code_emp = 9");
    scripted.answerYes(Msg(65105, "celá frima", "január 2007"));
    EXPECT_EQ(dmv->Rozdelenie_dane(), 10);
    auto regime = [&](int codeEmp) {
        const db::SqlResult r = payroll(codeEmp, 200701);
        return r.asInteger(0, r.columnIndex("Dan_vyrovnana"));
    };
    EXPECT_EQ(regime(1), 0);
    EXPECT_EQ(regime(7), 1);
    EXPECT_EQ(regime(9), 0);
    EXPECT_EQ(scripted.questions().size(), 1);
    const db::SqlResult r7 = payroll(7, 200701);
    EXPECT_EQ(r7.asFloat(0, r7.columnIndex("D_dan")), 547); // 19 % of (3 000 - 120 health), cut
}

} // namespace

// The run lists the month's records once, at its start. A record that another statement
// changes after that is computed from the row as it is when the run reaches it; one deleted
// stops the run naming its employee, and nothing of the month is stored.
TEST_F(BatchTest, ARecordChangedOrDeletedAfterTheMonthWasListed)
{
    changeSettings();
    struct Case {
        const char *change;
        bool stops;
    };
    const Case cases[] = {
        {"update \":tarix_data:vyp\" set v_den = v_den - 1, v_sviatok = 2 where code_emp = 6", false},
        {"delete from \":tarix_data:vyp\" where code_emp = 6", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.change);
        bool changed = false;
        const db::DataSet::Event modules = runAfterRecord3(c.change, changed);
        const auto before = storedMonth(200701);
        const double daysBefore = payroll(6, 200701).asFloat(0, payroll(6, 200701).columnIndex("V_den"));
        answerBatchQuestions();
        if (c.stops) {
            try {
                dmv->Prepocitanie_vyplat(0);
                ADD_FAILURE() << "the run did not stop";
            } catch (const EMyError &e) {
                EXPECT_TRUE(e.text().contains("(os. č. 106)")) << e.text().toStdString();
                EXPECT_TRUE(e.text().contains("Výplata sa nenašla.")) << e.text().toStdString();
            }
            EXPECT_EQ(storedMonth(200701), before);
            EXPECT_EQ(session.transactionDepth(), 0);
        } else {
            EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
            const db::SqlResult r = payroll(6, 200701);
            EXPECT_EQ(r.asFloat(0, r.columnIndex("V_den")), daysBefore - 1);
            // Stored as computed from the changed row: a second run changes nothing.
            const auto month = storedMonth(200701);
            dmv->TVYP_.afterPost = modules;
            answerBatchQuestions();
            EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 10);
            EXPECT_EQ(storedMonth(200701), month);
        }
        dmv->TVYP_.afterPost = modules;
        ASSERT_TRUE(changed);
    }
}
