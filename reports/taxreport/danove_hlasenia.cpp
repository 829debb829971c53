#include "reports/taxreport/danove_hlasenia.h"

#include "reports/dispatcher.h"
#include "reports/taxreport/report_tax_overview.h"
#include "reports/taxreport/report_dns3.h"
#include "reports/taxreport/report_vd.h"
#include "reports/taxreport/report_vd2005a.h"
#include "reports/taxreport/report_vd2005b.h"

namespace tarix::reports {

void registerTaxReturns()
{
    ReportRegister &r = reportRegister();
    r.registerReport(QStringLiteral("TReportVD2005A"), reportRun<TReportVD2005A>());
    r.registerReport(QStringLiteral("VD2005A.Export_xfdf"), VD2005A::Export_xfdf);
    r.registerReport(QStringLiteral("TReportVD2005B"), reportRun<TReportVD2005B>());
    r.registerReport(QStringLiteral("VD2005B.Export_xfdf"), VD2005B::Export_xfdf);
    r.registerReport(QStringLiteral("TReportDNS2A"), reportRun<TReportDNS2A>());
    r.registerReport(QStringLiteral("TReportPR2007"), reportRun<TReportPR2007>());
    r.registerReport(QStringLiteral("TReportDNS2"), reportRun<TReportDNS2>());
    // Before 2001 the yearly overview is an RTF document, not a print.
    r.registerReport(QStringLiteral("TReportDNS3"), DNS3::Vypln_sablonu_rtf);
    r.registerReport(QStringLiteral("TReportVD"), reportRun<TReportVD>());
    r.registerReport(QStringLiteral("TReportVD2"), reportRun<TReportVD2>());
}

} // namespace tarix::reports
