#include "reports/forms/payroll_print.h"

#include "payroll/forms/form_main_vyp.h"
#include "reports/forms/f_par_form.h"

namespace tarix::reports {

TMyReportParam Parametre_tlace_vyplaty(const QString &kodZostavy, int codeEmp, int period)
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

void Tlac_zostavy_vyplaty(const QString &kodZostavy, int codeEmp, int period)
{
    ParForm::Zobraz_parametre_zostavy(Parametre_tlace_vyplaty(kodZostavy, codeEmp, period));
}

void Pripoj_tlac_obrazovky_vyplat() { payroll::Nastav_tlac_vyplat(&Tlac_zostavy_vyplaty); }

void registerCommands() { Pripoj_tlac_obrazovky_vyplat(); }

} // namespace tarix::reports
