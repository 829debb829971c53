#include "reports/recap/rexpoi2.h"

#include "core/helpers/rounding.h"
#include "reports/recap/recap_blocks.h"

#include <cmath>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXPOI2 {

std::array<QString, 3> Rozdel_na_trojice(qint64 suma)
{
    const qint64 m = suma / 1000000;
    const qint64 t = (suma % 1000000) / 1000;
    const qint64 j = suma % 1000;
    std::array<QString, 3> r;
    if (m >= 1)
        r[0] = QString::number(m);
    if (t >= 1 || !r[0].isEmpty())
        r[1] = r[0].isEmpty() ? QString::number(t) : QString::number(t).rightJustified(3, u'0');
    if (j >= 1 || !r[1].isEmpty())
        r[2] = r[1].isEmpty() ? QString::number(j) : QString::number(j).rightJustified(3, u'0');
    return r;
}

std::array<QString, 2> rateInBoxes(double promile)
{
    const double cele = MyConsts::Zaokruhli_sumu(0, MyConsts::Nadol, promile);
    const double stotiny = MyConsts::Zaokruhli_sumu(0, MyConsts::Normal, (promile - cele) * 100);
    return {QString::number(qint64(cele)), QString::number(qint64(stotiny)).rightJustified(2, u'0')};
}

namespace {

using namespace recap;
using rpt::label;

// A row of the three amount boxes M, T, J with "Sk" after them.
void triple(std::vector<rpt::LayoutItem> &d, const QString &k, double y, const QString &popis)
{
    d.push_back(rpt::rectangle(u"QRS_r"_s + k, {0, y, kSirka, 7}));
    d.push_back(label(u"QRL_r"_s + k, {2, y + 1.5, 100, 4}, popis, kArial8));
    const char16_t *skupiny[] = {u"M", u"T", u"J"};
    for (int i = 0; i < 3; ++i) {
        const QString meno = u"QRLab_"_s + QString::fromUtf16(skupiny[i]) + k;
        d.push_back(rpt::rectangle(u"QRS_"_s + meno, {120.0 + i * 20, y + 0.5, 18, 6}));
        d.push_back(filledLabel(meno, {120.5 + i * 20, y + 1.2, 17, 4.5}, kArial9, Qt::AlignHCenter));
    }
    d.push_back(label(u"QRL_sk"_s + k, {181, y + 1.5, 8, 4}, u"Sk"_s, kArial8));
}

} // namespace

