#pragma once
// "POTVRDENIE O VÝŠKE VYMERIAVACIEHO ZÁKLADU": per employee the assessment bases of each of
// the year's twelve months ("month/year"), a month without payroll empty, and their sums.
#include "platform/db/datasource.h"
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportVZ : public sheets::SheetReport {
public:
    TReportVZ();
    ~TReportVZ() override;

    db::DataSource DS0;
    db::Query Q1_;   // the bases of the current employee and month
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    // The employees employed on some day of the year (its days set by
    // MyConsts::setPeriodDays when the data are opened).
    static QString Text_Q0();
    static QString Text_Q1();
};

} // namespace tarix::reports
