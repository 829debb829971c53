#pragma once
// Pages of the main window's notebook that belong to a subsystem built on the core (the
// payroll module's annual settlement and bulk entry). A subsystem registers its pages at
// start-up, before the main window is made; the window adds each to its notebook and shows
// the page's operation menu with it, without the core knowing the subsystem.
#include <QChar>
#include <QString>
#include <functional>
#include <vector>

class QMenu;
class QWidget;

namespace tarix::core {

class TFormMain;

struct MainWindowPage {
    // The page's name in the notebook (its object name).
    QString name;
    // Makes the page under the notebook; null when the subsystem's module does not exist.
    std::function<QWidget *(QWidget *parent)> create;
    // The page's operation menu, shown on the menu bar while the page is; may be empty.
    std::function<QMenu *(QWidget *page)> operations;
    // The employee choice's mode that leads to this page ('R' the annual settlement); a page
    // with a mode shows the employee list beside it with the list's first column.
    QChar selectionMode;
};

// Registers a page in place of any before of the same name.
void registerMainWindowPage(MainWindowPage page);
const std::vector<MainWindowPage> &mainWindowPages();
// Forgets every registered page (a window made later has none of them).
void clearMainWindowPages();
// The registered page of a selection mode; null when none.
const MainWindowPage *mainWindowPageForMode(QChar mode);

// The running main window, set while it exists (null: none).
void setRunningMainWindow(TFormMain *window);
TFormMain *runningMainWindow();
// Shows a page of the running main window (also the start page, kPageStart); false without a
// window or page.
bool showMainWindowPage(const QString &name);
// The running window's page of that name; null when there is none.
QWidget *mainWindowPage(const QString &name);

} // namespace tarix::core
