// A backup from the main menu closes the firm: the main window's caption and status bar
// name no firm afterwards, and the window, hidden while the archiver runs, comes back
// maximised at its size even though the window manager forgot that it was maximised.
#include "mainwin_fixture.h"

#include "core/version.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

using namespace tarix;

namespace {

// What a window manager does to a window that is hidden: it forgets its maximised state.
class ForgettingWindowManager : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide) {
            auto *w = static_cast<QWidget *>(watched);
            ++hidden;
            QTimer::singleShot(0, w, [w] { w->setWindowState(Qt::WindowNoState); });
        }
        return false;
    }

public:
    int hidden = 0;
};

class BackupFromTheMainWindow : public mainwintest::MainWindowTest {
protected:
    bool throughStartup() const override { return true; }
};

} // namespace

TEST_F(BackupFromTheMainWindow, TheCaptionNamesNoFirmAndTheWindowKeepsItsSize)
{
    main->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(main->windowTitle().contains(QStringLiteral("Firma: "))) << main->windowTitle().toStdString();
    const QSize size = main->size();
    ForgettingWindowManager wm;
    main->installEventFilter(&wm);

    scripted.answerYes(); // "Zálohovať ...?"
    emit main->mainMenu()->aboutToShow();
    QAction *backup = main->findChild<QAction *>(QStringLiteral("mnu_zalohovanie"));
    ASSERT_NE(backup, nullptr);
    ASSERT_TRUE(backup->isEnabled());
    backup->trigger();
    QApplication::processEvents();
    main->removeEventFilter(&wm);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join('\n').toStdString();
    EXPECT_GT(wm.hidden, 0) << "the archiver ran without hiding the window";

    EXPECT_FALSE(core::DM().TINF_.isActive());
    EXPECT_EQ(main->windowTitle(), QString::fromLatin1(tarix::kCaptionPrefix));
    EXPECT_TRUE(main->statusBar()->findChild<QLabel *>("StatusPanel0")->text().isEmpty());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(main->size(), size);
}
