#include "reports/sheets/report_zraz.h"

#include "core/helpers/code_texts.h"
#include "reports/sheets/employee_heading.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka = employeeHeading({});
    hlavicka.push_back(horizontalLine(u"QRS_hore"_s, {0, 19, 190, 0.5}));
    hlavicka.push_back(label(u"QRL_typ"_s, {0, 20, 60, 4}, u"Typ zrážky"_s, reportFont(7, true)));
    hlavicka.push_back(label(u"QRL_suma"_s, {62, 20, 26, 4}, u"Suma Sk"_s, reportFont(7, true), Qt::AlignRight));
    hlavicka.push_back(label(u"QRL_poznamka"_s, {92, 20, 98, 4}, u"Poznámka"_s, reportFont(7, true)));
    hlavicka.push_back(horizontalLine(u"QRS_dole"_s, {0, 24.5, 190, 0.5}));
    return LayoutDesc{
        .name = u"TReportZraz"_s,
        .title = u"Zrážky"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 25.5, .items = hlavicka},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"zrazky"_s,
                         .height = 4.4,
                         .items =
                             {
                                 dbText(u"QRDB_CALC_TYP"_s, {0, 0.3, 60, 4}, u"Q1_.CALC_TYP"_s, reportFont(8)),
                                 // What the month's calculation deducted: a percentage
                                 // deduction keeps its rate in Suma.
                                 dbText(u"QRDB_Suma"_s, {62, 0.3, 26, 4}, u"Q1_.Vypocitana_suma"_s, reportFont(8),
                                        Qt::AlignRight, u"0.00"_s),
                                 dbText(u"QRDB_Poznamka"_s, {92, 0.3, 98, 4}, u"Q1_.Poznamka"_s, reportFont(8)),
                             },
                         .master = u"detail"_s,
                         .dataSource = u"Q1_"_s},
                BandDesc{.kind = BandKind::SubDetailFooter,
                         .name = u"koniec"_s,
                         .height = 5,
                         .items = {horizontalLine(u"QRS_koniec"_s, {0, 0.5, 190, 0.5})},
                         .master = u"zrazky"_s},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
            },
    };
}

} // namespace

QString TReportZraz::Text_Q0()
{
    // The employee's heading fields come with the list of employees, so the heading prints
    // above his deductions.
    return u"select zrv.code_emp, z.code_numb, z.born_numb, z.surname, z.name, z.title, z.sid\n"
           u"from \":tarix_data:zrv\" zrv,zam z\n"
           u"where zrv.v_obdobie=:p1 and z.sid between :p2 and :p3 and zrv.code_emp=z.code_emp\n"
           u"group by zrv.code_emp order by zrv.code_emp"_s;
}

QString TReportZraz::Text_Q1()
{
    return u"select zrv.*, z.code_numb, z.born_numb, z.surname, z.name, z.title, z.sid from zrv zrv,zam z\n"
           u"where zrv.v_obdobie = :p1 and z.sid between :p2 and :p3 and zrv.code_emp=z.code_emp\n"
           u"and zrv.code_emp=:code_emp order by zrv.zrid"_s;
}

TReportZraz::TReportZraz()
{
    Q0_.setSql(Text_Q0());
    addEmployeeFields(Q0_);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        computeEmployeeFields(ds, Param.Text_firmy, u"ZRÁŽKY ZA OBDOBIE "_s, Param.Obdobie);
    };
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.addCalculatedField(u"CALC_TYP"_s, db::FieldType::String, 60);
    Q1_.onCalcFields = [](db::DataSet &ds) {
        const QString typ = ds.fieldByName(u"Typ"_s).asString();
        ds.setValue(u"CALC_TYP"_s, typ.isEmpty() ? QString() : MyConsts::Text_druhu_zrazky(typ.at(0)));
    };
    S1_.setDataSet(&Q1_);
    S1_.setMaster(&Q0_);
    registerDataSource(u"Q1_"_s, &S1_);
    assemble(reportLayout(), sheetBlocks(), {{&S1_, &Q1_}});
}

TReportZraz::~TReportZraz() = default;

void TReportZraz::Otvor_data()
{
    for (db::Query *q : {&Q0_, &Q1_}) {
        q->close();
        q->setParam(u"p1"_s, Param.Obdobie);
        q->setParam(u"p2"_s, Param.Stredisko_od);
        q->setParam(u"p3"_s, Param.Stredisko_do);
    }
    Q0_.open();
}

void TReportZraz::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
