// New payroll records of the demo firm in 2007: defaults, details copied into the month,
// the computed amounts, and the insert checks.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using NewPayrollTest = PayrollModuleTest;

TEST_F(NewPayrollTest, EveryDemoEmployeeGetsAComputedPayrollOfTheMonth)
{
    for (const DemoEmployee &e : kDemo)
        newPayroll(e);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200701"), 10);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();

    for (const DemoEmployee &e : kDemo) {
        SCOPED_TRACE(e.codeEmp);
        const db::SqlResult r = payroll(e.codeEmp, 200701);
        ASSERT_EQ(r.rowCount(), 1);
        EXPECT_EQ(r.asInteger(0, r.columnIndex("V_rok")), 2007);
        EXPECT_EQ(r.asInteger(0, r.columnIndex("V_mesiac")), 1);
        EXPECT_EQ(r.asInteger(0, r.columnIndex("V_fmes")), 22);    // Setup.JAN
        EXPECT_EQ(r.asInteger(0, r.columnIndex("V_kal_dni")), 31);
        EXPECT_EQ(r.asString(0, r.columnIndex("Version")), "3.20H3");
        EXPECT_TRUE(r.asBoolean(0, r.columnIndex("Automatika")));
        EXPECT_EQ(r.asString(0, r.columnIndex("VYNIMKA_VZ")), "0");
        EXPECT_EQ(r.asFloat(0, r.columnIndex("F_dan_sadzba1")), 19);
        EXPECT_EQ(r.asFloat(0, r.columnIndex("Rezerva1")), 1); // the demo firm's F_ODSTUPM
    }

    // Monthly-wage employees: gross, contributions, tax and net pay all computed.
    for (int codeEmp : {1, 2, 5, 8, 9}) {
        SCOPED_TRACE(codeEmp);
        const db::SqlResult r = payroll(codeEmp, 200701);
        for (const char *field : {"N_brutto", "N_poist", "O_zdravot", "Oz_zdravot", "D_preddavok", "N_netto"})
            EXPECT_GT(r.asFloat(0, r.columnIndex(field)), 0) << field;
        // Paid out in cash or sent to the account (Spor_plat 1).
        EXPECT_GT(r.asFloat(0, r.columnIndex("Vyplata")) + r.asFloat(0, r.columnIndex("Sporenie")), 0);
    }

    // The hourly employees with paid public holidays get the month's holiday (1.1.).
    EXPECT_EQ(payroll(3, 200701).asInteger(0, payroll(3, 200701).columnIndex("V_sviatok")), 1);
    EXPECT_EQ(payroll(1, 200701).asInteger(0, payroll(1, 200701).columnIndex("V_sviatok")), 0);
    // Withholding tax for the agreement worker, advance for the others.
    EXPECT_EQ(payroll(7, 200701).asInteger(0, payroll(7, 200701).columnIndex("Dan_vyrovnana")), 1);
    EXPECT_EQ(payroll(1, 200701).asInteger(0, payroll(1, 200701).columnIndex("Dan_vyrovnana")), 0);
}

// Mária Šťastná, January 2007, a full month of 22 days: monthly wage 21 000, premium 5 %
// of the base wage (the firm's premium type 1), one child with the tax bonus, a loan
// repayment of 1 000. Rates of 2007: employee health 4 %, sickness 1.4 %, old-age 4 %,
// invalidity 3 %, unemployment 1 % (each up to whole crowns); employer health 10 %,
// sickness 1.4 %, old-age 14 %, invalidity 3 %, unemployment 1 %, guarantee 0.25 %,
// reserve 4.75 %, accident 0.8 %; non-taxable amount 7 968 a month; tax 19 % of the base
// cut to whole crowns; tax bonus 540 a child.
TEST_F(NewPayrollTest, OneRecordHandCheckedAgainstTheRatesOf2007)
{
    newPayroll(kDemo[1]);
    const db::SqlResult r = payroll(2, 200701);
    auto v = [&](const char *field) { return r.asFloat(0, r.columnIndex(field)); };

    EXPECT_EQ(v("V_plat"), 21000);
    EXPECT_EQ(v("N_premie"), 1050);
    EXPECT_EQ(v("N_brutto"), 22050);
    EXPECT_EQ(v("O_zdravot"), 882);  // 4 %
    EXPECT_EQ(v("O_nemoc"), 309);    // 1.4 % = 308.70
    EXPECT_EQ(v("O_dochod"), 882);   // 4 %
    EXPECT_EQ(v("O_invalid"), 662);  // 3 % = 661.50
    EXPECT_EQ(v("O_fondzam"), 221);  // 1 % = 220.50
    EXPECT_EQ(v("N_poist"), 882 + 309 + 882 + 662 + 221);
    EXPECT_EQ(v("Oz_zdravot"), 2205);  // 10 %
    EXPECT_EQ(v("Oz_dochod"), 3087);   // 14 %
    EXPECT_EQ(v("Nc_minimum"), 7968);
    const double taxBase = 22050 - 2956 - 7968; // 11 126
    EXPECT_EQ(v("D_zdanmzda1"), taxBase);
    EXPECT_EQ(v("D_preddavok"), 2113); // 19 % = 2 113.94, cut
    EXPECT_EQ(v("D_bonus_predpis"), 540);
    EXPECT_EQ(v("D_bonus_cerpany"), 540);
    EXPECT_EQ(v("N_netto"), 22050 - 2956 - 2113 + 540);
    EXPECT_EQ(v("Ne_pozicky"), 1000); // the loan repayment copied from the standing deductions
    EXPECT_EQ(count("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = 2 and v_obdobie = 200701"), 1000);
}

