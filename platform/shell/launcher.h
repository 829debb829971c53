#pragma once
// Outside programs: open a document with the desktop's default program, and run a program
// while the main window is hidden, waiting for its end with the interface alive.
//
// Names may use backslashes as separators, and existing files and folders are found
// without regard to case.
#include <QString>
#include <QStringList>
#include <functional>

namespace tarix::ShellUtils {

// Show commands of the callers. A started program's window is its own business on this
// desktop, so they are accepted and not passed on.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;

// Exit code of the last program ExecuteAndWait ran to its end: the program's exit status,
// -1 when it was killed by a signal, 259 when ExecuteAndWait returned while it was still
// running (the application was ending).
extern int Kod_ukoncenia;

// Opens a document (or a folder, or a URL) with the desktop's default program, or starts a
// program with the parameters (a command line; double quotes group words); returns at once.
// folder: the working folder of a started program. True when it was handed over; a
// document no program could open is reported (setOpenFailureReporter).
bool ShellOpenFile(const QString &file, const QString &parameters = QString(),
                   const QString &folder = QString(), int showCmd = SW_SHOWNORMAL);

// Starts a program (or opens a document with the desktop's opener) and waits for its end.
// The main window is hidden meanwhile and shown and raised again afterwards (also when the
// start fails). The wait runs an event loop, so the interface stays alive; it also ends
// when the application is ending. Returns -1 when the program cannot be started, 0
// otherwise; the exit code goes to Kod_ukoncenia.
// A document is opened through xdg-open, which may return before the document's program
// has ended; then so does the wait.
int ExecuteAndWait(const QString &file, const QString &parameters = QString(),
                   const QString &folder = QString(), int showCmd = SW_SHOWNORMAL);

// Tells the clerk that no program of the desktop could open a document; the text names
// the document's full path. ShellOpenFile calls it when the desktop has no opener, and
// later, when the opener ends saying it found no program or could not open the document.
// The program installs one that shows the text; without one the text goes to the log.
using OpenFailureReporter = std::function<void(const QString &text)>;
// Stays a setter, not a registry entry: platform/ sits below the core's registries.
void setOpenFailureReporter(OpenFailureReporter reporter);

// What ShellOpenFile would start (a program, or the desktop's opener with the document),
// handed to a test instead of being started; its answer is ShellOpenFile's. An empty hook
// (the default) starts for real.
using StartHook = std::function<bool(const QString &program, const QStringList &arguments,
                                     const QString &workingFolder)>;
// Stays a setter, not a registry entry: a test seam in platform/, below the core's registries.
void setStartHook(StartHook hook);

// Hides the main window for the time ExecuteAndWait waits and returns what shows it
// again. The window layer installs it (platform/shell/desktop/main_window.h); without
// one nothing is hidden.
using MainWindowHider = std::function<std::function<void()>()>;
// Stays a setter, not a registry entry: platform/ sits below the core's registries.
void setMainWindowHider(MainWindowHider hider);

} // namespace tarix::ShellUtils
