#pragma once
// The summary list of the annual settlements of a year (code "RZ2"): every employee of the
// cost-centre range with a settlement row, his taxable income, taxable wage and result,
// and their totals.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports {

class TReportRZ2 : public TReport {
public:
    TReportRZ2();
    ~TReportRZ2() override;

    db::Query Q0_;
    DataSetSource S0_;

    // The settlement rows of a year with the employees, in the order the request asks for.
    static QString Text_Q0(bool podlaPriezviska);
    static rpt::LayoutDesc reportLayout();

    void Otvor_data() override;
    void Zatvor_data() override;
};

} // namespace tarix::reports
