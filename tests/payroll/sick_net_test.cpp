// Step 15 (net daily wage, sickness and state benefits), steps 18 and 20 (net pay,
// savings, payout) and the whole calculation of a typical month.
#include "payroll_fixtures.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

PayRecord benefitsRecord(int period)
{
    PayRecord r;
    r.V_obdobie = period;
    r.F_pn1 = 25;
    r.F_pn2 = 55;
    r.V_pn1 = 3;
    r.V_pn2 = 4;
    r.V_ocr1 = 2.5;
    r.V_materska = 10;
    r.U_materska = true;
    r.Nd_rodic = 3000;
    r.Nd_pridavky = 540;
    r.Nd_ine = 100;
    return r;
}

} // namespace

TEST(PayrollStep15, NetDailyWageFromEarnings)
{
    // 21740 of earnings; 870 + 302 + 870 + 218 of contributions (sickness base capped at
    // 21548); tax 19 % of 19480 - 3000 = 3131.20, up to whole tens 3140;
    // (21740 - 3140) / 21.74 = 855.5657 -> 855.57.
    CalcContext c = demoContext(200306);
    PayRecord r = benefitsRecord(200306);
    r.U_zdrav = r.U_nemoc = r.U_dochod = r.U_fondzam = 1;
    r.F_zdravot = 4;
    r.F_nemoc = 1.4;
    r.F_dochod = 4;
    r.F_fondz = 1;
    r.V_plat = 15000;
    r.Nc_spolu = 3000;
    EXPECT_EQ(Poistne_pre_cistu_dennu_mzdu(r, c, 21740), 2260);
    EXPECT_EQ(Dan_pre_cistu_dennu_mzdu(r, c, 21740 - 2260), 3140);
    EXPECT_DOUBLE_EQ(Cista_denna_mzda_zo_zarobku(r, c, 21740), 855.57);

    r.V_plat = 0; // no base wage: no contributions lower the tax base
    // tax 19 % of 21740 - 3000 = 3560.60 -> 3570; 18170 / 21.74 = 835.7866
    EXPECT_DOUBLE_EQ(Cista_denna_mzda_zo_zarobku(r, c, 21740), 835.79);
}

TEST(PayrollStep15, NetDailyWageCases)
{
    struct Case {
        const char *what;
        int period;
        bool manual;
        double prhrmeza, entered, minWage, expected;
    } cases[] = {
        {"no tax, no insurance", 200312, false, 21740, 0, 0, 1000},
        {"earnings raised to the minimum wage", 200312, false, 5000, 0, 6080, 279.67},
        {"no earnings: the lower limit", 200312, false, 0, 0, 0, 150},
        {"entered by hand before 2004: unlimited", 200312, true, 21740, 2500, 0, 2500},
        {"from 2004 the entered value is limited above", 200401, false, 21740, 2500, 0, 2000},
        {"and below", 200401, false, 21740, 50, 0, 150},
    };
    for (const Case &k : cases) {
        CalcContext c = demoContext(k.period);
        c.taxBands.clear();
        c.setup.F_NEMMIN = 150;
        PayRecord r;
        r.V_obdobie = k.period;
        r.Nd_rucne = k.manual;
        r.PRHRMEZA = k.prhrmeza;
        r.Cista_denna_mzda = k.entered;
        r.F_min_mzda = k.minWage;
        Cista_denna_mzda(r, c);
        EXPECT_DOUBLE_EQ(r.Cista_denna_mzda, k.expected) << k.what;
    }
}

TEST(PayrollStep15, BenefitsOfAnEmployerWhoPaysThem)
{
    CalcContext c = demoContext(200412);
    c.firm.F_ND_POCITA = 1;
    PayRecord r = benefitsRecord(200412);
    r.Cista_denna_mzda = 855.57;
    Vypocet_nemocenskych_davok(r, c);
    EXPECT_EQ(r.V_pn, 7);
    EXPECT_EQ(r.V_ocr12, 2.5);
    EXPECT_DOUBLE_EQ(r.N_pn1, 641.68);      // 3 x 25 %
    EXPECT_DOUBLE_EQ(r.N_pn2, 1882.26);     // 4 x 55 %
    EXPECT_DOUBLE_EQ(r.N_ocr1, 534.74);     // 2.5 days x 25 %
    EXPECT_DOUBLE_EQ(r.N_ocr2, 0);
    EXPECT_NEAR(r.N_pn, 2523.94, 1e-9);
    EXPECT_DOUBLE_EQ(r.N_ocr, 534.74);
    EXPECT_DOUBLE_EQ(r.Nd_materska, 4705.64); // 10 x 55 %
    EXPECT_EQ(r.Nd_rodic, 0);                 // parental allowance not paid
    EXPECT_EQ(r.Nd_pridavky, 540);
    EXPECT_EQ(r.Nd_ine, 100);
    EXPECT_EQ(r.Nd_spolu, 8404);              // 8404.32 to whole crowns
}

