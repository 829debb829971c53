// The payslips: the dispatcher's choice of layout, one payslip per payroll record with the
// stored values in the layout's formats, the calculated lines, the page rule of statutory
// parameter 12 and the written PDF.
#include "payslip_fixture.h"

#include "core/helpers/periods.h"
#include "platform/report/render.h"
#include "reports/dispatcher.h"
#include "reports/report.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tarix;
using namespace tarix::reports;
using fixtures::PayslipFirm;

namespace {

// The three employees of most cases, in the order the payslips print (Slovak order of
// surnames): Cibula, Čierny, Hudák.
struct Zamestnanec {
    int code;
    QString meno;       // as the head prints it
    double brutto;
    double zdravot;
    double preddavok;
    double netto;
    double vyplata;
    QString brutto_text;
    QString zdravot_text;
    QString preddavok_text;
    QString netto_text;
    QString vyplata_text;
};

const Zamestnanec kZamestnanci[] = {
    {5, "Milan Cibula", 18500, 740, 2120.5, 14370.25, 14370.25, "18500,00", "740,00", "2120,50", "14370,25", "14370,25"},
    {3, "Peter Čierny", 9800.4, 392.02, 0, 8300, 3300, "9800,40", "392,02", "0,00", "8300,00", "3300,00"},
    {1, "Ing. Ján Hudák", 32000, 1280, 4675.75, 24116.5, 20000, "32000,00", "1280,00", "4675,75", "24116,50", "20000,00"},
};

struct reportLayout {
    int obdobie;
    int odstup;
    const char *trieda;
    int rok; // the year folder that is open
};

const reportLayout kRozlozenia[] = {
    {200703, 0, "TReportVP2005A", 2007},
    {200703, 1, "TReportVP2005B", 2007},
    {200501, 0, "TReportVP2005A", 2005},
    {200403, 0, "TReportVP2", 2004},
    {200412, 2, "TReportVP2T", 2004},
    {200303, 0, "TReportVP", 2004},
    {200303, 1, "TReportVP", 2004},
};

// Captions that together only one layout prints.
QStringList znaky(const QString &trieda)
{
    if (trieda == "TReportVP2005A")
        return {"Celk.príjem-zdrav.poist."};
    if (trieda == "TReportVP2005B")
        return {"Celk.príjem - zdrav.poist."};
    if (trieda == "TReportVP2")
        return {"Základ invalidné poist.", "Kal.dni - za ktoré neplatí poistenie"};
    if (trieda == "TReportVP2T")
        return {"Denná mzda/náhrada PN"};
    return {"Jednorázová mzda 1"};
}

QString obsah(const rpt::PreparedReport &r)
{
    QStringList all;
    for (const rpt::PreparedPage &p : r.pages)
        all << PayslipFirm::pageTexts(p);
    return all.join('\n');
}

} // namespace

class PayslipLayouts : public PayslipFirm, public ::testing::WithParamInterface<reportLayout> {
protected:
    void insertThree(int period)
    {
        for (const Zamestnanec &z : kZamestnanci)
            insertVyp(z.code, period,
                      {{"N_brutto", z.brutto}, {"O_zdravot", z.zdravot}, {"F_zdravot", 4},
                       {"D_preddavok", z.preddavok}, {"N_netto", z.netto}, {"Vyplata", z.vyplata}});
    }
};

TEST_P(PayslipLayouts, DispatcherRunsTheLayoutOfThePeriodAndFirmSetting)
{
    const reportLayout r = GetParam();
    openYear(r.rok);
    setOdstup(r.odstup);
    insertThree(r.obdobie);

    EXPECT_EQ(chooseReport("VP", r.obdobie, firmDistance).nazov, QString(r.trieda));
    ParForm::Spusti_zostavu_podla_nazvu(request(r.obdobie));

    ASSERT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(previewHost.shownCount, 1);
    const QString text = obsah(previewHost.last);
    for (const char *t : {"TReportVP2005A", "TReportVP2005B", "TReportVP2", "TReportVP2T", "TReportVP"}) {
        bool all = true;
        for (const QString &z : znaky(t))
            all = all && text.contains(z);
        EXPECT_EQ(all, QString(t) == r.trieda) << t;
    }
}

