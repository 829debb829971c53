// A new payroll's details on either database: the standing deductions and the piece-work
// items are copied into the month, and the clearing of an abandoned payroll's details,
// never touch the details of a payroll that is stored; the payrolls of other months and of
// other employees do not stop them. The guard of a new payroll still refuses a duplicate
// and an employee who has left.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "support/both_backends.h"

#include <QDir>
#include <QFile>
#include <functional>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class DetailsCopyTest : public PayrollModuleOnBothTest {
protected:
    void SetUp() override
    {
        PayrollModuleOnBothTest::SetUp();
        if (IsSkipped())
            return;
        // Employee 3: a standing deduction and two assigned tasks.
        session.execute("insert into \":tarix_data:cis_uk\" (ukid, popis, hodnota) values (1, 'výkop', 12), "
                        "(2, 'omietka', 30)");
        session.execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values "
                        "(103, 3, 1, 15), (103, 3, 2, 28)");
        session.execute("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, obdobie_do, suma, "
                        "typ_sumy, prijemca) values (3, 'X', '2007-01-01', 200701, 999999, 100, 1, 'Exekútor')");
    }


    // Employee `e`'s payroll of the open month, as the clerk stores it.
    void storePayroll(const DemoEmployee &e)
    {
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        db::Table &t = dmv->TVYP_;
        t.insert();
        t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
        t.post();
    }

    void setPeriodAndStore(int month, int year, const DemoEmployee &e)
    {
        demo.setPeriod(year, month);
        storePayroll(e);
    }

    // The clearing of employee 3's January details a note of an abandoned payroll asks for.
    void clearAbandoned()
    {
        // A server installation keeps the private folder's tables on the server; the folder
        // itself may not be made yet.
        const QDir privateFolderDb(session.aliasFolder(QStringLiteral("TARIX_PRIV")));
        ASSERT_TRUE(privateFolderDb.mkpath(QStringLiteral(".")));
        QFile f(privateFolderDb.filePath(QStringLiteral("NOVA_VYPLATA.TXT")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((session.aliasFolder(QStringLiteral("TARIX_DATA")) + QStringLiteral("\n3\n200701\n")).toUtf8());
        f.close();
        dmv->cleanUpUnfinishedPayroll();
    }

    // Employee 3's details of January: deductions (typ:suma) and tasks (ukid:suma1).
    QStringList details()
    {
        QStringList out;
        const db::SqlResult z = session.run("select typ, suma from \":tarix_data:zrv\" where code_emp = 3 and "
                                            "v_obdobie = 200701 order by typ, suma");
        for (int i = 0; i < z.rowCount(); ++i)
            out << QStringLiteral("zrv %1:%2").arg(z.asString(i, 0)).arg(z.asFloat(i, 1));
        const db::SqlResult h = session.run("select ukid, suma1 from \":tarix_data:hsu\" where code_emp = 3 and "
                                            "v_obdobie = 200701 order by ukid, suma1");
        for (int i = 0; i < h.rowCount(); ++i)
            out << QStringLiteral("hsu %1:%2").arg(h.asInteger(i, 0)).arg(h.asFloat(i, 1));
        return out;
    }

};

TEST_P(DetailsCopyTest, ANewPayrollIsNotedEvenBeforeThePrivateFolderIsMade)
{
    // On a server nothing else makes the private folder on disk; the note of a new payroll
    // must still be kept while its details stand without it.
    const QDir privateFolderDb(session.aliasFolder(QStringLiteral("TARIX_PRIV")));
    const QString note = privateFolderDb.filePath(QStringLiteral("NOVA_VYPLATA.TXT"));
    dmv->setEmployee(kDemo[2].codeNumb, kDemo[2].codeEmp);
    dmv->TVYP_.insert();
    EXPECT_TRUE(QFile::exists(note));
    dmv->TVYP_.cancel();
    EXPECT_FALSE(QFile::exists(note));
}

TEST_P(DetailsCopyTest, DetailsOfAStoredPayrollAreNeverReplacedNorCleared)
{
    storePayroll(kDemo[2]);
    // The clerk's own changes to the stored payroll's details.
    session.execute("update \":tarix_data:zrv\" set suma = 250 where code_emp = 3 and v_obdobie = 200701");
    session.execute("update \":tarix_data:hsu\" set suma1 = 99 where code_emp = 3 and v_obdobie = 200701");
    session.execute("update \":tarix_data:zrz\" set suma = 400 where code_emp = 3");
    const QStringList stored = details();
    ASSERT_EQ(stored, (QStringList{"zrv X:250", "hsu 1:99", "hsu 2:99"}));

    const std::pair<const char *, std::function<void()>> steps[] = {
        {"standing deductions", [&] { dmv->Kopiruj_trvale_zrazky(3, 200701); }},
        {"piece-work items", [&] { dmv->Kopiruj_ukolove_polozky(200701, {103, 3}); }},
        {"abandoned payroll's details", [&] { clearAbandoned(); }},
    };
    for (const auto &[name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        EXPECT_EQ(details(), stored);
    }
}

TEST_P(DetailsCopyTest, PayrollsOfOtherMonthsAndEmployeesDoNotStopTheCopies)
{
    // Employee 3 was paid in December; employee 2 (not 3) in January.
    setPeriodAndStore(12, 2006, kDemo[2]);
    setPeriodAndStore(1, 2007, kDemo[1]);
    session.execute("delete from \":tarix_data:zrv\" where code_emp = 3");
    session.execute("delete from \":tarix_data:hsu\" where code_emp = 3");
    // What an abandoned January payroll of employee 3 left behind.
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy) values "
                    "(200701, 3, 'L', 5, 0)");

    dmv->Kopiruj_trvale_zrazky(3, 200701);
    dmv->Kopiruj_ukolove_polozky(200701, {103, 3});
    EXPECT_EQ(details(), (QStringList{"zrv X:100", "hsu 1:15", "hsu 2:28"}));

    clearAbandoned();
    EXPECT_TRUE(details().isEmpty());
}

TEST_P(DetailsCopyTest, ANewPayrollIsRefusedForADuplicateAndForAnEmployeeWhoLeft)
{
    storePayroll(kDemo[2]);
    session.execute("update \":tarix_data:zam\" set vystup = '2006-12-31' where code_emp = 4");
    const std::pair<DemoEmployee, int> cases[] = {{kDemo[2], 65071}, {kDemo[3], 65051}};
    for (const auto &[employee, message] : cases) {
        SCOPED_TRACE(message);
        dmv->setEmployee(employee.codeNumb, employee.codeEmp);
        try {
            dmv->TVYP_.insert();
            ADD_FAILURE() << "the new payroll was not refused";
            dmv->TVYP_.cancel();
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(message));
        }
        EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
    }
    // An employee who leaves in the open month is paid for it.
    session.execute("update \":tarix_data:zam\" set vystup = '2007-01-20' where code_emp = 4");
    storePayroll(kDemo[3]);
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:vyp\" where code_emp = 4").asInteger(0, 0), 1);
}

TARIX_INSTALLATION_ON_BOTH_BACKENDS(DetailsCopyTest);

} // namespace
