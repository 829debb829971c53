#include "platform/shell/desktop/main_window.h"

#include "platform/shell/launcher.h"

#include <QApplication>
#include <QMainWindow>
#include <QPointer>
#include <QWidget>

namespace tarix::ShellUtils {

namespace {

std::function<QWidget *()> &mainWindowProvider()
{
    static std::function<QWidget *()> provider;
    return provider;
}

QWidget *mainWindow()
{
    if (mainWindowProvider())
        return mainWindowProvider()();
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (qobject_cast<QMainWindow *>(w) && w->isVisible())
            return w;
    if (QWidget *active = QApplication::activeWindow())
        return active->window();
    return nullptr;
}

} // namespace

void setMainWindowProvider(std::function<QWidget *()> provider)
{
    mainWindowProvider() = std::move(provider);
    setMainWindowHider([]() -> std::function<void()> {
        QPointer<QWidget> window = mainWindow();
        if (!window || !window->isVisible())
            return nullptr;
        // A window manager forgets a hidden window's maximised state (and Qt learns it from
        // the window manager): the window comes back as it was, not at its normal size.
        const Qt::WindowStates state = window->windowState();
        window->hide();
        return [window, state] {
            if (window) {
                if (window->windowState() != state)
                    window->setWindowState(state);
                window->show();
                window->raise();
                window->activateWindow();
            }
        };
    });
}

} // namespace tarix::ShellUtils
