#include "platform/shell/atomic_file.h"

#include "platform/shell/file_errors.h"
#include "platform/shell/paths.h"

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
        throw EFCreateError(path);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw EWriteError(path);
    }
    if (!file.commit())
        throw EWriteError(path);
}

} // namespace tarix::shell
