#include "platform/format/dates.h"

#include <stdexcept>

namespace tarix::fmt {
namespace {

QString twoDigits(int n)
{
    return n < 10 ? u'0' + QString::number(n) : QString::number(n);
}

[[noreturn]] void badPattern(QStringView pattern)
{
    throw std::invalid_argument("date pattern \"" + pattern.toString().toStdString()
                                + "\"");
}

// Reads an unsigned decimal part with blanks around it; -1 when it is not one.
int datePart(QStringView part)
{
    part = part.trimmed();
    if (part.isEmpty() || part.size() > 4)
        return -1;
    int n = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

} // namespace

bool isEmptyDate(const QDate &date)
{
    return !date.isValid() || date == QDate(1899, 12, 30);
}

QString formatDate(const QDate &date, QStringView pattern)
{
    if (isEmptyDate(date))
        return {};
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const QChar lower = c.toLower();
        if (lower != u'd' && lower != u'm' && lower != u'y') {
            out += c;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == lower)
            ++run;
        if (lower == u'd' && run == 1)
            out += QString::number(date.day());
        else if (lower == u'd' && run == 2)
            out += twoDigits(date.day());
        else if (lower == u'm' && run == 1)
            out += QString::number(date.month());
        else if (lower == u'm' && run == 2)
            out += twoDigits(date.month());
        else if (lower == u'y' && run == 2)
            out += twoDigits(((date.year() % 100) + 100) % 100);
        else if (lower == u'y' && run == 4)
            out += QString::number(date.year()).rightJustified(4, u'0');
        else
            badPattern(pattern);
        i += run;
    }
    return out;
}

QString shortDate(const QDate &date)
{
    return formatDate(date, kShortDate);
}

QString longTime(const QTime &time)
{
    if (!time.isValid())
        return {};
    return QString::number(time.hour()) + u':' + twoDigits(time.minute()) + u':'
           + twoDigits(time.second());
}

QDate parseDate(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return {};
    const qsizetype p1 = t.indexOf(u'.');
    const qsizetype p2 = p1 < 0 ? -1 : t.indexOf(u'.', p1 + 1);
    if (p2 < 0)
        return {};
    const int day = datePart(t.left(p1));
    const int month = datePart(t.mid(p1 + 1, p2 - p1 - 1));
    const QStringView yearText = t.mid(p2 + 1).trimmed();
    int year = datePart(yearText);
    if (day < 0 || month < 0 || year < 0)
        return {};
    if (yearText.size() <= 2)
        year += year < 50 ? 2000 : 1900;
    else if (yearText.size() != 4)
        return {};
    const QDate date(year, month, day);
    return date.isValid() ? date : QDate();
}

} // namespace tarix::fmt
