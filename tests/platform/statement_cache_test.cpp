// What the dataset layer keeps between calls so that it does not ask the database twice:
// prepared statements (by their text) and the current record's values as read (an edit
// that begins while nothing can have written starts from them). Neither may ever stand in
// for what the database holds now. Each case on both backends.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

const QString kTwoPayrolls = QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie, n_brutto, v_den) values
            (1003, 200702, 1000, 20), (1004, 200702, 1200, 21))");

struct Payrolls {
    Install in;
    explicit Payrolls(Backend backend) : in(backend) { in.s.execute(kTwoPayrolls); }
    std::unique_ptr<Table> table(Session &s)
    {
        auto t = std::make_unique<Table>(&s);
        t->setDatabaseName(QStringLiteral("TARIX_DATA"));
        t->setTableName(QStringLiteral("vyp"));
        t->open();
        return t;
    }
    double stored(const char *field, int codeEmp)
    {
        return in.s.run(QStringLiteral(R"(select %1 from ":tarix_data:vyp" where code_emp = :e)").arg(QString::fromLatin1(field)),
                        {{QStringLiteral("e"), codeEmp}})
            .asFloat(0, 0);
    }
};

class DbReadReuse : public BackendTest {
protected:
    Backend backend() const { return runnable(GetParam()); }
};

class DbStatementCache : public DbReadReuse {};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbReadReuse);
TARIX_ON_BOTH_BACKENDS(DbStatementCache);

// A row read once and changed afterwards, by any way the layer knows of, is read again
// when its edit begins: the edit shows the change and its save keeps it.
TEST_P(DbReadReuse, AnEditAfterTheRowChangedStartsFromTheRowAsStoredNow)
{
    struct Case {
        const char *how;
        std::function<void(Payrolls &)> change; // the row of 1003 gets n_brutto 1500
        double expected;
    };
    const Case cases[] = {
        {"another dataset on the same table",
         [](Payrolls &p) {
             auto other = p.table(p.in.s);
             ASSERT_TRUE(other->findKey({1003, 200702}));
             other->edit();
             other->setValue(QStringLiteral("N_brutto"), 1500);
             other->post();
         },
         1500},
        {"plain SQL of the same session",
         [](Payrolls &p) {
             p.in.s.execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1003)"));
         },
         1500},
        {"another program on the same data",
         [](Payrolls &p) {
             p.in.otherProgram()->execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1003)"));
         },
         1500},
        {"a change of another row only",
         [](Payrolls &p) {
             p.in.s.execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1004)"));
         },
         1000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        Payrolls p(backend());
        auto t = p.table(p.in.s);
        ASSERT_TRUE(t->findKey({1003, 200702}));
        ASSERT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1000);
        c.change(p);
        t->edit();
        EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), c.expected);
        t->setValue(QStringLiteral("V_den"), 22);
        EXPECT_NO_THROW(t->post());
        EXPECT_EQ(p.stored("n_brutto", 1003), c.expected);
        EXPECT_EQ(p.stored("v_den", 1003), 22);
    }
}

// A row read inside a transaction that is then rolled back is not what is stored: the
// edit begins from the stored row.
TEST_P(DbReadReuse, AnEditAfterARolledBackChangeStartsFromTheStoredRow)
{
    Payrolls p(backend());
    auto t = p.table(p.in.s);
    {
        Transaction tx(&p.in.s);
        p.in.s.execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1003)"));
        t->refresh();
        ASSERT_TRUE(t->findKey({1003, 200702}));
        ASSERT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1500);
    }
    ASSERT_TRUE(t->findKey({1003, 200702}));
    t->edit();
    EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1000);
    t->setValue(QStringLiteral("V_den"), 23);
    EXPECT_NO_THROW(t->post());
    EXPECT_EQ(p.stored("n_brutto", 1003), 1000);
    EXPECT_EQ(p.stored("v_den", 1003), 23);
}

// A record edited twice in a row (post, then edit again) saves the second edit: the values
// stored by the first post are the ones the second save matches.
TEST_P(DbReadReuse, ASecondEditAfterAPostSavesOverTheFirst)
{
    Payrolls p(backend());
    auto t = p.table(p.in.s);
    ASSERT_TRUE(t->findKey({1003, 200702}));
    for (int days : {21, 22, 23}) {
        t->edit();
        t->setValue(QStringLiteral("V_den"), days);
        ASSERT_NO_THROW(t->post());
        EXPECT_EQ(p.stored("v_den", 1003), days);
    }
}

