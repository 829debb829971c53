#include "reports/recap/rexfz2.h"

#include "core/helpers/address.h"
#include "core/session.h"
#include "platform/format/number_format.h"
#include "reports/recap/recap_blocks.h"
#include "reports/report_query.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXFZ2 {

QString birthNumberInBoxes(const QString &rodneCislo)
{
    QString t = rodneCislo;
    t.remove(u'/');
    t.remove(u' ');
    return t.left(10);
}

} // namespace REXFZ2

namespace {

using namespace recap;
using rpt::label;

rpt::LayoutDesc layoutFZ2()
{
    rpt::LayoutDesc l;
    l.name = u"TReportFZ2"_s;
    l.title = u"Hromadné oznámenie o platiteľoch príspevku na poistenie v nezamestnanosti"_s;
    l.previewZoom = 80;

    std::vector<rpt::LayoutItem> h{
        label(u"QRL_oddiel"_s, {0, 0, 40, 5}, u"II.ODDIEL"_s, kArial9b),
        label(u"QRL_nadpis1"_s, {0, 6, kSirka, 6},
              u"HROMADNÉ OZNÁMENIE O PLATITEĽOCH PRÍSPEVKU NA POISTENIE V NEZAMESTNANOSTI"_s,
              rpt::FontSpec{u"Arial"_s, 11, true},
              Qt::AlignHCenter),
        label(u"QRL_nadpis2"_s, {0, 12, kSirka, 5}, u"(ZAMESTNANCOCH)"_s, kArial9b, Qt::AlignHCenter),
        rpt::rectangle(u"QRS_firma"_s, {0, 19, kSirka, 26}),
        label(u"QRL_firma"_s, {2, 20, 100, 4}, u"Odvádzateľ príspevku (zamestnávateľ)"_s, kArial8b),
        label(u"QRL_vs"_s, {2, 25, 50, 4}, u"Číslo variabilného symbolu"_s, kArial8),
        label(u"QRL_vs2"_s, {2, 29, 60, 4}, u"(toto číslo sa uvádza tiež na príkaze na úhr.)"_s, kArial7),
    };
    boxFields(h, u"VS"_s, 12, 66, 25, 6);
    h.push_back(label(u"QRL_nazov"_s, {2, 34, 16, 4}, u"Názov"_s, kArial8));
    h.push_back(filledLabel(u"CALC_NAZOVADRESA"_s, {20, 34, 168, 4.5}, kArial9));
    h.push_back(label(u"QRL_mesiac"_s, {2, 40, 20, 4}, u"Za mesiac"_s, kArial8));
    h.push_back(filledLabel(u"CALC_MESIAC"_s, {22, 40, 30, 4.5}, kArial9));
    h.push_back(label(u"QRL_list"_s, {120, 40, 14, 4}, u"List č."_s, kArial8));
    h.push_back(rpt::sysData(u"QRSD_strana"_s, {134, 40, 12, 4.5}, rpt::SysDataKind::PageNumber, kArial9));
    h.push_back(label(u"QRL_listov"_s, {150, 40, 24, 4}, u"Počet listov"_s, kArial8));
    // Column heads.
    struct Stlpec {
        const char16_t *meno;
        const char16_t *text;
        double x, w;
    };
    const Stlpec stlpce[] = {{u"c", u"P.č.", 0, 10},          {u"kod", u"Kód zmeny", 10, 16},
                             {u"rc", u"Rodné číslo zamestnanca", 26, 60}, {u"zaklad", u"Vymeriavací základ", 86, 30},
                             {u"typ", u"Typ", 116, 12},          {u"uvazok", u"Úväzok", 128, 14},
                             {u"doch", u"Dochádzka", 142, 20},   {u"datum", u"Dátum zmeny", 162, 28}};
    for (const Stlpec &s : stlpce) {
        h.push_back(rpt::rectangle(u"QRS_h_"_s + QString::fromUtf16(s.meno), {s.x, 47, s.w, 8}));
        h.push_back(label(u"QRL_h_"_s + QString::fromUtf16(s.meno), {s.x + 0.5, 49, s.w - 1, 4},
                          QString::fromUtf16(s.text), kArial7, Qt::AlignHCenter));
    }

    std::vector<rpt::LayoutItem> d;
    for (const Stlpec &s : stlpce)
        d.push_back(rpt::rectangle(u"QRS_d_"_s + QString::fromUtf16(s.meno), {s.x, 0, s.w, 6}));
    d.push_back(rpt::sysData(u"QRSD_cislo"_s, {0.5, 1, 9, 4.5}, rpt::SysDataKind::DetailNumber, kArial9));
    for (int i = 1; i <= 10; ++i)
        d.push_back(rpt::dbText(u"RC"_s + QString::number(i), {26 + (i - 1) * 6 + 0.5, 1, 5, 4.5},
                                u"RC"_s + QString::number(i), kArial9, Qt::AlignHCenter));
    d.push_back(rpt::dbText(u"QRDB_CALC_ZAKLAD"_s, {87, 1, 28, 4.5}, u"CALC_ZAKLAD"_s, kArial9, Qt::AlignRight));
    d.push_back(rpt::dbText(u"QRDB_fz_typzam"_s, {117, 1, 10, 4.5}, u"fz_typzam"_s, kArial9, Qt::AlignHCenter));
    d.push_back(rpt::dbText(u"QRDB_fz_uvazok"_s, {129, 1, 12, 4.5}, u"fz_uvazok"_s, kArial9, Qt::AlignHCenter));

    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 56,
                                    .items = std::move(h)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 6,
                                    .items = std::move(d)});
    return l;
}

