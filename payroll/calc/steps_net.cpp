// Steps 18 and 20: tax bonus and net pay; savings transfer and the amount paid out.
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

using namespace detail;

void Vypocet_cistej_mzdy(PayRecord &r, const CalcContext &)
{
    r.D_bonus_cerpany = r.D_bonus_predpis;
    double netto = r.N_brutto;
    netto -= r.N_poist;
    netto -= r.N_ddp;
    netto -= r.D_preddavok;
    netto += r.D_bonus_cerpany;
    netto -= r.D_dan;
    netto += r.N_doplatok;
    netto += r.D_vyrovnanie;
    netto += r.Nd_spolu;
    netto += r.Vyrovnanie_zp;
    r.N_netto = Z(0, 0, netto);
}

void Vypocet_k_vyplate(PayRecord &r, const CalcContext &)
{
    double rest = r.N_netto;
    rest -= r.Ne_zaloha;
    rest -= r.Ne_stravne;
    rest -= r.Ne_pozicky;
    rest -= r.Ne_odborar;
    rest -= r.Ne_poistovna;
    rest -= r.Ne_exekucia;
    if (r.Spor_plat == 1) {
        r.Sporenie = rest;
        r.Vyplata = 0;
    } else {
        r.Vyplata = rest - r.Sporenie;
    }
}

} // namespace tarix::payroll
