#include "reports/sheets/report_ml3.h"

#include "reports/sheets/report_ml.h"

#include "core/dm_main.h"
#include "core/helpers/code_texts.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace sheets {

void addHeadingFields(db::Query &q)
{
    for (const char *f : {"CALC_FIRMA", "CALC_MPT", "CALC_ADRESA_TP", "CALC_ADRESA_PP", "CALC_NAZOV_ZP"})
        q.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    q.addCalculatedField(u"CALC_STAV"_s, db::FieldType::String, 50);
}

void computeHeading(db::DataSet &ds, const QString &firma)
{
    const auto txt = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asString(); };
    const auto znak = [&](const char *name) {
        const QString s = txt(name);
        return s.isEmpty() ? QChar() : s.at(0);
    };
    ds.setValue(u"CALC_FIRMA"_s, firma);
    ds.setValue(u"CALC_MPT"_s, nameSurnameTitle(txt("Name"), txt("Surname"), txt("Title")));
    ds.setValue(u"CALC_ADRESA_TP"_s, sheetAddress(txt("Tp_street"), txt("Tp_zip"), txt("Tp_city")));
    ds.setValue(u"CALC_ADRESA_PP"_s, sheetAddress(txt("Pp_street"), txt("Pp_zip"), txt("Pp_city")));
    ds.setValue(u"CALC_STAV"_s, MyConsts::Text_rodinneho_stavu(znak("Rod_stav"), znak("Pohlavie")));
    QString zp;
    // The insurer's name is a courtesy of the heading: a code list that cannot be read leaves it empty.
    try {
        if (!ds.fieldByName(u"KZP"_s).isNull())
            zp = core::DM().Nazov_zdravotnej_poistovne(ds.fieldByName(u"KZP"_s).asInteger());
    } catch (...) {
    }
    ds.setValue(u"CALC_NAZOV_ZP"_s, zp);
}

std::vector<rpt::LayoutItem> sheetHeading(const QString &druha_adresa)
{
    using namespace rpt;
    std::vector<LayoutItem> v;
    const auto par = [&](const QString &meno, double x, double y, double sp, double sh, const QString &popis,
                         const QString &pole) {
        v.push_back(label(u"QRL_"_s + meno, {x, y, sp, 3.6}, popis, reportFont(6.5)));
        if (!pole.isEmpty())
            v.push_back(dbText(u"QRDB_"_s + pole, {x + sp, y, sh, 3.6}, pole, reportFont(7, true)));
        else
            v.push_back(rectangle(u"QRS_"_s + meno, {x + sp, y, sh, 3.6}));
    };
    v.push_back(label(u"QRL_titul"_s, {95, 0, 90, 6}, u"M z d o v ý    l i s t"_s, reportFont(13, true), Qt::AlignCenter));
    v.push_back(label(u"QRL_firma"_s, {0, 1, 12, 4}, u"FIRMA:"_s, reportFont(8)));
    v.push_back(dbText(u"QRDB_CALC_FIRMA"_s, {12, 1, 82, 4}, u"CALC_FIRMA"_s, reportFont(8, true)));
    ControlDesc rok = label(u"QRL_ROK"_s, {237, 1, 40, 4}, u"Rok"_s, reportFont(9, true), Qt::AlignRight);
    rok.tag = 1;
    v.push_back(rok);

    par(u"ev_cislo"_s, 0, 7.5, 15, 14, u"EV.ČÍSLO:"_s, u"Code_numb"_s);
    par(u"meno"_s, 31, 7.5, 22, 50, u"Meno a priezvisko"_s, u"CALC_MPT"_s);
    par(u"rodne"_s, 105, 7.5, 9, 28, u"Rodné"_s, u"Prev_name"_s);
    par(u"datum_nar"_s, 144, 7.5, 14, 16, u"Dátum nar."_s, u"Born_date"_s);
    par(u"miesto_nar"_s, 176, 7.5, 15, 30, u"Miesto nar."_s, u"Born_city"_s);
    par(u"rodne_cislo"_s, 223, 7.5, 15, 39, u"Rodné číslo"_s, u"Born_numb"_s);

    par(u"trvale"_s, 0, 12, 20, 80, u"Trvalé bydlisko"_s, u"CALC_ADRESA_TP"_s);
    par(u"druha_adresa"_s, 102, 12, 23, 80, druha_adresa, u"CALC_ADRESA_PP"_s);
    par(u"stav"_s, 207, 12, 8, 62, u"Stav"_s, u"CALC_STAV"_s);

    par(u"nastup"_s, 0, 16.5, 32, 16, u"Dátum vzniku prac.pomeru"_s, u"Nastup"_s);
    par(u"vystup"_s, 50, 16.5, 29, 16, u"Ukončenie prac.pomeru"_s, u"Vystup"_s);
    par(u"zp"_s, 97, 16.5, 21, 60, u"Zdrav.poisťovňa"_s, u"CALC_NAZOV_ZP"_s);
    par(u"vzdialenost"_s, 180, 16.5, 33, 10, u"Vzdialenosť do práce v km"_s, {});
    par(u"poznamka"_s, 225, 16.5, 14, 38, u"Poznámka"_s, {});
    return v;
}

} // namespace sheets

