#include "reports/certificates/potvrdenia.h"

#include "reports/certificates/report_bo2005.h"
#include "reports/certificates/report_pz2.h"
#include "reports/certificates/report_pz2005.h"
#include "reports/certificates/report_pz2006.h"
#include "reports/certificates/report_pz3.h"
#include "reports/dispatcher.h"

namespace tarix::reports {

void Registruj_potvrdenia()
{
    Register_zostav().Registruj(QStringLiteral("TReportPZ2006"), Spustenie_zostavy<TReportPZ2006>());
    Register_zostav().Registruj(QStringLiteral("TReportPZ2005"), Spustenie_zostavy<TReportPZ2005>());
    Register_zostav().Registruj(QStringLiteral("TReportPZ3"), Spustenie_zostavy<TReportPZ3>());
    Register_zostav().Registruj(QStringLiteral("TReportPZ2"), Spustenie_zostavy<TReportPZ2>());
    Register_zostav().Registruj(QStringLiteral("TReportBO2005"), Spustenie_zostavy<TReportBO2005>());
}

} // namespace tarix::reports
