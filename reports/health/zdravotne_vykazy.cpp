#include "reports/health/zdravotne_vykazy.h"

#include "reports/dispatcher.h"
#include "reports/health/rexzp.h"
#include "reports/health/zp05ozpr.h"
#include "reports/health/zp05ozvy.h"
#include "reports/health/zp2005pr.h"
#include "reports/health/zp2005vy.h"

namespace tarix::reports {

void registerHealthStatements()
{
    reportRegister().registerReport(QStringLiteral("TReportZP"), reportRun<TReportZP>());
    reportRegister().registerReport(QStringLiteral("TReportZP2005VY"), ZP2005VY::Spusti_zostavu);
    reportRegister().registerReport(QStringLiteral("ZP2005VY.Export_rtf"), ZP2005VY::Export_rtf);
    reportRegister().registerReport(QStringLiteral("TReportZP2005PR"), reportRun<TReportZP2005PR>());
    reportRegister().registerReport(QStringLiteral("TReportZP05OZVY"), reportRun<TReportZP05OZVY>());
    reportRegister().registerReport(QStringLiteral("TReportZP05OZPR"), reportRun<TReportZP05OZPR>());
}

} // namespace tarix::reports
