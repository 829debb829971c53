#pragma once
// The monthly statement of the premium payer before 2005 ("MESAČNÝ VÝKAZ PLATITEĽA
// POISTNÉHO", code "ZP"): one page per health insurer with the employees without and with
// changed working capacity (ZPS), their bases and premiums. Up to 2004 the employer's
// premium is computed once from the insurer's total base at the highest rate met; the
// cost recapitulation reads the same totals.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/health/sumy_zp.h"
#include "reports/report.h"

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace RexZP {
// The statements of every insurer with records in the period and centre range (kzp not 0,
// when any record of the range is insured), in insurer order. Group B: the records with ZPS.
std::vector<HealthSums> computeStatements(db::Session &session, int obdobie, int sidOd, int sidDo);
HealthSums Spocitaj_poistovnu(db::Session &session, int obdobie, int sidOd, int sidDo, int kzp);
// The employee-rate caption of a group without records: "zamestnanec  3,7%" before 200101,
// "zamestnanec  4,0%" from it.
QString employeeLabel(int obdobie);
} // namespace RexZP

class TReportZP : public TReport {
public:
    TReportZP();
    ~TReportZP() override;

    db::Query Q0_;   // one row per insurer, with its name
    db::Query Q1_;   // the firm header
    DataSetSource S0_;
    DataSetSource S1_;
    // The statement of the insurer the page shows.
    HealthSums Sumy;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void Q0_CalcFields(db::DataSet &ds);
    void Q1_CalcFields(db::DataSet &ds);
    void DetailBand1BeforePrint();
    // The year's employer rates without and with ZPS, for a group without records.
    std::array<double, 2> m_yearRates{};
};

} // namespace tarix::reports
