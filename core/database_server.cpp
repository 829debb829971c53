#include "core/database_server.h"

#include "core/app_ini.h"
#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

namespace tarix::core {

QString databaseServerSetting()
{
    return trxIni().readString(QString::fromLatin1(kDatabaseServerSection),
                               QString::fromLatin1(kDatabaseServerKey), QString()).trimmed();
}

QString sharedFolderSchema(const QString &relativeFolder)
{
    QString f = relativeFolder.trimmed();
    f.replace(u'\\', u'/');
    while (f.endsWith(u'/'))
        f.chop(1);
    static const QRegularExpression firm(QStringLiteral("^DATA(\\d\\d)?$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression year(QStringLiteral("^COMMON/ROK(\\d{4})$"), QRegularExpression::CaseInsensitiveOption);
    if (const auto m = firm.match(f); m.hasMatch())
        return QStringLiteral("data") + m.captured(1);
    if (const auto m = year.match(f); m.hasMatch())
        return QStringLiteral("rok") + m.captured(1);
    return {};
}

QString privateSchemaName(const QString &machineId, const QString &programFolder)
{
    const QString folder = QDir::cleanPath(QString(programFolder).replace(u'\\', u'/'));
    const QByteArray hash = QCryptographicHash::hash((machineId + u'\n' + folder).toUtf8(),
                                                     QCryptographicHash::Sha256);
    return QStringLiteral("priv_") + QString::fromLatin1(hash.toHex().left(20));
}

QString workstationPrivateSchema(const QString &programFolder)
{
    QString id = QString::fromLatin1(QSysInfo::machineUniqueId());
    if (id.isEmpty())
        id = QSysInfo::machineHostName();
    return privateSchemaName(id, programFolder);
}

QStringList missingServerSchemas(const QStringList &schemas)
{
    QStringList missing;
    if (!schemas.contains(QStringLiteral("data")))
        missing << QStringLiteral("schéma data (šablóna firmy DATA)");
    static const QRegularExpression year(QStringLiteral("^rok\\d{4}$"));
    if (schemas.filter(year).isEmpty())
        missing << QStringLiteral("schémy rokov rokyyyy (priečinky COMMON\\ROKyyyy)");
    return missing;
}

db::ConnectionSettings serverConnectionSettings()
{
    db::ConnectionSettings settings;
    // The workstation as other workstations' busy messages name it.
    settings.applicationName = QStringLiteral("TARIX %1").arg(QSysInfo::machineHostName()).left(63);
    ini::IniFile *trx = nullptr;
    try {
        trx = &trxIni();
    } catch (const std::logic_error &) {
        return settings; // no TRX.INI in this run
    }
    const QString section = QString::fromLatin1(kDatabaseServerSection);
    const auto seconds = [&](const char *key, int fallback) {
        const int value = trx->readInteger(section, QString::fromLatin1(key), fallback);
        return value >= 0 ? value : fallback;
    };
    settings.connectTimeoutSeconds = seconds("Database_Connect_Timeout", settings.connectTimeoutSeconds);
    settings.keepaliveIdleSeconds = seconds("Database_Keepalive_Idle", settings.keepaliveIdleSeconds);
    settings.keepaliveIntervalSeconds = seconds("Database_Keepalive_Interval", settings.keepaliveIntervalSeconds);
    settings.keepaliveCount = seconds("Database_Keepalive_Count", settings.keepaliveCount);
    settings.tcpUserTimeoutMs = seconds("Database_User_Timeout", settings.tcpUserTimeoutMs / 1000) * 1000;
    settings.idleInTransactionTimeoutMs =
        seconds("Database_Idle_Transaction_Timeout", settings.idleInTransactionTimeoutMs / 1000) * 1000;
    return settings;
}

db::ServerOptions serverSessionOptions(const QString &conninfo, const AppPaths &paths)
{
    // The session asks with clean absolute paths; the folders are compared the same way.
    const auto clean = [](const QString &folder) {
        return QDir::cleanPath(QFileInfo(QString(folder).replace(u'\\', u'/')).absoluteFilePath());
    };
    const QString root = clean(paths.networkRoot);
    const QString privateFolder = clean(paths.privateFolder);
    const QString privateSchema = workstationPrivateSchema(paths.programFolder);
    return db::ServerOptions{conninfo,
                             [=](const QString &folder) {
                                 const QString f = clean(folder);
                                 if (f == privateFolder)
                                     return privateSchema;
                                 const QString rel = QDir(root).relativeFilePath(f);
                                 return rel.startsWith(QLatin1String("..")) ? QString() : sharedFolderSchema(rel);
                             },
                             serverConnectionSettings()};
}

void checkDatabaseServer(const QString &conninfo)
{
    db::PgConnection conn(conninfo, serverConnectionSettings()); // names the server and why it cannot be used
    const QStringList missing = missingServerSchemas(db::serverSchemas(conn));
    if (!missing.isEmpty()) {
        const QString reason = QStringLiteral("chýba %1").arg(missing.join(QStringLiteral(", ")));
        throw db::ServerError(QStringLiteral("Databázový server %1 nie je pripravený pre program TARIX: %2")
                                  .arg(conn.serverName(), reason),
                              conn.serverName(), reason);
    }
}

} // namespace tarix::core
