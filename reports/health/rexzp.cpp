#include "reports/health/rexzp.h"

#include "core/helpers/address.h"
#include "core/helpers/rounding.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/format/format_pattern.h"
#include "platform/format/number_format.h"
#include "platform/report/description.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

#include <algorithm>
#include <optional>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::dbText;
using rpt::label;

namespace RexZP {

namespace {

QString recordsText(bool jednaPoistovna)
{
    // An insurer is reported when any record of the range is insured at all.
    return u"select kzp, sid, u_zdrav, zps, n_zaklad_zp, o_zdravot, oz_zdravot, fz_zdravot, f_zdravot "
           u"from \":tarix_data:vyp\" v where v_obdobie=:p1 and sid between :p2 and :p3 and kzp<>0 "
           u"and exists (select 1 from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3 "
           u"and u_zdrav>0)"_s
           + (jednaPoistovna ? u" and kzp=:p4"_s : QString()) + u" order by kzp, code_emp"_s;
}

void Pripocitaj_zaznam(HealthSums &s, const db::SqlResult &r, int i)
{
    const qint64 u = r.asInteger(i, 2);
    if (u < 1 || u > 5)
        return;
    Suma_ZP &row = s.Riadok(r.asInteger(i, 1));
    const bool b = r.asBoolean(i, 3);
    const double zaklad = r.asFloat(i, 4);
    (b ? row.Zaklad_b : row.Zaklad_a) += zaklad;
    if (u != 3) {
        (b ? row.O_zdravot_b : row.O_zdravot_a) += r.asFloat(i, 5);
        double &sadzba = b ? s.employeeRate_b : s.employeeRate_a;
        sadzba = std::max(sadzba, r.asFloat(i, 8));
    }
    (b ? row.Pocet_b : row.Pocet_a) += 1;
    if (u == 1 || u == 3) {
        (b ? row.Zaklad_oz_b : row.Zaklad_oz_a) += zaklad;
        (b ? row.Oz_zdravot_b : row.Oz_zdravot_a) += r.asFloat(i, 6);
        double &sadzba = b ? s.Sadzba_oz_b : s.Sadzba_oz_a;
        sadzba = std::max(sadzba, r.asFloat(i, 7));
    }
}

void closeStatement(HealthSums &s, int obdobie)
{
    s.sumRow0();
    if (obdobie / 100 > 2004)
        return;
    // Up to 2004 the employer's premium is owed on the insurer's whole base, rounded up once.
    Suma_ZP &r = s.Sumy[0];
    r.Oz_zdravot_a = MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, r.Zaklad_oz_a * s.Sadzba_oz_a * 0.01);
    r.Oz_zdravot_b = MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, r.Zaklad_oz_b * s.Sadzba_oz_b * 0.01);
}

std::vector<HealthSums> computeFigures(db::Session &session, int obdobie, int sidOd, int sidDo, std::optional<int> kzp)
{
    db::Params params{{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}};
    if (kzp)
        params.set(u"p4"_s, *kzp);
    const db::SqlResult r = session.run(recordsText(kzp.has_value()), params);
    std::vector<HealthSums> out;
    for (int i = 0; i < r.rowCount(); ++i) {
        const int k = int(r.asInteger(i, 0));
        if (out.empty() || out.back().kzp != k) {
            out.emplace_back();
            out.back().kzp = k;
        }
        Pripocitaj_zaznam(out.back(), r, i);
    }
    for (HealthSums &s : out)
        closeStatement(s, obdobie);
    return out;
}

} // namespace

std::vector<HealthSums> computeStatements(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    return computeFigures(session, obdobie, sidOd, sidDo, std::nullopt);
}

HealthSums Spocitaj_poistovnu(db::Session &session, int obdobie, int sidOd, int sidDo, int kzp)
{
    std::vector<HealthSums> v = computeFigures(session, obdobie, sidOd, sidDo, kzp);
    if (!v.empty())
        return v.front();
    HealthSums s;
    s.kzp = kzp;
    return s;
}

QString employeeLabel(int obdobie)
{
    return obdobie >= 200100 ? u"zamestnanec  4,0%"_s : u"zamestnanec  3,7%"_s;
}

} // namespace RexZP

