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
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace tarix;
using core::TFormMenuPomoc;

namespace {

TEST(PomocFormTest, ListsTheAbbreviationsOfThePayslip)
{
    struct Row {
        const char *abbreviation;
        const char *meaning;
    };
    const Row expected[] = {
        {"ZP", "Základ pre výp.zdrav.poistenia"},
        {"NP", "Základ pre výp.nemoc.poistenia"},
        {"DP", "Základ pre výp.dôchod.poistenia"},
        {"FZ", "Základ pre výp.odvodu do fondu zam."},
        {"CZD-M", "Čiastkový základ dane - mesačný"},
        {"CZD-R ", "Čiastkový základ dane - ročný"},
        {"CZD-Z", "Čiastkový základ dane - zrážkový"},
        {"PM", "Základ pre výpočet priemernej hod.mzdy"},
        {"ZD-M", "Základ pre výpočet dane - mesačný"},
        {"ZD-R", "Základ pre výpočet dane - ročný"},
        {"ZD-Z", "Základ pre výpočet dane - zrážkový"},
        {"DAN-M", "Preddavok dane vyp.mes.sadzbou dane"},
        {"DAN-R", "Preddavok dane vyp.ročnou.sadzbou dane"},
        {"DAN-Z", "Daň zrazená osobitnou sadzbou dane"},
        {"POI-M", "Odpoč.pol.poistné pre mesačné zdanenie"},
        {"POI-R", "Odpoč.pol.poistné pre mesačné zdanenie"},
        {"POIST", "Celková suma poistného"},
    };
    core::TFormPomoc form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("TARIX - Popis významu skratiek"));
    ASSERT_EQ(form.list()->topLevelItemCount(), int(std::size(expected)));
    for (int i = 0; i < form.list()->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = form.list()->topLevelItem(i);
        EXPECT_EQ(item->text(0), QString::fromUtf8(expected[i].abbreviation)) << i;
        EXPECT_EQ(item->text(1), QString::fromUtf8(expected[i].meaning)) << i;
    }
    EXPECT_EQ(form.okButton()->text(), QStringLiteral("OK"));
    form.show();
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
    EXPECT_EQ(menu->title(), QStringLiteral("Pomoc"));

    const char *expected[] = {"TARIX - popis zmien verzie",
                              "-",
                              "Kalkulačka",
                              "&XML editor",
                              "&ODBC manažér",
                              "&Popis významu skratiek vo výplate",
                              "-",
                              "&Výber súboru",
                              "-",
                              "Internet - informácie o TARIX",
                              "-",
                              "&O programe (verzia programu)"};
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), int(std::size(expected)));
    for (int i = 0; i < items.size(); ++i) {
        if (QString::fromUtf8(expected[i]) == QLatin1String("-"))
            EXPECT_TRUE(items[i]->isSeparator()) << i;
        else
            EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i])) << i;
    }
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
    EXPECT_FALSE(holder.PopisZmienClick());
    EXPECT_FALSE(holder.XmlEditorClick());
    EXPECT_FALSE(holder.OdbcManazerClick());
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
