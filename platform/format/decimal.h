#pragma once
// Exact decimal rounding of doubles.
//
// Amounts are doubles, but people (and the statutes) round them as decimal numbers: 0.285
// to two places is 0.29 half-up although its binary value is 0.28499999.... So every
// decision here is taken on the decimal value of the double at 15 significant digits (a
// double holds 15 decimal digits exactly, so every amount typed or stored with at most 15
// digits comes back as itself, and arithmetic noise such as 0.1 + 0.2 =
// 0.30000000000000004 disappears). The digits are handled as text, so there is no 32-bit
// (or 64-bit) limit on the size of a value.
//
// API:
//   double roundDecimal(double value, int decimals, Rounding mode)
//       value rounded to `decimals` places; negative `decimals` round to tens (-1),
//       hundreds (-2), ...; a result of zero is +0.0; non-finite values come back unchanged.
//   double roundDecimalSnapped(double value, int decimals, Rounding mode, int snapDecimals)
//       the same, but the value is first taken half-even to `snapDecimals` places (when
//       those lie below `decimals`), so that the noise of a difference of large amounts
//       (1000.1 - 1000 = 0.10000000000002274) is not mistaken for a remainder or a tie.
//   DecimalDigits toDecimal(double value, int decimals, Rounding mode)
//       the digits of that rounded value, for formatters (finite values only).
//   DecimalDigits toSignificant(double value, int digits, Rounding mode)
//       the digits of the value rounded to `digits` (1..15) significant digits; the
//       fraction holds the decimals that those digits reach (finite values only).
#include <string>

namespace tarix::fmt {

enum class Rounding {
    HalfAwayFromZero, // 2.5 -> 3, -2.5 -> -3 (the default for display)
    HalfEven,         // 2.5 -> 2, 3.5 -> 4, -2.5 -> -2
    HalfTowardZero,   // 2.5 -> 2, 2.51 -> 3, -2.5 -> -2
    AwayFromZero,     // any remainder goes up in magnitude: 2.01 -> 3, -2.01 -> -3
    TowardZero,       // truncation: 2.99 -> 2, -2.99 -> -2
    Floor,            // toward minus infinity: -0.5 -> -1, 1234.99 -> 1234
    Ceiling,          // toward plus infinity: -0.5 -> 0, 0.01 -> 1
};

struct DecimalDigits {
    bool negative = false; // never set when every digit is zero (no negative zero)
    std::string integer;   // integer digits without leading zeros; "0" for none
    std::string fraction;  // exactly max(decimals, 0) digits
};

// `value` must be finite.
DecimalDigits toDecimal(double value, int decimals, Rounding mode);

// `value` must be finite.
DecimalDigits toSignificant(double value, int digits, Rounding mode);

double roundDecimal(double value, int decimals, Rounding mode);

double roundDecimalSnapped(double value, int decimals, Rounding mode, int snapDecimals);

// The same rounding always taken on the digits' text. roundDecimalSnapped decides most
// values on integers instead, where that provably gives this result; this is the reference
// it is checked against.
double roundDecimalSnappedByText(double value, int decimals, Rounding mode, int snapDecimals);

} // namespace tarix::fmt
