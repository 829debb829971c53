#include "reports/lists/report_contribution_groups.h"

#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "reports/report_query.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace pay_lists;

namespace {

void setQueryParameters(db::Query &q, const TMyReportParam &p)
{
    q.setParam(u"P1"_s, p.Obdobie);
    q.setParam(u"P2"_s, p.Stredisko_od);
    q.setParam(u"P3"_s, p.Stredisko_do);
}

QString yesNo(bool ano) { return ano ? u"A"_s : u"N"_s; }

} // namespace

// ---- ODV2 ------------------------------------------------------------------------------------

TReportOdv2::TReportOdv2()
{
    Q0_.setSql(Text_Q0());
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_ZPS"_s, db::FieldType::String, 1);
    Q0_.addCalculatedField(u"CALC_ZTP"_s, db::FieldType::String, 1);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    assemble(layoutOdv2(), noBlocks());
}

QString TReportOdv2::Text_Q0()
{
    return u"select v.v_obdobie, v.v_rok, v.v_mesiac, v.n_zaklad_dp, v.n_zaklad_np, v.n_zaklad_fz, v.zps, v.zps1, "
           "v.ztp, v.o_nemoc, v.o_dochod, v.o_fondzam, v.f_nemoc, v.fz_nemoc, v.f_dochod, v.fz_dochod, v.f_fondz, "
           "v.fz_fondz, v.u_nemoc, v.u_dochod, v.u_fondzam, z.code_emp, z.surname, z.name, z.title\n"
           "from vyp v,zam z\n"
           "where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and z.code_emp=v.code_emp\n"
           "and (v.u_nemoc>0 or v.u_dochod>0 or v.u_fondzam>0)\n"
           "order by z.surname,z.name"_s;
}

void TReportOdv2::Q0_CalcFields(db::DataSet &ds)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
    ds.setValue(u"CALC_MPT"_s, nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
    ds.setValue(u"CALC_ZPS"_s, yesNo(ds.fieldByName(u"zps"_s).asInteger() != 0));
    ds.setValue(u"CALC_ZTP"_s, yesNo(ds.fieldByName(u"ztp"_s).asInteger() != 0));
}

void TReportOdv2::Otvor_data()
{
    if (auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s))
        titul->caption = u"ROZPIS ODVODOV POISTNÉHO ZA "_s + monthAndYear(Param.Obdobie, true);
    Q0_.close();
    setQueryParameters(Q0_, Param);
    Q0_.open();
}

void TReportOdv2::Zatvor_data() { Q0_.close(); }

// ---- the grouped lists -----------------------------------------------------------------------

TReportContributionGroups::TReportContributionGroups(const QString &kod, const QString &nadpis, const QString &titul,
                                           const QString &textQ0, const QString &textQ1)
    : m_kod(kod), m_nadpis(nadpis), m_titul(titul)
{
    Q0_.setSql(textQ0);
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CA_OBDOBIE"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CA_NADPIS1"_s, db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };

    prepareQuery(Q1_, u"Q1_"_s, core::kAliasData, textQ1);
    Q1_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q1_.onCalcFields = [this](db::DataSet &ds) { Q1_CalcFields(ds); };
    S1_.setDataSet(&Q1_);
    S1_.setMaster(&Q0_);
    registerDataSource(u"Q1_"_s, &S1_);
}

void TReportContributionGroups::Q0_CalcFields(db::DataSet &ds)
{
    const QString obdobie = ds.fieldByName(u"v_obdobie"_s).asString();
    ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
    ds.setValue(u"CA_OBDOBIE"_s, u"za mesiac  "_s + obdobie.mid(4, 2) + u" / "_s + obdobie.left(4));
    ds.setValue(u"CA_NADPIS1"_s,
                m_nadpis + MyConsts::Dopln_zlava(QString::number(ds.fieldByName(m_kod).asInteger()), 2, u'0'));
}

void TReportContributionGroups::Q1_CalcFields(db::DataSet &ds)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_MPT"_s, nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
}

void TReportContributionGroups::Otvor_data()
{
    if (auto *titul = findAs<rpt::ReportLabel>(u"QRLabel_titul"_s))
        titul->caption = m_titul + monthAndYear(Param.Obdobie, true);
    Q1_.close();
    setQueryParameters(Q1_, Param);
    Q0_.close();
    setQueryParameters(Q0_, Param);
    Q0_.open();
}

void TReportContributionGroups::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

