#pragma once
// The annex of the social-insurance statement before 2005 (code "SP1P"): the month's
// insured employees of a cost-centre range with their days, assessment bases and the
// funds they take part in. Its query and calculated fields also serve the insurer's XML
// statement and the annex spreadsheet.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/run_frame.h"

#include <array>

namespace tarix::reports {

class TReportSP1P : public TReport {
public:
    TReportSP1P();
    ~TReportSP1P() override;

    // The insured employees' payroll records, by personal number.
    db::Query Q0_;
    // The firm header.
    db::Query T0_;
    DataSetSource S0_;
    DataSetSource ST0_;

    static QString Text_Q0();

    void Otvor_data() override;
    void Zatvor_data() override;

    // "1" or "0" for each of u_nemoc, u_dochod, u_invalid, u_fondzam, u_uraz, n_zaklad_gp,
    // u_rezerva being other than 0.
    static QString Rozsah_poistenia(const std::array<double, 7> &hodnoty);

private:
    void Vypocitaj_polia(db::DataSet &ds);
};

} // namespace tarix::reports
