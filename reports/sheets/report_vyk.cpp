#include "reports/sheets/report_vyk.h"

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
    hlavicka.push_back(label(u"QRL_cislo"_s, {0, 20, 20, 4}, u"Číslo výkonu"_s, reportFont(7, true)));
    hlavicka.push_back(label(u"QRL_popis"_s, {22, 20, 96, 4}, u"Popis výkonu"_s, reportFont(7, true)));
    hlavicka.push_back(label(u"QRL_pocet"_s, {120, 20, 20, 4}, u"Počet jedn."_s, reportFont(7, true), Qt::AlignRight));
    hlavicka.push_back(label(u"QRL_suma1"_s, {142, 20, 22, 4}, u"Cena za jednotku"_s, reportFont(7, true), Qt::AlignRight));
    hlavicka.push_back(label(u"QRL_suma"_s, {166, 20, 24, 4}, u"Spolu za výkon"_s, reportFont(7, true), Qt::AlignRight));
    hlavicka.push_back(horizontalLine(u"QRS_dole"_s, {0, 24.5, 190, 0.5}));
    ControlDesc spolu = expression(u"QRE_spolu"_s, {150, 1, 40, 4}, u"SUM(Q2_.Suma)"_s, reportFont(8, true), Qt::AlignRight,
                                   u"0.00"_s);
    spolu.master = u"vykony"_s;
    spolu.resetAfterPrint = true;
    return LayoutDesc{
        .name = u"TReportVYK"_s,
        .title = u"Výkaz odpracovaných výkonov"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 25.5, .items = hlavicka},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"vykony"_s,
                         .height = 4.4,
                         .items =
                             {
                                 dbText(u"QRDB_UKID"_s, {0, 0.3, 20, 4}, u"Q2_.UKID"_s, reportFont(8)),
                                 dbText(u"QRDB_LKP_POPIS"_s, {22, 0.3, 96, 4}, u"Q2_.LKP_POPIS"_s, reportFont(8)),
                                 dbText(u"QRDB_Pocet"_s, {120, 0.3, 20, 4}, u"Q2_.Pocet"_s, reportFont(8), Qt::AlignRight,
                                        u"0.00"_s),
                                 dbText(u"QRDB_Suma1"_s, {142, 0.3, 22, 4}, u"Q2_.Suma1"_s, reportFont(8), Qt::AlignRight,
                                        u"0.00"_s),
                                 dbText(u"QRDB_Suma"_s, {166, 0.3, 24, 4}, u"Q2_.Suma"_s, reportFont(8), Qt::AlignRight,
                                        u"0.00"_s),
                             },
                         .master = u"detail"_s,
                         .dataSource = u"Q2_"_s},
                BandDesc{.kind = BandKind::SubDetailFooter,
                         .name = u"spolu"_s,
                         .height = 10,
                         .items =
                             {
                                 horizontalLine(u"QRS_spolu"_s, {0, 0.3, 190, 0.5}),
                                 label(u"QRL_spolu"_s, {0, 1, 30, 4}, u"SPOLU"_s, reportFont(8, true)),
                                 spolu,
                             },
                         .master = u"vykony"_s},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
            },
    };
}

} // namespace

QString TReportVYK::Text_Q1()
{
    return u"select z.code_numb, z.surname, z.name, z.title, z.sid, z.born_numb, z.holiday_old+z.holiday holiday_spolu, v.*\n"
           u"from zam z, vyp v where z.code_emp between :p1 and :p2 and z.code_emp=v.code_emp and v.v_obdobie=:p3\n"
           u"and v.sid between :p4 and :p5 and v.n_ukolova>0 order by surname,name"_s;
}

QString TReportVYK::Text_Q2()
{
    // The task's text comes from the piece-work code list.
    return u"select h.*, u.popis lkp_popis from hsu h left join cis_uk u on u.ukid = h.ukid\n"
           u"where h.code_emp = :code_emp and h.v_obdobie=:v_obdobie order by h.ukid, h.hsuid"_s;
}

TReportVYK::TReportVYK()
{
    // The main query keeps its original name Q1_.
    Q0_.setObjectName(u"Q1_"_s);
    registerDataSource(u"Q1_"_s, &S0_);
    Q0_.setSql(Text_Q1());
    addEmployeeFields(Q0_);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        computeEmployeeFields(ds, Param.Text_firmy, u"VÝKAZ ODPRACOVANÝCH VÝKONOV ZA MESIAC "_s, Param.Obdobie);
    };
    prepareQuery(Q2_, u"Q2_"_s, Text_Q2());
    S2_.setDataSet(&Q2_);
    S2_.setMaster(&Q0_);
    registerDataSource(u"Q2_"_s, &S2_);
    assemble(reportLayout(), sheetBlocks(), {{&S2_, &Q2_}});
}

TReportVYK::~TReportVYK() = default;

void TReportVYK::Otvor_data()
{
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Obdobie);
    Q0_.setParam(u"p4"_s, Param.Stredisko_od);
    Q0_.setParam(u"p5"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportVYK::Zatvor_data()
{
    Q2_.close();
    Q0_.close();
}

} // namespace tarix::reports
