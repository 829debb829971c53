#pragma once
// The yearly wage sheet before 2004: the sheet of report_ml3.h with the payroll query and the
// month columns of that time, the other incomes with severance pay, and "Prechodné
// bydlisko"; it prints even when no employee has a payroll in the year.
#include "reports/sheets/report_ml3.h"

namespace tarix::reports {

class TReportML : public TReportML3 {
public:
    TReportML();
    static QString Text_Q1();
    static const std::vector<SheetColumn> &sheetColumns();
};

} // namespace tarix::reports
