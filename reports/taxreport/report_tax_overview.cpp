#include "reports/taxreport/report_tax_overview.h"

#include "core/helpers/parameters.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/format/format.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/taxreport/report_vd2005a.h"
#include "reports/taxreport/tax_blocks.h"

#include <algorithm>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace tax_overview {

Mesiac loadMonth(db::Session &session, int obdobie, int strediskoOd, int strediskoDo)
{
    namespace rk = wage_recap;
    Mesiac m;
    const db::SqlResult q1 = rk::monthSums(session, obdobie, strediskoOd, strediskoDo);
    if (q1.rowCount()) {
        m.a = q1.asFloat(0, q1.columnIndex(u"d_preddavok"_s));
        m.dan = q1.asFloat(0, q1.columnIndex(u"d_dan"_s));
        m.bonus = q1.asFloat(0, q1.columnIndex(u"d_bonus_cerpany"_s));
        m.vyrovnanie = q1.asFloat(0, q1.columnIndex(u"d_vyrovnanie"_s));
    }
    m.n = rk::taxArrears(session, obdobie, strediskoOd, strediskoDo);
    m.o = rk::taxOverpayments(session, obdobie, strediskoOd, strediskoDo);
    m.t3 = rk::lastMonthWithholdingTax(session, obdobie, strediskoOd, strediskoDo);
    return m;
}

std::array<int, 3> quarterPeriods(int obdobie)
{
    const int rok = obdobie / 100;
    const int prvy = ((obdobie % 100 - 1) / 3) * 3 + 1;
    return {rok * 100 + prvy, rok * 100 + prvy + 1, rok * 100 + prvy + 2};
}

ColumnDNS2A computeDNS2A(const Mesiac &m)
{
    ColumnDNS2A s;
    s.r1 = m.a;
    s.r2 = m.n;
    s.r3 = m.o;
    s.r5 = m.a + m.n - m.o;
    const double x = s.r5 < 0 ? 0 : s.r5;
    s.r6 = s.r5 <= 0 ? 0 : -std::min(m.bonus, s.r5);
    s.r7 = s.r5 + s.r6;
    s.A = m.bonus;
    s.B = std::min(m.bonus, m.a);
    s.C = m.bonus > x ? m.bonus - x : 0;
    s.D = s.C;
    return s;
}

std::array<ColumnPR2007, 3> computePR2007(const std::array<Mesiac, 3> &mesiace, bool zrazkovaMinulehoMesiaca)
{
    std::array<ColumnPR2007, 3> out;
    double R = 0; // the bonus not yet paid from the tax withheld
    // Reduces the bonus still due by what a row of tax covers; returns the row's reduction.
    const auto zniz = [&R](double dan) {
        const double z = dan <= 0 ? 0 : (dan < R ? -dan : -R);
        R += z;
        return z;
    };
    for (size_t i = 0; i < 3; ++i) {
        const Mesiac &m = mesiace[i];
        ColumnPR2007 &s = out[i];
        s.r1 = m.a;
        s.r2 = -m.vyrovnanie;
        s.r3 = 0;
        s.r4 = s.r1 + s.r2 + s.r3;
        R += m.bonus;
        s.r5 = zniz(s.r4);
        s.r6 = s.r4 + s.r5;
        s.r8 = zrazkovaMinulehoMesiaca ? m.t3 : m.dan;
        s.r9 = zniz(s.r8);
        s.r10 = s.r8 + s.r9;
        s.A = m.bonus;
        s.B = -s.r5 - s.r9;
        s.C = R;
        s.R = R;
    }
    return out;
}

} // namespace tax_overview

// ---- the forms --------------------------------------------------------------------------------