TReportOdvZp::TReportOdvZp()
    : TReportContributionGroups(u"kzp"_s, u"kód zdravotnej poisťovne : "_s, u"ROZPIS ODVODOV ZDRAVOTNÉHO POISTENIA ZA "_s,
                           Text_Q0(), Text_Q1())
{
    Q1_.addCalculatedField(u"CALC_ZAKLAD1"_s, db::FieldType::Money, 0).setDisplayFormat(u"0.00"_s);
    Q1_.addCalculatedField(u"CALC_ZAKLAD2"_s, db::FieldType::Money, 0).setDisplayFormat(u"0.00"_s);
    Q1_.addCalculatedField(u"CALC_PLATI_ZAM"_s, db::FieldType::String, 1);
    Q1_.addCalculatedField(u"CALC_PLATI_FIRMA"_s, db::FieldType::String, 1);
    assemble(layoutOdvZp(), noBlocks(), {{&S1_, &Q1_}});
}

QString TReportOdvZp::Text_Q0()
{
    return u"select kzp, max(v_obdobie) v_obdobie, count(*) pocet from \":tarix_data:vyp\" vyp\n"
           "where v_obdobie=:p1 and sid between :p2 and :p3 and kzp<>0\n"
           "and exists (select 1 from vyp where v_obdobie=:p1 and sid between :p2 and :p3)\n"
           "group by kzp\n"
           "order by kzp"_s;
}

QString TReportOdvZp::Text_Q1()
{
    return u"select v.v_obdobie, v.v_rok, v.v_mesiac, v.kzp, v.n_zaklad_zp, v.zps, v.zps1, v.ztp, v.o_zdravot, "
           "v.oz_zdravot, v.f_zdravot, v.fz_zdravot, v.u_zdrav, z.code_emp, z.surname, z.name, z.title\n"
           "from vyp v,zam z\n"
           "where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.u_zdrav>0 and v.kzp = :kzp "
           "and v.code_emp=z.code_emp\n"
           "order by z.surname,z.name"_s;
}

void TReportOdvZp::Q1_CalcFields(db::DataSet &ds)
{
    TReportContributionGroups::Q1_CalcFields(ds);
    const qint64 u = ds.fieldByName(u"u_zdrav"_s).asInteger();
    double zaklad1 = 0, zaklad2 = 0;
    // The employer's base: of a disabled employee apart, at the employer's reduced rate.
    if (u == 1 || u == 3) {
        if (ds.fieldByName(u"zps"_s).asInteger() != 0)
            zaklad2 = ds.fieldByName(u"n_zaklad_zp"_s).asFloat();
        else
            zaklad1 = ds.fieldByName(u"n_zaklad_zp"_s).asFloat();
    }
    ds.setValue(u"CALC_ZAKLAD1"_s, zaklad1);
    ds.setValue(u"CALC_ZAKLAD2"_s, zaklad2);
    ds.setValue(u"CALC_PLATI_ZAM"_s, yesNo(u == 1 || u == 2));
    ds.setValue(u"CALC_PLATI_FIRMA"_s, yesNo(u == 1 || u == 3));
}

TReportOdvDp::TReportOdvDp()
    : TReportContributionGroups(u"kdp"_s, u"kód doplnkovej dôchodkovej poisťovne : "_s,
                           u"ROZPIS ODVODOV DOPLNKOVÉHO DÔCHODKOVÉHO POISTENIA ZA "_s, Text_Q0(), Text_Q1())
{
    assemble(layoutOdvDp(), noBlocks(), {{&S1_, &Q1_}});
}

QString TReportOdvDp::Text_Q0()
{
    return u"select kdp, max(v_obdobie) v_obdobie, count(*) pocet from \":tarix_data:vyp\" vyp\n"
           "where v_obdobie=:p1 and sid between :p2 and :p3 and (n_ddp>0 or nz_ddp>0)\n"
           "and exists (select 1 from vyp where v_obdobie=:p1 and sid between :p2 and :p3)\n"
           "group by kdp\n"
           "order by kdp"_s;
}

QString TReportOdvDp::Text_Q1()
{
    return u"select v.v_obdobie, v.v_rok, v.v_mesiac, v.kdp, v.n_ddp, v.nz_ddp, v.n_ddp+v.nz_ddp n_ddpx, "
           "v.n_sadzba_ddp, v.nz_sadzba_ddp, z.code_emp, z.surname, z.name, z.title\n"
           "from vyp v,zam z\n"
           "where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.kdp = :kdp "
           "and (v.n_ddp>0 or v.nz_ddp>0) and v.code_emp=z.code_emp\n"
           "order by z.surname,z.name"_s;
}

