#pragma once
// The main window's menu bar, declared once: every menu, item and separator in the order
// it shows, each item bound to a command id. The window runs its own items itself; the
// other items run what a subsystem registered under their id in mainMenuCommands(). An
// item whose command is not registered stays hidden (and a submenu with no item shown),
// an item whose command's rule says no is disabled.
//
// A subsystem adds an item by one row in mainMenuItems() (main_menu.cpp) and one
// registration in its registerCommands().
#include "core/commands.h"

#include <vector>

namespace tarix::core {

struct MainMenuItem {
    enum class Kind { Menu, Command, Separator };
    // Who runs a command item.
    enum class Runner { Window, Subsystem };

    Kind kind = Kind::Command;
    // Object name of the menu the entry stands in; empty: the menu bar.
    const char *parent = "";
    const char *objectName = nullptr;
    const char *caption = nullptr;
    // Command items: the id of the command, and who runs it.
    const char *id = nullptr;
    Runner runner = Runner::Window;
    // After the command the employee list shows its selection again (the command changed
    // the month's records).
    bool refreshesEmployeeList = false;
};

// The rows in menu order (a menu's row comes before its entries).
const std::vector<MainMenuItem> &mainMenuItems();

// The row of a command id; null when the menu has no item for it.
const MainMenuItem *mainMenuItem(const QString &id);

// The commands the subsystems provide for the main menu; it accepts the ids of the rows
// run by a subsystem and refuses any other.
CommandRegistry &mainMenuCommands();

} // namespace tarix::core
