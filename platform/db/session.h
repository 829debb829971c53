#pragma once
// The database session: one SQLite connection on which every alias's folder database
// (file "tarix.db") is attached under the alias's name, so that one SQL text joins and
// updates across aliases. An alias pointing at the same folder as an earlier alias shares
// its schema (TARIX_DATX = TARIX_DATA) instead of attaching the file twice.
//
// Databases are attached when first used and detached by re-pointing an alias or by
// closeAll(); a missing or damaged file is reported when a table of it is opened (naming
// folder and table) and touches nothing else. Journal: rollback (never WAL).
//
// Made with ServerOptions, the session runs on the database server instead: each alias's
// folder is a schema there (server_session.h), with the same interface and rules.
#include "platform/db/folder_presence.h"
#include "platform/db/params.h"
#include "platform/db/schema.h"
#include "platform/db/server_session.h"
#include "platform/db/sql_dialect.h"
#include "platform/db/sql_result.h"
#include "platform/db/statement.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <unordered_map>
#include <memory>
#include <vector>

struct sqlite3;

namespace tarix::db {

class DataSet;
class Claim;

class Session {
public:
    static constexpr const char *databaseFileName = "tarix.db";

    Session();
    // A session on the database server; throws ServerError when it cannot be reached.
    explicit Session(ServerOptions server);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // The session datasets use when none is given: the first session created (until it is
    // destroyed) or the one set here.
    static Session *defaultSession();
    static void setDefaultSession(Session *session);

    // ---- aliases --------------------------------------------------------------------------
    // Points an alias at a folder (created if needed is NOT done: the folder may be missing
    // until a table is opened). Re-pointing closes the datasets that use the alias's old
    // database and detaches it.
    void setAlias(const QString &alias, const QString &folder);
    void removeAlias(const QString &alias);
    bool hasAlias(const QString &alias) const;
    QString aliasFolder(const QString &alias) const;     // empty when unknown
    QStringList aliases() const;                         // upper case, in order of definition
    // The schema the alias is attached under (lower case); empty when the alias is unknown.
    // Does not attach.
    QString schemaOf(const QString &alias) const;
    // Attaches the alias's database when it is not attached; throws TableOpenError (with an
    // empty table name) when the file is missing or not a database.
    void attach(const QString &alias);
    // Closes every dataset, finalizes statements and detaches every database: nothing stays
    // open on any file (no journal remains).
    void closeAll();
    // On the server: a connection that was lost (the server restarted or ended the session,
    // the network went) is made anew, every dataset closed and nothing kept of the old one;
    // one that still answers stays (one round trip). Nothing on the embedded database.
    // Throws ServerError while the server cannot be reached, StateError in a transaction.
    void restoreConnection();

    // ---- tables -----------------------------------------------------------------------------
    bool tableExists(const QString &alias, const QString &table);
    // Whether a folder's database (on the server: the folder's schema) holds the table (a
    // table opened by path); false when the folder has none. Does not attach.
    bool tableExistsAt(const QString &folder, const QString &table);
    QStringList tableNames(const QString &alias);
    // The table's definition (cached); throws TableOpenError naming the folder and table.
    const TableDef &tableDef(const QString &alias, const QString &table);
    // The same for an attached schema (a table opened by path).
    const TableDef &tableDefInSchema(const QString &schema, const QString &table);
    // Forget cached definitions (after DDL run through the session this happens by itself).
    void invalidateSchema();

    // ---- SQL --------------------------------------------------------------------------------
    // Rewrites the program's dialect for this session (see sql_dialect.h).
    SqlRewrite rewrite(const QString &sql, const QString &defaultAlias = {});
    // Runs one statement (program dialect) and returns its rows, if any, and counts.
    SqlResult run(const QString &sql, const Params &params = {}, const QString &defaultAlias = {});
    // Runs one statement; returns the number of rows changed.
    qint64 execute(const QString &sql, const Params &params = {}, const QString &defaultAlias = {});
    // A write (insert, update, delete) whose count nobody reads: on the server, inside a
    // transaction, it goes without waiting for its answer (Statement::execDeferred); its
    // failure then fails the transaction: every later statement and the commit refuse with
    // its error, nothing of the transaction is stored. Elsewhere it is execute().
    void executeDeferred(const QString &sql, const Params &params = {}, const QString &defaultAlias = {});
    // Runs plain SQLite text (no rewrite), possibly several statements.
    void executeRaw(const QString &sql);
    // A prepared statement for plain SQLite text, cached: reset when the lease ends.
    class Lease {
    public:
        Lease(Session &s, const QString &sql);
        ~Lease();
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        Statement &operator*() { return *m_stmt; }
        Statement *operator->() { return m_stmt; }

