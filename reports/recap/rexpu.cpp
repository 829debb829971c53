#include "reports/recap/rexpu.h"

#include "core/helpers/periods.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "reports/recap/recap_blocks.h"
#include "reports/recap/rexnz.h"
#include "reports/report_query.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace REXPU {

void updatePuCodes(db::Session &session, const TMyReportParam &p)
{
    TMyReportParam pu = p;
    pu.Kod_zostavy = u"PU"_s;
    // Computed before anything is written: a failing statement leaves scheme and nakl as they were.
    const std::vector<REXNZ::Riadok> riadky = REXNZ::Vypocet_rekapitulacie(session, pu, false);
    db::Transaction tr(&session);
    session.execute(u"update \":tarix_data:cis_pu\" AS A set suma=null"_s);
    REXNZ::writeCost(session, riadky);
    const char *const kPrikazy[] = {
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol='+' and B.ident_cislo=A.id)",
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol='*' and B.ident_cislo=A.id * 100) where id IN (17.50)",
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol='[' and B.ident_cislo=A.cislo) where id=29",
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol=']' and B.ident_cislo=A.cislo) where id=35",
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol='(' and B.ident_cislo=A.cislo) where id=34",
        "update \":tarix_data:cis_pu\" AS A set suma=(select suma from \":tarix_priv:nakl\" B where "
        "B.ident_symbol=')' and B.ident_cislo=A.cislo) where id=43",
        "update \":tarix_data:cis_pu\" AS A set suma=(select sum(suma) from \":tarix_data:cis_pu\" B where "
        "B.id BETWEEN 1 AND 11) where id=12",
    };
    for (const char *sql : kPrikazy)
        session.execute(QString::fromLatin1(sql));
    tr.commit();
}

QString titleHeading(int obdobie)
{
    return u"Vstupy do podvojného účtovníctva - "_s + MyConsts::Nazov_mesiaca(obdobie % 100, true) + u' '
           + QString::number(obdobie / 100);
}

} // namespace REXPU

namespace {

using namespace recap;
using rpt::label;

rpt::LayoutDesc layoutPU()
{
    rpt::LayoutDesc l;
    l.name = u"TReportPU"_s;
    l.title = u"Vstupy do podvojného účtovníctva"_s;
    struct Stlpec {
        const char16_t *hlava;
        const char16_t *pole;
        double x, w;
    };
    const Stlpec stlpce[] = {{u"TEXT", u"CALC_NAZOV", 0, 92},  {u"SUMA SK", u"SUMA", 92, 34},
                             {u"SÚ/MD", u"MD_SY", 128, 15},    {u"AÚ/MD", u"MD_AN", 144, 15},
                             {u"SÚ/DAL", u"DAL_SY", 160, 15},  {u"AÚ/DAL", u"DAL_AN", 176, 14}};
    std::vector<rpt::LayoutItem> h{
        label(u"QRL_vykaz"_s, {0, 0, 20, 5}, u"VÝKAZ:"_s, kArial9b),
        filledLabel(u"QRL_Nadpis"_s, {22, 0, 168, 5}, kArial9b),
        label(u"QRL_firma"_s, {0, 6, 20, 5}, u"FIRMA:"_s, kArial9b),
        filledLabel(u"QRL_CALC_FIRMA"_s, {22, 6, 168, 5}, kArial9),
    };
    std::vector<rpt::LayoutItem> d;
    for (const Stlpec &s : stlpce) {
        const QString pole = QString::fromUtf16(s.pole);
        const bool suma = pole == u"SUMA";
        h.push_back(rpt::rectangle(u"QRS_h_"_s + pole, {s.x, 12, s.w, 6}));
        h.push_back(label(u"QRL_h_"_s + pole, {s.x + 0.5, 13, s.w - 1, 4}, QString::fromUtf16(s.hlava), kArial8b,
                          suma ? Qt::AlignRight : Qt::AlignLeft));
        rpt::ControlDesc c = rpt::dbText(u"QRDB_"_s + pole, {s.x + 0.5, 0.5, s.w - 1, 4.5}, pole, kArial9,
                                         suma ? Qt::AlignRight : Qt::AlignLeft);
        if (suma)
            c.mask = u"### ### ### ##0.00"_s;
        d.push_back(c);
    }
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::PageHeader, .name = u"PageHeaderBand1"_s, .height = 19,
                                    .items = std::move(h)});
    l.bands.push_back(rpt::BandDesc{.kind = rpt::BandKind::Detail, .name = u"DetailBand1"_s, .height = 5.5,
                                    .items = std::move(d)});
    return l;
}

} // namespace

TReportPU::TReportPU()
{
    Sirky_ramcekov = kRamceky_1_8;
    prepareQuery(T0_, u"T0_"_s, core::kAliasData, u"select * from cis_pu order by id, cislo"_s);
    T0_.addCalculatedField(u"CALC_NAZOV"_s, db::FieldType::String, 80);
    T0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    T0_.onCalcFields = [this](db::DataSet &ds) { T0_CalcFields(ds); };
    S0_.setDataSet(&T0_);
    mainDataSource = &S0_;
    registerDataSource(u"T0_"_s, &S0_);
    rpt::buildReportForm(*this, layoutPU(), social::socialBlocks(), checkFields({{&S0_, &T0_}}));
    social::markFilledLabels(*this);
}

TReportPU::~TReportPU() = default;

void TReportPU::T0_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"CALC_FIRMA"_s, Param.Text_firmy);
    QString nazov = ds.fieldByName(u"TEXT"_s).asString();
    const QString cislo = ds.fieldByName(u"CISLO"_s).asString().trimmed();
    if (!cislo.isEmpty())
        nazov += cislo;
    const QString doplnok = ds.fieldByName(u"DOPLNOK"_s).asString().toUpper();
    if (doplnok == u"Z")
        nazov += u" - zam."_s;
    else if (doplnok == u"F")
        nazov += u" - firma "_s;
    ds.setValue(u"CALC_NAZOV"_s, nazov.left(80));
}

void TReportPU::Otvor_data()
{
    recap::setRecapBox(*this, u"QRL_Nadpis"_s, REXPU::titleHeading(Param.Obdobie));
    recap::setRecapBox(*this, u"QRL_CALC_FIRMA"_s, Param.Text_firmy);
    REXPU::updatePuCodes(T0_.session(), Param);
    T0_.close();
    T0_.open();
}

void TReportPU::Zatvor_data() { T0_.close(); }

} // namespace tarix::reports
