// Step 12: assessment bases, contribution rates and amounts per fund, supplementary
// pension saving.
#include "payroll_fixtures.h"

#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

PayRecord earningsRecord(int period)
{
    PayRecord r;
    r.V_obdobie = period;
    r.Automatika = true;
    r.V_fmes = 21;
    r.V_kal_dni = 31;
    r.V_plat = 10000.4;
    r.N_premie = 1000;
    r.N_jednoraz1 = 2000;
    r.N_clenovia_organov = 500;
    r.Nz_ddp = 300;
    r.N_dohody_ovp = 1200;
    r.N_dohody_opc = 800;
    r.VYNIMKA_VZ = QStringLiteral("0");
    r.N_prijem_zp = -1;
    return r;
}

struct Bases {
    double zp, dp, np, fz, up, ip, gp, rf, prijemZp;
};

Bases basesOf(const PayRecord &r)
{
    return {r.N_zaklad_zp, r.N_zaklad_dp, r.N_zaklad_np, r.N_zaklad_fz, r.N_zaklad_up,
            r.N_zaklad_ip, r.N_zaklad_gp, r.N_zaklad_rf, r.N_prijem_zp};
}

void expectBases(const Bases &actual, const Bases &expected, const char *what)
{
    EXPECT_NEAR(actual.zp, expected.zp, 1e-9) << what << " health";
    EXPECT_NEAR(actual.dp, expected.dp, 1e-9) << what << " pension";
    EXPECT_NEAR(actual.np, expected.np, 1e-9) << what << " sickness";
    EXPECT_NEAR(actual.fz, expected.fz, 1e-9) << what << " employment fund";
    EXPECT_NEAR(actual.up, expected.up, 1e-9) << what << " accident";
    EXPECT_NEAR(actual.ip, expected.ip, 1e-9) << what << " invalidity";
    EXPECT_NEAR(actual.gp, expected.gp, 1e-9) << what << " guarantee";
    EXPECT_NEAR(actual.rf, expected.rf, 1e-9) << what << " reserve";
    EXPECT_NEAR(actual.prijemZp, expected.prijemZp, 1e-9) << what << " health income";
}

// A monthly-wage record as steps 1 to 11 leave it (base wage 18000, 31 calendar days).
PayRecord step12Record(int period)
{
    PayRecord r = monthlyRecord(period);
    r.V_plat = 18000;
    r.N_brutto = 18000;
    r.V_kal_dni = 31;
    return r;
}

} // namespace

TEST(PayrollBases, EarningsAndRoundingByPeriod)
{
    // G = 10000.4 + 1000 + 2000 (one-off) = 13000.4; body pay 500, employer pension 300.
    struct Case {
        const char *what;
        int period;
        Bases expected;
    } cases[] = {
        {"2004: body pay in the health base, four bases rounded up", 200412,
         {13501, 13001, 13001, 13001, 15000.4, 13000.4, 13000.4, 13000.4, -1}},
        {"Jan-Aug 2005: health up, the others cut", 200503,
         {13001, 13000, 13000, 13000, 15000, 13000, 13000, 13000, 13001}},
        {"from 200509 the health base leaves out one-off pay, adds employer pension", 200509,
         {11801, 13000, 13000, 13000, 15000, 13000, 13000, 13000, 11801}},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r = earningsRecord(k.period);
        Vypocet_vymeriavacich_zakladov(r, c);
        expectBases(basesOf(r), k.expected, k.what);
    }
}

TEST(PayrollBases, AgreementsCountOnlyWithFlagOne)
{
    const CalcContext c = demoContext();
    PayRecord r = earningsRecord(200609);
    r.U_zdrav1 = 1;  // work performance to health
    r.U_nemoc2 = 1;  // work activity to sickness
    r.U_dochod1 = 2; // not exactly 1: nothing
    r.U_fondzam2 = 1;
    r.Rezerva1 = 1;  // work performance to guarantee
    Vypocet_vymeriavacich_zakladov(r, c);
    expectBases(basesOf(r), {11801 + 1200, 13000, 13800, 13800, 15000, 13000, 14200, 13000, 13001},
                "agreements");
}

