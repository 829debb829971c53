#include "reports/lists/report_vl3.h"

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/db/sql_result.h"
#include "reports/lists/report_list.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace pay_lists;

namespace pay_lists {
namespace {

constexpr double kRiadok = 3.6;
constexpr double kVlavo = 0;       // left block
constexpr double kVpravo = 98;     // right block
constexpr double kHore = 0;

// A line of a block: caption, an optional hours value and the amount; a value with an
// operator is an expression over the row, else a field.
struct Riadok {
    QString popis;
    QString hodiny;
    QString suma;
    bool tucne = false;
    QString meno{};                // the caption's name when set at run time
};

rpt::ControlDesc hodnota(const QString &name, rpt::Box box, const QString &text, const QString &mask, bool tucne)
{
    const bool vyraz = text.contains(u'+') || text.contains(u'-');
    rpt::ControlDesc c = vyraz ? rpt::expression(name, box, text, narrowFont(7.5, tucne), Qt::AlignRight, mask)
                               : rpt::dbText(name, box, text, narrowFont(7.5, tucne), Qt::AlignRight, mask);
    return c;
}

// A block of lines under its three heads, from (x, y); returns the controls.
void vl3Block(std::vector<rpt::LayoutItem> &out, const QString &id, double x, double &y, double sirkaPopisu,
          const QStringList &hlavy, const std::vector<Riadok> &riadky, const QString &maskHodin)
{
    constexpr double kHodiny = 14, kSuma = 22;
    if (!hlavy.isEmpty()) {
        out.push_back(rpt::label(u"QRLabel_%1_hlava"_s.arg(id), {x, y, sirkaPopisu, kRiadok}, hlavy.value(0),
                                 reportFont(8, true)));
        if (!hlavy.value(1).isEmpty())
            out.push_back(rpt::label(u"QRLabel_%1_hodiny"_s.arg(id), {x + sirkaPopisu, y, kHodiny, kRiadok},
                                     hlavy.value(1), reportFont(8, true), Qt::AlignRight));
        out.push_back(rpt::label(u"QRLabel_%1_suma"_s.arg(id), {x + sirkaPopisu + kHodiny, y, kSuma, kRiadok},
                                 hlavy.value(2), reportFont(8, true), Qt::AlignRight));
        out.push_back(rpt::horizontalLine(u"QRShape_%1"_s.arg(id),
                                          {x, y + kRiadok + 0.2, sirkaPopisu + kHodiny + kSuma, 0}));
        y += kRiadok + 0.6;
    }
    int n = 0;
    for (const Riadok &r : riadky) {
        ++n;
        const QString meno = r.meno.isEmpty() ? u"QRLabel_%1_%2"_s.arg(id).arg(n) : r.meno;
        rpt::ControlDesc popis = rpt::label(meno, {x, y, sirkaPopisu, kRiadok}, r.popis, narrowFont(7.5, r.tucne));
        if (!r.meno.isEmpty())
            popis.tag = 1;   // set at run time
        out.push_back(popis);
        if (!r.hodiny.isEmpty())
            out.push_back(hodnota(u"QRHod_%1_%2"_s.arg(id).arg(n), {x + sirkaPopisu, y, kHodiny, kRiadok}, r.hodiny,
                                  maskHodin, r.tucne));
        if (!r.suma.isEmpty())
            out.push_back(hodnota(u"QRSum_%1_%2"_s.arg(id).arg(n), {x + sirkaPopisu + kHodiny, y, kSuma, kRiadok},
                                  r.suma, u"0.00"_s, r.tucne));
        y += kRiadok;
    }
    y += 1.5;
}

} // namespace

rpt::LayoutDesc layoutVL3()
{
    rpt::LayoutDesc d;
    d.name = u"TReportVL3"_s;
    d.title = u"Rekapitulácia miezd"_s;
    d.page.orientation = rpt::Orientation::Portrait;
    d.page.leftMargin = d.page.rightMargin = 10;
    d.page.topMargin = d.page.bottomMargin = 10;
    d.previewZoom = 100;

    std::vector<rpt::LayoutItem> hlavicka{
        rpt::label(u"QRLabel_vykaz"_s, {0, 0, 18, 5}, u"VÝKAZ:"_s, reportFont(10, true)),
        titleBlock({18, 0, 172, 5}),
        rpt::label(u"QRLabel_firma"_s, {0, 6, 18, 4.5}, u"FIRMA:"_s, reportFont(9)),
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {18, 6, 172, 4.5}, u"CALC_FIRMA"_s, reportFont(9)),
        rpt::horizontalLine(u"QRShape_hlavicka"_s, {0, 11.5, 190, 0}),
    };

