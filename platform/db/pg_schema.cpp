#include "platform/db/pg_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/sql_dialect.h"

namespace tarix::db {

namespace {

// One lock of the whole database for creating schemas: two programs never create the same
// object at once (CREATE ... IF NOT EXISTS alone does not keep them apart).
constexpr qint64 kSchemaLock = 0x54415249583338; // arbitrary, the program's own

// The body of tarix.data_changed(), as the server keeps it (pg_proc.prosrc). Every write
// statement on a table tells the listening programs that its schema changed (the
// notification goes out when the writer commits, never after a rollback; several in one
// transaction arrive as one), so that a reader knows another program may have changed what
// it keeps. The schema's counter moves too, for programs of older builds that still read it
// (both in one query: the function runs after every write statement). Replaced at a start
// that finds another body, so that a server made by an older build notifies.
constexpr const char *kDataChangedBody =
    "\n"
    "BEGIN\n"
    "  PERFORM nextval(format('%I._data_version', TG_TABLE_SCHEMA)), pg_notify('tarix_data_changed', TG_TABLE_SCHEMA);\n"
    "  RETURN NULL;\n"
    "END\n";

// ICU's Slovak order: "ch" after "h", "č" after "c", "ä" after "a", "ô" after "o", accents
// deciding only between otherwise equal words, lower case before upper case.
const char *const kProgramObjects[] = {
    "CREATE SCHEMA IF NOT EXISTS tarix",
    "DO $body$ BEGIN\n"
    "  IF NOT EXISTS (SELECT 1 FROM pg_collation c JOIN pg_namespace n ON n.oid = c.collnamespace\n"
    "                 WHERE n.nspname = 'tarix' AND c.collname = 'sk') THEN\n"
    "    CREATE COLLATION tarix.sk (provider = icu, locale = 'sk-SK', deterministic = true);\n"
    "  END IF;\n"
    "END $body$",
    "DO $body$ BEGIN\n"
    "  IF NOT EXISTS (SELECT 1 FROM pg_type t JOIN pg_namespace n ON n.oid = t.typnamespace\n"
    "                 WHERE n.nspname = 'tarix' AND t.typname = 'money_real') THEN\n"
    "    CREATE DOMAIN tarix.money_real AS double precision;\n"
    "    CREATE DOMAIN tarix.logical AS smallint;\n"
    "    CREATE DOMAIN tarix.autoinc_int AS bigint;\n"
    "  END IF;\n"
    "END $body$",
    "CREATE TABLE IF NOT EXISTS tarix.dual (text varchar(10))",
    "INSERT INTO tarix.dual SELECT NULL WHERE NOT EXISTS (SELECT 1 FROM tarix.dual)",
    "CREATE TABLE IF NOT EXISTS tarix.dual12 (cislo smallint PRIMARY KEY)",
    "INSERT INTO tarix.dual12 SELECT generate_series(1, 12) WHERE NOT EXISTS (SELECT 1 FROM tarix.dual12)",
};

void lockSchemas(PgConnection &conn)
{
    conn.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock));
}

void installLocked(PgConnection &conn)
{
    for (const char *sql : kProgramObjects)
        conn.executeRaw(QString::fromUtf8(sql));
    conn.executeRaw(QStringLiteral("CREATE OR REPLACE FUNCTION tarix.data_changed() RETURNS trigger "
                                   "LANGUAGE plpgsql AS $body$%1$body$").arg(QString::fromUtf8(kDataChangedBody)));
}

} // namespace

// Whether every object of the program schema is there as this build makes it: a login with
// the rights on the data only (no CREATE, not the functions' owner) then starts without
// installing anything.
bool programSchemaCurrent(PgConnection &conn)
{
    const PgResult r = conn.exec(QStringLiteral(
        "SELECT EXISTS (SELECT 1 FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
        "               WHERE n.nspname = 'tarix' AND p.proname = 'data_changed' AND p.prosrc = $1) "
        "AND EXISTS (SELECT 1 FROM pg_collation c JOIN pg_namespace n ON n.oid = c.collnamespace "
        "            WHERE n.nspname = 'tarix' AND c.collname = 'sk') "
        "AND EXISTS (SELECT 1 FROM pg_type t JOIN pg_namespace n ON n.oid = t.typnamespace "
        "            WHERE n.nspname = 'tarix' AND t.typname = 'money_real') "
        "AND to_regclass('tarix.dual') IS NOT NULL AND to_regclass('tarix.dual12') IS NOT NULL"),
        {QString::fromUtf8(kDataChangedBody)});
    const QVariant v = r.value(0, 0);
    return v.toLongLong() != 0 || v.toString() == u"t";
}

void installProgramSchema(PgConnection &conn)
{
    if (programSchemaCurrent(conn))
        return;
    conn.begin();
    try {
        lockSchemas(conn);
        installLocked(conn);
        conn.commit();
    } catch (...) {
        conn.rollback();
        throw;
    }
}

void createServerSchema(PgConnection &conn, const QString &schema, const QString &ddlText)
{
    const QStringList statements = postgresSchemaDdl(ddlText, schema);
    conn.begin();
    try {
        lockSchemas(conn);
        installLocked(conn);
        if (serverSchemaExists(conn, schema))
            throw DbError(QStringLiteral("Schéma %1 na serveri už existuje").arg(schema));
        conn.executeRaw(QStringLiteral("CREATE SCHEMA %1").arg(schema));
        for (const QString &sql : statements)
            conn.executeRaw(sql);
        installDataVersion(conn, schema);
        conn.commit();
    } catch (...) {
        conn.rollback();
        throw;
    }
}

void installDataVersion(PgConnection &conn, const QString &schema)
{
    conn.executeRaw(QStringLiteral("CREATE SEQUENCE IF NOT EXISTS %1._data_version MINVALUE 0 START 1").arg(schema));
    const PgResult tables = conn.exec(QStringLiteral(
        "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = $1 AND c.relkind = 'r' AND NOT EXISTS (SELECT 1 FROM pg_trigger t "
        "WHERE t.tgrelid = c.oid AND t.tgname = '_data_changed')"), {schema});
    for (int i = 0; i < tables.rowCount(); ++i)
        conn.executeRaw(QStringLiteral("CREATE TRIGGER _data_changed AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE "
                                       "ON %1.\"%2\" FOR EACH STATEMENT EXECUTE FUNCTION tarix.data_changed()")
                            .arg(schema, tables.value(i, 0).toString()));
}

QStringList serverSchemas(PgConnection &conn)
{
    const PgResult r = conn.exec(QStringLiteral(
        "SELECT nspname FROM pg_namespace WHERE nspname NOT LIKE 'pg\\_%' "
        "AND nspname NOT IN ('information_schema', 'public', 'tarix') ORDER BY nspname"));
    QStringList out;
    for (int i = 0; i < r.rowCount(); ++i)
        out << r.value(i, 0).toString();
    return out;
}

bool serverSchemaExists(PgConnection &conn, const QString &schema)
{
    return conn.exec(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = $1"), {schema.toLower()})
               .rowCount()
           > 0;
}

} // namespace tarix::db
