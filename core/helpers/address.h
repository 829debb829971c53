#pragma once
// Address lines: splitting off house numbers and building the one-line address.
#include <QString>

namespace tarix::MyConsts {

struct SplitAddress {
    QString ulica;             // street (the line itself when no number is found)
    QString posledne_cislo;    // the last house number ("5" of "Hlavná 1234/5")
    QString cislo_pred_lomkou; // the number before "/" ("1234" of "Hlavná 1234/5")
};

// Splits the trimmed line at its trailing house numbers. Tokens are read from the end:
// runs of characters other than blank and "/", and a "/" directly followed by such a
// character. The last token must be a whole number (decimal digits; written back without
// leading zeros: "012" -> "12"), else the whole line is the street. When the token before
// it is "/" and the one before that is a whole number too, that is the number before "/".
//   "Hlavná 12"     -> "Hlavná", "12", ""
//   "Hlavná 1234/5" -> "Hlavná", "5", "1234"
//   "Hlavná 12 / 5" -> "Hlavná 12 /", "5", ""
//   "Hlavná 12A"    -> "Hlavná 12A", "", ""
//   "Nám. SNP/3"    -> "Nám. SNP/", "3", ""
//   "15/3"          -> "", "3", "15"
SplitAddress Rozloz_adresu(const QString &line);

struct StreetAndNumber {
    QString ulica;
    QString cislo; // "1234/5", or whichever number is present, or empty
};
StreetAndNumber Ulica_a_cislo(const QString &line);

struct HouseNumbers {
    QString pred_lomkou; // loses a leading "0" (so the number 0 gives an empty text)
    QString posledne;
};
HouseNumbers Cisla_domu(const QString &line);

// street + " " + number + ", " + postcode + " " + town; the number and its blank are
// left out when the number is blank.
QString Text_adresy(const QString &street, const QString &number, const QString &postcode,
                    const QString &town);

} // namespace tarix::MyConsts
