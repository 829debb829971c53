// The stored amount of a deduction row changes only with its payroll record's post: the
// calculation on a field exit shows the new amount without storing it, a cancel leaves
// the stored one, and a post that fails or is refused (also for a month closed meanwhile,
// also in a batch) stores neither the record nor the amount.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"


using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class DeductionsPostTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        // Besides the union dues, 10 % of the net pay goes to a bailiff: its amount follows
        // every change of the record.
        session.execute("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, obdobie_do, suma, "
                        "typ_sumy, prijemca) values (1, 'X', '2007-01-01', 200701, 999999, 10, 3, 'Súdny exekútor')");
        newPayroll(kDemo[0]);
        ASSERT_TRUE(dmv->TVYP_.findKey({1, 200701}));
        storedAmount = bailiffRow();
        ASSERT_GT(storedAmount, 0);
        ASSERT_EQ(storedAmount, storedPayroll("Ne_exekucia"));
        ASSERT_TRUE(dmv->TZRV_.locate("Code_emp;Typ", {1, "X"}));
    }

    double bailiffRow()
    {
        return session
            .run("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = 1 and v_obdobie = 200701 "
                 "and typ = 'X'")
            .asFloat(0, 0);
    }
    double storedPayroll(const char *field)
    {
        const db::SqlResult r = payroll(1, 200701);
        return r.asFloat(0, r.columnIndex(field));
    }
    double shownAmount() { return dmv->TZRV_.fieldByName("CALC_VYP_SUMA").asFloat(); }

    // The clerk shortens the month by five days and leaves the field: the record is
    // computed again.
    void shortenTheMonth()
    {
        db::Table &t = dmv->TVYP_;
        if (!t.isEditing())
            t.edit();
        const double days = t.fieldByName("V_den").asFloat() - 5;
        t.setValue("V_den", days);
        t.setValue("V_hodina", days * t.fieldByName("F_doba").asFloat());
        dmv->Vypocet_vyplaty();
    }

    double storedAmount = 0;
};

TEST_F(DeductionsPostTest, AFieldExitShowsTheNewAmountAndACancelKeepsTheStoredOne)
{
    shortenTheMonth();
    const double edited = dmv->TVYP_.fieldByName("Ne_exekucia").asFloat();
    ASSERT_LT(edited, storedAmount) << "the shorter month deducts less";
    EXPECT_EQ(shownAmount(), edited) << "the screen's row shows the amount of the edited record";
    EXPECT_EQ(bailiffRow(), storedAmount) << "nothing is stored before the post";

    dmv->TVYP_.cancel();
    EXPECT_EQ(bailiffRow(), storedAmount);
    EXPECT_EQ(storedPayroll("Ne_exekucia"), storedAmount);
    EXPECT_EQ(shownAmount(), storedAmount) << "the row shows the stored amount again";
}

TEST_F(DeductionsPostTest, APostStoresTheRowWithTheRecord)
{
    shortenTheMonth();
    dmv->TVYP_.post();
    const double deducted = storedPayroll("Ne_exekucia");
    EXPECT_LT(deducted, storedAmount);
    EXPECT_EQ(bailiffRow(), deducted) << "the bank pays what the payslip deducts";
    EXPECT_EQ(shownAmount(), deducted);
}

TEST_F(DeductionsPostTest, ARowTypedDuringTheEditIsStoredWithThePayroll)
{
    db::Table &t = dmv->TVYP_;
    db::Table &zrv = dmv->TZRV_;
    t.edit();
    ASSERT_TRUE(zrv.locate("Code_emp;Typ", {1, "X"}));
    zrv.edit();
    zrv.setValue("Suma", 20);
    zrv.post();
    dmv->Vypocet_vyplaty();
    const double doubled = t.fieldByName("Ne_exekucia").asFloat();
    EXPECT_EQ(shownAmount(), doubled);
    EXPECT_EQ(bailiffRow(), storedAmount) << "the row's amount stays what the stored payroll deducts";

    t.post();
    EXPECT_EQ(storedPayroll("Ne_exekucia"), doubled);
    EXPECT_EQ(bailiffRow(), doubled);
}

// A post that does not happen stores no deduction amount either; the record stays in edit
// with the clerk's values, and a cancel then leaves everything as it was stored.
TEST_F(DeductionsPostTest, APostThatFailsOrIsRefusedStoresNoAmount)
{
    struct Case {
        const char *what;
        QString sql;             // run after the edit began, as another program would
        bool refusedWithMessage; // the closing-date refusal: error box 65134
    };
    const Case cases[] = {
        {"the month was closed meanwhile", "update \":tarix_data:inf\" set datum_uzav = '2007-01-31'", true},
        {"the database refuses the write",
         QString("CREATE TRIGGER %1.refuse_it BEFORE UPDATE ON vyp BEGIN SELECT RAISE(ABORT, 'zablokované'); END")
             .arg(session.schemaOf("TARIX_DATA")),
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        scripted.clearEvents();
        const auto before = storedMonth(200701);
        shortenTheMonth();
        const double edited = dmv->TVYP_.fieldByName("Ne_exekucia").asFloat();
        if (c.refusedWithMessage)
            session.execute(c.sql);
        else
            session.executeRaw(c.sql);

        if (c.refusedWithMessage) {
            EXPECT_THROW(dmv->TVYP_.post(), EAbort);
            EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65134, "31.1.2007")});
        } else {
            EXPECT_ANY_THROW(dmv->TVYP_.post());
        }
        EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Edit);
        EXPECT_EQ(dmv->TVYP_.fieldByName("Ne_exekucia").asFloat(), edited) << "the clerk's edit is kept";
        EXPECT_EQ(bailiffRow(), storedAmount);
        EXPECT_EQ(storedMonth(200701), before);

        dmv->TVYP_.cancel();
        EXPECT_EQ(bailiffRow(), storedAmount);
        EXPECT_EQ(shownAmount(), storedAmount);
        session.executeRaw(QString("DROP TRIGGER IF EXISTS %1.refuse_it").arg(session.schemaOf("TARIX_DATA")));
        session.execute("update \":tarix_data:inf\" set datum_uzav = null");
    }
}

TEST_F(DeductionsPostTest, ABatchOverAClosedMonthStoresNothing)
{
    // The selective runs do not ask about the closing date first: the record's closing-date
    // guard stops them, and the whole run is rolled back.
    session.execute("update \":tarix_data:vyp\" set rezerva1 = 1");
    session.execute("update \":tarix_data:zrv\" set vypocitana_suma = 1 where typ = 'X'");
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");
    const auto before = storedMonth(200701);
    try {
        dmv->Prepocitanie_vyplat(3);
        ADD_FAILURE() << "the run stored a payroll of a closed month";
    } catch (const EMyError &e) {
        EXPECT_TRUE(e.text().contains(Msg(65134, "31.1.2007"))) << e.text().toStdString();
    }
    EXPECT_EQ(storedMonth(200701), before);
    EXPECT_EQ(bailiffRow(), 1);

    // Open again, the run stores the amount with each record.
    session.execute("update \":tarix_data:inf\" set datum_uzav = null");
    EXPECT_EQ(dmv->Prepocitanie_vyplat(3), 1);
    EXPECT_EQ(bailiffRow(), storedPayroll("Ne_exekucia"));
    EXPECT_EQ(bailiffRow(), storedAmount);
}

} // namespace
