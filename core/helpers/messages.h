#pragma once
// The program's message table: the numbered texts 65024 to 65199 that its own code
// shows to the user (and the grid plug-in suite's 65008 and 65009), and the formatting of
// their "%s" and "%d" placeholders with the caller's values.
//
//   Msg(65053)                          -> "Vymazať zamestnanca ?"
//   Msg(65081, count)                   -> "... Počet spracovaných výplat 12."
//   Msg(65156, month, year, centres)    -> "%d/%d ... %s" filled in order
//
// The placeholders are filled by fmt::format (platform/format/format_pattern.h) with the
// screen's number style. A group "{one|two to four|many}" of a text takes the form for the
// message's first whole-number value (MyConsts::pluralForm):
//   Msg(65102, 3, ...)                  -> "Boli vygenerované 3 súbory ..."
// A value of the wrong kind for its placeholder, a missing value or a value no placeholder
// uses is a fault of the calling code and raises fmt::FormatError.
// Floating-point values are refused when the call is compiled: no message formats them.
#include "platform/format/format_pattern.h"

#include <QString>

#include <concepts>
#include <optional>
#include <type_traits>

namespace tarix {

namespace msg {

inline constexpr int FirstId = 65024;
inline constexpr int LastId = 65199;

// The text of a message as it stands in the table, placeholders unfilled. An id
// outside the table gives an empty text (and a warning in the log).
QString text(int id);
bool exists(int id);
// Every "{one|two to four|many}" group of a text replaced by its form for `count`.
QString withPluralForms(const QString &text, qint64 count);

// The first whole-number value of a message's values (the count its plural forms follow).
template <typename T>
void takeCount(std::optional<qint64> &count, const T &value)
{
    if constexpr (std::is_integral_v<std::remove_cvref_t<T>> && !std::is_same_v<std::remove_cvref_t<T>, bool>)
        if (!count)
            count = qint64(value);
}

} // namespace msg

// A message's text; with values, its placeholders filled with them in order. An id
// outside the table gives an empty text whatever the values.
inline QString Msg(int id)
{
    return msg::text(id);
}

template <typename... Args>
    requires(sizeof...(Args) > 0
             && ((std::constructible_from<fmt::FormatArg, const Args &>
                  && !std::is_floating_point_v<std::remove_cvref_t<Args>>)
                 && ...))
QString Msg(int id, const Args &...args)
{
    const QString pattern = msg::text(id);
    if (pattern.isEmpty())
        return pattern;
    const QString filled = fmt::format(pattern, {fmt::FormatArg(args)...});
    std::optional<qint64> count;
    (msg::takeCount(count, args), ...);
    return count ? msg::withPluralForms(filled, *count) : filled;
}

} // namespace tarix
