#include "platform/db/temp_installation.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_schema.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::db {

TempInstallation::TempInstallation() : m_session(std::make_unique<Session>())
{
    if (!m_dir.isValid())
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť dočasný priečinok."));
}

TempInstallation::TempInstallation(const QString &serverConninfo) : m_conninfo(serverConninfo)
{
    if (!m_dir.isValid())
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť dočasný priečinok."));
    m_session = newSession();
}

std::unique_ptr<Session> TempInstallation::newSession()
{
    if (m_conninfo.isEmpty())
        return std::make_unique<Session>();
    return std::make_unique<Session>(
        ServerOptions{m_conninfo, [this](const QString &folder) { return schemaOfFolder(folder); }});
}

QString TempInstallation::schemaOfFolder(const QString &folder) const
{
    QString rel = QDir(QDir(m_dir.path()).canonicalPath()).relativeFilePath(folder);
    if (rel.startsWith(QStringLiteral("..")))
        rel = QDir(m_dir.path()).relativeFilePath(folder);
    QString schema;
    for (const QChar c : rel.toLower())
        schema += (c.isLetterOrNumber() && c.unicode() < 128) ? c : u'_';
    return schema;
}

TempInstallation::~TempInstallation()
{
    m_session.reset();
}

QString TempInstallation::createFolder(const QString &subfolder, const QString &ddl)
{
    const QString folder = QDir(m_dir.path()).filePath(subfolder);
    if (PgConnection *server = m_session->serverConnection()) {
        // The folder stays for files; the tables go to its schema.
        if (!QDir().mkpath(folder))
            throw DbError(QStringLiteral("Nepodarilo sa vytvoriť priečinok %1").arg(folder));
        createServerSchema(*server, schemaOfFolder(folder), ddl);
        return folder;
    }
    createDatabaseFromDdl(folder, ddl.isEmpty() ? QStringLiteral("SELECT 1;") : ddl);
    return folder;
}

QString TempInstallation::addAlias(const QString &alias, const QString &subfolder, const QString &ddl)
{
    const QString folder = QDir(m_dir.path()).filePath(subfolder);
    const bool exists = m_session->serverConnection()
                            ? serverSchemaExists(*m_session->serverConnection(), schemaOfFolder(folder))
                            : QFileInfo::exists(QDir(folder).filePath(QLatin1String(Session::databaseFileName)));
    if (!exists)
        createFolder(subfolder, ddl);
    m_session->setAlias(alias, folder);
    return folder;
}

} // namespace tarix::db
