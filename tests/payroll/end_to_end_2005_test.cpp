// Payroll records of 2005 for the demo firm, made as a clerk makes them and checked field
// by field against amounts worked out by hand.
//
// Values of 2005 (COMMON/ROK2005, data/seed/year/ROK2005.sql), valid on 1 January:
//   rates employee / employer: health 4 / 10 (disability 2 / 5), sickness 1.4 / 1.4,
//   old-age 4 / 14 (the employee's rate less 0.5 a dependent child, slot 27),
//   unemployment 1 / 1, invalidity 3 / 3, accident - / 0.8, reserve fund - / 4.75,
//   guarantee - / 0.25;
//   maxima: health 43 095 (slot 19), sickness and guarantee 21 548 (20), old-age,
//   invalidity, reserve and unemployment 43 095 (21, 22); re-derived through the rounded
//   daily value of the month's calendar days:
//   31 days: 43 095 / 31 = 1 390.161.. -> 1 390.16 x 31 = 43 094.96 -> 43 095,
//            21 548 / 31 =   695.096.. ->   695.10 x 31 = 21 548.10 -> 21 548;
//   non-taxable amount 7 328 a month (23); tax bonus 400 a child, 450 from September (28);
//   no withholding tax on employment income (31 = 0); one tax band of 19 %.
//   Rounding: base wage, premium, gross wage, surcharges, supplementary pension to the
//   nearest crown; every contribution first cut to hellers, then up to whole crowns; the
//   employer's health share up to hellers until 200508 and to crowns from 200509; health
//   base up to crowns, the other bases cut; taxable wage and advance down to crowns; net
//   pay up to crowns; wage compensation in sickness up to crowns.
// Demo firm: premiums as a percentage of the base wage; 8-hour day; the employer pays no
// sickness benefits; surcharges of 25 % for overtime, from the hourly average (slot 33 = 1
// after opening).
#include "end_to_end_fixture.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using Payroll2005 = EndToEndTest<2005>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Payroll2005);

TEST_P(Payroll2005, MonthlyWageWithChildrenReducingTheOldAgeRate)
{
    // January 2005: 20 working days, full month. Two children with the tax bonus and the
    // reduction of the old-age rate.
    post(kHudak, {{"V_den", 20}, {"V_hodina", 160}});
    expectStored(kHudak, 200501, {
        {"V_fmes", 20},
        {"V_plat", 32000},        // 32 000 x 160 / 8 / 20
        {"N_premie", 3200},       // 10 %
        {"N_brutto", 35200},
        {"F_min_mzda", 6500},     // slot 30 from 200501
        {"U_sds", 1},             // the 2nd pillar from 200501
        {"Poc_nezaop_deti", 2},
        {"F_dochod", 3},          // 4 - 2 x 0.5
        {"N_zaklad_zp", 35200}, {"N_prijem_zp", 35200}, {"N_zaklad_dp", 35200},
        {"N_zaklad_np", 21548}, {"N_zaklad_gp", 21548}, {"N_zaklad_up", 35200},
        {"O_zdravot", 1408},      // 4 % of 35 200
        {"Oz_zdravot", 3520},     // 10 % = 3 520.00
        {"O_nemoc", 302},         // 1.4 % of 21 548 = 301.672 -> 301.67 -> 302
        {"Oz_nemoc", 302},
        {"O_dochod", 1056},       // 3 % of 35 200
        {"Oz_dochod", 4928},      // 14 %
        {"O_fondzam", 352}, {"Oz_fondzam", 352},
        {"O_invalid", 1056}, {"Oz_invalid", 1056},
        {"Oz_uraz", 282},         // 0.8 % = 281.60 -> 282
        {"Oz_rezerva", 1672},     // 4.75 % = 1 672.00
        {"Oz_garancne", 54},      // 0.25 % of 21 548 = 53.87 -> 54
        {"N_poist", 4174},        // 1 408 + 302 + 1 056 + 352 + 1 056
        {"D_ciastzd1", 31026},    // 35 200 - 4 174
        {"Nc_spolu", 7328},
        {"D_zdanmzda1", 23698},   // 31 026 - 7 328
        {"D_preddavok", 4502},    // 19 % = 4 502.62 -> 4 502
        {"D_bonus_cerpany", 800}, // 2 x 400
        {"N_netto", 27324},       // 35 200 - 4 174 - 4 502 + 800
        {"Ne_odborar", 150},
        {"Sporenie", 27174},      // 27 324 - 150
        {"Vyplata", 0},
    });
}

