// The connection to the PostgreSQL server against the throwaway test cluster: connecting and
// its refusals, values in the forms the dataset layer reads from SQLite, prepared statements
// bound by position and by name, the layer's error kinds, transactions and savepoints.
#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/sql_dialect.h"
#include "support/pg_test_server.h"

#include <QDate>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace tarix;
using namespace tarix::db;

namespace {

class PgConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TARIX_REQUIRE_PG_SERVER();
        database = std::make_unique<test::PgTestDatabase>();
        conn = std::make_unique<PgConnection>(database->conninfo());
        conn->executeRaw(QStringLiteral("CREATE TABLE t (id bigint PRIMARY KEY, name varchar(20), suma double precision)"));
    }

    qint64 count(PgConnection &c, const QString &where = QStringLiteral("true"))
    {
        return c.exec(QStringLiteral("SELECT count(*) FROM t WHERE ") + where).value(0, 0).toLongLong();
    }

    std::unique_ptr<test::PgTestDatabase> database;
    std::unique_ptr<PgConnection> conn;
};

} // namespace

// A server that is not there and a text that is no connection string need no server.
TEST(PgConnect, RefusalsNameTheServerAndTheReason)
{
    struct Case {
        const char *conninfo;
        const char *server;
        const char *reason;
    } cases[] = {
        {"host=/nonexistent/tarix port=5999 dbname=firma", "/nonexistent/tarix:5999/firma", "server nie je dostupný"},
        {"host=server.invalid dbname=tarix connect_timeout=2", "server.invalid/tarix", "server nie je dostupný"},
        {"host=server dbname", "(chybný názov)", "chybný zápis pripojenia"},
        {"host=x nonsense=1", "(chybný názov)", "chybný zápis pripojenia"},
    };
    for (const Case &c : cases) {
        try {
            PgConnection bad(QString::fromUtf8(c.conninfo));
            ADD_FAILURE() << "connected to " << c.conninfo;
        } catch (const ServerError &e) {
            EXPECT_EQ(e.server(), QString::fromUtf8(c.server)) << c.conninfo;
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("Nepodarilo sa pripojiť k databázovému serveru ")
                                            + QString::fromUtf8(c.server) + QStringLiteral(": ")
                                            + QString::fromUtf8(c.reason)))
                << e.text().toStdString();
        }
    }
}

TEST(PgConnect, ThePasswordIsNeverShown)
{
    try {
        PgConnection bad(QStringLiteral("host=/nonexistent/tarix dbname=firma user=mzdy password=tajne123"));
        ADD_FAILURE();
    } catch (const ServerError &e) {
        EXPECT_FALSE(e.text().contains(QStringLiteral("tajne123"))) << e.text().toStdString();
    }
}

TEST_F(PgConnectionTest, ALoginOrDatabaseTheServerRefusesIsNamed)
{
    const QString server = test::pgTestConninfo();
    struct Case {
        QString conninfo;
        const char *reason;
    } cases[] = {
        {server + QStringLiteral(" user=nikto_taky"), "server odmietol prihlásenie"},
        {server + QStringLiteral(" dbname=ziadna_taka"), "databáza na serveri neexistuje"},
    };
    for (const Case &c : cases) {
        try {
            PgConnection bad(c.conninfo);
            ADD_FAILURE() << c.conninfo.toStdString();
        } catch (const ServerError &e) {
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.reason))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(PgConnection::serverNameOf(c.conninfo)));
        }
    }
}

