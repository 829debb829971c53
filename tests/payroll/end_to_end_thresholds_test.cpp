// One payroll record computed at the period thresholds of the calculation: the same inputs
// and the same year's values (those of 2005) in the last month before and the first month
// from 200401, 200501, 200509, 200601 and 200701, so that every difference in the results
// is what the threshold changes. Each amount is worked out by hand.
#include "payroll/calc/calculation.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace tarix;
using namespace tarix::payroll;

namespace {

// The year's values of data/seed/year/ROK2005.sql that the calculation reads.
CalcContext context2005(int period)
{
    CalcContext c;
    c.Aktualne_obdobie = period;
    YearSetup &s = c.setup;
    s.F_PN_DNI = 3;
    s.F_PN1 = 25;
    s.F_PN2 = 55;
    s.F_OCR = 55;
    s.F_MIN_MZDA = 6500;
    s.F_NEMMAX = 999999;
    s.F_ZDRAVOT = 4;
    s.F_NEMOC = 1.4;
    s.F_DOCHOD = 4;
    s.F_FONDZ = 1;
    s.FZ_ZDRAVOT = 10;
    s.FZ_NEMOC = 1.4;
    s.FZ_DOCHOD = 14;
    s.FZ_FONDZ = 1;
    s.F_ZDRAVOT1 = 2;
    s.F_NEMOC1 = 1.4;
    s.F_DOCHOD1 = 4;
    s.F_FONDZ1 = 1;
    s.FZ_ZDRAVOT1 = 5;
    s.FZ_NEMOC1 = 1.4;
    s.FZ_DOCHOD1 = 14;
    s.FZ_FONDZ1 = 1;
    s.FZ_GARFOND = 0.25;
    s.FZ_GARFOND1 = 0.25;
    s.F_INVALID = 3;
    s.FZ_INVALID = 3;
    s.FZ_URAZ = 0.8;
    s.FZ_REZERVA = 4.75;
    s.F_ZAODVOD = 0, s.F_SMODVOD = 0;       // contributions up to crowns
    s.F_ZADANZP = 0, s.F_SMDANZP = 1;       // taxable wage down to crowns
    s.F_ZAPREDDAV = 0, s.F_SMPREDDAV = 1;   // advance down to crowns
    s.F_ZAZAKLPOIST = 0, s.F_SMZAKLPOIST = 1; // bases before 2005: cut to crowns
    s.ZAOKRUH1 = 0, s.ZAOKRUH1SM = 2;       // gross wage: nearest crown
    s.ZAOKRUH2 = 0, s.ZAOKRUH2SM = 2;
    s.ZAOKRUH3 = 0, s.ZAOKRUH3SM = 2;       // base wage, supplementary pension
    s.ZAOKRUH4 = 0, s.ZAOKRUH4SM = 0;
    s.ZAOKRUH5 = 0, s.ZAOKRUH5SM = 1;
    s.ZAOKRUH6 = 0, s.ZAOKRUH6SM = 2;       // premium
    s.ZAOKRUH9 = 0, s.ZAOKRUH9SM = 1;       // withholding tax down to crowns
    s.ZAOKRUH10 = 0, s.ZAOKRUH10SM = 0;
    s.F_DAN_SADZBA1 = 19;
    s.U_ZDRAV1 = s.U_ZDRAV2 = 1;

    c.firm.F_DOBA = 8;
    c.firm.F_TYP_PREMII = 1;
    c.firm.F_NEMOHOL = 60;

    StatutoryParams &p = c.params;
    p.set(19, 43095);
    p.set(20, 21548);
    p.set(21, 43095);
    p.set(22, 43095);
    p.set(23, 7328);
    p.set(24, 540);
    p.set(26, 1);
    p.set(27, 0.5);
    p.set(28, 400);
    p.set(29, 40.01);
    p.set(30, 6500);
    p.set(31, 0);
    p.set(33, 1);
    c.taxBands = {{0.0, 19.0, 0.0, 0.0}};

    EmployeeData &e = c.employee;
    e.Code_emp = 1;
    e.Code_numb = 101;
    e.F_doba = 8;
    e.ZTP = true; // severely disabled
    e.U_sds = 1;
    return c;
}

// The inputs: a full month of 21 working days on a monthly wage of 18 000 with a 10 %
// premium, a one-off payment of 1 486 for one month, 500 from the social fund,
// supplementary pension 1 % (employee) and 2 % (employer) of the gross wage, two dependent
// children with the tax bonus (typed 800), a typed child amount of 1 000, a health
// settlement overpayment of 300, the non-taxable amount per taxpayer claimed.
PayRecord inputs(int period)
{
    PayRecord r;
    r.Code_emp = 1;
    r.V_obdobie = period;
    r.V_rok = period / 100;
    r.V_mesiac = period % 100;
    r.Automatika = true;
    r.VYNIMKA_VZ = QStringLiteral("0");
    r.V_fmes = 21;
    r.V_den = 21;
    r.V_hodina = 168;
    r.MV_plat = 18000;
    r.F_typ_premii = 1;
    r.F_sadzba_premii = 10;
    r.N_jednoraz1 = 1486;
    r.V_mesiace1 = 1;
    r.N_socfond = 500;
    r.N_sadzba_ddp = 1;
    r.Nz_sadzba_ddp = 2;
    r.Poc_nezaop_deti = 2;
    r.D_bonus_predpis = 800;
    r.Nc_deti = 1000;
    r.Vyrovnanie_zp = 300;
    r.U_nezdc = true;
    r.U_zdrav = r.U_nemoc = r.U_dochod = r.U_fondzam = r.U_invalid = 1;
    r.U_uraz = r.U_rezerva = r.U_garancne = 1;
    return r;
}

struct Expected {
    const char *field;
    double value;
};

// What every period shares:
//   V_plat 18 000 x 168 / 8 / 21 = 18 000; premium 10 % = 1 800;
//   gross 18 000 + 1 800 + 500 + 1 486 = 21 786;
//   N_ddp 1 % of 21 786 = 217.86 -> 218; Nz_ddp 2 % = 435.72 -> 436;
//   social bases G = 18 000 + 1 800 + 1 486 = 21 286 (below every maximum);
//   sickness 1.4 % of 21 286 = 298.004; unemployment 1 % = 212.86 -> 213;
//   old-age employer 14 % = 2 980.04 -> 2 981; guarantee 0.25 % = 53.215 -> 53.21 -> 54.
const std::vector<Expected> kCommon = {
    {"V_plat", 18000}, {"N_premie", 1800}, {"N_brutto", 21786}, {"N_ddp", 218}, {"Nz_ddp", 436},
    {"N_zaklad_np", 21286}, {"N_zaklad_dp", 21286}, {"N_zaklad_fz", 21286}, {"N_zaklad_up", 21286},
    {"O_fondzam", 213}, {"Oz_fondzam", 213}, {"Oz_dochod", 2981}, {"Oz_garancne", 54},
    {"D_ciastzd3", 0}, {"D_bonus_cerpany", 800}, {"Vyplata", -1}, // -1: equals N_netto
};

struct PeriodCase {
    int period;
    std::vector<Expected> expected;
};

const PeriodCase kCases[] = {
    // Before 200401: no invalidity, accident or reserve fund; the social fund payment is
    // taxed by withholding (19 % of 500 = 95); the typed child amount counts; the
    // employee's supplementary pension lowers the tax base; no employer health share.
    //   N_poist 852 + 298 + 852 + 213 + 0 = 2 215 (health 4 % of 21 286 = 851.44 -> 852,
    //   sickness 298.004 -> 298.00 -> 298, old-age 4 % = 851.44 -> 852)
    //   D_ciastzd1 21 786 - 500 - 1 486 + 436 - 2 215 - 218 + 1 486 = 19 289
    //   taxable 19 289 - (7 328 + 1 000) = 10 961; advance 19 % = 2 082.59 -> 2 082
    //   net 21 786 - 2 215 - 218 - 2 082 + 800 - 95 + 300 = 18 276
    {200312, {{"F_zdravot", 4}, {"Fz_zdravot", 5}, {"F_dochod", 4}, {"F_invalid", 0}, {"Fz_uraz", 0},
              {"N_zaklad_zp", 21286}, {"N_prijem_zp", 0}, {"O_zdravot", 852}, {"Oz_zdravot", 0},
              {"O_nemoc", 298}, {"Oz_nemoc", 298}, {"O_dochod", 852}, {"O_invalid", 0}, {"Oz_invalid", 0},
              {"Oz_uraz", 0}, {"Oz_rezerva", 0}, {"N_poist", 2215}, {"D_ciastzd1", 19289},
              {"D_ciastzd2", 500}, {"Nc_deti", 1000}, {"Nc_spolu", 8328}, {"D_zdanmzda1", 10961},
              {"D_zdanmzda2", 500}, {"D_dan", 95}, {"D_preddavok", 2082}, {"N_netto", 18276},
              {"F_min_mzda", 0}, {"U_sds", 0}}},
    // From 200401: invalidity 3 % = 638.58 -> 639 both, accident 0.8 % = 170.288 ->
    // 170.28 -> 171, reserve 4.75 % = 1 011.085 -> 1 011.08 -> 1 012; the social fund
    // payment joins the advance base; the child amount is cleared.
    //   N_poist 852 + 298 + 852 + 213 + 639 = 2 854
    //   D_ciastzd1 21 786 - 500 - 1 486 + 436 - 2 854 - 218 + 500 + 1 486 = 19 150
    //   taxable 19 150 - 7 328 = 11 822; advance 19 % = 2 246.18 -> 2 246
    //   net 21 786 - 2 854 - 218 - 2 246 + 800 + 300 = 17 568
    {200401, {{"F_zdravot", 4}, {"Fz_zdravot", 5}, {"F_dochod", 4}, {"F_invalid", 3}, {"Fz_uraz", 0.8},
              {"N_zaklad_zp", 21286}, {"N_prijem_zp", 0}, {"O_zdravot", 852}, {"Oz_zdravot", 0},
              {"O_nemoc", 298}, {"Oz_nemoc", 298}, {"O_dochod", 852}, {"O_invalid", 639}, {"Oz_invalid", 639},
              {"Oz_uraz", 171}, {"Oz_rezerva", 1012}, {"N_poist", 2854}, {"D_ciastzd1", 19150},
              {"D_ciastzd2", 0}, {"Nc_deti", 0}, {"Nc_spolu", 7328}, {"D_zdanmzda1", 11822},
              {"D_zdanmzda2", 0}, {"D_dan", 0}, {"D_preddavok", 2246}, {"N_netto", 17568},
              {"F_min_mzda", 0}, {"U_sds", 0}}},
    {200412, {{"N_poist", 2854}, {"D_preddavok", 2246}, {"N_netto", 17568}, {"Oz_zdravot", 0}}},
    // From 200501: the employer's health share (10 % = 2 128.60, up to hellers); the
    // disability no longer reduces it (only the decline of earning capacity does);
    // old-age rate 4 - 2 x 0.5 = 3 % = 638.58 -> 639; the employee's supplementary
    // pension no longer lowers the tax base; minimum wage and 2nd pillar copied.
    //   N_poist 852 + 298 + 639 + 213 + 639 = 2 641
    //   D_ciastzd1 21 786 - 500 - 1 486 + 436 - 2 641 + 500 + 1 486 = 19 581
    //   taxable 19 581 - 7 328 = 12 253; advance 19 % = 2 328.07 -> 2 328
    //   net 21 786 - 2 641 - 218 - 2 328 + 800 + 300 = 17 699
    {200501, {{"F_zdravot", 4}, {"Fz_zdravot", 10}, {"F_dochod", 3}, {"N_zaklad_zp", 21286},
              {"N_prijem_zp", 21286}, {"O_zdravot", 852}, {"Oz_zdravot", 2128.6}, {"O_nemoc", 298},
              {"O_dochod", 639}, {"O_invalid", 639}, {"N_poist", 2641}, {"D_ciastzd1", 19581},
              {"D_zdanmzda1", 12253}, {"D_preddavok", 2328}, {"N_netto", 17699},
              {"F_min_mzda", 6500}, {"U_sds", 1}}},
    {200508, {{"Oz_zdravot", 2128.6}, {"N_poist", 2641}, {"N_netto", 17699}}},
    // From 200509: the health base leaves out the one-off payment and takes the
    // employer's pension saving: 18 000 + 1 800 + 436 = 20 236; the severe disability
    // reduces both health rates: 2 % = 404.72 -> 405, 5 % = 1 011.80 -> 1 012 (whole
    // crowns now).
    //   N_poist 405 + 298 + 639 + 213 + 639 = 2 194
    //   D_ciastzd1 20 236 - 2 194 + 500 + 1 486 = 20 028; taxable 12 700; advance 2 413.00
    //   net 21 786 - 2 194 - 218 - 2 413 + 800 + 300 = 18 061
    {200509, {{"F_zdravot", 2}, {"Fz_zdravot", 5}, {"F_dochod", 3}, {"N_zaklad_zp", 20236},
              {"N_prijem_zp", 20236}, {"O_zdravot", 405}, {"Oz_zdravot", 1012}, {"O_nemoc", 298},
              {"N_poist", 2194}, {"D_ciastzd1", 20028}, {"D_zdanmzda1", 12700}, {"D_preddavok", 2413},
              {"N_netto", 18061}}},
    {200512, {{"Oz_zdravot", 1012}, {"F_dochod", 3}, {"N_poist", 2194}, {"N_netto", 18061}}},
    // From 200601: no child reduction (old-age 4 % = 852); amounts no longer cut to
    // hellers first: sickness 298.004 -> 299 (employee and employer).
    //   N_poist 405 + 299 + 852 + 213 + 639 = 2 408
    //   D_ciastzd1 20 236 - 2 408 + 1 986 = 19 814; taxable 12 486; advance 2 372.34 -> 2 372
    //   net 21 786 - 2 408 - 218 - 2 372 + 800 + 300 = 17 888
    {200601, {{"F_dochod", 4}, {"O_zdravot", 405}, {"Oz_zdravot", 1012}, {"O_nemoc", 299},
              {"Oz_nemoc", 299}, {"O_dochod", 852}, {"N_poist", 2408}, {"D_ciastzd1", 19814},
              {"D_zdanmzda1", 12486}, {"D_preddavok", 2372}, {"N_netto", 17888}}},
    {200612, {{"O_nemoc", 299}, {"D_ciastzd1", 19814}, {"N_netto", 17888}}},
    // From 200701: the health settlement overpayment lowers the tax base:
    //   D_ciastzd1 19 814 - 300 = 19 514; taxable 12 186; advance 2 315.34 -> 2 315
    //   net 21 786 - 2 408 - 218 - 2 315 + 800 + 300 = 17 945
    {200701, {{"N_poist", 2408}, {"D_ciastzd1", 19514}, {"D_zdanmzda1", 12186}, {"D_preddavok", 2315},
              {"N_netto", 17945}}},
};

TEST(PayrollThresholds, TheSameInputsBeforeAndFromEachThreshold)
{
    for (const PeriodCase &pc : kCases) {
        SCOPED_TRACE(pc.period);
        PayRecord r = inputs(pc.period);
        Vypocet_vyplaty(r, context2005(pc.period));
        const auto check = [&](const Expected &x) {
            const double expected = x.value == -1 ? r.N_netto : x.value;
            const QVariant stored = r.value(QString::fromLatin1(x.field));
            ASSERT_TRUE(stored.isValid()) << x.field;
            EXPECT_NEAR(stored.toDouble(), expected, 0.005) << x.field;
        };
        for (const Expected &x : kCommon)
            check(x);
        for (const Expected &x : pc.expected)
            check(x);

        // A second run on the stored record changes nothing.
        PayRecord again = r;
        Vypocet_vyplaty(again, context2005(pc.period));
        EXPECT_TRUE(again == r);
    }
}

TEST(PayrollThresholds, MaximaOfAMonthWithSickLeaveBeforeAndFrom200401)
{
    // A fixed wage of 40 000 in a month of 21 working days with 10 of them sick (3 + 7).
    // Until 200312 the health and the social maxima shrink to the 11 insured working
    // days; from 200401 only the health maximum does, the social maxima follow the
    // calendar days without insurance (none here).
    const auto compute = [](int period) {
        CalcContext c = context2005(period);
        c.employee.Fixny_mv_plat = true;
        PayRecord r = inputs(period);
        r.MV_plat = 40000;
        r.F_sadzba_premii = 0;
        r.N_jednoraz1 = 0;
        r.V_den = 11;
        r.V_hodina = 88;
        r.V_pn1 = 3;
        r.V_pn2 = 7;
        Vypocet_vyplaty(r, c);
        return r;
    };
    const PayRecord before = compute(200312);
    // 43 095 / 21 x 11 = 22 573.571 -> 22 573.57; 21 548 / 21 x 11 = 11 287.048 -> 11 287.05;
    // the unemployment maximum is not shortened.
    EXPECT_DOUBLE_EQ(before.N_zaklad_zp, 22573.57);
    EXPECT_DOUBLE_EQ(before.N_zaklad_dp, 22573.57);
    EXPECT_DOUBLE_EQ(before.N_zaklad_ip, 22573.57);
    EXPECT_DOUBLE_EQ(before.N_zaklad_rf, 22573.57);
    EXPECT_DOUBLE_EQ(before.N_zaklad_np, 11287.05);
    EXPECT_DOUBLE_EQ(before.N_zaklad_gp, 11287.05);
    EXPECT_DOUBLE_EQ(before.N_zaklad_fz, 40000);
    EXPECT_DOUBLE_EQ(before.N_zaklad_up, 40000);
    EXPECT_DOUBLE_EQ(before.O_nemoc, 159); // 1.4 % of 11 287.05 = 158.019 -> 158.01 -> 159

    const PayRecord from = compute(200401);
    // health: 43 095 / 21 = 2 052.14 x 11 = 22 573.54 -> 22 574; social: 31 of 31 days.
    EXPECT_DOUBLE_EQ(from.N_zaklad_zp, 22574);
    EXPECT_DOUBLE_EQ(from.N_zaklad_dp, 40000);
    EXPECT_DOUBLE_EQ(from.N_zaklad_ip, 40000);
    EXPECT_DOUBLE_EQ(from.N_zaklad_rf, 40000);
    EXPECT_DOUBLE_EQ(from.N_zaklad_np, 21548);
    EXPECT_DOUBLE_EQ(from.N_zaklad_gp, 21548);
    EXPECT_DOUBLE_EQ(from.N_zaklad_fz, 40000);
    EXPECT_DOUBLE_EQ(from.O_nemoc, 302); // 1.4 % of 21 548 = 301.672 -> 301.67 -> 302
}

} // namespace
