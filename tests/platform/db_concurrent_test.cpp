// Two connections on one firm database: a save or delete writes exactly the row that was
// read, or refuses with a clear message and writes nothing. Each case on both backends.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/query.h"
#include "platform/db/table.h"
#include "support/stored_rows.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

const QString kChanged = QStringLiteral("Záznam medzitým zmenil alebo zmazal iný používateľ. Zmeny neboli uložené.");

// Every row of a table with its rowid, as stored.
QList<QVariantList> storedRows(Session &s, const QString &table)
{
    return tarix::test::storedRows(s, QStringLiteral("select rowid, * from \":tarix_data:%1\" order by rowid").arg(table));
}

struct TwoClerks {
    Install in;
    std::unique_ptr<Session> otherProgram;
    Session &other; // the second program on the same firm
    explicit TwoClerks(Backend backend) : in(backend), otherProgram(in.otherProgram()), other(*otherProgram)
    {
        in.s.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie, n_brutto, v_den) values
            (1003, 200702, 1000, 20), (1004, 200702, 1200, 21), (1005, 200702, 900, 19))"));
        in.s.execute(QStringLiteral(R"(insert into ":tarix_data:zam" (code_emp, code_numb, sid, surname, zps) values
            (1003, 103, 1, 'Novák', 0))"));
    }
    qint64 rowidOf(int codeEmp)
    {
        return in.s.run(QStringLiteral(R"(select rowid from ":tarix_data:vyp" where code_emp = :e)"),
                        {{QStringLiteral("e"), codeEmp}})
            .asInteger(0, 0);
    }
};

// The first clerk's dataset: the table itself or a live query of it.
std::unique_ptr<DataSet> openClerk(Session &s, bool live, const QString &table, int codeEmp)
{
    if (live) {
        auto q = std::make_unique<Query>(&s);
        q->setDatabaseName(QStringLiteral("TARIX_DATA"));
        q->setSql(QStringLiteral("select * from %1 where code_emp = %2").arg(table).arg(codeEmp));
        q->setRequestLive(true);
        q->open();
        return q;
    }
    auto t = std::make_unique<Table>(&s);
    t->setDatabaseName(QStringLiteral("TARIX_DATA"));
    t->setTableName(table);
    t->open();
    EXPECT_TRUE(t->findKey({codeEmp}));
    return t;
}

class DbConcurrent : public BackendTest {
protected:
    Backend backend() const { return runnable(GetParam()); }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbConcurrent);

TEST_P(DbConcurrent, ASaveOrDeleteOfARowAnotherUserChangedIsRefusedAndWritesNothing)
{
    struct Case {
        const char *what;
        bool live;
        QString table;
        bool deletes; // the first clerk deletes instead of saving
        std::function<void(TwoClerks &)> other;
    };
    const auto otherEdits = [](TwoClerks &c) {
        Table t(&c.other);
        t.setDatabaseName(QStringLiteral("TARIX_DATA"));
        t.setTableName(QStringLiteral("Vyp"));
        t.open();
        ASSERT_TRUE(t.findKey({1003, 200702}));
        t.edit();
        t.setValue(QStringLiteral("V_den"), 22);
        t.setValue(QStringLiteral("N_brutto"), 1760);
        t.post();
    };
    const auto otherDeletes = [](TwoClerks &c) {
        c.other.execute(QStringLiteral(R"(delete from ":tarix_data:vyp" where code_emp = 1003)"));
    };
    const auto otherDeletesAndReusesTheRowid = [](TwoClerks &c) {
        const qint64 id = c.rowidOf(1003);
        c.other.execute(QStringLiteral(R"(delete from ":tarix_data:vyp" where code_emp = 1003)"));
        c.other.executeRaw(QStringLiteral("insert into %1.vyp (rowid, code_emp, v_obdobie, n_brutto, v_den) "
                                          "values (%2, 6000, 200702, 3000, 18)")
                               .arg(c.in.s.schemaOf(QStringLiteral("TARIX_DATA")))
                               .arg(id));
    };
    const Case cases[] = {
        {"edit against edit", false, QStringLiteral("Vyp"), false, otherEdits},
        {"edit against delete", false, QStringLiteral("Vyp"), false, otherDeletes},
        {"edit against delete and an insert that takes the same rowid", false, QStringLiteral("Vyp"), false,
         otherDeletesAndReusesTheRowid},
        {"delete against edit", false, QStringLiteral("Vyp"), true, otherEdits},
        {"delete against delete and an insert that takes the same rowid", false, QStringLiteral("Vyp"), true,
         otherDeletesAndReusesTheRowid},
        {"live query: edit against edit", true, QStringLiteral("Vyp"), false, otherEdits},
        {"live query: edit against delete and an insert that takes the same rowid", true, QStringLiteral("Vyp"),
         false, otherDeletesAndReusesTheRowid},
        {"live query: delete against edit", true, QStringLiteral("Vyp"), true, otherEdits},
        {"edit against a change of case alone", false, QStringLiteral("Zam"), false,
         [](TwoClerks &c) {
             c.other.execute(QStringLiteral(R"(update ":tarix_data:zam" set surname = 'NOVÁK' where code_emp = 1003)"));
         }},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.what);
        TwoClerks c(backend());
        auto first = openClerk(c.in.s, k.live, k.table, 1003);
        if (k.deletes) {
            k.other(c);
            const auto left = storedRows(c.in.s, k.table);
            try {
                first->deleteRecord();
                ADD_FAILURE() << "the delete went through";
            } catch (const RecordChangedError &e) {
                EXPECT_EQ(e.text(), kChanged);
            }
            EXPECT_EQ(storedRows(c.in.s, k.table), left);
            continue;
        }
        first->edit();
        const bool vyp = k.table == u"Vyp";
        const QString field = vyp ? QStringLiteral("V_den") : QStringLiteral("Name");
        const QVariant mine = vyp ? QVariant(10.0) : QVariant(QStringLiteral("Ján"));
        first->setValue(field, mine);
        if (vyp)
            first->setValue(QStringLiteral("N_brutto"), 500);
        k.other(c);
        const auto left = storedRows(c.in.s, k.table);
        try {
            first->post();
            ADD_FAILURE() << "the save went through";
        } catch (const RecordChangedError &e) {
            EXPECT_EQ(e.text(), kChanged);
        }
        EXPECT_EQ(storedRows(c.in.s, k.table), left);
        // The clerk's edit stays on screen; a second try is refused the same way.
        EXPECT_EQ(first->state(), DataSetState::Edit);
        EXPECT_EQ(first->value(field), mine);
        EXPECT_THROW(first->post(), RecordChangedError);
        EXPECT_EQ(storedRows(c.in.s, k.table), left);
        first->cancel();
    }
}

