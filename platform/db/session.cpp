#include "platform/db/session.h"

#include "platform/db/dataset.h"
#include "platform/db/db_error.h"
#include "platform/db/pg_schema.h"
#include "platform/db/sk_collation.h"
#include "platform/db/sql_dialect.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUuid>
#include <QUrl>
#include <QtEndian>
#include <sqlite3.h>

#include <array>
#include <atomic>
#include <utility>
#include <cstring>
#include <exception>

namespace tarix::db {

namespace {

Session *g_default = nullptr;

int slovakCollate(void *, int la, const void *a, int lb, const void *b)
{
    return compareSlovakUtf8(static_cast<const char *>(a), la, static_cast<const char *>(b), lb);
}

// A delete of every row of a table would skip the update hook (SQLite empties the table
// at once); ignoring the action makes it delete row by row, so that the hook counts it.
// Dropping a table or view asks for the delete of its rows right after the drop itself:
// that one must pass, or the drop would silently do nothing; so must SQLite's own tables.
struct AuthorizerState {
    QByteArray dropped; // the table or view whose drop was just asked for
};

int authorize(void *state, int action, const char *table, const char *, const char *, const char *)
{
    auto &st = *static_cast<AuthorizerState *>(state);
    // Only the very next action may be the drop's delete.
    const QByteArray dropped = std::exchange(st.dropped, QByteArray());
    switch (action) {
    case SQLITE_DROP_TABLE:
    case SQLITE_DROP_TEMP_TABLE:
    case SQLITE_DROP_VIEW:
    case SQLITE_DROP_TEMP_VIEW:
        st.dropped = table ? QByteArray(table) : QByteArray();
        return SQLITE_OK;
    case SQLITE_DELETE:
        if (!table || sqlite3_strnicmp(table, "sqlite_", 7) == 0)
            return SQLITE_OK;
        if (!dropped.isEmpty() && sqlite3_stricmp(dropped.constData(), table) == 0)
            return SQLITE_OK;
        return SQLITE_IGNORE;
    default:
        return SQLITE_OK;
    }
}

AuthorizerState g_authorizerState; // connections are used from one thread

std::atomic<quint64> g_attachmentGeneration{0};

void configureConnection(sqlite3 *db)
{
    // Double-quoted tokens are never read as string literals or columns by accident.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_extended_result_codes(db, 1);
    registerCollations(db);
}

QString quoteText(const QString &s) { return u'\'' + QString(s).replace(u'\'', QStringLiteral("''")) + u'\''; }

void execOn(sqlite3 *db, const QString &sql)
{
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(err);
        const int ext = sqlite3_extended_errcode(db);
        if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED)
            throw BusyError(busyMessage(), ext);
        if (ext == SQLITE_CONSTRAINT_PRIMARYKEY || ext == SQLITE_CONSTRAINT_UNIQUE)
            throw KeyViolation(ext);
        throw SqlError(msg, sql, ext);
    }
}

QString databaseUri(const QString &file, const char *mode)
{
    return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=") + QLatin1String(mode);
}

// The autoincrement fields of a schema get a sequence row in _autoinc and a trigger that
// fills a blank value from it; the sequence only grows, so numbers are never reused.
void installAutoIncrement(sqlite3 *db, const QString &schema, const QString &table, const QString &column)
{
    const QString s = quoteSqlName(schema);
    const QString trig = QStringLiteral("_autoinc_%1_%2").arg(table, column).toLower();
    execOn(db, QStringLiteral("CREATE TABLE IF NOT EXISTS %1._autoinc (tbl TEXT NOT NULL, fld TEXT NOT NULL, "
                              "seq INTEGER NOT NULL, PRIMARY KEY (tbl, fld))").arg(s));
    execOn(db, QStringLiteral("INSERT OR IGNORE INTO %1._autoinc VALUES (%2, %3, "
                              "(SELECT coalesce(max(%4), 0) FROM %1.%5))")
                   .arg(s, quoteText(table.toLower()), quoteText(column.toLower()), quoteSqlName(column),
                        quoteSqlName(table)));
    execOn(db, QStringLiteral(
                   "CREATE TRIGGER IF NOT EXISTS %1.%2 AFTER INSERT ON %3 BEGIN "
                   "UPDATE _autoinc SET seq = max(seq, coalesce(new.%4, 0)) + (new.%4 IS NULL) "
                   "WHERE tbl = %5 AND fld = %6; "
                   "UPDATE %3 SET %4 = (SELECT seq FROM _autoinc WHERE tbl = %5 AND fld = %6) "
                   "WHERE rowid = new.rowid AND new.%4 IS NULL; END")
                   .arg(s, quoteSqlName(trig), quoteSqlName(table), quoteSqlName(column),
                        quoteText(table.toLower()), quoteText(column.toLower())));
}

void installAllAutoIncrements(sqlite3 *db, const QString &schema)
{
    QList<QPair<QString, QString>> todo;
    {
        Statement tables(db, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' "
                                            "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name <> '_autoinc'")
                                 .arg(quoteSqlName(schema)));
        QStringList names;
        while (tables.step())
            names << tables.column(0).toString();
        for (const QString &t : names) {
            Statement info(db, QStringLiteral("PRAGMA %1.table_info(%2)").arg(quoteSqlName(schema), quoteText(t)));
            while (info.step())
                if (info.column(2).toString().trimmed().compare(u"AUTOINC_INT", Qt::CaseInsensitive) == 0)
                    todo.append({t, info.column(1).toString()});
        }
    }
    for (const auto &p : todo)
        installAutoIncrement(db, schema, p.first, p.second);
}

} // namespace

void registerCollations(sqlite3 *db)
{
    sqlite3_create_collation_v2(db, "SK", SQLITE_UTF8, nullptr, &slovakCollate, nullptr);
}

// ---- TableDef -------------------------------------------------------------------------------

