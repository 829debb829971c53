#pragma once
// The program's database session and its aliases.
#include "core/helpers/app_paths.h"

namespace tarix::db {
class Session;
}

namespace tarix::core {

inline constexpr const char *kAliasComm = "TARIX_COMM";
inline constexpr const char *kAliasData = "TARIX_DATA";
inline constexpr const char *kAliasDatx = "TARIX_DATX";
inline constexpr const char *kAliasPriv = "TARIX_PRIV";

// Creates the process-wide session with the start-up aliases: TARIX_COMM on the common
// folder, TARIX_DATA on "DATA01", TARIX_PRIV on the private folder. TARIX_DATX does not
// exist until a firm is opened. With a database server's connection string the session
// runs there, each folder being its schema (database_server.h).
void openStartupSession(const AppPaths &paths, const QString &serverConninfo = {});

// The process-wide session; throws when start-up has not created it.
db::Session &session();

// Closes every table and detaches every database, then ends the session.
void closeSession();

} // namespace tarix::core
