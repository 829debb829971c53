#pragma once
// "VÝKAZ ODPRACOVANÝCH VÝKONOV ZA MESIAC": per employee paid for piece-work in the month, his
// piece-work items with the task's text, and their sum.
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportVYK : public sheets::SheetReport {
public:
    TReportVYK();
    ~TReportVYK() override;

    db::Query Q2_;   // the employee's piece-work items of the month
    DataSetSource S2_;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q1();
    static QString Text_Q2();
};

} // namespace tarix::reports
