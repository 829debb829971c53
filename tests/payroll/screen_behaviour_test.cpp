// The payroll screen's rules: which payroll it shows, leaving pages and tabs with pending
// edits, closing, the tabs of the period, printing, the employee list and the details of
// the month.
#include "screen_fixture.h"

#include "core/forms/window_caption.h"
#include "platform/dbctrl/db_grid.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;
using dbctrl::NavigateButton;

namespace {

struct Tlac {
    QString kod;
    int codeEmp = 0;
    int period = 0;
};

} // namespace

TEST_F(PayrollScreenTest, ShowsThePayrollOfTheOpenPeriodOrTheLastOfTheYear)
{
    for (int month : {1, 2, 5, 6})
        makePayroll(2, 102, month);
    // Two of them moved to the neighbouring years: they stay out of the list of 2007.
    session.execute("update \":tarix_data:vyp\" set v_obdobie = 200612, v_rok = 2006, v_mesiac = 12 "
                    "where code_emp = 2 and v_obdobie = 200705");
    session.execute("update \":tarix_data:vyp\" set v_obdobie = 200801, v_rok = 2008, v_mesiac = 1 "
                    "where code_emp = 2 and v_obdobie = 200706");
    DMV().TVYP_.refresh();

    setPeriod(1);
    TFormMainVyp &f = openScreen();
    choose(2);
    EXPECT_EQ(DMV().TVYP_.fieldByName("V_obdobie").asInt(), 200701) << "the open period's payroll";
    EXPECT_EQ(f.DBGrid2->gridModel()->rowCount(), 2);
    f.Akcia_vypl_navrat();

    setPeriod(3);
    choose(2);
    EXPECT_EQ(DMV().TVYP_.fieldByName("V_obdobie").asInt(), 200702) << "none in March: the last of 2007";
    EXPECT_EQ(f.DBGrid2->gridModel()->rowCount(), 2);
    f.Akcia_vypl_navrat();

    choose(4);
    EXPECT_TRUE(DMV().TVYP_.isEmpty()) << "no payroll of 2007";
    EXPECT_EQ(f.DBGrid2->gridModel()->rowCount(), 0);
}

TEST_F(PayrollScreenTest, ChoosingFromAnEmptyListIsRefused)
{
    core::DMZ().TZAM_.setFilter("Code_emp=0");
    core::DMZ().TZAM_.setFiltered(true);
    TFormMainVyp &f = openScreen();
    f.Butt_zamf_vyber->click();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65050)});
    EXPECT_EQ(f.N->currentWidget(), f.Page_zamf);
    core::DMZ().TZAM_.setFiltered(false);
}

TEST_F(PayrollScreenTest, LeavingThePayrollPageWithPendingEdits)
{
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());

    // The payroll record itself: refused with 65199.
    f.Butt_vypl_navrat->setEnabled(true); // the menu item is off while editing; the rule holds anyway
    f.Butt_vypl_navrat->click();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65199)});
    EXPECT_EQ(f.N->currentWidget(), f.Page_vypl1);

    // A pending deduction is offered to be dropped first; No keeps everything.
    ASSERT_TRUE(f.akcia_zrv(NavigateButton::Insert));
    ASSERT_EQ(DMV().TZRV_.state(), db::DataSetState::Insert);
    scripted.clearEvents();
    scripted.answerNo(Msg(65168));
    f.Butt_vypl_navrat->click();
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Insert);
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Insert);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << "a No aborts silently";

    // Yes drops the deduction; the payroll record still refuses.
    scripted.answerYes(Msg(65168));
    f.Butt_vypl_navrat->click();
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Browse);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65199)});
    EXPECT_EQ(f.N->currentWidget(), f.Page_vypl1);
}

TEST_F(PayrollScreenTest, LeavingATabWithAPendingDeductionAsksFirst)
{
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    ASSERT_TRUE(f.akcia_zrv(NavigateButton::Insert));
    QWidget *zrazky = f.tabNamed("PAGE_ZRAZKY");
    ASSERT_EQ(f.N_VYPL->currentWidget(), zrazky);

    scripted.answerNo(Msg(65168));
    EXPECT_FALSE(f.showTab("PAGE_ZAKLAD"));
    EXPECT_EQ(f.N_VYPL->currentWidget(), zrazky);
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Insert);

    scripted.answerYes(Msg(65168));
    EXPECT_TRUE(f.showTab("PAGE_ZAKLAD"));
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Browse);
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Insert) << "the payroll record keeps its edit";
}

