// Payroll records of 2007 for the demo firm, made as a clerk makes them and checked field
// by field against amounts worked out by hand.
//
// Values of 2007 (COMMON/ROK2007, data/seed/year/ROK2007.sql):
//   rates employee / employer: health 4 / 10 (disability 2 / 5), sickness 1.4 / 1.4,
//   old-age 4 / 14, unemployment 1 / 1, invalidity 3 / 3, accident - / 0.8,
//   reserve fund - / 4.75, guarantee - / 0.25;
//   maxima: health 51 822 (slot 19), sickness and guarantee 25 911 (20), old-age,
//   invalidity, reserve 51 822 (21), unemployment 51 822 (22); from 2004 the social maxima
//   are re-derived through the rounded daily value of the month's calendar days:
//   31 days: 51 822 / 31 = 1 671.677.. -> 1 671.68 x 31 = 51 822.08 -> 51 822,
//            25 911 / 31 =   835.838.. ->   835.84 x 31 = 25 911.04 -> 25 911;
//   28 days: 51 822 / 28 = 1 850.785.. -> 1 850.79 x 28 = 51 822.12 -> 51 822,
//            25 911 / 28 =   925.392.. ->   925.39 x 28 = 25 910.92 -> 25 911;
//   non-taxable amount 7 968 a month (23); tax bonus 540 a child, 555 from July (28);
//   withholding-tax limit 5 000 (31); one tax band of 19 %.
//   Rounding: base wage, premium, gross wage, surcharges, supplementary pension to the
//   nearest crown (pairs 0/2); contributions up to whole crowns (F_ZAODVOD 0/0, from 2006
//   without the cut to hellers except the employee's health); health base up to whole
//   crowns, the other bases cut; taxable wage, advance and withholding tax down to whole
//   crowns (0/1); net pay up to whole crowns; wage compensation in sickness up (ZAOKRUH4 0/0).
// Demo firm: premiums as a percentage of the base wage; 8-hour day; the employer pays no
// sickness benefits; guarantee insurance on agreements (F_ODSTUPM 1, from 200608);
// surcharges from the hourly average (slot 33 = 1 after opening).
#include "end_to_end_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using Payroll2007 = EndToEndTest<2007>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Payroll2007);

TEST_P(Payroll2007, MonthlyWageWithPremiumChildrenAndUnionDues)
{
    // January 2007: 22 working days, the clerk types the full month.
    post(kHudak, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kHudak, 200701, {
        {"V_fmes", 22},
        {"V_plat", 32000},        // 32 000 x 176 h / 8 h / 22 days = 32 000
        {"V_sadzba", 32000.0 / 176},
        {"N_premie", 3200},       // 10 % of 32 000
        {"N_mzda", 35200},
        {"V_priemer1", 200},      // no payroll in the previous quarter: 35 200 / 176 h
        {"N_brutto", 35200},
        // bases: 35 200 everywhere; sickness and guarantee capped at 25 911
        {"N_zaklad_zp", 35200}, {"N_prijem_zp", 35200}, {"N_zaklad_np", 25911},
        {"N_zaklad_dp", 35200}, {"N_zaklad_fz", 35200}, {"N_zaklad_ip", 35200},
        {"N_zaklad_up", 35200}, {"N_zaklad_rf", 35200}, {"N_zaklad_gp", 25911},
        {"O_zdravot", 1408},      // 4 % of 35 200 = 1 408.00
        {"Oz_zdravot", 3520},     // 10 % = 3 520
        {"O_nemoc", 363},         // 1.4 % of 25 911 = 362.754 -> 363
        {"Oz_nemoc", 363},
        {"O_dochod", 1408},       // 4 % of 35 200
        {"Oz_dochod", 4928},      // 14 %
        {"O_fondzam", 352},       // 1 %
        {"Oz_fondzam", 352},
        {"O_invalid", 1056},      // 3 %
        {"Oz_invalid", 1056},
        {"Oz_uraz", 282},         // 0.8 % of 35 200 = 281.60 -> 282
        {"Oz_rezerva", 1672},     // 4.75 % = 1 672.00
        {"Oz_garancne", 65},      // 0.25 % of 25 911 = 64.7775 -> 65
        {"N_poist", 4587},        // 1 408 + 363 + 1 408 + 352 + 1 056
        {"N_poist1", 4587}, {"N_poist3", 0},
        {"D_ciastzd1", 30613},    // 35 200 - 4 587
        {"D_ciastzd", 30613},
        {"Nc_minimum", 7968}, {"Nc_spolu", 7968},
        {"D_zdanmzda1", 22645},   // 30 613 - 7 968
        {"D_preddavok1", 4302},   // 19 % of 22 645 = 4 302.55 -> 4 302
        {"D_preddavok", 4302},
        {"D_dan", 0},
        {"D_bonus_predpis", 1080}, // two children x 540
        {"D_bonus_cerpany", 1080},
        {"Nd_pridavky", 0},       // child allowances are not paid by this employer
        {"Nd_spolu", 0},
        {"N_netto", 27391},       // 35 200 - 4 587 - 4 302 + 1 080
        {"Ne_odborar", 150},      // standing union dues
        {"Sporenie", 27241},      // the whole rest to the account: 27 391 - 150
        {"Vyplata", 0},
    });
    EXPECT_DOUBLE_EQ(deductionAmount(kHudak, 200701, "O"), 150);
}

