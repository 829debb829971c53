#include "reports/social/rexsp.h"

#include "core/helpers/address.h"
#include "core/helpers/rounding.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "reports/filled_label.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

namespace REXSP {

bool isCounted(int kod) { return kod >= 1 && kod <= 5; }
bool employeePaysSp(int kod) { return kod == 1 || kod == 2 || kod == 4 || kod == 5; }
bool employerPaysSp(int kod) { return kod == 1 || kod == 3; }

namespace {

enum StatementColumn : int { cSid, cU_nemoc, cU_dochod, cZps1, cO_nemoc, cO_dochod, cN_zaklad_np, cN_zaklad_dp, cFz_nemoc, cFz_dochod };

const char kQ0[] = "select sid, u_nemoc, u_dochod, zps1, o_nemoc, o_dochod, n_zaklad_np, n_zaklad_dp, fz_nemoc, fz_dochod "
                   "from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3";

// A group's employer premium of one centre: base x rate, rounded up to whole crowns.
double Poistne(double zaklad, double sadzba)
{
    return MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, zaklad * sadzba * 0.01);
}

} // namespace

Sumy Sucty_vykazu(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    Sumy s;
    const db::SqlResult r = session.run(QString::fromLatin1(kQ0), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    for (int i = 0; i < r.rowCount(); ++i) {
        const qint64 sid = db::variantToInteger(r.value(i, cSid));
        if (sid < 1 || sid > 99)
            throw EMyError(QStringLiteral("Výplata v stredisku %1: výkaz sčíta len strediská 1 až 99.").arg(sid));
        Suma_SP &row = s.riadky[size_t(sid)];
        const bool zps1 = r.value(i, cZps1).toBool();
        const int nemoc = int(db::variantToInteger(r.value(i, cU_nemoc)));
        const int dochod = int(db::variantToInteger(r.value(i, cU_dochod)));
        bool pocita = false;
        if (isCounted(nemoc)) {
            pocita = true;
            if (employeePaysSp(nemoc))
                row.O_nemoc += r.asFloat(i, cO_nemoc);
            double &zaklad = zps1 ? row.Nemoc_b : row.Nemoc_a;
            double &sadzba = zps1 ? s.Sadzba_b : s.Sadzba_a;
            if (employerPaysSp(nemoc))
                zaklad += r.asFloat(i, cN_zaklad_np);
            sadzba = std::max(sadzba, r.asFloat(i, cFz_nemoc));
        }
        if (isCounted(dochod)) {
            pocita = true;
            if (employeePaysSp(dochod))
                row.O_dochod += r.asFloat(i, cO_dochod);
            double &zaklad = zps1 ? row.Dochod_d : row.Dochod_c;
            double &sadzba = zps1 ? s.Sadzba_d : s.Sadzba_c;
            if (employerPaysSp(dochod))
                zaklad += r.asFloat(i, cN_zaklad_dp);
            sadzba = std::max(sadzba, r.asFloat(i, cFz_dochod));
        }
        if (pocita)
            row.Pocet += 1;
    }
    Suma_SP &t = s.riadky[0];
    for (size_t riadok = 1; riadok <= 99; ++riadok) {
        const Suma_SP &row = s.riadky[riadok];
        t.Pocet += row.Pocet;
        t.O_nemoc += row.O_nemoc;
        t.O_nemoc2 += row.O_nemoc2;
        t.O_dochod += row.O_dochod;
        t.O_dochod2 += row.O_dochod2;
        const struct {
            double sadzba;
            double zaklad;
            double &poistne;
            double &spolu;
        } skupiny[] = {{s.Sadzba_a, row.Nemoc_a, t.Nemoc_a, t.Zaklad_a},
                       {s.Sadzba_b, row.Nemoc_b, t.Nemoc_b, t.Zaklad_b},
                       {s.Sadzba_c, row.Dochod_c, t.Dochod_c, t.Zaklad_c},
                       {s.Sadzba_d, row.Dochod_d, t.Dochod_d, t.Zaklad_d}};
        for (const auto &g : skupiny)
            if (g.sadzba != 0) {
                g.poistne += Poistne(g.zaklad, g.sadzba);
                g.spolu += g.zaklad;
            }
    }
    return s;
}

QString sumLabel(double v) { return fmt::format(u"%10.2n", {v}); }

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace social;
using rpt::label;

// One line of the premium table: payer, base, rate and premium.
void riadok(std::vector<rpt::LayoutItem> &items, int n, double y, const QString &platitel, const QString &zaklad,
            const QString &sadzba, const QString &poistne, bool sadzbaUdaj = false)
{
    const QString k = QString::number(n);
    items.push_back(rpt::rectangle(u"QRS_r"_s + k, {40, y, 150, 6}));
    items.push_back(label(u"QRL_platitel"_s + k, {42, y + 1, 36, 4}, platitel, kArial8));
    if (zaklad.isEmpty())
        items.push_back(label(u"QRL_X"_s + k, {80, y + 1, 48, 4}, u"X"_s, kArial8, Qt::AlignHCenter));
    else
        items.push_back(filledLabel(zaklad, {80, y + 1, 48, 4}, kArial9, Qt::AlignRight));
    if (sadzbaUdaj)
        items.push_back(filledLabel(sadzba, {130, y + 1, 18, 4}, kArial9, Qt::AlignHCenter));
    else
        items.push_back(label(u"L"_s + k, {130, y + 1, 18, 4}, sadzba, kArial9, Qt::AlignHCenter));
    items.push_back(filledLabel(poistne, {150, y + 1, 38, 4}, kArial9, Qt::AlignRight));
}

} // namespace

