#pragma once
// The main menu's commands of the annual settlement and of bulk monthly entry, registered
// by the payroll subsystem under the ids its menu items declare.
#include "core/commands.h"

class QWidget;

namespace tarix::payroll {

// The bulk-entry command's id, as the main menu declares it.
inline constexpr const char *kBulkEntryCommand = "mnu_hsv";
// The commands posting last year's settlement results (tax, health insurance).
inline constexpr const char *kTaxPostingCommand = "mnu_rz_zauctovanie";
inline constexpr const char *kHealthPostingCommand = "mnu_rz_zp_zauctovanie";
// "Ročné zúčtovanie preddavkov - &výpočet": the settlement pages.
inline constexpr const char *kSettlementCommand = "mnu_rz_vypocet";
// The main window's pages of the settlement (TRzpPages) and of bulk entry (THsvPage).
inline constexpr const char *kSettlementPage = "RZP";
inline constexpr const char *kBulkEntryPage = "HSV";

// The bulk-entry command: the period dialog, the filling of the table (a closed month
// ends it after its message), and the running main window's page HSV shown with the
// firm's surcharge titles.
void runBulkProcessing(QWidget *owner);
// The settlement command: the employee list in mode 'R' with its filter beside the page of
// the open year's settlement form. Needs the main window's settlement page.
void showAnnualSettlement();
// Registers each of the four commands whose id the registry's menu declares.
void registerSettlementCommands(core::CommandRegistry &commands);

} // namespace tarix::payroll
