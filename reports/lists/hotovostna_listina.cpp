#include "reports/lists/hotovostna_listina.h"

#include "core/helpers/text_utils.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace zoznamy;

TReportHotovostnaListina::TReportHotovostnaListina(Druh druh) : m_druh(druh)
{
    Q0_.setSql(Text_Q0(druh));
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Vypocitaj_polia(ds); };
    beforePrint = [this](rpt::ReportForm &, bool &) { Spocitaj_mince(); };
}

QString TReportHotovostnaListina::Text_Q0(Druh druh)
{
    return QStringList{
        u"select v.*, z.code_emp, z.surname, z.name, z.title"_s,
        u"from vyp v,zam z"_s,
        u"where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and z.code_emp=v.code_emp"_s,
        druh == Druh::Vyplata ? u"and v.vyplata > 0"_s : u"and v.ne_zaloha > 0"_s,
    }.join(u'\n');
}

QString TReportHotovostnaListina::Zoradenie(bool podlaPriezviska)
{
    return podlaPriezviska ? u"order by z.surname,z.name;"_s : u"order by z.code_emp;"_s;
}

QString TReportHotovostnaListina::Pole_sumy(Druh druh)
{
    return druh == Druh::Vyplata ? u"Vyplata"_s : u"Ne_zaloha"_s;
}

void TReportHotovostnaListina::Vypocitaj_polia(db::DataSet &ds)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
    ds.setValue(u"CALC_MPT"_s, m_druh == Druh::Vyplata
                                   ? MyConsts::Spoj_tri_texty(txt("surname"), txt("name"), txt("title"))
                                   : Meno_priezvisko_titul(txt("name"), txt("surname"), txt("title")));
}

void TReportHotovostnaListina::Spocitaj_mince()
{
    m_mince.Vynuluj();
    if (Q0_.isActive()) {
        const QString pole = Pole_sumy(m_druh);
        for (Q0_.first(); !Q0_.eof(); Q0_.next())
            m_mince.Pridaj(Q0_.fieldByName(pole).asFloat());
        Q0_.first();
    }
    for (int i = 0; i < Mincovka::kPocet; ++i)
        if (M[size_t(i)])
            M[size_t(i)]->caption = QString::number(m_mince.Pocet(i));
}

