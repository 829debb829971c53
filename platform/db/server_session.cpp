#include "platform/db/server_session.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/db/sql_dialect.h"

#include <QDate>
#include <QRegularExpression>

#include <mutex>

namespace tarix::db {

namespace {


// The declared type of a column as the table definitions write it, from the server's type:
// the program schema's domains keep the types that carry meaning.
QString declaredTypeOf(const QString &formatted, const QString &typeName, const QString &typeSchema)
{
    if (typeSchema == QLatin1String(kProgramSchema))
        return typeName.toUpper(); // MONEY_REAL, LOGICAL, AUTOINC_INT
    static const QRegularExpression sized(QStringLiteral("^(character varying|character)\\((\\d+)\\)$"));
    if (const auto m = sized.match(formatted); m.hasMatch())
        return (m.captured(1) == u"character" ? QStringLiteral("CHAR(") : QStringLiteral("VARCHAR(")) + m.captured(2) + u')';
    if (formatted == u"smallint")
        return QStringLiteral("SMALLINT");
    if (formatted == u"bigint" || formatted == u"integer")
        return QStringLiteral("INTEGER");
    if (formatted == u"double precision" || formatted == u"real" || formatted.startsWith(u"numeric"))
        return QStringLiteral("FLOAT");
    if (formatted == u"date")
        return QStringLiteral("DATE");
    if (formatted.startsWith(u"time without") || formatted.startsWith(u"time("))
        return QStringLiteral("TIME");
    if (formatted.startsWith(u"timestamp"))
        return QStringLiteral("TIMESTAMP");
    if (formatted == u"text" || formatted == u"character varying")
        return QStringLiteral("MEMO_TEXT");
    if (formatted == u"bytea")
        return QStringLiteral("BLOB");
    if (formatted == u"boolean")
        return QStringLiteral("LOGICAL");
    return formatted.toUpper();
}

QString collationOf(const QString &serverCollation)
{
    return serverCollation == u"sk" ? QStringLiteral("SK") : QStringLiteral("BINARY");
}

QVector<int> numbers(const QString &vector)
{
    QVector<int> out;
    for (const QString &n : vector.split(u' ', Qt::SkipEmptyParts))
        out << n.toInt();
    return out;
}

// The tables and views of schema $1 (after a select list over pg_class c).
const QLatin1String kTablesOfSchema("FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                    "WHERE n.nspname = $1 AND c.relkind IN ('r', 'v', 'p', 'm', 'f')");

// The commits of this process's server sessions, told at once to its other sessions: a
// notification reaches another connection of the process only a moment after the commit,
// and the next look of a session in the same thread must already see it. Keys: the server
// and the schema; the server and the process id of each session's connection, whose
// notifications the other sessions then leave out.
struct CommitsInProcess {
    std::mutex mutex;
    QHash<QString, qint64> commits;
    QHash<QString, int> connections;
};

CommitsInProcess &commitsInProcess()
{
    static CommitsInProcess c;
    return c;
}

QString pidKey(const QString &server, int pid)
{
    return server + u'\x1f' + QString::number(pid);
}

bool isWriteCommand(const QString &tag)
{
    return tag == u"INSERT" || tag == u"UPDATE" || tag == u"DELETE" || tag == u"MERGE";
}

} // namespace

ServerSession::ServerSession(Session &session, ServerOptions options)
    : m_session(session), m_options(std::move(options)), m_conn(m_options.conninfo, m_options.connection)
{
    registerInProcess();
    m_conn.setNotificationHandler([this](const char *channel, const char *payload, int pid) {
        noteNotification(channel, payload, pid);
    });
    m_conn.executeRaw(QStringLiteral("LISTEN %1").arg(QLatin1String(kDataChangedChannel)));
    setSearchPath({});
}

ServerSession::~ServerSession()
{
    m_conn.setNotificationHandler({});
    unregisterInProcess();
}

void ServerSession::registerInProcess()
{
    m_pid = m_conn.backendPid();
    CommitsInProcess &c = commitsInProcess();
    const std::lock_guard lock(c.mutex);
    ++c.connections[pidKey(m_conn.serverName(), m_pid)];
}

void ServerSession::unregisterInProcess()
{
    CommitsInProcess &c = commitsInProcess();
    const std::lock_guard lock(c.mutex);
    const QString key = pidKey(m_conn.serverName(), m_pid);
    if (--c.connections[key] <= 0)
        c.connections.remove(key);
}

void ServerSession::forgetConnectionState()
{
    m_searchPath.clear();
    m_pathAtLevelStart.clear();
    m_present.clear();
    m_trusted.clear();
    m_origins.clear();
    m_ownTriggers.clear();
}

void ServerSession::reconnect()
{
    unregisterInProcess();
    forgetConnectionState();
    try {
        m_conn.reconnect();
    } catch (...) {
        registerInProcess();
        throw;
    }
    registerInProcess();
    m_conn.executeRaw(QStringLiteral("LISTEN %1").arg(QLatin1String(kDataChangedChannel)));
    setSearchPath({});
}

QString ServerSession::inProcessKey(const QString &schema) const
{
    return m_conn.serverName() + u'\x1f' + schema;
}

void ServerSession::noteNotification(const char *channel, const char *payload, int senderPid)
{
    if (qstrcmp(channel, kDataChangedChannel) != 0)
        return;
    const QString schema = QString::fromUtf8(payload);
    CommitsInProcess &c = commitsInProcess();
    const std::lock_guard lock(c.mutex);
    if (senderPid == m_pid) {
        // Own commit: the process's other sessions learn it now.
        ++c.commits[inProcessKey(schema)];
        ++m_ownCommits[schema];
    } else if (!c.connections.contains(pidKey(m_conn.serverName(), senderPid))) {
        ++m_foreign[schema];
    }
}

QString ServerSession::schemaOfFolder(const QString &folder) const
{
    return m_options.schemaOf ? m_options.schemaOf(folder).toLower() : QString();
}

bool ServerSession::schemaExists(const QString &schema)
{
    return m_conn.exec(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = $1"), {schema}).rowCount() > 0;
}

QSet<QString> ServerSession::tableNames(const QString &schema)
{
    holdPresence(schema);
    // Whether each table announces its writes (views and the like write to tables that do).
    const PgResult r = m_conn.exec(QStringLiteral(
        "SELECT c.relname, c.relkind <> 'r' OR EXISTS (SELECT 1 FROM pg_trigger t "
        "WHERE t.tgrelid = c.oid AND t.tgname = '_data_changed') ") + kTablesOfSchema, {schema});
    QSet<QString> out;
    bool announced = true;
    for (int i = 0; i < r.rowCount(); ++i) {
        out.insert(r.value(i, 0).toString().toLower());
        announced = announced && r.value(i, 1).toLongLong() != 0;
    }
    if (announced)
        m_trusted.insert(schema);
    else
        m_trusted.remove(schema);
    return out;
}

bool ServerSession::tableExists(const QString &schema, const QString &table)
{
    return m_conn.exec(QStringLiteral("SELECT 1 ") + kTablesOfSchema + QStringLiteral(" AND c.relname = $2"),
                       {schema, table}).rowCount() > 0;
}

TableDef ServerSession::readTableDef(const QString &schema, const QString &table)
{
    TableDef def;
    def.schema = schema;
    const PgResult cols = m_conn.exec(QStringLiteral(
        "SELECT c.relname, a.attnum, a.attname, format_type(a.atttypid, a.atttypmod), t.typname, tn.nspname, "
        "a.attnotnull, coalesce(co.collname, ''), coalesce(col_description(c.oid, a.attnum), '') "
        "FROM pg_attribute a JOIN pg_class c ON c.oid = a.attrelid "
        "JOIN pg_namespace n ON n.oid = c.relnamespace "
        "JOIN pg_type t ON t.oid = a.atttypid JOIN pg_namespace tn ON tn.oid = t.typnamespace "
        "LEFT JOIN pg_collation co ON co.oid = a.attcollation "
        "WHERE n.nspname = $1 AND c.relname = $2 AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum"),
        {schema, table});
    if (cols.rowCount() == 0)
        throw DbError(QStringLiteral("tabuľka neexistuje"));
    QHash<int, int> fieldOfAttnum;
    for (int i = 0; i < cols.rowCount(); ++i) {
        def.name = cols.value(i, 0).toString();
        FieldDef f;
        f.name = cols.value(i, 2).toString();
        // The server's row identity, which SQLite keeps out of sight.
        if (f.name == u"rowid")
            continue;
        // The name as declared, kept in the comment (names on the server are lower case).
        if (const QString declared = cols.value(i, 8).toString(); declared.compare(f.name, Qt::CaseInsensitive) == 0)
            f.name = declared;
        f.declaredType = declaredTypeOf(cols.value(i, 3).toString(), cols.value(i, 4).toString(),
                                        cols.value(i, 5).toString());
        f.type = fieldTypeFromDeclared(f.declaredType, &f.size);
        f.required = cols.value(i, 6).toString() == u"t" || cols.value(i, 6).toLongLong() != 0;
        f.collation = collationOf(cols.value(i, 7).toString());
        fieldOfAttnum.insert(int(cols.value(i, 1).toLongLong()), int(def.fields.size()));
        def.fields.append(f);
    }
    // The key is the unique constraint "<table>_key"; named indexes are those not made for
    // a constraint (the rowid's primary key, the key).
    const PgResult ixs = m_conn.exec(QStringLiteral(
        "SELECT i.relname, x.indisunique, x.indkey::text, x.indoption::text, "
        "array_to_string(array(SELECT coalesce(co.collname, '') FROM unnest(x.indcollation::oid[]) "
        "WITH ORDINALITY u(coll, ord) LEFT JOIN pg_collation co ON co.oid = u.coll ORDER BY u.ord), ','), "
        "EXISTS (SELECT 1 FROM pg_constraint k WHERE k.conindid = x.indexrelid) "
        "FROM pg_index x JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_class c ON c.oid = x.indrelid "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = $1 AND c.relname = $2 ORDER BY i.relname"),
        {schema, def.name});
    for (int r = 0; r < ixs.rowCount(); ++r) {
        const QString name = ixs.value(r, 0).toString();
        const bool isKey = name == def.name + QStringLiteral("_key");
        if (ixs.value(r, 5).toLongLong() != 0 && !isKey)
            continue;
        IndexDef ix;
        ix.sqlName = name;
        ix.name = isKey ? QString() : name.contains(u'.') ? name.section(u'.', -1) : name;
        ix.unique = ixs.value(r, 1).toLongLong() != 0;
        const QVector<int> keys = numbers(ixs.value(r, 2).toString());
        const QVector<int> options = numbers(ixs.value(r, 3).toString());
        const QStringList collations = ixs.value(r, 4).toString().split(u',');
        for (int k = 0; k < keys.size(); ++k) {
            const auto field = fieldOfAttnum.constFind(keys[k]);
            if (field == fieldOfAttnum.cend())
                continue;
            ix.fields.append(*field);
            ix.descending.append((options.value(k) & 1) != 0);
            ix.collations.append(collationOf(collations.value(k)));
        }
        if (isKey)
            def.primaryKey = ix;
        else
            def.indexes.append(ix);
    }
    // A single INTEGER key field is the rowid, as on SQLite, where the table's definition
    // made its trigger keep the two one value.
    if (def.primaryKey.fields.size() == 1
        && def.fields[def.primaryKey.fields.front()].declaredType == u"INTEGER"
        && m_conn.exec(QStringLiteral("SELECT 1 FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
                                      "JOIN pg_namespace n ON n.oid = c.relnamespace "
                                      "WHERE n.nspname = $1 AND c.relname = $2 AND t.tgname = '_rowid'"),
                       {schema, def.name}).rowCount() > 0)
        def.rowidAlias = def.primaryKey.fields.front();
    return def;
}

void ServerSession::transactionLevelEnded(bool undone)
{
    if (m_pathAtLevelStart.empty())
        return;
    if (undone)
        m_searchPath = m_pathAtLevelStart.back();
    m_pathAtLevelStart.pop_back();
}

void ServerSession::setSearchPath(const QStringList &schemas)
{
    QStringList path;
    for (const QString &s : schemas)
        path << quoteSqlName(s);
    path << QString::fromLatin1(kProgramSchema);
    releasePresenceOutside(schemas);
    if (path == m_searchPath)
        return;
    m_conn.executeRaw(QStringLiteral("SET search_path = %1").arg(path.join(u", ")));
    m_searchPath = path;
}

void ServerSession::lockForNextKey(const QString &schema, const QString &table)
{
    // The pair of 32-bit keys is a key space of its own, apart from the single 64-bit key
    // that guards the creation of schemas.
    m_conn.exec(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext($1), hashtext($2))"), {schema, table});
}

// ---- claims ----------------------------------------------------------------------------------

namespace {
QString claimText(const QString &schema, const QString &key)
{
    return QStringLiteral("claim\n") + schema + u'\n' + key;
}
bool isTrue(const QVariant &v) { return v.toLongLong() != 0 || v.toString() == u"t" || v.toBool(); }
} // namespace

bool ServerSession::tryClaim(const QString &schema, const QString &key)
{
    return isTrue(m_conn.exec(QStringLiteral("SELECT pg_try_advisory_lock(hashtextextended($1, 0))"),
                              {claimText(schema, key)})
                      .value(0, 0));
}

void ServerSession::releaseClaim(const QString &schema, const QString &key)
{
    m_conn.exec(QStringLiteral("SELECT pg_advisory_unlock(hashtextextended($1, 0))"), {claimText(schema, key)});
}

void ServerSession::holdClaimInTransaction(const QString &schema, const QString &key, bool awaited)
{
    // A transaction-level lock of the same key: it waits for another program's claim as a
    // write waits for a row (lock_timeout), and the transaction's end gives it up.
    PgStatement &lock = m_conn.prepare(QStringLiteral("SELECT pg_advisory_xact_lock(hashtextextended($1, 0))"));
    if (awaited)
        lock.exec(QVariantList{claimText(schema, key)});
    else
        lock.execDeferred({claimText(schema, key)}, -1, false);
}

// ---- presence --------------------------------------------------------------------------------

void ServerSession::holdPresence(const QString &schema)
{
    if (m_present.contains(schema))
        return;
    // A session-level lock: a rollback does not release it.
    m_conn.exec(QStringLiteral("SELECT pg_advisory_lock_shared(%1, hashtext($1))").arg(kSchemaPresenceLockClass), {schema});
    m_present.insert(schema);
}

void ServerSession::releasePresenceOutside(const QStringList &schemas)
{
    for (auto it = m_present.begin(); it != m_present.end();) {
        if (schemas.contains(*it)) {
            ++it;
            continue;
        }
        m_conn.exec(QStringLiteral("SELECT pg_advisory_unlock_shared(%1, hashtext($1))").arg(kSchemaPresenceLockClass), {*it});
        it = m_present.erase(it);
    }
}

bool tryTakeSchemaExclusively(PgConnection &conn, const QString &schema)
{
    const PgResult r = conn.exec(QStringLiteral("SELECT pg_try_advisory_lock(%1, hashtext($1))").arg(kSchemaPresenceLockClass),
                                 {schema});
    return isTrue(r.value(0, 0));
}

void releaseSchemaExclusively(PgConnection &conn, const QString &schema)
{
    conn.exec(QStringLiteral("SELECT pg_advisory_unlock(%1, hashtext($1))").arg(kSchemaPresenceLockClass), {schema});
}

qint64 ServerSession::dataVersion(const QString &schema)
{
    // What other programs committed has reached the socket; inside this session's own
    // transaction nothing arrives, so the version stands still there, as on SQLite, where no
    // one else commits during a write transaction (a save checks its row regardless).
    m_conn.pollNotifications();
    if (!m_trusted.contains(schema))
        return --m_noVersion;
    CommitsInProcess &c = commitsInProcess();
    const std::lock_guard lock(c.mutex);
    return m_foreign.value(schema) + c.commits.value(inProcessKey(schema)) - m_ownCommits.value(schema);
}

QString ServerSession::serverText(const QString &layerSql)
{
    if (!layerSql.contains(u'?') && !layerSql.contains(u'"') && !layerSql.contains(QLatin1String(" COLLATE ")))
        return layerSql;
    QString sql = layerSql;
    // Equal under a deterministic collation is equal byte for byte, and text columns other
    // than the Slovak ones are "C": the row check needs no collation of its own.
    sql.replace(QLatin1String(" IS ? COLLATE BINARY"), QLatin1String(" IS NOT DISTINCT FROM ?"));
    sql.replace(QLatin1String(" COLLATE BINARY"), QString());
    sql.replace(QLatin1String(" COLLATE SK"), QLatin1String(" COLLATE tarix.sk"));
    // "?" outside literals and quoted names, numbered after the $n already there; quoted
    // names in lower case, as the server's schemas, tables and columns are named.
    static const QRegularExpression dollar(QStringLiteral("\\$(\\d+)"));
    int n = 0;
    for (auto it = dollar.globalMatch(sql); it.hasNext();)
        n = qMax(n, it.next().captured(1).toInt());
    QString out;
    out.reserve(sql.size() + 16);
    QChar quote;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (quote == u'"') {
                out += c.toLower();
                continue;
            }
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'?') {
            out += u'$' + QString::number(++n);
            continue;
        }
        out += c;
    }
    return out;
}

QString ServerSession::writeTarget(const QString &serverSql)
{
    static const QRegularExpression target(
        QStringLiteral("^\\s*(?:insert\\s+into|update|delete\\s+from)\\s+(\"[^\"]+\"|\\w+)(?:\\s*\\.\\s*(\"[^\"]+\"|\\w+))?"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = target.match(serverSql);
    if (!m.hasMatch())
        return {};
    auto bare = [](QString s) {
        if (s.startsWith(u'"'))
            s = s.mid(1, s.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        return s.toLower();
    };
    if (!m.captured(2).isEmpty())
        return bare(m.captured(1)) + u'.' + bare(m.captured(2));
    const QString table = bare(m.captured(1));
    for (const QString &quoted : std::as_const(m_searchPath)) {
        const QString schema = bare(quoted);
        if (m_session.tableExistsInSchema(schema, table))
            return schema + u'.' + table;
    }
    return {};
}

void ServerSession::noteResult(const PgResult &r, const QString &, const QString &resolvedTarget)
{
    if (!isWriteCommand(r.command())) {
        m_lastChanges = 0;
        return;
    }
    m_lastChanges = r.rowsAffected();
    m_totalChanges += r.rowsAffected();
    if (r.command() == u"INSERT" && r.rowCount() > 0 && r.columnCount() == 1 && r.columnNames()[0] == u"rowid")
        m_lastInsertRowid = r.value(r.rowCount() - 1, 0).toLongLong();
    if (r.rowsAffected() > 0 && !resolvedTarget.isEmpty() && hasOwnTriggers(resolvedTarget))
        ++m_totalChanges;
    if (r.rowsAffected() > 0 && !resolvedTarget.isEmpty())
        m_session.noteWrites(resolvedTarget.section(u'.', 0, 0), resolvedTarget.section(u'.', 1), quint64(r.rowsAffected()));
}

bool ServerSession::hasOwnTriggers(const QString &schemaTable)
{
    if (const auto known = m_ownTriggers.constFind(schemaTable); known != m_ownTriggers.cend())
        return known.value();
    // The program's own: the data version's, the autoincrement's and the rowid key's (which
    // only fill a blank key before the insert; an insert with a blank key reads its row back
    // anyway).
    const bool has = m_conn.exec(QStringLiteral(
        "SELECT 1 FROM pg_trigger t JOIN pg_class c ON c.oid = t.tgrelid "
        "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = $1 AND c.relname = $2 "
        "AND NOT t.tgisinternal AND t.tgname NOT IN ('_data_changed', '_rowid') AND t.tgname NOT LIKE '\\_autoinc\\_%' LIMIT 1"),
        {schemaTable.section(u'.', 0, 0), schemaTable.section(u'.', 1)}).rowCount() > 0;
    m_ownTriggers.insert(schemaTable, has);
    return has;
}

bool ServerSession::origin(unsigned tableOid, int attnum, QString &schema, QString &table, QString &column)
{
    if (tableOid == 0 || attnum <= 0)
        return false;
    auto it = m_origins.find(tableOid);
    if (it == m_origins.end()) {
        const PgResult r = m_conn.exec(QStringLiteral(
            "SELECT n.nspname, c.relname, a.attnum, a.attname FROM pg_class c "
            "JOIN pg_namespace n ON n.oid = c.relnamespace JOIN pg_attribute a ON a.attrelid = c.oid "
            "WHERE c.oid = $1 AND a.attnum > 0"), {qint64(tableOid)});
        Origin o;
        for (int i = 0; i < r.rowCount(); ++i) {
            o.schema = r.value(i, 0).toString();
            o.table = r.value(i, 1).toString();
            o.columns.insert(int(r.value(i, 2).toLongLong()), r.value(i, 3).toString());
        }
        it = m_origins.insert(tableOid, o);
    }
    if (!it->columns.contains(attnum))
        return false;
    schema = it->schema;
    table = it->table;
    column = it->columns.value(attnum);
    return true;
}

// ---- ServerCursor -------------------------------------------------------------------------------

ServerCursor::ServerCursor(ServerSession &server, const QString &layerSql)
    : m_server(server), m_sql(ServerSession::serverText(layerSql))
{
    m_stmt = &server.connection().prepare(m_sql);
    m_values.resize(m_stmt->parameterCount());
    describe();
}

void ServerCursor::describe()
{
    // SQLite never shows rowid in "*": a result column rowid is shown only when the text
    // names it (a live query's own rowid column goes by another name).
    static const QRegularExpression named(QStringLiteral("\\browid\\b(?!\\s+AS\\s+tarix_rowid__)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const bool showRowid = named.match(m_sql).hasMatch();
    const PgResult &d = m_stmt->description();
    m_visible.clear();
    for (int c = 0; c < d.columnCount(); ++c)
        if (showRowid || d.columnNames()[c] != u"rowid")
            m_visible.push_back(c);
    m_generation = m_stmt->generation();
    m_columnsRead = false;
}

void ServerCursor::bind(int index, const QVariant &value)
{
    if (index < 1 || index > m_values.size())
        throw SqlError(QStringLiteral("column index out of range"), m_sql, 0);
    // An invalid date is a blank one, as SQLite binds it.
    if (value.typeId() == QMetaType::QDate && !value.toDate().isValid())
        m_values[index - 1] = QVariant();
    else
        m_values[index - 1] = value;
}

void ServerCursor::reset()
{
    m_result.reset();
    m_row = -1;
}

void ServerCursor::clearBindings()
{
    for (QVariant &v : m_values)
        v = QVariant();
}

void ServerCursor::run()
{
    try {
        m_result = m_stmt->exec(m_values);
    } catch (const StatementOutdatedError &) {
        // Another program redefined a table the statement reads: what this session keeps of
        // the tables is read again and the statement runs prepared anew.
        m_server.session().invalidateSchema();
        m_result = m_stmt->exec(m_values);
    }
    if (m_stmt->generation() != m_generation)
        describe();
    m_row = -1;
    if (isWriteCommand(m_result->command()) && !m_targetKnown) {
        m_target = m_server.writeTarget(m_sql);
        m_targetKnown = true;
    }
    m_server.noteResult(*m_result, m_sql, m_target);
}

bool ServerCursor::step()
{
    if (!m_result)
        run();
    if (m_row < m_result->rowCount())
        ++m_row;
    return m_row < m_result->rowCount();
}

qint64 ServerCursor::exec()
{
    if (!m_result)
        run();
    m_row = m_result->rowCount();
    return isWriteCommand(m_result->command()) ? m_result->rowsAffected() : 0;
}

qint64 ServerCursor::execDeferred(qint64 expectedRows, bool levelMayBeLost)
{
    const QString command = m_sql.trimmed().section(u' ', 0, 0).toUpper();
    if (m_server.connection().transactionDepth() == 0 || !isWriteCommand(command))
        return exec();
    m_stmt->execDeferred(m_values, expectedRows, levelMayBeLost);
    if (m_stmt->generation() != m_generation)
        describe();
    if (!m_targetKnown) {
        m_target = m_server.writeTarget(m_sql);
        m_targetKnown = true;
    }
    PgResult promised;
    promised.setCommand(command);
    promised.setRowsAffected(expectedRows >= 0 ? expectedRows : 1);
    m_result = std::move(promised);
    m_row = 0;
    m_server.noteResult(*m_result, m_sql, m_target);
    return m_result->rowsAffected();
}

bool ServerCursor::isReadOnly() const
{
    if (m_result)
        return !isWriteCommand(m_result->command()) && m_result->command() != u"CREATE"
               && m_result->command() != u"DROP" && m_result->command() != u"ALTER";
    const QString head = m_sql.trimmed().left(6).toUpper();
    return head.startsWith(u"SELECT") || head.startsWith(u"WITH");
}

const std::vector<Statement::ColumnMeta> &ServerCursor::columns() const
{
    if (m_columnsRead)
        return m_columns;
    const PgResult &d = m_stmt->description();
    m_columns.clear();
    for (int c : m_visible) {
        Statement::ColumnMeta m;
        m.name = d.columnNames()[c];
        QString schema, table, column;
        if (m_server.origin(d.columnTable(c), d.columnTableColumn(c), schema, table, column)) {
            m.databaseName = schema;
            m.originTable = table;
            m.originName = column;
            if (m_server.session().tableExistsInSchema(schema, table)) {
                try {
                    const TableDef &def = m_server.session().tableDefInSchema(schema, table);
                    if (const int f = def.fieldIndex(column); f >= 0) {
                        m.declType = def.fields[f].declaredType;
                        m.declared = def.fields[f].type;
                        m.size = def.fields[f].size;
                    }
                } catch (const DbError &) {
                }
            }
        }
        m_columns.push_back(m);
    }
    m_columnsRead = true;
    return m_columns;
}

} // namespace tarix::db
