#pragma once
// Which input fields of a payroll record the next calculation overwrites whatever was
// typed into them. The payroll screen shows those read-only, so that nothing typed is
// silently replaced; a field whose typed value the calculation keeps (for example a base
// while the record's automatic calculation is off) stays editable.
//
// The answer depends on the record itself (the automatic calculation switch, the monthly
// wage, the premium type, ...) and on the context, so it is found by computing: the field
// is given several values in turn, the record is computed each time, and a field whose
// computed value is the same whatever it was given is overwritten. No Qt Widgets here.
#include "payroll/calc/context.h"
#include "payroll/calc/vyp_record.h"

#include <QSet>
#include <QString>
#include <QStringList>

namespace tarix::payroll {

// The fields among `candidates` (stored numeric or logical fields of the payroll record;
// others are skipped) whose computed value does not depend on their own value. A field
// for which fewer than two of the tried values compute (a step refuses them) counts as
// kept. Names are returned as given.
QSet<QString> fieldsOverwrittenByCalculation(const PayRecord &record, const CalcContext &context,
                                       const QStringList &candidates);

} // namespace tarix::payroll
