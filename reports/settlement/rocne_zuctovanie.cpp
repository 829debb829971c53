#include "reports/settlement/rocne_zuctovanie.h"

#include "reports/dispatcher.h"
#include "reports/settlement/rexpz.h"
#include "reports/settlement/rexrz.h"
#include "reports/settlement/rexrz2.h"
#include "reports/settlement/rexrz3.h"
#include "reports/settlement/rexrz4.h"
#include "reports/settlement/rz2004a.h"
#include "reports/settlement/rz2004b.h"
#include "reports/settlement/rz2005a.h"

namespace tarix::reports {

void registerAnnualSettlement()
{
    reportRegister().registerReport(QStringLiteral("TReportPZ"), reportRun<TReportPZ>());
    reportRegister().registerReport(QStringLiteral("TReportRZ"), reportRun<TReportRZ>());
    reportRegister().registerReport(QStringLiteral("TReportRZ2"), reportRun<TReportRZ2>());
    reportRegister().registerReport(QStringLiteral("TReportRZ3"), reportRun<TReportRZ3>());
    reportRegister().registerReport(QStringLiteral("TReportRZ4"), reportRun<TReportRZ4>());
    reportRegister().registerReport(QStringLiteral("TReportRZ_2004"), reportRun<TReportRZ_2004>());
    reportRegister().registerReport(QStringLiteral("TReportRZ_2004B"), reportRun<TReportRZ_2004B>());
    reportRegister().registerReport(QStringLiteral("TReportRZ_2005"), RZ2005A::Spusti_zostavu);
    reportRegister().registerReport(QStringLiteral("RZ2005A.Export_rtf_nezisk1"), RZ2005A::Export_rtf_nezisk1);
    reportRegister().registerReport(QStringLiteral("RZ2005A.Export_rtf_nezisk2"), RZ2005A::Export_rtf_nezisk2);
}

} // namespace tarix::reports
