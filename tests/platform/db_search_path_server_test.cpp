// The search path on the server: a SET said inside a transaction is undone by its rollback,
// so the path the server holds after a rollback is the one from before the transaction;
// the session says it again only then, and a rollback that changed nothing costs no SET.
#include "db_test_schema.h"

#include "platform/db/pg_connection.h"

#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

QString serverPath(PgConnection &conn)
{
    return conn.exec(QStringLiteral("SHOW search_path")).value(0, 0).toString();
}

TEST(SearchPathOnServer, ARollbackThatChangedNothingSendsOnlyTheRollback)
{
    TARIX_REQUIRE_PG_SERVER();
    Install in(Backend::Server);
    in.s.attach(QStringLiteral("TARIX_DATA"));
    PgConnection &conn = *in.s.serverConnection();
    const QString before = serverPath(conn);
    in.s.begin();
    in.s.run(QStringLiteral("select 1 from dual"));
    const qint64 trips = conn.roundTrips();
    in.s.rollback();
    EXPECT_EQ(conn.roundTrips(), trips + 1);
    EXPECT_EQ(serverPath(conn), before);
}

// An attachment made inside a transaction (and a savepoint) said its path there; the
// rollback undid that SET, and the session says it again, so that names still resolve.
TEST(SearchPathOnServer, APathSaidInsideARolledBackLevelIsSaidAgain)
{
    TARIX_REQUIRE_PG_SERVER();
    for (const bool nested : {false, true}) {
        SCOPED_TRACE(nested ? "savepoint" : "transaction");
        Install in(Backend::Server);
        in.s.attach(QStringLiteral("TARIX_DATA"));
        PgConnection &conn = *in.s.serverConnection();
        const QString comm = in.s.schemaOf(QStringLiteral("TARIX_COMM"));
        if (nested)
            in.s.begin();
        in.s.begin();
        in.s.attach(QStringLiteral("TARIX_COMM"));
        const QString inside = serverPath(conn);
        ASSERT_TRUE(inside.contains(comm)) << inside.toStdString();
        in.s.rollback();
        EXPECT_EQ(serverPath(conn), inside);
        if (nested) {
            in.s.commit();
            EXPECT_EQ(serverPath(conn), inside);
        }
        EXPECT_EQ(in.s.run(QStringLiteral("select nazov from cis_stat where kod3 = '703'")).rowCount(), 1);
    }
}

} // namespace
