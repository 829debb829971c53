#pragma once
// The annual reconciliation form of 2002 and 2003 (code "RZ"), one page per employee.
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

class TReportRZ4 : public settlement::SettlementReport {
public:
    TReportRZ4();
    ~TReportRZ4() override;

    static rpt::LayoutDesc reportLayout();
};

} // namespace tarix::reports
