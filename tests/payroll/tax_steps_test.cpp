// Steps 13, 14, 16 and 17 and the tax-band routines.
#include "payroll_fixtures.h"

#include "payroll/calc/tax_bands.h"

#include <QMap>

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

PayRecord taxRecord(int period)
{
    PayRecord r;
    r.V_obdobie = period;
    r.Automatika = true;
    r.N_brutto = 30000;
    r.N_socfond = 700;
    r.N_jednoraz1 = 2000;
    r.Pouz_auto = 400;
    r.Zvys_ostatne = 100;
    r.Nz_ddp = 540;
    r.N_ddp = 360;
    r.N_poist1 = 3000;
    r.N_nahrada_pn = 900;
    return r;
}

} // namespace

TEST(PayrollStep13, PartialTaxBasesByPeriod)
{
    // 30000 - 700 - 2000 + 400 + 100 + 540 - 3000 - 900 = 24440 before the period rules.
    struct Case {
        const char *what;
        int period;
        double settlement;
        int withholding;
        double poist3;
        double d1, d2, d3, total;
    } cases[] = {
        {"2006: social fund and one-off pay in the advance base", 200609, 0, 0, 0,
         27140, 0, 0, 27140},
        {"2004: the employee's pension saving lowers the base", 200412, 0, 0, 0,
         26780, 0, 0, 26780},
        {"2003: social fund taxed apart", 200312, 0, 0, 0, 26080, 700, 0, 26080},
        {"1999: one-off pay taxed by the annual bands", 199912, 0, 0, 500,
         24080, 700, 1500, 25580},
        {"a negative health settlement lowers the base", 200609, -500, 0, 0,
         26640, 0, 0, 26640},
        {"a positive one only from 2007", 200612, 500, 0, 0, 27140, 0, 0, 27140},
        {"positive settlement in 2007", 200701, 500, 0, 0, 26640, 0, 0, 26640},
        {"withholding tax takes the whole base", 200609, 0, 1, 0, 0, 27140, 0, 0},
        {"withholding tax before 2000", 199912, 0, 1, 500, 0, 26280, 0, 0},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r = taxRecord(k.period);
        r.Vyrovnanie_zp = k.settlement;
        r.Dan_vyrovnana = k.withholding;
        r.N_poist3 = k.poist3;
        Vypocet_ciastkoveho_zakladu_dane(r, c);
        EXPECT_DOUBLE_EQ(r.D_ciastzd1, k.d1) << k.what;
        EXPECT_DOUBLE_EQ(r.D_ciastzd2, k.d2) << k.what;
        EXPECT_DOUBLE_EQ(r.D_ciastzd3, k.d3) << k.what;
        EXPECT_DOUBLE_EQ(r.D_ciastzd, k.total) << k.what;
    }
}

TEST(PayrollStep13, NegativeBasesBecomeZero)
{
    const CalcContext c = demoContext();
    PayRecord r = taxRecord(199912);
    r.N_brutto = 1000;
    r.N_poist3 = 9000;
    Vypocet_ciastkoveho_zakladu_dane(r, c);
    EXPECT_EQ(r.D_ciastzd1, 0);
    EXPECT_EQ(r.D_ciastzd3, 0);
    EXPECT_EQ(r.D_ciastzd, 0);
}

TEST(PayrollStep13, TransportAllowancesOf1999)
{
    struct Case {
        int period;
        double brutto, dopravne;
        bool extraordinary, automatic;
        double expDopravne, expMimoriadne;
    } cases[] = {
        {199906, 9000, 800, true, true, 800, 300},   // at most parameter 4: extraordinary 300
        {199906, 12000, 800, true, true, 500, 0},    // above it: capped to parameter 1
        {199906, 12000, 800, true, false, 800, 0},   // typed bases: no cap
        {199903, 9000, 800, true, true, 800, 0},     // before the rules
        {200001, 12000, 800, true, true, 800, 0},    // after them
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = k.period;
        r.N_brutto = k.brutto;
        r.Dopravne = k.dopravne;
        r.U_dopravne_mimoriadne = k.extraordinary;
        r.Automatika = k.automatic;
        Vypocet_ciastkoveho_zakladu_dane(r, c);
        EXPECT_EQ(r.Dopravne, k.expDopravne) << k.period << " " << k.brutto;
        EXPECT_EQ(r.Dopravne_mimoriadne, k.expMimoriadne) << k.period << " " << k.brutto;
    }
}

