// What several programs on one firm's data rely on, on both backends: blanks sort where the
// embedded database puts them, the next number of a key is never handed out twice, a large
// result is read whole and in order, and a table made later moves the data version.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/query.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

class DbSharedData : public BackendTest {
protected:
    QList<qint64> numbers(const QString &sql)
    {
        const SqlResult r = in.s.run(sql, {}, QStringLiteral("TARIX_PRIV"));
        QList<qint64> out;
        for (int i = 0; i < r.rowCount(); ++i)
            out << r.asInteger(i, 0);
        return out;
    }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbSharedData);

// The program's texts sort blank values first ascending and last descending, in every place
// an ORDER BY stands.
TEST_P(DbSharedData, BlanksSortAsOnTheEmbeddedDatabase)
{
    in.s.execute(QStringLiteral("insert into nakl (riadok, ident_symbol, ident_cislo) values "
                                "(1, 'A', 2.0), (2, null, 1.0), (3, 'B', null), (4, null, null), (5, 'A', 1.0)"),
                 {}, QStringLiteral("TARIX_PRIV"));
    const struct {
        const char *sql;
        QList<qint64> expected;
    } cases[] = {
        {"select riadok from nakl order by ident_cislo, riadok", {3, 4, 2, 5, 1}},
        {"select riadok from nakl order by ident_cislo desc, riadok", {1, 2, 5, 3, 4}},
        {"select riadok from nakl order by ident_symbol desc, riadok desc", {3, 5, 1, 4, 2}},
        {"select riadok from nakl order by ident_symbol asc, ident_cislo desc", {2, 4, 1, 5, 3}},
        {"select riadok from (select riadok, row_number() over (order by ident_symbol, riadok) n from nakl) x order by n",
         {2, 4, 1, 5, 3}},
        {"select riadok from nakl where riadok = (select riadok from nakl order by ident_cislo, riadok desc limit 1)", {4}},
        {"select riadok from nakl where ident_symbol is null or ident_cislo is null order by ident_symbol desc, riadok",
         {3, 2, 4}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(numbers(QString::fromUtf8(c.sql)), c.expected);
    }
}

// Ten thousand rows read through a query and through plain SQL: every row, in order, blanks
// where they were stored.
TEST_P(DbSharedData, ALargeResultIsReadWholeAndInOrder)
{
    constexpr int kRows = 10000;
    in.s.execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
        "insert into \":tarix_priv:nakl\" (riadok, ident_symbol, ident_cislo, suma) "
        "select i, case when i % 7 = 0 then null else 'A' end, i * 0.5, i from n").arg(kRows));
    // Filled symbols first in descending order, then the blank ones.
    QList<qint64> expected;
    for (int i = 1; i <= kRows; ++i)
        if (i % 7 != 0)
            expected << i;
    for (int i = 7; i <= kRows; i += 7)
        expected << i;

    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_PRIV"));
    q.setSql(QStringLiteral("select riadok, ident_symbol, ident_cislo, suma from nakl order by ident_symbol desc, riadok"));
    q.open();
    ASSERT_EQ(q.recordCount(), kRows);
    int k = 0;
    for (q.first(); !q.eof(); q.next(), ++k) {
        ASSERT_LT(k, kRows);
        const qint64 riadok = q.fieldByName(QStringLiteral("riadok")).asInteger();
        ASSERT_EQ(riadok, expected[k]) << "row " << k;
        ASSERT_EQ(q.fieldByName(QStringLiteral("ident_symbol")).isNull(), riadok % 7 == 0) << "row " << k;
        ASSERT_EQ(q.fieldByName(QStringLiteral("ident_cislo")).asFloat(), riadok * 0.5) << "row " << k;
        ASSERT_EQ(q.fieldByName(QStringLiteral("suma")).asFloat(), double(riadok)) << "row " << k;
    }
    EXPECT_EQ(k, kRows);
    EXPECT_EQ(numbers(QStringLiteral("select riadok from nakl order by ident_symbol desc, riadok")), expected);
}