int TableDef::fieldIndex(const QString &n) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(n, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const IndexDef *TableDef::index(const QString &n) const
{
    if (n.isEmpty() || n.compare(u"PRIMARY", Qt::CaseInsensitive) == 0)
        return &primaryKey;
    for (const IndexDef &ix : indexes)
        if (ix.name.compare(n, Qt::CaseInsensitive) == 0 || ix.sqlName.compare(n, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

// ---- Session ----------------------------------------------------------------------------------

namespace {

// Whether a folder's rollback journal names this super-journal (the record SQLite appends
// at the journal's end: the name, its length, a checksum and the journal's magic number).
bool journalNamesSuperJournal(const QString &journal, const QByteArray &superJournal)
{
    static const QByteArray kMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    QFile f(journal);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16 + superJournal.size())
        return false;
    f.seek(f.size() - 16);
    const QByteArray tail = f.read(16);
    if (tail.size() != 16 || tail.mid(8) != kMagic)
        return false;
    const qint64 length = qFromBigEndian<quint32>(tail.constData());
    if (length != superJournal.size())
        return false;
    f.seek(f.size() - 16 - length);
    return f.read(length) == superJournal;
}

// A super-journal (the list of the folders' journals of one commit over several folders) is
// needed while one of those journals still names it; unreadable, it is kept.
bool superJournalNeeded(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true;
    const QByteArray self = QFile::encodeName(path);
    for (const QByteArray &journal : f.readAll().split('\0'))
        if (!journal.isEmpty() && journalNamesSuperJournal(QFile::decodeName(journal), self))
            return true;
    return false;
}

// The connection's own main database is a small file of its own in a lasting folder: SQLite
// commits a transaction over several attached folders atomically (through a journal of the
// whole commit beside the main database) only when the main database is a file, and recovery
// after a crash needs that journal where it was written. Unavailable: in memory.
QString sessionFile()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        return {};
    const QString folder = QDir(base).filePath(QStringLiteral("tarix/sessions"));
    if (!QDir().mkpath(folder))
        return {};
    // The file of a program that was killed stays behind: it goes once its process is gone.
    // Its commit journal ("-mj…"), should one be left, stays while a folder's journal names
    // it (SQLite needs it to settle the folders' unfinished commit) and goes after.
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("session-*.db*")}, QDir::Files)) {
        bool ok = false;
        const qint64 pid = name.section(u'-', 1, 1).toLongLong(&ok);
        if (!ok || pid <= 0 || QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
            continue;
        const QString path = dir.filePath(name);
        if (name.endsWith(QLatin1String(".db")) || (name.contains(QLatin1String(".db-mj")) && !superJournalNeeded(path)))
            QFile::remove(path);
    }
    return dir.filePath(QStringLiteral("session-%1-%2.db")
                            .arg(QCoreApplication::applicationPid())
                            .arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
}

} // namespace

Session::Session()
{
    m_mainFile = sessionFile();
    int rc = SQLITE_ERROR;
    if (!m_mainFile.isEmpty()) {
        // A connection is used by one thread at a time: SQLite's own lock around every
        // call (each column read, each bind) is not needed.
        rc = sqlite3_open_v2(m_mainFile.toUtf8().constData(), &m_db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                             nullptr);
        if (rc == SQLITE_OK && sqlite3_exec(m_db, "PRAGMA main.journal_mode = OFF", nullptr, nullptr, nullptr) != SQLITE_OK)
            rc = SQLITE_ERROR;
        if (rc != SQLITE_OK) {
            sqlite3_close_v2(m_db);
            m_db = nullptr;
            QFile::remove(m_mainFile);
            m_mainFile.clear();
        }
    }
    if (rc != SQLITE_OK)
        rc = sqlite3_open_v2(":memory:", &m_db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť spojenie s databázou: %1")
                          .arg(QString::fromUtf8(sqlite3_errstr(rc))));
    configureConnection(m_db);
    m_attachmentGeneration = ++g_attachmentGeneration;
    sqlite3_set_authorizer(m_db, &authorize, &g_authorizerState);
    sqlite3_update_hook(m_db, &Session::countWrite, this);
    setBusyTimeout(5000);
    // Built-in one-row and twelve-row tables for "from dual" and "from dual12".
    execOn(m_db, QStringLiteral("CREATE TABLE main.dual (text VARCHAR(10)); INSERT INTO main.dual VALUES (NULL);"
                                "CREATE TABLE main.dual12 (cislo INTEGER);"
                                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 12) "
                                "INSERT INTO main.dual12 SELECT i FROM n;"));
    if (!g_default)
        g_default = this;
}

Session::Session(ServerOptions server)
{
    m_server = std::make_unique<ServerSession>(*this, std::move(server));
    m_readAheadRows = 256;
    // dual and dual12 live in the program schema.
    installProgramSchema(m_server->connection());
    m_attachmentGeneration = ++g_attachmentGeneration;
    if (!g_default)
        g_default = this;
}

Session::~Session()
{
    m_claims->session = nullptr; // claims that outlive the session go with its connection
    try {
        while (m_depth > 0)
            rollback();
        closeAll();
    } catch (...) {
    }
    for (DataSet *ds : std::as_const(m_dataSets))
        ds->detachSession();
    forgetStatements();
    if (m_db)
        sqlite3_update_hook(m_db, nullptr, nullptr);
    sqlite3_close_v2(m_db);
    if (!m_mainFile.isEmpty())
        QFile::remove(m_mainFile);
    if (g_default == this)
        g_default = nullptr;
}

Session *Session::defaultSession() { return g_default; }
void Session::setDefaultSession(Session *s) { g_default = s; }

void Session::setBusyTimeout(int ms)
{
    if (m_server)
        m_server->connection().setBusyTimeout(ms);
    else
        sqlite3_busy_timeout(m_db, ms);
}

QString Session::canonicalFolder(const QString &folder)
{
    QString f = folder;
    f.replace(u'\\', u'/');
    f = QDir::cleanPath(QFileInfo(f).absoluteFilePath());
    return f;
}

QString Session::schemaForFolder(const QString &folder) const
{
    // On the server every folder has its schema, whichever alias points at it.
    if (m_server)
        return m_server->schemaOfFolder(folder);
    for (const Alias &a : m_aliases)
        if (a.folder == folder)
            return a.name.toLower();
    return {};
}

