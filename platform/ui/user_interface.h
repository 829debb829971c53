#pragma once
// Everything the code below the windows shows to the user or asks of the user.
//
// Data modules, calculations and file writers never touch Qt Widgets; they talk to
// the user only through the process-wide current UserInterface. The program installs
// a QtUserInterface at start-up; tests install a ScriptedUserInterface that answers
// from a script and records what was shown.
//
// Progress by percent (showProgress) keeps the one progress dialog of the process:
// the first call opens it, every call sets its position (clamped to 0..100) and
// exactly 100 closes it. A run that shows progress holds a ProgressScope, so that the
// dialog is closed however the run ends, and so that a run nested inside another run
// does not close the outer run's dialog with its own 100.
//
// Re-entry: setting a position processes pending events (so the dialog repaints).
// The Qt progress dialog is application-modal while it is shown, so during a run the
// user cannot click into other windows and start a second run or an edit; a position
// set from a handler that runs inside that event processing only moves the bar, and
// a close requested there frees the dialog only after the processing returns.
#include <QString>

#include <stdexcept>

namespace tarix::ui {

enum class MessageKind { Information, Warning, Error };

// Captions of the three message boxes: "Informácia", "Upozornenie", " Chyba".
QString messageCaption(MessageKind kind);

// A file-open or file-save dialog as the program describes it.
struct FileDialogRequest {
    QString caption;          // window title
    QString initialFolder;    // folder shown first (empty: the current folder)
    QString fileName;         // proposed file name (may be empty)
    // Filter in the program's own form: description and pattern alternate, separated
    // by "|", several patterns of one entry separated by ";", e.g.
    // "SP - XML files (sp*.xml)|sp*.xml". Patterns match without regard to case.
    QString filter;
    int filterIndex = 1;      // entry selected first, counted from 1
    QString defaultExtension; // without the dot; added when the user types none
};

class UserInterface {
public:
    virtual ~UserInterface();

    // Modal message box with an OK button; returns when the user closes it.
    virtual void showMessage(MessageKind kind, const QString &text) = 0;

    // Modal yes/no question; true only when the user answered yes. Enter and Esc
    // answer no.
    virtual bool askYesNo(const QString &question) = 0;

    // Progress dialog primitives. Call showProgress() rather than these: it keeps the
    // open/close rules and the nesting of runs.
    virtual bool isProgressOpen() const = 0;
    virtual void openProgress() = 0;
    virtual void setProgress(int percent) = 0; // 0..100, already clamped
    virtual void closeProgress() = 0;

    // File choice. Returns the chosen absolute file name, or an empty string when the
    // user cancelled. The entry of the filter in force when the user confirmed is
    // stored into *chosenFilterIndex (counted from 1) when given.
    // The open dialog accepts only an existing file and does not resolve links.
    virtual QString chooseOpenFile(const FileDialogRequest &request,
                                   int *chosenFilterIndex = nullptr) = 0;
    // The save dialog does not ask about overwriting: the callers ask their own
    // question when they find the file.
    virtual QString chooseSaveFile(const FileDialogRequest &request,
                                   int *chosenFilterIndex = nullptr) = 0;
    // Folder choice; an empty string when cancelled.
    virtual QString chooseFolder(const QString &caption, const QString &initialFolder) = 0;

    // Hourglass cursor and the main window's enabled state. Use BusyCursorScope and
    // MainWindowDisabledScope rather than these.
    virtual void setBusyCursor(bool busy) = 0;
    virtual void setMainWindowEnabled(bool enabled) = 0;
};

// Raised by current() when no user interface is installed.
class NoUserInterface : public std::logic_error {
public:
    NoUserInterface() : std::logic_error("no user interface is installed") {}
};

// The process-wide current user interface (not owned).
UserInterface &current();
bool hasCurrent();
void setCurrent(UserInterface *ui);

// Shows an exception's text as an error box (an EMyError its text, any other what()); an
// EAbort is silent (whoever raised it has told the user). Without a user interface the text
// goes to the log. The one routine through which every handler of a menu, button or window
// event reports what stopped it.
void reportException(const std::exception &e);

// Installs a user interface for its lifetime and restores the previous one.
class ScopedUserInterface {
public:
    explicit ScopedUserInterface(UserInterface &ui);
    ~ScopedUserInterface();
    ScopedUserInterface(const ScopedUserInterface &) = delete;
    ScopedUserInterface &operator=(const ScopedUserInterface &) = delete;

private:
    UserInterface *m_previous;
};

// Progress by percent: opens the dialog when none is shown, sets its position to the
// percent clamped to 0..100, and closes it when the percent is exactly 100, unless
// the call comes from a run nested inside the run that opened the dialog.
void showProgress(int percent);

// Marks one run that shows progress. Runs nest: the dialog belongs to the outermost
// active scope at the time it was opened, and is closed when that scope ends, by
// return or by exception, even when the run never reached 100. An inner run's 100
// leaves the outer run's dialog open.
class ProgressScope {
public:
    ProgressScope();
    ~ProgressScope();
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;
};

// Number of active ProgressScopes (for tests and diagnostics).
int progressDepth();

// Hourglass cursor for the scope's lifetime; nests.
class BusyCursorScope {
public:
    BusyCursorScope();
    ~BusyCursorScope();
    BusyCursorScope(const BusyCursorScope &) = delete;
    BusyCursorScope &operator=(const BusyCursorScope &) = delete;
};

// Main window disabled for the scope's lifetime and enabled again however the scope
// ends; nests (only the outermost scope enables it again).
class MainWindowDisabledScope {
public:
    MainWindowDisabledScope();
    ~MainWindowDisabledScope();
    MainWindowDisabledScope(const MainWindowDisabledScope &) = delete;
    MainWindowDisabledScope &operator=(const MainWindowDisabledScope &) = delete;
};

} // namespace tarix::ui
