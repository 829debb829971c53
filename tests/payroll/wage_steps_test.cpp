// Steps 2 to 11: base wage, surcharges, premium, wage sum, hourly average,
// compensations, holiday and public-holiday pay, one-off payments, gross wage.
#include "payroll_fixtures.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

// Runs steps 1 to `last` of the driver's table on the record.
void runSteps(PayRecord &r, const CalcContext &c, int last)
{
    CalcResult result;
    for (const CalcStep &step : calculationSteps())
        if (step.number <= last)
            step.run(r, c, result);
}

} // namespace

TEST(PayrollStep2, BaseWageHourlyRateAndHours)
{
    struct Case {
        const char *what;
        std::vector<double> pieceWork;
        double mvPlat;
        bool fixed;
        double hodina, den, doba;
        int fmes;
        double sadzba;
        double expPlat, expSadzba, expHodina;
    } cases[] = {
        {"piece-work before the monthly wage, no hours", {1000, 234.4}, 18000, false, 0, 0, 8, 21, 50,
         1234, 0, 0},
        {"piece-work rate from the unrounded wage", {1000, 234.4}, 0, false, 100, 0, 8, 21, 50,
         1234, 12.344, 100},
        {"monthly wage, hours from the days", {}, 18000, false, 0, 10.5, 8, 21, 0,
         9000, 9000.0 / 84, 84},
        {"monthly wage, the whole fund", {}, 18000, false, 168, 21, 8, 21, 0,
         18000, 18000.0 / 168, 168},
        {"monthly wage, rate from the unrounded wage", {}, 18000, false, 85, 0, 8, 21, 0,
         9107, 18000.0 * 85 / 168 / 85, 85},
        {"monthly wage without a working-day fund keeps the rate", {}, 18000, false, 100, 0, 8, 0, 55,
         0, 55, 100},
        {"monthly wage without daily hours keeps the rate", {}, 18000, false, 100, 0, 0, 21, 55,
         0, 55, 100},
        {"fixed monthly wage, no hours and no days", {}, 18000, true, 0, 0, 8, 21, 0,
         18000, 0, 0},
        {"hourly wage keeps its entered rate", {}, 0, false, 151.5, 19, 8, 21, 80.5,
         12196, 80.5, 151.5},
    };
    const CalcContext base = demoContext();
    for (const Case &k : cases) {
        CalcContext c = base;
        for (double sum : k.pieceWork)
            c.pieceWork.push_back({0, 1, 1, sum, sum});
        PayRecord r;
        r.V_obdobie = 200503;
        r.N_ukolova = 777; // replaced by the items' total (0 without items)
        r.MV_plat = k.mvPlat;
        r.Fixny_mv_plat = k.fixed;
        r.V_hodina = k.hodina;
        r.V_den = k.den;
        r.F_doba = k.doba;
        r.V_fmes = k.fmes;
        r.V_sadzba = k.sadzba;
        Vypocet_zakladnej_mzdy(r, c);
        EXPECT_DOUBLE_EQ(r.V_plat, k.expPlat) << k.what;
        EXPECT_NEAR(r.V_sadzba, k.expSadzba, 1e-9) << k.what;
        EXPECT_DOUBLE_EQ(r.V_hodina, k.expHodina) << k.what;
    }
}

TEST(PayrollStep2, PieceWorkTotalIsLeftAloneDuringTheImport)
{
    CalcContext c = demoContext();
    c.Rezim_importu = true;
    c.pieceWork.push_back({1, 1, 2.5, 3.33, 8.325});
    PayRecord r;
    r.N_ukolova = 500;
    Vypocet_zakladnej_mzdy(r, c);
    EXPECT_EQ(r.N_ukolova, 500);
    EXPECT_EQ(r.V_plat, 500);

    c.Rezim_importu = false;
    EXPECT_DOUBLE_EQ(Sucet_ukolovej_mzdy(c.pieceWork), 8.325);
    Vypocet_zakladnej_mzdy(r, c);
    EXPECT_DOUBLE_EQ(r.N_ukolova, 8.325);
    EXPECT_EQ(r.V_plat, 8);
}