    private:
        Session &m_session;
        Statement *m_stmt = nullptr;
        std::unique_ptr<Statement> m_own;
        bool m_cached = false;
    };
    // Binds params by name into a prepared statement of a rewritten text; throws DbError for
    // a parameter without a value.
    static void bindParams(Statement &st, const SqlRewrite &rw, const Params &params);

    // ---- transactions ---------------------------------------------------------------------
    // Nested scopes: the outermost is a transaction, inner ones are savepoints. Prefer the
    // RAII class Transaction.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // A key taken as the table's largest value plus one (max(...)+1 and the insert that uses
    // it) stays this transaction's until it ends, so two programs never take the same number.
    // SQLite's write transaction (BEGIN IMMEDIATE) holds the whole database already; on the
    // server this takes a transaction-scoped advisory lock on the table (schema and name),
    // waiting like for a busy row (BusyError after the busy timeout). Outside a transaction
    // a number read is only a proposal and nothing is taken. Throws DbError for an unknown
    // alias.
    void lockForNextKey(const QString &alias, const QString &table);

    // ---- claims ------------------------------------------------------------------------------
    // A claim on a named key within an alias's folder, across programs and workstations: while
    // one Claim holds it, every other tryClaim of the same folder and key (by another program,
    // another session or this one) gets null at once; it never waits. The claim is given up
    // when the Claim is destroyed, and goes with its holder's connection: a program that ends
    // or dies leaves none behind. Embedded: a lock on one byte of the folder's database file,
    // carried by the descriptor of its presence (folder_presence.h); on the server: a
    // session-level advisory lock (one round trip to take, one to give up). Attaches the
    // alias; throws as attach does. Not transactional: a rollback keeps it.
    std::unique_ptr<Claim> tryClaim(const QString &alias, const QString &key);
    // Inside a transaction: the claim of `key` held until the transaction ends, so that
    // another program's tryClaim gets null meanwhile; while another program's Claim holds
    // it, the transaction waits as for a busy row and then fails whole with BusyError. On
    // the server a transaction-level advisory lock sent without waiting for its answer; on
    // SQLite nothing, since the transaction's write lock already keeps every other
    // program's writes out until it ends. Outside a transaction it does nothing.
    // ClaimWait::Now waits for the claim before it returns (BusyError after the busy
    // timeout): what the transaction reads afterwards no other holder of the claim changes
    // until it ends, as SQLite's write lock keeps them out from the transaction's start.
    enum class ClaimWait { WithNextStatement, Now };
    void holdClaimInTransaction(const QString &alias, const QString &key,
                                ClaimWait wait = ClaimWait::WithNextStatement);

    void setBusyTimeout(int milliseconds);
    sqlite3 *handle() const { return m_db; } // null on the server
    bool isServer() const { return m_server != nullptr; }
    // The server connection; null for the embedded database.
    PgConnection *serverConnection() const { return m_server ? &m_server->connection() : nullptr; }
    // The transaction failed by an earlier write sent without waiting (server only): an
    // error now is that write's, not the current statement's.
    bool transactionFailed() const { return m_server && m_server->connection().transactionFailed(); }
    // The schema a folder is on the server (lower case); empty on the embedded database and
    // for a folder the server keeps none of.
    QString serverSchemaOfFolder(const QString &folder) const
    {
        return m_server ? m_server->schemaOfFolder(canonicalFolder(folder)) : QString();
    }

