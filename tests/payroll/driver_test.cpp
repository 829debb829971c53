// The calculation driver (step order, errors) and step 1 (parameters copied into the record).
#include "payroll_fixtures.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

TEST(PayrollDriver, RunsTheTwentyStepsInOrder)
{
    const char *expected[] = {
        "Kopiruj_parametre_vyplaty", "Vypocet_zakladnej_mzdy", "Vypocet_priplatkov",
        "Vypocet_premii", "Vypocet_suctu_mzdy", "Vypocet_hodinoveho_priemeru",
        "Vypocet_nahrad", "Vypocet_nahrady_za_dovolenku", "Vypocet_nahrady_za_sviatok",
        "Rozpocitaj_jednorazove_platby", "Vypocet_hrubej_mzdy", "Vypocet_poistneho",
        "Vypocet_ciastkoveho_zakladu_dane", "Vypocet_nezdanitelnych_castok",
        "Vypocet_nemocenskych_davok", "Vypocet_zdanitelnej_mzdy", "Vypocet_dane",
        "Vypocet_cistej_mzdy", "Vypocet_zrazok", "Vypocet_k_vyplate"};
    const auto &steps = calculationSteps();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(steps[i].number, i + 1);
        EXPECT_STREQ(steps[i].name, expected[i]);
    }
}

TEST(PayrollDriver, EqualsTheStepsRunOneAfterTheOther)
{
    const CalcContext c = demoContext(200609);
    PayRecord viaDriver = richRecord();
    PayRecord viaSteps = viaDriver;
    Vypocet_vyplaty(viaDriver, c);
    CalcResult result;
    for (const CalcStep &step : calculationSteps())
        step.run(viaSteps, c, result);
    EXPECT_EQ(viaDriver, viaSteps);
}

TEST(PayrollDriver, AStepErrorEndsTheCalculation)
{
    const CalcContext c = demoContext();
    PayRecord r = monthlyRecord();
    r.N_jednoraz1 = 1000;
    r.V_mesiace1 = 13; // step 10 refuses it; step 11 must not run
    r.N_brutto = -1;
    try {
        Vypocet_vyplaty(r, c);
        FAIL() << "no error";
    } catch (const tarix::EMyError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("jednorázová mzda 1"))) << e.text().toStdString();
    }
    EXPECT_EQ(r.N_brutto, -1);
    EXPECT_EQ(r.V_plat, 18000); // steps before it ran
}

TEST(PayrollStep1, CopiesEmployeeFirmAndYearParameters)
{
    CalcContext c = demoContext();
    c.employee.SID = 4;
    c.employee.ZPS = true;
    c.employee.ZTP = true;
    c.employee.Miera_poklesu = 45;
    c.employee.KZP = 25;
    c.employee.KDP = 3;
    c.employee.F_doba = 7.5;
    c.employee.Fixny_mv_plat = true;
    c.employee.Dan_nerezident = true;
    c.firm.F_ND_POCITA = 1;
    c.firm.F_TYP_PRIPL = 126;
    c.firm.F_TYP_PRIPL2 = 64;
    c.firm.F_FIRMA_ZPS = true;
    c.firm.F_TYP_ULAVY_SP = 2;
    c.firm.F_TYP_ULAVY_FZ = 3;
    c.firm.F_POISTNE = 0.6;
    c.setup.F_NEMMAX = 444.1973;
    PayRecord r = monthlyRecord();
    Kopiruj_parametre_vyplaty(r, c);

    EXPECT_EQ(r.SID, 4);
    EXPECT_TRUE(r.ZPS);
    EXPECT_TRUE(r.ZTP);
    EXPECT_EQ(r.Miera_poklesu, 45);
    EXPECT_EQ(r.KZP, 25);
    EXPECT_EQ(r.KDP, 3);
    EXPECT_EQ(r.F_doba, 7.5);
    EXPECT_TRUE(r.Fixny_mv_plat);
    EXPECT_TRUE(r.Dan_nerezident);
    EXPECT_EQ(r.F_dan_sadzba1, 19);
    EXPECT_EQ(r.F_dan_maximum1, 5000);
    EXPECT_EQ(r.F_nd_pocita, 1);
    EXPECT_EQ(r.F_nadcas, 25);
    EXPECT_EQ(r.F_sobota, 50);
    EXPECT_EQ(r.F_nedela, 50);
    EXPECT_EQ(r.F_sviatok, 100);
    EXPECT_EQ(r.F_noc, 20);
    EXPECT_EQ(r.F_skod, 10);
    EXPECT_EQ(r.F_priplat1, 15);
    EXPECT_EQ(r.F_priplat2, 12.5);
    EXPECT_EQ(r.F_pn_dni, 3);
    EXPECT_EQ(r.F_pn1, 25);
    EXPECT_EQ(r.F_pn2, 55);
    EXPECT_EQ(r.F_ocr, 55);
    EXPECT_EQ(r.F_nemmax, 444.1973);
    EXPECT_EQ(r.F_poistne, 0.6);
    EXPECT_EQ(r.F_typ_pripl, 126);
    EXPECT_EQ(r.F_typ_pripl2, 64);
    EXPECT_TRUE(r.F_firma_zps);
    EXPECT_EQ(r.F_typ_ulavy_sp, 2);
    EXPECT_EQ(r.F_typ_ulavy_fz, 3);
    EXPECT_EQ(r.F_zdravot, 4);
    EXPECT_EQ(r.F_nemoc, 1.4);
    EXPECT_EQ(r.F_dochod, 4);
    EXPECT_EQ(r.F_fondz, 1);
}

