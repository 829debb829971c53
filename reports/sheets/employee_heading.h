#pragma once
// The heading the per-employee lists VYK and ZRAZ print above each employee's lines, and
// the calculated fields it shows.
#include "platform/db/query.h"
#include "platform/report/description.h"

namespace tarix::reports::sheets {

// CALC_FIRMA, CALC_STREDISKO, CALC_TMP, CALC_OS_CISLO, CALC_RODNE_CISLO, CALC_OBDOBIE.
void addEmployeeFields(db::Query &q);
// `nadpis` is the title before the month: "VÝKAZ ODPRACOVANÝCH VÝKONOV ZA MESIAC ".
void computeEmployeeFields(db::DataSet &ds, const QString &firma, const QString &nadpis, int obdobie);
// The heading's controls, the fields named as `zdroj` + field.
std::vector<rpt::LayoutItem> employeeHeading(const QString &zdroj);

} // namespace tarix::reports::sheets
