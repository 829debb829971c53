#include "reports/certificates/report_pz3.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace PZ;

rpt::LayoutDesc PZ::layoutPZ3(bool pz2)
{
    using namespace rpt;
    LayoutItems p;
    double y = pz2 ? titleHeading(p, {u"o zúčtovaných a vyplatených príjmoch fyzických osôb zo závislej činnosti a o funkčných"_s,
                                u" požitkoch, o zrazených preddavkoch  na  daň  z  týchto príjmov a  o  nedoplatku dane  z "_s,
                                u" nepeňažných príjmov, ktoré sú samostatným základom na zdanenie osobitnou sadzbou dane"_s,
                                u"za obdobie (kalendárny rok):"_s})
                   : titleHeading(p, {u"o zúčtovaných a vyplatených príjmoch fyzických osôb zo závislej činnosti, o zrazených"_s,
                                u"preddavkoch  na  daň  z  týchto príjmov a  o priznanom a vyplatenom daňovom bonuse na"_s,
                                u"vyživované deti (\"daňový bonus\") za obdobie (kalendárny rok):"_s});
    p.push_back(label(u"QRL_zakon"_s, {0, y, kSirka, 4},
                      pz2 ? u"podľa zákona č. 366/1999 Z. z. o daniach z príjmov v znení neskorších predpisov (ďalej len \"zákon\")"_s
                          : u"podľa zákona č. 595/2003 Z. z. o dani z príjmov (ďalej len \"zákon\")"_s,
                      kArial7, Qt::AlignHCenter));
    y += 5;
    y += employeeHead(p, y, u"Meno a priezvisko daňovníka:"_s);
    const QString m = u"### ### ##0"_s;
    const auto riadok = [&](const QString &n, const QString &c1, const QString &c2, const QString &pole,
                            const QString &maska, const QString &c3 = {}) {
        p.push_back(Riadok(n, c1, c2, pole, y, maska, c3));
        y += rowHeight(c3);
    };
    riadok(u"01"_s, u"Úhrn  zúčtovaných  a  vyplatených  príjmov "_s,
           pz2 ? u"zo   závislej   činnosti   a   funkčných  požitkov"_s : u"zo   závislej   činnosti   (§ 5 zákona)"_s,
           u"n_brutto"_s, m);
    BlockUse r02 = Riadok(u"02"_s, u"Zúčtované v mesiacoch"_s, u"(uveďte ich číselné označenie)"_s, u"CALC_MESIACE"_s,
                          y, {});
    r02.patches.push_back({.name = u"QRL_r02"_s, .width = 58});
    r02.patches.push_back({.name = u"QRL_r02b"_s, .width = 58});
    r02.patches.push_back({.name = u"QRS_r02_2"_s, .left = 68});
    r02.patches.push_back({.name = u"QRDB_CALC_MESIACE"_s, .left = 69, .width = 119, .font = kArial8,
                           .alignment = Qt::AlignLeft});
    p.push_back(r02);
    y += kRiadok;
    if (pz2)
        riadok(u"03a"_s, u"a) povinné poistné"_s, u"§ 6 ods. 12 zákona"_s, u"n_poist"_s, m);
    else
        riadok(u"03a"_s, u"a) (povinné) poistné a príspevky"_s, u"§ 5 ods. 8 zákona"_s, u"n_poist"_s, m);
    riadok(u"03b1"_s, u"b) zaplatené príspevky na doplnkové dôchodkové poistenie"_s, u"     1. uplatnené"_s, u"n_ddp"_s, m);
    riadok(u"03b2"_s, {}, u"     2. neuplatnené"_s, {}, {});
    riadok(u"03c"_s, u"c) úhrn a) + b) bod 1"_s, {}, u"CALC_R03C"_s, m);
    p.push_back(label(u"QRL_c03"_s, {0.5, y - 4 * kRiadok + 2, 7, 4}, u"03"_s, kArial8b, Qt::AlignHCenter));
    riadok(u"04"_s, u"Čiastkový základ dane"_s, u"[r. 01 - r. 03 c) ]"_s, u"d_ciastzd"_s, m);
    riadok(u"05"_s, u"Úhrn zrazených preddavkov na daň"_s, pz2 ? QString() : u"bez uplatnenia daň. bonusu"_s,
           u"d_preddavok"_s, m);
    if (pz2) {
        riadok(u"06"_s, u"Úhrn nepeňažných príjmov podľa § 6 ods. 4 a 5 zákona, z ktorých nebolo možné"_s,
               u"podľa § 41 ods. 3 písm. a) zákona zrážku dane vykonať"_s, {}, {});
        riadok(u"07"_s, u"Nepeňažné príjmy uvedené v r. 06 boli vyplatené, poukázané, pripísané"_s,
               u"daňovníkovi k dobru v mesiacoch (uveďte číselné označenie)"_s, {}, {});
        riadok(u"08"_s, u"Nedoplatok dane z"_s, u"príjmov z r. 06"_s, {}, {});
    }
    // The non-taxable part: its months (I.) and its sum (II.).
    const QString n06 = pz2 ? u"09"_s : u"06"_s;
    BlockUse r06 = Riadok(n06, pz2 ? u"Zníženie základu dane podľa § 12 zákona "_s : u"Zníženie základu dane podľa § 11 zákona "_s,
                          u"a) na daňovníka"_s, u"nc_minimum"_s, y, m);
    r06.patches.push_back({.name = u"QRL_r"_s + n06, .width = 52});
    r06.patches.push_back({.name = u"QRL_r"_s + n06 + u'b', .width = 52});
    p.push_back(r06);
    p.push_back(verticalLine(u"QRS_r"_s + n06 + u"_3"_s, {62, y, 0, kRiadok}));
    p.push_back(label(u"QRL_r"_s + n06 + u"_I"_s, {63, y + 0.5, 10, 3}, u"I."_s, kArial6));
    p.push_back(dbText(u"QRDB_CALC_MES_NC_MIN"_s, {63, y + 3.5, 69, 4}, u"CALC_MES_NC_MIN"_s, kArial8));
    p.push_back(label(u"QRL_r"_s + n06 + u"_II"_s, {kStlpecSumy, y + 0.2, 10, 2.5}, u"II."_s, kArial6));
    y += kRiadok;
    if (pz2)
        p.push_back(label(u"QRL_r09_pozn"_s, {9, y, 180, 3.3},
                          u"(uveďte číselné označenie mesiacov a úhrnnú sumu v Sk)"_s, kArial6));
    if (pz2)
        y += 3.5;
    const int deti = pz2 ? 6 : 10;
    const double vyska = 8 + deti * 5;
    if (pz2)
        childrenHeading(p, u"10"_s, y, vyska, u"b) na vyživované deti   - ťažké zdravotné postihnutie  ,"_s,
                      u"   meno, priezvisko, narodený (á)"_s, u"mesiace"_s);
    else
        childrenHeading(p, u"07"_s, y, vyska, u"Priznaný a vyplatený daňový bonus podľa § 33 zákona"_s,
                      u"- meno, priezvisko dieťaťa,  narodený (á)"_s, u"mesiace"_s);
    for (int k = 1; k <= deti; ++k)
        p.push_back(childRow(k, y + 8 + (k - 1) * 5, m, pz2));
    y += vyska;
    if (pz2) {
        riadok(u"11"_s, u"d) poberateľ čiastočného invalidného dôchodku"_s, {}, {}, {});
        riadok(u"12"_s, u"e) poberateľ invalidného dôchodku"_s, {}, {}, {});
        riadok(u"13"_s, u"- invalidný (čiastočne inavlidný) držiteľ preukazu ŤZP"_s, {}, {}, {});
    }

    y += 3;
    p.push_back(label(u"QRL_dic"_s, {0, y, 30, 4}, u"DIČ platiteľa dane:"_s, kArial8));
    p.push_back(dbText(u"QRDB_DIC"_s, {30, y, 60, 4}, u"QINF_.DIC"_s, kArial9));
    p.push_back(label(u"QRL_platitel"_s, {0, y + 5, 124, 3.5},
                      pz2 ? u"Meno a adresa platiteľa dane:"_s
                          : u"Meno a adresa zamestnávateľa, ktorý je platiteľom dane:"_s,
                      kArial7));
    p.push_back(rectangle(u"QRS_platitel"_s, {0, y + 9, 124, 12}));
    p.push_back(dbText(u"QRDB_NAZOV"_s, {1, y + 10, 122, 4.5}, u"QINF_.NAZOV"_s, kArial9));
    p.push_back(dbText(u"QRDB_CALC_ADRESA"_s, {1, y + 15, 122, 4.5}, u"QINF_.CALC_ADRESA"_s, kArial9));
    contactBlock(p, 0, y + 24);
    signatureBlock(p, 128, y + 5, 62, 34,
           pz2 ? QStringList{u"Podpis a odtlačok"_s, u"pečiatky platiteľa dane"_s}
               : QStringList{u"Podpis a odtlačok pečiatky"_s, u"zamestnávateľa, ktorý je"_s, u"platiteľom dane"_s});

    return LayoutDesc{
        .name = pz2 ? u"TReportPZ2"_s : u"TReportPZ3"_s,
        .title = u"Potvrdenie o príjmoch"_s,
        .previewZoom = 80,
        .bands = {BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = 276, .items = std::move(p)}},
    };
}

TReportPZ3::TReportPZ3() : CertificateReport(FormSheet::PZ3)
{
    // An empty selection shows an empty preview.
    nahlad = PreviewMode::Vzdy;
    assemble(layoutPZ3(false));
}

} // namespace tarix::reports
