// A kept statement goes from one user to the next: whatever the previous user bound must
// not reach a parameter the next user leaves unbound (it is NULL, as in a fresh statement).
#include "db_test_schema.h"

#include "platform/db/session.h"
#include "platform/db/statement.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

class DbKeptStatement : public BackendTest {};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbKeptStatement);

TEST_P(DbKeptStatement, AParameterTheNextUserLeavesUnboundIsNull)
{
    Session &s = in.s;
    const SqlRewrite rw = s.rewrite(
        QStringLiteral("insert into \":tarix_priv:nakl\" (riadok, ident_symbol, suma) values (:r, :s, :m)"));
    struct Use {
        int row;
        QVariant symbol; // invalid: left unbound
        QVariant amount;
    } const uses[] = {
        {1, QStringLiteral("A"), 12.5},
        {2, {}, {}},                    // after a user who bound every parameter
        {3, {}, 1.25},                  // the last parameter only
        {4, QStringLiteral("B"), {}},   // the middle one only
        {5, {}, {}},
    };
    for (const Use &u : uses) {
        Session::Lease st(s, rw.sql);
        st->bind(1, u.row);
        if (u.symbol.isValid())
            st->bind(2, u.symbol);
        if (u.amount.isValid())
            st->bind(3, u.amount);
        EXPECT_EQ(st->exec(), 1);
    }
    const SqlResult r = s.run(
        QStringLiteral("select riadok, ident_symbol, suma from \":tarix_priv:nakl\" where riadok between 1 and 5 order by riadok"));
    ASSERT_EQ(r.rowCount(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(r.asInteger(i, 0), uses[i].row);
        EXPECT_EQ(r.value(i, 1), uses[i].symbol);
        EXPECT_EQ(r.value(i, 2), uses[i].amount);
    }
}

TEST_P(DbKeptStatement, AStatementReadAgainInOneUseKeepsItsBindings)
{
    // Within one use, a statement run twice keeps what its user bound (only a new user
    // starts from NULL).
    Session &s = in.s;
    const SqlRewrite ins = s.rewrite(
        QStringLiteral("insert into \":tarix_priv:nakl\" (riadok, ident_symbol, suma) values (:r, :s, :m)"));
    {
        Session::Lease st(s, ins.sql);
        st->bind(1, 10);
        st->bind(2, QStringLiteral("X"));
        st->bind(3, 2.5);
        st->exec();
        st->reset();
        st->bind(1, 11);
        st->exec();
    }
    const SqlResult r = s.run(
        QStringLiteral("select ident_symbol, suma from \":tarix_priv:nakl\" where riadok = 11"));
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.asString(0, 0), QStringLiteral("X"));
    EXPECT_EQ(r.asFloat(0, 1), 2.5);
}

TEST_P(DbKeptStatement, ARowBoundAcrossWordsLeavesEveryOtherParameterNullForTheNextUser)
{
    // A row of values (a save's check of the row as read) is noted bound word by word: the
    // next user's row, shorter or elsewhere, must still find every parameter outside it NULL.
    if (onServer())
        GTEST_SKIP() << "the server binds every parameter of each use anew";
    Session &s = in.s;
    constexpr int kParameters = 150;
    QStringList marks;
    for (int i = 1; i <= kParameters; ++i)
        marks << QStringLiteral("?%1").arg(i);
    const QString sql = QStringLiteral("select ") + marks.join(u", ");
    struct Use {
        int first;
        int count;
    } const uses[] = {{1, kParameters}, {3, 70}, {60, 10}, {64, 2}, {65, 64}, {100, 51}, {150, 1}};
    int use = 0;
    for (const Use &u : uses) {
        SCOPED_TRACE(u.first);
        ++use;
        StoredValues row(u.count);
        for (int i = 0; i < u.count; ++i)
            row.setInteger(i, use * 1000 + i);
        Session::Lease st(s, sql);
        st->bindRow(u.first, row);
        ASSERT_TRUE(st->step());
        for (int p = 1; p <= kParameters; ++p) {
            const bool bound = p >= u.first && p < u.first + u.count;
            const QVariant v = st->column(p - 1);
            if (bound) {
                EXPECT_EQ(v.toLongLong(), use * 1000 + (p - u.first)) << p;
            } else {
                EXPECT_FALSE(v.isValid()) << p;
            }
        }
    }
}