namespace {

struct SurchargeCase {
    const char *what;
    int typPripl, typPripl2;
    double param33;
    double hodina;
    double fixed[6];
    double free[5];
};

PayRecord surchargeRecord()
{
    PayRecord r;
    r.V_obdobie = 200503;
    r.V_priemer1 = 120;
    r.V_plat = 16800;
    r.V_hodina = 160; // hourly base wage 105
    r.V_sadzba = 105.4;
    r.Vh_nadcas = 10;
    r.Vh_sobota = 8;
    r.Vh_nedela = 4;
    r.Vh_sviatok = 2;
    r.Vh_noc = 16;
    r.Vh_skod = 5;
    r.F_nadcas = 25;
    r.F_sobota = 50;
    r.F_nedela = 50;
    r.F_sviatok = 100;
    r.F_noc = 20;
    r.F_skod = 10;
    r.Vh_priplat1 = 4;
    r.Vh_priplat2 = 2;
    r.Vh_priplat5 = 1;
    r.F_priplat1 = 15;
    r.F_priplat2 = 12.5;
    r.F_priplat5 = 30;
    return r;
}

} // namespace

TEST(PayrollStep3, SurchargeKindsRatesAndBases)
{
    const SurchargeCase cases[] = {
        {"all percentages of the hourly average", 0, 0, 1.0, 160,
         {300, 480, 240, 240, 384, 60}, {72, 30, 0, 0, 36}},
        {"all percentages of the hourly base wage", 0, 0, 0.0, 160,
         {262.5, 420, 210, 210, 336, 52.5}, {72, 30, 0, 0, 36}},
        {"value 1 means all six per hour", 1, 0, 1.0, 160,
         {250, 400, 200, 200, 320, 50}, {72, 30, 0, 0, 36}},
        {"126: all six per hour", 126, 0, 1.0, 160,
         {250, 400, 200, 200, 320, 50}, {72, 30, 0, 0, 36}},
        {"64: only overtime per hour", 64, 0, 1.0, 160,
         {250, 480, 240, 240, 384, 60}, {72, 30, 0, 0, 36}},
        {"2: only harmful environment per hour", 2, 0, 1.0, 160,
         {300, 480, 240, 240, 384, 50}, {72, 30, 0, 0, 36}},
        {"only the low byte counts", 256 + 64, 0, 1.0, 160,
         {250, 480, 240, 240, 384, 60}, {72, 30, 0, 0, 36}},
        {"free surcharge 2 per hour", 0, 64, 1.0, 160,
         {300, 480, 240, 240, 384, 60}, {72, 25, 0, 0, 36}},
        {"1 has no special meaning for the free surcharges", 0, 1, 1.0, 160,
         {300, 480, 240, 240, 384, 60}, {72, 30, 0, 0, 36}},
        {"no hours worked for the hourly base: the fixed six are 0", 64, 0, 0.0, 0,
         {0, 0, 0, 0, 0, 0}, {72, 30, 0, 0, 36}},
    };
    const CalcContext base = demoContext();
    for (const SurchargeCase &k : cases) {
        CalcContext c = base;
        c.params.set(33, k.param33);
        PayRecord r = surchargeRecord();
        r.F_typ_pripl = k.typPripl;
        r.F_typ_pripl2 = k.typPripl2;
        r.V_hodina = k.hodina;
        Vypocet_priplatkov(r, c);
        const double fixed[6] = {r.Vp_nadcas, r.Vp_sobota, r.Vp_nedela, r.Vp_sviatok, r.Vp_noc, r.Vp_skod};
        const double free[5] = {r.Vp_priplat1, r.Vp_priplat2, r.Vp_priplat3, r.Vp_priplat4, r.Vp_priplat5};
        double sum = 0;
        for (int i = 0; i < 6; ++i) {
            EXPECT_DOUBLE_EQ(fixed[i], k.fixed[i]) << k.what << " kind " << i;
            sum += k.fixed[i];
        }
        for (int i = 0; i < 5; ++i) {
            EXPECT_DOUBLE_EQ(free[i], k.free[i]) << k.what << " free " << i;
            sum += k.free[i];
        }
        EXPECT_NEAR(r.N_priplat, sum, 1e-9) << k.what;
        EXPECT_EQ(r.N_nadcas, 1054) << k.what; // 10 h x 105.40 at whole crowns
    }
}

