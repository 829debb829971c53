// A table gone through over an ordered range (a batch over a month's payroll records) reads
// the next rows ahead in one statement. On both backends, with a small window so that the
// month spans several reads: every row comes as stored, rows outside the range never come,
// and a row read ahead is never trusted past a write that may have changed it (the
// session's own statements, another program's commit or delete); inside the batch's
// transaction no other program can change a row read ahead before the batch saves it.
#include "db_ordered_month.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

class DbReadAhead : public OrderedMonthTest {
protected:
    void addRows() override
    {
        for (int emp = 1; emp <= kRows; ++emp)
            insertVyp(in.s, emp, kPeriod + 1, -1); // the next month: outside the range
        insertVyp(in.s, 0, kPeriod - 1, -1);       // the month before
    }
    // The batch's step: the row by its key, an edit from what was read, the save.
    void recalculate(int emp)
    {
        SCOPED_TRACE(emp);
        ASSERT_TRUE(recalculateRow(emp));
    }
    double stored(const QString &column, int emp, int period = kPeriod)
    {
        return in.s.run(QStringLiteral("select %1 from vyp where code_emp = :e and v_obdobie = :p").arg(column),
                        {{QStringLiteral("e"), emp}, {QStringLiteral("p"), period}}, QStringLiteral("TARIX_DATA"))
            .value(0, 0)
            .toDouble();
    }
    std::unique_ptr<Session> otherProgram(int busyTimeout)
    {
        std::unique_ptr<Session> other = in.otherProgram();
        other->setBusyTimeout(busyTimeout);
        return other;
    }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbReadAhead);

// Every row of the month as stored, in one transaction and outside one; rows of other
// months untouched. On the server the rows cost far fewer reads than rows, and the saves of
// rows read ahead in the transaction no wait (counted once the statements are prepared).
TEST_P(DbReadAhead, TheBatchReadsEveryRowOfTheRangeAsStored)
{
    bool prepared = false;
    for (const bool inTransaction : {true, false, true}) {
        SCOPED_TRACE(inTransaction ? "in a transaction" : "each save on its own");
        vyp->setOrderedRange(QStringLiteral("V_obdobie;Code_emp"), {kPeriod});
        const qint64 before = roundTrips();
        {
            std::optional<Transaction> tx;
            if (inTransaction)
                tx.emplace(&in.s);
            for (int emp = 1; emp <= kRows; ++emp)
                recalculate(emp);
            if (tx)
                tx->commit();
        }
        // Five reads, the save of the first row (read on its own, so not locked) and the
        // commit; the saves of rows read ahead, and locked, go without waiting, their answers
        // coming with the next read, the last ones collected before the commit.
        if (onServer() && inTransaction && prepared) {
            EXPECT_EQ(roundTrips() - before, 7 + 1);
        }
        prepared = prepared || inTransaction;
        for (int emp = 1; emp <= kRows; ++emp) {
            EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), emp), emp * 150) << emp;
            EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), emp, kPeriod + 1), 0) << emp;
        }
        EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 0, kPeriod - 1), 0);
        in.s.execute(QStringLiteral("update vyp set n_brutto = 0"), {}, QStringLiteral("TARIX_DATA"));
    }
}

// A jump ahead past the rows read and back reads each row itself; the last read of the range
// is shorter than the window.
TEST_P(DbReadAhead, ARowOutsideTheRowsReadAheadIsReadItself)
{
    Transaction tx(&in.s);
    for (const int emp : {1, 2, 3, 4, 11, 5, 12, 6, 7, 8, 9, 10}) {
        ASSERT_TRUE(vyp->findKey({kPeriod, emp}));
        EXPECT_EQ(vyp->fieldByName(QStringLiteral("Code_emp")).asInt(), emp);
        EXPECT_EQ(vyp->fieldByName(QStringLiteral("V_obdobie")).asInt(), kPeriod);
        EXPECT_DOUBLE_EQ(vyp->fieldByName(QStringLiteral("V_den")).asFloat(), emp * 1.5) << emp;
    }
    vyp->last();
    EXPECT_EQ(vyp->fieldByName(QStringLiteral("Code_emp")).asInt(), kRows);
    EXPECT_EQ(vyp->recordCount(), kRows);
    tx.commit();
}

// The session's own statement changes a row that waits among those read ahead: the batch
// reads the row as changed, and its save keeps both changes.
TEST_P(DbReadAhead, TheSessionsOwnWriteToARowReadAheadIsSeen)
{
    Transaction tx(&in.s);
    for (int emp = 1; emp <= 4; ++emp) // the fourth came with the fifth to the seventh
        recalculate(emp);
    in.s.execute(QStringLiteral("update vyp set v_den = 100 where code_emp = 6 and v_obdobie = :p"),
                 {{QStringLiteral("p"), kPeriod}}, QStringLiteral("TARIX_DATA"));
    for (int emp = 5; emp <= kRows; ++emp)
        recalculate(emp);
    tx.commit();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("v_den"), 6), 100);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 6), 10000);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 7), 1050);
}

// Another program commits a change to a row read ahead, and deletes another: the batch (each
// save on its own) reads the changed row as changed and finds the deleted one gone, and its
// edit is refused with the message.
TEST_P(DbReadAhead, AnotherProgramsCommitToRowsReadAheadIsSeen)
{
    for (int emp = 1; emp <= 4; ++emp)
        recalculate(emp);
    std::unique_ptr<Session> other = otherProgram(5000);
    other->execute(QStringLiteral("update vyp set v_den = 200 where code_emp = 5 and v_obdobie = :p"),
                   {{QStringLiteral("p"), kPeriod}}, QStringLiteral("TARIX_DATA"));
    other->execute(QStringLiteral("delete from vyp where code_emp = 6 and v_obdobie = :p"), {{QStringLiteral("p"), kPeriod}},
                   QStringLiteral("TARIX_DATA"));
    recalculate(5);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 5), 20000);
    ASSERT_TRUE(vyp->findKey({kPeriod, 6})); // still listed: the list was read before
    EXPECT_TRUE(vyp->fieldByName(QStringLiteral("Code_emp")).isNull());
    try {
        vyp->edit();
        ADD_FAILURE() << "an edit of a deleted row";
    } catch (const RecordChangedError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Záznam medzitým zmenil alebo zmazal iný používateľ. Zmeny neboli uložené."));
    }
    for (int emp = 7; emp <= kRows; ++emp)
        recalculate(emp);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 7), 1050);
}

// Inside the batch's transaction another program cannot change a row read ahead: it waits
// and is told the data is busy, and the batch saves what it read. After the commit the other
// program writes again.
TEST_P(DbReadAhead, InsideTheTransactionRowsReadAheadStayAsRead)
{
    std::unique_ptr<Session> other = otherProgram(200);
    const auto change = [&](int emp) {
        other->execute(QStringLiteral("update vyp set v_den = 300 where code_emp = :e and v_obdobie = :p"),
                       {{QStringLiteral("e"), emp}, {QStringLiteral("p"), kPeriod}}, QStringLiteral("TARIX_DATA"));
    };
    {
        Transaction tx(&in.s);
        for (int emp = 1; emp <= 4; ++emp) // the fourth came with the fifth to the seventh
            recalculate(emp);
        EXPECT_THROW(change(6), BusyError);
        for (int emp = 5; emp <= kRows; ++emp)
            recalculate(emp);
        tx.commit();
    }
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("n_brutto"), 6), 900);
    change(6);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("v_den"), 6), 300);
}
