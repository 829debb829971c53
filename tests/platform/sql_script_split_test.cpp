// A script of statements split where each ends, not at a semicolon that is data.
#include "platform/db/sql_dialect.h"

#include <gtest/gtest.h>

using namespace tarix::db;

TEST(SqlScriptSplit, EachStatementAsWrittenWithoutComments)
{
    struct Case {
        const char *script;
        QStringList statements;
    } cases[] = {
        {"DELETE FROM Inf; INSERT INTO Inf (NAZOV) VALUES ('A; B');",
         {"DELETE FROM Inf", "INSERT INTO Inf (NAZOV) VALUES ('A; B')"}},
        // Doubled quotes stay doubled; a quoted name keeps its quotes.
        {"insert into \"cis;x\" values ('O''Neil');\n", {"insert into \"cis;x\" values ('O''Neil')"}},
        // Comments go, with the semicolons in them; empty statements are dropped.
        {"-- first; not a statement\n;;select 1 /* ; */ ;\n-- last", {"select 1"}},
        {"select (1;2)", {"select (1;2)"}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(splitSqlStatements(QString::fromUtf8(c.script)), c.statements) << c.script;
}
