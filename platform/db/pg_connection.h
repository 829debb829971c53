#pragma once
// A connection to a PostgreSQL server (libpq), the shared database of several workstations.
// It knows nothing of aliases or datasets: it runs texts already rewritten for the server
// (sql_dialect.h, target PostgreSql) and hands back values in the form the dataset layer
// reads from SQLite, so that one set of value rules serves both backends:
//   NULL -> invalid QVariant, integers (also logicals and truth values) -> qint64,
//   float, numeric -> double, dates, times, timestamps -> their stored text (yyyy-MM-dd,
//   HH:mm:ss, yyyy-MM-dd HH:mm:ss), texts -> QString, bytea -> QByteArray.
// Values bound to parameters follow the same forms (QDate as yyyy-MM-dd, bool as 0/1).
//
// Errors are the layer's own (db_error.h): a duplicate key KeyViolation, a lock not granted
// within the busy timeout BusyError, a refused text SqlError, a lost or refused connection
// ServerError. Inside a transaction a failed statement undoes only itself, as with SQLite:
// the transaction goes on.
#include "platform/db/db_error.h"
#include "platform/db/params.h"
#include "platform/db/sql_dialect.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <chrono>
#include <exception>
#include <vector>
#include <functional>
#include <memory>
#include <unordered_map>

struct pg_conn;
struct pg_result;

namespace tarix::db {

// Presence on the server: a session holds a shared advisory lock on each schema it has
// attached (taken when it reads the schema's tables, released when the schema leaves it),
// so that whoever drops or replaces a schema can tell, by taking the lock exclusively,
// that no other program has it open. Keys: this class and hashtext(schema).
inline constexpr int kSchemaPresenceLockClass = 0x54525850;

// The rows of one statement, read at once.
class PgResult {
public:
    int rowCount() const { return int(m_rows.size()); }
    int columnCount() const { return int(m_names.size()); }
    qint64 rowsAffected() const { return m_changes; }
    const QStringList &columnNames() const { return m_names; }
    // The server's type of a column (pg_type oid).
    unsigned columnTypeOid(int column) const { return m_oids.at(column); }
    // The table a column was read from (pg_class oid, 0 for an expression) and its column
    // number there (attnum), as SQLite's column origin.
    unsigned columnTable(int column) const { return m_tables.value(column); }
    int columnTableColumn(int column) const { return m_tableColumns.value(column); }
    QVariant value(int row, int column) const { return m_rows.at(row).at(column); }
    const QVector<QVariant> &row(int row) const { return m_rows.at(row); }
    // The server's command tag word ("SELECT", "INSERT", "UPDATE", ...).
    const QString &command() const { return m_command; }

