#pragma once
// The certificate of taxable wage and tax advances withheld before 2001 (code "PZ" before
// 200101): one page per employee whose payroll records of the year were taxed by advances,
// with the months, the deductions and up to six children claimed.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QStringList>

namespace tarix::reports {

class TReportPZ : public TReport {
public:
    TReportPZ();
    ~TReportPZ() override;

    // One row per employee: the year's totals of the records taxed by advances.
    db::Query Q0_;
    db::Query QINF_;
    DataSetSource S0_;
    DataSetSource SINF_;

    static QString Text_Q0();
    // The months of an employee's records taxed by advances.
    static QString Text_QPOM();
    // The children claimed for the tax advance, in the order entered.
    static QString Text_QDET();
    static rpt::LayoutDesc reportLayout();

    // The months joined by ", ".
    static QString monthRangeText(const QStringList &mesiace);

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void computeReportFields(db::DataSet &ds);
};

} // namespace tarix::reports
