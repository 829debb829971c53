#include "reports/sheets/mzdove_listy.h"

#include "reports/dispatcher.h"
#include "reports/sheets/report_dov.h"
#include "reports/sheets/report_en.h"
#include "reports/sheets/report_ml.h"
#include "reports/sheets/report_ml2.h"
#include "reports/sheets/report_ml3.h"
#include "reports/sheets/report_pp2.h"
#include "reports/sheets/report_vlnd.h"
#include "reports/sheets/report_vyk.h"
#include "reports/sheets/report_vz.h"
#include "reports/sheets/report_zraz.h"

namespace tarix::reports {

void registerWageSheets()
{
    ReportRegister &r = reportRegister();
    r.registerReport(QStringLiteral("TReportML"), reportRun<TReportML>());
    r.registerReport(QStringLiteral("TReportML3"), reportRun<TReportML3>());
    r.registerReport(QStringLiteral("TReportML2"), reportRun<TReportML2>());
    r.registerReport(QStringLiteral("TReportEN"), reportRun<TReportEN>());
    r.registerReport(QStringLiteral("TReportDOV"), reportRun<TReportDOV>());
    r.registerReport(QStringLiteral("TReportVYK"), reportRun<TReportVYK>());
    r.registerReport(QStringLiteral("TReportZraz"), reportRun<TReportZraz>());
    r.registerReport(QStringLiteral("TReportVLND"), reportRun<TReportVLND>());
    r.registerReport(QStringLiteral("TReportPP2"), reportRun<TReportPP2>());
    r.registerReport(QStringLiteral("TReportVZ"), reportRun<TReportVZ>());
}

} // namespace tarix::reports
