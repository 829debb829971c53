#pragma once
// The payroll subsystem's registration: its data module TDMV and the card's piece-work
// page, the main menu's payroll commands, the calculation settings read from TRX.INI.
#include "core/commands.h"
#include "core/startup_hooks.h"

namespace tarix::payroll {

void registerSubsystem(core::StartupHooks &hooks);

// The command of the year-end net daily wage run (TDMV::Vypocet_cistej_dennej_mzdy).
inline constexpr const char *kNetDailyWageCommand = "vypocet_cistej_dennej_mzdy";
// Asks (65110) with the year of the open period, runs it for that year, and reports the
// end (65111); a failed run passes its error to the caller.
void runNetDailyWage();
// Registers the command when the registry's menu has an item for it.
void registerNetDailyWageCommand(core::CommandRegistry &commands);

// "Nastav garančné poistenie všetkým zamestnancom": refuses a closed month (EMyError
// 65134) before anything changes, asks (65182), sets the guarantee insurance in every card
// and in the open month's payrolls (marking them for the recalculation; an update with
// nothing to change is skipped), recalculates the marked payrolls (mode 3) and reports
// the end (65183). False when the clerk said no.
inline constexpr const char *kGuaranteeInsuranceCommand = "mnu_garpoist";
bool runGuaranteeInsurance();
void registerGuaranteeInsuranceCommand(core::CommandRegistry &commands);

// "Číselník pracovných výkonov": the code-list editor on the piece-work tasks, unfiltered.
inline constexpr const char *kPieceWorkCodeListCommand = "mnu_cis_uk";
void registerPieceWorkCodeListCommand(core::CommandRegistry &commands);

} // namespace tarix::payroll
