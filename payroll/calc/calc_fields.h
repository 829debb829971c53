#pragma once
// The calculated (display) fields of the payroll record.
#include "payroll/calc/vyp_record.h"

namespace tarix::payroll {

// Fills MES, MESROK, CALC_... of the record from its stored fields; `menoZamestnanca` is
// the employee's display name (title, name, surname) that MESROK starts with.
void Vypocitaj_kalkulovane_polia(VypRecord &r, const QString &menoZamestnanca);

} // namespace tarix::payroll