TEST_P(Payroll2007, ThreeChildrenTakeTheJulyTaxBonus)
{
    // July 2007: 21 working days; the tax bonus is 555 a child from July.
    setPeriod(7);
    post(kSykorova, {{"V_den", 21}, {"V_hodina", 168}});
    expectStored(kSykorova, 200707, {
        {"V_plat", 24500},        // 24 500 x 168 / 8 / 21
        {"N_premie", 0},
        {"N_brutto", 24500},
        {"N_zaklad_zp", 24500}, {"N_zaklad_np", 24500}, {"N_zaklad_gp", 24500}, // below 25 911
        {"O_zdravot", 980},       // 4 % of 24 500
        {"Oz_zdravot", 2450},
        {"O_nemoc", 343},         // 1.4 % = 343.00
        {"Oz_nemoc", 343},
        {"O_dochod", 980},        // no child reduction of the old-age rate after 2005
        {"Oz_dochod", 3430},
        {"O_fondzam", 245}, {"Oz_fondzam", 245},
        {"O_invalid", 735}, {"Oz_invalid", 735},
        {"Oz_uraz", 196},         // 0.8 % = 196.00
        {"Oz_rezerva", 1164},     // 4.75 % = 1 163.75 -> 1 164
        {"Oz_garancne", 62},      // 0.25 % = 61.25 -> 62
        {"N_poist", 3283},        // 980 + 343 + 980 + 245 + 735
        {"D_ciastzd1", 21217},    // 24 500 - 3 283
        {"D_zdanmzda1", 13249},   // 21 217 - 7 968
        {"D_preddavok", 2517},    // 19 % = 2 517.31 -> 2 517
        {"D_bonus_predpis", 1665}, // 3 x 555
        {"D_bonus_cerpany", 1665},
        {"N_netto", 20365},       // 24 500 - 3 283 - 2 517 + 1 665
        {"Sporenie", 20365},
        {"Vyplata", 0},
    });
}

