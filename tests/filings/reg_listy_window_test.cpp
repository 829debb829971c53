// The registration-list window as a new clerk meets it: the program starts on the demo
// installation with the filings registered as the program registers them, firm 01 is
// opened for March 2007, and "Hromadné registračné listy (XML)" is chosen from the main menu.
// Two rows are ticked, one with the mouse and one with Space, the list is written and found
// with its check file; with nothing ticked the clerk is told so; after the window closes
// the absence table follows the employee card again.
#include "reports/program_fixture.h"

#include "components/grid/ex_db_grid.h"
#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/employee_card.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/form_nep1.h"
#include "filings/forms/subsystem.h"
#include "platform/db/table.h"
#include "platform/format/clock.h"
#include "reports/forms/form_tla1.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolButton>

using namespace tarix;

namespace {

class RegListyWindow : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        filings::registerSubsystem(hooks);
        // The filings' modules (the payment orders' and the export layouts') over the core's.
        start(hooks, {{filings::createDMHP, filings::destroyDMHP}, {filings::createDMTL, filings::destroyDMTL}});
        openFirm(2007, 3);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        closeWindows<filings::TFormNEP1>();
        ProgramTest::TearDown();
    }

    filings::TFormNEP1 *openFromMenu() { return openWindow<filings::TFormNEP1>("sp_reglisty"); }

    static void clickIndicator(grid::TExDBGrid *grid, int row)
    {
        auto *header = static_cast<QHeaderView *>(grid->indicator());
        QWidget *target = header->viewport();
        const QPoint p(header->width() / 2, header->sectionViewportPosition(row) + header->sectionSize(row) / 2);
        QMouseEvent press(QEvent::MouseButtonPress, p, target->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, target->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

    // "createLayout XML" with the contact-data dialog confirmed as it stands.
    void writeList(filings::TFormNEP1 *form)
    {
        test::whileDialogs([&] { form->btn_xml->click(); },
                           [](QWidget *w) {
                               auto *contact = qobject_cast<reports::TFormTLA1 *>(w);
                               ASSERT_NE(contact, nullptr) << w->objectName().toStdString();
                               contact->Button1->click();
                           });
    }

    // The employee card of "Čierny" (3, with a sick leave) on its absences page, as the
    // clerk leaves it before choosing the registration lists.
    dbctrl::DBGrid *cardAbsences()
    {
        for (QMenu *m : main->findChildren<QMenu *>())
            emit m->aboutToShow();
        for (QAction *a : main->mainMenu()->actions())
            if (QString(a->text()).remove('&') == QStringLiteral("Zamestnanci"))
                a->trigger();
        EXPECT_EQ(main->currentPageName(), "ZAM1");
        dbctrl::DBGrid *list = main->employeeList();
        for (int r = 0; r < list->gridModel()->rowCount(); ++r)
            if (list->gridModel()->rowTexts(r).join(' ').contains(QStringLiteral("Čierny")))
                list->moveToRow(r);
        EXPECT_EQ(core::DMZ().TZAM_.fieldByName(QStringLiteral("Code_emp")).asInt(), 3);
        core::TPages *tabs = main->cardWindow()->NX_ZAM();
        const int i = tabs->pageIndex(QStringLiteral("PAGE_NEP"));
        QTabBar *bar = tabs->tabBar();
        const QPointF at = bar->tabRect(i).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(bar, &release);
        EXPECT_EQ(tabs->currentPageName(), "PAGE_NEP");
        return main->findChild<dbctrl::DBGrid *>(QStringLiteral("DBG_nep"));
    }

    // The grid's pop-up menu as the clerk opens it: a right click on a row; the item is found
    // by its caption in the menu that came up (or in its sub-menu) and chosen.
    static void chooseFromGridMenu(grid::TExDBGrid *grid, const QString &caption)
    {
        const QRect cell = grid->visualRect(grid->gridModel()->index(0, 1));
        QMouseEvent press(QEvent::MouseButtonPress, cell.center(), grid->viewport()->mapToGlobal(cell.center()),
                          Qt::RightButton, Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &press);
        QMenu *menu = nullptr;
        for (auto *w : QApplication::topLevelWidgets())
            if (auto *m = qobject_cast<QMenu *>(w); m && m->isVisible() && m->objectName() == "ExDBGridPopup")
                menu = m;
        ASSERT_NE(menu, nullptr);
        QAction *chosen = nullptr;
        for (QAction *a : menu->actions()) {
            if (a->text() == caption)
                chosen = a;
            if (a->menu())
                for (QAction *b : a->menu()->actions())
                    if (b->text() == caption)
                        chosen = b;
        }
        ASSERT_NE(chosen, nullptr) << caption.toStdString();
        ASSERT_TRUE(chosen->isEnabled() && chosen->isVisible()) << caption.toStdString();
        menu->hide();
        chosen->trigger();
    }

    // Drags the right border of a column's title by dx pixels.
    static void dragColumnBorder(grid::TExDBGrid *grid, int column, int dx)
    {
        QHeaderView *header = grid->horizontalHeader();
        QWidget *target = header->viewport();
        const QPoint from(header->sectionViewportPosition(column) + header->sectionSize(column) - 1,
                          header->height() / 2);
        const QPoint to = from + QPoint(dx, 0);
        QMouseEvent hover(QEvent::MouseMove, from, target->mapToGlobal(from), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &hover);
        QMouseEvent press(QEvent::MouseButtonPress, from, target->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, target->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    }

    QString outputs() const { return QDir(dir.path()).filePath(QStringLiteral("vystupy")); }

    fmt::ScopedClock clock{QDateTime(QDate(2007, 3, 20), QTime(10, 0))};
};

TEST_F(RegListyWindow, ANewClerkTicksTwoRowsAndWritesTheList)
{
    dbctrl::DBGrid *absences = cardAbsences();
    ASSERT_NE(absences, nullptr);
    ASSERT_EQ(absences->gridModel()->rowCount(), 1);
    filings::TFormNEP1 *form = openFromMenu();
    ASSERT_NE(form, nullptr);
    grid::TExDBGrid *grid = form->DBG1;
    // the registration-list rows of every employee: the registration of 10 and the
    // deregistration of 6, not the sick leave of 3
    ASSERT_EQ(grid->gridModel()->rowCount(), 2);
    EXPECT_EQ(grid->WidthOfIndicator(), 30);
    EXPECT_EQ(grid->GridStyle().style, grid::gsSoftWheat);
    EXPECT_TRUE(grid->hasExOption(grid::eoCheckBoxSelect));
    EXPECT_TRUE(grid->multiSelect());
    EXPECT_EQ(grid->gridModel()->headerData(0, Qt::Horizontal).toString(), "Zamestnanec");

    // nothing ticked yet
    form->btn_xml->click();
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65096)});
    EXPECT_FALSE(QDir(outputs()).exists() && !QDir(outputs()).entryList(QDir::Files).isEmpty());

    // the first row with the mouse, the second with the keyboard
    clickIndicator(grid, 0);
    grid->setFocus();
    test::pressKey(grid, Qt::Key_Down);
    test::pressKey(grid, Qt::Key_Space, QStringLiteral(" "));
    ASSERT_EQ(grid->selectedCount(), 2);

    scripted.clearEvents();
    scripted.answer(true, Msg(65097, 2));
    writeList(form);
    const QString xml = QDir(outputs()).filePath(QStringLiteral("SPRLZEC_%1_2007_00001.xml")
                                                     .arg(core::DM().TINF_.fieldByName(QStringLiteral("ICO"))
                                                              .asString()
                                                              .trimmed()));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65151, QDir::toNativeSeparators(xml))});
    ASSERT_TRUE(QFile::exists(xml)) << xml.toStdString();
    const QString check = xml.left(xml.size() - 4) + QStringLiteral(".txt");
    EXPECT_TRUE(QFile::exists(check));
    QFile f(xml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_EQ(text.count(QStringLiteral("<regListZec ")), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("<regListZec typRL=\"PA\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<regListZec typRL=\"OD\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<zostavil>Mária Šťastná</zostavil>")));

    // answering No writes nothing more
    scripted.answer(false, Msg(65097, 2));
    form->btn_xml->click();
    EXPECT_FALSE(QFile::exists(QDir(outputs()).filePath(QStringLiteral("SPRLZEC_%1_2007_00002.xml"))));

    // closed: the absence table follows the card's employee again
    form->btn_navrat->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    core::TDMZ &dmz = core::DMZ();
    EXPECT_EQ(dmz.TNEP_.masterSource(), &dmz.DS_ZAM1);
    EXPECT_FALSE(dmz.TNEP_.isFiltered());
    EXPECT_EQ(dmz.TZAM_.fieldByName(QStringLiteral("Code_emp")).asInt(), 3);
    ASSERT_EQ(dmz.TNEP_.recordCount(), 1);
    EXPECT_EQ(dmz.TNEP_.fieldByName(QStringLiteral("Dovod")).asString(), u"chrípka");
    EXPECT_EQ(absences->gridModel()->rowCount(), 1);
}

