#include "platform/db/statement.h"

#include "platform/db/db_error.h"
#include "platform/db/server_session.h"

#include <QDate>
#include <QDateTime>
#include <sqlite3.h>

#include <algorithm>
#include <bit>

namespace tarix::db {

void throwSqliteError(sqlite3 *db, int rc, const QString &sql)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE
        || ext == SQLITE_CONSTRAINT_ROWID)
        throw KeyViolation(ext);
    if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED)
        throw BusyError(busyMessage(), ext);
    throw SqlError(msg, sql, ext);
}

Statement::Statement(sqlite3 *db, const QString &sql) : m_db(db), m_sql(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                                      &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throwSqliteError(db, rc, sql);
    }
}

Statement::Statement() = default;

Statement::Statement(ServerSession &server, const QString &sql)
    : m_sql(sql), m_server(std::make_unique<ServerCursor>(server, sql))
{
}

Statement::~Statement() { finalize(); }

Statement::Statement(Statement &&o) noexcept
    : m_db(o.m_db), m_stmt(o.m_stmt), m_sql(std::move(o.m_sql)), m_columns(std::move(o.m_columns)),
      m_columnsAt(o.m_columnsAt), m_parameterIndex(std::move(o.m_parameterIndex)), m_server(std::move(o.m_server)),
      m_boundSinceRelease(std::move(o.m_boundSinceRelease)), m_released(o.m_released)
{
    o.m_columnsAt = -1;
    o.m_stmt = nullptr;
}

Statement &Statement::operator=(Statement &&o) noexcept
{
    if (this != &o) {
        finalize();
        m_db = o.m_db;
        m_stmt = o.m_stmt;
        m_sql = std::move(o.m_sql);
        m_columns = std::move(o.m_columns);
        m_columnsAt = o.m_columnsAt;
        m_parameterIndex = std::move(o.m_parameterIndex);
        m_server = std::move(o.m_server);
        m_boundSinceRelease = std::move(o.m_boundSinceRelease);
        m_released = o.m_released;
        o.m_stmt = nullptr;
        o.m_columnsAt = -1;
    }
    return *this;
}

const std::vector<Statement::ColumnMeta> &Statement::columns() const
{
    if (m_server)
        return m_server->columns();
    const int prepared = m_stmt ? sqlite3_stmt_status(m_stmt, SQLITE_STMTSTATUS_REPREPARE, 0) : 0;
    const int n = columnCount();
    if (m_columnsAt == prepared && int(m_columns.size()) == n)
        return m_columns;
    std::vector<ColumnMeta> cols(size_t(std::max(n, 0)));
    for (int c = 0; c < n; ++c) {
        ColumnMeta &m = cols[size_t(c)];
        m.name = columnName(c);
        m.declType = columnDeclType(c);
        m.databaseName = columnDatabaseName(c);
        m.originTable = columnOriginTable(c);
        m.originName = columnOriginName(c);
        if (!m.declType.isEmpty())
            m.declared = fieldTypeFromDeclared(m.declType, &m.size);
    }
    m_columns = std::move(cols);
    m_columnsAt = prepared;
    return m_columns;
}

void Statement::finalize()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
    m_stmt = nullptr;
}

void Statement::fail(int rc) const { throwSqliteError(m_db, rc, m_sql); }

