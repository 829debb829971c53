#pragma once
// Paths as the program writes them: INI values and stored paths may use backslashes,
// and files are named without regard to case ("trx.ini" is the file "TRX.INI").
#include <QHash>
#include <QSet>
#include <QString>

namespace tarix::shell {

// Backslashes become '/'. Nothing else changes (a trailing separator stays).
QString fromWindowsPath(const QString &path);

// The path with backslashes taken as separators and every part that exists on disk
// under another case spelled as it is on disk. An exact match wins; among several
// matches differing only in case the first in sorted order is taken. From the first
// part that does not exist on, the rest is kept as given, so the result also serves to
// create a new file. A trailing separator is kept. Relative paths stay relative.
QString findCaseInsensitive(const QString &path);

// The entries of one folder read once, for a run that names many files in it: each name
// is found as findCaseInsensitive finds it (the exact name, else the first in sorted
// order of those differing only in case) without reading the folder again. Entries made
// after the reading are not seen.
class FolderEntries {
public:
    // The folder as findCaseInsensitive finds it; a missing folder has no entries.
    explicit FolderEntries(const QString &folder);

    // The entry's name as it is on disk; empty when the folder holds no such entry.
    QString find(const QString &name) const;
    // The path of `name` in the folder, spelled as on disk when it exists, else as given.
    QString path(const QString &name) const;

private:
    QString m_folder;
    QSet<QString> m_exact;
    QHash<QString, QString> m_byFolded;
};

} // namespace tarix::shell
