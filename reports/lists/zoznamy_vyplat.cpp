#include "reports/lists/zoznamy_vyplat.h"

#include "reports/dispatcher.h"
#include "reports/lists/report_cash_list.h"
#include "reports/lists/report_vl3.h"
#include "reports/lists/report_contribution_groups.h"
#include "reports/lists/report_pay_list.h"

namespace tarix::reports {

void registerPayrollLists()
{
    ReportRegister &r = reportRegister();
    r.registerReport(QStringLiteral("TReportVL"), reportRun<TReportVL>());
    r.registerReport(QStringLiteral("TReportVLOLD"), reportRun<TReportVLOLD>());
    r.registerReport(QStringLiteral("TReportVL2"), reportRun<TReportVL2>());
    r.registerReport(QStringLiteral("TReportZL"), reportRun<TReportZL>());
    r.registerReport(QStringLiteral("TReportVL3"), reportRun<TReportVL3>());
    r.registerReport(QStringLiteral("TReportOdv2"), reportRun<TReportOdv2>());
    r.registerReport(QStringLiteral("TReportOdvZp"), reportRun<TReportOdvZp>());
    r.registerReport(QStringLiteral("TReportOdvDp"), reportRun<TReportOdvDp>());
}

} // namespace tarix::reports
