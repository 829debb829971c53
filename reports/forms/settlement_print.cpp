#include "reports/forms/settlement_print.h"

#include "payroll/dm_v.h"
#include "platform/errors.h"
#include "reports/forms/f_par_form.h"
#include "reports/launchers.h"

namespace tarix::reports {

void printSettlementReport(const QString &spustac, const payroll::SettlementState &stav)
{
    const ReportLauncher *s = reportLauncher(spustac);
    if (!s)
        throw EMyError(QStringLiteral("Neznáma tlačová zostava %1").arg(spustac));
    LauncherState st = launcherState();
    st.zamestnanecZuctovania = stav.codeEmp;
    st.rokZuctovania = stav.rok;
    st.zuctovanieEdituje = stav.isEditingRecord;
    TMyReportParam p;
    Priprav_parametre_zostavy(p);
    if (const std::optional<TMyReportParam> request = launcherRequest(*s, st, p))
        ParForm::Zobraz_parametre_zostavy(*request);
}

void registerSettlementPrints(core::CommandRegistry &commands)
{
    for (const QString &id : commands.declared())
        commands.add(id, [id](const core::CommandContext &) { printSettlementReport(id, payroll::currentSettlement(payroll::DMV())); });
}

} // namespace tarix::reports