namespace {

constexpr double kMes = 8;        // the month column
constexpr double kStlpec = 14.1;  // each of the 19 columns
constexpr double kRiadok = 3.1;   // a value line of a month row
constexpr double kPopis = 5.6;    // a caption line of the column heads

// The month rows' columns, the sums under them, and their heads.
std::vector<rpt::LayoutItem> cells(const std::vector<SheetColumn> &stlpce, bool sumy)
{
    using namespace rpt;
    std::vector<LayoutItem> v;
    if (sumy)
        v.push_back(label(u"QRL_spolu"_s, {0, 0.2, kMes, kRiadok}, u"Spolu"_s, narrowFont(6, true)));
    else
        v.push_back(dbText(u"QRDB_V_mesiac"_s, {0, 0.2, kMes - 1, kRiadok}, u"Q1_.V_mesiac"_s, narrowFont(7, true),
                           Qt::AlignCenter));
    v.push_back(rectangle(u"QRS_mes"_s, {0, 0, kMes, 3 * kRiadok + 0.4}));
    int i = 0;
    for (const SheetColumn &s : stlpce) {
        const double x = kMes + i * kStlpec;
        v.push_back(rectangle(u"QRS_s%1"_s.arg(i + 1), {x, 0, kStlpec, 3 * kRiadok + 0.4}));
        for (int r = 0; r < 3; ++r) {
            if (!s.riadky[r].pole)
                continue;
            const QString pole = QString::fromLatin1(s.riadky[r].pole);
            const Box box{x + 0.4, 0.2 + r * kRiadok, kStlpec - 0.8, kRiadok};
            if (sumy) {
                ControlDesc e = expression(u"QRE_"_s + pole, box, u"SUM(Q1_.%1)"_s.arg(pole), narrowFont(6.5, r == 2),
                                           Qt::AlignRight, TReportML3::mask(pole));
                e.master = u"mesiace"_s;
                e.resetAfterPrint = true;
                v.push_back(e);
            } else {
                v.push_back(dbText(u"QRDB_"_s + pole, box, u"Q1_."_s + pole, narrowFont(6.5), Qt::AlignRight,
                                   TReportML3::mask(pole)));
            }
        }
        ++i;
    }
    return v;
}

std::vector<rpt::LayoutItem> columnHeads(const std::vector<SheetColumn> &stlpce)
{
    using namespace rpt;
    std::vector<LayoutItem> v;
    v.push_back(label(u"QRL_mes"_s, {0, 0.5, kMes, 4}, u"Mes."_s, narrowFont(6.5, true), Qt::AlignCenter));
    v.push_back(rectangle(u"QRS_h_mes"_s, {0, 0, kMes, 3 * kPopis + 0.4}));
    int i = 0;
    for (const SheetColumn &s : stlpce) {
        const double x = kMes + i * kStlpec;
        v.push_back(rectangle(u"QRS_h%1"_s.arg(i + 1), {x, 0, kStlpec, 3 * kPopis + 0.4}));
        for (int r = 0; r < 3; ++r) {
            if (!s.riadky[r].popis)
                continue;
            ControlDesc c = label(u"QRL_h%1_%2"_s.arg(i + 1).arg(r + 1), {x + 0.3, 0.2 + r * kPopis, kStlpec - 0.6, kPopis},
                                  QString::fromUtf8(s.riadky[r].popis), narrowFont(5.5, r == 2), Qt::AlignCenter);
            c.wordWrap = true;
            v.push_back(c);
        }
        ++i;
    }
    return v;
}

} // namespace

