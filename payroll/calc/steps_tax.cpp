// Steps 13, 14, 16 and 17: partial tax bases, non-taxable amounts, taxable wages, the
// tax advance and the withholding tax.
#include "payroll/calc/calc_internal.h"
#include "payroll/calc/tax_bands.h"

#include <algorithm>

namespace tarix::payroll {

using namespace detail;

void Vypocet_ciastkoveho_zakladu_dane(PayRecord &r, const CalcContext &c)
{
    const int p = r.V_obdobie;
    const bool transportRules = p >= 199904 && p < 200001;

    r.Dopravne_mimoriadne = transportRules && r.U_dopravne_mimoriadne
            && r.N_brutto <= c.params.hodnota(4)
        ? c.params.hodnota(5)
        : 0.0;
    if (r.Automatika && transportRules && r.N_brutto > c.params.hodnota(4)
        && r.Dopravne > c.params.hodnota(1))
        r.Dopravne = c.params.hodnota(1);

    r.D_ciastzd1 = r.N_brutto - r.N_socfond - r.N_odstupne - r.N_jednoraz1 - r.N_jednoraz2
        + r.Pouz_auto + r.Zvys_ostatne + r.Nz_ddp - r.N_poist1 - r.N_nahrada_pn - r.Dopravne
        - r.Dopravne_mimoriadne;

    if (r.Vyrovnanie_zp < 0)
        r.D_ciastzd1 += r.Vyrovnanie_zp;
    else if (r.Vyrovnanie_zp > 0 && p >= 200701)
        r.D_ciastzd1 -= r.Vyrovnanie_zp;

    if (p < 200501)
        r.D_ciastzd1 -= r.N_ddp;

    r.D_ciastzd2 = r.N_socfond;
    if (p >= 200401) {
        r.D_ciastzd1 += r.N_socfond;
        r.D_ciastzd2 = 0;
    }

    r.D_ciastzd3 = r.N_odstupne + r.N_jednoraz1 + r.N_jednoraz2 - r.N_poist3;
    if (p >= 200001) {
        r.D_ciastzd1 += r.D_ciastzd3;
        r.D_ciastzd3 = 0;
    }

    r.D_ciastzd1 = std::max(r.D_ciastzd1, 0.0);
    r.D_ciastzd2 = std::max(r.D_ciastzd2, 0.0);
    r.D_ciastzd3 = std::max(r.D_ciastzd3, 0.0);

    if (r.Dan_vyrovnana == 1) {
        r.D_ciastzd2 = r.D_ciastzd1 + r.D_ciastzd2 + r.D_ciastzd3;
        r.D_ciastzd1 = 0;
        r.D_ciastzd3 = 0;
    }
    r.D_ciastzd = r.D_ciastzd1 + r.D_ciastzd3;
}

void Vypocet_nezdanitelnych_castok(PayRecord &r, const CalcContext &c)
{
    if (!r.U_nezdc)
        r.Nc_minimum = 0;
    else
        r.Nc_minimum = c.employee.Nc_minimum ? *c.employee.Nc_minimum : c.params.hodnota(23);
    if (r.V_obdobie >= 200401)
        r.Nc_deti = 0;
    r.Nc_spolu = r.Nc_minimum + r.Nc_deti + r.Nc_ine;
}

void Vypocet_zdanitelnej_mzdy(PayRecord &r, const CalcContext &c)
{
    const YearSetup &s = c.setup;
    if (r.Dan_vyrovnana == 0) {
        const double taxable = std::max(r.D_ciastzd1 - r.Nc_spolu, 0.0);
        // Small taxable wages go up to whole crowns whatever the year's pair says.
        r.D_zdanmzda1 = taxable > 0 && taxable <= 100.0 ? Z(0, 0, taxable)
                                                        : Z(s.F_ZADANZP, s.F_SMDANZP, taxable);
    } else {
        r.D_zdanmzda1 = 0;
    }
    r.D_zdanmzda2 = r.D_ciastzd2;
    r.D_zdanmzda3 = Z(s.ZAOKRUH5, s.ZAOKRUH5SM, r.D_ciastzd3);

    r.D_zdanmzda1 = std::max(r.D_zdanmzda1, 0.0);
    r.D_zdanmzda2 = std::max(r.D_zdanmzda2, 0.0);
    r.D_zdanmzda3 = std::max(r.D_zdanmzda3, 0.0);
}

void Vypocet_dane(PayRecord &r, const CalcContext &c)
{
    const YearSetup &s = c.setup;
    if (r.D_zdanmzda2 > 0 || r.Dan_vyrovnana == 1)
        r.D_dan = Z(s.ZAOKRUH9, s.ZAOKRUH9SM, 0.01 * r.F_dan_sadzba1 * Z(0, 1, r.D_zdanmzda2));
    else
        r.D_dan = 0;

    if (r.Dan_vyrovnana == 0 && !r.Dan_nerezident) {
        r.D_preddavok1 = Preddavok_dane(c.taxBands, c.surcharge, s, c.Aktualne_obdobie,
                                        r.D_zdanmzda1);
    } else {
        r.D_preddavok1 = 0;
    }
    r.D_preddavok3 = Z(s.F_ZAPREDDAV, s.F_SMPREDDAV,
                       Dan_podla_pasiem(c.taxBands, c.surcharge, c.Aktualne_obdobie, true,
                                        r.D_zdanmzda3));
    r.D_preddavok = r.D_preddavok1 + r.D_preddavok3;
}

} // namespace tarix::payroll