TEST_P(Payroll2007, HourlyWageWithAPaidPublicHoliday)
{
    // January 2007: 22 working days of 8 hours at 95 an hour, and 1 January (a Monday)
    // paid as a public holiday.
    post(kCierny, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kCierny, 200701, {
        {"V_sadzba", 95},
        {"V_plat", 16720},        // 95 x 176
        {"N_mzda", 16720},
        {"V_priemer1", 95},       // 16 720 / 176
        {"V_sviatok", 1},
        {"N_sviatok", 760},       // 1 day x 95 (hourly average) x 8 h
        {"N_brutto", 17480},      // 16 720 + 760
        {"N_zaklad_zp", 17480}, {"N_zaklad_np", 17480}, {"N_zaklad_up", 17480},
        {"O_zdravot", 700},       // 4 % of 17 480 = 699.20 -> 700
        {"Oz_zdravot", 1748},
        {"O_nemoc", 245},         // 1.4 % = 244.72 -> 245
        {"Oz_nemoc", 245},
        {"O_dochod", 700},        // 4 % = 699.20 -> 700
        {"Oz_dochod", 2448},      // 14 % = 2 447.20 -> 2 448
        {"O_fondzam", 175},       // 1 % = 174.80 -> 175
        {"Oz_fondzam", 175},
        {"O_invalid", 525},       // 3 % = 524.40 -> 525
        {"Oz_invalid", 525},
        {"Oz_uraz", 140},         // 0.8 % = 139.84 -> 140
        {"Oz_rezerva", 831},      // 4.75 % = 830.30 -> 831
        {"Oz_garancne", 44},      // 0.25 % = 43.70 -> 44
        {"N_poist", 2345},        // 700 + 245 + 700 + 175 + 525
        {"D_ciastzd1", 15135},    // 17 480 - 2 345
        {"D_zdanmzda1", 7167},    // 15 135 - 7 968
        {"D_preddavok", 1361},    // 19 % = 1 361.73 -> 1 361
        {"D_bonus_cerpany", 0},
        {"N_netto", 13774},       // 17 480 - 2 345 - 1 361
        {"Sporenie", 13774},
        {"Vyplata", 0},
    });
}

TEST_P(Payroll2007, HourlyWageWithChildAndAnExecutionOfNetPay)
{
    // March 2007: 22 working days at 110.50 an hour; the execution of 20 % of the net
    // pay runs from March.
    setPeriod(3);
    post(kZeman, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kZeman, 200703, {
        {"V_plat", 19448},        // 110.50 x 176
        {"V_priemer1", 110.5},    // nothing in October to December 2006: 19 448 / 176
        {"N_brutto", 19448},
        {"O_zdravot", 778},       // 4 % of 19 448 = 777.92 -> 778
        {"Oz_zdravot", 1945},     // 10 % = 1 944.80 -> 1 945
        {"O_nemoc", 273},         // 1.4 % = 272.272 -> 273
        {"Oz_nemoc", 273},
        {"O_dochod", 778},
        {"Oz_dochod", 2723},      // 14 % = 2 722.72 -> 2 723
        {"O_fondzam", 195},       // 1 % = 194.48 -> 195
        {"Oz_fondzam", 195},
        {"O_invalid", 584},       // 3 % = 583.44 -> 584
        {"Oz_invalid", 584},
        {"Oz_uraz", 156},         // 0.8 % = 155.584 -> 156
        {"Oz_rezerva", 924},      // 4.75 % = 923.78 -> 924
        {"Oz_garancne", 49},      // 0.25 % = 48.62 -> 49
        {"N_poist", 2608},        // 778 + 273 + 778 + 195 + 584
        {"D_ciastzd1", 16840},    // 19 448 - 2 608
        {"D_zdanmzda1", 8872},    // 16 840 - 7 968
        {"D_preddavok", 1685},    // 19 % = 1 685.68 -> 1 685
        {"D_bonus_cerpany", 540}, // one child in March
        {"N_netto", 15695},       // 19 448 - 2 608 - 1 685 + 540
        {"Ne_exekucia", 3139},    // 20 % of 15 695 = 3 139.00
        {"Sporenie", 12556},      // 15 695 - 3 139
        {"Vyplata", 0},
    });
    EXPECT_DOUBLE_EQ(deductionAmount(kZeman, 200703, "X"), 3139);
}

