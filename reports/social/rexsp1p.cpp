#include "reports/social/rexsp1p.h"

#include "core/helpers/text_utils.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/report/description.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

namespace {

using namespace Qt::Literals::StringLiterals;
using rpt::dbText;
using rpt::label;

const rpt::FontSpec kNarrow8{u"Arial Narrow"_s, 8};
const rpt::FontSpec kNarrow8b{u"Arial Narrow"_s, 8, true};
const rpt::FontSpec kArial8b{u"Arial"_s, 8, true};
const rpt::FontSpec kArial11b{u"Arial"_s, 11, true};

constexpr double kRiadok = 4.2;

// The columns: caption, field, left, width, alignment, mask.
struct StatementColumn {
    const char *nadpis;
    const char *pole;
    double x, w;
    bool vpravo;
    const char *maska;
};
constexpr StatementColumn kStlpce[] = {
    {"Rodné číslo", "CALC_BORN_NUMB", 10, 22, false, ""},
    {"Meno, priezvisko, titul", "CALC_MPT", 33, 62, false, ""},
    {"Mesiac", "CALC_MESIAC", 96, 16, false, ""},
    {"Dni", "v_dni", 113, 10, true, "0"},
    {"Základ NP", "n_zaklad_np", 124, 20, true, "0"},
    {"Základ SP", "n_zaklad_dp", 145, 20, true, "0"},
    {"Základ IP", "n_zaklad_ip", 166, 20, true, "0"},
    {"Základ UP", "n_zaklad_up", 187, 20, true, "0"},
    {"Základ GP", "n_zaklad_gp", 208, 20, true, "0"},
    {"Rozsah poistenia", "CALC_ROZSAH_SP", 230, 26, false, ""},
    {"Bez IP", "CALC_U_INVALID", 258, 12, false, ""},
};

rpt::LayoutDesc layoutSP1P()
{
    rpt::LayoutDesc l;
    l.name = u"TReportSP1P"_s;
    l.title = u"Príloha k mesačnému výkazu poistného"_s;
    l.page.orientation = rpt::Orientation::Landscape;

    std::vector<rpt::LayoutItem> hlava{
        label(u"QRL_nadpis"_s, {0, 0, 200, 5.5}, u"PRÍLOHA K MESAČNÉMU VÝKAZU POISTNÉHO"_s, kArial11b),
        rpt::sysData(u"QRSysData1"_s, {237, 0, 40, 4}, rpt::SysDataKind::PageNumber, kNarrow8, u"Strana č. "_s,
                     Qt::AlignRight),
        dbText(u"QRDB_NAZOV"_s, {0, 6.5, 150, 4.5}, u"T0_.NAZOV"_s, kArial8b),
        dbText(u"QRDB_ICO"_s, {160, 6.5, 60, 4.5}, u"T0_.ICO"_s, kArial8b),
        rpt::horizontalLine(u"QRS_hore"_s, {0, 12, 277, 0}),
        label(u"QRL_pc"_s, {0, 13, 9, kRiadok}, u"P.č."_s, kNarrow8b, Qt::AlignRight),
        rpt::horizontalLine(u"QRS_dole"_s, {0, 17.8, 277, 0}),
    };
    std::vector<rpt::LayoutItem> riadok{
        rpt::sysData(u"QRSysData2"_s, {0, 0.3, 9, kRiadok}, rpt::SysDataKind::DetailNumber, kNarrow8, {}, Qt::AlignRight),
    };
    for (const StatementColumn &s : kStlpce) {
        const Qt::Alignment a = s.vpravo ? Qt::AlignRight : Qt::AlignLeft;
        const QString pole = QString::fromLatin1(s.pole);
        hlava.push_back(label(u"QRL_"_s + pole, {s.x, 13, s.w, kRiadok}, QString::fromUtf8(s.nadpis), kNarrow8b, a));
        riadok.push_back(dbText(u"QRDB_"_s + pole, {s.x, 0.3, s.w, kRiadok}, pole, kNarrow8, a, QString::fromLatin1(s.maska)));
    }
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 19,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = kRiadok + 0.6,
                                    .items = std::move(riadok)});
    return l;
}

} // namespace