TEST_F(NewPayrollTest, StandingDeductionsAndAssignedTasksAreCopiedIntoTheMonth)
{
    session.execute("insert into \":tarix_data:cis_uk\" (ukid, popis, hodnota) values (1, 'výkop', 12), (2, 'omietka', 30)");
    session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values (103, 3, 1, 15), (103, 3, 2, 28)");
    // Rows left behind in the month by an earlier payroll that no longer exists go.
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) values (200701, 8, 'X', 5, 0)");
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) values (200612, 8, 'X', 5, 0)");

    newPayroll(kDemo[7]); // employee 8: building savings (S) and insurance (P)
    newPayroll(kDemo[2]); // employee 3: two tasks

    const db::SqlResult zrv = session.run(
        "select typ, suma from \":tarix_data:zrv\" where code_emp = 8 and v_obdobie = 200701 order by typ");
    ASSERT_EQ(zrv.rowCount(), 2);
    EXPECT_EQ(zrv.asString(0, 0), "P");
    EXPECT_EQ(zrv.asString(1, 0), "S");
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\" where code_emp = 8 and v_obdobie = 200612"), 1);
    const db::SqlResult p8 = payroll(8, 200701);
    EXPECT_EQ(p8.asFloat(0, p8.columnIndex("Ne_poistovna")), 700);
    EXPECT_EQ(p8.asFloat(0, p8.columnIndex("Ne_exekucia")), 1000);

    const db::SqlResult hsu = session.run(
        "select ukid, pocet, suma1, suma from \":tarix_data:hsu\" where v_obdobie = 200701 and code_emp = 3 order by ukid");
    ASSERT_EQ(hsu.rowCount(), 2);
    EXPECT_EQ(hsu.asFloat(0, 2), 15); // the employee's own price
    EXPECT_EQ(hsu.asFloat(1, 2), 28);
    EXPECT_EQ(hsu.asFloat(0, 1), 0);
    EXPECT_EQ(payroll(3, 200701).asFloat(0, payroll(3, 200701).columnIndex("N_ukolova")), 0);

    // A deduction valid from March is not in January's payroll but is in March's.
    newPayroll(kDemo[9]);
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\" where code_emp = 10"), 0);
    setPeriod(3);
    newPayroll(kDemo[9]);
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\" where code_emp = 10 and v_obdobie = 200703"), 1);
}

TEST_F(NewPayrollTest, InsertChecksRefuseASecondPayrollAndOneAfterTheEmployment)
{
    newPayroll(kDemo[0]);
    dmv->setEmployee(101, 1);
    try {
        dmv->TVYP_.insert();
        FAIL() << "a second payroll of the month was allowed";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65071));
    }
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);

    // Employee 6 left on 30.4.2007: April is allowed, May is not.
    setPeriod(4);
    newPayroll(kDemo[5]);
    setPeriod(5);
    dmv->setEmployee(106, 6);
    try {
        dmv->TVYP_.insert();
        FAIL() << "a payroll after the end of employment was allowed";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65051));
    }
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 6"), 1);
}

TEST_F(NewPayrollTest, AMonthUpToTheClosingDateGetsNoNewPayroll)
{
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");
    dmv->setEmployee(101, 1);
    EXPECT_THROW(dmv->TVYP_.insert(), EAbort);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65134, "31.1.2007")});
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\""), 0); // nothing copied

    setPeriod(2);
    newPayroll(kDemo[0]);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 1 and v_obdobie = 200702"), 1);
}

TEST_F(NewPayrollTest, CancelledInsertTakesItsCopiedDetailsAlong)
{
    dmv->setEmployee(108, 8);
    dmv->TVYP_.insert();
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\" where code_emp = 8 and v_obdobie = 200701"), 2);
    dmv->TVYP_.cancel();
    EXPECT_EQ(count("select count(*) from \":tarix_data:zrv\" where code_emp = 8 and v_obdobie = 200701"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\""), 0);
}

} // namespace

namespace {

// The new record's calculated fields are computed once, when it is complete: what the
// screen shows right after the insert and after each typed input is the computation of
// the record as it stands then.
TEST_F(NewPayrollTest, CalculatedFieldsOfTheNewRecordFollowItsFinalValues)
{
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    db::Table &t = dmv->TVYP_;
    t.insert();
    auto expectCalculated = [&t] {
        EXPECT_EQ(t.fieldByName("MESROK").asString(), "Ing. Ján Hudák - výplata za január 2007");
        EXPECT_EQ(t.fieldByName("CALC_KAL_DNI").asInt(), 31);
        EXPECT_DOUBLE_EQ(t.fieldByName("CALC_DAN").asFloat(),
                         t.fieldByName("D_preddavok").asFloat() + t.fieldByName("D_dan").asFloat()
                             - t.fieldByName("D_bonus_cerpany").asFloat());
    };
    expectCalculated();
    t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
    t.setValue("V_hodina", t.fieldByName("V_den").asFloat() * t.fieldByName("F_doba").asFloat());
    dmv->Vypocet_vyplaty();
    ASSERT_NE(t.fieldByName("D_preddavok").asFloat(), 0.0);
    expectCalculated();
    t.post();
    expectCalculated();
}

} // namespace
