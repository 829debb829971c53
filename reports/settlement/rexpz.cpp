#include "reports/settlement/rexpz.h"

#include "core/helpers/address.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "reports/filled_label.h"
#include "reports/report_query.h"
#include "reports/settlement/settlement_report.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kDeti = 6; // the form has six lines for children
} // namespace

QString TReportPZ::Text_Q0()
{
    // A blank amount counts as 0, so that one blank field does not blank the year's total.
    return u"select a.code_emp, max(a.name) name, max(a.surname) surname, max(a.title) title, max(a.born_numb) "
           u"born_numb, max(a.tp_zip) tp_zip, max(a.tp_street) tp_street, max(a.tp_city) tp_city, max(b.v_rok) v_rok, "
           u"sum(coalesce(b.n_brutto,0)-coalesce(b.n_socfond,0)+coalesce(b.pouz_auto,0)+coalesce(b.zvys_ostatne,0)) "
           u"n_brutto, sum(coalesce(b.d_ciastzd,0)) d_ciastzd, sum(coalesce(b.n_poist,0)) n_poist, "
           u"sum(coalesce(b.n_ddp,0)) n_ddp, sum(coalesce(b.dopravne,0)+coalesce(b.dopravne_mimoriadne,0)) dopravne, "
           u"sum(coalesce(b.d_preddavok,0)) d_preddavok from zam a,vyp b where a.code_emp between :p1 and :p2 and "
           u"a.sid between :p3 and :p4 and a.code_emp=b.code_emp and b.v_obdobie between :obdobie1 and :obdobie2 and "
           u"b.dan_vyrovnana=0 group by a.code_emp order by a.code_emp"_s;
}

QString TReportPZ::Text_QPOM()
{
    return u"select v_mesiac from vyp where code_emp=:code_emp and v_obdobie between :obdobie1 and :obdobie2 and "
           u"dan_vyrovnana=0 order by v_obdobie"_s;
}

QString TReportPZ::Text_QDET() { return u"select * from deti where code_emp=:code_emp and nc<>0 order by did"_s; }

QString TReportPZ::monthRangeText(const QStringList &mesiace) { return mesiace.join(u", "_s); }

