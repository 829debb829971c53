#include "reports/sheets/report_en.h"

#include "core/helpers/code_texts.h"
#include "core/helpers/periods.h"
#include "core/helpers/text_utils.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

struct SheetColumn {
    const char *popis;
    const char *pole;
    double sirka;
    Qt::Alignment zarovnanie;
};

const SheetColumn kStlpce[] = {
    {"Os. čís.", "code_numb", 16, Qt::AlignRight},
    {"Meno a priezvisko", "CALC_PMT", 58, Qt::AlignLeft},
    {"Začiatok neprít.", "Datum_od", 22, Qt::AlignCenter},
    {"Koniec neprít.", "Datum_do", 22, Qt::AlignCenter},
    {"Typ neprít.", "Calc_typ_nep", 40, Qt::AlignLeft},
    {"Poč. prac.d.", "Prac_dni", 16, Qt::AlignRight},
    {"Poč. kal.d.", "Calc_kal_dni", 16, Qt::AlignRight},
    {"Dôvod neprítomnosti", "Dovod", 87, Qt::AlignLeft},
};

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka{
        label(u"QRL_nadpis"_s, {0, 0, 200, 6}, u"EVIDENCIA NEPRÍTOMNOSTI ZA"_s, reportFont(12, true)),
        sysData(u"QRSD_strana"_s, {237, 0, 40, 5}, SysDataKind::PageNumber, reportFont(8), u"Strana č. "_s, Qt::AlignRight),
        dbText(u"QRDB_CALC_FIRMA"_s, {0, 7, 200, 4.5}, u"CALC_FIRMA"_s, reportFont(9, true)),
        horizontalLine(u"QRS_hore"_s, {0, 12.5, 277, 0.5}),
        horizontalLine(u"QRS_dole"_s, {0, 19, 277, 0.5}),
    };
    std::get<ControlDesc>(hlavicka[0]).tag = 1;
    std::vector<LayoutItem> riadok;
    double x = 0;
    for (const SheetColumn &s : kStlpce) {
        ControlDesc c = label(u"QRL_"_s + QString::fromLatin1(s.pole), {x + 0.5, 13.2, s.sirka - 1, 5.6},
                              QString::fromUtf8(s.popis), reportFont(7, true), s.zarovnanie);
        c.wordWrap = true;
        hlavicka.push_back(c);
        riadok.push_back(dbText(u"QRDB_"_s + QString::fromLatin1(s.pole), {x + 0.5, 0.3, s.sirka - 1, 3.8},
                                QString::fromLatin1(s.pole), reportFont(8), s.zarovnanie));
        x += s.sirka;
    }
    return LayoutDesc{
        .name = u"TReportEN"_s,
        .title = u"Evidencia neprítomnosti"_s,
        .page = {.orientation = Orientation::Landscape},
        .bands =
            {
                BandDesc{.kind = BandKind::PageHeader, .name = u"hlavicka"_s, .height = 20, .items = hlavicka},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 4.4, .items = riadok},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 277, 5}}}},
            },
    };
}

} // namespace

QString TReportEN::Text_Q0()
{
    // Every absence that overlaps the month, an open end counting as lasting on; the code
    // of the employee orders absences that start on one day.
    return u"select n.* , z.code_emp, z.code_numb, z.surname, z.name, z.title from nep n,zam z\n"
           u"where n.datum_od <= :datum_do and (n.datum_do >= :datum_od or n.datum_do is null)\n"
           u"and n.code_emp = z.code_emp and n.code_emp between :code_emp1 and :code_emp2\n"
           u"and z.sid between :sid1 and :sid2\n"
           u"order by n.datum_od, z.code_emp, n.nid"_s;
}

TReportEN::TReportEN()
{
    Q0_.setSql(Text_Q0());
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_PMT"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"Calc_kal_dni"_s, db::FieldType::Integer, 0);
    Q0_.addCalculatedField(u"Calc_typ_nep"_s, db::FieldType::String, 40);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        const auto txt = [&](const QString &name) { return ds.fieldByName(name).asString(); };
        ds.setValue(u"CALC_FIRMA"_s, u"FIRMA:  "_s + Param.Text_firmy);
        ds.setValue(u"CALC_PMT"_s, MyConsts::Cele_meno(txt(u"title"_s), txt(u"surname"_s), txt(u"name"_s)));
        ds.setValue(u"Calc_kal_dni"_s, sheetCalendarDays(ds.fieldByName(u"Datum_od"_s).asDate(),
                                                      ds.fieldByName(u"Datum_do"_s).asDate()));
        const db::Field &typ = ds.fieldByName(u"Typ"_s);
        ds.setValue(u"Calc_typ_nep"_s, typ.isNull() ? QString() : MyConsts::Text_druhu_nepritomnosti(typ.asInteger()));
    };
    assemble(reportLayout(), sheetBlocks());
}

TReportEN::~TReportEN() = default;

void TReportEN::Otvor_data()
{
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_nadpis"_s))
        l->caption = u"EVIDENCIA NEPRÍTOMNOSTI ZA "_s + MyConsts::Nazov_mesiaca(Param.Obdobie % 100, true) + u' '
                     + QString::number(Param.Obdobie / 100);
    Q0_.close();
    Q0_.setParam(u"datum_od"_s, sheetFirstDay(Param.Obdobie));
    Q0_.setParam(u"datum_do"_s, sheetLastDay(Param.Obdobie));
    Q0_.setParam(u"code_emp1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"code_emp2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"sid1"_s, Param.Stredisko_od);
    Q0_.setParam(u"sid2"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportEN::Zatvor_data() { Q0_.close(); }

} // namespace tarix::reports
