#include "reports/settlement/settlement_report.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/address.h"
#include "core/session.h"
#include "payroll/calc/settlement_allowances.h"
#include "platform/format/number_format.h"
#include "reports/filled_label.h"
#include "reports/report_query.h"

#include <cmath>

namespace tarix::reports::settlement {

using namespace Qt::Literals::StringLiterals;

// ---- texts and amounts ---------------------------------------------------------------

QString titleNameSurname(const QString &titul, const QString &meno, const QString &priezvisko)
{
    return MyConsts::Cele_meno(titul, meno, priezvisko).left(100);
}

QString nameSurnameTitle(const QString &meno, const QString &priezvisko, const QString &titul)
{
    return MyConsts::Cele_meno(meno, priezvisko, titul);
}

QString rzAddress(const QString &ulica, const QString &mesto) { return ulica + u", "_s + mesto; }

QString pzAddress(const QString &ulica, const QString &mesto)
{
    return ulica.isEmpty() ? mesto : ulica + u", "_s + mesto;
}

QString firmAddress(const db::DataSet &inf)
{
    const auto t = [&](const char *pole) { return inf.fieldByName(QString::fromLatin1(pole)).asString(); };
    return t("NAZOV") + u", "_s + MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO"));
}

namespace {
// The positive part of x, or 0; -x for the other side. Adding 0.0 turns a -0 into 0.
double positivePart(double x) { return x > 0 ? x : 0.0; }
double negativePart(double x) { return x > 0 ? 0.0 : -x + 0.0; }
} // namespace

ResultSplit splitResult(double bonusNarok, double bonusCerpany, double preplatok)
{
    const double b = bonusNarok - bonusCerpany;
    const double p = preplatok;
    const double d = p - b;
    return {positivePart(b), negativePart(b), positivePart(p), negativePart(p), positivePart(d), negativePart(d)};
}

QString overpaymentText(double preplatok, const QString &maska)
{
    const QString text = fmt::formatFloat(maska, preplatok);
    return preplatok < 0 ? text : u"+ "_s + text;
}

double twoPercentOfTax(double danBezBonusu)
{
    // Hallers as a whole number, 2 % of them, then whole crowns toward zero.
    const qint64 halierov = qint64(std::llround(danBezBonusu * 100));
    const qint64 dvePercenta = halierov * 2 / 100;
    return double(dvePercenta / 100) + 0.0;
}

// ---- the row layout --------------------------------------------------------------------

namespace {

const rpt::FontSpec kArial7{u"Arial"_s, 7};
const rpt::FontSpec kArial8{u"Arial"_s, 8};
const rpt::FontSpec kArial8b{u"Arial"_s, 8, true};
const rpt::FontSpec kArial9b{u"Arial"_s, 9, true};
const rpt::FontSpec kArial11b{u"Arial"_s, 11, true};

constexpr double kSirka = 190;
constexpr double kRiadok = 3.6;    // one caption line
constexpr double kCislo = 14;      // the number box
constexpr double kSuma = 34;       // the amount box

double lineHeight(const RiadokRz &r) { return r.riadky * kRiadok + 1.8; }

} // namespace

const rpt::BlockLibrary &rzBlocks()
{
    using namespace rpt;
    constexpr unsigned kVsetky = kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom;
    constexpr unsigned kVpravo = kAnchorTop | kAnchorRight | kAnchorBottom;
    static const BlockLibrary k{
        .blocks =
            {
                // A row: its number, the caption and the amount, each in its box.
                Block{.name = u"riadok"_s,
                      .width = kSirka,
                      .height = 6,
                      .items =
                          {
                              rectangle(u"QRS_r{n}"_s, {0, 0, kSirka, 6}).anchored(kVsetky),
                              rectangle(u"QRS_c{n}"_s, {0, 0, kCislo, 6}).anchored(kAnchorLeft | kAnchorTop | kAnchorBottom),
                              label(u"QRL_c{n}"_s, {0.5, 0.9, kCislo - 1, kRiadok}, u"{cislo}"_s, kArial8b,
                                    Qt::AlignHCenter),
                              [] {
                                  ControlDesc c = label(u"QRL_p{n}"_s, {kCislo + 1, 0.9, kSirka - kCislo - kSuma - 2,
                                                                        6 - 1.8},
                                                        u"{popis}"_s, kArial7);
                                  c.wordWrap = true;
                                  return c.anchored(kVsetky);
                              }(),
                              rectangle(u"QRS_s{n}"_s, {kSirka - kSuma, 0, kSuma, 6}).anchored(kVpravo),
                              dbText(u"QRDB_{n}"_s, {kSirka - kSuma + 1, 0.9, kSuma - 2, kRiadok + 0.4}, u"{pole}"_s,
                                     kArial9b, Qt::AlignRight, u"{maska}"_s)
                                  .anchored(kAnchorTop | kAnchorRight),
                          }},
                // A heading across the form ("I. časť").
                Block{.name = u"sekcia"_s,
                      .width = kSirka,
                      .height = 6,
                      .items =
                          {
                              rectangle(u"QRS_r{n}"_s, {0, 0, kSirka, 6}).anchored(kVsetky),
                              [] {
                                  ControlDesc c = label(u"QRL_p{n}"_s, {1, 0.9, kSirka - 2, 6 - 1.8}, u"{popis}"_s,
                                                        kArial8b);
                                  c.wordWrap = true;
                                  return c.anchored(kVsetky);
                              }(),
                          }},
            },
    };
    return k;
}

rpt::LayoutDesc rzLayout(const RzForm &f)
{
    using namespace rpt;
    std::vector<LayoutItem> v;
    double y = 0;
    for (int i = 0; i < f.nadpis.size(); ++i) {
        const bool posledny = i == f.nadpis.size() - 1;
        v.push_back(label(u"QRL_nadpis%1"_s.arg(i + 1), {0, y, posledny ? 120 : kSirka, 5.5}, f.nadpis[i], kArial11b,
                          posledny ? Qt::AlignRight : Qt::AlignHCenter));
        if (posledny)
            v.push_back(dbText(u"QRDB_v_rok"_s, {122, y, 30, 5.5}, u"v_rok"_s, kArial11b, Qt::AlignLeft, u"0"_s));
        y += 5.5;
    }
    if (!f.zakon.isEmpty()) {
        v.push_back(label(u"QRL_zakon"_s, {0, y + 0.5, kSirka, 3.5}, f.zakon, kArial7, Qt::AlignHCenter));
        y += 4.5;
    }
    y += 1.5;

    // The employee.
    v.push_back(rectangle(u"QRS_zamestnanec"_s, {0, y, kSirka, 13}));
    v.push_back(label(u"QRL_TMP"_s, {1, y + 1, 48, 4}, f.menoPopis, kArial8));
    v.push_back(dbText(u"QRDB_TMP"_s, {50, y + 1, 85, 4}, u"TMP"_s, kArial9b));
    v.push_back(label(u"QRL_born_numb"_s, {137, y + 1, 20, 4}, u"Rodné číslo  :"_s, kArial8));
    v.push_back(dbText(u"QRDB_born_numb"_s, {158, y + 1, 31, 4}, u"born_numb"_s, kArial9b));
    v.push_back(label(u"QRL_ADR"_s, {1, y + 7, 48, 4}, u"Adresa trvalého pobytu:"_s, kArial8));
    v.push_back(dbText(u"QRDB_ADR"_s, {50, y + 7, 105, 4}, u"ADR"_s, kArial9b));
    v.push_back(label(u"QRL_tp_zip"_s, {157, y + 7, 8, 4}, u"PSČ:"_s, kArial8));
    v.push_back(dbText(u"QRDB_tp_zip"_s, {166, y + 7, 23, 4}, u"tp_zip"_s, kArial9b));
    y += 15;

    Stack riadky{.left = 0, .top = y, .width = kSirka};
    int n = 0;
    for (const RiadokRz &r : f.riadky) {
        const double h = lineHeight(r);
        ++n;
        if (r.pole.isEmpty()) {
            riadky.lines.push_back(BlockUse{.block = u"sekcia"_s, .place = {0, 0, 0, h},
                                            .args = {{u"n"_s, u"h%1"_s.arg(n)}, {u"popis"_s, r.popis}}});
        } else {
            riadky.lines.push_back(BlockUse{.block = u"riadok"_s,
                                            .place = {0, 0, 0, h},
                                            .args = {{u"n"_s, r.pole},
                                                     {u"cislo"_s, r.cislo},
                                                     {u"popis"_s, r.popis},
                                                     {u"pole"_s, r.pole},
                                                     {u"maska"_s, r.maska}}});
        }
        y += h;
    }
    v.push_back(riadky);
    y += 2;

    // The employer and the signature.
    if (f.pata != RzFooter::Vykonal) {
        const bool zamestnavatel = f.pata == RzFooter::Zamestnavatel;
        const double h = zamestnavatel ? 17 : 12;
        v.push_back(rectangle(u"QRS_platitel"_s, {0, y, kSirka, h}));
        double yy = y + 1;
        if (zamestnavatel) {
            v.push_back(label(u"QRL_zamestnavatel"_s, {1, yy, kSirka - 2, 3.5},
                              u"Údaje o zamestnávateľovi, ktorý je platiteľom dane, ktorý toto ročné zúčtovanie vykonal:"_s,
                              kArial8b));
            yy += 4.5;
        }
        v.push_back(label(u"QRL_DIC"_s, {1, yy, 40, 4},
                          zamestnavatel ? u"DIČ:"_s : u"DIČ platiteľa dane:"_s, kArial8));
        v.push_back(dbText(u"QRDB_DIC"_s, {42, yy, 50, 4}, u"QINF_.DIC"_s, kArial9b));
        if (zamestnavatel) {
            v.push_back(label(u"QRL_Telefon"_s, {100, yy, 10, 4}, u"Tel:"_s, kArial8));
            v.push_back(filledLabel(u"QR_Telefon"_s, {111, yy, 78, 4}, kArial9b));
        }
        yy += 5;
        v.push_back(label(u"QRL_adresa"_s, {1, yy, 40, 4},
                          zamestnavatel ? u"Obchodné meno a adresa"_s : u"Meno a adresa platiteľa:"_s, kArial8));
        v.push_back(dbText(u"QRDB_CALC_ADRESA"_s, {42, yy, 147, 4}, u"QINF_.CALC_ADRESA"_s, kArial9b));
        y += h + 2;
    }
    v.push_back(label(u"QRL_vykonal"_s, {0, y, 60, 4}, u"Ročné zúčtovanie preddavkov vykonal:"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_zostavil"_s, {61, y, 70, 4}, kArial9b));
    v.push_back(label(u"QRL_dna"_s, {0, y + 5, 10, 4}, u"Dňa:"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_dna"_s, {11, y + 5, 50, 4}, kArial9b));
    v.push_back(horizontalLine(u"QRS_podpis"_s, {135, y + 12, 55, 0}));
    v.push_back(label(u"QRL_podpis"_s, {135, y + 12.5, 55, 3.5},
                      f.pata == RzFooter::Vykonal ? u"Podpis:"_s
                      : f.pata == RzFooter::Platitel ? u"Podpis a odtlačok pečiatky platiteľa dane"_s
                                                   : u"Podpis a odtlačok pečiatky zamestnávateľa"_s,
                      kArial7, Qt::AlignHCenter));
    y += 17;
    for (int i = 0; i < f.poznamky.size(); ++i) {
        ControlDesc c = label(u"QRL_poznamka%1"_s.arg(i + 1), {0, y, kSirka, 3.2}, f.poznamky[i], kArial7);
        v.push_back(c);
        y += 3.4;
    }

    return LayoutDesc{
        .name = f.nazov,
        .title = f.titul,
        .bands = {BandDesc{.kind = BandKind::Detail,
                           .name = u"DetailBand1"_s,
                           .height = y + 1,
                           .items = std::move(v),
                           .forceNewPage = true}},
    };
}

// ---- the report base --------------------------------------------------------------------

SettlementReport::SettlementReport(const QString &maskaPreplatku, bool telefon) : m_maskaPreplatku(maskaPreplatku)
{
    nahlad = PreviewMode::Len_s_udajmi;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData, Text_Q0(telefon));
    for (const char *f : {"TMP", "ADR"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_PREPLATOK"_s, db::FieldType::String, 50);
    for (const char *f : {"CALC_PREPL_BONUS", "CALC_NEDOPL_BONUS", "CALC_PREPL_DAN", "CALC_NEDOPL_DAN",
                          "CALC_PREPL_BB", "CALC_NEDOPL_BB", "CALC_NC_MINIMUM", "CALC_NC_PARTNER"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Money);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);

    prepareQuery(QINF_, u"QINF_"_s, core::kAliasData, u"select * from inf"_s);
    QINF_.addCalculatedField(u"CALC_ADRESA"_s, db::FieldType::String, 1000);
    QINF_.onCalcFields = [](db::DataSet &ds) { ds.setValue(u"CALC_ADRESA"_s, firmAddress(ds)); };
    SINF_.setDataSet(&QINF_);
    registerDataSource(u"QINF_"_s, &SINF_);
}

SettlementReport::~SettlementReport() = default;

QString SettlementReport::Text_Q0(bool telefon)
{
    return u"select a.code_emp, a.name name, a.surname surname, a.title title, a.born_numb born_numb, "
           u"a.tp_zip tp_zip, a.tp_street tp_street, "_s
           + (telefon ? u"a.tel1, "_s : QString())
           + u"a.tp_city tp_city, b.* from zam a,rzp b where a.code_emp between :p1 and :p2 and a.sid between :p3 "
             u"and :p4 and a.code_emp=b.code_emp and b.v_rok = :rok order by a.code_emp;"_s;
}

void SettlementReport::assemble(const rpt::LayoutDesc &popis)
{
    rpt::buildReportForm(*this, popis, rzBlocks(), checkFields({{&S0_, &Q0_}, {&SINF_, &QINF_}}));
}

void SettlementReport::computeReportFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
    const auto n = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asFloat(); };
    ds.setValue(u"TMP"_s, titleNameSurname(t("title"), t("name"), t("surname")));
    ds.setValue(u"ADR"_s, rzAddress(t("tp_street"), t("tp_city")));
    ds.setValue(u"CALC_PREPLATOK"_s, overpaymentText(n("Preplatok"), m_maskaPreplatku));
    const ResultSplit r = splitResult(n("D_bonus_narok"), n("D_bonus_cerpany"), n("Preplatok"));
    ds.setValue(u"CALC_PREPL_BONUS"_s, r.preplBonus);
    ds.setValue(u"CALC_NEDOPL_BONUS"_s, r.nedoplBonus);
    ds.setValue(u"CALC_PREPL_DAN"_s, r.preplDan);
    ds.setValue(u"CALC_NEDOPL_DAN"_s, r.nedoplDan);
    ds.setValue(u"CALC_PREPL_BB"_s, r.preplBB);
    ds.setValue(u"CALC_NEDOPL_BB"_s, r.nedoplBB);
    // The amounts the settlement's total was made of; the typed ones may be larger.
    const payroll::SettlementAllowances used = payroll::settlementAllowances(
        int(ds.fieldByName(u"v_rok"_s).asInteger()), n("Ciastzd_spolu"), n("Nc_minimum"), n("Nc_partner"));
    ds.setValue(u"CALC_NC_MINIMUM"_s, used.taxpayer);
    ds.setValue(u"CALC_NC_PARTNER"_s, used.spouse);
}

void SettlementReport::Otvor_data()
{
    const auto nastav = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    nastav("QR_Vykaz_zostavil", Param.Vykaz_zostavil);
    nastav("QR_Vykaz_dna", Param.Den_textom);
    nastav("QR_Telefon", Param.Telefon);
    nastav("QR_Vykaz_miesto", Param.Miesto);
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q0_.setParam(u"rok"_s, Param.Obdobie / 100);
    Q0_.open();
    QINF_.close();
    QINF_.open();
}

void SettlementReport::Zatvor_data()
{
    QINF_.close();
    Q0_.close();
}

} // namespace tarix::reports::settlement