QString Session::schemaOf(const QString &alias) const
{
    if (m_schemaOfAliasGeneration != m_attachmentGeneration) {
        m_schemaOfAlias.clear();
        m_schemaOfAliasGeneration = m_attachmentGeneration;
    }
    if (const auto kept = m_schemaOfAlias.constFind(alias); kept != m_schemaOfAlias.cend())
        return kept.value();
    const QString up = alias.toUpper();
    QString schema;
    for (const Alias &a : m_aliases)
        if (a.name == up) {
            schema = schemaForFolder(a.folder);
            break;
        }
    // Bounded: a program names a handful of aliases, but a caller may pass any text.
    if (m_schemaOfAlias.size() < 64)
        m_schemaOfAlias.insert(alias, schema);
    return schema;
}

bool Session::hasAlias(const QString &alias) const { return !schemaOf(alias).isEmpty(); }

QString Session::aliasFolder(const QString &alias) const
{
    const QString up = alias.toUpper();
    for (const Alias &a : m_aliases)
        if (a.name == up)
            return a.folder;
    return {};
}

QStringList Session::aliases() const
{
    QStringList l;
    for (const Alias &a : m_aliases)
        l << a.name;
    return l;
}

QString Session::folderOfSchema(const QString &schema) const
{
    if (auto it = m_attached.constFind(schema); it != m_attached.constEnd())
        return it->folder;
    for (const Alias &a : m_aliases)
        if (a.name.toLower() == schema)
            return a.folder;
    return {};
}

void Session::setAlias(const QString &alias, const QString &folder)
{
    static const QRegularExpression ident(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!ident.match(alias).hasMatch())
        throw DbError(QStringLiteral("Neplatný názov aliasu %1").arg(alias));
    if (m_depth > 0)
        throw StateError(QStringLiteral("Alias %1 nie je možné zmeniť počas transakcie.").arg(alias));
    const QString up = alias.toUpper();
    const QString canon = canonicalFolder(folder);
    auto it = std::find_if(m_aliases.begin(), m_aliases.end(), [&](const Alias &a) { return a.name == up; });
    if (it != m_aliases.end() && it->folder == canon)
        return;
    const QString oldSchema = schemaOf(up);
    if (it != m_aliases.end())
        it->folder = canon;
    else
        m_aliases.push_back({up, canon});
    m_schemaOfAlias.clear();
    // Close what used the alias's old database and detach every attachment whose folder no
    // longer matches the alias owning its name.
    for (DataSet *ds : QSet<DataSet *>(m_dataSets))
        if (ds->aliasName().compare(up, Qt::CaseInsensitive) == 0 || (!oldSchema.isEmpty() && ds->usesSchema(oldSchema)))
            ds->close();
    const QStringList attached = m_attached.keys();
    for (const QString &schema : attached) {
        if (m_pathUsers.contains(schema))
            continue;
        if (schemaForFolder(m_attached[schema].folder) != schema)
            detach(schema);
    }
    clearStatementCache();
    m_defs.clear();
}

void Session::removeAlias(const QString &alias)
{
    if (m_depth > 0)
        throw StateError(QStringLiteral("Alias %1 nie je možné zrušiť počas transakcie.").arg(alias));
    const QString up = alias.toUpper();
    const QString schema = schemaOf(up);
    if (schema.isEmpty())
        return;
    for (DataSet *ds : QSet<DataSet *>(m_dataSets))
        if (ds->aliasName().compare(up, Qt::CaseInsensitive) == 0 || ds->usesSchema(schema))
            ds->close();
    m_aliases.erase(std::remove_if(m_aliases.begin(), m_aliases.end(), [&](const Alias &a) { return a.name == up; }),
                    m_aliases.end());
    m_schemaOfAlias.clear();
    const QStringList attached = m_attached.keys();
    for (const QString &s : attached)
        if (!m_pathUsers.contains(s) && schemaForFolder(m_attached[s].folder) != s)
            detach(s);
    clearStatementCache();
    m_defs.clear();
}

void Session::attach(const QString &alias)
{
    const QString schema = schemaOf(alias);
    if (schema.isEmpty())
        throw DbError(QStringLiteral("Neznámy alias %1").arg(alias));
    if (!m_attached.contains(schema))
        attachSchema(schema, aliasFolder(alias));
}

