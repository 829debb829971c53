#include "reports/taxreport/danove_hlasenia.h"

#include "reports/dispatcher.h"
#include "reports/taxreport/prehlady_dane.h"
#include "reports/taxreport/report_dns3.h"
#include "reports/taxreport/report_vd.h"
#include "reports/taxreport/report_vd2005a.h"
#include "reports/taxreport/report_vd2005b.h"

namespace tarix::reports {

void Registruj_danove_hlasenia()
{
    RegisterZostav &r = Register_zostav();
    r.Registruj(QStringLiteral("TReportVD2005A"), Spustenie_zostavy<TReportVD2005A>());
    r.Registruj(QStringLiteral("VD2005A.Export_xfdf"), VD2005A::Export_xfdf);
    r.Registruj(QStringLiteral("TReportVD2005B"), Spustenie_zostavy<TReportVD2005B>());
    r.Registruj(QStringLiteral("VD2005B.Export_xfdf"), VD2005B::Export_xfdf);
    r.Registruj(QStringLiteral("TReportDNS2A"), Spustenie_zostavy<TReportDNS2A>());
    r.Registruj(QStringLiteral("TReportPR2007"), Spustenie_zostavy<TReportPR2007>());
    r.Registruj(QStringLiteral("TReportDNS2"), Spustenie_zostavy<TReportDNS2>());
    // Before 2001 the yearly overview is an RTF document, not a print.
    r.Registruj(QStringLiteral("TReportDNS3"), DNS3::Vypln_sablonu_rtf);
    r.Registruj(QStringLiteral("TReportVD"), Spustenie_zostavy<TReportVD>());
    r.Registruj(QStringLiteral("TReportVD2"), Spustenie_zostavy<TReportVD2>());
}

} // namespace tarix::reports
