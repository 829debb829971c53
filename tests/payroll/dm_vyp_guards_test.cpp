// Guards of the payroll table: closing date, the post's refusals and the withholding-tax
// question, delete with its details, cancel with pending detail edits, the field checks,
// and the detail tables' own guards. Questions are answered from a script, and every
// question and refusal must come while no transaction is open.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class PayrollGuardTest : public PayrollModuleTest {
protected:
    double stored(int codeEmp, const char *field, int period = 200701)
    {
        const db::SqlResult r = payroll(codeEmp, period);
        return r.rowCount() ? r.asFloat(0, r.columnIndex(field)) : -1;
    }
    void expectNoTransactionWhileAsking()
    {
        for (int depth : scripted.depthsAtQuestions)
            EXPECT_EQ(depth, 0) << "a transaction was open while the user was asked";
        for (int depth : scripted.depthsAtMessages)
            EXPECT_EQ(depth, 0) << "a transaction was open while a message was shown";
    }
    void addPieceWorkItem(int codeNumb, int codeEmp, int period)
    {
        session.execute("insert into \":tarix_data:hsu\" (v_obdobie, code_numb, code_emp, ukid, pocet, suma1, suma) "
                        "values (:p, :n, :e, 1, 2, 10, 20)",
                        {{"p", period}, {"n", codeNumb}, {"e", codeEmp}});
    }
    // Creates a trigger in the firm database that refuses the statement.
    void refuse(const QString &event, const QString &when)
    {
        session.executeRaw(QString("CREATE TRIGGER %1.refuse_it BEFORE %2 ON vyp %3 BEGIN "
                                   "SELECT RAISE(ABORT, 'zablokované'); END")
                               .arg(session.schemaOf("TARIX_DATA"), event, when));
    }
};

TEST_F(PayrollGuardTest, ClosingDateRefusesChangesUpToItsMonth)
{
    newPayroll(kDemo[0]);
    setPeriod(2);
    newPayroll(kDemo[0]);
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");

    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.findKey({1, 200701}));
    EXPECT_THROW(t.edit(), EAbort);
    EXPECT_EQ(t.state(), db::DataSetState::Browse);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65134, "31.1.2007")});
    EXPECT_THROW(t.deleteRecord(), EAbort);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 1"), 2);

    ASSERT_TRUE(t.findKey({1, 200702}));
    t.edit();
    t.setValue("N_odmeny", 500);
    t.post();
    EXPECT_EQ(stored(1, "N_odmeny", 200702), 500);
    expectNoTransactionWhileAsking();
}

TEST_F(PayrollGuardTest, DaysAndHoursMustBeFilledBeforeAPostWithABaseWage)
{
    // Employee 8 has a fixed monthly wage: a base wage whatever the days.
    dmv->setEmployee(108, 8);
    db::Table &t = dmv->TVYP_;
    t.insert();
    EXPECT_THROW(t.post(), EAbort);
    EXPECT_EQ(t.state(), db::DataSetState::Insert);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65044)});
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\""), 0);

    // The days given, the calculation derives the hours from the working day.
    t.setValue("V_den", 22);
    t.post();
    EXPECT_EQ(stored(8, "V_hodina"), 176);
    EXPECT_EQ(stored(8, "V_plat"), 85000);
    expectNoTransactionWhileAsking();
}

TEST_F(PayrollGuardTest, WithholdingTaxOverTheLimitIsConfirmedOutsideAnyTransaction)
{
    // Employee 7 is taxed by withholding tax; an agreement pay above 5 000 needs the
    // clerk's confirmation.
    dmv->setEmployee(107, 7);
    db::Table &t = dmv->TVYP_;
    t.insert();
    t.setValue("N_dohody_ovp", 8000);
    const QString question = Msg(65043, "5000");
    scripted.answerNo(question);
    EXPECT_THROW(t.post(), EAbort);
    EXPECT_EQ(t.state(), db::DataSetState::Insert);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\""), 0);

    scripted.answerYes(question);
    t.post();
    EXPECT_EQ(stored(7, "Dan_vyrovnana"), 1);
    EXPECT_GT(stored(7, "D_dan"), 0);
    EXPECT_EQ(scripted.questions(), (QStringList{question, question}));

    // Below the limit nothing is asked.
    t.edit();
    t.setValue("N_dohody_ovp", 3000);
    t.post();
    EXPECT_EQ(scripted.questions().size(), 2);
    EXPECT_EQ(scripted.pendingAnswers(), 0);
    EXPECT_TRUE(scripted.failures().isEmpty());
    expectNoTransactionWhileAsking();
}

