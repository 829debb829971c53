#pragma once
// "ZRÁŽKY ZA OBDOBIE": per employee with deductions in the month, the deductions with their
// kind, amount and note.
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportZraz : public sheets::SheetReport {
public:
    TReportZraz();
    ~TReportZraz() override;

    db::Query Q1_;   // the employee's deductions of the month
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    static QString Text_Q0();
    static QString Text_Q1();
};

} // namespace tarix::reports
