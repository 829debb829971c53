#pragma once
// The annual non-taxable amounts of the taxpayer and the spouse as the settlement of a
// year uses them. Shared by the computation of the settlement and its printed form, so
// that the form shows the amounts its total was made of.
namespace tarix::payroll {

struct SettlementAllowances {
    double taxpayer = 0.0;
    double spouse = 0.0;
};

// From 2007 the amounts of a taxpayer whose tax base exceeds the year's threshold shrink
// by a quarter of the base (rounded up to whole crowns, never below 0 nor above the amount
// entered); the spouse amount as entered is the full amount less the spouse's own income.
// Other years, and bases within the threshold, keep the amounts as entered.
SettlementAllowances settlementAllowances(int year, double taxBase, double taxpayer, double spouse);

} // namespace tarix::payroll