void TReportHotovostnaListina::Otvor_data()
{
    for (int i = 0; i < Mincovka::kPocet; ++i)
        M[size_t(i)] = findAs<rpt::ReportLabel>(u"M%1"_s.arg(i + 1));
    if (auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s))
        titul->caption = (m_druh == Druh::Vyplata ? u"VÝPLATNÁ LISTINA K VÝPLATE V HOTOVOSTI ZA "_s
                                                  : u"ZÁLOHOVÁ LISTINA ZA "_s)
                         + Mesiac_a_rok(Param.Obdobie, true);
    Q0_.close();
    Q0_.setSql(Text_Q0(m_druh) + u'\n' + Zoradenie(Param.Podla_priezviska));
    Q0_.setParam(u"P1"_s, Param.Obdobie);
    Q0_.setParam(u"P2"_s, Param.Stredisko_od);
    Q0_.setParam(u"P3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportHotovostnaListina::Zatvor_data() { Q0_.close(); }

namespace zoznamy {
namespace {

constexpr double kSirka = 190;
constexpr double kRiadok = 6;   // room for a signature

rpt::LayoutDesc hotovostna(const QString &name, const QString &stlpecSumy, const QString &pole)
{
    rpt::LayoutDesc d;
    d.name = name;
    d.title = name == u"TReportVL2" ? u"Výplatná listina"_s : u"Zálohová listina"_s;
    d.page.orientation = rpt::Orientation::Portrait;
    d.page.leftMargin = d.page.rightMargin = 10;
    d.page.topMargin = d.page.bottomMargin = 10;
    d.previewZoom = 100;

    // Columns: number, name, amount, signature.
    constexpr double xMeno = 12, xSuma = 110, xPodpis = 140;
    std::vector<rpt::LayoutItem> hlavicka{
        Titul({0, 0, 150, 5}),
        rpt::sysData(u"QRSysData_strana"_s, {150, 0, kSirka - 150, 4.5}, rpt::SysDataKind::PageNumber, Pismo(8),
                     u"Strana č. "_s, Qt::AlignRight),
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {0, 6, 150, 4.5}, u"CALC_FIRMA"_s, Pismo(9)),
        rpt::horizontalLine(u"QRShape_hore"_s, {0, 12, kSirka, 0}),
        rpt::label(u"QRLabel_pc"_s, {0, 13, xMeno - 1, 4}, u"P.č."_s, Pismo(8, true), Qt::AlignRight),
        rpt::label(u"QRLabel_meno"_s, {xMeno + 1, 13, 90, 4}, u"MENO A PRIEZVISKO"_s, Pismo(8, true)),
        rpt::label(u"QRLabel_suma"_s, {xSuma - 10, 13, xPodpis - xSuma + 8, 4}, stlpecSumy, Pismo(8, true),
                   Qt::AlignRight),
        rpt::label(u"QRLabel_podpis"_s, {xPodpis + 2, 13, 48, 4}, u"PODPIS"_s, Pismo(8, true)),
        rpt::horizontalLine(u"QRShape_dole"_s, {0, 17.5, kSirka, 0}),
    };
    std::vector<rpt::LayoutItem> detail{
        rpt::sysData(u"QRSysData_pc"_s, {0, 1.5, xMeno - 1, 4}, rpt::SysDataKind::DetailNumber, Pismo(9), {},
                     Qt::AlignRight),
        rpt::dbText(u"QRDB_CALC_MPT"_s, {xMeno + 1, 1.5, xSuma - xMeno - 3, 4}, u"CALC_MPT"_s, Pismo(9)),
        rpt::dbText(u"QRDB_"_s + pole, {xSuma, 1.5, xPodpis - xSuma - 2, 4}, pole, Pismo(9), Qt::AlignRight,
                    u"0.00"_s),
        rpt::horizontalLine(u"QRShape_podpis"_s, {xPodpis + 2, kRiadok - 1, kSirka - xPodpis - 4, 0}),
    };
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRShape_spolu"_s, {0, 0.5, kSirka, 0}),
        rpt::label(u"QRLabel_spolu"_s, {xMeno + 1, 1.5, 40, 4.5}, u"SPOLU"_s, Pismo(9, true)),
        rpt::expression(u"QRExpr_spolu"_s, {xSuma - 20, 1.5, xPodpis - xSuma + 18, 4.5}, u"SUM(Q0_."_s + pole + u')',
                        Pismo(9, true), Qt::AlignRight, u"0.00"_s),
        rpt::label(u"QRLabel_mincovka"_s, {xMeno + 1, 10, 40, 4.5}, u"MINCOVKA:"_s, Pismo(9, true)),
    };
    // The eleven denominations side by side with their counts beneath.
    const double sirkaMince = (kSirka - xMeno) / Mincovka::kPocet;
    for (int i = 0; i < Mincovka::kPocet; ++i) {
        const double x = xMeno + sirkaMince * i;
        spolu.push_back(rpt::label(u"QRLabel_minca%1"_s.arg(i + 1), {x, 16, sirkaMince - 1, 4.5},
                                   QString::number(Mincovka::kHodnoty[size_t(i)]), Pismo(9, true), Qt::AlignRight));
        rpt::ControlDesc m = rpt::label(u"M%1"_s.arg(i + 1), {x, 21, sirkaMince - 1, 4.5}, u"0"_s, Pismo(9),
                                        Qt::AlignRight);
        m.tag = 1;   // filled at run time: stays with "data only"
        spolu.push_back(m);
    }
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 18,
                                    .items = std::move(hlavicka)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = kRiadok,
                                    .items = std::move(detail)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s, .height = 27,
                                    .items = std::move(spolu)});
    return d;
}

} // namespace

rpt::LayoutDesc layoutVL2() { return hotovostna(u"TReportVL2"_s, u"VÝPLATA"_s, u"Vyplata"_s); }
rpt::LayoutDesc layoutZL() { return hotovostna(u"TReportZL"_s, u"ZÁLOHA"_s, u"Ne_zaloha"_s); }

} // namespace zoznamy

TReportVL2::TReportVL2() : TReportHotovostnaListina(Druh::Vyplata)
{
    Zostav(zoznamy::layoutVL2(), zoznamy::Ziadne_bloky());
}

TReportZL::TReportZL() : TReportHotovostnaListina(Druh::Zaloha)
{
    Zostav(zoznamy::layoutZL(), zoznamy::Ziadne_bloky());
}

} // namespace tarix::reports
