#pragma once
// The certificate of 2001 to 2003 (act 366/1999): row 01 from the gross wage, the rows of
// non-cash income left empty, six children at the dialog's amount a month, twice that and
// "ŤZP" for a disabled child.
#include "reports/certificates/certificate_report.h"

namespace tarix::reports {

class TReportPZ2 : public CertificateReport {
public:
    TReportPZ2();
};

} // namespace tarix::reports
