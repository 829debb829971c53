// The main window as a new user meets it on the demo installation: the employee list and
// its filters, the card, a change posted and one cancelled, the refusal to leave with a
// pending edit.
#include "core/forms/my_menu.h"
#include "core/helpers/messages.h"
#include "mainwin_fixture.h"

#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolButton>

using namespace tarix;
using mainwintest::MainWindowTest;

namespace {

using MainWindowRoad = MainWindowTest;

// The first road starts the program itself, login dialog included.
class MainWindowFromStartup : public MainWindowTest {
protected:
    bool throughStartup() const override { return true; }
};

} // namespace

TEST_F(MainWindowFromStartup, FilterOpenChangePostCancelAndTheLeaveGuard)
{
    EXPECT_EQ(page(), "EMPTY");
    EXPECT_TRUE(main->mainMenu()->isEnabled());

    // The card with the list of July's employees beside it; the main menus rest meanwhile.
    openCard();
    EXPECT_EQ(tab(), "PAGE_UDAJE");
    EXPECT_EQ(cardWindow().NY_ZAM()->currentPageName(), "PAGE_OSOBNE");
    EXPECT_TRUE(main->listPanel()->isVisibleTo(main));
    EXPECT_TRUE(main->employeeOperations()->menuAction()->isVisible());
    EXPECT_FALSE(main->mainMenu()->isEnabled());
    EXPECT_FALSE(main->menuSystem()->isEnabled());
    dbctrl::DBGrid *list = main->employeeList();
    EXPECT_EQ(list->gridModel()->rowCount(), 9); // Žiak left in April

    // The three filters of the employee menu.
    choose(main->employeeOperations(), "Zobrazovať len ukončených zamestnancov");
    ASSERT_EQ(list->gridModel()->rowCount(), 1);
    EXPECT_GE(rowWith(list, "Žiak"), 0);
    EXPECT_EQ(core::employeeViewMode(), u'V');
    choose(main->employeeOperations(), "Zobrazovať všetkých zamestnancov");
    EXPECT_EQ(list->gridModel()->rowCount(), 10);
    choose(main->employeeOperations(), "Zobrazovať len platných zamestnancov");
    EXPECT_EQ(list->gridModel()->rowCount(), 9);
    EXPECT_TRUE(widget<QAction>("mnu_zobr_s")->isChecked());

    // Choose Šťastná; her card shows.
    chooseInList("Šťastná");
    EXPECT_EQ(cardWindow().employeeName()->text().trimmed(), "Šťastná Mária");
    EXPECT_EQ(widget<QLineEdit>("TZAM_Surname")->text(), "Šťastná");
    EXPECT_EQ(zam().value("Code_emp").toInt(), 2);

    // Change her telephone and post it.
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    EXPECT_EQ(zam().state(), db::DataSetState::Edit);
    EXPECT_FALSE(action(main->employeeOperations(), "Oprava údajov zamestnanca")->isEnabled());
    EXPECT_TRUE(action(main->employeeOperations(), "Zápis zmien")->isEnabled());
    EXPECT_FALSE(action(main->employeeOperations(), "Návrat")->isEnabled());
    type(widget("TZAM_Tel1"), "0911 222 333");
    choose(main->employeeOperations(), "Zápis zmien");
    EXPECT_EQ(zam().state(), db::DataSetState::Browse);
    EXPECT_EQ(one("select tel1 from \":tarix_data:zam\" where code_emp = 2").toString(), "0911 222 333");
    EXPECT_TRUE(action(main->employeeOperations(), "Oprava údajov zamestnanca")->isEnabled());
    EXPECT_FALSE(action(main->employeeOperations(), "Zápis zmien")->isEnabled());

    // A pending edit keeps the user on the card: a click on another tab is refused with an
    // information box, the returns with an error box.
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    type(widget("TZAM_Surname"), "Veselá");
    clickTab("PAGE_DETI");
    EXPECT_EQ(tab(), "PAGE_UDAJE");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65199)});
    widget<QPushButton>("Butt_zam_navrat")->click();
    widget<QPushButton>("Butt_zam_pravy_navrat")->click();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), (QStringList{Msg(65199), Msg(65199)}));
    EXPECT_EQ(page(), "ZAM1");
    EXPECT_TRUE(zam().isEditing());

    // Cancelling brings the old name back, in the field and in the table.
    choose(main->employeeOperations(), "Ignorovanie zmien");
    EXPECT_EQ(zam().state(), db::DataSetState::Browse);
    EXPECT_EQ(widget<QLineEdit>("TZAM_Surname")->text(), "Šťastná");
    EXPECT_EQ(one("select surname from \":tarix_data:zam\" where code_emp = 2").toString(), "Šťastná");

    // Now the tab changes: her child, then Sýkorová's three.
    clickTab("PAGE_DETI");
    EXPECT_EQ(tab(), "PAGE_DETI");
    EXPECT_FALSE(main->employeeOperations()->menuAction()->isVisible());
    auto *deti = widget<dbctrl::DBGrid>("DBG_deti");
    EXPECT_EQ(deti->gridModel()->rowCount(), 1);
    chooseInList("Sýkorová");
    EXPECT_EQ(deti->gridModel()->rowCount(), 3);
    EXPECT_TRUE(cardWindow().employeeName()->text().startsWith("Sýkorová"));

    // Back to the start page: the menus work again and the details follow nobody.
    widget<QPushButton>("Butt_zam_navrat")->click();
    EXPECT_EQ(page(), "EMPTY");
    EXPECT_TRUE(main->mainMenu()->isEnabled());
    EXPECT_EQ(core::DMZ().TDET_.masterSource(), nullptr);
    EXPECT_FALSE(core::DMZ().DS_ZAM1.isEnabled());
    for (core::TMyMenu *m : main->tabsMenu())
        EXPECT_FALSE(m->isShown());
    EXPECT_FALSE(main->employeeOperations()->menuAction()->isVisible());
}