TEST_P(DbConcurrent, ARowPostedBeforeIsSavedAndDeletedAgainWithWhatIsStored)
{
    for (const bool live : {false, true}) {
        SCOPED_TRACE(live ? "live query" : "table");
        TwoClerks c(backend());
        // The database itself changes the row on every save.
        const QString schema = c.in.s.schemaOf(QStringLiteral("TARIX_DATA"));
        if (c.in.s.isServer())
            c.in.s.executeRaw(QStringLiteral(
                "CREATE FUNCTION %1.netto() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                "UPDATE %1.vyp SET n_netto = new.n_brutto * 0.8 WHERE rowid = new.rowid; RETURN NULL; END $$; "
                "CREATE TRIGGER netto AFTER UPDATE OF n_brutto ON %1.vyp FOR EACH ROW EXECUTE FUNCTION %1.netto()").arg(schema));
        else
            c.in.s.executeRaw(QStringLiteral("CREATE TRIGGER %1.netto AFTER UPDATE OF n_brutto ON vyp BEGIN "
                                             "UPDATE vyp SET n_netto = new.n_brutto * 0.8 WHERE rowid = new.rowid; END").arg(schema));
        auto t = openClerk(c.in.s, live, QStringLiteral("Vyp"), 1003);
        for (int brutto : {1100, 1200, 1300}) {
            t->edit();
            t->setValue(QStringLiteral("N_brutto"), brutto);
            ASSERT_NO_THROW(t->post());
        }
        t->edit();
        t->setValue(QStringLiteral("V_den"), 15);
        ASSERT_NO_THROW(t->post()); // compares with the net pay the trigger stored
        const SqlResult r = c.in.s.run(QStringLiteral(R"(select n_brutto, n_netto, v_den from ":tarix_data:vyp" where code_emp = 1003)"));
        EXPECT_EQ(r.value(0, 0).toDouble(), 1300);
        EXPECT_EQ(r.value(0, 1).toDouble(), 1040);
        EXPECT_EQ(r.value(0, 2).toDouble(), 15);
        // A new row, saved and then deleted by the same dataset.
        t->append();
        t->setValue(QStringLiteral("Code_emp"), 1003);
        t->setValue(QStringLiteral("V_obdobie"), 200703);
        ASSERT_NO_THROW(t->post());
        t->edit();
        t->setValue(QStringLiteral("N_brutto"), 700);
        ASSERT_NO_THROW(t->post());
        ASSERT_NO_THROW(t->deleteRecord());
        EXPECT_EQ(c.in.s.run(QStringLiteral(R"(select count(*) from ":tarix_data:vyp" where v_obdobie = 200703)")).asInteger(0, 0), 0);
        EXPECT_EQ(c.in.s.run(QStringLiteral(R"(select count(*) from ":tarix_data:vyp")")).asInteger(0, 0), 3);
    }
}

TEST_P(DbConcurrent, EditingARowAnotherUserDeletedSaysSoAndChangesNothing)
{
    TwoClerks c(backend());
    Table t(&c.in.s);
    t.setDatabaseName(QStringLiteral("TARIX_DATA"));
    t.setTableName(QStringLiteral("Vyp"));
    t.open();
    ASSERT_TRUE(t.findKey({1004, 200702}));
    c.other.execute(QStringLiteral(R"(delete from ":tarix_data:vyp" where code_emp = 1004)"));
    const auto left = storedRows(c.in.s, QStringLiteral("Vyp"));
    try {
        t.edit();
        ADD_FAILURE() << "edited a row that is gone";
    } catch (const RecordChangedError &e) {
        EXPECT_EQ(e.text(), kChanged);
    }
    EXPECT_EQ(t.state(), DataSetState::Browse);
    EXPECT_EQ(storedRows(c.in.s, QStringLiteral("Vyp")), left);
}
