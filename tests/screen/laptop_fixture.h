#pragma once
// The program on a laptop's screen of 1366 x 768 (the offscreen platform given that
// screen): it starts on the demo installation with the payroll, the reports and the
// filings registered as the program registers them, the login window is looked at, and
// firm 01 is opened for April 2007. The clerk answers no and cancels.
#include "reports/program_fixture.h"

#include "core/app_ini.h"
#include "core/forms/form_main.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/form_hp1.h"
#include "filings/forms/form_par_hp.h"
#include "filings/forms/subsystem.h"
#include "payroll/forms/subsystem.h"
#include "reports/forms/subsystem.h"
#include "platform/shell/launcher.h"
#include "platform/ui/qt/form_progress.h"
#include "platform/ui/qt/qt_user_interface.h"
#include "platform/ui/qt/window_fit.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <functional>

namespace tarix::screentest {

// The clerk who says no to every question and cancels every file choice.
class SayingNo : public ui::ScriptedUserInterface {
public:
    bool askYesNo(const QString &) override { return false; }
    QString chooseOpenFile(const ui::FileDialogRequest &, int * = nullptr) override { return {}; }
    QString chooseSaveFile(const ui::FileDialogRequest &, int * = nullptr) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
};

class ProgramOnALaptop : public reports::fixtures::ProgramTest<SayingNo> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const QScreen *screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        ASSERT_EQ(screen->geometry().size(), QSize(1366, 768)) << "the screen ctest gives this program";

        // The subsystems registered as the program registers them.
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        payroll::registerSubsystem(hooks);
        reports::registerSubsystem(hooks);
        filings::registerSubsystem(hooks);
        // Documents are handed to nobody.
        ShellUtils::setStartHook([](const QString &, const QStringList &, const QString &) { return true; });
        std::vector<test::ModuleSteps> above = payrollModule();
        above.push_back({filings::createDMHP, filings::destroyDMHP});
        above.push_back({filings::createDMTL, filings::destroyDMTL});
        // The program's start as ProgramTest::start makes it, the login window looked at.
        dir.install();
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.insert(all.end(), above.begin(), above.end());
        modules.handOver(all, true);
        main = test::startWithLogin(dir.path(), hooks, [this](QWidget *login) {
            loginProblems = problems(login);
            test::loginWith()(login);
        });
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(loginProblems.isEmpty()) << loginProblems.join('\n').toStdString();
        main->showMaximized();
        openFirm(2007, 4);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        closeWindows<filings::TFormHP1>();
        ShellUtils::setStartHook({});
        ProgramTest::TearDown();
    }

    QStringList loginProblems;

    // What is wrong with a shown window on this screen; empty when nothing.
    QStringList problems(const QWidget *w) const
    {
        QStringList found;
        const QString name = QStringLiteral("%1 \"%2\"").arg(w->metaObject()->className(), w->windowTitle());
        const QRect screen = w->screen()->availableGeometry();
        const QRect outer = w->geometry().marginsAdded(ui::frameAllowance(w));
        // A maximised window is fitted by the window manager, as far as its content lets it;
        // one never placed is placed on the screen by it.
        if (w->isMaximized()) {
            const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
            const QRect room = ui::windowRoom(w);
            if (least.width() > room.width() || least.height() > room.height())
                found << QStringLiteral("%1 cannot be smaller than %2x%3").arg(name).arg(least.width()).arg(least.height());
        } else if (!w->testAttribute(Qt::WA_Moved) ? outer.width() > screen.width() || outer.height() > screen.height()
                                                    : !screen.contains(outer))
            found << QStringLiteral("%1 reaches past the screen: %2,%3 %4x%5 with its frame")
                         .arg(name)
                         .arg(outer.x())
                         .arg(outer.y())
                         .arg(outer.width())
                         .arg(outer.height());
        if (w->width() < std::min(ui::titleWidth(w), ui::windowRoom(w).width()))
            found << QStringLiteral("%1 cuts its title at %2 px").arg(name).arg(w->width());
        if (w != main && !w->parentWidget() && !qobject_cast<const ui::TFormProgress *>(w))
            found << QStringLiteral("%1 belongs to no window").arg(name);
        return found;
    }

    // Chooses every enabled item of the main menu as a clerk who answers no and cancels
    // does, and hands each window it brings up to `look`: the dialogs while they run, the
    // windows that stay open beside the main one afterwards (then closed), and the main
    // window itself after each item (`lookAtMain`). Returns how many items were chosen.
    size_t walkMenu(const std::function<void(QWidget *)> &look, const std::function<void()> &lookAtMain = {})
    {
        std::vector<QMenu *> bar;
        for (QAction *a : main->menuBar()->actions())
            if (a->menu() && a->isEnabled())
                bar.push_back(a->menu());
        const std::vector<QAction *> items = enabledItems(bar);
        std::vector<QPointer<QWidget>> kept; // windows the program keeps after they are closed
        auto lookAt = [&](QWidget *w) {
            look(w);
            if (!w->testAttribute(Qt::WA_DeleteOnClose))
                kept.emplace_back(w);
        };
        for (QAction *a : items) {
            SCOPED_TRACE(a->objectName().toStdString() + " \"" + a->text().toStdString() + "\"");
            test::whileDialogs(
                [&] {
                    for (QAction *top : main->menuBar()->actions())
                        if (top->menu())
                            emit top->menu()->aboutToShow();
                    if (a->isEnabled())
                        a->trigger();
                },
                [&](QWidget *w) {
                    lookAt(w);
                    if (auto *form = qobject_cast<reports::TFParForm *>(w))
                        form->reject(); // the dialog is what is looked at, not the report
                    else
                        dismiss(w);
                },
                30000);
            for (QWidget *w : shownWindows()) {
                lookAt(w);
                w->close();
            }
            if (lookAtMain)
                lookAtMain();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (main->currentPageName() != "EMPTY")
                main->showPage("EMPTY");
            main->Akcia_priprav_menu();
        }
        // They go with their platform windows: the main window outlives the test (and the
        // application), its windows must not.
        for (const QPointer<QWidget> &w : kept)
            delete w.data();
        return items.size();
    }

    // The program's shown windows other than the main one (menus and tool tips aside).
    std::vector<QWidget *> shownWindows() const
    {
        std::vector<QWidget *> out;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != main && w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
                out.push_back(w);
        return out;
    }
};

} // namespace tarix::screentest
