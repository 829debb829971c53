#pragma once
// Windows that fit the clerk's screen and belong to the window they came from: a top-level window never reaches past the screen's
// free area (without the desktop's panels, with room for the frame a window manager draws
// around it), its content scrolls where it cannot be made small enough, and its title bar
// is wide enough to show its caption whole.
#include <QMargins>
#include <QRect>

class QWidget;

namespace tarix::ui {

// The frame a window manager puts around the window: the frame the window has when it
// has been shown under one, else that of another shown window, else a frame as wide as
// common window managers draw.
QMargins frameAllowance(const QWidget *window);

// Where the window's contents may lie: the free area of its screen less the frame.
QRect windowRoom(const QWidget *window);

// The width the window needs for its caption to stand whole in the title bar, beside the
// bar's icon and buttons.
int titleWidth(const QWidget *window);

// Fits a top-level window to its screen: content that cannot shrink enough is put into a
// scroll area, a larger window is made smaller and moved into the free area, and a
// narrow one widened so that its caption is not cut. A maximised window is only given the
// scroll area when it needs one.
void fitToScreen(QWidget *window);

// The window that asks for a dialog now, its owner: the modal dialog running, else the
// active window, else the shown main window; never `except` (a window that only shows a
// run's progress), a menu or a tool tip. Null when the program shows no window.
QWidget *askingWindow(const QWidget *except = nullptr);

// Makes a window opened from another one stay above it, as a dialog does (a window
// manager keeps only a dialog above the window it belongs to), with the title bar of a
// main window: minimise, maximise and close.
void keepAboveOwner(QWidget *window);

// From now on every top-level window of the application is fitted as it is shown (menus,
// tool tips and message boxes, which size themselves, are left alone). Calling it again
// changes nothing.
void fitWindowsToScreen();

} // namespace tarix::ui
