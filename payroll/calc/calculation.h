#pragma once
// The monthly payroll calculation: a function of one payroll record and an explicit
// context. It always computes; whether a record may be computed at all (the payroll
// table in edit or insert state) is decided by the caller.
//
// One run leaves a fixed point: computing the result again with the same context gives
// the same record, field for field, however the record was made (payroll screen, bulk
// posting, import, batch recalculation).
//
// A step refuses an impossible input with tarix::EMyError; the record then holds what
// the steps before it wrote, and the caller aborts the post.
#include "payroll/calc/context.h"
#include "payroll/calc/vyp_record.h"

#include <array>

namespace tarix::payroll {

inline constexpr const char *kVersion = "3.20H3";

// Runs the twenty steps in order and returns the deduction amounts of step 19.
CalcResult Vypocet_vyplaty(PayRecord &record, const CalcContext &context);

// The steps, in calling order. Each reads the context and writes the record only.
void Kopiruj_parametre_vyplaty(PayRecord &r, const CalcContext &c);          // 1
void Vypocet_zakladnej_mzdy(PayRecord &r, const CalcContext &c);             // 2
void Vypocet_priplatkov(PayRecord &r, const CalcContext &c);                 // 3
void Vypocet_premii(PayRecord &r, const CalcContext &c);                     // 4
void Vypocet_suctu_mzdy(PayRecord &r, const CalcContext &c);                 // 5
void Vypocet_hodinoveho_priemeru(PayRecord &r, const CalcContext &c);        // 6
void Vypocet_nahrad(PayRecord &r, const CalcContext &c);                     // 7
void Vypocet_nahrady_za_dovolenku(PayRecord &r, const CalcContext &c);       // 8
void Vypocet_nahrady_za_sviatok(PayRecord &r, const CalcContext &c);         // 9
void Rozpocitaj_jednorazove_platby(PayRecord &r, const CalcContext &c);      // 10
void Vypocet_hrubej_mzdy(PayRecord &r, const CalcContext &c);                // 11
void Vypocet_poistneho(PayRecord &r, const CalcContext &c);                  // 12
void Vypocet_ciastkoveho_zakladu_dane(PayRecord &r, const CalcContext &c);   // 13
void Vypocet_nezdanitelnych_castok(PayRecord &r, const CalcContext &c);      // 14
void Vypocet_nemocenskych_davok(PayRecord &r, const CalcContext &c);         // 15
void Vypocet_zdanitelnej_mzdy(PayRecord &r, const CalcContext &c);           // 16
void Vypocet_dane(PayRecord &r, const CalcContext &c);                       // 17
void Vypocet_cistej_mzdy(PayRecord &r, const CalcContext &c);                // 18
CalcResult Vypocet_zrazok(PayRecord &r, const CalcContext &c);               // 19
void Vypocet_k_vyplate(PayRecord &r, const CalcContext &c);                  // 20

// The driver's step table, in calling order.
struct CalcStep {
    int number;
    const char *name;
    void (*run)(PayRecord &r, const CalcContext &c, CalcResult &result);
};
const std::array<CalcStep, 20> &calculationSteps();

// --- Parts of the steps that other payroll code calls --------------------------------

// Sum of the month's piece-work items (N_ukolova of step 2; 0 without items).
double Sucet_ukolovej_mzdy(const std::vector<HsuRow> &items);
// The total of one piece-work item: count times unit price, not rounded.
double workSum(double pocet, double suma1);

// Last period covered by a one-off payment spread over `months` months from `period`
// (0 months gives 0).
int lastPaymentPeriod(int period, int months);

// The insurance assessment bases of the record (called by step 12 with Automatika on).
void Vypocet_vymeriavacich_zakladov(PayRecord &r, const CalcContext &c);

// The net daily wage of the record (Cista_denna_mzda; called by step 15).
void Cista_denna_mzda(PayRecord &r, const CalcContext &c);
double Cista_denna_mzda_zo_zarobku(const PayRecord &r, const CalcContext &c, double earnings);
double Poistne_pre_cistu_dennu_mzdu(const PayRecord &r, const CalcContext &c, double earnings);
double Dan_pre_cistu_dennu_mzdu(const PayRecord &r, const CalcContext &c, double earnings);

// The amount of one deduction row against the record (used by step 19).
double Suma_zrazky(const PayRecord &r, double suma, int typSumy);
// Amounts of every row and the totals by type (no record field is written).
CalcResult Spracuj_zrazky_vyplaty(const PayRecord &r, const std::vector<ZrvRow> &rows);

// Whether the record's income does not qualify for withholding tax: the employee claims
// the non-taxable amounts, draws a tax bonus, or the month's income (partial tax bases
// plus the employee's contributions) exceeds statutory parameter 31. The tax split of a
// month sets tax advances exactly for such records.
bool failsWithholdingTaxConditions(const PayRecord &r, const StatutoryParams &params);

// Whether posting the record needs the user's confirmation of the withholding tax
// (message 65043): a record taxed by withholding tax from 200601 that does not qualify
// for it. The calculation never asks; the post handler asks when this is true.
bool withholdingTaxNeedsConfirmation(const PayRecord &r, const StatutoryParams &params);

} // namespace tarix::payroll
