// The "Pomoc" menu, the abbreviations window and the window caption.
#include "core/helpers/app_paths.h"
#include "core/forms/form_about.h"
#include "core/forms/form_calc.h"
#include "core/forms/form_menu_pomoc.h"
#include "core/forms/form_pomoc.h"
#include "core/forms/window_caption.h"
#include "core/helpers/file_choice.h"
#include "platform/ui/scripted_user_interface.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace tarix;
using core::TFormMenuPomoc;

namespace {

// Clicks a row of the list as the mouse does.
void clickRow(QTreeWidget *list, int row, bool twice)
{
    QWidget *viewport = list->viewport();
    const QPointF at = list->visualItemRect(list->topLevelItem(row)).center();
    const QPointF global = viewport->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    if (twice) {
        QMouseEvent dbl(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &dbl);
        QApplication::sendEvent(viewport, &release);
    }
}

TEST(PomocFormTest, ListsEachAbbreviationOfThePayslipWithItsMeaningInOrder)
{
    const QList<core::Skratka> &skratky = core::payrollShortcuts();
    ASSERT_FALSE(skratky.isEmpty());
    core::TFormPomoc form;
    QTreeWidget *list = form.list();
    ASSERT_EQ(list->columnCount(), 2);
    ASSERT_EQ(list->topLevelItemCount(), skratky.size());
    QSet<QString> seen;
    for (int i = 0; i < skratky.size(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        EXPECT_EQ(item->text(0), skratky[i].skratka) << i;
        EXPECT_EQ(item->text(1), skratky[i].popis) << i;
        EXPECT_FALSE(item->text(0).trimmed().isEmpty()) << "row " << i << " has no abbreviation";
        EXPECT_FALSE(item->text(1).trimmed().isEmpty()) << "row " << i << " has no meaning";
        EXPECT_FALSE(seen.contains(item->text(0).trimmed())) << "listed twice: " << item->text(0).toStdString();
        seen.insert(item->text(0).trimmed());
    }
}

TEST(PomocFormTest, RowsOnlyExplainAndOkClosesTheWindow)
{
    core::TFormPomoc form;
    form.show();
    QApplication::processEvents();
    QTreeWidget *list = form.list();
    ASSERT_GT(list->topLevelItemCount(), 1);
    // Clicking or double-clicking a row chooses nothing and leaves the window open.
    for (int row : {0, list->topLevelItemCount() - 1}) {
        for (bool twice : {false, true}) {
            clickRow(list, row, twice);
            EXPECT_TRUE(list->selectedItems().isEmpty()) << row;
            EXPECT_TRUE(form.isVisible()) << row;
        }
    }
    ASSERT_NE(form.okButton(), nullptr);
    EXPECT_TRUE(form.okButton()->isDefault());
    form.okButton()->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

// Runs `check` on the modal window the action opens, then closes it.
QString runModal(QAction *action, const std::function<void(QWidget *)> &check = {})
{
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        title = modal->windowTitle();
        if (check)
            check(modal);
        modal->close();
    });
    action->trigger();
    return title;
}

class PomocMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.path(), QString(), QString()));
        window.menuBar()->addMenu(QStringLiteral("&Systém"));
        menu = holder.Pridaj_menu_pomoc(&window, window.menuBar());
    }
    void TearDown() override
    {
        delete core::formCalc();
        core::setAppPaths(saved);
    }
    QAction *item(const char *name) { return menu->findChild<QAction *>(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    core::AppPaths saved;
    QMainWindow window;
    TFormMenuPomoc holder;
    QMenu *menu = nullptr;
};

TEST_F(PomocMenuTest, AppendsTheItemsInOrder)
{
    const QList<QAction *> top = window.menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top.last()->menu(), menu);
    EXPECT_EQ(menu->objectName(), QStringLiteral("Pomoc"));
    EXPECT_FALSE(menu->title().isEmpty());

    // The items by name, separators as "-"; each item has its caption.
    const QStringList expected{"PopisZmien", "-", "Kalkulacka", "XmlEditor", "OdbcManazer", "PopisSkratiek",
                               "-", "VyberTlacovehoSuboru", "-", "Internet", "-", "OPrograme"};
    QStringList order;
    for (QAction *a : menu->actions()) {
        order << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->text().isEmpty()) << a->objectName().toStdString();
        }
    }
    EXPECT_EQ(order, expected);
}

TEST_F(PomocMenuTest, EveryWindowGetsItsOwnMenu)
{
    QMainWindow other;
    QMenu *second = holder.Pridaj_menu_pomoc(&other, other.menuBar());
    EXPECT_NE(second, menu);
    EXPECT_EQ(second->actions().size(), menu->actions().size());
    EXPECT_EQ(window.menuBar()->actions().size(), 2);
}

TEST_F(PomocMenuTest, KalkulackaShowsTheOneCalculator)
{
    core::TFormCalc *calc = core::createFormCalc(&window);
    calc->CalcKey(u'4');
    calc->memoryStore();
    item("Kalkulacka")->trigger();
    EXPECT_EQ(core::formCalc(), calc);
    EXPECT_TRUE(calc->isVisible());
    EXPECT_FALSE(calc->isModal());
    calc->close();
    item("Kalkulacka")->trigger();
    EXPECT_EQ(calc->memory(), 4);

    // Without one made at start-up the first use makes it.
    delete calc;
    item("Kalkulacka")->trigger();
    ASSERT_NE(core::formCalc(), nullptr);
    EXPECT_TRUE(core::formCalc()->isVisible());
}

