// Query datasets: parameters, default alias, live rows, detail queries, filters on results;
// each case on both backends.
#include "db_test_schema.h"

#include "platform/db/datasource.h"
#include "platform/db/db_error.h"
#include "platform/db/query.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::db;
using namespace tarix::db::testing;

namespace {
class DbQuery : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped())
            return;
        for (qint64 e : {1, 2, 3})
            for (qint64 p : {200501, 200502})
                in.s.execute(QStringLiteral("insert into vyp (code_emp, v_obdobie, v_rok, n_brutto) values (:e, :p, 2005, :b)"),
                             {{QStringLiteral("e"), e}, {QStringLiteral("p"), p}, {QStringLiteral("b"), double(e * 100 + p % 100)}},
                             QStringLiteral("TARIX_DATA"));
        in.s.execute(QStringLiteral("insert into zrv (code_emp, v_obdobie, typ, suma, typ_sumy) values "
                                    "(1, 200501, 'P', 3, 1), (1, 200501, 'O', 50, 0), (2, 200501, 'Y', 7, 0)"),
                     {}, QStringLiteral("TARIX_DATA"));
    }
};
} // namespace

TARIX_ON_BOTH_BACKENDS(DbQuery);

TEST_P(DbQuery, ParametersByNameWithoutCaseAndArithmetic)
{
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSqlLines({QStringLiteral("select code_emp, count(*) pocet, sum(n_brutto) suma"),
                   QStringLiteral("from vyp"),
                   QStringLiteral("where v_obdobie between :V_OBDOBIE - 1 and :v_obdobie and code_emp <= :p1"),
                   QStringLiteral("group by code_emp")});
    q.addSqlLine(QStringLiteral("order by code_emp;"));
    q.setParam(QStringLiteral("v_obdobie"), 200502);
    q.setParam(QStringLiteral("P1"), 2);
    q.open();
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName(QStringLiteral("pocet")).type(), FieldType::Integer);
    EXPECT_EQ(q.fieldByName(QStringLiteral("pocet")).displayText(), QStringLiteral("2"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("SUMA")).asFloat(), 203.0);
    q.last();
    EXPECT_EQ(q.value(QStringLiteral("code_emp")).toLongLong(), 2);
    EXPECT_THROW(q.edit(), StateError); // read-only result
    q.close();
    q.params().remove(QStringLiteral("p1"));
    EXPECT_THROW(q.open(), DbError); // a parameter without a value
}

TEST_P(DbQuery, DefaultAliasOwnsUnqualifiedNamesAndSwitches)
{
    TempInstallation &inst = in.inst;
    const QString other = inst.createFolder(QStringLiteral("DATA02"), kFirmDdl);
    in.s.execute(QStringLiteral("insert into vyp (code_emp, v_obdobie) values (9, 200401)"), {}, QStringLiteral("TARIX_DATA"));
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATX"));
    q.setSql(QStringLiteral("select count(*) n from vyp"));
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("n")).toLongLong(), 7); // DATX = DATA
    in.s.setAlias(QStringLiteral("TARIX_DATX"), other);
    EXPECT_FALSE(q.isActive()); // re-pointing closed it
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("n")).toLongLong(), 0);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.open();
    EXPECT_EQ(q.value(QStringLiteral("n")).toLongLong(), 7);
    // The SQL helper's texts name their aliases; dual reads one row.
    EXPECT_EQ(in.s.run(QStringLiteral(R"(select * from ":tarix_data:dual")")).rowCount(), 1);
    EXPECT_EQ(in.s.run(QStringLiteral("select * from dual12")).rowCount(), 12);
}

TEST_P(DbQuery, LiveRowsAreWrittenBackByRowid)
{
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSqlLines({QStringLiteral("select typ,suma,typ_sumy,vypocitana_suma"), QStringLiteral("from zrv"), QStringLiteral("where "),
                   QStringLiteral("v_obdobie=:p1 and code_emp=:p2"), QStringLiteral("for update of vypocitana_suma")});
    q.setParam(QStringLiteral("p1"), 200501);
    q.setParam(QStringLiteral("p2"), 1);
    q.open();
    EXPECT_TRUE(q.isLive());
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldCount(), 4); // the rowid is not a field
    while (!q.eof()) {
        q.edit();
        q.setValue(QStringLiteral("vypocitana_suma"), q.fieldByName(QStringLiteral("suma")).asFloat() * 2);
        q.post();
        q.next();
    }
    const SqlResult r = in.s.run(QStringLiteral("select vypocitana_suma from zrv order by code_emp, zrid"), {}, QStringLiteral("TARIX_DATA"));
    EXPECT_EQ(r.asFloat(0, 0), 6.0);
    EXPECT_EQ(r.asFloat(1, 0), 100.0);
    EXPECT_TRUE(r.isNull(2, 0)); // other employee untouched
}

