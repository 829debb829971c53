#pragma once
// The payroll lists, the wage recapitulation and the contribution breakdowns.
namespace tarix::reports {

// Registers the run routines of TReportVL, TReportVLOLD, TReportVL2, TReportZL,
// TReportVL3, TReportOdv2, TReportOdvZp and TReportOdvDp under their class names.
void registerPayrollLists();

} // namespace tarix::reports
