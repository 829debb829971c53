#pragma once
// Paths as the program writes them: INI values and stored paths may use backslashes,
// and files are named without regard to case ("trx.ini" is the file "TRX.INI").
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

} // namespace tarix::shell