rpt::LayoutDesc sheets::sheetLayout(const QString &nazov, const std::vector<SheetColumn> &stlpce,
                                         const QString &druha_adresa)
{
    using namespace rpt;
    return LayoutDesc{
        .name = nazov,
        .title = u"Mzdový list"_s,
        .page = {.orientation = Orientation::Landscape, .leftMargin = 10, .topMargin = 10, .rightMargin = 10,
                 .bottomMargin = 8},
        .bands =
            {
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 277, 5}}}},
                BandDesc{.kind = BandKind::GroupHeader,
                         .name = u"zamestnanec"_s,
                         .height = 22,
                         .items = sheetHeading(druha_adresa),
                         .forceNewPage = true,
                         .expression = u"code_emp"_s},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 0},
                BandDesc{.kind = BandKind::SubDetailHeader,
                         .name = u"hlavy"_s,
                         .height = 3 * kPopis + 0.4,
                         .items = columnHeads(stlpce),
                         .master = u"mesiace"_s},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"mesiace"_s,
                         .height = 3 * kRiadok + 0.4,
                         .items = cells(stlpce, false),
                         .master = u"detail"_s,
                         .dataSource = u"Q1_"_s},
                BandDesc{.kind = BandKind::SubDetailFooter,
                         .name = u"spolu"_s,
                         .height = 3 * kRiadok + 0.4,
                         .items = cells(stlpce, true),
                         .master = u"mesiace"_s},
                BandDesc{.kind = BandKind::SubDetailHeader,
                         .name = u"hlavicka_deti"_s,
                         .height = 9,
                         .items =
                             {
                                 label(u"QRL_deti"_s, {0, 1, 120, 4}, u"Nezaopatrené deti, na ktoré si osoba uplatnila odpočet:"_s,
                                       reportFont(7, true)),
                                 label(u"QRL_deti_meno"_s, {0, 5, 60, 3.6}, u"Meno a priezvisko"_s, reportFont(6.5)),
                                 label(u"QRL_deti_datum"_s, {62, 5, 30, 3.6}, u"Dátum narodenia"_s, reportFont(6.5)),
                             },
                         .master = u"deti"_s},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"deti"_s,
                         .height = 3.8,
                         .items =
                             {
                                 dbText(u"QRDB_CALC_MP"_s, {0, 0, 60, 3.6}, u"Q2_.CALC_MP"_s, reportFont(7)),
                                 dbText(u"QRDB_DAT_NAR"_s, {62, 0, 30, 3.6}, u"Q2_.DAT_NAR"_s, reportFont(7)),
                             },
                         .master = u"detail"_s,
                         .dataSource = u"Q2_"_s},
            },
    };
}

