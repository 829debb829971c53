// A kept statement goes from one user to the next: whatever the previous user bound must
// not reach a parameter the next user leaves unbound (it is NULL, as in a fresh statement).
#include "db_test_schema.h"

#include "platform/db/session.h"
#include "platform/db/statement.h"

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
