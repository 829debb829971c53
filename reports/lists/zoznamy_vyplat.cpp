#include "reports/lists/zoznamy_vyplat.h"

#include "reports/dispatcher.h"
#include "reports/lists/hotovostna_listina.h"
#include "reports/lists/report_vl3.h"
#include "reports/lists/rozpis_odvodov.h"
#include "reports/lists/vyplatna_listina.h"

namespace tarix::reports {

void Registruj_zoznamy_vyplat()
{
    RegisterZostav &r = Register_zostav();
    r.Registruj(QStringLiteral("TReportVL"), Spustenie_zostavy<TReportVL>());
    r.Registruj(QStringLiteral("TReportVLOLD"), Spustenie_zostavy<TReportVLOLD>());
    r.Registruj(QStringLiteral("TReportVL2"), Spustenie_zostavy<TReportVL2>());
    r.Registruj(QStringLiteral("TReportZL"), Spustenie_zostavy<TReportZL>());
    r.Registruj(QStringLiteral("TReportVL3"), Spustenie_zostavy<TReportVL3>());
    r.Registruj(QStringLiteral("TReportOdv2"), Spustenie_zostavy<TReportOdv2>());
    r.Registruj(QStringLiteral("TReportOdvZp"), Spustenie_zostavy<TReportOdvZp>());
    r.Registruj(QStringLiteral("TReportOdvDp"), Spustenie_zostavy<TReportOdvDp>());
}

} // namespace tarix::reports
