// The payroll module's views and helpers: detail tables following the payroll of the grid,
// calculated fields, averages from earlier payrolls, and the small lookups.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using PayrollModuleViewTest = PayrollModuleTest;

TEST_F(PayrollModuleViewTest, DetailTablesShowExactlyThePayrollOfTheGrid)
{
    session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values (101, 1, 1, 10), (102, 2, 1, 10)");
    newPayroll(kDemo[0]);
    newPayroll(kDemo[1]);
    setPeriod(2);
    newPayroll(kDemo[0]);
    // A row of the next employee number and one of a later month must not show.
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) values (200703, 1, 'X', 1, 0)");

    db::Table &t = dmv->TVYP_;
    dmv->setEmployee(101, 1);
    t.setRange({1, 200701}, {1, 200712}); // the screen: the employee's payrolls of the year
    ASSERT_EQ(t.recordCount(), 2);
    for (int period : {200701, 200702}) {
        SCOPED_TRACE(period);
        ASSERT_TRUE(t.findKey({1, period}));
        db::Table &zrv = dmv->TZRV_;
        ASSERT_EQ(zrv.recordCount(), 1);
        EXPECT_EQ(zrv.fieldByName("V_obdobie").asInt(), period);
        EXPECT_EQ(zrv.fieldByName("Code_emp").asInt(), 1);
        EXPECT_EQ(zrv.fieldByName("CALC_TEXT_ZARAZKY").asString(), "odbory");
        EXPECT_EQ(zrv.fieldByName("CALC_VYP_SUMA").asFloat(), 150);
        db::Table &hsu = dmv->THSU_;
        ASSERT_EQ(hsu.recordCount(), 1);
        EXPECT_EQ(hsu.fieldByName("V_obdobie").asInt(), period);
        EXPECT_EQ(hsu.fieldByName("Code_emp").asInt(), 1);
    }
}

TEST_F(PayrollModuleViewTest, CalculatedFieldsOfTheRecordAndTheirImportMode)
{
    newPayroll(kDemo[0]);
    db::Table &t = dmv->TVYP_;
    EXPECT_EQ(t.fieldByName("MES").asString(), "január");
    EXPECT_EQ(t.fieldByName("MESROK").asString(), "Ing. Ján Hudák - výplata za január 2007");
    EXPECT_EQ(t.fieldByName("CALC_KAL_DNI").asInt(), 31);
    EXPECT_EQ(t.fieldByName("CALC_TEXT_PREMII").asString(), "percentuálna sadzba");
    EXPECT_EQ(t.fieldByName("CALC_DAN").asFloat(),
              t.fieldByName("D_preddavok").asFloat() + t.fieldByName("D_dan").asFloat()
                  - t.fieldByName("D_bonus_cerpany").asFloat());
    dmv->Rezim_importu = true;
    t.refresh();
    EXPECT_TRUE(t.fieldByName("MES").isNull());
    EXPECT_TRUE(t.fieldByName("MESROK").isNull());
    dmv->Rezim_importu = false;
}

TEST_F(PayrollModuleViewTest, HourlyAverageFromThePreviousQuarterOrTheYearsJanuary)
{
    // October to December 2006 with rewards: their average is not the month's own.
    for (int month : {10, 11, 12}) {
        setPeriod(month, 2006);
        newPayroll(kDemo[0]);
        session.execute("update \":tarix_data:vyp\" set n_mzda = n_mzda + 5000 where code_emp = 1 and v_obdobie = :p",
                        {{"p", 200600 + month}});
    }
    const db::SqlResult q = session.run("select sum(n_mzda) / sum(v_hodina - vh_nadcas) from \":tarix_data:vyp\" "
                                        "where code_emp = 1 and v_obdobie between 200610 and 200612");
    const double quarter = q.asFloat(0, 0);
    ASSERT_GT(quarter, 0);

    setPeriod(1);
    newPayroll(kDemo[0]);
    const auto average = [&](int period) {
        const db::SqlResult r = payroll(1, period);
        return r.asFloat(0, r.columnIndex("V_priemer1"));
    };
    EXPECT_DOUBLE_EQ(average(200701), quarter);

    // No payroll in the quarter before February: the firm's switch takes January's average.
    session.execute("delete from \":tarix_data:vyp\" where v_obdobie < 200701");
    setPeriod(2);
    newPayroll(kDemo[0]);
    EXPECT_NE(average(200702), quarter);
    dmv->TVYP_.findKey({1, 200702});
    scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
    dmv->TVYP_.deleteRecord();
    session.execute("update \":tarix_data:inf\" set holkvart = 1");
    newPayroll(kDemo[0]);
    EXPECT_DOUBLE_EQ(average(200702), quarter);
}

TEST_F(PayrollModuleViewTest, LookupsOfPayrollRows)
{
    newPayroll(kDemo[0]);
    setPeriod(2);
    newPayroll(kDemo[0]);
    EXPECT_TRUE(dmv->Existuje_vyplata(1, 2007, 2));
    EXPECT_FALSE(dmv->Existuje_vyplata(1, 2007, 3));
    EXPECT_FALSE(dmv->Existuje_vyplata(2, 2007, 2));
    EXPECT_EQ(dmv->Pocet_vyplat_zamestnanca(1), 2);
    EXPECT_EQ(dmv->Pocet_vyplat_zamestnanca(2), 0);
    EXPECT_EQ(dmv->Fond_pracovnych_dni(4), 19);
    EXPECT_EQ(dmv->Pocet_sviatkov(12), 3);
    EXPECT_EQ(dmv->Fond_pracovnych_dni(13), 0);
    EXPECT_TRUE(dmv->Znizena_sadzba_zp(200701, false, 55));
    EXPECT_FALSE(dmv->Znizena_sadzba_zp(200508, true, 30));
    EXPECT_TRUE(dmv->Znizena_sadzba_zp(200509, true, 30));

    // The live deductions of one payroll and the piece-work total.
    db::Query &zrv = dmv->QZRV_;
    zrv.setParam("p1", 200701);
    zrv.setParam("p2", 1);
    zrv.open();
    EXPECT_TRUE(zrv.canModify());
    ASSERT_EQ(zrv.recordCount(), 1);
    EXPECT_EQ(zrv.fieldByName("typ").asString(), "O");
    EXPECT_EQ(zrv.fieldByName("vypocitana_suma").asFloat(), 150);
    zrv.close();
    db::Query &hsu = dmv->QHSU3_;
    hsu.setParam("p1", 200701);
    hsu.setParam("p2", 1);
    hsu.open();
    EXPECT_EQ(hsu.fieldByName("suma").asFloat(), 0);
    hsu.close();
}

} // namespace

// The exemption code table follows the current payroll while the payroll source is
// enabled, shows every row while it is disabled, and stays usable after the payroll module
// is gone.
TEST_F(PayrollModuleTest, ExemptionTableFollowsThePayrollRecord)
{
    db::Table &cis5 = core::DM().CIS5_;
    cis5.open();
    const int all = [&] {
        dmv->DS_VYPL.setEnabled(false);
        return cis5.recordCount();
    }();
    EXPECT_GT(all, 1);
    dmv->DS_VYPL.setEnabled(true);
    dmv.reset();
    cis5.refresh();
    EXPECT_EQ(cis5.recordCount(), all);
    cis5.close();
}
