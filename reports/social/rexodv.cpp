#include "reports/social/rexodv.h"

#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/report/description.h"
#include "reports/report_query.h"
#include "reports/social/social_blocks.h"

namespace tarix::reports {

namespace {

using namespace Qt::Literals::StringLiterals;
using rpt::dbText;
using rpt::expression;
using rpt::label;

const rpt::FontSpec kNarrow7{u"Arial Narrow"_s, 7};
const rpt::FontSpec kNarrow7b{u"Arial Narrow"_s, 7, true};
const rpt::FontSpec kArial8b{u"Arial"_s, 8, true};
const rpt::FontSpec kArial11b{u"Arial"_s, 11, true};

// Columns (millimetres across the landscape page inside its margins).
constexpr double kMeno = 0, kMenoW = 38;
constexpr double kRc = 38, kRcW = 20;
constexpr double kZaklad = 59, kZakladW = 15.5;   // four base columns
constexpr double kFond = 123, kFondW = 22;        // seven funds: rate and amount
constexpr double kSadzbaW = 7.5, kSumaW = 13.5;
constexpr double kSirka = kFond + 7 * kFondW;     // 277
constexpr double kRiadok = 3.6;

double baseOf(int i) { return kZaklad + i * kZakladW; }
double fondX(int i) { return kFond + i * kFondW; }

// The funds in their columns: caption, employee rate and amount (line 1; the first four
// only), employer rate and amount (line 2), and the employer rate's mask.
struct fundRow {
    const char *nazov;
    const char *f, *o;
    const char *fz, *oz;
    const char *maskaFz;
};
constexpr fundRow kFondy[] = {
    {"Nemocenské", "f_nemoc", "o_nemoc", "fz_nemoc", "oz_nemoc", "0.0"},
    {"Starobné", "f_dochod", "o_dochod", "fz_dochod", "oz_dochod", "0.0"},
    {"V nezamest.", "f_fondz", "o_fondzam", "fz_fondz", "oz_fondzam", "0.0"},
    {"Invalidné", "f_invalid", "o_invalid", "fz_invalid", "oz_invalid", "0.0"},
    {"Úrazové", nullptr, nullptr, "fz_uraz", "oz_uraz", "0.0"},
    {"Rezervný f.", nullptr, nullptr, "fz_rezerva", "oz_rezerva", "0.00"},
    {"Garančné", nullptr, nullptr, "fz_garfond", "oz_garancne", "0.00"},
};

// The bases: line 1 (employee) and line 2 (employer), each column with its caption.
struct Zaklad {
    int stlpec;
    int riadok;
    const char *pole;
    const char *nadpis;
};
constexpr Zaklad kZaklady[] = {
    {0, 0, "n_zaklad_np", "Základ NP"}, {1, 0, "n_zaklad_fz", "Základ PVN"}, {2, 0, "n_zaklad_up", "Základ UP"},
    {0, 1, "n_zaklad_dp", "Základ SP"}, {1, 1, "n_zaklad_ip", "Základ IP"}, {2, 1, "n_zaklad_rf", "Základ RF"},
    {3, 1, "n_zaklad_gp", "Základ GP"},
};

rpt::LayoutDesc layoutOdv()
{
    rpt::LayoutDesc l;
    l.name = u"TReportOdv"_s;
    l.title = u"Rozpis odvodov poistného"_s;
    l.page.orientation = rpt::Orientation::Landscape;
    l.previewZoom = 100;

    rpt::ControlDesc nadpis = label(u"QRLabel47"_s, {0, 0, 200, 5.5}, {}, kArial11b);
    nadpis.tag = 1;
    std::vector<rpt::LayoutItem> hlava{
        nadpis,
        rpt::sysData(u"QRSysData1"_s, {kSirka - 40, 0, 40, 4}, rpt::SysDataKind::PageNumber, kNarrow7,
                     u"Strana č. "_s, Qt::AlignRight),
        dbText(u"QRDB_CALC_FIRMA"_s, {0, 6, 200, 4}, u"CALC_FIRMA"_s, kArial8b),
        rpt::horizontalLine(u"QRS_hore"_s, {0, 11.5, kSirka, 0}),
        label(u"QRL_meno"_s, {kMeno, 12.5, kMenoW, kRiadok}, u"MENO A PRIEZVISKO"_s, kNarrow7b),
        label(u"QRL_rc"_s, {kRc, 12.5, kRcW, kRiadok}, u"Rodné  číslo"_s, kNarrow7b),
        label(u"QRL_zamestnanec"_s, {kMeno, 16.1, kMenoW, kRiadok}, u"Zamestnanec"_s, kNarrow7),
        label(u"QRL_zamestnavatel"_s, {kMeno, 19.7, kMenoW, kRiadok}, u"Zamestnávateľ"_s, kNarrow7),
        rpt::horizontalLine(u"QRS_dole"_s, {0, 24, kSirka, 0}),
    };
    for (const Zaklad &z : kZaklady)
        hlava.push_back(label(u"QRL_"_s + QString::fromLatin1(z.pole), {baseOf(z.stlpec), 16.1 + z.riadok * kRiadok, kZakladW, kRiadok},
                              QString::fromUtf8(z.nadpis), kNarrow7, Qt::AlignRight));
    for (int i = 0; i < 7; ++i)
        hlava.push_back(label(u"QRL_fond%1"_s.arg(i), {fondX(i), 12.5, kFondW, kRiadok}, QString::fromUtf8(kFondy[i].nazov),
                              kNarrow7b, Qt::AlignRight));

    std::vector<rpt::LayoutItem> riadky{
        dbText(u"QRDB_CALC_MPT"_s, {kMeno, 0.2, kMenoW, kRiadok}, u"CALC_MPT"_s, kNarrow7),
        dbText(u"QRDB_born_numb"_s, {kRc, 0.2, kRcW, kRiadok}, u"born_numb"_s, kNarrow7),
    };
    std::vector<rpt::LayoutItem> spolu{
        rpt::horizontalLine(u"QRS_spolu"_s, {0, 0.3, kSirka, 0}),
        label(u"QRL_SPOLU"_s, {kMeno, 1, kMenoW, kRiadok}, u"SPOLU"_s, kNarrow7b),
    };
    const auto stlpec = [&](const QString &pole, double x, double w, int riadok, const QString &maska, bool suma) {
        const double y = 0.2 + riadok * kRiadok;
        riadky.push_back(dbText(u"QRDB_"_s + pole, {x, y, w, kRiadok}, pole, kNarrow7, Qt::AlignRight, maska));
        if (suma)
            spolu.push_back(expression(u"QRE_"_s + pole, {x, y + 0.8, w, kRiadok}, u"SUM(Q0_."_s + pole + u')', kNarrow7b,
                                       Qt::AlignRight, u"0"_s));
    };
    for (const Zaklad &z : kZaklady)
        stlpec(QString::fromLatin1(z.pole), baseOf(z.stlpec), kZakladW, z.riadok, u"0"_s, true);
    for (int i = 0; i < 7; ++i) {
        const fundRow &f = kFondy[i];
        if (f.f) {
            stlpec(QString::fromLatin1(f.f), fondX(i), kSadzbaW, 0, u"0.0"_s, false);
            stlpec(QString::fromLatin1(f.o), fondX(i) + kSadzbaW, kSumaW, 0, u"0"_s, true);
        }
        stlpec(QString::fromLatin1(f.fz), fondX(i), kSadzbaW, 1, QString::fromLatin1(f.maskaFz), false);
        stlpec(QString::fromLatin1(f.oz), fondX(i) + kSadzbaW, kSumaW, 1, u"0"_s, true);
    }

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 25,
                                    .items = std::move(hlava)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 2 * kRiadok + 1,
                                    .items = std::move(riadky)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Summary, .name = u"SummaryBand1"_s,
                                    .height = 2 * kRiadok + 2, .items = std::move(spolu)});
    return l;
}

} // namespace

