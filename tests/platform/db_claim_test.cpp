// Claims on a named key of a folder (Session::tryClaim): held against every other holder,
// another program's session and this session alike, without waiting; apart per folder and
// per key; kept through a rollback; given up when the Claim goes, also after its session
// went. On both backends.
#include "db_test_schema.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

const QString kData = QStringLiteral("TARIX_DATA");
const QString kComm = QStringLiteral("TARIX_COMM");
const QString kKey = QStringLiteral("vyp 1 200703");

class DbClaim : public BackendTest {
protected:
    // A claim its holder gave up by ending its connection is free once the server has seen
    // the connection end (a moment later); on SQLite at once.
    static std::unique_ptr<Claim> claimWithin(Session &s, const QString &alias, const QString &key, int ms)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            if (std::unique_ptr<Claim> c = s.tryClaim(alias, key))
                return c;
            if (t.elapsed() > ms)
                return nullptr;
            QThread::msleep(20);
        }
    }
};
TARIX_ON_BOTH_BACKENDS(DbClaim);

TEST_P(DbClaim, HeldAgainstEveryOtherHolderUntilGivenUp)
{
    std::unique_ptr<Session> other = in.otherProgram();
    std::unique_ptr<Claim> mine = in.s.tryClaim(kData, kKey);
    ASSERT_TRUE(mine);
    EXPECT_EQ(mine->key(), kKey);

    struct Case {
        const char *what;
        Session *session;
        QString alias, key;
        bool granted;
    };
    const Case cases[] = {
        {"the same key, another program", other.get(), kData, kKey, false},
        {"the same key, this session", &in.s, kData, kKey, false},
        {"the same key through an alias of the same folder", other.get(), QStringLiteral("TARIX_DATX"), kKey, false},
        {"another key", other.get(), kData, QStringLiteral("vyp 1 200704"), true},
        {"the same key in another folder", other.get(), kComm, kKey, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::unique_ptr<Claim> taken = c.session->tryClaim(c.alias, c.key);
        EXPECT_EQ(bool(taken), c.granted);
    }

    // Given up: the other program takes it, and this one is refused in turn.
    mine.reset();
    std::unique_ptr<Claim> theirs = other->tryClaim(kData, kKey);
    ASSERT_TRUE(theirs);
    EXPECT_FALSE(in.s.tryClaim(kData, kKey));
    theirs.reset();
    EXPECT_TRUE(in.s.tryClaim(kData, kKey));
}

TEST_P(DbClaim, ARollbackKeepsItAndNoWriteWaitsForIt)
{
    std::unique_ptr<Session> other = in.otherProgram();
    std::unique_ptr<Claim> mine;
    {
        Transaction tx(&in.s);
        mine = in.s.tryClaim(kData, kKey);
        ASSERT_TRUE(mine);
        in.s.execute(QStringLiteral("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) "
                                    "values (200703, 1, 'X', 10, 1)"));
        tx.rollback();
    }
    EXPECT_FALSE(other->tryClaim(kData, kKey));
    // The claim locks no table: the other program writes the rows it names.
    EXPECT_EQ(other->execute(QStringLiteral("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, "
                                            "typ_sumy) values (200703, 1, 'X', 10, 1)")),
              1);
}

TEST_P(DbClaim, AClaimOutlivingItsSessionIsGivenUpWithIt)
{
    std::unique_ptr<Session> other = in.otherProgram();
    std::unique_ptr<Claim> orphan = other->tryClaim(kData, kKey);
    ASSERT_TRUE(orphan);
    // Its folder detached, then the whole session gone: the claim stays while it lives on
    // SQLite (its descriptor goes with it) and goes with the connection on the server.
    other->closeAll();
    EXPECT_FALSE(in.s.tryClaim(kData, kKey));
    other.reset();
    orphan.reset(); // no session to tell: nothing to do, nothing fails
    EXPECT_TRUE(claimWithin(in.s, kData, kKey, 10000));
}

} // namespace
