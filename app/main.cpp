// TARIX: personnel and payroll program.
#include "components/grid/plugin/grid_suite.h"
#include "core/forms/startup.h"
#include "filings/forms/subsystem.h"
#include "platform/ui/qt/guarded_application.h"
#include "platform/ui/qt/qt_translation.h"
#include "payroll/forms/subsystem.h"
#include "reports/forms/subsystem.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    tarix::ui::GuardedApplication app(argc, argv);
    tarix::ui::installQtTranslation(app);
    try {
        // Each subsystem declares its data modules, commands and reports, after those of
        // the subsystems it builds on.
        tarix::core::StartupHooks hooks;
        tarix::core::registerSubsystem(hooks);
        tarix::payroll::registerSubsystem(hooks);
        tarix::reports::registerSubsystem(hooks);
        tarix::filings::registerSubsystem(hooks);
        tarix::grid::registerSubsystem(hooks);
        return tarix::core::runProgram(app, hooks);
    } catch (const std::exception &e) {
        // The last word before the program ends: whatever start-up could not tell itself.
        const QString text = QStringLiteral("Program bol ukončený pre chybu:\n%1")
                                 .arg(QString::fromUtf8(e.what()));
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        QMessageBox::critical(nullptr, QStringLiteral("TARIX"), text);
        return 1;
    }
}
