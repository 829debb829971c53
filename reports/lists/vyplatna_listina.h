#pragma once
// The summary payroll list "Výplatná listina súhrnná": the month's payroll records of the
// chosen cost centres, a block of value rows per employee under three (before 2004: two)
// caption rows per column, and the "SPOLU" row of column sums. A4 landscape.
#include "reports/lists/zoznam_zostava.h"

namespace tarix::reports {

// From 2004: three value rows per employee, sorted by name or by personal number.
class TReportVL;
// Before 2004: two value rows, sorted by name or by internal employee number.
class TReportVLOLD;

class TReportVyplatnaListina : public zoznamy::TReportZoznam {
public:
    // The query without its ordering line (parameters P1 period, P2, P3 centre range); the
    // sum of the one-off wages comes out as the field n_jednoraz.
    static QString Text_Q0(bool od2004);
    // The ordering line the set-up appends.
    static QString Zoradenie(bool od2004, bool podlaPriezviska);

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    explicit TReportVyplatnaListina(bool od2004);

private:
    void Vypocitaj_polia(db::DataSet &ds);

    bool m_od2004;
};

class TReportVL : public TReportVyplatnaListina {
public:
    TReportVL();
};

class TReportVLOLD : public TReportVyplatnaListina {
public:
    TReportVLOLD();
};

namespace zoznamy {
rpt::LayoutDesc layoutVL();
rpt::LayoutDesc layoutVLOLD();
} // namespace zoznamy

} // namespace tarix::reports
