#include "support/installation.h"

#include "core/database_server.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "platform/db/pg_connection.h"
#include "platform/db/session.h"
#include "support/pg_test_server.h"
#include "support/setup_failure.h"
#include "tools/mkinst/demo_payrolls.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <memory>
#include <sqlite3.h>
#include <tuple>

namespace tarix::test {

namespace {

QString databaseOf(const QString &folder)
{
    return QDir(folder).filePath(QString::fromLatin1(db::Session::databaseFileName));
}

// Every folder the generator must have made for the options, with its database.
void checkGenerated(const QString &root, const core::InstallationOptions &options)
{
    QStringList folders{QStringLiteral("PRIVATE"), QStringLiteral("DATA")};
    for (int year = options.firstYear; year <= options.lastYear; ++year)
        folders << QStringLiteral("COMMON/ROK%1").arg(year);
    if (options.demoFirm)
        folders << QStringLiteral("DATA01");
    for (const QString &folder : folders)
        if (!QFileInfo::exists(databaseOf(root + folder)))
            throw SetupFailure(QStringLiteral("the installation generator made no database in %1%2")
                                   .arg(root, folder));
    if (!QFileInfo::exists(root + QStringLiteral("TRX.INI")))
        throw SetupFailure(QStringLiteral("the installation generator made no %1TRX.INI").arg(root));
}

// The generator's installation for the options, made on first use and kept until the
// test program ends. A failed generation is not kept: the next test tries again and
// fails with the same text.
const QTemporaryDir &generated(const core::InstallationOptions &options)
{
    using Key = std::tuple<bool, int, int, bool>;
    static std::map<Key, std::unique_ptr<QTemporaryDir>> made;
    const Key key{options.demoFirm, options.firstYear, options.lastYear, core::makesDemoPayrolls(options)};
    auto found = made.find(key);
    if (found != made.end())
        return *found->second;

    auto dir = std::make_unique<QTemporaryDir>();
    if (!dir->isValid())
        throw SetupFailure(QStringLiteral("no temporary folder for the installation: %1").arg(dir->errorString()));
    try {
        core::createInstallation(dir->path(), options, installation::createDemoPayrolls);
    } catch (const std::exception &e) {
        throw SetupFailure(QStringLiteral("the installation generator failed in %1: %2")
                               .arg(dir->path(), QString::fromUtf8(e.what())));
    }
    checkGenerated(dir->path() + QLatin1Char('/'), options);
    return *made.emplace(key, std::move(dir)).first->second;
}

} // namespace

Installation::Installation(Backend backend) : m_backend(backend)
{
    if (!m_dir.isValid())
        throw SetupFailure(QStringLiteral("no temporary folder for the installation: %1").arg(m_dir.errorString()));
    if (backend == Backend::Server && !pgTestConninfo().isEmpty())
        m_database = std::make_unique<PgTestDatabase>();
}

Installation::~Installation() = default;

QString Installation::serverConninfo() const
{
    return m_database ? m_database->conninfo() : QString();
}

void Installation::install(const core::InstallationOptions &options)
{
    if (m_installed)
        throw SetupFailure(QStringLiteral("%1 already holds an installation").arg(path()));
    if (m_database) {
        try {
            core::createServerInstallation(m_database->conninfo(), path(), options, installation::createDemoPayrolls);
        } catch (const std::exception &e) {
            throw SetupFailure(QStringLiteral("the server's installation generator failed on %1: %2")
                                   .arg(m_database->name(), QString::fromUtf8(e.what())));
        }
    } else {
        copyFolder(generated(options).path(), path());
    }
    m_options = options;
    m_installed = true;
}

Workstation Installation::workstation(const QString &programFolder) const
{
    QString own = programFolder.isEmpty() ? root() : programFolder;
    if (!own.endsWith(u'/'))
        own += u'/';
    return Workstation{root(), serverConninfo(), own};
}

void Installation::sql(const QString &folder, const QString &script) const
{
    if (!m_database) {
        sqlOn(folder, script);
        return;
    }
    const QString schema = core::serverSessionOptions(QString(), core::deriveAppPaths(root(), QString(), QString()))
                               .schemaOf(folder);
    if (schema.isEmpty())
        throw SetupFailure(QStringLiteral("no schema on the server for the folder %1").arg(folder));
    try {
        db::PgConnection conn(m_database->conninfo());
        conn.executeRaw(QStringLiteral("SET search_path TO %1, tarix").arg(schema));
        conn.executeRaw(script);
    } catch (const std::exception &e) {
        throw SetupFailure(QStringLiteral("SQL on the schema %1 failed: %2").arg(schema, QString::fromUtf8(e.what())));
    }
}

QString Installation::firmFolder(int firm) const
{
    return filePath(core::firmFolderName(firm));
}

QString Installation::yearFolder(int year) const
{
    return filePath(QStringLiteral("COMMON/ROK%1").arg(year));
}

QString Installation::privateFolder() const
{
    return filePath(QStringLiteral("PRIVATE"));
}

void copyFolder(const QString &from, const QString &to)
{
    const QDir source(from);
    if (!source.exists())
        throw SetupFailure(QStringLiteral("cannot copy %1: no such folder").arg(from));
    if (!QDir().mkpath(to))
        throw SetupFailure(QStringLiteral("cannot create the folder %1").arg(to));
    const QDir target(to);
    for (const QString &name : source.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(source.filePath(name));
        if (!file.copy(target.filePath(name)))
            throw SetupFailure(QStringLiteral("copying %1 to %2 failed: %3")
                                   .arg(source.filePath(name), target.filePath(name), file.errorString()));
    }
    for (const QString &sub : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        copyFolder(source.filePath(sub), target.filePath(sub));
}

void sqlOn(const QString &folder, const QString &script)
{
    const QString file = databaseOf(folder);
    if (!QFileInfo::exists(file))
        throw SetupFailure(QStringLiteral("no database %1 to run SQL on").arg(file));
    sqlite3 *conn = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &conn, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(conn));
        sqlite3_close_v2(conn);
        throw SetupFailure(QStringLiteral("cannot open %1: %2").arg(file, text));
    }
    db::registerCollations(conn);
    char *error = nullptr;
    const int rc = sqlite3_exec(conn, script.toUtf8().constData(), nullptr, nullptr, &error);
    const QString text = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close_v2(conn);
    if (rc != SQLITE_OK)
        throw SetupFailure(QStringLiteral("SQL on %1 failed: %2").arg(file, text));
}

} // namespace tarix::test
