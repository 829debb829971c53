#include "reports/sheets/report_dov.h"

#include "core/helpers/employment_period.h"

#include <algorithm>

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

struct SheetColumn {
    const char *popis;
    const char *pole;
    double sirka;
};

const SheetColumn kStlpce[] = {
    {"P.č.", nullptr, 9},
    {"Os.č.", "code_numb", 12},
    {"Meno a priezvisko", "CALC_MPT", 55},
    {"Nárok z min. rokov", "holiday_old", 16},
    {"Nárok za akt. rok", "holiday", 16},
    {"Nárok spolu", "holiday_spolu", 16},
    {"Čerpaná", "CALC_V_HOLIDAY", 16},
    {"Zostáva z min.rokov", "CALC_ESTE_MINULA", 16},
    {"Zostáva spolu", "CALC_ESTE_SPOLU", 16},
};

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka{
        label(u"QRL_vykaz"_s, {0, 0, 14, 5}, u"VÝKAZ:"_s, reportFont(10, true)),
        label(u"QRL_nadpis"_s, {14, 0, 150, 5}, u"PREHĽAD DOVOLENIEK KU KONCU MESIACA"_s, reportFont(10, true)),
        sysData(u"QRSD_strana"_s, {160, 0, 30, 5}, SysDataKind::PageNumber, reportFont(8), u"Strana č. "_s, Qt::AlignRight),
        label(u"QRL_firma"_s, {0, 6, 14, 4.5}, u"FIRMA:"_s, reportFont(9)),
        dbText(u"QRDB_CALC_FIRMA"_s, {14, 6, 150, 4.5}, u"CALC_FIRMA"_s, reportFont(9, true)),
        horizontalLine(u"QRS_hore"_s, {0, 12, 188, 0.5}),
        horizontalLine(u"QRS_dole"_s, {0, 19.5, 188, 0.5}),
    };
    std::get<ControlDesc>(hlavicka[1]).tag = 1;
    std::vector<LayoutItem> riadok;
    double x = 0;
    for (const SheetColumn &s : kStlpce) {
        const QString pole = s.pole ? QString::fromLatin1(s.pole) : u"cislo"_s;
        const Qt::Alignment z = pole == u"CALC_MPT" ? Qt::AlignLeft : Qt::AlignRight;
        ControlDesc c = label(u"QRL_"_s + pole, {x + 0.5, 12.7, s.sirka - 1, 6.4}, QString::fromUtf8(s.popis),
                              narrowFont(7, true), Qt::AlignCenter);
        c.wordWrap = true;
        hlavicka.push_back(c);
        const Box box{x + 0.5, 0.3, s.sirka - 1, 3.8};
        if (s.pole)
            riadok.push_back(dbText(u"QRDB_"_s + pole, box, pole, reportFont(8), z));
        else
            riadok.push_back(sysData(u"QRSD_cislo"_s, box, SysDataKind::DetailNumber, reportFont(8), {}, Qt::AlignRight));
        x += s.sirka;
    }
    return LayoutDesc{
        .name = u"TReportDOV"_s,
        .title = u"Prehľad dovoleniek"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::PageHeader, .name = u"hlavicka"_s, .height = 21, .items = hlavicka},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 4.4, .items = riadok},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
            },
    };
}

} // namespace

QString TReportDOV::Text_Q0(bool podlaPriezviska)
{
    // The employees of the month: one who leaves within it still has his holiday to settle.
    return u"select z.code_numb, z.code_emp, z.surname, z.name, z.title, z.holiday, z.holiday_old,\n"
           u"z.holiday+z.holiday_old holiday_spolu from zam z\n"
           u"where z.sid between :p1 and :p2 and z.holiday+z.holiday_old >0 and "_s
           + MyConsts::employedInPeriodSql(u"z.nastup"_s, u"z.vystup"_s) + u'\n'
           + (podlaPriezviska ? u"order by z.surname,z.name"_s : u"order by z.code_numb"_s);
}

QString TReportDOV::Text_Q1()
{
    return u"select code_emp, sum(v_holiday) v_holiday from vyp where v_obdobie between :v_obdobie1 and :v_obdobie2\n"
           u"group by code_emp"_s;
}

TReportDOV::TReportDOV()
{
    Q0_.setSql(Text_Q0(true));
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    for (const char *f : {"CALC_V_HOLIDAY", "CALC_ESTE_MINULA", "CALC_ESTE_SPOLU"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Float, 0).setDisplayFormat(u"0.0"_s);
    for (const char *f : {"holiday", "holiday_old", "holiday_spolu"})
        Q0_.declareField(QString::fromLatin1(f)).setDisplayFormat(u"0.0"_s);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    assemble(reportLayout(), sheetBlocks());
}

TReportDOV::~TReportDOV() = default;

void TReportDOV::Q0_CalcFields(db::DataSet &ds)
{
    const auto num = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asFloat(); };
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    ds.setValue(u"CALC_FIRMA"_s, Param.Text_firmy);
    ds.setValue(u"CALC_MPT"_s, nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
    // Without payroll records in the months nothing was taken.
    const double cerpane = m_cerpane.value(ds.fieldByName(u"code_emp"_s).asInteger(), 0);
    ds.setValue(u"CALC_V_HOLIDAY"_s, cerpane);
    ds.setValue(u"CALC_ESTE_MINULA"_s, std::max(0.0, num("holiday_old") - cerpane));
    ds.setValue(u"CALC_ESTE_SPOLU"_s, std::max(0.0, num("holiday_spolu") - cerpane));
}

void TReportDOV::Otvor_data()
{
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_nadpis"_s))
        l->caption = u"PREHĽAD DOVOLENIEK KU KONCU MESIACA "_s + Param.Text_obdobia;
    Q0_.close();
    Q0_.setSql(Text_Q0(Param.Podla_priezviska));
    Q0_.setParam(u"p1"_s, Param.Stredisko_od);
    MyConsts::setPeriodDays(Q0_, MyConsts::monthDays(Param.Obdobie));
    Q0_.setParam(u"p2"_s, Param.Stredisko_do);
    Q1_.close();
    Q1_.setParam(u"v_obdobie1"_s, Param.Obdobie - 12);
    Q1_.setParam(u"v_obdobie2"_s, Param.Obdobie);
    Q1_.open();
    m_cerpane.clear();
    for (Q1_.first(); !Q1_.eof(); Q1_.next())
        m_cerpane.insert(Q1_.fieldByName(u"code_emp"_s).asInteger(), Q1_.fieldByName(u"v_holiday"_s).asFloat());
    Q0_.open();
}

void TReportDOV::Zatvor_data()
{
    Q0_.close();
    Q1_.close();
}

} // namespace tarix::reports
