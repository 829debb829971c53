// The health-insurance statements' totals as the printouts, the RTF statement, the cost
// recapitulation and the insurers' batch read them: group B by the reduced-rate rule, what
// each kind of insurance (u_zdrav) adds, persons with a base of 0, the employer's advance
// cut to hallers before it is rounded up, and before 2005 the employer's premium computed
// once from the insurer's base.
#include "health_fixture.h"

#include "platform/errors.h"
#include "reports/health/rexzp.h"
#include "reports/health/zp2005vy.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::HealthFirm;

namespace {

class HealthTotals : public HealthFirm {};

} // namespace

TEST_F(HealthTotals, GroupBFollowsTheReducedRateRuleOfThePeriod)
{
    const struct {
        int period;
        bool ztp;
        double miera;
        bool groupB;
    } cases[] = {
        {200508, true, 0, false},      // ZTP alone does not count before September 2005
        {200508, true, 40.01, true},   // a reduction reaching parameter 29 does
        {200508, false, 40, false},    // just below it does not
        {200509, true, 0, true},       // from 200509 ZTP alone puts the person into group B
        {200509, false, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.period << " ztp " << c.ztp << " miera " << c.miera);
        session.execute("delete from \":tarix_data:vyp\"");
        insertVyp(1, c.period, {{"KZP", 24}, {"ZTP", c.ztp ? 1 : 0}, {"Miera_poklesu", c.miera},
                                {"N_zaklad_zp", 1000}, {"O_zdravot", 40}, {"Oz_zdravot", 100}});
        const HealthSums s = ZP2005VY::Spocitaj_poistovnu(session, c.period, 1, 99, 24);
        EXPECT_EQ(s.grandTotal().Pocet_b, c.groupB ? 1 : 0);
        EXPECT_EQ(s.grandTotal().Pocet_a, c.groupB ? 0 : 1);
        EXPECT_EQ(c.groupB ? s.grandTotal().Zaklad_b : s.grandTotal().Zaklad_a, 1000);
    }
}

TEST_F(HealthTotals, EachKindOfInsuranceAddsItsParts)
{
    // u_zdrav 2: base and the employee's part; 3: the employer's part only (with the base);
    // 1, 4 and 5 as the table shows; other values are not reported at all.
    const struct {
        int u;
        int pocet;
        double zaklad, zakladOz, o, oz;
    } cases[] = {
        {1, 1, 1000, 1000, 40, 100}, {2, 1, 1000, 0, 40, 0}, {3, 1, 1000, 1000, 0, 100},
        {4, 1, 1000, 0, 40, 0},      {5, 1, 1000, 0, 40, 0}, {6, 0, 0, 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "u_zdrav " << c.u);
        session.execute("delete from \":tarix_data:vyp\"");
        insertVyp(1, 200503, {{"KZP", 24}, {"U_zdrav", c.u}, {"N_zaklad_zp", 1000}, {"O_zdravot", 40},
                              {"Oz_zdravot", 100}, {"V_kal_dni", 31}});
        const Suma_ZP r = ZP2005VY::Spocitaj_poistovnu(session, 200503, 1, 99, 24).grandTotal();
        EXPECT_EQ(r.Pocet_a, c.pocet);
        EXPECT_EQ(r.Zaklad_a, c.zaklad);
        EXPECT_EQ(r.Zaklad_oz_a, c.zakladOz);
        EXPECT_EQ(r.O_zdravot_a, c.o);
        EXPECT_EQ(r.Oz_zdravot_a, c.oz);
        // The statement before 2005 adds the same parts.
        const Suma_ZP z = RexZP::Spocitaj_poistovnu(session, 200503, 1, 99, 24).grandTotal();
        EXPECT_EQ(z.Zaklad_a, c.zaklad);
        EXPECT_EQ(z.O_zdravot_a, c.o);
        EXPECT_EQ(z.Oz_zdravot_a, c.oz);
    }
}

TEST_F(HealthTotals, ABaseOfZeroCountsAsReportedButNotAsPaying)
{
    insertVyp(1, 200509, {{"KZP", 24}, {"N_zaklad_zp", 0}, {"N_prijem_zp", 500}, {"V_kal_dni", 30}});
    insertVyp(2, 200509, {{"KZP", 24}, {"N_zaklad_zp", 800}, {"N_prijem_zp", 800}, {"V_kal_dni", 30},
                          {"V_nepoist_zp", 4}});
    insertVyp(3, 200509, {{"KZP", 24}, {"ZTP", 1}, {"N_zaklad_zp", 0}, {"N_prijem_zp", 300}, {"V_kal_dni", 30}});
    const Suma_ZP r = ZP2005VY::Spocitaj_poistovnu(session, 200509, 1, 99, 24).grandTotal();
    EXPECT_EQ(r.Pocet_a, 2);        // rows 1 and 2
    EXPECT_EQ(r.Platiaci_a, 1);     // rows 3 to 5: only the one with a base
    EXPECT_EQ(r.Dni_a, 26);         // 30 calendar days less 4 not insured
    EXPECT_EQ(r.Prijem_a, 800);
    EXPECT_EQ(r.Pocet_b, 1);        // row 10
    EXPECT_EQ(r.Platiaci_b, 0);     // rows 11 to 13
    EXPECT_EQ(r.Dni_b, 0);
    EXPECT_EQ(r.Prijem_b, 0);
}