// ---- layouts ---------------------------------------------------------------------------------

namespace pay_lists {
namespace {

constexpr double kRiadok = 3.8;

// A column of a list: its caption, the field printed and its sum in the SPOLU line.
struct Stlpec {
    QString popis;
    QString pole;
    double sirka;
    QString mask;
    bool suma = false;
    Qt::Alignment zarovnanie = Qt::AlignRight;
};

rpt::PageSetup contributionPage(rpt::Orientation o)
{
    rpt::PageSetup p;
    p.orientation = o;
    p.leftMargin = p.rightMargin = p.topMargin = p.bottomMargin = 10;
    return p;
}

// The page head: title, firm, page number.
std::vector<rpt::LayoutItem> pageHead(double sirka, const QString &zdroj)
{
    return {
        titleBlock({0, 0, sirka - 30, 5}),
        rpt::sysData(u"QRSysData_strana"_s, {sirka - 30, 0, 30, 4.5}, rpt::SysDataKind::PageNumber, reportFont(8),
                     u"Strana č. "_s, Qt::AlignRight),
        rpt::dbText(u"QRDB_CALC_FIRMA"_s, {0, 6, sirka - 30, 4.5}, zdroj + u"CALC_FIRMA"_s, reportFont(9)),
    };
}

// Column captions at `y`, values of the band, sums of the SPOLU line; from `x`.
void columns(const std::vector<Stlpec> &s, double x, double y, const QString &zdroj, const QString &master,
            std::vector<rpt::LayoutItem> &popisy, std::vector<rpt::LayoutItem> &hodnoty, std::vector<rpt::LayoutItem> &sumy)
{
    for (const Stlpec &c : s) {
        const rpt::Box box{x + 0.4, 0.3, c.sirka - 0.8, kRiadok};
        if (!c.popis.isEmpty())
            popisy.push_back(rpt::label(u"QRLabel_"_s + c.pole, {box.left, y, box.width, kRiadok}, c.popis,
                                        narrowFont(7, true), c.zarovnanie));
        hodnoty.push_back(rpt::dbText(u"QRDB_"_s + c.pole, box, zdroj + c.pole, narrowFont(7.5), c.zarovnanie, c.mask));
        if (c.suma) {
            rpt::ControlDesc e = rpt::expression(u"QRExpr_"_s + c.pole, {box.left, 1, box.width, kRiadok},
                                                 u"SUM("_s + zdroj + c.pole + u')', narrowFont(7.5, true), Qt::AlignRight,
                                                 u"0.00"_s);
            if (!master.isEmpty()) {
                e.master = master;
                e.resetAfterPrint = true;
            }
            sumy.push_back(e);
        }
        x += c.sirka;
    }
}

} // namespace

rpt::LayoutDesc layoutOdv2()
{
    rpt::LayoutDesc d;
    d.name = u"TReportOdv2"_s;
    d.title = u"Rozpis odvodov poistného"_s;
    d.page = contributionPage(rpt::Orientation::Landscape);
    constexpr double kSirka = 277, kMeno = 62;

    std::vector<rpt::LayoutItem> hlava = pageHead(kSirka, {});
    std::vector<rpt::LayoutItem> detail;
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRShape_spolu"_s, {0, 0.4, kSirka, 0}),
        rpt::label(u"QRLabel_spolu"_s, {0.4, 1, kMeno - 1, kRiadok}, u"SPOLU"_s, reportFont(8, true)),
    };
    hlava.push_back(rpt::label(u"QRLabel_meno"_s, {0.4, 16, kMeno - 1, kRiadok}, u"MENO A PRIEZVISKO"_s,
                               narrowFont(7, true)));
    detail.push_back(rpt::dbText(u"QRDB_CALC_MPT"_s, {0.4, 0.3, kMeno - 1, kRiadok}, u"CALC_MPT"_s, narrowFont(7.5)));
    double x = kMeno;
    const struct {
        const char *nazov;
        const char *u, *zaklad, *fz, *f, *odvod;
    } fondy[] = {
        {"Nemocenské poistenie", "U_nemoc", "N_zaklad_np", "Fz_nemoc", "F_nemoc", "O_nemoc"},
        {"Dôchodkové poistenie", "U_dochod", "N_zaklad_dp", "Fz_dochod", "F_dochod", "O_dochod"},
        {"Fond zamestnanosti", "U_fondzam", "N_zaklad_fz", "Fz_fondz", "F_fondz", "O_fondzam"},
    };
    for (const auto &f : fondy) {
        const QString u = QString::fromLatin1(f.u);
        hlava.push_back(rpt::label(u"QRLabel_fond_"_s + u, {x + 0.4, 12, 56 - 0.8, kRiadok}, QString::fromUtf8(f.nazov),
                                   narrowFont(7, true), Qt::AlignHCenter));
        hlava.push_back(rpt::verticalLine(u"QRShape_fond_"_s + u, {x, 11.5, 0, 8.5}));
        hlava.push_back(rpt::label(u"QRLabel_sadzby_"_s + u, {x + 24.4, 16, 17.2, kRiadok}, u"Sadzby"_s, narrowFont(7, true),
                                   Qt::AlignHCenter));
        columns({{u"TO"_s, u, 6, {}, false, Qt::AlignHCenter},
                {u"Základ"_s, QString::fromLatin1(f.zaklad), 18, u"0.00"_s, true},
                {{}, QString::fromLatin1(f.fz), 9, u"0.00"_s},
                {{}, QString::fromLatin1(f.f), 9, u"0.00"_s},
                {u"Odvod"_s, QString::fromLatin1(f.odvod), 14, u"0.00"_s, true}},
               x, 16, {}, {}, hlava, detail, spolu);
        x += 56;
    }
    hlava.push_back(rpt::verticalLine(u"QRShape_zps"_s, {x, 11.5, 0, 8.5}));
    columns({{u"ZPS"_s, u"CALC_ZPS"_s, 10, {}, false, Qt::AlignHCenter},
            {u"ZŤP"_s, u"CALC_ZTP"_s, 10, {}, false, Qt::AlignHCenter}},
           x, 16, {}, {}, hlava, detail, spolu);
    hlava.push_back(rpt::horizontalLine(u"QRShape_hore"_s, {0, 11.3, kSirka, 0}));
    hlava.push_back(rpt::horizontalLine(u"QRShape_dole"_s, {0, 20.2, kSirka, 0}));

