#pragma once
// The calculated (display) fields of the payroll record.
#include "payroll/calc/vyp_record.h"

namespace tarix::payroll {

// Fills MES, MESROK, CALC_... of the record from its stored fields; `employeeName` is
// the employee's display name (title, name, surname) that MESROK starts with.
void computePayrollCalcFields(PayRecord &r, const QString &employeeName);

} // namespace tarix::payroll
