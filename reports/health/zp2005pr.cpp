#include "reports/health/zp2005pr.h"

#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/report/description.h"
#include "reports/health/insurer_pages.h"
#include "reports/filled_label.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace tarix::reports::social;
using rpt::dbText;
using rpt::label;

namespace ZP2005PR {

std::vector<AttachmentRow> attachmentRowsOf(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    // The employees drive the join: zam has no index on code_emp alone, so each payroll of
    // the month would scan every employee, while each employee finds his payroll through the
    // payroll table's key (code_emp, v_obdobie).
    const db::SqlResult r = session.run(
        u"select v.kzp, z.code_emp, z.born_numb, z.name, z.surname, z.title, v.u_zdrav, v.zps, "
        u"coalesce(v.v_kal_dni,0)-coalesce(v.v_nepoist_zp,0) dni_poist, v.fz_zdravot, v.f_zdravot, v.n_prijem_zp, "
        u"v.n_zaklad_zp, v.oz_zdravot, v.o_zdravot "
        u"from \":tarix_data:zam\" z cross join \":tarix_data:vyp\" v where v.v_obdobie=:p1 and v.sid between :p2 and :p3 "
        u"and v.u_zdrav>0 and v.kzp<>0 and v.code_emp=z.code_emp order by v.kzp, z.code_emp"_s,
        {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}});
    std::vector<AttachmentRow> out;
    out.reserve(size_t(r.rowCount()));
    for (int i = 0; i < r.rowCount(); ++i) {
        AttachmentRow x;
        x.kzp = int(r.asInteger(i, 0));
        x.code_emp = int(r.asInteger(i, 1));
        x.born_numb = r.asString(i, 2);
        x.name = r.asString(i, 3);
        x.surname = r.asString(i, 4);
        x.title = r.asString(i, 5);
        x.u_zdrav = int(r.asInteger(i, 6));
        x.zps = r.asBoolean(i, 7);
        x.dni_poist = int(r.asInteger(i, 8));
        x.fz_zdravot = r.asFloat(i, 9);
        x.f_zdravot = r.asFloat(i, 10);
        x.n_prijem_zp = r.asFloat(i, 11);
        x.n_zaklad_zp = r.asFloat(i, 12);
        x.oz_zdravot = r.asFloat(i, 13);
        x.o_zdravot = r.asFloat(i, 14);
        out.push_back(std::move(x));
    }
    return out;
}

std::vector<InsuredChange> insuredChanges(db::Session &session, int rok, int mesiac)
{
    const db::SqlResult r = session.run(
        u"select d.kzp, z.code_emp, z.born_numb, z.title, z.name, z.surname, d.kod_zmeny, d.platnost_zmeny, "
        u"d.datum_zmeny from \":tarix_data:davka601\" d, \":tarix_data:zam\" z where d.v_rok=:p1 and d.v_mesiac=:p2 "
        u"and d.code_emp=z.code_emp order by d.kzp, z.code_emp, d.id"_s,
        {{"p1", rok}, {"p2", mesiac}});
    std::vector<InsuredChange> out;
    for (int i = 0; i < r.rowCount(); ++i) {
        InsuredChange x;
        x.kzp = int(r.asInteger(i, 0));
        x.code_emp = int(r.asInteger(i, 1));
        x.born_numb = r.asString(i, 2);
        x.title = r.asString(i, 3);
        x.name = r.asString(i, 4);
        x.surname = r.asString(i, 5);
        x.Kod_zmeny = r.asString(i, 6);
        x.Platnost_zmeny = r.asString(i, 7);
        x.Datum_zmeny = r.asDate(i, 8);
        out.push_back(std::move(x));
    }
    return out;
}

std::pair<double, double> insuranceBases(int u_zdrav, bool zps, double zaklad)
{
    if (u_zdrav != 1 && u_zdrav != 3)
        return {0, 0};
    return zps ? std::pair{0.0, zaklad} : std::pair{zaklad, 0.0};
}

