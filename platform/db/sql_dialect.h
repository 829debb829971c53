#pragma once
// The program's SQL dialect, rewritten for SQLite in this one place.
//
//  - ":alias:table" (any case, also with a ".db" extension) becomes schema.table, where the
//    schema is the one the alias is attached under (TARIX_DATX shares TARIX_DATA's).
//  - Every other double-quoted token is a string literal: "PN" becomes 'PN' (quotes escaped).
//    The connection has SQLite's double-quoted-string fallback switched off, so a text that
//    slipped through fails instead of silently reading a column.
//  - Unqualified table names (after FROM, JOIN, UPDATE, INTO and in FROM lists) are qualified
//    with the query's default alias; dual and dual12 fall back to the built-in one-row and
//    twelve-row tables when that database has none. Without a default alias they stay as
//    written.
//  - Named parameters (:P1, :obdobie) are folded to lower case, so they are set by name
//    without regard to case; one name used twice is one parameter.
//  - A trailing ";" (also after line breaks) is dropped; "for update of ..." is dropped and
//    reported, the query is then live (rows written back by rowid).
//
// For the PostgreSQL server (target PostgreSql) the same texts are written for its schemas
// (each alias's folder one schema, see pg_schema.h), and what only SQLite understands is
// said the server's way:
//  - parameters become $1, $2, ... in the order of `parameters` (one name, one number);
//  - the truth values true and false become 1 and 0: logicals are stored 0/1 on both
//    backends, so "nc=true" and "zniz_poistne = 1" keep meaning the same;
//  - ifnull(a, b) becomes coalesce(a, b);
//  - in cast(x as type) SQLite's real and integer become double precision and bigint
//    (SQLite's real is 8 bytes, its integer 64 bits);
//  - the built-in dual and dual12 live in the program's schema "tarix" instead of "main";
//  - every ORDER BY term (also of sub-selects, windows, aggregates) gets SQLite's place of
//    blanks: NULLS FIRST ascending, NULLS LAST descending, unless it names its own.
// Table definitions (data/schema) are written for a server schema by postgresSchemaDdl.
#include <QString>
#include <QStringList>
#include <functional>

namespace tarix::db {

enum class SqlTarget { Sqlite, PostgreSql };

struct SqlRewriteContext {
    SqlTarget target = SqlTarget::Sqlite;
    // Alias owning unqualified table names; empty: none.
    QString defaultAlias;
    // Schema an alias is attached under (lower case); empty when the alias is unknown.
    // Unset: the alias name itself, lower-cased.
    std::function<QString(const QString &alias)> schemaOf;
    // Whether the table exists in the schema. Unset: every table exists.
    std::function<bool(const QString &schema, const QString &table)> hasTable;
};

struct SqlRewrite {
    QString sql;               // the SQLite text
    QStringList parameters;    // distinct parameter names, lower case, in order of first use
    bool forUpdate = false;    // the text asked for live rows ("for update of ...")
    QStringList forUpdateColumns;
    QStringList tables;        // schema.table of every table the text names, in order
    // The first table of the outermost FROM (schema.table) and the alias it goes by there
    // (empty without one), and where the outermost select list begins in sql (-1: none).
    QString firstTable;
    QString firstTableAlias;
    int selectListPos = -1;
};

// Throws DbError for an alias that the context does not know.
SqlRewrite rewriteSql(const QString &text, const SqlRewriteContext &ctx = {});

// A table-definition text (data/schema/*.sql: CREATE TABLE, CREATE INDEX, INSERT of the
// structure rows) as statements creating the same tables in one schema of the server:
// every name in that schema and in lower case, the declared types that carry meaning kept
// as the program schema's domains (tarix.money_real, tarix.logical, tarix.autoinc_int),
// INTEGER as bigint (64 bits as in SQLite), COLLATE SK as the server's tarix.sk, the key as
// the unique constraint "<table>_key" (key fields may stay blank, as in SQLite), each table
// texts other than Slovak ones COLLATE "C" (binary, as SQLite's default), a field's name as
// declared in its column's comment (the server folds names to lower case), each table
// with a last column rowid (SQLite's row identity, the server's primary key) and each AUTOINC_INT
// field with its sequence and trigger (a blank value takes the next number, a given one moves
// the sequence on; numbers never come back). Throws DbError on a statement it does not know.
// The program schema must exist (pg_schema.h) before the statements run.
QStringList postgresSchemaDdl(const QString &ddlText, const QString &schema);

// A script of several statements split at the semicolons between them (not those inside
// quotes, comments or parentheses); comments dropped, each statement as written otherwise.
QStringList splitSqlStatements(const QString &script);

// A name written as a quoted SQL identifier ("a""b"), for either backend.
QString quoteSqlName(const QString &name);

// "Zam.DB" -> "zam": the table name as stored (extension dropped, lower case).
QString normalizeTableName(const QString &name);

} // namespace tarix::db