    std::vector<rpt::LayoutItem> detail;
    double y = kHore + 1;
    vl3Block(detail, u"prijem"_s, kVlavo, y, 56, {u"PRÍJEM"_s, u"HODINY"_s, u"SUMA"_s},
         {
             {u"Mzda základná"_s, u"v_hodina"_s, u"v_plat"_s},
             {u"Mzdové príplatky"_s, {}, u"n_priplat"_s},
             {u"Odmeny"_s, {}, u"n_odmeny"_s},
             {u"Odm.členov štat.orgánov"_s, {}, u"n_clenovia_organov"_s},
             {u"Náhr. za prac.pohotovosť"_s, {}, u"n_pohotovost"_s},
             {u"Prémie"_s, {}, u"n_premie"_s},
             {u"Jednorázová mzda"_s, {}, u"n_jednoraz1+n_jednoraz2"_s},
             {u"Náhr. za dovolenku"_s, u"v_holiday"_s, u"n_holiday"_s},
             {u"Náhr. za sviatky"_s, u"v_sviatok"_s, u"n_sviatok"_s},
             {u"Náhrada mzdy"_s, u"vh_nahrada"_s, u"n_nahrada"_s},
             {u"Náhrada za nepracovanie"_s, u"vh_nemohol"_s, u"n_nemohol"_s},
             {u"Náhrada mzdy za PN"_s, u"v_nahrada_pn1+v_nahrada_pn2"_s, u"n_nahrada_pn"_s},
             {u"Príjmy mimo poistného"_s, {}, u"n_mimo_poistne"_s},
             {u"Preplatok/nedoplatok zdrav.poistenia"_s, {}, u"vyrovnanie_zp"_s},
             {u"Dohody o vyk. práce"_s, {}, u"n_dohody_ovp"_s},
             {u"Dohody o prac. činnosti"_s, {}, u"n_dohody_opc"_s},
             {u"Príspevok zo soc.fondu"_s, {}, u"n_socfond"_s},
             {u"Odstupné"_s, {}, u"n_odstupne"_s},
             {u"HRUBÝ PRÍJEM SPOLU"_s, {}, u"n_brutto"_s, true},
             {u"Hrubý príjem zdanený os.sadzbou"_s, {}, u"calc_brutto_dohody"_s},
             {u"Poistné do fondov - pre mes.zdanenie"_s, {}, u"n_poist1"_s},
             {u"Poistné do fondov - pre ročné zdanenie"_s, {}, u"n_poist3"_s},
             {u"Dopravné"_s, {}, u"dopravne+dopravne_mimoriadne"_s},
             {u"DDP zamestnanci"_s, {}, u"n_ddp"_s},
             {u"DDP zamestnávateľ"_s, {}, u"nz_ddp"_s},
             {u"Zvýšenie základu dane za auto"_s, {}, u"pouz_auto"_s},
             {u"Ost. položky zvyšujúce základ dane"_s, {}, u"zvys_ostatne"_s},
             {u"ČIASTKOVÝ ZÁKLAD DANE"_s, {}, u"d_ciastzd"_s, true},
             {u"Nezdaniteľné minimum"_s, {}, u"nc_minimum"_s},
             {u"Nezdanit.č. na deti"_s, {}, u"nc_deti"_s},
             {u"Ostatné nezdaniteľné čiastky"_s, {}, u"nc_ine"_s},
             {u"ZÁKLAD DANE - mesač.preddavok"_s, {}, u"d_zdanmzda1"_s, true},
             {u"ZÁKLAD DANE - ročný preddavok"_s, {}, u"d_zdanmzda3"_s, true},
             {u"ZÁKLAD DANE - zrážka dane"_s, {}, u"d_zdanmzda2"_s, true},
             {u"Mesačné preddavky na daň"_s, {}, u"d_preddavok1"_s},
             {u"Ročné preddavky na daň"_s, {}, u"d_preddavok3"_s},
             {u"Preddavky na daň spolu"_s, {}, u"d_preddavok"_s},
             {u"Zrážková daň"_s, {}, u"d_dan"_s},
             {{}, {}, u"d_dan_minula"_s, false, u"QRLabel_zrazkova2"_s},
             {u"Daňový bonus na deti"_s, {}, u"d_bonus_cerpany"_s},
             {u"Nedoplatok(+), preplatok(-) ročnej dane"_s, {}, u"calc_dan_nedoplatok-calc_dan_preplatok"_s},
         },
         u"0.0"_s);
    const double vyskaVlavo = y;

