#include "reports/certificates/report_pz2006.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace PZ;

namespace {

const QString kPoznamky =
    u"1) Potvrdenie vyplní zamestnávateľ, ktorý je platiteľom dane, a v riadkoch 02, 06 a 07 uvedie číselné označenie mesiacov.\n"
    u"2) U cudzích štátnych príslušníkov sa uvedie dátum narodenia.\n"
    u"3) V prípade uplatnenia ďalších detí sa uvedú údaje na druhej strane tlačiva v členení podľa tabuľky.\n"
    u"4) § 2 ods. 1 písm. c) a d) zákona č. 90/1996 Z. z. o minimálnej mzde v znení neskorších predpisov.\n"
    u"5) Príspevky na doplnkové dôchodkové sporenie (poistenie) zrazené zamestnancovi zo mzdy.\n"
    u"6) Vyplní sa, ak bola z príjmov zamestnanca vybraná daň zrážkou podľa § 43 ods. 3 písm. j) zákona."_s;

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    LayoutItems p;
    double y = titleHeading(p, {u"o príjmoch fyzickej osoby zo závislej činnosti, o preddavkoch na daň, o dani vybranej zrážkou z týchto"_s,
                          u"príjmov a o daňovom bonuse na vyživované deti (\"daňový bonus\") za obdobie (kalendárny rok):"_s});
    y += employeeHead(p, y, u"Titul, meno a priezvisko daňovníka:"_s);
    const QString m = u"0"_s;
    const auto riadok = [&](const QString &n, const QString &c1, const QString &c2, const QString &pole,
                            const QString &maska, const QString &c3 = {}) {
        p.push_back(Riadok(n, c1, c2, pole, y, maska, c3));
        y += rowHeight(c3);
    };
    riadok(u"01"_s, u"Úhrn  zúčtovaných  a  vyplatených  príjmov "_s, u"zo závislej činnosti (§ 5 zákona)"_s, u"n_brutto"_s, m);
    // The months' list takes the width of the row.
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
    riadok(u"03a"_s, u"z toho poistné na verejné zdravotné poistenie"_s, {}, u"xx_o_zdravot"_s, m);
    riadok(u"04"_s, u"Čiastkový základ dane"_s, u"(r. 01 - r. 03)"_s, u"d_ciastzd"_s, m);
    riadok(u"05"_s, u"Úhrn preddavkov"_s, u"na daň zrazených podľa § 35 zákona"_s, u"d_preddavok"_s, m,
           u"(bez uplatnenia daňového bonusu)"_s);
    // Row 06: the months of the non-taxable part beside its sum.
    BlockUse r06 = Riadok(u"06"_s, u"Nezdaniteľná časť na daňovníka"_s, {}, u"nc_minimum"_s, y, m);
    r06.patches.push_back({.name = u"QRL_r06"_s, .width = 44});
    p.push_back(r06);
    p.push_back(verticalLine(u"QRS_r06_3"_s, {54, y, 0, kRiadok}));
    p.push_back(label(u"QRL_r06_mes"_s, {55, y + 0.5, 40, 3}, u"kal.  mesiace"_s, kArial6));
    p.push_back(dbText(u"QRDB_CALC_MES_NC_MIN"_s, {55, y + 3.5, 77, 4}, u"CALC_MES_NC_MIN"_s, kArial8));
    p.push_back(label(u"QRL_r06_suma"_s, {kStlpecSumy, y + 0.2, 10, 2.5}, u"suma"_s, kArial6));
    y += kRiadok;
    // Row 07: six children print; the rest count in row 08.
    const double vyska07 = 8 + 6 * 5;
    childrenHeading(p, u"07"_s, y, vyska07, u"Priznaný a vyplatený daňový bonus podľa § 33 zákona"_s,
                  u"- meno, priezvisko dieťaťa,  narodený (á)"_s, u"mesiace"_s);
    for (int k = 1; k <= 6; ++k)
        p.push_back(childRow(k, y + 8 + (k - 1) * 5, m));
    y += vyska07;
    riadok(u"08"_s, u"Spolu 07"_s, {}, u"CALC_BONUS_CELKOM"_s, m);
    riadok(u"09"_s, u"Zrazené príspevky na doplnkové dôch. sporenie (poistenie)"_s, u"[§ 11 ods. 1 písm. c) zákona]"_s,
           u"CALC_DDP"_s, {});
    riadok(u"10"_s, u"Príspevky na doplnkové dôch. sporenie (poistenie)  [§ 11 ods. 1 písm. c) zákona"_s,
           u"platené zamestnávateľom za zamestnanca  [§ 19 ods. 3 písm. l) zákona] - zahrnuté v r. 01"_s,
           u"CALC_NZ_DDP"_s, {});
    riadok(u"11"_s, u"Označenie mesiacov, v ktorých sa na priznanie daňového bonusu zohľadnila"_s,
           u"nižšia min. mzda"_s, {}, {});
    p.push_back(label(u"QR_R10"_s, {kStlpecSumy, y - kRiadok + 1.8, kSirka - kStlpecSumy - 2, 4.5}, {}, kArial9,
                      Qt::AlignRight));
    // The income taxed by withholding.
    p.push_back(rectangle(u"QRS_zrazka"_s, {0, y + 1, kSirka, 6}));
    p.push_back(label(u"QRL_zrazka"_s, {2, y + 2, 150, 4}, u"Daň vyberaná zrážkou podľa § 43 ods. 3 písm. j) zákona"_s,
                      kArial8b));
    y += 7;
    riadok(u"12"_s, u"Úhrn  zúčtovaných  a  vyplatených  príjmov  zo závislej činnosti [§ 5 ods. 1 písm. a) až"_s,
           u"h) zákona], z ktorých bola daň vybraná zrážkou podľa § 43 zákona"_s, u"CALC_R13"_s, m);
    riadok(u"13"_s, u"Poistné a príspevky  (§ 5 ods. 8 zákona) z príjmov z r. 12 celkom"_s, {}, u"CALC_R14A"_s, m);
    riadok(u"13a"_s, u"z toho poistné na verejné zdravotné poistenie"_s, {}, u"CALC_R14B"_s, m);
    riadok(u"14"_s, u"Úhrnná suma dane,"_s, u"ktorá bola z príjmov z r. 12 vybraná zrážkou podľa 43 zákona"_s,
           u"CALC_R15"_s, m);

    payerFooter(p, y + 3, kPoznamky, 18);

    return LayoutDesc{
        .name = u"TReportPZ2006"_s,
        .title = u"Potvrdenie o príjmoch"_s,
        .previewZoom = 80,
        .bands = {BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 276, .items = std::move(p)}},
    };
}

} // namespace

TReportPZ2006::TReportPZ2006() : CertificateReport(FormSheet::PZ2006)
{
    nahlad = PreviewMode::Hlasenie_prazdnej;
    Sirky_ramcekov = kRamceky_2_4;
    assemble(reportLayout());
}

} // namespace tarix::reports
