// The payslip layouts as descriptions: the blocks they share, then each layout, column by
// column, top to bottom.
//
// A payslip is one detail band: the head (firm, period, employee), then three or four
// columns of lines under their heads, each line a caption with its value at the column's
// right edge (or a first value, a rate or days, before it). The line blocks are drawn for
// a column of four (47.5 mm) and stretch to the wider columns of three. The band is as
// tall as its longest column; the frame and the column rules follow it.
#include "platform/report/description.h"
#include "reports/dispatcher.h"
#include "reports/payslips/report_payslip.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using rpt::BlockUse;

namespace {

// Geometry (millimetres): the band is the page inside the margins.
constexpr double kSirka = 190;
constexpr double kColumn4 = kSirka / 4;  // the column the line blocks are drawn for
constexpr double kColumn3 = kSirka / 3;
constexpr double kRiadok = 3.5;          // one line of a column
constexpr double kColumnHeads = 22;      // top of the column heads
constexpr double kFirstLine = 27;        // top of the first line
constexpr double kBelowLines = 1.5;      // below the longest column, inside the frame
constexpr double kMedzera = 4;           // space between payslips on one page
constexpr double kValueLeft = 29.5;      // left of a value in a column of four
constexpr double kFirstValueLeft = 18;   // left of a first value

const rpt::FontSpec kArial6{u"Arial"_s, 6};
const rpt::FontSpec kArial8{u"Arial"_s, 8};
const rpt::FontSpec kArial8b{u"Arial"_s, 8, true};
const rpt::FontSpec kArial9b{u"Arial"_s, 9, true};
const rpt::FontSpec kNarrow6{u"Arial Narrow"_s, 6};
const rpt::FontSpec kNarrow7{u"Arial Narrow"_s, 7};
const rpt::FontSpec kNarrow7b{u"Arial Narrow"_s, 7, true};

const QString kMzdoveNalezitosti = u"Mzdové náležitosti"_s;
const QString kMzdovaZlozka = u"Mzdová zložka"_s;
const QString kSumaSk = u"Suma Sk"_s;

constexpr unsigned kStretching = rpt::kAnchorLeft | rpt::kAnchorRight | rpt::kAnchorTop;
constexpr unsigned kAtRight = rpt::kAnchorRight | rpt::kAnchorTop;

// ---- lines -----------------------------------------------------------------------------------

BlockUse use(const QString &name) { return {.block = name}; }

// Caption and value.
BlockUse plain(const QString &text, const QString &pole)
{
    return {.block = u"line"_s, .args = {{u"text"_s, text}, {u"field"_s, pole}}};
}

// Caption, a first value (rate, days, hours) and the amount.
BlockUse dots(const QString &text, const QString &pole1, const QString &pole2)
{
    return {.block = u"twoValues"_s, .args = {{u"text"_s, text}, {u"field1"_s, pole1}, {u"field2"_s, pole2}}};
}

// Two captions with a value each, side by side.
BlockUse labelPair(const QString &text1, const QString &pole1, const QString &text2, const QString &pole2)
{
    return {.block = u"pair"_s,
            .args = {{u"text1"_s, text1}, {u"field1"_s, pole1}, {u"text2"_s, text2}, {u"field2"_s, pole2}}};
}

// A heading over the column, and three headings over a caption and its two values.
BlockUse N(const QString &text) { return {.block = u"heading"_s, .args = {{u"text"_s, text}}}; }
BlockUse N3(const QString &a, const QString &b, const QString &c)
{
    return {.block = u"threeHeadings"_s, .args = {{u"text"_s, a}, {u"text1"_s, b}, {u"text2"_s, c}}};
}

// A firm-defined surcharge: its caption comes from the firm header when the data open.
BlockUse surchargeRow(int cislo) { return {.block = u"surcharge"_s, .args = {{u"n"_s, QString::number(cislo)}}}; }

// The field of a line of caption and value.
QString fieldOf(const BlockUse &riadok)
{
    for (const auto &[key, value] : riadok.args)
        if (key == u"field")
            return value;
    return {};
}

// A line of caption and value printed bold.
BlockUse boldFont(BlockUse riadok)
{
    const QString pole = fieldOf(riadok);
    riadok.patches.push_back({.name = u"QRLAB_"_s + pole, .font = kNarrow7b});
    riadok.patches.push_back({.name = u"QRDB_"_s + pole, .font = kNarrow7b});
    return riadok;
}

// A long caption in a smaller font, so that it keeps to its line.
BlockUse small(BlockUse riadok)
{
    riadok.patches.push_back({.name = u"QRLAB_"_s + fieldOf(riadok), .font = kNarrow6});
    return riadok;
}

rpt::Block lines(const QString &name, std::vector<BlockUse> riadky)
{
    return {.name = name, .items = {rpt::Stack{.lines = std::move(riadky)}}};
}

// ---- columns ---------------------------------------------------------------------------------

// The rule left of column n (from the second on) at x.
BlockUse columnRule(int n, double x)
{
    return {.block = u"columnRule"_s, .place = {x, kColumnHeads}, .args = {{u"n"_s, QString::number(n)}}};
}

// The heads of column n: over the captions and over the values.
BlockUse columnHead(int n, double x, double sirka, const QString &text, const QString &textSumy)
{
    return {.block = u"columnHead"_s,
            .place = {x, kColumnHeads, sirka},
            .args = {{u"n"_s, QString::number(n)}, {u"text"_s, text}, {u"sumText"_s, textSumy}}};
}

rpt::Stack column(double x, double sirka, std::vector<BlockUse> riadky)
{
    return {.left = x, .top = kFirstLine, .width = sirka, .lines = std::move(riadky)};
}

// A payslip layout: one detail band of the items, closed by the frame, as tall as its
// longest column.
rpt::LayoutDesc payslip(const QString &name, std::vector<rpt::LayoutItem> items)
{
    rpt::LayoutDesc l;
    l.name = name;
    l.title = u"Výplatné pásky"_s;
    l.page.orientation = rpt::Orientation::Portrait;
    l.page.leftMargin = l.page.rightMargin = 10;
    l.page.topMargin = l.page.bottomMargin = 10;
    l.previewZoom = 100;
    l.printIfEmpty = false;
    items.push_back(use(u"frame"_s));
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail,
                                    .name = u"DetailBand1"_s,
                                    .fitBelow = kBelowLines + kMedzera,
                                    .items = std::move(items)});
    return l;
}

