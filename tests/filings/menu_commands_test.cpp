// The whole program's registrations, as app/main.cpp makes them: every menu item that a
// subsystem provides has its command, and every report code a launcher sends reaches a
// registered routine, so no item of the menu is left disabled or answers "not available".
#include "reports/report_checks.h"

#include "core/card_page_provider.h"
#include "core/commands.h"
#include "core/forms/settings_commands.h"
#include "core/forms/startup.h"
#include "core/forms/main_menu.h"
#include "core/module_registry.h"
#include "core/startup_hooks.h"
#include "filings/forms/subsystem.h"
#include "payroll/forms/subsystem.h"
#include "reports/dispatcher.h"
#include "reports/forms/subsystem.h"
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

using namespace tarix;

TEST(ProgramMenu, EveryItemOfASubsystemHasItsCommand)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    reports::fixtures::RegisterSnapshot registered;
    registered.keep();
    core::moduleRegistry().clear();
    core::StartupHooks hooks;
    core::registerSubsystem(hooks);
    payroll::registerSubsystem(hooks);
    reports::registerSubsystem(hooks);
    filings::registerSubsystem(hooks);
    if (hooks.afterDataModules)
        hooks.afterDataModules();
    // What the program's start adds after the data modules.
    core::registerSettingsCommands(core::mainMenuCommands());

    core::CommandRegistry &commands = core::mainMenuCommands();
    QStringList missing;
    for (const QString &id : commands.declared())
        if (!commands.find(id))
            missing << id;
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();

    // Every routine the dispatch table names, for each form period and both payslip sizes.
    QStringList unregistered;
    for (const QString &kod : reports::reportCodes())
        for (int obdobie : {199912, 200012, 200112, 200212, 200312, 200412, 200512, 200612, 200712})
            for (int odstup : {0, 1}) {
                const reports::ReportChoice v = reports::chooseReport(kod, obdobie, [odstup] { return odstup; });
                if (v.documentKind == reports::ReportChoice::ReportKind::Zostava && !reports::reportRegister().findReport(v.nazov)
                    && !unregistered.contains(v.nazov))
                    unregistered << v.nazov;
            }
    EXPECT_TRUE(unregistered.isEmpty()) << unregistered.join(", ").toStdString();

    registered.restore();
    core::registerPieceWorkPage(nullptr);
    core::moduleRegistry().clear();
}