TEST_P(DbQuery, DetailQueryFollowsTheMasterRow)
{
    Table vyp(&in.s);
    vyp.setDatabaseName(QStringLiteral("TARIX_DATA"));
    vyp.setTableName(QStringLiteral("Vyp"));
    DataSource ds(&vyp);
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSql(QStringLiteral("select typ from zrv where code_emp = :code_emp and v_obdobie = :v_obdobie order by zrid"));
    q.setDataSource(&ds);
    vyp.open();
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    vyp.next(); // (1, 200502)
    EXPECT_EQ(q.recordCount(), 0);
    vyp.next(); // (2, 200501)
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.value(QStringLiteral("typ")).toString(), QStringLiteral("Y"));
}

TEST_P(DbQuery, CallbackFilterOnAnOpenedResultAndCalculatedFields)
{
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSql(QStringLiteral("select code_emp, v_obdobie, n_brutto from vyp order by code_emp, v_obdobie"));
    q.addCalculatedField(QStringLiteral("DOUBLE"), FieldType::Money);
    q.onCalcFields = [](DataSet &d) { d.setValue(QStringLiteral("DOUBLE"), d.fieldByName(QStringLiteral("n_brutto")).asFloat() * 2); };
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("n_brutto")).type(), FieldType::Money);
    EXPECT_EQ(q.value(QStringLiteral("DOUBLE")).toDouble(), 202.0);
    EXPECT_EQ(q.fieldByName(QStringLiteral("DOUBLE")).displayText(), QStringLiteral("202,00"));
    q.setFilterCallback([](DataSet &d) { return d.fieldByName(QStringLiteral("v_obdobie")).asInteger() == 200502; });
    q.setFiltered(true);
    EXPECT_EQ(q.recordCount(), 3);
    const Bookmark b = q.bookmark();
    q.last();
    q.gotoBookmark(b);
    EXPECT_EQ(q.value(QStringLiteral("code_emp")).toLongLong(), 1);
    q.setFiltered(false);
    EXPECT_EQ(q.recordCount(), 6);
}

TEST_P(DbQuery, ExecSqlReportsRowsChanged)
{
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSql(QStringLiteral("update vyp set n_netto = n_brutto * 0.8 where v_obdobie = :p1"));
    q.setParam(QStringLiteral("p1"), 200501);
    EXPECT_EQ(q.execSql(), 3);
    EXPECT_EQ(in.s.run(QStringLiteral("select sum(n_netto) from vyp"), {}, QStringLiteral("TARIX_DATA")).asFloat(0, 0), (101 + 201 + 301) * 0.8);
}

// A text left blank through a dataset is stored as NULL; SQL that tests for the empty text
// still finds it, and "<> ''" still leaves it out.
TEST_P(DbQuery, EmptyTextTestsFindBlankFields)
{
    in.s.execute(QStringLiteral("insert into zam (code_emp, code_numb, sid, surname, zps, cislo_u) values "
                                "(1, 1, 1, 'Cibula', 0, '123'), (2, 2, 1, 'Hudák', 0, '456')"),
                 {}, QStringLiteral("TARIX_DATA"));
    Table t(&in.s);
    t.setDatabaseName(QStringLiteral("TARIX_DATA"));
    t.setTableName(QStringLiteral("zam"));
    t.open();
    ASSERT_TRUE(t.findKey({1}));
    t.edit();
    t.setValue(QStringLiteral("cislo_u"), QString());
    t.post();
    const auto blank = in.s.run(QStringLiteral("select count(*) from zam where cislo_u=''"), {},
                                QStringLiteral("TARIX_DATA"));
    EXPECT_EQ(blank.asInteger(0, 0), 1);
    const auto filled = in.s.run(QStringLiteral("select count(*) from zam where cislo_u<>\"\""), {},
                                 QStringLiteral("TARIX_DATA"));
    EXPECT_EQ(filled.asInteger(0, 0), 1);
}

