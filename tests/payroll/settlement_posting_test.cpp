// Posting of last year's settlement results into the open month's payrolls: the values
// the UPDATE writes, the recalculation of every payroll it touched, the refusal of a
// closed month and of two health results of one employee, and the protocols compared byte
// for byte with files typed by hand (expected/settlement_protocols.md says why each byte).
#include "dm_vyp_fixture.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "platform/codepage/cp1250.h"
#include "platform/shell/launcher.h"

#include <QFile>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

class SettlementPostingTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(root(), QString(), QString()));
        ShellUtils::setStartHook([this](const QString &, const QStringList &arguments, const QString &) {
            opened << arguments;
            return true;
        });
        // February 2007: employee 1 has a settlement of 2006 and a payroll, employee 2 a
        // settlement without a payroll (and a name of 31 characters), employee 3 a payroll
        // without a settlement.
        setPeriod(2);
        newPayroll(kDemo[0]);
        newPayroll(kDemo[2]);
        session.execute("update \":tarix_data:zam\" set surname = 'Šťastná-Veľkomoravská', title = 'Bc.' "
                        "where code_emp = 2");
        session.execute("insert into \":tarix_data:rzp\" (code_emp, v_rok, preplatok) values (1, 2006, -350)");
        session.execute("insert into \":tarix_data:rzp\" (code_emp, v_rok, preplatok) values (2, 2006, 1234.5)");
        // the health results are kept under the year they are settled in
        session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, x1) values (1, 2007, 'VV', 120)");
        session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, x1) values (2, 2007, 'VV', -55.5)");
        session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, x1) values (3, 2007, 'XX', 999)");
        scripted.clearEvents();
    }

    void TearDown() override
    {
        ShellUtils::setStartHook({});
        core::setAppPaths(m_paths);
        PayrollModuleTest::TearDown();
    }

    void postTax(bool expectErrors = true)
    {
        scripted.answerYes(Msg(65086)).answerYes(Msg(65088, QStringLiteral("február 2007"), 2006));
        dmv->Zauctovanie_preplatkov_dane();
        if (expectErrors) {
            EXPECT_TRUE(errors().contains(Msg(65091)));
        }
    }

    void postHealth()
    {
        scripted.answerYes(Msg(65087)).answerYes(Msg(65089, QStringLiteral("február 2007"), 2006));
        dmv->Zauctovanie_preplatkov_zp();
        EXPECT_TRUE(errors().contains(Msg(65092)));
    }

    double stored(int codeEmp, const char *field)
    {
        return session.run(QStringLiteral("select %1 from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = 200702")
                               .arg(QString::fromLatin1(field)),
                           {{"e", codeEmp}})
            .asFloat(0, 0);
    }

    // The stored payroll is what posting it by hand computes now.
    void expectRecalculated(int codeEmp)
    {
        const auto month = storedMonth(200702);
        db::Table &t = dmv->TVYP_;
        ASSERT_TRUE(t.findKey({codeEmp, 200702}));
        t.edit();
        t.post();
        EXPECT_EQ(storedMonth(200702), month);
    }

    QString protocol() const { return TDMV::postingProtocol(2006); }
    QByteArray expected(const char *name) const
    {
        return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/payroll/expected/") + QString::fromLatin1(name));
    }

    // The protocol equals the file typed by hand, byte for byte; when it does not, both are
    // shown as text.
    void expectProtocol(const char *name)
    {
        const QByteArray actual = readFile(protocol());
        const QByteArray wanted = expected(name);
        EXPECT_TRUE(actual == wanted) << "written:\n"
                                      << codepage::fromCp1250(actual, codepage::Mode::Lenient).toStdString()
                                      << "\nexpected:\n"
                                      << codepage::fromCp1250(wanted, codepage::Mode::Lenient).toStdString();
    }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    QStringList opened;

private:
    core::AppPaths m_paths;
};

TEST_F(SettlementPostingTest, TaxResultsArePostedRecalculatedAndProtocolled)
{
    const double net1 = stored(1, "N_netto");
    const double net3 = stored(3, "N_netto");
    const double vyrovnanie3 = stored(3, "D_vyrovnanie");
    postTax();
    EXPECT_DOUBLE_EQ(stored(1, "D_vyrovnanie"), -350);
    EXPECT_DOUBLE_EQ(stored(1, "N_netto"), net1 - 350);
    expectRecalculated(1);
    EXPECT_DOUBLE_EQ(stored(3, "D_vyrovnanie"), vyrovnanie3);
    EXPECT_DOUBLE_EQ(stored(3, "N_netto"), net3);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where code_emp = 2"), 0);
    expectProtocol("settlement_tax_protocol.txt");
    EXPECT_EQ(opened, QStringList{protocol()});
}

