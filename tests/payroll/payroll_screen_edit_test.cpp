// The payroll screen while a record is edited, and on changing its page: the grids stand
// still during the edit, leaving the monthly wage refills the probable earnings, "Návrat"
// asks about a pending piece-work item, and a page entered again starts scrolled to its top.
#include "screen_fixture.h"

#include "core/app_ini.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/ini/ini_file.h"
#include "platform/errors.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;
using dbctrl::NavigateButton;

TEST_F(PayrollScreenTest, ThePayrollGridStandsStillWhileARecordIsEdited)
{
    makePayroll(2, 102, 1);
    makePayroll(2, 102, 2);
    setPeriod(3);
    TFormMainVyp &f = openScreen();
    choose(2);
    db::Table &vyp = DMV().TVYP_;
    ASSERT_EQ(vyp.fieldByName("V_obdobie").asInt(), 200702) << "none in March: the last of the year";
    ASSERT_EQ(f.DBGrid2->gridModel()->rowCount(), 2);
    ASSERT_FALSE(f.DBGrid2->gridModel()->isFrozen());

    // The edit ends either way; the grid stands still until it does.
    for (const char *leave : {"Ignorovanie zmien", "Zápis zmien"}) {
        SCOPED_TRACE(leave);
        ASSERT_TRUE(f.DBGrid2->moveToRow(1));
        f.makeAction("Oprava výplaty", f.Menu_vypl)->trigger();
        ASSERT_EQ(vyp.state(), db::DataSetState::Edit);
        EXPECT_TRUE(f.DBGrid2->gridModel()->isFrozen());
        EXPECT_FALSE(core::DMZ().DS_ZAMF.isEnabled()) << "the employee list stands still too";
        // A click on January neither leaves nor stores the February record.
        EXPECT_FALSE(f.DBGrid2->moveToRow(0));
        EXPECT_EQ(vyp.state(), db::DataSetState::Edit);
        EXPECT_EQ(vyp.fieldByName("V_obdobie").asInt(), 200702);

        f.makeAction(leave, f.Menu_vypl)->trigger();
        ASSERT_EQ(vyp.state(), db::DataSetState::Browse);
        EXPECT_FALSE(f.DBGrid2->gridModel()->isFrozen());
        EXPECT_TRUE(core::DMZ().DS_ZAMF.isEnabled());
        EXPECT_TRUE(f.DBGrid2->moveToRow(0)) << "the grid follows clicks again";
        EXPECT_EQ(vyp.fieldByName("V_obdobie").asInt(), 200701);
    }

    // A new record: the grid stands still until it is stored.
    f.makeAction("Nová výplata", f.Menu_vypl)->trigger();
    ASSERT_EQ(vyp.state(), db::DataSetState::Insert) << "March is open for a new payroll";
    EXPECT_TRUE(f.DBGrid2->gridModel()->isFrozen());
    EXPECT_FALSE(f.DBGrid2->moveToRow(0));
    EXPECT_EQ(vyp.state(), db::DataSetState::Insert);
}

TEST_F(PayrollScreenTest, LeavingTheMonthlyWageRefillsTheProbableEarnings)
{
    // Two earlier payrolls of the year give the probable earnings of March.
    makePayroll(1, 101, 1);
    makePayroll(1, 101, 2);
    setPeriod(3);
    TFormMainVyp &f = openScreen();
    choose(1);
    f.makeAction("Nová výplata", f.Menu_vypl)->trigger();
    db::Table &vyp = DMV().TVYP_;
    ASSERT_EQ(vyp.state(), db::DataSetState::Insert);

    typeInto(edit("MV_plat"), "30000");
    const double first = value("PRHRMEZA");
    EXPECT_GE(first, 30000) << "the new monthly wage and the rewards' share";

    // A value left from before is computed again, from the new wage.
    vyp.setValue("PRHRMEZA", 1);
    typeInto(edit("MV_plat"), "31000");
    EXPECT_EQ(value("PRHRMEZA"), first + 1000);

    // The refill is what the record stores.
    ASSERT_TRUE(f.Akcia_vypl_post());
    const db::SqlResult r = stored(1, 200703);
    EXPECT_EQ(r.asFloat(0, r.columnIndex("PRHRMEZA")), first + 1000);
}

