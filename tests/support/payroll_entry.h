#pragma once
// A payroll of the open month as the clerk enters it on the payroll screen: the employee
// chosen, a new record with the whole month worked (the month's working days, and hours at
// the employee's daily hours), computed and posted by the payroll module.
#include "payroll/dm_v.h"
#include "platform/db/table.h"

namespace tarix::test {

inline void postWholeMonth(payroll::TDMV &dmv, int codeNumb, int codeEmp)
{
    dmv.setEmployee(codeNumb, codeEmp);
    db::Table &t = dmv.TVYP_;
    t.insert();
    const double fund = t.fieldByName("V_fmes").asFloat();
    t.setValue("V_den", fund);
    t.setValue("V_hodina", fund * t.fieldByName("F_doba").asFloat());
    t.post();
}

} // namespace tarix::test
