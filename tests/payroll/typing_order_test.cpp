// The inputs that the calculation fills itself while they are 0 (the hours worked of a
// monthly-paid employee from the days, the hourly average from the wage sum) are derived
// again at every calculation, so that a payroll does not depend on the order in which its
// fields were typed; a value the clerk typed, or the quarter's average of a new record, is
// kept, also when the stored record is opened again.
#include "dm_vyp_fixture.h"
#include "payroll_fixtures.h"

#include "core/helpers/messages.h"
#include "payroll/calc/calculation.h"
#include "payroll/calc/derived_inputs.h"

#include <algorithm>
#include <vector>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

// ---- the decision on a record (no database) -------------------------------------------------

// A monthly-paid record whose calculation derives 160 hours from 20 days.
PayRecord monthlyInputs()
{
    PayRecord r = monthlyRecord(200503);
    r.MV_plat = 18000;
    r.Fixny_mv_plat = false;
    r.V_den = 20;
    r.V_hodina = 0;
    r.V_priemer1 = 0;
    r.Vh_priplat1 = 6;
    r.V_holiday = 1;
    return r;
}

PayRecord calculated(PayRecord r, const CalcContext &c)
{
    Vypocet_vyplaty(r, c);
    return r;
}

TEST(DerivedInputs, DecidesEachFieldFromWhereItsValueCameFrom)
{
    const CalcContext c = demoContext();
    PayRecord base = monthlyInputs();
    base.Code_emp = 1;
    const PayRecord derived = calculated(base, c); // hours and average both derived
    ASSERT_DOUBLE_EQ(derived.V_hodina, 160);
    ASSERT_GT(derived.V_priemer1, 0);

    const double typedHoursAverage =
        calculated([&] { PayRecord r = base; r.V_hodina = 150; return r; }(), c).V_priemer1;

    enum Origin { NewRecord, AsRead, ChangedInTheEdit };
    struct Case {
        const char *what;
        bool remembered; // the last calculation of this record derived both fields
        double hodina, priemer1;
        Origin origin;
        double den; // the days now (the record was read with 20)
        bool hodinaZeroed, priemer1Zeroed;
    } cases[] = {
        {"values the last calculation derived", true, derived.V_hodina, derived.V_priemer1, ChangedInTheEdit, 20,
         true, true},
        {"values typed over the derived ones", true, 150, 90, ChangedInTheEdit, 20, false, false},
        {"typed hours, the average still the derived one", true, 150, derived.V_priemer1, ChangedInTheEdit, 20,
         false, true},
        {"stored values the calculation derives", false, derived.V_hodina, derived.V_priemer1, AsRead, 20,
         true, true},
        {"stored derived values, the days changed in the edit", false, derived.V_hodina, derived.V_priemer1,
         AsRead, 15, true, true},
        {"stored values it does not derive", false, 150, 90, AsRead, 20, false, false},
        {"stored typed hours with the average derived from them", false, 150, typedHoursAverage, AsRead, 20,
         false, true},
        {"a new record's values not written by the calculation", false, 150, 90, NewRecord, 20, false, false},
        {"a new record's value equal to the derived one is still its own", false, derived.V_hodina,
         derived.V_priemer1, NewRecord, 20, false, false},
    };
    for (const Case &k : cases) {
        DerivedInputs d;
        if (k.remembered)
            d.remember(base /* both fields 0 going in */, derived);
        PayRecord stored = derived;
        stored.V_hodina = k.hodina;
        stored.V_priemer1 = k.priemer1;
        PayRecord current = stored;
        current.V_den = k.den;
        if (k.origin == ChangedInTheEdit) {
            stored.V_hodina = 1;
            stored.V_priemer1 = 1;
        }
        const PayRecord r = d.prepare(current, k.origin == NewRecord ? nullptr : &stored, c);
        EXPECT_EQ(r.V_hodina == 0, k.hodinaZeroed) << k.what;
        EXPECT_EQ(r.V_priemer1 == 0, k.priemer1Zeroed) << k.what;
        if (!k.hodinaZeroed) {
            EXPECT_EQ(r.V_hodina, k.hodina) << k.what;
        }
        if (!k.priemer1Zeroed) {
            EXPECT_EQ(r.V_priemer1, k.priemer1) << k.what;
        }
    }
}