void Session::attachSchema(const QString &schema, const QString &folder)
{
    if (m_server) {
        clearStatementCache();
        Attachment att;
        att.folder = folder;
        try {
            if (!m_server->schemaExists(schema))
                throw TableOpenError(folder, QString(), QStringLiteral("schéma %1 na serveri neexistuje").arg(schema));
            att.tables = m_server->tableNames(schema);
        } catch (const TableOpenError &) {
            throw;
        } catch (const DbError &e) {
            throw TableOpenError(folder, QString(), e.text().section(u'\n', 0, 0));
        }
        m_attached.insert(schema, att);
        m_attachOrder.append(schema);
        updateSearchPath();
        return;
    }
    const QString file = QDir(folder).filePath(QLatin1String(databaseFileName));
    if (!QFileInfo(folder).isDir())
        throw TableOpenError(folder, QString(), QStringLiteral("priečinok neexistuje"));
    if (!QFileInfo::exists(file))
        throw TableOpenError(folder, QString(), QStringLiteral("chýba súbor databázy %1").arg(QLatin1String(databaseFileName)));
    clearStatementCache();
    try {
        execOn(m_db, QStringLiteral("ATTACH DATABASE %1 AS %2").arg(quoteText(databaseUri(file, "rw")), quoteSqlName(schema)));
    } catch (const DbError &e) {
        throw TableOpenError(folder, QString(), e.text());
    }
    Attachment att;
    att.folder = folder;
    att.presence = std::make_shared<FolderPresence>(file);
    try {
        Statement st(m_db, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type IN ('table', 'view')").arg(quoteSqlName(schema)));
        while (st.step())
            att.tables.insert(st.column(0).toString().toLower());
        Statement jm(m_db, QStringLiteral("PRAGMA %1.journal_mode").arg(quoteSqlName(schema)));
        QString mode = jm.step() ? jm.column(0).toString().toLower() : QString();
        jm.reset();
        // Only a rollback journal on disk takes part in an atomic commit over several folders.
        if (mode != u"delete" && mode != u"truncate" && mode != u"persist") {
            Statement set(m_db, QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(quoteSqlName(schema)));
            set.exec();
        }
    } catch (const DbError &e) {
        try {
            execOn(m_db, QStringLiteral("DETACH DATABASE %1").arg(quoteSqlName(schema)));
        } catch (...) {
        }
        throw TableOpenError(folder, QString(), e.text().section(u'\n', 0, 0));
    }
    m_attached.insert(schema, att);
}

void Session::detach(const QString &schema)
{
    closeSchema(schema);
    clearStatementCache();
    for (auto it = m_defs.begin(); it != m_defs.end();)
        it = it.key().startsWith(schema + u'.') ? m_defs.erase(it) : std::next(it);
    if (m_server) {
        m_attached.remove(schema);
        m_attachOrder.removeAll(schema);
        updateSearchPath();
        return;
    }
    if (m_attached.remove(schema))
        execOn(m_db, QStringLiteral("DETACH DATABASE %1").arg(quoteSqlName(schema)));
}

// A name no alias owns resolves as on SQLite, in the attached schemas in the order of their
// attachment.
void Session::updateSearchPath()
{
    if (!m_server)
        return;
    try {
        m_server->setSearchPath(m_attachOrder);
    } catch (const ServerError &) {
        // A connection that went holds no path and no presence any more: the bookkeeping
        // goes on (closing the firm must work), and the next statement reports the loss.
        if (!m_server->connection().isLost())
            throw;
        m_server->forgetConnectionState();
    }
}

void Session::restoreConnection()
{
    if (!m_server)
        return;
    if (m_depth > 0)
        throw StateError(QStringLiteral("Spojenie nie je možné obnoviť počas transakcie."));
    if (m_server->connection().answers())
        return;
    closeAll();
    m_claims->held.clear(); // they went with the old connection
    m_server->reconnect();
    clearStatementCache();
    m_defs.clear();
    ++m_generation;
}

void Session::closeSchema(const QString &schema)
{
    for (DataSet *ds : QSet<DataSet *>(m_dataSets))
        if (ds->usesSchema(schema))
            ds->close();
}

void Session::closeAll()
{
    if (m_depth > 0)
        throw StateError(QStringLiteral("Databázy nie je možné zatvoriť počas transakcie."));
    // Every dataset closes, also when one's listeners fail as it does (a detail reading over
    // a connection that went); the first failure is then told, unless the connection is gone
    // and closing is all that is left to do.
    std::exception_ptr failure;
    for (DataSet *ds : QSet<DataSet *>(m_dataSets)) {
        try {
            ds->close();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure && m_server && m_server->connection().isLost())
        failure = nullptr;
    clearStatementCache();
    m_defs.clear();
    const QStringList attached = m_attached.keys();
    for (const QString &s : attached)
        detach(s);
    m_pathUsers.clear();
    if (failure)
        std::rethrow_exception(failure);
}

QString Session::attachFolder(const QString &folder)
{
    const QString canon = canonicalFolder(folder);
    QString schema = schemaForFolder(canon);
    // On the server a folder's tables are its schema; a folder without one holds none.
    if (m_server && schema.isEmpty())
        throw TableOpenError(canon, QString(), QStringLiteral("priečinok nemá na databázovom serveri schému"));
    if (!schema.isEmpty()) {
        if (!m_attached.contains(schema))
            attachSchema(schema, canon);
        return schema;
    }
    for (auto it = m_pathUsers.begin(); it != m_pathUsers.end(); ++it)
        if (m_attached.value(it.key()).folder == canon) {
            ++it.value();
            return it.key();
        }
    schema = QStringLiteral("tarix_path%1").arg(++m_pathCounter);
    attachSchema(schema, canon);
    m_pathUsers.insert(schema, 1);
    return schema;
}

void Session::releaseFolder(const QString &schema)
{
    auto it = m_pathUsers.find(schema);
    if (it == m_pathUsers.end())
        return;
    if (--it.value() <= 0 && m_depth == 0) {
        m_pathUsers.erase(it);
        detach(schema);
    }
}

bool Session::tableExistsAt(const QString &folder, const QString &table)
{
    if (!m_server)
        return tableExistsInFolder(folder, table);
    const QString schema = schemaForFolder(canonicalFolder(folder));
    if (schema.isEmpty())
        return false;
    if (const auto attached = m_attached.constFind(schema); attached != m_attached.cend())
        return attached->tables.contains(normalizeTableName(table));
    return m_server->tableExists(schema, normalizeTableName(table));
}

bool Session::tableExists(const QString &alias, const QString &table)
{
    const QString schema = schemaOf(alias);
    if (schema.isEmpty())
        return false;
    try {
        attach(alias);
    } catch (const TableOpenError &) {
        return false;
    }
    return m_attached.value(schema).tables.contains(normalizeTableName(table));
}

QStringList Session::tableNames(const QString &alias)
{
    attach(alias);
    QStringList l;
    for (const QString &t : m_attached.value(schemaOf(alias)).tables)
        if (!t.startsWith(u'_') && !t.startsWith(QStringLiteral("sqlite_")))
            l << t;
    l.sort();
    return l;
}

void Session::invalidateSchema()
{
    m_defs.clear();
    clearStatementCache();
    if (m_server) {
        m_server->forgetTriggers();
        m_server->connection().expireStatements();
    }
    for (auto it = m_attached.begin(); it != m_attached.end(); ++it) {
        it->tables.clear();
        if (m_server) {
            it->tables = m_server->tableNames(it.key());
            continue;
        }
        Statement st(m_db, QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type IN ('table', 'view')").arg(quoteSqlName(it.key())));
        while (st.step())
            it->tables.insert(st.column(0).toString().toLower());
    }
}

const TableDef &Session::tableDef(const QString &alias, const QString &table)
{
    const QString name = normalizeTableName(table);
    const QString schema = schemaOf(alias);
    if (schema.isEmpty())
        throw TableOpenError(QString(), table, QStringLiteral("neznámy alias %1").arg(alias));
    const QString folder = aliasFolder(alias);
    try {
        attach(alias);
    } catch (const TableOpenError &e) {
        throw TableOpenError(folder, table, e.reason());
    }
    return tableDefInSchema(schema, table);
}

const TableDef &Session::tableDefInSchema(const QString &schema, const QString &table)
{
    const QString name = normalizeTableName(table);
    const QString folder = folderOfSchema(schema);
    const QString key = schema + u'.' + name;
    if (auto it = m_defs.constFind(key); it != m_defs.constEnd())
        return *it;
    if (!m_attached.value(schema).tables.contains(name))
        throw TableOpenError(folder, table, QStringLiteral("tabuľka neexistuje"));
    if (m_server) {
        try {
            return *m_defs.insert(key, m_server->readTableDef(schema, name));
        } catch (const TableOpenError &) {
            throw;
        } catch (const DbError &e) {
            throw TableOpenError(folder, table, e.text().section(u'\n', 0, 0));
        }
    }

    TableDef def;
    def.schema = schema;
    try {
        const QString qs = quoteSqlName(schema);
        {
            Statement st(m_db, QStringLiteral("SELECT name, sql FROM %1.sqlite_master WHERE type = 'table' AND lower(name) = ?").arg(qs));
            st.bind(1, name);
            if (!st.step())
                throw DbError(QStringLiteral("tabuľka neexistuje"));
            def.name = st.column(0).toString();
            if (st.column(1).toString().contains(QStringLiteral("WITHOUT ROWID"), Qt::CaseInsensitive))
                throw DbError(QStringLiteral("tabuľky WITHOUT ROWID nie sú podporované"));
        }
        QVector<QPair<int, int>> pk; // (order, field)
        {
            Statement st(m_db, QStringLiteral("PRAGMA %1.table_info(%2)").arg(qs, quoteText(def.name)));
            while (st.step()) {
                FieldDef f;
                f.name = st.column(1).toString();
                f.declaredType = st.column(2).toString();
                f.type = fieldTypeFromDeclared(f.declaredType, &f.size);
                f.required = st.column(3).toLongLong() != 0;
                const int pkOrder = int(st.column(5).toLongLong());
                const char *coll = nullptr;
                const QByteArray sb = schema.toUtf8(), tb = def.name.toUtf8(), cb = f.name.toUtf8();
                if (sqlite3_table_column_metadata(m_db, sb.constData(), tb.constData(), cb.constData(), nullptr,
                                                  &coll, nullptr, nullptr, nullptr) == SQLITE_OK && coll)
                    f.collation = QString::fromUtf8(coll).toUpper();
                else
                    f.collation = QStringLiteral("BINARY");
                if (pkOrder > 0)
                    pk.append({pkOrder, int(def.fields.size())});
                def.fields.append(f);
            }
        }
        std::sort(pk.begin(), pk.end());
        for (const auto &p : pk) {
            def.primaryKey.fields.append(p.second);
            def.primaryKey.collations.append(def.fields[p.second].collation);
            def.primaryKey.descending.append(false);
        }
        def.primaryKey.unique = !pk.isEmpty();
        if (pk.size() == 1 && def.fields[pk[0].second].declaredType.trimmed().compare(u"INTEGER", Qt::CaseInsensitive) == 0)
            def.rowidAlias = pk[0].second;
        QList<QPair<QString, bool>> idx;
        {
            Statement st(m_db, QStringLiteral("PRAGMA %1.index_list(%2)").arg(qs, quoteText(def.name)));
            while (st.step())
                if (st.column(3).toString() == u"c")
                    idx.append({st.column(1).toString(), st.column(2).toLongLong() != 0});
        }
        for (const auto &[ixName, unique] : idx) {
            IndexDef ix;
            ix.sqlName = ixName;
            ix.name = ixName.contains(u'.') ? ixName.section(u'.', -1) : ixName;
            ix.unique = unique;
            Statement st(m_db, QStringLiteral("PRAGMA %1.index_xinfo(%2)").arg(qs, quoteText(ixName)));
            while (st.step()) {
                if (st.column(5).toLongLong() == 0 || st.column(1).toLongLong() < 0)
                    continue;
                ix.fields.append(int(st.column(1).toLongLong()));
                ix.descending.append(st.column(3).toLongLong() != 0);
                ix.collations.append(st.column(4).toString().toUpper());
            }
            def.indexes.append(ix);
        }
        bool needsAutoInc = false;
        for (const FieldDef &f : def.fields)
            if (f.type == FieldType::AutoInc)
                needsAutoInc = true;
        if (needsAutoInc) {
            // A table made without the layer's housekeeping gets it on first use.
            for (const FieldDef &f : def.fields) {
                if (f.type != FieldType::AutoInc)
                    continue;
                const QString trig = QStringLiteral("_autoinc_%1_%2").arg(def.name, f.name).toLower();
                Statement st(m_db, QStringLiteral("SELECT 1 FROM %1.sqlite_master WHERE type = 'trigger' AND lower(name) = ?").arg(qs));
                st.bind(1, trig);
                const bool has = st.step();
                st.reset();
                if (!has) {
                    if (m_depth > 0)
                        throw DbError(QStringLiteral("tabuľke chýba počítadlo položky %1").arg(f.name));
                    clearStatementCache();
                    installAutoIncrement(m_db, schema, def.name, f.name);
                    m_attached[schema].tables.insert(QStringLiteral("_autoinc"));
                }
            }
        }
    } catch (const TableOpenError &) {
        throw;
    } catch (const DbError &e) {
        throw TableOpenError(folder, table, e.text().section(u'\n', 0, 0));
    }
    return *m_defs.insert(key, def);
}

SqlRewrite Session::rewrite(const QString &sql, const QString &defaultAlias)
{
    const QString key = defaultAlias.isEmpty() ? sql : defaultAlias.toUpper() + u'\x1f' + sql;
    if (auto it = m_rewrites.find(key); it != m_rewrites.end()) {
        // Detaching clears the cache, so the aliases are attached still; attach() only
        // makes sure of it.
        const CachedRewrite &cached = it->second;
        for (const QString &alias : cached.aliases)
            if (!m_attached.contains(schemaOf(alias)))
                attach(alias);
        // An attachment above cleared the cache: the entry may be gone.
        if (auto again = m_rewrites.find(key); again != m_rewrites.end())
            return again->second.rewrite;
    }
    QStringList aliases;
    SqlRewriteContext ctx;
    ctx.target = m_server ? SqlTarget::PostgreSql : SqlTarget::Sqlite;
    ctx.defaultAlias = defaultAlias;
    ctx.schemaOf = [this, &aliases](const QString &alias) -> QString {
        const QString s = schemaOf(alias);
        if (!s.isEmpty()) {
            attach(alias);
            if (!aliases.contains(alias, Qt::CaseInsensitive))
                aliases << alias;
        }
        return s;
    };
    ctx.hasTable = [this](const QString &schema, const QString &table) {
        return m_attached.value(schema).tables.contains(table);
    };
    SqlRewrite rw = rewriteSql(sql, ctx);
    if (m_rewrites.size() > 2000)
        m_rewrites.clear();
    m_rewrites.insert_or_assign(key, CachedRewrite{rw, aliases});
    return rw;
}

void Session::bindParams(Statement &st, const SqlRewrite &rw, const Params &params)
{
    // The server's text numbers the parameters in the order of rw.parameters.
    const bool byPosition = st.handle() == nullptr;
    for (int i = 0; i < rw.parameters.size(); ++i) {
        const QString &p = rw.parameters[i];
        if (!params.contains(p))
            throw DbError(QStringLiteral("Chýba hodnota parametra %1").arg(p));
        if (byPosition)
            st.bind(i + 1, params.value(p));
        else
            st.bind(p, params.value(p));
    }
}

namespace {
bool isDdl(const QString &sql)
{
    const QString t = sql.trimmed().left(7).toUpper();
    return t.startsWith(QStringLiteral("CREATE")) || t.startsWith(QStringLiteral("ALTER")) || t.startsWith(QStringLiteral("DROP"));
}
} // namespace

SqlResult Session::run(const QString &sql, const Params &params, const QString &defaultAlias)
{
    const SqlRewrite rw = rewrite(sql, defaultAlias);
    SqlResult result;
    {
        Lease st(*this, rw.sql);
        bindParams(*st, rw, params);
        const int n = st->columnCount();
        QStringList names;
        QVector<FieldType> types(n, FieldType::Unknown);
        const std::vector<Statement::ColumnMeta> &meta = st->columns();
        for (int c = 0; c < n; ++c) {
            names << meta[size_t(c)].name;
            types[c] = meta[size_t(c)].declared;
        }
        result.setColumns(names, types);
        ResultColumnTypes columnTypes(types);
        while (st->step()) {
            QVector<QVariant> row(n);
            for (int c = 0; c < n; ++c)
                row[c] = columnTypes.take(c, st->column(c));
            result.addRow(std::move(row));
        }
        for (int c = 0; c < n; ++c)
            if (types[c] == FieldType::Unknown)
                result.setColumnType(c, columnTypes.type(c));
        result.setRowsAffected(st->isReadOnly() ? 0 : m_server ? m_server->lastChanges() : sqlite3_changes64(m_db));
    }
    if (isDdl(rw.sql))
        afterDdl();
    return result;
}

qint64 Session::execute(const QString &sql, const Params &params, const QString &defaultAlias)
{
    return run(sql, params, defaultAlias).rowsAffected();
}

void Session::executeDeferred(const QString &sql, const Params &params, const QString &defaultAlias)
{
    const SqlRewrite rw = rewrite(sql, defaultAlias);
    if (isDdl(rw.sql)) {
        run(sql, params, defaultAlias);
        return;
    }
    Lease st(*this, rw.sql);
    bindParams(*st, rw, params);
    st->execDeferred(-1);
}

void Session::executeRaw(const QString &sql)
{
    clearStatementCache();
    if (m_server)
        m_server->connection().executeRaw(sql);
    else
        execOn(m_db, sql);
    if (isDdl(sql))
        afterDdl();
}

void Session::afterDdl()
{
    // A table made on the server moves its schema's data version as the schema's own tables
    // do (SQLite's data_version covers every table of a file by itself).
    if (m_server)
        for (const QString &schema : std::as_const(m_attachOrder))
            installDataVersion(m_server->connection(), schema);
    invalidateSchema();
}

// ---- statement cache ------------------------------------------------------------------------

Session::Lease::Lease(Session &s, const QString &sql) : m_session(s)
{
    Statement *found = nullptr;
    if (const auto byData = s.m_byTextData.constFind(sql.constData());
        byData != s.m_byTextData.cend() && byData.value()->sql().size() == sql.size()) {
        found = byData.value();
    } else if (const auto it = s.m_cache.find(sql); it != s.m_cache.end()) {
        found = it->second.get();
        s.m_byTextData.insert(it->first.constData(), found);
    }
    if (found && !s.m_leased.contains(found)) {
        m_stmt = found;
        m_cached = true;
    } else if (!found) {
        if (s.m_cache.size() > 400 && s.m_leased.isEmpty())
            s.forgetStatements();
        auto st = s.newStatement(sql);
        m_stmt = st.get();
        const auto added = s.m_cache.emplace(sql, std::move(st)).first;
        s.m_byTextData.insert(added->first.constData(), m_stmt);
        m_cached = true;
    } else {
        m_own = s.newStatement(sql);
        m_stmt = m_own.get();
    }
    if (m_cached)
        s.m_leased.insert(m_stmt);
}

Session::Lease::~Lease()
{
    m_stmt->reset();
    m_stmt->releaseBindings();
    if (m_cached)
        m_session.m_leased.remove(m_stmt);
}

std::unique_ptr<Statement> Session::newStatement(const QString &sql)
{
    return m_server ? std::make_unique<Statement>(*m_server, sql) : std::make_unique<Statement>(m_db, sql);
}

void Session::clearStatementCache()
{
    // Whatever the statements were prepared against may have changed: the rewritten texts
    // (schemas, tables that exist) go with them, and what readers keep must be read again.
    m_rewrites.clear();
    m_attachmentGeneration = ++g_attachmentGeneration;
    if (!m_leased.isEmpty()) {
        // Statements in use stay; the rest go.
        m_byTextData.clear();
        for (auto it = m_cache.begin(); it != m_cache.end();)
            it = m_leased.contains(it->second.get()) ? std::next(it) : m_cache.erase(it);
        return;
    }
    forgetStatements();
}

void Session::forgetStatements()
{
    m_byTextData.clear();
    m_cache.clear();
}

// ---- what may have changed --------------------------------------------------------------------

void Session::countWrite(void *self, int, const char *schema, const char *table, long long)
{
    for (WatchedTable &w : static_cast<Session *>(self)->m_watched)
        if (std::strcmp(w.schema.constData(), schema) == 0 && sqlite3_stricmp(w.table.constData(), table) == 0)
            ++w.writes;
}

void Session::noteWrites(const QString &schema, const QString &table, quint64 rows)
{
    const QByteArray s = schema.toUtf8(), t = table.toUtf8();
    for (WatchedTable &w : m_watched)
        if (w.schema == s && w.table == t)
            w.writes += rows;
}

qint64 Session::totalChanges() const
{
    return m_server ? m_server->totalChanges() : sqlite3_total_changes64(m_db);
}

qint64 Session::lastInsertRowid() const
{
    return m_server ? m_server->lastInsertRowid() : sqlite3_last_insert_rowid(m_db);
}

quint64 Session::writesTo(const QString &schema, const QString &table)
{
    const std::pair<QString, QString> spelling(schema, table);
    if (const auto kept = m_watchedBySpelling.constFind(spelling); kept != m_watchedBySpelling.cend())
        return m_watched[kept.value()].writes;
    const QByteArray s = schema.toLower().toUtf8();
    const QByteArray t = normalizeTableName(table).toUtf8();
    size_t index = 0;
    while (index < m_watched.size() && !(m_watched[index].schema == s && m_watched[index].table == t))
        ++index;
    if (index == m_watched.size())
        m_watched.push_back({s, t, 0});
    if (m_watchedBySpelling.size() < 256)
        m_watchedBySpelling.insert(spelling, index);
    return m_watched[index].writes;
}

qint64 Session::dataVersion(const QString &schema)
{
    // The server holds no lock that keeps other programs' commits out of a transaction:
    // each look asks.
    if (m_server) {
        if (!m_attached.contains(schema))
            throw DbError(QStringLiteral("Schéma %1 nie je pripojená").arg(schema));
        return m_server->dataVersion(schema);
    }
    const bool locked = m_depth > 0 && !sqlite3_get_autocommit(m_db);
    if (locked)
        if (const auto kept = m_versionsInTransaction.constFind(schema); kept != m_versionsInTransaction.cend())
            return kept.value();
    auto sql = m_dataVersionSql.constFind(schema);
    if (sql == m_dataVersionSql.cend()) {
        if (m_dataVersionSql.size() > 64)
            m_dataVersionSql.clear();
        sql = m_dataVersionSql.insert(schema, QStringLiteral("PRAGMA %1.data_version").arg(quoteSqlName(schema)));
    }
    Lease st(*this, sql.value());
    const qint64 version = st->step() ? sqlite3_column_int64(st->handle(), 0) : -1;
    if (locked)
        m_versionsInTransaction.insert(schema, version);
    return version;
}

// ---- transactions ---------------------------------------------------------------------------

namespace {

// The text of a statement on the savepoint of a transaction's depth ("SAVEPOINT",
// "RELEASE", "ROLLBACK TO"), made once for the usual depths: one is run for every post
// inside a transaction.
class SavepointTexts {
public:
    explicit SavepointTexts(const char *verb) : m_verb(QString::fromLatin1(verb))
    {
        for (int i = 0; i < int(m_texts.size()); ++i)
            m_texts[size_t(i)] = make(i);
    }
    QString at(int depth) const { return depth < int(m_texts.size()) ? m_texts[size_t(depth)] : make(depth); }

private:
    QString make(int depth) const { return QStringLiteral("%1 tarix_sp%2").arg(m_verb).arg(depth); }
    QString m_verb;
    std::array<QString, 8> m_texts;
};

} // namespace

void Session::lockForNextKey(const QString &alias, const QString &table)
{
    const QString schema = schemaOf(alias);
    if (schema.isEmpty())
        throw DbError(QStringLiteral("Neznámy alias %1").arg(alias));
    if (m_server && m_depth > 0)
        m_server->lockForNextKey(schema, normalizeTableName(table));
}

// ---- claims ----------------------------------------------------------------------------------

std::unique_ptr<Claim> Session::tryClaim(const QString &alias, const QString &key)
{
    attach(alias);
    const QString schema = schemaOf(alias);
    const QString id = schema + u'\n' + key;
    // Neither lock keeps a holder's own claims apart: the advisory lock counts again, the
    // byte lock of one descriptor is that descriptor's.
    if (m_claims->held.contains(id))
        return nullptr;
    std::shared_ptr<FolderPresence> presence;
    if (m_server) {
        if (!m_server->tryClaim(schema, key))
            return nullptr;
    } else {
        presence = m_attached.value(schema).presence;
        if (!presence)
            throw DbError(QStringLiteral("Priečinok %1 nie je pripojený.").arg(aliasFolder(alias)));
        if (!presence->tryClaim(key))
            return nullptr;
    }
    m_claims->held.insert(id);
    return std::unique_ptr<Claim>(new Claim(m_claims, schema, key, std::move(presence)));
}

void Session::holdClaimInTransaction(const QString &alias, const QString &key, ClaimWait wait)
{
    if (!m_server || transactionDepth() == 0)
        return;
    attach(alias);
    m_server->holdClaimInTransaction(schemaOf(alias), key, wait == ClaimWait::Now);
}

Claim::Claim(std::shared_ptr<Session::ClaimBook> book, QString schema, QString key,
             std::shared_ptr<FolderPresence> presence)
    : m_book(std::move(book)), m_schema(std::move(schema)), m_key(std::move(key)), m_presence(std::move(presence))
{
}

Claim::~Claim()
{
    m_book->held.remove(m_schema + u'\n' + m_key);
    if (m_presence) {
        m_presence->releaseClaim(m_key);
    } else if (Session *s = m_book->session; s && s->m_server) {
        try {
            s->m_server->releaseClaim(m_schema, m_key);
        } catch (...) {
            // A connection that cannot say it anymore gives the lock up when it ends.
        }
    }
}

void Session::begin()
{
    const qint64 changes = totalChanges();
    if (m_server) {
        // Rows are locked as they are written; a write waits for another's row (lock_timeout).
        m_server->connection().begin();
        m_server->transactionLevelBegun();
        ++m_depth;
        m_changesAtBegin.push_back(changes);
        return;
    }
    // The write lock is taken at once, so a transaction that reads before it writes waits
    // for a busy database (busy timeout) instead of failing on its first write.
    if (m_depth == 0) {
        m_versionsInTransaction.clear();
        execCached(QStringLiteral("BEGIN IMMEDIATE"));
    }
    else {
        // A post inside a transaction begins a savepoint.
        static const SavepointTexts texts("SAVEPOINT");
        execCached(texts.at(m_depth));
    }
    ++m_depth;
    m_changesAtBegin.push_back(changes);
}

void Session::commit()
{
    if (m_depth <= 0)
        throw StateError(QStringLiteral("Nie je otvorená žiadna transakcia."));
    if (!m_changesAtBegin.empty())
        m_changesAtBegin.pop_back();
    if (m_server) {
        try {
            m_server->connection().commit();
        } catch (...) {
            // A failed commit ends the server's transaction: nothing was kept.
            if (m_depth == 1) {
                m_depth = 0;
                m_changesAtBegin.clear();
                afterRollback();
                m_server->transactionLevelEnded(true);
                updateSearchPath();
            }
            throw;
        }
        m_server->transactionLevelEnded(false);
        --m_depth;
        return;
    }
    if (m_depth == 1) {
        if (sqlite3_get_autocommit(m_db)) {
            // SQLite already rolled it back (a fatal error inside): nothing was kept.
            m_depth = 0;
            afterRollback();
            throw DbError(QStringLiteral("Transakcia bola zrušená chybou databázy; zmeny neboli uložené."));
        }
        try {
            execCached(QStringLiteral("COMMIT"));
        } catch (...) {
            try {
                execOn(m_db, QStringLiteral("ROLLBACK"));
            } catch (...) {
            }
            m_depth = 0;
            m_changesAtBegin.clear();
            afterRollback();
            throw;
        }
        m_depth = 0;
    } else {
        --m_depth;
        static const SavepointTexts texts("RELEASE");
        execCached(texts.at(m_depth));
    }
}

void Session::rollback()
{
    if (m_depth <= 0)
        return;
    --m_depth;
    const qint64 changesAtBegin = m_changesAtBegin.empty() ? -1 : m_changesAtBegin.back();
    if (!m_changesAtBegin.empty())
        m_changesAtBegin.pop_back();
    // Nothing written since the scope began: no dataset needs to re-read its rows.
    const bool wroteSomething = changesAtBegin < 0 || totalChanges() != changesAtBegin;
    if (m_server) {
        try {
            m_server->connection().rollback();
        } catch (...) {
            afterRollback();
            m_server->transactionLevelEnded(true);
            throw;
        }
        if (wroteSomething)
            afterRollback();
        // The rollback undid any SET said since the level began; the path is said again
        // only when the server's now differs from the attachments'.
        m_server->transactionLevelEnded(true);
        updateSearchPath();
        return;
    }
    try {
        if (m_depth == 0) {
            if (!sqlite3_get_autocommit(m_db))
                execOn(m_db, QStringLiteral("ROLLBACK"));
        } else if (!sqlite3_get_autocommit(m_db)) {
            static const SavepointTexts rollbackTo("ROLLBACK TO"), release("RELEASE");
            execCached(rollbackTo.at(m_depth));
            execCached(release.at(m_depth));
        }
    } catch (...) {
        afterRollback();
        throw;
    }
    if (wroteSomething)
        afterRollback();
}

void Session::execCached(const QString &sql)
{
    Lease st(*this, sql);
    st->exec();
}

void Session::afterRollback()
{
    ++m_generation;
    for (DataSet *ds : QSet<DataSet *>(m_dataSets))
        ds->handleRollback();
}

void Session::registerDataSet(DataSet *ds) { m_dataSets.insert(ds); }
void Session::unregisterDataSet(DataSet *ds) { m_dataSets.remove(ds); }

Transaction::Transaction(Session *session) : m_session(session ? session : Session::defaultSession())
{
    if (!m_session)
        throw StateError(QStringLiteral("Nie je vytvorená databázová relácia."));
    m_session->begin();
}

Transaction::~Transaction()
{
    if (m_active) {
        try {
            m_session->rollback();
        } catch (...) {
        }
    }
}

void Transaction::commit()
{
    if (!m_active)
        throw StateError(QStringLiteral("Transakcia už bola ukončená."));
    m_active = false;
    m_session->commit();
}

void Transaction::rollback()
{
    if (!m_active)
        return;
    m_active = false;
    m_session->rollback();
}

// ---- database files -----------------------------------------------------------------------

void createDatabaseFromDdl(const QString &folder, const QString &ddlText)
{
    if (!QDir().mkpath(folder))
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť priečinok %1").arg(folder));
    const QString file = QDir(folder).filePath(QLatin1String(Session::databaseFileName));
    if (QFileInfo::exists(file))
        throw DbError(QStringLiteral("Databáza %1 už existuje").arg(file));
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        QFile::remove(file);
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť databázu %1: %2").arg(file, QString::fromUtf8(sqlite3_errstr(rc))));
    }
    configureConnection(db);
    try {
        execOn(db, QStringLiteral("PRAGMA journal_mode = DELETE"));
        execOn(db, QStringLiteral("BEGIN IMMEDIATE"));
        execOn(db, ddlText);
        installAllAutoIncrements(db, QStringLiteral("main"));
        execOn(db, QStringLiteral("COMMIT"));
    } catch (const DbError &e) {
        sqlite3_close_v2(db);
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
        throw DbError(QStringLiteral("Nepodarilo sa vytvoriť databázu %1: %2").arg(file, e.text()));
    }
    sqlite3_close_v2(db);
}

void createDatabase(const QString &folder, const QString &ddlFilePath)
{
    QFile f(ddlFilePath);
    if (!f.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Nepodarilo sa otvoriť súbor %1").arg(ddlFilePath));
    createDatabaseFromDdl(folder, QString::fromUtf8(f.readAll()));
}

bool tableExistsInFolder(const QString &folder, const QString &table)
{
    const QString file = QDir(folder).filePath(QLatin1String(Session::databaseFileName));
    if (!QFileInfo::exists(file))
        return false;
    sqlite3 *db = nullptr;
    const QByteArray uri = databaseUri(QFileInfo(file).absoluteFilePath(), "ro").toUtf8();
    bool found = false;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        try {
            Statement st(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = ?"));
            st.bind(1, normalizeTableName(table));
            found = st.step();
        } catch (const DbError &) {
            found = false;
        }
    }
    sqlite3_close_v2(db);
    return found;
}

} // namespace tarix::db
