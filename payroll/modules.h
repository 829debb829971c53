#pragma once
// The payroll subsystem's part of start-up: its data module TDMV, declared with the module
// registry after the core's modules, and the employee card's piece-work page, which shows
// TDMV's piece-work items.

namespace tarix::payroll {

void registerModules();

} // namespace tarix::payroll