    const QStringList legenda{u"Typ odvodu TO"_s, u"0 - neodvádza nikto"_s, u"1 - odvádzajú obidvaja"_s,
                              u"2 - odvádza iba zamestnanec"_s, u"3 - odvádza iba zamestnávateľ"_s};
    for (int i = 0; i < legenda.size(); ++i)
        spolu.push_back(rpt::label(u"QRLabel_legenda%1"_s.arg(i), {0.4, 8 + 3.6 * i, 80, 3.6}, legenda[i],
                                   narrowFont(7, i == 0)));

    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 21,
                                    .items = std::move(hlava)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = kRiadok + 0.6,
                                    .items = std::move(detail)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s,
                                    .height = 8 + 3.6 * legenda.size() + 1, .items = std::move(spolu)});
    return d;
}

namespace {

// A grouped list: the group head (caption and month), the employees of the group under
// two caption rows, the group's SPOLU line.
rpt::LayoutDesc groups(const QString &name, const QString &title, const QStringList &nadpisy,
                        const std::vector<std::pair<double, double>> &useky, const std::vector<Stlpec> &s)
{
    rpt::LayoutDesc d;
    d.name = name;
    d.title = title;
    d.page = contributionPage(rpt::Orientation::Portrait);
    constexpr double kSirka = 190, kMeno = 55;

    std::vector<rpt::LayoutItem> hlava = pageHead(kSirka, u"Q0_."_s);
    hlava.push_back(rpt::horizontalLine(u"QRShape_hlava"_s, {0, 11.5, kSirka, 0}));
    std::vector<rpt::LayoutItem> skupina{
        rpt::dbText(u"QRDB_CA_NADPIS1"_s, {0, 1, 120, 4.5}, u"Q0_.CA_NADPIS1"_s, reportFont(9, true)),
        rpt::dbText(u"QRDB_CA_OBDOBIE"_s, {120, 1, 70, 4.5}, u"Q0_.CA_OBDOBIE"_s, reportFont(9), Qt::AlignRight),
    };
    std::vector<rpt::LayoutItem> popisy{
        rpt::label(u"QRLabel_meno"_s, {0.4, 4.5, kMeno - 1, kRiadok}, u"MENO A PRIEZVISKO"_s, narrowFont(7, true)),
    };
    for (size_t i = 0; i < size_t(nadpisy.size()) && i < useky.size(); ++i) {
        popisy.push_back(rpt::label(u"QRLabel_usek%1"_s.arg(i + 1),
                                    {useky[i].first + 0.4, 0.3, useky[i].second - 0.8, kRiadok}, nadpisy[int(i)],
                                    narrowFont(7, true), Qt::AlignHCenter));
        popisy.push_back(rpt::verticalLine(u"QRShape_usek%1"_s.arg(i + 1), {useky[i].first, 0, 0, 8.6}));
    }
    popisy.push_back(rpt::horizontalLine(u"QRShape_popisy"_s, {0, 8.6, kSirka, 0}));
    std::vector<rpt::LayoutItem> detail{
        rpt::dbText(u"QRDB_CALC_MPT"_s, {0.4, 0.3, kMeno - 1, kRiadok}, u"Q1_.CALC_MPT"_s, narrowFont(7.5)),
    };
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRShape_spolu"_s, {0, 0.4, kSirka, 0}),
        rpt::label(u"QRLabel_spolu"_s, {0.4, 1, kMeno - 1, kRiadok}, u"SPOLU"_s, reportFont(8, true)),
    };
    columns(s, kMeno, 4.5, u"Q1_."_s, u"SubDetailBand1"_s, popisy, detail, spolu);

    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 12,
                                    .items = std::move(hlava)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 7,
                                    .items = std::move(skupina)});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::SubDetail, .name = u"SubDetailBand1"_s,
                                    .height = kRiadok + 0.6, .items = std::move(detail), .master = u"DetailBand1"_s,
                                    .dataSource = u"Q1_"_s});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::SubDetailHeader, .name = u"SubDetailHeaderBand1"_s,
                                    .height = 9, .items = std::move(popisy), .master = u"SubDetailBand1"_s});
    d.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::SubDetailFooter, .name = u"SubDetailFooterBand1"_s,
                                    .height = kRiadok + 3, .items = std::move(spolu), .master = u"SubDetailBand1"_s});
    return d;
}

} // namespace

