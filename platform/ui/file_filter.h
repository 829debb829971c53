#pragma once
// File dialog filters in the program's own form ("description|pattern;pattern|...")
// turned into Qt's name filters.
#include <QList>
#include <QString>
#include <QStringList>

namespace tarix::ui {

struct NameFilter {
    QString description;
    QStringList patterns;
};

// Splits the filter into its entries. A trailing description without a pattern is
// its own pattern ("*.*" alone lists every file). "*.*" matches every file, also one
// without an extension.
QList<NameFilter> parseFileFilter(const QString &filter);

// "sp*.xml" -> "[sS][pP]*.[xX][mM][lL]": the file systems here tell case apart, the
// program's file names do not.
QString caseInsensitivePattern(const QString &pattern);

// Qt name filters ("description (patterns)") for a file dialog, patterns made
// case-insensitive. An empty filter gives one entry listing every file.
QStringList qtNameFilters(const QString &filter);

} // namespace tarix::ui
