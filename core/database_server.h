#pragma once
// The database server several workstations share a firm through (PostgreSQL), named in
// TRX.INI: section "NETWORK", key Database_Server, a libpq connection string such as
// "host=server.firma.local port=5432 dbname=tarix user=mzdy" (the password preferably in
// the user's ~/.pgpass, not in the INI file). Without the key every folder is its own
// SQLite database, as on a single workstation.
//
// On the server each shared folder under the network root is one schema of the database:
// the template firm DATA -> "data", a firm DATAnn -> "datann", a year COMMON/ROKyyyy ->
// "rokyyyy". Each workstation's private folder is a schema of its own, named from the
// machine and the program folder, so that two workstations (or two program folders on one
// machine) never share one. Files stay in the folders of the network root (outputs, forms,
// backups, imports).
#include "core/helpers/app_paths.h"
#include "platform/db/server_session.h"

#include <QString>
#include <QStringList>

namespace tarix::core {

inline constexpr const char *kDatabaseServerSection = "NETWORK";
inline constexpr const char *kDatabaseServerKey = "Database_Server";

// The connection string of TRX.INI, blanks trimmed; empty when no server is named.
QString databaseServerSetting();

// The schema of a shared folder, from its path below the network root ("DATA01/",
// "COMMON\ROK2007"; separators either way, case ignored). Empty for any other folder.
QString sharedFolderSchema(const QString &relativeFolder);

// The private schema of a workstation: "priv_" and 20 hexadecimal digits of a hash of the
// machine's identity and the program folder (its path cleaned, so "/opt/tarix" and
// "/opt/tarix/" are one folder).
QString privateSchemaName(const QString &machineId, const QString &programFolder);
// The same for this machine (its machine id, or its host name when it has none).
QString workstationPrivateSchema(const QString &programFolder);

// The schemas a server must hold before the program starts on it: the template firm and at
// least one year. Returns what lacks, in the clerk's words; empty when nothing does.
QStringList missingServerSchemas(const QStringList &schemas);

// How long a workstation and the server wait for each other before they give a silent one
// up, and the name other workstations see this one by: the office defaults, each overridable
// in TRX.INI, section NETWORK (seconds): Database_Connect_Timeout, Database_Keepalive_Idle,
// Database_Keepalive_Interval, Database_Keepalive_Count (probes), Database_User_Timeout,
// Database_Idle_Transaction_Timeout. Without an open TRX.INI the defaults.
db::ConnectionSettings serverConnectionSettings();

// How a session reaches the server for an installation's folders: a shared folder below
// the network root is its schema (sharedFolderSchema), the private folder this
// workstation's schema; any other folder has none. The connection's settings are
// serverConnectionSettings().
db::ServerOptions serverSessionOptions(const QString &conninfo, const AppPaths &paths);

// At start-up with a server named: connects and checks the schemas. Throws db::ServerError
// naming the server and the reason (cannot be reached, refuses the login, lacks schemas).
void checkDatabaseServer(const QString &conninfo);

} // namespace tarix::core