TEST_F(MainWindowRoad, ANewEmployeePendingKeepsTheTabAndCancelsClean)
{
    openCard();
    const qint64 before = one("select count(*) from \":tarix_data:zam\"").toLongLong();
    choose(main->employeeOperations(), "Nový zamestnanec");
    EXPECT_EQ(zam().state(), db::DataSetState::Insert);
    EXPECT_FALSE(main->employeeList()->dataSource()->isEnabled()); // the list stands still
    clickTab("PAGE_NEP");
    EXPECT_EQ(tab(), "PAGE_UDAJE");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65199)});
    // The card's own menu item to a tab goes through the same guard.
    choose(main->employeeOperations(), "(3) Evidencia detí");
    EXPECT_EQ(tab(), "PAGE_UDAJE");
    choose(main->employeeOperations(), "Ignorovanie zmien");
    EXPECT_EQ(one("select count(*) from \":tarix_data:zam\"").toLongLong(), before);
    choose(main->employeeOperations(), "(3) Evidencia detí");
    EXPECT_EQ(tab(), "PAGE_DETI");
}

TEST_F(MainWindowRoad, ANewEmployeeIsPostedFromTheCard)
{
    openCard();
    choose(main->employeeOperations(), "Nový zamestnanec");
    type(widget("TZAM_Code_numb"), "120");
    type(widget("TZAM_Surname"), "Nový");
    type(widget("TZAM_Name"), "Adam");
    type(widget("TZAM_Zamestnanie"), "údržbár");
    type(widget("TZAM_Nastup"), "1.7.2007");
    for (const char *field : {"Holiday", "Holiday_old", "Spor_plat", "U_zdrav", "U_nemoc", "U_dochod", "U_fondzam",
                              "U_invalid", "U_uraz", "U_rezerva", "U_garancne"})
        type(widget(QStringLiteral("TZAM_") + field), "0");
    choose(main->employeeOperations(), "Zápis zmien");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{});
    ASSERT_EQ(zam().state(), db::DataSetState::Browse);
    EXPECT_EQ(one("select surname || ' ' || name from \":tarix_data:zam\" where code_numb = 120").toString(),
              "Nový Adam");
    EXPECT_EQ(main->employeeList()->gridModel()->rowCount(), 10);
    EXPECT_TRUE(cardWindow().employeeName()->text().startsWith("Nový Adam"));
}

