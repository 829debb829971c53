// What a new payroll reads, on either database: the employee's row read once, with the
// insert's guard, serves the record's defaults and its first computation only while Zam
// stands as read; a change made by anyone before an insert reaches that insert; the month's
// deductions and piece-work items of a payroll are read together, each in its own order.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "core/session.h"
#include "payroll/dm_vyp_context.h"
#include "support/both_backends.h"

#include <functional>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class NewPayrollReadsTest : public PayrollModuleOnBothTest {
protected:
    // Another program's connection to the firm (a second workstation on the server).
    void otherProgram(const QString &sql)
    {
        test::DemoContext other(dir);
        other.session().setAlias(QStringLiteral("TARIX_DATA"), session.aliasFolder(QStringLiteral("TARIX_DATA")));
        other.session().execute(sql);
    }

    EmployeeData employee(int codeNumb, int codeEmp)
    {
        EmployeeData e;
        EXPECT_TRUE(loadEmployee(session, codeNumb, codeEmp, e));
        return e;
    }

};

TEST_P(NewPayrollReadsTest, TheEmployeeReadWithTheGuardServesOnlyWhileZamStandsAsRead)
{
    struct Case {
        const char *how;
        std::function<void()> between;
        bool served;
    };
    const Case cases[] = {
        {"nothing written", [] {}, true},
        {"the month's details written",
         [this] {
             session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) "
                             "values (200701, 3, 'O', 5, 0)");
             session.execute("insert into \":tarix_data:hsu\" (v_obdobie, code_numb, code_emp, ukid, suma1, pocet, "
                             "suma) values (200701, 103, 3, 1, 2, 0, 0)");
         },
         true},
        {"the card changed by this program",
         [this] { session.execute("update \":tarix_data:zam\" set f_doba = 6 where code_emp = 3"); }, false},
        {"the card changed by another program",
         [this] { otherProgram("update \":tarix_data:zam\" set f_doba = 6 where code_emp = 3"); }, false},
        {"another employee's card changed by this program",
         [this] { session.execute("update \":tarix_data:zam\" set f_doba = 6 where code_emp = 4"); }, false},
        {"a change rolled back",
         [this] {
             db::Transaction tx(&session);
             session.execute("update \":tarix_data:zrv\" set suma = 1 where code_emp = 3");
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        RecordDetails kept;
        kept.keepEmployee(session, employee(103, 3), false, false);
        c.between();
        const std::optional<EmployeeData> e = kept.takeEmployee(session, 103, 3);
        EXPECT_EQ(e.has_value(), c.served);
        if (e) {
            EXPECT_EQ(e->F_doba, employee(103, 3).F_doba);
        }
        // Taken once: the next computation reads.
        EXPECT_FALSE(kept.takeEmployee(session, 103, 3));
        session.execute("update \":tarix_data:zam\" set f_doba = 8 where code_emp in (3, 4)");
    }
    // Another employee's record never takes it.
    RecordDetails kept;
    kept.keepEmployee(session, employee(103, 3), false, false);
    EXPECT_FALSE(kept.takeEmployee(session, 104, 4));
}