// Values come back as SQLite hands them to the layer, and bound values go in the same way.
TEST_F(PgConnectionTest, ValuesInTheLayersStoredForms)
{
    struct Case {
        const char *expr;
        QVariant expected;
    } cases[] = {
        {"NULL::bigint", QVariant()},
        {"NULL::text", QVariant()},
        {"5::smallint", QVariant(qint64(5))},
        {"200703::integer", QVariant(qint64(200703))},
        {"9007199254740993::bigint", QVariant(qint64(9007199254740993LL))},
        {"12.5::double precision", QVariant(12.5)},
        {"0.1::double precision", QVariant(0.1)},
        {"avg(x) FROM (VALUES (1), (2)) v(x)", QVariant(1.5)},
        {"true", QVariant(qint64(1))},
        {"'Č' > 'D'", QVariant(qint64(1))},
        {"'2007-03-01'::date", QVariant(QStringLiteral("2007-03-01"))},
        {"'13:05:00'::time(0)", QVariant(QStringLiteral("13:05:00"))},
        {"'2007-03-01 13:05:00'::timestamp(0)", QVariant(QStringLiteral("2007-03-01 13:05:00"))},
        {"'Ľudovít Štúr'::varchar(20)", QVariant(QStringLiteral("Ľudovít Štúr"))},
        {"'\\x00ff41'::bytea", QVariant(QByteArray("\x00\xff" "A", 3))},
    };
    for (const Case &c : cases) {
        const PgResult r = conn->exec(QStringLiteral("SELECT ") + QString::fromUtf8(c.expr));
        EXPECT_EQ(r.value(0, 0), c.expected) << c.expr;
    }

    conn->executeRaw(QStringLiteral("CREATE TABLE v (d date, n smallint, b bytea, f double precision, s text)"));
    const QByteArray bytes("\x00\x01\xfe", 3);
    conn->execute(QStringLiteral("INSERT INTO v VALUES ($1, $2, $3, $4, $5)"),
                  {QDate(2005, 1, 31), true, bytes, 1.0 / 3.0, QStringLiteral("O'Neil \"x\" \\")});
    const PgResult r = conn->exec(QStringLiteral("SELECT d, n, b, f, s, d = $1 FROM v"), {QStringLiteral("2005-01-31")});
    EXPECT_EQ(r.value(0, 0), QVariant(QStringLiteral("2005-01-31")));
    EXPECT_EQ(r.value(0, 1), QVariant(qint64(1)));
    EXPECT_EQ(r.value(0, 2), QVariant(bytes));
    EXPECT_EQ(r.value(0, 3), QVariant(1.0 / 3.0));
    EXPECT_EQ(r.value(0, 4), QVariant(QStringLiteral("O'Neil \"x\" \\")));
    EXPECT_EQ(r.value(0, 5), QVariant(qint64(1)));
    EXPECT_EQ(r.columnNames(), (QStringList{"d", "n", "b", "f", "s", "?column?"}));
}

TEST_F(PgConnectionTest, PreparedStatementsBindByPositionAndByName)
{
    PgStatement &ins = conn->prepare(QStringLiteral("INSERT INTO t VALUES ($1, $2, $3)"));
    EXPECT_EQ(&ins, &conn->prepare(QStringLiteral("INSERT INTO t VALUES ($1, $2, $3)"))); // one per text
    EXPECT_EQ(ins.parameterCount(), 3);
    for (int i = 1; i <= 3; ++i) {
        ins.bind(1, i);
        ins.bind(2, QStringLiteral("meno %1").arg(i));
        ins.bind(3, i * 10.5);
        EXPECT_EQ(ins.exec().rowsAffected(), 1);
    }
    ins.clearBindings();
    ins.bind(1, 4);
    ins.exec(); // unbound parameters are NULL
    EXPECT_EQ(count(*conn, QStringLiteral("name IS NULL AND suma IS NULL")), 1);
    EXPECT_THROW(ins.bind(4, 1), DbError);

    // The program's text with named parameters, one of them twice and in another case.
    SqlRewriteContext ctx;
    ctx.target = SqlTarget::PostgreSql;
    const SqlRewrite rw = rewriteSql(QStringLiteral("select count(*) from t where id between :OD - 1 and :od + 1 and suma > :s"), ctx);
    PgStatement &sel = conn->prepare(rw.sql);
    PgConnection::bindParams(sel, rw, Params{{QStringLiteral("od"), 2}, {QStringLiteral("S"), 20}});
    EXPECT_EQ(sel.exec().value(0, 0).toLongLong(), 2); // ids 2 and 3 (id 1 has 10.5)
    EXPECT_THROW(PgConnection::bindParams(sel, rw, Params{{QStringLiteral("od"), 2}}), DbError);
}

