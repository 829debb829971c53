// Two workstations on one firm: this test program and a second process of it, each with a
// private folder (on the server a private schema) of its own, on the same firm and month.
// A save of a payroll record the other workstation changed meanwhile is refused and leaves
// the first one's record; payrolls of different employees posted at the same moment are
// both stored; one employee's new payroll open on one is refused on the other, and stored
// once with its deductions; one left open by a workstation that died holds up no one; two
// recalculations of one month wait for each other. On
// both backends: the SQLite files and the database server.
#include "support/payroll_entry.h"
#include "core/database_server.h"
#include "core/helpers/messages.h"
#include "end_to_end_fixture.h"
#include "platform/db/db_error.h"
#include "platform/errors.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_context.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <iostream>
#include <string>
#include <utility>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

constexpr const char *kActionVariable = "TARIX_WORKSTATION_ACTION";
constexpr int kMarch = 200703;

// The payroll of the open month with the whole month worked, as the clerk posts it.
void postWholeMonth(TDMV &dmv, const DemoPerson &e)
{
    test::postWholeMonth(dmv, e.codeNumb, e.codeEmp);
}

// What the second workstation tells the first, one line each.
void say(const std::string &line) { std::cout << "WS: " << line << std::endl; }

// The second workstation: another process of this test program, started with its action
// and the installation in the environment, driven step by step through its input.
class SecondWorkstation {
public:
    SecondWorkstation(const test::Workstation &w, const QString &action)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kActionVariable), action);
        env.insert(QStringLiteral("TARIX_WORKSTATION_ROOT"), w.root);
        env.insert(QStringLiteral("TARIX_WORKSTATION_SERVER"), w.conninfo);
        env.insert(QStringLiteral("TARIX_WORKSTATION_PROGRAM"), w.programFolder);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--gtest_also_run_disabled_tests"),
                         QStringLiteral("--gtest_filter=DISABLED_SecondWorkstation.Acts")});
    }
    ~SecondWorkstation()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // The next line the workstation says; empty when it ended or said nothing in time.
    QString next()
    {
        for (;;) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.startsWith(QLatin1String("WS: ")))
                    return line.mid(4);
            }
            if (!m_process.waitForReadyRead(60000))
                return {};
        }
    }
    void go() { m_process.write("go\n"); }
    // Ends the workstation as a crash would: nothing of it runs any more.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    bool finishedWell()
    {
        return m_process.waitForFinished(60000) && m_process.exitStatus() == QProcess::NormalExit
               && m_process.exitCode() == 0;
    }

private:
    QProcess m_process;
};

using Workstations = EndToEndTest<2007>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(Workstations);

// Every stored column of the month's payrolls, by employee.
QList<QVariantList> storedMonth(db::Session &s)
{
    return storedRows(s, "select * from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp", {{"p", kMarch}});
}

} // namespace

TEST_P(Workstations, TheSecondSaveOfOneRecordIsRefusedAndTheFirstOnesRecordStays)
{
    setPeriod(3);
    postWholeMonth(*dmv, kHudak);

    // Both workstations edit Hudák's March payroll: the other one has typed a reward of
    // 1 000 and not saved yet.
    QTemporaryDir other;
    SecondWorkstation second(dir.workstation(other.path()), QStringLiteral("edit"));
    ASSERT_EQ(second.next(), QStringLiteral("editing"));
    db::Table &t = dmv->TVYP_;
    ASSERT_TRUE(t.findKey({kHudak.codeEmp, kMarch}));

    // This one saves a reward of 5 000 first; the other one's save is refused.
    t.edit();
    t.setValue("N_odmeny", 5000);
    t.post();
    const QList<QVariantList> first = storedMonth(session);
    second.go();
    EXPECT_EQ(second.next(), QStringLiteral("refused Záznam medzitým zmenil alebo zmazal iný používateľ. "
                                            "Zmeny neboli uložené."));
    EXPECT_TRUE(second.finishedWell());
    EXPECT_EQ(storedMonth(session), first);

    // The stored record is the whole calculation of the first save: the month computed
    // again stores the very same record.
    scripted.answerYes(Msg(65135, "marec 2007")).answerYes(Msg(65104, "marec 2007"));
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 1);
    EXPECT_EQ(storedMonth(session), first);
    expectStored(kHudak, kMarch, {{"N_odmeny", 5000}});
}

