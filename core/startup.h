#pragma once
class QApplication;
namespace tarix::core {
// Starts the program on the installation in the executable's folder and runs the
// message loop until the main window closes. Returns the process exit code.
int runProgram(QApplication &app);
}
