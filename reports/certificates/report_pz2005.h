#pragma once
// The 2005 edition of the income and tax-advance certificate: no employer-paid pension
// saving and no withholding section; ten children print; the bonus is 400 Sk a month to
// August and 450 Sk from September 2005.
#include "reports/certificates/certificate_report.h"

namespace tarix::reports {

class TReportPZ2005 : public CertificateReport {
public:
    TReportPZ2005();
};

} // namespace tarix::reports