TEST_F(MainWindowRoad, ARefusedPostTurnsTheCardToTheFieldItNames)
{
    openCard();
    chooseInList("Hudák");
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    zam().setValue("U_zdrav", 1);
    zam().setValue("KZP", QVariant());
    choose(main->employeeOperations(), "Zápis zmien");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65031)});
    EXPECT_TRUE(zam().isEditing());
    EXPECT_EQ(cardWindow().NY_ZAM()->currentPageName(), "PAGE_PRACOVNE");
    EXPECT_EQ(main->focusWidget(), widget("TZAM_KZP"));
    choose(main->employeeOperations(), "Ignorovanie zmien");
}

TEST_F(MainWindowRoad, TabMenusActOnTheirTableAndFollowItsState)
{
    openCard();
    chooseInList("Čierny");
    clickTab("PAGE_NEP");
    ASSERT_EQ(tab(), "PAGE_NEP");
    QMenu *menu = topMenu("Operácie-neprítomnosť");
    ASSERT_NE(menu, nullptr);
    auto *grid = widget<dbctrl::DBGrid>("DBG_nep");
    const int rows = grid->gridModel()->rowCount();
    EXPECT_GE(rows, 1);

    choose(menu, "Nový záznam");
    db::Table &nep = core::DMZ().TNEP_;
    EXPECT_EQ(nep.state(), db::DataSetState::Insert);
    EXPECT_EQ(nep.value("Code_emp").toInt(), 3);
    const QList<QAction *> items = menu->actions();
    EXPECT_EQ(QList<bool>({items[0]->isEnabled(), items[1]->isEnabled(), items[2]->isEnabled(),
                           items[3]->isEnabled(), items[4]->isEnabled()}),
              QList<bool>({false, false, false, true, true}));
    choose(menu, "Ignorovanie zmien");
    EXPECT_EQ(nep.state(), db::DataSetState::Browse);
    EXPECT_EQ(QList<bool>({items[0]->isEnabled(), items[3]->isEnabled()}), QList<bool>({true, false}));

    // The toggle shows the absence kinds and stays down while they show.
    QToolButton *toggle = cardWindow().absenceKindsButton();
    toggle->click();
    EXPECT_TRUE(cardWindow().absenceKindsGrid()->isVisibleTo(main));
    EXPECT_TRUE(toggle->isChecked());
    toggle->click();
    EXPECT_FALSE(cardWindow().absenceKindsGrid()->isVisibleTo(main));

    // An employee without pensions: "Oprava údajov" has nothing to edit.
    clickTab("PAGE_DOCH");
    QMenu *doch = topMenu("Operácie-ev.dôchodkov");
    ASSERT_NE(doch, nullptr);
    EXPECT_TRUE(core::DMZ().TDOCH_.isEmpty());
    choose(doch, "Oprava údajov");
    EXPECT_EQ(core::DMZ().TDOCH_.state(), db::DataSetState::Browse);
    EXPECT_EQ(topMenu("Operácie-neprítomnosť"), nullptr);
}

TEST_F(MainWindowRoad, ContractsOfTheCard)
{
    openCard();
    chooseInList("Šťastná"); // no documents
    clickTab("PAGE_PPV");
    ASSERT_EQ(tab(), "PAGE_PPV");
    EXPECT_EQ(cardWindow().PC_PPV()->currentPageName(), "PAGE_PPV_EMPTY");
    // Nothing to edit.
    choose(main->ppvOperations(), "Oprava údajov o prac. vzťahu");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65198)});

    choose(main->ppvOperations(), "Dohoda o vykonaní práce");
    db::Table &ppv = core::DMP().TPPV_;
    ASSERT_EQ(ppv.state(), db::DataSetState::Insert);
    EXPECT_EQ(ppv.value("TYP").toInt(), 11);
    EXPECT_EQ(cardWindow().PC_PPV()->currentPageName(), "PAGE_PPV_DVP");
    EXPECT_FALSE(action(main->ppvOperations(), "Návrat")->isEnabled());
    EXPECT_THROW(main->returnFromPpv(), EMyError);
    type(widget("PPV_DVP_R1"), "Upratovanie skladu");
    type(widget("PPV_DVP_DATUM"), "2.7.2007");
    choose(main->ppvOperations(), "Zápis zmien");
    ASSERT_EQ(ppv.state(), db::DataSetState::Browse);
    EXPECT_EQ(one("select typ from \":tarix_data:ppv\" where code_emp = 2").toInt(), 11);

    // The contracts' return leads to the employee choice; its "Výber" back to the card.
    choose(main->ppvOperations(), "Návrat");
    EXPECT_EQ(page(), "ZAMF");
    EXPECT_EQ(widget<QLabel>("Panel_zamf")->text(), "  1.04  Zamestnanci - výber zamestnanca");
    EXPECT_TRUE(main->zamfOperations()->menuAction()->isVisible());
    choose(main->zamfOperations(), "Výber zamestnanca");
    EXPECT_EQ(page(), "ZAM1");
    EXPECT_EQ(tab(), "PAGE_UDAJE");
}

