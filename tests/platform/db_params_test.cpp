// Named parameters: found whatever the case and the colon, on a statement kept by the
// session and bound again and again.
#include "db_test_schema.h"

#include "platform/db/params.h"
#include "platform/db/session.h"

#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

TEST(DbParams, NamesCompareWithoutCaseAndColon)
{
    Params p{{QStringLiteral("Code"), 1}, {QStringLiteral(":obdobie"), 200701}};
    for (const QString &name : {QStringLiteral("code"), QStringLiteral(":CODE"), QStringLiteral("Code")}) {
        ASSERT_NE(p.find(name), nullptr) << name.toStdString();
        EXPECT_EQ(p.value(name).toInt(), 1);
    }
    EXPECT_TRUE(p.contains(QStringLiteral("OBDOBIE")));
    EXPECT_EQ(p.find(QStringLiteral("sid")), nullptr);
    EXPECT_FALSE(p.value(QStringLiteral("sid")).isValid());
    p.set(QStringLiteral(":CODE"), 2);
    EXPECT_EQ(p.values().size(), 2);
    EXPECT_EQ(p.value(QStringLiteral("code")).toInt(), 2);
}

class DbParamsBound : public BackendTest {};

// The same text run with its parameters named in different cases and with new values each
// time: every run binds its own values, none keeps a value of the run before.
TEST_P(DbParamsBound, AKeptStatementTakesEachRunsValuesByName)
{
    in.s.execute(QStringLiteral("insert into zam (code_emp, code_numb, sid, surname, zps) values (1, 11, 1, 'A', 0), "
                                "(2, 22, 2, 'B', 0), (3, 33, 1, 'C', 0)"),
                 {}, QStringLiteral("TARIX_DATA"));
    const QString sql = QStringLiteral("select count(*) from zam where sid = :Sid and code_emp >= :od");
    struct Case {
        Params params;
        qint64 count;
    };
    const std::vector<Case> cases = {
        {{{QStringLiteral("sid"), 1}, {QStringLiteral("od"), 1}}, 2},
        {{{QStringLiteral(":SID"), 2}, {QStringLiteral("OD"), 1}}, 1},
        {{{QStringLiteral("Sid"), 1}, {QStringLiteral(":od"), 2}}, 1},
        {{{QStringLiteral("sid"), 3}, {QStringLiteral("od"), 0}}, 0},
    };
    for (int pass = 0; pass < 2; ++pass)
        for (const Case &c : cases)
            EXPECT_EQ(in.s.run(sql, c.params, QStringLiteral("TARIX_DATA")).asInteger(0, 0), c.count);
    EXPECT_THROW(in.s.run(sql, {{QStringLiteral("sid"), 1}}, QStringLiteral("TARIX_DATA")), DbError);
}

TARIX_ON_BOTH_BACKENDS(DbParamsBound);