// A live query's edit starts from the row as stored now, not as the query read it: a
// change since (by another program or by this one's plain SQL) is shown and saved over, a
// row deleted since is refused with the "record changed" message.
TEST_P(DbQuery, LiveEditReadsTheRowAgainWhenItMayHaveChanged)
{
    struct Case {
        const char *what;
        bool byAnotherProgram;
        QString change;
        bool deleted;
    };
    const Case cases[] = {
        {"changed by another program", true, QStringLiteral("update zrv set suma = 30, typ_sumy = 2 where code_emp = 1 and typ = 'O'"), false},
        {"changed by this program's SQL", false, QStringLiteral("update zrv set suma = 30, typ_sumy = 2 where code_emp = 1 and typ = 'O'"), false},
        {"deleted by another program", true, QStringLiteral("delete from zrv where code_emp = 1 and typ = 'O'"), true},
    };
    const QString countOthers = QStringLiteral("select count(*) from zrv where vypocitana_suma is not null");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        in.s.execute(QStringLiteral("delete from zrv"), {}, QStringLiteral("TARIX_DATA"));
        in.s.execute(QStringLiteral("insert into zrv (code_emp, v_obdobie, typ, suma, typ_sumy) values "
                                    "(1, 200501, 'O', 50, 0), (1, 200501, 'P', 3, 1), (2, 200501, 'O', 7, 0)"),
                     {}, QStringLiteral("TARIX_DATA"));
        std::unique_ptr<Session> other = in.otherProgram();
        Query q(&in.s);
        q.setDatabaseName(QStringLiteral("TARIX_DATA"));
        q.setSql(QStringLiteral("select typ, suma, typ_sumy, vypocitana_suma from zrv where code_emp = 1 order by typ"));
        q.setRequestLive(true);
        q.open();
        ASSERT_EQ(q.value(QStringLiteral("typ")).toString(), QStringLiteral("O"));
        ASSERT_EQ(q.fieldByName(QStringLiteral("suma")).asFloat(), 50.0);
        (c.byAnotherProgram ? *other : in.s).execute(c.change, {}, QStringLiteral("TARIX_DATA"));
        if (c.deleted) {
            EXPECT_THROW(q.edit(), RecordChangedError);
            EXPECT_FALSE(q.isEditing());
            EXPECT_EQ(in.s.run(countOthers, {}, QStringLiteral("TARIX_DATA")).asInteger(0, 0), 0);
            EXPECT_EQ(in.s.run(QStringLiteral("select count(*) from zrv"), {}, QStringLiteral("TARIX_DATA")).asInteger(0, 0), 2);
            continue;
        }
        q.edit();
        EXPECT_EQ(q.fieldByName(QStringLiteral("suma")).asFloat(), 30.0);
        EXPECT_EQ(q.fieldByName(QStringLiteral("typ_sumy")).asInteger(), 2);
        q.setValue(QStringLiteral("vypocitana_suma"), q.fieldByName(QStringLiteral("suma")).asFloat() * 2);
        ASSERT_NO_THROW(q.post());
        EXPECT_EQ(q.fieldByName(QStringLiteral("suma")).asFloat(), 30.0);
        const SqlResult r = in.s.run(QStringLiteral("select code_emp, typ, suma, typ_sumy, vypocitana_suma from zrv order by code_emp, typ"), {},
                                     QStringLiteral("TARIX_DATA"));
        ASSERT_EQ(r.rowCount(), 3);
        // Exactly the row the query stood on, with the other program's values kept.
        EXPECT_EQ(r.asFloat(0, 2), 30.0);
        EXPECT_EQ(r.asInteger(0, 3), 2);
        EXPECT_EQ(r.asFloat(0, 4), 60.0);
        EXPECT_TRUE(r.isNull(1, 4));
        EXPECT_TRUE(r.isNull(2, 4));
        EXPECT_EQ(r.asFloat(2, 2), 7.0);
        // The row as saved is what the next edit and save start from.
        q.edit();
        q.setValue(QStringLiteral("vypocitana_suma"), 1.0);
        ASSERT_NO_THROW(q.post());
        EXPECT_EQ(in.s.run(countOthers, {}, QStringLiteral("TARIX_DATA")).asInteger(0, 0), 1);
    }
}