TReportSP1P::TReportSP1P()
{
    prepareQuery(Q0_, QStringLiteral("Q0_"), QString::fromLatin1(core::kAliasData), Text_Q0());
    for (const char *f : {"CALC_MESIAC", "CALC_MPT", "CALC_U_INVALID", "CALC_BORN_NUMB", "CALC_ROZSAH_SP"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeStatementFields(ds); };
    prepareQuery(T0_, QStringLiteral("T0_"), QString::fromLatin1(core::kAliasData),
                  QStringLiteral("select * from inf"));
    S0_.setDataSet(&Q0_);
    ST0_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(QStringLiteral("Q0_"), &S0_);
    registerDataSource(QStringLiteral("T0_"), &ST0_);
    rpt::buildReportForm(*this, layoutSP1P(), social::socialBlocks(),
                         checkFields({{&S0_, &Q0_}, {&ST0_, &T0_}}));
}

TReportSP1P::~TReportSP1P() = default;

QString TReportSP1P::Text_Q0()
{
    // The employees drive the join: zam has no index on code_emp alone, so with the month's
    // payrolls outside every payroll would scan all employees, while each employee finds
    // his payroll of the month through the payroll table's key (code_emp, v_obdobie).
    return QStringLiteral(
        "select z.code_emp, z.surname, z.name, z.title, z.born_numb, z.fz_uvazok, z.fz_typzam, v.v_rok, v.v_mesiac, "
        "v.n_zaklad_np, v.n_zaklad_dp, v.n_zaklad_ip, v.n_zaklad_up, v.n_zaklad_gp, v.poc_nezaop_deti, v.o_nemoc, "
        "v.o_dochod, v.o_invalid, v.o_fondzam, v.oz_nemoc, v.oz_dochod, v.oz_invalid, v.oz_fondzam, v.oz_uraz, "
        "v.u_nemoc, v.u_dochod, v.u_invalid, v.u_fondzam, v.u_uraz, v.u_garancne, v.u_rezerva, v.rezerva1, "
        "v.vynimka_vz, v.v_kal_dni-v.v_nepoisteny v_dni\n"
        "from zam z cross join vyp v\n"
        "where v.v_obdobie=:p1 and v.sid between :p2 and :p3 and (v.u_nemoc<>0 or v.u_dochod<>0 or v.u_invalid<>0 "
        "or v.u_fondzam<>0 or v.u_uraz<>0) and z.code_emp=v.code_emp\n"
        "order by z.code_emp");
}

QString TReportSP1P::insuranceRange(const std::array<double, 7> &hodnoty)
{
    QString s;
    for (double h : hodnoty)
        s += h != 0 ? u'1' : u'0';
    return s;
}

void TReportSP1P::computeStatementFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString().trimmed(); };
    const auto n = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asFloat(); };
    ds.setValue(QStringLiteral("CALC_MESIAC"), t("v_mesiac") + QStringLiteral(" / ") + t("v_rok"));
    ds.setValue(QStringLiteral("CALC_MPT"), MyConsts::Cele_meno(t("name"), t("surname"), t("title")));
    ds.setValue(QStringLiteral("CALC_U_INVALID"), n("u_invalid") == 0 ? QStringLiteral("X") : QString());
    ds.setValue(QStringLiteral("CALC_BORN_NUMB"), MyConsts::Odstran_lomky_a_medzery(t("born_numb")));
    ds.setValue(QStringLiteral("CALC_ROZSAH_SP"),
                insuranceRange({n("u_nemoc"), n("u_dochod"), n("u_invalid"), n("u_fondzam"), n("u_uraz"),
                                  n("n_zaklad_gp"), n("u_rezerva")}));
}

