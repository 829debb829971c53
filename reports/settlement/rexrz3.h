#pragma once
// The annual reconciliation form of 2001 (code "RZ" in 2001), one page per employee.
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ3 : public settlement::SettlementReport {
public:
    TReportRZ3();
    ~TReportRZ3() override;

    static rpt::LayoutDesc reportLayout();
};

} // namespace tarix::reports
