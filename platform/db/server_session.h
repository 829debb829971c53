#pragma once
// What a Session does differently on the database server (see README.md, "one Session over
// either backend"): the connection, aliases' folders as schemas, the catalogue read from the
// server, the layer's own statement texts said the server's way, cursors over results, and
// the counts of what this connection wrote. The Session keeps its interface and its
// bookkeeping; it hands these to this object when it was made for a server.
#include "platform/db/pg_connection.h"
#include "platform/db/schema.h"
#include "platform/db/statement.h"

#include <QHash>
#include <QSet>
#include <functional>
#include <optional>

namespace tarix::db {

class Session;

// Presence on the server (kSchemaPresenceLockClass, pg_connection.h).
// Takes a schema's presence lock exclusively for this connection's session, without
// waiting: false while another session has the schema attached.
bool tryTakeSchemaExclusively(PgConnection &conn, const QString &schema);
void releaseSchemaExclusively(PgConnection &conn, const QString &schema);

// How a session reaches the server: the libpq connection string and the schema of each
// folder an alias points at (canonical absolute path -> schema, lower case).
struct ServerOptions {
    QString conninfo;
    std::function<QString(const QString &folder)> schemaOf;
    ConnectionSettings connection = {};
};

class ServerSession {
public:
    ServerSession(Session &session, ServerOptions options);
    ~ServerSession();

    PgConnection &connection() { return m_conn; }
    // A connection that was lost is made anew: no schema attached, nothing kept of the old
    // one (its path, presence locks, what its notifications said). Throws ServerError.
    void reconnect();
    // The connection went under the session: what the server held for it is gone.
    void forgetConnectionState();
    QString schemaOfFolder(const QString &folder) const;

    bool schemaExists(const QString &schema);
    // Tables and views of a schema, lower case. Reading them is how a schema is attached:
    // its presence lock is taken first (waiting at most the busy timeout while a schema is
    // being dropped or replaced).
    QSet<QString> tableNames(const QString &schema);
    // Whether a schema holds a table or view (lower case), without attaching it.
    bool tableExists(const QString &schema, const QString &table);
    // The definition of a table as the embedded backend reads it: declared types from the
    // program schema's domains and the server's types, the key from the constraint
    // "<table>_key", the named indexes; the server's rowid column is not a field.
    TableDef readTableDef(const QString &schema, const QString &table);
    // Unqualified names resolve in these schemas, in this order, then in the program schema.
    // Said only when it differs from the path the server holds.
    void setSearchPath(const QStringList &schemas);
    // A SET said inside a transaction or savepoint is undone with it: the session tells
    // each level's start and end, so that the path the server holds stays known.
    void transactionLevelBegun() { m_pathAtLevelStart.push_back(m_searchPath); }
    void transactionLevelEnded(bool undone);
    // Waits for, then holds until the transaction ends, the lock of a table's next key.
    void lockForNextKey(const QString &schema, const QString &table);
    // A claim on a named key of a schema (Session::tryClaim): a session-level advisory lock,
    // so that it outlives a rollback and goes with the connection. Key: the single 64-bit
    // hashtextextended of "claim", the schema and the key (apart from the pair keys of the
    // next numbers and the presence locks). One round trip each.
    bool tryClaim(const QString &schema, const QString &key);
    void releaseClaim(const QString &schema, const QString &key);
    // The same key held until the transaction ends (Session::holdClaimInTransaction).
    void holdClaimInTransaction(const QString &schema, const QString &key, bool awaited);
    // Moves when another program's write to a table of the schema has committed; never for
    // this session's own writes or rollbacks. Costs no round trip: it counts the
    // notifications that have reached the connection (pg_schema.h, kDataChangedChannel) and
    // the commits of the other sessions of this process. A schema whose tables do not all
    // announce their writes moves at every look, so nothing kept of it is trusted.
    qint64 dataVersion(const QString &schema);

    // The layer's own SQLite texts (dataset reads, saves, the row check) for the server:
    // "?" as $n, "IS ? COLLATE BINARY" as "IS NOT DISTINCT FROM $n", collations by the
    // server's names, quoted names in lower case. Texts the rewriter already wrote for the
    // server pass unchanged.
    static QString serverText(const QString &layerSql);