void Statement::bind(int index, const QVariant &v)
{
    if (m_server)
        return m_server->bind(index, v);
    int rc = SQLITE_OK;
    // Numbers, most of what is bound, without asking the variant whether it is null.
    if (typeIdOf(v) == QMetaType::Double) {
        rc = sqlite3_bind_double(m_stmt, index, *static_cast<const double *>(v.constData()));
    } else if (typeIdOf(v) == QMetaType::LongLong) {
        rc = sqlite3_bind_int64(m_stmt, index, *static_cast<const qint64 *>(v.constData()));
    } else if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (typeIdOf(v)) {
        case QMetaType::Bool: rc = sqlite3_bind_int64(m_stmt, index, v.toBool() ? 1 : 0); break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UInt:
        case QMetaType::Long:
            rc = sqlite3_bind_int64(m_stmt, index, v.toLongLong());
            break;
        case QMetaType::ULongLong: rc = sqlite3_bind_int64(m_stmt, index, qint64(v.toULongLong())); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(m_stmt, index, v.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate: {
            const QDate d = v.toDate();
            if (!d.isValid()) {
                rc = sqlite3_bind_null(m_stmt, index);
                break;
            }
            const QByteArray t = d.toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QTime: {
            const QByteArray t = v.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(rc);
    noteBound(index);
}

// One slot of a row bound on SQLite (not the server).
// A number or NULL of a row bound as it is; false for a value of kind Other.
inline bool Statement::bindNumber(int index, const StoredValues::Slot &cell)
{
    int rc = SQLITE_OK;
    switch (cell.kind) {
    case StoredValues::Kind::Real: rc = sqlite3_bind_double(m_stmt, index, cell.real); break;
    case StoredValues::Kind::Integer: rc = sqlite3_bind_int64(m_stmt, index, cell.integer); break;
    case StoredValues::Kind::Null: rc = sqlite3_bind_null(m_stmt, index); break;
    case StoredValues::Kind::Other: return false;
    }
    if (rc != SQLITE_OK)
        fail(rc);
    return true;
}

inline void Statement::bindSlot(int index, const StoredValues &row, int slot)
{
    if (!bindNumber(index, row.m_slots[slot]))
        return bind(index, row.other(slot));
    noteBound(index);
}

void Statement::bind(int index, const StoredValues &row, int slot)
{
    if (m_server)
        return m_server->bind(index, row.at(slot));
    bindSlot(index, row, slot);
}

void Statement::bindRow(int first, const StoredValues &row)
{
    const int n = row.size();
    if (m_server) {
        for (int i = 0; i < n; ++i)
            m_server->bind(first + i, row.at(i));
        return;
    }
    if (m_released)
        noteBoundRange(first, n);
    // A whole row of numbers (a save's check of the row as read): bound straight from the slots.
    const StoredValues::Slot *cells = row.m_slots.constData();
    for (int i = 0; i < n; ++i)
        if (!bindNumber(first + i, cells[i]))
            bind(first + i, row.other(i));
}

void Statement::noteBoundRange(int first, int count)
{
    if (first < 1)
        return;
    const size_t words = m_boundSinceRelease.size();
    for (size_t bit = size_t(first - 1), end = bit + size_t(qMax(count, 0)); bit < end;) {
        const size_t word = bit / 64;
        if (word >= words)
            break;
        const size_t from = bit % 64, to = std::min<size_t>(64, from + (end - bit));
        const quint64 mask = (to == 64 ? ~quint64(0) : (quint64(1) << to) - 1) & ~((quint64(1) << from) - 1);
        m_boundSinceRelease[word] |= mask;
        bit += to - from;
    }
}

void Statement::releaseBindings()
{
    if (m_server || !m_stmt) {
        clearBindings();
        return;
    }
    const int count = sqlite3_bind_parameter_count(m_stmt);
    if (count == 0)
        return;
    m_boundSinceRelease.assign(size_t(count + 63) / 64, 0);
    m_released = true;
}

void Statement::bindNullToUnbound()
{
    m_released = false;
    const int count = sqlite3_bind_parameter_count(m_stmt);
    for (size_t word = 0; word < m_boundSinceRelease.size(); ++word) {
        const int first = int(word) * 64;
        const int inWord = std::min(64, count - first);
        const quint64 all = inWord == 64 ? ~quint64(0) : (quint64(1) << inWord) - 1;
        for (quint64 unbound = ~m_boundSinceRelease[word] & all; unbound != 0; unbound &= unbound - 1)
            sqlite3_bind_null(m_stmt, first + std::countr_zero(unbound) + 1);
    }
}

int Statement::parameterIndex(const QString &name) const
{
    if (m_server)
        return 0; // the server's parameters are bound by position (Session::bindParams)
    if (const auto known = m_parameterIndex.constFind(name); known != m_parameterIndex.cend())
        return known.value();
    QString n = name.startsWith(u':') ? name.toLower() : u':' + name.toLower();
    const int index = sqlite3_bind_parameter_index(m_stmt, n.toUtf8().constData());
    if (m_parameterIndex.size() < 64)
        m_parameterIndex.insert(name, index);
    return index;
}

void Statement::bind(const QString &name, const QVariant &value)
{
    if (const int i = parameterIndex(name); i > 0)
        bind(i, value);
}

int Statement::parameterCount() const
{
    return m_server ? m_server->parameterCount() : sqlite3_bind_parameter_count(m_stmt);
}

void Statement::reset()
{
    if (m_server)
        m_server->reset();
    else if (m_stmt)
        sqlite3_reset(m_stmt);
}

void Statement::clearBindings()
{
    m_released = false;
    if (m_server)
        m_server->clearBindings();
    else if (m_stmt)
        sqlite3_clear_bindings(m_stmt);
}

bool Statement::step()
{
    if (m_server)
        return m_server->step();
    if (m_released)
        bindNullToUnbound();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    fail(rc);
}

qint64 Statement::exec()
{
    if (m_server)
        return m_server->exec();
    while (step()) {
    }
    return sqlite3_changes64(m_db);
}

qint64 Statement::execDeferred(qint64 expectedRows, bool levelMayBeLost)
{
    return m_server ? m_server->execDeferred(expectedRows, levelMayBeLost) : exec();
}

int Statement::columnCount() const { return m_server ? m_server->columnCount() : sqlite3_column_count(m_stmt); }

static QString fromUtf8(const char *s) { return s ? QString::fromUtf8(s) : QString(); }

QString Statement::columnName(int i) const
{
    return m_server ? m_server->columns().at(size_t(i)).name : fromUtf8(sqlite3_column_name(m_stmt, i));
}
QString Statement::columnDeclType(int i) const
{
    return m_server ? m_server->columns().at(size_t(i)).declType : fromUtf8(sqlite3_column_decltype(m_stmt, i));
}
QString Statement::columnOriginTable(int i) const
{
    return m_server ? m_server->columns().at(size_t(i)).originTable : fromUtf8(sqlite3_column_table_name(m_stmt, i));
}
QString Statement::columnOriginName(int i) const
{
    return m_server ? m_server->columns().at(size_t(i)).originName : fromUtf8(sqlite3_column_origin_name(m_stmt, i));
}
QString Statement::columnDatabaseName(int i) const
{
    return m_server ? m_server->columns().at(size_t(i)).databaseName
                    : fromUtf8(sqlite3_column_database_name(m_stmt, i));
}
bool Statement::isReadOnly() const { return m_server ? m_server->isReadOnly() : sqlite3_stmt_readonly(m_stmt) != 0; }

qint64 Statement::columnInt64(int i) const
{
    return m_server ? m_server->column(i).toLongLong() : sqlite3_column_int64(m_stmt, i);
}

QVariant Statement::column(int i) const
{
    if (m_server)
        return m_server->column(i);
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER: return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, i));
    case SQLITE_FLOAT: return sqlite3_column_double(m_stmt, i);
    case SQLITE_TEXT: {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
        return QString::fromUtf8(t, sqlite3_column_bytes(m_stmt, i));
    }
    case SQLITE_BLOB: {
        const auto *b = static_cast<const char *>(sqlite3_column_blob(m_stmt, i));
        return QByteArray(b, sqlite3_column_bytes(m_stmt, i));
    }
    default: return {};
    }
}

void Statement::columnInto(int i, StoredValues &row, int slot) const
{
    if (!m_server) {
        sqlite3_value *v = sqlite3_column_value(m_stmt, i);
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: row.setInteger(slot, sqlite3_value_int64(v)); return;
        case SQLITE_FLOAT: row.setReal(slot, sqlite3_value_double(v)); return;
        case SQLITE_NULL: row.setNull(slot); return;
        default: break;
        }
    }
    row.set(slot, column(i));
}