TEST_F(HealthTotals, EmployerAdvanceIsCutToHallersBeforeItIsRoundedUp)
{
    const struct {
        double suma, preddavok;
    } cases[] = {{1234.00000001, 1234}, {1234.01, 1235}, {1234, 1234}, {0, 0}, {0.001, 0}, {999.999, 1000}};
    for (const auto &c : cases)
        EXPECT_EQ(ZP2005VY::employerAdvance(c.suma), c.preddavok) << c.suma;

    // Through the statement: the records' parts add up to 1234.01 in centres 1 and 2.
    insertVyp(1, 200503, {{"KZP", 24}, {"SID", 1}, {"N_zaklad_zp", 6170}, {"Oz_zdravot", 617.00}});
    insertVyp(2, 200503, {{"KZP", 24}, {"SID", 2}, {"N_zaklad_zp", 6170}, {"Oz_zdravot", 617.01}});
    const HealthSums s = ZP2005VY::Spocitaj_poistovnu(session, 200503, 1, 99, 24);
    EXPECT_EQ(s.grandTotal().Oz_zdravot_a, 1235);
    EXPECT_EQ(s.Sumy[1].Oz_zdravot_a, 617.00); // the centres keep their sums
    EXPECT_EQ(s.Sumy[2].Oz_zdravot_a, 617.01);
}

TEST_F(HealthTotals, BeforeTwoThousandFiveTheEmployerPremiumIsComputedOnceFromTheBase)
{
    for (int emp : {1, 2, 3})
        insertVyp(emp, 200412, {{"KZP", 24}, {"N_zaklad_zp", 10000.40}, {"Fz_zdravot", 10}, {"Oz_zdravot", 1000.04}});
    insertVyp(4, 200412, {{"KZP", 24}, {"ZPS", 1}, {"N_zaklad_zp", 5000}, {"Fz_zdravot", 2.6}, {"Oz_zdravot", 130}});
    // 30 001.20 x 10 % = 3 000.12, rounded up once for the insurer.
    const HealthSums s = RexZP::Spocitaj_poistovnu(session, 200412, 1, 99, 24);
    EXPECT_EQ(s.grandTotal().Oz_zdravot_a, 3001);
    EXPECT_EQ(s.grandTotal().Oz_zdravot_b, 130);
    EXPECT_EQ(s.grandTotal().Pocet_a, 3);
    EXPECT_EQ(s.grandTotal().Pocet_b, 1);

    // From 2005 the stored employer parts are summed as they are.
    for (int emp : {1, 2, 3})
        insertVyp(emp, 200501, {{"KZP", 24}, {"N_zaklad_zp", 10000.40}, {"Fz_zdravot", 10}, {"Oz_zdravot", 1000.04}});
    EXPECT_DOUBLE_EQ(RexZP::Spocitaj_poistovnu(session, 200501, 1, 99, 24).grandTotal().Oz_zdravot_a, 3000.12);
}

TEST_F(HealthTotals, EveryInsurerInItsOrderFromOneRead)
{
    insertVyp(3, 200503, {{"KZP", 25}, {"N_zaklad_zp", 300}});
    insertVyp(1, 200503, {{"KZP", 24}, {"N_zaklad_zp", 100}});
    insertVyp(2, 200503, {{"KZP", 24}, {"N_zaklad_zp", 200}});
    insertVyp(4, 200503, {{"KZP", 0}, {"N_zaklad_zp", 400}});     // no insurer: not reported
    insertVyp(5, 200503, {{"KZP", 21}, {"U_zdrav", 0}});          // not insured
    const std::vector<HealthSums> v = ZP2005VY::computeStatements(session, 200503, 1, 99);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].kzp, 24);
    EXPECT_EQ(v[0].grandTotal().Zaklad_a, 300);
    EXPECT_EQ(v[1].kzp, 25);
    EXPECT_EQ(ZP2005VY::insurerRows(session, 200503, 1, 99), (QList<int>{24, 25}));
}

TEST_F(HealthTotals, AFailingQueryRaisesInsteadOfGivingZeros)
{
    insertVyp(1, 200503, {{"KZP", 24}, {"SID", 0}, {"N_zaklad_zp", 100}});
    EXPECT_THROW(ZP2005VY::computeStatements(session, 200503, 0, 99), EMyError);
    session.execute("drop table \":tarix_data:vyp\"");
    EXPECT_ANY_THROW(ZP2005VY::computeStatements(session, 200503, 1, 99));
    EXPECT_ANY_THROW(RexZP::computeStatements(session, 200412, 1, 99));
}
