#include "platform/db/pg_connection.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <libpq-fe.h>

#include <charconv>
#include <chrono>
#include <iterator>
#include <cstring>
#include <utility>
#include <vector>

namespace tarix::db {

namespace {

// pg_type oids of the types the program's tables and texts produce.
enum : Oid {
    kBool = 16, kBytea = 17, kInt8 = 20, kInt2 = 21, kInt4 = 23, kOid = 26,
    kFloat4 = 700, kFloat8 = 701, kNumeric = 1700
};

struct ResultGuard {
    PGresult *r;
    ~ResultGuard() { PQclear(r); }
};

QString firstLine(const char *text)
{
    QString s = QString::fromUtf8(text ? text : "").trimmed();
    const qsizetype nl = s.indexOf(u'\n');
    return (nl < 0 ? s : s.left(nl)).trimmed();
}

// Why the server could not be used, in the clerk's words, with libpq's own text behind.
QString connectReason(const QString &libpqText)
{
    const QString t = libpqText.toLower();
    QString why;
    if (t.contains(u"authentication failed") || t.contains(u"pg_hba.conf")
        || (t.contains(u"role \"") && t.contains(u"does not exist"))
        || t.contains(u"password") || t.contains(u"permission denied"))
        why = QStringLiteral("server odmietol prihlásenie");
    else if (t.contains(u"database \"") && t.contains(u"does not exist"))
        why = QStringLiteral("databáza na serveri neexistuje");
    else
        why = QStringLiteral("server nie je dostupný");
    return libpqText.isEmpty() ? why : QStringLiteral("%1 (%2)").arg(why, libpqText);
}

QString connectText(const QString &server, const QString &reason)
{
    return QStringLiteral("Nepodarilo sa pripojiť k databázovému serveru %1: %2").arg(server, reason);
}

// A value as the dataset layer reads it from SQLite (see the header).
QVariant readValue(const PGresult *r, int row, int col, Oid type)
{
    if (PQgetisnull(r, row, col))
        return {};
    const char *v = PQgetvalue(r, row, col);
    switch (type) {
    case kBool: return qint64(v[0] == 't' ? 1 : 0);
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid: {
        qint64 n = 0;
        std::from_chars(v, v + PQgetlength(r, row, col), n);
        return n;
    }
    case kFloat4:
    case kFloat8:
    case kNumeric: {
        // Read in place, whatever the locale ("NaN" and "Infinity" included).
        double d = 0;
        if (std::from_chars(v, v + PQgetlength(r, row, col), d).ec != std::errc())
            d = QByteArray(v).toDouble();
        return d;
    }
    case kBytea: {
        size_t n = 0;
        unsigned char *raw = PQunescapeBytea(reinterpret_cast<const unsigned char *>(v), &n);
        QByteArray out(reinterpret_cast<const char *>(raw), qsizetype(n));
        PQfreemem(raw);
        return out;
    }
    default: return QString::fromUtf8(v, PQgetlength(r, row, col));
    }
}

// A bound value: its text (or bytes), format and type. Numbers the server takes as the
// column or expression needs (unknown type), as SQLite's affinity does; doubles as float8,
// so that an integer column compares with a fraction instead of refusing it.
struct Bound {
    QByteArray data;
    bool null = false;
    Oid type = 0;
    int format = 0;
};

Bound bindValue(const QVariant &v)
{
    Bound b;
    if (!v.isValid() || v.isNull()) {
        b.null = true;
        return b;
    }
    switch (v.typeId()) {
    case QMetaType::Bool: b.data = v.toBool() ? "1" : "0"; break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong: b.data = QByteArray::number(v.toLongLong()); break;
    case QMetaType::Double:
    case QMetaType::Float: {
        // The value's eight bytes (network order): exact, and nothing to format.
        const double d = v.toDouble();
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        b.data.resize(sizeof bits);
        for (int i = 7; i >= 0; --i, bits >>= 8)
            b.data[i] = char(bits & 0xff);
        b.type = kFloat8;
        b.format = 1;
        break;
    }
    case QMetaType::QDate: b.data = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8(); break;
    case QMetaType::QTime: b.data = v.toTime().toString(QStringLiteral("HH:mm:ss")).toUtf8(); break;
    case QMetaType::QDateTime:
        b.data = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        break;
    case QMetaType::QByteArray:
        b.data = v.toByteArray();
        b.type = kBytea;
        b.format = 1;
        break;
    default: b.data = v.toString().toUtf8(); break;
    }
    return b;
}

// Values bound for $1..$n (missing ones NULL) in the arrays libpq takes.
struct BoundParams {
    BoundParams(const QVariantList &params, int count)
    {
        const auto n = static_cast<size_t>(count);
        bound.reserve(n);
        for (int i = 0; i < count; ++i)
            bound.push_back(bindValue(i < params.size() ? params[i] : QVariant()));
        values.resize(n);
        lengths.resize(n);
        formats.resize(n);
        types.resize(n);
        for (size_t i = 0; i < n; ++i) {
            values[i] = bound[i].null ? nullptr : bound[i].data.constData();
            lengths[i] = int(bound[i].data.size());
            formats[i] = bound[i].format;
            types[i] = bound[i].type;
        }
    }
    std::vector<Bound> bound;
    std::vector<const char *> values;
    std::vector<int> lengths, formats;
    std::vector<Oid> types;
};

// Deferred statements on their way at most: their answers wait in the socket and in libpq
// until read.
constexpr size_t kMaxDeferred = 256;

} // namespace

// ---- PgStatement ---------------------------------------------------------------------------

PgStatement::PgStatement(PgConnection &conn, QString sql) : m_conn(&conn), m_sql(std::move(sql)) {}

void PgStatement::bind(int index, const QVariant &value)
{
    if (index < 1 || index > m_paramCount)
        throw DbError(QStringLiteral("Parameter %1 mimo rozsahu príkazu SQL: %2").arg(index).arg(m_sql));
    m_values[index - 1] = value;
}

void PgStatement::clearBindings()
{
    m_values = QVariantList();
    m_values.resize(m_paramCount);
}

PgResult PgStatement::exec()
{
    if (m_outdated)
        m_conn->prepareOnServer(*this);
    return m_conn->run(this, m_sql, m_values, m_paramCount);
}

PgResult PgStatement::exec(const QVariantList &values)
{
    if (m_outdated)
        m_conn->prepareOnServer(*this);
    return m_conn->run(this, m_sql, values, m_paramCount);
}

void PgStatement::execDeferred(const QVariantList &values, qint64 expectedRows, bool levelMayBeLost)
{
    if (m_outdated)
        m_conn->prepareOnServer(*this);
    m_conn->sendDeferred(*this, values, expectedRows, levelMayBeLost);
}

// ---- PgConnection --------------------------------------------------------------------------

QString PgConnection::serverNameOf(const QString &conninfo)
{
    char *err = nullptr;
    PQconninfoOption *opts = PQconninfoParse(conninfo.toUtf8().constData(), &err);
    if (!opts) {
        PQfreemem(err);
        return conninfo.trimmed().isEmpty() ? QStringLiteral("(bez názvu)") : QStringLiteral("(chybný názov)");
    }
    QString host, port, db;
    for (PQconninfoOption *o = opts; o->keyword; ++o) {
        if (!o->val)
            continue;
        const QByteArray k(o->keyword);
        if (k == "host" || (k == "hostaddr" && host.isEmpty()))
            host = QString::fromUtf8(o->val);
        else if (k == "port")
            port = QString::fromUtf8(o->val);
        else if (k == "dbname")
            db = QString::fromUtf8(o->val);
    }
    PQconninfoFree(opts);
    if (host.isEmpty())
        host = qEnvironmentVariable("PGHOST", QStringLiteral("localhost"));
    QString name = host;
    if (!port.isEmpty())
        name += u':' + port;
    if (!db.isEmpty())
        name += u'/' + db;
    return name;
}

PgConnection::PgConnection(const QString &conninfo, const ConnectionSettings &settings)
    : m_serverName(serverNameOf(conninfo)), m_settings(settings)
{
    char *err = nullptr;
    PQconninfoOption *opts = PQconninfoParse(conninfo.toUtf8().constData(), &err);
    if (!opts) {
        const QString why = firstLine(err);
        PQfreemem(err);
        throw ServerError(connectText(m_serverName, QStringLiteral("chybný zápis pripojenia (%1)").arg(why)),
                          m_serverName, why);
    }
    PQconninfoFree(opts);
    // The office defaults first; the connection string, expanded last, overrides any of them.
    const QByteArray values[] = {
        QByteArray::number(m_settings.connectTimeoutSeconds),
        QByteArrayLiteral("1"),
        QByteArray::number(m_settings.keepaliveIdleSeconds),
        QByteArray::number(m_settings.keepaliveIntervalSeconds),
        QByteArray::number(m_settings.keepaliveCount),
        QByteArray::number(m_settings.tcpUserTimeoutMs),
        m_settings.applicationName.toUtf8(),
        conninfo.toUtf8(),
    };
    const char *const keywords[] = {"connect_timeout", "keepalives", "keepalives_idle", "keepalives_interval",
                                    "keepalives_count", "tcp_user_timeout", "fallback_application_name",
                                    "dbname", nullptr};
    const char *valuePointers[std::size(values) + 1] = {};
    for (size_t i = 0; i < std::size(values); ++i)
        valuePointers[i] = values[i].constData();
    m_conn = PQconnectdbParams(keywords, valuePointers, 1);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString why = firstLine(PQerrorMessage(m_conn));
        PQfinish(m_conn);
        m_conn = nullptr;
        throw ServerError(connectText(m_serverName, connectReason(why)), m_serverName, why);
    }
    setUpSession();
}

