#pragma once
// The print actions of the payroll screen: the payslip ("VP") or the piece-work report
// ("VYK") of one employee and period, through the report entry without the dialog.
#include "reports/report_param.h"

#include <QString>

namespace tarix::core {
class CommandRegistry;
}

namespace tarix::reports {

// The request the payroll screen prints with: the defaults of the open period and cost
// centre, no dialog, the employee range from and to `codeEmp`, the period `period`.
TMyReportParam payrollPrintParameters(const QString &kodZostavy, int codeEmp, int period);

// The file name (without extension) the report of the request proposes when saved
// (proposedSaveName): the layout the period selects ("VP2005A"), the period and the
// employee's personal number.
QString payrollPrintNameSuggestion(const QString &kodZostavy, int codeEmp, int period);

// Runs the report of that request through the report entry; its preview proposes the
// firm's output folder and payrollPrintNameSuggestion for saving, as every report run does.
void printPayrollReport(const QString &kodZostavy, int codeEmp, int period);

// Registers the payroll screen's print commands: each runs printPayrollReport for the
// payroll record current in DMV().TVYP_.
void registerPayrollScreenPrints(core::CommandRegistry &commands);

// Registers the reports subsystem's commands: the payroll screen's print actions.
void registerCommands();

} // namespace tarix::reports
