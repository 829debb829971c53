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

} // namespace tarix::payroll
