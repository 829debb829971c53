#pragma once
// The wage sheets, absence records and per-employee lists, registered for the dispatcher
// under their report classes.
namespace tarix::reports {

void Registruj_mzdove_listy();

} // namespace tarix::reports
