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
        // The bulk entry fills an empty January: the installation without the demo's payrolls.
        dir.install({.demoPayrolls = false});
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        modules.handOver(all, true);
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        payroll::registerSubsystem(hooks);
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        test::openFirmFromMenu(*main, 2007, m_month);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200700 + m_month);
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
    int m_month = 3; // of 2007
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
    // a row for each of the demo firm's ten employees employed in March 2007 (one leaves on
    // 30.4.2007, one works on an agreement until 31.12.2007)
    EXPECT_EQ(dmv.THSV_.recordCount(), 10);
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

// Bulk entry of April 2007 (a month without payrolls) typed as a clerk types it: into the
// grid with the keys, and posted with the page's button.
class BulkEntryMenu : public SettlementMenu {
protected:
    BulkEntryMenu() { m_month = 4; }

    // The page filled through the menu item, its period dialog confirmed.
    payroll::THsvPage *openBulkEntry()
    {
        test::whileDialogs([&] { choose("mnu_hsv"); },
                           [](QWidget *w) {
                               if (auto *ok = w->findChild<QPushButton *>(QStringLiteral("OKBtn")))
                                   ok->click();
                           });
        EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
        auto *page =
            qobject_cast<payroll::THsvPage *>(core::mainWindowPage(QString::fromLatin1(payroll::kBulkEntryPage)));
        EXPECT_EQ(main->currentPageName(), QString::fromLatin1(payroll::kBulkEntryPage));
        if (page)
            page->hsvGrid()->setFocus();
        return page;
    }

    // Where the keys go: the open cell editor, or the grid.
    static QWidget *focused(dbctrl::DBGrid *grid)
    {
        QWidget *editor = grid->isEditingCell() ? grid->indexWidget(grid->currentIndex()) : nullptr;
        return editor ? editor : grid;
    }
    static void key(dbctrl::DBGrid *grid, int k)
    {
        test::pressKey(focused(grid), k);
        QApplication::processEvents();
    }
    // The first key opens the cell's editor (the grid edits as soon as one types), the rest
    // go into it.
    static void type(dbctrl::DBGrid *grid, const QString &text)
    {
        test::typeText(focused(grid), text.left(1));
        test::typeText(focused(grid), text.mid(1));
    }
    static int column(dbctrl::DBGrid *grid, const char *field)
    {
        const auto &columns = grid->gridModel()->effectiveColumns();
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].fieldName == QLatin1String(field))
                return i;
        ADD_FAILURE() << "no column " << field;
        return -1;
    }

    // The scratch table's rows in the grid's order, as "field=value" of the given fields.
    QStringList scratchRows(const QStringList &fields)
    {
        const db::SqlResult r = core::session().run(QStringLiteral("select %1 from \":tarix_priv:hsv\" order by "
                                                                   "code_numb, code_emp")
                                                        .arg(fields.join(u',')));
        QStringList rows;
        for (int i = 0; i < r.rowCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < fields.size(); ++c)
                cells << fields[c] + u'=' + r.asString(i, c);
            rows << cells.join(u' ');
        }
        return rows;
    }

    qint64 count(const QString &sql) { return core::session().run(sql).asInteger(0, 0); }

    // What the clerk is taken to have typed beforehand (an hourly wage is not computed
    // without the days).
    void scratchTable(const QString &set)
    {
        core::session().execute(QStringLiteral("update \":tarix_priv:hsv\" set ") + set);
        payroll::DMV().THSV_.refresh();
    }

    void post(payroll::THsvPage *page)
    {
        scripted.answerYes(Msg(65082, core::DM().Nazov_obdobia(false)));
        page->runAction()->click();
    }
};

