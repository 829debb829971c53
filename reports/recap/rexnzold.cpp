#include "reports/recap/rexnzold.h"

#include "core/helpers/dialogs.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/ui/user_interface.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/recap/rexfz1.h"
#include "reports/recap/rexpoi.h"
#include "reports/social/rexsp.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXNZOLD {

std::vector<REXNZ::Riadok> Vypocet_rekapitulacie(db::Session &session, const TMyReportParam &p, bool zapis)
{
    ui::ProgressScope priebeh;
    const int P = p.Obdobie, od = p.Stredisko_od, po = p.Stredisko_do;
    REXNZ::RowList z(false);
    double zam = 0, firma = 0;
    MyConsts::Zobraz_priebeh(0);

    // Health insurers.
    for (const REXNZ::HealthInsurer &zp : REXNZ::healthInsurers(session, P, od, po)) {
        const QString k = u"Odvod do zdrav.poisťovne č."_s + QString::number(zp.kzp);
        z.add(k + u" - zamestnanci"_s, zp.zam);
        z.add(k + u" - zamestnávateľ"_s, zp.firma);
        z.add(k + u" - spolu"_s, u"Z"_s, zp.kzp, zp.zam + zp.firma);
        zam += zp.zam;
        firma += zp.firma;
    }
    z.add(u"Odvod do všetkých zdrav.poisťovní - zamestnanci"_s, zam);
    z.add(u"Odvod do všetkých zdrav.poisťovní - zamestnávateľ"_s, firma);
    z.add(u"Odvod do všetkých zdrav.poisťovní - spolu"_s, zam + firma);
    MyConsts::Zobraz_priebeh(25);

    // The social insurer.
    const REXSP::Suma_SP s = REXSP::Sucty_vykazu(session, P, od, po).riadky[0];
    const double spZam = s.O_nemoc + s.O_dochod;
    const double spFirma = s.Nemoc_a + s.Nemoc_b + s.Dochod_c + s.Dochod_d;
    z.add(u"Odvod nemoc.poistenia - zamestnanci"_s, s.O_nemoc);
    z.add(u"Odvod nemoc.poistenia - zamestnávateľ"_s, s.Nemoc_a + s.Nemoc_b);
    z.add(u"Odvod dôchod.poistenia - zamestnanci"_s, s.O_dochod);
    z.add(u"Odvod dôchod.poistenia - zamestnávateľ"_s, s.Dochod_c + s.Dochod_d);
    z.add(u"Odvod poistného do soc.poisťovne - zamestnanci"_s, spZam);
    z.add(u"Odvod poistného do soc.poisťovne - zamestnávateľ"_s, spFirma);
    z.add(u"Odvod poistného do soc.poisťovne - spolu"_s, spZam + spFirma);
    MyConsts::Zobraz_priebeh(50);

    // The employment office; the insurance lines sum the health insurers and the fund.
    REXNZ::laborOfficeBefore2004(z, session, p, zam, firma);
    z.add(u"Poistné - zamestnanci"_s, zam);
    z.add(u"Poistné - zamestnávateľ"_s, firma);
    z.add(u"Poistné - spolu"_s, zam + firma);
    MyConsts::Zobraz_priebeh(65);

    // The tax office, the payout, the social insurer's balance, gross income and the social fund.
    const db::SqlResult q1 = wage_recap::monthSums(session, P, od, po);
    const auto v = [&](const char *pole) {
        const int c = q1.columnIndex(QString::fromLatin1(pole));
        return q1.rowCount() && c >= 0 ? q1.asFloat(0, c) : 0.0;
    };
    const double A = v("d_preddavok"), dan = v("d_dan");
    const double N = wage_recap::taxArrears(session, P, od, po);
    const double R = wage_recap::taxOverpayments(session, P, od, po);
    z.add(u"Daňový úrad - preddavky"_s, A);
    z.add(u"Daňový úrad - zrazená daň"_s, u"F"_s, 0, dan);
    z.add(u"Daňový úrad - spolu preddavky + zrážky"_s, A + dan);
    z.add(u"Daňový úrad - zrazené nedoplatky z ročného zúčtovania"_s, N);
    z.add(u"Daňový úrad - vrátené preplatky z ročného zúčtovania"_s, R);
    z.add(u"Daňový úrad - ročný nedoplatok(+)/preplatok(-) dane"_s, N - R);
    z.add(u"Daňový úrad - spolu preddavky+ročné zúčtovanie"_s, u"E"_s, 0, A + N - R);
    z.add(u"Daňový úrad - spolu preddavky+zrážky+ročné zúčtovanie"_s, u"D"_s, 0, A + dan + N - R);
    z.add(u"Výplata - zálohy"_s, v("vy_zaloha"));
    z.add(u"Výplata - v hotovosti"_s, v("vy_hot"));
    z.add(u"Výplata - bezhotovostne"_s, v("vy_spor"));
    z.add(u"Výplata - zrážky"_s, v("vy_zraz"));
    z.add(u"Výplata - spolu"_s, v("vy_zaloha") + v("vy_hot") + v("vy_spor") + v("vy_zraz"));
    z.add(u"Odvod poistného do soc.poisťovne - spolu"_s, spZam + spFirma);
    z.add(u"Nárok na dávky nemoc.poistenia zo soc.poisťovne"_s, v("nd_spolu"));
    z.add(u"Výsledná suma odvodu do soc.poisťovne"_s, u"S"_s, 0, spZam + spFirma - v("nd_spolu"));
    z.add(u"Hrubý príjem"_s, v("n_brutto"));
    z.add(u"Hrubý príjem - zdanený osob.sadzbou dane"_s, v("n_brutto_dohody"));
    const REXNZ::SocialFund f = REXNZ::computeSocialFund(session, v("n_mzda"));
    z.add(u"Základ pre výpočet odvodu do sociálneho fondu"_s, f.zaklad);
    z.add(u"Odvod do sociálneho fondu"_s, u"X"_s, 0, f.odvod);
    MyConsts::Zobraz_priebeh(75);

    // The liability insurance, in the last month of a quarter.
    if (REXPOI::quarterEnd(P))
        z.add(u"Zákonné poistenie zodpovednosti organiz. za škodu"_s, u"P"_s, 0,
                 REXPOI::computeFigures(session, P).poistne);
    MyConsts::Zobraz_priebeh(85);

    for (const REXNZ::DdpFund &d : REXNZ::ddpFunds(session, P, od, po)) {
        const QString k = u"DDP č."_s + QString::number(d.kdp);
        z.add(k + u" - zamestnanci"_s, d.n_ddp);
        z.add(k + u" - zamestnávateľ"_s, d.nz_ddp);
        z.add(k + u" - spolu"_s, u"Y"_s, d.kdp, d.n_ddp + d.nz_ddp);
    }

    if (zapis)
        REXNZ::writeCost(session, z.riadky);
    MyConsts::Zobraz_priebeh(100);
    return std::move(z.riadky);
}

} // namespace REXNZOLD

TReportNZOLD::TReportNZOLD() : TReportNZ(REXNZ::layoutNZ(u"TReportNZOLD"_s, false)) {}

void TReportNZOLD::computeFigures() { REXNZOLD::Vypocet_rekapitulacie(T0_.session(), Param, true); }

} // namespace tarix::reports
