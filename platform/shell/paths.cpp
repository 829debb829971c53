#include "platform/shell/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace tarix::shell {

QString fromWindowsPath(const QString &path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

namespace {

QString joinPart(const QString &base, const QString &part)
{
    if (base.isEmpty())
        return part;
    if (base.endsWith(QLatin1Char('/')))
        return base + part;
    return base + QLatin1Char('/') + part;
}

} // namespace

QString findCaseInsensitive(const QString &path)
{
    const QString given = fromWindowsPath(path);
    if (given.isEmpty() || QFileInfo::exists(given))
        return given;

    const bool absolute = given.startsWith(QLatin1Char('/'));
    const bool trailing = given.endsWith(QLatin1Char('/'));
    const QStringList parts = given.split(QLatin1Char('/'), Qt::SkipEmptyParts);

    QString current = absolute ? QStringLiteral("/") : QString();
    qsizetype i = 0;
    for (; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        const QString exact = joinPart(current, part);
        if (QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QDir dir(current.isEmpty() ? QStringLiteral(".") : current);
        // Unsorted: a folder of a thousand numbered pages is read once per new page, and
        // sorting it each time cost more than the look-up. Of several spellings the one
        // first in name order is taken, as before.
        const QStringList entries = dir.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
        QString match;
        for (const QString &entry : entries) {
            if (entry.size() == part.size() && entry.compare(part, Qt::CaseInsensitive) == 0
                && (match.isEmpty() || entry < match))
                match = entry;
        }
        if (match.isEmpty())
            break;
        current = joinPart(current, match);
    }
    for (; i < parts.size(); ++i)
        current = joinPart(current, parts.at(i));
    if (trailing && !current.endsWith(QLatin1Char('/')))
        current += QLatin1Char('/');
    return current;
}

} // namespace tarix::shell
