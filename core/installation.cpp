#include "core/installation.h"

#include "core/database_server.h"
#include "core/helpers/app_paths.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/db/sql_dialect.h"
#include "platform/db/sk_collation.h"
#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <stdexcept>

namespace tarix::core {

namespace {

QString readResource(const QString &name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("missing installation resource " + name).toStdString());
    return QString::fromUtf8(f.readAll());
}

int slovakCollate(void *, int lenA, const void *a, int lenB, const void *b)
{
    return db::compareSlovakUtf8(static_cast<const char *>(a), lenA,
                                 static_cast<const char *>(b), lenB);
}

bool databaseExists(const QString &folder)
{
    return QFileInfo::exists(QDir(folder).filePath(db::Session::databaseFileName));
}

const QString kDemoFirmSubfolder = QStringLiteral("DATA01/");

// The demo firm made here without the filler its payrolls need: refused before anything is
// made, so that no installation silently lacks them.
void requireFiller(bool demoMadeHere, const InstallationOptions &options, const DemoPayrollFiller &fill)
{
    if (demoMadeHere && makesDemoPayrolls(options) && !fill)
        throw std::invalid_argument("the demo firm's payrolls need the payroll module's filler "
                                    "(or the option without them)");
}

} // namespace

bool makesDemoPayrolls(const InstallationOptions &options)
{
    return options.demoFirm && options.demoPayrolls && options.firstYear <= kDemoPayrollYear
           && kDemoPayrollYear <= options.lastYear;
}

QString schemaResource(FolderKind kind)
{
    switch (kind) {
    case FolderKind::Firm: return QStringLiteral(":/data/schema/firm.sql");
    case FolderKind::Year: return QStringLiteral(":/data/schema/year.sql");
    case FolderKind::Private: return QStringLiteral(":/data/schema/private.sql");
    }
    return {};
}

QStringList yearSeedResources(int year)
{
    return {QStringLiteral(":/data/seed/year/common-codes.sql"),
            QStringLiteral(":/data/seed/year/ROK%1.sql").arg(year)};
}

QStringList templateFirmSeedResources()
{
    return {QStringLiteral(":/data/seed/firm-template.sql")};
}

QStringList demoFirmSeedResources()
{
    return templateFirmSeedResources() << QStringLiteral(":/data/seed/firm-demo.sql");
}

QStringList privateSeedResources()
{
    return {QStringLiteral(":/data/seed/private.sql")};
}

void createFolderDatabase(const QString &folder, FolderKind kind, const QStringList &seeds)
{
    QStringList texts;
    for (const QString &seed : seeds)
        texts << readResource(seed);
    db::createDatabaseFromDdl(folder, readResource(schemaResource(kind)));
    // The seed texts name their tables without an alias, so they run on a connection of
    // their own to this one database.
    const QString file = QDir(folder).filePath(db::Session::databaseFileName);
    sqlite3 *conn = nullptr;
    try {
        if (sqlite3_open_v2(file.toUtf8().constData(), &conn, SQLITE_OPEN_READWRITE, nullptr)
            != SQLITE_OK)
            throw db::DbError(QStringLiteral("Nepodarilo sa otvoriť súbor %1").arg(file));
        sqlite3_create_collation_v2(conn, "SK", SQLITE_UTF8, nullptr, &slovakCollate, nullptr);
        const QString script = QStringLiteral("BEGIN;\n") + texts.join(QStringLiteral("\n"))
                               + QStringLiteral("\nCOMMIT;");
        char *error = nullptr;
        if (sqlite3_exec(conn, script.toUtf8().constData(), nullptr, nullptr, &error)
            != SQLITE_OK) {
            const QString text = QString::fromUtf8(error ? error : "unknown error");
            sqlite3_free(error);
            throw db::DbError(QStringLiteral("%1: %2").arg(file, text));
        }
        sqlite3_close_v2(conn);
    } catch (...) {
        if (conn)
            sqlite3_close_v2(conn);
        // A folder without its rows is no use to anybody: leave nothing behind.
        QFile::remove(QDir(folder).filePath(db::Session::databaseFileName));
        throw;
    }
}

void createServerFolderSchema(db::PgConnection &conn, const QString &schema, FolderKind kind,
                              const QStringList &seeds)
{
    QStringList statements;
    for (const QString &seed : seeds)
        statements << db::splitSqlStatements(readResource(seed));
    // The seed texts name their tables without an alias: they belong to the new schema.
    db::SqlRewriteContext ctx;
    ctx.target = db::SqlTarget::PostgreSql;
    ctx.defaultAlias = QStringLiteral("SEED");
    ctx.schemaOf = [&schema](const QString &) { return schema; };
    conn.begin();
    try {
        db::createServerSchema(conn, schema, readResource(schemaResource(kind)));
        for (const QString &sql : statements)
            conn.execute(db::rewriteSql(sql, ctx).sql);
        conn.commit();
    } catch (...) {
        // A schema without its rows is no use to anybody: leave nothing behind.
        conn.rollback();
        throw;
    }
}

bool createServerPrivateSchema(db::PgConnection &conn, const QString &schema)
{
    if (db::serverSchemaExists(conn, schema))
        return false;
    try {
        createServerFolderSchema(conn, schema, FolderKind::Private, privateSeedResources());
    } catch (const std::exception &) {
        // A second start of the same program folder may have made it meanwhile.
        if (db::serverSchemaExists(conn, schema))
            return false;
        throw;
    }
    return true;
}

