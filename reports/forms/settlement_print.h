#pragma once
// The print items of the settlement page's operations menu: each runs its launcher with
// the settlement's employee and year through the report entry.
#include "payroll/forms/rzp_pages.h"

namespace tarix::reports {

// Runs the launcher `spustac` of the settlement menu for the settlement `stav`: the
// defaults of the open period and centre, the launcher's request (65199 while the
// settlement is edited, 65061 without its year for the 2 % documents), the report entry.
void printSettlementReport(const QString &spustac, const payroll::SettlementState &stav);

// Registers the settlement page's print commands: each runs printSettlementReport for the
// settlement current in DMV().
void registerSettlementPrints(core::CommandRegistry &commands);

} // namespace tarix::reports