TEST(DerivedInputs, RemembersOnlyTheRecordItWasToldAbout)
{
    const CalcContext c = demoContext();
    PayRecord base = monthlyInputs();
    base.Code_emp = 1;
    const PayRecord derived = calculated(base, c);
    DerivedInputs d;
    d.remember(base, derived);

    // Another employee's record holding the same values, changed in its own edit: typed.
    PayRecord other = derived;
    other.Code_emp = 2;
    PayRecord read = other;
    read.V_hodina = read.V_priemer1 = 1;
    const PayRecord r = d.prepare(other, &read, c);
    EXPECT_EQ(r.V_hodina, derived.V_hodina);
    EXPECT_EQ(r.V_priemer1, derived.V_priemer1);

    d.forget();
    const PayRecord same = d.prepare(derived, nullptr, c);
    EXPECT_EQ(same.V_priemer1, derived.V_priemer1) << "forgotten: nothing counts as derived";
}

// ---- the payroll table, as the screen drives it on every field exit ---------------------------

struct Input {
    const char *field;
    double value;
};

class TypingOrderTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        setPeriod(1);
    }

    // A data module of its own, as after a restart: nothing remembered of any record.
    void freshModule()
    {
        dmv.reset();
        dmv = openPayrollModule();
        ASSERT_TRUE(dmv->TVYP_.findKey({1, 200701}));
    }

    // Inserts employee 1's payroll of the open month and types `inputs` in order, each
    // followed by the calculation that leaving the field runs.
    void typeNewPayroll(const std::vector<Input> &inputs)
    {
        dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
        dmv->TVYP_.insert();
        type(inputs);
    }

    void type(const std::vector<Input> &inputs)
    {
        for (const Input &in : inputs) {
            dmv->TVYP_.setValue(in.field, in.value);
            dmv->Vypocet_vyplaty();
        }
    }

    double field(const char *name) { return dmv->TVYP_.fieldByName(name).asFloat(); }

    // The hourly average that the calculation derives from the current record's inputs.
    double derivedAverage()
    {
        PayRecord r = dmv->currentPayroll();
        r.V_priemer1 = 0;
        Vypocet_vyplaty(r, dmv->payrollContext(r));
        return r.V_priemer1;
    }

    QVariantList storedRow(int period = 200701)
    {
        const db::SqlResult r = payroll(1, period);
        QVariantList values;
        if (r.rowCount() == 1)
            for (int c = 0; c < r.columnCount(); ++c)
                values << r.value(0, c);
        return values;
    }

    double stored(const char *name, int period = 200701)
    {
        const db::SqlResult r = payroll(1, period);
        return r.asFloat(0, r.columnIndex(name));
    }

    void deletePayroll(int period = 200701)
    {
        ASSERT_TRUE(dmv->TVYP_.findKey({1, period}));
        scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
        dmv->TVYP_.deleteRecord();
    }
};

// Days, hours with overtime, weekend surcharges, rewards, a free surcharge of the hourly
// average and a day of holiday: what the hourly average comes from and what it feeds.
const std::vector<Input> kInputs{{"V_den", 20},      {"V_hodina", 172}, {"Vh_nadcas", 12},
                                 {"Vh_sobota", 8},   {"Vh_nedela", 4},  {"Vh_priplat1", 6},
                                 {"V_holiday", 1},   {"N_odmeny", 3000}};

TEST_F(TypingOrderTest, TheSameInputsGiveTheSameStoredPayrollInAnyOrder)
{
    std::vector<int> hoursFirst{1, 0, 2, 3, 4, 5, 6, 7};
    std::vector<int> daysFirst{0, 1, 2, 3, 4, 5, 6, 7};
    std::vector<int> surchargesFirst{2, 3, 4, 5, 6, 7, 0, 1};
    std::vector<int> reversed{7, 6, 5, 4, 3, 2, 1, 0};
    std::vector<int> daysAgainAtTheEnd{1, 2, 3, 0, 4, 5, 7, 6, 0};
    const struct {
        const char *what;
        std::vector<int> order;
    } orders[] = {{"hours first", hoursFirst},
                  {"days first", daysFirst},
                  {"surcharges first", surchargesFirst},
                  {"reversed", reversed},
                  {"days typed again at the end", daysAgainAtTheEnd}};

    QVariantList reference;
    double referenceNet = 0;
    for (const auto &o : orders) {
        std::vector<Input> inputs;
        for (int i : o.order)
            inputs.push_back(kInputs[size_t(i)]);
        typeNewPayroll(inputs);
        dmv->TVYP_.post();
        const QVariantList row = storedRow();
        ASSERT_FALSE(row.isEmpty()) << o.what;
        // The average is the one of the final inputs, not of the hours first derived from
        // the days.
        EXPECT_DOUBLE_EQ(stored("V_hodina"), 172) << o.what;
        EXPECT_EQ(stored("V_priemer1"), derivedAverage()) << o.what;
        if (reference.isEmpty()) {
            reference = row;
            referenceNet = stored("N_netto");
            EXPECT_GT(stored("N_holiday"), 0);
            EXPECT_GT(stored("Vp_priplat1"), 0);
        } else {
            EXPECT_EQ(row, reference) << o.what;
            EXPECT_DOUBLE_EQ(stored("N_netto"), referenceNet) << o.what;
        }
        deletePayroll();
    }
}

