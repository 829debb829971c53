#pragma once
// Page 1 of the annual reconciliation form of 2004 (code "RZ" in 2004): parts I and II,
// one page per employee.
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ_2004 : public settlement::SettlementReport {
public:
    TReportRZ_2004();
    ~TReportRZ_2004() override;

    static rpt::LayoutDesc reportLayout();
};

} // namespace tarix::reports
