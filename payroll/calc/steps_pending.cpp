// Steps whose rules follow in the next changes; until then they leave the record as it is.
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

void Vypocet_poistneho(VypRecord &, const CalcContext &) {}
void Vypocet_ciastkoveho_zakladu_dane(VypRecord &, const CalcContext &) {}
void Vypocet_nezdanitelnych_castok(VypRecord &, const CalcContext &) {}
void Vypocet_nemocenskych_davok(VypRecord &, const CalcContext &) {}
void Vypocet_zdanitelnej_mzdy(VypRecord &, const CalcContext &) {}
void Vypocet_dane(VypRecord &, const CalcContext &) {}
void Vypocet_cistej_mzdy(VypRecord &, const CalcContext &) {}
CalcResult Vypocet_zrazok(VypRecord &, const CalcContext &) { return {}; }
void Vypocet_k_vyplate(VypRecord &, const CalcContext &) {}

} // namespace tarix::payroll