TEST_F(PgConnectionTest, ErrorsAreTheLayersKinds)
{
    conn->execute(QStringLiteral("INSERT INTO t VALUES (1, 'a', 1)"));
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO t VALUES (1, 'b', 2)")), KeyViolation);
    EXPECT_THROW(conn->exec(QStringLiteral("SELECT nonsense FROM t")), SqlError);
    EXPECT_THROW(conn->prepare(QStringLiteral("SELECT FROM WHERE")), SqlError);
    try {
        conn->exec(QStringLiteral("SELECT nonsense FROM t"));
    } catch (const SqlError &e) {
        EXPECT_EQ(e.sql(), QStringLiteral("SELECT nonsense FROM t")); // the text is kept for the report
    }

    // A row another connection holds: the write waits for the busy timeout, then BusyError
    // naming the holder by its application name.
    ConnectionSettings holder;
    holder.applicationName = QStringLiteral("TARIX uctaren");
    PgConnection other(database->conninfo(), holder);
    other.begin();
    other.execute(QStringLiteral("UPDATE t SET name = 'x' WHERE id = 1"));
    conn->setBusyTimeout(200);
    try {
        conn->execute(QStringLiteral("UPDATE t SET name = 'y' WHERE id = 1"));
        ADD_FAILURE() << "the row was not locked";
    } catch (const BusyError &e) {
        EXPECT_EQ(e.text(), busyMessage(QStringLiteral("TARIX uctaren")));
    }
    other.rollback();
    EXPECT_EQ(conn->execute(QStringLiteral("UPDATE t SET name = 'y' WHERE id = 1")), 1);
}

