// Writes that go without waiting for their answers on the server: the save of a row read
// ahead and locked in the transaction, and a write whose count nobody reads
// (Session::executeDeferred). Their effects are seen by the next read, a rollback to a
// savepoint undoes those after it, and one that fails fails the whole transaction: every
// later statement and the commit refuse with its message, nothing is stored, and the session
// goes on after the rollback. On both backends where the outcome is the same (SQLite runs
// every write at once).
#include "db_ordered_month.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

const QString kChanged = QStringLiteral("Záznam medzitým zmenil alebo zmazal iný používateľ. Zmeny neboli uložené.");

class DbDeferredWrite : public OrderedMonthTest {
protected:
    static void insertVypDeferred(Session &s, int emp, double den)
    {
        s.executeDeferred(insertText(), insertParams(emp, kPeriod, den), QStringLiteral("TARIX_DATA"));
    }
    void recalculate(int emp)
    {
        if (!recalculateRow(emp))
            throw DbError(QStringLiteral("row %1 not found").arg(emp));
    }
    QVariant stored(const QString &sql)
    {
        return in.s.run(sql, {}, QStringLiteral("TARIX_DATA")).value(0, 0);
    }
    qint64 brutto() { return stored(QStringLiteral("select count(*) from vyp where n_brutto <> 0")).toLongLong(); }
    qint64 rows() { return stored(QStringLiteral("select count(*) from vyp")).toLongLong(); }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbDeferredWrite);

// The database refuses the save of row 6 (a constraint of the server, a trigger of SQLite):
// the batch is told so (on the server at its next read at the latest), no row of the batch
// is stored, and the session and the table go on after the rollback.
TEST_P(DbDeferredWrite, ASaveTheDatabaseRefusesStoresNothingOfTheBatch)
{
    const QString schema = in.s.schemaOf(QStringLiteral("TARIX_DATA"));
    in.s.executeRaw(onServer() ? QStringLiteral("ALTER TABLE %1.vyp ADD CONSTRAINT vyp_refused CHECK (n_brutto IS DISTINCT FROM 900)").arg(schema)
                                 : QStringLiteral("CREATE TRIGGER %1.vyp_refused BEFORE UPDATE ON vyp WHEN new.n_brutto = 900 "
                                                  "BEGIN SELECT RAISE(ABORT, 'vyp_refused'); END")
                                       .arg(schema));
    int reached = 0;
    QString message;
    try {
        Transaction tx(&in.s);
        for (reached = 1; reached <= kRows; ++reached)
            recalculate(reached);
        tx.commit();
    } catch (const DbError &e) {
        message = e.text();
    }
    EXPECT_TRUE(message.contains(QStringLiteral("vyp_refused"))) << message.toStdString();
    EXPECT_GE(reached, 6);
    if (!onServer()) {
        EXPECT_EQ(reached, 6); // SQLite refuses the save itself
    }
    EXPECT_EQ(in.s.transactionDepth(), 0);
    EXPECT_EQ(brutto(), 0);
    if (vyp->isEditing())
        vyp->cancel();
    // The session goes on: a row the database takes is stored.
    Transaction tx(&in.s);
    recalculate(7);
    tx.commit();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("select n_brutto from vyp where code_emp = 7")).toDouble(), 1050);
}

// A save deferred and then found to have matched no row (the row was deleted behind the
// layer's back, through the bare connection, after it was read ahead): the transaction is
// failed with the message wherever it is found, at the next read or at the commit; every
// statement after it and the commit refuse with the same message; nothing is stored.
TEST_P(DbDeferredWrite, ADeferredSaveThatMatchedNoRowRefusesEveryLaterStatementAndTheCommit)
{
    if (!onServer())
        GTEST_SKIP() << "SQLite awaits every save";
    for (const int victim : {6, 12}) {
        SCOPED_TRACE(victim);
        vyp->setOrderedRange(QStringLiteral("V_obdobie;Code_emp"), {kPeriod});
        int failedAt = 0;
        {
            Transaction tx(&in.s);
            try {
                for (int emp = 1; emp <= kRows; ++emp) {
                    failedAt = emp;
                    if (emp != victim) {
                        recalculate(emp);
                        continue;
                    }
                    ASSERT_TRUE(vyp->findKey({kPeriod, emp}));
                    in.s.serverConnection()->execute(
                        QStringLiteral("DELETE FROM vyp WHERE code_emp = $1 AND v_obdobie = $2"), {emp, kPeriod});
                    vyp->edit();
                    vyp->fieldByName(QStringLiteral("N_brutto")).setValue(1);
                    vyp->post(); // sent, its answer not awaited
                }
                failedAt = 0;
            } catch (const RecordChangedError &e) {
                EXPECT_EQ(e.text(), kChanged);
            }
            if (victim == kRows) {
                EXPECT_EQ(failedAt, 0) << "found only by the commit";
            } else {
                EXPECT_GT(failedAt, victim) << "found by a later read";
            }
            EXPECT_THROW(in.s.run(QStringLiteral("select count(*) from vyp"), {}, QStringLiteral("TARIX_DATA")), RecordChangedError);
            EXPECT_THROW(insertVypDeferred(in.s, 50, 1), RecordChangedError);
            try {
                tx.commit();
                ADD_FAILURE() << "the commit of a failed transaction succeeded";
            } catch (const RecordChangedError &e) {
                EXPECT_EQ(e.text(), kChanged);
            }
        }
        EXPECT_EQ(in.s.transactionDepth(), 0);
        EXPECT_EQ(brutto(), 0);
        EXPECT_EQ(rows(), kRows) << "the deletion is undone with the rest";
    }
    // The next transaction stores.
    Transaction tx(&in.s);
    for (int emp = 1; emp <= kRows; ++emp)
        recalculate(emp);
    tx.commit();
    EXPECT_EQ(brutto(), kRows);
}

