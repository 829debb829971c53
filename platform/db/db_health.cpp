#include "platform/db/db_health.h"

#include "platform/db/db_error.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/db/sql_dialect.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

namespace tarix::db {

namespace {

// The file's own permission bits (WriteUser says what the system lets this user do).
constexpr QFileDevice::Permissions kAnyWrite =
    QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

bool isBusy(int rc)
{
    const int primary = rc & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}

// Steps a statement to its end; returns SQLite's code and the first column of the first row.
int runQuery(sqlite3 *db, const char *sql, sqlite3_int64 *first = nullptr, const QString &bindText = {})
{
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(st);
        return rc;
    }
    if (!bindText.isNull()) {
        const QByteArray text = bindText.toUtf8();
        sqlite3_bind_text(st, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    bool firstRow = true;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        if (firstRow && first)
            *first = sqlite3_column_int64(st, 0);
        firstRow = false;
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

// A copy cut short: the header's own page count (valid while its change counter matches
// the one it was written with) says how long the file must be. Read only while SQLite holds
// a lock or has failed, so that another program's commit in progress is not taken for it.
QString truncation(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = f.read(100);
    auto be = [&](int at, int bytes) {
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | quint8(header[at + i]);
        return v;
    };
    if (header.size() < 100 || !header.startsWith(QByteArray("SQLite format 3\0", 16))
        || be(24, 4) != be(92, 4))
        return {};
    const quint64 pageSize = be(16, 2) == 1 ? 65536 : be(16, 2);
    const quint64 expected = pageSize * be(28, 4);
    if (expected == 0 || quint64(f.size()) >= expected)
        return {};
    return QStringLiteral("súbor je skrátený (%1 bajtov z %2)").arg(f.size()).arg(expected);
}

} // namespace

DatabaseHealth checkFolderDatabase(const QString &folder, const QString &table, int busyWaitMs)
{
    DatabaseHealth h;
    h.file = QFileInfo(QDir(folder).filePath(QLatin1String(Session::databaseFileName))).absoluteFilePath();
    const QFileInfo info(h.file);
    if (!info.exists() && !info.isSymLink())
        return h;
    if (!info.isFile()) {
        h.state = DatabaseState::Damaged;
        h.reason = QStringLiteral("na mieste súboru databázy je priečinok alebo iný objekt");
        return h;
    }
    if (info.size() == 0) {
        h.state = DatabaseState::Damaged;
        h.reason = QStringLiteral("súbor je prázdny");
        return h;
    }

    sqlite3 *db = nullptr;
    // A URI, so that nothing is created; read-only, so that nothing is written.
    const QByteArray uri = (QUrl::fromLocalFile(h.file).toString(QUrl::FullyEncoded)
                            + QStringLiteral("?mode=ro")).toUtf8();
    int rc = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    auto finish = [&](int code) {
        if (code == SQLITE_OK) {
            h.state = DatabaseState::Healthy;
        } else {
            h.state = isBusy(code) ? DatabaseState::Busy : DatabaseState::Damaged;
            // The connection's text when it has one, else the code's own.
            const char *msg = db ? sqlite3_errmsg(db) : nullptr;
            h.reason = QString::fromUtf8(msg && *msg && sqlite3_errcode(db) != SQLITE_OK
                                             ? msg
                                             : sqlite3_errstr(code));
            if (h.state == DatabaseState::Damaged)
                if (const QString cut = truncation(h.file); !cut.isEmpty())
                    h.reason = cut + QStringLiteral(": ") + h.reason;
        }
        sqlite3_close_v2(db);
        return h;
    };
    if (rc != SQLITE_OK)
        return finish(rc);
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyWaitMs);
    // One read transaction, so that the checks see one state of the file.
    if ((rc = runQuery(db, "BEGIN")) != SQLITE_OK)
        return finish(rc);
    if ((rc = runQuery(db, "SELECT count(*) FROM sqlite_master")) != SQLITE_OK)
        return finish(rc);
    if (const QString cut = truncation(h.file); !cut.isEmpty()) {
        runQuery(db, "COMMIT");
        sqlite3_close_v2(db);
        h.state = DatabaseState::Damaged;
        h.reason = cut;
        return h;
    }
    if (!table.isEmpty()) {
        QString name = table;
        if (const int dot = name.lastIndexOf(u'.'); dot > 0)
            name.truncate(dot);
        sqlite3_int64 found = 0;
        rc = runQuery(db,
                      "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)",
                      &found, name);
        if (rc != SQLITE_OK)
            return finish(rc);
        if (!found) {
            runQuery(db, "COMMIT");
            sqlite3_close_v2(db);
            h.state = DatabaseState::Damaged;
            h.tableMissing = true;
            h.reason = QStringLiteral("chýba tabuľka %1").arg(name.toUpper());
            return h;
        }
        // Reading every row walks the table's pages: a damaged page shows here.
        rc = runQuery(db, QStringLiteral("SELECT * FROM %1").arg(quoteSqlName(name)).toUtf8().constData());
        if (rc != SQLITE_OK)
            return finish(rc);
    }
    runQuery(db, "COMMIT");
    return finish(SQLITE_OK);
}

bool databaseWritable(const QString &folder)
{
    const QFileInfo file(QDir(folder).filePath(QLatin1String(Session::databaseFileName)));
    const QFileInfo dir(folder);
    for (const QFileInfo &fi : {file, dir})
        if (!fi.isWritable() || !(fi.permissions() & kAnyWrite))
            return false;
    return true;
}

namespace {


DatabaseHealth checkServerFolder(Session &session, const QString &folder, const QString &table)
{
    PgConnection &conn = *session.serverConnection();
    const QString schema = session.serverSchemaOfFolder(folder);
    DatabaseHealth h;
    h.file = folderDatabaseName(&session, folder);
    if (schema.isEmpty())
        return h;
    try {
        if (!serverSchemaExists(conn, schema))
            return h;
        if (!table.isEmpty()) {
            const QString name = normalizeTableName(table);
            const QString qualified = quoteSqlName(schema) + u'.' + quoteSqlName(name);
            if (conn.exec(QStringLiteral("SELECT to_regclass($1) IS NOT NULL"), {qualified}).value(0, 0).toLongLong() == 0) {
                h.state = DatabaseState::Damaged;
                h.tableMissing = true;
                h.reason = QStringLiteral("chýba tabuľka %1").arg(name.toUpper());
                return h;
            }
            // A read the login is refused, or a table another program holds locked, shows here.
            conn.exec(QStringLiteral("SELECT 1 FROM %1 LIMIT 1").arg(qualified));
        }
        h.state = DatabaseState::Healthy;
    } catch (const BusyError &e) {
        h.state = DatabaseState::Busy;
        h.reason = e.text().section(u'\n', 0, 0);
    } catch (const DbError &e) {
        h.state = DatabaseState::Damaged;
        h.reason = e.text().section(u'\n', 0, 0);
    }
    return h;
}

} // namespace

QString folderDatabaseName(Session *session, const QString &folder)
{
    if (!session || !session->isServer())
        return QDir(folder).filePath(QLatin1String(Session::databaseFileName));
    const QString schema = session->serverSchemaOfFolder(folder);
    return QStringLiteral("%1 (schéma %2 na serveri %3)")
        .arg(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()), schema.isEmpty() ? QStringLiteral("–") : schema,
             session->serverConnection()->serverName());
}

DatabaseHealth checkFolderDatabase(Session *session, const QString &folder, const QString &table, int busyWaitMs)
{
    if (session && session->isServer())
        return checkServerFolder(*session, folder, table);
    return checkFolderDatabase(folder, table, busyWaitMs);
}

bool databaseWritable(Session *session, const QString &folder, const QString &table)
{
    if (!session || !session->isServer())
        return databaseWritable(folder);
    PgConnection &conn = *session->serverConnection();
    const QString schema = session->serverSchemaOfFolder(folder);
    if (schema.isEmpty())
        return false;
    try {
        const QString check = table.isEmpty() ? QStringLiteral("has_schema_privilege($1, 'USAGE')")
                                              : QStringLiteral("has_table_privilege($1, 'INSERT, UPDATE, DELETE')");
        const QString object = table.isEmpty() ? schema
                                               : quoteSqlName(schema) + u'.' + quoteSqlName(normalizeTableName(table));
        return conn.exec(QStringLiteral("SELECT (%1) AND current_setting('transaction_read_only') = 'off'").arg(check),
                         {object})
                   .value(0, 0).toLongLong() != 0;
    } catch (const DbError &) {
        return false;
    }
}

} // namespace tarix::db