TEST_P(Workstations, PayrollsOfDifferentEmployeesPostedAtOnceAreBothStored)
{
    setPeriod(3);
    QTemporaryDir other;
    SecondWorkstation second(dir.workstation(other.path()), QStringLiteral("post"));
    ASSERT_EQ(second.next(), QStringLiteral("ready"));
    // Both post at the same moment: the other one Šťastná, this one Hudák.
    second.go();
    postWholeMonth(*dmv, kHudak);
    EXPECT_EQ(second.next(), QStringLiteral("posted"));
    EXPECT_TRUE(second.finishedWell());

    const db::SqlResult r = session.run(
        "select code_emp, n_netto from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp", {{"p", kMarch}});
    ASSERT_EQ(r.rowCount(), 2);
    EXPECT_EQ(r.asInteger(0, 0), kHudak.codeEmp);
    EXPECT_EQ(r.asInteger(1, 0), kStastna.codeEmp);
    EXPECT_GT(r.asFloat(0, 1), 0.0);
    EXPECT_GT(r.asFloat(1, 1), 0.0);
}

// Hudák's March deductions: as the standing deductions of March list them, and as stored
// with a payroll (type, amount, kind of amount).
const char *const kStanding = "select typ, suma, typ_sumy from \":tarix_data:zrz\" where code_emp = :e "
                              "and obdobie_od <= :p and obdobie_do >= :p order by zrid";
const char *const kCopied = "select typ, suma, typ_sumy from \":tarix_data:zrv\" where code_emp = :e "
                            "and v_obdobie = :p order by zrid";
const db::Params kHudakInMarch{{"e", kHudak.codeEmp}, {"p", kMarch}};

TEST_P(Workstations, ANewPayrollOpenOnAnotherWorkstationIsRefusedHereAndStoredThereWithItsDeductions)
{
    setPeriod(3);
    const QList<QVariantList> standing = storedRows(session, kStanding, kHudakInMarch);
    ASSERT_FALSE(standing.isEmpty()) << "Hudák's standing deductions are what the payrolls copy";
    // The other workstation has Hudák's new March payroll open, its deductions copied.
    QTemporaryDir other;
    SecondWorkstation second(dir.workstation(other.path()), QStringLiteral("insert"));
    ASSERT_EQ(second.next(), QStringLiteral("inserted"));
    const QString details = "select * from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p order by zrid";
    const QList<QVariantList> copied = storedRows(session, details, kHudakInMarch);

    // This one begins Hudák's March too: refused and told why, before it touched a row.
    dmv->setEmployee(kHudak.codeNumb, kHudak.codeEmp);
    EXPECT_THROW(dmv->TVYP_.insert(), EAbort);
    EXPECT_EQ(dmv->TVYP_.state(), db::DataSetState::Browse);
    EXPECT_EQ(scripted.messages(),
              QStringList{"Výplatu zamestnanca Ing. Ján Hudák za marec 2007 práve zakladá iný program. "
                          "Založiť ju možno, až keď ju ten program uloží alebo zruší."});
    EXPECT_EQ(storedRows(session, details, kHudakInMarch), copied);

    // The other one posts: Hudák's March is stored once, with each standing deduction once.
    second.go();
    EXPECT_EQ(second.next(), QStringLiteral("saved"));
    EXPECT_TRUE(second.finishedWell());
    ASSERT_EQ(storedMonth(session).size(), 1);
    EXPECT_EQ(storedRows(session, kCopied, kHudakInMarch), standing);
}

TEST_P(Workstations, ANewPayrollOfAWorkstationThatDiedHoldsUpNoOne)
{
    setPeriod(3);
    // A third program looks whether Hudák's March is being made.
    test::DemoContext probe(dir);
    probe.session().setAlias(QStringLiteral("TARIX_DATA"), session.aliasFolder(QStringLiteral("TARIX_DATA")));
    const QString key = QStringLiteral("vyp %1 %2").arg(kHudak.codeEmp).arg(kMarch);
    {
        QTemporaryDir other;
        SecondWorkstation second(dir.workstation(other.path()), QStringLiteral("insert"));
        ASSERT_EQ(second.next(), QStringLiteral("inserted"));
        ASSERT_FALSE(probe.session().tryClaim(QStringLiteral("TARIX_DATA"), key));
        second.kill();
    }
    // The server sees the connection end a moment after the process.
    QDeadlineTimer deadline(10000);
    while (!probe.session().tryClaim(QStringLiteral("TARIX_DATA"), key) && !deadline.hasExpired())
        QThread::msleep(20);

    // What the dead one copied is replaced: the payroll stored here has each deduction once.
    postWholeMonth(*dmv, kHudak);
    EXPECT_TRUE(scripted.messages().isEmpty());
    ASSERT_EQ(storedMonth(session).size(), 1);
    EXPECT_EQ(storedRows(session, kCopied, kHudakInMarch), storedRows(session, kStanding, kHudakInMarch));
}