const std::vector<TReportML3::SheetColumn> &TReportML3::sheetColumns()
{
    static const std::vector<SheetColumn> k{
        {{{"Dni", "V_den"}, {"Hodiny", "V_hodina"}, {nullptr, nullptr}}},
        {{{"Základná mzda", "V_plat"}, {"Ostatné príjmy", "CALC_OSTATNE_P"}, {"Odstupné / odchodné", "N_odstupne"}}},
        {{{"Mzdové príplatky", "N_priplat"}, {"Prémie a odmeny", "CALC_PREMIE"}, {"DDP firma", "Nz_ddp"}}},
        {{{"Náhrady sviatky", "N_sviatok"}, {"Náhrady dovolenky", "N_holiday"}, {"Náhrady PN 1-10", "N_nahrada_pn"}}},
        {{{"Dni sviatky", "V_sviatok"}, {"Dni dovol.", "V_holiday"}, {"Dni náhr. PN", "V_nahrada_pn"}}},
        {{{"Náhrady mzdy", "CALC_NAHRADY"}, {"Sociálny fond", "N_socfond"}, {nullptr, nullptr}}},
        {{{"Dohody o vyk.práce", "N_dohody_ovp"}, {"Dohody o prac.činn.", "N_dohody_opc"},
          {"Príjmy mimo poist.", "N_mimo_poistne"}}},
        {{{"Základ ZP", "N_zaklad_zp"}, {"Základ SP,IP,PvN", "N_zaklad_dp"}, {"Základ NP", "N_zaklad_np"}}},
        {{{"Zdravot- né poist.", "O_zdravot"}, {"Nemoc. poistenie", "O_nemoc"}, {"Invalidné poist.", "O_invalid"}}},
        {{{"Starobné poistenie", "O_dochod"}, {"Poistenie v nezam.", "O_fondzam"}, {"Poistné spolu", "N_poist"}}},
        {{{"Čiast.zákl. dane", "D_ciastzd"}, {"Nezdanit. minimum", "Nc_minimum"},
          {"Ost. pol. zv. zákl. dane", "Zvys_ostatne"}}},
        {{{"Iné odpočty", "Nc_ine"}, {"Ročné zúčt.dane", "D_vyrovnanie"}, {"Ročné zúčt. ZP", "Vyrovnanie_zp"}}},
        {{{"Mesačný preddav.", "D_preddavok"}, {"Zrazená daň", "D_dan"}, {"Daňový bonus", "D_bonus_cerpany"}}},
        {{{"Materský príspevok", "Nd_materska"}, {"Prídavky na deti", "Nd_pridavky"}, {"Dopln. dôch.poist.", "N_ddp"}}},
        {{{"Dávky nem.poist.", "CALC_DAVKY_NP"}, {"Doplatky", "N_doplatok"}, {nullptr, nullptr}}},
        {{{"Pôžičky", "Ne_pozicky"}, {"Sporenie", "Sporenie"}, {nullptr, nullptr}}},
        {{{"Odborársky príspevok", "Ne_odborar"}, {"Iné zrážky", "Ne_exekucia"}, {nullptr, nullptr}}},
        {{{"Stravné", "Ne_stravne"}, {"Poisťovňa", "Ne_poistovna"}, {"Preddavok", "Ne_zaloha"}}},
        {{{"Hrubá mzda", "N_brutto"}, {"Čistá mzda", "N_netto"}, {"Vyplatené v hotovosti", "Vyplata"}}},
    };
    return k;
}

QString TReportML3::mask(const QString &pole)
{
    static const QSet<QString> dni{u"v_den"_s, u"v_hodina"_s, u"v_sviatok"_s, u"v_holiday"_s, u"v_nahrada_pn"_s};
    return dni.contains(pole.toLower()) ? u"0.0"_s : u"0"_s;
}

QString TReportML3::Text_Q0()
{
    return u"select * from zam where code_emp in ( select distinct code_emp from vyp where v_obdobie  between  "
           u":obdobie1 and  :obdobie2 and sid between :p3 and :p4 and code_emp between :p1 and :p2)\n"
           u"order by code_emp"_s;
}

QString TReportML3::Text_Q1()
{
    // The days of sick-pay compensation are kept in two bands; the sheet prints their sum.
    return u"select v.*, v.v_nahrada_pn1+v.v_nahrada_pn2 v_nahrada_pn from vyp v\n"
           u"where code_emp=:code_emp and v_obdobie between :obdobie1 and :obdobie2\n"
           u"order by v_mesiac, sid"_s;
}

