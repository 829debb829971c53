// The annual settlement and bulk entry as a clerk reaches them from the main menu: the
// program starts on the demo installation with the payroll subsystem registered as the
// program registers it, and firm 01 is opened for March 2007.
#include "core/app_ini.h"
#include "core/card_page_provider.h"
#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "payroll/dm_v.h"
#include "payroll/forms/hsv_page.h"
#include "payroll/forms/rzp_pages.h"
#include "payroll/forms/settlement_commands.h"
#include "payroll/forms/subsystem.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/db/session.h"
#include "platform/dbctrl/screen_builder.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

using namespace tarix;

namespace {

class SettlementMenu : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        test::ScriptedTest<>::SetUp();
        dir.install();
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        modules.handOver(all, true);
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        payroll::registerSubsystem(hooks);
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        test::openFirmFromMenu(*main, 2007, 3);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200703);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        if (main)
            main->hide();
        core::mainMenuCommands().clear();
        core::clearMainWindowPages();
        core::dropOpenFirm();
        core::closeSession();
        modules.destroy();
        core::registerPieceWorkPage(nullptr);
        payroll::setSettings({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ScriptedTest<>::TearDown();
    }

    // Chooses an item as the clerk does: the menus are opened on the way, so their states
    // are brought up to date; only a shown and enabled item is chosen.
    void choose(const char *name)
    {
        for (QMenu *m : {main->menuSystem(), main->mainMenu(), main->overviewsMenu(), main->settingsMenu()})
            emit m->aboutToShow();
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isVisible() && a->isEnabled()) << name;
        a->trigger();
    }

    static QAction *action(QMenu *menu, const QString &text)
    {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }

    payroll::TRzpPages *settlement() const
    {
        return qobject_cast<payroll::TRzpPages *>(core::mainWindowPage(QString::fromLatin1(payroll::kSettlementPage)));
    }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    test::Installation dir;
    test::DataModules modules;
    core::TFormMain *main = nullptr;
};

TEST_F(SettlementMenu, TheSettlementAndBulkEntryItemsAreEnabled)
{
    for (QMenu *m : {main->menuSystem(), main->mainMenu(), main->overviewsMenu(), main->settingsMenu()})
        emit m->aboutToShow();
    for (const char *name : {"mnu_rz_vypocet", "mnu_rz_zauctovanie", "mnu_rz_zp_zauctovanie", "mnu_hsv"}) {
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        EXPECT_TRUE(a->isVisible() && a->isEnabled()) << name;
    }
    // the pages' menus stand on the menu bar but show only with their page
    QMenu *operations = main->pageOperations(QString::fromLatin1(payroll::kSettlementPage));
    ASSERT_NE(operations, nullptr);
    EXPECT_TRUE(main->menuBar()->actions().contains(operations->menuAction()));
    EXPECT_FALSE(operations->menuAction()->isVisible());
}

