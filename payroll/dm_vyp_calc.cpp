// The calculation on the payroll table: the context of a record, the computation written
// into the record (and, on a post, into the deduction rows), and the checks of a post.
#include "payroll/dm_v.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "payroll/calc/calculation.h"
#include "payroll/dm_vyp_context.h"
#include "payroll/dm_vyp_internal.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/format/dates.h"

namespace tarix::payroll {


int detail::openPayrollPeriod(db::Session &s)
{
    if (core::hasDM())
        return core::DM().Aktualne_obdobie();
    const db::SqlResult r = s.run(QStringLiteral("select rok, mesiac from \":tarix_priv:priv\""));
    return r.rowCount() ? int(r.asInteger(0, 0) * 100 + r.asInteger(0, 1)) : 0;
}

void TDMV::sharedContext(CalcContext &c)
{
    db::Session &s = TVYP_.session();
    c.Aktualne_obdobie = detail::openPayrollPeriod(s);
    // Read once and kept while Inf, Setup and Dzp stay as they were.
    const SharedContextCache::Data &shared = m_spolocny->get(s);
    c.firm = shared.firm;
    c.setup = shared.setup;
    c.params = statutoryParameters();
    c.taxBands = shared.taxBands;
    c.surcharge = iniSettings().milionarskaDan;
}

const CalcContext &TDMV::prepareContext(const PayRecord &record)
{
    db::Session &s = TVYP_.session();
    CalcContext &c = m_kontext;
    // A batch reads the firm's and the year's part once, at its start.
    if (!m_davka)
        sharedContext(c);
    // A batch reads the month's employees, deductions and piece-work at its start.
    const bool held = m_davka && m_mesiac->current(s, record.V_obdobie);
    m_kontextZMesiaca = held;
    // Outside it, those of the record computed last serve while nothing they came from changed.
    if (!held) {
        const int known = m_osobneCisla.value(record.Code_emp, 0);
        const RecordDetails::Key key{known, record.Code_emp, record.V_obdobie, !Rezim_importu};
        if (const CalcContext *rows = known != 0 ? m_vyplata->current(s, key) : nullptr) {
            c.employee = rows->employee;
            c.deductions = rows->deductions;
            c.pieceWork = rows->pieceWork;
            c.Rezim_importu = Rezim_importu;
            return c;
        }
    }
    auto employee = [&](int numb) {
        if (!held) {
            // A new record's employee was read with its guard a moment ago.
            if (std::optional<EmployeeData> known = m_vyplata->takeEmployee(s, numb, record.Code_emp)) {
                c.employee = *known;
                return true;
            }
            return loadEmployee(s, numb, record.Code_emp, c.employee);
        }
        const EmployeeData *e = m_mesiac->employee(numb, record.Code_emp);
        if (e)
            c.employee = *e;
        return e != nullptr;
    };
    // The employee by the key of Zam; the personal number is remembered and checked by
    // the read itself.
    int numb = m_osobneCisla.value(record.Code_emp, 0);
    bool found = numb != 0 && employee(numb);
    if (!found) {
        numb = employeePersonalNumber(record.Code_emp);
        found = numb != 0 && employee(numb);
    }
    if (!found)
        throw EMyError(Msg(65050));
    c.Rezim_importu = Rezim_importu;
    if (held) {
        c.deductions = m_mesiac->deductions(record.Code_emp);
        c.pieceWork.clear();
        if (!Rezim_importu)
            c.pieceWork = m_mesiac->pieceWork(numb, record.Code_emp);
    } else {
        loadDetails(s, record.V_obdobie, numb, record.Code_emp, !Rezim_importu, c.deductions, c.pieceWork);
    }
    if (!held)
        m_vyplata->keep(s, {numb, record.Code_emp, record.V_obdobie, !Rezim_importu}, c);
    return c;
}

CalcContext TDMV::payrollContext(const PayRecord &record)
{
    return prepareContext(record);
}

PayRecord TDMV::currentPayroll() const
{
    return m_adapter->read(TVYP_);
}


PayRecord TDMV::calculationInput(const PayRecord &record, const CalcContext &c) const
{
    if (TVYP_.state() == db::DataSetState::Edit) {
        const PayRecord stored = m_adapter->asRead(TVYP_, record);
        return m_derivedInputs.prepare(record, &stored, c);
    }
    return m_derivedInputs.prepare(record, nullptr, c);
}

void TDMV::watchDerivedInputs()
{
    for (int i = 0; i < DerivedInputs::kCount; ++i) {
        db::Field &f = TVYP_.declareField(QString::fromLatin1(DerivedInputs::fieldNames()[size_t(i)]));
        f.onChange = [this, i, previous = f.onChange](db::Field &field) {
            if (previous)
                previous(field);
            if (m_writingCalculation)
                return;
            const db::DataSet &ds = field.dataSet();
            m_derivedInputs.typed(ds.fieldByName(QStringLiteral("Code_emp")).asInt(),
                                  ds.fieldByName(QStringLiteral("V_obdobie")).asInt(), i, field.asFloat());
        };
    }
}

PayRecord TDMV::computedCopy(const PayRecord &record)
{
    const CalcContext &c = prepareContext(record);
    PayRecord copy = calculationInput(record, c);
    payroll::Vypocet_vyplaty(copy, c);
    return copy;
}

void TDMV::Vypocet_vyplaty()
{
    if (TVYP_.isEditing())
        computeAndPost(false);
}

PayRecord TDMV::computeAndPost(bool zapisatZrazky)
{
    db::Session &s = TVYP_.session();
    const PayRecord before = m_adapter->read(TVYP_);
    const CalcContext &c = prepareContext(before);
    const PayRecord input = calculationInput(before, c);
    PayRecord r = input;
    const CalcResult result = payroll::Vypocet_vyplaty(r, c);
    // Payment orders pay the stored amount of a deduction row: it changes only together
    // with the payroll record it belongs to, in the post's transaction.
    if (zapisatZrazky) {
        try {
            writeDeductionSums(s, r.Code_emp, r.V_obdobie, c.deductions, result.Vypocitana_suma);
        } catch (const EMyError &e) {
            throw EMyError(QStringLiteral("Chyba pri výpočte zrážok:") + e.text());
        }
        // The batch's rows of the month hold the amounts just stored.
        if (m_kontextZMesiaca)
            m_mesiac->storedAmounts(s, r.Code_emp, result.Vypocitana_suma);
    }
    Sumy_zrazok = result.Sumy_zrazok;
    m_writingCalculation = true;
    try {
        m_adapter->write(TVYP_, r, &before);
    } catch (...) {
        m_writingCalculation = false;
        throw;
    }
    m_writingCalculation = false;
    m_derivedInputs.remember(input, r);
    // The rows show their amounts against the record as it is now (CALC_VYP_SUMA); a
    // refresh recomputes them without storing anything.
    if (!zapisatZrazky && !m_davka && !c.deductions.empty() && TZRV_.isActive() && !TZRV_.isEditing())
        TZRV_.refresh();
    return r;
}

double TDMV::Suma_zrazky(double suma, int typSumy) const
{
    if (!TVYP_.isActive() || TVYP_.isEmpty())
        return payroll::Suma_zrazky(PayRecord(), suma, typSumy);
    return payroll::Suma_zrazky(m_adapter->read(TVYP_), suma, typSumy);
}

void TDMV::rejectPayroll(const QString &text)
{
    if (m_davka)
        throw EMyError(text);
    MyConsts::Sprava_chyba(text);
    throw EAbort();
}

void TDMV::Kontrola_uzavierky()
{
    const QDate closing = closingDate();
    const int closingPeriod = MyConsts::Obdobie_z_datumu(closing);
    if (closingPeriod == 0 || !TVYP_.isActive())
        return;
    const int period = TVYP_.fieldByName(QStringLiteral("V_obdobie")).asInt();
    if (closingPeriod >= period)
        rejectPayroll(Msg(65134, fmt::shortDate(closing)));
}

void TDMV::postChecks(const PayRecord &r)
{
    if (!m_davka && !m_zrazkovaPotvrdena) {
        const StatutoryParams params = statutoryParameters();
        if (withholdingTaxNeedsConfirmation(r, params)) {
            if (!MyConsts::Otazka_ano_nie(Msg(65043, generalFieldNumber(params.hodnota(31)))))
                throw EAbort();
            m_zrazkovaPotvrdena = true;
        }
    }
    if (r.V_plat > 0 && r.V_den == 0)
        rejectPayroll(Msg(65044));
    if (r.V_plat > 0 && r.V_hodina == 0)
        rejectPayroll(Msg(65045));
    const QDate closing = closingDate();
    const int closingPeriod = MyConsts::Obdobie_z_datumu(closing);
    if (closingPeriod != 0 && closingPeriod >= r.V_obdobie)
        rejectPayroll(Msg(65134, fmt::shortDate(closing)));
}

// A blank exception code is stored as "0"; set before computing, so that the stored
// record is the computation of its own stored inputs.
static void Doplnit_vynimku(db::Table &vyp)
{
    db::Field &vynimka = vyp.fieldByName(QStringLiteral("VYNIMKA_VZ"));
    if (vynimka.asString().trimmed().isEmpty())
        vynimka.setValue(QStringLiteral("0"));
}

void TDMV::TVYP_BeforePostQuestions()
{
    Doplnit_vynimku(TVYP_);
    // Questions and refusals first, on a computed copy, before the post's transaction.
    if (!m_davka)
        postChecks(computedCopy(m_adapter->read(TVYP_)));
}

void TDMV::TVYP_BeforePost()
{
    Doplnit_vynimku(TVYP_);
    // The stored record and its deduction amounts are computed inside the post's
    // transaction: a refusal or a failed write takes both back.
    postChecks(computeAndPost(true));
}

} // namespace tarix::payroll
