#include "reports/certificates/report_pz2.h"

#include "reports/certificates/report_pz3.h"

namespace tarix::reports {

TReportPZ2::TReportPZ2() : CertificateReport(PZ::Tlacivo::PZ2)
{
    nahlad = Nahlad::Vzdy;
    Zostav(PZ::Rozlozenie_PZ3(true));
}

} // namespace tarix::reports
