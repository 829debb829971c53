// The annex form from 2005: section 1 with the employer's identification and the period
// at the head of every page, eight employee boxes of three lines (identification and
// days, sickness and old-age, invalidity, unemployment and accident), and section 3 with
// the signatures and the page number at the foot of every page.
#include "reports/social/social_blocks.h"
#include "reports/social/sp2005pr.h"

namespace tarix::reports::SP2005PR {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::label;

namespace {

const rpt::FontSpec kNarrow6{u"Arial Narrow"_s, 6};

// The page's parts: the head, one employee's box and the foot. Eight boxes fit between
// head and foot, a ninth does not, so every page holds eight employees.
constexpr double kHlava = 41;
constexpr double kRiadok = 23;
constexpr double kPata = 44;
constexpr double kBunka = 7;   // one caption with its value

struct Bunka {
    const char16_t *popis;
    const char16_t *pole;     // a field of the employee's record, empty: the running number
    double sirka;
    bool suma;                // an amount, followed by "Sk"
};

// Caption over a framed value at (x, y).
void cell(std::vector<rpt::LayoutItem> &items, const Bunka &b, double x, double y)
{
    const QString pole = QString::fromUtf16(b.pole);
    const QString meno = pole.isEmpty() ? u"poradie"_s : pole;
    items.push_back(label(u"QRL_"_s + meno, {x + 0.5, y + 0.2, b.sirka - 1, 2.6}, QString::fromUtf16(b.popis), kNarrow6));
    items.push_back(rpt::rectangle(u"QRS_"_s + meno, {x, y + 2.8, b.sirka, 4.2}));
    const double w = b.suma ? b.sirka - 6 : b.sirka - 2;
    const Qt::Alignment a = b.suma || pole.isEmpty() ? Qt::AlignRight : Qt::AlignLeft;
    if (pole.isEmpty())
        items.push_back(rpt::sysData(u"QRSysData_poradie"_s, {x + 1, y + 3.1, w, 3.6}, rpt::SysDataKind::DetailNumber,
                                     kArial8, {}, a));
    else
        items.push_back(rpt::dbText(u"QRDB_"_s + pole, {x + 1, y + 3.1, w, 3.6}, pole, kArial8, a,
                                    b.suma ? u"0"_s : QString()));
    if (b.suma)
        items.push_back(label(u"QRL_Sk_"_s + pole, {x + b.sirka - 5, y + 3.4, 4.5, 3}, u"Sk"_s, kArial6));
}

void riadok(std::vector<rpt::LayoutItem> &items, std::initializer_list<Bunka> bunky, double y)
{
    double x = 0;
    for (const Bunka &b : bunky) {
        cell(items, b, x, y);
        x += b.sirka;
    }
}

} // namespace

rpt::LayoutDesc layoutSP2005PR()
{
    rpt::LayoutDesc l;
    l.name = u"TReportSP2005PR"_s;
    l.title = u"Mesačný výkaz poistného a príspevkov - príloha"_s;
    l.previewZoom = 80;
    l.printIfEmpty = true;

    rpt::ControlDesc obdobie = label(u"QR_OBDOBIE"_s, {146, 27.8, 42, 4.5}, {}, kArial9b);
    obdobie.tag = 1;
    rpt::ControlDesc riadny = label(u"QR_RIADNY"_s, {16, 27.8, 4, 4}, {}, kArial9b, Qt::AlignHCenter);
    riadny.tag = 1;
    rpt::ControlDesc opravny = label(u"QR_OPRAVNY"_s, {46, 27.8, 4, 4}, {}, kArial9b, Qt::AlignHCenter);
    opravny.tag = 1;

    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV - príloha"_s, kArial12b,
              Qt::AlignHCenter),
        sectionRow(u"sekcia1"_s, u"*    1. Identifikácia zamestnávateľa"_s, 8),
        Pole(u"Názov zamestnávateľa"_s, u"Q1_.NAZOV"_s, 0, 14, 100),
        Pole(u"IČO"_s, u"Q1_.ICO"_s, 102, 14, 40),
        Pole(u"IČZ"_s, u"Q1_.ICZ"_s, 144, 14, 46),
        label(u"QRL_riadny"_s, {0, 27.8, 14, 4}, u"riadny"_s, kArial7),
        rpt::rectangle(u"QRS_riadny"_s, {15.5, 27.5, 5, 5}),
        riadny,
        label(u"QRL_opravny"_s, {28, 27.8, 16, 4}, u"opravný"_s, kArial7),
        rpt::rectangle(u"QRS_opravny"_s, {45.5, 27.5, 5, 5}),
        opravny,
        label(u"QRL_vyber"_s, {60, 27.8, 30, 4}, u"Výber poistného"_s, kArial7),
        rpt::rectangle(u"QRS_vyber"_s, {91.5, 27.5, 5, 5}),
        label(u"QRL_za_obdobie"_s, {122, 27.8, 21, 4}, u"za obdobie"_s, kArial7, Qt::AlignRight),
        rpt::rectangle(u"QRS_obdobie"_s, {144, 26.5, 46, 6}),
        obdobie,
        sectionRow(u"sekcia2"_s, u"*    2. Zoznam zamestnancov, vymeriavacie základy a odvedené poistné a príspevky"_s, 35),
    };

    std::vector<rpt::LayoutItem> box{rpt::rectangle(u"QRS_zamestnanec"_s, {0, 0.8, kSirka, 3 * kBunka})};
    riadok(box,
           {{u"Por. číslo", u"", 16, false},
            {u"Rodné číslo", u"CALC_BORN_NUMB", 34, false},
            {u"Počet nezaopat. detí", u"poc_nezaop_deti", 35, false},
            {u"Počet kal. dní", u"v_dni", 35, false},
            {u"Poistné na IP neplatí", u"CALC_U_INVALID", 35, false},
            {u"Poistné na PvN neplatí", u"CALC_U_FONDZAM", 35, false}},
           0.8);
    riadok(box,
           {{u"Vym. základ pre NP", u"n_zaklad_np", 30, true},
            {u"NP zamestnávateľ", u"oz_nemoc", 30, true},
            {u"NP zamestnanec", u"o_nemoc", 30, true},
            {u"Vym. základ pre SP,SDS, IP a PvN", u"n_zaklad_dp", 40, true},
            {u"SP a SDS zamestnávateľ", u"oz_dochod", 30, true},
            {u"SP zamestnanec", u"o_dochod", 30, true}},
           0.8 + kBunka);
    riadok(box,
           {{u"IP zamestnávateľ", u"oz_invalid", 30, true},
            {u"IP zamestnanec", u"o_invalid", 30, true},
            {u"PvN zamestnávateľ", u"oz_fondzam", 30, true},
            {u"PvN zamestnanec", u"o_fondzam", 30, true},
            {u"Vym. základ pre UP", u"n_zaklad_up", 40, true},
            {u"UP zamestnávateľ", u"oz_uraz", 30, true}},
           0.8 + 2 * kBunka);

    std::vector<rpt::LayoutItem> pata{
        sectionRow(u"sekcia3"_s, u"*    3. Podpisy a odtlačky pečiatok"_s, 0),
        blank(u"vyplnil"_s, u"Formulár vyplnil:"_s, 0, 7, 90),
        label(u"QRL_cislo_strany"_s, {92, 7, 30, 3}, u"Číslo strany"_s, kArial6),
        rpt::rectangle(u"QRS_cislo_strany"_s, {92, 10, 30, 6}),
        rpt::sysData(u"QRSysData_strana"_s, {93, 10.8, 28, 4.5}, rpt::SysDataKind::PageNumber, kArial9, {},
                     Qt::AlignHCenter),
        blank(u"datum_vyplnenia"_s, u"Dátum vyplnenia formulára"_s, 124, 7, 32),
        blank(u"datum_prijatia"_s, u"Dátum prijatia formulára"_s, 158, 7, 32),
        rpt::rectangle(u"QRS_podpis1"_s, {0, 18, 93, 24}),
        label(u"QRL_podpis1"_s, {1, 34, 91, 3.5}, u"Podpis a odtlačok pečiatky"_s, kArial7, Qt::AlignHCenter),
        label(u"QRL_podpis1b"_s, {1, 37.5, 91, 3.5}, u"zamestnávateľa alebo registrujúcej FO"_s, kArial7,
              Qt::AlignHCenter),
        rpt::rectangle(u"QRS_podpis2"_s, {97, 18, 93, 24}),
        label(u"QRL_podpis2"_s, {98, 34, 91, 3.5}, u"Podpis a odtlačok pečiatky"_s, kArial7, Qt::AlignHCenter),
        label(u"QRL_podpis2b"_s, {98, 37.5, 91, 3.5}, u"Sociálnej poisťovne"_s, kArial7, Qt::AlignHCenter),
    };

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = kHlava,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = kRiadok,
                                    .items = std::move(box)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageFooter, .name = u"PageFooterBand1"_s, .height = kPata,
                                    .items = std::move(pata)});
    return l;
}

} // namespace tarix::reports::SP2005PR