TEST_P(Payroll2007, SickLeaveInTheMonth)
{
    // February 2007 (20 working days, 28 calendar days): sick from Monday 5.2. to Friday
    // 16.2., 10 working days (3 first and 7 further days typed). The employer's wage
    // compensation covers calendar days 1 to 10: days 1-3 (5.-7.2.) at 25 % and days
    // 4-10 (8.-14.2.) at 55 % of the daily base 520.5479 of the employee card. Worked:
    // 10 days, 80 hours.
    setPeriod(2);
    post(kCierny, {{"V_den", 10}, {"V_hodina", 80}, {"V_pn1", 3}, {"V_pn2", 7},
                   {"V_nahrada_pn1", 3}, {"V_nahrada_pn2", 7}});
    expectStored(kCierny, 200702, {
        {"V_plat", 7600},         // 95 x 80
        {"V_priemer2", 520.5479},
        {"N_nahrada_pn", 2396},   // 3 x 520.5479 x 25 % = 390.41 -> 391; 7 x 520.5479 x 55 % = 2 004.11 -> 2 005
        {"N_brutto", 9996},       // 7 600 + 2 396
        {"V_pn", 10},
        // the compensation is no assessment base; the health maximum shortened to 10 of
        // 20 working days (2 591.10 x 10 = 25 911) does not bite
        {"N_zaklad_zp", 7600}, {"N_zaklad_np", 7600}, {"N_zaklad_dp", 7600}, {"N_zaklad_up", 7600},
        {"O_zdravot", 304},       // 4 % of 7 600
        {"Oz_zdravot", 760},
        {"O_nemoc", 107},         // 1.4 % = 106.40 -> 107
        {"Oz_nemoc", 107},
        {"O_dochod", 304}, {"Oz_dochod", 1064},
        {"O_fondzam", 76}, {"Oz_fondzam", 76},
        {"O_invalid", 228}, {"Oz_invalid", 228},
        {"Oz_uraz", 61},          // 0.8 % = 60.80 -> 61
        {"Oz_rezerva", 361},      // 4.75 % = 361.00
        {"Oz_garancne", 19},      // 0.25 % = 19.00
        {"N_poist", 1019},        // 304 + 107 + 304 + 76 + 228
        {"D_ciastzd1", 6581},     // 9 996 - 1 019 - 2 396 (the compensation is not taxed)
        {"D_zdanmzda1", 0},       // 6 581 - 7 968 < 0
        {"D_preddavok", 0},
        {"Nd_spolu", 0},          // sickness benefit from day 11 is paid by the insurer
        {"N_netto", 8977},        // 9 996 - 1 019
        {"Sporenie", 8977},
    });
}

TEST_P(Payroll2007, DisabilityPaysTheReducedHealthRates)
{
    // January 2007, full month; a decline of earning capacity of 55 % (at least 40.01 %).
    post(kCibula, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kCibula, 200701, {
        {"V_plat", 17500},
        {"N_brutto", 17500},
        {"F_zdravot", 2}, {"Fz_zdravot", 5},
        {"O_zdravot", 350},       // 2 % of 17 500
        {"Oz_zdravot", 875},      // 5 %
        {"O_nemoc", 245}, {"Oz_nemoc", 245},   // 1.4 % = 245.00
        {"O_dochod", 700}, {"Oz_dochod", 2450},
        {"O_fondzam", 175}, {"Oz_fondzam", 175},
        {"O_invalid", 525}, {"Oz_invalid", 525},
        {"Oz_uraz", 140},
        {"Oz_rezerva", 832},      // 4.75 % = 831.25 -> 832
        {"Oz_garancne", 44},      // 0.25 % = 43.75 -> 44
        {"N_poist", 1995},        // 350 + 245 + 700 + 175 + 525
        {"D_ciastzd1", 15505},
        {"D_zdanmzda1", 7537},    // 15 505 - 7 968
        {"D_preddavok", 1432},    // 19 % = 1 432.03 -> 1 432
        {"N_netto", 14073},       // 17 500 - 1 995 - 1 432
    });
}

TEST_P(Payroll2007, AgreementWorkerTaxedByWithholding)
{
    // January 2007: 4 000 for a work-performance agreement; no hours of regular work.
    // The card marks withholding tax; health counts agreements (U_ZDRAV1 1), the social
    // funds do not; the firm pays the guarantee fund on agreements from 200608.
    post(kHorvathova, {{"V_den", 0}, {"V_hodina", 0}, {"N_dohody_ovp", 4000}});
    expectStored(kHorvathova, 200701, {
        {"V_plat", 0},
        {"N_brutto", 4000},
        {"Dan_vyrovnana", 1},
        {"N_zaklad_zp", 4000}, {"N_zaklad_np", 0}, {"N_zaklad_dp", 0},
        {"N_zaklad_up", 4000}, {"N_zaklad_gp", 4000},
        {"O_zdravot", 160},       // 4 % of 4 000
        {"Oz_zdravot", 400},
        {"O_nemoc", 0}, {"O_dochod", 0}, {"O_fondzam", 0}, {"O_invalid", 0},
        {"Oz_nemoc", 0}, {"Oz_dochod", 0}, {"Oz_fondzam", 0}, {"Oz_invalid", 0}, {"Oz_rezerva", 0},
        {"Oz_uraz", 32},          // 0.8 % of 4 000
        {"U_garancne", 1},
        {"Oz_garancne", 10},      // 0.25 % of 4 000
        {"N_poist", 160},
        {"D_ciastzd1", 0},
        {"D_ciastzd2", 3840},     // 4 000 - 160, all of it to the withholding tax
        {"D_ciastzd", 0},
        {"Nc_spolu", 0},          // no declaration signed
        {"D_zdanmzda1", 0},
        {"D_zdanmzda2", 3840},
        {"D_dan", 729},           // 19 % of 3 840 = 729.60 -> 729
        {"D_preddavok", 0},
        {"N_netto", 3111},        // 4 000 - 160 - 729
        {"Sporenie", 0},
        {"Vyplata", 3111},        // paid in cash
    });
    EXPECT_TRUE(scripted.questions().isEmpty()); // 3 840 + 160 is within the limit of 5 000
}

