#include "reports/taxreport/report_vd.h"

#include "core/helpers/employment_period.h"
#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "platform/format/format.h"
#include "reports/taxreport/report_vd2005a.h"
#include "reports/taxreport/tax_blocks.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace vd {

Sumy loadSums(db::Session &session, int rok)
{
    const db::Params p{{u"p1"_s, rok}};
    const auto prve = [&](const QString &sql, int stlpec = 0) {
        const db::SqlResult r = session.run(sql, p, core::kAliasData);
        return r.rowCount() ? r.asFloat(0, stlpec) : 0.0;
    };
    Sumy s;
    s.P = prve(u"select sum(d_preddavok) d_preddavok, sum(d_dan) d_dan from vyp where v_rok = :p1"_s);
    s.T = prve(u"select sum(d_preddavok) d_preddavok, sum(d_dan) d_dan from vyp where v_rok = :p1"_s, 1);
    s.N = prve(u"select -sum(d_vyrovnanie) d_nedoplatok from vyp where v_rok = :p1 and d_vyrovnanie < 0"_s);
    s.O = prve(u"select sum(d_vyrovnanie) d_preplatok from vyp where v_rok = :p1 and d_vyrovnanie > 0"_s);
    return s;
}

} // namespace vd

namespace VD2 {

QString Riadok::arrearsText() const { return CALC_ZOBRAZ ? tax_blocks::sumLabel(CALC_NEDOPLATOK) : u" "_s; }

QString settled(const QVariant &zac, const QVariant &kon)
{
    if (!zac.isValid())
        return {};
    const QString od = QString::number(db::variantToInteger(zac));
    const QString po = QString::number(db::variantToInteger(kon));
    return od == po ? od : od + u" - "_s + po;
}

std::vector<Riadok> vdRows(db::Session &session, int rok)
{
    db::Params dniRoka;
    MyConsts::setPeriodDays(dniRoka, MyConsts::yearDays(rok));
    const db::SqlResult q0 = session.run(
        u"select code_emp, born_numb, born_date, surname,name, title, tp_street, tp_city, tp_zip from zam where "_s
            + MyConsts::employedInPeriodSql() + u" and dan_zrazkou=false order by surname"_s,
        dniRoka, core::kAliasData);
    const auto celych = [](double v) { return fmt::formatFloat(u"#,##0", v); };
    std::vector<Riadok> out;
    for (int i = 0; i < q0.rowCount(); ++i) {
        const auto t = [&](int c) { return q0.asString(i, c).trimmed(); };
        Riadok r;
        r.code_emp = int(q0.asInteger(i, 0));
        r.born_numb = t(1);
        r.CALC_MENO = MyConsts::Cele_meno(t(5), t(3), t(4));
        r.CALC_TP = q0.asString(i, 6) + u", "_s + q0.asString(i, 8) + u' ' + q0.asString(i, 7);
        const db::Params p{{u"p1"_s, r.code_emp}, {u"p2"_s, rok}};
        const db::SqlResult q1 = session.run(
            u"select sum(d_ciastzd1+n_poist+n_ddp) n_brutto, sum(d_ciastzd1) d_ciastzd, sum(d_preddavok1) d_preddavky, "
            "min(v_mesiac) zuct_zac, max(v_mesiac) zuct_kon from vyp where code_emp=:p1 and v_rok=:p2"_s,
            p, core::kAliasData);
        const bool maZaznam = q1.rowCount() > 0;
        r.CALC_PRIJMY = celych(maZaznam ? q1.asFloat(0, 0) : 0);
        r.CALC_ZD = celych(maZaznam ? q1.asFloat(0, 1) : 0);
        r.CALC_PREDDAVKY = celych(maZaznam ? q1.asFloat(0, 2) : 0);
        r.CALC_ZUCTOVANE = maZaznam ? settled(q1.value(0, 3), q1.value(0, 4)) : QString();
        const db::SqlResult rz =
            session.run(u"select preplatok from rzp where code_emp=:p1 and v_rok=:p2"_s, p, core::kAliasData);
        r.CALC_ZOBRAZ = rz.rowCount() > 0;
        r.CALC_NEDOPLATOK = r.CALC_ZOBRAZ ? rz.asFloat(0, 0) : 0;
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace VD2

namespace {

using namespace tax_blocks;
using rpt::label;

rpt::LayoutDesc layoutVD()
{
    rpt::LayoutDesc l;
    l.name = u"TReportVD"_s;
    l.title = u"Hlásenie o vyúčtovaní dane - časť I. a II."_s;
    l.previewZoom = 80;
    l.printIfEmpty = true;
    std::vector<rpt::LayoutItem> strana{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6},
              u"HLÁSENIE o vyúčtovaní dane a o úhrne príjmov zo závislej činnosti"_s, kArial11b, Qt::AlignHCenter),
        label(u"QRL_za_rok"_s, {140, 9, 16, 4.5}, u"za rok "_s, kArial9b),
        filledLabel(u"QR_ROK"_s, {156, 9, 20, 4.5}, kArial9b),
        titleHeading(u"cast1"_s, u"Časť I. - Vyúčtovanie dane"_s, 15),
        rpt::Stack{.top = 22,
                   .width = kSirka,
                   .lines =
                       {
                           Riadok(u"d_preddavok"_s, u"1"_s,
                                  u"Úhrn  zrazených  preddavkov  na  daň  zo zúčtovaných  a  vyplatených  miezd vrátane "
                                  "nepeňažného  plnenia  za  celé  zdaňovacie obdobie"_s),
                           Riadok(u"d_nedoplatok"_s, u"2"_s,
                                  u"Úhrn zrazených nedoplatkov na dani z ročného zúčtovania  za  predchádzajúce  "
                                  "zdaňovacie obdobie"_s),
                           Riadok(u"d_preplatok"_s, u"3"_s,
                                  u"Vrátené  preplatky  na  dani  z  ročného zúčtovania za predchádzajúce zdaňovacie "
                                  "obdobie"_s),
                           Riadok(u"odv_povinnost"_s, u"7"_s, u"Odvodová povinnosť (r. 1 + r. 2 - r. 3)"_s),
                           Riadok(u"d_dan"_s, u"9"_s,
                                  u"Osobitná sadzba dane podľa  §  36  zákona o daniach z príjmov\nzrazené"_s),
                       }},
        titleHeading(u"cast2"_s, u"Časť II. - Výpočet odvodovej povinnosti"_s, 22 + 5 * 9 + 3),
        rpt::Stack{.top = 22 + 5 * 9 + 9,
                   .width = kSirka,
                   .lines = {Riadok(u"mal_odviest"_s, u"1"_s,
                                    u"Na preddavkoch na daň a na dani malo byť za  zdaňovacie  obdobie  odvedené r. 7 + "
                                    "r. 9   ( časť I. )"_s)}},
    };
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s,
                                    .height = 22 + 5 * 9 + 9 + 9 + 1, .items = std::move(strana)});
    return l;
}

