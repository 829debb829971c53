// The minimum health basis of the advance certificate's months: the minimum wage in force
// in the month (the payroll row's) per hour, for the working days not covered by sick-leave
// compensation, never below zero.
#include "employees_fixture.h"

using namespace tarix;
using tarix::test::EmployeesTest;

TEST_F(EmployeesTest, MinimumHealthBasisTakesTheMonthsMinimumWageAndNeverGoesNegative)
{
    const struct Case {
        int year, month;
        double minMzda, doba;
        int pn1, pn2;
        double basis;
    } cases[] = {
        {2005, 1, 6500, 8, 0, 0, 6500},    // 812.5 an hour, 8 h a day, 20 days
        {2005, 3, 6500, 8, 2, 1, 5572},    // 812.5 x 8 / 21 x 18 = 5571.43, rounded up
        {2005, 5, 6500, 10, 0, 0, 6500},   // the day is capped at 8 hours
        {2007, 1, 7600, 8, 0, 0, 7600},    // 950 an hour from 10/2006
        {2007, 5, 7600, 4, 1, 1, 3455},    // 950 x 4 / 22 x 20 = 3454.55, rounded up
        {2007, 2, 7600, 8, 20, 5, 0},      // 25 compensation days against 20: none left
        {2007, 7, 7600, 8, 15, 5, 0},      // exactly the month's days
        {2007, 8, 7600, 8, 21, 0, 346},    // one day of 22 left: 345.45, rounded up
    };

    const QString cols = ", f_min_mzda, f_doba, v_nahrada_pn1, v_nahrada_pn2";
    for (const Case &c : cases)
        addPayroll(1, c.year * 100 + c.month, cols,
                   QStringLiteral(", %1, %2, %3, %4").arg(c.minMzda).arg(c.doba).arg(c.pn1).arg(c.pn2));
    openEmployee(1);

    for (const int year : {2005, 2007}) {
        setPeriod(year + 1, 1); // the certificate is built in the following year
        scripted.answerYes(Msg(65065));
        dmz().Vypocet_podkladov_zp();
        for (const Case &c : cases) {
            if (c.year != year)
                continue;
            EXPECT_DOUBLE_EQ(session
                                 .run(R"(select x3 from ":tarix_data:zp_tab" where code_emp = 1 and typ = 1 and v_rok = :y and v_mesiac = :m)",
                                      {{"y", c.year}, {"m", c.month}})
                                 .asFloat(0, 0),
                             c.basis)
                << c.year << "/" << c.month;
        }
    }
    EXPECT_EQ(count("select count(*) from zp_tab where x3 < 0"), 0);
}
