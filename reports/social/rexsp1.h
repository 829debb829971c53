#pragma once
// The 2004 social-insurance statement "Mesačný výkaz poistného" (codes "SP" and "SPV" of
// 2004, "SP1" in any period): the contributions stored in the month's payroll records of
// a cost-centre range, per fund, and for "SPV" the sickness benefits the employer paid.
// The totals are read without printing too (cost recapitulation, the XML statement).
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <array>
#include <vector>

namespace tarix::db {
class Session;
}

namespace tarix::reports {

namespace REXSP1 {

// The 37 figures of one row, in this order.
enum Pole : int {
    P_NEMOC, O_NEMOC, Z_NEMOC,
    P_DOCHOD, O_DOCHOD, Z_DOCHOD,
    P_INVALID, O_INVALID, Z_INVALID,
    P_FONDZAM, O_FONDZAM, Z_FONDZAM,
    P_URAZ, Z_URAZ,
    P_GARANCNE, Z_GARANCNE,
    P_REZERVA, Z_REZERVA,
    PZ_PN, PD_PN, PP_PN, VY_PN,
    PZ_OCR, PD_OCR, PP_OCR, VY_OCR,
    PZ_MATERSKA, PD_MATERSKA, PP_MATERSKA, VY_MATERSKA,
    PZ_VYROVDAV, PD_VYROVDAV, PP_VYROVDAV, VY_VYROVDAV,
    P_SPOLU, D_SPOLU, R_SPOLU,
    kPocetPoli
};

// The field names of the figures, in the order above ("P_NEMOC" ... "R_SPOLU").
const char *Nazov_pola(int pole);

using Suma_SP1 = std::array<double, kPocetPoli>;

// Row n (1 to 99) holds cost centre n, row 0 the totals with P_SPOLU (every premium),
// D_SPOLU (every benefit) and R_SPOLU (premiums less benefits; may be negative).
class Sumy {
public:
    Sumy() : m_r(100) {}
    const Suma_SP1 &operator[](int row) const { return m_r.at(size_t(row)); }
    Suma_SP1 &operator[](int row) { return m_r.at(size_t(row)); }

private:
    std::vector<Suma_SP1> m_r;
};

// The totals of the month's payroll records of centres sidOd..sidDo. A failing query or a
// record of a centre outside 1..99 raises: no reader takes zeros for a failed computation.
Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo);

// "%10.0n".
QString numberText(double v);

} // namespace REXSP1

class TReportSP1 : public TReport {
public:
    TReportSP1();
    ~TReportSP1() override;

    db::Query Q1_;
    DataSetSource S1_;
    REXSP1::Sumy Sumy;

    void Otvor_data() override;
    void Zatvor_data() override;
    bool hasData() const override;

private:
    void computeStatementFields(db::DataSet &ds);
};

} // namespace tarix::reports
