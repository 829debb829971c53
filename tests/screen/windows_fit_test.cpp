// The program's windows on a laptop's screen of 1366 x 768 (the offscreen platform given
// that screen): the program starts on the demo installation with the payroll, the reports
// and the filings registered as the program registers them, and firm 01 is opened for
// April 2007. The login window and every item of the main menu is chosen as a clerk who answers no and cancels
// does: each window it opens fits the screen with a window manager's frame around it,
// shows its title whole and belongs to a window of the program; so does a report's
// preview. The payment-order window stays in front of the main window after a message.
#include "reports/program_fixture.h"

#include "core/app_ini.h"
#include "core/forms/form_main.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/form_hp1.h"
#include "filings/forms/form_par_hp.h"
#include "filings/forms/subsystem.h"
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

using namespace tarix;

namespace {

// The clerk who says no to every question and cancels every file choice.
class SayingNo : public ui::ScriptedUserInterface {
public:
    bool askYesNo(const QString &) override { return false; }
    QString chooseOpenFile(const ui::FileDialogRequest &, int * = nullptr) override { return {}; }
    QString chooseSaveFile(const ui::FileDialogRequest &, int * = nullptr) override { return {}; }
    QString chooseFolder(const QString &, const QString &) override { return {}; }
};

class WindowsOnALaptop : public reports::fixtures::ProgramTest<SayingNo> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const QScreen *screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        ASSERT_EQ(screen->geometry().size(), QSize(1366, 768)) << "the screen ctest gives this program";

        core::StartupHooks hooks = payrollAndReportCommands();
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

} // namespace

TEST_F(WindowsOnALaptop, EveryWindowOfTheMenuFitsTheScreenShowsItsTitleAndHasAnOwner)
{
    EXPECT_TRUE(problems(main).isEmpty()) << problems(main).join('\n').toStdString();

    std::vector<QMenu *> bar;
    for (QAction *a : main->menuBar()->actions())
        if (a->menu() && a->isEnabled())
            bar.push_back(a->menu());
    const std::vector<QAction *> items = enabledItems(bar);
    ASSERT_GT(items.size(), 80u);

    QStringList found;
    QSet<QString> seen;
    std::vector<QPointer<QWidget>> kept; // windows the program keeps after they are closed
    auto look = [&](QWidget *w) {
        seen << QString::fromLatin1(w->metaObject()->className());
        found << problems(w);
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
                look(w);
                if (auto *form = qobject_cast<reports::TFParForm *>(w))
                    form->reject(); // the dialog is what is looked at, not the report
                else
                    dismiss(w);
            },
            30000);
        // Windows that stay open beside the main one. They go with their platform windows:
        // the main window outlives the test (and the application), its own must not.
        for (QWidget *w : shownWindows()) {
            look(w);
            w->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (main->currentPageName() != "EMPTY")
            main->showPage("EMPTY");
        main->Akcia_priprav_menu();
    }
    // They go with their platform windows: the main window outlives the test (and the
    // application), its windows must not.
    for (const QPointer<QWidget> &w : kept)
        delete w.data();
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
    // The windows the issue names were among them.
    for (const char *window : {"tarix::payroll::TFormMainVyp", "tarix::core::TFormInf", "tarix::core::TFormSetup",
                               "tarix::filings::TFormHP1", "tarix::reports::TFParForm"})
        EXPECT_TRUE(seen.contains(QString::fromLatin1(window))) << window;
}

TEST_F(WindowsOnALaptop, AReportsPreviewFitsTheScreen)
{
    QStringList found;
    int previews = 0;
    test::whileDialogs([&] { choose("tlac_vp"); },
                       [&](QWidget *w) {
                           if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                               form->Button1->click();
                           } else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                               ++previews;
                               found << problems(d);
                               d->accept();
                           } else {
                               found << problems(w);
                               if (auto *dialog = qobject_cast<QDialog *>(w))
                                   dialog->reject();
                           }
                       },
                       30000);
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

// The payment-order window is a window of its own beside the maximised main window: a
// message it asks for belongs to it, and it stays the main window's, above it.
TEST_F(WindowsOnALaptop, ThePaymentOrderWindowStaysInFrontAfterAMessage)
{
    filings::TFormHP1 *form = openWindow<filings::TFormHP1>("mnu_hp1");
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->parentWidget(), main);
    // A window manager keeps only a dialog-type window above the window it belongs to.
    EXPECT_EQ(form->windowType(), Qt::Dialog);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(problems(form).isEmpty()) << problems(form).join('\n').toStdString();

    ui::QtUserInterface qt;
    qt.setMainWindow(main);
    ui::ScopedUserInterface real(qt);
    form->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), form);

    QWidget *owner = nullptr;
    bool boxShown = false;
    QTimer::singleShot(50, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            boxShown = true;
            owner = box->parentWidget();
            box->accept();
        }
    });
    qt.showMessage(ui::MessageKind::Warning, QStringLiteral("Hromadný príkaz nemá položky."));
    EXPECT_TRUE(boxShown);
    EXPECT_EQ(owner, form);
    QApplication::processEvents();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->parentWidget(), main);

    // The order's parameter dialog, run straight from the payroll's report, belongs to the
    // window that asked too.
    form->activateWindow();
    QApplication::processEvents();
    const reports::ReportRun *hp = reports::reportRegister().findReport("TReportHP");
    ASSERT_NE(hp, nullptr);
    QWidget *dialogOwner = nullptr;
    test::whileDialogs([&] { (*hp)(reports::TMyReportParam{}); },
                       [&](QWidget *w) {
                           if (auto *d = qobject_cast<filings::TFormParHP *>(w)) {
                               dialogOwner = d->parentWidget();
                               EXPECT_TRUE(problems(d).isEmpty()) << problems(d).join('\n').toStdString();
                           }
                           if (auto *d = qobject_cast<QDialog *>(w))
                               d->reject();
                       });
    EXPECT_EQ(dialogOwner, form);
}