    y = kHore + 1;
    std::vector<Riadok> priplatky{
        {u"Za nadčas"_s, u"vh_nadcas"_s, u"vp_nadcas"_s},
        {u"Za prácu v sobotu"_s, u"vh_sobota"_s, u"vp_sobota"_s},
        {u"Za prácu v nedeľu"_s, u"vh_nedela"_s, u"vp_nedela"_s},
        {u"Za prácu vo sviatok"_s, u"vh_sviatok"_s, u"vp_sviatok"_s},
        {u"Za prácu v noci"_s, u"vh_noc"_s, u"vp_noc"_s},
        {u"Škodlivé prostr."_s, u"vh_skod"_s, u"vp_skod"_s},
    };
    for (int i = 1; i <= 5; ++i)
        priplatky.push_back({{}, u"vh_priplat%1"_s.arg(i), u"vp_priplat%1"_s.arg(i), false,
                             u"QRLabel_priplatok%1"_s.arg(i)});
    vl3Block(detail, u"priplatky"_s, kVpravo, y, 56, {u"PRÍPLATKY"_s, u"HODINY"_s, u"SUMA"_s}, priplatky, u"0"_s);
    vl3Block(detail, u"poistne"_s, kVpravo, y, 56, {u"POISTNÉ"_s, {}, u"SUMA"_s},
         {
             {u"Zdravotné"_s, {}, u"o_zdravot"_s},
             {u"Nemocenské"_s, {}, u"o_nemoc"_s},
             {u"Starobné"_s, {}, u"o_dochod"_s},
             {u"Fond zamestnanosti"_s, {}, u"o_fondzam"_s},
             {u"Invalidné"_s, {}, u"o_invalid"_s},
             {u"POISTNÉ SPOLU"_s, {}, u"n_poist"_s, true},
             {u"PN"_s, {}, u"n_pn1+n_pn2"_s},
             {u"Ošetrovné"_s, {}, u"n_ocr"_s},
             {u"Materský príspevok"_s, {}, u"nd_materska"_s},
             {u"Rodičovský príspevok"_s, {}, u"nd_rodic"_s},
             {u"Prídavky na deti"_s, {}, u"nd_pridavky"_s},
             {u"Iné dávky"_s, {}, u"nd_ine"_s},
             {u"DÁVKY NP SPOLU"_s, {}, u"nd_spolu"_s, true},
         },
         {});
    vl3Block(detail, u"vysledok"_s, kVpravo, y, 56, {},
         {
             {u"HRUBÝ PRÍJEM SPOLU"_s, {}, u"n_brutto"_s, true},
             {u"POISTNÉ SPOLU"_s, {}, u"n_poist"_s},
             {u"DAŇ SPOLU"_s, {}, u"d_preddavok+d_dan"_s},
             {u"Doplatky"_s, {}, u"n_doplatok"_s},
             {u"Príjmy oslobodené od dane"_s, {}, u"n_oslobodeny"_s},
             {u"Nemocenské dávky spolu"_s, {}, u"nd_spolu"_s},
             {u"ČISTÝ PRÍJEM"_s, {}, u"n_netto"_s, true},
         },
         {});
    vl3Block(detail, u"zrazky"_s, kVpravo, y, 56, {},
         {
             {u"Sporenie"_s, {}, u"sporenie"_s},
             {u"Stravné"_s, {}, u"ne_stravne"_s},
             {u"Poistky"_s, {}, u"ne_poistovna"_s},
             {u"Pôžičky"_s, {}, u"ne_pozicky"_s},
             {u"Odborársky príspevok"_s, {}, u"ne_odborar"_s},
             {u"Ostatné zrážky"_s, {}, u"ne_exekucia"_s},
             {u"Záloha"_s, {}, u"ne_zaloha"_s},
             {u"ZRÁŽKY SPOLU"_s, {}, u"calc_zrazky"_s, true},
             {u"K VÝPLATE"_s, {}, u"vyplata"_s, true},
         },
         {});
    const double vyska = std::max(vyskaVlavo, y) + 1;
    detail.push_back(rpt::verticalLine(u"QRShape_stred"_s, {kVpravo - 3, 0.5, 0, vyska - 1}));

    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 13,
                                    .items = std::move(hlavicka)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = vyska,
                                    .items = std::move(detail)});
    return d;
}

} // namespace pay_lists

