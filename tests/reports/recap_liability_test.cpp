// The liability-insurance statements: POI before 200201 and POI2 from it, only in the last
// month of a quarter, for the whole firm; the premium cut to whole crowns with the minimum
// of parameter 18; POI2's amounts split into millions, thousands and units.
#include "recap_fixture.h"

#include "reports/recap/rexpoi.h"
#include "reports/recap/rexpoi2.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class Liability : public fixtures::RecapFirm {
protected:
    void SetUp() override
    {
        RecapFirm::SetUp();
        MyConsts::Parametre(18).Hodnota = 70;
        setInf("f_poistne=3.5");
    }
};

} // namespace

TEST_F(Liability, FormByPeriodAndTheQuarterItCovers)
{
    // The quarter's three months count, the month before does not; centre 7 counts too.
    for (int m : {200109, 200110, 200111, 200112, 200202, 200203})
        insertVyp(1, m, {{"N_brutto", 1000}, {"V_plat", 1000}, {"SID", m % 2 ? 7 : 1}});
    TMyReportParam p = request("POI", 200112);
    p.Stredisko_do = 1;   // the range is not used
    const rpt::PreparedPage *page = run(p);
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(textOf(*page, "QRL_poistovna"), "SLOVENSKÁ POISŤOVŇA, a.s.");
    EXPECT_EQ(textOf(*page, "n_brutto"), "3 000,00");
    EXPECT_EQ(textOf(*page, "QRLab_stvrtrok"), "4");
    EXPECT_EQ(textOf(*page, "QRLab_rok"), "2001");
    EXPECT_EQ(textOf(*page, "CALC_POISTNE"), "70");   // 10.5 raised to the minimum
    fixtures::expectWrittenAsPdf(previewHost.last, "POI");
    expectTextsFit(previewHost.last);

    page = run(request("POI", 200203));
    ASSERT_TRUE(page);
    EXPECT_EQ(textOf(*page, "QRL_poistovna"), "SOCIÁLNA POISŤOVŇA");
    EXPECT_EQ(textOf(*page, "QRLab_stvrtrok"), "1");
    EXPECT_EQ(textOf(*page, "QRLab_J"), "000");
    EXPECT_EQ(textOf(*page, "QRLab_T"), "2");     // 200201..200203: two records of 1 000

    const int shown = previewHost.shownCount;
    ParForm::Spusti_zostavu_podla_nazvu(request("POI", 200205));
    EXPECT_EQ(previewHost.shownCount, shown);
    EXPECT_TRUE(scripted.messages().join('\n').contains(
        "Uvedený výkaz je možné vytvárať iba v mesiacoch 3,6,9 a 12, teda posledný mesiac štvrťroka."))
        << scripted.messages().join('\n').toStdString();
}

TEST_F(Liability, PremiumIsCutToWholeCrownsWithTheMinimum)
{
    struct Case {
        double brutto, promile, minimum, poistne;
    };
    const Case cases[] = {
        {123456.70, 3.5, 70, 432},   // 432.098 cut off
        {10000, 2, 0, 20},           // exactly 20, although the binary product may fall below
        {10000, 2, 70, 70},          // raised to parameter 18
        {0, 3.5, 70, 70},            // an empty quarter pays the minimum
        {99999.99, 10, 0, 999},      // 999.9999 is not rounded up
    };
    for (const Case &c : cases)
        EXPECT_EQ(REXPOI::Poistne(c.brutto, c.promile, c.minimum), c.poistne) << c.brutto << " " << c.promile;

    // The quarter without records: count 0, premium = parameter 18.
    const REXPOI::PoiData u = REXPOI::computeFigures(session, 200306);
    EXPECT_EQ(u.pocet, 0);
    EXPECT_EQ(u.n_brutto, 0);
    EXPECT_EQ(u.poistne, 70);
}

