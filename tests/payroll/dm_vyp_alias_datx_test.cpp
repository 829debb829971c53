// The averages of earlier payrolls read a range of another year than the open one through
// TARIX_DATX and the open year through TARIX_DATA. The program points both at the firm's
// folder; here TARIX_DATX points at a copy with other amounts, so the alias read shows.
#include "dm_vyp_fixture.h"

#include "core/session.h"
#include "support/installation.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using AliasDatxTest = PayrollModuleTest;

TEST_F(AliasDatxTest, AnotherYearsAverageIsReadThroughTarixDatx)
{
    // October to December 2006: 80 an hour in the copy, 100 an hour in the firm.
    for (int month : {10, 11, 12}) {
        setPeriod(month, 2006);
        newPayroll(kDemo[0]);
    }
    const QString hourly = "update \":tarix_data:vyp\" set n_mzda = 176 * :a, v_hodina = 176, vh_nadcas = 0, "
                           "dan_vyrovnana = 0 where code_emp = 1";
    session.execute(hourly, {{"a", 80}});
    const QString copy = dir.filePath("DATX");
    test::copyFolder(dir.firmFolder(1), copy);
    session.execute(hourly, {{"a", 100}});
    session.setAlias(core::kAliasDatx, copy);
    if (!dmv->TVYP_.isActive())
        dmv->TVYP_.open();

    setPeriod(1, 2007);
    EXPECT_DOUBLE_EQ(dmv->Priemerny_zarobok(1, 200610, false, 200612), 80);
    setPeriod(12, 2006);
    EXPECT_DOUBLE_EQ(dmv->Priemerny_zarobok(1, 200610, false, 200612), 100);
}

} // namespace
