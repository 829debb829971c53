#pragma once
// The quarterly statement of the liability insurance for work accidents (code POI): the
// older form TReportPOI for periods before 200201, TReportPOI2 from 200201 (rexpoi2.h).
// Made only in the last month of a quarter, always for the whole firm: the quarter's gross
// wages times the firm's rate in per mille, cut to whole crowns, at least parameter 18.
// The cost recapitulation reads the same premium.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/run_frame.h"

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXPOI {

struct Udaje {
    int pocet = 0;        // employees of the quarter
    double n_brutto = 0;  // the quarter's gross wages as the form counts them
    double f_poistne = 0; // the firm's rate, per mille
    double poistne = 0;   // the premium
};

// Whether a period yyyymm is the last month of a quarter.
bool Koniec_stvrtroka(int obdobie);
// The first month (yyyymm) of the quarter of a period.
int Prvy_mesiac_stvrtroka(int obdobie);
// Gross x rate per mille, the fraction cut off (on the decimal value), at least `minimum`.
double Poistne(double brutto, double promile, double minimum);
// The quarter ending with `obdobie`, in the older (before 200201) or the newer way of
// counting; the minimum is statutory parameter 18. A failing query raises.
Udaje Vypocitaj(db::Session &session, int obdobie, bool novy);
// Either way by the period: the newer form from 200201.
Udaje Vypocitaj(db::Session &session, int obdobie);

} // namespace REXPOI

// Both forms: the firm header with the quarter's figures.
class TReportPoistenia : public TReport {
public:
    explicit TReportPoistenia(bool novy);
    ~TReportPoistenia() override;

    db::Query T0_;
    DataSetSource S0_;
    REXPOI::Udaje Udaje;

    // Message 65107 and nothing else outside the last month of a quarter.
    void Zobraz_zostavu() override;
    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    // The newer form fills its boxes.
    virtual void Vypln_formular() {}
    bool m_novy;
};

class TReportPOI : public TReportPoistenia {
public:
    TReportPOI();

protected:
    void Vypln_formular() override;
};

} // namespace tarix::reports