namespace {

const rpt::FontSpec kArial10b{u"Arial"_s, 10, true};

// A caption with its value beside it; the value is a label the set-up fills (tag 1) or a
// field.
void Riadok(std::vector<rpt::LayoutItem> &items, const QString &meno, const QString &popis, double x, double y,
            double sirkaPopisu, double sirkaHodnoty, const QString &pole = {})
{
    items.push_back(label(u"QRL_"_s + meno, {x, y, sirkaPopisu, 4.5}, popis, kArial8));
    if (pole.isEmpty()) {
        rpt::ControlDesc h = label(meno, {x + sirkaPopisu + 1, y, sirkaHodnoty, 4.5}, {}, kArial9b, Qt::AlignRight);
        h.tag = 1;
        items.push_back(h);
    } else {
        items.push_back(dbText(u"QRDB_"_s + meno, {x + sirkaPopisu + 1, y, sirkaHodnoty, 4.5}, pole, kArial9));
    }
}

rpt::LayoutDesc layoutZP()
{
    rpt::LayoutDesc l;
    l.name = u"TReportZP"_s;
    l.title = u"Mesačný výkaz platiteľa poistného"_s;
    l.previewZoom = 80;
    std::vector<rpt::LayoutItem> s{
        dbText(u"QRDB_nazov_zp"_s, {0, 0, kSirka, 6}, u"nazov_zp"_s, kArial12b, Qt::AlignHCenter),
        dbText(u"QRDB_ca_nadpis1"_s, {0, 7, kSirka, 5}, u"ca_nadpis1"_s, kArial9, Qt::AlignHCenter),
        label(u"QRL_nadpis"_s, {0, 14, kSirka, 6}, u"MESAČNÝ VÝKAZ PLATITEĽA POISTNÉHO"_s, kArial12b, Qt::AlignHCenter),
        dbText(u"QRDB_ca_obdobie"_s, {0, 21, kSirka, 5}, u"ca_obdobie"_s, kArial9b, Qt::AlignHCenter),
        rpt::rectangle(u"QRS_platitel"_s, {0, 29, kSirka, 50}),
        label(u"QRL_platitel"_s, {2, 30, 100, 5}, u"údaje o platiteľovi"_s, kArial10b),
    };
    Riadok(s, u"CALC_FIRMA"_s, u"názov platiteľa poistného"_s, 2, 37, 60, 125, u"CALC_FIRMA"_s);
    Riadok(s, u"CALC_ADRESA"_s, u"adresa platiteľa poistného"_s, 2, 44, 60, 125, u"Q1_.CALC_ADRESA"_s);
    Riadok(s, u"ICO"_s, u"variabilný symbol (IČO)"_s, 2, 51, 60, 125, u"Q1_.ICO"_s);
    s.push_back(label(u"QRL_kontakt"_s, {2, 58, 60, 4.5}, u"kontaktná osoba"_s, kArial8));
    rpt::ControlDesc kontakt = label(u"QR_kontakt_osoba"_s, {63, 58, 125, 4.5}, {}, kArial9);
    kontakt.tag = 1;
    s.push_back(kontakt);
    Riadok(s, u"CALC_CISLO_UCTU"_s, u"bankové spojenie"_s, 2, 65, 60, 125, u"Q1_.CALC_CISLO_UCTU"_s);
    s.push_back(label(u"QRL_den_vyplaty"_s, {2, 72, 60, 4.5}, u"deň určený na výplatu príjmov"_s, kArial8));

    s.push_back(rpt::rectangle(u"QRS_poistne"_s, {0, 83, kSirka, 112}));
    s.push_back(label(u"QRL_poistne"_s, {2, 84, 100, 5}, u"údaje o poistnom"_s, kArial10b));
    const double x = 2, w = 140, v = 40;
    Riadok(s, u"V1"_s, u"počet zamestnancov, za ktorých sa odvádza poistné"_s, x, 92, w, v);
    s.push_back(label(u"QRL_bez_zps"_s, {x, 100, w, 4.5}, u"zamestnanci bez zmenenej pracovnej schopnosti"_s, kArial8b));
    Riadok(s, u"V2"_s, u"počet"_s, x + 5, 106, w - 5, v);
    Riadok(s, u"V3"_s, u"vymeriavací základ v Sk"_s, x + 5, 112, w - 5, v);
    Riadok(s, u"V4"_s, u"výška poistného v Sk"_s, x + 5, 118, w - 5, v);
    s.push_back(label(u"QRL_vtom1"_s, {x + 5, 124, 12, 4.5}, u"v tom"_s, kArial8));
    Riadok(s, u"V5"_s, u"zamestnávateľ  10,0%"_s, x + 20, 124, w - 20, v);
    s.push_back(label(u"QRLabelZam1"_s, {x + 20, 130, w - 20, 4.5}, u"zamestnanec  4,0%"_s, kArial8));
    s.push_back([&] {
        rpt::ControlDesc c = label(u"V6"_s, {x + w + 1, 130, v, 4.5}, {}, kArial9b, Qt::AlignRight);
        c.tag = 1;
        return c;
    }());
    s.push_back(label(u"QRL_so_zps"_s, {x, 138, w, 4.5}, u"zamestnanci so zmenenou pracovnou schopnosťou"_s, kArial8b));
    Riadok(s, u"V7"_s, u"počet"_s, x + 5, 144, w - 5, v);
    Riadok(s, u"V8"_s, u"vymeriavací základ v Sk"_s, x + 5, 150, w - 5, v);
    Riadok(s, u"V9"_s, u"výška poistného v Sk"_s, x + 5, 156, w - 5, v);
    s.push_back(label(u"QRL_vtom2"_s, {x + 5, 162, 12, 4.5}, u"v tom"_s, kArial8));
    Riadok(s, u"V10"_s, u"zamestnávateľ  2,6%"_s, x + 20, 162, w - 20, v);
    s.push_back(label(u"QRLabelZam2"_s, {x + 20, 168, w - 20, 4.5}, u"zamestnanec  4,0%"_s, kArial8));
    s.push_back([&] {
        rpt::ControlDesc c = label(u"V11"_s, {x + w + 1, 168, v, 4.5}, {}, kArial9b, Qt::AlignRight);
        c.tag = 1;
        return c;
    }());
    s.push_back(rpt::horizontalLine(u"QRS_spolu"_s, {0, 178, kSirka, 0}));
    Riadok(s, u"V12"_s, u"Poistné spolu"_s, x, 182, w, v);

    s.push_back(label(u"QRL_peciatka"_s, {0, 200, 100, 4.5}, u"Pečiatka platiteľa a podpis oprávnenej osoby:"_s, kArial8));
    s.push_back(label(u"QRL_zostavil"_s, {0, 215, 50, 4.5}, u"Výkaz zostavil (meno a podpis):"_s, kArial8));
    const auto vyplnany = [&](const QString &meno, rpt::Box box) {
        rpt::ControlDesc c = label(meno, box, {}, kArial9);
        c.tag = 1;
        s.push_back(c);
    };
    vyplnany(u"QR_Vykaz_zostavil"_s, {52, 215, 120, 4.5});
    s.push_back(label(u"QRL_tel"_s, {0, 224, 150, 4.5},
                      u"Tel.:  .............................,  Fax:  ..............................."_s, kArial8));
    vyplnany(u"QR_telefon"_s, {11, 222.5, 40, 4.5});
    vyplnany(u"QR_fax"_s, {64, 222.5, 40, 4.5});
    s.push_back(label(u"QRL_dna"_s, {0, 233, 100, 4.5}, u"Dňa:  ..........................................."_s, kArial8));
    vyplnany(u"QR_vykaz_dna"_s, {11, 231.5, 50, 4.5});

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail,
                                    .name = u"DetailBand1"_s,
                                    .height = 240,
                                    .items = std::move(s),
                                    .forceNewPage = true});
    return l;
}

} // namespace