namespace {

// The folders of an installation in the order they are made, each with its kind and seeds.
struct InstallationFolder {
    QString subfolder;
    FolderKind kind;
    QStringList seeds;
};

QList<InstallationFolder> installationFolders(const InstallationOptions &options)
{
    QList<InstallationFolder> folders{{QStringLiteral("PRIVATE/"), FolderKind::Private, privateSeedResources()}};
    for (int year = options.firstYear; year <= options.lastYear; ++year)
        folders.append({QStringLiteral("COMMON/ROK%1/").arg(year), FolderKind::Year, yearSeedResources(year)});
    folders.append({QStringLiteral("DATA/"), FolderKind::Firm, templateFirmSeedResources()});
    if (options.demoFirm)
        folders.append({kDemoFirmSubfolder, FolderKind::Firm, demoFirmSeedResources()});
    return folders;
}

// The files every installation has beside its databases: the document templates and
// TRX.INI (naming the database server when there is one).
void writeInstallationFiles(const QString &root, const QString &serverConninfo)
{
    // The document templates the letters and forms are filled from; a template the clerk
    // has adapted stays as it is.
    QDir().mkpath(root + QStringLiteral("frm"));
    for (const QFileInfo &t : QDir(QStringLiteral(":/data/frm")).entryInfoList(QDir::Files)) {
        const QString target = root + QStringLiteral("frm/") + t.fileName();
        if (QFileInfo::exists(target))
            continue;
        if (!QFile::copy(t.filePath(), target))
            throw std::runtime_error(QStringLiteral("Šablónu %1 nie je možné zapísať.")
                                         .arg(target).toStdString());
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                          | QFile::ReadOther);
    }

    if (!QFileInfo::exists(root + "TRX.INI")) {
        // How to point the workstations at a database server, for whoever edits the file.
        codepage::writeCp1250TextFile(root + "TRX.INI", QStringList{
            QStringLiteral("[NETWORK]"),
            QStringLiteral("; Databázový server (PostgreSQL), cez ktorý viac pracovných staníc zdieľa údaje"),
            QStringLiteral("; firiem: reťazec pripojenia v kľúči %1, napríklad").arg(QLatin1String(kDatabaseServerKey)),
            QStringLiteral(";   %1=host=server.firma.local port=5432 dbname=tarix user=mzdy").arg(QLatin1String(kDatabaseServerKey)),
            QStringLiteral("; Heslo patrí do súboru ~/.pgpass používateľa, nie sem. Bez tohto kľúča je každý"),
            QStringLiteral("; priečinok samostatnou databázou programu."),
        });
        ini::IniFile trx(root + "TRX.INI");
        trx.writeString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QString());
        trx.writeString(QStringLiteral("IMPORT"), QStringLiteral("Gfk_Path"), QString());
        trx.writeString(QStringLiteral("Kompatibilita"), QStringLiteral("Priplatky"),
                        QStringLiteral("1"));
        trx.writeString(QStringLiteral("Texty"), QStringLiteral("Doplatky"),
                        QStringLiteral("Doplatky"));
        if (!serverConninfo.isEmpty())
            trx.writeString(QLatin1String(kDatabaseServerSection), QLatin1String(kDatabaseServerKey),
                            serverConninfo);
    }
}


} // namespace

QStringList createServerInstallation(const QString &conninfo, const QString &programFolder,
                                     const InstallationOptions &options, const DemoPayrollFiller &fillDemoFirm)
{
    const QString root = normalizeFolder(programFolder, QDir::currentPath());
    db::PgConnection conn(conninfo);
    const QString demoSchema = sharedFolderSchema(kDemoFirmSubfolder);
    const bool demoMadeHere = options.demoFirm && !db::serverSchemaExists(conn, demoSchema);
    requireFiller(demoMadeHere, options, fillDemoFirm);
    db::installProgramSchema(conn);
    QStringList created;
    for (const InstallationFolder &f : installationFolders(options)) {
        const QString schema = f.kind == FolderKind::Private ? workstationPrivateSchema(root)
                                                             : sharedFolderSchema(f.subfolder);
        if (db::serverSchemaExists(conn, schema))
            continue;
        createServerFolderSchema(conn, schema, f.kind, f.seeds);
        created << schema;
    }
    writeInstallationFiles(root, conninfo);
    if (demoMadeHere && makesDemoPayrolls(options) && created.contains(demoSchema)) {
        try {
            fillDemoFirm(root, conninfo);
        } catch (...) {
            // A demo firm without the months it is shipped with is made again next time.
            conn.execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(demoSchema));
            throw;
        }
    }
    return created;
}

QStringList createInstallation(const QString &programFolder, const InstallationOptions &options,
                               const DemoPayrollFiller &fillDemoFirm)
{
    const QString root = normalizeFolder(programFolder, QDir::currentPath());
    const QString demoFolder = root + kDemoFirmSubfolder;
    const bool demoMadeHere = options.demoFirm && !databaseExists(demoFolder);
    requireFiller(demoMadeHere, options, fillDemoFirm);
    QStringList created;
    for (const InstallationFolder &f : installationFolders(options)) {
        const QString folder = root + f.subfolder;
        if (databaseExists(folder))
            continue;
        createFolderDatabase(folder, f.kind, f.seeds);
        created << folder;
    }
    writeInstallationFiles(root, QString());
    if (demoMadeHere && makesDemoPayrolls(options) && created.contains(demoFolder)) {
        try {
            fillDemoFirm(root, QString());
        } catch (...) {
            // A demo firm without the months it is shipped with is made again next time.
            QFile::remove(QDir(demoFolder).filePath(db::Session::databaseFileName));
            throw;
        }
    }
    return created;
}

} // namespace tarix::core
