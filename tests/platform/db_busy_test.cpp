// A write transaction waits for a database another program holds, and says clearly that it
// is busy, with nothing changed, when the wait runs out. Embedded only: SQLite locks the
// whole database, the server only the rows written (its waits: DbSessionSql's busy case and
// the next-number lock in db_shared_data_test.cpp).
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/table.h"

#include "support/write_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

// Another program writes the firm's database and keeps its transaction open for a while.
struct Locker : tarix::test::WriteLock {
    Locker(const QString &firm, std::chrono::milliseconds hold)
        : WriteLock(firm, hold, QStringLiteral(R"(update ":tarix_data:vyp" set v_mesiace1 = 1 where code_emp = 1005)")) {}
};

struct Firm {
    Install in;
    Table t{&in.s};
    Firm()
    {
        in.s.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie, n_brutto, v_den) values
            (1003, 200702, 1000, 20), (1005, 200702, 900, 19))"));
        t.setDatabaseName(QStringLiteral("TARIX_DATA"));
        t.setTableName(QStringLiteral("Vyp"));
        t.open();
    }
    double brutto(int codeEmp)
    {
        return in.s.run(QStringLiteral(R"(select n_brutto from ":tarix_data:vyp" where code_emp = :e)"),
                        {{QStringLiteral("e"), codeEmp}})
            .value(0, 0)
            .toDouble();
    }
};

} // namespace

TEST(DbBusy, APostAndABatchThatReadsFirstWaitForTheLockAndSucceed)
{
    Firm f;
    ASSERT_TRUE(f.t.findKey({1003, 200702}));
    {
        Locker other(f.in.firm, std::chrono::milliseconds(1000));
        f.t.edit();
        f.t.setValue(QStringLiteral("N_brutto"), 1500);
        EXPECT_NO_THROW(f.t.post());
    }
    EXPECT_EQ(f.brutto(1003), 1500);
    {
        Locker other(f.in.firm, std::chrono::milliseconds(1000));
        // A batch reads the month, then writes it.
        Transaction batch(&f.in.s);
        const double sum = f.in.s.run(QStringLiteral(R"(select sum(n_brutto) from ":tarix_data:vyp")")).value(0, 0).toDouble();
        f.in.s.execute(QStringLiteral(R"(update ":tarix_data:vyp" set n_brutto = :s where code_emp = 1005)"),
                       {{QStringLiteral("s"), sum}});
        EXPECT_NO_THROW(batch.commit());
    }
    EXPECT_EQ(f.brutto(1005), 2400);
}

TEST(DbBusy, ALockHeldPastTheTimeoutGivesTheBusyMessageAndChangesNothing)
{
    Firm f;
    f.in.s.setBusyTimeout(200);
    ASSERT_TRUE(f.t.findKey({1003, 200702}));
    Locker other(f.in.firm, std::chrono::milliseconds(1500));
    f.t.edit();
    f.t.setValue(QStringLiteral("N_brutto"), 1500);
    try {
        f.t.post();
        ADD_FAILURE() << "saved while another program held the database";
    } catch (const BusyError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Databáza je zamknutá iným programom alebo inou stanicou; "
                                           "skúste operáciu zopakovať neskôr."));
    }
    EXPECT_EQ(f.t.state(), DataSetState::Edit);
    EXPECT_EQ(f.t.value(QStringLiteral("N_brutto")).toDouble(), 1500);
    EXPECT_EQ(f.in.s.transactionDepth(), 0);
    f.in.s.setBusyTimeout(5000);
    EXPECT_EQ(f.brutto(1003), 1000); // waits for the other program, which changed only its own row
}
