#pragma once
// Checks of birth numbers and Slovak bank account numbers.
#include <QString>

namespace tarix::MyConsts {

// Birth number as stored: an empty text passes; any other must be a number
// (Text_na_realne_cislo, else EMyError 65194 "Nesprávna číselná hodnota.") and 9 or 10
// characters long (else EMyError 65098 "Dĺžka rodného čísla musí byť minimálne 9 a
// maximálne 10 znakov.").
// The check reads the text as it stands, so "780101/1234" is refused with 65194. A caller
// that lets the user type the number with "/" (or blanks) strips them with
// Odstran_lomky_a_medzery BEFORE this check, and stores and compares (the duplicate check
// of employees) the stripped form, so that the validator and the duplicate check see the
// same text.
void Kontrola_rodneho_cisla(const QString &text);

// Account prefix: empty (or blank) is valid; otherwise decimal digits only (else EMyError
// 65194); more than 6 digits is invalid; padded with "0" to 6 digits, weights
// 10, 5, 8, 4, 2, 1; valid when the weighted sum is divisible by 11.
bool Kontrola_predcislia_uctu(const QString &prefix);

// Account number: empty (or blank) is valid; otherwise the trimmed number must be decimal
// digits only (else EMyError 65194); more than 10 digits is invalid; padded with "0" to
// 10 digits, weights 6, 3, 7, 9, 10, 5, 8, 4, 2, 1; valid when the weighted sum is
// divisible by 11 and not 0 ("0000000000" is invalid).
bool Kontrola_cisla_uctu(const QString &number);

struct SplitAccount {
    bool platny = false;
    QString predcislie; // as typed (trimmed), "000000" without a prefix or when invalid
    QString cislo;      // as typed (trimmed), "0000000000" when invalid
};

// Account text of an import: "number", "prefix-number" or "prefix-part-part".
//   no "-":  number := the text; prefix "000000"; valid when the number check passes.
//   one "-": prefix and number when both pass (at most 6 and 10 characters); else, when
//            prefix and number written together pass the number check, that is the
//            number ("1-9" -> "000000", "19"); else invalid.
//   more:    prefix := before the first "-", number := the two next parts together.
// An invalid account gives "000000" and "0000000000". A part that is not numeric raises
// EMyError 65194 from the checks.
SplitAccount Rozloz_cislo_uctu(const QString &text);

} // namespace tarix::MyConsts
