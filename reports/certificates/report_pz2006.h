#pragma once
// The employer's certificate of an employee's dependent-activity income, tax advances,
// tax withheld at source and tax bonus, from 2006: one page per employee with payrolls in
// the year, also one whose payrolls are all taxed by withholding (rows 12 to 14).
#include "reports/certificates/certificate_report.h"

namespace tarix::reports {

class TReportPZ2006 : public CertificateReport {
public:
    TReportPZ2006();
};

} // namespace tarix::reports