// A deferred write is seen by the next read of the same transaction, and costs no wait of
// its own; a rollback to a savepoint undoes those made after it and keeps those before.
TEST_P(DbDeferredWrite, DeferredWritesAreSeenByTheNextReadAndUndoneByTheirSavepoint)
{
    {
        Transaction tx(&in.s);
        insertVypDeferred(in.s, 20, 1);
        in.s.executeDeferred(QStringLiteral("update vyp set n_brutto = 5 where code_emp = 1"), {}, QStringLiteral("TARIX_DATA"));
        const qint64 before = roundTrips();
        insertVypDeferred(in.s, 24, 1); // prepared by the first
        if (onServer()) {
            EXPECT_EQ(roundTrips() - before, 0);
        }
        EXPECT_EQ(rows(), kRows + 2);
        EXPECT_EQ(brutto(), 1);
        {
            Transaction inner(&in.s);
            insertVypDeferred(in.s, 21, 1);
            in.s.executeDeferred(QStringLiteral("delete from vyp where code_emp = 20"), {}, QStringLiteral("TARIX_DATA"));
            inner.rollback();
        }
        insertVypDeferred(in.s, 22, 1);
        {
            Transaction inner(&in.s);
            insertVypDeferred(in.s, 23, 1);
            inner.commit();
        }
        tx.commit();
    }
    const QVariantList expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 22, 23, 24};
    const SqlResult r = in.s.run(QStringLiteral("select code_emp from vyp order by code_emp"), {}, QStringLiteral("TARIX_DATA"));
    QVariantList got;
    for (int i = 0; i < r.rowCount(); ++i)
        got << r.asInteger(i, 0);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(brutto(), 1);
}

// A deferred write the database refuses (a duplicate key): on the server the transaction is
// failed with the message at the next statement and at the commit, and the write before it
// is not stored either; on SQLite it is refused at once. Outside a transaction it is refused
// at once on both.
TEST_P(DbDeferredWrite, ADeferredWriteTheDatabaseRefusesFailsTheTransaction)
{
    EXPECT_THROW(insertVypDeferred(in.s, 1, 1), KeyViolation);
    {
        Transaction tx(&in.s);
        insertVypDeferred(in.s, 30, 1);
        if (onServer()) {
            insertVypDeferred(in.s, 2, 1); // the duplicate goes unseen
            EXPECT_THROW(rows(), KeyViolation);
            EXPECT_THROW(recalculate(3), KeyViolation);
            EXPECT_THROW(tx.commit(), KeyViolation);
        } else {
            EXPECT_THROW(insertVypDeferred(in.s, 2, 1), KeyViolation);
        }
    }
    EXPECT_EQ(rows(), kRows);
    if (vyp->isEditing())
        vyp->cancel();
    Transaction tx(&in.s);
    insertVypDeferred(in.s, 31, 1);
    tx.commit();
    EXPECT_EQ(rows(), kRows + 1);
}

// Rows read ahead inside a savepoint that is then rolled back are no longer locked: another
// program may change one, and its save must then be refused by itself (awaited), the
// transaction going on, instead of failing the whole transaction later.
TEST_P(DbDeferredWrite, ASaveAfterTheLocksWereGivenUpAwaitsItsAnswer)
{
    if (!onServer())
        GTEST_SKIP() << "SQLite's transaction holds the whole file";
    // Another program's bare connection: its commit reaches this session only after its
    // transaction, so nothing but the row check tells the change.
    PgConnection other(in.database->conninfo());
    other.setBusyTimeout(200);
    Transaction tx(&in.s);
    recalculate(1);
    {
        Transaction inner(&in.s);
        ASSERT_TRUE(vyp->findKey({kPeriod, 2})); // reads rows 2 and 3 ahead, locked
        inner.rollback();
    }
    EXPECT_EQ(rows(), kRows); // the rollback reaches the server with the next statement
    other.execute(QStringLiteral("UPDATE %1.vyp SET v_den = 77 WHERE code_emp = 3 AND v_obdobie = $1")
                      .arg(in.s.schemaOf(QStringLiteral("TARIX_DATA"))),
                  {kPeriod});
    vyp->edit(); // row 2, where the cursor stands
    vyp->fieldByName(QStringLiteral("N_brutto")).setValue(300);
    vyp->post();
    try {
        recalculate(3);
        ADD_FAILURE() << "the save of a row another program changed";
    } catch (const RecordChangedError &e) {
        EXPECT_EQ(e.text(), kChanged);
    }
    vyp->cancel();
    for (int emp = 4; emp <= kRows; ++emp)
        recalculate(emp);
    tx.commit();
    EXPECT_EQ(brutto(), kRows - 1);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("select v_den from vyp where code_emp = 3")).toDouble(), 77);
}
