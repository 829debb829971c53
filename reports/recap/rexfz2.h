#pragma once
// The collective notification of the contributors to unemployment insurance (code FZ2):
// one line per employee of the month with a contribution code, the birth number in ten
// boxes (without "/" and blanks) and the base when one of the three codes is 1.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports {

namespace REXFZ2 {
// A birth number as the ten boxes take it: "/" and blanks removed, at most ten characters.
QString birthNumberInBoxes(const QString &rodneCislo);
} // namespace REXFZ2

class TReportFZ2 : public TReport {
public:
    TReportFZ2();
    ~TReportFZ2() override;

    db::Query Q0_;
    db::Query T0_;
    DataSetSource S0_;
    DataSetSource ST_;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void Q0_CalcFields(db::DataSet &ds);
};

} // namespace tarix::reports