TEST_F(PayrollGuardTest, DeleteTakesDeductionsAndPieceWorkInOneTransaction)
{
    newPayroll(kDemo[1]); // a loan repayment row
    addPieceWorkItem(102, 2, 200701);
    newPayroll(kDemo[7]); // another employee's rows stay
    addPieceWorkItem(108, 8, 200701);
    auto details = [&](int codeEmp) {
        return count("select count(*) from \":tarix_data:zrv\" where code_emp = :e", {{"e", codeEmp}})
               + count("select count(*) from \":tarix_data:hsu\" where code_emp = :e", {{"e", codeEmp}});
    };
    ASSERT_EQ(details(2), 2);
    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.findKey({2, 200701}));

    // Either question answered no: nothing is deleted.
    for (bool firstYes : {false, true}) {
        scripted.answer(firstYes, Msg(65040));
        if (firstYes)
            scripted.answerNo(Msg(65041));
        try {
            t.deleteRecord();
            ADD_FAILURE() << "deleted without both answers";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(65042));
        }
        EXPECT_EQ(details(2), 2);
        EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 2"), 1);
    }

    // A delete that fails at the payroll row keeps the details too.
    refuse("DELETE", "");
    scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
    EXPECT_ANY_THROW(t.deleteRecord());
    EXPECT_EQ(details(2), 2);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 2"), 1);
    session.executeRaw(QString("DROP TRIGGER %1.refuse_it").arg(session.schemaOf("TARIX_DATA")));

    ASSERT_TRUE(t.findKey({2, 200701}));
    scripted.answerYes(Msg(65040)).answerYes(Msg(65041));
    t.deleteRecord();
    EXPECT_EQ(details(2), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 2"), 0);
    EXPECT_EQ(details(8), 3);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 8"), 1);
    EXPECT_EQ(scripted.pendingAnswers(), 0);
    expectNoTransactionWhileAsking();
}

TEST_F(PayrollGuardTest, CancelAsksAboutAPendingDeductionEdit)
{
    newPayroll(kDemo[1]);
    db::Table &t = dmv->TVYP_;
    db::Table &zrv = dmv->TZRV_;
    ASSERT_EQ(zrv.recordCount(), 1);

    // A deduction row changes only while its payroll is edited.
    EXPECT_THROW(zrv.edit(), EAbort);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65170)});

    t.edit();
    zrv.edit();
    zrv.setValue("Suma", 1500);
    scripted.answerNo(Msg(65168));
    EXPECT_THROW(t.cancel(), EAbort);
    EXPECT_EQ(t.state(), db::DataSetState::Edit);
    EXPECT_EQ(zrv.state(), db::DataSetState::Edit);
    EXPECT_FALSE(dmv->Zrusit_zmeny_detailu);

    scripted.answerYes(Msg(65168));
    t.cancel();
    EXPECT_EQ(t.state(), db::DataSetState::Browse);
    EXPECT_EQ(zrv.state(), db::DataSetState::Browse);
    EXPECT_TRUE(dmv->Zrusit_zmeny_detailu);
    EXPECT_EQ(count("select suma from \":tarix_data:zrv\" where code_emp = 2"), 1000);
}

TEST_F(PayrollGuardTest, DeductionRowsTakeTheirTypeAndComputeTheirAmount)
{
    newPayroll(kDemo[0]);
    db::Table &t = dmv->TVYP_;
    db::Table &zrv = dmv->TZRV_;
    t.edit();
    zrv.insert();
    EXPECT_THROW(zrv.setValue("Typ", "p"), EMyError); // lower case is refused
    zrv.setValue("Typ", "P");
    zrv.setValue("Suma", 3);
    zrv.setValue("Typ_sumy", 1); // 3 % of the gross wage
    zrv.post();
    const double gross = t.fieldByName("N_brutto").asFloat();
    // Shown at once; stored only with the payroll.
    EXPECT_EQ(zrv.fieldByName("CALC_VYP_SUMA").asFloat(), std::round(gross * 0.03));
    EXPECT_EQ(count("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = 1 and typ = 'P'"), 0);
    t.post();
    EXPECT_EQ(stored(1, "Ne_poistovna"), std::round(gross * 0.03));
    EXPECT_EQ(count("select vypocitana_suma from \":tarix_data:zrv\" where code_emp = 1 and typ = 'P'"),
              std::round(gross * 0.03));
    EXPECT_EQ(stored(1, "Ne_odborar"), 150); // the union dues row
}