void PgConnection::setUpSession()
{
    PQsetClientEncoding(m_conn, "UTF8");
    // The server's notices ("already exists, skipping") are no business of the clerk's.
    PQsetNoticeProcessor(m_conn, [](void *, const char *) {}, nullptr);
    // Dates read back as yyyy-MM-dd, as SQLite stores them; the busy timeout as wanted (5 s
    // from the start, as with SQLite). The server gives up a workstation that went silent as
    // the workstation gives up the server, and ends a transaction left idle.
    QByteArray setup = QByteArrayLiteral("SET DateStyle = ISO, YMD; SET IntervalStyle = iso_8601; ")
                       + "SET lock_timeout = " + QByteArray::number(m_wantedBusyTimeout)
                       + "; SET idle_in_transaction_session_timeout = "
                       + QByteArray::number(m_settings.idleInTransactionTimeoutMs)
                       + "; SET tcp_keepalives_idle = " + QByteArray::number(m_settings.keepaliveIdleSeconds)
                       + "; SET tcp_keepalives_interval = " + QByteArray::number(m_settings.keepaliveIntervalSeconds)
                       + "; SET tcp_keepalives_count = " + QByteArray::number(m_settings.keepaliveCount)
                       + "; SET tcp_user_timeout = " + QByteArray::number(m_settings.tcpUserTimeoutMs);
    // A client gone during a long statement is noticed too (from server version 14).
    if (PQserverVersion(m_conn) >= 140000)
        setup += "; SET client_connection_check_interval = "
                 + QByteArray::number(qint64(m_settings.keepaliveIdleSeconds) * 1000);
    command(setup);
    m_busyTimeout = m_wantedBusyTimeout;
}

