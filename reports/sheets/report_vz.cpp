#include "reports/sheets/report_vz.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/employment_period.h"
#include "core/helpers/periods.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

struct SheetColumn {
    const char *popis;
    const char *pole;
};

const SheetColumn kStlpce[] = {
    {"Suma VZ pre NP", "zaklad_np"},
    {"Suma VZ pre SP,SDS, IP,PvN", "zaklad_dp"},
    {"Suma VZ pre UP", "zaklad_up"},
    {"Suma VZ pre ZP", "zaklad_zp"},
    {"Celk.príjem pre ZP", "prijem_zp"},
};

constexpr double kMesiac = 30;
constexpr double kSuma = 30;

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka{
        label(u"QRL_nadpis"_s, {0, 0, 190, 7}, u"POTVRDENIE O VÝŠKE VYMERIAVACIEHO ZÁKLADU"_s, reportFont(13, true),
              Qt::AlignCenter),
        label(u"QRL_zamestnanec"_s, {0, 10, 24, 4.5}, u"Zamestnanec "_s, reportFont(9)),
        dbText(u"QRDB_TMP"_s, {24, 10, 100, 4.5}, u"TMP"_s, reportFont(9, true)),
        label(u"QRL_datum_nar"_s, {0, 15, 24, 4.5}, u"Dátum nar."_s, reportFont(9)),
        dbText(u"QRDB_Born_date"_s, {24, 15, 30, 4.5}, u"Born_date"_s, reportFont(9, true)),
        label(u"QRL_rodne_cislo"_s, {60, 15, 24, 4.5}, u"Rodné číslo"_s, reportFont(9)),
        dbText(u"QRDB_born_numb"_s, {84, 15, 40, 4.5}, u"born_numb"_s, reportFont(9, true)),
        label(u"QRL_adresa"_s, {0, 20, 24, 4.5}, u"Adresa"_s, reportFont(9)),
        dbText(u"QRDB_ADR"_s, {24, 20, 166, 4.5}, u"ADR"_s, reportFont(9, true)),
        horizontalLine(u"QRS_hore"_s, {0, 27, 190, 0.5}),
        label(u"QRL_mes"_s, {0, 28, kMesiac, 8}, u"Mesiac/rok"_s, reportFont(8, true)),
        horizontalLine(u"QRS_dole"_s, {0, 36.5, 190, 0.5}),
    };
    std::vector<LayoutItem> riadok{dbText(u"QRDB_MES"_s, {0, 0.3, kMesiac, 4}, u"MES"_s, reportFont(8))};
    std::vector<LayoutItem> spolu{horizontalLine(u"QRS_spolu"_s, {0, 0.3, 190, 0.5}),
                                  label(u"QRL_spolu"_s, {0, 1, kMesiac, 4}, u"Spolu"_s, reportFont(8, true))};
    double x = kMesiac;
    for (const SheetColumn &s : kStlpce) {
        const QString pole = QString::fromLatin1(s.pole);
        ControlDesc c = label(u"QRL_"_s + pole, {x + 0.5, 28, kSuma - 1, 8}, QString::fromUtf8(s.popis), reportFont(8, true),
                              Qt::AlignRight);
        c.wordWrap = true;
        hlavicka.push_back(c);
        riadok.push_back(dbText(u"QRDB_"_s + pole, {x + 0.5, 0.3, kSuma - 1, 4}, u"Q1_."_s + pole, reportFont(8), Qt::AlignRight,
                                u"0.00"_s));
        ControlDesc e = expression(u"QRE_"_s + pole, {x + 0.5, 1, kSuma - 1, 4}, u"SUM(Q1_.%1)"_s.arg(pole), reportFont(8, true),
                                   Qt::AlignRight, u"0.00"_s);
        e.resetAfterPrint = true;
        spolu.push_back(e);
        x += kSuma;
    }
    return LayoutDesc{
        .name = u"TReportVZ"_s,
        .title = u"Potvrdenie o výške vymeriavacieho základu"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::GroupHeader,
                         .name = u"zamestnanec"_s,
                         .height = 37.5,
                         .items = hlavicka,
                         .forceNewPage = true,
                         .expression = u"code_emp"_s},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 4.6, .items = riadok},
                BandDesc{.kind = BandKind::GroupFooter,
                         .name = u"spolu"_s,
                         .height = 6,
                         .items = spolu,
                         .header = u"zamestnanec"_s},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
            },
    };
}

} // namespace

QString TReportVZ::Text_Q0()
{
    return u"select a.code_emp, a.name, a.surname, a.title, a.born_date, a.born_numb, a.tp_street, a.tp_city, a.tp_zip,\n"
           u"a.rod_stav, a.pohlavie, a.zamestnanie, a.nastup, b.cislo from zam a,dual12 b\n"
           u"where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 and "_s
           + MyConsts::employedInPeriodSql(u"a.nastup"_s, u"a.vystup"_s)
           + u"\norder by a.code_emp, b.cislo"_s;
}

QString TReportVZ::Text_Q1()
{
    return u"select sum(n_zaklad_np) zaklad_np, sum(n_zaklad_dp) zaklad_dp, sum(n_zaklad_up) zaklad_up,\n"
           u"sum(n_zaklad_zp) zaklad_zp, sum(n_prijem_zp) prijem_zp from vyp\n"
           u"where code_emp = :code_emp and v_rok = :rok and v_mesiac = :cislo"_s;
}

TReportVZ::TReportVZ()
{
    Q0_.setSql(Text_Q0());
    for (const char *f : {"TMP", "MES", "CALC_ROD_STAV", "ADR"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [this](db::DataSet &ds) {
        const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
        const auto znak = [&](const char *name) {
            const QString s = txt(name);
            return s.isEmpty() ? QChar() : s.at(0);
        };
        ds.setValue(u"TMP"_s, MyConsts::Cele_meno(txt("Title"), txt("Name"), txt("Surname")));
        ds.setValue(u"MES"_s, MyConsts::Nazov_mesiaca(int(ds.fieldByName(u"cislo"_s).asInteger()), false) + u'/'
                                  + QString::number(Param.Obdobie / 100));
        ds.setValue(u"CALC_ROD_STAV"_s, MyConsts::Text_rodinneho_stavu(znak("rod_stav"), znak("pohlavie")));
        ds.setValue(u"ADR"_s, txt("tp_street") + u", "_s + txt("tp_zip") + u' ' + txt("tp_city"));
    };
    DS0.setDataSet(&Q0_);
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.setDataSource(&DS0);
    S1_.setDataSet(&Q1_);
    registerDataSource(u"Q1_"_s, &S1_);
    assemble(reportLayout(), sheetBlocks(), {{&S1_, &Q1_}});
}

TReportVZ::~TReportVZ()
{
    Q1_.setDataSource(nullptr);
}

void TReportVZ::Otvor_data()
{
    Q0_.close();
    MyConsts::setPeriodDays(Q0_, MyConsts::yearDays(Param.Obdobie / 100));
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q1_.close();
    Q1_.setParam(u"rok"_s, Param.Obdobie / 100);
    Q0_.open();
    Q1_.open();
}

void TReportVZ::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
