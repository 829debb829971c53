#include "reports/forms/payroll_print.h"

#include "core/helpers/file_choice.h"
#include "payroll/dm_v.h"
#include "payroll/forms/form_main_vyp.h"
#include "platform/db/session.h"
#include "platform/report/preview_host.h"
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

namespace {

// The employee's personal number, the one the clerk knows him by; his key when the record
// cannot be read (the name is only a proposal).
QString personalNumberOf(int codeEmp)
{
    try {
        if (db::Session *s = db::Session::defaultSession()) {
            const db::SqlResult r = s->run(
                QStringLiteral("select code_numb from \":tarix_data:zam\" where code_emp = :e"),
                {{QStringLiteral("e"), codeEmp}});
            if (r.rowCount() > 0 && r.asInteger(0, 0) > 0)
                return QString::number(r.asInteger(0, 0));
        }
    } catch (const std::exception &e) {
        qWarning("No personal number of employee %d: %s", codeEmp, e.what());
    }
    return QString::number(codeEmp);
}

} // namespace

QString payrollPrintNameSuggestion(const QString &kodZostavy, int codeEmp, int period)
{
    // The layout's own code tells a 2005 payslip from an older one: "TReportVP2005A" -> "VP2005A".
    QString kod = kodZostavy;
    const ReportChoice volba = chooseReport(kodZostavy, period, &firmDistance);
    if (volba.documentKind == ReportChoice::ReportKind::Zostava && volba.nazov.startsWith(u"TReport"))
        kod = volba.nazov.mid(7);
    return MyConsts::outputFileBaseName(kod, period, personalNumberOf(codeEmp));
}

void printPayrollReport(const QString &kodZostavy, int codeEmp, int period)
{
    const rpt::SaveProposalScope proposal(MyConsts::outputFolderOrDefault(),
                                          payrollPrintNameSuggestion(kodZostavy, codeEmp, period));
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
