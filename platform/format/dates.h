#pragma once
// Date texts of the program, independent of the workstation's locale.
//
// Patterns: "d" day, "dd" day with a leading zero, "m" month, "mm" month with a leading
// zero, "yy" the last two digits of the year, "yyyy" the year; the letters in either case
// ("d.M.yyyy" and "d.m.yyyy" are the same pattern). Text in double or single quotes and
// every other character are copied. Any other run of d, m or y letters is a programming
// error (std::invalid_argument).
//
// An empty date prints an empty text in every pattern: a null or invalid QDate, and the
// "zero" date 30.12.1899 of old data, never "30121899".
//
// The short date "d.M.yyyy" is the date of screen and paper, of field display texts and of
// the data layer's filter texts; parseDate reads it back.
#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>

namespace tarix::fmt {

inline constexpr char16_t kShortDate[] = u"d.M.yyyy";  // 5.3.2005
inline constexpr char16_t kDottedDate[] = u"dd.MM.yyyy"; // 05.03.2005
inline constexpr char16_t kIsoDate[] = u"yyyy-MM-dd";   // 2005-03-05
inline constexpr char16_t kShortYearDate[] = u"dd.MM.yy"; // 05.03.05
inline constexpr char16_t kYyMmDd[] = u"yyMMdd";       // 050305
inline constexpr char16_t kDdMmYyyy[] = u"ddMMyyyy";   // 05032005
inline constexpr char16_t kYyyyMmDd[] = u"yyyyMMdd";   // 20050305
inline constexpr char16_t kMmYyyy[] = u"MMyyyy";       // 032005

// True for the dates that print as an empty text.
bool isEmptyDate(const QDate &date);

QString formatDate(const QDate &date, QStringView pattern);
QString shortDate(const QDate &date);

// The long time "H:mm:ss" (9:05:07, 17:30:00); an invalid time gives an empty text.
QString longTime(const QTime &time);

// Reads "d.M.yyyy" and "d.M.yy" (leading zeros optional, blanks around the parts
// allowed). A two-digit year below 50 is 20yy, otherwise 19yy (05 -> 2005, 75 -> 1975).
// An empty text, a malformed text or an impossible date (31.2.2005) gives a null QDate.
QDate parseDate(QStringView text);

} // namespace tarix::fmt
