#include "payroll/calc/tax_bands.h"

#include "core/helpers/myconsts.h"

namespace tarix::payroll {

namespace {

bool inWindow(const SurchargeTable &s, int openPeriod)
{
    return s.Obdobie_od <= openPeriod && openPeriod <= s.Obdobie_do;
}

} // namespace

double Milionarska_dan_mesacna(const SurchargeTable &surcharge, double tax)
{
    for (auto it = surcharge.pairs.rbegin(); it != surcharge.pairs.rend(); ++it) {
        if (it->Pasmo / 12 <= tax)
            return tax + 0.01 * tax * it->Sadzba;
    }
    return tax;
}

double Milionarska_dan_rocna(const SurchargeTable &surcharge, double tax)
{
    for (auto it = surcharge.pairs.rbegin(); it != surcharge.pairs.rend(); ++it) {
        if (it->Pasmo <= tax)
            return tax + 0.01 * tax * it->Sadzba;
    }
    return tax;
}

double Preddavok_dane_podla_pasiem(const TaxBands &bands, const SurchargeTable &surcharge,
                                   int openPeriod, double base)
{
    for (auto it = bands.rbegin(); it != bands.rend(); ++it) {
        if (it->D_od <= base * 12) {
            double result = it->D_sumaplus / 12 + it->D_sadzba / 100 * (base - it->D_od / 12);
            if (inWindow(surcharge, openPeriod))
                result = Milionarska_dan_mesacna(surcharge, result);
            return result;
        }
    }
    return 0.0;
}

double Preddavok_dane(const TaxBands &bands, const SurchargeTable &surcharge,
                      const YearSetup &setup, int openPeriod, double base)
{
    return MyConsts::Zaokruhli_sumu(setup.F_ZAPREDDAV, setup.F_SMPREDDAV,
                                    Preddavok_dane_podla_pasiem(bands, surcharge, openPeriod, base));
}

double Dan_podla_pasiem(const TaxBands &bands, const SurchargeTable &surcharge, int openPeriod,
                        bool monthlyCall, double base)
{
    double result = 0.0;
    for (auto it = bands.rbegin(); it != bands.rend(); ++it) {
        if (it->D_od <= base) {
            result = it->D_sadzba / 100 * (base - it->D_od) + it->D_sumaplus;
            break;
        }
    }
    if (monthlyCall) {
        if (inWindow(surcharge, openPeriod))
            result = Milionarska_dan_rocna(surcharge, result);
    } else {
        const int year = openPeriod / 100;
        if (surcharge.Obdobie_od / 100 <= year && year <= surcharge.Obdobie_do / 100 - 1
            && surcharge.rocnyPrepinac)
            result = Milionarska_dan_rocna(surcharge, result);
    }
    return result;
}

} // namespace tarix::payroll
