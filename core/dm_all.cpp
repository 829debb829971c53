#include "core/dm_all.h"

#include "core/data_module.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/module_registry.h"
#include "platform/db/db_error.h"
#include "platform/db/db_health.h"
#include "platform/db/session.h"
#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <optional>

namespace tarix::core {

void TDMA::Registruj_tabulky()
{
    m_tables = moduleRegistry().watchedTables().firm;
    m_aliases.clear();
    for (db::Table *t : m_tables) {
        m_aliases.push_back(t->databaseName().toUpper());
        t->close();
    }
}

void TDMA::Zatvor_tabulky()
{
    for (db::Table *t : m_tables)
        t->close();
}

bool TDMA::Otvor_tabulky(const QString &alias)
{
    auto chosen = [&](size_t i) { return alias.isEmpty() || m_aliases[i] == alias.toUpper(); };
    struct Failure {
        QString reason;
        bool own = false; // the table's own database failed it, not a table its events read
    };
    QHash<size_t, Failure> failures;
    for (size_t i = 0; i < m_tables.size(); ++i) {
        if (!chosen(i) || m_tables[i]->isActive())
            continue;
        try {
            m_tables[i]->open();
        } catch (const std::exception &e) {
            const auto *opening = dynamic_cast<const db::TableOpenError *>(&e);
            // The clerk reads what failed, never the statement that met it.
            const auto *sql = dynamic_cast<const db::SqlError *>(&e);
            failures.insert(i, {sql ? errorText(e).section(u'\n', 0, 0) : errorText(e),
                                opening && QFileInfo(opening->table()).completeBaseName().compare(
                                               QFileInfo(m_tables[i]->tableName()).completeBaseName(), Qt::CaseInsensitive)
                                               == 0});
        }
    }
    // Reported once: the first table whose own database failed it (a damaged or missing
    // table), else the first that stayed closed.
    std::optional<size_t> reported;
    for (size_t i = 0; i < m_tables.size(); ++i) {
        if (!chosen(i) || m_tables[i]->isActive())
            continue;
        if (!reported || (failures.value(i).own && !failures.value(*reported).own))
            reported = i;
    }
    if (!reported)
        return true;
    db::Table *t = m_tables[*reported];
    db::Session *session = db::Session::defaultSession();
    const QString folder = session ? session->aliasFolder(t->databaseName()) : QString();
    // The folder's one database (the table lives inside it) and the backend's reason.
    const QString file = QDir::toNativeSeparators(db::folderDatabaseName(session, folder));
    const QString reason = failures.value(*reported).reason;
    MyConsts::Sprava_chyba(Msg(65174, QStringLiteral("%1 (tabuľka %2)").arg(file, t->tableName()))
                           + (reason.isEmpty() ? QString() : u'\n' + reason));
    return false;
}

void TDMA::Vypni_zdroje_dat()
{
    for (DataModule *m : moduleRegistry().modules())
        for (db::DataSource *s : m->screenSources())
            s->setEnabled(false);
}

TDMA &DMA()
{
    static TDMA registry;
    return registry;
}

} // namespace tarix::core
