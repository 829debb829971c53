#include "support/demo_context.h"

#include "core/data_upgrades.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "platform/ini/ini_file.h"
#include "support/installation.h"
#include "support/setup_failure.h"

#include <QDir>
#include <QFileInfo>

namespace tarix::test {

DemoContext::~DemoContext()
{
    close();
}

void DemoContext::open(const Installation &installation, const DemoOptions &options)
{
    if (!installation.isInstalled())
        throw SetupFailure(QStringLiteral("no installation in %1 to open a firm of").arg(installation.path()));
    close();
    const QString priv = installation.privateFolder();
    const QString firm = installation.firmFolder(options.firm);
    const QString year = installation.yearFolder(options.year);
    for (const QString &folder : {priv, firm, year})
        if (!QFileInfo::exists(QDir(folder).filePath(QString::fromLatin1(db::Session::databaseFileName))))
            throw SetupFailure(QStringLiteral("cannot open firm %1 in %2: %3 holds no database")
                                   .arg(options.firm)
                                   .arg(options.year)
                                   .arg(folder));
    m_options = options;
    m_open = true;
    m_session.setAlias(QString::fromLatin1(core::kAliasPriv), priv);
    m_session.setAlias(QString::fromLatin1(core::kAliasData), firm);
    m_session.setAlias(QString::fromLatin1(core::kAliasComm), year);
    db::Session::setDefaultSession(&m_session);
    try {
        if (options.upgrades)
            core::SpecialneCinnosti(m_session, options.priplatky);
        if (options.parameters) {
            ini::IniFile paramIni(installation.filePath(QStringLiteral("PARAM.INI")));
            MyConsts::Nacitaj_parametre(m_session, paramIni);
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
    m_session.closeAll();
    if (db::Session::defaultSession() == &m_session)
        db::Session::setDefaultSession(nullptr);
}

void DemoContext::setPeriod(int year, int month, std::optional<int> centre)
{
    if (centre)
        m_session.execute(QStringLiteral("update \":tarix_priv:priv\" set rok = :y, mesiac = :m, sid = :s"),
                          {{QStringLiteral("y"), year}, {QStringLiteral("m"), month}, {QStringLiteral("s"), *centre}});
    else
        m_session.execute(QStringLiteral("update \":tarix_priv:priv\" set rok = :y, mesiac = :m"),
                          {{QStringLiteral("y"), year}, {QStringLiteral("m"), month}});
    if (m_options.parameters)
        MyConsts::Uprav_parameter_28(year * 100 + month);
    if (core::hasDM() && core::DM().TPRIV_.isActive())
        core::DM().TPRIV_.refresh();
}

} // namespace tarix::test
