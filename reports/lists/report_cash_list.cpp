#include "reports/lists/report_cash_list.h"

#include "core/helpers/text_utils.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace pay_lists;

TReportCashList::TReportCashList(ReportKind documentKind) : m_druh(documentKind)
{
    Q0_.setSql(Text_Q0(documentKind));
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };
    beforePrint = [this](rpt::ReportForm &, bool &) { countCoins(); };
}

QString TReportCashList::Text_Q0(ReportKind documentKind)
{
    return QStringList{
        u"select v.*, z.code_emp, z.surname, z.name, z.title"_s,
        u"from vyp v,zam z"_s,
        u"where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and z.code_emp=v.code_emp"_s,
        documentKind == ReportKind::Vyplata ? u"and v.vyplata > 0"_s : u"and v.ne_zaloha > 0"_s,
    }.join(u'\n');
}

QString TReportCashList::sortOrderOf(bool podlaPriezviska)
{
    return podlaPriezviska ? u"order by z.surname,z.name;"_s : u"order by z.code_emp;"_s;
}

QString TReportCashList::sumField(ReportKind documentKind)
{
    return documentKind == ReportKind::Vyplata ? u"Vyplata"_s : u"Ne_zaloha"_s;
}

void TReportCashList::computeReportFields(db::DataSet &ds)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
    ds.setValue(u"CALC_MPT"_s, m_druh == ReportKind::Vyplata
                                   ? MyConsts::Spoj_tri_texty(txt("surname"), txt("name"), txt("title"))
                                   : nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
}

void TReportCashList::countCoins()
{
    m_mince.reset();
    if (Q0_.isActive()) {
        const QString pole = sumField(m_druh);
        for (Q0_.first(); !Q0_.eof(); Q0_.next())
            m_mince.addAmount(Q0_.fieldByName(pole).asFloat());
        Q0_.first();
    }
    for (int i = 0; i < CoinCounter::kPocet; ++i)
        if (M[size_t(i)])
            M[size_t(i)]->caption = QString::number(m_mince.Pocet(i));
}

void TReportCashList::Otvor_data()
{
    for (int i = 0; i < CoinCounter::kPocet; ++i)
        M[size_t(i)] = findAs<rpt::ReportLabel>(u"M%1"_s.arg(i + 1));
    if (auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s))
        titul->caption = (m_druh == ReportKind::Vyplata ? u"VÝPLATNÁ LISTINA K VÝPLATE V HOTOVOSTI ZA "_s
                                                  : u"ZÁLOHOVÁ LISTINA ZA "_s)
                         + monthAndYear(Param.Obdobie, true);
    Q0_.close();
    Q0_.setSql(Text_Q0(m_druh) + u'\n' + sortOrderOf(Param.Podla_priezviska));
    Q0_.setParam(u"P1"_s, Param.Obdobie);
    Q0_.setParam(u"P2"_s, Param.Stredisko_od);
    Q0_.setParam(u"P3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportCashList::Zatvor_data() { Q0_.close(); }

namespace pay_lists {
namespace {

constexpr double kSirka = 190;
constexpr double kRiadok = 6;   // room for a signature

rpt::LayoutDesc cashLayout(const QString &name, const QString &stlpecSumy, const QString &pole)
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
        titleBlock({0, 0, 150, 5}),
        rpt::sysData(u"QRSysData_strana"_s, {150, 0, kSirka - 150, 4.5}, rpt::SysDataKind::PageNumber, reportFont(8),
                     u"Strana č. "_s, Qt::AlignRight),
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {0, 6, 150, 4.5}, u"CALC_FIRMA"_s, reportFont(9)),
        rpt::horizontalLine(u"QRShape_hore"_s, {0, 12, kSirka, 0}),
        rpt::label(u"QRLabel_pc"_s, {0, 13, xMeno - 1, 4}, u"P.č."_s, reportFont(8, true), Qt::AlignRight),
        rpt::label(u"QRLabel_meno"_s, {xMeno + 1, 13, 90, 4}, u"MENO A PRIEZVISKO"_s, reportFont(8, true)),
        rpt::label(u"QRLabel_suma"_s, {xSuma - 10, 13, xPodpis - xSuma + 8, 4}, stlpecSumy, reportFont(8, true),
                   Qt::AlignRight),
        rpt::label(u"QRLabel_podpis"_s, {xPodpis + 2, 13, 48, 4}, u"PODPIS"_s, reportFont(8, true)),
        rpt::horizontalLine(u"QRShape_dole"_s, {0, 17.5, kSirka, 0}),
    };
    std::vector<rpt::LayoutItem> detail{
        rpt::sysData(u"QRSysData_pc"_s, {0, 1.5, xMeno - 1, 4}, rpt::SysDataKind::DetailNumber, reportFont(9), {},
                     Qt::AlignRight),
        rpt::dbText(u"QRDB_CALC_MPT"_s, {xMeno + 1, 1.5, xSuma - xMeno - 3, 4}, u"CALC_MPT"_s, reportFont(9)),
        rpt::dbText(u"QRDB_"_s + pole, {xSuma, 1.5, xPodpis - xSuma - 2, 4}, pole, reportFont(9), Qt::AlignRight,
                    u"0.00"_s),
        rpt::horizontalLine(u"QRShape_podpis"_s, {xPodpis + 2, kRiadok - 1, kSirka - xPodpis - 4, 0}),
    };
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRShape_spolu"_s, {0, 0.5, kSirka, 0}),
        rpt::label(u"QRLabel_spolu"_s, {xMeno + 1, 1.5, 40, 4.5}, u"SPOLU"_s, reportFont(9, true)),
        rpt::expression(u"QRExpr_spolu"_s, {xSuma - 20, 1.5, xPodpis - xSuma + 18, 4.5}, u"SUM(Q0_."_s + pole + u')',
                        reportFont(9, true), Qt::AlignRight, u"0.00"_s),
        rpt::label(u"QRLabel_mincovka"_s, {xMeno + 1, 10, 40, 4.5}, u"MINCOVKA:"_s, reportFont(9, true)),
    };
    // The eleven denominations side by side with their counts beneath.
    const double sirkaMince = (kSirka - xMeno) / CoinCounter::kPocet;
    for (int i = 0; i < CoinCounter::kPocet; ++i) {
        const double x = xMeno + sirkaMince * i;
        spolu.push_back(rpt::label(u"QRLabel_minca%1"_s.arg(i + 1), {x, 16, sirkaMince - 1, 4.5},
                                   QString::number(CoinCounter::kHodnoty[size_t(i)]), reportFont(9, true), Qt::AlignRight));
        rpt::ControlDesc m = rpt::label(u"M%1"_s.arg(i + 1), {x, 21, sirkaMince - 1, 4.5}, u"0"_s, reportFont(9),
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

rpt::LayoutDesc layoutVL2() { return cashLayout(u"TReportVL2"_s, u"VÝPLATA"_s, u"Vyplata"_s); }
rpt::LayoutDesc layoutZL() { return cashLayout(u"TReportZL"_s, u"ZÁLOHA"_s, u"Ne_zaloha"_s); }

} // namespace pay_lists

TReportVL2::TReportVL2() : TReportCashList(ReportKind::Vyplata)
{
    assemble(pay_lists::layoutVL2(), pay_lists::noBlocks());
}

TReportZL::TReportZL() : TReportCashList(ReportKind::Zaloha)
{
    assemble(pay_lists::layoutZL(), pay_lists::noBlocks());
}

} // namespace tarix::reports