TEST(PayrollBases, MaximaShortenedForAPartMonth)
{
    struct Case {
        const char *what;
        int period;
        int kalDni, nepoisteny, pn1, pn2;
        double ocr1;
        QString code;
        Bases expected;
    } cases[] = {
        {"before 200005 no shortening", 200004, 31, 0, 7, 0, 0, "0",
         {43095, 43095, 21548, 43095, 100000, 43095, 21548, 43095, -1}},
        {"2000-2003 by working days, employment fund kept", 200306, 30, 0, 7, 0, 0, "0",
         {28730, 28730, 14365.33, 43095, 100000, 28730, 14365.33, 28730, -1}},
        {"from 2004 health by working days, half to even", 200503, 31, 0, 3, 2, 1, "0",
         {30166, 43095, 21548, 43095, 100000, 43095, 21548, 43095, 100000}},
        {"from 2004 social funds by insured calendar days", 200503, 31, 10, 0, 0, 0, "0",
         {43095, 29193, 14597, 29193, 100000, 29193, 14597, 29193, 100000}},
        {"no insured day: social bases 0, accident kept", 200503, 31, 31, 0, 0, 0, "0",
         {43095, 0, 0, 0, 100000, 0, 0, 0, 100000}},
        {"negative uninsured days do not raise the maximum", 200503, 31, -5, 0, 0, 0, "0",
         {43095, 43095, 21548, 43095, 100000, 43095, 21548, 43095, 100000}},
        {"a code after T lifts the social maxima", 200503, 31, 10, 0, 0, 0, "U",
         {43095, 100000, 100000, 100000, 100000, 100000, 100000, 100000, 100000}},
        {"a small letter sorts after T", 200503, 31, 10, 0, 0, 0, "a",
         {43095, 100000, 100000, 100000, 100000, 100000, 100000, 100000, 100000}},
        {"T itself keeps them; so does an empty code", 200503, 31, 10, 0, 0, 0, "T",
         {43095, 29193, 14597, 29193, 100000, 29193, 14597, 29193, 100000}},
        {"empty code", 200503, 31, 10, 0, 0, 0, "",
         {43095, 29193, 14597, 29193, 100000, 29193, 14597, 29193, 100000}},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = k.period;
        r.Automatika = true;
        r.V_plat = 100000;
        r.V_fmes = 20;
        if (k.period < 200401)
            r.V_fmes = 21;
        r.V_kal_dni = k.kalDni;
        r.V_nepoisteny = k.nepoisteny;
        r.V_pn1 = k.pn1;
        r.V_pn2 = k.pn2;
        r.V_ocr1 = k.ocr1;
        r.VYNIMKA_VZ = k.code;
        r.N_prijem_zp = -1;
        Vypocet_vymeriavacich_zakladov(r, c);
        expectBases(basesOf(r), k.expected, k.what);
    }
}

TEST(PayrollBases, SickDaysAreTakenFromTheEnteredDaysNotFromAnEarlierSum)
{
    const CalcContext c = demoContext();
    PayRecord r;
    r.V_obdobie = 200503;
    r.V_plat = 100000;
    r.V_fmes = 20;
    r.V_kal_dni = 31;
    r.V_pn1 = 3;
    r.V_pn2 = 2;
    r.V_ocr1 = 1;
    r.V_pn = 0;    // the sums of the previous calculation
    r.V_ocr12 = 0;
    Vypocet_vymeriavacich_zakladov(r, c);
    EXPECT_EQ(r.N_zaklad_zp, 30166); // 2154.75 x 14 days
}

