#include "reports/certificates/report_pz2005.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace PZ;

namespace {

const QString kPoznamky =
    u"Potvrdenie vyplní zamestnávateľ, ktorý je platiteľom dane a v riadkoch 06 a 07 uvedie číselé označenie mesiacov a úhrnnú sumu v Sk.\n"
    u"U cudzích štátnych príslušníkov sa uvedie dátum narodenia.\n"
    u"V prípade uplatnenia ďaľších detí sa uvedú údaje na druhej strane tlačiva v členení podľa tabuľky.\n"
    u"§ 2 ods. 1 písm. c) a d) zákona č. 90/1996 Z. z. o minimálnej mzde v znení neskorších predpisov."_s;

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    LayoutItems p;
    double y = titleHeading(p, {u"o zúčtovaných a vyplatených príjmoch fyzickej osoby zo závislej činnosti, o zrazených"_s,
                          u"preddavkoch na daň z týchto príjmov a o priznanom a vyplatenom daňovom bonuse na"_s,
                          u"vyživované deti (\"daňový bonus\") za obdobie (kalendárny rok):"_s});
    y += employeeHead(p, y, u"Meno a priezvisko daňovníka:"_s);
    const QString m = u"0"_s;
    const auto riadok = [&](const QString &n, const QString &c1, const QString &c2, const QString &pole,
                            const QString &maska, const QString &c3 = {}) {
        p.push_back(Riadok(n, c1, c2, pole, y, maska, c3));
        y += rowHeight(c3);
    };
    riadok(u"01"_s, u"Úhrn  zúčtovaných  a  vyplatených  príjmov  zo závislej činnosti (§ 5 zákona)"_s,
           u"v penažnej i v nepeňažnej forme, vrátane príjmov zo sociálneho fondu a vrátane"_s, u"n_brutto"_s, m,
           u"doplatkov za minulé roky, okrem príjmov, ktoré nie sú predmetom dane a príjmov od dane oslobodených"_s);
    BlockUse r02 = Riadok(u"02"_s, u"Zúčtované a vyplatené za mesiace"_s, u"(uvedie sa ich číselné označenie)"_s,
                          u"CALC_MESIACE"_s, y, {});
    r02.patches.push_back({.name = u"QRL_r02"_s, .width = 58});
    r02.patches.push_back({.name = u"QRL_r02b"_s, .width = 58});
    r02.patches.push_back({.name = u"QRS_r02_2"_s, .left = 68});
    r02.patches.push_back({.name = u"QRDB_CALC_MESIACE"_s, .left = 69, .width = 119, .font = kArial8,
                           .alignment = Qt::AlignLeft});
    p.push_back(r02);
    y += kRiadok;
    riadok(u"03"_s, u"Poistné a príspevky  (§ 5 ods. 8 zákona)"_s, {}, u"n_poist"_s, m);
    riadok(u"04"_s, u"Čiastkový základ dane"_s, u"(r. 01 - r. 03)"_s, u"d_ciastzd"_s, m);
    riadok(u"05"_s, u"Úhrn preddavkov"_s, u"na daň zrazených podľa § 35 zákona"_s, u"d_preddavok"_s, m,
           u"(bez uplatnenia daňového bonusu)"_s);
    BlockUse r06 = Riadok(u"06"_s, u"Zníženie základu dane podľa § 11 zákona "_s, u"a) na daňovníka"_s,
                          u"nc_minimum"_s, y, m);
    r06.patches.push_back({.name = u"QRL_r06"_s, .width = 52});
    r06.patches.push_back({.name = u"QRL_r06b"_s, .width = 44});
    p.push_back(r06);
    p.push_back(verticalLine(u"QRS_r06_3"_s, {62, y, 0, kRiadok}));
    p.push_back(label(u"QRL_r06_mes"_s, {63, y + 0.5, 40, 3}, u"kal.  mesiace"_s, kArial6));
    p.push_back(dbText(u"QRDB_CALC_MES_NC_MIN"_s, {63, y + 3.5, 69, 4}, u"CALC_MES_NC_MIN"_s, kArial8));
    y += kRiadok;
    const double vyska07 = 8 + 10 * 5;
    childrenHeading(p, u"07"_s, y, vyska07, u"Priznaný a vyplatený daňový bonus podľa § 33 zákona"_s,
                  u"- meno, priezvisko dieťaťa,  narodený (á)"_s, u"mesiace"_s);
    for (int k = 1; k <= 10; ++k)
        p.push_back(childRow(k, y + 8 + (k - 1) * 5, m));
    y += vyska07;
    riadok(u"08"_s, u"Spolu 07"_s, {}, u"CALC_BONUS_CELKOM"_s, m);
    riadok(u"09"_s, u"Zrazené a odvedené príspevky na doplnkové dôchodkové sporenie (poistenie)"_s, {},
           u"CALC_DDP"_s, {});
    riadok(u"10"_s, u"Označenie mesiacov, v ktorých sa na priznanie daňového bonusu zohľadnila"_s,
           u"nižšia min. mzda"_s, {}, {});
    p.push_back(label(u"QR_R10"_s, {kStlpecSumy, y - kRiadok + 1.8, kSirka - kStlpecSumy - 2, 4.5}, {}, kArial9,
                      Qt::AlignRight));

    payerFooter(p, y + 3, kPoznamky, 12);

    return LayoutDesc{
        .name = u"TReportPZ2005"_s,
        .title = u"Potvrdenie o príjmoch 2005"_s,
        .previewZoom = 80,
        .bands = {BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 276, .items = std::move(p)}},
    };
}

} // namespace

TReportPZ2005::TReportPZ2005() : CertificateReport(FormSheet::PZ2005)
{
    nahlad = PreviewMode::Hlasenie_prazdnej;
    Sirky_ramcekov = kRamceky_2_7;
    assemble(reportLayout());
}

} // namespace tarix::reports