bool PgConnection::isLost() const
{
    return !m_conn || PQstatus(m_conn) != CONNECTION_OK;
}

bool PgConnection::answers()
{
    if (isLost())
        return false;
    try {
        exec(QStringLiteral("SELECT 1"));
        return true;
    } catch (const ServerError &) {
        return false;
    }
}

void PgConnection::reconnect()
{
    // Whatever the old connection had open went with it.
    m_depth = 0;
    m_pending.clear();
    m_unguarded.clear();
    m_deferred.clear();
    m_failure = nullptr;
    ++m_lockEpoch;
    for (auto &[sql, st] : m_statements) {
        st->m_name.clear(); // nothing to deallocate on the new connection
        st->m_outdated = true;
    }
    if (PQpipelineStatus(m_conn) != PQ_PIPELINE_OFF)
        PQexitPipelineMode(m_conn);
    PQreset(m_conn);
    if (PQstatus(m_conn) != CONNECTION_OK) {
        const QString why = firstLine(PQerrorMessage(m_conn));
        throw ServerError(connectText(m_serverName, connectReason(why)), m_serverName, why);
    }
    setUpSession();
}

PgConnection::~PgConnection()
{
    m_statements.clear();
    if (m_conn)
        PQfinish(m_conn);
}

void PgConnection::command(const QByteArray &sql)
{
    settleDeferred();
    // The transaction and savepoints still waiting go first, in the same round trip.
    const QByteArray text = m_pending.isEmpty() ? sql : m_pending.join("; ") + "; " + sql;
    m_pending.clear();
    ++m_roundTrips;
    PGresult *r = PQexec(m_conn, text.constData());
    ResultGuard g{r};
    const ExecStatusType st = PQresultStatus(r);
    if (st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK && st != PGRES_EMPTY_QUERY)
        fail(r, QString::fromUtf8(sql));
    deliverNotifications();
}

int PgConnection::backendPid() const
{
    return PQbackendPID(m_conn);
}

void PgConnection::deliverNotifications()
{
    while (PGnotify *n = PQnotifies(m_conn)) {
        if (m_onNotification)
            m_onNotification(n->relname, n->extra, n->be_pid);
        PQfreemem(n);
    }
}

void PgConnection::pollNotifications()
{
    // The socket is read at most once a millisecond: a notice that arrives within it is no
    // later than a commit made a moment later would be. Answers to statements bring in what
    // came before them anyway. A lost connection is left for the next statement to report.
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastPoll >= std::chrono::milliseconds(1) && PQpipelineStatus(m_conn) == PQ_PIPELINE_OFF
        && !PQisBusy(m_conn)) {
        m_lastPoll = now;
        PQconsumeInput(m_conn);
    }
    deliverNotifications();
}