TEST_P(PayslipLayouts, OnePagePerEmployeeWithTheStoredValues)
{
    const reportLayout r = GetParam();
    openYear(r.rok);
    setOdstup(r.odstup);
    insertThree(r.obdobie);
    // A record of another month and one outside the employee range print nothing.
    insertVyp(1, r.obdobie - 1, {{"N_brutto", 111}});
    insertVyp(10, r.obdobie, {{"N_brutto", 222}});

    TMyReportParam p = request(r.obdobie);
    p.Zamestnanec_do = 9;
    ParForm::Spusti_zostavu_podla_nazvu(p);

    ASSERT_EQ(previewHost.shownCount, 1);
    const rpt::PreparedReport &rep = previewHost.last;
    ASSERT_EQ(rep.pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const Zamestnanec &z = kZamestnanci[i];
        const rpt::PreparedPage &page = rep.pages[size_t(i)];
        SCOPED_TRACE(z.meno.toStdString());
        EXPECT_EQ(textOf(page, "QRDB_CALC_TMP"), z.meno);
        EXPECT_EQ(textOf(page, "QRDB_CALC_FIRMA"), "FIRMA: Demo s.r.o.");
        EXPECT_EQ(textOf(page, "QRDB_CALC_OBDOBIE"),
                  "POTVRDENIE O PRÍJMOCH A ZRÁŽKACH ZA OBDOBIE "
                      + MyConsts::Nazov_mesiaca(r.obdobie % 100, true) + ' ' + QString::number(r.obdobie / 100));
        EXPECT_EQ(textOf(page, "QRDB_N_brutto"), z.brutto_text);
        EXPECT_EQ(textOf(page, "QRDB_O_zdravot"), z.zdravot_text);
        EXPECT_EQ(textOf(page, "QRDB_F_zdravot"), "4,00%");
        EXPECT_EQ(textOf(page, "QRDB_D_preddavok"), z.preddavok_text);
        EXPECT_EQ(textOf(page, "QRDB_N_netto"), z.netto_text);
        EXPECT_EQ(textOf(page, "QRDB_Vyplata"), z.vyplata_text);
        EXPECT_FALSE(pageTexts(page).contains("111,00"));
        EXPECT_FALSE(pageTexts(page).contains("222,00"));
    }
}

