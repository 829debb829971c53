// Steps whose rules follow in the next changes; until then they leave the record as it is.
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

double Sucet_ukolovej_mzdy(const std::vector<HsuRow> &) { return 0; }
int Posledne_obdobie_platby(int, int) { return 0; }
void Vypocet_zakladnej_mzdy(VypRecord &, const CalcContext &) {}
void Vypocet_priplatkov(VypRecord &, const CalcContext &) {}
void Vypocet_premii(VypRecord &, const CalcContext &) {}
void Vypocet_suctu_mzdy(VypRecord &, const CalcContext &) {}
void Vypocet_hodinoveho_priemeru(VypRecord &, const CalcContext &) {}
void Vypocet_nahrad(VypRecord &, const CalcContext &) {}
void Vypocet_nahrady_za_dovolenku(VypRecord &, const CalcContext &) {}
void Vypocet_nahrady_za_sviatok(VypRecord &, const CalcContext &) {}
void Rozpocitaj_jednorazove_platby(VypRecord &, const CalcContext &) {}
void Vypocet_hrubej_mzdy(VypRecord &, const CalcContext &) {}
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