TEST_F(PayrollScreenTest, ReturnWithAPendingPieceWorkItemAsksFirst)
{
    session.execute("insert into \":tarix_data:cis_uk\" values (7, 'Montáž', 12.5)");
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    ASSERT_TRUE(f.akcia_hsu(NavigateButton::Insert));
    ASSERT_EQ(DMV().THSU_.state(), db::DataSetState::Insert);
    f.Butt_vypl_navrat->setEnabled(true); // off while editing; the rule holds anyway
    scripted.clearEvents();

    // No: everything stays, silently.
    scripted.answerNo(Msg(65169));
    f.Butt_vypl_navrat->click();
    EXPECT_EQ(scripted.questions(), QStringList{Msg(65169)});
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());
    EXPECT_EQ(DMV().THSU_.state(), db::DataSetState::Insert);
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Insert);
    EXPECT_EQ(f.N->currentWidget(), f.Page_vypl1);

    // Yes drops the item; the payroll record itself still has to be finished.
    scripted.answerYes(Msg(65169));
    f.Butt_vypl_navrat->click();
    EXPECT_EQ(scripted.questions(), (QStringList{Msg(65169), Msg(65169)}));
    EXPECT_EQ(DMV().THSU_.state(), db::DataSetState::Browse);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65199)});
    EXPECT_EQ(f.N->currentWidget(), f.Page_vypl1);
}

TEST_F(PayrollScreenTest, APageEnteredAgainStartsAtTheTop)
{
    TFormMainVyp &f = openScreen();
    f.resize(900, 360); // too low for the basic data: the tab scrolls
    QApplication::processEvents();
    choose(1);
    QApplication::processEvents();
    auto *area = qobject_cast<QScrollArea *>(f.tabNamed("PAGE_ZAKLAD"));
    ASSERT_NE(area, nullptr) << "the basic data scroll";
    ASSERT_EQ(f.N_VYPL->currentWidget(), area);
    QScrollBar *bar = area->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    ASSERT_GT(bar->value(), 0);

    f.Akcia_vypl_navrat();
    ASSERT_EQ(f.N->currentWidget(), f.Page_zamf);
    EXPECT_EQ(bar->value(), 0) << "reset when the page changes";

    bar->setValue(bar->maximum());
    choose(1);
    QApplication::processEvents();
    EXPECT_EQ(f.N_VYPL->currentWidget(), area);
    EXPECT_EQ(bar->value(), 0) << "the clerk sees the first fields";
}

// The colour section of TRX.INI recolours the screen as a whole: the fields the clerk types
// take the first colour, the fields only shown the second, the pages the background.
TEST_F(PayrollScreenTest, TheColourSectionRecoloursTypedAndShownFieldsAndPages)
{
    core::openAppIni(dir.root());
    ini::IniFile &trx = core::trxIni();
    trx.writeString("COLOR", "Pole1", "$0000FF");   // red as $00BBGGRR
    trx.writeString("COLOR", "Pole2", "0x00FF00");  // green
    trx.writeString("COLOR", "Pozadie", "12632256"); // $C0C0C0
    TFormMainVyp &f = openScreen();
    auto base = [&](const char *name) {
        QWidget *w = f.findChild<QWidget *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w ? w->palette().color(QPalette::Base) : QColor();
    };
    EXPECT_EQ(base("DB_V_hodina"), QColor(255, 0, 0));
    EXPECT_EQ(base("DB_V_plat"), QColor(0, 255, 0));
    // As painted, also where the screen's own rule paints fields that cannot be typed into
    // (no record is edited: every field is read-only).
    auto painted = [&](const char *name) {
        QWidget *w = f.findChild<QWidget *>(name);
        const QImage image = w->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    EXPECT_EQ(painted("DB_V_hodina"), QColor(255, 0, 0));
    EXPECT_EQ(painted("DB_V_plat"), QColor(0, 255, 0));
    QWidget *page = f.N_VYPL->widget(0);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->palette().color(QPalette::Window), QColor(192, 192, 192));
}