rpt::LayoutDesc layoutSP()
{
    rpt::LayoutDesc l;
    l.name = u"TReportSP"_s;
    l.title = u"Mesačný výkaz poistného"_s;
    l.previewZoom = 80;

    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"Mesačný výkaz poistného"_s, kArial12b, Qt::AlignHCenter),
        rpt::dbText(u"QRDB_CALC_OBDOBIE"_s, {0, 7, kSirka, 5}, u"CALC_OBDOBIE"_s, kArial9b, Qt::AlignHCenter),
        Pole(u"Názov a adresa zamestnávateľa"_s, u"CALC_NAZOV_ADRESA"_s, 0, 15, kSirka),
        Pole(u"Číslo účtu v peňažnom ústave"_s, u"CALC_CISLO_UCTU"_s, 0, 25, 94),
        Pole(u"Identifikačné číslo organizácie (IČO)"_s, u"ICO"_s, 96, 25, 94),
        Pole(u"Variabilný symbol"_s, u"Q2_.vsym"_s, 0, 35, 94),
        Pole(u"Odvetvová klasifikácia ekonomickej činnosti (OKEČ)"_s, u"OKEC"_s, 96, 35, 94),
        Pole(u"Deň určený na výplatu príjmov zamestnancov za príslušný kalendárny mesiac"_s, u"FZ_DEN"_s, 0, 45, 94),
        rpt::rectangle(u"QRS_poc"_s, {0, 58, kSirka, 10}),
        label(u"QRL_poc"_s, {2, 59, 150, 4}, u"Počet zamestnancov, za ktorých sa odvádza poistné na nemocenské"_s,
              kArial8),
        label(u"QRL_poc2"_s, {2, 63, 150, 4}, u"poistenie a dôchodkové zabezpečenie"_s, kArial8),
        filledLabel(u"POC"_s, {160, 61, 28, 4.5}, kArial9, Qt::AlignRight),
        // Column heads.
        rpt::rectangle(u"QRS_hlava"_s, {0, 72, kSirka, 6}),
        label(u"QRL_h_prijmy"_s, {2, 73, 36, 4}, u"Príjmy"_s, kArial8b),
        label(u"QRL_h_platitel"_s, {42, 73, 36, 4}, u"Platiteľ"_s, kArial8b),
        label(u"QRL_h_zaklad"_s, {80, 73, 48, 4}, u"Vymeriavací základ"_s, kArial8b, Qt::AlignRight),
        label(u"QRL_h_pct"_s, {130, 73, 18, 4}, u"%"_s, kArial8b, Qt::AlignHCenter),
        label(u"QRL_h_sk"_s, {150, 73, 38, 4}, u"Sk"_s, kArial8b, Qt::AlignRight),
        rpt::rectangle(u"QRS_nemoc"_s, {0, 78, 40, 18}),
        label(u"QRL_nemoc"_s, {2, 85, 37, 4}, u"Nemocenské poistenie"_s, kArial8),
        rpt::rectangle(u"QRS_dochod"_s, {0, 96, 40, 18}),
        label(u"QRL_dochod"_s, {2, 103, 37, 4}, u"Dôchodkové zabezpečenie"_s, kArial8),
    };
    riadok(hlava, 1, 78, u"zamestnávateľ"_s, u"Z1"_s, u"3,4"_s, u"V1"_s);
    riadok(hlava, 2, 84, u"zamestnávateľ"_s, u"Z2"_s, u"1,1"_s, u"V2"_s);
    riadok(hlava, 3, 90, u"zamestnanec"_s, {}, u"1,4"_s, u"V3"_s);
    riadok(hlava, 4, 96, u"zamestnávateľ"_s, u"Z4"_s, u"21,6"_s, u"V4"_s);
    riadok(hlava, 5, 102, u"zamestnávateľ"_s, u"Z5"_s, u"5,3"_s, u"V5"_s);
    riadok(hlava, 6, 108, u"zamestnanec"_s, {}, u"L6"_s, u"V6"_s, true);
    hlava.push_back(rpt::rectangle(u"QRS_spolu"_s, {0, 114, kSirka, 10}));
    hlava.push_back(label(u"QRL_spolu"_s, {2, 115, 120, 4}, u"Poistné spolu"_s, kArial9b));
    hlava.push_back(label(u"QRL_spolu2"_s, {2, 119, 120, 4},
                          u"(nemocenské poistenie a dôchodkové zabezpečenie)"_s, kArial7));
    hlava.push_back(filledLabel(u"V7"_s, {150, 116.5, 38, 4.5}, kArial9b, Qt::AlignRight));

    std::vector<rpt::LayoutItem> suhrn{
        label(u"QRL_peciatka"_s, {0, 4, 90, 4}, u"Pečiatka platiteľa a podpis oprávnenej osoby:"_s, kArial8),
        label(u"QRL_zostavil"_s, {100, 4, 48, 4}, u"Výkaz zostavil (meno a podpis):"_s, kArial8),
        filledLabel(u"QR_Vykaz_zostavil"_s, {100, 9, 90, 4.5}, kArial9),
        label(u"QRL_tel"_s, {100, 16, 90, 4}, u"Tel.:  .............................,  Fax:  ..............................."_s,
              kArial8),
        filledLabel(u"QR_telefon"_s, {108, 15, 34, 4}, kArial8),
        filledLabel(u"QR_Fax"_s, {154, 15, 34, 4}, kArial8),
        label(u"QRL_dna"_s, {100, 23, 90, 4}, u"Dňa:  ..........................................."_s, kArial8),
        filledLabel(u"QR_Vykaz_Dna"_s, {108, 22, 40, 4}, kArial8),
    };

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 126,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s, .height = 30,
                                    .items = std::move(suhrn)});
    return l;
}

} // namespace REXSP

