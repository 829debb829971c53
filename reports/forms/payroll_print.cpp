#include "reports/forms/payroll_print.h"

#include "payroll/dm_v.h"
#include "payroll/forms/form_main_vyp.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"

namespace tarix::reports {

TMyReportParam payrollPrintParameters(const QString &kodZostavy, int codeEmp, int period)
{
    TMyReportParam p;
    Priprav_parametre_zostavy(p);
    p.Bez_dialogu = true;
    p.Zamestnanec_od = codeEmp;
    p.Zamestnanec_do = codeEmp;
    p.Obdobie = period;
    p.Kod_zostavy = kodZostavy;
    return p;
}

QString payrollPrintNameSuggestion(const QString &kodZostavy, int codeEmp, int period)
{
    return proposedSaveName(payrollPrintParameters(kodZostavy, codeEmp, period));
}

void printPayrollReport(const QString &kodZostavy, int codeEmp, int period)
{
    ParForm::Zobraz_parametre_zostavy(payrollPrintParameters(kodZostavy, codeEmp, period));
}

void registerPayrollScreenPrints(core::CommandRegistry &commands)
{
    for (const QString &code : commands.declared())
        commands.add(code, [code](const core::CommandContext &) {
            const db::Table &vyp = payroll::DMV().TVYP_;
            printPayrollReport(code, vyp.fieldByName(QStringLiteral("Code_emp")).asInt(),
                                 vyp.fieldByName(QStringLiteral("V_obdobie")).asInt());
        });
}

void registerCommands() { registerPayrollScreenPrints(payroll::payrollScreenPrintCommands()); }

} // namespace tarix::reports