    // Bookkeeping of the statements run (the cursors report here).
    void noteResult(const PgResult &r, const QString &serverSql, const QString &resolvedTarget);
    // Rows written; a write to a table with triggers of its own (not the program's
    // housekeeping) counts one row more, as SQLite counts the rows its triggers write: the
    // writer then knows that more than its one row may have changed.
    qint64 totalChanges() const { return m_totalChanges; }
    void forgetTriggers() { m_ownTriggers.clear(); }
    qint64 lastInsertRowid() const { return m_lastInsertRowid; }
    qint64 lastChanges() const { return m_lastChanges; }
    // schema.table a write statement names (an unqualified name resolved on the search path);
    // empty for other statements.
    QString writeTarget(const QString &serverSql);
    // The origin of a result column: schema, table and column names; false for an expression.
    bool origin(unsigned tableOid, int attnum, QString &schema, QString &table, QString &column);

    Session &session() { return m_session; }

private:
    void holdPresence(const QString &schema);
    void registerInProcess();
    void unregisterInProcess();
    void noteNotification(const char *channel, const char *payload, int senderPid);
    QString inProcessKey(const QString &schema) const;
    void releasePresenceOutside(const QStringList &schemas);

    Session &m_session;
    ServerOptions m_options;
    PgConnection m_conn;
    QStringList m_searchPath; // as the server holds it
    std::vector<QStringList> m_pathAtLevelStart;
    QSet<QString> m_present; // schemas whose presence lock this session holds
    qint64 m_totalChanges = 0;
    qint64 m_lastChanges = 0;
    qint64 m_lastInsertRowid = 0;
    qint64 m_noVersion = 0;
    int m_pid = 0;
    QSet<QString> m_trusted;            // schemas whose every table announces its writes
    QHash<QString, qint64> m_foreign;   // schema -> commits of other processes announced
    QHash<QString, qint64> m_ownCommits; // schema -> own commits, as told to this process
    struct Origin {
        QString schema, table;
        QHash<int, QString> columns;
    };
    QHash<unsigned, Origin> m_origins;
    bool hasOwnTriggers(const QString &schemaTable);
    QHash<QString, bool> m_ownTriggers; // schema.table -> has triggers of its own
};

// A statement on the server behind Statement's interface: prepared once per text, run at the
// first step with its bound values, its rows then stepped through.
class ServerCursor {
public:
    ServerCursor(ServerSession &server, const QString &layerSql);

    const QString &serverSql() const { return m_sql; }
    void bind(int index, const QVariant &value);
    int parameterCount() const { return m_stmt->parameterCount(); }
    void reset();
    void clearBindings();
    bool step();
    qint64 exec();
    // A write sent without waiting for its answer inside a transaction (a text that is no
    // insert, update or delete, and any outside a transaction, runs awaited); counted as
    // having changed expectedRows rows, or one when unchecked, so that every look moves.
    qint64 execDeferred(qint64 expectedRows, bool levelMayBeLost);
    int columnCount() const { return int(m_visible.size()); }
    const std::vector<Statement::ColumnMeta> &columns() const;
    // A column the result has no more (the statement was prepared again as it ran) is blank.
    QVariant column(int i) const
    {
        return size_t(i) < m_visible.size() ? m_result->row(m_row).at(m_visible[size_t(i)]) : QVariant();
    }
    bool isReadOnly() const;

private:
    void run();
    void describe();

    ServerSession &m_server;
    QString m_sql;
    PgStatement *m_stmt = nullptr;
    QVariantList m_values;
    std::optional<PgResult> m_result;
    int m_row = -1;
    std::vector<int> m_visible; // result column of each column shown
    int m_generation = 0;       // of the statement's description m_visible follows
    mutable std::vector<Statement::ColumnMeta> m_columns;
    mutable bool m_columnsRead = false;
    QString m_target; // schema.table of a write, resolved once
    bool m_targetKnown = false;
};

} // namespace tarix::db