void PgConnection::fail(const pg_result *r, const QString &sql) const
{
    const QString msg = firstLine(r ? PQresultErrorMessage(r) : PQerrorMessage(m_conn));
    if (PQstatus(m_conn) != CONNECTION_OK)
        throw ServerError(QStringLiteral("Spojenie s databázovým serverom %1 sa prerušilo (%2). Zmeny, ktoré ešte "
                                         "neboli uložené, sa neuložili; po obnovení spojenia otvorte firmu znova.")
                              .arg(m_serverName, msg), m_serverName, msg);
    const QString state = QString::fromLatin1(r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : "");
    if (state == u"23505")
        throw KeyViolation();
    // A lock not granted in time, a deadlock, a conflicting concurrent update.
    if (state == u"55P03" || state == u"40P01" || state == u"40001")
        throw BusyError(busyMessage());
    // "cached plan must not change result type"
    if (state == u"0A000")
        throw StatementOutdatedError(msg, sql);
    if (state == u"42501")
        throw PermissionError(permissionText(m_serverName, msg, sql));
    throw SqlError(msg, sql, 0);
}

// Called where the connection is idle again (outside a pipeline), with a BusyError in flight.
void PgConnection::throwBusyNamingHolders()
{
    QString holders;
    try {
        if (!m_failure)
            holders = lockHolders();
    } catch (const DbError &) {
    }
    if (holders.isEmpty())
        throw;
    throw BusyError(busyMessage(holders));
}

// The other sessions of the database that hold row locks (a transaction that wrote or locked
// rows) or locks of the program's own (claims, next numbers), by application name; the
// presence locks every open firm holds are no one's fault.
QString PgConnection::lockHolders()
{
    const PgResult r = run(nullptr, QStringLiteral(
        "SELECT DISTINCT coalesce(nullif(a.application_name, ''), host(a.client_addr), 'pid ' || a.pid) "
        "FROM pg_stat_activity a JOIN pg_locks l ON l.pid = a.pid "
        "WHERE a.datname = current_database() AND a.pid <> pg_backend_pid() AND l.granted "
        "AND (l.locktype = 'transactionid' OR (l.locktype = 'advisory' AND NOT (l.objsubid = 2 AND l.classid = %1::oid))) "
        "ORDER BY 1").arg(qint64(kSchemaPresenceLockClass)), {}, 0);
    QStringList names;
    for (int i = 0; i < r.rowCount(); ++i)
        names << r.value(i, 0).toString();
    return names.join(QStringLiteral(", "));
}

void PgConnection::setBusyTimeout(int milliseconds)
{
    milliseconds = qMax(0, milliseconds);
    // Said again only when it changes; a setting made inside a transaction may be undone
    // with it, so after one the value is not taken as known.
    m_wantedBusyTimeout = milliseconds;
    if (milliseconds == m_busyTimeout)
        return;
    command(QStringLiteral("SET lock_timeout = %1").arg(milliseconds).toUtf8());
    m_busyTimeout = m_depth == 0 ? milliseconds : -1;
}

PgResult PgConnection::exec(const QString &sql, const QVariantList &params)
{
    return run(nullptr, sql, params, int(params.size()));
}

qint64 PgConnection::execute(const QString &sql, const QVariantList &params)
{
    return exec(sql, params).rowsAffected();
}

void PgConnection::executeRaw(const QString &sql)
{
    if (m_depth == 0) {
        command(sql.toUtf8());
        return;
    }
    // Inside a transaction the text runs under a savepoint of its own, all in one round trip
    // (the release on a line of its own: the text may end in a comment). A failure skips
    // the rest; the savepoint is then rolled back, so that the text undoes only itself.
    try {
        command("SAVEPOINT tarix_stmt; " + sql.toUtf8() + "\n; RELEASE SAVEPOINT tarix_stmt");
    } catch (const ServerError &) {
        throw;
    } catch (...) {
        command("ROLLBACK TO SAVEPOINT tarix_stmt; RELEASE SAVEPOINT tarix_stmt");
        throw;
    }
}

PgStatement &PgConnection::prepare(const QString &sql)
{
    auto it = m_statements.find(sql);
    if (it != m_statements.end()) {
        if (it->second->m_outdated)
            prepareOnServer(*it->second);
        return *it->second;
    }
    auto st = std::unique_ptr<PgStatement>(new PgStatement(*this, sql));
    prepareOnServer(*st);
    PgStatement &ref = *st;
    m_statements.emplace(sql, std::move(st));
    return ref;
}