// The columns of part III: caption, field, left edge and width.
struct Stlpec {
    const char16_t *popis;
    const char16_t *pole;
    double x, w;
    Qt::Alignment zarovnanie;
};
const Stlpec kStlpce[] = {
    {u"Rodné číslo", u"born_numb", 0, 22, Qt::AlignLeft},
    {u"Priezvisko a meno", u"CALC_MENO", 23, 50, Qt::AlignLeft},
    {u"Trvalý pobyt", u"CALC_TP", 74, 70, Qt::AlignLeft},
    {u"Úhrn príjmov", u"CALC_PRIJMY", 145, 22, Qt::AlignRight},
    {u"Zúčtované v mesiacoch", u"CALC_ZUCTOVANE", 168, 22, Qt::AlignHCenter},
    {u"Základ dane", u"CALC_ZD", 191, 22, Qt::AlignRight},
    {u"Zrazené preddavky", u"CALC_PREDDAVKY", 214, 22, Qt::AlignRight},
    {u"Preplatok z ročného zúčtovania", u"CALC_NEDOPLATOK", 237, 40, Qt::AlignRight},
};

rpt::LayoutDesc layoutVD2()
{
    rpt::LayoutDesc l;
    l.name = u"TReportVD2"_s;
    l.title = u"Hlásenie o vyúčtovaní dane - časť III."_s;
    l.page.orientation = rpt::Orientation::Landscape;
    l.previewZoom = 80;
    constexpr double kSirkaL = 277;
    std::vector<rpt::LayoutItem> hlava{
        Popis(u"QRM_nadpis"_s, {0, 0, kSirkaL, 10},
              u"Časť III. - Úhrn príjmov poskytnutých jednotlivým zamestnancom, úhrn zrazených preddavkov na daň z "
              "týchto príjmov"_s,
              kArial9b),
        label(u"QRL_za_rok"_s, {220, 10, 16, 4.5}, u"za rok "_s, kArial9b),
        filledLabel(u"QR_ROK"_s, {236, 10, 20, 4.5}, kArial9b),
        rpt::rectangle(u"QRS_hlavicka"_s, {0, 16, kSirkaL, 8}),
    };
    std::vector<rpt::LayoutItem> riadok{rpt::horizontalLine(u"QRS_riadok"_s, {0, 5.5, kSirkaL, 0})};
    for (const Stlpec &s : kStlpce) {
        const QString pole = QString::fromUtf16(s.pole);
        hlava.push_back(Popis(u"QRL_"_s + pole, {s.x + 0.5, 16.5, s.w - 1, 7}, QString::fromUtf16(s.popis), kArial7));
        riadok.push_back(rpt::dbText(u"QRDB_"_s + pole, {s.x + 0.5, 0.5, s.w - 1, 4.5}, pole, kArial8, s.zarovnanie));
    }
    std::vector<rpt::LayoutItem> pata{
        label(u"QRL_vyplnte"_s, {0, 2, kSirkaL, 4},
              u"Vyplňte len za zamestnancov, ktorým ste vykonali ročné zúčtovanie preddavkov"_s, kArial7),
        label(u"QRL_vypracoval"_s, {0, 8, 25, 4.5}, u"Vypracoval (a) :"_s, kArial8),
        filledLabel(u"QR_Vykaz_zostavil"_s, {25, 8, 60, 4.5}, kArial8),
        label(u"QRL_telefon"_s, {90, 8, 15, 4.5}, u"Telefón:"_s, kArial8),
        filledLabel(u"QR_Telefon"_s, {105, 8, 40, 4.5}, kArial8),
        label(u"QRL_miesto"_s, {0, 14, 5, 4.5}, u"V"_s, kArial8),
        filledLabel(u"QR_Miesto"_s, {5, 14, 50, 4.5}, kArial8),
        label(u"QRL_dna"_s, {60, 14, 10, 4.5}, u"Dňa:"_s, kArial8),
        filledLabel(u"QR_Dna"_s, {70, 14, 30, 4.5}, kArial8),
        label(u"QRL_podpis"_s, {150, 14, 80, 4.5}, u"Podpis a odtlačok pečiatky platiteľa dane : "_s, kArial8),
        label(u"QRL_mf"_s, {0, 21, 80, 3.5}, u"MF SR č. 20 629/2001-72"_s, kArial6),
    };
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 25,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 6,
                                    .items = std::move(riadok)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s, .height = 25,
                                    .items = std::move(pata)});
    return l;
}

} // namespace