TEST_P(NewPayrollReadsTest, ChangesMadeBeforeAnInsertReachIt)
{
    // Employee 3's record made and cancelled, so that everything it read is at hand; then
    // another program changes what the next insert reads.
    const DemoEmployee e = kDemo[2];
    dmv->setEmployee(e.codeNumb, e.codeEmp);
    db::Table &t = dmv->TVYP_;
    t.insert();
    const double rate = t.fieldByName("F_sadzba_premii").asFloat();
    const int children = t.fieldByName("Poc_nezaop_deti").asInt();
    const double workingDay = t.fieldByName("F_doba").asFloat();
    t.cancel();

    otherProgram("update \":tarix_data:zam\" set f_sadzba_premii = 17, f_doba = 6 where code_emp = 3");
    otherProgram("insert into \":tarix_data:deti\" (code_emp, priezvisko, meno, rc, dat_nar, pd, ztp, nc, "
                 "zniz_poistne, dan_bonus) values (3, 'Nový', 'Peter', '060101/1234', '2006-01-01', 1, 0, 0, 1, 1)");
    ASSERT_NE(rate, 17);
    ASSERT_NE(workingDay, 6);
    t.insert();
    EXPECT_EQ(t.fieldByName("F_sadzba_premii").asFloat(), 17);
    EXPECT_EQ(t.fieldByName("Poc_nezaop_deti").asInt(), children + 1);
    t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
    t.setValue("V_hodina", t.fieldByName("V_fmes").asFloat() * 6);
    t.post();
    const db::SqlResult r = session.run("select f_sadzba_premii, poc_nezaop_deti, f_doba from \":tarix_data:vyp\" "
                                        "where code_emp = 3 and v_obdobie = 200701");
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.asFloat(0, 0), 17);
    EXPECT_EQ(r.asInteger(0, 1), children + 1);
    EXPECT_EQ(r.asFloat(0, 2), 6);

    // A leaving date another program sets before the next insert refuses it.
    otherProgram("update \":tarix_data:zam\" set vystup = '2006-11-30' where code_emp = 4");
    dmv->setEmployee(kDemo[3].codeNumb, kDemo[3].codeEmp);
    try {
        t.insert();
        ADD_FAILURE() << "the new payroll of an employee who left was not refused";
        t.cancel();
    } catch (const EMyError &error) {
        EXPECT_EQ(error.text(), Msg(65051));
    }
    EXPECT_EQ(t.state(), db::DataSetState::Browse);
}

TEST_P(NewPayrollReadsTest, APayrollsDeductionsAndPieceWorkAreReadTogetherInTheirOwnOrder)
{
    session.execute("delete from \":tarix_data:zrv\"");
    session.execute("delete from \":tarix_data:hsu\"");
    // Employee 3's January, and rows of another month, another employee and another
    // personal number around it.
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy, vypocitana_suma) "
                    "values (200701, 3, 'X', 100, 1, 7), (200701, 3, 'P', 40.5, 0, 0), (200612, 3, 'O', 1, 0, 0), "
                    "(200701, 4, 'O', 2, 0, 0)");
    session.execute("insert into \":tarix_data:hsu\" (v_obdobie, code_numb, code_emp, ukid, suma1, pocet, suma) "
                    "values (200701, 103, 3, 2, 30, 2, 60), (200701, 103, 3, 1, 12, 0.5, 6), "
                    "(200701, 999, 3, 1, 1, 1, 1), (200612, 103, 3, 1, 1, 1, 1), (200701, 104, 4, 1, 1, 1, 1)");
    const db::SqlResult ids = session.run("select zrid from \":tarix_data:zrv\" where code_emp = 3 and "
                                          "v_obdobie = 200701 order by zrid");
    const db::SqlResult items = session.run("select hsuid from \":tarix_data:hsu\" where code_emp = 3 and "
                                            "code_numb = 103 and v_obdobie = 200701 order by hsuid");
    ASSERT_EQ(ids.rowCount(), 2);
    ASSERT_EQ(items.rowCount(), 2);

    std::vector<ZrvRow> deductions{{1, "stale", 0, 0, 0}};
    std::vector<HsuRow> pieceWork{{1, 1, 0, 0, 0}};
    loadDetails(session, 200701, 103, 3, true, deductions, pieceWork);
    ASSERT_EQ(deductions.size(), 2u);
    EXPECT_EQ(deductions[0].ZRID, ids.asInteger(0, 0));
    EXPECT_EQ(deductions[0].Typ, "X");
    EXPECT_EQ(deductions[0].Suma, 100);
    EXPECT_EQ(deductions[0].Typ_sumy, 1);
    EXPECT_EQ(deductions[0].Vypocitana_suma, 7);
    EXPECT_EQ(deductions[1].ZRID, ids.asInteger(1, 0));
    EXPECT_EQ(deductions[1].Typ, "P");
    EXPECT_EQ(deductions[1].Suma, 40.5);
    ASSERT_EQ(pieceWork.size(), 2u);
    EXPECT_EQ(pieceWork[0].HSUID, items.asInteger(0, 0));
    EXPECT_EQ(pieceWork[0].UKID, 2);
    EXPECT_EQ(pieceWork[0].Pocet, 2);
    EXPECT_EQ(pieceWork[0].Suma1, 30);
    EXPECT_EQ(pieceWork[0].Suma, 60);
    EXPECT_EQ(pieceWork[1].HSUID, items.asInteger(1, 0));
    EXPECT_EQ(pieceWork[1].Pocet, 0.5);

    // In import mode the piece-work items are not read.
    loadDetails(session, 200701, 103, 3, false, deductions, pieceWork);
    EXPECT_EQ(deductions.size(), 2u);
    EXPECT_TRUE(pieceWork.empty());
    // A payroll without details.
    loadDetails(session, 200702, 103, 3, true, deductions, pieceWork);
    EXPECT_TRUE(deductions.empty());
    EXPECT_TRUE(pieceWork.empty());
}