TEST_F(MainWindowRoad, TaxBandPage)
{
    choose(main->settingsMenu(), "Daň z príjmu - ročná tabuľka ");
    ASSERT_EQ(page(), "DZP");
    QMenu *menu = main->dzpOperations();
    EXPECT_TRUE(menu->menuAction()->isVisible());
    EXPECT_GT(widget<dbctrl::DBGrid>("DBG_dzp")->gridModel()->rowCount(), 0);
    choose(menu, "Oprava položky");
    EXPECT_TRUE(core::DM().TDZP_.isEditing());
    EXPECT_FALSE(widget<QPushButton>("Butt_dzp_navrat1")->isEnabled());
    EXPECT_THROW(main->returnFromDzp(), EMyError);
    choose(menu, "Ignorovanie zmien");
    EXPECT_TRUE(widget<QPushButton>("Butt_dzp_navrat1")->isEnabled());
    widget<QPushButton>("Butt_dzp_navrat1")->click();
    EXPECT_EQ(page(), "EMPTY");
}

TEST_F(MainWindowRoad, OrderOfTheListIgnoredWhileEditing)
{
    openCard();
    choose(main->employeeOperations(), "Zoradenie podľa abecedy");
    EXPECT_EQ(zam().indexName(), "ZAM1");
    dbctrl::DBGrid *list = main->employeeList();
    EXPECT_TRUE(list->gridModel()->rowTexts(0).join(' ').contains("Cibula")) << list->gridModel()->rowTexts(0).join(' ').toStdString();
    emit list->titleClicked(1, "Code_numb");
    EXPECT_EQ(zam().indexName(), "");
    EXPECT_TRUE(list->gridModel()->rowTexts(0).join(' ').contains("Hudák"));
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    emit list->titleClicked(2, "PMT");
    EXPECT_EQ(zam().indexName(), "");
    choose(main->employeeOperations(), "Ignorovanie zmien");
    emit list->titleClicked(2, "PMT");
    EXPECT_EQ(zam().indexName(), "ZAM1");
}

TEST_F(MainWindowRoad, InsuranceFieldsExplainTheirValuesInTheStatusBar)
{
    openCard();
    auto *panel = main->statusBar()->findChild<QLabel *>("StatusPanel1");
    ASSERT_NE(panel, nullptr);
    struct Case {
        const char *field;
        QString text;
    } cases[] = {{"TZAM_U_zdrav", Msg(65144)}, {"TZAM_U_uraz", Msg(65145)}, {"TZAM_Surname", ""}};
    for (const Case &c : cases) {
        QWidget *w = widget(c.field);
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(w, &in);
        EXPECT_EQ(panel->text(), c.text) << c.field;
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
        EXPECT_EQ(panel->text(), "") << c.field;
    }
}

TEST_F(MainWindowRoad, PeriodChangeReappliesTheFilter)
{
    // In March 2007 Žiak still works; Horváthová and Zeman have started.
    firmtest::whileDialogs([&] { choose(main->mainMenu(), "Zmena výplatného obdobia"); },
                           [](QWidget *w) {
                               if (auto *m = w->findChild<QRadioButton *>("Mesiac3"))
                                   m->setChecked(true);
                               w->findChild<QPushButton *>("OKBtn")->click();
                           });
    ASSERT_EQ(core::DM().Aktualne_obdobie(), 200703);
    openCard();
    EXPECT_EQ(main->employeeList()->gridModel()->rowCount(), 10);
    EXPECT_TRUE(zam().filter().contains("'1.3.2007'")) << zam().filter().toStdString();
}

