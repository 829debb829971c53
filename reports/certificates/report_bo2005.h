#pragma once
// The employer's request to the tax office to pay out the part of the month's tax bonus
// that the employer paid from its own funds because the withheld advances (and from 2007
// the month's tax) did not cover it ("Žiadosť o poukázanie sumy daňového bonusu").
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

namespace tarix::reports {

namespace BO {

struct BonusSplit {
    double z_preddavkov = 0; // row 02: paid out of the withheld advances
    double vlastne = 0;      // rows 03 and 04: paid from the employer's funds, asked back
};

// The paid bonus split: the advances less the settlement refunds, plus the month's tax
// from 200701, never below 0, cover the bonus first; the rest is the employer's own.
BonusSplit splitBonus(double preddavky, double dan, double vyrovnanie, double bonus, int obdobie);

// "m/yyyy" of a period yyyymm, the month without a leading zero.
QString Text_obdobia(int obdobie);

// The employer's account: "prefix-number/bank" without blanks.
QString accountNumber(const QString &predcislo, const QString &cislo, const QString &banka);

} // namespace BO

class TReportBO2005 : public TReport {
public:
    TReportBO2005();
    ~TReportBO2005() override;

    db::Query Q0_;
    db::Query QINF_;
    DataSetSource S0_;
    DataSetSource SINF_;

    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override;
};

} // namespace tarix::reports