TEST_P(NewPayrollReadsTest, ANewRecordsQuarterlyAverageIsOfThePayrollsAsStoredAtItsInsert)
{
    // Employee 1 paid in the quarter before; then 100 an hour in those payrolls.
    const DemoEmployee e = kDemo[0];
    const struct {
        int year, month;     // of the new record
        int quarterYear, firstMonth; // of the quarter before
    } cases[] = {{2007, 1, 2006, 10}, {2007, 4, 2007, 1}};
    db::Table &t = dmv->TVYP_;
    const QString hourly = "update \":tarix_data:vyp\" set n_mzda = 176 * :a, v_hodina = 176, vh_nadcas = 0, "
                           "dan_vyrovnana = 0 where code_emp = 1 and v_obdobie between :f and :l";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.month);
        const int first = c.quarterYear * 100 + c.firstMonth;
        for (int m = c.firstMonth; m < c.firstMonth + 3; ++m) {
            demo.setPeriod(c.quarterYear, m);
            dmv->setEmployee(e.codeNumb, e.codeEmp);
            t.insert();
            t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
            t.post();
        }
        session.execute(hourly, {{"a", 100}, {"f", first}, {"l", first + 2}});
        demo.setPeriod(c.year, c.month);
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        t.insert();
        EXPECT_DOUBLE_EQ(t.fieldByName("V_priemer1").asFloat(), 100);
        t.cancel();
        // Changed by another program before the next insert.
        otherProgram(QString(hourly).replace(":a", "120").replace(":f", QString::number(first)).replace(
            ":l", QString::number(first + 2)));
        t.insert();
        EXPECT_DOUBLE_EQ(t.fieldByName("V_priemer1").asFloat(), 120);
        t.cancel();
        if (c.quarterYear == c.year || dir.onServer())
            continue;
        // The earlier data's alias pointed at a copy with other amounts: the other year's
        // quarter is read there.
        const QString copy = dir.filePath("DATX");
        test::copyFolder(dir.firmFolder(1), copy);
        session.execute(hourly, {{"a", 80}, {"f", first}, {"l", first + 2}});
        session.setAlias(core::kAliasDatx, copy);
        if (!t.isActive())
            t.open();
        t.insert();
        EXPECT_DOUBLE_EQ(t.fieldByName("V_priemer1").asFloat(), 120);
        t.cancel();
    }
}

TARIX_INSTALLATION_ON_BOTH_BACKENDS(NewPayrollReadsTest);

} // namespace