TEST_F(PayrollGuardTest, PieceWorkItemsSumIntoThePayroll)
{
    session.execute("insert into \":tarix_data:cis_uk\" (ukid, popis, hodnota) values (1, 'výkop', 12), (2, 'omietka', 3.33)");
    session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values (103, 3, 1, 15)");
    newPayroll(kDemo[2]);
    db::Table &t = dmv->TVYP_;
    db::Table &hsu = dmv->THSU_;
    ASSERT_EQ(hsu.recordCount(), 1);
    EXPECT_THROW(hsu.insert(), EAbort); // the payroll is not edited
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65171)});

    t.edit();
    hsu.insert();
    hsu.setValue("UKID", 2); // not assigned: the code list's price
    EXPECT_EQ(hsu.fieldByName("Suma1").asFloat(), 3.33);
    hsu.setValue("Pocet", 2.5);
    EXPECT_DOUBLE_EQ(hsu.fieldByName("Suma").asFloat(), 8.325);
    hsu.post();
    hsu.first();
    hsu.edit();
    hsu.setValue("Pocet", 10);
    hsu.post();
    t.post();
    EXPECT_DOUBLE_EQ(stored(3, "N_ukolova"), 150 + 8.325);
}

TEST_F(PayrollGuardTest, FieldChecksRefuseAValueAndKeepThePreviousOne)
{
    newPayroll(kDemo[0]);
    db::Table &t = dmv->TVYP_;
    t.edit();
    t.setValue("V_den", 20.5);
    EXPECT_THROW(t.setValue("V_den", 20.25), EAbort);
    EXPECT_EQ(t.fieldByName("V_den").asFloat(), 20.5);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65181)});
    EXPECT_THROW(t.setValue("U_zdrav", 6), EMyError);
    EXPECT_THROW(t.setValue("U_rezerva", 2), EMyError);
    EXPECT_THROW(t.setValue("F_typ_premii", -1), EMyError);
    EXPECT_THROW(t.setValue("VYNIMKA_VZ", "a"), EMyError);
    EXPECT_THROW(t.setValue("V_nepoisteny", 32), EMyError);
    t.setValue("V_nepoisteny", 31);
    EXPECT_EQ(t.fieldByName("U_zdrav").asInt(), 1);
    t.cancel();
}

TEST_F(PayrollGuardTest, ANegativeBaseOfAnotherEmployerIsRefusedWithItsMessage)
{
    newPayroll(kDemo[0]);
    const double net = stored(1, "N_netto");
    db::Table &t = dmv->TVYP_;
    t.edit();
    t.setValue("N_zaklad_poist", -100);
    try {
        t.post();
        FAIL() << "a negative base was stored";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65188, "Základ poistného u iných zamestnávateľov"));
    }
    EXPECT_EQ(t.state(), db::DataSetState::Edit);
    EXPECT_EQ(session.transactionDepth(), 0);
    EXPECT_EQ(stored(1, "N_zaklad_poist"), 0);
    EXPECT_EQ(stored(1, "N_netto"), net);
    t.cancel();
}

TEST_F(PayrollGuardTest, TheCalculationChangesNothingWhileTheRecordIsBrowsed)
{
    newPayroll(kDemo[0]);
    const auto before = storedMonth(200701);
    const QVector<QVariant> buffer = dmv->TVYP_.currentRecord().values;
    session.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
    dmv->Vypocet_vyplaty();
    EXPECT_EQ(dmv->TVYP_.currentRecord().values, buffer);
    EXPECT_EQ(storedMonth(200701), before);

    // Edited, the record takes the new rate.
    dmv->TVYP_.edit();
    dmv->Vypocet_vyplaty();
    EXPECT_EQ(dmv->TVYP_.fieldByName("F_zdravot").asFloat(), 5);
    dmv->TVYP_.cancel();
}

} // namespace
