// The health-insurance statement's test of its second row, TDMV::Nad_hranicou_prijmu: by
// itself on the year's statutory threshold, and against the rate the calculation charged.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"

#include <set>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using NadHranicou = PayrollModuleTest;

TEST_F(NadHranicou, ThresholdOfParameter29OrTheZtpFlagFromSeptember2005)
{
    // 2007's parameter 29 is 40.01 (per cent of reduced working capacity).
    ASSERT_DOUBLE_EQ(MyConsts::Parametre(29).Hodnota, 40.01);
    struct Case {
        int period;
        bool ztp;
        double miera;
        bool expected;
    } const cases[] = {
        {200701, false, 40.01, true},  // exactly the threshold
        {200701, false, 70, true},
        {200701, false, 40.0, false},  // just below
        {200701, false, 0, false},
        {200508, true, 0, false},      // the flag counts only from September 2005
        {200509, true, 0, true},
        {200701, true, 0, true},
        {200412, false, 50, true},     // the amount counts in any period
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.period << " ztp " << c.ztp << " miera " << c.miera);
        EXPECT_EQ(dmv->Nad_hranicou_prijmu(c.period, c.ztp, c.miera), c.expected);
    }

    // The threshold is the loaded year's value, not a fixed one.
    MyConsts::Parametre(29).Hodnota = 50;
    EXPECT_FALSE(dmv->Nad_hranicou_prijmu(200701, false, 40.01));
    EXPECT_TRUE(dmv->Nad_hranicou_prijmu(200701, false, 50));
}

// The statement's second row must hold exactly those whom the calculation charged the
// reduced health rate.
TEST_F(NadHranicou, AgreesWithTheRateTheCalculationCharged)
{
    session.execute("update \":tarix_data:zam\" set miera_poklesu = 40.01, ztp = 0 where code_emp = 1");
    session.execute("update \":tarix_data:zam\" set miera_poklesu = 40, ztp = 0 where code_emp = 2");
    session.execute("update \":tarix_data:zam\" set miera_poklesu = 0, ztp = 1 where code_emp = 3");
    const db::SqlResult setup = session.run("select f_zdravot, f_zdravot1 from \":tarix_comm:setup\"");
    const double full = setup.asFloat(0, 0);
    const double reduced = setup.asFloat(0, 1);
    ASSERT_NE(full, reduced);

    for (const DemoEmployee &e : kDemo) {
        if (e.codeEmp == 7)
            scripted.answerYes(Msg(65043, "5000"));
        newPayroll(e);
    }
    std::set<int> inSecondRow;
    for (const DemoEmployee &e : kDemo) {
        SCOPED_TRACE(e.codeEmp);
        const db::SqlResult r = payroll(e.codeEmp, 200701);
        ASSERT_EQ(r.rowCount(), 1);
        const bool second = dmv->Nad_hranicou_prijmu(int(r.asInteger(0, r.columnIndex("V_obdobie"))),
                                                     r.asBoolean(0, r.columnIndex("ZTP")),
                                                     r.asFloat(0, r.columnIndex("Miera_poklesu")));
        EXPECT_EQ(r.asFloat(0, r.columnIndex("F_zdravot")), second ? reduced : full);
        if (second)
            inSecondRow.insert(e.codeEmp);
    }
    // At the threshold and with the flag; just below it, not.
    EXPECT_TRUE(inSecondRow.count(1));
    EXPECT_FALSE(inSecondRow.count(2));
    EXPECT_TRUE(inSecondRow.count(3));
}

} // namespace
