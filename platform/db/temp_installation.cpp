#include "platform/db/temp_installation.h"

#include "platform/db/db_error.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::db {

TempInstallation::TempInstallation() : m_session(std::make_unique<Session>())
{
    if (!m_dir.isValid())
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť dočasný priečinok."));
}

TempInstallation::~TempInstallation()
{
    m_session.reset();
}

QString TempInstallation::createFolder(const QString &subfolder, const QString &ddl)
{
    const QString folder = QDir(m_dir.path()).filePath(subfolder);
    createDatabaseFromDdl(folder, ddl.isEmpty() ? QStringLiteral("SELECT 1;") : ddl);
    return folder;
}

QString TempInstallation::addAlias(const QString &alias, const QString &subfolder, const QString &ddl)
{
    const QString folder = QDir(m_dir.path()).filePath(subfolder);
    if (!QFileInfo::exists(QDir(folder).filePath(QLatin1String(Session::databaseFileName))))
        createFolder(subfolder, ddl);
    m_session->setAlias(alias, folder);
    return folder;
}

} // namespace tarix::db