TEST_F(PgConnectionTest, TransactionsAndSavepoints)
{
    PgConnection other(database->conninfo());
    conn->begin();
    conn->execute(QStringLiteral("INSERT INTO t VALUES (1, 'a', 1)"));
    EXPECT_EQ(count(other), 0); // not before the commit
    conn->begin(); // a savepoint
    conn->execute(QStringLiteral("INSERT INTO t VALUES (2, 'b', 1)"));
    conn->rollback();
    EXPECT_EQ(conn->transactionDepth(), 1);
    conn->begin();
    conn->execute(QStringLiteral("INSERT INTO t VALUES (3, 'c', 1)"));
    conn->commit();
    // A failed statement undoes itself only: the transaction goes on, as with SQLite.
    EXPECT_THROW(conn->execute(QStringLiteral("INSERT INTO t VALUES (1, 'dup', 1)")), KeyViolation);
    EXPECT_THROW(conn->executeRaw(QStringLiteral("INSERT INTO t VALUES (4, 'd', 1); SELECT nonsense")), SqlError);
    conn->execute(QStringLiteral("INSERT INTO t VALUES (5, 'e', 1)"));
    conn->commit();
    EXPECT_EQ(conn->transactionDepth(), 0);
    EXPECT_EQ(other.exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1,3,5")));

    conn->begin();
    conn->execute(QStringLiteral("DELETE FROM t"));
    conn->rollback();
    EXPECT_EQ(count(other), 3);
    EXPECT_THROW(conn->commit(), StateError);
    EXPECT_THROW(conn->rollback(), StateError);
}

// Inside a transaction each statement's savepoint travels with the statement: every kind of
// failure, also one after rows already came, undoes that statement only, and the results of
// the statements around it are whole.
TEST_F(PgConnectionTest, InsideATransactionEachFailureUndoesItsStatementOnly)
{
    conn->execute(QStringLiteral("INSERT INTO t VALUES (1, 'a', 1), (2, 'b', 1)"));
    PgConnection other(database->conninfo());
    other.begin();
    other.execute(QStringLiteral("UPDATE t SET name = 'held' WHERE id = 2"));
    conn->setBusyTimeout(200);

    PgStatement &ins = conn->prepare(QStringLiteral("INSERT INTO t VALUES ($1, $2, $3)"));
    conn->begin();
    ins.exec({10, QStringLiteral("kept before"), 1});
    struct Failure {
        const char *what;
        std::function<void()> run;
        std::function<bool(const std::exception &)> expected;
    };
    const auto is = [](auto *kind) {
        return [](const std::exception &e) { return dynamic_cast<const std::remove_pointer_t<decltype(kind)> *>(&e) != nullptr; };
    };
    const std::vector<Failure> failures = {
        {"a duplicate key through a prepared statement", [&] { ins.exec({1, QStringLiteral("dup"), 1}); }, is((KeyViolation *)nullptr)},
        {"a duplicate key through a text", [&] { conn->execute(QStringLiteral("INSERT INTO t VALUES (10, 'dup', 1)")); }, is((KeyViolation *)nullptr)},
        {"a refused text", [&] { conn->exec(QStringLiteral("SELECT nonsense FROM t")); }, is((SqlError *)nullptr)},
        {"an error after rows came", [&] { conn->exec(QStringLiteral("SELECT 10 / (x - 3) FROM generate_series(1, 5) x")); }, is((SqlError *)nullptr)},
        {"a row another connection holds", [&] { conn->execute(QStringLiteral("UPDATE t SET name = 'y' WHERE id = 2")); }, is((BusyError *)nullptr)},
        {"a write that half happened", [&] { conn->execute(QStringLiteral("INSERT INTO t SELECT x, 'half', 1 FROM generate_series(20, 30) x UNION ALL SELECT 10, 'dup', 1")); }, is((KeyViolation *)nullptr)},
    };
    int n = 100;
    for (const Failure &f : failures) {
        SCOPED_TRACE(f.what);
        try {
            f.run();
            ADD_FAILURE() << "no failure";
        } catch (const std::exception &e) {
            EXPECT_TRUE(f.expected(e)) << e.what();
        }
        // The transaction goes on: a write and a read of many rows right after.
        ins.exec({++n, QStringLiteral("after"), 1});
        const PgResult rows = conn->exec(QStringLiteral("SELECT x FROM generate_series(1, 1000) x"));
        ASSERT_EQ(rows.rowCount(), 1000);
        EXPECT_EQ(rows.value(999, 0).toLongLong(), 1000);
    }
    conn->begin(); // a savepoint of the program's own around more failures
    EXPECT_THROW(ins.exec({10, QStringLiteral("dup"), 1}), KeyViolation);
    ins.exec({200, QStringLiteral("inner"), 1});
    conn->commit();
    conn->commit();
    other.rollback();
    EXPECT_EQ(other.exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1,2,10,101,102,103,104,105,106,200")));
    EXPECT_EQ(count(other, QStringLiteral("name IN ('dup', 'half', 'y')")), 0);
}

// The first statement of a program's savepoint runs without a savepoint of its own: when it
// fails, the program's savepoint stands as it was opened, so a rollback of that scope undoes
// what ran in it after the failure and nothing from before it.
TEST_F(PgConnectionTest, AFailedFirstStatementOfASavepointLeavesTheSavepoint)
{
    PgStatement &ins = conn->prepare(QStringLiteral("INSERT INTO t VALUES ($1, 'x', 1)"));
    conn->begin();
    ins.exec({1});
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "committed" : "rolled back");
        conn->begin();
        EXPECT_THROW(ins.exec({1}), KeyViolation); // the scope's first statement
        ins.exec({keep ? 3 : 2});
        conn->begin();
        EXPECT_THROW(conn->exec(QStringLiteral("SELECT nonsense")), SqlError);
        conn->commit();
        keep ? conn->commit() : conn->rollback();
        EXPECT_EQ(conn->transactionDepth(), 1);
    }
    const qint64 before = conn->roundTrips();
    conn->begin();
    ins.exec({4}); // the savepoint, the statement and nothing more: one round trip
    conn->commit();
    EXPECT_EQ(conn->roundTrips() - before, 1);
    conn->commit();
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1,3,4")));
}

