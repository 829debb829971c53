#pragma once
// Page 2 of the annual reconciliation form from 2004 (code "RZ2004B"): part III, the
// supplement issued on the employee's request, one page per employee.
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ_2004B : public settlement::SettlementReport {
public:
    TReportRZ_2004B();
    ~TReportRZ_2004B() override;

    static rpt::LayoutDesc reportLayout();
};

} // namespace tarix::reports
