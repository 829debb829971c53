// The one-page form of the monthly statement from 2005: the identification sections 1 to 4
// from the firm header, section 5 with a line per fund (employee share, employer share,
// insured employees) and the total, and section 6 with the signatures at the page foot.
#include "reports/social/social_blocks.h"
#include "reports/social/sp2005vy.h"

namespace tarix::reports::SP2005VY {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::label;

rpt::LayoutDesc layoutSP2005VY()
{
    rpt::LayoutDesc l;
    l.name = u"TReportSP2005VY"_s;
    l.title = u"Mesačný výkaz poistného a príspevkov"_s;
    l.previewZoom = 80;
    l.printIfEmpty = false;

    rpt::ControlDesc obdobie = label(u"QR_OBDOBIE"_s, {146, 17.8, 42, 4.5}, {}, kArial9b);
    obdobie.tag = 1;
    rpt::ControlDesc riadny = label(u"QR_RIADNY"_s, {16, 25.8, 4, 4}, {}, kArial9b, Qt::AlignHCenter);
    riadny.tag = 1;
    rpt::ControlDesc opravny = label(u"QR_OPRAVNY"_s, {46, 25.8, 4, 4}, {}, kArial9b, Qt::AlignHCenter);
    opravny.tag = 1;

    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV"_s, kArial12b, Qt::AlignHCenter),
        sectionRow(u"sekcia1"_s, u"*    1. Základná identifikácia"_s, 8),
        Pole(u"Názov zamestnávateľa"_s, u"NAZOV"_s, 0, 14, 100),
        Pole(u"IČZ"_s, u"ICZ"_s, 102, 14, 40),
        label(u"QRL_za_obdobie"_s, {144, 14, 45, 3}, u"za obdobie"_s, kArial6),
        rpt::rectangle(u"QRS_obdobie"_s, {144, 17, 46, 6}),
        obdobie,
        // The kind of statement: ordinary or corrective, and the premium collection.
        label(u"QRL_riadny"_s, {0, 25.8, 14, 4}, u"riadny"_s, kArial7),
        rpt::rectangle(u"QRS_riadny"_s, {15.5, 25.5, 5, 5}),
        riadny,
        label(u"QRL_opravny"_s, {28, 25.8, 16, 4}, u"opravný"_s, kArial7),
        rpt::rectangle(u"QRS_opravny"_s, {45.5, 25.5, 5, 5}),
        opravny,
        label(u"QRL_vyber"_s, {60, 25.8, 30, 4}, u"Výber poistného"_s, kArial7),
        rpt::rectangle(u"QRS_vyber"_s, {91.5, 25.5, 5, 5}),
        sectionRow(u"sekcia2"_s, u"*    2. Identifikácia zamestnávateľa"_s, 33),
        Pole(u"IČO"_s, u"ICO"_s, 0, 39, 50),
        sectionRow(u"sekcia3"_s, u"*    3. Korešpondenčná adresa zamestnávateľa"_s, 51),
        Pole(u"Ulica"_s, u"ADR_ULICA"_s, 0, 57, 100),
        Pole(u"Číslo súpisné/orientačné"_s, u"ADR_CISLO"_s, 102, 57, 40),
        Pole(u"Obec"_s, u"ADR_MESTO"_s, 0, 67, 100),
        Pole(u"PSČ"_s, u"ADR_PSC"_s, 102, 67, 25),
        blank(u"stat"_s, u"Štát"_s, 129, 67, 61),
        Pole(u"Telefón"_s, u"ADR_TELEFON"_s, 0, 77, 50),
        Pole(u"Fax"_s, u"ADR_FAX"_s, 52, 77, 50),
        Pole(u"Email"_s, u"ADR_EMAIL"_s, 104, 77, 86),
        sectionRow(u"sekcia4"_s, u"*    4. Bankový účet zamestnávateľa"_s, 89),
        Pole(u"Názov banky"_s, u"NAZOV_BANKY"_s, 0, 95, 100),
        Pole(u"Číslo účtu"_s, u"CALC_CISLO_UCTU"_s, 102, 95, 88),
        sectionRow(u"sekcia5"_s, u"*    5. Súhrn poistného a príspevkov"_s, 107),
        label(u"QRL_k_uhrade"_s, {0, 114, kSirka, 4.5}, u"Poistné a príspevky k úhrade"_s, kArial8b),
        rpt::Stack{.left = 0,
                   .top = 119,
                   .width = kSirka,
                   .lines = {
                       fundRow(u"NEMOC"_s, u"NP"_s, u"(nemocenské poistenie)"_s, true),
                       fundRow(u"DOCHOD"_s, u"SP a SDS"_s, u"(starobné poistenie a starobné dôchodkové sporenie)"_s, true),
                       fundRow(u"INVALID"_s, u"IP"_s, u"(invalidné poistenie)"_s, true),
                       fundRow(u"FONDZAM"_s, u"PvN"_s, u"(poistenie v nezamestnanosti)"_s, true),
                       fundRow(u"URAZ"_s, u"UP"_s, u"(úrazové poistenie)"_s, false),
                       fundRow(u"GARANCNE"_s, u"GP"_s, u"(garančné poistenie)"_s, false),
                       fundRow(u"REZERVA"_s, u"PRFS"_s, u"(poistenie do rezervného fondu solidarity)"_s, false),
                   }},
        rpt::rectangle(u"QRS_spolu"_s, {0, 189, kSirka, 8}),
        label(u"QRL_spolu"_s, {1, 190.8, 100, 4.5}, u"Poistné a príspevky spolu"_s, kArial9b),
        label(u"LP_SPOLU"_s, {111, 190.8, 33, 4.5}, {}, kArial9b, Qt::AlignRight),
        label(u"QRL_SkSpolu"_s, {145, 190.8, 6, 4.5}, u"Sk"_s, kArial7),
    };
    for (rpt::LayoutItem &i : hlava)
        if (auto *c = std::get_if<rpt::ControlDesc>(&i); c && c->name == u"LP_SPOLU")
            c->tag = 1;

    std::vector<rpt::LayoutItem> pata{
        sectionRow(u"sekcia6"_s, u"*    6. Podpisy a odtlačky pečiatok"_s, 0),
        blank(u"vyplnil"_s, u"Formulár vyplnil:"_s, 0, 7, 90),
        blank(u"strany"_s, u"Počet strán prílohy"_s, 92, 7, 30),
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

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 199,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageFooter, .name = u"PageFooterBand1"_s, .height = 44,
                                    .items = std::move(pata)});
    return l;
}

} // namespace tarix::reports::SP2005VY