QString Pole(const db::DataSet &ds, const char *meno)
{
    return ds.fieldByName(QString::fromLatin1(meno)).asString().trimmed();
}

} // namespace

TReportFZ2::TReportFZ2()
{
    Sirky_ramcekov = kRamceky_1_5;
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData,
                  u"select z.surname, z.name, z.title, z.born_numb, z.fz_uvazok, z.fz_typzam, v.n_zaklad_fz, v.v_rok, "
                  "v.v_mesiac, v.u_fondzam, v.u_fondzam1, v.u_fondzam2 from vyp v,zam z where v.v_obdobie=:p1 "
                  "and v.sid between :p2 and :p3 and v.u_fondzam>0 and z.code_emp=v.code_emp "
                  "order by z.surname, z.name, v.code_emp"_s);
    Q0_.addCalculatedField(u"CALC_MESIAC"_s, db::FieldType::String, 50);
    Q0_.addCalculatedField(u"CALC_ZAKLAD"_s, db::FieldType::String, 20);
    for (int i = 1; i <= 10; ++i)
        Q0_.addCalculatedField(u"RC"_s + QString::number(i), db::FieldType::String, 1);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    recap::prepareInformation(T0_);
    S0_.setDataSet(&Q0_);
    ST_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);
    registerDataSource(u"T0_"_s, &ST_);
    rpt::buildReportForm(*this, layoutFZ2(), social::socialBlocks(), checkFields({{&S0_, &Q0_}, {&ST_, &T0_}}));
    social::markFilledLabels(*this);
}

TReportFZ2::~TReportFZ2() = default;

void TReportFZ2::Q0_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"CALC_MESIAC"_s, Pole(ds, "v_mesiac") + u" / "_s + Pole(ds, "v_rok"));
    const auto kod = [&](const char *f) { return ds.fieldByName(QString::fromLatin1(f)).asInteger() == 1; };
    const double zaklad = kod("u_fondzam") || kod("u_fondzam1") || kod("u_fondzam2")
                              ? ds.fieldByName(u"n_zaklad_fz"_s).asFloat()
                              : 0.0;
    ds.setValue(u"CALC_ZAKLAD"_s, fmt::formatFloat(u"### ##0", zaklad));
    const QString rc = REXFZ2::birthNumberInBoxes(ds.fieldByName(u"born_numb"_s).asString());
    for (int i = 1; i <= 10; ++i)
        ds.setValue(u"RC"_s + QString::number(i), i <= rc.size() ? rc.mid(i - 1, 1) : QString());
}

void TReportFZ2::Otvor_data()
{
    T0_.close();
    T0_.open();
    if (!T0_.isEmpty()) {
        recap::fillBoxes(*this, u"VS"_s, 12, Pole(T0_, "FZ_VS"));
        recap::setRecapBox(*this, u"CALC_NAZOVADRESA"_s,
                      Pole(T0_, "NAZOV") + u", "_s
                          + MyConsts::Text_adresy(Pole(T0_, "ADR_ULICA"), Pole(T0_, "ADR_CISLO"),
                                                  Pole(T0_, "ADR_PSC"), Pole(T0_, "ADR_MESTO")));
    }
    recap::setRecapBox(*this, u"CALC_MESIAC"_s,
                  QString::number(Param.Obdobie % 100) + u" / "_s + QString::number(Param.Obdobie / 100));
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Obdobie);
    Q0_.setParam(u"p2"_s, Param.Stredisko_od);
    Q0_.setParam(u"p3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportFZ2::Zatvor_data()
{
    Q0_.close();
    T0_.close();
}

} // namespace tarix::reports
