#pragma once
// The employer's yearly tax report before 2004: parts I and II for 2001 to 2003
// (TReportVD, code "DNS3") and part III with one line per employee before 2004
// (TReportVD2, code "VD2").
#include "platform/report/datasource.h"
#include "reports/report.h"

#include <QDate>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace vd {

// The year's sums: advances P, settlement underpayments withheld N and overpayments
// refunded O, tax withheld by deduction T (a year without records gives 0).
struct Sumy {
    double P = 0, N = 0, O = 0, T = 0;
    double Riadok7() const { return P + N - O; }
    double shouldHaveBeenPaid() const { return T + Riadok7(); }
};
Sumy loadSums(db::Session &session, int rok);

} // namespace vd

namespace VD2 {

// One employee's line of part III.
struct Riadok {
    int code_emp = 0;
    QString born_numb;
    QString CALC_MENO, CALC_TP, CALC_PRIJMY, CALC_ZUCTOVANE, CALC_ZD, CALC_PREDDAVKY;
    // The settlement's overpayment, printed only when the employee has a settlement of the
    // year (the form's IF(CALC_ZOBRAZ=1, CALC_NEDOPLATOK, ' ')).
    bool CALC_ZOBRAZ = false;
    double CALC_NEDOPLATOK = 0;
    QString arrearsText() const;
};

// "m" when the first and last month are equal, else "m - n"; empty without records.
QString settled(const QVariant &zac, const QVariant &kon);

// The employees in employment at some time of the year whose tax is not withheld by
// deduction, by surname, with their year's sums.
std::vector<Riadok> vdRows(db::Session &session, int rok);

} // namespace VD2

class TReportVD : public TReport {
public:
    TReportVD();
    vd::Sumy Sumy;
    void Otvor_data() override;
    bool hasData() const override { return true; }
};

class TReportVD2 : public TReport {
public:
    TReportVD2();
    rpt::MemoryDataSource Q0_;
    void Otvor_data() override;
    void Zatvor_data() override { Q0_.setRows({}); }
};

} // namespace tarix::reports