TEST(PayrollStep14, NonTaxableAmounts)
{
    struct Case {
        const char *what;
        int period;
        bool claims;
        std::optional<double> employeeAmount;
        double minimum, deti, total;
    } cases[] = {
        {"no claim", 200609, false, 5000, 0, 0, 100},
        {"empty amount on the card: parameter 23", 200609, true, std::nullopt, 7328, 0, 7428},
        {"typed 0 on the card", 200609, true, 0.0, 0, 0, 100},
        {"typed amount on the card", 200609, true, 5000.0, 5000, 0, 5100},
        {"child amount stays before 2004", 200312, true, 5000.0, 5000, 1500, 6600},
    };
    for (const Case &k : cases) {
        CalcContext c = demoContext();
        c.employee.Nc_minimum = k.employeeAmount;
        PayRecord r;
        r.V_obdobie = k.period;
        r.U_nezdc = k.claims;
        r.Nc_minimum = 999;
        r.Nc_deti = 1500;
        r.Nc_ine = 100;
        Vypocet_nezdanitelnych_castok(r, c);
        EXPECT_EQ(r.Nc_minimum, k.minimum) << k.what;
        EXPECT_EQ(r.Nc_deti, k.deti) << k.what;
        EXPECT_EQ(r.Nc_spolu, k.total) << k.what;
    }
}

TEST(PayrollStep16, TaxableWages)
{
    struct Case {
        double d1, nc;
        int withholding;
        double d2, d3, exp1, exp2, exp3;
    } cases[] = {
        {7365.20, 7328, 0, 0, 0, 38, 0, 0},            // 37.20 up to whole crowns
        {7428.00, 7328, 0, 0, 0, 100, 0, 0},           // 100.00 the last so treated
        {7428.01, 7328, 0, 0, 0, 100, 0, 0},           // 100.01 by the pair: down
        {17146.90, 7328, 0, 0, 0, 9818, 0, 0},
        {5000, 7328, 0, 0, 0, 0, 0, 0},                // below the non-taxable amount
        {0, 0, 1, 4999.9, 0, 0, 4999.9, 0},            // withholding tax
        {0, 0, 0, 0, 2500.75, 0, 0, 2500},             // one-off income cut to crowns
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = 200609;
        r.D_ciastzd1 = k.d1;
        r.Nc_spolu = k.nc;
        r.Dan_vyrovnana = k.withholding;
        r.D_ciastzd2 = k.d2;
        r.D_ciastzd3 = k.d3;
        Vypocet_zdanitelnej_mzdy(r, c);
        EXPECT_DOUBLE_EQ(r.D_zdanmzda1, k.exp1) << k.d1;
        EXPECT_DOUBLE_EQ(r.D_zdanmzda2, k.exp2) << k.d1;
        EXPECT_DOUBLE_EQ(r.D_zdanmzda3, k.exp3) << k.d1;
    }
}

TEST(PayrollStep17, AdvanceWithholdingAndOneOffTax)
{
    struct Case {
        const char *what;
        double z1, z2, z3;
        int withholding;
        bool nonResident;
        double dan, preddavok1, preddavok3;
    } cases[] = {
        {"advance 19 %, cut to crowns", 9818, 0, 0, 0, false, 0, 1865, 0},
        {"non-resident: no advance", 9818, 0, 0, 0, true, 0, 0, 0},
        {"withholding tax cuts the wage to crowns first", 0, 4999.9, 0, 1, false, 949, 0, 0},
        {"withholding tax of 0 is still computed", 0, 0, 0, 1, false, 0, 0, 0},
        {"one-off income by the annual bands", 0, 0, 10000, 0, false, 0, 0, 1900},
    };
    const CalcContext c = demoContext();
    for (const Case &k : cases) {
        PayRecord r;
        r.V_obdobie = 200609;
        r.F_dan_sadzba1 = 19;
        r.D_zdanmzda1 = k.z1;
        r.D_zdanmzda2 = k.z2;
        r.D_zdanmzda3 = k.z3;
        r.Dan_vyrovnana = k.withholding;
        r.Dan_nerezident = k.nonResident;
        r.D_dan = -1;
        Vypocet_dane(r, c);
        EXPECT_DOUBLE_EQ(r.D_dan, k.dan) << k.what;
        EXPECT_DOUBLE_EQ(r.D_preddavok1, k.preddavok1) << k.what;
        EXPECT_DOUBLE_EQ(r.D_preddavok3, k.preddavok3) << k.what;
        EXPECT_DOUBLE_EQ(r.D_preddavok, k.preddavok1 + k.preddavok3) << k.what;
    }
}

