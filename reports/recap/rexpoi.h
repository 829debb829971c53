#pragma once
// The quarterly statement of the liability insurance for work accidents (code POI): the
// older form TReportPOI for periods before 200201, TReportPOI2 from 200201 (rexpoi2.h).
// Made only in the last month of a quarter, always for the whole firm: the quarter's gross
// wages times the firm's rate in per mille, cut to whole crowns, at least parameter 18.
// The cost recapitulation reads the same premium.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXPOI {

struct PoiData {
    int pocet = 0;        // employees of the quarter
    double n_brutto = 0;  // the quarter's gross wages as the form counts them
    double f_poistne = 0; // the firm's rate, per mille
    double poistne = 0;   // the premium
};

// Whether a period yyyymm is the last month of a quarter.
bool quarterEnd(int obdobie);
// The first month (yyyymm) of the quarter of a period.
int quarterFirstMonth(int obdobie);
// Gross x rate per mille, the fraction cut off (on the decimal value), at least `minimum`.
double Poistne(double brutto, double promile, double minimum);
// The quarter ending with `obdobie`, in the older (before 200201) or the newer way of
// counting; the minimum is statutory parameter 18. A failing query raises.
PoiData computeFigures(db::Session &session, int obdobie, bool novy);
// Either way by the period: the newer form from 200201.
PoiData computeFigures(db::Session &session, int obdobie);

} // namespace REXPOI

// Both forms: the firm header with the quarter's figures.
class TReportInsurance : public TReport {
public:
    explicit TReportInsurance(bool novy);
    ~TReportInsurance() override;

    db::Query T0_;
    DataSetSource S0_;
    REXPOI::PoiData PoiData;

    // Message 65107 and nothing else outside the last month of a quarter.
    void Zobraz_zostavu() override;
    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    // The newer form fills its boxes.
    virtual void fillForm() {}
    bool m_novy;
};

class TReportPOI : public TReportInsurance {
public:
    TReportPOI();

protected:
    void fillForm() override;
};

} // namespace tarix::reports
