#pragma once
// Income tax from the year's band table, with the surcharge of the "Milionarska_Dan"
// table. Used by the tax step, the net daily wage of sick pay and the annual settlement.
#include "payroll/calc/context.h"

namespace tarix::payroll {

// Unrounded monthly advance of a monthly tax base: the highest band whose start is at
// most twelve times the base; the monthly surcharge when the open period lies inside the
// surcharge table's window. An empty table, or no band low enough, gives 0.
double Preddavok_dane_podla_pasiem(const TaxBands &bands, const SurchargeTable &surcharge,
                                   int openPeriod, double base);

// The same rounded by the year's advance pair (F_ZAPREDDAV, F_SMPREDDAV).
double Preddavok_dane(const TaxBands &bands, const SurchargeTable &surcharge,
                      const YearSetup &setup, int openPeriod, double base);

// Unrounded annual tax of a base. With `monthlyCall` the surcharge applies when the open
// period lies inside the window; without it (the annual settlement) when the open year
// lies from the window's first year to the year before its last, and only with the
// table's annual switch on.
double Dan_podla_pasiem(const TaxBands &bands, const SurchargeTable &surcharge, int openPeriod,
                        bool monthlyCall, double base);

// The surcharge pair that a tax reaches (bands compared with the tax itself, highest
// pair first) added to the tax; the monthly form compares with a twelfth of each band.
double Milionarska_dan_mesacna(const SurchargeTable &surcharge, double tax);
double Milionarska_dan_rocna(const SurchargeTable &surcharge, double tax);

} // namespace tarix::payroll
