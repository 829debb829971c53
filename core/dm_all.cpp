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

const QStringList &TDMA::Nazvy_tabuliek()
{
    static const QStringList names{
        "TPRIV_", "TSYS_",  "TINF_",  "CIS0_",  "CIS1_",  "CIS2_",  "CIS3_",  "CIS4_",
        "CIS5_",  "CIS6_",  "CIS7_",  "CIS8_",  "CIS9_",  "CIS10_", "CIS11_", "CIS12_",
        "CIS13_", "CIS14_", "TSET_",  "TDZP_",  "TDET_",  "TRZP_",  "TPPV_",  "TZRZ_",
        "TZRV_",  "TNEP_",  "TDOCH_", "TCUK_",  "TZUK_",  "THSU_",  "TTLA_",  "TELDP_",
        "TVYP_",  "TZAM_",  "TZP1_",  "TZP2_",  "TZP3_",  "TZP4_",  "TZP5_",  "CIS15_"};
    return names;
}

void TDMA::Registruj_tabulky()
{
    const QStringList &names = Nazvy_tabuliek();
    for (int i = 0; i < kPocet; ++i) {
        db::Table *found = moduleRegistry().table(names[i]);
        m_tables[size_t(i)] = found;
        if (!found) {
            MyConsts::Sprava_chyba(QStringLiteral("nenasiel") + names[i]);
            continue;
        }
        m_aliases[size_t(i)] = found->databaseName().toUpper();
        found->close();
    }
}

void TDMA::Zatvor_tabulky()
{
    for (db::Table *t : m_tables)
        if (t)
            t->close();
}

bool TDMA::Otvor_tabulky(const QString &alias)
{
    auto chosen = [&](int i) {
        return m_tables[size_t(i)]
               && (alias.isEmpty() || m_aliases[size_t(i)] == alias.toUpper());
    };
    QHash<int, QString> reasons;
    for (int i = 0; i < kPocet; ++i) {
        if (!chosen(i) || m_tables[size_t(i)]->isActive())
            continue;
        try {
            m_tables[size_t(i)]->open();
        } catch (const std::exception &e) {
            // Reported below, once, for the first table that stayed closed.
            const auto *my = dynamic_cast<const EMyError *>(&e);
            reasons.insert(i, my ? my->text() : QString::fromUtf8(e.what()));
        }
    }
    for (int i = 0; i < kPocet; ++i) {
        db::Table *t = m_tables[size_t(i)];
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
