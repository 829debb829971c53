#include "platform/db/folder_presence.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarix::db {

namespace {
int openForLock(const QString &file)
{
    return ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
}
} // namespace

FolderPresence::FolderPresence(const QString &databaseFile) : m_fd(openForLock(databaseFile))
{
    if (m_fd >= 0 && ::flock(m_fd, LOCK_SH | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

FolderPresence::~FolderPresence()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor releases the lock
}

bool FolderPresence::held(const QString &databaseFile)
{
    const int fd = openForLock(databaseFile);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

} // namespace tarix::db