// What the guard found empty of the month's details (nothing to copy, nothing stored) is
// known only while nothing it was read from changed; a change in between means a copy.
TEST_P(NewPayrollReadsTest, DetailsTheGuardFoundEmptyAreKnownOnlyWhileNothingTheyComeFromChanged)
{
    struct Case {
        const char *how;
        std::function<void()> between;
        bool known;
    };
    const Case cases[] = {
        {"nothing written", [] {}, true},
        {"a standing deduction written by this program",
         [this] {
             session.execute("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, obdobie_do, suma, typ_sumy) "
                             "values (4, 'O', '2006-01-01', 200601, 200812, 25, 0)");
         },
         false},
        {"a piece-work item of an employee written by this program",
         [this] {
             session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) "
                             "values (104, 4, 1, 3)");
         },
         false},
        {"the month's deduction rows written by this program",
         [this] {
             session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) "
                             "values (200701, 4, 'O', 5, 0)");
         },
         false},
        {"a standing deduction written by another program",
         [this] {
             otherProgram("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, obdobie_do, suma, typ_sumy) "
                          "values (4, 'O', '2006-01-01', 200601, 200812, 25, 0)");
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        RecordDetails kept;
        kept.keepEmployee(session, employee(103, 3), true, true);
        c.between();
        const RecordDetails::EmptyDetails empty = kept.emptyDetails(session, 103, 3);
        EXPECT_EQ(empty.zrazky, c.known);
        EXPECT_EQ(empty.ukoly, c.known);
        // Never for another employee.
        EXPECT_FALSE(kept.emptyDetails(session, 104, 4).zrazky);
    }
}

// A new payroll copies exactly the deductions and piece-work items there are when it is
// made, whether or not its guard found any: none, leftovers of an abandoned payroll of the
// month (removed), and a standing deduction or item that appears between the guard and the
// copy (copied).
TEST_P(NewPayrollReadsTest, ANewPayrollCopiesWhatThereIsAtItsCopy)
{
    const DemoEmployee e = kDemo[2]; // no standing deduction, no piece-work item
    db::Table &t = dmv->TVYP_;
    const auto rows = [this](const char *table) {
        return session.run(QString("select count(*) from \":tarix_data:%1\" where code_emp = 3 and v_obdobie = 200701")
                               .arg(table))
            .asInteger(0, 0);
    };
    struct Case {
        const char *how;
        std::function<void()> before;  // before the insert
        std::function<void()> between; // after its guard, before its copy
        qint64 deductions, items;
    };
    const Case cases[] = {
        {"nothing to copy", [] {}, [] {}, 0, 0},
        {"leftovers of an abandoned payroll",
         [this] {
             session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) "
                             "values (200701, 3, 'O', 5, 0)");
             session.execute("insert into \":tarix_data:hsu\" (v_obdobie, code_numb, code_emp, ukid, suma1, pocet, "
                             "suma) values (200701, 103, 3, 1, 2, 0, 0)");
         },
         [] {}, 0, 0},
        {"a standing deduction and an item made in between", [] {},
         [this] {
             session.execute("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, obdobie_do, suma, typ_sumy) "
                             "values (3, 'O', '2006-01-01', 200601, 200812, 25, 0)");
             session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) "
                             "values (103, 3, 1, 3)");
         },
         1, 1},
    };
    const auto onNewRecord = t.onNewRecord;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        c.before();
        t.onNewRecord = [&](db::DataSet &ds) {
            c.between();
            onNewRecord(ds);
        };
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        t.insert();
        t.onNewRecord = onNewRecord;
        t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
        t.post();
        EXPECT_EQ(rows("zrv"), c.deductions);
        EXPECT_EQ(rows("hsu"), c.items);
        session.execute("delete from \":tarix_data:vyp\" where code_emp = 3");
        session.execute("delete from \":tarix_data:zrv\" where code_emp = 3");
        session.execute("delete from \":tarix_data:hsu\" where code_emp = 3");
        session.execute("delete from \":tarix_data:zrz\" where code_emp = 3");
        session.execute("delete from \":tarix_data:zam_uk\" where code_emp = 3");
    }
}