QString socialSecurityText(int obdobie)
{
    return MyConsts::Dopln_zlava(QString::number(obdobie % 100), 2, u'0') + QString::number(obdobie / 100).right(2);
}

} // namespace ZP2005PR

namespace {

const rpt::FontSpec kNarrow7{u"Arial Narrow"_s, 7};
const rpt::FontSpec kNarrow7b{u"Arial Narrow"_s, 7, true};
const rpt::FontSpec kNarrow8{u"Arial Narrow"_s, 8};
constexpr double kRiadok = 4.2;

// The columns: caption, field, left, width, the mask of amounts.
struct StatementColumn {
    const char16_t *nadpis;
    const char16_t *pole;
    double x, w;
    const char16_t *maska;
};
constexpr StatementColumn kStlpce[] = {
    {u"Por. čís.", u"CALC_PORADIE", 0, 10, nullptr},
    {u"Rodné číslo poistenca", u"born_numb", 11, 24, nullptr},
    {u"Poč. dní", u"dni_poist", 36, 10, u"0"},
    {u"Celkový príjem v Sk", u"n_prijem_zp", 47, 22, u"0"},
    {u"Vymeriavací základ v Sk", u"n_zaklad_zp", 70, 22, u"0"},
    {u"Sadzba zamestnávateľ %", u"fz_zdravot", 93, 16, u"0.00"},
    {u"Sadzba zamestnanec %", u"f_zdravot", 110, 16, u"0.00"},
    {u"Preddavok zamestnávateľ", u"oz_zdravot", 127, 20, u"0"},
    {u"Preddavok zamestnanec", u"o_zdravot", 148, 20, u"0"},
    {u"Preddavok spolu v Sk", u"CALC_SPOLU", 169, 21, u"0"},
};

rpt::LayoutDesc layoutZP2005PR()
{
    rpt::LayoutDesc l;
    l.name = u"TReportZP2005PR"_s;
    l.title = u"Príloha k výkazu preddavkov na poistné"_s;
    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 5},
              u"PRÍLOHA K VÝKAZU PREDDAVKOV NA POISTNÉ NA VEREJNÉ ZDRAVOTNÉ POISTENIE"_s, kArial9b, Qt::AlignHCenter),
        label(u"QRL_kzp"_s, {0, 7, 35, 4}, u"kód zdrav. poisťovne"_s, kArial8),
        [] {
            rpt::ControlDesc c = label(u"QRLabel_KZP"_s, {36, 7, 15, 4}, {}, kArial9b);
            c.tag = 1;
            return c;
        }(),
        label(u"QRL_riadny"_s, {110, 7, 20, 4}, u"riadny"_s, kArial7),
        rpt::rectangle(u"QRS_riadny"_s, {124, 7, 4, 4}),
        filledLabel(u"QR_RIADNY"_s, {124, 7, 4, 4}, kArial8b, Qt::AlignHCenter),
        label(u"QRL_opravny"_s, {134, 7, 20, 4}, u"opravný"_s, kArial7),
        rpt::rectangle(u"QRS_opravny"_s, {148, 7, 4, 4}),
        filledLabel(u"QR_OPRAVNY"_s, {148, 7, 4, 4}, kArial8b, Qt::AlignHCenter),
        label(u"QRL_doplnkovy"_s, {158, 7, 20, 4}, u"doplnkový"_s, kArial7),
        rpt::rectangle(u"QRS_doplnkovy"_s, {175, 7, 4, 4}),
        label(u"QRL_ident"_s, {0, 13, 45, 4}, u"Identifikácia zamestnávateľa"_s, kArial8),
        dbText(u"QRDB_CALC_FIRMA"_s, {46, 13, 100, 4}, u"CALC_FIRMA"_s, kArial8),
        label(u"QRL_ico"_s, {148, 13, 10, 4}, u"IČO :"_s, kArial8),
        dbText(u"QRDB_CALC_ICO"_s, {158, 13, 32, 4}, u"CALC_ICO"_s, kArial8b),
        dbText(u"QRDB_CA_OBDOBIE"_s, {0, 18, 80, 4}, u"CA_OBDOBIE"_s, kArial8b),
        label(u"QRL_zoznam"_s, {0, 23, kSirka, 4}, u"Zoznam zamestnancov, vymeriavacie základy a preddavky"_s,
              kArial8b),
        rpt::horizontalLine(u"QRS_hore"_s, {0, 28, kSirka, 0}),
        rpt::horizontalLine(u"QRS_dole"_s, {0, 39.5, kSirka, 0}),
    };
    std::vector<rpt::LayoutItem> riadok;
    for (const StatementColumn &s : kStlpce) {
        const QString pole = QString::fromUtf16(s.pole);
        const Qt::Alignment a = s.maska ? Qt::AlignRight : Qt::AlignLeft;
        rpt::ControlDesc n = label(u"QRL_"_s + pole, {s.x, 28.5, s.w, 10.5}, QString::fromUtf16(s.nadpis), kNarrow7b, a);
        n.wordWrap = true;
        hlava.push_back(n);
        if (pole == u"CALC_PORADIE") {
            rpt::ControlDesc c = label(u"QRL_PORADIE"_s, {s.x, 0.3, s.w, kRiadok}, {}, kNarrow8, Qt::AlignRight);
            c.tag = 1;
            riadok.push_back(c);
        } else {
            riadok.push_back(dbText(u"QRDB_"_s + pole, {s.x, 0.3, s.w, kRiadok}, u"Q1_."_s + pole, kNarrow8, a,
                                    s.maska ? QString::fromUtf16(s.maska) : QString()));
        }
    }
    std::vector<rpt::LayoutItem> pata{
        label(u"QRL_vyplnil"_s, {0, 0, 40, 4}, u"Vyplnil:"_s, kArial7),
        [] {
            rpt::ControlDesc c = label(u"QR_Vykaz_zostavil"_s, {12, 0, 60, 4}, {}, kArial7);
            c.tag = 1;
            return c;
        }(),
        label(u"QRL_dna"_s, {0, 5, 10, 4}, u"Dňa:"_s, kArial7),
        [] {
            rpt::ControlDesc c = label(u"QR_vykaz_dna"_s, {12, 5, 40, 4}, {}, kArial7);
            c.tag = 1;
            return c;
        }(),
        label(u"QRL_podpis"_s, {75, 0, 60, 4}, u"Podpis a pečiatka platiteľa poistného"_s, kArial7),
        label(u"QRL_evidoval"_s, {140, 0, 50, 4}, u"Výkaz evidoval:"_s, kArial7),
        label(u"QRL_datum_ev"_s, {140, 5, 50, 4}, u"Dátum evidencie:"_s, kArial7),
        rpt::sysData(u"QRSysData1"_s, {75, 10, 115, 4}, rpt::SysDataKind::PageNumber, kArial7,
                     u"Strana číslo / celkový počet strán prílohy: "_s),
    };
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 40,
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