rpt::LayoutDesc layoutPOI2()
{
    rpt::LayoutDesc l;
    l.name = u"TReportPOI2"_s;
    l.title = u"Štvrťročný výkaz poistného na poistenie zodpovednosti zamestnávateľa za škodu"_s;
    l.previewZoom = 80;
    std::vector<rpt::LayoutItem> d{
        label(u"QRL_poistovna"_s, {0, 0, 80, 5}, u"SOCIÁLNA POISŤOVŇA"_s, kArial9b),
        label(u"QRL_pobocka"_s, {120, 0, 40, 4}, u"Číslo pobočky"_s, kArial8),
        rpt::rectangle(u"QRS_pobocka"_s, {160, 0, 30, 6}),
        label(u"QRL_nadpis"_s, {0, 8, kSirka, 5},
              u"ŠTVRŤROČNÝ VÝKAZ POISTNÉHO NA POISTENIE ZODPOVEDNOSTI ZAMESTNÁVATEĽA ZA ŠKODU"_s, kArial9b,
              Qt::AlignHCenter),
        label(u"QRL_nadpis2"_s, {0, 13, kSirka, 5}, u"PRI PRACOVNOM ÚRAZE A PRI CHOROBE Z POVOLANIA"_s, kArial9b,
              Qt::AlignHCenter),
        label(u"QRL_za"_s, {20, 21, 70, 4}, u"Výkaz poistenia zodpovednosti za škodu za"_s, kArial8),
        filledLabel(u"QRLab_stvrtrok"_s, {90, 20.5, 8, 5}, kArial9b, Qt::AlignHCenter),
        label(u"QRL_stvrtrok"_s, {99, 21, 16, 4}, u"štvrťrok"_s, kArial8),
        filledLabel(u"QRLab_Rok"_s, {116, 20.5, 14, 5}, kArial9b, Qt::AlignHCenter),
        label(u"QRL_typ"_s, {136, 21, 54, 4}, u"Výkaz :   riadny      opravný"_s, kArial8),
        rpt::rectangle(u"QRS_zam"_s, {0, 28, kSirka, 44}),
        label(u"QRL_zam"_s, {2, 29, 60, 4}, u"Zamestnávateľ"_s, kArial8b),
        label(u"QRL_nazov"_s, {2, 34, 20, 4}, u"Názov"_s, kArial8),
        filledLabel(u"NAZOV"_s, {24, 34, 164, 4.5}, kArial9),
        label(u"QRL_ulica"_s, {2, 40, 20, 4}, u"Ulica"_s, kArial8),
        filledLabel(u"ADR_ULICA"_s, {24, 40, 100, 4.5}, kArial9),
        label(u"QRL_cislo"_s, {128, 40, 14, 4}, u"Číslo"_s, kArial8),
        filledLabel(u"ADR_CISLO"_s, {144, 40, 44, 4.5}, kArial9),
        label(u"QRL_psc"_s, {2, 46, 20, 4}, u"PSČ"_s, kArial8),
        filledLabel(u"ADR_PSC"_s, {24, 46, 30, 4.5}, kArial9),
        label(u"QRL_obec"_s, {60, 46, 14, 4}, u"Obec"_s, kArial8),
        filledLabel(u"ADR_MESTO"_s, {76, 46, 112, 4.5}, kArial9),
        label(u"QRL_ucet"_s, {2, 52, 20, 4}, u"Číslo účtu"_s, kArial8),
        filledLabel(u"CALC_CISLO_U"_s, {24, 52, 60, 4.5}, kArial9),
        label(u"QRL_lomka"_s, {85, 52, 3, 4}, u"/"_s, kArial8),
        filledLabel(u"CALC_BANKA_CISLO"_s, {89, 52, 20, 4.5}, kArial9),
        label(u"QRL_ico"_s, {2, 58, 120, 4}, u"Identifikačné číslo organizácie (IČO) / rodné číslo"_s, kArial8),
        label(u"QRL_ico2"_s, {2, 62, 120, 4}, u"(uvádza sa tiež na príkaze na úhradu)"_s, kArial7),
        filledLabel(u"ICO"_s, {130, 58, 58, 4.5}, kArial9),
        label(u"QRL_okec"_s, {2, 67, 120, 4}, u"Odvetvová klasifikácia ekonomickej činnosti (OKEČ)"_s, kArial8),
        filledLabel(u"OKEC"_s, {130, 67, 58, 4.5}, kArial9),
    };
    double y = 76;
    Riadok(d, u"pocet"_s, y, u"Počet zamestnancov"_s);
    triple(d, {}, y += 8, u"Vymeriavací základ"_s);
    y += 8;
    d.push_back(rpt::rectangle(u"QRS_sadzba"_s, {0, y, kSirka, 11}));
    d.push_back(label(u"QRL_sadzba"_s, {2, y + 1.5, 110, 4}, u"Sadzba poistného vzťahujúca sa na činnosť"_s, kArial8));
    d.push_back(label(u"QRL_sadzba2"_s, {2, y + 5.5, 110, 4}, u"s najvyššou sadzbou poistného"_s, kArial8));
    d.push_back(rpt::rectangle(u"QRS_S1"_s, {140, y + 2.5, 18, 6}));
    d.push_back(filledLabel(u"QRLab_S1"_s, {140.5, y + 3.2, 17, 4.5}, kArial9, Qt::AlignHCenter));
    d.push_back(label(u"QRL_ciarka"_s, {159, y + 3.2, 2, 4.5}, u","_s, kArial9));
    d.push_back(rpt::rectangle(u"QRS_S2"_s, {161, y + 2.5, 18, 6}));
    d.push_back(filledLabel(u"QRLab_S2"_s, {161.5, y + 3.2, 17, 4.5}, kArial9, Qt::AlignHCenter));
    d.push_back(label(u"QRL_promile"_s, {181, y + 3.2, 8, 4.5}, u"‰"_s, kArial9));
    y += 13;
    d.push_back(label(u"QRL_odvod"_s, {0, y, kSirka, 4},
                      u"Odvod poistného za poistenie zodpovednosti zamestnávateľa za škodu"_s, kArial8b));
    triple(d, u"2"_s, y += 5, u"Poistné (2)"_s);
    d.push_back(rpt::rectangle(u"QRS_zvysene"_s, {0, y += 7, kSirka, 7}));
    d.push_back(label(u"QRL_zvysene"_s, {2, y + 1.5, 100, 4}, u"Zvýšené poistné (2)"_s, kArial8));
    d.push_back(label(u"QRL_zvysene_sk"_s, {181, y + 1.5, 8, 4}, u"Sk"_s, kArial8));
    triple(d, u"3"_s, y += 7, u"Poistné spolu"_s);
    y += 12;
    d.push_back(label(u"QRL_zostavil"_s, {0, y, 30, 4}, u"Výkaz zostavil:"_s, kArial8));
    d.push_back(filledLabel(u"QR_Vykaz_Zostavil"_s, {30, y, 90, 4.5}, kArial9));
    d.push_back(label(u"QRL_dna"_s, {0, y += 6, 30, 4}, u"Predložený dňa:"_s, kArial8));
    d.push_back(filledLabel(u"QR_Vykaz_Dna"_s, {30, y, 50, 4.5}, kArial9));
    d.push_back(label(u"QRL_tel"_s, {0, y += 6, 30, 4}, u"Číslo telefónu:"_s, kArial8));
    d.push_back(filledLabel(u"QR_Telefon"_s, {30, y, 50, 4.5}, kArial9));
    d.push_back(label(u"QRL_peciatka"_s, {100, y, 90, 4}, u"Odtlačok pečiatky zamestnávateľa a podpis oprávnenej osoby"_s,
                      kArial7));
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = y + 8,
                                    .items = std::move(d)});
    return l;
}

} // namespace REXPOI2