    // Rows written by this session's statements so far (triggers included on SQLite).
    qint64 totalChanges() const;
    // The rowid of the row the last insert made: an insert text ends with
    // insertedRowidClause() for the server to report it.
    qint64 lastInsertRowid() const;
    QString insertedRowidClause() const { return m_server ? QStringLiteral(" RETURNING rowid") : QString(); }
    // Blank values sort first in ascending order, as SQLite sorts NULL; an order item of the
    // layer's own texts ends with this clause for the server, which sorts NULL last.
    QString blanksFirstClause(bool descending) const
    {
        return !m_server ? QString() : descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST");
    }
    // Rows a dataset going through an ordered range in key order reads ahead in one
    // statement (on the server a round trip costs far more than a row); 1: none.
    int readAheadRows() const { return m_readAheadRows; }
    void setReadAheadRows(int rows) { m_readAheadRows = qMax(1, rows); }
    // Ends a select of rows read ahead: inside a transaction on the server the rows are
    // locked until it ends, so that nothing else changes them while they wait, as the
    // embedded database's write transaction holds the whole file.
    QString readAheadLockClause() const
    {
        return m_server && m_depth > 0 ? QStringLiteral(" FOR NO KEY UPDATE") : QString();
    }
    // Moves whenever row locks this session's transaction took may have been given up (a
    // rollback, the transaction's end); 0 when none are held (outside a transaction, and
    // always on the embedded database, which locks the file instead). Rows read ahead
    // under readAheadLockClause while it had one value stay locked while it keeps it.
    quint64 rowLockEpoch() const { return m_server ? m_server->connection().lockEpoch() : 0; }
    // Whether an attached schema holds the table (lower case).
    bool tableExistsInSchema(const QString &schema, const QString &table) const
    {
        return m_attached.value(schema).tables.contains(table);
    }

    // Dataset bookkeeping (called by DataSet).
    void registerDataSet(DataSet *ds);
    void unregisterDataSet(DataSet *ds);
    // Folder of a schema for messages.
    QString folderOfSchema(const QString &schema) const;
    // Attaches a folder that no alias names (a table opened by path); returns the schema.
    QString attachFolder(const QString &folder);
    void releaseFolder(const QString &schema);
    // Increases whenever rows may have changed behind the datasets' backs (a rollback).
    quint64 dataGeneration() const { return m_generation; }

    // ---- what may have changed since a look -------------------------------------------------
    // What a reader keeps from small tables (settings, headers) stays valid while none of
    // these moves for its tables: the writes of this connection, the commits of other
    // connections, the rollbacks (dataGeneration) and the attachments.
    //
    // The number of row writes of this connection to a table of a schema (any statement, any
    // dataset, triggers and a delete of every row included; also writes rolled back). Counting
    // starts with the first call for the table; the count only grows.
    quint64 writesTo(const QString &schema, const QString &table);
    // SQLite's data_version of an attached schema: it moves when another connection commits
    // to the schema's file. Throws DbError when the schema is not attached.
    qint64 dataVersion(const QString &schema);
    // Moves whenever an alias is re-pointed or removed, a database attached or detached, the
    // schema read again or plain SQL run; unique across sessions, so that a value kept from
    // one session never matches another's.
    quint64 attachmentGeneration() const { return m_attachmentGeneration; }

private:
    struct Alias {
        QString name;   // upper case
        QString folder; // canonical absolute path
    };
    struct Attachment {
        QString folder;
        QSet<QString> tables; // lower case
        // Tells other programs the folder is open here (released on detach).
        std::shared_ptr<FolderPresence> presence;
    };
    static QString canonicalFolder(const QString &folder);
    void closeSchema(const QString &schema);
    void detach(const QString &schema);
    void attachSchema(const QString &schema, const QString &folder);
    QString schemaForFolder(const QString &folder) const;
    void clearStatementCache();
    void afterRollback();
    static void countWrite(void *self, int op, const char *schema, const char *table, long long rowid);
    void execCached(const QString &sql);
    void afterDdl();
    // The server reports the rows its statements wrote.
    friend class ServerSession;
    void noteWrites(const QString &schema, const QString &table, quint64 rows);
    std::unique_ptr<Statement> newStatement(const QString &sql);
    void updateSearchPath();
    std::unique_ptr<ServerSession> m_server;
    friend class Claim;
    // This session's claims ("schema\nkey"); the claims outlive the session through it.
    struct ClaimBook {
        Session *session = nullptr;
        QSet<QString> held;
    };
    std::shared_ptr<ClaimBook> m_claims = std::make_shared<ClaimBook>(ClaimBook{this, {}});
    QStringList m_attachOrder; // attached schemas in order of attachment (the server's search path)

