#pragma once
// "ROZPIS ODVODOV POISTNÉHO ZA ...": the month's social-insurance contributions per
// employee (code "ODV"), a landscape list with two lines per employee (the employee's
// contributions, then the employer's, each with its rate and assessment base) and the
// totals of the list.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports {

class TReportOdv : public TReport {
public:
    TReportOdv();
    ~TReportOdv() override;

    // The month's payroll records of the centre range that take part in any fund, with
    // the employee's name and birth number.
    db::Query Q0_;
    DataSetSource S0_;

    static QString Text_Q0();

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void computeStatementFields(db::DataSet &ds);
};

} // namespace tarix::reports
