#pragma once
// Number parsing, padding, joins, flags and other small text routines.
#include <QChar>
#include <QString>
#include <QStringList>

namespace tarix::MyConsts {

// Whole number: optional sign and decimal digits, blanks around allowed. Anything else
// (empty, "12a", "1.5", beyond the 32-bit range) raises EMyError "Nesprávna číselná
// hodnota." (65194).
int Text_na_cele_cislo(const QString &text);

// Number: optional sign, digits with at most one decimal comma or point, blanks around
// allowed ("12,5", "-0.75", "1234"). Anything else raises EMyError 65194 (so "780101/1234"
// is refused).
double Text_na_realne_cislo(const QString &text);

// Pads with `fill` in front up to `width`; a longer text is cut to its FIRST `width`
// characters.
QString Dopln_zlava(const QString &text, int width, QChar fill);
// Pads with `fill` behind up to `width`; a longer text keeps its LAST `width` characters.
QString Dopln_sprava(const QString &text, int width, QChar fill);
QString Bez_posledneho_znaku(const QString &text);

QChar Prvy_znak(const QString &text);            // a blank for an empty text
bool Len_cislice(const QString &text);           // digits 0-9 only; false for ""
QString Prazdny_na_nulu(const QString &text);    // blank after trimming -> "0"
QString Prazdny_na_nahradny_text(const QString &text, const QString &substitute);

// First occurrence only; an empty or missing pattern leaves the text as it is.
QString Nahrad_text(const QString &text, const QString &pattern, const QString &replacement);
// Every occurrence, left to right; an inserted replacement is never searched again
// ("a&b&", "&", "&amp;" -> "a&amp;b&amp;").
QString Nahrad_vsetky(const QString &text, const QString &pattern, const QString &replacement);
QString Odstran_uvodzovky(const QString &text);      // one leading and one trailing '"'
QString Odstran_lomky_a_medzery(const QString &text); // every "/" and blank (birth numbers)

// Three parts of a person's name (title, names, surname in the order the caller prints
// them) joined by single blanks; blank parts are left out, so that a name without a title
// has no leading blank. Every printed name is joined here.
QString Cele_meno(const QString &title, const QString &surname, const QString &firstName);
// Three trimmed texts joined by blanks, cut to 100 characters and trimmed.
QString Spoj_tri_texty(const QString &a, const QString &b, const QString &c);
// text + " " + trimmed addition; the text alone when the addition is blank.
QString Pripoj_s_medzerou(const QString &text, const QString &addition);
// prefix + "-" + number; the number alone when the prefix is blank (bank accounts).
QString Spoj_s_pomlckou(const QString &prefix, const QString &number);
// The Slovak form of a word after a count: `one` for 1, `twoToFour` for 2 to 4 and
// `many` for every other count (0, 5 and more, negative): 1 súbor, 3 súbory, 5 súborov.
QString pluralForm(qint64 count, const QString &one, const QString &twoToFour, const QString &many);
// text + ", stredisko: " + centre when the centre is not 0.
QString Text_so_strediskom(const QString &text, int centre);

// Eight "0"/"1" characters, most significant bit first. Priznaky_na_text turns the old
// value 1 into "01111110" (all six fixed surcharge kinds); Bajt_na_binarny_text does not.
QString Priznaky_na_text(quint8 flags);
QString Bajt_na_binarny_text(quint8 value);
// Reads the first eight characters back, the first being the most significant bit; each
// character adds its digit value (a digit above 1 adds its value; the byte wraps at 256).
// A character that is not a digit or a text shorter than eight characters raises
// EMyError 65194.
quint8 Text_na_priznaky(const QString &text);
quint8 Binarny_text_na_bajt(const QString &text);

// Splits an import line at ";" into exactly 50 fields (missing ones empty, fields after
// the 50th dropped), each without its surrounding double quotes. A line end left on the
// line is not part of the last field.
inline constexpr int kPocetPoliCsv = 50;
QStringList Rozdel_riadok_csv(const QString &line);

} // namespace tarix::MyConsts
