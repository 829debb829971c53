#include "reports/sheets/report_pp2.h"

#include "core/helpers/text_utils.h"
#include "core/helpers/code_texts.h"
#include "core/helpers/employment_period.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> v{
        label(u"QRL_nadpis"_s, {0, 0, 190, 8}, u"Potvrdenie zamestnávateľa o príjme"_s, reportFont(14, true),
              Qt::AlignCenter),
        rectangle(u"QRS_zamestnanec"_s, {0, 12, 190, 52}),
    };
    const auto riadok = [&](const QString &meno, double y, const QString &popis, const QString &pole, const QString &maska = {}) {
        v.push_back(label(u"QRL_"_s + meno, {2, y, 70, 5}, popis, reportFont(9)));
        if (!pole.isEmpty())
            v.push_back(dbText(u"QRDB_"_s + meno, {72, y, 116, 5}, pole, reportFont(10, true), Qt::AlignLeft, maska));
        else
            v.push_back(horizontalLine(u"QRS_"_s + meno, {72, y + 4.5, 116, 0.5}));
    };
    riadok(u"PMT"_s, 14, u"Priezvisko, meno, titul"_s, u"PMT"_s);
    riadok(u"ADR"_s, 20, u"Trvalé bydlisko"_s, u"ADR"_s);
    riadok(u"rod_stav"_s, 26, u"Rodinný stav"_s, u"CALC_ROD_STAV"_s);
    riadok(u"vyzivovani"_s, 32, u"Počet vyživovaných osôb"_s, {});
    riadok(u"nastup"_s, 38, u"Zamestnaný od"_s, u"nastup"_s);
    riadok(u"funkcia"_s, 44, u"funkcia"_s, u"zamestnanie"_s);
    riadok(u"n_netto"_s, 50, u"Čistý priemerný mesačný príjem"_s, u"Q1_.n_netto"_s, u"0.00"_s);
    riadok(u"zrazky"_s, 56, u"Mesačné zrážky"_s, {});
    v.push_back(rectangle(u"QRS_zamestnavatel"_s, {0, 68, 190, 22}));
    v.push_back(label(u"QRL_zamestnavatel"_s, {2, 70, 70, 5}, u"Zamestnávateľ"_s, reportFont(9)));
    v.push_back(dbText(u"QRDB_NAZOV"_s, {72, 70, 116, 5}, u"QINF_.NAZOV"_s, reportFont(10, true)));
    v.push_back(label(u"QRL_adresa"_s, {2, 76, 70, 5}, u"Adresa"_s, reportFont(9)));
    v.push_back(dbText(u"QRDB_CALC_ADRESA"_s, {72, 76, 116, 5}, u"QINF_.CALC_ADRESA"_s, reportFont(10, true)));
    v.push_back(label(u"QRL_ico"_s, {2, 82, 70, 5}, u"IČO"_s, reportFont(9)));
    v.push_back(dbText(u"QRDB_ICO"_s, {72, 82, 116, 5}, u"QINF_.ICO"_s, reportFont(10, true)));
    v.push_back(label(u"QRL_potvrdzujeme"_s, {0, 95, 190, 5},
                      u"Potvrdzujeme, že zamestnanec je v našej organizácii zamestnaný:"_s, reportFont(10, true)));
    v.push_back(rectangle(u"QRS_riadny"_s, {4, 102, 4, 4}));
    v.push_back(label(u"QRL_riadny"_s, {10, 101.5, 80, 5}, u"v riadnom pracovnom pomere"_s, reportFont(9)));
    v.push_back(rectangle(u"QRS_urcitu"_s, {4, 108, 4, 4}));
    v.push_back(label(u"QRL_urcitu"_s, {10, 107.5, 40, 5}, u"na dobu určitú do"_s, reportFont(9)));
    v.push_back(horizontalLine(u"QRS_urcitu_do"_s, {50, 112, 40, 0.5}));
    const auto podpis = [&](const QString &meno, double y, const QString &popis, const QString &tagovany) {
        v.push_back(label(u"QRL_"_s + meno, {0, y, 60, 5}, popis, reportFont(9)));
        ControlDesc c = label(u"QR_"_s + meno, {62, y, 126, 5}, tagovany, reportFont(10, true));
        c.tag = 1;
        v.push_back(c);
    };
    podpis(u"Vykaz_zostavil"_s, 120, u"Meno zamestnanca mzdovej učtárne"_s, {});
    podpis(u"Telefon"_s, 127, u"Telefón (nie mobil)"_s, {});
    podpis(u"Vykaz_Dna"_s, 134, u"Dátum vystavenia"_s, {});
    v.push_back(horizontalLine(u"QRS_peciatka"_s, {120, 155, 70, 0.5}));
    v.push_back(label(u"QRL_peciatka"_s, {120, 156, 70, 5}, u"Pečiatka, podpis"_s, reportFont(9), Qt::AlignCenter));
    return LayoutDesc{
        .name = u"TReportPP2"_s,
        .title = u"Potvrdenie zamestnávateľa o príjme"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::GroupHeader,
                         .name = u"zamestnanec"_s,
                         .height = 162,
                         .items = v,
                         .forceNewPage = true,
                         .expression = u"code_emp"_s},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 0},
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
            },
    };
}

} // namespace

