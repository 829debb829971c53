#pragma once
// Shorthands shared by the calculation steps (not part of the payroll API).
#include "payroll/calc/calculation.h"
#include "core/helpers/myconsts.h"

namespace tarix::payroll::detail {

// Rounding by a (position, mode) pair of the year parameters or a fixed one.
inline double Z(int places, int mode, double value)
{
    return MyConsts::Zaokruhli_sumu(places, mode, value);
}

// A fund participation code that computes the employee's share (1, 2, 4, 5) and the
// employer's share (1, 3).
inline bool employeePays(int code) { return code == 1 || code == 2 || code == 4 || code == 5; }
inline bool employerPays(int code) { return code == 1 || code == 3; }

} // namespace tarix::payroll::detail
