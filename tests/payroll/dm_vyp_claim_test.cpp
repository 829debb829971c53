// A new payroll is claimed from before its details are copied until it is stored, cancelled
// or abandoned: another program beginning the same employee's payroll of the month is
// refused, told why, before it touches a row; the program's own next insert is not. A note
// of an unfinished payroll clears rows only under that payroll's claim. On both backends,
// the other program being a second session on the same firm.
#include "dm_vyp_fixture.h"

#include "platform/db/table.h"
#include "platform/errors.h"
#include "support/both_backends.h"
#include "support/demo_context.h"
#include "support/stored_rows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

constexpr int kJanuary = 200701;
const DemoEmployee kHudak = kDemo[0];

class NewPayrollClaimTest : public PayrollModuleOnBothTest {
protected:
    void SetUp() override
    {
        PayrollModuleOnBothTest::SetUp();
        if (IsSkipped())
            return;
        other = std::make_unique<test::DemoContext>(dir);
        other->session().setAlias(QStringLiteral("TARIX_DATA"), session.aliasFolder(QStringLiteral("TARIX_DATA")));
    }
    void TearDown() override
    {
        other.reset();
        PayrollModuleOnBothTest::TearDown();
    }

    // The claim another program would take to begin the employee's payroll of January.
    std::unique_ptr<db::Claim> otherClaims(const DemoEmployee &e)
    {
        return other->session().tryClaim(QStringLiteral("TARIX_DATA"), QStringLiteral("vyp %1 %2").arg(e.codeEmp).arg(kJanuary));
    }
    QList<QVariantList> details(const DemoEmployee &e)
    {
        const db::Params key{{"e", e.codeEmp}, {"p", kJanuary}};
        return test::storedRows(session, "select * from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p "
                                         "order by zrid", key)
               + test::storedRows(session, "select * from \":tarix_data:hsu\" where code_emp = :e and v_obdobie = :p "
                                           "order by ukid", key);
    }
    void begin(const DemoEmployee &e)
    {
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        dmv->TVYP_.insert();
    }
    QString note() const
    {
        return QDir(session.aliasFolder(QStringLiteral("TARIX_PRIV"))).filePath(QStringLiteral("NOVA_VYPLATA.TXT"));
    }

    std::unique_ptr<test::DemoContext> other;
};
TARIX_INSTALLATION_ON_BOTH_BACKENDS(NewPayrollClaimTest);

TEST_P(NewPayrollClaimTest, ANewPayrollAnotherProgramHasOpenIsRefusedBeforeAnyRowIsTouched)
{
    // The other program has Hudák's new January payroll open: its copied deduction is the
    // one row of the month.
    std::unique_ptr<db::Claim> theirs = otherClaims(kHudak);
    ASSERT_TRUE(theirs);
    other->session().execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, prijemca, suma, typ_sumy, "
                             "vypocitana_suma) values (200701, 1, 'X', 'Exekútor', 50, 1, 0)");
    const QList<QVariantList> theirRows = details(kHudak);

    EXPECT_THROW(begin(kHudak), EAbort);
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(details(kHudak), theirRows);
    EXPECT_FALSE(QFile::exists(note()));
    ASSERT_EQ(scripted.messages().size(), 1);
    EXPECT_EQ(scripted.messages().first(),
              QStringLiteral("Výplatu zamestnanca Ing. Ján Hudák za január 2007 práve zakladá iný program. "
                             "Založiť ju možno, až keď ju ten program uloží alebo zruší."));

    // Another employee is not held up; once the other program is done, Hudák's goes too.
    begin(kDemo[1]);
    dmv->TVYP_.cancel();
    theirs.reset();
    begin(kHudak);
    EXPECT_NE(details(kHudak), theirRows);
    dmv->TVYP_.cancel();
}

