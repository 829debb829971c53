#pragma once
// The texts of amounts and years in the tax office's form-data fields.
#include <QString>

namespace tarix::reports::dane {

// A whole amount without separators ("%0.0f").
QString Cele(double v);
// The last digit of a four-digit year (the forms print "200" before it).
QString Posledna_cislica(int rok);

} // namespace tarix::reports::dane
