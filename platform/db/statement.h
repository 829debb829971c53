#pragma once
// A prepared statement: binding QVariants, stepping, reading columns. Errors become the
// layer's typed errors (KeyViolation, BusyError, SqlError). It runs on SQLite or, made with
// a server session, on the database server (a ServerCursor; values in the same stored forms).
#include "platform/db/value.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tarix::db {

class ServerCursor;
class ServerSession;

class Statement {
public:
    Statement();
    Statement(sqlite3 *db, const QString &sql); // throws SqlError
    // The layer's SQLite text (or one the rewriter wrote for the server) on the server.
    Statement(ServerSession &server, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return m_stmt != nullptr || m_server; }
    sqlite3_stmt *handle() const { return m_stmt; }
    const QString &sql() const { return m_sql; }

    void bind(int index, const QVariant &value); // 1-based; QDate etc. as stored text
    void bind(const QString &name, const QVariant &value); // ":name" or "name"; no-op if absent
    void bind(int index, const StoredValues &row, int slot); // the row's value in that slot
    void bindRow(int first, const StoredValues &row);        // every slot from `first` on
    int parameterCount() const;
    int parameterIndex(const QString &name) const; // 0 when absent
    void reset();
    void clearBindings();
    // For the next user of a kept statement: every parameter that user leaves unbound is
    // NULL when it runs, as after clearBindings, but a statement whose user binds every
    // parameter (an update of hundreds of columns) is not cleared value by value first.
    void releaseBindings();

    // Steps once: true when a row is ready, false when done.
    bool step();
    // Steps to the end, returns the number of rows changed.
    qint64 exec();
    // A write whose result is certain or unread: on the server, inside a transaction, it is
    // sent without waiting for its answer (PgConnection::sendDeferred; a failure, or another
    // count than expectedRows >= 0, fails the transaction) and returns the count promised;
    // elsewhere it is exec(). With `levelMayBeLost`, as the first statement of a savepoint's
    // level it goes without the savepoint (no subtransaction on the server); a rollback of
    // that level then fails the whole transaction too: for a caller that ends that level
    // by a rollback only on its way out of the transaction.
    qint64 execDeferred(qint64 expectedRows, bool levelMayBeLost = false);

    int columnCount() const;
    QString columnName(int i) const;
    QString columnDeclType(int i) const;
    QString columnOriginTable(int i) const;
    QString columnOriginName(int i) const;
    QString columnDatabaseName(int i) const;
    QVariant column(int i) const; // raw: NULL invalid, qint64, double, QString, QByteArray
    // column(i) put into out, reusing out's storage when it already holds a number of the
    // same kind (a record read row after row into the same vector).
    void columnInto(int i, QVariant &out) const;
    // column(i) into the row's slot.
    void columnInto(int i, StoredValues &row, int slot) const;
    // Columns `first` to `first + row.size() - 1` into the row's slots.
    void columnsInto(int first, StoredValues &row) const;
    qint64 columnInt64(int i) const;
    // The columns as prepared, with the field type of each declared type: read once and
    // again only after SQLite prepared the statement anew (the schema changed).
    struct ColumnMeta {
        QString name, declType, databaseName, originTable, originName;
        FieldType declared = FieldType::Unknown; // Unknown without a declared type
        int size = 0;
    };
    const std::vector<ColumnMeta> &columns() const;
    bool isReadOnly() const;

private:
    void finalize();
    [[noreturn]] void fail(int rc) const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_sql;
    mutable std::vector<ColumnMeta> m_columns;
    mutable int m_columnsAt = -1; // SQLite's re-prepare count when m_columns was read
    // Parameter positions by the names asked for (a kept statement is bound by name again
    // and again; the positions belong to the text, so a re-prepare keeps them).
    mutable QHash<QString, int> m_parameterIndex;
    std::unique_ptr<ServerCursor> m_server;
    // After releaseBindings: the parameters bound since (bit i-1 for parameter i); the
    // others are bound NULL at the next step.
    std::vector<quint64> m_boundSinceRelease;
    bool m_released = false;
    void bindNullToUnbound();
    void bindSlot(int index, const StoredValues &row, int slot);
    bool bindNumber(int index, const StoredValues::Slot &cell);
    void noteBound(int index)
    {
        if (m_released && index > 0) {
            const size_t word = size_t(index - 1) / 64;
            if (word < m_boundSinceRelease.size())
                m_boundSinceRelease[word] |= quint64(1) << ((index - 1) % 64);
        }
    }
    // The parameters first .. first + count - 1 noted bound, word by word.
    void noteBoundRange(int first, int count);
};

// Throws the typed error for an SQLite result code.
[[noreturn]] void throwSqliteError(sqlite3 *db, int rc, const QString &sql);

} // namespace tarix::db