TReportOdv::TReportOdv()
{
    prepareQuery(Q0_, QStringLiteral("Q0_"), core::kAliasData, Text_Q0());
    Q0_.addCalculatedField(QStringLiteral("CALC_FIRMA"), db::FieldType::String, 100);
    Q0_.addCalculatedField(QStringLiteral("CALC_MPT"), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeStatementFields(ds); };
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(QStringLiteral("Q0_"), &S0_);
    rpt::buildReportForm(*this, layoutOdv(), social::socialBlocks(), checkFields({{&S0_, &Q0_}}));
    if (auto *l = findAs<rpt::ReportLabel>(QStringLiteral("QRLabel47")))
        l->dataRole = true;
}

TReportOdv::~TReportOdv() = default;

QString TReportOdv::Text_Q0()
{
    return QStringLiteral(
        "select v.v_obdobie, v.v_rok, v.v_mesiac, v.n_zaklad_dp, v.n_zaklad_np, v.n_zaklad_fz, v.n_zaklad_ip, "
        "v.n_zaklad_up, v.n_zaklad_rf, v.n_zaklad_gp, v.zps, v.zps1, v.ztp, v.o_nemoc, v.o_dochod, v.o_fondzam, "
        "v.o_invalid, v.oz_invalid, v.oz_uraz, v.oz_rezerva, v.oz_garancne, v.oz_nemoc, v.oz_dochod, v.oz_fondzam, "
        "v.f_nemoc, v.fz_nemoc, v.f_dochod, v.fz_dochod, v.f_fondz, v.fz_fondz, v.f_invalid, v.fz_invalid, v.fz_uraz, "
        "v.fz_rezerva, v.fz_garfond, z.code_emp, z.surname, z.name, z.title, z.born_numb\n"
        "from vyp v,zam z\n"
        "where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and z.code_emp=v.code_emp and (v.u_nemoc>0 or "
        "v.u_dochod>0 or v.u_fondzam>0 or v.u_invalid>0 or v.u_uraz>0 or v.u_rezerva>0 or v.u_garancne>0)\n"
        "order by z.surname,z.name,z.code_emp");
}

void TReportOdv::computeStatementFields(db::DataSet &ds)
{
    ds.setValue(QStringLiteral("CALC_FIRMA"), QStringLiteral("FIRMA:  ") + Param.Text_firmy);
    ds.setValue(QStringLiteral("CALC_MPT"), (ds.fieldByName(QStringLiteral("surname")).asString().trimmed() + u' '
                                             + ds.fieldByName(QStringLiteral("name")).asString().trimmed())
                                                .left(100));
}

void TReportOdv::Otvor_data()
{
    if (auto *l = findAs<rpt::ReportLabel>(QStringLiteral("QRLabel47")))
        l->caption = QStringLiteral("ROZPIS ODVODOV POISTNÉHO ZA ")
                     + MyConsts::Nazov_mesiaca(MyConsts::Mesiac_obdobia(Param.Obdobie), true) + u' '
                     + QString::number(MyConsts::Rok_obdobia(Param.Obdobie));
    Q0_.close();
    Q0_.setParam(QStringLiteral("P1"), Param.Obdobie);
    Q0_.setParam(QStringLiteral("P2"), Param.Stredisko_od);
    Q0_.setParam(QStringLiteral("P3"), Param.Stredisko_do);
    Q0_.open();
}

void TReportOdv::Zatvor_data() { Q0_.close(); }

} // namespace tarix::reports