// Nested scopes, also empty ones and ones ended right after another, keep exactly what their
// commits keep.
TEST_F(PgConnectionTest, NestedScopesKeepWhatTheirCommitsKeep)
{
    const auto ins = [&](int id) { conn->execute(QStringLiteral("INSERT INTO t VALUES (%1, 'x', 1)").arg(id)); };
    conn->begin();
    conn->begin(); // nothing runs in it
    conn->commit();
    conn->begin();
    conn->rollback();
    conn->begin();
    ins(1);
    conn->begin();
    conn->begin();
    ins(2);
    conn->rollback(); // undoes 2
    conn->begin();
    conn->commit();
    conn->commit();
    conn->commit(); // keeps 1
    conn->commit();
    conn->begin();
    conn->begin();
    ins(3);
    conn->begin();
    ins(4);
    conn->commit();
    conn->rollback(); // undoes 3 and 4
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1")));
    conn->begin();
    ins(5);
    conn->rollback(); // the last word before the commit: undoes 5
    conn->commit();
    EXPECT_EQ(conn->transactionDepth(), 0);
    PgConnection other(database->conninfo());
    EXPECT_EQ(other.exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1")));
    conn->begin();
    conn->begin();
    ins(6);
    conn->commit();
    conn->rollback(); // a savepoint released and the whole transaction undone
    EXPECT_EQ(count(other), 1);
}

// A level whose first statement went without waiting and without its savepoint (a post's
// save of a row it holds): committed, it keeps its writes and those of levels inside it, and
// a level inside it or a statement that fails in it still rolls back alone; rolled back, it cannot undo its writes alone, so
// every later statement and the commit refuse and nothing of the transaction is stored,
// until the rollback of the whole transaction. A level whose savepoint was already made
// rolls back as ever.
TEST_F(PgConnectionTest, ALevelWithoutItsSavepointKeepsOrLosesTheWholeTransaction)
{
    PgStatement &ins = conn->prepare(QStringLiteral("INSERT INTO t VALUES ($1, 'x', 1)"));
    PgConnection other(database->conninfo());
    conn->begin();
    ins.exec({1});
    conn->begin();
    ins.execDeferred({2}, 1, true); // the level's first statement
    EXPECT_THROW(ins.exec({1}), KeyViolation); // undoes itself only
    conn->begin();
    ins.exec({3});
    conn->rollback(); // undoes 3 only
    ins.exec({4});
    conn->commit();
    conn->begin();
    ins.exec({5}); // the savepoint is made with it
    ins.execDeferred({6}, 1, true);
    conn->rollback(); // undoes 5 and 6
    conn->commit();
    EXPECT_EQ(other.exec(QStringLiteral("SELECT string_agg(id::text, ',' ORDER BY id) FROM t")).value(0, 0),
              QVariant(QStringLiteral("1,2,4")));

    for (const bool nested : {false, true}) {
        SCOPED_TRACE(nested ? "inside a level" : "in the transaction");
        conn->begin();
        ins.exec({10});
        if (nested)
            conn->begin();
        conn->begin();
        ins.execDeferred({11}, 1, true);
        conn->rollback();
        EXPECT_TRUE(conn->transactionFailed());
        EXPECT_THROW(count(*conn), DbError);
        EXPECT_THROW(ins.exec({12}), DbError);
        if (nested)
            conn->commit();
        EXPECT_THROW(conn->commit(), DbError);
        EXPECT_EQ(conn->transactionDepth(), 0);
        EXPECT_FALSE(conn->transactionFailed());
        EXPECT_EQ(count(other, QStringLiteral("id >= 10")), 0);
    }
    conn->begin();
    conn->begin();
    ins.execDeferred({13}, 1, true);
    conn->rollback();
    conn->rollback(); // the whole transaction: the failure ends with it
    conn->begin();
    ins.exec({14});
    conn->commit();
    EXPECT_EQ(count(other, QStringLiteral("id >= 10")), 1);
}
