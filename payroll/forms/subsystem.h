#pragma once
// The payroll subsystem's registration: its data module TDMV and the card's piece-work
// page, the main menu's payroll commands, the calculation settings read from TRX.INI.
#include "core/startup_hooks.h"

namespace tarix::payroll {

void registerSubsystem(core::StartupHooks &hooks);

} // namespace tarix::payroll
