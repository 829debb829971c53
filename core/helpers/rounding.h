#pragma once
// The one rounding routine of every amount, and small helpers for amounts.
#include <QVariant>

namespace tarix::MyConsts {

// Rounding modes of Zaokruhli_sumu as stored in the set-up.
enum RoundingMode : int {
    Nahor = 0,     // "nahor": away from zero when a remainder is left
    Nadol = 1,     // "nadol": truncate toward zero
    Normal = 2,    // "normál": to the nearest, exact halves to the even neighbour
    Bez = 3,       // "bez": unchanged
    Do50hDole = 4, // "do 50h dole": up only above one half; negatives truncated
};

// Rounds `value` at position `places`: -2 hundredths, -1 tenths, 0 units, 1 tens,
// 2 hundreds (any other position works the same way) in `mode` (RoundingMode; any other
// mode returns the value unchanged). Decided on the decimal value of the amount taken to
// eight decimal places, so exact for decimal amounts and for their sums and differences
// (0.07 rounded up to hundredths stays 0.07, 12345.00 stays 12345 in every mode, 1.005 to
// hundredths away from zero is 1.01, 1000.1 - 1000 rounded up is 0.1) and without a size
// limit. A remainder below the eighth decimal place counts as none.
double Zaokruhli_sumu(int places, int mode, double value);

double Vacsia_hodnota(double a, double b);
double Mensia_hodnota(double a, double b);

// A query value as an amount: null gives 0; numbers and numeric texts (decimal comma or
// point) become the amount with four decimal places; anything else, or an amount beyond
// the fixed-point range, raises EMyError "Nesprávna číselná hodnota.".
double Variant_na_sumu(const QVariant &value);

} // namespace tarix::MyConsts