TEST_P(Payroll2007, AgreementAboveTheWithholdingLimitTakesTheAdvance)
{
    // February 2007: 6 000 for the agreement; above the limit of 5 000 the clerk clears
    // "Zrážka tax_blocks" and the advance is taken, without a non-taxable amount.
    setPeriod(2);
    post(kHorvathova, {{"V_den", 0}, {"V_hodina", 0}, {"N_dohody_ovp", 6000}, {"Dan_vyrovnana", 0}});
    expectStored(kHorvathova, 200702, {
        {"N_brutto", 6000},
        {"O_zdravot", 240},       // 4 % of 6 000
        {"Oz_zdravot", 600},
        {"Oz_uraz", 48},          // 0.8 %
        {"Oz_garancne", 15},      // 0.25 %
        {"N_poist", 240},
        {"D_ciastzd1", 5760},     // 6 000 - 240
        {"D_ciastzd2", 0},
        {"D_zdanmzda1", 5760},
        {"D_preddavok", 1094},    // 19 % = 1 094.40 -> 1 094
        {"D_dan", 0},
        {"N_netto", 4666},        // 6 000 - 240 - 1 094
        {"Vyplata", 4666},
    });
}

TEST_P(Payroll2007, FixedWageAboveEveryMaximumWithSupplementaryPension)
{
    // January 2007: the fixed monthly wage of 85 000; supplementary pension 2 % from the
    // employee and 3 % from the employer, of the gross wage (slot 26 = 1).
    post(kKovac, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kKovac, 200701, {
        {"V_plat", 85000},
        {"N_brutto", 85000},
        {"N_ddp", 1700},          // 2 % of 85 000
        {"Nz_ddp", 2550},         // 3 % of 85 000
        {"N_prijem_zp", 87550},   // 85 000 + the employer's 2 550 (health base from 200509)
        {"N_zaklad_zp", 51822},   // capped
        {"N_zaklad_dp", 51822}, {"N_zaklad_ip", 51822}, {"N_zaklad_fz", 51822}, {"N_zaklad_rf", 51822},
        {"N_zaklad_np", 25911}, {"N_zaklad_gp", 25911},
        {"N_zaklad_up", 85000},   // accident insurance has no maximum
        {"O_zdravot", 2073},      // 4 % of 51 822 = 2 072.88 -> 2 073
        {"Oz_zdravot", 5183},     // 10 % = 5 182.20 -> 5 183
        {"O_nemoc", 363},         // 1.4 % of 25 911 = 362.754 -> 363
        {"Oz_nemoc", 363},
        {"O_dochod", 2073},
        {"Oz_dochod", 7256},      // 14 % of 51 822 = 7 255.08 -> 7 256
        {"O_fondzam", 519},       // 1 % = 518.22 -> 519
        {"Oz_fondzam", 519},
        {"O_invalid", 1555},      // 3 % = 1 554.66 -> 1 555
        {"Oz_invalid", 1555},
        {"Oz_uraz", 680},         // 0.8 % of 85 000
        {"Oz_rezerva", 2462},     // 4.75 % of 51 822 = 2 461.545 -> 2 462
        {"Oz_garancne", 65},      // 0.25 % of 25 911 = 64.7775 -> 65
        {"N_poist", 6583},        // 2 073 + 363 + 2 073 + 519 + 1 555
        {"D_ciastzd1", 80967},    // 85 000 + 2 550 (employer's pension saving is taxed) - 6 583
        {"D_zdanmzda1", 72999},   // 80 967 - 7 968
        {"D_preddavok", 13869},   // 19 % = 13 869.81 -> 13 869
        {"N_netto", 62848},       // 85 000 - 6 583 - 1 700 - 13 869
        {"Ne_poistovna", 700},    // life insurance
        {"Ne_exekucia", 1000},    // building savings
        {"Sporenie", 61148},      // 62 848 - 700 - 1 000
        {"Vyplata", 0},
    });
}