TEST_F(BulkEntryMenu, RowsTypedWithTabAcrossTheRowEndsAreStoredExactlyAndPosted)
{
    payroll::THsvPage *page = openBulkEntry();
    ASSERT_NE(page, nullptr);
    dbctrl::DBGrid *grid = page->hsvGrid();
    payroll::TDMV &dmv = payroll::DMV();
    const int rows = dmv.THSV_.recordCount();
    ASSERT_GE(rows, 4);
    // What the clerk types into the first three rows, by column; every other cell is passed
    // with Tab.
    const std::vector<std::map<QString, QString>> typed{
        {{"V_den", "20"}, {"V_sviatok", "1"}, {"V_holiday", "1,5"}, {"V_hodina", "160"}, {"Vh_priplat2", "3"},
         {"N_odmeny", "1500"}, {"Zaloha", "2000"}},
        {{"V_den", "18,5"}, {"V_hodina", "148"}, {"V_pn1", "2"}, {"V_ocr2", "1"}, {"Vh_noc", "6"}},
        {{"V_den", "21"}, {"V_hodina", "168"}, {"N_premie", "10"}, {"Vh_skod", "2"}, {"N_dohody_ovp", "900"}},
    };
    const QStringList inputs{"V_den",     "V_sviatok", "V_holiday", "V_hodina",   "V_pn1",        "V_pn2",
                             "V_ocr1",    "V_ocr2",    "Vh_nadcas", "Vh_priplat2", "Vh_noc",      "Vh_skod",
                             "N_premie",  "N_odmeny",  "Zaloha",    "N_dohody_ovp", "N_dohody_opc"};
    const QStringList before = scratchRows(inputs);

    const int first = column(grid, "V_den");
    const int columns = grid->gridModel()->columnCount();
    grid->setCurrentIndex(grid->gridModel()->index(0, first));
    for (size_t r = 0; r < typed.size(); ++r) {
        SCOPED_TRACE(r);
        ASSERT_EQ(grid->currentRow(), int(r));
        for (int c = first; c < columns; ++c) {
            const QString field = grid->gridModel()->effectiveColumns()[c].fieldName;
            if (auto it = typed[r].find(field); it != typed[r].end())
                type(grid, it->second);
            key(grid, Qt::Key_Tab);
        }
        // past the calculated last columns into the next row, then to its first input
        ASSERT_EQ(grid->currentRow(), int(r) + 1);
        for (int c = 0; c < first; ++c)
            key(grid, Qt::Key_Tab);
        ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    }
    EXPECT_FALSE(dmv.THSV_.isEditing());

    // Each row holds what was typed into it, and no other row changed.
    const QStringList after = scratchRows(inputs);
    ASSERT_EQ(after.size(), rows);
    for (int r = 0; r < rows; ++r) {
        SCOPED_TRACE(r);
        if (r >= int(typed.size())) {
            EXPECT_EQ(after[r].toStdString(), before[r].toStdString());
            continue;
        }
        QStringList expected;
        for (const QString &f : inputs) {
            const auto it = typed[r].find(f);
            expected << f + u'=' + (it == typed[r].end() ? QString() : QString(it->second).replace(u',', u'.'));
        }
        EXPECT_EQ(after[r].toStdString(), expected.join(u' ').toStdString());
    }

    // Posted (the rows not typed unmarked), the typed rows make their payrolls with the
    // typed inputs.
    scratchTable(QStringLiteral("priznak_uctovat = '0' where v_den is null"));
    post(page);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information).join(u'|').toStdString(), Msg(65081, 3).toStdString());
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Warning).isEmpty());
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200704"), 3);
    const QHash<QString, QString> payrollField{{"N_premie", "F_sadzba_premii"}, {"Zaloha", "Ne_zaloha"}};
    for (size_t r = 0; r < typed.size(); ++r)
        for (const auto &[field, text] : typed[r]) {
            SCOPED_TRACE(field.toStdString());
            const db::SqlResult v = core::session().run(
                QStringLiteral("select v.%1 from \":tarix_data:vyp\" v join \":tarix_priv:hsv\" h on h.code_emp = "
                               "v.code_emp where v.v_obdobie = 200704 order by h.code_numb, h.code_emp limit 1 offset %2")
                    .arg(payrollField.value(field, field))
                    .arg(r));
            ASSERT_EQ(v.rowCount(), 1);
            EXPECT_DOUBLE_EQ(v.asFloat(0, 0), QString(text).replace(u',', u'.').toDouble());
        }
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

TEST_F(BulkEntryMenu, TheColumnsNamingTheRowCannotBeTypedOver)
{
    payroll::THsvPage *page = openBulkEntry();
    ASSERT_NE(page, nullptr);
    dbctrl::DBGrid *grid = page->hsvGrid();
    payroll::TDMV &dmv = payroll::DMV();
    scratchTable(QStringLiteral("v_den = 20, v_hodina = 160"));
    const QStringList all{"code_numb", "code_emp", "zauctovany", "pmt", "v_den", "priznak_uctovat"};
    const QStringList before = scratchRows(all);
    for (const char *field : {"Code_numb", "Zauctovany", "PMT"}) {
        SCOPED_TRACE(field);
        ASSERT_TRUE(grid->moveToCell(1, column(grid, field)));
        type(grid, QStringLiteral("17"));
        key(grid, Qt::Key_Return);
        EXPECT_FALSE(grid->isEditingCell());
        EXPECT_FALSE(dmv.THSV_.isEditing());
    }
    EXPECT_EQ(scratchRows(all).join(u'\n').toStdString(), before.join(u'\n').toStdString());
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    // every row still finds its employee
    post(page);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65081, int(before.size()))})
        << scripted.messages().join(u'\n').toStdString();
}

