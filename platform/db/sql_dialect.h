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
#include <QString>
#include <QStringList>
#include <functional>

namespace tarix::db {

struct SqlRewriteContext {
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

// "Zam.DB" -> "zam": the table name as stored (extension dropped, lower case).
QString normalizeTableName(const QString &name);

} // namespace tarix::db
