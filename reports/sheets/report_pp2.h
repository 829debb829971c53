#pragma once
// "Potvrdenie zamestnávateľa o príjme": one confirmation per employee of the ranges, with his
// average monthly net income of the year and the employer's data.
#include "platform/db/datasource.h"
#include "reports/sheets/sheet_report.h"

namespace tarix::reports {

class TReportPP2 : public sheets::SheetReport {
public:
    TReportPP2();
    ~TReportPP2() override;

    db::DataSource DS0;
    db::Query Q1_;    // the employee's average net income of the year
    db::Query QINF_;  // the firm header
    DataSetSource S1_;
    DataSetSource SINF_;

    void Otvor_data() override;
    void Zatvor_data() override;

    // The employees employed on some day of the year (its days set by
    // MyConsts::setPeriodDays when the data are opened).
    static QString Text_Q0();
    static QString Text_Q1();
};

} // namespace tarix::reports
