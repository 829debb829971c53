#include "reports/forms/settlement_print.h"

#include "payroll/dm_vyp.h"
#include "platform/errors.h"
#include "reports/forms/f_par_form.h"
#include "reports/launchers.h"

namespace tarix::reports {

void Tlac_zuctovania(const QString &spustac, const payroll::StavZuctovania &stav)
{
    const SpustacZostavy *s = Spustac_zostavy(spustac);
    if (!s)
        throw EMyError(QStringLiteral("Neznáma tlačová zostava %1").arg(spustac));
    StavSpustaca st = Stav_spustaca();
    st.zamestnanecZuctovania = stav.codeEmp;
    st.rokZuctovania = stav.rok;
    st.zuctovanieEdituje = stav.edituje;
    TMyReportParam p;
    Priprav_parametre_zostavy(p);
    if (const std::optional<TMyReportParam> request = Poziadavka_spustaca(*s, st, p))
        ParForm::Zobraz_parametre_zostavy(*request);
}

void registerSettlementPrints(core::CommandRegistry &commands)
{
    for (const QString &id : commands.declared())
        commands.add(id, [id](const core::CommandContext &) { Tlac_zuctovania(id, payroll::currentSettlement(payroll::DMV())); });
}

} // namespace tarix::reports
