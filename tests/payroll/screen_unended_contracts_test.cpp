// The payroll page of an employee lists only that employee's contracts that have not
// ended; the contracts table gets back its own filter and range when the screen closes.
#include "screen_fixture.h"

#include <QStackedWidget>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

namespace {

// Code_emp and first text line of every row the contracts table shows, in its order.
QStringList visibleContracts()
{
    db::Table &ppv = core::DMP().TPPV_;
    QStringList rows;
    for (ppv.first(); !ppv.eof(); ppv.next())
        rows << QStringLiteral("%1 %2").arg(ppv.fieldByName("CODE_EMP").asInt()).arg(ppv.fieldByName("R1").asString());
    return rows;
}

} // namespace

TEST_F(PayrollScreenTest, PayrollPageShowsOnlyTheEmployeesUnendedContracts)
{
    // Employee 1 also has an agreement that ended; employee 6's only contract ended.
    session.execute("insert into \":tarix_data:ppv\" (code_emp, nastup, vystup, typ, r1, datum) "
                    "values (1, '2005-01-01', '2006-06-30', 1, 'Skončená dohoda', '2004-12-20')");
    db::Table &ppv = core::DMP().TPPV_;
    ppv.refresh();
    const int allRows = ppv.recordCount();
    ASSERT_EQ(allRows, 7);

    TFormMainVyp &f = openScreen();
    const struct {
        int codeEmp;
        QStringList expected;
    } cases[] = {
        {1, {"1 neurčitú", "1 stavbyvedúci"}},
        {4, {"4 neurčitú"}},
        {6, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.codeEmp);
        choose(c.codeEmp);
        ASSERT_EQ(f.N->currentWidget()->objectName(), "VYPL1");
        QStringList shown = visibleContracts();
        shown.sort();
        EXPECT_EQ(shown, c.expected);
        f.Akcia_vypl_navrat();
        ASSERT_EQ(f.N->currentWidget()->objectName(), "ZAMF");
    }

    // Closing the screen gives the table back unfiltered and without the range.
    ASSERT_TRUE(f.close());
    EXPECT_FALSE(ppv.isFiltered());
    EXPECT_EQ(ppv.recordCount(), allRows);
}
