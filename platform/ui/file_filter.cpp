#include "platform/ui/file_filter.h"

namespace tarix::ui {

QList<NameFilter> parseFileFilter(const QString &filter)
{
    QList<NameFilter> result;
    if (filter.trimmed().isEmpty())
        return result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        NameFilter entry;
        entry.description = parts.at(i).trimmed();
        const QString patternText = i + 1 < parts.size() ? parts.at(i + 1) : parts.at(i);
        for (const QString &p : patternText.split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern.isEmpty())
                continue;
            entry.patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
        }
        if (entry.patterns.isEmpty())
            entry.patterns.append(QStringLiteral("*"));
        result.append(entry);
    }
    return result;
}

QString caseInsensitivePattern(const QString &pattern)
{
    QString out;
    bool inSet = false;
    for (const QChar c : pattern) {
        if (inSet) {
            out.append(c);
            if (c == u']')
                inSet = false;
            continue;
        }
        if (c == u'[') {
            inSet = true;
            out.append(c);
            continue;
        }
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower != upper) {
            out.append(u'[').append(lower).append(upper).append(u']');
        } else {
            out.append(c);
        }
    }
    return out;
}

QStringList qtNameFilters(const QString &filter)
{
    QStringList result;
    for (const NameFilter &entry : parseFileFilter(filter)) {
        QStringList patterns;
        for (const QString &p : entry.patterns)
            patterns.append(caseInsensitivePattern(p));
        const QString description = entry.description.isEmpty() ? QStringLiteral("*")
                                                                : entry.description;
        result.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    if (result.isEmpty())
        result.append(QStringLiteral("* (*)"));
    return result;
}

} // namespace tarix::ui