TEST(PayrollContributionRates, ByPeriodAndEmployee)
{
    struct Case {
        const char *what;
        int period;
        int uZdrav, uDochod, children;
        double miera;
        bool zps, ztp;
        double fZdravot, fzZdravot, fDochod;
    } cases[] = {
        {"2004 sum of rates", 200412, 4, 1, 0, 0, false, false, 14, 10, 4},
        {"2006 sum of rates", 200601, 4, 1, 0, 0, false, false, 14, 10, 4},
        {"2005 reduced capacity", 200503, 1, 1, 0, 45, false, false, 2, 5, 4},
        {"ZTP before 200509 counts only by the degree", 200508, 1, 1, 0, 0, true, true, 4, 10, 4},
        {"ZTP from 200509", 200509, 1, 1, 0, 0, true, true, 2, 5, 4},
        {"2004 ZPS lowers only the employer rate", 200412, 1, 1, 0, 0, true, false, 4, 5, 4},
        {"2005 child reduction", 200503, 1, 1, 3, 0, false, false, 4, 10, 2.5},
        {"at most eight children", 200512, 1, 1, 10, 0, false, false, 4, 10, 0},
        {"no reduction in 2006", 200601, 1, 1, 3, 0, false, false, 4, 10, 4},
        {"no reduction in 2004", 200412, 1, 1, 3, 0, false, false, 4, 10, 4},
        {"sum of rates without the reduction", 200503, 1, 4, 3, 0, false, false, 4, 10, 18},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r = step12Record(k.period);
        r.U_zdrav = k.uZdrav;
        r.U_dochod = k.uDochod;
        r.Poc_nezaop_deti = k.children;
        r.Miera_poklesu = k.miera;
        r.ZPS = k.zps;
        r.ZTP = k.ztp;
        Vypocet_poistneho(r, c);
        EXPECT_DOUBLE_EQ(r.F_zdravot, k.fZdravot) << k.what;
        EXPECT_DOUBLE_EQ(r.Fz_zdravot, k.fzZdravot) << k.what;
        EXPECT_DOUBLE_EQ(r.F_dochod, k.fDochod) << k.what;
    }
}

TEST(PayrollContributionRates, FundsOf2004AndEmployerReliefsBeforeIt)
{
    const CalcContext c = demoContext();
    PayRecord r = step12Record(200312);
    r.ZPS = true;
    r.F_typ_ulavy_fz = 1; // ZPS employee
    r.F_typ_ulavy_sp = 3; // everybody
    Vypocet_poistneho(r, c);
    EXPECT_EQ(r.F_invalid, 0);
    EXPECT_EQ(r.Fz_invalid, 0);
    EXPECT_EQ(r.Fz_uraz, 0);
    EXPECT_EQ(r.Fz_rezerva, 0);
    EXPECT_TRUE(r.F_firma_zps);
    EXPECT_EQ(r.Fz_fondz, 0.5);
    EXPECT_EQ(r.Fz_garfond, 0.1);
    EXPECT_TRUE(r.ZPS1);
    EXPECT_EQ(r.Fz_nemoc, 0.7);
    EXPECT_EQ(r.Fz_dochod, 7);

    PayRecord later = step12Record(200401);
    later.ZPS = true;
    later.F_typ_ulavy_fz = 1;
    later.F_typ_ulavy_sp = 3;
    later.F_firma_zps = false;
    later.ZPS1 = false;
    Vypocet_poistneho(later, c);
    EXPECT_EQ(later.F_invalid, 3);
    EXPECT_EQ(later.Fz_uraz, 0.8);
    EXPECT_FALSE(later.F_firma_zps); // left as it was
    EXPECT_FALSE(later.ZPS1);
    EXPECT_EQ(later.Fz_fondz, 1);
    EXPECT_EQ(later.Fz_nemoc, 1.4);
}