namespace {

using namespace tax_blocks;
using rpt::label;

struct RiadokPrehladu {
    const char16_t *meno;
    const char16_t *cislo;
    const char16_t *popis;
    double vyska = 9;
};

constexpr double kHlavicka = 30; // title, firm, year and the month heading

// The overview's page: title, the firm and year, the months over the columns, the rows
// and the signatures below them.
rpt::LayoutDesc overviewLayout(const QString &meno, const QString &nadpis, const QString &mesiacPopis, bool dic,
                               std::initializer_list<RiadokPrehladu> riadky, const QString &vyhlasenie,
                               const std::vector<rpt::LayoutItem> &pata)
{
    rpt::LayoutDesc l;
    l.name = meno;
    l.title = nadpis;
    l.previewZoom = 80;
    l.printIfEmpty = true;

    std::vector<rpt::LayoutItem> items{
        Popis(u"QRL_nadpis"_s, {0, 0, kSirka, 10}, nadpis, kArial11b),
        filledLabel(u"QRLabelFirma"_s, {0, 11, 120, 4.5}, kArial9b),
        filledLabel(u"QRLabelRok"_s, {150, 11, 40, 4.5}, kArial9b, Qt::AlignRight),
        rpt::rectangle(u"QRS_mesiace"_s, {0, 18, kSirka, 12}),
        Popis(u"QRL_riadok"_s, {1, 19, 10, 8}, u"Riadok číslo"_s, kArial6),
        label(u"QRL_mesiac"_s, {113, 18.5, 76, 3.5}, mesiacPopis, kArial7, Qt::AlignHCenter),
    };
    if (dic) {
        items.push_back(label(u"QRL_DIC"_s, {122, 11, 8, 4.5}, u"DIČ"_s, kArial9b));
        items.push_back(filledLabel(u"QRLabelDic"_s, {131, 11, 30, 4.5}, kArial9));
        // The year moves right of the tax number.
        if (auto *c = std::get_if<rpt::ControlDesc>(&items[2]))
            c->box = {162, 11, 28, 4.5};
    }
    for (int i = 0; i < 3; ++i) {
        const double x = 112 + 26 * i;
        items.push_back(rpt::verticalLine(u"QRS_m%1"_s.arg(i + 1), {x, 22.5, 0, 7.5}));
        items.push_back(filledLabel(u"M%1"_s.arg(i + 1), {x + 1, 23, 24, 4}, kArial9b, Qt::AlignHCenter));
        if (dic)
            items.push_back(label(u"QRL_m%1"_s.arg(i + 1), {x + 1, 26.5, 24, 3}, u"(01 - 12)"_s, kArial6,
                                  Qt::AlignHCenter));
    }
    items.push_back(rpt::horizontalLine(u"QRS_mesiace_h"_s, {112, 22.5, 78, 0}));

    rpt::Stack stack{.top = kHlavicka, .width = kSirka};
    double y = kHlavicka;
    for (const RiadokPrehladu &r : riadky) {
        stack.lines.push_back(Riadok3(QString::fromUtf16(r.meno), QString::fromUtf16(r.cislo),
                                      QString::fromUtf16(r.popis), r.vyska));
        y += r.vyska;
    }
    items.push_back(std::move(stack));
    items.push_back(Popis(u"QRL_vyhlasenie"_s, {0, y + 2, kSirka, 4.5}, vyhlasenie, kArial8));
    double spodok = y + 8;
    for (rpt::LayoutItem i : pata) {
        if (auto *c = std::get_if<rpt::ControlDesc>(&i)) {
            c->box.top += y + 8;
            spodok = std::max(spodok, c->box.top + c->box.height);
        }
        items.push_back(std::move(i));
    }
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = spodok + 1,
                                    .items = std::move(items)});
    return l;
}

// The signatory's line under the rows, from the contact data.
std::vector<rpt::LayoutItem> overviewFooter(const QString &vyhotovil, const QString &podpis)
{
    return {
        label(u"QRL_vyhotovil"_s, {0, 0, 60, 3.5}, vyhotovil, kArial7),
        filledLabel(u"QR_Vykaz_zostavil"_s, {0, 4, 60, 4.5}, kArial9),
        label(u"QRL_telefon"_s, {62, 0, 40, 3.5}, u"Telefón"_s, kArial7),
        filledLabel(u"QR_Telefon"_s, {62, 4, 40, 4.5}, kArial9),
        label(u"QRL_datum"_s, {104, 0, 30, 3.5}, u"Dátum"_s, kArial7),
        filledLabel(u"QR_Vykaz_dna"_s, {104, 4, 30, 4.5}, kArial9),
        rpt::rectangle(u"QRS_podpis"_s, {136, 0, 54, 22}),
        Popis(u"QRL_podpis"_s, {137, 14, 52, 7.5}, podpis, kArial6),
    };
}

