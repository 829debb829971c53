// TARIX: personnel and payroll program.
#include "core/forms/startup.h"
#include "platform/ui/qt/qt_translation.h"
#include "payroll/forms/subsystem.h"
#include "reports/forms/subsystem.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tarix::ui::installQtTranslation(app);
    // Each subsystem declares its data modules, commands and reports, after those of the
    // subsystems it builds on.
    tarix::core::StartupHooks hooks;
    tarix::core::registerSubsystem(hooks);
    tarix::payroll::registerSubsystem(hooks);
    tarix::reports::registerSubsystem(hooks);
    return tarix::core::runProgram(app, hooks);
}
