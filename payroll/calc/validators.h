#pragma once
// Checks of single payroll-record fields, run when a field is assigned (from the payroll
// screen or from code). A refused value raises tarix::EMyError with the text for the
// user; the dataset adapter then keeps the field's previous value.
#include <QString>

#include <optional>

namespace tarix::payroll {

// V_den, V_holiday, V_absencia (and V_holiday of the bulk-entry buffer): whole or half
// days only; an emptied field (nullopt) passes. Negative halves are refused too.
void Kontrola_desatinnej_casti(std::optional<double> value);

// F_typ_premii: 0, 1 or 2.
void TVYP_F_typ_premiiValidate(int value);
// U_zdrav, U_nemoc, U_dochod, U_fondzam, U_invalid: 0 to 5.
void TVYP_U_poistenieValidate(int value);
// U_rezerva: 0 or 1.
void TVYP_U_poistenie2Validate(int value);
// VYNIMKA_VZ: from period 200401 a code beginning with a digit, one of : ; < = > ? @ or a
// capital letter (an empty code is refused); before it anything.
void TVYP_VYNIMKA_VZValidate(const QString &value, int period);
// V_nepoisteny: from period 200401 at most the days of the period's month.
void TVYP_V_nepoistenyValidate(int value, int period);

} // namespace tarix::payroll
