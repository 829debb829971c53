#pragma once
// The 2004 edition of the income and tax-advance certificate (act 595/2003): row 01 counts
// the pension-insurance contributions in, rows 03 a) to c) split the deductions, ten
// children with months x parameter 28. An empty selection shows an empty preview.
#include "reports/certificates/certificate_report.h"

namespace tarix::reports {

namespace PZ {
// The layout of the 2004 certificate; with `pz2` the edition of 2001 to 2003 drawn from it.
rpt::LayoutDesc layoutPZ3(bool pz2);
} // namespace PZ

class TReportPZ3 : public CertificateReport {
public:
    TReportPZ3();
};

} // namespace tarix::reports
