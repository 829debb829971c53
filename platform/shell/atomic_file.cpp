#include "platform/shell/atomic_file.h"

#include "platform/shell/file_errors.h"
#include "platform/shell/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tarix::shell {

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    const QString target = findCaseInsensitive(path);
    QSaveFile file(target);
    // Never fall back to writing the target in place: that is exactly the half-written
    // file this helper exists to prevent.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw EFileCreateError(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw EWriteError(path);
    }
    if (!file.commit())
        throw EWriteError(path);
}

QString whyNotWritable(const QString &path)
{
    const QFileInfo file(findCaseInsensitive(path));
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("priečinok %1 neexistuje").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isWritable())
        return QStringLiteral("do priečinka %1 nemáte právo zapisovať").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("súbor je len na čítanie");
    if (file.isDir())
        return QStringLiteral("na jeho mieste je priečinok");
    return QStringLiteral("zápis na disk zlyhal (plný disk alebo chyba média)");
}

} // namespace tarix::shell