const QString kVyhlasenie = u"Vyhlasujem, že všetky údaje uvedené v tomto prehľade sú správne a úplné."_s;
const QString kPodpis = u"Podpis a odtlačok pečiatky zamestnávateľa, ktorý je platiteľom dane"_s;

rpt::LayoutDesc layoutDNS2A()
{
    return overviewLayout(
        u"TReportDNS2A"_s,
        u"Prehľad o zrazených a odvedených preddavkoch na daň z príjmov zo závislej činnosti a o daňovom bonuse"_s,
        u"Kalendárny mesiac"_s, false,
        {
            {u"R1", u"1",
             u"Zrazené preddavky na daň zo zúčtovaných a vyplatených zdaniteľných miezd (vrátane príjmov zo sociálneho "
             "fondu v peňažnej aj v nepeňažnej forme za mesiac)"},
            {u"R2", u"2", u"Zrazené nedoplatky na dani z ročného zúčtovania za predchádzajúce zdaňovacie obdobie"},
            {u"R3", u"3", u"Vrátené preplatky na dani z ročného zúčtovania za predchádzajúce zdaňovacie obdobie"},
            {u"R4", u"4",
             u"Nedoplatky na dani (+) a preplatky na dani (-) za predchádzajúce zdaňovacie obdobia podľa § 40 zákona"},
            {u"R5", u"5", u"Úhrn riadkov 1 až 4       (r.1 + r.2 - r.3 ± r4)"},
            {u"R6", u"6",
             u"Priznaná a vyplatená suma daňového bonusu (-) a vybratá suma daňového bonusu (+), o ktorú sa znižuje "
             "(zvyšuje) úhrnná suma preddavkov na daň a dane (vrátane vyplateného a vybratého daňového bonusu z ročného "
             "zúčtovania alebo vykonaných opráv)",
             12},
            {u"R7", u"7", u"Úhrn riadkov 5 a 6       (r.5 ± r6)"},
            {u"R8", u"8", u"Odvedené nedoplatky na dani z predchádzajúcich zdaňovacích období"},
            {u"R9", u"9", u"Uplatnené preplatky na dani z predchádzajúcich zdaňovacích období"},
            {u"R10", u"10", u"Odvodová povinnosť       (r.7 + r8 - r.9)"},
            {u"R11", u"11", u"Odvedené (Dátum, Suma)"},
            {u"RA", u"A", u"Celková vyplatená suma daňového bonusu"},
            {u"RB", u"B", u"Suma daňového bonusu vyplatená z úhrnu zrazených preddavkov na daň a dane"},
            {u"RC", u"C", u"Suma daňového bonusu vyplatená z prostriedkov zamestnávateľa"},
            {u"RD", u"D",
             u"Suma vyplateného daňového bonusu vyžiadaná od miestne príslušného správcu dane na poukázanie"},
        },
        kVyhlasenie, overviewFooter(u"Vyhotovil (meno a podpis)"_s, kPodpis));
}

rpt::LayoutDesc layoutPR2007()
{
    const char16_t *odvedene =
        u"Odvedené (posledný dátum odvodu podľa účtovníctva zamestnávateľa, ktorý je platiteľom dane)";
    return overviewLayout(
        u"TReportPR2007"_s,
        u"Prehľad o zrazených a odvedených preddavkoch na daň z príjmov zo závislej činnosti, dani vybranej zrážkou a o "
        "daňovom bonuse"_s,
        u"Kalendárny mesiac"_s, true,
        {
            {u"R1", u"1",
             u"Zrazené preddavky na daň zo zúčtovaných a vyplatených zdaniteľných miezd (vrátane príjmov zo sociálneho "
             "fondu) v peňažnej aj v nepeňažnej forme za mesiac"},
            {u"R2", u"2",
             u"Zrazené daňové nedoplatky (+) a vrátené daňové preplatky (-)   z RZ za predchádzajúce zdaňovacie obdobie"},
            {u"R3", u"3",
             u"Daňové nedoplatky (+) a daňové preplatky (-) za predchádzajúce zdaňovacie obdobia podľa § 40 zákona"},
            {u"R4", u"4", u"Úhrn riadkov 1 až 3       (r.1 ± r.2 ± r3)"},
            {u"R5", u"5",
             u"Priznaná a vyplatená suma daňového bonusu (-) a vybratá suma daňového bonusu (+), o ktorú sa znižuje "
             "(zvyšuje) úhrnná suma preddavkov na daň a dane (vrátane vyplateného a vybratého daňového bonusu z RZ alebo "
             "vykonaných opráv)",
             12},
            {u"R6", u"6", u"Odvodová povinnosť - preddavky na daň (r. 4 ± r. 5)"},
            {u"R7", u"7", odvedene},
            {u"R8", u"8", u"Daň vybraná zrážkou [§ 43 ods. 3 písm. j) zákona] v mesiaci"},
            {u"R9", u"9",
             u"Priznaná a vyplatená suma daňového bonusu (-), o ktorú sa znižuje úhrnná suma dane vybranej zrážkou, o "
             "ktorú nebola znížená suma z r. 4"},
            {u"R10", u"10", u"Odvodová povinnosť - daň vybraná zrážkou (r. 8 - r. 9)"},
            {u"R11", u"11", odvedene},
            {u"RA", u"A", u"Celková vyplatená suma daňového bonusu"},
            {u"RB", u"B", u"Suma daňového bonusu vyplatená z úhrnu zrazených preddavkov na daň a dane"},
            {u"RC", u"C", u"Suma daňového bonusu vyplatená z prostriedkov zamestnávateľa"},
            {u"RD", u"D", u"Suma rozdielu daňového bonusu"},
        },
        kVyhlasenie, overviewFooter(u"Vyhotovil (meno a podpis)"_s, kPodpis));
}

