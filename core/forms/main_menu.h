#pragma once
// The main window's menu bar, declared once: every menu, item and separator in the order
// it shows, each item bound to a command id. The window runs its own items itself; the
// other items run what a subsystem registered under their id in mainMenuCommands(). An
// item whose command is not registered (its window is not built yet) shows disabled, as
// does an item whose command's rule says no.
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
    // Kept in the tree but never shown.
    bool hidden = false;
};

// The rows in menu order (a menu's row comes before its entries).
const std::vector<MainMenuItem> &mainMenuItems();

// The subsystems' entries of the operation menus that the window builds with its pages
// ("Operacie_zam1", "Operacie_ppv1"): rows as above, whose parent is such a menu or a
// submenu declared before them.
const std::vector<MainMenuItem> &operationMenuItems();

// The row of a command id in either table; null when no menu has an item for it.
const MainMenuItem *mainMenuItem(const QString &id);

// The commands the subsystems provide for the main menu and the operation menus; it
// accepts the ids of the rows run by a subsystem and refuses any other.
CommandRegistry &mainMenuCommands();

} // namespace tarix::core
