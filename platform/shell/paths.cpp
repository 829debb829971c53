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
        const QStringList entries = dir.entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString &entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
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
