#pragma once
// The cash lists of a month, A4 portrait: "VÝPLATNÁ LISTINA K VÝPLATE V HOTOVOSTI" of the
// payouts (VL2) and "ZÁLOHOVÁ LISTINA" of the advances (ZL). One line per employee with
// a positive amount and space for the signature, the "SPOLU" sum and the coin breakdown of
// every listed amount ("MINCOVKA").
#include "reports/lists/mincovka.h"
#include "reports/lists/report_list.h"

#include <array>

namespace tarix::reports {

class TReportVL2;
class TReportZL;

class TReportCashList : public pay_lists::TReportList {
public:
    enum class ReportKind { Vyplata, Zaloha };

    // The query without its ordering line (P1 period, P2, P3 centre range).
    static QString Text_Q0(ReportKind documentKind);
    static QString sortOrderOf(bool podlaPriezviska);
    // The amount the list pays: "Vyplata" or "Ne_zaloha".
    static QString sumField(ReportKind documentKind);

    void Otvor_data() override;
    void Zatvor_data() override;

    // The coins of the last print run.
    const CoinCounter &coinCounter() const { return m_mince; }

protected:
    explicit TReportCashList(ReportKind documentKind);

private:
    void computeReportFields(db::DataSet &ds);
    // Before each print run: the coins of every listed amount, counted once.
    void countCoins();

    ReportKind m_druh;
    CoinCounter m_mince;
    std::array<rpt::ReportLabel *, CoinCounter::kPocet> M{};
};

class TReportVL2 : public TReportCashList {
public:
    TReportVL2();
};

class TReportZL : public TReportCashList {
public:
    TReportZL();
};

namespace pay_lists {
rpt::LayoutDesc layoutVL2();
rpt::LayoutDesc layoutZL();
} // namespace pay_lists

} // namespace tarix::reports
