#include "platform/db/folder_presence.h"

#include "platform/db/db_error.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarix::db {

namespace {
int openForLock(const QString &file)
{
    return ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
}

// An exclusive lock needs a descriptor open for writing; the file is never written through it.
int openForClaims(const QString &file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CLOEXEC);
    return fd >= 0 ? fd : openForLock(file);
}

// The byte of a key: FNV-1a of its UTF-8 text spread over 2^40 bytes from 2^42 on, well
// apart from SQLite's lock bytes (from 2^30), and the same in every program.
off_t claimOffset(const QString &key)
{
    quint64 h = 14695981039346656037ull;
    for (const char c : key.toUtf8()) {
        h ^= quint8(c);
        h *= 1099511628211ull;
    }
    return off_t((1ull << 42) + (h & ((1ull << 40) - 1)));
}

bool setClaimLock(int fd, const QString &key, short type)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = claimOffset(key);
    lock.l_len = 1;
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}
} // namespace

FolderPresence::FolderPresence(const QString &databaseFile) : m_fd(openForClaims(databaseFile))
{
    // Unmarked (the folder is being deleted or restored this moment), the descriptor still
    // carries claims.
    if (m_fd >= 0)
        ::flock(m_fd, LOCK_SH | LOCK_NB);
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

bool FolderPresence::tryClaim(const QString &key)
{
    if (m_fd < 0)
        throw DbError(QStringLiteral("Súbor databázy nemožno otvoriť, a tak ani označiť."));
    if (setClaimLock(m_fd, key, F_WRLCK))
        return true;
    if (errno == EAGAIN || errno == EACCES)
        return false;
    throw DbError(QStringLiteral("Súbor databázy nemožno označiť (%1).").arg(QString::fromLocal8Bit(::strerror(errno))));
}

void FolderPresence::releaseClaim(const QString &key)
{
    if (m_fd >= 0)
        setClaimLock(m_fd, key, F_UNLCK);
}

} // namespace tarix::db