TEST_F(BulkEntryMenu, AMarkedRowWhoseEmployeeWentMeanwhileIsNamedAndTheOthersPost)
{
    payroll::THsvPage *page = openBulkEntry();
    ASSERT_NE(page, nullptr);
    scratchTable(QStringLiteral("v_den = 20, v_hodina = 160"));
    const db::SqlResult r = core::session().run(
        "select code_numb, code_emp, pmt from \":tarix_priv:hsv\" order by code_numb, code_emp");
    const int rows = r.rowCount();
    ASSERT_GE(rows, 4);
    // Another program deletes the second row's employee and gives the third another
    // personal number; the fourth row is not marked.
    const QString deleted = r.asString(1, 0) + u' ' + r.asString(1, 2);
    const QString renumbered = r.asString(2, 0) + u' ' + r.asString(2, 2);
    core::session().execute(QStringLiteral("delete from \":tarix_data:zam\" where code_emp = %1").arg(r.asInteger(1, 1)));
    core::session().execute(QStringLiteral("update \":tarix_data:zam\" set code_numb = 9917 where code_emp = %1")
                                .arg(r.asInteger(2, 1)));
    scratchTable(QStringLiteral("priznak_uctovat = '0' where code_emp = %1").arg(r.asInteger(3, 1)));

    post(page);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Warning).join(u'|').toStdString(),
              (Msg(65081, rows - 3) + "\nPočet nespracovaných výplat 2:\n" + deleted
               + ": Zamestnanec bol medzitým vymazaný.\n" + renumbered + ": Zamestnanec má medzitým osobné číslo 9917.")
                  .toStdString());
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200704"), rows - 3);
    EXPECT_EQ(count(QStringLiteral("select count(*) from \":tarix_data:vyp\" where code_emp in (%1, %2)")
                        .arg(r.asInteger(1, 1))
                        .arg(r.asInteger(2, 1))),
              0);
    EXPECT_EQ(count("select count(*) from \":tarix_priv:hsv\" where zauctovany = '1'"), rows - 3);
}

TEST_F(BulkEntryMenu, EveryColumnTitleIsTheClerksWord)
{
    core::session().execute("update \":tarix_data:inf\" set f_priplat1_text = 'Zmenový', f_priplat2_text = null, "
                            "f_priplat3_text = '  '");
    payroll::THsvPage *page = openBulkEntry();
    ASSERT_NE(page, nullptr);
    dbctrl::DBGrid *grid = page->hsvGrid();
    payroll::TDMV &dmv = payroll::DMV();
    QHash<QString, QString> titles;
    for (int c = 0; c < grid->gridModel()->columnCount(); ++c) {
        const QString title = grid->model()->headerData(c, Qt::Horizontal).toString();
        const QString field = grid->gridModel()->effectiveColumns()[c].fieldName;
        titles.insert(field, title);
        SCOPED_TRACE(field.toStdString());
        EXPECT_FALSE(title.trimmed().isEmpty());
        EXPECT_FALSE(title.endsWith(u'-'));
        for (const db::Field *f : dmv.THSV_.fields())
            EXPECT_NE(title.compare(f->name(), Qt::CaseInsensitive), 0) << title.toStdString();
    }
    // the payroll screen's names of the agreement pay, the surcharges by name or number
    EXPECT_EQ(titles["N_dohody_ovp"], dmv.TVYP_.fieldByName("N_dohody_ovp").label());
    EXPECT_EQ(titles["N_dohody_opc"], dmv.TVYP_.fieldByName("N_dohody_opc").label());
    EXPECT_EQ(titles["Vh_priplat1"], "P-Zmenový");
    EXPECT_EQ(titles["Vh_priplat2"], "P-Príplatok 2");
    EXPECT_EQ(titles["Vh_priplat3"], "P-Príplatok 3");
    EXPECT_EQ(titles["Priznak_uctovat"], "Účtovať");
}

} // namespace