TEST_F(PayrollScreenTest, ClosingWithPendingEditsAsksOnceBeforeDroppingThem)
{
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    const int copiedDeductions = int(session.run("select count(*) from \":tarix_data:zrv\" where code_emp = 1 "
                                                 "and v_obdobie = 200703").asInteger(0, 0));
    EXPECT_EQ(copiedDeductions, 1) << "the standing deduction was copied into the new month";
    EXPECT_EQ(DMV().TZRV_.recordCount(), 1) << "and is listed";
    ASSERT_TRUE(f.akcia_zrv(NavigateButton::Insert));

    scripted.answerNo(Msg(65172));
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Insert);
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Insert);
    EXPECT_TRUE(MainVyp::Vyplaty_otvorene());

    scripted.answerYes(Msg(65172));
    EXPECT_TRUE(f.close());
    EXPECT_EQ(scripted.questions(), (QStringList{Msg(65172), Msg(65172)})) << "no further question per table";
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(DMV().TZRV_.state(), db::DataSetState::Browse);
    EXPECT_EQ(stored(1, 200703).rowCount(), 0);
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:zrv\" where code_emp = 1 and v_obdobie = 200703")
                  .asInteger(0, 0),
              0)
        << "the rows copied for the dropped payroll go with it";
    EXPECT_FALSE(MainVyp::Vyplaty_otvorene());
    EXPECT_FALSE(DMV().DS_VYPL.isEnabled()) << "the grid sources are off while the screen is not shown";
}

TEST_F(PayrollScreenTest, ClosingWithAPendingPieceWorkItemAsks)
{
    session.execute("insert into \":tarix_data:cis_uk\" values (7, 'Montáž', 12.5)");
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    ASSERT_TRUE(f.akcia_hsu(NavigateButton::Insert));
    ASSERT_EQ(DMV().THSU_.state(), db::DataSetState::Insert);
    scripted.answerNo(Msg(65172));
    EXPECT_FALSE(f.close());
    EXPECT_EQ(DMV().THSU_.state(), db::DataSetState::Insert);
    scripted.answerYes(Msg(65172));
    EXPECT_TRUE(f.close());
    EXPECT_EQ(DMV().THSU_.state(), db::DataSetState::Browse);
    EXPECT_EQ(scripted.questions().size(), 2);
}

TEST_F(PayrollScreenTest, PieceWorkOfTheMonthMakesThePieceWorkWage)
{
    session.execute("insert into \":tarix_data:cis_uk\" values (7, 'Montáž', 12.5)");
    session.execute("insert into \":tarix_data:zam_uk\" values (101, 1, 7, 15)");
    DMV().TCUK_.refresh();
    DMV().TZUK_.refresh();
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    const double fund = value("V_fmes");
    typeInto(edit("V_den"), QString::number(fund));
    typeInto(edit("V_hodina"), QString::number(fund * value("F_doba")));
    const double gross = value("N_brutto");

    ASSERT_TRUE(f.showTab("PAGE_VYKON"));
    db::Table &hsu = DMV().THSU_;
    ASSERT_EQ(hsu.recordCount(), 1) << "the employee's task, count 0";
    EXPECT_TRUE(DMV().DS_HSU.autoEdit) << "items are typed into while the payroll is edited";
    ASSERT_TRUE(f.akcia_hsu(NavigateButton::Edit));
    hsu.setValue("Pocet", 10);
    ASSERT_TRUE(f.akcia_hsu(NavigateButton::Post));
    EXPECT_DOUBLE_EQ(hsu.fieldByName("Suma").asFloat(), 150);
    EXPECT_DOUBLE_EQ(value("N_ukolova"), 150) << "the record follows the stored item";
    EXPECT_DOUBLE_EQ(value("V_plat"), 150) << "the piece-work wage is the month's base wage";
    EXPECT_NE(value("N_brutto"), gross);

    ASSERT_TRUE(f.Akcia_vypl_post());
    EXPECT_FALSE(DMV().DS_HSU.autoEdit);
    const db::SqlResult r = stored(1, 200703);
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_DOUBLE_EQ(r.value(0, "N_ukolova").toDouble(), 150);
}

TEST_F(PayrollScreenTest, DetailOperationsOnlyWhileThePayrollIsEdited)
{
    makePayroll(1, 101, 3);
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_FALSE(DMV().TVYP_.isEmpty());
    f.Akcia_priprav_vypl1();
    for (QAction *a : f.Menu_zrv->actions())
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    for (QAction *a : f.Menu_vykon->actions())
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(f.DBN_zrv1->isEnabled());

    ASSERT_TRUE(f.Akcia_vypl_edit());
    EXPECT_TRUE(f.makeAction("Nový záznam", f.Menu_zrv)->isEnabled());
    EXPECT_FALSE(f.makeAction("Zápis zmien", f.Menu_zrv)->isEnabled());
    EXPECT_TRUE(f.makeAction("Oprava údajov", f.Menu_vykon)->isEnabled());
    ASSERT_TRUE(f.akcia_zrv(NavigateButton::Insert));
    EXPECT_FALSE(f.makeAction("Nový záznam", f.Menu_zrv)->isEnabled());
    EXPECT_TRUE(f.makeAction("Zápis zmien", f.Menu_zrv)->isEnabled());
    ASSERT_TRUE(f.akcia_zrv(NavigateButton::Cancel));
    ASSERT_TRUE(f.Akcia_vypl_cancel());
    EXPECT_TRUE(scripted.questions().isEmpty());
}

