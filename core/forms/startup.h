#pragma once
// Start-up: from an empty process to the main window, in the program's fixed order.
#include "core/startup_hooks.h"

#include <QString>
#include <functional>

class QApplication;

namespace tarix::core {

class TDM;
class TFormMain;

struct StartupOptions {
    QString programFolder; // empty: the executable's folder (or $TARIX_HOME)
    bool showWindows = true;
    // Runs the login in place of the login dialog (true: a user logged in).
    std::function<bool(TDM &)> login;
};

// Runs every start-up step up to the message loop and returns the main window, or null
// when the program must end (the reason was shown to the user): no user logged in
// (65193), no firm with a year to open (65176), or a start-up step failed (the private
// folder or database cannot be made or read, an INI file cannot be read): the message
// names the folder or file and the reason. No exception leaves it.
TFormMain *startProgram(const StartupOptions &options, const StartupHooks &hooks);

// Frees the main window and the program's user interface and closes the session (the
// end of a run; tests call it so that no window outlives the application object).
void endProgram();

// Starts the program and runs the message loop until the main window closes; then the
// declared data modules are destroyed, in reverse order. Returns non-zero when the program
// could not start or ended on an error.
int runProgram(QApplication &app, const StartupHooks &hooks);

} // namespace tarix::core