TEST_P(NewPayrollClaimTest, TheClaimLastsUntilThePayrollIsStoredCancelledOrAbandoned)
{
    const QString schema = session.schemaOf(QStringLiteral("TARIX_DATA"));
    const struct {
        const char *what;
        std::function<void()> end;
        bool insertAgain; // the program's own next insert of the payroll
    } cases[] = {
        {"cancelled", [&] { dmv->TVYP_.cancel(); }, true},
        {"stored",
         [&] {
             db::Table &t = dmv->TVYP_;
             t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
             t.setValue("V_hodina", t.fieldByName("V_fmes").asFloat() * t.fieldByName("F_doba").asFloat());
             t.post();
         },
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        begin(kHudak);
        EXPECT_FALSE(otherClaims(kHudak));
        c.end();
        EXPECT_TRUE(otherClaims(kHudak));
        if (c.insertAgain) {
            begin(kHudak);
            EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Insert);
            EXPECT_FALSE(otherClaims(kHudak));
            dmv->TVYP_.cancel();
        }
    }

    // A copy that fails abandons the new payroll: its claim goes with it. (The standing
    // deductions go missing after the insert's guard has read them, so that the copy is
    // what fails.)
    db::DataSet &t = dmv->TVYP_;
    const auto onNewRecord = t.onNewRecord;
    t.onNewRecord = [&](db::DataSet &ds) {
        session.executeRaw(QStringLiteral("ALTER TABLE \"%1\".zrz RENAME TO gone").arg(schema));
        onNewRecord(ds);
    };
    dmv->setEmployee(kDemo[1].codeNumb, kDemo[1].codeEmp);
    EXPECT_ANY_THROW(dmv->TVYP_.insert());
    t.onNewRecord = onNewRecord;
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
    EXPECT_TRUE(otherClaims(kDemo[1]));
    session.executeRaw(QStringLiteral("ALTER TABLE \"%1\".gone RENAME TO zrz").arg(schema));
    begin(kDemo[1]);
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Insert);
    dmv->TVYP_.cancel();
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_P(NewPayrollClaimTest, ANoteClearsOnlyRowsOfAPayrollNoOtherProgramIsMaking)
{
    const DemoEmployee stastna = kDemo[1];
    // This workstation ended while making Šťastná's payroll; the other program is making it now,
    // its copied row in place of the one left behind.
    QDir().mkpath(QFileInfo(note()).absolutePath()); // on the server no table made it
    QFile f(note());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((session.aliasFolder(QStringLiteral("TARIX_DATA")) + QStringLiteral("\n2\n200701\n")).toUtf8());
    f.close();
    std::unique_ptr<db::Claim> theirs = otherClaims(stastna);
    ASSERT_TRUE(theirs);
    other->session().execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, prijemca, suma, typ_sumy, "
                             "vypocitana_suma) values (200701, 2, 'X', 'Exekútor', 50, 1, 0)");
    const QList<QVariantList> theirRows = details(stastna);

    dmv->cleanUpUnfinishedPayroll();
    EXPECT_EQ(details(stastna), theirRows);
    EXPECT_FALSE(QFile::exists(note()));

    // With no one making it, the same note clears the row.
    theirs.reset();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((session.aliasFolder(QStringLiteral("TARIX_DATA")) + QStringLiteral("\n2\n200701\n")).toUtf8());
    f.close();
    dmv->cleanUpUnfinishedPayroll();
    EXPECT_TRUE(details(stastna).isEmpty());
    EXPECT_TRUE(otherClaims(stastna));
}

} // namespace

// A run that makes payrolls inside one transaction (bulk entry) holds each one's claim until
// it commits: another program cannot begin them meanwhile (its copies would go in beside
// the run's, unseen by its guard until then). A payroll another program has open holds the
// run up as a busy row does, and then the run fails whole, storing nothing. On the server;
// on SQLite the run's write lock keeps every other program's writes out until it commits.
TEST_P(NewPayrollClaimTest, ARunInOneTransactionHoldsItsPayrollsClaimsUntilItCommits)
{
    if (!dir.onServer())
        GTEST_SKIP() << "the write lock of the transaction does it";
    {
        db::Transaction tx(&session);
        begin(kHudak);
        dmv->TVYP_.setValue("V_den", dmv->TVYP_.fieldByName("V_fmes").asFloat());
        dmv->TVYP_.post();
        EXPECT_FALSE(otherClaims(kHudak));
        tx.commit();
    }
    EXPECT_TRUE(otherClaims(kHudak));

    const DemoEmployee stastna = kDemo[1];
    std::unique_ptr<db::Claim> theirs = otherClaims(stastna);
    ASSERT_TRUE(theirs);
    const QList<QVariantList> before = details(stastna);
    session.setBusyTimeout(200);
    try {
        db::Transaction tx(&session);
        begin(stastna);
        dmv->TVYP_.setValue("V_den", dmv->TVYP_.fieldByName("V_fmes").asFloat());
        dmv->TVYP_.post();
        tx.commit();
        ADD_FAILURE() << "a run made a payroll another program has open";
    } catch (const db::BusyError &) {
    }
    session.setBusyTimeout(5000);
    if (dmv->TVYP_.isEditing())
        dmv->TVYP_.cancel();
    EXPECT_EQ(session.transactionDepth(), 0);
    EXPECT_EQ(details(stastna), before);
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:vyp\" where code_emp = 2 and v_obdobie = 200701")
                  .asInteger(0, 0),
              0);
}