namespace REXSP1P {

std::vector<Riadok> attachmentRows(db::Session &session, int obdobie, int sidOd, int sidDo)
{
    const db::SqlResult r =
        session.run(TReportSP1P::Text_Q0(), {{"p1", obdobie}, {"p2", sidOd}, {"p3", sidDo}}, QString::fromLatin1(core::kAliasData));
    std::vector<Riadok> riadky;
    riadky.reserve(size_t(r.rowCount()));
    const auto idx = [&](const char *meno) { return r.columnIndex(QString::fromLatin1(meno)); };
    const int iCode = idx("code_emp"), iSurname = idx("surname"), iName = idx("name"), iTitle = idx("title"),
              iBorn = idx("born_numb"), iRok = idx("v_rok"), iMesiac = idx("v_mesiac"), iNp = idx("n_zaklad_np"),
              iDp = idx("n_zaklad_dp"), iIp = idx("n_zaklad_ip"), iUp = idx("n_zaklad_up"), iGp = idx("n_zaklad_gp"),
              iDeti = idx("poc_nezaop_deti"), iONemoc = idx("o_nemoc"), iODochod = idx("o_dochod"),
              iOInvalid = idx("o_invalid"), iOFondzam = idx("o_fondzam"), iOzNemoc = idx("oz_nemoc"),
              iOzDochod = idx("oz_dochod"), iOzInvalid = idx("oz_invalid"), iOzFondzam = idx("oz_fondzam"),
              iOzUraz = idx("oz_uraz"), iUNemoc = idx("u_nemoc"), iUDochod = idx("u_dochod"),
              iUInvalid = idx("u_invalid"), iUFondzam = idx("u_fondzam"), iUUraz = idx("u_uraz"),
              iUGarancne = idx("u_garancne"), iURezerva = idx("u_rezerva"), iVynimka = idx("vynimka_vz"),
              iDni = idx("v_dni");
    for (int i = 0; i < r.rowCount(); ++i) {
        Riadok z;
        z.code_emp = r.asInteger(i, iCode);
        z.surname = r.asString(i, iSurname).trimmed();
        z.name = r.asString(i, iName).trimmed();
        z.title = r.asString(i, iTitle).trimmed();
        z.CALC_BORN_NUMB = MyConsts::Odstran_lomky_a_medzery(r.asString(i, iBorn).trimmed());
        z.v_rok = int(r.asInteger(i, iRok));
        z.v_mesiac = int(r.asInteger(i, iMesiac));
        z.n_zaklad_np = r.asFloat(i, iNp);
        z.n_zaklad_dp = r.asFloat(i, iDp);
        z.n_zaklad_ip = r.asFloat(i, iIp);
        z.n_zaklad_up = r.asFloat(i, iUp);
        z.n_zaklad_gp = r.asFloat(i, iGp);
        z.poc_nezaop_deti = int(r.asInteger(i, iDeti));
        z.o_nemoc = r.asFloat(i, iONemoc);
        z.o_dochod = r.asFloat(i, iODochod);
        z.o_invalid = r.asFloat(i, iOInvalid);
        z.o_fondzam = r.asFloat(i, iOFondzam);
        z.oz_nemoc = r.asFloat(i, iOzNemoc);
        z.oz_dochod = r.asFloat(i, iOzDochod);
        z.oz_invalid = r.asFloat(i, iOzInvalid);
        z.oz_fondzam = r.asFloat(i, iOzFondzam);
        z.oz_uraz = r.asFloat(i, iOzUraz);
        z.u_nemoc = int(r.asInteger(i, iUNemoc));
        z.u_dochod = int(r.asInteger(i, iUDochod));
        z.u_invalid = int(r.asInteger(i, iUInvalid));
        z.u_fondzam = int(r.asInteger(i, iUFondzam));
        z.u_uraz = int(r.asInteger(i, iUUraz));
        z.u_garancne = int(r.asInteger(i, iUGarancne));
        z.u_rezerva = int(r.asInteger(i, iURezerva));
        z.vynimka_vz = r.asString(i, iVynimka);
        z.v_dni = int(r.asInteger(i, iDni));
        z.CALC_U_INVALID = z.u_invalid == 0 ? QStringLiteral("X") : QString();
        z.CALC_ROZSAH_SP = TReportSP1P::insuranceRange({double(z.u_nemoc), double(z.u_dochod), double(z.u_invalid),
                                                          double(z.u_fondzam), double(z.u_uraz), z.n_zaklad_gp,
                                                          double(z.u_rezerva)});
        riadky.push_back(std::move(z));
    }
    return riadky;
}

} // namespace REXSP1P

void TReportSP1P::Otvor_data()
{
    Q0_.close();
    Q0_.setParam(QStringLiteral("P1"), Param.Obdobie);
    Q0_.setParam(QStringLiteral("P2"), Param.Stredisko_od);
    Q0_.setParam(QStringLiteral("P3"), Param.Stredisko_do);
    Q0_.open();
    T0_.close();
    T0_.open();
}

void TReportSP1P::Zatvor_data()
{
    T0_.close();
    Q0_.close();
}

} // namespace tarix::reports
