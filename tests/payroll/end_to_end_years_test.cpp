// The same January payroll of the demo firm's site manager (monthly wage 32 000, 10 %
// premium, two children, union dues, the full month worked) in every shipped year
// folder, 2004 to 2008, made as a clerk makes it: what changes from year to year is the
// year's values and the period rules. 2005 and 2007 have their own, fuller files.
//
// Common to every year: base wage 32 000, premium 3 200, gross 35 200; health 4 % of
// 35 200 = 1 408 (2004: of the health maximum); old-age 4 % = 1 408 (employer 14 % =
// 4 928); unemployment 1 % = 352; invalidity 3 % = 1 056; accident 0.8 % = 281.60 -> 282;
// reserve 4.75 % = 1 672; union dues 150; the rest of the net pay to the account.
#include "end_to_end_fixture.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using Payroll2004 = EndToEndTest<2004>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Payroll2004);
using Payroll2006 = EndToEndTest<2006>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Payroll2006);
using Payroll2008 = EndToEndTest<2008>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Payroll2008);

TEST_P(Payroll2004, SiteManagerInJanuary)
{
    // 20 working days. Maxima of 2004: health 32 000; sickness and guarantee 20 267
    // (20 267 / 31 = 653.774 -> 653.77 x 31 = 20 266.87 -> 20 267); old-age 40 533.
    // Non-taxable amount 6 736; tax bonus 400.
    post(kHudak, {{"V_den", 20}, {"V_hodina", 160}});
    expectStored(kHudak, 200401, {
        {"V_plat", 32000}, {"N_premie", 3200}, {"N_brutto", 35200},
        {"N_zaklad_zp", 32000}, {"N_zaklad_np", 20267}, {"N_zaklad_dp", 35200}, {"N_zaklad_gp", 20267},
        {"O_zdravot", 1280},      // 4 % of 32 000
        {"Oz_zdravot", 0},        // no employer health share before 2005
        {"O_nemoc", 284},         // 1.4 % of 20 267 = 283.738 -> 283.73 -> 284
        {"Oz_nemoc", 284},
        {"O_dochod", 1408}, {"Oz_dochod", 4928},
        {"O_fondzam", 352}, {"O_invalid", 1056}, {"Oz_invalid", 1056},
        {"Oz_uraz", 282}, {"Oz_rezerva", 1672},
        {"Oz_garancne", 51},      // 0.25 % of 20 267 = 50.6675 -> 50.66 -> 51
        {"N_poist", 4380},        // 1 280 + 284 + 1 408 + 352 + 1 056
        {"D_ciastzd1", 30820},    // 35 200 - 4 380
        {"Nc_spolu", 6736},
        {"D_zdanmzda1", 24084},   // 30 820 - 6 736
        {"D_preddavok", 4575},    // 19 % = 4 575.96 -> 4 575
        {"D_bonus_cerpany", 800}, // 2 x 400
        {"Cista_denna_mzda", 444.1973}, // the card's 1 052.0548 limited to the cap of 2004
        {"N_netto", 27045},       // 35 200 - 4 380 - 4 575 + 800
        {"Sporenie", 26895},      // 27 045 - 150
    });
}

TEST_P(Payroll2006, SiteManagerInJanuary)
{
    // 21 working days. Maxima: health 47 475; sickness and guarantee 23 738
    // (23 738 / 31 = 765.742 -> 765.74 x 31 = 23 737.94 -> 23 738). Non-taxable amount
    // 7 568; tax bonus 540; no cut to hellers from 2006.
    post(kHudak, {{"V_den", 21}, {"V_hodina", 168}});
    expectStored(kHudak, 200601, {
        {"V_plat", 32000}, {"N_brutto", 35200},
        {"N_zaklad_zp", 35200}, {"N_zaklad_np", 23738}, {"N_zaklad_gp", 23738},
        {"O_zdravot", 1408}, {"Oz_zdravot", 3520},
        {"O_nemoc", 333},         // 1.4 % of 23 738 = 332.332 -> 333
        {"Oz_nemoc", 333},
        {"O_dochod", 1408},       // no child reduction from 2006
        {"Oz_garancne", 60},      // 0.25 % of 23 738 = 59.345 -> 60
        {"N_poist", 4557},        // 1 408 + 333 + 1 408 + 352 + 1 056
        {"D_ciastzd1", 30643},
        {"D_zdanmzda1", 23075},   // 30 643 - 7 568
        {"D_preddavok", 4384},    // 19 % = 4 384.25 -> 4 384
        {"D_bonus_cerpany", 1080},
        {"N_netto", 27339},       // 35 200 - 4 557 - 4 384 + 1 080
        {"Sporenie", 27189},
    });
}

TEST_P(Payroll2008, SiteManagerInJanuary)
{
    // 22 working days. Maxima: health 56 283; sickness and guarantee 28 142
    // (28 142 / 31 = 907.806 -> 907.81 x 31 = 28 142.11 -> 28 142); old-age 75 044.
    // Non-taxable amount 8 208; tax bonus 555.
    post(kHudak, {{"V_den", 22}, {"V_hodina", 176}});
    expectStored(kHudak, 200801, {
        {"V_plat", 32000}, {"N_brutto", 35200},
        {"N_zaklad_zp", 35200}, {"N_zaklad_np", 28142}, {"N_zaklad_dp", 35200}, {"N_zaklad_gp", 28142},
        {"O_zdravot", 1408}, {"Oz_zdravot", 3520},
        {"O_nemoc", 394},         // 1.4 % of 28 142 = 393.988 -> 394
        {"Oz_nemoc", 394},
        {"Oz_garancne", 71},      // 0.25 % of 28 142 = 70.355 -> 71
        {"N_poist", 4618},        // 1 408 + 394 + 1 408 + 352 + 1 056
        {"D_ciastzd1", 30582},
        {"D_zdanmzda1", 22374},   // 30 582 - 8 208
        {"D_preddavok", 4251},    // 19 % = 4 251.06 -> 4 251
        {"D_bonus_cerpany", 1110}, // 2 x 555
        {"N_netto", 27441},       // 35 200 - 4 618 - 4 251 + 1 110
        {"Sporenie", 27291},
    });
}

} // namespace
