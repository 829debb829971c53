// Step 15: the net daily wage and the sickness and state benefits that an employer who
// pays them itself adds to the payslip (periods up to 200412).
#include "payroll/calc/calc_internal.h"
#include "payroll/calc/tax_bands.h"

#include <algorithm>

namespace tarix::payroll {

using namespace detail;

namespace {

double limited(double value, const YearSetup &s)
{
    if (s.F_NEMMIN > value)
        value = s.F_NEMMIN;
    if (s.F_NEMMAX < value)
        value = s.F_NEMMAX;
    return value;
}

} // namespace

double Poistne_pre_cistu_dennu_mzdu(const PayRecord &r, const CalcContext &c, double earnings)
{
    const YearSetup &s = c.setup;
    const double base = Z(s.F_ZAZAKLPOIST, s.F_SMZAKLPOIST, earnings);
    const struct {
        int flag;
        int maximumId;
        double rate;
    } funds[] = {{r.U_zdrav, 19, r.F_zdravot},
                 {r.U_nemoc, 20, r.F_nemoc},
                 {r.U_dochod, 21, r.F_dochod},
                 {r.U_fondzam, 22, r.F_fondz}};
    double sum = 0.0;
    for (const auto &fund : funds) {
        if (employeePays(fund.flag)) {
            const double fundBase = std::min(base, c.params.hodnota(fund.maximumId));
            sum += Z(s.F_ZAODVOD, s.F_SMODVOD, fund.rate * 0.01 * fundBase);
        }
    }
    return sum;
}

double Dan_pre_cistu_dennu_mzdu(const PayRecord &r, const CalcContext &c, double earnings)
{
    const YearSetup &s = c.setup;
    double base = std::max(earnings - r.Nc_spolu, 0.0);
    base = Z(s.F_ZADANZP, s.F_SMDANZP, base);
    const double tax = Preddavok_dane_podla_pasiem(c.taxBands, c.surcharge, c.Aktualne_obdobie, base);
    return Z(1, 0, tax);
}

double Cista_denna_mzda_zo_zarobku(const PayRecord &r, const CalcContext &c, double earnings)
{
    if (r.F_min_mzda > earnings)
        earnings = r.F_min_mzda;
    const double contributions = r.V_plat == 0 ? 0.0 : Poistne_pre_cistu_dennu_mzdu(r, c, earnings);
    const double tax = Dan_pre_cistu_dennu_mzdu(r, c, earnings - contributions);
    const double net = std::max(earnings - tax, 0.0);
    return limited(Z(-2, 2, net * (1 / 21.74)), c.setup);
}

void Cista_denna_mzda(PayRecord &r, const CalcContext &c)
{
    if (r.V_obdobie < 200401) {
        if (r.Nd_rucne)
            return;
        r.Cista_denna_mzda = r.PRHRMEZA == 0 ? 0.0 : Cista_denna_mzda_zo_zarobku(r, c, r.PRHRMEZA);
    }
    r.Cista_denna_mzda = limited(r.Cista_denna_mzda, c.setup);
}

void Vypocet_nemocenskych_davok(PayRecord &r, const CalcContext &c)
{
    const YearSetup &s = c.setup;
    Cista_denna_mzda(r, c);
    const double d = r.Cista_denna_mzda;

    r.V_pn = r.V_pn1 + r.V_pn2;
    r.V_ocr12 = r.V_ocr1 + r.V_ocr2;

    if (c.firm.F_ND_POCITA != 0 && r.V_obdobie < 200501) {
        const auto round4 = [&s](double v) { return Z(s.ZAOKRUH4, s.ZAOKRUH4SM, v); };
        r.N_pn1 = round4(r.V_pn1 * d * r.F_pn1 * 0.01);
        r.N_pn2 = round4(r.V_pn2 * d * r.F_pn2 * 0.01);
        r.N_ocr1 = round4(r.V_ocr1 * d * r.F_pn1 * 0.01);
        r.N_ocr2 = round4(r.V_ocr2 * d * r.F_pn2 * 0.01);
        r.N_pn = r.N_pn1 + r.N_pn2;
        r.N_ocr = r.N_ocr1 + r.N_ocr2;
        r.Nd_materska = round4(r.V_materska * d * r.F_pn2 * 0.01);
    } else {
        r.N_pn1 = r.N_pn2 = r.N_pn = 0;
        r.N_ocr1 = r.N_ocr2 = r.N_ocr = 0;
        r.Nd_materska = r.Nd_rodic = r.Nd_pridavky = r.Nd_ine = 0;
    }
    if (!r.U_materska)
        r.Nd_materska = 0;
    if (!r.U_rodic)
        r.Nd_rodic = 0;

    r.Nd_spolu = Z(s.ZAOKRUH10, s.ZAOKRUH10SM,
                   r.N_pn1 + r.N_pn2 + r.N_ocr1 + r.N_ocr2 + r.Nd_materska + r.Nd_rodic
                       + r.Nd_pridavky + r.Nd_ine);
}

} // namespace tarix::payroll