TEST(PayrollContributions, FullMonthOf2005)
{
    const CalcContext c = demoContext();
    PayRecord r = step12Record(200503);
    r.N_premie = 1800;
    r.N_brutto = 19800;
    Vypocet_poistneho(r, c);
    EXPECT_EQ(r.N_zaklad_zp, 19800);
    EXPECT_EQ(r.O_zdravot, 792);
    EXPECT_EQ(r.Oz_zdravot, 1980);
    EXPECT_EQ(r.O_nemoc, 278); // 277.20 up
    EXPECT_EQ(r.Oz_nemoc, 278);
    EXPECT_EQ(r.O_dochod, 792);
    EXPECT_EQ(r.Oz_dochod, 2772);
    EXPECT_EQ(r.O_fondzam, 198);
    EXPECT_EQ(r.Oz_fondzam, 198);
    EXPECT_EQ(r.O_invalid, 594);
    EXPECT_EQ(r.Oz_invalid, 594);
    EXPECT_EQ(r.Oz_uraz, 159);     // 158.40
    EXPECT_EQ(r.Oz_rezerva, 941);  // 940.50
    EXPECT_EQ(r.Oz_garancne, 50);  // 49.50
    EXPECT_EQ(r.N_poist, 2654);
    EXPECT_EQ(r.N_poist3, 0);
    EXPECT_EQ(r.N_poist1, 2654);
}

TEST(PayrollContributions, RoundingByPeriodAndVersion)
{
    // Typed base 1786.07: sickness 1.4 % = 25.00498, health 4 % = 71.4428, 10 % = 178.607.
    struct Case {
        const char *what;
        int period, verzia;
        double nemoc, zdravot, zdravotFirma;
    } cases[] = {
        {"before 2006 cut to hundredths first", 200503, 0, 25, 72, 178.61},
        {"the 2005 health rule with version 300 is the general one", 200503, 300, 25, 72, 179},
        {"from 200509 employer health to whole crowns", 200509, 0, 25, 72, 179},
        {"from 2006 the pair alone; employee health keeps the cut", 200601, 0, 26, 72, 179},
        {"2004 employer health is never computed", 200412, 0, 25, 72, 0},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = k.period;
        r.Verzia = k.verzia;
        r.Automatika = false;
        r.U_zdrav = 1;
        r.U_nemoc = 1;
        r.N_zaklad_zp = 1786.07;
        r.N_zaklad_np = 1786.07;
        Vypocet_poistneho(r, c);
        EXPECT_DOUBLE_EQ(r.O_nemoc, k.nemoc) << k.what;
        EXPECT_DOUBLE_EQ(r.O_zdravot, k.zdravot) << k.what;
        EXPECT_DOUBLE_EQ(r.Oz_zdravot, k.zdravotFirma) << k.what;
    }
}

TEST(PayrollContributions, ParticipationCodes)
{
    struct Case {
        int code;
        bool employee, employer;
    } cases[] = {{0, false, false}, {1, true, true}, {2, true, false}, {3, false, true},
                 {4, true, false}, {5, true, false}, {6, false, false}};
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = 200609;
        r.N_zaklad_np = 10000;
        r.N_zaklad_up = 10000;
        r.U_nemoc = k.code;
        r.U_uraz = k.code;
        Vypocet_poistneho(r, c);
        EXPECT_EQ(r.O_nemoc != 0, k.employee) << k.code;
        EXPECT_EQ(r.Oz_nemoc != 0, k.employer) << k.code;
        EXPECT_EQ(r.Oz_uraz != 0, k.employer) << k.code;
        if (k.code == 4) {
            EXPECT_EQ(r.O_nemoc, 280); // 2.8 % of 10000
        }
    }
}

TEST(PayrollContributions, EmployeeBaseCappedByOtherEmployersBase)
{
    struct Case {
        double other, employeeAmount;
    } cases[] = {{0, 112}, {15000, 70}, {25000, 0}};
    CalcContext c = demoContext();
    c.params.set(20, 20000);
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = 200609;
        r.U_nemoc = 1;
        r.N_zaklad_np = 8000;
        r.N_zaklad_poist = k.other;
        Vypocet_poistneho(r, c);
        EXPECT_EQ(r.O_nemoc, k.employeeAmount) << k.other;
        EXPECT_EQ(r.Oz_nemoc, 112) << k.other; // the employer pays on the whole base
    }
}