TReportVD::TReportVD()
{
    rpt::buildReportForm(*this, layoutVD(), tax_blocks::taxBlocks());
    tax_blocks::markFilledLabels(*this);
}

void TReportVD::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    Sumy = vd::loadSums(*db::Session::defaultSession(), rok);
    tax_blocks::setBlock(*this, u"QR_ROK"_s, QString::number(rok));
    const std::pair<const char16_t *, double> riadky[] = {
        {u"d_preddavok", Sumy.P}, {u"d_nedoplatok", Sumy.N}, {u"d_preplatok", Sumy.O},
        {u"odv_povinnost", Sumy.Riadok7()}, {u"d_dan", Sumy.T}, {u"mal_odviest", Sumy.shouldHaveBeenPaid()},
    };
    for (const auto &[meno, v] : riadky)
        tax_blocks::setBlock(*this, QString::fromUtf16(meno), tax_blocks::sumLabel(v));
}

TReportVD2::TReportVD2()
{
    mainDataSource = &Q0_;
    registerDataSource(u"Q0_"_s, &Q0_);
    QStringList polia;
    for (const Stlpec &s : kStlpce)
        polia << QString::fromUtf16(s.pole);
    rpt::buildReportForm(*this, layoutVD2(), tax_blocks::taxBlocks(),
                         [polia](const rpt::ReportDataSource &, const QString &pole) {
                             return polia.contains(pole, Qt::CaseInsensitive);
                         });
    tax_blocks::markFilledLabels(*this);
}

void TReportVD2::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    tax_blocks::setBlock(*this, u"QR_ROK"_s, QString::number(rok));
    tax_blocks::setBlock(*this, u"QR_Vykaz_zostavil"_s, Param.Vykaz_zostavil);
    tax_blocks::setBlock(*this, u"QR_Telefon"_s, Param.Telefon);
    tax_blocks::setBlock(*this, u"QR_Miesto"_s, Param.Miesto);
    tax_blocks::setBlock(*this, u"QR_Dna"_s, Param.Den_textom);
    std::vector<QVariantMap> rows;
    for (const VD2::Riadok &r : VD2::vdRows(*db::Session::defaultSession(), rok))
        rows.push_back({{u"born_numb"_s, r.born_numb},
                        {u"CALC_MENO"_s, r.CALC_MENO},
                        {u"CALC_TP"_s, r.CALC_TP},
                        {u"CALC_PRIJMY"_s, r.CALC_PRIJMY},
                        {u"CALC_ZUCTOVANE"_s, r.CALC_ZUCTOVANE},
                        {u"CALC_ZD"_s, r.CALC_ZD},
                        {u"CALC_PREDDAVKY"_s, r.CALC_PREDDAVKY},
                        {u"CALC_NEDOPLATOK"_s, r.arrearsText()}});
    Q0_.setRows(std::move(rows));
}

} // namespace tarix::reports
