#pragma once
// The cash lists of a month, A4 portrait: "VÝPLATNÁ LISTINA K VÝPLATE V HOTOVOSTI" of the
// payouts (VL2) and "ZÁLOHOVÁ LISTINA" of the advances (ZL). One line per employee with
// a positive amount and space for the signature, the "SPOLU" sum and the coin breakdown of
// every listed amount ("MINCOVKA").
#include "reports/lists/mincovka.h"
#include "reports/lists/zoznam_zostava.h"

#include <array>

namespace tarix::reports {

class TReportVL2;
class TReportZL;

class TReportHotovostnaListina : public zoznamy::TReportZoznam {
public:
    enum class Druh { Vyplata, Zaloha };

    // The query without its ordering line (P1 period, P2, P3 centre range).
    static QString Text_Q0(Druh druh);
    static QString Zoradenie(bool podlaPriezviska);
    // The amount the list pays: "Vyplata" or "Ne_zaloha".
    static QString Pole_sumy(Druh druh);

    void Otvor_data() override;
    void Zatvor_data() override;

    // The coins of the last print run.
    const Mincovka &Mince() const { return m_mince; }

protected:
    explicit TReportHotovostnaListina(Druh druh);

private:
    void Vypocitaj_polia(db::DataSet &ds);
    // Before each print run: the coins of every listed amount, counted once.
    void Spocitaj_mince();

    Druh m_druh;
    Mincovka m_mince;
    std::array<rpt::ReportLabel *, Mincovka::kPocet> M{};
};

class TReportVL2 : public TReportHotovostnaListina {
public:
    TReportVL2();
};

class TReportZL : public TReportHotovostnaListina {
public:
    TReportZL();
};

namespace zoznamy {
rpt::LayoutDesc layoutVL2();
rpt::LayoutDesc layoutZL();
} // namespace zoznamy

} // namespace tarix::reports