TEST(PayrollContributions, NegativeBaseOfOtherEmployersIsRefused)
{
    const CalcContext c = demoContext();
    PayRecord r = step12Record(200609);
    r.N_zaklad_poist = -1;
    try {
        Vypocet_poistneho(r, c);
        FAIL() << "accepted";
    } catch (const tarix::EMyError &e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Nesprávna hodnota - položka Základ poistného u iných zamestnávateľov."));
    }
}

TEST(PayrollContributions, NegativeBases)
{
    const CalcContext c = demoContext();
    PayRecord automatic = step12Record(200609);
    automatic.V_plat = -1000;
    Vypocet_poistneho(automatic, c);
    EXPECT_EQ(automatic.O_nemoc, 0);
    EXPECT_EQ(automatic.Oz_dochod, 0);

    PayRecord typed;
    typed.V_obdobie = 200609;
    typed.Automatika = false;
    typed.U_nemoc = 1;
    typed.N_zaklad_np = -1000;
    Vypocet_poistneho(typed, c);
    EXPECT_EQ(typed.O_nemoc, -14);
}

TEST(PayrollContributions, GuaranteeFromAgreementsFromAugust2006)
{
    const CalcContext c = demoContext();
    PayRecord july = step12Record(200607);
    july.U_garancne = 0;
    july.Rezerva1 = 1;
    july.N_dohody_ovp = 1000;
    Vypocet_poistneho(july, c);
    EXPECT_EQ(july.Rezerva1, 0);
    EXPECT_EQ(july.U_garancne, 0);
    EXPECT_EQ(july.Oz_garancne, 0);

    PayRecord august = july;
    august.V_obdobie = 200608;
    august.Rezerva1 = 1;
    Vypocet_poistneho(august, c);
    EXPECT_EQ(august.U_garancne, 1);
    EXPECT_EQ(august.N_zaklad_gp, 19000); // 18000 + 1000 of agreements
    EXPECT_EQ(august.Oz_garancne, 48);    // 47.50 up
}

TEST(PayrollContributions, OneOffPaymentsShareBefore2000)
{
    const CalcContext c = demoContext();
    for (int period : {199912, 200001}) {
        PayRecord r = step12Record(period);
        r.V_plat = 0;
        r.N_jednoraz1 = 6000;
        r.N_jednoraz2 = 4000;
        Vypocet_poistneho(r, c);
        // 4 % + 1.4 % + 4 % + 1 % of 10000
        EXPECT_EQ(r.N_poist3, period == 199912 ? 1040 : 0) << period;
        EXPECT_EQ(r.N_poist1, r.N_poist - r.N_poist3) << period;
    }
}

TEST(PayrollContributions, SupplementaryPensionSaving)
{
    struct Case {
        double param26, sadzba, sadzbaFirma, expected, expectedFirma;
    } cases[] = {{0, 2, 3, 360, 540}, {1, 2, 3, 400, 600}, {0, 0, -1, 111, 222}};
    for (const Case &k : cases) {
        CalcContext c = demoContext();
        c.params.set(26, k.param26);
        PayRecord r = step12Record(200609);
        r.N_brutto = 20000;
        r.N_sadzba_ddp = k.sadzba;
        r.Nz_sadzba_ddp = k.sadzbaFirma;
        r.N_ddp = 111;
        r.Nz_ddp = 222;
        Vypocet_poistneho(r, c);
        EXPECT_EQ(r.N_ddp, k.expected) << k.param26 << " " << k.sadzba;
        EXPECT_EQ(r.Nz_ddp, k.expectedFirma) << k.param26 << " " << k.sadzba;
    }
}

TEST(PayrollContributions, HealthBaseTakesThisMonthsEmployerPension)
{
    const CalcContext c = demoContext();
    PayRecord r = step12Record(200609);
    r.Nz_sadzba_ddp = 3;
    r.Nz_ddp = 0; // nothing stored from an earlier calculation
    Vypocet_poistneho(r, c);
    EXPECT_EQ(r.Nz_ddp, 540);
    EXPECT_EQ(r.N_zaklad_zp, 18540);
    PayRecord again = r;
    Vypocet_poistneho(again, c);
    EXPECT_EQ(again, r);
}