TEST_P(Payroll2007, HolidayAndPublicHolidayPayAtTheAverageOfThePreviousQuarter)
{
    // January: 176 hours and 8 of overtime (25 % of the average 95 = 190);
    // February: the sick month of 80 hours; March: 176 hours.
    post(kCierny, {{"V_den", 22}, {"V_hodina", 184}, {"Vh_nadcas", 8}});
    setPeriod(2);
    post(kCierny, {{"V_den", 10}, {"V_hodina", 80}, {"V_pn1", 3}, {"V_pn2", 7},
                   {"V_nahrada_pn1", 3}, {"V_nahrada_pn2", 7}});
    setPeriod(3);
    post(kCierny, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kCierny, 200701, {{"N_mzda", 17670}, {"Vp_nadcas", 190}}); // 95 x 184 + 190
    expectStored(kCierny, 200702, {{"N_mzda", 7600}});
    expectStored(kCierny, 200703, {{"N_mzda", 16720}});

    // April 2007: 19 working days; 6.4. and 9.4. paid as public holidays; 14 days
    // (112 hours) worked and 5 days of holiday. The hourly average of January to March:
    // (17 670 + 7 600 + 16 720) / ((184 - 8) + 80 + 176) = 41 990 / 432 = 97.199074...
    setPeriod(4);
    post(kCierny, {{"V_den", 14}, {"V_hodina", 112}, {"V_holiday", 5}});
    const double average = 41990.0 / 432;
    expectStored(kCierny, 200704, {
        {"V_priemer1", average},
        {"V_plat", 10640},        // 95 x 112
        {"N_holiday", 3888},      // 97.199074 x 5 days x 8 h = 3 887.96 -> 3 888
        {"V_sviatok", 2},
        {"N_sviatok", 1555},      // 2 x 97.199074 x 8 = 1 555.19 -> 1 555
        {"N_brutto", 16083},      // 10 640 + 3 888 + 1 555
        {"N_zaklad_zp", 16083}, {"N_zaklad_np", 16083},
        {"O_zdravot", 644},       // 4 % = 643.32 -> 644
        {"Oz_zdravot", 1609},     // 10 % = 1 608.30 -> 1 609
        {"O_nemoc", 226},         // 1.4 % = 225.162 -> 226
        {"Oz_nemoc", 226},
        {"O_dochod", 644},
        {"Oz_dochod", 2252},      // 14 % = 2 251.62 -> 2 252
        {"O_fondzam", 161},       // 160.83 -> 161
        {"O_invalid", 483},       // 482.49 -> 483
        {"Oz_uraz", 129},         // 0.8 % = 128.664 -> 129
        {"Oz_rezerva", 764},      // 4.75 % = 763.9425 -> 764
        {"Oz_garancne", 41},      // 0.25 % = 40.2075 -> 41
        {"N_poist", 2158},        // 644 + 226 + 644 + 161 + 483
        {"D_ciastzd1", 13925},    // 16 083 - 2 158
        {"D_zdanmzda1", 5957},    // 13 925 - 7 968
        {"D_preddavok", 1131},    // 19 % = 1 131.83 -> 1 131
        {"N_netto", 12794},       // 16 083 - 2 158 - 1 131
    });
}

