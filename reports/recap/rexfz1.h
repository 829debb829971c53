#pragma once
// The employment-fund statements of a month: FZ1 (the older form, periods before 200005)
// and FZ1A (from 200005, with the guarantee fund; rexfz1a.h). Both count the contributors
// and recompute the employer's contributions from the month's bases and the highest rate
// of each group, rounded up to whole crowns. The cost recapitulation reads the same totals.
#include "reports/report.h"
#include "platform/db/query.h"
#include "reports/dataset_source.h"

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXFZ1 {

struct Sumy {
    int pocet = 0;        // contributors (u_fondzam above 0)
    int pocet_zps = 0;    // of them with ZPS
    int pocet_ztp = 0;    // of them with ZPS and ZTP
    double n_zaklad_fz = 0; // the contributors' bases
    double o_fondzam = 0;   // the employees' contributions
    double oz_fondzam = 0;  // employer, records without F_firma_zps
    double oz_fondzam1 = 0; // employer, records with F_firma_zps
    double oz_garfond = 0;  // guarantee fund (FZ1A only)
    double oz_garfond1 = 0;
    // The rates the amounts above were computed with (per cent); a group without records
    // takes the year's rate, so that a caption stating a rate never prints a foreign one.
    double employerRate = 0;      // oz_fondzam
    double employerRate1 = 0;     // oz_fondzam1
    double employeeRate = 0;      // o_fondzam
    double guaranteeRate = 0;     // oz_garfond
    double guaranteeRate1 = 0;    // oz_garfond1

    double fzContribution() const { return o_fondzam + oz_fondzam + oz_fondzam1; }
    double totalContribution() const { return fzContribution() + oz_garfond + oz_garfond1; }
    double employerPart() const { return oz_fondzam + oz_fondzam1; }
};

// The totals of the month's records of centres sidOd..sidDo. Codes 1 and 3 give the
// employer's base; with the guarantee fund (FZ1A) code 5 gives a guarantee base only and
// raises its group's rates too, without it (FZ1) code 5 gives nothing. A failing query
// raises.
Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo, bool sGarancnym);

// "### ### ###" of a whole amount; 0 prints empty.
QString sumLabel(double v);

// A rate as the captions state it: "2,75%", "0,9%", "1%".
QString rateText(double rate);

// The run routine of code FZ1: the older form before 200005, the newer one from it.
void Spusti_zostavu(const TMyReportParam &p);

} // namespace REXFZ1

// The form of both statements: the firm header and the figures of the month.
class TReportFZ : public TReport {
public:
    explicit TReportFZ(bool sGarancnym);
    ~TReportFZ() override;

    db::Query T0_;
    DataSetSource S0_;
    REXFZ1::Sumy Sumy;

    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override;

private:
    void T0_CalcFields(db::DataSet &ds);
    void setRateCaptions();
    bool m_sGarancnym;
    // The captions of the rows whose rate is stated beside them, without the rate.
    QHash<QString, QString> m_rateCaptions;
};

class TReportFZ1 : public TReportFZ {
public:
    TReportFZ1() : TReportFZ(false) {}
};

} // namespace tarix::reports
