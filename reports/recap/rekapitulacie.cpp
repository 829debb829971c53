#include "reports/recap/rekapitulacie.h"

#include "reports/dispatcher.h"
#include "reports/recap/rexfz1.h"
#include "reports/recap/rexfz1a.h"
#include "reports/recap/rexfz2.h"
#include "reports/recap/rexnz.h"
#include "reports/recap/rexnzold.h"
#include "reports/recap/rexpoi.h"
#include "reports/recap/rexpoi2.h"
#include "reports/recap/rexpu.h"

namespace tarix::reports {

void registerRecaps()
{
    reportRegister().registerReport(QStringLiteral("TReportFZ1"), REXFZ1::Spusti_zostavu);
    reportRegister().registerReport(QStringLiteral("TReportFZ1A"), reportRun<TReportFZ1A>());
    reportRegister().registerReport(QStringLiteral("TReportFZ2"), reportRun<TReportFZ2>());
    reportRegister().registerReport(QStringLiteral("TReportPOI"), reportRun<TReportPOI>());
    reportRegister().registerReport(QStringLiteral("TReportPOI2"), reportRun<TReportPOI2>());
    reportRegister().registerReport(QStringLiteral("TReportNZ"), reportRun<TReportNZ>());
    reportRegister().registerReport(QStringLiteral("TReportNZOLD"), reportRun<TReportNZOLD>());
    reportRegister().registerReport(QStringLiteral("TReportPU"), reportRun<TReportPU>());
}

} // namespace tarix::reports