void PgConnection::expireStatements()
{
    for (auto &[sql, st] : m_statements)
        st->m_outdated = true;
}

// Prepares the statement's text under a new name and reads what it takes and gives; the
// name it had goes only once the new one stands, so a refusal leaves it as it was.
void PgConnection::prepareOnServer(PgStatement &st)
{
    const QByteArray name = QStringLiteral("tarix_%1").arg(++m_prepared).toUtf8();
    const QString &sql = st.m_sql;
    const QByteArray text = sql.toUtf8();
    PgResult description;
    // Prepared and described in one round trip (inside a transaction under the statement's
    // own savepoint: a text the server refuses leaves the transaction usable).
    const auto send = [&] {
        return PQsendPrepare(m_conn, name.constData(), text.constData(), 0, nullptr)
               && PQsendDescribePrepared(m_conn, name.constData());
    };
    const int params = pipelined(sql, send, [&] {
        if (PGresult *e = takeResultsOfOne()) {
            ResultGuard g{e};
            fail(e, sql);
        }
        PGresult *d = PQgetResult(m_conn);
        ResultGuard g{d};
        PQclear(takeResultsOfOne());
        if (!d || PQresultStatus(d) != PGRES_COMMAND_OK)
            fail(d, sql);
        QStringList names;
        QVector<unsigned> oids, tables;
        QVector<int> tableColumns;
        for (int c = 0; c < PQnfields(d); ++c) {
            names << QString::fromUtf8(PQfname(d, c));
            oids << PQftype(d, c);
            tables << PQftable(d, c);
            tableColumns << PQftablecol(d, c);
        }
        description.setColumns(std::move(names), std::move(oids));
        description.setOrigins(std::move(tables), std::move(tableColumns));
        return PQnparams(d);
    });
    if (!st.m_name.isEmpty()) {
        command("DEALLOCATE " + st.m_name);
        ++st.m_generation;
    }
    st.m_name = name;
    st.m_paramCount = params;
    st.m_values.resize(params);
    st.m_description = std::move(description);
    st.m_outdated = false;
}

void PgConnection::bindParams(PgStatement &st, const SqlRewrite &rw, const Params &params)
{
    for (int i = 0; i < rw.parameters.size(); ++i) {
        const QString &name = rw.parameters[i];
        if (!params.contains(name))
            throw DbError(QStringLiteral("Chýba hodnota parametra :%1 v príkaze SQL: %2").arg(name, rw.sql));
        st.bind(i + 1, params.value(name));
    }
}

PgResult PgConnection::run(const PgStatement *prepared, const QString &sql,
                           const QVariantList &params, int paramCount)
{
    const BoundParams p(params, paramCount);
    const QByteArray text = prepared ? QByteArray() : sql.toUtf8();
    const PgResult *description = prepared ? &prepared->m_description : nullptr;
    const auto send = [&] {
        return prepared ? PQsendQueryPrepared(m_conn, prepared->m_name.constData(), paramCount, p.values.data(),
                                                  p.lengths.data(), p.formats.data(), 0)
                            : PQsendQueryParams(m_conn, text.constData(), paramCount, p.types.data(),
                                                p.values.data(), p.lengths.data(), p.formats.data(), 0);
    };
    if (m_depth == 0) {
        settleDeferred();
        ++m_roundTrips;
        if (!send())
            fail(nullptr, sql);
        PQsetSingleRowMode(m_conn);
        try {
            PgResult out = readResults(sql, description);
            deliverNotifications();
            return out;
        } catch (const BusyError &) {
            throwBusyNamingHolders();
        }
    }
    return pipelined(sql, send, [&] {
        PQsetSingleRowMode(m_conn);
        return readResults(sql, description);
    });
}

