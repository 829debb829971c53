#include "reports/certificates/potvrdenia.h"

#include "reports/certificates/report_bo2005.h"
#include "reports/certificates/report_pz2.h"
#include "reports/certificates/report_pz2005.h"
#include "reports/certificates/report_pz2006.h"
#include "reports/certificates/report_pz3.h"
#include "reports/dispatcher.h"

namespace tarix::reports {

void registerCertificates()
{
    reportRegister().registerReport(QStringLiteral("TReportPZ2006"), reportRun<TReportPZ2006>());
    reportRegister().registerReport(QStringLiteral("TReportPZ2005"), reportRun<TReportPZ2005>());
    reportRegister().registerReport(QStringLiteral("TReportPZ3"), reportRun<TReportPZ3>());
    reportRegister().registerReport(QStringLiteral("TReportPZ2"), reportRun<TReportPZ2>());
    reportRegister().registerReport(QStringLiteral("TReportBO2005"), reportRun<TReportBO2005>());
}

} // namespace tarix::reports
