#pragma once
// The wage sheets, absence records and per-employee lists, registered for the dispatcher
// under their report classes.
namespace tarix::reports {

void registerWageSheets();

} // namespace tarix::reports