// The commands still waiting (the transaction's BEGIN, the program's own savepoints), the
// requests of `send` and, inside a transaction, a savepoint of the statement's own around
// them, go to the server together and their answers come back together: one round trip.
// `read` takes the answers of `send`'s requests. Only a failed statement costs one more, to
// roll its savepoint back, so that it undoes only itself, as with SQLite.
// The first statement of a program's savepoint needs no savepoint of its own: rolling back
// to the program's undoes exactly that statement and keeps the savepoint (a post's write
// saves two commands and a subtransaction on the server).
template <class Send, class Read>
auto PgConnection::pipelined(const QString &sql, Send send, Read read) -> decltype(read())
{
    static constexpr const char *kSavepoint = "SAVEPOINT tarix_stmt";
    static constexpr const char *kRelease = "RELEASE SAVEPOINT tarix_stmt";
    const auto plain = [this](const char *text) {
        return PQsendQueryParams(m_conn, text, 0, nullptr, nullptr, nullptr, nullptr, 0);
    };
    if (m_failure)
        std::rethrow_exception(m_failure);
    const QByteArrayList pending = std::exchange(m_pending, {});
    const QByteArray opened = m_depth > 1 ? savepointName(m_depth - 1) : QByteArray();
    const bool guard = m_depth > 0 && !(!opened.isEmpty() && !pending.isEmpty() && pending.last() == "SAVEPOINT " + opened);
    const QByteArray undo = guard ? QByteArray("ROLLBACK TO SAVEPOINT tarix_stmt; RELEASE SAVEPOINT tarix_stmt")
                                  : "ROLLBACK TO SAVEPOINT " + opened;
    ++m_roundTrips;
    bool queued = PQenterPipelineMode(m_conn);
    for (const QByteArray &p : pending)
        queued = queued && plain(p.constData());
    if (!queued || (guard && !plain(kSavepoint)) || !send() || (guard && !plain(kRelease))
        || !PQpipelineSync(m_conn)) {
        // Only a lost connection refuses to queue or to send.
        if (PQpipelineStatus(m_conn) != PQ_PIPELINE_OFF && PQstatus(m_conn) == CONNECTION_OK) {
            PQpipelineSync(m_conn);
            endPipeline();
        }
        m_deferred.clear();
        fail(nullptr, sql);
    }
    // The answers of writes sent without waiting come first, in the same round trip. After
    // one that failed the server skipped the rest up to the sync point.
    if (!m_deferred.empty()) {
        takeDeferredAnswers(true);
        if (m_failure) {
            endPipeline();
            std::rethrow_exception(m_failure);
        }
    }
    for (qsizetype i = 0; i < pending.size(); ++i) {
        if (PGresult *e = takeResultsOfOne()) {
            endPipeline();
            ResultGuard g{e};
            fail(e, QString::fromUtf8(pending[i]));
        }
    }
    if (PGresult *e = guard ? takeResultsOfOne() : nullptr) {
        // The savepoint itself was refused (the statement and the release were skipped).
        endPipeline();
        ResultGuard g{e};
        fail(e, sql);
    }
    try {
        auto out = read();
        PGresult *e = guard ? takeResultsOfOne() : nullptr;
        endPipeline();
        if (e) {
            ResultGuard g{e};
            fail(e, sql);
        }
        deliverNotifications();
        return out;
    } catch (const ServerError &) {
        throw;
    } catch (const BusyError &) {
        endPipeline();
        if (m_depth > 0)
            command(undo);
        throwBusyNamingHolders();
    } catch (...) {
        // What is left (the release, skipped) is read up to the sync point.
        endPipeline();
        if (m_depth > 0)
            command(undo);
        throw;
    }
}

PGresult *PgConnection::takeResultsOfOne()
{
    PGresult *error = nullptr;
    while (PGresult *r = PQgetResult(m_conn)) {
        const ExecStatusType st = PQresultStatus(r);
        if (!error && st != PGRES_COMMAND_OK && st != PGRES_TUPLES_OK)
            error = r;
        else
            PQclear(r);
    }
    return error;
}

void PgConnection::endPipeline()
{
    // Everything up to the sync point is read, then the connection takes single statements again.
    while (PQstatus(m_conn) == CONNECTION_OK) {
        PGresult *r = PQgetResult(m_conn);
        if (!r)
            continue;
        const bool sync = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
        PQclear(r);
        if (sync)
            break;
    }
    PQexitPipelineMode(m_conn);
}

// A prepared statement's result has the columns it was described with: they are taken from
// there instead of being read again for each execution.
PgResult PgConnection::readResults(const QString &sql, const PgResult *description)
{
    // Rows come one at a time (single-row mode) and are read into the result as they come,
    // so a large result is held once, in the layer's form, and not also in libpq's.
    PgResult out;
    QVector<unsigned> oids;
    bool described = false, complete = false;
    PGresult *error = nullptr;
    // Every result of the statement is taken, also after an error, so the connection is
    // ready for the next one.
    while (PGresult *r = PQgetResult(m_conn)) {
        const ExecStatusType st = PQresultStatus(r);
        if (error || (st != PGRES_SINGLE_TUPLE && st != PGRES_TUPLES_OK && st != PGRES_COMMAND_OK)) {
            if (error)
                PQclear(r);
            else
                error = r;
            continue;
        }
        ResultGuard g{r};
        const int cols = PQnfields(r);
        if (!described && description && description->columnCount() == cols) {
            out = *description;
            oids.resize(cols);
            for (int c = 0; c < cols; ++c)
                oids[c] = description->columnTypeOid(c);
            described = true;
        }
        if (!described) {
            QStringList names;
            QVector<unsigned> tables;
            QVector<int> tableColumns;
            for (int c = 0; c < cols; ++c) {
                names << QString::fromUtf8(PQfname(r, c));
                oids << PQftype(r, c);
                tables << PQftable(r, c);
                tableColumns << PQftablecol(r, c);
            }
            out.setColumns(std::move(names), oids);
            out.setOrigins(std::move(tables), std::move(tableColumns));
            described = true;
        }
        const int rows = PQntuples(r);
        for (int row = 0; row < rows; ++row) {
            QVector<QVariant> rowValues(cols);
            for (int c = 0; c < cols; ++c)
                rowValues[c] = readValue(r, row, c, oids[c]);
            out.addRow(std::move(rowValues));
        }
        if (st != PGRES_SINGLE_TUPLE) {
            out.setCommand(QString::fromLatin1(PQcmdStatus(r)).section(u' ', 0, 0));
            const char *n = PQcmdTuples(r);
            out.setRowsAffected(n && *n ? QByteArray(n).toLongLong() : 0);
            complete = true;
        }
    }
    if (error) {
        ResultGuard g{error};
        fail(error, sql);
    }
    if (!complete)
        fail(nullptr, sql);
    return out;
}

