#pragma once
// The inputs of a payroll record that the calculation fills itself while they are 0: the
// hours worked of a monthly-paid employee (from the days) and the hourly average (from
// the wage sum). A value the calculation derived must be derived again from the current
// inputs at each calculation, or the record would depend on the order in which the clerk
// typed its fields (days typed and the field left before the hours fix the average from
// the wrong hours). A value the clerk typed, or one a new record took from the quarter's
// average, is kept.
//
// DerivedInputs remembers, for the one record being edited, which value of each field the
// last calculation derived and which value the clerk typed. Before a calculation, a field
// still holding the value remembered for it is what was remembered; a field holding the
// value it was read with from a stored record counts as derived when it equals what the
// calculation derives from the record's stored inputs; any other value was typed. Derived
// fields are zeroed, so that the calculation derives them again.
#include "payroll/calc/context.h"
#include "payroll/calc/vyp_record.h"

#include <array>
#include <optional>

namespace tarix::payroll {

class DerivedInputs {
public:
    static constexpr int kCount = 2;
    // The fields by their table names, in the order they are decided (the average depends
    // on the hours).
    static const std::array<const char *, kCount> &fieldNames();

    // The record to calculate: `current` with its derived fields zeroed. `stored` is the
    // record as it was read from the table before the pending edit, null for a new
    // record (whose values not written by the calculation were typed or taken from the
    // quarter's average).
    PayRecord prepare(const PayRecord &current, const PayRecord *stored, const CalcContext &context) const;

    // After `input` (what prepare returned) was calculated into `result` and written:
    // the fields that were 0 in the input hold derived values now.
    void remember(const PayRecord &input, const PayRecord &result);

    // The clerk typed `value` into field `field` (an index of fieldNames()) of the record.
    void typed(int codeEmp, int period, int field, double value);

    // Forgets the record (the next one is decided afresh).
    void forget() { m_remembered.reset(); }

private:
    struct Remembered {
        int codeEmp = 0;
        int period = 0;
        struct Mark {
            bool derived = false;
            double value = 0.0;
        };
        std::array<std::optional<Mark>, kCount> marks; // per field, nothing known yet
    };
    Remembered &record(int codeEmp, int period);
    std::optional<Remembered> m_remembered;
};

} // namespace tarix::payroll