void Statement::columnsInto(int first, StoredValues &row) const
{
    const int n = row.size();
    if (m_server) {
        for (int i = 0; i < n; ++i)
            columnInto(first + i, row, i);
        return;
    }
    // The slots detached once for the row, not once per value.
    // Each column's value is taken with one call into the connection and its type and
    // number read from it (the statement is stepped and read on this thread only).
    StoredValues::Slot *cells = row.m_slots.data();
    for (int i = 0; i < n; ++i) {
        const int c = first + i;
        StoredValues::Slot &s = cells[i];
        sqlite3_value *v = sqlite3_column_value(m_stmt, c);
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            s.integer = sqlite3_value_int64(v);
            s.kind = StoredValues::Kind::Integer;
            break;
        case SQLITE_FLOAT:
            s.real = sqlite3_value_double(v);
            s.kind = StoredValues::Kind::Real;
            break;
        case SQLITE_NULL: s = StoredValues::Slot(); break;
        default: row.set(i, column(c)); break; // the slots stay where they are
        }
    }
}

void Statement::columnInto(int i, QVariant &out) const
{
    if (!m_server) {
        sqlite3_value *v = sqlite3_column_value(m_stmt, i);
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: out.setValue(qint64(sqlite3_value_int64(v))); return;
        case SQLITE_FLOAT: out.setValue(sqlite3_value_double(v)); return;
        case SQLITE_NULL: out = QVariant(); return;
        default: break;
        }
    }
    out = column(i);
}

} // namespace tarix::db
