#include "platform/shell/shell_utils.h"

#include "platform/shell/file_errors.h"
#include "platform/shell/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarix::ShellUtils {

namespace {

constexpr qint64 kCopyBlock = 8192;

} // namespace

bool ShellDeleteFile(const QString &name, bool toRecycleBin)
{
    if (name.trimmed().isEmpty())
        return false;
    const QString path = shell::findCaseInsensitive(name);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return false;
    if (QDir::cleanPath(info.absoluteFilePath()) == QDir::rootPath())
        return false;
    if (toRecycleBin)
        return QFile::moveToTrash(path);
    if (info.isDir() && !info.isSymLink())
        return QDir(path).removeRecursively();
    return QFile::remove(path);
}

bool FileHasAttributes(const QString &name, int bits)
{
    const QFileInfo info(shell::findCaseInsensitive(name));
    if (!info.exists())
        return false;
    int attributes = 0;
    if (!(info.permissions() & QFileDevice::WriteOwner))
        attributes |= faReadOnly;
    if (info.fileName().startsWith(QLatin1Char('.')))
        attributes |= faHidden;
    if (info.isDir())
        attributes |= faDirectory;
    return (attributes & bits) == bits;
}

void CopyFileTo(const QString &source, const QString &destination)
{
    QFile in(shell::findCaseInsensitive(source));
    if (!QFileInfo(in.fileName()).isFile() || !in.open(QIODevice::ReadOnly))
        throw shell::EFileOpenError(source);

    QString target = QFileInfo(shell::findCaseInsensitive(destination)).absoluteFilePath();
    if (QFileInfo(target).isDir())
        target = QDir(target).filePath(QFileInfo(in.fileName()).fileName());

    // The copy is written beside the target and renamed over it at the end: a failed copy
    // keeps the earlier file, and copying a file onto itself cannot destroy it.
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        throw shell::EFileCreateError(target);

    QByteArray buffer(kCopyBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), kCopyBlock);
        if (got < 0) {
            out.cancelWriting();
            throw shell::EReadError(source);
        }
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got) {
            out.cancelWriting();
            throw shell::EWriteError(target);
        }
    }
    if (!out.commit())
        throw shell::EWriteError(target);
}

} // namespace tarix::ShellUtils
