#include "reports/sheets/mzdove_listy.h"

#include "reports/dispatcher.h"
#include "reports/sheets/report_dov.h"
#include "reports/sheets/report_en.h"
#include "reports/sheets/report_ml.h"
#include "reports/sheets/report_ml2.h"
#include "reports/sheets/report_ml3.h"
#include "reports/sheets/report_pp2.h"
#include "reports/sheets/report_vlnd.h"
#include "reports/sheets/report_vyk.h"
#include "reports/sheets/report_vz.h"
#include "reports/sheets/report_zraz.h"

namespace tarix::reports {

void Registruj_mzdove_listy()
{
    RegisterZostav &r = Register_zostav();
    r.Registruj(QStringLiteral("TReportML"), Spustenie_zostavy<TReportML>());
    r.Registruj(QStringLiteral("TReportML3"), Spustenie_zostavy<TReportML3>());
    r.Registruj(QStringLiteral("TReportML2"), Spustenie_zostavy<TReportML2>());
    r.Registruj(QStringLiteral("TReportEN"), Spustenie_zostavy<TReportEN>());
    r.Registruj(QStringLiteral("TReportDOV"), Spustenie_zostavy<TReportDOV>());
    r.Registruj(QStringLiteral("TReportVYK"), Spustenie_zostavy<TReportVYK>());
    r.Registruj(QStringLiteral("TReportZraz"), Spustenie_zostavy<TReportZraz>());
    r.Registruj(QStringLiteral("TReportVLND"), Spustenie_zostavy<TReportVLND>());
    r.Registruj(QStringLiteral("TReportPP2"), Spustenie_zostavy<TReportPP2>());
    r.Registruj(QStringLiteral("TReportVZ"), Spustenie_zostavy<TReportVZ>());
}

} // namespace tarix::reports
