// The month's recalculation refused by the database at one record, on both backends: the run
// stops with the message that nothing was changed, every stored payroll stays as it was, and
// the message never names an employee whose record did not fail (on the server a save goes
// without waiting for its answer, so its refusal may come back at a later record or at the
// commit; then the message names the month only).
#include "support/payroll_entry.h"
#include "core/helpers/messages.h"
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

} // namespace

TEST_P(BatchFailure, ARefusedSaveStopsTheRunNamingNoOtherEmployeeAndStoresNothing)
{
    setPeriod(3);
    const DemoPerson people[] = {kHudak, kStastna, kCierny, kChudy, kCibula, kHorvathova, kKovac, kSykorova, kZeman};
    for (const DemoPerson &e : people)
        test::postWholeMonth(*dmv, e.codeNumb, e.codeEmp);
    // The year's health rate changed: every record computes anew and is saved.
    session.execute("update \":tarix_comm:setup\" set f_zdravot = 5");
    const QList<QVariantList> before = storedMonth(session);

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

    scripted.answerYes(Msg(65135, "marec 2007")).answerYes(Msg(65104, "marec 2007"));
    QString message;
    try {
        dmv->Prepocitanie_vyplat(0);
    } catch (const EMyError &e) {
        message = e.text();
    }
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
