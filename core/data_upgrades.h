#pragma once
// Upgrades of the data of a firm and year made by earlier versions: values the current
// calculation needs, code rows and parameter rows. They run every time a firm and year
// are opened; each step looks for what it adds or changes and does nothing when it is
// there already, so opening a firm again changes nothing.
#include <QString>

namespace tarix::db {
class Session;
}

namespace tarix::core {

// Runs every step in order as one transaction on the firm (TARIX_DATA) and the year
// (TARIX_COMM) of the session. `priplatky` is the workstation's compatibility setting
// that parameter 33 takes when the year lacks it ("Počítanie príplatkov").
// A failing step throws the database layer's error and leaves the data as they were.
void SpecialneCinnosti(db::Session &session, int priplatky);

} // namespace tarix::core