TEST(PayrollStep3, PerHourKindWithoutPercentageHoursNeedsNoBase)
{
    CalcContext c = demoContext();
    c.params.set(33, 0.0);
    PayRecord r;
    r.V_obdobie = 200503;
    r.F_typ_pripl = 64;
    r.Vh_nadcas = 10;
    r.F_nadcas = 25;
    r.F_sobota = 50; // percentage kind, but no Saturday hours
    Vypocet_priplatkov(r, c);
    EXPECT_EQ(r.Vp_nadcas, 250);
    EXPECT_EQ(r.N_nadcas, 0); // no hourly rate: no overtime base wage
}

TEST(PayrollStep3, AmountsRoundedByTheSurchargePair)
{
    const CalcContext c = demoContext();
    PayRecord r;
    r.V_obdobie = 200503;
    r.V_priemer1 = 100.27;
    r.Vh_nadcas = 3;
    r.F_nadcas = 25;
    r.Vh_noc = 1;
    r.F_noc = 20;
    Vypocet_priplatkov(r, c);
    EXPECT_DOUBLE_EQ(r.Vp_nadcas, 75.20); // 75.2025
    EXPECT_DOUBLE_EQ(r.Vp_noc, 20.05);    // 20.054
    EXPECT_DOUBLE_EQ(r.N_priplat, 95.25);
}

TEST(PayrollStep3, FirstCalculationAlreadyUsesTheDerivedHourlyAverage)
{
    // An hourly-paid record without an hourly average: 12160 base, 760 premium,
    // 1000 rewards, no surcharge that does not depend on the average. The average
    // settles at 13920 / 152, and the percentage surcharges use it in the first run.
    const CalcContext c = demoContext();
    PayRecord r = hourlyRecord();
    r.V_priemer1 = 0;
    runSteps(r, c, 6);
    const double average = 13920.0 / 152;
    EXPECT_NEAR(r.V_priemer1, average, 1e-9);
    EXPECT_DOUBLE_EQ(r.Vp_nadcas, 228.95);   // 10 h x 25 % of 91.5789
    EXPECT_DOUBLE_EQ(r.Vp_sobota, 366.32);   // 8 h x 50 %
    EXPECT_DOUBLE_EQ(r.Vp_noc, 293.05);      // 16 h x 20 %
    EXPECT_DOUBLE_EQ(r.Vp_priplat1, 54.95);  // 4 h x 15 %
    EXPECT_NEAR(r.N_priplat, 943.27, 1e-9);
    EXPECT_NEAR(r.N_mzda, 14863.27, 1e-9);

    PayRecord again = r;
    runSteps(again, c, 6);
    EXPECT_EQ(again, r);
}

TEST(PayrollStep4, PremiumByType)
{
    struct Case {
        int type;
        double rate, plat, hodina, before, expected;
    } cases[] = {
        {0, 1500.4, 18000, 168, 0, 1501},   // an amount, rounded up to whole crowns
        {1, 10, 18000, 168, 0, 1800},       // percent of the base wage
        {1, 7.5, 12345, 168, 0, 926},       // 925.875
        {2, 5, 18000, 152, 0, 760},         // rate per hour worked
        {3, 5, 18000, 152, 99.2, 100},      // unknown type: only rounded again
        {-1, 5, 18000, 152, 100, 100},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.F_typ_premii = k.type;
        r.F_sadzba_premii = k.rate;
        r.V_plat = k.plat;
        r.V_hodina = k.hodina;
        r.N_premie = k.before;
        Vypocet_premii(r, c);
        EXPECT_DOUBLE_EQ(r.N_premie, k.expected) << k.type << " " << k.rate;
    }
}