TEST_P(PayslipLayouts, EveryTextFitsItsBoxAndThePage)
{
    const reportLayout r = GetParam();
    openYear(r.rok);
    setOdstup(r.odstup);
    // Large amounts in every line the layout prints.
    QVariantMap v;
    for (const char *f : {"N_brutto", "N_netto", "Vyplata", "O_zdravot", "Oz_zdravot", "Oz_dochod", "D_preddavok",
                          "N_zaklad_zp", "N_prijem_zp", "Vp_nadcas", "Vp_priplat5", "N_doplatok", "Ne_zaloha", "Sporenie",
                          "MV_plat", "V_plat", "N_mzda", "Nd_rodic", "N_ocr1", "N_pn"})
        v.insert(f, 9876543.21);
    v.insert("F_zdravot", 14.25);
    v.insert("Fz_dochod", 14.25);
    v.insert("Vh_priplat5", 999.5);
    v.insert("V_nepoisteny", 31);
    insertVyp(1, r.obdobie, v);
    session.execute("update \":tarix_data:inf\" set f_priplat5_text='Príplatok za prácu'");

    ParForm::Spusti_zostavu_podla_nazvu(request(r.obdobie));
    ASSERT_EQ(previewHost.last.pageCount(), 1);
    const rpt::PreparedPage &page = previewHost.last.pages[0];
    for (const rpt::PreparedItem *t : page.texts()) {
        for (double w : t->lineWidths)
            EXPECT_LE(w, t->rect.width() + 0.01) << t->name.toStdString() << ": " << t->text().toStdString();
        EXPECT_LE(t->rect.right(), 200.01) << t->name.toStdString();
        EXPECT_LE(t->rect.bottom(), 287.01) << t->name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Obdobia, PayslipLayouts, ::testing::ValuesIn(kRozlozenia),
                         [](const auto &info) {
                             return QStringLiteral("%1_%2_%3")
                                 .arg(info.param.trieda)
                                 .arg(info.param.obdobie)
                                 .arg(info.param.odstup)
                                 .toStdString();
                         });

// ---- single cases ------------------------------------------------------------------------------

class Payslips : public PayslipFirm {
protected:
    const rpt::PreparedReport &run(int period, const std::function<void(TMyReportParam &)> &adjust = {})
    {
        TMyReportParam p = request(period);
        if (adjust)
            adjust(p);
        ParForm::Spusti_zostavu_podla_nazvu(p);
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        EXPECT_EQ(previewHost.shownCount, 1);
        return previewHost.last;
    }
};

TEST_F(Payslips, SecondPillarSplitsTheEmployersOldAgeContribution)
{
    insertVyp(1, 200703, {{"U_sds", 1}, {"Fz_dochod", 14}, {"Oz_dochod", 1400}, {"N_brutto", 10000},
                          {"Oz_zdravot", 999.40}, {"Oz_nemoc", 140}, {"Oz_invalid", 300}, {"Oz_fondzam", 100},
                          {"Oz_garancne", 25}, {"Oz_uraz", 80}, {"Oz_rezerva", 475}});
    insertVyp(3, 200703, {{"U_sds", 0}, {"Fz_dochod", 14}, {"Oz_dochod", 1400}, {"N_brutto", 10000}});
    const rpt::PreparedReport &r = run(200703);
    ASSERT_EQ(r.pageCount(), 2);
    // Čierny first, without the second pillar.
    const rpt::PreparedPage &bez = r.pages[0];
    EXPECT_EQ(textOf(bez, "QRDB_CALC_Fz_sds"), "0,00%");
    EXPECT_EQ(textOf(bez, "QRDB_CALC_Oz_sds"), "0,00");
    EXPECT_EQ(textOf(bez, "QRDB_CALC_Fz_dochod"), "14,00%");
    EXPECT_EQ(textOf(bez, "QRDB_CALC_Oz_dochod"), "1400,00");
    EXPECT_EQ(textOf(bez, "QRDB_CALC_CENA_PRACE"), "11400,00");

    const rpt::PreparedPage &so = r.pages[1];
    EXPECT_EQ(textOf(so, "QRDB_CALC_Fz_sds"), "9,00%");
    EXPECT_EQ(textOf(so, "QRDB_CALC_Oz_sds"), "900,00");
    EXPECT_EQ(textOf(so, "QRDB_CALC_Fz_dochod"), "5,00%");
    EXPECT_EQ(textOf(so, "QRDB_CALC_Oz_dochod"), "500,00");
    // The employer's health contribution to whole crowns upwards.
    EXPECT_EQ(textOf(so, "QRDB_CALC_Oz_zdravot"), "1000,00");
    // 10000 + 1000 + 140 + 500 + 300 + 100 + 25 + 80 + 475 + 900
    EXPECT_EQ(textOf(so, "QRDB_CALC_CENA_PRACE"), "13520,00");
}

TEST_F(Payslips, SecondPillarShareIsCutToWholeCrowns)
{
    insertVyp(1, 200703, {{"U_sds", 1}, {"Fz_dochod", 14}, {"Oz_dochod", 1401.50}});
    const rpt::PreparedReport &r = run(200703);
    ASSERT_EQ(r.pageCount(), 1);
    // 1401.50 / 14 * 9 = 900.96 -> 900
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_Oz_sds"), "900,00");
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_Oz_dochod"), "501,50");
}

TEST_F(Payslips, WagesIncludingCompensationsAndDeductionsAreSummed)
{
    insertVyp(1, 200703, {{"N_mzda", 20000}, {"N_nahrada_pn", 500}, {"N_nahrada", 300.5}, {"N_nemohol", 100},
                          {"N_holiday", 1500}, {"N_sviatok", 700}, {"N_pohotovost", 50},
                          {"Ne_stravne", 220}, {"Ne_odborar", 100}, {"Ne_poistovna", 300}, {"Ne_pozicky", 1000},
                          {"Ne_exekucia", 400.25}, {"V_plat", 25000}, {"N_ukolova", 4000}});
    const rpt::PreparedPage &p = run(200703).pages.at(0);
    EXPECT_EQ(textOf(p, "QRDB_CALC_N_mzda_a_nahrady"), "23150,50");
    EXPECT_EQ(textOf(p, "QRDB_CALC_ZRAZKY"), "2020,25");
    EXPECT_EQ(textOf(p, "QRDB_N_zakladna"), "21000,00");
    EXPECT_EQ(textOf(p, "QRDB_Ne_exekucia"), "400,25");
}

TEST_F(Payslips, HolidayTakenCountsTheMonthsOfTheYearUpToThePeriod)
{
    insertVyp(1, 200612, {{"V_holiday", 5}});
    insertVyp(1, 200701, {{"V_holiday", 2}});
    insertVyp(1, 200702, {{"V_holiday", 1.5}});
    insertVyp(1, 200703, {{"V_holiday", 1}});
    insertVyp(1, 200704, {{"V_holiday", 3}});
    const rpt::PreparedReport &r = run(200703);
    ASSERT_EQ(r.pageCount(), 1);
    // Entitlement 25 + 2 days left from the year before.
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_DOVOLENKA"), "27 / 4,5");
}

TEST_F(Payslips, HolidayOfDecemberCoversTheWholeYearOnly)
{
    insertVyp(1, 200611, {{"V_holiday", 7}});
    insertVyp(1, 200701, {{"V_holiday", 2}});
    insertVyp(1, 200712, {{"V_holiday", 4}});
    const rpt::PreparedReport &r = run(200712);
    ASSERT_EQ(r.pageCount(), 1);
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_DOVOLENKA"), "27 / 6");
}

TEST_F(Payslips, HeadShowsThePresentCentreAndPersonalData)
{
    // Selected by the record's centre 5; Zam says the employee is in centre 1 now.
    insertVyp(1, 200703, {{"SID", 5}, {"N_brutto", 100}});
    insertVyp(2, 200703, {{"SID", 1}, {"N_brutto", 200}});
    const rpt::PreparedReport &r = run(200703, [](TMyReportParam &p) {
        p.Stredisko_od = 5;
        p.Stredisko_do = 5;
    });
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &p = r.pages[0];
    EXPECT_EQ(textOf(p, "QRDB_CALC_STREDISKO"), "Stredisko: 1");
    EXPECT_EQ(textOf(p, "QRDB_CALC_OS_CISLO"), "Osob.číslo: 101");
    EXPECT_EQ(textOf(p, "QRDB_CALC_RODNE_CISLO"), "Rodné č.: 6803145129");
    EXPECT_EQ(textOf(p, "QRDB_CALC_TMP"), "Ing. Ján Hudák");
}

TEST_F(Payslips, EmptySelectionShowsAnEmptyPreview)
{
    insertVyp(1, 200702, {{"N_brutto", 100}});
    const rpt::PreparedReport &r = run(200703);
    EXPECT_EQ(r.pageCount(), 0);
}

TEST_F(Payslips, ParameterTwelveEqualToOnePutsPayslipsOneAfterAnother)
{
    for (int code = 1; code <= 6; ++code)
        insertVyp(code, 200703, {{"N_brutto", 1000 * code}});
    struct Pripad {
        double hodnota;
        bool naStranu;  // one payslip per page
    } pripady[] = {{0, true}, {2, true}, {0.999, true}, {1.0, false}};
    for (const Pripad &c : pripady) {
        SCOPED_TRACE(c.hodnota);
        MyConsts::Parametre(12).Hodnota = c.hodnota;
        previewHost.shownCount = 0;
        const rpt::PreparedReport &r = run(200703);
        if (c.naStranu) {
            EXPECT_EQ(r.pageCount(), 6);
        } else {
            EXPECT_GE(r.pageCount(), 2);
            EXPECT_LE(r.pageCount(), 3);
            int payslips = 0;
            for (const rpt::PreparedPage &p : r.pages)
                payslips += int(p.itemsNamed("QRDB_CALC_TMP").size());
            EXPECT_EQ(payslips, 6);
            EXPECT_GE(r.pages[0].itemsNamed("QRDB_CALC_TMP").size(), 2u);
        }
    }
}

TEST_F(Payslips, CaptionsOfSupplementsAndSurchargesComeFromTheSettings)
{
    payroll::IniSettings s;
    s.Doplatky = QStringLiteral("Doplatky za rok");
    payroll::setSettings(s);
    session.execute("update \":tarix_data:inf\" set f_priplat1_text='Zmenová práca', f_priplat3_text=null, "
                    "f_priplat4_text=null");
    insertVyp(1, 200703, {{"N_doplatok", 1234.5}, {"Vh_priplat1", 8}, {"Vp_priplat1", 160}, {"Vp_priplat4", 50}});
    const rpt::PreparedPage &p = run(200703).pages.at(0);
    EXPECT_EQ(textOf(p, "QRLAB_doplatky"), "Doplatky za rok");
    EXPECT_EQ(textOf(p, "QRDB_N_doplatok"), "1234,50");
    EXPECT_EQ(textOf(p, "QRLAB_priplatok1"), "Zmenová práca");
    // A surcharge the firm has not named, with nothing in it, is left out, caption and values.
    EXPECT_EQ(textOf(p, "QRLAB_priplatok3"), "<none>");
    EXPECT_EQ(textOf(p, "QRDB_Vp_priplat3"), "<none>");
    EXPECT_EQ(textOf(p, "QRDB_Vh_priplat3"), "<none>");
    // One the payroll has an amount in still prints, so that no amount goes unseen.
    EXPECT_EQ(textOf(p, "QRDB_Vp_priplat4"), "50,00");
    EXPECT_EQ(textOf(p, "QRDB_Vh_priplat1"), "8,0");
    EXPECT_EQ(textOf(p, "QRDB_Vp_priplat1"), "160,00");
}

TEST_F(Payslips, DataOnlyKeepsTheValuesAndDropsTheCaptions)
{
    insertVyp(1, 200703, {{"N_brutto", 32000}});
    const rpt::PreparedReport &r = run(200703, [](TMyReportParam &p) {
        p.Len_udaje = true;
        p.Bez_ramcekov = true;
    });
    ASSERT_EQ(r.pageCount(), 1);
    const QStringList t = pageTexts(r.pages[0]);
    EXPECT_TRUE(t.contains("32000,00"));
    EXPECT_TRUE(t.contains("Ing. Ján Hudák"));
    EXPECT_FALSE(t.contains("Úhrn príjmov"));
    for (const rpt::PreparedItem &it : r.pages[0].items)
        EXPECT_NE(it.source, rpt::ElementKind::Shape) << it.name.toStdString();
}

TEST_F(Payslips, FramesAreThinOnScreenAndStrongOnPaper)
{
    insertVyp(1, 200703, {{"N_brutto", 32000}});
    const rpt::PreparedReport &r = run(200703);
    ASSERT_EQ(r.pageCount(), 1);
    int shapes = 0;
    for (const rpt::PreparedItem &it : r.pages[0].items)
        if (it.source == rpt::ElementKind::Shape) {
            ++shapes;
            EXPECT_EQ(it.pen.widthScreen, 1);
            EXPECT_EQ(it.pen.widthPaper, 8);
        }
    EXPECT_GT(shapes, 0);
}

// ---- labour cost of 2004 and before --------------------------------------------------------

TEST_F(Payslips, LabourCostOf2004AddsTheEmployersHealthContributionByTheFlag)
{
    openYear(2004);
    const QVariantMap spolocne{{"N_brutto", 10000}, {"Oz_nemoc", 140}, {"Oz_dochod", 1400}, {"Oz_invalid", 300},
                               {"Oz_fondzam", 100}, {"Oz_uraz", 80}, {"Oz_rezerva", 475}, {"Oz_garancne", 25},
                               {"Fz_zdravot", 10}, {"N_zaklad_zp", 12345}};
    struct Pripad {
        int code;
        int u_zdrav;
        const char *cena;
    } pripady[] = {
        // 0.01 * 10 * 12345 = 1234.50, to whole crowns upwards by the year's rounding.
        {5, 1, "13755,00"},
        {3, 3, "12520,00"},
        {1, 5, "13755,00"},
    };
    for (const Pripad &c : pripady) {
        QVariantMap v = spolocne;
        v.insert("U_zdrav", c.u_zdrav);
        insertVyp(c.code, 200403, v);
    }
    const rpt::PreparedReport &r = run(200403);
    ASSERT_EQ(r.pageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(textOf(r.pages[size_t(i)], "QRDB_CALC_CENA_PRACE"), pripady[i].cena) << pripady[i].u_zdrav;
}

TEST_F(Payslips, LabourCostBefore2004AddsTheFundsWhoseFlagCounts)
{
    openYear(2004);
    const QVariantMap spolocne{{"N_brutto", 10000}, {"Fz_zdravot", 10}, {"N_zaklad_zp", 10000},
                               {"Fz_nemoc", 1.4}, {"N_zaklad_np", 10000}, {"Fz_dochod", 21.6}, {"N_zaklad_dp", 10000},
                               {"Fz_fondz", 2.75}, {"Fz_garfond", 0.25}, {"N_zaklad_fz", 10001}};
    struct Pripad {
        int code;
        int zdrav, nemoc, dochod, fondzam;
        const char *cena;
    } pripady[] = {
        // 1000 + 140 + 2160 + 300.03 -> 301
        {5, 1, 2, 4, 5, "13601,00"},
        {3, 3, 0, 6, 1, "10301,00"},
        {1, 3, 3, 3, 3, "10000,00"},
    };
    for (const Pripad &c : pripady) {
        QVariantMap v = spolocne;
        v.insert("U_zdrav", c.zdrav);
        v.insert("U_nemoc", c.nemoc);
        v.insert("U_dochod", c.dochod);
        v.insert("U_fondzam", c.fondzam);
        insertVyp(c.code, 200303, v);
    }
    const rpt::PreparedReport &r = run(200303);
    ASSERT_EQ(r.pageCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(textOf(r.pages[size_t(i)], "QRDB_CALC_CENA_PRACE"), pripady[i].cena) << i;
}

TEST_F(Payslips, OldestPayslipPrintsAveragesWithoutDecimals)
{
    openYear(2004);
    insertVyp(1, 200303, {{"V_priemer1", 85.64}, {"V_sadzba", 120.5}, {"V_den", 20.5}, {"N_ocr1", 300},
                          {"V_pn1", 3}, {"V_ocr1", 2.5}});
    const rpt::PreparedPage &p = run(200303).pages.at(0);
    EXPECT_EQ(textOf(p, "QRDB_V_priemer1"), "86");
    EXPECT_EQ(textOf(p, "QRDB_V_sadzba"), "121");
    EXPECT_EQ(textOf(p, "QRDB_V_den"), "20,5");
    EXPECT_EQ(textOf(p, "QRDB_N_ocr1"), "300,00");
    EXPECT_EQ(textOf(p, "QRDB_V_pn1"), "3,0");
    EXPECT_EQ(textOf(p, "QRDB_V_ocr1"), "2,5");
    // "K výplate" and "Vyplatené v hotovosti" both print the payout.
    EXPECT_EQ(p.itemsNamed("QRDB_Vyplata").size(), 2u);
}

TEST_F(Payslips, CareAllowanceOf2004IsBothCareBenefits)
{
    openYear(2004);
    insertVyp(1, 200403, {{"N_ocr1", 300}, {"N_ocr2", 150.5}, {"V_ocr12", 4}});
    const rpt::PreparedPage &p = run(200403).pages.at(0);
    EXPECT_EQ(textOf(p, "QRDB_CALC_OCR"), "450,50");
    EXPECT_EQ(textOf(p, "QRDB_V_ocr12"), "4,0");
}

// ---- errors and output -------------------------------------------------------------------------

TEST_F(Payslips, DatabaseFailureEndsTheRunWithTheReportError)
{
    insertVyp(1, 200703, {{"N_brutto", 100}});
    session.execute("alter table \":tarix_data:vyp\" rename to vyp_x");
    ParForm::Spusti_zostavu_podla_nazvu(request(200703));
    session.execute("alter table \":tarix_data:vyp_x\" rename to vyp");
    ASSERT_EQ(scripted.messages().size(), 1);
    EXPECT_TRUE(scripted.messages()[0].startsWith("Nastala chyba pri vytváraní tlačovej zostavy. "));
    EXPECT_EQ(previewHost.shownCount, 0);
}

TEST_F(Payslips, PreparedPayslipsWriteAPdf)
{
    for (const Zamestnanec &z : kZamestnanci)
        insertVyp(z.code, 200703, {{"N_brutto", z.brutto}, {"N_netto", z.netto}});
    const rpt::PreparedReport &r = run(200703);
    ASSERT_EQ(r.pageCount(), 3);
    QTemporaryDir dir;
    const QString file = dir.filePath("pasky.pdf");
    QString error;
    ASSERT_TRUE(rpt::writePdf(r, file, &error)) << error.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_GT(f.size(), 1000);
}

TEST_F(Payslips, FailingHolidayQueryLeavesTheEntitlement)
{
    insertVyp(1, 200703, {{"V_holiday", 1}, {"N_brutto", 500}});
    Spusti_zostavu(request(200703), [] {
        auto form = std::make_unique<TReportVP2005A>();
        form->Q2_.setSql("select sum(v_holiday) holiday_cerpane from chyba_tabulka where code_emp=:code_emp");
        return std::unique_ptr<TReport>(std::move(form));
    });
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(previewHost.last.pageCount(), 1);
    EXPECT_EQ(textOf(previewHost.last.pages[0], "QRDB_CALC_DOVOLENKA"), "27 / ");
    EXPECT_EQ(textOf(previewHost.last.pages[0], "QRDB_N_brutto"), "500,00");
}
