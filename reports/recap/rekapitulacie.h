#pragma once

namespace tarix::reports {

// Registers the employment-fund and liability-insurance statements, the cost
// recapitulations and the bookkeeping entries with the dispatcher.
void registerRecaps();

} // namespace tarix::reports
