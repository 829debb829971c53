#include "core/dm_all.h"

#include "core/data_module.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/module_registry.h"
#include "platform/db/db_health.h"
#include "platform/db/session.h"
#include "platform/errors.h"

#include <QDir>
#include <QHash>

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
    QHash<size_t, QString> reasons;
    for (size_t i = 0; i < m_tables.size(); ++i) {
        if (!chosen(i) || m_tables[i]->isActive())
            continue;
        try {
            m_tables[i]->open();
        } catch (const std::exception &e) {
            // Reported below, once, for the first table that stayed closed.
            const auto *my = dynamic_cast<const EMyError *>(&e);
            reasons.insert(i, my ? my->text() : QString::fromUtf8(e.what()));
        }
    }
    for (size_t i = 0; i < m_tables.size(); ++i) {
        db::Table *t = m_tables[i];
        if (!chosen(i) || t->isActive())
            continue;
        db::Session *session = db::Session::defaultSession();
        const QString folder = session ? session->aliasFolder(t->databaseName()) : QString();
        // The folder's one database (the table lives inside it) and the backend's reason.
        const QString file = QDir::toNativeSeparators(db::folderDatabaseName(session, folder));
        const QString reason = reasons.value(i);
        MyConsts::Sprava_chyba(Msg(65174, QStringLiteral("%1 (tabuľka %2)").arg(file, t->tableName()))
                               + (reason.isEmpty() ? QString() : u'\n' + reason));
        return false;
    }
    return true;
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