TReportVL3::TReportVL3()
{
    Sirky_ramcekov = kRamceky_1_8;
    nahlad = PreviewMode::Len_s_udajmi;
    mainDataSource = &Q0_;
    registerDataSource(u"Q0_"_s, &Q0_);
    QSet<QString> polia;
    for (const QString &p : wage_recap::sumFields())
        polia.insert(p);
    polia << u"calc_firma"_s << u"d_dan_minula"_s;
    rpt::buildReportForm(*this, layoutVL3(), noBlocks(), [&](const rpt::ReportDataSource &zdroj, const QString &pole) {
        return &zdroj == &Q0_ ? polia.contains(pole.toLower()) : zdroj.hasField(pole);
    });
}

TReportVL3::~TReportVL3() = default;

void TReportVL3::Nastav_parametre(const TMyReportParam &p)
{
    TReport::Nastav_parametre(p);
    m_rozsah = wage_recap::requestRange(p);
    Param.Obdobie_od = m_rozsah.obdobieOd;
    Param.Obdobie_do = m_rozsah.obdobieDo;
}

void TReportVL3::Otvor_data()
{
    db::Session &session = *db::Session::defaultSession();
    auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s);
    auto *zrazkova2 = findAs<rpt::ReportLabel>(u"QRLabel_zrazkova2"_s);
    if (m_rozsah.isMonthly()) {
        if (titul)
            titul->caption = u"REKAPITULÁCIA MIEZD ZA "_s + monthAndYear(m_rozsah.obdobieOd, true);
        if (zrazkova2)
            zrazkova2->caption = u"Zrážková daň za minulý mesiac"_s;
    } else {
        if (titul)
            titul->caption = u"REKAPITULÁCIA MIEZD ZA ROK "_s + QString::number(m_rozsah.obdobieOd / 100);
        if (zrazkova2)
            zrazkova2->caption = u"Pri ročnej rekapitulácii : nevyplnené"_s;
    }
    // The firm's own surcharges are captioned from its header.
    const db::SqlResult inf = session.run(u"select f_priplat1_text, f_priplat2_text, f_priplat3_text, "
                                          "f_priplat4_text, f_priplat5_text from inf"_s,
                                          {}, core::kAliasData);
    for (int i = 1; i <= 5; ++i)
        if (auto *l = findAs<rpt::ReportLabel>(u"QRLabel_priplatok%1"_s.arg(i)))
            l->caption = inf.rowCount() ? inf.asString(0, i - 1).trimmed() : QString();

    m_sumy = wage_recap::wageRecap(session, m_rozsah);
    std::vector<QVariantMap> riadky;
    if (m_sumy.pocet > 0) {
        QVariantMap r;
        for (auto it = m_sumy.hodnoty.cbegin(); it != m_sumy.hodnoty.cend(); ++it)
            r.insert(it.key(), it.value());
        r.insert(u"calc_firma"_s, Param.Text_firmy);
        r.insert(u"d_dan_minula"_s, m_sumy.d_dan_minula ? QVariant(*m_sumy.d_dan_minula) : QVariant());
        riadky.push_back(r);
    }
    Q0_.setRows(std::move(riadky));
}

void TReportVL3::Zatvor_data() { Q0_.setRows({}); }

} // namespace tarix::reports