// A savepoint of the program's own waits to go with the next statement: a scope in which
// nothing runs costs no round trip, and one that does costs none of its own.
// The transaction's BEGIN waits likewise: a transaction in which nothing runs costs no round
// trip at all.
void PgConnection::begin()
{
    if (m_depth == 0)
        ++m_lockEpoch;
    m_pending.append(m_depth == 0 ? QByteArray("BEGIN") : savepointName(m_depth).prepend("SAVEPOINT "));
    if (m_unguarded.size() <= size_t(m_depth))
        m_unguarded.resize(size_t(m_depth) + 1);
    m_unguarded[size_t(m_depth)] = false;
    ++m_depth;
}

// Whether the savepoint of the level `depth` was left out (its first statement went without
// waiting); the mark is taken off.
bool PgConnection::takeUnguarded(int depth)
{
    if (size_t(depth) >= m_unguarded.size() || !m_unguarded[size_t(depth)])
        return false;
    m_unguarded[size_t(depth)] = false;
    return true;
}

void PgConnection::commit()
{
    if (m_depth == 0)
        throw StateError(QStringLiteral("Nie je otvorená žiadna transakcia."));
    --m_depth;
    if (m_depth == 0) {
        if (beganOnServer()) {
            try {
                // A deferred statement that failed refuses the commit with its error.
                settleDeferred();
                command("COMMIT");
            } catch (...) {
                // A commit refused (or a waiting command before it) leaves no transaction
                // open behind the program's back: nothing was kept.
                abandonTransaction();
                throw;
            }
        }
    } else if (!takeUnguarded(m_depth) && !dropPendingSavepoint())
        m_pending.append(savepointName(m_depth).prepend("RELEASE SAVEPOINT "));
}

void PgConnection::rollback()
{
    if (m_depth == 0)
        throw StateError(QStringLiteral("Nie je otvorená žiadna transakcia."));
    --m_depth;
    // Row locks taken since the level began are given up with it.
    ++m_lockEpoch;
    if (m_depth == 0) {
        // The rollback undoes the deferred statements too, and whatever failed among them.
        forgetFailure();
        if (beganOnServer()) {
            m_pending.clear(); // the rollback undoes them all
            command("ROLLBACK");
        }
    } else if (takeUnguarded(m_depth)) {
        // Its writes went without a savepoint and cannot be undone alone: the transaction
        // is lost, as after a failed write sent without waiting.
        if (!m_failure)
            m_failure = std::make_exception_ptr(DbError(QStringLiteral(
                "Zmeny transakcie nemožno vrátiť len čiastočne; nič z nej nebude uložené.")));
    } else if (!dropPendingSavepoint()) {
        const QByteArray sp = savepointName(m_depth);
        m_pending.append("ROLLBACK TO SAVEPOINT " + sp);
        m_pending.append("RELEASE SAVEPOINT " + sp);
    }
}

// Whether the outermost BEGIN went to the server; if not, nothing ran in the transaction and
// what waits is forgotten.
bool PgConnection::beganOnServer()
{
    if (!m_pending.isEmpty() && m_pending.first() == "BEGIN") {
        m_pending.clear();
        return false;
    }
    return true;
}

void PgConnection::abandonTransaction()
{
    forgetFailure();
    m_pending.clear();
    if (PQstatus(m_conn) != CONNECTION_OK)
        return;
    ++m_roundTrips;
    PQclear(PQexec(m_conn, "ROLLBACK"));
}

QByteArray PgConnection::savepointName(int depth)
{
    return "tarix_" + QByteArray::number(depth);
}

