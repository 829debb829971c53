#pragma once
// A throw-away installation for tests: a temporary root folder, one folder per alias, each
// with its database made from DDL text, and a session whose aliases point at them. Made with
// a server's connection string, each folder's tables are a schema on the server instead
// (named after the folder's path below the root: "COMMON/ROK2005" -> "common_rok2005"),
// and the session runs there.
#include "platform/db/session.h"

#include <QTemporaryDir>
#include <memory>

namespace tarix::db {

class TempInstallation {
public:
    TempInstallation();
    explicit TempInstallation(const QString &serverConninfo);
    ~TempInstallation();
    TempInstallation(const TempInstallation &) = delete;
    TempInstallation &operator=(const TempInstallation &) = delete;

    QString root() const { return m_dir.path(); }
    // root/<subfolder>, created with a database from the DDL text (empty text: an empty
    // database); returns the folder.
    QString createFolder(const QString &subfolder, const QString &ddl);
    // Creates the folder (unless it exists) and points the alias at it.
    QString addAlias(const QString &alias, const QString &subfolder, const QString &ddl = {});
    Session &session() { return *m_session; }
    // A session of its own on the same data (another program, another workstation), made
    // as the installation's: on the same server, the folders' schemas named alike. Aliases
    // are the caller's to set.
    std::unique_ptr<Session> newSession();
    // The server schema of a folder of this installation.
    QString schemaOfFolder(const QString &folder) const;

private:
    QTemporaryDir m_dir;
    QString m_conninfo; // empty: the embedded backend
    std::unique_ptr<Session> m_session;
};

} // namespace tarix::db
