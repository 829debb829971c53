// A prepared statement keeps the field types of its columns; when the table's columns
// change, by this program or another, the statement is prepared anew and the kept types
// follow. On both backends.
#include "db_test_schema.h"

#include "platform/db/query.h"

#include <gtest/gtest.h>

#include <optional>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

class DbColumnTypesCache : public BackendTest {
protected:
    Backend backend() const { return runnable(GetParam()); }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbColumnTypesCache);

TEST_P(DbColumnTypesCache, TypesFollowTheTableAfterItsColumnsChanged)
{
    struct Case {
        const char *what;
        bool byAnotherProgram;
        bool inTransaction; // the kept statement meets the change inside a transaction
    };
    const Case cases[] = {
        {"changed by another program", true, false},
        {"changed by another program, met in a transaction", true, true},
        {"changed by this program", false, false},
        {"changed by this program, met in a transaction", false, true},
    };
    for (const auto &[what, byAnotherProgram, inTransaction] : cases) {
        SCOPED_TRACE(what);
        Install in(backend());
        std::unique_ptr<Session> otherProgram = in.otherProgram();
        Session &changer = byAnotherProgram ? *otherProgram : in.s;
        changer.execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a INTEGER, b VARCHAR(10)))"));
        changer.execute(QStringLiteral(R"(insert into ":tarix_data:kusy" values (1, 'x'))"));
        const QString sql = QStringLiteral("select * from \":tarix_data:kusy\"");
        const SqlResult before = in.s.run(sql);
        Query q(&in.s);
        q.setDatabaseName(QStringLiteral("TARIX_DATA"));
        q.setSql(QStringLiteral("select * from kusy"));
        q.open();
        EXPECT_EQ(q.fieldByName(QStringLiteral("a")).type(), FieldType::Integer);
        q.close();
        ASSERT_EQ(before.columnCount(), 2);
        EXPECT_EQ(before.columnType(0), FieldType::Integer);
        EXPECT_EQ(before.columnType(1), FieldType::String);

        changer.execute(QStringLiteral(R"(drop table ":tarix_data:kusy")"));
        changer.execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a DATE, b FLOAT, c SMALLINT))"));
        changer.execute(QStringLiteral(R"(insert into ":tarix_data:kusy" values ('2007-02-01', 1.5, 3))"));
        // The kept statement meets the changed table; another program's change is noticed
        // only there. A transaction it runs in goes on.
        {
            std::optional<Transaction> tx;
            if (inTransaction)
                tx.emplace(&in.s);
            EXPECT_NO_THROW(in.s.run(sql));
            in.s.execute(QStringLiteral(R"(insert into ":tarix_priv:nakl" (riadok) values (1))"));
            if (tx)
                tx->commit();
        }
        EXPECT_EQ(in.s.run(QStringLiteral(R"(select count(*) from ":tarix_priv:nakl")")).asInteger(0, 0), 1);
        const SqlResult after = in.s.run(sql);
        ASSERT_EQ(after.columnCount(), 3);
        EXPECT_EQ(after.columnType(0), FieldType::Date);
        EXPECT_EQ(after.columnType(1), FieldType::Float);
        EXPECT_EQ(after.columnType(2), FieldType::SmallInt);
        EXPECT_EQ(after.value(0, 0), QVariant(QDate(2007, 2, 1)));

        // The dataset layer's query over its kept statement gets the new fields too.
        q.open();
        q.close();
        q.open();
        ASSERT_EQ(q.fieldCount(), 3);
        EXPECT_EQ(q.fieldByName(QStringLiteral("a")).type(), FieldType::Date);
        EXPECT_EQ(q.fieldByName(QStringLiteral("c")).asInt(), 3);
        q.close();

        // Fewer columns than the kept statement had.
        changer.execute(QStringLiteral(R"(drop table ":tarix_data:kusy")"));
        changer.execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a VARCHAR(5)))"));
        changer.execute(QStringLiteral(R"(insert into ":tarix_data:kusy" values ('y'))"));
        EXPECT_NO_THROW(in.s.run(sql));
        const SqlResult fewer = in.s.run(sql);
        ASSERT_EQ(fewer.columnCount(), 1);
        EXPECT_EQ(fewer.columnType(0), FieldType::String);
        EXPECT_EQ(fewer.value(0, 0), QVariant(QStringLiteral("y")));
    }
}

// On the server a statement prepared again replaces the one it was: however often tables
// are redefined, the connection holds one prepared statement per text. (The embedded
// database keeps nothing on a server.)
TEST(DbColumnTypesCacheOnServer, StatementsPreparedAgainDoNotPileUpOnTheServer)
{
    TARIX_REQUIRE_PG_SERVER();
    Install in(Backend::Server);
    const QString read = QStringLiteral(R"(select count(*) from ":tarix_data:vyp")");
    const auto prepared = [&] {
        return in.s.serverConnection()->exec(QStringLiteral("select count(*) from pg_prepared_statements")).value(0, 0).toLongLong();
    };
    in.s.run(read);
    for (int i = 0; i < 3; ++i) {
        in.s.execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a INTEGER))"));
        in.s.run(read);
        in.s.execute(QStringLiteral(R"(drop table ":tarix_data:kusy")"));
        in.s.run(read);
    }
    const qint64 settled = prepared();
    for (int i = 0; i < 10; ++i) {
        in.s.execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a INTEGER))"));
        in.s.run(read);
        in.s.execute(QStringLiteral(R"(drop table ":tarix_data:kusy")"));
        in.s.run(read);
    }
    EXPECT_EQ(prepared(), settled);
}
