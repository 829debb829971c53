#pragma once
// Whether another program has a folder's database open. SQLite's own locks are held only
// while a statement or transaction runs, so an idle program that has a firm open holds
// none; a program that attaches a folder's database therefore also holds a shared lock
// (flock, which does not touch SQLite's byte-range locks) on the file for as long as it is
// attached. Deleting or restoring the folder asks for the exclusive lock first.
#include <QString>

namespace tarix::db {

class FolderPresence {
public:
    // Takes the shared lock on `databaseFile`; a file that cannot be opened or locked
    // (another program holds it exclusively for a moment) is simply not marked.
    explicit FolderPresence(const QString &databaseFile);
    ~FolderPresence();
    FolderPresence(const FolderPresence &) = delete;
    FolderPresence &operator=(const FolderPresence &) = delete;

    // True while any connection (of this or another program) has the file attached.
    static bool held(const QString &databaseFile);

    // Takes the claim on `key` without waiting: false while another descriptor (of this or
    // another program) holds it. Throws DbError when the file cannot carry claims.
    bool tryClaim(const QString &key);
    void releaseClaim(const QString &key);

private:
    int m_fd = -1;
};

} // namespace tarix::db
