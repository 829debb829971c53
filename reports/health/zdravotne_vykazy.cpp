#include "reports/health/zdravotne_vykazy.h"

#include "reports/dispatcher.h"
#include "reports/health/rexzp.h"
#include "reports/health/zp05ozpr.h"
#include "reports/health/zp05ozvy.h"
#include "reports/health/zp2005pr.h"
#include "reports/health/zp2005vy.h"

namespace tarix::reports {

void Registruj_zdravotne_vykazy()
{
    Register_zostav().Registruj(QStringLiteral("TReportZP"), Spustenie_zostavy<TReportZP>());
    Register_zostav().Registruj(QStringLiteral("TReportZP2005VY"), ZP2005VY::Spusti_zostavu);
    Register_zostav().Registruj(QStringLiteral("ZP2005VY.Export_rtf"), ZP2005VY::Export_rtf);
    Register_zostav().Registruj(QStringLiteral("TReportZP2005PR"), Spustenie_zostavy<TReportZP2005PR>());
    Register_zostav().Registruj(QStringLiteral("TReportZP05OZVY"), Spustenie_zostavy<TReportZP05OZVY>());
    Register_zostav().Registruj(QStringLiteral("TReportZP05OZPR"), Spustenie_zostavy<TReportZP05OZPR>());
}

} // namespace tarix::reports