rpt::LayoutDesc layoutDNS2()
{
    std::vector<rpt::LayoutItem> pata = overviewFooter(u"Vypracoval:"_s, u"Pečiatka a podpis platiteľa"_s);
    pata.push_back(label(u"QRL_miesto"_s, {0, 10, 8, 3.5}, u"V"_s, kArial7));
    pata.push_back(filledLabel(u"QR_Vykaz_miesto"_s, {4, 10, 56, 4.5}, kArial9));
    pata.push_back(label(u"QRL_zaznamy"_s, {0, 17, 80, 3.5}, u"Záznamy daňového úradu"_s, kArial7));
    for (rpt::LayoutItem &i : pata)
        if (auto *c = std::get_if<rpt::ControlDesc>(&i)) {
            if (c->name == u"QRL_telefon")
                c->text = u"Telefón:"_s;
            else if (c->name == u"QRL_datum")
                c->text = u"Dňa:"_s;
        }
    return overviewLayout(
        u"TReportDNS2"_s, u"Prehľad o zrazených a odvedených preddavkoch na daň z príjmov zo závislej činnosti"_s,
        u"Mesiac"_s, false,
        {
            {u"R1", u"1",
             u"Zrazené preddavky na daň zo zúčtovaných a vyplatených miezd vrátane nepeňažného plnenia za mesiac"},
            {u"R2", u"2", u"Zrazené nedoplatky na dani z ročného zúčtovania za predchádzajúce zdaňovacie obdobie"},
            {u"R3", u"3", u"Vrátené preplatky na dani z ročného zúčtovania za predchádzajúce zdaňovacie obdobie"},
            {u"R4", u"4", u"Nedoplatky (+) a preplatky (-) za predchádzajúce zdaňovacie obdobia podľa § 40j zákona"},
            {u"R5", u"5", u"Nedoplatky dane za predchádzajúce zdaňovacie obdobia"},
            {u"R6", u"6", u"Preplatky dane za predchádzajúce zdaňovacie obdobia"},
            {u"R7", u"7", u"Odvodová povinnosť riadok 1+2+3+(-)4+5-6"},
            {u"R8", u"8", u"Odvedené"},
            {u"R9", u"9", u"Osobitná sadzba dane podľa § 36 zákona o daniach z príjmov\nZrazené"},
            {u"R10", u"10", u"Odvedené"},
            {u"R11", u"11", u"Spolu na preddavkoch na daň a na dani odvedené riadok 8+10"},
        },
        u"Vyhlasujem, že všetky údaje uvedené v tomto prehľade sú pravdivé a úplné."_s, pata);
}

QString whole5(double v) { return fmt::format(u"%5.0f", {v}); }

} // namespace

using tax_blocks::setBlock;
using tax_blocks::markFilledLabels;
using tax_blocks::taxBlocks;