TReportPOI2::TReportPOI2() : TReportInsurance(true) {}

void TReportPOI2::fillForm()
{
    using recap::setRecapBox;
    // The whole year: a form that printed only its last digit after fixed "200" would
    // show 2010 as 2000.
    setRecapBox(*this, u"QRLab_Rok"_s, QString::number(Param.Obdobie / 100));
    if (!T0_.isEmpty()) {
        const auto t = [&](const char *f) { return T0_.fieldByName(QString::fromLatin1(f)).asString().trimmed(); };
        for (const char *f : {"NAZOV", "ADR_ULICA", "ADR_CISLO", "ADR_PSC", "ADR_MESTO", "ICO", "OKEC"})
            setRecapBox(*this, QString::fromLatin1(f), t(f));
        const QString predcislo = t("PREDCISLO_U");
        setRecapBox(*this, u"CALC_CISLO_U"_s, (predcislo.isEmpty() ? QString() : predcislo + u" - "_s) + t("CISLO_U"));
        setRecapBox(*this, u"CALC_BANKA_CISLO"_s, t("BANKA_U"));
    }
    setRecapBox(*this, u"pocet"_s, QString::number(PoiData.pocet));
    const auto trojica = [&](const QString &k, qint64 suma) {
        const auto r = REXPOI2::Rozdel_na_trojice(suma);
        setRecapBox(*this, u"QRLab_M"_s + k, r[0]);
        setRecapBox(*this, u"QRLab_T"_s + k, r[1]);
        setRecapBox(*this, u"QRLab_J"_s + k, r[2]);
    };
    trojica({}, std::llround(PoiData.n_brutto));
    trojica(u"2"_s, qint64(PoiData.poistne));
    trojica(u"3"_s, qint64(PoiData.poistne));
    const auto s = REXPOI2::rateInBoxes(PoiData.f_poistne);
    setRecapBox(*this, u"QRLab_S1"_s, s[0]);
    setRecapBox(*this, u"QRLab_S2"_s, s[1]);
    setRecapBox(*this, u"QR_Vykaz_Zostavil"_s, Param.Vykaz_zostavil);
    setRecapBox(*this, u"QR_Vykaz_Dna"_s, Param.Den_textom);
    setRecapBox(*this, u"QR_Telefon"_s, Param.Telefon);
}

} // namespace tarix::reports
