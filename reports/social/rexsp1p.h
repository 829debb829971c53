#pragma once
// The annex of the social-insurance statement before 2005 (code "SP1P"): the month's
// insured employees of a cost-centre range with their days, assessment bases and the
// funds they take part in. Its query and calculated fields also serve the insurer's XML
// statement and the annex spreadsheet.
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXSP1P {

// One insured employee of the annex: the fields of the annex query and its calculated
// fields, as the printed annexes, the XML statement and the spreadsheet read them.
struct Riadok {
    qint64 code_emp = 0;
    QString surname, name, title;
    QString CALC_BORN_NUMB;  // born_numb without "/" and blanks
    int v_rok = 0, v_mesiac = 0;
    double n_zaklad_np = 0, n_zaklad_dp = 0, n_zaklad_ip = 0, n_zaklad_up = 0, n_zaklad_gp = 0;
    int poc_nezaop_deti = 0;
    double o_nemoc = 0, o_dochod = 0, o_invalid = 0, o_fondzam = 0;
    double oz_nemoc = 0, oz_dochod = 0, oz_invalid = 0, oz_fondzam = 0, oz_uraz = 0;
    int u_nemoc = 0, u_dochod = 0, u_invalid = 0, u_fondzam = 0, u_uraz = 0, u_garancne = 0, u_rezerva = 0;
    QString vynimka_vz;
    int v_dni = 0;           // calendar days less the uninsured days
    QString CALC_U_INVALID;  // "X" when u_invalid is 0
    QString CALC_ROZSAH_SP;  // see TReportSP1P::insuranceRange
};

// The month's insured employees of centres sidOd..sidDo (any of the five funds), by
// personal number. A failing query raises.
std::vector<Riadok> attachmentRows(db::Session &session, int obdobie, int sidOd, int sidDo);

} // namespace REXSP1P

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
    static QString insuranceRange(const std::array<double, 7> &hodnoty);

private:
    void computeStatementFields(db::DataSet &ds);
};

} // namespace tarix::reports