QString TReportML3::Text_Q2()
{
    return u"select * from deti where code_emp=:code_emp and nc=true\norder by did"_s;
}

TReportML3::TReportML3() : TReportML3(false) {}

TReportML3::TReportML3(bool pred2004) : m_pred2004(pred2004)
{
    Sirky_ramcekov = kRamceky_1_8;
    Q0_.setSql(Text_Q0());
    prepareQuery(Q1_, u"Q1_"_s, pred2004 ? TReportML::Text_Q1() : Text_Q1());
    prepareQuery(Q2_, u"Q2_"_s, Text_Q2());
    addHeadingFields(Q0_);
    Q0_.onCalcFields = [this](db::DataSet &ds) { Q0_CalcFields(ds); };
    for (const char *f : {"CALC_JEDNORAZ", "CALC_PREMIE", "CALC_NAHRADY", "CALC_DAVKY_NP", "CALC_OSTATNE_P",
                          "CALC_DOPR_SPOLU"})
        Q1_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Money, 0);
    Q1_.onCalcFields = [this](db::DataSet &ds) { Q1_CalcFields(ds); };
    Q2_.addCalculatedField(u"CALC_MP"_s, db::FieldType::String, 100);
    Q2_.onCalcFields = [](db::DataSet &ds) {
        ds.setValue(u"CALC_MP"_s, ds.fieldByName(u"Meno"_s).asString() + u' ' + ds.fieldByName(u"Priezvisko"_s).asString());
    };
    S1_.setDataSet(&Q1_);
    S1_.setMaster(&Q0_);
    S2_.setDataSet(&Q2_);
    S2_.setMaster(&Q0_);
    registerDataSource(u"Q1_"_s, &S1_);
    registerDataSource(u"Q2_"_s, &S2_);
    if (pred2004) {
        nahlad = PreviewMode::Vzdy;
        assemble(sheetLayout(u"TReportML"_s, TReportML::sheetColumns(), u"Prechodné bydlisko"_s), sheetBlocks(),
               {{&S1_, &Q1_}, {&S2_, &Q2_}});
        printIfEmpty = true;
    } else {
        assemble(sheetLayout(u"TReportML3"_s, sheetColumns(), u"Kontaktná adresa"_s), sheetBlocks(),
               {{&S1_, &Q1_}, {&S2_, &Q2_}});
    }
}

TReportML3::~TReportML3() = default;

void TReportML3::Q0_CalcFields(db::DataSet &ds) { computeHeading(ds, Param.Text_firmy); }

void TReportML3::Q1_CalcFields(db::DataSet &ds)
{
    const auto num = [&](const char *name) { return ds.fieldByName(QString::fromLatin1(name)).asFloat(); };
    const auto set = [&](const char *name, double v) { ds.setValue(QString::fromLatin1(name), v); };
    const double jednoraz = num("n_jednoraz1") + num("n_jednoraz2");
    set("CALC_JEDNORAZ", jednoraz);
    set("CALC_PREMIE", num("n_premie") + num("n_odmeny") + jednoraz);
    set("CALC_NAHRADY", num("n_nahrada") + num("n_nemohol"));
    set("CALC_DAVKY_NP", num("nd_spolu") - num("nd_materska") - num("nd_pridavky"));
    // From 2004 severance pay has a line of its own, so it is not among the other incomes.
    set("CALC_OSTATNE_P", num("n_clenovia_organov") + num("n_pohotovost") + (m_pred2004 ? num("n_odstupne") : 0));
    set("CALC_DOPR_SPOLU", num("dopravne") + num("dopravne_mimoriadne"));
}

void TReportML3::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_ROK"_s))
        l->caption = (m_pred2004 ? u"Rok: "_s : u"Rok "_s) + QString::number(rok);
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    for (db::Query *q : {&Q0_, &Q1_}) {
        q->setParam(u"obdobie1"_s, rok * 100 + 1);
        q->setParam(u"obdobie2"_s, rok * 100 + 12);
    }
    Q0_.open();
}

void TReportML3::Zatvor_data()
{
    Q2_.close();
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
