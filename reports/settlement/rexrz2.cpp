#include "reports/settlement/rexrz2.h"

#include "core/session.h"
#include "reports/report_query.h"
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace {

struct Stlpec {
    const char16_t *nadpis;
    const char *pole;
    double x, w;
    bool vpravo;
    const char16_t *maska;
};
// P.č., name, birth number, income, taxable wage, result.
constexpr Stlpec kStlpce[] = {
    {u"MENO A PRIEZVISKO", "CALC_MPT", 11, 62, false, u""},
    {u"RODNÉ ČÍSLO", "born_numb", 74, 24, false, u""},
    {u"ZDANITEĽNÉ PRÍJMY", "Ciastzd_spolu", 99, 29, true, u"0.00"},
    {u"ZÁKLAD DANE", "Zdanmzda_round", 129, 29, true, u"0.00"},
    {u"DAŇ PREPLATOK (+)\n DAŇ NEDOPLATOK (-)", "Preplatok", 159, 31, true, u"+0.00;-0.00;0.00"},
};

} // namespace

rpt::LayoutDesc TReportRZ2::reportLayout()
{
    using namespace rpt;
    const FontSpec kArial8{u"Arial"_s, 8};
    const FontSpec kArial8b{u"Arial"_s, 8, true};
    const FontSpec kArial7b{u"Arial"_s, 7, true};
    const FontSpec kArial11b{u"Arial"_s, 11, true};
    constexpr double kRiadok = 4.2;

    std::vector<LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, 160, 5.5}, u"Ročné zúčtovanie preddavkov - súhrnná listina za rok"_s, kArial11b),
        sysData(u"QRSysData1"_s, {160, 0, 30, 4}, SysDataKind::PageNumber, kArial8, u"Strana č. "_s, Qt::AlignRight),
        dbText(u"QRDB_CALC_FIRMA"_s, {0, 6.5, 190, 4.5}, u"CALC_FIRMA"_s, kArial8b),
        horizontalLine(u"QRS_hore"_s, {0, 12, 190, 0}),
        label(u"QRL_pc"_s, {0, 13, 10, 3.5}, u"P.č."_s, kArial7b, Qt::AlignRight),
        horizontalLine(u"QRS_dole"_s, {0, 21, 190, 0}),
    };
    std::vector<LayoutItem> riadok{
        sysData(u"QRSysData2"_s, {0, 0.3, 10, kRiadok}, SysDataKind::DetailNumber, kArial8, {}, Qt::AlignRight),
    };
    std::vector<LayoutItem> spolu{
        horizontalLine(u"QRS_spolu"_s, {0, 0.3, 190, 0}),
        label(u"QRL_spolu"_s, {11, 1, 40, kRiadok}, u"SPOLU"_s, kArial8b),
    };
    for (const Stlpec &s : kStlpce) {
        const Qt::Alignment a = s.vpravo ? Qt::AlignRight : Qt::AlignLeft;
        const QString pole = QString::fromLatin1(s.pole);
        ControlDesc n = label(u"QRL_"_s + pole, {s.x, 13, s.w, 7.5}, QString::fromUtf16(s.nadpis), kArial7b, a);
        n.wordWrap = true;
        hlava.push_back(n);
        riadok.push_back(dbText(u"QRDB_"_s + pole, {s.x, 0.3, s.w, kRiadok}, pole, kArial8, a, QString::fromUtf16(s.maska)));
        if (s.vpravo)
            spolu.push_back(expression(u"QRE_"_s + pole, {s.x, 1, s.w, kRiadok}, u"SUM(Q0_."_s + pole + u')', kArial8b, a,
                                       QString::fromUtf16(s.maska)));
    }
    return LayoutDesc{
        .name = u"TReportRZ2"_s,
        .title = u"Ročné zúčtovanie preddavkov - súhrnná listina"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 22, .items = std::move(hlava)},
                BandDesc{.kind = BandKind::Detail, .name = u"DetailBand1"_s, .height = kRiadok + 0.6,
                         .items = std::move(riadok)},
                BandDesc{.kind = BandKind::Summary, .name = u"SummaryBand1"_s, .height = kRiadok + 2,
                         .items = std::move(spolu)},
            },
    };
}

TReportRZ2::TReportRZ2()
{
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData, Text_Q0(true));
    for (const char *f : {"CALC_FIRMA", "CALC_MPT"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
        ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
        ds.setValue(u"CALC_MPT"_s, settlement::nameSurnameTitle(t("name"), t("surname"), t("title")));
    };
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    rpt::buildReportForm(*this, reportLayout(), {}, checkFields({{&S0_, &Q0_}}));
}

TReportRZ2::~TReportRZ2() = default;

QString TReportRZ2::Text_Q0(bool podlaPriezviska)
{
    return u"select rzp.*, z.surname, z.name, z.title, z.born_numb from rzp,zam z where rzp.v_rok = :p1 and z.sid "
           u"between :p2 and :p3 and rzp.code_emp = z.code_emp\n"_s
           + (podlaPriezviska ? u"order by z.surname,z.name;"_s : u"order by z.code_emp;"_s);
}

void TReportRZ2::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_nadpis"_s))
        l->caption = u"Ročné zúčtovanie preddavkov - súhrnná listina za rok "_s + QString::number(rok);
    Q0_.close();
    Q0_.setSql(Text_Q0(Param.Podla_priezviska));
    Q0_.setParam(u"p1"_s, rok);
    Q0_.setParam(u"p2"_s, Param.Stredisko_od);
    Q0_.setParam(u"p3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportRZ2::Zatvor_data() { Q0_.close(); }

} // namespace tarix::reports