rpt::BlockLibrary makeLibrary()
{
    using rpt::dbText;
    using rpt::label;
    rpt::BlockLibrary k;
    k.blocks = {
        // The head: the firm, the period and the employee on the left; centre, numbers on
        // the right.
        {.name = u"head"_s,
         .items =
             {
                 dbText(u"QRDB_CALC_FIRMA"_s, {2, 1.5, 124, 4.5}, u"CALC_FIRMA"_s, kArial8),
                 dbText(u"QRDB_CALC_OBDOBIE"_s, {2, 6.5, 124, 4.5}, u"CALC_OBDOBIE"_s, kArial8b),
                 dbText(u"QRDB_CALC_TMP"_s, {2, 11.5, 124, 4.5}, u"CALC_TMP"_s, kArial9b),
                 dbText(u"QRDB_CALC_STREDISKO"_s, {128, 1.5, 60, 4.5}, u"CALC_STREDISKO"_s, kArial8),
                 dbText(u"QRDB_CALC_OS_CISLO"_s, {128, 6.5, 60, 4.5}, u"CALC_OS_CISLO"_s, kArial8),
                 dbText(u"QRDB_CALC_RODNE_CISLO"_s, {128, 11.5, 60, 4.5}, u"CALC_RODNE_CISLO"_s, kArial8),
                 label(u"QRLAB_program"_s, {128, 16.5, 60, 3.5}, u" Generované programom TARIX Personalistika a Mzdy  "_s,
                       kArial6),
                 rpt::horizontalLine(u"QRSHAPE_hlava"_s, {0, kColumnHeads - 0.5, kSirka, 0}),
             }},
        // The line under the column heads and the frame round the payslip.
        {.name = u"frame"_s,
         .items =
             {
                 rpt::horizontalLine(u"QRSHAPE_stlpce"_s, {0, kFirstLine - 0.75, kSirka, 0}),
                 rpt::rectangle(u"QRSHAPE_ramik"_s, {0, 0, kSirka, 0}).reachingBandBottom(kMedzera),
             }},
        {.name = u"columnRule"_s,
         .items = {rpt::verticalLine(u"QRSHAPE_stlpec{n}"_s, {0, -0.5, 0, 0}).reachingBandBottom(kMedzera)}},
        {.name = u"columnHead"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_hlavicka{n}"_s, {1, 0, 28.5, 4}, u"{text}"_s, kNarrow7b).anchored(kStretching),
                 label(u"QRLAB_hlavicka_sumy{n}"_s, {kValueLeft, 0, 17, 4}, u"{sumText}"_s, kNarrow7b, Qt::AlignRight)
                     .anchored(kAtRight),
             }},

        // ---- the kinds of line -------------------------------------------------------------
        {.name = u"line"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_{field}"_s, {1, 0, 28, kRiadok}, u"{text}"_s, kNarrow7).anchored(kStretching),
                 dbText(u"QRDB_{field}"_s, {kValueLeft, 0, 17, kRiadok}, u"{field}"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
             }},
        {.name = u"twoValues"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_{field2}"_s, {1, 0, 16.5, kRiadok}, u"{text}"_s, kNarrow7).anchored(kStretching),
                 dbText(u"QRDB_{field1}"_s, {kFirstValueLeft, 0, 11, kRiadok}, u"{field1}"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
                 dbText(u"QRDB_{field2}"_s, {kValueLeft, 0, 17, kRiadok}, u"{field2}"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
             }},
        // Only in columns of four: each half of the column a caption and its value.
        {.name = u"pair"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_{field1}"_s, {1, 0, 10.75, kRiadok}, u"{text1}"_s, kNarrow7),
                 dbText(u"QRDB_{field1}"_s, {11.75, 0, 11, kRiadok}, u"{field1}"_s, kNarrow7, Qt::AlignRight),
                 label(u"QRLAB_{field2}"_s, {24.75, 0, 10.75, kRiadok}, u"{text2}"_s, kNarrow7),
                 dbText(u"QRDB_{field2}"_s, {35.5, 0, 11, kRiadok}, u"{field2}"_s, kNarrow7, Qt::AlignRight),
             }},
        {.name = u"heading"_s,
         .width = kColumn4,
         .items = {label(u"QRLAB_nadpis"_s, {1, 0, 45.5, kRiadok}, u"{text}"_s, kNarrow7b).anchored(kStretching)}},
        {.name = u"threeHeadings"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_nadpis"_s, {1, 0, 16.5, kRiadok}, u"{text}"_s, kNarrow7b).anchored(kStretching),
                 label(u"QRLAB_nadpis"_s, {kFirstValueLeft, 0, 11, kRiadok}, u"{text1}"_s, kNarrow7b, Qt::AlignRight)
                     .anchored(kAtRight),
                 label(u"QRLAB_nadpis"_s, {kValueLeft, 0, 17, kRiadok}, u"{text2}"_s, kNarrow7b, Qt::AlignRight)
                     .anchored(kAtRight),
             }},
        // The supplements: the caption comes from TRX.INI when the data open.
        {.name = u"supplements"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_doplatky"_s, {1, 0, 28, kRiadok}, u"Doplatky"_s, kNarrow7).anchored(kStretching),
                 dbText(u"QRDB_N_doplatok"_s, {kValueLeft, 0, 17, kRiadok}, u"N_doplatok"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
             }},
        {.name = u"surcharge"_s,
         .width = kColumn4,
         .items =
             {
                 label(u"QRLAB_priplatok{n}"_s, {1, 0, 16.5, kRiadok}, {}, kNarrow7).anchored(kStretching),
                 dbText(u"QRDB_Vh_priplat{n}"_s, {kFirstValueLeft, 0, 11, kRiadok}, u"Vh_priplat{n}"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
                 dbText(u"QRDB_Vp_priplat{n}"_s, {kValueLeft, 0, 17, kRiadok}, u"Vp_priplat{n}"_s, kNarrow7, Qt::AlignRight)
                     .anchored(kAtRight),
             }},

        // ---- lines several layouts print alike ---------------------------------------------
        // The employee's contributions (the 2004 layouts call the unemployment line "Fond zam.").
        lines(u"employeeContributions"_s,
               {
                   dots(u"Zdrav.poist."_s, u"F_zdravot"_s, u"O_zdravot"_s),
                   dots(u"Nemoc.poist."_s, u"F_nemoc"_s, u"O_nemoc"_s),
                   dots(u"Starobné.poist."_s, u"F_dochod"_s, u"O_dochod"_s),
                   dots(u"Poist.v nezam."_s, u"F_fondz"_s, u"O_fondzam"_s),
                   dots(u"Invalidné poist."_s, u"F_invalid"_s, u"O_invalid"_s),
               }),
        // The employer's contributions from 2005, "Zdrav.poist." to "SDS II.pilier DSS",
        // after the wages they are computed from.
        lines(u"labourCost2005"_s,
               {
                   plain(u"Mzda vrátane náhrad"_s, u"CALC_N_mzda_a_nahrady"_s),
                   dots(u"Zdrav.poist."_s, u"Fz_zdravot"_s, u"CALC_Oz_zdravot"_s),
                   dots(u"Nemoc.poist."_s, u"Fz_nemoc"_s, u"Oz_nemoc"_s),
                   dots(u"Starobné.poist."_s, u"CALC_Fz_dochod"_s, u"CALC_Oz_dochod"_s),
                   dots(u"Invalidné poist."_s, u"Fz_invalid"_s, u"Oz_invalid"_s),
                   dots(u"Poist.v nezam."_s, u"Fz_fondz"_s, u"Oz_fondzam"_s),
                   plain(u"Garančné poist."_s, u"Oz_garancne"_s),
                   plain(u"Úrazové poist."_s, u"Oz_uraz"_s),
                   plain(u"Poist.do RFS"_s, u"Oz_rezerva"_s),
                   dots(u"SDS II.pilier DSS"_s, u"CALC_Fz_sds"_s, u"CALC_Oz_sds"_s),
               }),
        // The tax lines of the first column, "Ost.položky zvyš.daň" to the holiday.
        lines(u"taxLines"_s,
               {
                   plain(u"Ost.položky zvyš.daň"_s, u"Zvys_ostatne"_s),
                   plain(u"Čiast.základ dane"_s, u"D_ciastzd"_s),
                   plain(u"Nezd.č. na daňovníka"_s, u"Nc_minimum"_s),
                   plain(u"Daňový bonus na dieťa"_s, u"D_bonus_cerpany"_s),
                   plain(u"Zrážky z čistej mzdy"_s, u"CALC_ZRAZKY"_s),
                   plain(u"Dovolenka nárok/čerp."_s, u"CALC_DOVOLENKA"_s),
               }),
        lines(u"taxAndHealthBases"_s,
               {
                   plain(u"Základ dane -preddav."_s, u"D_zdanmzda1"_s),
                   plain(u"Základ dane - zrážky"_s, u"D_zdanmzda2"_s),
                   plain(u"Základ zdrav.poist."_s, u"N_zaklad_zp"_s),
               }),
        lines(u"bases2005"_s,
               {
                   use(u"taxAndHealthBases"_s),
                   plain(u"Celk.príjem-zdrav.poist."_s, u"N_prijem_zp"_s),
                   plain(u"Základ nemoc.poist."_s, u"N_zaklad_np"_s),
                   plain(u"Základ SP, IP, PvN"_s, u"N_zaklad_dp"_s),
                   plain(u"Kód zdrav. poisť."_s, u"KZP"_s),
                   use(u"employeeContributions"_s),
               }),
        lines(u"bases2004"_s,
               {
                   use(u"taxAndHealthBases"_s),
                   plain(u"Základ nemoc.poist."_s, u"N_zaklad_np"_s),
                   plain(u"Základ starobné.poist."_s, u"N_zaklad_dp"_s),
                   plain(u"Základ fond zamest."_s, u"N_zaklad_fz"_s),
                   plain(u"Základ invalidné poist."_s, u"N_zaklad_ip"_s),
                   plain(u"Kód zdrav. poisť."_s, u"KZP"_s),
                   {.block = u"employeeContributions"_s,
                    .patches = {{.name = u"QRLAB_O_fondzam"_s, .text = u"Fond zam."_s}}},
               }),
        lines(u"basicWage"_s,
               {
                   plain(u"Mzda základná"_s, u"N_zakladna"_s),
                   plain(u"Mzdové príplatky"_s, u"N_priplat"_s),
                   plain(u"Výkonová mzda"_s, u"N_ukolova"_s),
               }),
        // Holiday, public holidays and the other compensations of wages.
        lines(u"compensations"_s,
               {
                   plain(u"Priem.zárobok dov."_s, u"V_priemer1"_s),
                   dots(u"Náhr. dovolenka"_s, u"V_holiday"_s, u"N_holiday"_s),
                   dots(u"Náhr. za sviatky"_s, u"V_sviatok"_s, u"N_sviatok"_s),
                   plain(u"Náhrada mzdy"_s, u"N_nahrada"_s),
                   plain(u"Náhrada za neprac."_s, u"N_nemohol"_s),
                   plain(u"Den.vym.zákl.náhr.PN"_s, u"V_priemer2"_s),
                   plain(u"Náhrada príjmu PN"_s, u"N_nahrada_pn"_s),
               }),
        lines(u"sicknessBenefits2004"_s,
               {
                   plain(u"Denný vymer.zákl.PN"_s, u"Cista_denna_mzda"_s),
                   dots(u"Nemoc.dávky"_s, u"V_pn"_s, u"N_pn"_s),
                   dots(u"Ošetrovné"_s, u"V_ocr12"_s, u"CALC_OCR"_s),
               }),
        lines(u"familyBenefits"_s,
               {
                   plain(u"Materský príspevok"_s, u"Nd_materska"_s),
                   plain(u"Rodičovský príspevok"_s, u"Nd_rodic"_s),
                   plain(u"Prídavky na deti"_s, u"Nd_pridavky"_s),
                   plain(u"Iné nemoc.dávky"_s, u"Nd_ine"_s),
               }),
        lines(u"supplementaryPension"_s,
               {
                   plain(u"DDP zamestnanec"_s, u"N_ddp"_s),
                   plain(u"DDP zamestnávateľ"_s, u"Nz_ddp"_s),
               }),
        // Severance pay, the supplements and the tax of the full layouts.
        lines(u"taxFull"_s,
               {
                   plain(u"Odstupné"_s, u"N_odstupne"_s),
                   use(u"supplements"_s),
                   plain(u"Daň preddavky"_s, u"D_preddavok"_s),
                   plain(u"Daň zrážky"_s, u"D_dan"_s),
                   plain(u"Prepl./nedoplatok dane"_s, u"D_vyrovnanie"_s),
               }),
        // The deductions paid on to others.
        lines(u"thirdPartyDeductions"_s,
               {
                   plain(u"Poisťovňa"_s, u"Ne_poistovna"_s),
                   plain(u"Splácanie pôžičky"_s, u"Ne_pozicky"_s),
                   plain(u"Ostatné zrážky"_s, u"Ne_exekucia"_s),
               }),
        // The deductions of the month, "Stravné" to "Ostatné zrážky".
        lines(u"deductions"_s,
               {
                   plain(u"Stravné"_s, u"Ne_stravne"_s),
                   plain(u"Odborársky príspevok"_s, u"Ne_odborar"_s),
                   use(u"thirdPartyDeductions"_s),
               }),
        // Severance pay to the deductions in the short layouts.
        lines(u"taxAndDeductionsShort"_s,
               {
                   plain(u"Odstupné"_s, u"N_odstupne"_s),
                   use(u"supplements"_s),
                   plain(u"Preddavok dane"_s, u"D_preddavok"_s),
                   plain(u"Prepl./nedoplatok dane"_s, u"D_vyrovnanie"_s),
                   plain(u"Záloha"_s, u"Ne_zaloha"_s),
                   use(u"thirdPartyDeductions"_s),
               }),
        // The closing lines of the full layouts: labour cost, income, net pay and the payout.
        lines(u"closingFull"_s,
               {
                   boldFont(plain(u"Celková cena práce"_s, u"CALC_CENA_PRACE"_s)),
                   plain(u"Úhrn príjmov"_s, u"N_brutto"_s),
                   plain(u"Čistý príjem"_s, u"N_netto"_s),
                   plain(u"Záloha"_s, u"Ne_zaloha"_s),
                   plain(u"Na osobný účet"_s, u"Sporenie"_s),
                   boldFont(plain(u"K výplate"_s, u"Vyplata"_s)),
               }),
        // The closing lines of the short layouts: the payout, income, days and pension saving.
        lines(u"closingShort"_s,
               {
                   plain(u"Vyplatené na účet"_s, u"Sporenie"_s),
                   boldFont(plain(u"Vyplatené v hotovosti"_s, u"Vyplata"_s)),
                   plain(u"Hrubý príjem"_s, u"N_brutto"_s),
                   plain(u"Čistý príjem"_s, u"N_netto"_s),
                   plain(u"Počet prac.dní"_s, u"V_fmes"_s),
                   plain(u"Počet odprac.dní"_s, u"V_den"_s),
                   plain(u"Dni - neplat.voľno"_s, u"V_nepl_volno"_s),
                   use(u"supplementaryPension"_s),
               }),
        lines(u"hours"_s,
               {
                   plain(u"Hodinová sadzba"_s, u"V_sadzba"_s),
                   plain(u"Hod.odpracované"_s, u"V_hodina"_s),
                   plain(u"Hod.neprítomnosť"_s, u"Vh_nahrada"_s),
                   plain(u"Hod.nepracoval"_s, u"Vh_nemohol"_s),
               }),
        // The surcharges by hours and amount, the firm's own five at the end.
        lines(u"surchargeTable"_s,
               {
                   N3(u"Príplatky"_s, u"Hodiny"_s, u"Suma"_s),
                   dots(u"nadčas"_s, u"Vh_nadcas"_s, u"Vp_nadcas"_s),
                   dots(u"sviatok"_s, u"Vh_sviatok"_s, u"Vp_sviatok"_s),
                   dots(u"sobota"_s, u"Vh_sobota"_s, u"Vp_sobota"_s),
                   dots(u"nedeľa"_s, u"Vh_nedela"_s, u"Vp_nedela"_s),
                   dots(u"noc"_s, u"Vh_noc"_s, u"Vp_noc"_s),
                   dots(u"škodl."_s, u"Vh_skod"_s, u"Vp_skod"_s),
                   surchargeRow(1),
                   surchargeRow(2),
                   surchargeRow(3),
                   surchargeRow(4),
                   surchargeRow(5),
               }),
        // The time column of the full layouts of 2004 and from 2005.
        lines(u"time"_s,
               {
                   plain(u"Počet prac.dní"_s, u"V_fmes"_s),
                   plain(u"Počet odprac.dní"_s, u"V_den"_s),
                   plain(u"Dni - absencia"_s, u"V_absencia"_s),
                   plain(u"Dni - neplat.voľno"_s, u"V_nepl_volno"_s),
                   small(plain(u"Kal.dni - za ktoré neplatí poistenie"_s, u"V_nepoisteny"_s)),
                   use(u"hours"_s),
                   use(u"surchargeTable"_s),
               }),
    };
    return k;
}

} // namespace