TEST(PayrollStep1, MinimumWageAndPensionSavingFrom200501)
{
    struct Case {
        int period;
        double minWage;
        int sds;
    } cases[] = {{200412, 1234, 0}, {200501, 6500, 1}, {200703, 6500, 1}};
    for (const Case &k : cases) {
        CalcContext c = demoContext(k.period);
        PayRecord r = monthlyRecord(k.period);
        r.F_min_mzda = 1234;
        r.U_sds = 5;
        Kopiruj_parametre_vyplaty(r, c);
        EXPECT_EQ(r.F_min_mzda, k.minWage) << k.period;
        EXPECT_EQ(r.U_sds, k.sds) << k.period;
    }
}

TEST(PayrollStep1, CalendarDaysFilledOnlyWhenZero)
{
    struct Case {
        int period;
        int entered;
        int expected;
    } cases[] = {{200402, 0, 29}, {200502, 0, 28}, {200504, 0, 30}, {200501, 0, 31},
                 {200002, 0, 29}, {200503, 25, 25}};
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r = monthlyRecord(k.period);
        r.V_kal_dni = k.entered;
        Kopiruj_parametre_vyplaty(r, c);
        EXPECT_EQ(r.V_kal_dni, k.expected) << k.period;
    }
}

TEST(PayrollStep1, ReliefFlagFollowsSicknessSettingOne)
{
    for (int nemocd : {0, 1, 2}) {
        CalcContext c = demoContext();
        c.firm.F_NEMOCD = nemocd;
        PayRecord r = monthlyRecord();
        Kopiruj_parametre_vyplaty(r, c);
        EXPECT_EQ(r.ZPS1, nemocd == 1) << nemocd;
    }
}

TEST(PayrollWithholdingQuestion, AskedOnlyForWithholdingTaxFrom2006AboveTheLimit)
{
    StatutoryParams p;
    p.set(31, 5000);
    PayRecord r;
    r.Dan_vyrovnana = 1;
    r.V_obdobie = 200601;
    r.D_ciastzd2 = 4000;
    r.N_poist = 1000;
    EXPECT_FALSE(withholdingTaxNeedsConfirmation(r, p)); // 5000 is not above the limit
    r.N_poist = 1000.01;
    EXPECT_TRUE(withholdingTaxNeedsConfirmation(r, p));
    r.V_obdobie = 200512;
    EXPECT_FALSE(withholdingTaxNeedsConfirmation(r, p)); // December 2005: never asked
    r.V_obdobie = 200601;
    r.N_poist = 0;
    r.U_nezdc = true;
    EXPECT_TRUE(withholdingTaxNeedsConfirmation(r, p));
    r.U_nezdc = false;
    r.D_bonus_cerpany = 540;
    EXPECT_TRUE(withholdingTaxNeedsConfirmation(r, p));
    r.Dan_vyrovnana = 0;
    EXPECT_FALSE(withholdingTaxNeedsConfirmation(r, p));
    EXPECT_TRUE(failsWithholdingTaxConditions(r, p)); // the tax split's test
    r.V_obdobie = 200512;
    EXPECT_TRUE(failsWithholdingTaxConditions(r, p));
}
