#pragma once
// The program's message table: the numbered texts 65024 to 65199 that its own code
// shows to the user, and the formatting of their "%s" and "%d" placeholders with the
// caller's values.
//
//   Msg(65053)                          -> "Vymazať zamestnanca ?"
//   Msg(65081, count)                   -> "... Počet spracovaných výplat 12."
//   Msg(65156, month, year, centres)    -> "%d/%d ... %s" filled in order
//
// A placeholder reads "%" [index ":"] ["-"] [width] ["." precision]
// type, type "d" (an integer) or "s" (a text), upper or lower case; "%%" is one "%".
// A text given for "%d", a number for "%s", a missing value or an unknown type is a
// fault of the calling code and raises msg::FormatError. Floating-point values are
// refused when the call is compiled: no message formats them.
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace tarix {

namespace msg {

inline constexpr int FirstId = 65024;
inline constexpr int LastId = 65199;

// A value for one placeholder: an integer or a text.
class FormatArg {
public:
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>
                                   && !std::is_same_v<T, char> && !std::is_same_v<T, char16_t>,
                               int> = 0>
    FormatArg(T value) : m_isInt(true), m_int(static_cast<std::int64_t>(value)) {}
    FormatArg(bool) = delete;
    FormatArg(double) = delete;
    FormatArg(float) = delete;
    FormatArg(const QString &text) : m_isInt(false), m_text(text) {}
    FormatArg(QStringView text) : m_isInt(false), m_text(text.toString()) {}
    FormatArg(const char *utf8) : m_isInt(false), m_text(QString::fromUtf8(utf8)) {}
    FormatArg(const std::string &utf8) : m_isInt(false), m_text(QString::fromStdString(utf8)) {}
    FormatArg(const char16_t *text) : m_isInt(false), m_text(QString::fromUtf16(text)) {}

    bool isInt() const { return m_isInt; }
    std::int64_t toInt() const { return m_int; }
    const QString &text() const { return m_text; }

private:
    bool m_isInt;
    std::int64_t m_int = 0;
    QString m_text;
};

class FormatError : public std::logic_error {
public:
    explicit FormatError(const QString &what) : std::logic_error(what.toStdString()) {}
};

// The text of a message as it stands in the table, placeholders unfilled. An id
// outside the table gives an empty text (and a warning in the log).
QString text(int id);
bool exists(int id);

// Fills the placeholders of a text in order.
QString format(const QString &pattern, std::initializer_list<FormatArg> args);

} // namespace msg

// A message's text; with values, its placeholders filled with them in order.
inline QString Msg(int id)
{
    return msg::text(id);
}

template <typename... Args>
QString Msg(int id, const Args &...args)
{
    return msg::format(msg::text(id), {msg::FormatArg(args)...});
}

} // namespace tarix
