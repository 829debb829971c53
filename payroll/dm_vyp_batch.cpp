// Batch recalculation of the open month: every selected payroll record is edited and
// posted, so that the post handler recomputes and stores it exactly as a post from the
// payroll screen would.
//
// The records' keys are read first and the records are then computed one after another,
// so that a post that changes a field of the selection (Rezerva1, SID, ...) can neither
// skip nor repeat a record. The whole run is one transaction: the first failure of any kind
// (a refusal of the calculation, a database error, anything else thrown) cancels the pending
// record, rolls every record back, and raises EMyError naming the employee and the cause.
// Nothing is asked per record: a record taxed by withholding tax keeps that choice (it was
// confirmed when the record was posted, or set by the tax split, which sets it only for
// records that qualify).
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "payroll/calc/calculation.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "platform/db/session.h"
#include "platform/db/statement.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"

namespace tarix::payroll {

BatchScope::BatchScope(TDMV &dm) : m_dm(dm)
{
    m_dm.sharedContext(m_dm.m_kontext);
    const QDate closing = m_dm.closingDate();
    m_dm.m_davkovaUzavierka = closing;
    m_dm.m_davka = true;
}

BatchScope::BatchScope(TDMV &dm, int period) : BatchScope(dm)
{
    m_dm.m_mesiac->load(m_dm.TVYP_.session(), period);
}

BatchScope::~BatchScope()
{
    m_dm.m_davka = false;
    m_dm.m_davkovaUzavierka.reset();
    m_dm.m_mesiac->clear();
}

namespace {


QString periodText(int period)
{
    if (core::hasDM())
        return core::DM().Nazov_obdobia(false);
    return MyConsts::Nazov_mesiaca(period % 100, false) + u' ' + QString::number(period / 100);
}

struct Kluc {
    int codeEmp;
    int codeNumb;
    // Read with the keys: naming the employee must not need the database. The name is
    // put together only for the error that names the employee.
    QString title, name, surname;
};

// The error that stops a run: the employee by name and personal number, the cause, and that
// nothing was stored.
EMyError stopRequested(const Kluc &key, int period, const QString &cause)
{
    const QString meno = MyConsts::Cele_meno(key.title, key.name, key.surname);
    const QString who = meno.isEmpty() ? QString::number(key.codeEmp) : meno;
    return EMyError(QStringLiteral("Prepočítanie výplat bolo zastavené pri výplate zamestnanca %1 "
                                   "(os. č. %2) za obdobie %3:\n%4\nŽiadna výplata nebola zmenená.")
                        .arg(who, QString::number(key.codeNumb), QString::number(period), cause));
}

// The same when the cause belongs to no employee the run can name: a write sent earlier
// without waiting for its answer failed and is reported later, at another record or at the
// commit.
EMyError runStopped(int period, const QString &cause)
{
    return EMyError(QStringLiteral("Prepočítanie výplat bolo zastavené za obdobie %1:\n%2\nŽiadna výplata nebola zmenená.")
                        .arg(QString::number(period), cause));
}

} // namespace

// Runs one batch over the payroll records of `period` that `condition` selects (an SQL
// text over the alias v of Vyp, with its parameters). With `taxSplit` each record first
// gets the tax regime its freshly computed income qualifies for.
int TDMV::recomputeMonth(int period, const QString &condition, const db::Params &conditionParams,
                            bool taxSplit)
{
    db::Table &vyp = TVYP_;
    db::Session &s = vyp.session();

    // A pending edit of the screen is finished (with its questions) before the run.
    if (vyp.isActive())
        vyp.checkBrowseMode();

    db::Params params = conditionParams;
    params.set(QStringLiteral("p"), period);
    // Read row by row from the statement (the keys as numbers, the name's parts as texts).
    std::vector<Kluc> keys;
    {
        const db::SqlRewrite query = s.rewrite(
            QStringLiteral("select v.code_emp, z.code_numb, z.title, z.name, z.surname from \":tarix_data:vyp\" v "
                           "left join \":tarix_data:zam\" z on z.code_emp = v.code_emp "
                           "where v.v_obdobie = :p")
            + condition + QStringLiteral(" order by v.code_emp"));
        db::Session::Lease st(s, query.sql);
        db::Session::bindParams(*st, query, params);
        while (st->step())
            keys.push_back({int(st->columnInt64(0)), int(st->columnInt64(1)), db::variantToString(st->column(2)),
                            db::variantToString(st->column(3)), db::variantToString(st->column(4))});
    }

    ui::ProgressScope progress;
    MyConsts::Zobraz_priebeh(0);
    int stored = 0;
    {
        db::CursorStateGuard cursor(vyp);
        BatchScope davka(*this, period);
        // Another program's recalculation of the month is waited for before a row is read:
        // the rows then read are as it stored them (on the folders the write lock of the
        // transaction's start keeps it out the same way).
        db::Transaction tx(&s);
        try {
            s.holdClaimInTransaction(vyp.aliasName(), QStringLiteral("recompute %1").arg(period),
                                     db::Session::ClaimWait::Now);
        } catch (const EMyError &e) {
            throw runStopped(period, e.text());
        }
        if (!vyp.isActive())
            vyp.open();
        db::ControlsDisabled controls(vyp);
        vyp.setFiltered(false);
        // The month's records in the order of the keys, listed once: the cursor goes from
        // one to the next without narrowing the table to each.
        vyp.setOrderedRange(QStringLiteral("V_obdobie;Code_emp"), {period});

        const StatutoryParams statutory = statutoryParameters();
        int shown = 0;
        for (const Kluc &key : keys) {
            if (key.codeNumb != 0)
                m_osobneCisla.insert(key.codeEmp, key.codeNumb);
            try {
                // Listed when the run began; deleted since, it reads blank.
                if (!vyp.findKey({period, key.codeEmp})
                    || vyp.fieldByName(QStringLiteral("Code_emp")).asInt() != key.codeEmp)
                    throw EMyError(QStringLiteral("Výplata sa nenašla."));
                db::EditGuard guard(vyp);
                vyp.edit();
                if (taxSplit) {
                    const PayRecord computed = computedCopy(currentPayroll());
                    vyp.fieldByName(QStringLiteral("Dan_vyrovnana"))
                        .setValue(failsWithholdingTaxConditions(computed, statutory) ? 0 : 1);
                }
                vyp.post();
            } catch (const EMyError &e) { // the program's refusals and every db::DbError
                throw s.transactionFailed() ? runStopped(period, e.text()) : stopRequested(key, period, e.text());
            } catch (const EAbort &) {
                throw stopRequested(key, period, QStringLiteral("Spracovanie výplaty bolo prerušené."));
            } catch (const std::exception &e) {
                throw stopRequested(key, period, QString::fromUtf8(e.what()));
            }
            ++stored;
            const int percent = int(qint64(stored) * 100 / qint64(keys.size()));
            if (percent != shown && percent < 100) {
                MyConsts::Zobraz_priebeh(percent);
                shown = percent;
            }
        }
        try {
            tx.commit();
        } catch (const EMyError &e) {
            throw runStopped(period, e.text());
        }
    }
    refreshDetails();
    MyConsts::Zobraz_priebeh(100);
    return stored;
}

int TDMV::Prepocitanie_vyplat(int mode)
{
    const int period = detail::openPayrollPeriod(TVYP_.session());
    if (mode == 0) {
        const int closing = closedPeriod();
        if (closing != 0 && closing >= period)
            return 0;
        const QString text = periodText(period);
        if (!MyConsts::Otazka_ano_nie(Msg(65135, text)) || !MyConsts::Otazka_ano_nie(Msg(65104, text)))
            return 0;
    }
    QString condition;
    switch (mode) {
    case 1:
        condition = QStringLiteral(" and v.d_vyrovnanie<>0");
        break;
    case 2:
        condition = QStringLiteral(" and v.vyrovnanie_zp<>0");
        break;
    case 3:
        condition = QStringLiteral(" and v.rezerva1=1");
        break;
    default:
        break;
    }
    return recomputeMonth(period, condition, {}, false);
}

int TDMV::Rozdelenie_dane()
{
    const int period = detail::openPayrollPeriod(TVYP_.session());
    const int closing = closedPeriod();
    if (closing != 0 && closing >= period)
        return 0;
    const QString centres = core::hasDM() ? core::DM().Text_cisla_strediska() : QStringLiteral("celá frima");
    if (!MyConsts::Otazka_ano_nie(Msg(65105, centres, periodText(period))))
        return 0;
    const int minSid = core::hasDM() ? core::DM().Min_stredisko() : 1;
    const int maxSid = core::hasDM() ? core::DM().Max_stredisko() : 99;
    return recomputeMonth(period, QStringLiteral(" and v.sid between :sid1 and :sid2"),
                      {{QStringLiteral("sid1"), minSid}, {QStringLiteral("sid2"), maxSid}}, true);
}

} // namespace tarix::payroll
