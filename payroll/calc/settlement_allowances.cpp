#include "payroll/calc/settlement_allowances.h"

#include "core/helpers/rounding.h"

#include <algorithm>

namespace tarix::payroll {

namespace {

// The statutory data sheet's rows for 2007 and 2008.
struct Reduction {
    int year;
    double baseThreshold;     // base above which the taxpayer's own amount shrinks
    double baseConstant;      // the amount is this less a quarter of the base
    double spouseThreshold;   // base above which the spouse amount shrinks
    double spouseConstant;    // the spouse amount is this less a quarter of the base
    double fullAmount;        // the full annual amount (taxpayer and spouse alike)
};
constexpr Reduction kReductions[] = {
    {2007, 498000.0, 220116.0, 880464.0, 315732.0, 95616.0},
    {2008, 513000.0, 226746.0, 906984.0, 325242.0, 98496.0},
};

double roundUp(double v) { return MyConsts::Zaokruhli_sumu(0, MyConsts::Nahor, v); }

} // namespace

SettlementAllowances settlementAllowances(int year, double taxBase, double taxpayer, double spouse)
{
    SettlementAllowances used{taxpayer, spouse};
    for (const Reduction &r : kReductions) {
        if (r.year != year)
            continue;
        if (taxBase > r.baseThreshold)
            used.taxpayer = std::min(taxpayer, std::max(0.0, roundUp(r.baseConstant - taxBase / 4)));
        if (taxBase > r.spouseThreshold && spouse > 0) {
            const double spouseIncome = std::max(0.0, r.fullAmount - spouse);
            used.spouse = std::min(spouse, std::max(0.0, roundUp(r.spouseConstant - taxBase / 4 - spouseIncome)));
        }
    }
    return used;
}

} // namespace tarix::payroll
