// The deductions of the month on the payroll screen: while a payroll is edited the
// deductions tab shows the amounts of the edited record, the database keeps the amounts
// the stored payroll deducts until the clerk stores the record, and "Ignorovanie zmien"
// brings the stored amounts back on screen too.
#include "screen_fixture.h"

#include "platform/dbctrl/db_grid.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

namespace {

class PayrollScreenDeductionsTest : public PayrollScreenTest {
protected:
    // Employee 10 pays a bailiff 20 % of the net pay from March 2007.
    double bailiffRow()
    {
        return session
            .run("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = 10 and v_obdobie = 200703")
            .asFloat(0, 0);
    }
    double storedDeduction()
    {
        const db::SqlResult r = stored(10, 200703);
        return r.asFloat(0, r.columnIndex("Ne_exekucia"));
    }
    // The amount in the deductions grid, as the clerk reads it.
    double gridAmount()
    {
        QAbstractItemModel *model = form->DBG_zrv->gridModel();
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal).toString() == "Vypočítaná suma") {
                QString text = model->index(0, c).data().toString();
                text.removeIf([](QChar ch) { return ch.isSpace(); });
                return QLocale(QLocale::Slovak).toDouble(text);
            }
        ADD_FAILURE() << "no column of the computed amount";
        return -1;
    }
    void shortenTheMonth(double days)
    {
        typeInto(edit("V_den"), QString::number(value("V_fmes") - days));
        typeInto(edit("V_hodina"), QString::number((value("V_fmes") - days) * value("F_doba")));
    }
};

TEST_F(PayrollScreenDeductionsTest, AmountsAreStoredOnlyWithThePayroll)
{
    TFormMainVyp &f = openScreen();
    choose(10);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    shortenTheMonth(0);
    ASSERT_TRUE(f.Akcia_vypl_post());
    const double stored = storedDeduction();
    ASSERT_GT(stored, 0);
    ASSERT_EQ(bailiffRow(), stored);
    ASSERT_TRUE(f.showTab("PAGE_ZRAZKY"));
    ASSERT_EQ(f.DBG_zrv->gridModel()->rowCount(), 1);
    EXPECT_EQ(gridAmount(), stored);

    // Fewer days: the tab shows the smaller amount, the database keeps the stored one.
    ASSERT_TRUE(f.showTab("PAGE_ZAKLAD"));
    f.makeAction("Oprava výplaty", f.Menu_vypl)->trigger();
    shortenTheMonth(4);
    const double edited = value("Ne_exekucia");
    ASSERT_LT(edited, stored);
    ASSERT_TRUE(f.showTab("PAGE_ZRAZKY"));
    EXPECT_EQ(gridAmount(), edited);
    EXPECT_EQ(bailiffRow(), stored);

    // "Ignorovanie zmien": nothing was stored, and the tab shows the stored amount again.
    f.makeAction("Ignorovanie zmien", f.Menu_vypl)->trigger();
    ASSERT_EQ(DMV().TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(bailiffRow(), stored);
    EXPECT_EQ(storedDeduction(), stored);
    EXPECT_EQ(gridAmount(), stored);

    // Edited again and stored: the row pays what the payslip deducts.
    ASSERT_TRUE(f.showTab("PAGE_ZAKLAD"));
    f.makeAction("Oprava výplaty", f.Menu_vypl)->trigger();
    shortenTheMonth(4);
    f.makeAction("Zápis zmien", f.Menu_vypl)->trigger();
    ASSERT_EQ(DMV().TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(storedDeduction(), edited);
    EXPECT_EQ(bailiffRow(), edited);
    ASSERT_TRUE(f.showTab("PAGE_ZRAZKY"));
    EXPECT_EQ(gridAmount(), edited);
}

TEST_F(PayrollScreenDeductionsTest, ARefusedPostStoresNoAmount)
{
    TFormMainVyp &f = openScreen();
    choose(10);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    shortenTheMonth(0);
    ASSERT_TRUE(f.Akcia_vypl_post());
    const double stored = storedDeduction();

    f.makeAction("Oprava výplaty", f.Menu_vypl)->trigger();
    shortenTheMonth(4);
    // Another workstation closes March meanwhile.
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-03-31'");
    f.makeAction("Zápis zmien", f.Menu_vypl)->trigger();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65134, "31.3.2007")});
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Edit);
    EXPECT_EQ(storedDeduction(), stored);
    EXPECT_EQ(bailiffRow(), stored);
}

} // namespace