TReportSP::TReportSP() : TReportSP(REXSP::layoutSP()) {}

TReportSP::TReportSP(const rpt::LayoutDesc &layout)
{
    nahlad = PreviewMode::Len_s_udajmi;
    Sirky_ramcekov = kRamceky_1_5;
    prepareQuery(Q1_, QStringLiteral("Q1_"), core::kAliasData, QStringLiteral("select * from inf;"));
    for (const char *f : {"CALC_OBDOBIE", "CALC_CISLO_UCTU", "CALC_NAZOV_ADRESA"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { computeStatementFields(ds); };
    prepareQuery(Q2_, QStringLiteral("Q2_"), core::kAliasData,
                  QStringLiteral("select vsym from cis_bu where buid_typ='S' order by buid_kod"));
    S1_.setDataSet(&Q1_);
    S2_.setDataSet(&Q2_);
    mainDataSource = &S1_;
    registerDataSource(QStringLiteral("Q1_"), &S1_);
    registerDataSource(QStringLiteral("Q2_"), &S2_);
    rpt::buildReportForm(*this, layout, social::socialBlocks(),
                         checkFields({{&S1_, &Q1_}, {&S2_, &Q2_}}));
    social::markFilledLabels(*this);
}

TReportSP::~TReportSP() = default;

void TReportSP::computeStatementFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    ds.setValue(QStringLiteral("CALC_OBDOBIE"), social::Text_obdobia(Param.Obdobie));
    ds.setValue(QStringLiteral("CALC_CISLO_UCTU"), social::firmAccountNumber(ds));
    ds.setValue(QStringLiteral("CALC_NAZOV_ADRESA"),
                (Param.Text_firmy + QStringLiteral(", ")
                 + MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO")))
                    .left(100));
}

void TReportSP::Otvor_data()
{
    using namespace REXSP;
    const auto nastav = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    nastav("QR_Vykaz_zostavil", Param.Vykaz_zostavil);
    nastav("QR_Vykaz_Dna", Param.Den_textom);
    nastav("QR_telefon", Param.Telefon);
    nastav("QR_Fax", Param.Fax);
    // The employee's pension rate: 5.9 % until 2000, 6.4 % from 2001.
    nastav("L6", Param.Obdobie < 200100 ? QStringLiteral("5,9") : QStringLiteral("6,4"));

    Sumy = Sucty_vykazu(Q1_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do);
    const Suma_SP &t = Sumy.riadky[0];
    nastav("V1", sumLabel(t.Nemoc_a));
    nastav("V2", sumLabel(t.Nemoc_b));
    nastav("V3", sumLabel(t.O_nemoc));
    nastav("V4", sumLabel(t.Dochod_c));
    nastav("V5", sumLabel(t.Dochod_d));
    nastav("V6", sumLabel(t.O_dochod));
    nastav("V7", sumLabel(t.Nemoc_a + t.Nemoc_b + t.O_nemoc + t.Dochod_c + t.Dochod_d + t.O_dochod));
    nastav("Z1", sumLabel(t.Zaklad_a));
    nastav("Z2", sumLabel(t.Zaklad_b));
    nastav("Z4", sumLabel(t.Zaklad_c));
    nastav("Z5", sumLabel(t.Zaklad_d));
    nastav("POC", QString::number(t.Pocet));

    Q1_.close();
    Q1_.open();
    Q2_.close();
    Q2_.open();
}

void TReportSP::Zatvor_data()
{
    Q2_.close();
    Q1_.close();
}

bool TReportSP::hasData() const { return Q1_.isActive() && !Q1_.isEmpty(); }

} // namespace tarix::reports
