#include "reports/sheets/report_ml2.h"

#include "core/helpers/code_texts.h"
#include "core/helpers/employment_period.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "reports/sheets/report_ml3.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using namespace sheets;

namespace {

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka{
        label(u"QRL_titul"_s, {40, 0, 110, 7}, u"E v i d e n c i a    n e p r í t o m n o s t i"_s, reportFont(13, true),
              Qt::AlignCenter),
        label(u"QRL_nazov"_s, {0, 9, 14, 4}, u"Názov:"_s, reportFont(8)),
        dbText(u"QRDB_CALC_FIRMA"_s, {14, 9, 130, 4}, u"CALC_FIRMA"_s, reportFont(8, true)),
        label(u"QRL_rok_popis"_s, {150, 9, 10, 4}, u"Rok:"_s, reportFont(8)),
    };
    ControlDesc rok = label(u"QRL_ROK"_s, {160, 9, 30, 4}, {}, reportFont(8, true));
    rok.tag = 1;
    hlavicka.push_back(rok);
    const auto par = [&](const QString &meno, double x, double y, double sp, double sh, const QString &popis,
                         const QString &pole) {
        hlavicka.push_back(label(u"QRL_"_s + meno, {x, y, sp, 4}, popis, reportFont(7)));
        hlavicka.push_back(dbText(u"QRDB_"_s + pole, {x + sp, y, sh, 4}, pole, reportFont(8, true)));
    };
    par(u"ev_cislo"_s, 0, 15, 18, 20, u"EV.ČÍSLO"_s, u"Code_numb"_s);
    par(u"meno"_s, 40, 15, 24, 70, u"Meno a priezvisko"_s, u"CALC_MPT"_s);
    par(u"rodne"_s, 136, 15, 21, 33, u"Rodné priezvisko"_s, u"Prev_name"_s);
    par(u"datum_nar"_s, 0, 20, 18, 20, u"Dátum nar."_s, u"Born_date"_s);
    par(u"stav"_s, 40, 20, 8, 60, u"Stav"_s, u"CALC_STAV"_s);
    par(u"rodne_cislo"_s, 112, 20, 18, 30, u"Rodné číslo"_s, u"Born_numb"_s);
    par(u"trvale"_s, 0, 25, 24, 166, u"Trvalé bydlisko"_s, u"CALC_ADRESA_TP"_s);
    par(u"kontaktna"_s, 0, 30, 24, 166, u"Kontaktná adresa"_s, u"CALC_ADRESA_PP"_s);
    par(u"nastup"_s, 0, 35, 36, 20, u"Dátum vzniku prac.pomeru"_s, u"Nastup"_s);
    par(u"vystup"_s, 70, 35, 32, 20, u"Ukončenie prac.pomeru"_s, u"Vystup"_s);
    hlavicka.push_back(horizontalLine(u"QRS_hore"_s, {0, 41, 190, 0.5}));
    hlavicka.push_back(label(u"QRL_obdobie"_s, {0, 42, 50, 4}, u"Obdobie, počet dní"_s, reportFont(7, true)));
    hlavicka.push_back(label(u"QRL_poznamka"_s, {52, 42, 68, 4}, u"Poznámka"_s, reportFont(7, true)));
    hlavicka.push_back(label(u"QRL_dovod"_s, {122, 42, 68, 4}, u"Dôvod prerušenia"_s, reportFont(7, true)));
    hlavicka.push_back(horizontalLine(u"QRS_dole"_s, {0, 46.5, 190, 0.5}));

    return LayoutDesc{
        .name = u"TReportML2"_s,
        .title = u"Evidencia neprítomnosti"_s,
        .bands =
            {
                BandDesc{.kind = BandKind::PageFooter,
                         .name = u"pata"_s,
                         .height = 5,
                         .items = {BlockUse{.block = u"pata_strany"_s, .place = {0, 0, 190, 5}}}},
                BandDesc{.kind = BandKind::GroupHeader,
                         .name = u"zamestnanec"_s,
                         .height = 47.5,
                         .items = hlavicka,
                         .forceNewPage = true,
                         .expression = u"code_emp"_s},
                BandDesc{.kind = BandKind::Detail, .name = u"detail"_s, .height = 0},
                BandDesc{.kind = BandKind::SubDetail,
                         .name = u"nepritomnosti"_s,
                         .height = 8.5,
                         .items =
                             {
                                 dbText(u"QRDB_Datum_od"_s, {0, 0.3, 20, 4}, u"Q1_.Datum_od"_s, reportFont(8)),
                                 label(u"QRL_pomlcka"_s, {20, 0.3, 4, 4}, u"-"_s, reportFont(8), Qt::AlignCenter),
                                 dbText(u"QRDB_Datum_do"_s, {24, 0.3, 20, 4}, u"Q1_.Datum_do"_s, reportFont(8)),
                                 dbText(u"QRDB_Calc_Kal_Dni"_s, {0, 4.3, 20, 4}, u"Q1_.Calc_Kal_Dni"_s, reportFont(8)),
                                 dbText(u"QRDB_Dovod"_s, {52, 0.3, 68, 4}, u"Q1_.Dovod"_s, reportFont(8)),
                                 dbText(u"QRDB_Calc_prerus"_s, {122, 0.3, 68, 4}, u"Q1_.Calc_prerus"_s, reportFont(8)),
                             },
                         .master = u"detail"_s,
                         .dataSource = u"Q1_"_s},
                BandDesc{.kind = BandKind::SubDetailFooter,
                         .name = u"spolu"_s,
                         .height = 6,
                         .items =
                             {
                                 horizontalLine(u"QRS_spolu"_s, {0, 0.5, 50, 0.5}),
                                 label(u"QRL_spolu"_s, {0, 1.5, 20, 4}, u"Spolu dní"_s, reportFont(8, true)),
                                 [] {
                                     ControlDesc e = expression(u"QRE_spolu"_s, {20, 1.5, 24, 4},
                                                                u"SUM(Q1_.Calc_Kal_Dni)"_s, reportFont(8, true),
                                                                Qt::AlignRight, u"0"_s);
                                     e.master = u"nepritomnosti"_s;
                                     e.resetAfterPrint = true;
                                     return e;
                                 }(),
                             },
                         .master = u"nepritomnosti"_s},
            },
    };
}

} // namespace

