// The tax split of the open month decides each record's tax regime from the income that
// the record's current inputs give, so that every record it stores is taxed by withholding
// tax exactly when its stored income qualifies, also when an input changed after the record
// was last computed.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "payroll/calc/calculation.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class TaxSplitTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        setPeriod(1);
        for (const DemoEmployee &e : kDemo)
            newPayroll(e);
    }

    // Employee 7's agreement pay, posted and so computed (under the limit: no question).
    void postAgreementPay(double amount)
    {
        db::Table &t = dmv->TVYP_;
        ASSERT_TRUE(t.findKey({7, 200701}));
        t.edit();
        t.setValue("N_dohody_ovp", amount);
        t.post();
    }

    PayRecord storedRecord(int codeEmp)
    {
        EXPECT_TRUE(dmv->TVYP_.findKey({codeEmp, 200701}));
        return dmv->currentPayroll();
    }

    int split()
    {
        scripted.answerYes(Msg(65105, "celá frima", "január 2007"));
        return dmv->Rozdelenie_dane();
    }
};

TEST_F(TaxSplitTest, EveryStoredRecordIsTaxedByWithholdingTaxExactlyWhenItsIncomeQualifies)
{
    const struct {
        const char *what;
        double posted, changedTo;
        int regime;
    } cases[] = {
        {"an income raised over the limit after the record was computed", 3000, 8000, 0},
        {"an income lowered under the limit after the record was computed", 3000, 2000, 1},
        {"an income under the limit", 3000, 3000, 1},
    };
    for (const auto &k : cases) {
        postAgreementPay(k.posted);
        // The input changes without a calculation (as an import or a bulk entry can leave it):
        // the stored income is the one of the old input.
        session.execute("update \":tarix_data:vyp\" set n_dohody_ovp = :a where code_emp = 7",
                        {{"a", k.changedTo}});
        dmv->TVYP_.refresh();
        EXPECT_EQ(split(), 10) << k.what;
        const PayRecord r7 = storedRecord(7);
        EXPECT_EQ(r7.Dan_vyrovnana, k.regime) << k.what;
        EXPECT_EQ(r7.N_dohody_ovp, k.changedTo) << k.what;

        for (const DemoEmployee &e : kDemo) {
            const PayRecord r = storedRecord(e.codeEmp);
            const StatutoryParams params = dmv->payrollContext(r).params;
            EXPECT_EQ(r.Dan_vyrovnana, failsWithholdingTaxConditions(r, params) ? 0 : 1)
                << k.what << ", employee " << e.codeEmp;
            EXPECT_FALSE(withholdingTaxNeedsConfirmation(r, params)) << k.what << ", employee " << e.codeEmp;
        }
        // Splitting the split month again changes nothing.
        const auto before = storedMonth(200701);
        EXPECT_EQ(split(), 10) << k.what;
        EXPECT_EQ(storedMonth(200701), before) << k.what;
    }
}

} // namespace
