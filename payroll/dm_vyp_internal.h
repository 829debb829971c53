#pragma once
// Helpers shared by the files of the payroll data module.
#include "platform/db/session.h"

namespace tarix::payroll {
class TDMV;
}

namespace tarix::payroll::detail {

// Gives the module's fields their labels (dm_vyp_labels.cpp); after the calculated fields
// are added.
void setPayrollLabels(TDMV &m);

// The open period yyyymm (the main data module's, or the private folder's row when that
// module is not created).
int openPayrollPeriod(db::Session &s);

} // namespace tarix::payroll::detail