QString TReportML2::Text_Q0()
{
    return u"select  * from zam where code_emp between :p1 and :p2 and sid between :p3 and :p4 and "_s
           + MyConsts::employedInPeriodSql() + u"\norder by code_emp"_s;
}

QString TReportML2::Text_Q1()
{
    // Every absence that overlaps the year, an open end counting as lasting on.
    return u"select * from nep where code_emp=:code_emp\n"
           u"and datum_od <= :datum_do and (datum_do >= :datum_od or datum_do is null)\n"
           u"and typrl2=1 and (prerusenie<>4 or prerusenie is null)\n"
           u"order by datum_od, nid"_s;
}

TReportML2::TReportML2()
{
    Sirky_ramcekov = kRamceky_1_8;
    Q0_.setSql(Text_Q0());
    addHeadingFields(Q0_);
    Q0_.onCalcFields = [this](db::DataSet &ds) { computeHeading(ds, Param.Text_firmy); };
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.addCalculatedField(u"Calc_Kal_Dni"_s, db::FieldType::Integer, 0);
    Q1_.addCalculatedField(u"Calc_Typ_nep"_s, db::FieldType::String, 40);
    Q1_.addCalculatedField(u"Calc_prerus"_s, db::FieldType::String, 200);
    Q1_.onCalcFields = [this](db::DataSet &ds) { Q1_CalcFields(ds); };
    S1_.setDataSet(&Q1_);
    S1_.setMaster(&Q0_);
    registerDataSource(u"Q1_"_s, &S1_);
    assemble(reportLayout(), sheetBlocks(), {{&S1_, &Q1_}});
}

TReportML2::~TReportML2() = default;

void TReportML2::Q1_CalcFields(db::DataSet &ds)
{
    ds.setValue(u"Calc_Kal_Dni"_s,
                sheetCalendarDays(ds.fieldByName(u"Datum_od"_s).asDate(), ds.fieldByName(u"Datum_do"_s).asDate()));
    const db::Field &typ = ds.fieldByName(u"Typ"_s);
    ds.setValue(u"Calc_Typ_nep"_s, typ.isNull() ? QString() : MyConsts::Text_druhu_nepritomnosti(typ.asInteger()));
    const QString typRl = ds.fieldByName(u"TypRL"_s).asString().trimmed();
    if (typRl == u"PE")
        ds.setValue(u"Calc_prerus"_s, m_prerusenia.value(ds.fieldByName(u"Prerusenie"_s).asInteger()));
    else
        ds.setValue(u"Calc_prerus"_s, m_typy.value(typRl));
}

void TReportML2::Otvor_data()
{
    const int rok = Param.Obdobie / 100;
    if (auto *l = findAs<rpt::ReportLabel>(u"QRL_ROK"_s))
        l->caption = QString::number(rok);
    m_typy.clear();
    m_prerusenia.clear();
    db::Session &session = Q0_.session();
    const db::SqlResult typy = session.run(u"select Typ, Popis from \":tarix_comm:typrl\""_s);
    for (int i = 0; i < typy.rowCount(); ++i)
        m_typy.insert(typy.value(i, 0).toString().trimmed(), typy.value(i, 1).toString());
    const db::SqlResult prerusenia = session.run(u"select ID, POPIS from \":tarix_comm:prerus1\""_s);
    for (int i = 0; i < prerusenia.rowCount(); ++i)
        m_prerusenia.insert(prerusenia.value(i, 0).toLongLong(), prerusenia.value(i, 1).toString());

    Q0_.close();
    MyConsts::setPeriodDays(Q0_, MyConsts::yearDays(rok));
    Q0_.setParam(u"p1"_s, Param.Zamestnanec_od);
    Q0_.setParam(u"p2"_s, Param.Zamestnanec_do);
    Q0_.setParam(u"p3"_s, Param.Stredisko_od);
    Q0_.setParam(u"p4"_s, Param.Stredisko_do);
    Q1_.setParam(u"datum_od"_s, QDate(rok, 1, 1));
    Q1_.setParam(u"datum_do"_s, QDate(rok, 12, 31));
    Q0_.open();
}

void TReportML2::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