TEST_F(RegListyWindow, TheMenuFollowsAnEmployeeBeingEdited)
{
    filings::TFormNEP1 *form = openFromMenu();
    ASSERT_NE(form, nullptr);
    core::TDMZ &dmz = core::DMZ();
    dmz.TZAM_.edit();
    emit form->Operacie->aboutToShow();
    EXPECT_FALSE(form->Vytvor_xml->isEnabled());
    EXPECT_FALSE(form->Navrat->isEnabled());
    EXPECT_FALSE(form->btn_navrat->isEnabled());
    EXPECT_TRUE(form->postChanges->isEnabled());
    EXPECT_FALSE(form->Novy_zaznam->isEnabled());
    dmz.TZAM_.cancel();
    emit form->Operacie->aboutToShow();
    EXPECT_TRUE(form->Vytvor_xml->isEnabled());
    EXPECT_TRUE(form->btn_navrat->isEnabled());
    EXPECT_FALSE(form->ignoreChanges->isEnabled());

    // "Prezerať XML" offers the written lists to open; cancelled, nothing else happens
    scripted.clearEvents();
    scripted.cancelFile();
    form->btn_xml_view->click();
    EXPECT_EQ(scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile).size(), 1u);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
}

TEST_F(RegListyWindow, TheGridKeepsAColumnLayoutAndSelectsFromItsMenu)
{
    // A clerk of their own: a fresh registry.
    QTemporaryDir config;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    auto restore = qScopeGuard([&] {
        if (savedConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedConfig);
    });

    filings::TFormNEP1 *form = openFromMenu();
    ASSERT_NE(form, nullptr);
    grid::TExDBGrid *grid = form->DBG1;
    const int designed = grid->columnWidth(1);
    dragColumnBorder(grid, 1, 60);
    const int widened = grid->columnWidth(1);
    ASSERT_EQ(widened, designed + 60);
    chooseFromGridMenu(grid, QStringLiteral("Save column layout"));
    dragColumnBorder(grid, 1, -40);
    ASSERT_EQ(grid->columnWidth(1), widened - 40);

    // select all and unselect all from the menu's sub-menu
    chooseFromGridMenu(grid, QStringLiteral("Select All records"));
    EXPECT_EQ(grid->selectedCount(), 2);
    chooseFromGridMenu(grid, QStringLiteral("UnSelect All records"));
    EXPECT_EQ(grid->selectedCount(), 0);

    // the window closed and opened again comes with its designed widths
    form->btn_navrat->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form = openFromMenu();
    ASSERT_NE(form, nullptr);
    grid = form->DBG1;
    EXPECT_EQ(grid->columnWidth(1), designed);
    chooseFromGridMenu(grid, QStringLiteral("Restore column layout"));
    EXPECT_EQ(grid->columnWidth(1), widened);
    ASSERT_EQ(grid->columnCount(), 7);
    EXPECT_EQ(grid->columnCaption(0), "Zamestnanec");
    EXPECT_EQ(grid->gridModel()->rowCount(), 2);
    // what the menu does not offer in this read-only window
    grid->preparePopupMenu();
    for (grid::PopupItem item : {grid::piAdd, grid::piInsert, grid::piEdit, grid::piDelete, grid::piPost,
                                 grid::piCancel})
        EXPECT_FALSE(grid->popupAction(item)->isEnabled()) << grid::popupCaption(item).toStdString();
    for (grid::PopupItem item : {grid::piPrint, grid::piExport, grid::piFilter, grid::piSearch, grid::piSetup})
        EXPECT_FALSE(grid->popupAction(item)->isVisible()) << grid::popupCaption(item).toStdString();
}

} // namespace
