#include "payroll/calc/derived_inputs.h"

#include "payroll/calc/calculation.h"

namespace tarix::payroll {

namespace {

using Member = double PayRecord::*;
const std::array<Member, DerivedInputs::kCount> kMembers{&PayRecord::V_hodina, &PayRecord::V_priemer1};

// The steps up to the hourly average (6) are all that both fields depend on.
constexpr int kLastDerivingStep = 6;

double derivedValue(const PayRecord &record, Member field, const CalcContext &context)
{
    PayRecord copy = record;
    copy.*field = 0.0;
    CalcResult unused;
    for (const CalcStep &step : calculationSteps()) {
        if (step.number > kLastDerivingStep)
            break;
        step.run(copy, context, unused);
    }
    return copy.*field;
}

} // namespace

const std::array<const char *, DerivedInputs::kCount> &DerivedInputs::fieldNames()
{
    static const std::array<const char *, kCount> names{"V_hodina", "V_priemer1"};
    return names;
}

PayRecord DerivedInputs::prepare(const PayRecord &current, const PayRecord *stored,
                                 const CalcContext &context) const
{
    PayRecord r = current;
    std::optional<PayRecord> asRead;
    if (stored)
        asRead = *stored;
    const bool sameRecord = m_remembered && m_remembered->codeEmp == current.Code_emp
                            && m_remembered->period == current.V_obdobie;
    // In this order: the average depends on the hours.
    for (int i = 0; i < kCount; ++i) {
        const Member field = kMembers[size_t(i)];
        const double value = r.*field;
        if (value == 0.0)
            continue; // the calculation fills it anyway
        const auto &mark = sameRecord ? m_remembered->marks[size_t(i)] : std::nullopt;
        bool derived = false;
        if (mark && mark->value == value)
            derived = mark->derived;
        else if (asRead && (*asRead).*field == value)
            // The value it was read with: derived when the calculation arrives at it from
            // the record's stored inputs.
            derived = derivedValue(*asRead, field, context) == value;
        if (derived) {
            r.*field = 0.0;
            if (asRead)
                (*asRead).*field = 0.0;
        }
    }
    return r;
}

DerivedInputs::Remembered &DerivedInputs::record(int codeEmp, int period)
{
    if (!m_remembered || m_remembered->codeEmp != codeEmp || m_remembered->period != period)
        m_remembered = Remembered{codeEmp, period, {}};
    return *m_remembered;
}

void DerivedInputs::remember(const PayRecord &input, const PayRecord &result)
{
    Remembered &rec = record(input.Code_emp, input.V_obdobie);
    for (int i = 0; i < kCount; ++i) {
        const Member field = kMembers[size_t(i)];
        rec.marks[size_t(i)] = Remembered::Mark{input.*field == 0.0, result.*field};
    }
}

void DerivedInputs::typed(int codeEmp, int period, int field, double value)
{
    if (field >= 0 && field < kCount)
        record(codeEmp, period).marks[size_t(field)] = Remembered::Mark{false, value};
}

} // namespace tarix::payroll