TEST_F(PayrollScreenTest, TabsOfThePeriod)
{
    struct Case {
        int year, month;
        bool oldTabs;
    } cases[] = {{2004, 12, true}, {2005, 1, false}, {2007, 3, false}};
    for (const Case &c : cases) {
        setPeriod(c.month, c.year);
        TFormMainVyp &f = openScreen();
        for (const char *page : {"PAGE_USE", "PAGE_ND"}) {
            const int i = f.N_VYPL->indexOf(f.tabNamed(page));
            EXPECT_EQ(f.N_VYPL->isTabVisible(i), c.oldTabs) << c.year << page;
            EXPECT_EQ(f.N_VYPL->isTabEnabled(i), c.oldTabs) << c.year << page;
        }
        EXPECT_EQ(f.makeAction("Nepoužívané", f.Menu_vypl)->isVisible(), c.oldTabs);
        EXPECT_EQ(f.makeAction("Nemocenské dávky", f.Menu_vypl)->isVisible(), c.oldTabs);
        EXPECT_EQ(f.fieldControls("Oz_zdravot").value(0)->isVisibleTo(f.fieldControls("Oz_zdravot").value(0)->parentWidget()),
                  !c.oldTabs);
        EXPECT_EQ(core::statusPanel(f.statusBar, 0)->text(),
                  QStringLiteral("Výplatné obdobie: %1.%2").arg(c.month).arg(c.year));
        form.reset();
    }
}

TEST_F(PayrollScreenTest, PrintingThePayslipAndThePieceWork)
{
    // The print commands the reports subsystem registers, replaced by ones that note the
    // payroll record current when the screen runs them.
    std::vector<Tlac> printed;
    const QWidget *owner = nullptr;
    auto note = [&](const QString &kod) {
        return [&printed, &owner, kod](const core::CommandContext &c) {
            const db::Table &vyp = DMV().TVYP_;
            printed.push_back({kod, vyp.fieldByName("Code_emp").asInt(), vyp.fieldByName("V_obdobie").asInt()});
            owner = c.owner;
        };
    };
    const core::ScopedCommand payslip(payrollScreenPrintCommands(), "VP", note("VP"));
    const core::ScopedCommand pieceWork(payrollScreenPrintCommands(), "VYK", note("VYK"));
    makePayroll(1, 101, 3);
    TFormMainVyp &f = openScreen();
    choose(1);

    f.Butt_vypl_tlac->click();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].kod, "VP");
    EXPECT_EQ(printed[0].codeEmp, 1);
    EXPECT_EQ(printed[0].period, 200703);
    EXPECT_EQ(owner, &f);
    f.Butt_vykon_tlac->click();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[1].kod, "VYK");

    // While the record is edited: the payslip does nothing, the piece-work report says why.
    ASSERT_TRUE(f.Akcia_vypl_edit());
    f.ShowReportVP1();
    f.Butt_vykon_tlac->click();
    EXPECT_EQ(printed.size(), 2u);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65199)});
    ASSERT_TRUE(f.Akcia_vypl_cancel());
}

TEST_F(PayrollScreenTest, EmployeeListOrderAndHints)
{
    TFormMainVyp &f = openScreen();
    db::Table &zam = core::DMZ().TZAM_;
    f.makeAction("Zoradenie podľa abecedy", f.Menu_zamf)->trigger();
    EXPECT_EQ(zam.indexName(), "ZAM1");
    zam.first();
    EXPECT_EQ(zam.fieldByName("Surname").asString(), "Cibula");
    f.DBG_zamfTitleClick("CODE_NUMB");
    EXPECT_EQ(zam.indexName(), "");
    f.DBG_zamfTitleClick("NASTUP");
    EXPECT_EQ(zam.indexName(), "") << "other titles do nothing";

    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    auto *uzdrav = edit("U_zdrav");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(uzdrav, &in);
    EXPECT_EQ(core::statusPanel(f.statusBar, 1)->text(), Msg(65144));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(uzdrav, &out);
    EXPECT_TRUE(core::statusPanel(f.statusBar, 1)->text().isEmpty());
    ASSERT_TRUE(f.Akcia_vypl_cancel());
}

TEST_F(PayrollScreenTest, DeletingAPayrollFromTheMenu)
{
    makePayroll(1, 101, 3);
    TFormMainVyp &f = openScreen();
    choose(1);
    scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
    f.makeAction("Vymazanie výplaty", f.Menu_vypl)->trigger();
    EXPECT_EQ(stored(1, 200703).rowCount(), 0);
    EXPECT_TRUE(DMV().TVYP_.isEmpty());
}

TEST_F(PayrollScreenTest, EnterWritesTheFieldAndPressesNoButton)
{
    TFormMainVyp &f = openScreen();
    choose(1);
    ASSERT_TRUE(f.Akcia_vypl_insert());
    dbctrl::DBEdit *den = edit("V_den");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(den, &in);
    den->selectAll();
    QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
    QApplication::sendEvent(den, &seven);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(den, &enter);
    EXPECT_DOUBLE_EQ(value("V_den"), 7);
    EXPECT_EQ(DMV().TVYP_.state(), db::DataSetState::Insert);
    EXPECT_EQ(f.N->currentWidget(), f.Page_vypl1);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_TRUE(f.Akcia_vypl_cancel());
}