QString TReportPP2::Text_Q0()
{
    // One row per employee: the confirmation is printed once, not once per month.
    return u"select a.code_emp, a.name, a.surname, a.title, a.born_date, a.tp_street, a.tp_city, a.tp_zip, a.rod_stav,\n"
           u"a.pohlavie, a.zamestnanie, a.nastup from zam a\n"
           u"where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 and "_s
           + MyConsts::employedInPeriodSql(u"a.nastup"_s, u"a.vystup"_s)
           + u" order by a.code_emp"_s;
}

QString TReportPP2::Text_Q1()
{
    // Real division: whole amounts would otherwise lose the remainder.
    return u"select cast(sum(n_netto) as real)/count(*) n_netto from vyp where code_emp = :code_emp and v_rok = :rok"_s;
}

TReportPP2::TReportPP2()
{
    Q0_.setSql(Text_Q0());
    for (const char *f : {"ADR", "CALC_ROD_STAV", "PMT"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [](db::DataSet &ds) {
        const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
        const auto znak = [&](const char *name) {
            const QString s = txt(name);
            return s.isEmpty() ? QChar() : s.at(0);
        };
        ds.setValue(u"ADR"_s, txt("tp_street") + u", "_s + txt("tp_zip") + u' ' + txt("tp_city"));
        ds.setValue(u"CALC_ROD_STAV"_s, MyConsts::Text_rodinneho_stavu(znak("rod_stav"), znak("pohlavie")));
        ds.setValue(u"PMT"_s, MyConsts::Cele_meno(txt("Surname"), txt("Name"), txt("Title")));
    };
    DS0.setDataSet(&Q0_);
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.setDataSource(&DS0);
    S1_.setDataSet(&Q1_);
    registerDataSource(u"Q1_"_s, &S1_);
    prepareQuery(QINF_, u"QINF_"_s, u"select * from inf"_s);
    QINF_.addCalculatedField(u"CALC_ADRESA"_s, db::FieldType::String, 200);
    QINF_.onCalcFields = [](db::DataSet &ds) {
        const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString().trimmed(); };
        ds.setValue(u"CALC_ADRESA"_s, (txt("ADR_ULICA") + u' ' + txt("ADR_CISLO")).trimmed() + u", "_s + txt("ADR_PSC")
                                          + u' ' + txt("ADR_MESTO"));
    };
    SINF_.setDataSet(&QINF_);
    registerDataSource(u"QINF_"_s, &SINF_);
    assemble(reportLayout(), sheetBlocks(), {{&S1_, &Q1_}, {&SINF_, &QINF_}});
}

TReportPP2::~TReportPP2()
{
    Q1_.setDataSource(nullptr);
}

void TReportPP2::Otvor_data()
{
    const auto nastav = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    nastav("QR_Vykaz_zostavil", Param.Vykaz_zostavil);
    nastav("QR_Vykaz_Dna", Param.Den_textom);
    nastav("QR_Telefon", Param.Telefon);
    QINF_.close();
    QINF_.open();
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

void TReportPP2::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
    QINF_.close();
}

} // namespace tarix::reports