    sqlite3 *m_db = nullptr;
    QString m_mainFile; // the connection's own main database; empty: in memory
    std::vector<Alias> m_aliases;
    QHash<QString, Attachment> m_attached;          // schema -> attachment
    QHash<QString, int> m_pathUsers;                // schema of a by-path folder -> users
    QHash<QString, TableDef> m_defs;                // "schema.table" -> definition
    struct SqlHash {
        size_t operator()(const QString &s) const noexcept { return qHash(s); }
    };
    std::unordered_map<QString, std::unique_ptr<Statement>, SqlHash> m_cache;
    // The cached statements by the character data of their text as kept in m_cache: a
    // caller passing the very QString it used before (a dataset's select, update or match
    // text of hundreds of columns) finds its statement without hashing the whole text.
    // Emptied whenever an entry of m_cache goes.
    QHash<const QChar *, Statement *> m_byTextData;
    void forgetStatements();
    QSet<Statement *> m_leased;
    // data_version of each schema looked at in the open transaction: while it is open the
    // transaction holds a lock on every attached database, so no other connection commits.
    QHash<QString, qint64> m_versionsInTransaction;
    QHash<QString, QString> m_dataVersionSql; // schema -> its PRAGMA text, made once
    // The program's SQL as rewritten (by default alias and text) and the aliases it names,
    // which a reuse attaches as the rewrite did; cleared with the statement cache.
    struct CachedRewrite {
        SqlRewrite rewrite;
        QStringList aliases;
    };
    std::unordered_map<QString, CachedRewrite, SqlHash> m_rewrites;
    struct WatchedTable {
        QByteArray schema; // as attached (lower case)
        QByteArray table;  // lower case
        quint64 writes = 0;
    };
    std::vector<WatchedTable> m_watched;
    // Where each (schema, table) as a caller spelled it sits in m_watched, so that a stamp
    // taken per record does not normalise the names again; m_watched only grows.
    QHash<std::pair<QString, QString>, size_t> m_watchedBySpelling;
    // The schema of each alias as a caller spelled it, valid while the attachment generation
    // stays (an alias re-pointed or removed, an attachment made or dropped moves it) and
    // dropped at once when the aliases change.
    mutable QHash<QString, QString> m_schemaOfAlias;
    mutable quint64 m_schemaOfAliasGeneration = 0;
    quint64 m_attachmentGeneration = 0;
    QSet<DataSet *> m_dataSets;
    int m_depth = 0;
    int m_readAheadRows = 1;
    std::vector<qint64> m_changesAtBegin; // total changes when each scope began
    int m_pathCounter = 0;
    quint64 m_generation = 0;
};

// Creates folder/tarix.db (and the folder) from DDL text or a DDL file and installs the
// layer's housekeeping (the autoincrement sequences). Throws DbError when the file exists.
void createDatabase(const QString &folder, const QString &ddlFilePath);
void createDatabaseFromDdl(const QString &folder, const QString &ddlText);
// Whether a folder's database holds a table (name without case, extension dropped), read
// without any session; false when the folder or file is missing or unreadable.
bool tableExistsInFolder(const QString &folder, const QString &table);

// Registers the collation "SK" on a connection.
void registerCollations(sqlite3 *db);

// A claim taken by Session::tryClaim, given up when destroyed (also after its session).
class Claim {
public:
    ~Claim();
    Claim(const Claim &) = delete;
    Claim &operator=(const Claim &) = delete;
    const QString &key() const { return m_key; }

private:
    friend class Session;
    Claim(std::shared_ptr<Session::ClaimBook> book, QString schema, QString key,
          std::shared_ptr<FolderPresence> presence);
    std::shared_ptr<Session::ClaimBook> m_book;
    QString m_schema;
    QString m_key;
    std::shared_ptr<FolderPresence> m_presence; // embedded: the descriptor the lock is on
};

// RAII scope of atomic work: rolled back unless commit() is called. Nested scopes are
// savepoints, so an atomic operation may post records, which are atomic themselves.
class Transaction {
public:
    explicit Transaction(Session *session = nullptr);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    void rollback();
    bool isActive() const { return m_active; }

private:
    Session *m_session;
    bool m_active = true;
};

} // namespace tarix::db
