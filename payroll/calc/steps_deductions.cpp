// Step 19: the amounts of the month's deduction rows and their totals by type; the
// piece-work item total.
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

using namespace detail;

double Suma_zrazky(const PayRecord &r, double suma, int typSumy)
{
    switch (typSumy) {
    case 0:
        return suma;
    case 1:
        return Z(0, 2, r.N_brutto * suma * 0.01);
    case 2:
        return Z(0, 2, (r.N_brutto - r.N_holiday - r.N_sviatok) * suma * 0.01);
    case 3:
        return Z(0, 2, r.N_netto * suma * 0.01);
    default:
        return 0.0;
    }
}

CalcResult Spracuj_zrazky_vyplaty(const PayRecord &r, const std::vector<ZrvRow> &rows)
{
    CalcResult result;
    result.Vypocitana_suma.reserve(rows.size());
    DeductionSums &sums = result.Sumy_zrazok;
    for (const ZrvRow &row : rows) {
        const double amount = Suma_zrazky(r, row.Suma, row.Typ_sumy);
        result.Vypocitana_suma.push_back(amount);
        const QChar type = row.Typ.isEmpty() ? QChar(u' ') : row.Typ.at(0);
        switch (type.unicode()) {
        case u'P': sums.P += amount; break;
        case u'O': sums.O += amount; break;
        case u'Y': sums.Y += amount; break;
        case u'X': sums.X += amount; break;
        case u'S': sums.S += amount; break;
        default: break; // a row of an unknown type adds to no total
        }
    }
    return result;
}

CalcResult Vypocet_zrazok(PayRecord &r, const CalcContext &c)
{
    CalcResult result = Spracuj_zrazky_vyplaty(r, c.deductions);
    const DeductionSums &sums = result.Sumy_zrazok;
    // Without any computed deduction the amounts typed on the payroll screen stay.
    if (!sums.allZero()) {
        r.Ne_poistovna = sums.P;
        r.Ne_odborar = sums.O;
        r.Ne_pozicky = sums.Y;
        r.Ne_exekucia = sums.X + sums.S;
    }
    return result;
}

double workSum(double pocet, double suma1)
{
    return pocet * suma1;
}

} // namespace tarix::payroll
