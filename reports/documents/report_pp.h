#pragma once
// "POTVRDENIE O PRÍJME V ROKU": per employee of the ranges his twelve months of the year,
// each with the worked, excused and unexcused days and hours and the income columns of the
// month's payroll record (empty for a month without one), and the year's totals.
#include "platform/db/datasource.h"
#include "reports/documents/document_report.h"

namespace tarix::reports {

class TReportPP : public documents::DocumentReport {
public:
    TReportPP();
    ~TReportPP() override;

    db::DataSource DS0;
    db::Query Q1_;   // the payroll values of the current employee and month
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

    // The employees employed on some day of the year (its days set by
    // MyConsts::setPeriodDays when the data are opened).
    static QString Text_Q0();
    static QString Text_Q1();
};

} // namespace tarix::reports
