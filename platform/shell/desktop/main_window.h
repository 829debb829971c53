#pragma once
// The main window that ExecuteAndWait hides while an outside program runs.
#include <functional>

class QWidget;

namespace tarix::ShellUtils {

// The window ExecuteAndWait hides. By default the application's visible QMainWindow,
// else the active window. Set by the program at start-up; an empty function restores
// the default.
// Stays a setter, not a registry entry: platform/ sits below the core's registries.
void setMainWindowProvider(std::function<QWidget *()> provider);

} // namespace tarix::ShellUtils