TEST_F(SettlementMenu, TheSettlementShowsTheOpenYearsFormOfTheEmployeeChosenInTheList)
{
    choose("mnu_rz_vypocet");
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kSettlementPage));
    EXPECT_EQ(main->employeeSelectionMode(), QChar(u'R'));
    payroll::TRzpPages *pages = settlement();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentPageName(), "RZP2005");
    QMenu *operations = pages->Operacie_rzp1();
    EXPECT_TRUE(operations->menuAction()->isVisible());
    EXPECT_TRUE(main->listPanel()->isVisibleTo(main));

    // The list's second employee: a new settlement is his, and the life insurance typed
    // changes its result.
    db::Table &zam = core::DMZ().TZAM_;
    zam.first();
    zam.next();
    const int codeEmp = zam.fieldByName("Code_emp").asInt();
    payroll::TDMV &dmv = payroll::DMV();
    action(operations, "Nové zúčtovanie")->trigger();
    ASSERT_TRUE(dmv.TRZP_.isEditing());
    EXPECT_EQ(dmv.TRZP_.fieldByName("Code_emp").asInt(), codeEmp);
    EXPECT_EQ(dmv.TRZP_.fieldByName("V_rok").asInt(), 2007);
    QWidget *form = pages->pageNamed("RZP2005");
    auto *base2 = qobject_cast<QLineEdit *>(dbctrl::findDataControl(form, &dmv.DS_RZP, "Ciastzd2"));
    auto *insurance = qobject_cast<QLineEdit *>(dbctrl::findDataControl(form, &dmv.DS_RZP, "Nc_zivotne_poistenie"));
    ASSERT_TRUE(base2 && insurance);
    test::typeInto(base2, "200000");
    const double before = dmv.TRZP_.fieldByName("Preplatok").asFloat();
    // 5000 of life insurance: 5000 less taxable income, 950 less tax (19 %)
    test::typeInto(insurance, "5000");
    EXPECT_DOUBLE_EQ(dmv.TRZP_.fieldByName("Preplatok").asFloat(), before + 950);

    // The return is refused while the settlement is edited, and leaves once it is written.
    action(operations, "&Návrat")->trigger();
    EXPECT_EQ(errors(), QStringList{Msg(65199)});
    EXPECT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kSettlementPage));
    action(operations, "Zápis zmien")->trigger();
    EXPECT_FALSE(dmv.TRZP_.isEditing());
    EXPECT_EQ(core::session()
                  .run(QStringLiteral("select count(*) from \":tarix_data:rzp\" where code_emp = %1 and v_rok = 2007")
                           .arg(codeEmp))
                  .asInteger(0, 0),
              1);
    action(operations, "&Návrat")->trigger();
    EXPECT_EQ(main->currentPageName(), "EMPTY");
    EXPECT_FALSE(operations->menuAction()->isVisible());
    EXPECT_EQ(errors().size(), 1);
}

TEST_F(SettlementMenu, TheEmployeeChoiceInSettlementModeLeadsToTheSettlement)
{
    choose("mnu_rz_vypocet");
    main->showPage("ZAMF");
    ASSERT_EQ(main->currentPageName(), "ZAMF");
    QAction *choice = main->findChild<QAction *>("mnu_zamf_vyber");
    ASSERT_NE(choice, nullptr);
    choice->trigger();
    EXPECT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kSettlementPage));
    // the card's entry takes the choice back to the card
    choose("mnu_zamestnanci");
    EXPECT_EQ(main->employeeSelectionMode(), QChar(u'Z'));
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
}

TEST_F(SettlementMenu, BulkEntryFillsTheMonthAndItsReturnLeavesForTheStartPage)
{
    // the period dialog comes first; its month is kept
    test::whileDialogs([&] { choose("mnu_hsv"); },
                       [](QWidget *w) {
                           if (auto *ok = w->findChild<QPushButton *>(QStringLiteral("OKBtn")))
                               ok->click();
                           else
                               ADD_FAILURE() << "a dialog without OK: " << w->objectName().toStdString();
                       });
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kBulkEntryPage));
    auto *page = qobject_cast<payroll::THsvPage *>(core::mainWindowPage(QString::fromLatin1(payroll::kBulkEntryPage)));
    ASSERT_NE(page, nullptr);
    payroll::TDMV &dmv = payroll::DMV();
    // a row for each of the demo firm's eight employees employed in March 2007
    EXPECT_EQ(dmv.THSV_.recordCount(), 8);
    // the surcharge columns carry the firm's titles
    EXPECT_TRUE(page->hsvGrid()->model()->headerData(15, Qt::Horizontal).toString().startsWith("P-"));

    // "Návrat" asks; no stays, yes leaves
    scripted.answerNo(Msg(65083));
    page->returnAction()->click();
    EXPECT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kBulkEntryPage));
    scripted.answerYes(Msg(65083));
    page->returnAction()->click();
    EXPECT_EQ(main->currentPageName(), "EMPTY");
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

} // namespace