rpt::LayoutDesc TReportPZ::reportLayout()
{
    using namespace rpt;
    const FontSpec kArial7{u"Arial"_s, 7};
    const FontSpec kArial8{u"Arial"_s, 8};
    const FontSpec kArial8b{u"Arial"_s, 8, true};
    const FontSpec kArial9b{u"Arial"_s, 9, true};
    const FontSpec kArial12b{u"Arial"_s, 12, true};
    constexpr double kSirka = 190;

    std::vector<LayoutItem> v{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 6}, u"P o t v r d e n i e"_s, kArial12b, Qt::AlignHCenter),
        label(u"QRL_nadpis2"_s, {0, 6.5, kSirka, 4},
              u"o zdaniteľnej mzde a o zrazených preddavkoch na daň z príjmov zo závislej činnosti a funkčných požitkov"_s,
              kArial8, Qt::AlignHCenter),
        filledLabel(u"QRL_obdobie"_s, {0, 11, kSirka, 4.5}, kArial9b, Qt::AlignHCenter),
        rectangle(u"QRS_zamestnanec"_s, {0, 17, kSirka, 13}),
        label(u"QRL_TMP"_s, {1, 18, 45, 4}, u"Meno a priezvisko daňovníka"_s, kArial8),
        dbText(u"QRDB_TMP"_s, {47, 18, 90, 4}, u"TMP"_s, kArial9b),
        label(u"QRL_born_numb"_s, {139, 18, 20, 4}, u"rodné číslo"_s, kArial8),
        dbText(u"QRDB_born_numb"_s, {160, 18, 29, 4}, u"born_numb"_s, kArial9b),
        label(u"QRL_ADR"_s, {1, 24, 45, 4}, u"adresa trvalého pobytu"_s, kArial8),
        dbText(u"QRDB_ADR"_s, {47, 24, 110, 4}, u"ADR"_s, kArial9b),
        label(u"QRL_tp_zip"_s, {159, 24, 8, 4}, u"PSČ"_s, kArial8),
        dbText(u"QRDB_tp_zip"_s, {168, 24, 21, 4}, u"tp_zip"_s, kArial9b),
    };
    const auto riadok = [](const QString &n, const QString &cislo, const QString &popis, const QString &pole,
                           double h, const QString &maska = u"### ### ##0 Sk"_s) {
        return BlockUse{.block = u"riadok"_s,
                        .place = {0, 0, 0, h},
                        .args = {{u"n"_s, n}, {u"cislo"_s, cislo}, {u"popis"_s, popis}, {u"pole"_s, pole}, {u"maska"_s, maska}}};
    };
    Stack s{.left = 0, .top = 33, .width = kSirka};
    s.lines = {
        riadok(u"n_brutto"_s, u"1"_s,
               u"Úhrn zúčtovaných a vyplatených príjmov zo závislej činnosti a funkčných požitkov a doplatkov za minulé "
               u"roky (vrátane nepeňažných príjmov)"_s,
               u"n_brutto"_s, 9),
    };
    v.push_back(s);
    double y = 42;
    v.push_back(rectangle(u"QRS_mesiace"_s, {0, y, kSirka, 6}));
    v.push_back(label(u"QRL_c_mesiace"_s, {0.5, y + 1, 13, 4}, u"2"_s, kArial8b, Qt::AlignHCenter));
    v.push_back(label(u"QRL_mesiace"_s, {15, y + 1, 70, 4}, u"Zúčtovanie v mesiacoch (ich číselné označenie)"_s, kArial7));
    v.push_back(dbText(u"QRDB_CALC_MESIACE"_s, {86, y + 1, 103, 4}, u"CALC_MESIACE"_s, kArial9b));
    y += 6;
    v.push_back(rectangle(u"QRS_odpocty"_s, {0, y, kSirka, 6}));
    v.push_back(label(u"QRL_c_odpocty"_s, {0.5, y + 1, 13, 4}, u"3"_s, kArial8b, Qt::AlignHCenter));
    v.push_back(label(u"QRL_odpocty"_s, {15, y + 1, 170, 4}, u"Z toho podľa zákona o daniach z príjmov č. 366/1999 Z. z."_s,
                      kArial8b));
    y += 6;
    Stack s3{.left = 0, .top = y, .width = kSirka};
    s3.lines = {
        riadok(u"n_poist"_s, {}, u"poistné a príspevky do fondov ( § 6 ods. 12 písm. a)"_s, u"n_poist"_s, 6),
        riadok(u"n_ddp"_s, {}, u"príspevky na doplnkové dôchodkové poistenie ( § 6 ods. 12 písm. b)"_s, u"n_ddp"_s, 6),
        riadok(u"CALC_NC_INE"_s, {}, u"iné:"_s, u"CALC_NC_INE"_s, 6),
        riadok(u"CALC_ODPOCTY"_s, {}, u"spolu"_s, u"CALC_ODPOCTY"_s, 6),
        riadok(u"CALC_CIASTZD"_s, u"4"_s, u"Čiastkový základ dane (r.1 - r.3)"_s, u"CALC_CIASTZD"_s, 6),
        riadok(u"d_preddavok"_s, u"5"_s, u"Zrazený preddavok na daň v úhrnnej výške"_s, u"d_preddavok"_s, 6),
    };
    v.push_back(s3);
    y += 36 + 2;

    v.push_back(rectangle(u"QRS_deti"_s, {0, y, kSirka, 6 + 5 + kDeti * 5}));
    v.push_back(label(u"QRL_c_deti"_s, {0.5, y + 1, 13, 4}, u"6"_s, kArial8b, Qt::AlignHCenter));
    v.push_back(label(u"QRL_deti"_s, {15, y + 1, 170, 4},
                      u"Deti uplatnené ako vyživované osoby pre zrážku preddavkov na daň"_s, kArial8b));
    v.push_back(label(u"QRL_deti_mes"_s, {15, y + 6, 40, 4}, u"Kalend.mesiac od - do"_s, kArial7));
    v.push_back(label(u"QRL_deti_meno"_s, {60, y + 6, 120, 4}, u"Meno a priezvisko - rodné číslo"_s, kArial7));
    for (int i = 1; i <= kDeti; ++i) {
        const double yy = y + 6 + 5 * i;
        v.push_back(horizontalLine(u"QRS_dieta%1"_s.arg(i), {14, yy - 0.5, kSirka - 14, 0}));
        v.push_back(dbText(u"QRDB_CALC_MES%1"_s.arg(i), {15, yy, 40, 4}, u"CALC_MES%1"_s.arg(i), kArial9b));
        v.push_back(dbText(u"QRDB_CALC_DIETA%1"_s.arg(i), {60, yy, 129, 4}, u"CALC_DIETA%1"_s.arg(i), kArial9b));
    }
    y += 6 + 5 + kDeti * 5 + 2;
    v.push_back(rectangle(u"QRS_invalidita"_s, {0, y, kSirka, 16}));
    v.push_back(label(u"QRL_c_invalidita"_s, {0.5, y + 1, 13, 4}, u"7"_s, kArial8b, Qt::AlignHCenter));
    v.push_back(label(u"QRL_invalidita"_s, {15, y + 1, 170, 4},
                      u"Invalidita daňovníka uplatnená pre zrážku preddavkov na daň"_s, kArial8b));
    v.push_back(label(u"QRL_inv_mes"_s, {15, y + 6, 40, 4}, u"Kalend.mesiac od - do"_s, kArial7));
    {
        ControlDesc c = label(u"QRL_inv_stupen"_s, {60, y + 6, 129, 8},
                              u"Stupeň invalidity ( poberateľ ČID, ID, držiteľ preukazu o ťažkom zdravotnom postihnutí )"_s,
                              kArial7);
        c.wordWrap = true;
        v.push_back(c);
    }
    y += 18;
    v.push_back(label(u"QRL_vyhotovil"_s, {0, y, 20, 4}, u"Vyhotovil:"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_zostavil"_s, {21, y, 70, 4}, kArial9b));
    v.push_back(label(u"QRL_dna"_s, {95, y, 10, 4}, u"Dňa:"_s, kArial8));
    v.push_back(filledLabel(u"QR_Vykaz_dna"_s, {106, y, 40, 4}, kArial9b));
    y += 5;
    v.push_back(label(u"QRL_telefon"_s, {0, y, 25, 4}, u"Číslo telefónu:"_s, kArial8));
    v.push_back(filledLabel(u"QR_telefon"_s, {26, y, 65, 4}, kArial9b));
    y += 7;
    v.push_back(label(u"QRL_platitel"_s, {0, y, 40, 4}, u"Meno a adresa platiteľa:"_s, kArial8));
    v.push_back(dbText(u"QRDB_NAZOV"_s, {41, y, 149, 4}, u"QINF_.NAZOV"_s, kArial9b));
    v.push_back(dbText(u"QRDB_CALC_ADRESA"_s, {41, y + 4.5, 149, 4}, u"QINF_.CALC_ADRESA"_s, kArial9b));
    y += 10;
    v.push_back(label(u"QRL_dic"_s, {0, y, 50, 4}, u"Daň. ident. číslo platiteľa:"_s, kArial8));
    v.push_back(horizontalLine(u"QRS_podpis"_s, {135, y + 8, 55, 0}));
    v.push_back(label(u"QRL_podpis"_s, {135, y + 8.5, 55, 3.5}, u"Podpis a odtlačok pečiatky platiteľa"_s, kArial7,
                      Qt::AlignHCenter));
    y += 13;

    return LayoutDesc{
        .name = u"TReportPZ"_s,
        .title = u"Potvrdenie o zdaniteľnej mzde"_s,
        .bands = {BandDesc{.kind = BandKind::Detail,
                           .name = u"DetailBand1"_s,
                           .height = y,
                           .items = std::move(v),
                           .forceNewPage = true}},
    };
}

TReportPZ::TReportPZ()
{
    prepareQuery(Q0_, u"Q0_"_s, core::kAliasData, Text_Q0());
    for (const char *f : {"TMP", "ADR", "CALC_MESIACE"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    for (int i = 1; i <= kDeti; ++i) {
        Q0_.addCalculatedField(u"CALC_MES%1"_s.arg(i), db::FieldType::String, 10);
        Q0_.addCalculatedField(u"CALC_DIETA%1"_s.arg(i), db::FieldType::String, 100);
    }
    for (const char *f : {"CALC_NC_INE", "CALC_ODPOCTY", "CALC_CIASTZD"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::Money);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeReportFields(ds); };
    S0_.setDataSet(&Q0_);
    mainDataSource = &S0_;
    registerDataSource(u"Q0_"_s, &S0_);

    prepareQuery(QINF_, u"QINF_"_s, core::kAliasData, u"select * from inf"_s);
    QINF_.addCalculatedField(u"CALC_ADRESA"_s, db::FieldType::String, 1000);
    QINF_.onCalcFields = [](db::DataSet &ds) {
        const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
        ds.setValue(u"CALC_ADRESA"_s,
                    MyConsts::Text_adresy(t("ADR_ULICA"), t("ADR_CISLO"), t("ADR_PSC"), t("ADR_MESTO")));
    };
    SINF_.setDataSet(&QINF_);
    registerDataSource(u"QINF_"_s, &SINF_);
    rpt::buildReportForm(*this, reportLayout(), settlement::rzBlocks(), checkFields({{&S0_, &Q0_}, {&SINF_, &QINF_}}));
}

TReportPZ::~TReportPZ() = default;

void TReportPZ::computeReportFields(db::DataSet &ds)
{
    const auto t = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asString(); };
    const auto n = [&](const char *pole) { return ds.fieldByName(QString::fromLatin1(pole)).asFloat(); };
    ds.setValue(u"TMP"_s, settlement::titleNameSurname(t("title"), t("name"), t("surname")));
    ds.setValue(u"ADR"_s, settlement::pzAddress(t("tp_street"), t("tp_city")));
    // Nothing else is deducted on this form.
    const double ine = 0;
    ds.setValue(u"CALC_NC_INE"_s, ine);
    ds.setValue(u"CALC_ODPOCTY"_s, n("n_poist") + n("n_ddp") + ine);
    ds.setValue(u"CALC_CIASTZD"_s, n("d_ciastzd") - ine);

    const int rok = Param.Obdobie / 100;
    const db::Params par{{u"code_emp"_s, ds.fieldByName(u"code_emp"_s).asInteger()},
                         {u"obdobie1"_s, rok * 100 + 1},
                         {u"obdobie2"_s, rok * 100 + 12}};
    db::Session &session = Q0_.session();
    const db::SqlResult mesiace = session.run(Text_QPOM(), par, core::kAliasData);
    QStringList m;
    for (int r = 0; r < mesiace.rowCount(); ++r)
        m << mesiace.asString(r, 0);
    ds.setValue(u"CALC_MESIACE"_s, monthRangeText(m));

    const db::SqlResult deti = session.run(Text_QDET(), par, core::kAliasData);
    const auto stlpec = [&](const QString &meno) {
        for (int c = 0; c < deti.columnCount(); ++c)
            if (deti.columnName(c).compare(meno, Qt::CaseInsensitive) == 0)
                return c;
        return -1;
    };
    const int cMeno = stlpec(u"Meno"_s), cPriezvisko = stlpec(u"Priezvisko"_s), cRc = stlpec(u"RC"_s),
              cOd = stlpec(u"MES_OD"_s), cDo = stlpec(u"MES_DO"_s);
    for (int i = 1; i <= kDeti; ++i) {
        QString mes, dieta;
        if (i <= deti.rowCount()) {
            const int r = i - 1;
            mes = deti.asString(r, cOd) + u" - "_s + deti.asString(r, cDo);
            dieta = deti.asString(r, cMeno) + u' ' + deti.asString(r, cPriezvisko) + u" - "_s + deti.asString(r, cRc);
        }
        ds.setValue(u"CALC_MES%1"_s.arg(i), mes);
        ds.setValue(u"CALC_DIETA%1"_s.arg(i), dieta);
    }
}

void TReportPZ::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    const auto nastav = [&](const char *meno, const QString &text) {
        if (auto *l = findAs<rpt::ReportLabel>(QString::fromLatin1(meno)))
            l->caption = text;
    };
    nastav("QRL_obdobie", u"za zdaňovacie obdobie (kalendárny rok) "_s + QString::number(rok));
    nastav("QR_Vykaz_zostavil", Param.Vykaz_zostavil);
    nastav("QR_Vykaz_dna", Param.Den_textom);
    nastav("QR_telefon", Param.Telefon);
    Q0_.close();
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q0_.setParam(u"obdobie1"_s, rok * 100 + 1);
    Q0_.setParam(u"obdobie2"_s, rok * 100 + 12);
    Q0_.open();
    QINF_.close();
    QINF_.open();
}

void TReportPZ::Zatvor_data()
{
    QINF_.close();
    Q0_.close();
}

} // namespace tarix::reports
