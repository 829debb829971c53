#include "reports/settlement/rz2004b.h"

#include "reports/filled_label.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

rpt::LayoutDesc TReportRZ_2004B::reportLayout()
{
    using namespace rpt;
    const FontSpec kArial7{u"Arial"_s, 7};
    const FontSpec kArial8{u"Arial"_s, 8};
    const FontSpec kArial8b{u"Arial"_s, 8, true};
    const FontSpec kArial9b{u"Arial"_s, 9, true};
    constexpr double kSirka = 190;
    // The table's columns: caption, "Dňa", "V sume (Sk)", "Zostatok".
    constexpr double xDna = 100, xSuma = 130, xZostatok = 160;

    std::vector<LayoutItem> v{
        label(u"QRL_strana"_s, {0, 0, kSirka, 4}, u"- 2 -"_s, kArial8, Qt::AlignHCenter),
        label(u"QRL_cast"_s, {0, 6, kSirka, 4.5}, u"III. časť"_s, kArial9b),
    };
    const auto wrapped = [](const QString &name, Box b, const QString &text, const FontSpec &font) {
        ControlDesc c = label(name, b, text, font);
        c.wordWrap = true;
        return c;
    };
    v.push_back(wrapped(u"QRL_vyplni"_s, {0, 11.5, kSirka, 7.5},
                        u"Vyplní  na  žiadosť  zamestnanca  zamestnávateľ, ktorý je platiteľom dane a ktorý vykonal "
                        u"ročné zúčtovanie, ak zamestnanec podáva za toto zdaňovacie obdobie daňové priznanie (§ 39 "
                        u"ods. 6 zákona)."_s,
                        kArial8));
    v.push_back(label(u"QRL_ziadost"_s, {0, 21, kSirka, 4},
                      u"Na základe žiadosti zamestnanca, doručenej dňa ......................., zamestnávateľ, ktorý je"_s,
                      kArial8));
    v.push_back(label(u"QRL_doplna"_s, {0, 25.5, 118, 4},
                      u"platiteľom dane, týmto doplňuje doklad o vykonanom ročnom zúčtovaní za rok"_s, kArial8));
    v.push_back(dbText(u"QRDB_v_rok"_s, {119, 25.5, 12, 4}, u"v_rok"_s, kArial8b, Qt::AlignLeft, u"0"_s));
    v.push_back(label(u"QRL_takto"_s, {132, 25.5, 20, 4}, u"takto:"_s, kArial8));

    double y = 32;
    constexpr double kHlava = 6, kRiadok = 6;
    v.push_back(rectangle(u"QRS_hlava"_s, {0, y, kSirka, kHlava}));
    v.push_back(label(u"QRL_dna_stlpec"_s, {xDna, y + 1, xSuma - xDna, 4}, u"Dňa"_s, kArial8b, Qt::AlignHCenter));
    v.push_back(label(u"QRL_suma_stlpec"_s, {xSuma, y + 1, xZostatok - xSuma, 4}, u"V sume (Sk)"_s, kArial8b,
                      Qt::AlignHCenter));
    v.push_back(label(u"QRL_zostatok_stlpec"_s, {xZostatok, y + 1, kSirka - xZostatok, 4}, u"Zostatok"_s, kArial8b,
                      Qt::AlignHCenter));
    y += kHlava;

    struct Riadok {
        const char *meno;
        const char16_t *popis;
        const char *pole;
        bool xx;       // the fixed "xx" in the "Dňa" column of the two totals
        bool tucne;
    };
    const Riadok riadky[] = {
        {"meno", u"Zamestnancovi (meno a priezvisko)", "TMP", false, true},
        {"zrazene", u"zrazené  v úhrne (z r.10)", "CALC_NEDOPL_DAN", true, true},
        {"zrazene_bonus", u"     - daňový bonus (z r. 08)", "CALC_NEDOPL_BONUS", false, false},
        {"zrazene_nedoplatok", u"     - nedoplatok (z r. 12)", "CALC_NEDOPL_BB", false, false},
        {"vratene", u"vrátené  v úhrne (z r.11)", "CALC_PREPL_DAN", true, true},
        {"vratene_bonus", u"     - daňový bonus (z r. 07)", "CALC_PREPL_BONUS", false, false},
        {"vratene_preplatok", u"     - preplatok (z r. 13)", "CALC_PREPL_BB", false, false},
    };
    for (const Riadok &r : riadky) {
        const QString meno = QString::fromLatin1(r.meno);
        const QString pole = QString::fromLatin1(r.pole);
        v.push_back(rectangle(u"QRS_"_s + meno, {0, y, kSirka, kRiadok}));
        v.push_back(label(u"QRL_"_s + meno, {1, y + 1, xDna - 2, 4}, QString::fromUtf16(r.popis),
                          r.tucne ? kArial8b : kArial8));
        if (pole == u"TMP") {
            // The name reaches over the amount columns.
            v.push_back(dbText(u"QRDB_TMP"_s, {xDna + 1, y + 1, kSirka - xDna - 2, 4}, pole, kArial9b));
        } else {
            v.push_back(verticalLine(u"QRS_dna_"_s + meno, {xDna, y, 0, kRiadok}));
            v.push_back(verticalLine(u"QRS_suma_"_s + meno, {xSuma, y, 0, kRiadok}));
            v.push_back(verticalLine(u"QRS_zostatok_"_s + meno, {xZostatok, y, 0, kRiadok}));
            if (r.xx)
                v.push_back(label(u"QRL_xx_"_s + meno, {xDna, y + 1, xSuma - xDna, 4}, u"xx"_s, kArial8,
                                  Qt::AlignHCenter));
            v.push_back(dbText(u"QRDB_"_s + pole, {xSuma + 1, y + 1, xZostatok - xSuma - 2, 4}, pole, kArial9b,
                               Qt::AlignRight, u",0"_s));
        }
        y += kRiadok;
    }
    y += 6;
    v.push_back(label(u"QRL_v"_s, {0, y, 5, 4}, u"V"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_miesto"_s, {6, y, 60, 4}, kArial9b));
    v.push_back(label(u"QRL_dna"_s, {70, y, 10, 4}, u"Dňa:"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_dna"_s, {81, y, 40, 4}, kArial9b));
    v.push_back(horizontalLine(u"QRS_podpis"_s, {135, y + 10, 55, 0}));
    v.push_back(wrapped(u"QRL_podpis"_s, {135, y + 10.5, 55, 7},
                        u"Podpis a odtlačok pečiatky zamestnávateľa, ktorý je platiteľom dane"_s, kArial7));
    y += 19;

    return LayoutDesc{
        .name = u"TReportRZ_2004B"_s,
        .title = u"Ročné zúčtovanie preddavkov na daň - 2. strana"_s,
        .bands = {BandDesc{.kind = BandKind::Detail,
                           .name = u"DetailBand1"_s,
                           .height = y,
                           .items = std::move(v),
                           .forceNewPage = true}},
    };
}

TReportRZ_2004B::TReportRZ_2004B()
{
    assemble(reportLayout());
}

TReportRZ_2004B::~TReportRZ_2004B() = default;

} // namespace tarix::reports
