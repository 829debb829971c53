// The payroll screen as the clerk uses it: the employee list, the employee's payrolls of
// the open year, a new record with its defaults, recalculation on leaving a field, post,
// and going back.
#include "screen_fixture.h"

#include "platform/dbctrl/db_grid.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

TEST_F(PayrollScreenTest, NewPayrollIsComputedOnEachFieldExitAndStoredOnPost)
{
    TFormMainVyp &f = openScreen();
    EXPECT_EQ(f.N->currentWidget()->objectName(), "ZAMF");
    EXPECT_TRUE(MainVyp::Vyplaty_otvorene());
    EXPECT_TRUE(f.windowTitle().startsWith("TARIX VERZIA 3.20H3 - Firma: ")) << f.windowTitle().toStdString();
    EXPECT_TRUE(f.menuBar->findChild<QMenu *>("Pomoc"));
    EXPECT_TRUE(f.Menu_zamf->menuAction()->isVisible());
    EXPECT_FALSE(f.Menu_vypl->menuAction()->isVisible());

    choose(1);
    EXPECT_EQ(f.N->currentWidget()->objectName(), "VYPL1");
    EXPECT_TRUE(f.Menu_vypl->menuAction()->isVisible());
    EXPECT_FALSE(f.Menu_zamf->menuAction()->isVisible());
    EXPECT_EQ(f.N_VYPL->currentWidget()->objectName(), "PAGE_ZAKLAD");
    db::Table &vyp = DMV().TVYP_;
    EXPECT_TRUE(vyp.isEmpty()) << "no payroll of 2007 yet";

    // "Nová výplata": the record of the open period with the employee's defaults.
    f.makeAction("Nová výplata", f.Menu_vypl)->trigger();
    ASSERT_EQ(vyp.state(), db::DataSetState::Insert);
    EXPECT_EQ(vyp.fieldByName("Code_emp").asInt(), 1);
    EXPECT_EQ(vyp.fieldByName("V_obdobie").asInt(), 200703);
    EXPECT_GT(value("V_fmes"), 0);
    EXPECT_FALSE(f.makeAction("Nová výplata", f.Menu_vypl)->isEnabled());
    EXPECT_TRUE(f.makeAction("Zápis zmien", f.Menu_vypl)->isEnabled());
    EXPECT_FALSE(f.Butt_vypl_tlac->isEnabled());

    // Days and hours of the full month; leaving each field computes the record.
    const double fund = value("V_fmes");
    const double daily = value("F_doba");
    typeInto(edit("V_den"), QString::number(fund));
    typeInto(edit("V_hodina"), QString::number(fund * daily));
    const double fullNet = value("N_netto");
    EXPECT_GT(fullNet, 0);
    EXPECT_DOUBLE_EQ(QLocale(QLocale::Slovak).toDouble(edit("N_netto")->text()), fullNet) << "the screen shows it";

    // Fewer hours: the net pay follows at once, before any post.
    typeInto(edit("V_hodina"), QString::number(fund * daily - 16));
    typeInto(edit("V_den"), QString::number(fund - 2));
    EXPECT_LT(value("N_netto"), fullNet);
    const double net = value("N_netto");

    ASSERT_TRUE(f.Akcia_vypl_post());
    EXPECT_EQ(vyp.state(), db::DataSetState::Browse);
    const db::SqlResult r = stored(1, 200703);
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_DOUBLE_EQ(r.value(0, r.columnIndex("N_netto")).toDouble(), net);
    EXPECT_DOUBLE_EQ(r.value(0, r.columnIndex("V_den")).toDouble(), fund - 2);
    EXPECT_EQ(edit("N_netto")->text().toStdString(), vyp.fieldByName("N_netto").displayText().toStdString());
    EXPECT_TRUE(f.makeAction("Nová výplata", f.Menu_vypl)->isEnabled());
    EXPECT_TRUE(f.Butt_vypl_tlac->isEnabled());
    EXPECT_EQ(f.DBGrid2->gridModel()->rowCount(), 1);

    // Back to the list, and the screen closes without a question.
    f.Akcia_vypl_navrat();
    EXPECT_EQ(f.N->currentWidget()->objectName(), "ZAMF");
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(MainVyp::Vyplaty_otvorene());
    EXPECT_TRUE(scripted.questions().isEmpty()) << scripted.questions().join("|").toStdString();
    EXPECT_FALSE(vyp.hasRange()) << "the main window gets the whole payroll table back";
}