TEST_F(PomocMenuTest, AbbreviationsWindowIsModalAndFreedAfterwards)
{
    bool modal = false;
    const QString title = runModal(item("PopisSkratiek"), [&](QWidget *w) {
        modal = w->isModal() && w->parentWidget() == &window;
    });
    EXPECT_EQ(title, QStringLiteral("TARIX - Popis významu skratiek"));
    EXPECT_TRUE(modal);
    QApplication::processEvents();
    EXPECT_TRUE(window.findChildren<core::TFormPomoc *>().isEmpty());
}

TEST_F(PomocMenuTest, AboutBoxIsMadeOnceAndShowsTheProgramFolder)
{
    QString folderText;
    bool okShown = false;
    const QString title = runModal(item("OPrograme"), [&](QWidget *w) {
        if (auto *about = qobject_cast<core::TFormAbout *>(w)) {
            folderText = about->folderLabel()->text();
            okShown = about->okButton()->isVisible();
        }
    });
    EXPECT_TRUE(okShown);
    EXPECT_EQ(title, QStringLiteral("O programe TARIX"));
    EXPECT_EQ(folderText, QStringLiteral("Umiestnenie programu : ") + core::appPaths().programFolder);
    core::TFormAbout *first = holder.aboutBox();
    ASSERT_NE(first, nullptr);
    runModal(item("OPrograme"));
    EXPECT_EQ(holder.aboutBox(), first);
}

TEST_F(PomocMenuTest, VyberSuboruStartsInTheOutputFolder)
{
    struct Recorder : ui::ScriptedUserInterface {
        QString chooseOpenFile(const ui::FileDialogRequest &request, int *index) override
        {
            folders << request.initialFolder;
            return ScriptedUserInterface::chooseOpenFile(request, index);
        }
        QStringList folders;
    } script;
    ui::ScopedUserInterface installed(script);
    script.cancelFile().cancelFile();

    item("VyberTlacovehoSuboru")->trigger();
    MyConsts::setOutputFolder(dir.path() + QStringLiteral("/DATA01/vystupy"));
    item("VyberTlacovehoSuboru")->trigger();
    MyConsts::setOutputFolder(QString());

    EXPECT_EQ(script.folders, QStringList({core::appPaths().networkRoot + QStringLiteral("vystupy"),
                                           dir.path() + QStringLiteral("/DATA01/vystupy")}));
    const auto opened = script.events(ui::ScriptedUserInterface::EventKind::OpenFile);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].detail, QStringLiteral("Výber súboru"));
    EXPECT_TRUE(script.failures().isEmpty());
}

TEST_F(PomocMenuTest, ProgramsOutsideTheSystemReportFailureWhenMissing)
{
    // Nothing of these exists in the program folder of the test.
    EXPECT_FALSE(holder.changesClicked());
    EXPECT_FALSE(holder.xmlEditorClicked());
    EXPECT_FALSE(holder.odbcManagerClicked());
}

TEST(WindowCaptionTest, CaptionAndPeriodPanel)
{
    QMainWindow window;
    core::Nastav_titulok_okna(&window, window.statusBar(), QStringLiteral("03/2007"),
                              QStringLiteral("Vzorová firma s.r.o."), QStringLiteral("Všetky"));
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("TARIX VERZIA 3.20H3 - Firma: Vzorová firma s.r.o. - Stredisko: Všetky"));
    QLabel *panel = core::statusPanel(window.statusBar(), 0);
    EXPECT_EQ(panel->text(), QStringLiteral("Výplatné obdobie: 03/2007"));

    // Again: the same panel is reused, not a second one added.
    core::Nastav_titulok_okna(&window, window.statusBar(), QStringLiteral("04/2007"),
                              QStringLiteral("Iná"), QString());
    EXPECT_EQ(core::statusPanel(window.statusBar(), 0), panel);
    EXPECT_EQ(window.statusBar()->findChildren<QLabel *>().size(), 1);
    EXPECT_EQ(panel->text(), QStringLiteral("Výplatné obdobie: 04/2007"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("TARIX VERZIA 3.20H3 - Firma: Iná - Stredisko: "));

    // A window without a status bar still gets its caption.
    QWidget plain;
    core::Nastav_titulok_okna(&plain, nullptr, QStringLiteral("05/2007"), QStringLiteral("A"),
                              QStringLiteral("1"));
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("TARIX VERZIA 3.20H3 - Firma: A - Stredisko: 1"));
}

TEST(WindowCaptionTest, PanelsStandInTheirOrder)
{
    QStatusBar bar;
    QLabel *second = core::statusPanel(&bar, 1);
    QLabel *first = core::statusPanel(&bar, 0);
    EXPECT_EQ(second->objectName(), QStringLiteral("StatusPanel1"));
    EXPECT_EQ(first->objectName(), QStringLiteral("StatusPanel0"));
    EXPECT_NE(first, second);
    first->setText(QStringLiteral("prvý"));
    second->setText(QStringLiteral("druhý"));
    bar.show();
    QApplication::processEvents();
    EXPECT_LT(first->geometry().right(), second->geometry().left());
}

} // namespace