    // Building (the connection fills it).
    void setColumns(QStringList names, QVector<unsigned> oids)
    {
        m_names = std::move(names);
        m_oids = std::move(oids);
    }
    void setOrigins(QVector<unsigned> tables, QVector<int> columns)
    {
        m_tables = std::move(tables);
        m_tableColumns = std::move(columns);
    }
    void addRow(QVector<QVariant> row) { m_rows.append(std::move(row)); }
    void setRowsAffected(qint64 n) { m_changes = n; }
    void setCommand(QString c) { m_command = std::move(c); }

private:
    QStringList m_names;
    QVector<unsigned> m_oids;
    QVector<unsigned> m_tables;
    QVector<int> m_tableColumns;
    QString m_command;
    QVector<QVector<QVariant>> m_rows;
    qint64 m_changes = 0;
};

class PgConnection;

// A prepared statement the server no longer runs as prepared: a table it reads was
// redefined since (by this connection or another) and its result's columns changed.
class StatementOutdatedError : public SqlError {
public:
    StatementOutdatedError(const QString &message, const QString &sql) : SqlError(message, sql, 0) {}
};

// A statement prepared on the server; parameters $1..$n bound by position, or by name
// through the rewrite that produced the text (bindParams).
class PgStatement {
public:
    const QString &sql() const { return m_sql; }
    int parameterCount() const { return m_paramCount; }
    void bind(int index, const QVariant &value); // 1-based
    void clearBindings();
    PgResult exec();
    // Runs with these values for $1..$n (missing ones NULL), leaving the bindings alone.
    PgResult exec(const QVariantList &values);
    // Sends the statement with these values inside a transaction without waiting for its
    // answer (PgConnection::sendDeferred); outside one it runs at once, awaited.
    void execDeferred(const QVariantList &values, qint64 expectedRows, bool levelMayBeLost);
    // The result's columns (names, types, origins) as the server described them, no rows.
    const PgResult &description() const { return m_description; }
    // Moves each time the statement is prepared again (its description may differ).
    int generation() const { return m_generation; }

private:
    friend class PgConnection;
    PgStatement(PgConnection &conn, QString sql);
    PgConnection *m_conn;
    QByteArray m_name;
    QString m_sql;
    int m_paramCount = 0;
    QVariantList m_values;
    PgResult m_description;
    int m_generation = 0;
    bool m_outdated = false; // prepared again before it next runs
};

// How a workstation and the server give each other up when one goes silent, so that a dead
// or frozen workstation's locks and claims go within about a minute instead of the hours of
// the system's TCP defaults, and what the other workstations see of it. The connection
// string may set the libpq ones itself (it wins); the rest are the server's session
// settings.
struct ConnectionSettings {
    // The name other workstations' busy messages give this one (libpq's
    // fallback_application_name: an application_name of the connection string wins). The
    // server keeps printable ASCII of it only.
    QString applicationName = QStringLiteral("TARIX");
    int connectTimeoutSeconds = 10;
    // TCP keepalives of both ends: the first probe after this much silence, then one every
    // interval, the peer given up after `keepaliveCount` unanswered.
    int keepaliveIdleSeconds = 10;
    int keepaliveIntervalSeconds = 5;
    int keepaliveCount = 3;
    // Data sent and not acknowledged this long: the peer is given up (tcp_user_timeout).
    int tcpUserTimeoutMs = 30000;
    // A transaction the workstation leaves idle this long (frozen, stopped in a debugger,
    // its network gone) is ended by the server, and its locks and claims with it.
    int idleInTransactionTimeoutMs = 30000;
};

class PgConnection {
public:
    // Connects with a libpq connection string ("host=... port=... dbname=... user=...";
    // the password preferably in ~/.pgpass). Throws ServerError naming the server and the
    // reason when the server cannot be reached or refuses the login.
    explicit PgConnection(const QString &conninfo, const ConnectionSettings &settings = {});
    ~PgConnection();
    PgConnection(const PgConnection &) = delete;
    PgConnection &operator=(const PgConnection &) = delete;

    // The server as the clerk is told it: host (or socket folder), port and database; never
    // the password.
    QString serverName() const { return m_serverName; }
    static QString serverNameOf(const QString &conninfo);

    // Runs one statement with positional parameters ($1...).
    PgResult exec(const QString &sql, const QVariantList &params = {});
    // Runs one statement; the number of rows changed.
    qint64 execute(const QString &sql, const QVariantList &params = {});
    // Runs plain server text, possibly several statements, without parameters.
    void executeRaw(const QString &sql);
    // A statement prepared once per connection and text; the reference stays valid while
    // the connection lives.
    PgStatement &prepare(const QString &sql);
    // Binds params by name into a statement of a rewritten text; throws DbError for a
    // parameter without a value.
    static void bindParams(PgStatement &st, const SqlRewrite &rw, const Params &params);
    // Tables were redefined: every statement is prepared again before it next runs, so that
    // its description is the tables' as they are now.
    void expireStatements();

    // Statements whose result is certain or unread (a save of a row this transaction holds
    // locked, a delete or insert whose count nobody uses) are sent inside a transaction
    // without waiting for their answers: the client goes on while the server works. The
    // answers are taken before anything else goes to the server (the next statement awaited,
    // the commit). A deferred statement that failed, or changed another number of rows than
    // expectedRows (>= 0; RecordChangedError), fails the whole transaction: every statement
    // after it and the commit refuse with its error, and only the rollback of the
    // transaction ends that; nothing of it is stored. Outside a transaction the statement
    // runs at once and its failure is thrown as it comes. With `levelMayBeLost`, as the
    // first statement of a savepoint's level it goes without the savepoint (no
    // subtransaction on the server): a rollback of that level then fails the whole
    // transaction likewise.
    void sendDeferred(PgStatement &st, const QVariantList &values, qint64 expectedRows, bool levelMayBeLost);
    // Moves whenever row locks this connection took may have been given up (a transaction
    // or savepoint ended by rollback, a transaction's end); 0 outside a transaction. A row
    // locked while it had one value is still locked while it has that value.
    quint64 lockEpoch() const { return m_depth > 0 ? m_lockEpoch : 0; }

