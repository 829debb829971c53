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

void Registruj_rekapitulacie()
{
    Register_zostav().Registruj(QStringLiteral("TReportFZ1"), REXFZ1::Spusti_zostavu);
    Register_zostav().Registruj(QStringLiteral("TReportFZ1A"), Spustenie_zostavy<TReportFZ1A>());
    Register_zostav().Registruj(QStringLiteral("TReportFZ2"), Spustenie_zostavy<TReportFZ2>());
    Register_zostav().Registruj(QStringLiteral("TReportPOI"), Spustenie_zostavy<TReportPOI>());
    Register_zostav().Registruj(QStringLiteral("TReportPOI2"), Spustenie_zostavy<TReportPOI2>());
    Register_zostav().Registruj(QStringLiteral("TReportNZ"), Spustenie_zostavy<TReportNZ>());
    Register_zostav().Registruj(QStringLiteral("TReportNZOLD"), Spustenie_zostavy<TReportNZOLD>());
    Register_zostav().Registruj(QStringLiteral("TReportPU"), Spustenie_zostavy<TReportPU>());
}

} // namespace tarix::reports
