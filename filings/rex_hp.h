#pragma once
// The printouts of bulk payment orders: TReportHP1 ("HP1", the general form) and
// TReportHP2 ("HP2", the form of the bank shown as "VÚB") print one stored order page by
// page, each page with its own total; TReportHP ("HP") prints an order straight from the
// month's payroll without storing it.
#include "filings/payment_orders.h"
#include "platform/db/query.h"
#include "reports/dataset_source.h"
#include "reports/report.h"

#include <QHash>
#include <vector>

namespace tarix::filings {

namespace REXHP {

// The items per printed page: program parameter 17 (HP_POLOZIEK). Below 1 it raises
// EMyError naming the parameter.
int itemsPerPage();
// The page of each of `pocet` items at `naStranu` items a page: 1 for the first
// `naStranu`, then 2, and so on.
std::vector<int> pageList(int pocet, int naStranu);
// Stores the page of every item of the header (STRANA, in the order stored) in one
// transaction and returns the total of each page.
QHash<int, double> markPages(db::Session &session, int hpid, int naStranu);
// An amount as the totals print it: as the items, two decimals, a decimal comma and blanks
// between thousands.
QString sumLabel(double suma);

// The run routines of the stored order ("HP1", "HP2"): a request without a header id
// (Rezerva1, Kluc_zaznamu) shows 65127 and prints nothing.
void runHp1Report(const reports::TMyReportParam &p);
void runHp2Report(const reports::TMyReportParam &p);
// The run routine of "HP" with the choices of the parameter dialog: none of the parts a,
// b and c shows 65046 and prints nothing.
void runHpReport(const reports::TMyReportParam &p, const Parametre_hp &volby);

// The printed query of "HP" for the chosen parts, in the order a, b, c.
QString hpQueryText(const Parametre_hp &volby);

} // namespace REXHP

// "HP1": the stored order with each account followed by " / " and its bank.
class TReportHP1 : public reports::TReport {
public:
    TReportHP1();
    ~TReportHP1() override;

    db::Query Q0_;   // the header
    db::Query Q1_;   // its items (THP2_ of the original)
    reports::DataSetSource S0_;
    reports::DataSetSource S1_;

    void Otvor_data() override;
    void Zatvor_data() override;

protected:
    TReportHP1(const rpt::LayoutDesc &layout, bool bankaZvlast);

private:
    bool m_bankaZvlast;
    QHash<int, double> m_sumyStran;
};

// "HP2": the same order in the bank's layout, the bank code in a column of its own.
class TReportHP2 : public TReportHP1 {
public:
    TReportHP2();
};

// "HP": the chosen parts of the month's payroll.
class TReportHP : public reports::TReport {
public:
    TReportHP();
    ~TReportHP() override;

    Parametre_hp Volby;
    db::Query Q0_;    // the union of the chosen parts
    db::Query QINF_;  // the firm's header (the payer)
    reports::DataSetSource S0_;
    reports::DataSetSource SINF_;

    void Otvor_data() override;
    void Zatvor_data() override;
};

// Registers "TReportHP1" and "TReportHP2" with the dispatcher ("TReportHP" needs the
// parameter dialog and is registered by the window side).
void registerBulkOrders();

} // namespace tarix::filings
