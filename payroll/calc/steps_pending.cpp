// Steps whose rules follow in the next changes; until then they leave the record as it is.
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

CalcResult Vypocet_zrazok(VypRecord &, const CalcContext &) { return {}; }

} // namespace tarix::payroll
