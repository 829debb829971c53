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

void Registruj_socialne_vykazy()
{
    Register_zostav().Registruj(QStringLiteral("TReportSP2005VY"), SP2005VY::Spusti_zostavu);
    Register_zostav().Registruj(QStringLiteral("SP2005VY.Export_xfdf"), SP2005VY::Export_xfdf);
    Register_zostav().Registruj(QStringLiteral("TReportSP1"), Spustenie_zostavy<TReportSP1>());
    Register_zostav().Registruj(QStringLiteral("TReportSP"), Spustenie_zostavy<TReportSP>());
    Register_zostav().Registruj(QStringLiteral("TReportOdv"), Spustenie_zostavy<TReportOdv>());
    Register_zostav().Registruj(QStringLiteral("TReportSP1P"), Spustenie_zostavy<TReportSP1P>());
    Register_zostav().Registruj(QStringLiteral("TReportSPV"), Spustenie_zostavy<TReportSPV>());
    Register_zostav().Registruj(QStringLiteral("TReportSP2005PR"), SP2005PR::Spusti_zostavu);
    Register_zostav().Registruj(QStringLiteral("SP2005PR.Export_xfdf"), SP2005PR::Export_xfdf);
    Register_zostav().Registruj(QStringLiteral("ParForm.Export_sylk"), ParForm::Export_sylk);
}

} // namespace tarix::reports