TEST_P(Payroll2007, NewEmployeeFromTheMiddleOfTheMonth)
{
    // Hired on Monday 15.1.2007: 13 working days (104 hours) of January; the clerk clears
    // the public holiday of 1.1. (before the employment) and enters 14 calendar days
    // without insurance. The social maxima shrink to 17 of 31 days
    // (1 671.68 x 17 = 28 418.56 -> 28 419 and 835.84 x 17 = 14 209.28 -> 14 209), which
    // the wage does not reach.
    post(kZeman, {{"V_den", 13}, {"V_hodina", 104}, {"V_sviatok", 0}, {"V_nepoisteny", 14}});
    expectStored(kZeman, 200701, {
        {"V_plat", 11492},        // 110.50 x 104
        {"N_sviatok", 0},
        {"N_brutto", 11492},
        {"N_zaklad_np", 11492}, {"N_zaklad_dp", 11492}, {"N_zaklad_gp", 11492},
        {"O_zdravot", 460},       // 4 % = 459.68 -> 460
        {"Oz_zdravot", 1150},     // 10 % = 1 149.20 -> 1 150
        {"O_nemoc", 161},         // 1.4 % = 160.888 -> 161
        {"O_dochod", 460},
        {"Oz_dochod", 1609},      // 14 % = 1 608.88 -> 1 609
        {"O_fondzam", 115},       // 114.92 -> 115
        {"O_invalid", 345},       // 344.76 -> 345
        {"Oz_uraz", 92},          // 0.8 % = 91.936 -> 92
        {"Oz_rezerva", 546},      // 4.75 % = 545.87 -> 546
        {"Oz_garancne", 29},      // 0.25 % = 28.73 -> 29
        {"N_poist", 1541},        // 460 + 161 + 460 + 115 + 345
        {"D_ciastzd1", 9951},     // 11 492 - 1 541
        {"D_zdanmzda1", 1983},    // 9 951 - 7 968
        {"D_preddavok", 376},     // 19 % = 376.77 -> 376
        {"D_bonus_cerpany", 540},
        {"N_netto", 10115},       // 11 492 - 1 541 - 376 + 540
        {"Ne_exekucia", 0},       // the execution starts in March
        {"Sporenie", 10115},
    });
}

TEST_P(Payroll2007, AClerksCorrectionAndTheMonthsRecalculation)
{
    post(kHudak, {{"V_den", 22}, {"V_hodina", 176}});
    post(kCierny, {{"V_den", 22}, {"V_hodina", 176}});
    post(kKovac, {{"V_den", 22}, {"V_hodina", 176}});

    // The clerk opens Hudák's January payroll again and adds a reward of 5 000. The
    // hourly average of the first post (200) was derived, so it is derived again.
    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.findKey({kHudak.codeEmp, 200701}));
    t.edit();
    t.setValue("N_odmeny", 5000);
    t.post();
    const auto corrected = std::initializer_list<Expected>{
        {"V_priemer1", 40200.0 / 176},
        {"N_mzda", 40200},        // 32 000 + 3 200 + 5 000
        {"N_brutto", 40200},
        {"N_zaklad_zp", 40200}, {"N_zaklad_np", 25911},
        {"O_zdravot", 1608},      // 4 % of 40 200
        {"Oz_zdravot", 4020},
        {"O_nemoc", 363},         // still the sickness maximum
        {"O_dochod", 1608}, {"Oz_dochod", 5628},
        {"O_fondzam", 402}, {"O_invalid", 1206},
        {"Oz_uraz", 322},         // 0.8 % = 321.60 -> 322
        {"Oz_rezerva", 1910},     // 4.75 % = 1 909.50 -> 1 910
        {"N_poist", 5187},        // 1 608 + 363 + 1 608 + 402 + 1 206
        {"D_ciastzd1", 35013},    // 40 200 - 5 187
        {"D_zdanmzda1", 27045},   // 35 013 - 7 968
        {"D_preddavok", 5138},    // 19 % = 5 138.55 -> 5 138
        {"N_netto", 30955},       // 40 200 - 5 187 - 5 138 + 1 080
        {"Sporenie", 30805},      // 30 955 - 150
    };
    expectStored(kHudak, 200701, corrected);

    // Recalculating the month stores the very same records.
    const auto stored = [this] { return storedRows(session, "select * from \":tarix_data:vyp\" order by code_emp"); };
    const auto before = stored();
    scripted.answerYes(Msg(65135, "január 2007")).answerYes(Msg(65104, "január 2007"));
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 3);
    EXPECT_EQ(stored(), before);
    expectStored(kHudak, 200701, corrected);
    expectStored(kCierny, 200701, {{"N_brutto", 17480}, {"N_netto", 13774}});
    expectStored(kKovac, 200701, {{"N_brutto", 85000}, {"N_netto", 62848}});
}