TEST(PayrollTaxBands, MonthlyAdvanceFromTheBands)
{
    const TaxBands bands{{0, 10, 1200, 0}, {120000, 20, 13200, 0}};
    const SurchargeTable none;
    struct Case {
        double base, expected;
    } cases[] = {
        {0, 100},            // the first band's fixed part alone
        {9999.99, 100 + 999.999},
        {10000, 1100},       // twelve times the base equals the band start: the upper band
        {12000, 1100 + 400},
    };
    for (const Case &k : cases)
        EXPECT_NEAR(Preddavok_dane_podla_pasiem(bands, none, 200609, k.base), k.expected, 1e-9) << k.base;
    EXPECT_EQ(Preddavok_dane_podla_pasiem({}, none, 200609, 50000), 0);
    EXPECT_EQ(Dan_podla_pasiem({}, none, 200609, true, 50000), 0);
    EXPECT_NEAR(Dan_podla_pasiem(bands, none, 200609, false, 150000), 13200 + 6000, 1e-9);
}

TEST(PayrollTaxBands, SurchargeTableReadFromTheIniSection)
{
    const QMap<QString, int> ini{{"Pasmo1", 400000}, {"Sadzba1", 50},  // rate not below 50
                                 {"Pasmo2", 300000}, {"Sadzba2", 10},  // band below 367200
                                 {"Pasmo3", 500000}, {"Sadzba3", 10},
                                 {"Pasmo5", 800000}, {"Sadzba5", 49},
                                 {"Pasmo6", 900000}, {"Sadzba6", 0}};
    const SurchargeTable t = SurchargeTable::Nacitaj_milionarsku_dan(
        [&ini](const QString &key, int def) { return ini.value(key, def); });
    EXPECT_EQ(t.Obdobie_od, 199805);
    EXPECT_EQ(t.Obdobie_do, 199903);
    ASSERT_EQ(t.pairs.size(), 2u);
    EXPECT_EQ(t.pairs[0].Pasmo, 500000);
    EXPECT_EQ(t.pairs[0].Sadzba, 10);
    EXPECT_EQ(t.pairs[1].Pasmo, 800000);
    EXPECT_EQ(t.pairs[1].Sadzba, 49);
}

TEST(PayrollTaxBands, SurchargeOnHighTaxesInsideItsWindow)
{
    SurchargeTable t;
    t.pairs = {{500000, 10}, {800000, 20}};
    // Compared with the tax itself: a twelfth of each band for a monthly tax.
    EXPECT_NEAR(Milionarska_dan_mesacna(t, 40000), 40000, 1e-9);
    EXPECT_NEAR(Milionarska_dan_mesacna(t, 50000), 55000, 1e-9);
    EXPECT_NEAR(Milionarska_dan_mesacna(t, 70000), 84000, 1e-9);
    EXPECT_NEAR(Milionarska_dan_rocna(t, 600000), 660000, 1e-9);

    const TaxBands flat{{0, 100, 0, 0}}; // the whole base as tax
    EXPECT_NEAR(Preddavok_dane_podla_pasiem(flat, t, 199903, 50000), 55000, 1e-9);
    EXPECT_NEAR(Preddavok_dane_podla_pasiem(flat, t, 199904, 50000), 50000, 1e-9);
    EXPECT_NEAR(Dan_podla_pasiem(flat, t, 199805, true, 600000), 660000, 1e-9);

    // The annual settlement: only with the switch, and only up to the year before the
    // window's last year.
    EXPECT_NEAR(Dan_podla_pasiem(flat, t, 199812, false, 600000), 600000, 1e-9);
    t.rocnyPrepinac = true;
    EXPECT_NEAR(Dan_podla_pasiem(flat, t, 199812, false, 600000), 660000, 1e-9);
    EXPECT_NEAR(Dan_podla_pasiem(flat, t, 199912, false, 600000), 600000, 1e-9);
}
