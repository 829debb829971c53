#include "reports/documents/report_pp.h"

#include "core/helpers/employment_period.h"
#include "core/helpers/periods.h"

namespace tarix::reports {

using namespace Qt::Literals::StringLiterals;
using documents::reportFont;

namespace {

constexpr double kSirka = 277;  // landscape A4 within the margins
constexpr double kMesiac = 25;
constexpr double kStlpec = 19;

struct Stlpec {
    const char *pole;  // null: a column the form has no value for
    const char *popis; // caption above the column ('\n' between lines); null: shares the caption before
    const char *maska;
};
// Worked, excused and unexcused days and hours in pairs under one caption, then the income.
constexpr Stlpec kStlpce[] = {
    {"v_den", "Počet odprac.\ndní/hod.", ""},
    {"v_hodina", nullptr, "0.##"},
    {"ospr_dni", "ospravedl.\ndní/hod.", ""},
    {"ospr_hod", nullptr, "0.##"},
    {"v_absencia", "neospravedl.\ndní/hod.", ""},
    {"neospr_hod", nullptr, "0.##"},
    {"n_hrprijem", "Príjem", "0"},
    {"premie", "prémie,\nodmeny", "0"},
    {"vp_nadcas", "mzda za\nnadčas", "0"},
    {nullptr, "prípl. za\nnadčas", ""},
    {"n_holiday", "Z toho náhrada\nmzdy za dov.\nna zot.", "0"},
    {"n_sviatok", "plat.\nsviatky", "0"},
    {"prekazky", "ost.prek.\nv práci", "0"},
};

rpt::LayoutDesc reportLayout()
{
    using namespace rpt;
    std::vector<LayoutItem> hlavicka{
        label(u"QRL_nadpis"_s, {0, 0, kSirka, 8}, u"POTVRDENIE O PRÍJME V ROKU "_s, reportFont(14, true), Qt::AlignCenter),
        label(u"QRL_zamestnanec"_s, {0, 12, 24, 5}, u"Zamestnanec "_s, reportFont(10)),
        dbText(u"QRDB_TMP"_s, {24, 12, 120, 5}, u"TMP"_s, reportFont(10, true)),
        label(u"QRL_nar"_s, {150, 12, 10, 5}, u"nar."_s, reportFont(10)),
        dbText(u"QRDB_Born_date"_s, {160, 12, 40, 5}, u"Born_date"_s, reportFont(10, true)),
        label(u"QRL_pomer1"_s, {0, 18, kSirka, 5},
              u"je v pracovnom pomere ako stály zamestnanec *), sezónny zamestnanec *), zamestnanec na nepravidelnú "
              u"výpomoc *), alebo"_s,
              reportFont(10)),
        label(u"QRL_pomer2"_s, {0, 23, kSirka, 5}, u"zamestnanec na základe dohody o pracovnej činnosti."_s, reportFont(10)),
        label(u"QRL_obdobie"_s, {0, 30, kSirka, 5},
              u"V rozhodujúcom období boli jeho peňažné príjmy pre zistenie započítateľného zárobku:"_s, reportFont(10)),
        horizontalLine(u"QRS_hore"_s, {0, 37, kSirka, 0.5}),
        label(u"QRL_mesiac"_s, {0, 38, kMesiac, 12}, u"Mesiac"_s, reportFont(8, true)),
        horizontalLine(u"QRS_dole"_s, {0, 51, kSirka, 0.5}),
    };
    std::vector<LayoutItem> riadok{dbText(u"QRDB_MES"_s, {0, 0.3, kMesiac, 4}, u"MES"_s, reportFont(8))};
    std::vector<LayoutItem> spolu{horizontalLine(u"QRS_spolu"_s, {0, 0.3, kSirka, 0.5}),
                                  label(u"QRL_spolu"_s, {0, 1, kMesiac, 4}, u"Spolu"_s, reportFont(8, true))};
    double x = kMesiac;
    int n = 0;
    for (const Stlpec &s : kStlpce) {
        ++n;
        if (s.popis) {
            // A caption of a pair of columns spans both.
            const bool dvojica = n < int(std::size(kStlpce)) && !kStlpce[n].popis;
            hlavicka.push_back(memo(u"QRM_popis"_s + QString::number(n), {x + 0.5, 38, (dvojica ? 2 : 1) * kStlpec - 1, 12},
                                    QString::fromUtf8(s.popis), reportFont(7, true)));
        }
        if (s.pole) {
            const QString pole = QString::fromLatin1(s.pole);
            riadok.push_back(dbText(u"QRDB_"_s + pole, {x + 0.5, 0.3, kStlpec - 1, 4}, u"Q1_."_s + pole, reportFont(8),
                                    Qt::AlignRight, QString::fromLatin1(s.maska)));
            // The year's income is printed in thousands' groups, the rest as whole numbers.
            const QString maska = pole == u"n_hrprijem" ? u"### ### ###"_s : u"0"_s;
            ControlDesc e = expression(u"QRE_"_s + pole, {x + 0.5, 1, kStlpec - 1, 4}, u"SUM(Q1_.%1)"_s.arg(pole),
                                       reportFont(8, true), Qt::AlignRight, maska);
            e.resetAfterPrint = true;
            spolu.push_back(e);
        }
        x += kStlpec;
    }
    spolu.push_back(label(u"QRL_preciarknite"_s, {0, 8, 100, 4}, u"*) nehodiace sa prečiarknite"_s, reportFont(8)));
    return LayoutDesc{
        .name = u"TReportPP"_s,
        .title = u"Potvrdenie o príjme"_s,
        .page = PageSetup{.orientation = Orientation::Landscape},
        .bands =
            {
                BandDesc{.kind = BandKind::GroupHeader,
                         .name = u"zamestnanec"_s,
                         .height = 52,
                         .items = hlavicka,
                         .forceNewPage = true,
                         .expression = u"code_emp"_s},
                BandDesc{.kind = BandKind::Detail, .name = u"mesiac"_s, .height = 4.6, .items = riadok},
                BandDesc{.kind = BandKind::GroupFooter,
                         .name = u"spolu"_s,
                         .height = 13,
                         .items = spolu,
                         .header = u"zamestnanec"_s},
            },
    };
}

} // namespace

QString TReportPP::Text_Q0()
{
    return u"select a.code_emp, a.name, a.surname, a.title, a.born_date, b.cislo from zam a, dual12 b\n"
           u"where a.code_emp between :p1 and :p2 and a.sid between :p3 and :p4 and "_s
           + MyConsts::employedInPeriodSql(u"a.nastup"_s, u"a.vystup"_s)
           + u" order by a.code_emp, b.cislo"_s;
}

QString TReportPP::Text_Q1()
{
    // The excused hours: the excused days times the day's working time, and the hours of
    // wage compensation and of work the employee could not do.
    return u"select sum(v_den) v_den, sum(v_hodina) v_hodina, sum(n_brutto) n_hrprijem, sum(n_holiday) n_holiday,\n"
           u"sum(n_sviatok) n_sviatok, sum(n_premie+n_odmeny) premie,\n"
           u"sum(v_holiday+v_sviatok+v_pn+v_ocr1+v_ocr2) ospr_dni,\n"
           u"sum(((v_holiday+v_sviatok+v_pn+v_ocr1+v_ocr2)*f_doba)+vh_nahrada+vh_nemohol) ospr_hod,\n"
           u"sum(v_absencia) v_absencia, sum(v_absencia*f_doba) neospr_hod, sum(vp_nadcas) vp_nadcas,\n"
           u"sum(n_pn1+n_pn2+n_ocr+nd_spolu+n_nahrada+n_nemohol+n_nahrada_pn) prekazky from vyp\n"
           u"where code_emp = :code_emp and v_rok = :rok and v_mesiac = :cislo"_s;
}

TReportPP::TReportPP()
{
    Q0_.setSql(Text_Q0());
    for (const char *f : {"TMP", "MES"})
        Q0_.addCalculatedField(QString::fromLatin1(f), db::FieldType::String, 100);
    Q0_.onCalcFields = [](db::DataSet &ds) {
        const auto t = [&](const char *f) { return ds.fieldByName(QString::fromLatin1(f)).asString().trimmed(); };
        ds.setValue(u"TMP"_s, (t("title") + u' ' + t("name") + u' ' + t("surname")).simplified());
        ds.setValue(u"MES"_s, MyConsts::Nazov_mesiaca(int(ds.fieldByName(u"cislo"_s).asInteger()), false));
    };
    DS0.setDataSet(&Q0_);
    prepareQuery(Q1_, u"Q1_"_s, Text_Q1());
    Q1_.setDataSource(&DS0);
    S1_.setDataSet(&Q1_);
    registerDataSource(u"Q1_"_s, &S1_);
    assemble(reportLayout(), {{&S1_, &Q1_}});
}

TReportPP::~TReportPP() { Q1_.setDataSource(nullptr); }

void TReportPP::Otvor_data()
{
    setLabelText(u"QRL_nadpis"_s, u"POTVRDENIE O PRÍJME V ROKU "_s + QString::number(Param.Obdobie / 100));
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

void TReportPP::Zatvor_data()
{
    Q1_.close();
    Q0_.close();
}

} // namespace tarix::reports
