#pragma once
// Texts the code tables of the main data module compute for their rows, and the checks of
// their codes. Pure functions: the dataset events and the tests call them alike.
#include <QChar>
#include <QString>
#include <QVariant>

namespace tarix::core {

// Size of CALC_ID of the exemption table: longer texts are shown cut to it.
inline constexpr int kDlzkaTextuVynimky = 120;

// The filter text of the exemption table in mode 1 (the codes valid from August 2006 to
// the end of that year).
QString exceptionFilterOfMode1();

// The exemption text of a row (CALC_ID): mode 0 gives code "-" text; mode 1 gives the code
// followed by the statutory text its first character selects ("-neplatná hodnota" for any
// other character, and for an empty code, which selects none); any other mode gives an
// empty text. Cut to kDlzkaTextuVynimky characters.
QString exceptionText(int rezim, const QString &id, const QString &text);

// The payee kinds of Cis_bu.BUID_TYP: "DEFPSUXYZ".
QString recipientKinds();
// Whether the text begins with one of the payee kinds (capital letters only).
bool isRecipientKind(const QString &typ);

// "%2d - text" of a health insurer (CALC_NAZOV of Cis_zp).
QString lineHealthInsurerName(int id, const QString &text);
// "number - name" of a cost centre, "number-description" of CIS7_/CIS13_.
QString numberAndName(const QVariant &cislo, const QString &oddelovac, const QString &nazov);
// The name of a bookkeeping line (CALC_NAZOV of cis_pu): the text, directly followed by the
// number when there is one, then " - zam." for side "Z" and " - firma " for side "F"
// (either case).
QString puLineName(const QString &text, const QVariant &cislo, const QString &doplnok);

} // namespace tarix::core