TEST_F(Liability, TheTwoWaysOfCounting)
{
    // Older: employees with health insurance, the listed wage parts of the sickness-insured.
    insertVyp(1, 200109, {{"V_plat", 1000}, {"N_premie", 200}, {"N_brutto", 5000}, {"U_zdrav", 1}, {"U_nemoc", 1}});
    insertVyp(2, 200109, {{"V_plat", 3000}, {"N_brutto", 3000}, {"U_zdrav", 0}, {"U_nemoc", 0}});
    REXPOI::PoiData u = REXPOI::computeFigures(session, 200109);
    EXPECT_EQ(u.pocet, 1);
    EXPECT_EQ(u.n_brutto, 1200);
    // Newer: every employee, gross less the two kinds of agreements.
    insertVyp(1, 200209, {{"N_brutto", 5000}, {"N_dohody_ovp", 500}, {"N_dohody_opc", 300}, {"U_zdrav", 0}});
    insertVyp(2, 200209, {{"N_brutto", 3000}, {"U_nemoc", 0}});
    u = REXPOI::computeFigures(session, 200209);
    EXPECT_EQ(u.pocet, 2);
    EXPECT_EQ(u.n_brutto, 7200);
    EXPECT_EQ(u.poistne, 70);   // 25.2 -> 25, below the minimum
}

TEST_F(Liability, ThreeGroupSplit)
{
    struct Case {
        qint64 suma;
        const char *m, *t, *j;
    };
    const Case cases[] = {{1000500, "1", "000", "500"}, {25300, "", "25", "300"}, {700, "", "", "700"},
                          {0, "", "", ""},               {1234567, "1", "234", "567"}, {45000, "", "45", "000"},
                          {1000005, "1", "000", "005"}};
    for (const Case &c : cases) {
        const auto r = REXPOI2::Rozdel_na_trojice(c.suma);
        EXPECT_EQ(r[0], c.m) << c.suma;
        EXPECT_EQ(r[1], c.t) << c.suma;
        EXPECT_EQ(r[2], c.j) << c.suma;
    }
}

TEST_F(Liability, RateBoxes)
{
    struct Case {
        double promile;
        const char *wholeNumber, *stotiny;
    };
    const Case cases[] = {{5.2, "5", "20"}, {9.5, "9", "50"}, {3.0, "3", "00"}, {0.35, "0", "35"}, {7.05, "7", "05"}};
    for (const Case &c : cases) {
        const auto r = REXPOI2::rateInBoxes(c.promile);
        EXPECT_EQ(r[0], c.wholeNumber) << c.promile;
        EXPECT_EQ(r[1], c.stotiny) << c.promile;
    }
}

TEST_F(Liability, Poi2BoxesYearAndDataOnly)
{
    setInf("f_poistne=5.2");
    insertVyp(1, 201010, {{"N_brutto", 1234567.40}});
    TMyReportParam p = request("POI", 201012);
    p.Len_udaje = true;
    const rpt::PreparedPage *page = run(p);
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    // The whole year: 2010 never prints as "200" + "0".
    EXPECT_EQ(textOf(*page, "QRLab_Rok"), "2010");
    EXPECT_EQ(textOf(*page, "QRLab_stvrtrok"), "4");
    EXPECT_EQ(textOf(*page, "QRLab_M"), "1");
    EXPECT_EQ(textOf(*page, "QRLab_T"), "234");
    EXPECT_EQ(textOf(*page, "QRLab_J"), "567");
    EXPECT_EQ(textOf(*page, "QRLab_S1"), "5");
    EXPECT_EQ(textOf(*page, "QRLab_S2"), "20");
    // 1 234 567.40 x 5.2 per mille = 6 419.750 -> 6 419, in both rows.
    for (const char *k : {"2", "3"}) {
        EXPECT_EQ(textOf(*page, QString("QRLab_M") + k), "");
        EXPECT_EQ(textOf(*page, QString("QRLab_T") + k), "6");
        EXPECT_EQ(textOf(*page, QString("QRLab_J") + k), "419");
    }
    EXPECT_EQ(textOf(*page, "QR_Vykaz_Zostavil"), "Mária Šťastná");
    EXPECT_EQ(textOf(*page, "QRL_nadpis"), "<none>");

    ASSERT_TRUE(run(request("POI", 201012)));
    fixtures::expectWrittenAsPdf(previewHost.last, "POI2");
    expectTextsFit(previewHost.last);
}
