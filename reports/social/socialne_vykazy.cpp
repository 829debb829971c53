#include "reports/social/socialne_vykazy.h"

#include "reports/dispatcher.h"
#include "reports/social/export_sylk.h"
#include "reports/social/rexodv.h"
#include "reports/social/rexsp.h"
#include "reports/social/rexsp1.h"
#include "reports/social/rexsp1p.h"
#include "reports/social/rexspv.h"
#include "reports/social/sp2005pr.h"
#include "reports/social/sp2005vy.h"

namespace tarix::reports {

void registerSocialStatements()
{
    reportRegister().registerReport(QStringLiteral("TReportSP2005VY"), SP2005VY::Spusti_zostavu);
    reportRegister().registerReport(QStringLiteral("SP2005VY.Export_xfdf"), SP2005VY::Export_xfdf);
    reportRegister().registerReport(QStringLiteral("TReportSP1"), reportRun<TReportSP1>());
    reportRegister().registerReport(QStringLiteral("TReportSP"), reportRun<TReportSP>());
    reportRegister().registerReport(QStringLiteral("TReportOdv"), reportRun<TReportOdv>());
    reportRegister().registerReport(QStringLiteral("TReportSP1P"), reportRun<TReportSP1P>());
    reportRegister().registerReport(QStringLiteral("TReportSPV"), reportRun<TReportSPV>());
    reportRegister().registerReport(QStringLiteral("TReportSP2005PR"), SP2005PR::Spusti_zostavu);
    reportRegister().registerReport(QStringLiteral("SP2005PR.Export_xfdf"), SP2005PR::Export_xfdf);
    reportRegister().registerReport(QStringLiteral("ParForm.Export_sylk"), ParForm::Export_sylk);
}

} // namespace tarix::reports
