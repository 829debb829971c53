#pragma once
// The summary payroll list "Výplatná listLayout súhrnná": the month's payroll records of the
// chosen cost centres, a block of value rows per employee under three (before 2004: two)
// caption rows per column, and the "SPOLU" row of column sums. A4 landscape.
#include "reports/lists/report_list.h"

namespace tarix::reports {

// From 2004: three value rows per employee, sorted by name or by personal number.
class TReportVL;
// Before 2004: two value rows, sorted by name or by internal employee number.
class TReportVLOLD;

class TReportPayList : public pay_lists::TReportList {
public:
    // The query without its ordering line (parameters P1 period, P2, P3 centre range); the
    // sum of the one-off wages comes out as the field n_jednoraz.
    static QString Text_Q0(bool od2004);
    // The ordering line the set-up appends.
    static QString sortOrderOf(bool od2004, bool podlaPriezviska);

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    explicit TReportPayList(bool od2004);

private:
    void computeReportFields(db::DataSet &ds);

    bool m_od2004;
};

class TReportVL : public TReportPayList {
public:
    TReportVL();
};

class TReportVLOLD : public TReportPayList {
public:
    TReportVLOLD();
};

namespace pay_lists {
rpt::LayoutDesc layoutVL();
rpt::LayoutDesc layoutVLOLD();
} // namespace pay_lists

} // namespace tarix::reports
