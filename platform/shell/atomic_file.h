#pragma once
// Every output file goes through here: the bytes are written to a temporary file beside
// the target and renamed over it only when all of them were written and synced to disk,
// so no reader ever sees a half-written file and a failure or a crash keeps the earlier
// file.
#include "platform/shell/paths.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace tarix::shell {

// The files of one run written whole and made durable together: each is written to a
// temporary beside its target at once, and commit() syncs them together (their file
// system in one go, so that the disk empties its cache once rather than once per file),
// renames each over its target and syncs the targets' folders. A crash leaves each target
// either as it was or complete. A set destroyed without commit() removes its temporaries
// and leaves every target as it was.
class AtomicFileSet {
public:
    AtomicFileSet() = default;
    ~AtomicFileSet();
    AtomicFileSet(const AtomicFileSet &) = delete;
    AtomicFileSet &operator=(const AtomicFileSet &) = delete;

    // Throws EFileCreateError when the temporary cannot be created (missing folder, no
    // rights) and EWriteError when writing fails; the target is used as writeFileAtomically
    // uses it, the folders of many files read once.
    void add(const QString &path, const QByteArray &bytes);
    // Throws EWriteError naming the file when a sync or a rename fails: a failing sync
    // replaces nothing, a failing rename leaves the targets before it replaced.
    void commit();

private:
    struct Pending {
        QString target;
        QByteArray temporary;   // the file system's path
    };
    QString targetOf(const QString &path);
    void discard();

    std::vector<Pending> m_pending;
    std::map<QString, FolderEntries> m_folders;
};

// One file written whole (an AtomicFileSet of one). Throws EFileCreateError when the file
// cannot be created (missing folder, no rights), EWriteError when writing or the final
// rename fails. The target path is used as given (after backslashes become separators
// and an existing file or folder is found without regard to case).
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Why a file cannot be written at the path, in Slovak for the clerk: the folder is
// missing, the folder or the file is read-only, or the write itself failed.
QString whyNotWritable(const QString &path);

} // namespace tarix::shell
