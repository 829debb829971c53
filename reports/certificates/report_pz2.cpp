#include "reports/certificates/report_pz2.h"

#include "reports/certificates/report_pz3.h"

namespace tarix::reports {

TReportPZ2::TReportPZ2() : CertificateReport(PZ::FormSheet::PZ2)
{
    nahlad = PreviewMode::Vzdy;
    assemble(PZ::layoutPZ3(true));
}

} // namespace tarix::reports
