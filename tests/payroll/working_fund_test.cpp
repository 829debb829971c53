// A monthly wage with no working-time fund to prorate it against (0 working days of the
// month, or 0 daily hours): no base wage, the hourly rate keeps the value it has, and no
// amount of the record becomes infinite or undefined.
#include "dm_vyp_fixture.h"
#include "payroll_fixtures.h"

#include "payroll/calc/calculation.h"

#include <cmath>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

TEST(WorkingFund, WithoutAFundTheHourlyRateKeepsItsValue)
{
    const struct {
        const char *what;
        int fmes;
        double doba;
    } cases[] = {{"no working days in the month", 0, 8}, {"no daily hours", 21, 0}};
    for (const auto &k : cases) {
        CalcContext c = demoContext();
        c.employee.F_doba = k.doba; // step 1 copies the daily hours from the card
        PayRecord r = monthlyRecord();
        r.V_fmes = k.fmes;
        r.V_hodina = 160;
        r.V_sadzba = 95.5;
        r.V_sviatok = 1;
        r.Vh_nadcas = 4;
        Vypocet_vyplaty(r, c);
        QString bad;
        EXPECT_TRUE(allFinite(r, &bad)) << k.what << ": " << bad.toStdString();
        EXPECT_EQ(r.V_plat, 0) << k.what;
        EXPECT_EQ(r.V_sadzba, 95.5) << k.what;
        EXPECT_DOUBLE_EQ(r.N_nadcas, 4 * 95.5) << k.what << ": overtime at the kept rate";
        EXPECT_DOUBLE_EQ(r.N_sviatok, std::round(95.5 * k.doba)) << k.what << ": a monthly wage's holiday at the rate";

        PayRecord again = r;
        Vypocet_vyplaty(again, c);
        EXPECT_EQ(again, r) << k.what << ": computing again changes nothing";
    }
}

TEST(WorkingFund, WithAFundTheRateIsDerivedFromTheWage)
{
    const CalcContext c = demoContext();
    PayRecord r = monthlyRecord();
    r.V_hodina = 168;
    r.V_sadzba = 95.5;
    Vypocet_vyplaty(r, c);
    EXPECT_EQ(r.V_plat, 18000);
    EXPECT_NEAR(r.V_sadzba, 18000.0 / 168, 1e-9);
}

class WorkingFundTest : public PayrollModuleTest {};

TEST_F(WorkingFundTest, AMonthWithoutAFundIsStoredWithTheRateItHad)
{
    setPeriod(1);
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    db::Table &t = dmv->TVYP_;
    t.insert();
    t.setValue("V_den", 20);
    dmv->Vypocet_vyplaty();
    const double rate = t.fieldByName("V_sadzba").asFloat();
    ASSERT_GT(rate, 0);
    t.setValue("V_fmes", 0);
    dmv->Vypocet_vyplaty();
    t.post();

    const db::SqlResult r = payroll(1, 200701);
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.asFloat(0, r.columnIndex("V_plat")), 0);
    EXPECT_EQ(r.asFloat(0, r.columnIndex("V_sadzba")), rate);
    for (int col = 0; col < r.columnCount(); ++col) {
        const QVariant v = r.value(0, col);
        if (v.typeId() == QMetaType::Double) {
            EXPECT_TRUE(std::isfinite(v.toDouble())) << r.columnName(col).toStdString();
        }
    }

    // The batch recalculation keeps the stored record as it is.
    session.execute("update \":tarix_data:vyp\" set rezerva1 = 1 where code_emp = 1");
    const auto before = storedMonth(200701);
    EXPECT_EQ(dmv->Prepocitanie_vyplat(3), 1);
    EXPECT_EQ(storedMonth(200701), before);
}

} // namespace