TEST_P(Payroll2007, PartTimeMonthlyWageWithHalfDaysOfHoliday)
{
    // January 2007: a 4-hour day; 19.5 days (78 hours) worked and 2.5 days of holiday.
    post(kChudy, {{"V_den", 19.5}, {"V_hodina", 78}, {"V_holiday", 2.5}});
    expectStored(kChudy, 200701, {
        {"F_doba", 4},
        {"V_plat", 7977},         // 9 000 x 78 / 4 / 22 = 7 977.27 -> 7 977
        {"V_sadzba", 9000.0 / 88}, // the unrounded wage per hour: 7 977.27 / 78
        {"V_priemer1", 7977.0 / 78}, // 102.269..
        {"N_holiday", 1023},      // 102.269 x 2.5 days x 4 h = 1 022.69 -> 1 023
        {"N_brutto", 9000},       // 7 977 + 1 023
        {"N_zaklad_zp", 9000}, {"N_zaklad_np", 9000},
        {"O_zdravot", 360}, {"Oz_zdravot", 900},
        {"O_nemoc", 126}, {"Oz_nemoc", 126},  // 1.4 % = 126.00
        {"O_dochod", 360}, {"Oz_dochod", 1260},
        {"O_fondzam", 90}, {"O_invalid", 270},
        {"Oz_uraz", 72},
        {"Oz_rezerva", 428},      // 4.75 % = 427.50 -> 428
        {"Oz_garancne", 23},      // 0.25 % = 22.50 -> 23
        {"N_poist", 1206},        // 360 + 126 + 360 + 90 + 270
        {"D_ciastzd1", 7794},     // 9 000 - 1 206
        {"D_zdanmzda1", 0},       // below the non-taxable amount of 7 968
        {"D_preddavok", 0},
        {"N_netto", 7794},
    });
}

TEST_P(Payroll2007, LeaverWithSeverancePayAndNoPayrollAfterwards)
{
    // April 2007, the last month (employment ended 30.4.): 19 working days and a
    // severance pay of one monthly wage, 16 500, which is no assessment base but is taxed.
    setPeriod(4);
    post(kZiak, {{"V_den", 19}, {"V_hodina", 152}, {"N_odstupne", 16500}});
    expectStored(kZiak, 200704, {
        {"V_plat", 16500},
        {"N_brutto", 33000},      // 16 500 + 16 500
        {"N_zaklad_zp", 16500}, {"N_zaklad_np", 16500}, {"N_zaklad_up", 16500},
        {"O_zdravot", 660}, {"Oz_zdravot", 1650},
        {"O_nemoc", 231}, {"Oz_nemoc", 231},  // 1.4 % = 231.00
        {"O_dochod", 660}, {"Oz_dochod", 2310},
        {"O_fondzam", 165}, {"O_invalid", 495},
        {"Oz_uraz", 132},
        {"Oz_rezerva", 784},      // 4.75 % = 783.75 -> 784
        {"Oz_garancne", 42},      // 0.25 % = 41.25 -> 42
        {"N_poist", 2211},        // 660 + 231 + 660 + 165 + 495
        {"D_ciastzd1", 30789},    // 33 000 - 16 500 - 2 211 + the severance 16 500
        {"D_ciastzd3", 0},
        {"D_zdanmzda1", 22821},   // 30 789 - 7 968
        {"D_preddavok", 4335},    // 19 % = 4 335.99 -> 4 335
        {"N_netto", 26454},       // 33 000 - 2 211 - 4 335
    });

    // May: the employment has ended, no payroll can be made.
    setPeriod(5);
    dmv->setEmployee(kZiak.codeNumb, kZiak.codeEmp);
    try {
        dmv->TVYP_.insert();
        ADD_FAILURE() << "a payroll after the end of the employment";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65051));
    }
}

} // namespace