// The scope just ended had nothing run in it: its savepoint, not yet sent, is forgotten.
bool PgConnection::dropPendingSavepoint()
{
    if (m_pending.isEmpty() || m_pending.last() != "SAVEPOINT " + savepointName(m_depth))
        return false;
    m_pending.removeLast();
    return true;
}

// A deferred statement goes with the commands still waiting (the BEGIN, the program's
// savepoints); libpq sends them at once, so the server works on them while the client goes
// on. No sync point follows: the server keeps their short answers until the collection's
// (readDeferred), instead of sending and waking the client for each. They have no savepoint
// of their own: a failure fails the transaction anyway.
void PgConnection::sendDeferred(PgStatement &st, const QVariantList &values, qint64 expectedRows, bool levelMayBeLost)
{
    if (m_depth == 0)
        throw StateError(QStringLiteral("Príkaz bez čakania na výsledok patrí do transakcie."));
    if (m_failure)
        std::rethrow_exception(m_failure);
    if (m_deferred.size() >= kMaxDeferred)
        settleDeferred();
    const BoundParams p(values, st.m_paramCount);
    // The first statement of a program's savepoint whose level may be lost with it goes
    // without the savepoint: the server makes no subtransaction for each post of a batch.
    if (levelMayBeLost && m_depth > 1 && !m_pending.isEmpty() && m_pending.last() == "SAVEPOINT " + savepointName(m_depth - 1)) {
        m_pending.removeLast();
        m_unguarded[size_t(m_depth - 1)] = true;
    }
    const QByteArrayList pending = std::exchange(m_pending, {});
    bool queued = PQenterPipelineMode(m_conn);
    int replies = 0;
    for (const QByteArray &c : pending) {
        queued = queued && PQsendQueryParams(m_conn, c.constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
        replies += queued ? 1 : 0;
    }
    queued = queued
             && PQsendQueryPrepared(m_conn, st.m_name.constData(), st.m_paramCount, p.values.data(),
                                    p.lengths.data(), p.formats.data(), 0);
    replies += queued ? 1 : 0;
    if (replies > 0)
        m_deferred.push_back({st.m_sql, queued ? expectedRows : -1, replies});
    if (!queued || PQflush(m_conn) != 0) {
        // Only a lost connection refuses to queue or to send: the transaction is lost with it.
        try {
            fail(nullptr, st.m_sql);
        } catch (...) {
            m_failure = std::current_exception();
        }
        settleDeferred();
    }
}

void PgConnection::settleDeferred()
{
    if (!m_deferred.empty())
        readDeferred();
    if (m_failure)
        std::rethrow_exception(m_failure);
}

// A sync point goes after the deferred statements and every answer is read up to it (a
// round trip of its own, for when nothing awaited goes with it: the commit, a rollback, too
// many writes on their way).
void PgConnection::readDeferred()
{
    ++m_roundTrips;
    const bool synced = PQpipelineSync(m_conn) == 1;
    takeDeferredAnswers(synced);
    if (synced)
        endPipeline();
    deliverNotifications();
}

// The answers of the writes sent without waiting, a sync point having been sent after them
// (`synced`); the first failure is kept as the transaction's.
void PgConnection::takeDeferredAnswers(bool synced)
{
    const std::vector<Deferred> sent = std::exchange(m_deferred, {});
    for (const Deferred &d : sent) {
        PGresult *error = nullptr;
        qint64 rows = -1;
        // Each request's answers end with a null; after an error the server skips the rest
        // up to the sync point (PGRES_PIPELINE_ABORTED).
        for (int q = 0; q < d.replies && synced && PQstatus(m_conn) == CONNECTION_OK; ++q) {
            while (PGresult *r = PQgetResult(m_conn)) {
                const ExecStatusType st = PQresultStatus(r);
                if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) {
                    // The statement's own answer comes last, after the waiting commands'.
                    const char *n = PQcmdTuples(r);
                    rows = n && *n ? QByteArray(n).toLongLong() : 0;
                    PQclear(r);
                } else if (error || st == PGRES_PIPELINE_ABORTED) {
                    PQclear(r);
                } else {
                    error = r;
                }
            }
        }
        ResultGuard g{error};
        if (m_failure)
            continue;
        try {
            if (error || !synced || PQstatus(m_conn) != CONNECTION_OK)
                fail(error, d.sql);
            if (d.expectedRows >= 0 && rows != d.expectedRows)
                throw RecordChangedError();
        } catch (...) {
            m_failure = std::current_exception();
        }
    }
}

void PgConnection::forgetFailure()
{
    if (!m_deferred.empty())
        readDeferred();
    m_failure = nullptr;
}

} // namespace tarix::db
