#pragma once
// The main menu's settings items: the year parameters and the rounding, the employer header,
// the code-list editors, and the firm administration. Each is registered under its menu
// item's component name. The firm-administration items close the databases and rebuild the
// firm menu through the steps the main window sets (core/firm_admin.h,
// setFirmAdminSteps); a firm of "&Zrušenie firmy" is deleted by Zrusenie_firmy.
#include "core/commands.h"

#include <QStringList>

namespace tarix::core {

// The ids registerSettingsCommands() registers, in menu order.
QStringList settingsCommandIds();

// Registers the runner of every settings item into `registry` (whose menu must declare the
// ids of settingsCommandIds()).
void registerSettingsCommands(CommandRegistry &registry);

} // namespace tarix::core