TEST(PayrollStep5And11, SurchargesJoinTheWageSumFrom200006ButAlwaysTheGross)
{
    const CalcContext c = demoContext();
    for (int period : {200005, 200006}) {
        PayRecord r;
        r.V_obdobie = period;
        r.V_plat = 10000;
        r.N_premie = 1000;
        r.N_odmeny = 200;
        r.N_priplat = 500;
        Vypocet_suctu_mzdy(r, c);
        Vypocet_hrubej_mzdy(r, c);
        EXPECT_EQ(r.N_mzda, period == 200005 ? 11200 : 11700) << period;
        EXPECT_EQ(r.N_brutto, 11700) << period;
    }
}

TEST(PayrollStep6, HourlyAverageOnlyWhenMissing)
{
    const CalcContext c = demoContext();
    PayRecord r;
    r.N_mzda = 1000;
    r.V_hodina = 160;
    Vypocet_hodinoveho_priemeru(r, c);
    EXPECT_EQ(r.V_priemer1, 6.25);
    r.V_hodina = 100;
    Vypocet_hodinoveho_priemeru(r, c);
    EXPECT_EQ(r.V_priemer1, 6.25);

    PayRecord none;
    none.N_mzda = 1000;
    Vypocet_hodinoveho_priemeru(none, c);
    EXPECT_EQ(none.V_priemer1, 0);
}

TEST(PayrollStep7To9, CompensationsHolidayAndPublicHolidayPay)
{
    struct Case {
        const char *what;
        double priemer1, mvPlat, sadzba, nemohol;
        double expNahradaPn, expNahrada, expNemohol, expHoliday, expSviatok;
    } cases[] = {
        // Sick-pay bands 384.2592 and 563.58016 rounded each up to hundredths.
        {"hourly-paid", 100.27, 0, 80, 60, 947.85, 802, 241, 2005, 802},
        {"monthly-paid: public holiday at the derived rate", 100.27, 18000, 18000.0 / 168, 60,
         947.85, 802, 241, 2005, 857},
        {"no hourly average", 0, 0, 80, 60, 947.85, 0, 0, 0, 0},
        {"no pay for prevented work", 100.27, 0, 80, 0, 947.85, 802, 0, 2005, 802},
    };
    const CalcContext base = demoContext();
    for (const Case &k : cases) {
        CalcContext c = base;
        c.firm.F_NEMOHOL = k.nemohol;
        PayRecord r;
        r.V_priemer1 = k.priemer1;
        r.V_priemer2 = 512.3456;
        r.V_nahrada_pn1 = 3;
        r.V_nahrada_pn2 = 2;
        r.F_pn1 = 25;
        r.F_pn2 = 55;
        r.Vh_nahrada = 8;
        r.Vh_nemohol = 4;
        r.V_holiday = 2.5;
        r.F_doba = 8;
        r.V_sviatok = 1;
        r.MV_plat = k.mvPlat;
        r.V_sadzba = k.sadzba;
        Vypocet_nahrad(r, c);
        Vypocet_nahrady_za_dovolenku(r, c);
        Vypocet_nahrady_za_sviatok(r, c);
        EXPECT_NEAR(r.N_nahrada_pn, k.expNahradaPn, 1e-9) << k.what;
        EXPECT_EQ(r.N_nahrada, k.expNahrada) << k.what;
        EXPECT_EQ(r.N_nemohol, k.expNemohol) << k.what;
        EXPECT_EQ(r.N_holiday, k.expHoliday) << k.what;
        EXPECT_EQ(r.N_sviatok, k.expSviatok) << k.what;
    }
}

TEST(PayrollStep8, HolidayPayHalvesGoToTheEvenCrown)
{
    const CalcContext c = demoContext();
    PayRecord r;
    r.V_priemer1 = 100.5;
    r.V_holiday = 1;
    r.F_doba = 5; // 502.5
    Vypocet_nahrady_za_dovolenku(r, c);
    EXPECT_EQ(r.N_holiday, 502);
}