TEST_P(Payroll2005, SeptemberWithTheMaximaOfJulyAndTheHigherTaxBonus)
{
    // The maxima of social insurance rose on 1 July 2005; the clerk enters them in the
    // code list (sickness and guarantee 23 738, the others 47 475).
    session.execute("update \":tarix_comm:cis_par\" set hodnota = 23738 where id = 20");
    session.execute("update \":tarix_comm:cis_par\" set hodnota = 47475 where id in (21, 22)");
    ini::IniFile paramIni(dir.filePath("PARAM.INI"));
    MyConsts::Nacitaj_parametre(session, paramIni);
    // September 2005: 20 working days (1.9. and 15.9. are holidays), 30 calendar days.
    setPeriod(9);
    post(kHudak, {{"V_den", 20}, {"V_hodina", 160}});
    // Maxima of 30 days: 23 738 / 30 = 791.266.. -> 791.27 x 30 = 23 738.10 -> 23 738;
    // 47 475 / 30 = 1 582.50 x 30 = 47 475.
    expectStored(kHudak, 200509, {
        {"V_plat", 32000},
        {"N_brutto", 35200},
        {"N_zaklad_zp", 35200},   // from 200509 without one-off payments, with the employer's pension saving (none)
        {"N_zaklad_np", 23738}, {"N_zaklad_gp", 23738}, {"N_zaklad_dp", 35200},
        {"O_zdravot", 1408},
        {"Oz_zdravot", 3520},     // from 200509 up to whole crowns
        {"O_nemoc", 333},         // 1.4 % of 23 738 = 332.332 -> 332.33 -> 333
        {"Oz_nemoc", 333},
        {"O_dochod", 1056},       // 3 % (two children)
        {"Oz_dochod", 4928},
        {"O_fondzam", 352}, {"O_invalid", 1056},
        {"Oz_garancne", 60},      // 0.25 % of 23 738 = 59.345 -> 59.34 -> 60
        {"N_poist", 4205},        // 1 408 + 333 + 1 056 + 352 + 1 056
        {"D_ciastzd1", 30995},    // 35 200 - 4 205
        {"D_zdanmzda1", 23667},   // 30 995 - 7 328
        {"D_preddavok", 4496},    // 19 % = 4 496.73 -> 4 496
        {"D_bonus_cerpany", 900}, // 2 x 450 from September
        {"N_netto", 27399},       // 35 200 - 4 205 - 4 496 + 900
        {"Sporenie", 27249},      // 27 399 - 150 union dues
    });
}

TEST_P(Payroll2005, HourlyWageWithOvertimeAndTwoPublicHolidays)
{
    // March 2005: 21 working days; 25.3. (Good Friday) and 28.3. (Easter Monday) paid as
    // public holidays; 176 hours worked, 8 of them overtime.
    setPeriod(3);
    post(kCierny, {{"V_den", 21}, {"V_hodina", 176}, {"Vh_nadcas", 8}});
    expectStored(kCierny, 200503, {
        {"V_plat", 16720},        // 95 x 176
        {"V_priemer1", 95},       // no payroll in the previous quarter: 16 720 / 176
        {"Vp_nadcas", 190},       // 8 h x 25 % x 95 (hourly average)
        {"N_priplat", 190},
        {"N_nadcas", 760},        // overtime hours at the base rate: 8 x 95
        {"N_mzda", 16910},        // 16 720 + 190
        {"V_sviatok", 2},
        {"N_sviatok", 1520},      // 2 days x 95 x 8 h
        {"N_brutto", 18430},      // 16 720 + 190 + 1 520
        {"N_zaklad_zp", 18430}, {"N_zaklad_np", 18430}, {"N_zaklad_up", 18430},
        {"O_zdravot", 738},       // 4 % = 737.20 -> 738
        {"Oz_zdravot", 1843},     // 10 % = 1 843.00
        {"O_nemoc", 259},         // 1.4 % = 258.02 -> 259
        {"Oz_nemoc", 259},
        {"O_dochod", 738},        // no children: 4 %
        {"Oz_dochod", 2581},      // 14 % = 2 580.20 -> 2 581
        {"O_fondzam", 185},       // 184.30 -> 185
        {"Oz_fondzam", 185},
        {"O_invalid", 553},       // 552.90 -> 553
        {"Oz_invalid", 553},
        {"Oz_uraz", 148},         // 0.8 % = 147.44 -> 148
        {"Oz_rezerva", 876},      // 4.75 % = 875.425 -> 875.42 -> 876
        {"Oz_garancne", 47},      // 0.25 % = 46.075 -> 46.07 -> 47
        {"N_poist", 2473},        // 738 + 259 + 738 + 185 + 553
        {"D_ciastzd1", 15957},    // 18 430 - 2 473
        {"D_zdanmzda1", 8629},    // 15 957 - 7 328
        {"D_preddavok", 1639},    // 19 % = 1 639.51 -> 1 639
        {"N_netto", 14318},       // 18 430 - 2 473 - 1 639
        {"Sporenie", 14318},
    });
}