TReportZP::TReportZP()
{
    nahlad = PreviewMode::Len_s_udajmi;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData,
                  u"select v.kzp, max(v.v_obdobie) v_obdobie, count(*) pocet, "
                  u"(select text from \":tarix_comm:cis_zp\" c where c.id=v.kzp) nazov_zp "
                  u"from \":tarix_data:vyp\" v where v.v_obdobie=:p1 and v.sid between :p2 and :p3 and v.kzp<>0 "
                  u"and exists (select 1 from \":tarix_data:vyp\" where v_obdobie=:p1 and sid between :p2 and :p3 "
                  u"and u_zdrav>0) group by v.kzp order by v.kzp"_s);
    for (const char *f : {"CALC_FIRMA", "ca_nadpis1", "ca_obdobie"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    prepareQuery(Q1_, u"Q1_"_s, core::kAliasData, u"select * from inf"_s);
    for (const char *f : {"CALC_ADRESA", "CALC_CISLO_UCTU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { Q1_CalcFields(ds); };
    S0_.setDataSet(&Q0_);
    S1_.setDataSet(&Q1_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"Q1_"_s, &S1_);
    rpt::buildReportForm(*this, layoutZP(), socialBlocks(), checkFields({{&S0_, &Q0_}, {&S1_, &Q1_}}));
    markFilledLabels(*this);
    band(rpt::BandKind::Detail)->beforePrint = [this](rpt::Band &, bool &) { DetailBand1BeforePrint(); };
}

TReportZP::~TReportZP() = default;

void TReportZP::Q0_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"CALC_FIRMA"_s, Param.Text_firmy);
    ds.setValue(u"ca_nadpis1"_s, u"kód zdravotnej poisťovne : "_s
                                     + MyConsts::Dopln_zlava(ds.fieldByName(u"kzp"_s).asString(), 2, u'0'));
    ds.setValue(u"ca_obdobie"_s, Text_obdobia(int(ds.fieldByName(u"v_obdobie"_s).asInteger())));
}

void TReportZP::Q1_CalcFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
    ds.setValue(u"CALC_ADRESA"_s,
                MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO")).left(100));
    ds.setValue(u"CALC_CISLO_UCTU"_s, firmAccountNumber(ds));
}

void TReportZP::DetailBand1BeforePrint()
{
    Sumy = RexZP::Spocitaj_poistovnu(Q0_.session(), Param.Obdobie, Param.Stredisko_od, Param.Stredisko_do,
                                     int(Q0_.fieldByName(u"kzp"_s).asInteger()));
    // Each caption states the rate its amount was computed with; a group without records
    // states the year's rate.
    const auto popis = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    const auto zamestnavatel = [](double pouzita, double rocna) {
        return u"zamestnávateľ  "_s + fmt::formatFloat(u"0.0", pouzita > 0 ? pouzita : rocna) + u'%';
    };
    const auto zamestnanec = [&](double pouzita) {
        return pouzita > 0 ? u"zamestnanec  "_s + fmt::formatFloat(u"0.0", pouzita) + u'%'
                           : RexZP::employeeLabel(Param.Obdobie);
    };
    popis("QRL_V5", zamestnavatel(Sumy.Sadzba_oz_a, m_yearRates[0]));
    popis("QRL_V10", zamestnavatel(Sumy.Sadzba_oz_b, m_yearRates[1]));
    popis("QRLabelZam1", zamestnanec(Sumy.employeeRate_a));
    popis("QRLabelZam2", zamestnanec(Sumy.employeeRate_b));
    const Suma_ZP &r = Sumy.grandTotal();
    const auto suma = [&](const char *meno, double v) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = fmt::format(u"%10.2n", {v});
    };
    const auto pocet = [&](const char *meno, int v) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = QString::number(v);
    };
    pocet("V1", r.Pocet_a + r.Pocet_b);
    pocet("V2", r.Pocet_a);
    suma("V3", r.Zaklad_a);
    suma("V4", r.Oz_zdravot_a + r.O_zdravot_a);
    suma("V5", r.Oz_zdravot_a);
    suma("V6", r.O_zdravot_a);
    pocet("V7", r.Pocet_b);
    suma("V8", r.Zaklad_b);
    suma("V9", r.Oz_zdravot_b + r.O_zdravot_b);
    suma("V10", r.Oz_zdravot_b);
    suma("V11", r.O_zdravot_b);
    suma("V12", r.grandTotal());
}

void TReportZP::Otvor_data()
{
    const auto caption = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    caption("QR_Vykaz_zostavil", Param.Vykaz_zostavil);
    caption("QR_vykaz_dna", Param.Den_textom);
    caption("QR_telefon", Param.Telefon);
    caption("QR_fax", Param.Fax);
    caption("QR_kontakt_osoba", Param.Kontaktna_osoba);
    const db::SqlResult rok = Q0_.session().run(u"select fz_zdravot, fz_zdravot1 from \":tarix_comm:setup\""_s);
    for (int i = 0; i < 2; ++i)
        m_yearRates[size_t(i)] = rok.rowCount() ? rok.asFloat(0, i) : 0.0;
    Q1_.close();
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Obdobie);
    Q0_.setParam(u"p2"_s, Param.Stredisko_od);
    Q0_.setParam(u"p3"_s, Param.Stredisko_do);
    Q0_.open();
    Q1_.open();
}

void TReportZP::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
