#pragma once
// The state of a folder's database as seen before it is used: missing, readable, busy
// past the wait, or damaged, with the file and SQLite's own reason. Start-up and the firm
// menu tell these apart, so that a damaged or busy firm is never taken for a missing one.
#include <QString>

namespace tarix::db {

class Session;

enum class DatabaseState { Missing, Healthy, Busy, Damaged };

struct DatabaseHealth {
    DatabaseState state = DatabaseState::Missing;
    QString file;   // folder/tarix.db, absolute
    QString reason; // SQLite's text (or ours) when busy or damaged
    bool tableMissing = false; // damaged only in that the table asked for is not there
    bool ok() const { return state == DatabaseState::Healthy; }
};

// The wait for a database that another program holds: the session's busy timeout.
inline constexpr int kDatabaseBusyWaitMs = 5000;

// Reads the folder's database without any session and without creating anything: the
// file's header and schema, its size against the page count it declares (a truncated
// copy), and, when `table` is given, that the table exists and its rows can be read.
// A lock held by another program is waited for up to `busyWaitMs`.
DatabaseHealth checkFolderDatabase(const QString &folder, const QString &table = {},
                                   int busyWaitMs = kDatabaseBusyWaitMs);

// Whether the database file and its folder can be written (the rollback journal is made
// beside the file). A file or folder whose every write permission was taken away counts as
// read-only even for a user the system would let write it anyway.
bool databaseWritable(const QString &folder);

// The folder's database for messages: folder/tarix.db, or on the database server the
// folder with its schema and the server.
QString folderDatabaseName(Session *session, const QString &folder);

// The same through the session's backend, so that callers need not know where the data
// live: on the database server a folder is its schema (missing when the server keeps none
// for the folder or lacks it; the table read through the session's connection, a lock held
// past the wait is Busy, any other failure Damaged with the server's reason; `file` names
// the schema and the server). Without a session, or on the embedded database, the folder's
// file as above.
DatabaseHealth checkFolderDatabase(Session *session, const QString &folder, const QString &table = {},
                                   int busyWaitMs = kDatabaseBusyWaitMs);
// On the server: the login may change the schema's table (`table`, else only use the
// schema) and the server takes writes (not a read-only standby).
bool databaseWritable(Session *session, const QString &folder, const QString &table = {});

} // namespace tarix::db
