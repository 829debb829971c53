// The month's recalculation refused by the database at one record, on both backends: the run
// stops with the message that nothing was changed, every stored payroll stays as it was, and
// the message never names an employee whose record did not fail (on the server a save goes
// without waiting for its answer, so its refusal may come back at a later record or at the
// commit; then the message names the month only). A connection the server ends under the
// run stops it likewise, also while the payroll screen's sources follow the table.
#include "support/payroll_entry.h"
#include "core/helpers/messages.h"
#include "core/dm_main.h"
#include "platform/db/table.h"
#include "platform/ui/scripted_user_interface.h"
#include "end_to_end_fixture.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using BatchFailure = EndToEndTest<2007>;
TARIX_INSTALLATION_ON_BOTH_BACKENDS(BatchFailure);

constexpr int kMarch = 200703;

QList<QVariantList> storedMonth(db::Session &s)
{
    return storedRows(s, "select * from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp", {{"p", kMarch}});
}

// March of nine employees posted, then the year's health rate changed: every record
// computes anew and is saved by the run. Returns the month as stored before it.
QList<QVariantList> monthToRecompute(TDMV &dmv, db::Session &s)
{
    const DemoPerson people[] = {kHudak, kStastna, kCierny, kChudy, kCibula, kHorvathova, kKovac, kSykorova, kZeman};
    for (const DemoPerson &e : people)
        test::postWholeMonth(dmv, e.codeNumb, e.codeEmp);
    s.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
    return storedMonth(s);
}

// The clerk recalculates March; the message that stopped the run (empty: none did).
QString recomputeMarch(TDMV &dmv, ui::ScriptedUserInterface &scripted)
{
    scripted.answerYes(Msg(65135, "marec 2007")).answerYes(Msg(65104, "marec 2007"));
    try {
        dmv.Prepocitanie_vyplat(0);
    } catch (const EMyError &e) {
        return e.text();
    }
    return {};
}

} // namespace

TEST_P(BatchFailure, ARefusedSaveStopsTheRunNamingNoOtherEmployeeAndStoresNothing)
{
    setPeriod(3);
    const QList<QVariantList> before = monthToRecompute(*dmv, session);

    // The database refuses any change of Kováč's record (the eighth of the month's nine).
    const QString schema = session.schemaOf("TARIX_DATA");
    if (session.serverConnection()) {
        session.executeRaw(QString("ALTER TABLE %1.vyp ADD CONSTRAINT refuse_it CHECK (code_emp <> %2) NOT VALID")
                               .arg(schema).arg(kKovac.codeEmp));
    } else {
        session.executeRaw(QString("CREATE TRIGGER %1.refuse_it BEFORE UPDATE ON vyp WHEN old.code_emp = %2 "
                                   "BEGIN SELECT RAISE(ABORT, 'zablokované'); END")
                               .arg(schema).arg(kKovac.codeEmp));
    }

    const QString message = recomputeMarch(*dmv, scripted);
    SCOPED_TRACE(message.toStdString());
    EXPECT_TRUE(message.startsWith("Prepočítanie výplat bolo zastavené"));
    EXPECT_TRUE(message.endsWith("\nŽiadna výplata nebola zmenená."));
    // Named: only the employee whose save was refused; otherwise the month alone.
    const bool named = message.contains("pri výplate zamestnanca");
    if (named) {
        EXPECT_TRUE(message.contains(QString("(os. č. %1)").arg(kKovac.codeNumb)));
    } else {
        EXPECT_TRUE(message.startsWith("Prepočítanie výplat bolo zastavené za obdobie 200703:"));
    }
    EXPECT_EQ(storedMonth(session), before);
}

TEST_P(BatchFailure, AConnectionEndedMidRunStopsItWithTheMessageWhileTheScreensSourcesFollow)
{
    if (!session.serverConnection())
        GTEST_SKIP() << "only a server's connection can end under the run";
    setPeriod(3);
    const QList<QVariantList> before = monthToRecompute(*dmv, session);

    // The payroll screen's sources follow the payroll table: its exemption list reads the
    // server whenever the record changes, also when the run's end tells them at once.
    ASSERT_TRUE(dmv->DS_VYPL.isEnabled());
    if (!core::DM().CIS5_.isActive())
        core::DM().CIS5_.open();
    ASSERT_EQ(core::DM().CIS5_.masterSource(), &dmv->DS_VYPL);

    // The server ends the session as Kováč's record is saved.
    const QString schema = session.schemaOf("TARIX_DATA");
    session.executeRaw(QString("CREATE FUNCTION %1.end_session() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN "
                               "IF old.code_emp = %2 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
                               "RETURN new; END$$; CREATE TRIGGER end_session BEFORE UPDATE ON %1.vyp FOR EACH ROW "
                               "EXECUTE FUNCTION %1.end_session()")
                           .arg(schema).arg(kKovac.codeEmp));

    const QString message = recomputeMarch(*dmv, scripted);
    SCOPED_TRACE(message.toStdString());
    EXPECT_TRUE(message.startsWith("Prepočítanie výplat bolo zastavené"));
    EXPECT_TRUE(message.contains("sa prerušilo"));
    EXPECT_TRUE(message.endsWith("\nŽiadna výplata nebola zmenená."));

    // On a new connection the month is as it was.
    session.closeAll();
    session.restoreConnection();
    EXPECT_EQ(storedMonth(session), before);
}