namespace payslip_layouts {

const rpt::BlockLibrary &payslipBlocks()
{
    static const rpt::BlockLibrary k = makeLibrary();
    return k;
}

// ---- from 2005 -------------------------------------------------------------------------------

rpt::LayoutDesc layoutVP2005A()
{
    constexpr double w = kColumn4;
    return payslip(u"TReportVP2005A"_s,
                 {
                     use(u"head"_s),
                     columnHead(1, 0 * w, w, kMzdoveNalezitosti, kSumaSk),
                     column(0 * w, w,
                            {
                                plain(u"Doh. mesačná mzda"_s, u"MV_plat"_s),
                                plain(u"Úväzok v hodinách"_s, u"F_doba"_s),
                                plain(u"Zvýš.dane/použ.auta"_s, u"Pouz_auto"_s),
                                use(u"taxLines"_s),
                                use(u"bases2005"_s),
                                use(u"basicWage"_s),
                            }),
                     columnRule(2, 1 * w),
                     columnHead(2, 1 * w, w, kMzdovaZlozka, kSumaSk),
                     column(1 * w, w,
                            {
                                plain(u"Prémie"_s, u"N_premie"_s),
                                plain(u"Odmeny"_s, u"N_odmeny"_s),
                                plain(u"Odm.členov št.orgánov"_s, u"N_clenovia_organov"_s),
                                plain(u"Náhr. za prac.pohot."_s, u"N_pohotovost"_s),
                                plain(u"Príjmy mimo poistného"_s, u"N_mimo_poistne"_s),
                                plain(u"Prepl./nedopl. zdrav.p."_s, u"Vyrovnanie_zp"_s),
                                plain(u"Poistné spolu"_s, u"N_poist"_s),
                                use(u"compensations"_s),
                                use(u"supplementaryPension"_s),
                                plain(u"Dohody o vyk.práce"_s, u"N_dohody_ovp"_s),
                                plain(u"Prísp. zo soc.fondu"_s, u"N_socfond"_s),
                                use(u"taxFull"_s),
                            }),
                     columnRule(3, 2 * w),
                     columnHead(3, 2 * w, w, kMzdovaZlozka, kSumaSk),
                     column(2 * w, w,
                            {
                                use(u"deductions"_s),
                                N(u"Celková cena práce"_s),
                                use(u"labourCost2005"_s),
                                use(u"closingFull"_s),
                            }),
                     columnRule(4, 3 * w),
                     column(3 * w, w, {use(u"time"_s)}),
                 });
}

rpt::LayoutDesc layoutVP2005B()
{
    constexpr double w = kColumn3;
    return payslip(u"TReportVP2005B"_s,
                 {
                     use(u"head"_s),
                     columnHead(1, 0 * w, w, kMzdoveNalezitosti, kSumaSk),
                     column(0 * w, w,
                            {
                                plain(u"Doh. mesačný plat"_s, u"MV_plat"_s),
                                plain(u"Úväzok v hodinách"_s, u"F_doba"_s),
                                use(u"taxLines"_s),
                                {.block = u"bases2005"_s,
                                 .patches = {{.name = u"QRLAB_D_zdanmzda1"_s, .text = u"Základ dane - preddav."_s},
                                             {.name = u"QRLAB_N_prijem_zp"_s, .text = u"Celk.príjem - zdrav.poist."_s},
                                             {.name = u"QRLAB_N_zaklad_dp"_s, .text = u"Základ SP,IP, PvN"_s}}},
                            }),
                     columnRule(2, 1 * w),
                     columnHead(2, 1 * w, w, kMzdovaZlozka, kSumaSk),
                     column(1 * w, w,
                            {
                                plain(u"Mesačný plat"_s, u"N_zakladna"_s),
                                plain(u"Prémie"_s, u"N_premie"_s),
                                plain(u"Odmeny"_s, u"N_odmeny"_s),
                                plain(u"Príjmy mimo poistného"_s, u"N_mimo_poistne"_s),
                                plain(u"Prepl./nedopl. zdrav.poist."_s, u"Vyrovnanie_zp"_s),
                                plain(u"Poistné spolu"_s, u"N_poist"_s),
                                use(u"compensations"_s),
                                use(u"taxAndDeductionsShort"_s),
                                plain(u"Dohody o vyk.práce"_s, u"N_dohody_ovp"_s),
                            }),
                     columnRule(3, 2 * w),
                     columnHead(3, 2 * w, w, u"Celková cena práce"_s, kSumaSk),
                     column(2 * w, w,
                            {
                                use(u"labourCost2005"_s),
                                boldFont(plain(u"Celková cena práce"_s, u"CALC_CENA_PRACE"_s)),
                                N3(kMzdovaZlozka, {}, kSumaSk),
                                use(u"closingShort"_s),
                            }),
                 });
}

// ---- 2004 ------------------------------------------------------------------------------------

rpt::LayoutDesc layoutVP2()
{
    constexpr double w = kColumn4;
    return payslip(u"TReportVP2"_s,
                 {
                     use(u"head"_s),
                     columnHead(1, 0 * w, w, kMzdoveNalezitosti, kSumaSk),
                     column(0 * w, w,
                            {
                                plain(u"Doh. mesačná mzda"_s, u"MV_plat"_s),
                                plain(u"Úväzok v hodinách"_s, u"F_doba"_s),
                                plain(u"Zvýš.dane/použ.auta"_s, u"Pouz_auto"_s),
                                use(u"taxLines"_s),
                                use(u"bases2004"_s),
                                use(u"supplementaryPension"_s),
                            }),
                     columnRule(2, 1 * w),
                     columnHead(2, 1 * w, w, kMzdovaZlozka, kSumaSk),
                     column(1 * w, w,
                            {
                                use(u"basicWage"_s),
                                plain(u"Prémie"_s, u"N_premie"_s),
                                plain(u"Odmeny"_s, u"N_odmeny"_s),
                                plain(u"Odm.členov št.orgánov"_s, u"N_clenovia_organov"_s),
                                plain(u"Náhr. za prac.pohot."_s, u"N_pohotovost"_s),
                                plain(u"Príjmy mimo poistného"_s, u"N_mimo_poistne"_s),
                                plain(u"Poistné spolu"_s, u"N_poist"_s),
                                use(u"compensations"_s),
                                plain(u"Prísp. zo soc.fondu"_s, u"N_socfond"_s),
                                use(u"sicknessBenefits2004"_s),
                                use(u"familyBenefits"_s),
                            }),
                     columnRule(3, 2 * w),
                     columnHead(3, 2 * w, w, kMzdovaZlozka, kSumaSk),
                     column(2 * w, w,
                            {
                                plain(u"Dohody o vyk.práce"_s, u"N_dohody_ovp"_s),
                                plain(u"Dohody o pr.činnosti"_s, u"N_dohody_opc"_s),
                                use(u"taxFull"_s),
                                use(u"deductions"_s),
                                use(u"closingFull"_s),
                            }),
                     columnRule(4, 3 * w),
                     column(3 * w, w, {use(u"time"_s)}),
                 });
}

rpt::LayoutDesc layoutVP2T()
{
    constexpr double w = kColumn3;
    return payslip(u"TReportVP2T"_s,
                 {
                     // The head without the program's line.
                     BlockUse{.block = u"head"_s, .patches = {{.name = u"QRLAB_program"_s, .remove = true}}},
                     columnHead(1, 0 * w, w, kMzdoveNalezitosti, kSumaSk),
                     column(0 * w, w,
                            {
                                plain(u"Doh. mesačný plat"_s, u"MV_plat"_s),
                                plain(u"Úväzok v hodinách"_s, u"F_doba"_s),
                                use(u"taxLines"_s),
                                use(u"bases2004"_s),
                            }),
                     columnRule(2, 1 * w),
                     columnHead(2, 1 * w, w, kMzdovaZlozka, kSumaSk),
                     column(1 * w, w,
                            {
                                plain(u"Mesačný plat"_s, u"N_zakladna"_s),
                                plain(u"Prémie"_s, u"N_premie"_s),
                                plain(u"Odmeny"_s, u"N_odmeny"_s),
                                plain(u"Príjmy mimo poistného"_s, u"N_mimo_poistne"_s),
                                plain(u"Poistné spolu"_s, u"N_poist"_s),
                                {.block = u"compensations"_s,
                                 .patches = {{.name = u"QRLAB_V_priemer2"_s,
                                              .text = u"Denná mzda/náhrada PN"_s}}},
                                use(u"sicknessBenefits2004"_s),
                                plain(u"Materský príspevok"_s, u"Nd_materska"_s),
                                plain(u"Prídavky na deti"_s, u"Nd_pridavky"_s),
                                plain(u"Iné nemoc.dávky"_s, u"Nd_ine"_s),
                                plain(u"Dohody o vyk.práce"_s, u"N_dohody_ovp"_s),
                            }),
                     columnRule(3, 2 * w),
                     columnHead(3, 2 * w, w, kMzdovaZlozka, kSumaSk),
                     column(2 * w, w,
                            {
                                use(u"taxAndDeductionsShort"_s),
                                boldFont(plain(u"Celková cena práce"_s, u"CALC_CENA_PRACE"_s)),
                                use(u"closingShort"_s),
                            }),
                 });
}

// ---- before 2004 -----------------------------------------------------------------------------

rpt::LayoutDesc layoutVP()
{
    constexpr double w = kColumn4;
    return payslip(u"TReportVP"_s,
                 {
                     // The head without the program's line.
                     BlockUse{.block = u"head"_s, .patches = {{.name = u"QRLAB_program"_s, .remove = true}}},
                     columnHead(1, 0 * w, w, kMzdoveNalezitosti, kSumaSk),
                     column(0 * w, w,
                            {
                                plain(u"Dohod. mesačný plat"_s, u"MV_plat"_s),
                                plain(u"Počet prac.dní"_s, u"V_fmes"_s),
                                plain(u"Úväzok v hodinách"_s, u"F_doba"_s),
                                plain(u"Kód zdrav. poisťovne"_s, u"KZP"_s),
                                plain(u"Priemerný zárobok 1"_s, u"V_priemer1"_s),
                                plain(u"Čistá denná mzda"_s, u"Cista_denna_mzda"_s),
                                plain(u"Zvýš.dane/použ.auta"_s, u"Pouz_auto"_s),
                                plain(u"Ost.položky zvyš.daň"_s, u"Zvys_ostatne"_s),
                                plain(u"Čiast.základ dane"_s, u"D_ciastzd"_s),
                                plain(u"Dopravné"_s, u"Dopravne"_s),
                                plain(u"Osoba"_s, u"Nc_minimum"_s),
                                plain(u"Deti"_s, u"Nc_deti"_s),
                                plain(u"Iné nezd.čiastky"_s, u"Nc_ine"_s),
                                plain(u"Základ dane - mes. s."_s, u"D_zdanmzda1"_s),
                                plain(u"Základ dane - ročná s."_s, u"D_zdanmzda3"_s),
                                plain(u"Základ dane - zrážky"_s, u"D_zdanmzda2"_s),
                                plain(u"Základ zdrav.poist."_s, u"N_zaklad_zp"_s),
                                plain(u"Základ nemoc.poist."_s, u"N_zaklad_np"_s),
                                plain(u"Základ dôchod.poist."_s, u"N_zaklad_dp"_s),
                                plain(u"Základ fond zamest."_s, u"N_zaklad_fz"_s),
                                plain(u"Odvod poistného"_s, u"N_poist"_s),
                                plain(u"Zrážky z čistej mzdy"_s, u"CALC_ZRAZKY"_s),
                                plain(u"Dovolenka nárok/čerp."_s, u"CALC_DOVOLENKA"_s),
                            }),
                     columnRule(2, 1 * w),
                     columnHead(2, 1 * w, w, kMzdovaZlozka, kSumaSk),
                     column(1 * w, w,
                            {
                                plain(u"Mesačný plat"_s, u"V_plat"_s),
                                plain(u"Príplatky"_s, u"N_priplat"_s),
                                plain(u"Prémie"_s, u"N_premie"_s),
                                plain(u"Odmeny"_s, u"N_odmeny"_s),
                                plain(u"Jednorázová mzda 1"_s, u"N_jednoraz1"_s),
                                plain(u"Jednorázová mzda 2"_s, u"N_jednoraz2"_s),
                                plain(u"Odm.členov št.orgánov"_s, u"N_clenovia_organov"_s),
                                plain(u"Odm.za prac.pohotov."_s, u"N_pohotovost"_s),
                                plain(u"Dohody o vyk.práce"_s, u"N_dohody_ovp"_s),
                                plain(u"Dohody o pr.činnosti"_s, u"N_dohody_opc"_s),
                                plain(u"Náhrada mzdy"_s, u"N_nahrada"_s),
                                plain(u"Dovolenka"_s, u"N_holiday"_s),
                                plain(u"Sviatok"_s, u"N_sviatok"_s),
                                plain(u"Prísp. zo soc.fondu"_s, u"N_socfond"_s),
                                plain(u"Náhrada za neprac."_s, u"N_nemohol"_s),
                                plain(u"Odstupné"_s, u"N_odstupne"_s),
                                plain(u"Nemoc.dávky - pn1"_s, u"N_pn1"_s),
                                plain(u"Nemoc.dávky - pn2"_s, u"N_pn2"_s),
                                plain(u"Nemoc.dávky - očr1"_s, u"N_ocr1"_s),
                                plain(u"Nemoc.dávky - očr2"_s, u"N_ocr2"_s),
                                use(u"familyBenefits"_s),
                            }),
                     columnRule(3, 2 * w),
                     columnHead(3, 2 * w, w, kMzdovaZlozka, kSumaSk),
                     column(2 * w, w,
                            {
                                use(u"supplements"_s),
                                dots(u"Zdrav.poist."_s, u"F_zdravot"_s, u"O_zdravot"_s),
                                dots(u"Nemoc.poist."_s, u"F_nemoc"_s, u"O_nemoc"_s),
                                dots(u"Dôchod.poist."_s, u"F_dochod"_s, u"O_dochod"_s),
                                dots(u"Fond zam."_s, u"F_fondz"_s, u"O_fondzam"_s),
                                use(u"supplementaryPension"_s),
                                plain(u"Preddavok dane"_s, u"D_preddavok"_s),
                                plain(u"Daň"_s, u"D_dan"_s),
                                plain(u"Prepl./nedoplatok dane"_s, u"D_vyrovnanie"_s),
                                plain(u"Záloha na mzdu"_s, u"Ne_zaloha"_s),
                                use(u"deductions"_s),
                                plain(u"Vyplatené na účet"_s, u"Sporenie"_s),
                                plain(u"Vyplatené v hotovosti"_s, u"Vyplata"_s),
                                boldFont(plain(u"Celková cena práce"_s, u"CALC_CENA_PRACE"_s)),
                                plain(u"Hrubý príjem"_s, u"N_brutto"_s),
                                plain(u"Čistý príjem"_s, u"N_netto"_s),
                                boldFont(plain(u"K výplate"_s, u"Vyplata"_s)),
                            }),
                     columnRule(4, 3 * w),
                     BlockUse{.block = u"columnHead"_s,
                      .place = {3 * w, kColumnHeads, w},
                      .args = {{u"n"_s, u"4"_s}, {u"text"_s, u"Dni"_s}, {u"sumText"_s, {}}},
                      .patches = {{.name = u"QRLAB_hlavicka_sumy4"_s, .remove = true}}},
                     column(3 * w, w,
                            {
                                plain(u"odprac."_s, u"V_den"_s),
                                plain(u"dovolenka"_s, u"V_holiday"_s),
                                plain(u"sviatok"_s, u"V_sviatok"_s),
                                labelPair(u"pn1"_s, u"V_pn1"_s, u"očr1"_s, u"V_ocr1"_s),
                                labelPair(u"pn2"_s, u"V_pn2"_s, u"očr2"_s, u"V_ocr2"_s),
                                use(u"hours"_s),
                                use(u"surchargeTable"_s),
                            }),
                 });
}

} // namespace payslip_layouts