TEST_F(MainWindowRoad, HealthInsuranceTabsFilterByTheirYears)
{
    openCard();
    chooseInList("Hudák");
    core::TPages *tabs = cardWindow().NX_ZAM();
    ASSERT_TRUE(tabs->isTabVisible(tabs->pageIndex("PAGE_ZP"))); // shown from 2006 on
    EXPECT_EQ(cardWindow().NX_ZDR()->tabText(cardWindow().NX_ZDR()->pageIndex("PAGE_ZP_DOKLAD")),
              "Doklad o preddavkoch za rok 2006");
    clickTab("PAGE_ZP");
    ASSERT_EQ(tab(), "PAGE_ZP");
    core::TDMZ &dmz = core::DMZ();
    EXPECT_EQ(cardWindow().NX_ZDR()->currentPageName(), "PAGE_ZP_ZAMNEC");
    // The settlement of the open year, the monthly basis of the year before.
    EXPECT_EQ(dmz.TZP1_.filter(), "v_rok=2007");
    EXPECT_EQ(dmz.TZP3_.filter(), "v_rok=2007 and typ='VV'");
    EXPECT_EQ(dmz.TZP4_.filter(), "v_rok=2006 and typ=1");
    for (db::Table *t : {&dmz.TZP1_, &dmz.TZP2_, &dmz.TZP3_, &dmz.TZP4_}) {
        EXPECT_TRUE(t->isFiltered() || t == &dmz.TZP2_);
        EXPECT_EQ(t->masterSource(), &dmz.DS_ZAM1);
    }
    // The rebuild of the monthly basis asks first; "no" changes nothing.
    scripted.answerNo(Msg(65065));
    cardWindow().healthCalcButton()->click();
    EXPECT_EQ(one("select count(*) from \":tarix_data:zp_tab\"").toInt(), 0);

    // Change reports: a new one for Hudák in the open year.
    clickTab("PAGE_DAVKA601");
    ASSERT_EQ(tab(), "PAGE_DAVKA601");
    EXPECT_EQ(dmz.TZP5_.filter(), "v_rok=2007");
    QMenu *menu = topMenu("Operácie-údaje pre ZP (dávka 601)");
    ASSERT_NE(menu, nullptr);
    choose(menu, "Nový záznam");
    EXPECT_EQ(dmz.TZP5_.state(), db::DataSetState::Insert);
    EXPECT_EQ(dmz.TZP5_.value("Code_emp").toInt(), 1);
    choose(menu, "Ignorovanie zmien");
    EXPECT_EQ(dmz.TZP5_.state(), db::DataSetState::Browse);
}

TEST_F(MainWindowRoad, TheStartPageDetachesAndTheNextVisitLinksAgain)
{
    openCard();
    chooseInList("Sýkorová");
    clickTab("PAGE_DETI");
    EXPECT_EQ(widget<dbctrl::DBGrid>("DBG_deti")->gridModel()->rowCount(), 3);
    // A child being added when the choice page's button leaves without asking: dropped.
    choose(topMenu("Operácie-evidencia detí"), "Nový záznam");
    ASSERT_EQ(core::DMZ().TDET_.state(), db::DataSetState::Insert);
    main->showPage("EMPTY");
    EXPECT_EQ(core::DMZ().TDET_.state(), db::DataSetState::Browse);
    EXPECT_EQ(core::DMZ().TDET_.masterSource(), nullptr);
    EXPECT_EQ(one("select count(*) from \":tarix_data:deti\" where code_emp = 9").toInt(), 3);

    openCard();
    EXPECT_EQ(tab(), "PAGE_UDAJE");
    chooseInList("Hudák");
    clickTab("PAGE_DETI");
    EXPECT_EQ(core::DMZ().TDET_.masterSource(), &core::DMZ().DS_ZAM1);
    EXPECT_EQ(widget<dbctrl::DBGrid>("DBG_deti")->gridModel()->rowCount(), 2);
}

TEST_F(MainWindowRoad, ClosingAsksAndDropsAPendingEdit)
{
    openCard();
    chooseInList("Kováč");
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    type(widget("TZAM_Surname"), "Zmenený");
    scripted.answerNo(Msg(65173));
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(zam().isEditing());
    scripted.answerYes(Msg(65173));
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(zam().isEditing());
    EXPECT_EQ(one("select surname from \":tarix_data:zam\" where code_emp = 8").toString(), "Kováč");
}
