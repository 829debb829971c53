// The data version on the server: it moves when another program's write has committed, not
// when the write ran (a cache filled in between keeps the rows as they were before the
// commit and must be read again after it), never for the session's own writes or for
// rollbacks, and a look costs no exchange with the server. Another program is either a
// session of this process or a connection of another (a bare connection here: the server's
// notice reaches it only a moment after the commit).
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

// What the program's caches do: the version first, then the rows, kept under that version;
// a look finds them current while the version stands.
struct KeptName {
    Session &s;
    QString schema;
    qint64 version = 0;
    QString name;
    int reads = 0;

    QString get()
    {
        const qint64 now = s.dataVersion(schema);
        if (reads == 0 || now != version) {
            version = now;
            name = s.run(QStringLiteral(R"(select nazov from ":tarix_data:inf")")).value(0, 0).toString();
            ++reads;
        }
        return name;
    }
};

class DataVersionOnServer : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        TARIX_REQUIRE_PG_SERVER();
        in = std::make_unique<Install>(Backend::Server);
        schema = in->s.schemaOf(QStringLiteral("TARIX_DATA"));
        in->s.attach(QStringLiteral("TARIX_DATA"));
        if (GetParam()) {
            session = in->otherProgram();
            session->attach(QStringLiteral("TARIX_DATA"));
        } else {
            bare = std::make_unique<PgConnection>(in->database->conninfo());
        }
    }
    void otherBegin() { session ? session->begin() : bare->begin(); }
    void otherWrite(const QString &name)
    {
        if (session)
            session->execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = :n)"), {{QStringLiteral("n"), name}});
        else
            bare->execute(QStringLiteral("UPDATE %1.inf SET nazov = $1").arg(schema), {name});
    }
    void otherCommit() { session ? session->commit() : bare->commit(); }
    void otherRollback() { session ? session->rollback() : bare->rollback(); }

    // What another process committed reaches this session with the answer to its next
    // statement at the latest; the version is then looked at.
    qint64 versionAfterAStatement()
    {
        in->s.run(QStringLiteral("select 1 from dual"));
        return in->s.dataVersion(schema);
    }

    std::unique_ptr<Install> in;
    QString schema;
    std::unique_ptr<Session> session;
    std::unique_ptr<PgConnection> bare;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Server, DataVersionOnServer, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? std::string("SessionOfThisProcess")
                                                                  : std::string("AnotherProcess"); });

TEST_P(DataVersionOnServer, ACacheFilledBeforeAnotherProgramsCommitIsReadAgainAfterIt)
{
    KeptName kept{in->s, schema};
    EXPECT_EQ(kept.get(), QStringLiteral("Firma s.r.o."));

    otherBegin();
    otherWrite(QStringLiteral("Nová"));
    // Written, not committed: the cache is filled again (or kept) with the old name.
    EXPECT_EQ(versionAfterAStatement(), kept.version);
    EXPECT_EQ(kept.get(), QStringLiteral("Firma s.r.o."));
    otherCommit();

    // After the commit the kept name is not trusted any more.
    versionAfterAStatement();
    EXPECT_EQ(kept.get(), QStringLiteral("Nová"));
    EXPECT_EQ(kept.reads, 2);
}

TEST_P(DataVersionOnServer, RollbacksAndOwnWritesLeaveItAlone)
{
    const qint64 start = versionAfterAStatement();
    otherBegin();
    otherWrite(QStringLiteral("Zrušená"));
    otherRollback();
    EXPECT_EQ(versionAfterAStatement(), start) << "another program's rollback";

    in->s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'Vlastná')"));
    {
        Transaction tx(&in->s);
        in->s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'Vlastná 2')"));
        tx.commit();
    }
    {
        Transaction tx(&in->s);
        in->s.execute(QStringLiteral(R"(update ":tarix_data:inf" set nazov = 'Zrušená')"));
    }
    EXPECT_EQ(versionAfterAStatement(), start) << "own writes, committed and rolled back";

    // Another schema's write moves only that schema's version.
    const QString year = in->s.schemaOf(QStringLiteral("TARIX_COMM"));
    in->s.attach(QStringLiteral("TARIX_COMM"));
    const qint64 yearStart = in->s.dataVersion(year);
    otherBegin();
    otherWrite(QStringLiteral("Iná"));
    otherCommit();
    EXPECT_NE(versionAfterAStatement(), start);
    EXPECT_EQ(in->s.dataVersion(year), yearStart);
}

// Inside the session's own transaction nothing another program commits arrives: the version
// stands still there, and moves once the transaction has ended.
TEST_P(DataVersionOnServer, InsideOwnTransactionItMovesOnlyAfterwards)
{
    const qint64 start = versionAfterAStatement();
    {
        Transaction tx(&in->s);
        in->s.run(QStringLiteral("select 1 from dual"));
        otherBegin();
        otherWrite(QStringLiteral("Počas"));
        otherCommit();
        if (!GetParam()) { // a session of this process tells its commits at once
            EXPECT_EQ(versionAfterAStatement(), start);
        }
        tx.commit();
    }
    EXPECT_NE(versionAfterAStatement(), start);
}

TEST_P(DataVersionOnServer, ALookCostsNoExchangeWithTheServer)
{
    PgConnection &conn = *in->s.serverConnection();
    const qint64 trips = conn.roundTrips();
    for (int i = 0; i < 100; ++i)
        in->s.dataVersion(schema);
    EXPECT_EQ(conn.roundTrips(), trips);
}

// A table without the trigger that announces its writes (made behind the program's back)
// makes its schema's version move at every look: nothing kept of it is trusted.
TEST(DataVersionOnServerUntrusted, ASchemaWithATableThatDoesNotAnnounceIsNeverTrusted)
{
    TARIX_REQUIRE_PG_SERVER();
    Install in(Backend::Server);
    const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
    PgConnection bare(in.database->conninfo());
    bare.executeRaw(QStringLiteral("DROP TRIGGER _data_changed ON %1.inf").arg(schema));
    in.s.attach(QStringLiteral("TARIX_DATA"));
    EXPECT_NE(in.s.dataVersion(schema), in.s.dataVersion(schema));
    // The program's own DDL puts the trigger back on every table of the attached schemas.
    in.s.execute(QStringLiteral(R"(create table ":tarix_data:novy" (cislo INTEGER))"));
    EXPECT_EQ(in.s.dataVersion(schema), in.s.dataVersion(schema));
}

// A server made by an older build: its trigger function is replaced when a program starts,
// so that its writes are announced.
TEST(DataVersionOnServerUpgrade, AnOlderTriggerFunctionIsReplacedAtStart)
{
    TARIX_REQUIRE_PG_SERVER();
    Install in(Backend::Server);
    const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
    {
        PgConnection bare(in.database->conninfo());
        bare.executeRaw(QStringLiteral(
            "CREATE OR REPLACE FUNCTION tarix.data_changed() RETURNS trigger LANGUAGE plpgsql AS $body$\n"
            "BEGIN PERFORM nextval(format('%I._data_version', TG_TABLE_SCHEMA)); RETURN NULL; END $body$"));
    }
    std::unique_ptr<Session> started = in.otherProgram(); // a program starting now
    started->attach(QStringLiteral("TARIX_DATA"));
    in.s.attach(QStringLiteral("TARIX_DATA"));
    const qint64 start = in.s.dataVersion(schema);
    PgConnection bare(in.database->conninfo());
    bare.execute(QStringLiteral("UPDATE %1.inf SET nazov = 'Po novom'").arg(schema));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (in.s.dataVersion(schema) == start && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_NE(in.s.dataVersion(schema), start);
}
