#include "reports/sheets/report_vlnd.h"

#include "core/helpers/periods.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

struct SheetColumn {
    const char *popis;
    const char *pole;
    double sirka;
    const char *maska;
};

const SheetColumn kStlpce[] = {
    {"P.č.", nullptr, 9, nullptr},
    {"MENO A PRIEZVISKO", "CALC_MPT", 60, nullptr},
    {"Čistá denná mzda", "cista_denna_mzda", 20, "0.00"},
    {"Dni PN", "v_pn", 11, "0"},
    {"PN", "n_pn", 20, "0.00"},
    {"Dni OČR", "v_ocr12", 11, "0.0"},
    {"OČR", "n_ocr", 20, "0.00"},
    {"Materský pr.", "nd_materska", 22, "0.00"},
    {"Rodič.prísp.", "nd_rodic", 22, "0.00"},
    {"Prídavky", "nd_pridavky", 20, "0.00"},
    {"Iné", "nd_ine", 20, "0.00"},
    {"Celkom", "nd_spolu", 22, "0.00"},
};

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    ControlDesc nadpis = label(u"QRL_nadpis"_s, {0, 0, 200, 6}, u"Výplatná listina - súhrn nemocenských dávok za"_s,
                               reportFont(12, true));
    nadpis.tag = 1;
    std::vector<LayoutItem> hlavicka{
        nadpis,
        sysData(u"QRSD_strana"_s, {237, 0, 40, 5}, SysDataKind::PageNumber, reportFont(8), u"Strana č. "_s, Qt::AlignRight),
        dbText(u"QRDB_CALC_FIRMA"_s, {0, 7, 200, 4.5}, u"CALC_FIRMA"_s, reportFont(9, true)),
        horizontalLine(u"QRS_hore"_s, {0, 12.5, 277, 0.5}),
        horizontalLine(u"QRS_dole"_s, {0, 19, 277, 0.5}),
    };
    std::vector<LayoutItem> riadok, spolu{horizontalLine(u"QRS_spolu"_s, {0, 0.3, 277, 0.5}),
                                          label(u"QRL_spolu"_s, {9.5, 1, 40, 4}, u"SPOLU"_s, reportFont(8, true))};
    double x = 0;
    for (const SheetColumn &s : kStlpce) {
        const QString pole = s.pole ? QString::fromLatin1(s.pole) : u"cislo"_s;
        const Qt::Alignment z = pole == u"CALC_MPT" ? Qt::AlignLeft : Qt::AlignRight;
        ControlDesc c = label(u"QRL_"_s + pole, {x + 0.5, 13.2, s.sirka - 1, 5.6}, QString::fromUtf8(s.popis),
                              narrowFont(7.5, true), z == Qt::AlignLeft ? Qt::AlignLeft : Qt::AlignCenter);
        c.wordWrap = true;
        hlavicka.push_back(c);
        const Box box{x + 0.5, 0.3, s.sirka - 1, 3.8};
        if (!s.pole)
            riadok.push_back(sysData(u"QRSD_cislo"_s, box, SysDataKind::DetailNumber, reportFont(8), {}, Qt::AlignRight));
        else
            riadok.push_back(dbText(u"QRDB_"_s + pole, box, pole, reportFont(8), z, s.maska ? QString::fromLatin1(s.maska) : QString()));
        if (s.maska)
            spolu.push_back(expression(u"QRE_"_s + pole, {x + 0.5, 1, s.sirka - 1, 3.8}, u"SUM(%1)"_s.arg(pole),
                                       reportFont(8, true), Qt::AlignRight, QString::fromLatin1(s.maska)));
        x += s.sirka;
    }
    return LayoutDesc{
        .name = u"TReportVLND"_s,
        .title = u"Výplatná listina nemocenských dávok"_s,
        .page = {.orientation = Orientation::Landscape},
        .bands =
            {
                BandDesc{.kind = BandKind::PageHeader, .name = u"hlavicka"_s, .height = 20, .items = hlavicka},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 4.4, .items = riadok},
                BandDesc{.kind = BandKind::Summary, .name = u"spolu"_s, .height = 6, .items = spolu},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 277, 5}}}},
            },
    };
}

} // namespace

QString TReportVLND::Text_Q0(bool podlaPriezviska)
{
    return u"select v.code_emp, v.nd_materska, v.nd_pridavky, v.nd_rodic, v.nd_ine, v.nd_spolu, v.n_pn, v.n_ocr, v.v_pn,\n"
           u"v.v_ocr12, v.v_priemer2, v.cista_denna_mzda, z.surname, z.name, z.title from vyp v,zam z\n"
           u"where v.v_obdobie = :p1 and v.sid between :p2 and :p3 and v.nd_spolu > 0 and v.code_emp=z.code_emp\n"_s
           + (podlaPriezviska ? u"order by z.surname,z.name"_s : u"order by z.code_emp"_s);
}

TReportVLND::TReportVLND()
{
    Q0_.setSql(Text_Q0(true));
    Q0_.addCalculatedField(u"CALC_FIRMA"_s, db::FieldType::String, 100);
    Q0_.addCalculatedField(u"CALC_MPT"_s, db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
        ds.setValue(u"CALC_FIRMA"_s, u"FIRMA: "_s + Param.Text_firmy);
        ds.setValue(u"CALC_MPT"_s, nameSurnameTitle(txt("name"), txt("surname"), txt("title")));
    };
    assemble(reportLayout(), sheetBlocks());
}

TReportVLND::~TReportVLND() = default;

void TReportVLND::Otvor_data()
{
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_nadpis"_s))
        l->caption = u"Výplatná listina - súhrn nemocenských dávok za "_s
                     + MyConsts::Nazov_mesiaca(Param.Obdobie % 100, false) + u' ' + QString::number(Param.Obdobie / 100);
    Q0_.close();
    Q0_.setSql(Text_Q0(Param.Podla_priezviska));
    Q0_.setParam(u"p1"_s, Param.Obdobie);
    Q0_.setParam(u"p2"_s, Param.Stredisko_od);
    Q0_.setParam(u"p3"_s, Param.Stredisko_do);
    Q0_.open();
}

void TReportVLND::Zatvor_data() { Q0_.close(); }

} // namespace tarix::reports