TEST(PayrollStep15, NoBenefitsWhenTheEmployerDoesNotPayOrFrom2005)
{
    struct Case {
        int period, pays;
    } cases[] = {{200412, 0}, {200501, 1}, {200609, 1}};
    for (const Case &k : cases) {
        CalcContext c = demoContext(k.period);
        c.firm.F_ND_POCITA = k.pays;
        PayRecord r = benefitsRecord(k.period);
        r.U_rodic = true;
        r.Cista_denna_mzda = 855.57;
        Vypocet_nemocenskych_davok(r, c);
        EXPECT_EQ(r.V_pn, 7) << k.period;
        for (double v : {r.N_pn1, r.N_pn2, r.N_pn, r.N_ocr1, r.N_ocr2, r.N_ocr, r.Nd_materska,
                         r.Nd_rodic, r.Nd_pridavky, r.Nd_ine, r.Nd_spolu})
            EXPECT_EQ(v, 0) << k.period;
    }
}

TEST(PayrollStep18, NetPay)
{
    struct Case {
        double brutto, expected;
    } cases[] = {{12345.01, 12346}, {12345.00, 12345}, {-10.2, -11}};
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.N_brutto = k.brutto;
        Vypocet_cistej_mzdy(r, c);
        EXPECT_EQ(r.N_netto, k.expected) << k.brutto;
    }

    PayRecord r;
    r.N_brutto = 20000;
    r.N_poist = 2654;
    r.N_ddp = 360;
    r.D_preddavok = 2000;
    r.D_bonus_predpis = 1080;
    r.D_bonus_cerpany = 500; // edited by hand: replaced by the bonus due
    r.D_dan = 10;
    r.N_doplatok = 100;
    r.D_vyrovnanie = -200;
    r.Nd_spolu = 300;
    r.Vyrovnanie_zp = 50.5;
    Vypocet_cistej_mzdy(r, c);
    EXPECT_EQ(r.D_bonus_cerpany, 1080);
    EXPECT_EQ(r.N_netto, 16307); // 16306.50 up
}

TEST(PayrollStep20, SavingsAndPayout)
{
    struct Case {
        int sporPlat;
        double sporenie, expSporenie, expVyplata;
    } cases[] = {
        {1, 500, 10000, 0},      // the whole remainder to the account
        {0, 500, 500, 9500},
        {0, 12000, 12000, -2000}, // more than the remainder: negative payout
        {2, 500, 500, 9500},     // any value other than 1 behaves like 0
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.N_netto = 15000;
        r.Ne_zaloha = 2000;
        r.Ne_stravne = 500;
        r.Ne_pozicky = 1000;
        r.Ne_odborar = 100;
        r.Ne_poistovna = 400;
        r.Ne_exekucia = 1000;
        r.Spor_plat = k.sporPlat;
        r.Sporenie = k.sporenie;
        Vypocet_k_vyplate(r, c);
        EXPECT_EQ(r.Sporenie, k.expSporenie) << k.sporPlat << " " << k.sporenie;
        EXPECT_EQ(r.Vyplata, k.expVyplata) << k.sporPlat << " " << k.sporenie;
    }
}

TEST(PayrollCalculation, TypicalMonthOf2005)
{
    const CalcContext c = demoContext(200503);
    PayRecord r = monthlyRecord(200503);
    Vypocet_vyplaty(r, c);
    EXPECT_EQ(r.V_kal_dni, 31);
    EXPECT_EQ(r.V_hodina, 168);
    EXPECT_EQ(r.V_plat, 18000);
    EXPECT_EQ(r.N_premie, 1800);
    EXPECT_EQ(r.N_mzda, 19800);
    EXPECT_NEAR(r.V_priemer1, 19800.0 / 168, 1e-9);
    EXPECT_EQ(r.N_brutto, 19800);
    EXPECT_EQ(r.N_poist, 2654);
    EXPECT_EQ(r.Oz_zdravot, 1980);
    EXPECT_EQ(r.D_ciastzd1, 17146);
    EXPECT_EQ(r.Nc_spolu, 7328);
    EXPECT_EQ(r.D_zdanmzda1, 9818);
    EXPECT_EQ(r.D_preddavok, 1865);
    EXPECT_EQ(r.N_netto, 15281);
    EXPECT_EQ(r.Vyplata, 15281);
    EXPECT_EQ(r.Version, QStringLiteral("3.20H3"));
}