rpt::LayoutDesc layoutOdvZp()
{
    return groups(u"TReportOdvZp"_s, u"Rozpis odvodov zdravotného poistenia"_s,
                   {u"ZAMESTNANEC"_s, u"ZAMESTNÁVATEĽ"_s}, {{55, 58}, {113, 77}},
                   {
                       {u"Základ"_s, u"N_zaklad_zp"_s, 17, u"0.00"_s, true},
                       {u"(%)"_s, u"F_zdravot"_s, 10, u"0.00"_s},
                       {u"Platí"_s, u"CALC_PLATI_ZAM"_s, 9, {}, false, Qt::AlignHCenter},
                       {u"Odvod"_s, u"O_zdravot"_s, 22, u"0.00"_s, true},
                       {u"Základ"_s, u"CALC_ZAKLAD1"_s, 17, u"0.00"_s, true},
                       {u"Základ ZPS"_s, u"CALC_ZAKLAD2"_s, 17, u"0.00"_s, true},
                       {u"(%)"_s, u"Fz_zdravot"_s, 10, u"0.00"_s},
                       {u"Platí"_s, u"CALC_PLATI_FIRMA"_s, 9, {}, false, Qt::AlignHCenter},
                       {u"Odvod"_s, u"Oz_zdravot"_s, 24, u"0.00"_s, true},
                   });
}

rpt::LayoutDesc layoutOdvDp()
{
    return groups(u"TReportOdvDp"_s, u"Rozpis odvodov doplnkového dôchodkového poistenia"_s,
                   {u"ZAMESTNANEC"_s, u"ZAMESTNÁVATEĽ"_s}, {{55, 44}, {99, 44}},
                   {
                       {u"Sadzba(%)"_s, u"N_sadzba_ddp"_s, 20, u"0.00"_s},
                       {u"Odvod"_s, u"N_ddp"_s, 24, u"0.00"_s, true},
                       {u"Sadzba(%)"_s, u"Nz_sadzba_ddp"_s, 20, u"0.00"_s},
                       {u"Odvod"_s, u"Nz_ddp"_s, 24, u"0.00"_s, true},
                       {u"SPOLU"_s, u"n_ddpx"_s, 30, u"0.00"_s, true},
                   });
}

} // namespace pay_lists
} // namespace tarix::reports
