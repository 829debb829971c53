// Every stored SQL text of the payroll module prepares against the real table definitions.
#include "dm_vyp_fixture.h"

#include "platform/db/statement.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

TEST_F(PayrollModuleTest, QueriesOfThePayrollModulePrepare)
{
    session.setAlias("TARIX_DATX", dir.filePath("DATA01"));
    int prepared = 0;
    for (const QString &name : dmv->queryNames()) {
        db::Query *q = dmv->query(name);
        if (q->sqlText().trimmed().isEmpty())
            continue; // texts built at run time are prepared by the tests of their callers
        QString error;
        try {
            const auto rw = session.rewrite(q->sqlText(), q->databaseName());
            db::Statement st(session.handle(), rw.sql);
        } catch (const std::exception &e) {
            error = QString::fromUtf8(e.what());
        }
        EXPECT_EQ(error, QString()) << name.toStdString() << ": " << q->sqlText().toStdString();
        ++prepared;
    }
    EXPECT_GT(prepared, 5);
}
