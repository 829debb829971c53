#include "reports/health/zp05ozpr.h"

#include "core/session.h"
#include "platform/report/description.h"
#include "reports/health/zp05ozvy.h"
#include "reports/health/insurer_pages.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::dbText;
using rpt::label;

std::pair<QString, QString> ZP05OZPR::insurerMarks(const QString &a1)
{
    const QString a = a1.trimmed();
    return {a == u"1" ? u"X"_s : QString(), a == u"2" ? u"X"_s : QString()};
}

namespace {

const rpt::FontSpec kNarrow7b{u"Arial Narrow"_s, 7, true};
const rpt::FontSpec kNarrow8{u"Arial Narrow"_s, 8};
constexpr double kRiadok = 4.2;

rpt::LayoutDesc layoutZP05OZPR()
{
    rpt::LayoutDesc l;
    l.name = u"TReportZP05OZPR"_s;
    l.title = u"Príloha oznámenia zamestnávateľa"_s;
    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_priloha"_s, {0, 0, 30, 4}, u"Príloha"_s, kArial8b),
        label(u"QRL_nadpis"_s, {0, 5, kSirka, 5},
              u"Zoznam zamestnancov, za ktorých bolo vykonané ročné zúčtovanie poistného"_s, kArial9b, Qt::AlignHCenter),
        label(u"QRL_kzp"_s, {0, 12, 35, 4}, u"kód zdrav. poisťovne"_s, kArial8),
        [] {
            rpt::ControlDesc c = label(u"QRLabel_KZP"_s, {36, 12, 15, 4}, {}, kArial9b);
            c.tag = 1;
            return c;
        }(),
        rpt::horizontalLine(u"QRS_hore"_s, {0, 18, kSirka, 0}),
        rpt::horizontalLine(u"QRS_dole"_s, {0, 30.5, kSirka, 0}),
        label(u"QRL_vykonal"_s, {112, 18.5, 78, 4}, u"Ročné zúčtovanie poistného vykonal"_s, kNarrow7b, Qt::AlignHCenter),
    };
    const struct {
        const char16_t *nadpis, *meno, *pole;
        double x, w, y;
        bool vpravo;
    } stlpce[] = {
        {u"Por. čís.", u"QRL_PORADIE", nullptr, 0, 10, 22.5, true},
        {u"Rodné číslo zamestnanca/Číslo povolenia na pobyt", u"QRDB_born_numb", u"born_numb", 11, 40, 22.5, false},
        {u"Nedoplatok (+)/preplatok (-) zamestnanca", u"QRDB_X1", u"X1", 52, 29, 22.5, true},
        {u"Nedoplatok (+)/preplatok (-) zamestnávateľa", u"QRDB_X2", u"X2", 82, 29, 22.5, true},
        {u"Zamestnávateľ", u"QRDB_CALC_VYK_ZTEL", u"CALC_VYK_ZTEL", 112, 24, 23, false},
        {u"Zamestnanec", u"QRDB_CALC_VYK_ZNEC", u"CALC_VYK_ZNEC", 137, 24, 23, false},
        {u"Iný zamestnávateľ", u"QRDB_A2", u"A2", 162, 28, 23, false},
    };
    std::vector<rpt::LayoutItem> riadok;
    for (const auto &s : stlpce) {
        const Qt::Alignment a = s.vpravo ? Qt::AlignRight : Qt::AlignHCenter;
        rpt::ControlDesc n = label(QString::fromUtf16(s.meno) + u"_nadpis"_s, {s.x, s.y, s.w, 30.5 - s.y},
                                   QString::fromUtf16(s.nadpis), kNarrow7b, a);
        n.wordWrap = true;
        hlava.push_back(n);
        if (!s.pole) {
            rpt::ControlDesc c = label(QString::fromUtf16(s.meno), {s.x, 0.3, s.w, kRiadok}, {}, kNarrow8, a);
            c.tag = 1;
            riadok.push_back(c);
        } else {
            riadok.push_back(dbText(QString::fromUtf16(s.meno), {s.x, 0.3, s.w, kRiadok},
                                    u"Q1_."_s + QString::fromUtf16(s.pole), kNarrow8, a,
                                    s.vpravo ? u"0.00"_s : QString()));
        }
    }
    std::vector<rpt::LayoutItem> pata{
        rpt::sysData(u"QRSysData1"_s, {0, 0, 60, 4}, rpt::SysDataKind::PageNumber, kArial7, u"Strana číslo "_s),
        label(u"QRL_pocet_stran"_s, {62, 0, 60, 4}, u"Celkový počet strán prílohy"_s, kArial7),
        label(u"QRL_peciatka"_s, {0, 6, 80, 4}, u"Odtlačok pečiatky zamestnávateľa"_s, kArial7),
        rpt::ControlDesc{},
    };
    pata.back() = [] {
        rpt::ControlDesc c = label(u"QRL_podpis"_s, {82, 6, 108, 8},
                                   u"Podpis osoby zodpovednej za vypracovanie oznámenia zamestnávateľa"_s, kArial7);
        c.wordWrap = true;
        return c;
    }();
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 31,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 0,
                                    .forceNewPage = true});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::SubDetail,
                                    .name = u"QRSubDetail1"_s,
                                    .height = kRiadok + 0.6,
                                    .items = std::move(riadok),
                                    .master = u"DetailBand1"_s,
                                    .dataSource = u"Q1_"_s});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageFooter, .name = u"PageFooterBand1"_s, .height = 15,
                                    .items = std::move(pata)});
    return l;
}

} // namespace

TReportZP05OZPR::TReportZP05OZPR()
{
    Sirky_ramcekov = kRamceky_1_5;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData, ZP05OZVY::Text_Q0());
    prepareQuery(Q1_, u"Q1_"_s, core::kAliasData,
                  u"select UNIV.code_emp, Z.born_numb, UNIV.X1, UNIV.X2, UNIV.A1, UNIV.A2 "
                  u"from \":tarix_data:zp_univ\" UNIV, \":tarix_data:zp_znec\" ZNEC, \":tarix_data:zam\" Z "
                  u"where UNIV.v_rok=:p1 and UNIV.typ='VV' and ZNEC.v_rok=UNIV.v_rok and ZNEC.code_emp=UNIV.code_emp "
                  u"and ZNEC.kzp = :kzp and Z.code_emp=UNIV.code_emp order by UNIV.code_emp"_s);
    Q1_.addCalculatedField(u"CALC_VYK_ZNEC"_s, db::FieldType::String, 1);
    Q1_.addCalculatedField(u"CALC_VYK_ZTEL"_s, db::FieldType::String, 1);
    Q1_.onCalcFields = [](db::DataSet &ds) {
        const auto [ztel, znec] = ZP05OZPR::insurerMarks(ds.fieldByName(u"A1"_s).asString());
        ds.setValue(u"CALC_VYK_ZTEL"_s, ztel);
        ds.setValue(u"CALC_VYK_ZNEC"_s, znec);
    };
    health::buildInsurerPages(*this, Q0_, S0_, Q1_, S1_, layoutZP05OZPR(), m_poradie);
}

TReportZP05OZPR::~TReportZP05OZPR() = default;

void TReportZP05OZPR::Otvor_data()
{
    Q1_.close();
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Obdobie / 100);
    Q1_.setParam(u"p1"_s, Param.Obdobie / 100);
    Q0_.open();
}

void TReportZP05OZPR::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