// A statement cached under its text reads what the text means now: after the table's
// columns changed, and after the alias was pointed at another folder.
TEST_P(DbStatementCache, ACachedStatementFollowsTheSchemaAndTheAlias)
{
    Payrolls p(backend());
    const QString sql = QStringLiteral(R"(select n_brutto from ":tarix_data:vyp" where code_emp = 1003)");
    ASSERT_EQ(p.in.s.run(sql).asFloat(0, 0), 1000);

    // The table gets a column more.
    p.in.s.execute(QStringLiteral(R"(alter table ":tarix_data:vyp" add column extra integer)"));
    p.in.s.execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1100, extra = 7 where code_emp = 1003)"));
    EXPECT_EQ(p.in.s.run(sql).asFloat(0, 0), 1100);
    auto t = p.table(p.in.s);
    ASSERT_TRUE(t->findKey({1003, 200702}));
    EXPECT_EQ(t->fieldByName(QStringLiteral("extra")).asInt(), 7);
    t->edit();
    t->setValue(QStringLiteral("V_den"), 24);
    EXPECT_NO_THROW(t->post());
    t->close();

    // The alias moves to another firm's folder, with the same tables and the row different.
    const QString moved = p.in.inst.createFolder(QStringLiteral("DATA02"), kFirmDdl);
    {
        std::unique_ptr<Session> other = p.in.inst.newSession();
        other->setAlias(QStringLiteral("TARIX_DATA"), moved);
        other->execute(kTwoPayrolls);
        other->execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 2000 where code_emp = 1003)"));
    }
    p.in.s.setAlias(QStringLiteral("TARIX_DATA"), moved);
    EXPECT_EQ(p.in.s.run(sql).asFloat(0, 0), 2000);
    auto there = p.table(p.in.s);
    ASSERT_TRUE(there->findKey({1003, 200702}));
    EXPECT_EQ(there->fieldByName(QStringLiteral("N_brutto")).asFloat(), 2000);
    EXPECT_EQ(there->findField(QStringLiteral("extra")), nullptr); // the first folder's column is not this one's
    there->edit();
    there->setValue(QStringLiteral("V_den"), 25);
    EXPECT_NO_THROW(there->post());
    EXPECT_EQ(p.stored("v_den", 1003), 25);
    p.in.s.setAlias(QStringLiteral("TARIX_DATA"), p.in.firm);
    EXPECT_EQ(p.stored("v_den", 1003), 24);
    EXPECT_EQ(p.in.s.run(sql).asFloat(0, 0), 1100);
}

// Another program gives a table a column more while this one has a record of it open and
// statements of it kept: the kept statements read the new column, and the open record
// saves without touching it.
TEST_P(DbStatementCache, KeptStatementsReadOnAfterAnotherProgramGaveTheTableAColumn)
{
    Payrolls p(backend());
    const QString sql = QStringLiteral(R"(select * from ":tarix_data:vyp" where code_emp = 1003)");
    auto t = p.table(p.in.s);
    ASSERT_TRUE(t->findKey({1003, 200702}));
    const int columns = p.in.s.run(sql).columnCount();

    {
        std::unique_ptr<Session> other = p.in.otherProgram();
        other->execute(QStringLiteral(R"(alter table ":tarix_data:vyp" add column extra integer)"));
        other->execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1100, extra = 7 where code_emp = 1003)"));
    }
    p.in.s.run(sql); // the kept statement meets the changed table
    const SqlResult r = p.in.s.run(sql);
    ASSERT_EQ(r.columnCount(), columns + 1);
    EXPECT_EQ(r.value(0, columns), QVariant(qint64(7)));

    t->edit();
    EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1100);
    t->setValue(QStringLiteral("V_den"), 24);
    EXPECT_NO_THROW(t->post());
    EXPECT_EQ(p.stored("v_den", 1003), 24);
    EXPECT_EQ(p.stored("extra", 1003), 7);
}