void TReportTaxOverview::Otvor_data()
{
    db::Session &session = *db::Session::defaultSession();
    Obdobia = tax_overview::quarterPeriods(Param.Obdobie);
    for (int i = 0; i < 3; ++i) {
        Mesiace[size_t(i)] = tax_overview::loadMonth(session, Obdobia[size_t(i)], Param.Stredisko_od, Param.Stredisko_do);
        setBlock(*this, u"M%1"_s.arg(i + 1), MyConsts::Dopln_zlava(QString::number(Obdobia[size_t(i)] % 100), 2, u'0'));
    }
    setBlock(*this, u"QRLabelFirma"_s, Param.Text_firmy);
    setBlock(*this, u"QRLabelRok"_s, u"Rok "_s + QString::number(Param.Obdobie / 100));
    setBlock(*this, u"QR_Vykaz_zostavil"_s, Param.Vykaz_zostavil);
    setBlock(*this, u"QR_Telefon"_s, Param.Telefon);
    setBlock(*this, u"QR_Vykaz_dna"_s, Param.Den_textom);
    if (find(u"QR_Vykaz_miesto"_s))
        setBlock(*this, u"QR_Vykaz_miesto"_s, Param.Miesto);
    if (find(u"QRLabelDic"_s))
        setBlock(*this, u"QRLabelDic"_s, VD2005A::loadHeading(session).DIC);
    fillColumns();
}

void TReportTaxOverview::setColumn(const QString &riadok, int stlpec, const QString &text)
{
    setBlock(*this, riadok + u'_' + QChar(u'A' + stlpec), text);
}

TReportDNS2A::TReportDNS2A()
{
    rpt::buildReportForm(*this, layoutDNS2A(), taxBlocks());
    markFilledLabels(*this);
}

void TReportDNS2A::fillColumns()
{
    for (int i = 0; i < 3; ++i) {
        const tax_overview::ColumnDNS2A s = tax_overview::computeDNS2A(Mesiace[size_t(i)]);
        const std::pair<const char16_t *, double> riadky[] = {
            {u"R1", s.r1}, {u"R2", s.r2}, {u"R3", s.r3}, {u"R5", s.r5}, {u"R6", s.r6},
            {u"R7", s.r7}, {u"RA", s.A},  {u"RB", s.B},  {u"RC", s.C},  {u"RD", s.D},
        };
        for (const auto &[r, v] : riadky)
            setColumn(QString::fromUtf16(r), i, whole5(v));
    }
}

TReportPR2007::TReportPR2007()
{
    Sirky_ramcekov = kRamceky_1_8;
    rpt::buildReportForm(*this, layoutPR2007(), taxBlocks());
    markFilledLabels(*this);
}

void TReportPR2007::fillColumns()
{
    const auto stlpce = tax_overview::computePR2007(Mesiace, MyConsts::Parametre(32).Hodnota == 1.0);
    for (int i = 0; i < 3; ++i) {
        const tax_overview::ColumnPR2007 &s = stlpce[size_t(i)];
        const std::pair<const char16_t *, double> riadky[] = {
            {u"R1", s.r1}, {u"R2", s.r2}, {u"R3", s.r3}, {u"R4", s.r4}, {u"R5", s.r5}, {u"R6", s.r6},
            {u"R8", s.r8}, {u"R9", s.r9}, {u"R10", s.r10}, {u"RA", s.A}, {u"RB", s.B}, {u"RC", s.C},
        };
        for (const auto &[r, v] : riadky)
            setColumn(QString::fromUtf16(r), i, whole5(v));
    }
    // The difference of the quarter: the bonus its tax did not cover, in the last month only.
    setColumn(u"RD"_s, 2, whole5(stlpce[2].R));
}

TReportDNS2::TReportDNS2()
{
    rpt::buildReportForm(*this, layoutDNS2(), taxBlocks());
    markFilledLabels(*this);
}

void TReportDNS2::fillColumns()
{
    for (int i = 0; i < 3; ++i) {
        const tax_overview::Mesiac &m = Mesiace[size_t(i)];
        const std::pair<const char16_t *, double> riadky[] = {{u"R1", m.a}, {u"R2", m.n}, {u"R3", m.o}, {u"R9", m.dan}};
        for (const auto &[r, v] : riadky)
            setColumn(QString::fromUtf16(r), i, fmt::format(u"%5.2f", {v}));
    }
}

} // namespace tarix::reports
