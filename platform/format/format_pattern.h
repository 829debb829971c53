#pragma once
// Format-style patterns: the one engine that fills "%" placeholders with values, for the
// message table's texts as for the number texts of screens, reports and files.
//
//   format(u"%s: %d ks po %.2f", {"Obed", 3, 2.5})   -> "Obed: 3 ks po 2,50"
//   format(u"%10.2n", {1234.5})                       -> "  1 234,50"
//   format(u"%1:s %0:s", {"a", "b"})                  -> "b a"
//
// A placeholder reads  "%" [index ":"] ["-"] [width] ["." precision] type ; "%%" is one "%".
//   index      the argument to use, counted from 0; the placeholders after it go on with
//              the arguments after it ("%1:s %0:s %s" with a, b -> "b a b").
//   "-"        pads on the right instead of the left.
//   width      the least number of characters, padded with blanks; never cuts.
//              Index, width and precision are at most 9999; more is refused.
//   precision  digits after "." (at least one digit: "%.f" is refused).
//   type       upper or lower case:
//     d  integer argument; precision = minimum digits ("%.3d" -7 -> "-007")
//     f  fixed, precision decimals (default 2), no thousands separators
//     n  like f with thousands separators
//     g  general form, at most precision significant digits (default 15), no exponent
//     s  text argument; precision = maximum characters
// Numbers follow number_format.h: the style's separators (Slovak by default, never the
// workstation's locale), halves rounded away from zero on the decimal value, no "-0".
// f, n and g take an integer or a floating-point argument; d refuses a floating-point one
// (round it first, e.g. Floor, so that -0.5 -> -1).
//
// A pattern that does not fit its arguments is a fault of the calling code and throws
// FormatError (a std::invalid_argument): a malformed placeholder, an unknown type, a
// missing argument, an argument of the wrong kind (a text for %d, a number for %s), and
// an argument that no placeholder uses - the values were meant for another text.
#include "platform/format/number_format.h"

#include <QString>
#include <QStringView>

#include <concepts>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

namespace tarix::fmt {

class FormatError : public std::invalid_argument {
public:
    explicit FormatError(const QString &what) : std::invalid_argument(what.toStdString()) {}
};

// A value for one placeholder: an integer, a floating-point number or a text.
class FormatArg {
public:
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, char8_t>
                 && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>
                 && !std::same_as<T, wchar_t>)
    FormatArg(T value) : m_value(qint64(value))
    {
    }
    // A logical, a single character or an enumeration is no placeholder value (each would
    // silently become a number).
    template <typename T>
        requires(std::same_as<T, bool> || std::same_as<T, char> || std::same_as<T, char8_t>
                 || std::same_as<T, char16_t> || std::same_as<T, char32_t>
                 || std::same_as<T, wchar_t> || std::is_enum_v<T>)
    FormatArg(T) = delete;
    FormatArg(double value) : m_value(value) {}
    FormatArg(const QString &text) : m_value(text) {}
    FormatArg(QStringView text) : m_value(text.toString()) {}
    FormatArg(const char *utf8) : m_value(QString::fromUtf8(utf8)) {}
    FormatArg(const std::string &utf8) : m_value(QString::fromStdString(utf8)) {}
    FormatArg(const char16_t *text) : m_value(QString::fromUtf16(text)) {}

    const std::variant<qint64, double, QString> &value() const { return m_value; }

private:
    std::variant<qint64, double, QString> m_value;
};

QString format(QStringView pattern, std::initializer_list<FormatArg> args,
               const Style &style = Style::screen());

} // namespace tarix::fmt
