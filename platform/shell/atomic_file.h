#pragma once
// Every output file goes through here: the bytes are written to a temporary file beside
// the target and renamed over it only when all of them were written and flushed, so
// no reader ever sees a half-written file and a failure keeps the earlier file.
#include <QByteArray>
#include <QString>

namespace tarix::shell {

// Throws EFileCreateError when the file cannot be created (missing folder, no rights),
// EWriteError when writing or the final rename fails. The target path is used as
// given (after backslashes become separators and an existing file or folder is found
// without regard to case).
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Why a file cannot be written at the path, in Slovak for the clerk: the folder is
// missing, the folder or the file is read-only, or the write itself failed.
QString whyNotWritable(const QString &path);

} // namespace tarix::shell