TEST_P(Payroll2005, MonthlyWageWithSickLeave)
{
    // April 2005 (21 working days): sick from Monday 11.4. to Friday 22.4., 10 working
    // days (3 + 7 typed). The wage compensation covers calendar days 1-3 (11.-13.4.) at
    // 25 % and 4-10 (14.-20.4.) at 55 % of the daily base 690.411 of the card. Worked
    // 11 days, 88 hours.
    setPeriod(4);
    post(kStastna, {{"V_den", 11}, {"V_hodina", 88}, {"V_pn1", 3}, {"V_pn2", 7},
                    {"V_nahrada_pn1", 3}, {"V_nahrada_pn2", 7}});
    expectStored(kStastna, 200504, {
        {"V_plat", 11000},        // 21 000 x 88 / 8 / 21
        {"V_sadzba", 125},        // 11 000 / 88
        {"N_premie", 550},        // 5 %
        {"V_priemer1", 131.25},   // 11 550 / 88
        {"N_nahrada_pn", 3177},   // 3 x 690.411 x 25 % = 517.81 -> 518; 7 x 690.411 x 55 % = 2 658.08 -> 2 659
        {"N_brutto", 14727},      // 11 000 + 550 + 3 177
        {"V_pn", 10},
        // the compensation is no base; health maximum of 11 of 21 days:
        // 43 095 / 21 = 2 052.14 x 11 = 22 573.54 -> 22 574, not reached
        {"N_zaklad_zp", 11550}, {"N_zaklad_np", 11550}, {"N_zaklad_dp", 11550},
        {"O_zdravot", 462},       // 4 % of 11 550
        {"Oz_zdravot", 1155},     // 10 % = 1 155.00
        {"O_nemoc", 162},         // 1.4 % = 161.70 -> 162
        {"Oz_nemoc", 162},
        {"F_dochod", 3.5},        // one child
        {"O_dochod", 405},        // 3.5 % = 404.25 -> 405
        {"Oz_dochod", 1617},      // 14 % = 1 617.00
        {"O_fondzam", 116},       // 115.50 -> 116
        {"O_invalid", 347},       // 346.50 -> 347
        {"Oz_uraz", 93},          // 0.8 % = 92.40 -> 93
        {"Oz_rezerva", 549},      // 4.75 % = 548.625 -> 548.62 -> 549
        {"Oz_garancne", 29},      // 0.25 % = 28.875 -> 28.87 -> 29
        {"N_poist", 1492},        // 462 + 162 + 405 + 116 + 347
        {"D_ciastzd1", 10058},    // 14 727 - 1 492 - 3 177
        {"D_zdanmzda1", 2730},    // 10 058 - 7 328
        {"D_preddavok", 518},     // 19 % = 518.70 -> 518
        {"D_bonus_cerpany", 400},
        {"Nd_spolu", 0},
        {"N_netto", 13117},       // 14 727 - 1 492 - 518 + 400
        {"Ne_pozicky", 0},        // the loan repayments start in 200607
        {"Sporenie", 13117},
    });
}

TEST_P(Payroll2005, DisabilityPaysTheReducedHealthRates)
{
    // January 2005: a decline of earning capacity of 55 %: from 200501 both health rates
    // are reduced.
    post(kCibula, {{"V_den", 20}, {"V_hodina", 160}});
    expectStored(kCibula, 200501, {
        {"V_plat", 17500},
        {"N_brutto", 17500},
        {"F_zdravot", 2}, {"Fz_zdravot", 5},
        {"O_zdravot", 350},       // 2 % of 17 500
        {"Oz_zdravot", 875},      // 5 % = 875.00
        {"O_nemoc", 245}, {"Oz_nemoc", 245},
        {"O_dochod", 700}, {"Oz_dochod", 2450},
        {"O_fondzam", 175}, {"O_invalid", 525},
        {"Oz_rezerva", 832},      // 4.75 % = 831.25 -> 832
        {"Oz_garancne", 44},      // 0.25 % = 43.75 -> 44
        {"N_poist", 1995},        // 350 + 245 + 700 + 175 + 525
        {"D_ciastzd1", 15505},
        {"D_zdanmzda1", 8177},    // 15 505 - 7 328
        {"D_preddavok", 1553},    // 19 % = 1 553.63 -> 1 553
        {"N_netto", 13952},       // 17 500 - 1 995 - 1 553
    });
}

