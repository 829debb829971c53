#include "platform/shell/atomic_file.h"

#include "platform/shell/file_errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace tarix::shell {

namespace {

// A new file beside the target, with the permissions of the file it will replace (a new
// file gets the usual ones); -1 when it cannot be made.
int createTemporary(const QByteArray &target, QByteArray &name)
{
    struct stat st {};
    const bool replaces = ::stat(target.constData(), &st) == 0;
    const mode_t mode = replaces ? (st.st_mode & 07777) : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            if (replaces)
                ::fchmod(fd, mode); // not narrowed by the umask
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The file (or folder) synced; with `wholeFileSystem` everything of its file system is, in
// one go: the disk's cache is emptied once rather than once per file.
bool syncToDisk(const QByteArray &path, int flags, bool wholeFileSystem = false)
{
    const int fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = (wholeFileSystem ? ::syncfs(fd) : ::fsync(fd)) == 0;
    ::close(fd);
    return synced;
}

} // namespace

AtomicFileSet::~AtomicFileSet() { discard(); }

void AtomicFileSet::discard()
{
    for (const Pending &p : m_pending)
        ::unlink(p.temporary.constData());
    m_pending.clear();
}

QString AtomicFileSet::targetOf(const QString &path)
{
    const QString given = fromWindowsPath(path);
    const QFileInfo exact(given);
    if (exact.isSymLink())
        return exact.canonicalFilePath().isEmpty() ? given : exact.canonicalFilePath();
    if (exact.exists())
        return given;
    const qsizetype slash = given.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QString() : slash == 0 ? QStringLiteral("/") : given.left(slash);
    auto at = m_folders.find(folder);
    if (at == m_folders.end())
        at = m_folders.emplace(folder, FolderEntries(folder)).first;
    return at->second.path(given.mid(slash + 1));
}

void AtomicFileSet::add(const QString &path, const QByteArray &bytes)
{
    Pending p{targetOf(path), {}};
    const QByteArray target = QFile::encodeName(p.target);
    // A read-only file stays as it is, as it would for a write in place.
    if (::access(target.constData(), F_OK) == 0 && ::access(target.constData(), W_OK) != 0)
        throw EFileCreateError(path);
    const int fd = createTemporary(target, p.temporary);
    if (fd < 0)
        throw EFileCreateError(path);
    const bool written = writeAll(fd, bytes);
    // The disk starts writing now, while the rest of the set is built, so that commit()
    // waits for all of them together.
    if (written)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(p.temporary.constData());
        throw EWriteError(path);
    }
    m_pending.push_back(std::move(p));
}

void AtomicFileSet::commit()
{
    // A file on its own is synced by itself; the files of a set on one file system all at
    // once, whose disk then empties its cache once instead of once per file.
    std::map<dev_t, std::vector<const Pending *>> byFileSystem;
    for (const Pending &p : m_pending) {
        struct stat st {};
        if (::stat(p.temporary.constData(), &st) != 0)
            throw EWriteError(p.target);
        byFileSystem[st.st_dev].push_back(&p);
    }
    for (const auto &[device, files] : byFileSystem)
        if (!syncToDisk(files.front()->temporary, O_RDONLY, files.size() > 1))
            throw EWriteError(files.front()->target);
    std::set<QByteArray> folders;
    for (size_t renamed = 0; renamed < m_pending.size(); ++renamed) {
        const Pending &p = m_pending[renamed];
        if (::rename(p.temporary.constData(), QFile::encodeName(p.target).constData()) != 0) {
            const QString failed = p.target;
            m_pending.erase(m_pending.begin(), m_pending.begin() + qsizetype(renamed));
            throw EWriteError(failed);
        }
        folders.insert(QFile::encodeName(QFileInfo(p.target).absolutePath()));
    }
    m_pending.clear();
    // The renames themselves are durable once their folders are.
    for (const QByteArray &folder : folders)
        if (!syncToDisk(folder, O_RDONLY | O_DIRECTORY))
            throw EWriteError(QFile::decodeName(folder));
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFileSet file;
    file.add(path, bytes);
    file.commit();
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
