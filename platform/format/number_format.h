#pragma once
// Number texts of the program: display masks and plain helpers.
// Never the workstation's locale and never C's printf: the texts on screen and paper are
// Slovak (decimal comma, blank as thousands separator) whatever the machine says, and each
// file gets the separators its recipient expects (Style::point()).
//
// Halves are rounded away from zero on the decimal value (see decimal.h): 0.285 with
// "0.00" is "0,29", 2.5 with "0" is "3", -2.5 is "-3". A value that rounds to zero never
// carries a minus sign ("-0" is never printed). Non-finite values print "NAN", "INF",
// "-INF".
//
// ---------------------------------------------------------------------------------------
// formatFloat(mask, value, style): display masks
//   Sections  "pos;neg;zero". One section serves every value (a minus goes in front of the
//             first digit). With two, the second serves negative values and prints NO
//             sign of its own ("+0.00;-0.00" brings its own). With three, the third serves
//             values that round to zero at the first section's decimals; an empty third
//             section prints an empty text ("###,###,##0.00;###,###,##0.00;": 0 -> "").
//             An empty second section means the first one with a minus.
//   0         digit placeholder, always printed (leading zeros from the leftmost "0").
//   #         digit placeholder, printed only when the digit is significant: a zero
//             integer part prints nothing with "#" alone ("#.##" 0.5 -> ",5"; "###" 0 -> "").
//   .         the first one is the decimal separator; the count of placeholders after it
//             is the number of decimals; trailing "#" decimals drop trailing zeros, and the
//             separator itself is left out when no decimal digit follows ("##." 5 -> "5").
//   ,         anywhere in a section: thousands separators every three integer digits.
//   "..." '...'  quoted literal text.
//   other     literal text. "%" is a literal (rates are stored in percent: 12.5 with
//             "0.00%" is "12,50%", no scaling). "E+" has no special meaning.
//   Literal text standing between two integer placeholders is printed only after a digit
//   has been printed, so blanks used as thousands separators vanish in short numbers:
//   "### ###" 700 -> "700", 1234 -> "1 234", 1234567 -> "1234 567" (digits beyond the
//   placeholders go to the first one). Literals before the first or after the last
//   integer placeholder are always printed: "=0=" 5 -> "=5=", -5 -> "=-5=".
//   An empty mask prints the general form (general(value, style)).
//
// Format-style patterns ("%10.2n", "%s", "%.2d") are filled by format() of
// format_pattern.h with the helpers below.
//
// Plain helpers:
//   fixed(value, decimals, style)   "%.<decimals>f"
//   number(value, decimals, style)  "%.<decimals>n"
//   general(value, style, digits)   at most `digits` (<= 15) significant digits, trailing
//                                   zeros dropped, never an exponent: 1500 -> "1500",
//                                   1234.5 -> "1234.5" (with Style::point()).
//   integer(value, minDigits)       "%.<minDigits>d"
//   plain(value, decimals, style)   at most `decimals` decimals, trailing zeros dropped, no
//                                   thousands separators: the text a value is typed as
//                                   (194.078947 with 2 -> "194,08", 25000 -> "25000").
//   maskDecimals(mask)              the decimals a mask prints (its first section's
//                                   placeholders after the point); -1 for an empty mask.
//   padLeft(text, width), padRight(text, width)  blank padding, never cuts.
// ---------------------------------------------------------------------------------------
#include <QString>
#include <QStringView>

namespace tarix::fmt {

struct Style {
    QChar decimalSeparator = u',';
    QChar thousandsSeparator = u' '; // a null QChar: no thousands separators

    // Screen and paper: decimal comma, blank thousands separator.
    static Style screen() { return {}; }
    // Files and SQL texts: decimal point, no thousands separators.
    static Style point() { return {QChar(u'.'), QChar()}; }
};

QString formatFloat(QStringView mask, double value, const Style &style = Style::screen());

QString fixed(double value, int decimals, const Style &style = Style::screen());
QString number(double value, int decimals, const Style &style = Style::screen());
QString general(double value, const Style &style = Style::screen(), int digits = 15);
QString integer(qint64 value, int minDigits = 1);
QString plain(double value, int decimals, const Style &style = Style::screen());
int maskDecimals(QStringView mask);
QString padLeft(const QString &text, int width);
QString padRight(const QString &text, int width);

} // namespace tarix::fmt
