#pragma once
// The annual settlement of tax advances before 2001 (code "RZ" before 200101), one page per employee.
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ : public settlement::SettlementReport {
public:
    TReportRZ();
    ~TReportRZ() override;

    static rpt::LayoutDesc reportLayout();
};

} // namespace tarix::reports