// ---- registration ----------------------------------------------------------------------------

TReportVP2005A::TReportVP2005A() : TReportPayslip(payslip_layouts::Obdobie::Od2005) { assemble(payslip_layouts::layoutVP2005A()); }
TReportVP2005B::TReportVP2005B() : TReportPayslip(payslip_layouts::Obdobie::Od2005) { assemble(payslip_layouts::layoutVP2005B()); }
TReportVP2::TReportVP2() : TReportPayslip(payslip_layouts::Obdobie::Rok2004) { assemble(payslip_layouts::layoutVP2()); }
TReportVP2T::TReportVP2T() : TReportPayslip(payslip_layouts::Obdobie::Rok2004) { assemble(payslip_layouts::layoutVP2T()); }
TReportVP::TReportVP() : TReportPayslip(payslip_layouts::Obdobie::Do2004) { assemble(payslip_layouts::layoutVP()); }

void registerPayslips()
{
    ReportRegister &r = reportRegister();
    r.registerReport(QStringLiteral("TReportVP2005A"), reportRun<TReportVP2005A>());
    r.registerReport(QStringLiteral("TReportVP2005B"), reportRun<TReportVP2005B>());
    r.registerReport(QStringLiteral("TReportVP2"), reportRun<TReportVP2>());
    r.registerReport(QStringLiteral("TReportVP2T"), reportRun<TReportVP2T>());
    r.registerReport(QStringLiteral("TReportVP"), reportRun<TReportVP>());
}

} // namespace tarix::reports
