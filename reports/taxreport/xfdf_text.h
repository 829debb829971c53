#pragma once
// The texts of amounts and years in the tax office's form-data fields.
#include <QString>

namespace tarix::reports::tax_blocks {

// A whole amount without separators ("%0.0f").
QString wholeNumberText(double v);
// The last digit of a four-digit year (the forms print "200" before it).
QString lastDigit(int rok);

} // namespace tarix::reports::tax_blocks