TEST_F(TypingOrderTest, DerivedHoursFollowTheDaysAndTypedHoursStay)
{
    typeNewPayroll({{"V_den", 20}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 160);
    type({{"V_den", 18}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 144) << "derived from the days again";
    type({{"V_hodina", 144}, {"V_den", 19}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 144) << "typed, though equal to the derived hours: kept";
    type({{"V_hodina", 150}, {"V_den", 19}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 150) << "typed: kept";
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_hodina"), 150);

    // Opened again: the stored hours differ from the days' hours, so they were typed.
    freshModule();
    dmv->TVYP_.edit();
    type({{"V_den", 17}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 150);
    dmv->TVYP_.cancel();

    // Hours that are the days' hours count as derived when the record is opened again.
    dmv->TVYP_.edit();
    type({{"V_hodina", 0}, {"V_den", 20}});
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_hodina"), 160);
    freshModule();
    dmv->TVYP_.edit();
    type({{"V_den", 15}});
    EXPECT_DOUBLE_EQ(field("V_hodina"), 120);
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_hodina"), 120);
}

TEST_F(TypingOrderTest, ATypedAverageIsKeptAlsoWhenTheRecordIsOpenedAgain)
{
    typeNewPayroll({{"V_den", 20}, {"V_hodina", 160}, {"N_odmeny", 3000}, {"Vh_priplat1", 6}});
    const double derivedAt160 = field("V_priemer1");
    type({{"V_hodina", 172}});
    const double derivedAt172 = field("V_priemer1");
    EXPECT_NE(derivedAt172, derivedAt160) << "derived again from the new hours";
    EXPECT_EQ(derivedAt172, derivedAverage());

    type({{"V_priemer1", 150}, {"V_hodina", 168}});
    EXPECT_DOUBLE_EQ(field("V_priemer1"), 150);
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_priemer1"), 150);

    // Opened again and recalculated with other hours: the typed average stays, also through
    // the batch recalculation of the month.
    freshModule();
    dmv->TVYP_.edit();
    type({{"V_hodina", 176}});
    EXPECT_DOUBLE_EQ(field("V_priemer1"), 150);
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_priemer1"), 150);
    session.execute("update \":tarix_data:vyp\" set rezerva1 = 1 where code_emp = 1");
    EXPECT_EQ(dmv->Prepocitanie_vyplat(3), 1);
    EXPECT_DOUBLE_EQ(stored("V_priemer1"), 150);

    // A derived average stored and opened again is derived again from the new hours.
    dmv->TVYP_.edit();
    type({{"V_priemer1", 0}});
    dmv->TVYP_.post();
    const double derivedAt176 = stored("V_priemer1");
    EXPECT_EQ(derivedAt176, derivedAverage());
    freshModule();
    dmv->TVYP_.edit();
    type({{"V_hodina", 172}});
    dmv->TVYP_.post();
    EXPECT_EQ(stored("V_priemer1"), derivedAt172);
}

TEST_F(TypingOrderTest, ANewRecordKeepsTheQuartersAverage)
{
    for (int month : {10, 11, 12}) {
        setPeriod(month, 2006);
        newPayroll(kDemo[0]);
        session.execute("update \":tarix_data:vyp\" set n_mzda = n_mzda + 5000 where code_emp = 1 and v_obdobie = :p",
                        {{"p", 200600 + month}});
    }
    setPeriod(1);
    typeNewPayroll({{"V_den", 20}});
    const double quarter = field("V_priemer1");
    ASSERT_GT(quarter, 0);
    type({{"V_hodina", 172}, {"Vh_nadcas", 12}});
    EXPECT_DOUBLE_EQ(field("V_priemer1"), quarter);
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_priemer1"), quarter);

    freshModule();
    dmv->TVYP_.edit();
    type({{"V_hodina", 160}});
    dmv->TVYP_.post();
    EXPECT_DOUBLE_EQ(stored("V_priemer1"), quarter);
}

} // namespace
