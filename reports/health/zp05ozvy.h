#pragma once
// The employer's notice of the annual health-insurance settlement's result ("OZNÁMENIE
// ZAMESTNÁVATEĽA o preplatkoch a nedoplatkoch ...", code "ZP05OZVY"): per insurer on a page
// of its own, the number of settled employees and their and the employer's under- and
// overpayments of the year of the period (the title names the year before).
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports {

namespace ZP05OZVY {
// The insurers' sums of the settlement rows (Zp_univ "VV") of a year: kzp, pocet,
// nedopl_znec, nedopl_ztel, by insurer.
QString Text_Q0();
// "o preplatkoch a nedoplatkoch za jednotlivých zamestnancov za rok " + (year - 1).
QString statementYearText(int obdobie);
// The caption of row 25: "Neuhradené záväzky zamestnávateľa za rok " + (year - 1).
QString unpaidLiabilitiesCaption(int obdobie);
} // namespace ZP05OZVY

class TReportZP05OZVY : public TReport {
public:
    TReportZP05OZVY();
    ~TReportZP05OZVY() override;

    db::Query Q0_;   // one row per insurer, with the employer's payer number there
    db::Query Q1_;   // the firm header
    DataSetSource S0_;
    DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

private:
    void Q0_CalcFields(db::DataSet &ds);
};

} // namespace tarix::reports