TEST(PayrollStep10, LastPeriodOfOneOffPaymentsAndVersionStamp)
{
    struct Case {
        int period, months;
        double payment;
        int expected;
    } cases[] = {
        {200311, 3, 1200, 200401}, {200412, 12, 1200, 200511}, {200412, 1, 1200, 200412},
        {200501, 12, 1200, 200512}, {200412, 0, 1200, 0},
        {200412, 5, 0, 123456},   // no payment: the stored period is kept
        {200412, 5, -10, 123456},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        for (int which : {1, 2}) {
            PayRecord r;
            r.V_obdobie = k.period;
            (which == 1 ? r.N_jednoraz1 : r.N_jednoraz2) = k.payment;
            (which == 1 ? r.V_mesiace1 : r.V_mesiace2) = k.months;
            r.V_maxobd1 = r.V_maxobd2 = 123456;
            Rozpocitaj_jednorazove_platby(r, c);
            EXPECT_EQ(which == 1 ? r.V_maxobd1 : r.V_maxobd2, k.expected)
                << k.period << " " << k.months << " payment " << which;
            EXPECT_EQ(which == 1 ? r.V_maxobd2 : r.V_maxobd1, 123456);
        }
    }
    for (auto [before, after] : {std::pair{300, 300}, {100, 0}, {0, 0}}) {
        PayRecord r;
        r.Verzia = before;
        Rozpocitaj_jednorazove_platby(r, c);
        EXPECT_EQ(r.Verzia, after);
        EXPECT_EQ(r.Version, QStringLiteral("3.20H3"));
    }
}

TEST(PayrollStep10, MonthsOutsideZeroToTwelveAreRefusedForAPayment)
{
    const CalcContext c = demoContext();
    for (int months : {-1, 13}) {
        PayRecord r;
        r.V_obdobie = 200503;
        r.N_jednoraz2 = 500;
        r.V_mesiace2 = months;
        EXPECT_THROW(Rozpocitaj_jednorazove_platby(r, c), tarix::EMyError) << months;
        r.N_jednoraz2 = 0; // without a payment the months do not matter
        EXPECT_NO_THROW(Rozpocitaj_jednorazove_platby(r, c));
    }
}

TEST(PayrollStep11, GrossWageAddsTheEighteenComponentsAndRounds)
{
    const CalcContext c = demoContext();
    PayRecord r;
    double *components[] = {&r.V_plat, &r.N_premie, &r.N_odmeny, &r.N_clenovia_organov,
                            &r.N_priplat, &r.N_nahrada, &r.N_nemohol, &r.N_holiday,
                            &r.N_sviatok, &r.N_dohody_ovp, &r.N_dohody_opc, &r.N_socfond,
                            &r.N_pohotovost, &r.N_odstupne, &r.N_jednoraz1, &r.N_jednoraz2,
                            &r.N_nahrada_pn, &r.N_mimo_poistne};
    double expected = 0;
    for (int i = 0; i < 18; ++i) {
        *components[i] = (i + 1) * 100;
        expected += (i + 1) * 100;
    }
    r.N_mzda = 1e6;        // not a component
    r.N_mimo_poistne += 0.005; // rounded to hundredths, half to even
    Vypocet_hrubej_mzdy(r, c);
    EXPECT_DOUBLE_EQ(r.N_brutto, expected);
}

TEST(PayrollWageSteps, ZeroDivisorsLeaveNoInfiniteOrUndefinedAmount)
{
    CalcContext c = demoContext();
    c.params.set(33, 0.0);
    PayRecord r = hourlyRecord();
    r.MV_plat = 18000;
    r.V_fmes = 0;
    r.F_doba = 0;
    r.V_den = 0;
    r.V_hodina = 0;
    r.V_priemer1 = 0;
    runSteps(r, c, 11);
    QString bad;
    EXPECT_TRUE(allFinite(r, &bad)) << bad.toStdString();
    EXPECT_EQ(r.V_plat, 0);
    EXPECT_EQ(r.V_sadzba, 80); // nothing to derive it from: kept
    EXPECT_EQ(r.V_priemer1, 0);
}

TEST(PayrollWageSteps, ComputingAgainChangesNothing)
{
    for (int period : {200005, 200312, 200503, 200609}) {
        const CalcContext c = demoContext(period);
        for (PayRecord r : {monthlyRecord(period), hourlyRecord(period), richRecord(period)}) {
            r.V_hodina = 0;
            r.V_priemer1 = 0;
            runSteps(r, c, 11);
            PayRecord again = r;
            runSteps(again, c, 11);
            EXPECT_EQ(again, r) << period;
        }
    }
}
