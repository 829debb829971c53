#include "support/demo_context.h"

#include "core/data_upgrades.h"
#include "core/dm_all.h"
#include "core/firm_opening.h"
#include "core/installation.h"
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/database_server.h"
#include "core/helpers/app_paths.h"
#include "core/session.h"
#include "platform/db/db_health.h"
#include "platform/db/pg_connection.h"
#include "platform/ini/ini_file.h"
#include "support/installation.h"
#include "support/setup_failure.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::test {

DemoOptions programOpening(int month)
{
    DemoOptions o;
    o.month = month;
    o.upgrades = true;
    o.parameters = true;
    return o;
}

DemoContext::DemoContext() : m_session(std::make_unique<db::Session>()) {}

DemoContext::DemoContext(const Installation &installation) : DemoContext(installation.workstation()) {}

DemoContext::DemoContext(const Workstation &workstation)
    : m_session(workstation.conninfo.isEmpty()
                    ? std::make_unique<db::Session>()
                    : std::make_unique<db::Session>(core::serverSessionOptions(
                          workstation.conninfo,
                          core::deriveAppPaths(workstation.programFolder, workstation.root, QString()))))
{
}

DemoContext::~DemoContext()
{
    // A test whose server went away still ends: what cannot be closed is logged.
    try {
        close();
    } catch (const std::exception &e) {
        qWarning("The demo firm did not close: %s", e.what());
    }
}

void DemoContext::open(const Installation &installation, const DemoOptions &options)
{
    if (!installation.isInstalled())
        throw SetupFailure(QStringLiteral("no installation in %1 to open a firm of").arg(installation.path()));
    open(installation.workstation(), options);
}

void DemoContext::open(const Workstation &workstation, const DemoOptions &options)
{
    close();
    const QString privateFolderDb = workstation.programFolder + QStringLiteral("PRIVATE");
    const QString firm = workstation.root + core::firmFolderName(options.firm);
    const QString year = workstation.root + QStringLiteral("COMMON/ROK%1").arg(options.year);
    // Another workstation of the installation starts with a private folder of its own.
    try {
        if (db::checkFolderDatabase(m_session.get(), privateFolderDb).state == db::DatabaseState::Missing) {
            if (m_session->isServer())
                core::createServerPrivateSchema(*m_session->serverConnection(), m_session->serverSchemaOfFolder(privateFolderDb));
            else
                core::createFolderDatabase(privateFolderDb, core::FolderKind::Private, core::privateSeedResources());
        }
    } catch (const std::exception &e) {
        throw SetupFailure(QStringLiteral("no private folder %1: %2").arg(privateFolderDb, QString::fromUtf8(e.what())));
    }
    for (const QString &folder : {privateFolderDb, firm, year})
        if (db::checkFolderDatabase(m_session.get(), folder).state == db::DatabaseState::Missing)
            throw SetupFailure(QStringLiteral("cannot open firm %1 in %2: %3 holds no database")
                                   .arg(options.firm)
                                   .arg(options.year)
                                   .arg(folder));
    m_options = options;
    m_open = true;
    m_session->setAlias(QString::fromLatin1(core::kAliasPriv), privateFolderDb);
    m_session->setAlias(QString::fromLatin1(core::kAliasData), firm);
    m_session->setAlias(QString::fromLatin1(core::kAliasComm), year);
    db::Session::setDefaultSession(m_session.get());
    try {
        if (options.upgrades)
            core::SpecialneCinnosti(*m_session, options.priplatky);
        if (options.parameters) {
            ini::IniFile paramIni(workstation.root + QStringLiteral("PARAM.INI"));
            MyConsts::Nacitaj_parametre(*m_session, paramIni);
        }
        setPeriod(options.year, options.month, options.centre);
    } catch (const std::exception &e) {
        throw SetupFailure(QStringLiteral("opening firm %1 in %2 failed: %3")
                               .arg(options.firm)
                               .arg(options.year)
                               .arg(QString::fromUtf8(e.what())));
    }
    m_modules.create(options.modules, options.registerTables);
    if (options.openTables && !core::DMA().Otvor_tabulky())
        throw SetupFailure(QStringLiteral("the registered tables of firm %1 in %2 did not open (see the message shown)")
                               .arg(options.firm)
                               .arg(options.year));
}

void DemoContext::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_modules.destroy();
    if (m_options.parameters)
        MyConsts::Parametre().fill(MyConsts::Parameter{});
    m_session->closeAll();
    if (db::Session::defaultSession() == m_session.get())
        db::Session::setDefaultSession(nullptr);
}

void DemoContext::setPeriod(int year, int month, std::optional<int> centre)
{
    if (centre)
        m_session->execute(QStringLiteral("update \":tarix_priv:priv\" set rok = :y, mesiac = :m, sid = :s"),
                          {{QStringLiteral("y"), year}, {QStringLiteral("m"), month}, {QStringLiteral("s"), *centre}});
    else
        m_session->execute(QStringLiteral("update \":tarix_priv:priv\" set rok = :y, mesiac = :m"),
                          {{QStringLiteral("y"), year}, {QStringLiteral("m"), month}});
    if (m_options.parameters)
        MyConsts::adjustParameter28(year * 100 + month);
    if (core::hasDM() && core::DM().TPRIV_.isActive())
        core::DM().TPRIV_.refresh();
}

} // namespace tarix::test
