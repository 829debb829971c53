#pragma once
// The program's schemas on the PostgreSQL server. Each folder of the embedded installation
// (the template firm, a firm, a year, a workstation's private folder) is one schema of one
// database; which schema a folder is, the core decides (core/server_schemas.h). Besides
// them every database holds the program schema "tarix":
//  - the collation tarix.sk of name columns: Slovak order by ICU, deterministic (texts
//    that differ are never equal), the same order the embedded collation "SK" gives to
//    Slovak names (letters, case, digits, blanks);
//  - the domains that keep the table definitions' declared types (money_real, logical,
//    autoinc_int), so that the dataset layer reads a column's field type from the server's
//    catalogue as it reads it from SQLite's;
//  - the built-in one-row and twelve-row tables dual and dual12.
#include <QString>
#include <QStringList>

namespace tarix::db {

class PgConnection;

inline constexpr const char *kProgramSchema = "tarix";
// The channel on which a committed write names its schema (the payload); see
// ServerSession::dataVersion.
inline constexpr const char *kDataChangedChannel = "tarix_data_changed";

// Creates what is missing of the program schema, or is of an older build; several programs
// may do it at once. Nothing is written when everything is current, so that a login without
// the right to create (a clerk's) passes.
void installProgramSchema(PgConnection &conn);
bool programSchemaCurrent(PgConnection &conn);

// Creates a schema with the tables of a table-definition text (data/schema) in one
// transaction; the program schema is installed first. Throws DbError when the schema exists.
void createServerSchema(PgConnection &conn, const QString &schema, const QString &ddlText);

// The trigger on each of the schema's tables that announces every write (and moves the
// schema's sequence _data_version); missing parts are added.
void installDataVersion(PgConnection &conn, const QString &schema);

// The schemas of the database (lower case, sorted), the server's own and the program's left out.
QStringList serverSchemas(PgConnection &conn);
bool serverSchemaExists(PgConnection &conn, const QString &schema);

} // namespace tarix::db