QString TReportZP2005PR::Text_Q1()
{
    return u"select v.v_obdobie, v.v_rok, v.v_mesiac, v.kzp, v.n_zaklad_zp, v.zps, v.zps1, v.ztp, v.o_zdravot, "
           u"v.oz_zdravot, v.f_zdravot, v.fz_zdravot, v.u_zdrav, v.n_brutto, "
           u"(coalesce(v.v_kal_dni,0) - coalesce(v.v_nepoist_zp,0)) dni_poist, v.n_prijem_zp, z.code_emp, z.surname, "
           u"z.name, z.title, z.born_numb from vyp v,zam z where v.v_obdobie = :p1 and v.sid between :p2 and :p3 "
           u"and v.u_zdrav>0 and v.kzp = :kzp and v.code_emp=z.code_emp order by z.code_emp"_s;
}

TReportZP2005PR::TReportZP2005PR()
{
    Sirky_ramcekov = kRamceky_1_5;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData,
                  u"select kzp, max(v_obdobie) v_obdobie, count(*) pocet from \":tarix_data:vyp\" vyp "
                  u"where v_obdobie=:p1 and sid between :p2 and :p3 and kzp<>0 and u_zdrav>0 group by kzp "
                  u"having count(*)>0 order by kzp"_s);
    for (const char *f : {"CA_OBDOBIE", "CA_NADPIS1", "CALC_SS", "CALC_ICO", "CALC_FIRMA"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    prepareQuery(Q1_, u"Q1_"_s, core::kAliasData, Text_Q1());
    for (const char *f : {"CALC_MPT"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    for (const char *f : {"CALC_ZAKLAD1", "CALC_ZAKLAD2", "CALC_SPOLU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Float, 0);
    Q1_.onCalcFields = [this](db::DataSet &ds) { Q1_CalcFields(ds); };
    health::buildInsurerPages(*this, Q0_, S0_, Q1_, S1_, layoutZP2005PR(), m_poradie);
}

TReportZP2005PR::~TReportZP2005PR() = default;

void TReportZP2005PR::Q0_CalcFields(db::DataSet &ds)
{
    const QString o = ds.fieldByName(u"v_obdobie"_s).asString();
    ds.setValue(u"CA_OBDOBIE"_s, u"za obdobie  "_s + o.mid(4, 2) + u" / "_s + o.left(4));
    ds.setValue(u"CA_NADPIS1"_s, u"kód zdravotnej poisťovne : "_s
                                     + MyConsts::Dopln_zlava(ds.fieldByName(u"kzp"_s).asString(), 2, u'0'));
    ds.setValue(u"CALC_SS"_s, ZP2005PR::socialSecurityText(int(ds.fieldByName(u"v_obdobie"_s).asInteger())));
    ds.setValue(u"CALC_ICO"_s, m_ico);
    ds.setValue(u"CALC_FIRMA"_s, u"Názov:  "_s + Param.Text_firmy);
}

void TReportZP2005PR::Q1_CalcFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    ds.setValue(u"CALC_MPT"_s, MyConsts::Cele_meno(t("name"), t("surname"), t("title")).left(100));
    const auto [z1, z2] = ZP2005PR::insuranceBases(int(ds.fieldByName(u"u_zdrav"_s).asInteger()),
                                            ds.fieldByName(u"zps"_s).asBoolean(),
                                            ds.fieldByName(u"n_zaklad_zp"_s).asFloat());
    ds.setValue(u"CALC_ZAKLAD1"_s, z1);
    ds.setValue(u"CALC_ZAKLAD2"_s, z2);
    ds.setValue(u"CALC_SPOLU"_s, ds.fieldByName(u"o_zdravot"_s).asFloat() + ds.fieldByName(u"oz_zdravot"_s).asFloat());
}

void TReportZP2005PR::Otvor_data()
{
    // Advances in whole crowns from 2006; before, to the haller.
    const QString maska = Param.Obdobie >= 200601 ? u"0"_s : u"0.00"_s;
    for (const char *pole : {"QRDB_oz_zdravot", "QRDB_o_zdravot", "QRDB_CALC_SPOLU"})
        if (auto *c = findAs<rpt::ReportDBText>(QString::fromLatin1(pole)))
            c->mask = maska;
    if (auto *l = findAs<rpt::ReportLabel>(u"QR_Vykaz_zostavil"_s))
        l->caption = Param.Vykaz_zostavil;
    if (auto *l = findAs<rpt::ReportLabel>(u"QR_vykaz_dna"_s))
        l->caption = Param.Den_textom;
    social::markStatementKind(*this, Param.Typ_vykazu, u"QR_RIADNY"_s, u"QR_OPRAVNY"_s);
    const db::SqlResult inf = Q0_.session().run(u"select ico from \":tarix_data:inf\""_s);
    m_ico = inf.rowCount() ? inf.asString(0, 0) : QString();
    Q1_.close();
    Q0_.close();
    for (db::Query *q : {&Q0_, &Q1_}) {
        q->setParam(u"p1"_s, Param.Obdobie);
        q->setParam(u"p2"_s, Param.Stredisko_od);
        q->setParam(u"p3"_s, Param.Stredisko_do);
    }
    Q0_.open();
}

void TReportZP2005PR::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
