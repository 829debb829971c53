// TARIX: personnel and payroll program.
#include "core/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tarix::core::StartupHooks hooks;
    return tarix::core::runProgram(app, hooks);
}