// The data version is kept for the length of a transaction only (on the embedded database
// no other program can commit while it holds its lock): a row read in one transaction and
// edited in the next, after another program changed it in between, is read again.
TEST_P(DbReadReuse, AnEditInTheNextTransactionSeesWhatAnotherProgramCommittedBetween)
{
    Payrolls p(backend());
    auto t = p.table(p.in.s);
    {
        Transaction first(&p.in.s);
        ASSERT_TRUE(t->findKey({1003, 200702}));
        ASSERT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1000);
        first.commit();
    }
    p.in.otherProgram()->execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1003)"));
    Transaction next(&p.in.s);
    t->edit();
    EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1500);
    t->setValue(QStringLiteral("V_den"), 22);
    EXPECT_NO_THROW(t->post());
    next.commit();
    EXPECT_EQ(p.stored("n_brutto", 1003), 1500);
    EXPECT_EQ(p.stored("v_den", 1003), 22);
}

// On the server another program may commit while a transaction is open (it locks rows,
// not the database, so the embedded case cannot happen): a row read in the transaction and
// edited after such a commit is read again.
TEST(DbReadReuseOnServer, AnEditSeesWhatAnotherProgramCommittedDuringTheTransaction)
{
    TARIX_REQUIRE_PG_SERVER();
    Payrolls p(Backend::Server);
    auto t = p.table(p.in.s);
    Transaction tx(&p.in.s);
    ASSERT_TRUE(t->findKey({1003, 200702}));
    ASSERT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1000);
    p.in.otherProgram()->execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = 1500 where code_emp = 1003)"));
    t->edit();
    EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), 1500);
    t->setValue(QStringLiteral("V_den"), 22);
    EXPECT_NO_THROW(t->post());
    tx.commit();
    EXPECT_EQ(p.stored("n_brutto", 1003), 1500);
    EXPECT_EQ(p.stored("v_den", 1003), 22);
}

// What a save stored is what the next save of the record matches, also when a trigger
// changed the row beyond what was written: the next edit shows the row as stored and its
// save is not refused.
TEST_P(DbReadReuse, TheNextSaveMatchesWhatATriggerMadeOfTheRow)
{
    struct Case {
        const char *what;
        const char *embedded; // the trigger over the schema %1
        const char *server;
        bool inserts;         // the first save is an insert
        double brutto;        // stored after the first save
    };
    const Case cases[] = {
        {"an update trigger writing the row again",
         "CREATE TRIGGER %1.bump AFTER UPDATE OF v_den ON vyp BEGIN "
         "UPDATE vyp SET n_brutto = n_brutto + 1 WHERE rowid = new.rowid; END",
         "CREATE FUNCTION %1.bump() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
         "UPDATE %1.vyp SET n_brutto = n_brutto + 1 WHERE rowid = new.rowid; RETURN NULL; END $$; "
         "CREATE TRIGGER bump AFTER UPDATE OF v_den ON %1.vyp FOR EACH ROW EXECUTE FUNCTION %1.bump()",
         false, 1001},
        {"an insert trigger filling a field",
         "CREATE TRIGGER %1.fill AFTER INSERT ON vyp BEGIN "
         "UPDATE vyp SET n_brutto = 777 WHERE rowid = new.rowid; END",
         "CREATE FUNCTION %1.fill() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
         "UPDATE %1.vyp SET n_brutto = 777 WHERE rowid = new.rowid; RETURN NULL; END $$; "
         "CREATE TRIGGER fill AFTER INSERT ON %1.vyp FOR EACH ROW EXECUTE FUNCTION %1.fill()",
         true, 777},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Payrolls p(backend());
        p.in.s.executeRaw(QString::fromLatin1(p.in.s.isServer() ? c.server : c.embedded)
                              .arg(p.in.s.schemaOf(QStringLiteral("TARIX_DATA"))));
        auto t = p.table(p.in.s);
        const int codeEmp = c.inserts ? 1009 : 1003;
        if (c.inserts) {
            t->append();
            t->setValue(QStringLiteral("Code_emp"), codeEmp);
            t->setValue(QStringLiteral("V_obdobie"), 200702);
        } else {
            ASSERT_TRUE(t->findKey({codeEmp, 200702}));
            t->edit();
        }
        t->setValue(QStringLiteral("V_den"), 22);
        ASSERT_NO_THROW(t->post());
        ASSERT_EQ(p.stored("n_brutto", codeEmp), c.brutto);

        t->edit();
        EXPECT_EQ(t->fieldByName(QStringLiteral("N_brutto")).asFloat(), c.brutto);
        t->setValue(QStringLiteral("V_den"), 23);
        EXPECT_NO_THROW(t->post());
        EXPECT_EQ(p.stored("v_den", codeEmp), 23);
    }
}