TEST_P(Workstations, TwoRecalculationsOfOneMonthWaitForEachOther)
{
    setPeriod(3);
    for (const DemoPerson &e : {kHudak, kStastna, kCierny, kChudy})
        postWholeMonth(*dmv, e);
    // The year's health rate changed: both runs compute every record anew and save it.
    session.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
    // The other workstation's run stops for a second after its first record.
    QTemporaryDir other;
    SecondWorkstation second(dir.workstation(other.path()), QStringLiteral("recompute"));
    ASSERT_EQ(second.next(), QStringLiteral("ready"));
    second.go();
    ASSERT_EQ(second.next(), QStringLiteral("midway"));

    // This one's run meanwhile waits for it, then computes the month as that one stored it.
    scripted.answerYes(Msg(65135, "marec 2007")).answerYes(Msg(65104, "marec 2007"));
    EXPECT_EQ(dmv->Prepocitanie_vyplat(0), 4);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    EXPECT_EQ(second.next(), QStringLiteral("recomputed 4"));
    EXPECT_TRUE(second.finishedWell());
}

// The second workstation's side; it runs only as the child process of the tests above.
TEST(DISABLED_SecondWorkstation, Acts)
{
    const QString action = qEnvironmentVariable(kActionVariable);
    if (action.isEmpty())
        GTEST_SKIP() << "runs only as the second workstation of the tests above";
    const test::Workstation w{qEnvironmentVariable("TARIX_WORKSTATION_ROOT"),
                              qEnvironmentVariable("TARIX_WORKSTATION_SERVER"),
                              qEnvironmentVariable("TARIX_WORKSTATION_PROGRAM")};
    test::DemoContext demo(w);
    test::DemoOptions options = endToEndOptions(2007);
    options.upgrades = false; // the first workstation's opening made them
    options.month = 3;
    demo.open(w, options);
    const std::unique_ptr<TDMV> module = openPayrollModule();
    TDMV &dmv = *module;
    std::string line;
    // Told to go on, the record pending in `t` is saved; the first says which way it went.
    auto postWhenTold = [&](db::Table &t) {
        ASSERT_TRUE(std::getline(std::cin, line));
        try {
            t.post();
            say("saved");
        } catch (const db::DbError &e) {
            t.cancel();
            say("refused " + e.text().toStdString());
        }
    };
    if (action == QLatin1String("edit")) {
        dmv.setEmployee(kHudak.codeNumb, kHudak.codeEmp);
        ASSERT_TRUE(dmv.TVYP_.findKey({kHudak.codeEmp, kMarch}));
        db::Table &t = dmv.TVYP_;
        t.edit();
        t.setValue("N_odmeny", 1000);
        say("editing");
        postWhenTold(t);
    } else if (action == QLatin1String("insert")) {
        dmv.setEmployee(kHudak.codeNumb, kHudak.codeEmp);
        db::Table &t = dmv.TVYP_;
        t.insert();
        t.setValue("V_den", t.fieldByName("V_fmes").asFloat());
        t.setValue("V_hodina", t.fieldByName("V_fmes").asFloat() * t.fieldByName("F_doba").asFloat());
        say("inserted");
        postWhenTold(t);
    } else if (action == QLatin1String("recompute")) {
        // The run stops for a second after its first record, its transaction open.
        class PausingInterface : public ui::ScriptedUserInterface {
        public:
            void setProgress(int percent) override
            {
                ui::ScriptedUserInterface::setProgress(percent);
                if (percent > 0 && percent < 100 && !std::exchange(m_paused, true)) {
                    say("midway");
                    QThread::msleep(1000);
                }
            }

        private:
            bool m_paused = false;
        } scripted;
        const ui::ScopedUserInterface scope(scripted);
        scripted.answerYes(Msg(65135, "marec 2007")).answerYes(Msg(65104, "marec 2007"));
        say("ready");
        ASSERT_TRUE(std::getline(std::cin, line));
        try {
            say("recomputed " + std::to_string(dmv.Prepocitanie_vyplat(0)));
        } catch (const EMyError &e) {
            say("refused " + e.text().toStdString());
        }
    } else {
        say("ready");
        ASSERT_TRUE(std::getline(std::cin, line));
        postWholeMonth(dmv, kStastna);
        say("posted");
    }
}