// Two programs each taking the next employee number (the largest plus one) and storing it,
// at the same time and many times over: every number is taken once and every insert succeeds.
TEST_P(DbSharedData, TwoProgramsTakingTheNextNumberAtOnceGetDifferentNumbers)
{
    constexpr int kEach = 15;
    std::unique_ptr<Session> programs[] = {in.otherProgram(), in.otherProgram()};
    for (auto &p : programs)
        p->run(QStringLiteral("select count(*) from zam"), {}, QStringLiteral("TARIX_DATA")); // attached before the threads
    std::mutex failuresLock;
    QStringList failures;
    auto take = [&](Session &s) {
        for (int i = 0; i < kEach; ++i) {
            try {
                Transaction tx(&s);
                s.lockForNextKey(QStringLiteral("TARIX_DATA"), QStringLiteral("Zam.DB"));
                const qint64 next =
                    s.run(QStringLiteral("select coalesce(max(code_emp), 0) + 1 from zam"), {}, QStringLiteral("TARIX_DATA"))
                        .asInteger(0, 0);
                // The other program gets its turn between the read and the insert.
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                s.execute(QStringLiteral("insert into zam (code_emp, code_numb, sid, surname, zps) values (:c, :c, 1, 'Nový', 0)"),
                          {{QStringLiteral("c"), next}}, QStringLiteral("TARIX_DATA"));
                tx.commit();
            } catch (const std::exception &e) {
                const std::lock_guard<std::mutex> guard(failuresLock);
                failures << QString::fromUtf8(e.what());
            }
        }
    };
    std::thread first(take, std::ref(*programs[0]));
    std::thread second(take, std::ref(*programs[1]));
    first.join();
    second.join();
    EXPECT_TRUE(failures.isEmpty()) << failures.join(u'\n').toStdString();
    const SqlResult r = in.s.run(QStringLiteral("select count(*), count(distinct code_emp), max(code_emp) from zam"), {},
                                 QStringLiteral("TARIX_DATA"));
    EXPECT_EQ(r.asInteger(0, 0), 2 * kEach);
    EXPECT_EQ(r.asInteger(0, 1), 2 * kEach);
    EXPECT_EQ(r.asInteger(0, 2), 2 * kEach);
    EXPECT_THROW(in.s.lockForNextKey(QStringLiteral("TARIX_NONE"), QStringLiteral("zam")), DbError);
}

// A table created through the session after the folder was made: another program's write
// to it moves the data version, as a write to the folder's own tables does.
TEST_P(DbSharedData, ATableMadeLaterMovesTheDataVersion)
{
    in.s.execute(QStringLiteral(R"(create table ":tarix_data:novy" (cislo INTEGER, text VARCHAR(10)))"));
    const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
    const qint64 before = in.s.dataVersion(schema);
    std::unique_ptr<Session> other = in.otherProgram();
    other->execute(QStringLiteral(R"(insert into ":tarix_data:novy" values (1, 'x'))"));
    const qint64 afterInsert = in.s.dataVersion(schema);
    EXPECT_NE(afterInsert, before);
    other->execute(QStringLiteral(R"(update ":tarix_data:novy" set text = 'y')"));
    EXPECT_NE(in.s.dataVersion(schema), afterInsert);
}

// On the server the next number is kept by a lock of its own: held until the transaction
// ends, for that one table; a program that waits too long is told the data is busy. (The
// embedded database's write transaction holds the whole file, shown above.)
TEST(DbNextKeyOnServer, TheLockIsTheTablesUntilTheTransactionEnds)
{
    TARIX_REQUIRE_PG_SERVER();
    Install in(Backend::Server);
    std::unique_ptr<Session> other = in.otherProgram();
    other->setBusyTimeout(200);
    const QString data = QStringLiteral("TARIX_DATA");
    {
        Transaction tx(&in.s);
        in.s.lockForNextKey(data, QStringLiteral("zam"));
        {
            Transaction waits(other.get());
            EXPECT_THROW(other->lockForNextKey(data, QStringLiteral("zam")), BusyError);
            other->lockForNextKey(data, QStringLiteral("vyp")); // another table is free
            other->lockForNextKey(QStringLiteral("TARIX_COMM"), QStringLiteral("zam")); // so is another folder's
            waits.commit();
        }
        // Outside a transaction a number read is only a proposal: nothing is taken or waited for.
        other->lockForNextKey(data, QStringLiteral("zam"));
        tx.commit();
    }
    Transaction after(other.get());
    other->lockForNextKey(data, QStringLiteral("zam"));
    after.commit();
}