    // Nested scopes: the outermost is a transaction, inner ones are savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    // How long a write waits for a row or table another connection holds (lock_timeout),
    // then BusyError. 5 s from the start, as with SQLite.
    void setBusyTimeout(int milliseconds);

    pg_conn *handle() const { return m_conn; }
    // The connection went (the server restarted, ended the session, the network is gone):
    // every statement now fails with ServerError until reconnect().
    bool isLost() const;
    // Connects anew with the same string and settings after the connection was lost: no
    // transaction, prepared statements prepared again when next used. Throws ServerError
    // when the server still cannot be reached.
    void reconnect();
    // Whether the connection still answers (one round trip; false when it was lost).
    bool answers();
    // The server process of this connection (as notifications name their sender).
    int backendPid() const;

    // Exchanges with the server so far (each a round trip: a request sent and its answers
    // awaited); for measuring, never shown to the clerk.
    qint64 roundTrips() const { return m_roundTrips; }
    // A write sent without waiting failed: the transaction is lost, whatever statement
    // reported it.
    bool transactionFailed() const { return bool(m_failure); }

    // Notifications of the channels this connection listens on, as they arrive. The server
    // sends them when the sending transaction commits and, to a connection in a
    // transaction, only after that transaction ends. The handler is called whenever an
    // answer came and the connection is outside a transaction, and by pollNotifications.
    using NotificationHandler = std::function<void(const char *channel, const char *payload, int senderPid)>;
    void setNotificationHandler(NotificationHandler handler) { m_onNotification = std::move(handler); }
    // Hands what has already reached the socket to the handler, without a round trip.
    void pollNotifications();

private:
    friend class PgStatement;
    struct Prepared;
    PgResult run(const PgStatement *prepared, const QString &sql, const QVariantList &params,
                 int paramCount);
    template <class Send, class Read>
    auto pipelined(const QString &sql, Send send, Read read) -> decltype(read());
    PgResult readResults(const QString &sql, const PgResult *description = nullptr);
    void prepareOnServer(PgStatement &st);
    pg_result *takeResultsOfOne();
    void endPipeline();
    // The answers of the deferred statements are read; the transaction's failure, if one of
    // them (or an earlier one) failed, is thrown.
    void settleDeferred();
    void readDeferred();
    void takeDeferredAnswers(bool synced);
    void forgetFailure();
    static QByteArray savepointName(int depth);
    bool dropPendingSavepoint();
    bool takeUnguarded(int depth);
    bool beganOnServer();
    void abandonTransaction();
    void command(const QByteArray &sql);
    void deliverNotifications();
    [[noreturn]] void fail(const pg_result *r, const QString &sql) const;
    void setUpSession();
    // A lock not granted in time: the message names who holds it, when the server can tell.
    [[noreturn]] void throwBusyNamingHolders();
    QString lockHolders();

    pg_conn *m_conn = nullptr;
    QString m_serverName;
    ConnectionSettings m_settings;
    int m_wantedBusyTimeout = 5000;
    int m_depth = 0;
    // The BEGIN and savepoint commands of begin/commit/rollback, sent with the next statement.
    QByteArrayList m_pending;
    // Per level (its savepoint's number): its savepoint was left out because its first
    // statement went without waiting. Its release is then left out too, and its rollback,
    // which cannot undo those writes alone, fails the whole transaction.
    std::vector<bool> m_unguarded;
    int m_prepared = 0;
    qint64 m_roundTrips = 0;
    int m_busyTimeout = -1; // as last said to the server outside a transaction; -1 unknown
    // Deferred statements sent and not read yet: the text (for messages) and the rows each
    // must change (-1: not checked), and the requests sent with it (the waiting commands
    // before it, then itself).
    struct Deferred {
        QString sql;
        qint64 expectedRows = -1;
        int replies = 1;
    };
    std::vector<Deferred> m_deferred;
    // What failed the transaction (a deferred statement's error); null while it stands.
    std::exception_ptr m_failure;
    quint64 m_lockEpoch = 1;
    NotificationHandler m_onNotification;
    std::chrono::steady_clock::time_point m_lastPoll;
    struct SqlHash {
        size_t operator()(const QString &s) const noexcept { return qHash(s); }
    };
    std::unordered_map<QString, std::unique_ptr<PgStatement>, SqlHash> m_statements;
};

} // namespace tarix::db
