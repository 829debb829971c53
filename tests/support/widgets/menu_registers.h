#pragma once
// The process's registers that start-up and the subsystems fill for the main window: the
// commands of the main menu and of the employee card's print buttons, and the main
// window's pages. A test that starts the program or registers a subsystem keeps them
// first and restores them at its end: what came since is taken out and what was replaced
// put back, so that later tests in the same program meet the menu as it was.
#include "core/commands.h"
#include "core/forms/employee_card.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"

#include <QString>
#include <map>
#include <vector>

namespace tarix::test {

class MenuRegisters {
public:
    void keep()
    {
        m_commands.clear();
        for (core::CommandRegistry *registry : registries())
            m_commands.push_back(commandsOf(*registry));
        m_pages = core::mainWindowPages();
    }
    void restore()
    {
        const std::vector<core::CommandRegistry *> all = registries();
        for (size_t i = 0; i < all.size() && i < m_commands.size(); ++i) {
            for (const QString &id : all[i]->ids())
                all[i]->remove(id);
            for (const auto &[id, command] : m_commands[i])
                all[i]->add(id, command.run, command.enabled);
        }
        core::clearMainWindowPages();
        for (const core::MainWindowPage &page : m_pages)
            core::registerMainWindowPage(page);
    }

private:
    using Commands = std::map<QString, core::Command>;
    static std::vector<core::CommandRegistry *> registries()
    {
        return {&core::mainMenuCommands(), &core::cardPrintCommands()};
    }
    static Commands commandsOf(const core::CommandRegistry &registry)
    {
        Commands out;
        for (const QString &id : registry.ids())
            out.emplace(id, *registry.find(id));
        return out;
    }

    std::vector<Commands> m_commands;
    std::vector<core::MainWindowPage> m_pages;
};

} // namespace tarix::test
