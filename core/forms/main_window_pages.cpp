#include "core/forms/main_window_pages.h"

#include "core/forms/form_main.h"

#include <QPointer>
#include <QStackedWidget>
#include <algorithm>

namespace tarix::core {

namespace {

std::vector<MainWindowPage> &pages()
{
    static std::vector<MainWindowPage> registered;
    return registered;
}

QPointer<TFormMain> &running()
{
    static QPointer<TFormMain> window;
    return window;
}

} // namespace

void registerMainWindowPage(MainWindowPage page)
{
    auto &all = pages();
    const auto same = std::find_if(all.begin(), all.end(), [&](const MainWindowPage &p) { return p.name == page.name; });
    if (same != all.end())
        *same = std::move(page);
    else
        all.push_back(std::move(page));
}

const std::vector<MainWindowPage> &mainWindowPages() { return pages(); }

void clearMainWindowPages() { pages().clear(); }

const MainWindowPage *mainWindowPageForMode(QChar mode)
{
    for (const MainWindowPage &p : pages())
        if (!mode.isNull() && p.selectionMode == mode)
            return &p;
    return nullptr;
}

void setRunningMainWindow(TFormMain *window) { running() = window; }

TFormMain *runningMainWindow() { return running().data(); }

bool showMainWindowPage(const QString &name)
{
    TFormMain *window = runningMainWindow();
    if (!window || !mainWindowPage(name))
        return false;
    window->showRegisteredPage(name);
    return true;
}

QWidget *mainWindowPage(const QString &name)
{
    TFormMain *window = runningMainWindow();
    if (!window || !window->notebook())
        return nullptr;
    return window->notebook()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

} // namespace tarix::core
