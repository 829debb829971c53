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
        const QString match = FolderEntries(current.isEmpty() ? QStringLiteral(".") : current).find(part);
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

FolderEntries::FolderEntries(const QString &folder) : m_folder(findCaseInsensitive(folder))
{
    // Unsorted: a folder of a thousand numbered pages is read at once, and sorting it cost
    // more than the look-up; the first spelling in name order is kept below.
    const QStringList entries = QDir(m_folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    m_exact.reserve(entries.size());
    for (const QString &entry : entries) {
        m_exact.insert(entry);
        QString &first = m_byFolded[entry.toCaseFolded()];
        if (first.isEmpty() || entry < first)
            first = entry;
    }
}

QString FolderEntries::find(const QString &name) const
{
    if (m_exact.contains(name))
        return name;
    return m_byFolded.value(name.toCaseFolded());
}

QString FolderEntries::path(const QString &name) const
{
    const QString onDisk = find(name);
    return joinPart(m_folder, onDisk.isEmpty() ? name : onDisk);
}

} // namespace tarix::shell