TEST_P(Payroll2005, AgreementWorkerTakesTheAdvance)
{
    // The demo firm's agreement worker, as if her agreement had run in 2005: the clerk
    // records its dates on the card and clears the withholding tax, which 2005 does not
    // know for employment income.
    session.execute("update \":tarix_data:zam\" set nastup = '2005-01-03', vystup = '2005-12-31', "
                    "dan_zrazkou = 0 where code_emp = 7");
    post(kHorvathova, {{"V_den", 0}, {"V_hodina", 0}, {"N_dohody_ovp", 3500}});
    expectStored(kHorvathova, 200501, {
        {"Dan_vyrovnana", 0},
        {"N_brutto", 3500},
        {"Rezerva1", 0},          // guarantee insurance on agreements only from 200608
        {"N_zaklad_zp", 3500}, {"N_zaklad_up", 3500}, {"N_zaklad_gp", 0}, {"N_zaklad_np", 0},
        {"O_zdravot", 140},       // 4 % of 3 500
        {"Oz_zdravot", 350},      // 10 % = 350.00
        {"Oz_uraz", 28},          // 0.8 % of 3 500
        {"Oz_garancne", 0},
        {"N_poist", 140},
        {"D_ciastzd1", 3360},     // 3 500 - 140
        {"Nc_spolu", 0},          // no declaration signed
        {"D_zdanmzda1", 3360},
        {"D_preddavok", 638},     // 19 % = 638.40 -> 638
        {"D_dan", 0},
        {"N_netto", 2722},        // 3 500 - 140 - 638
        {"Vyplata", 2722},
    });
}

TEST_P(Payroll2005, FixedWageAboveEveryMaximumWithSupplementaryPension)
{
    // January 2005: fixed 85 000; supplementary pension 2 % / 3 % of the gross wage.
    post(kKovac, {{"V_den", 20}, {"V_hodina", 160}});
    expectStored(kKovac, 200501, {
        {"V_plat", 85000},
        {"N_brutto", 85000},
        {"N_ddp", 1700}, {"Nz_ddp", 2550},
        {"N_prijem_zp", 85000},   // until 200508 without the employer's pension saving
        {"N_zaklad_zp", 43095}, {"N_zaklad_dp", 43095}, {"N_zaklad_fz", 43095},
        {"N_zaklad_np", 21548}, {"N_zaklad_gp", 21548}, {"N_zaklad_up", 85000},
        {"O_zdravot", 1724},      // 4 % of 43 095 = 1 723.80 -> 1 724
        {"Oz_zdravot", 4309.5},   // 10 % = 4 309.50, up to hellers until 200508
        {"O_nemoc", 302},         // 1.4 % of 21 548 = 301.672 -> 301.67 -> 302
        {"O_dochod", 1724},
        {"Oz_dochod", 6034},      // 14 % of 43 095 = 6 033.30 -> 6 034
        {"O_fondzam", 431},       // 430.95 -> 431
        {"O_invalid", 1293},      // 1 292.85 -> 1 293
        {"Oz_uraz", 680},
        {"Oz_rezerva", 2048},     // 4.75 % of 43 095 = 2 047.0125 -> 2 047.01 -> 2 048
        {"Oz_garancne", 54},      // 0.25 % of 21 548 = 53.87 -> 54
        {"N_poist", 5474},        // 1 724 + 302 + 1 724 + 431 + 1 293
        {"D_ciastzd1", 82076},    // 85 000 + 2 550 - 5 474
        {"D_zdanmzda1", 74748},   // 82 076 - 7 328
        {"D_preddavok", 14202},   // 19 % = 14 202.12 -> 14 202
        {"N_netto", 63624},       // 85 000 - 5 474 - 1 700 - 14 202
        {"Ne_exekucia", 1000},    // building savings from 200501
        {"Ne_poistovna", 0},      // life insurance only from 200601
        {"Sporenie", 62624},
    });
}

} // namespace