TEST_F(SettlementPostingTest, HealthResultsArePostedWithTheOppositeSign)
{
    const double net1 = stored(1, "N_netto");
    postHealth();
    EXPECT_DOUBLE_EQ(stored(1, "Vyrovnanie_zp"), -120);
    // an arrear lowers the tax base too, so net pay drops by less than 120
    EXPECT_LT(stored(1, "N_netto"), net1);
    expectRecalculated(1);
    EXPECT_DOUBLE_EQ(stored(3, "Vyrovnanie_zp"), 0); // its row is not a "VV" row
    expectProtocol("settlement_health_protocol.txt");
}

TEST_F(SettlementPostingTest, TheHealthPostingReplacesTheTaxProtocol)
{
    postTax();
    postHealth();
    expectProtocol("settlement_health_protocol.txt");
}

TEST_F(SettlementPostingTest, ASecondRunGivesTheSamePayrolls)
{
    postTax();
    postHealth();
    const auto first = storedMonth(200702);
    const QByteArray firstProtocol = readFile(protocol());
    postTax();
    postHealth();
    EXPECT_EQ(storedMonth(200702), first);
    EXPECT_EQ(readFile(protocol()), firstProtocol);
}

TEST_F(SettlementPostingTest, AResultChangedToZeroLeavesNetPayWithoutIt)
{
    const double net1 = stored(1, "N_netto");
    postTax();
    ASSERT_DOUBLE_EQ(stored(1, "N_netto"), net1 - 350);
    session.execute("update \":tarix_data:rzp\" set preplatok = 0 where code_emp = 1");
    postTax();
    EXPECT_DOUBLE_EQ(stored(1, "D_vyrovnanie"), 0);
    EXPECT_DOUBLE_EQ(stored(1, "N_netto"), net1);
}

TEST_F(SettlementPostingTest, AClosedMonthChangesNothing)
{
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-02-28'");
    const auto before = storedMonth(200702);
    for (bool health : {false, true}) {
        SCOPED_TRACE(health);
        scripted.clearEvents();
        if (health) {
            scripted.answerYes(Msg(65087)).answerYes(Msg(65089, QStringLiteral("február 2007"), 2006));
            dmv->Zauctovanie_preplatkov_zp();
        } else {
            scripted.answerYes(Msg(65086)).answerYes(Msg(65088, QStringLiteral("február 2007"), 2006));
            dmv->Zauctovanie_preplatkov_dane();
        }
        EXPECT_EQ(errors(), QStringList{Msg(65134, QStringLiteral("28.2.2007"))});
        EXPECT_EQ(storedMonth(200702), before);
        EXPECT_FALSE(QFile::exists(protocol()));
    }
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(SettlementPostingTest, ANoToEitherQuestionChangesNothing)
{
    const auto before = storedMonth(200702);
    scripted.answerNo(Msg(65086));
    dmv->Zauctovanie_preplatkov_dane();
    scripted.answerYes(Msg(65086)).answerNo(Msg(65088, QStringLiteral("február 2007"), 2006));
    dmv->Zauctovanie_preplatkov_dane();
    EXPECT_EQ(storedMonth(200702), before);
    EXPECT_FALSE(QFile::exists(protocol()));
}

TEST_F(SettlementPostingTest, AYearWithoutSettlementsSaysSoAndRecalculatesNothing)
{
    session.execute("delete from \":tarix_data:rzp\"");
    const auto before = storedMonth(200702);
    scripted.answerYes(Msg(65086)).answerYes(Msg(65088, QStringLiteral("február 2007"), 2006));
    dmv->Zauctovanie_preplatkov_dane();
    EXPECT_EQ(errors(), QStringList{Msg(65090, 2006)});
    EXPECT_EQ(storedMonth(200702), before);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(SettlementPostingTest, TwoHealthResultsOfOneEmployeeStopBeforeAnythingIsWritten)
{
    session.execute("insert into \":tarix_data:zp_univ\" (code_emp, v_rok, typ, x1) values (1, 2007, 'VV', 80)");
    const auto before = storedMonth(200702);
    scripted.answerYes(Msg(65087)).answerYes(Msg(65089, QStringLiteral("február 2007"), 2006));
    dmv->Zauctovanie_preplatkov_zp();
    const QStringList shown = errors();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("Hudák")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("101"));
    EXPECT_EQ(storedMonth(200702), before);
}

} // namespace
