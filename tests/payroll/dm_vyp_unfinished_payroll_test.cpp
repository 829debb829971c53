// A new payroll copies its standing deductions before it is stored. The workstation keeps
// a note of it until the payroll is stored or cancelled; when the program ended in between,
// the rows the note names are cleared the next time, and nothing else is touched.
#include "dm_vyp_fixture.h"


#include <QDir>
#include <QFile>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class UnfinishedPayrollTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        for (int emp : {2, 3})
            session.execute(QStringLiteral("insert into \":tarix_data:zrz\" (code_emp, typ, datum_od, obdobie_od, "
                                           "obdobie_do, suma, typ_sumy, prijemca) values (%1, 'X', '2007-01-01', "
                                           "200701, 999999, 100, 1, 'Súdny exekútor')")
                                .arg(emp));
    }

    QString note() { return QDir(session.aliasFolder(QStringLiteral("TARIX_PRIV"))).filePath(QStringLiteral("NOVA_VYPLATA.TXT")); }
    int rows(int codeEmp)
    {
        return int(session
                       .run("select count(*) from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = 200701 "
                            "and typ = 'X'",
                            {{"e", codeEmp}})
                       .asInteger(0, 0));
    }
    // What a run that ended during a new payroll of employee `codeEmp` leaves: the copied
    // row and the note, without the payroll.
    void leftBehind(int codeEmp, const QString &firmFolder)
    {
        session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, suma, typ_sumy, "
                        "vypocitana_suma) values (200701, :e, 'X', 100, 1, 0)",
                        {{"e", codeEmp}});
        QFile f(note());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((firmFolder + QStringLiteral("\n%1\n200701\n").arg(codeEmp)).toUtf8());
    }
    QString firmFolder() { return session.aliasFolder(QStringLiteral("TARIX_DATA")); }
};

TEST_F(UnfinishedPayrollTest, TheNoteLastsFromTheNewPayrollUntilItIsStoredOrCancelled)
{
    for (const bool store : {true, false}) {
        SCOPED_TRACE(store ? "stored" : "cancelled");
        const DemoEmployee e = store ? kDemo[1] : kDemo[2];
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        dmv->TVYP_.insert();
        EXPECT_TRUE(QFile::exists(note()));
        EXPECT_EQ(rows(e.codeEmp), 1);
        if (store)
            dmv->TVYP_.post();
        else
            dmv->TVYP_.cancel();
        EXPECT_FALSE(QFile::exists(note()));
        EXPECT_EQ(rows(e.codeEmp), store ? 1 : 0);
    }
}

TEST_F(UnfinishedPayrollTest, RowsLeftByARunThatEndedAreClearedAndOnlyThose)
{
    // Employee 2's payroll was being created when the program ended; employee 3's rows
    // have no payroll either, but no note of this workstation names them (another
    // workstation may be creating it right now).
    leftBehind(3, QStringLiteral("/elsewhere/DATA02/"));
    QFile::remove(note());
    leftBehind(2, firmFolder());
    ASSERT_EQ(rows(2), 1);
    ASSERT_EQ(rows(3), 1);

    dmv->cleanUpUnfinishedPayroll();
    EXPECT_EQ(rows(2), 0);
    EXPECT_EQ(rows(3), 1);
    EXPECT_FALSE(QFile::exists(note()));
}

TEST_F(UnfinishedPayrollTest, ANoteOfAStoredPayrollOrOfAnotherFirmClearsNothing)
{
    newPayroll(kDemo[1]);
    ASSERT_EQ(rows(2), 1);
    // The program ended after the post but before the note went.
    QFile f(note());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((firmFolder() + QStringLiteral("\n2\n200701\n")).toUtf8());
    f.close();
    dmv->cleanUpUnfinishedPayroll();
    EXPECT_EQ(rows(2), 1);
    EXPECT_FALSE(QFile::exists(note()));

    // Another firm's note waits for that firm.
    leftBehind(3, QStringLiteral("/elsewhere/DATA02/"));
    dmv->cleanUpUnfinishedPayroll();
    EXPECT_EQ(rows(3), 1);
    EXPECT_TRUE(QFile::exists(note()));
}

TEST_F(UnfinishedPayrollTest, ACopyThatFailsLeavesNeitherRowsNorTheNote)
{
    // The standing deductions and the piece-work items are copied together: whichever copy
    // fails, the new payroll is abandoned with nothing copied and no note left to clear.
    const struct {
        const char *source; // the table the failing copy reads
    } cases[] = {{"zrz"}, {"zam_uk"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        const QString schema = session.schemaOf(QStringLiteral("TARIX_DATA"));
        session.executeRaw(QStringLiteral("ALTER TABLE \"%1\".%2 RENAME TO gone").arg(schema, QString::fromLatin1(c.source)));
        dmv->setEmployee(kDemo[1].codeNumb, kDemo[1].codeEmp);
        EXPECT_ANY_THROW(dmv->TVYP_.insert());
        EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
        EXPECT_EQ(rows(kDemo[1].codeEmp), 0);
        EXPECT_EQ(session.run("select count(*) from \":tarix_data:hsu\" where code_emp = 2 and v_obdobie = 200701")
                      .asInteger(0, 0),
                  0);
        EXPECT_FALSE(QFile::exists(note()));
        session.executeRaw(QStringLiteral("ALTER TABLE \"%1\".gone RENAME TO %2").arg(schema, QString::fromLatin1(c.source)));
    }
}

} // namespace
