#include "core/firm_admin.h"

#include "core/database_server.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/numbered_files.h"
#include "core/session.h"
#include "platform/db/db_error.h"
#include "platform/db/db_health.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/server_session.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/shell/launcher.h"
#include "platform/shell/paths.h"
#include "platform/shell/shell_utils.h"
#include "platform/ui/user_interface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <libpq-fe.h>
#include <sqlite3.h>

namespace tarix::core {

namespace {

Archiver g_archivator;
FirmAdminSteps g_kroky;

const QString kDatabaza = QString::fromLatin1(db::Session::databaseFileName);

int archiveFolder(const QString &program, const QString &parameters)
{
    const QString folder = appPaths().programFolder;
    return g_archivator ? g_archivator(program, parameters, folder) : runArchiver(program, parameters, folder);
}

void closeDatabases()
{
    if (g_kroky.zatvor_databazy) {
        g_kroky.zatvor_databazy();
        return;
    }
    dropOpenFirm();
    session().closeAll();
}

void buildFirmMenu()
{
    if (g_kroky.vytvor_menu_firiem)
        g_kroky.vytvor_menu_firiem();
}

QString networkFolder() { return appPaths().networkRoot; }

// A folder under `parent`, found whatever the case of its name, made when missing.
QString backupFolderIn(const QString &parent, const QString &name)
{
    QString path = shell::findCaseInsensitive(parent + name);
    if (!path.endsWith(u'/'))
        path += u'/';
    QDir().mkpath(path);
    return path;
}

bool folderExists(const QString &path) { return QFileInfo::exists(shell::findCaseInsensitive(path)); }

QString withoutSlash(QString path)
{
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString shellQuoted(const QString &text) { return u'"' + text + u'"'; }

// A consistent copy of a folder's database into `target` (a file): SQLite's online backup
// reads the whole database under one read lock, so another program's write is either all
// in the copy or not at all.
void copyDatabase(const QString &source, const QString &target)
{
    sqlite3 *src = nullptr;
    sqlite3 *dst = nullptr;
    auto fail = [&](const QString &why) {
        sqlite3_close_v2(src);
        sqlite3_close_v2(dst);
        QFile::remove(target);
        throw EMyError(QStringLiteral("Kópia databázy %1 sa nepodarila: %2").arg(QDir::toNativeSeparators(source), why));
    };
    if (sqlite3_open_v2(source.toUtf8().constData(), &src, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(src)));
    sqlite3_busy_timeout(src, db::kDatabaseBusyWaitMs);
    if (sqlite3_open_v2(target.toUtf8().constData(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_errmsg(dst)));
    sqlite3_backup *b = sqlite3_backup_init(dst, "main", src, "main");
    if (!b)
        fail(QString::fromUtf8(sqlite3_errmsg(dst)));
    int rc = SQLITE_OK;
    // A busy source is waited for as long as a write waits, then reported.
    for (int tries = 0; tries < 50; ++tries) {
        rc = sqlite3_backup_step(b, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(100);
    }
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        fail(QString::fromUtf8(sqlite3_errstr(rc)));
    sqlite3_close_v2(src);
    if (sqlite3_close_v2(dst) != SQLITE_OK)
        fail(QStringLiteral("zápis kópie"));
}

bool isJournal(const QString &name)
{
    return name.endsWith(QStringLiteral("-journal"), Qt::CaseInsensitive)
           || name.endsWith(QStringLiteral("-wal"), Qt::CaseInsensitive)
           || name.endsWith(QStringLiteral("-shm"), Qt::CaseInsensitive);
}

// Copies every file (not folder) of `source` into `target`; the database through a
// consistent copy, journals left out. Throws on the first failure.
void copyFiles(const QString &source, const QString &target)
{
    const QDir dir(source);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (isJournal(fi.fileName()))
            continue;
        const QString dest = target + fi.fileName();
        if (fi.fileName().compare(kDatabaza, Qt::CaseInsensitive) == 0)
            copyDatabase(fi.absoluteFilePath(), dest);
        else
            ShellUtils::CopyFileTo(fi.absoluteFilePath(), dest);
    }
}

// Zips what `fill` puts into a temporary folder into `archive` (without ".zip"); a failure
// of either is reported as an error and false is returned.
bool packContents(const std::function<void(const QString &folder)> &fill, const QString &archive)
{
    QTemporaryDir tmp;
    try {
        if (!tmp.isValid())
            throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
        fill(tmp.path() + u'/');
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(errorText(e));
        return false;
    }
    const int status = archiveFolder(QStringLiteral("zip"), QStringLiteral("-j ") + shellQuoted(archive) + u' '
                                                          + shellQuoted(tmp.path() + QStringLiteral("/*")));
    if (status != 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Archív %1.zip sa nepodarilo vytvoriť (program zip skončil s kódom %2).")
                                   .arg(QDir::toNativeSeparators(archive))
                                   .arg(status));
        return false;
    }
    return true;
}

// Zips a consistent copy of the folder's files into `archive`.
bool pack(const QString &folder, const QString &archive)
{
    return packContents([&](const QString &tmp) { copyFiles(folder, tmp); }, archive);
}

QString firmText(int firma)
{
    return firmFolderName(firma);
}

quint32 littleEndian32(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 littleEndian16(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// ---- firms and years on the database server --------------------------------------------------
//
// On the server a firm or a year is a schema. Its copies are made by the server's client
// programs: pg_dump writes a schema as one snapshot (a consistent copy while others write),
// pg_restore turns such a dump back into the SQL that makes it. That SQL runs on a
// connection of its own in one transaction with the renames that put its schema in place,
// so a failure anywhere leaves every schema as it was.

bool isOnServer() { return session().isServer(); }

// Firm administration of several programs goes one at a time (two clerks adding a firm).
constexpr qint64 kSpravaFiriemLock = 0x54525841444D4E;

// How the client programs and the administration's own connection reach the server: the
// session's connection settings. A password never goes on a command line: the programs
// read it from a password file of their own.
struct Server {
    QString nazov;
    int verzia = 0;          // the server's major version
    QString spojenie;        // with the password, for this program's connection
    QString prikazovy;       // without it, for the command line
    std::shared_ptr<QTemporaryDir> heslo;
};

QString connectionValue(const QString &v)
{
    return u'\'' + QString(v).replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'")) + u'\'';
}

Server server()
{
    db::PgConnection *c = session().serverConnection();
    Server s;
    s.nazov = c->serverName();
    s.verzia = PQserverVersion(c->handle()) / 10000;
    QStringList all, line;
    QString heslo, passfile;
    PQconninfoOption *opts = PQconninfo(c->handle());
    for (PQconninfoOption *o = opts; o && o->keyword; ++o) {
        if (!o->val || !*o->val)
            continue;
        const QByteArray key(o->keyword);
        const QString pair = QString::fromLatin1(key) + u'=' + connectionValue(QString::fromUtf8(o->val));
        all << pair;
        if (key == "password")
            heslo = QString::fromUtf8(o->val);
        else if (key == "passfile")
            passfile = pair;
        else
            line << pair;
    }
    PQconninfoFree(opts);
    s.spojenie = all.join(u' ');
    if (!heslo.isEmpty()) {
        s.heslo = std::make_shared<QTemporaryDir>();
        const QString file = s.heslo->filePath(QStringLiteral("pgpass"));
        QFile f(file);
        if (!s.heslo->isValid() || !f.open(QIODevice::WriteOnly)
            || !f.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
            || f.write(QStringLiteral("*:*:*:*:%1\n")
                           .arg(QString(heslo).replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:")))
                           .toUtf8())
                   < 0)
            throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný súbor s heslom pre server %1.").arg(s.nazov));
        line << QStringLiteral("passfile=") + connectionValue(file);
    } else if (!passfile.isEmpty()) {
        line << passfile;
    }
    s.prikazovy = line.join(u' ');
    return s;
}

// A client program of the server (pg_dump, pg_restore) of the server's major version or
// newer. Debian keeps each version's programs in a folder of its own; the newest serves
// every older server.
QString serverTool(const QString &name, int verzia)
{
    QList<int> versions;
    for (const QString &v : QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (v.toInt() > 0 && QFileInfo(QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(v, name)).isExecutable())
            versions << v.toInt();
    std::sort(versions.begin(), versions.end());
    if (!versions.isEmpty()) {
        if (versions.last() < verzia)
            throw EMyError(QStringLiteral("program %1 verzie %2 je starší ako databázový server (verzia %3)")
                               .arg(name)
                               .arg(versions.last())
                               .arg(verzia));
        return QStringLiteral("/usr/lib/postgresql/%1/bin/%2").arg(versions.last()).arg(name);
    }
    // Elsewhere the one on the PATH, which itself refuses a newer server.
    const QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        throw EMyError(QStringLiteral("program %1 (balík postgresql-client) nie je nainštalovaný").arg(name));
    return found;
}

QString inShell(const QString &word) { return u'\'' + QString(word).replace(u'\'', QStringLiteral("'\\''")) + u'\''; }

// Runs a client program of the server through the shell with its error text caught in a
// file. Throws EMyError with the reason when it cannot be started or ends with an error.
void runTool(const QString &name, const QStringList &args, int verzia)
{
    const QString program = serverTool(name, verzia);
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString errors = tmp.filePath(QStringLiteral("chyby.txt"));
    QString script = QStringLiteral("exec ") + inShell(program);
    for (const QString &a : args)
        script += u' ' + inShell(a);
    script += QStringLiteral(" 2>") + inShell(errors);
    // The command line groups words by double quotes; a literal one is written three times.
    const QString parameters = QStringLiteral("-c \"") + QString(script).replace(u'"', QStringLiteral("\"\"\"")) + u'"';
    int status = -1;
    if (ShellUtils::ExecuteAndWait(QStringLiteral("sh"), parameters, tmp.path()) == 0)
        status = ShellUtils::Kod_ukoncenia;
    if (status == 0)
        return;
    QString text;
    QFile f(errors);
    if (f.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(f.readAll()).trimmed();
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    // The last lines say what went wrong; the first ones are often the context.
    const QString why = lines.mid(qMax(0, lines.size() - 3)).join(QStringLiteral("; "));
    throw EMyError(why.isEmpty() ? QStringLiteral("program %1 skončil s kódom %2").arg(name).arg(status)
                                 : QStringLiteral("%1 (program %2 skončil s kódom %3)").arg(why, name).arg(status));
}

// A schema into the dump file `file`.
void dumpSchema(const Server &s, const QString &schema, const QString &file)
{
    runTool(QStringLiteral("pg_dump"),
                  {QStringLiteral("--format=custom"), QStringLiteral("--schema=") + schema,
                   QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"),
                   // Rows as INSERTs: their SQL runs on an ordinary connection.
                   QStringLiteral("--rows-per-insert=1000"), QStringLiteral("--file=") + file,
                   QStringLiteral("--dbname=") + s.prikazovy},
                  s.verzia);
}

// What a dump makes: its schema's name and the SQL that makes it.
struct Vypis {
    QString schema;
    QString sql;
};

QString readWholeFile(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw EMyError(QStringLiteral("Súbor %1 sa nedá prečítať.").arg(QDir::toNativeSeparators(file)));
    return QString::fromUtf8(f.readAll());
}

// ---- what a dump's SQL may do ---------------------------------------------------------------

// A word of SQL text: a name (unquoted ones in lower case), a string's contents, a number or
// a sign.
struct SqlToken {
    enum Kind { Name, Text, Number, Sign } kind;
    QString text;
};

// The statements of a dump's SQL as tokens. Comments go; a function's body (dollar-quoted)
// stays part of its statement and is read as SQL, since it runs later; the rows of a COPY
// are no SQL and are skipped.
std::vector<std::vector<SqlToken>> sqlStatements(const QString &sql)
{
    std::vector<std::vector<SqlToken>> out(1);
    QString dollarTag; // inside a dollar-quoted body when not empty
    const qsizetype n = sql.size();
    const auto isNameStart = [](QChar c) { return c.isLetter() || c == u'_'; };
    const auto isNamePart = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; };
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'-' && i + 1 < n && sql.at(i + 1) == u'-') {
            while (i < n && sql.at(i) != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < n && sql.at(i + 1) == u'*') {
            int depth = 0;
            do {
                if (sql.mid(i, 2) == u"/*") {
                    ++depth;
                    i += 2;
                } else if (sql.mid(i, 2) == u"*/") {
                    --depth;
                    i += 2;
                } else {
                    ++i;
                }
            } while (i < n && depth > 0);
        } else if (c == u'\'' || ((c == u'E' || c == u'e') && i + 1 < n && sql.at(i + 1) == u'\'')) {
            const bool escapes = c != u'\'';
            i += escapes ? 2 : 1;
            QString text;
            while (i < n) {
                const QChar d = sql.at(i);
                if (escapes && d == u'\\' && i + 1 < n) {
                    text += sql.at(i + 1);
                    i += 2;
                } else if (d == u'\'' && i + 1 < n && sql.at(i + 1) == u'\'') {
                    text += d;
                    i += 2;
                } else if (d == u'\'') {
                    ++i;
                    break;
                } else {
                    text += d;
                    ++i;
                }
            }
            out.back().push_back({SqlToken::Text, text});
        } else if (c == u'"') {
            QString name;
            for (++i; i < n; ++i) {
                if (sql.at(i) == u'"' && i + 1 < n && sql.at(i + 1) == u'"') {
                    name += u'"';
                    ++i;
                } else if (sql.at(i) == u'"') {
                    ++i;
                    break;
                } else {
                    name += sql.at(i);
                }
            }
            out.back().push_back({SqlToken::Name, name});
        } else if (c == u'$' && (i + 1 < n) && (sql.at(i + 1) == u'$' || isNameStart(sql.at(i + 1)))) {
            qsizetype j = i + 1;
            while (j < n && sql.at(j) != u'$' && isNamePart(sql.at(j)))
                ++j;
            if (j < n && sql.at(j) == u'$') {
                const QString tag = sql.mid(i, j - i + 1);
                if (dollarTag.isEmpty())
                    dollarTag = tag;
                else if (dollarTag == tag)
                    dollarTag.clear();
                i = j + 1;
            } else {
                out.back().push_back({SqlToken::Sign, QString(c)});
                ++i;
            }
        } else if (isNameStart(c)) {
            qsizetype j = i;
            while (j < n && isNamePart(sql.at(j)))
                ++j;
            out.back().push_back({SqlToken::Name, sql.mid(i, j - i).toLower()});
            i = j;
        } else if (c.isDigit()) {
            qsizetype j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == u'.'))
                ++j;
            out.back().push_back({SqlToken::Number, sql.mid(i, j - i)});
            i = j;
        } else if (c == u';' && dollarTag.isEmpty()) {
            ++i;
            const std::vector<SqlToken> &st = out.back();
            // The rows of a COPY follow its statement up to a line "\.".
            if (!st.empty() && st.front().text == u"copy" && st.back().text == u"stdin") {
                const qsizetype end = sql.indexOf(QLatin1String("\n\\.\n"), i);
                i = end < 0 ? n : end + 4;
            }
            out.emplace_back();
        } else {
            out.back().push_back({SqlToken::Sign, QString(c)});
            ++i;
        }
    }
    out.erase(std::remove_if(out.begin(), out.end(), [](const auto &st) { return st.empty(); }), out.end());
    return out;
}

// Why the SQL a dump of `schema` makes may not run, in the clerk's words; empty when it may.
// It may only make the schema's objects and rows: statements of the kinds a dump of the
// program's schemas holds, settings of the restore itself, and no name of another schema
// of the server (`otherSchemas`) beyond the program schema's types, collation and the
// function that announces writes. A crafted archive whose entries all claim the schema
// would otherwise run what it likes with the clerk's rights.
QString restoreSqlProblem(const QString &sql, const QString &schema, const QStringList &otherSchemas)
{
    static const QStringList kStatements{
        QStringLiteral("set"), QStringLiteral("select"), QStringLiteral("create schema"), QStringLiteral("create table"),
        QStringLiteral("create sequence"), QStringLiteral("alter sequence"), QStringLiteral("alter table"),
        QStringLiteral("create index"), QStringLiteral("create unique index"), QStringLiteral("create trigger"),
        QStringLiteral("create function"), QStringLiteral("create view"), QStringLiteral("comment on"),
        QStringLiteral("insert into"), QStringLiteral("copy")};
    static const QStringList kSettings{
        QStringLiteral("statement_timeout"), QStringLiteral("lock_timeout"),
        QStringLiteral("idle_in_transaction_session_timeout"), QStringLiteral("transaction_timeout"),
        QStringLiteral("client_encoding"), QStringLiteral("standard_conforming_strings"),
        QStringLiteral("check_function_bodies"), QStringLiteral("xmloption"), QStringLiteral("client_min_messages"),
        QStringLiteral("row_security"), QStringLiteral("default_tablespace"),
        QStringLiteral("default_table_access_method"), QStringLiteral("default_with_oids"),
        QStringLiteral("search_path")};
    static const QStringList kProgramObjects{QStringLiteral("money_real"), QStringLiteral("logical"),
                                             QStringLiteral("autoinc_int"), QStringLiteral("sk"),
                                             QStringLiteral("data_changed")};
    const auto words = [](const std::vector<SqlToken> &st, int count) {
        QStringList w;
        for (int k = 0; k < count && k < int(st.size()) && st[size_t(k)].kind == SqlToken::Name; ++k)
            w << st[size_t(k)].text;
        return w.join(u' ');
    };
    const auto foreign = [&](const QString &name) {
        return name != schema && name != u"pg_catalog"
               && (otherSchemas.contains(name) || name == QLatin1String(db::kProgramSchema) || name == u"public"
                   || name == u"information_schema" || name.startsWith(QLatin1String("pg_")));
    };
    for (const std::vector<SqlToken> &st : sqlStatements(sql)) {
        const QString head = words(st, 3);
        bool known = false;
        for (const QString &k : kStatements)
            known = known || head == k || head.startsWith(k + u' ');
        if (!known)
            return QStringLiteral("príkaz %1").arg(head.isEmpty() ? st.front().text : head.toUpper());
        // Names of other schemas, also in the bodies of functions.
        for (size_t k = 0; k + 2 < st.size(); ++k)
            if (st[k].kind == SqlToken::Name && st[k + 1].text == u"." && st[k + 2].kind == SqlToken::Name
                && foreign(st[k].text)
                && !(st[k].text == QLatin1String(db::kProgramSchema) && kProgramObjects.contains(st[k + 2].text)))
                return QStringLiteral("odkaz na inú schému (%1.%2)").arg(st[k].text, st[k + 2].text);
        if (head == u"create schema" || head.startsWith(QLatin1String("comment on schema"))) {
            const size_t at = head == u"create schema" ? 2 : 3;
            if (st.size() <= at || st[at].text != schema)
                return QStringLiteral("schéma inú ako %1").arg(schema);
        }
        if (head.startsWith(QLatin1String("set "))) {
            const QString setting = st.size() > 1 ? st[1].text : QString();
            if (!kSettings.contains(setting))
                return QStringLiteral("nastavenie %1").arg(setting);
        }
        if (head.startsWith(QLatin1String("select"))) {
            // pg_catalog.set_config('search_path', ...) and pg_catalog.setval('<schema>.<sequence>', ...).
            const QString function = st.size() > 3 && st[1].text == u"pg_catalog" && st[2].text == u"." ? st[3].text : QString();
            const QString argument = st.size() > 5 && st[5].kind == SqlToken::Text ? st[5].text : QString();
            const bool setting = function == u"set_config" && argument == u"search_path";
            const bool sequence = function == u"setval"
                                  && (argument.startsWith(schema + u'.') || argument.startsWith(u'"' + schema + QStringLiteral("\".")));
            if (!setting && !sequence)
                return QStringLiteral("príkaz SELECT %1").arg(function);
        }
        if (head.startsWith(QLatin1String("insert into"))) {
            // Rows are values, never calls that would run something.
            size_t k = 0;
            while (k < st.size() && st[k].text != u"values")
                ++k;
            for (++k; k < st.size(); ++k) {
                const SqlToken &t = st[k];
                const bool value = t.kind == SqlToken::Text || t.kind == SqlToken::Number
                                   || (t.kind == SqlToken::Sign && QStringLiteral("(),-+").contains(t.text))
                                   || (t.kind == SqlToken::Name
                                       && (t.text == u"null" || t.text == u"true" || t.text == u"false"));
                if (!value)
                    return QStringLiteral("vkladaný riadok s výrazom (%1)").arg(t.text);
            }
        }
    }
    return {};
}

// Reads a dump. Only a dump of one schema of the program's kinds of objects is taken: an
// entry outside it (another schema, a role, an extension, the database) is refused, so
// restoring never reaches beyond the schema it makes.
Vypis readListing(const QString &dump, int verzia)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString list = tmp.filePath(QStringLiteral("obsah.txt"));
    runTool(QStringLiteral("pg_restore"), {QStringLiteral("--list"), QStringLiteral("--file=") + list, dump}, verzia);
    static const QStringList kinds{QStringLiteral("SCHEMA"), QStringLiteral("TABLE"), QStringLiteral("TABLE DATA"),
                                   QStringLiteral("SEQUENCE"), QStringLiteral("SEQUENCE SET"),
                                   QStringLiteral("SEQUENCE OWNED BY"), QStringLiteral("DEFAULT"),
                                   QStringLiteral("CONSTRAINT"), QStringLiteral("FK CONSTRAINT"), QStringLiteral("INDEX"),
                                   QStringLiteral("TRIGGER"), QStringLiteral("FUNCTION"), QStringLiteral("COMMENT"),
                                   QStringLiteral("VIEW")};
    // "12; 1259 16390 TABLE data01 inf tarix": id; catalogue, object, kind, schema, name, owner.
    static const QRegularExpression entry(QStringLiteral("^\\d+;\\s+\\d+\\s+\\d+\\s+(.+)$"));
    Vypis v;
    QStringList entries;
    for (const QString &line : readWholeFile(list).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u';'))
            continue;
        const auto m = entry.match(line);
        if (!m.hasMatch())
            throw EMyError(QStringLiteral("nečitateľný obsah zálohy (%1)").arg(line));
        entries << m.captured(1);
    }
    for (const QString &e : std::as_const(entries))
        if (e.startsWith(QLatin1String("SCHEMA - "))) {
            if (!v.schema.isEmpty())
                throw EMyError(QStringLiteral("záloha obsahuje viac schém"));
            v.schema = e.section(u' ', 2, 2);
        }
    static const QRegularExpression name(QStringLiteral("^[a-z_][a-z0-9_]*$"));
    if (!name.match(v.schema).hasMatch())
        throw EMyError(QStringLiteral("záloha neobsahuje schému firmy ani roka"));
    for (const QString &e : std::as_const(entries)) {
        QString kind;
        for (const QString &k : kinds)
            if (e.startsWith(k + QStringLiteral(" ")) && k.size() > kind.size())
                kind = k;
        const QString rest = e.mid(kind.size() + 1);
        const QString schema = rest.section(u' ', 0, 0);
        const bool own = kind == u"SCHEMA" ? rest.startsWith(QStringLiteral("- ") + v.schema + u' ')
                                             || rest == QStringLiteral("- ") + v.schema
                                           : schema == v.schema || (kind == u"COMMENT" && schema == u"-"
                                                                   && rest.startsWith(QStringLiteral("- SCHEMA ") + v.schema));
        if (kind.isEmpty() || !own)
            throw EMyError(QStringLiteral("záloha obsahuje položku mimo schémy %1 (%2)").arg(v.schema, e));
    }
    const QString sqlFile = tmp.filePath(QStringLiteral("obnova.sql"));
    runTool(QStringLiteral("pg_restore"),
                  {QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"), QStringLiteral("--file=") + sqlFile, dump},
                  verzia);
    v.sql = readWholeFile(sqlFile);
    // Newer programs fence the text with commands of their own terminal client; they are
    // no SQL and no data.
    static const QRegularExpression fence(QStringLiteral("^\\\\(un)?restrict [A-Za-z0-9]*\\r?$"),
                                          QRegularExpression::MultilineOption);
    v.sql.remove(fence);
    return v;
}

QString newName(const QString &prefix)
{
    return prefix + QString::number(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull, 16);
}

void renameSchema(db::PgConnection &conn, const QString &from, const QString &to)
{
    conn.executeRaw(QStringLiteral("ALTER SCHEMA \"%1\" RENAME TO \"%2\"").arg(from, to));
}

// The functions that fill AUTOINC_INT fields name their sequence with the schema's name;
// after a rename they must name the new one.
void repairFunctions(db::PgConnection &conn, const QString &from, const QString &to)
{
    const db::PgResult r = conn.exec(QStringLiteral(
        "SELECT pg_catalog.pg_get_functiondef(p.oid) FROM pg_catalog.pg_proc p "
        "JOIN pg_catalog.pg_namespace n ON n.oid = p.pronamespace WHERE n.nspname = $1"), {to});
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString def = r.value(i, 0).toString();
        QString fixed = def;
        fixed.replace(QStringLiteral("\"%1\".\"_autoinc_").arg(from), QStringLiteral("\"%1\".\"_autoinc_").arg(to));
        fixed.replace(QStringLiteral("%1.\"_autoinc_").arg(from), QStringLiteral("%1.\"_autoinc_").arg(to));
        if (fixed != def)
            conn.executeRaw(fixed);
    }
}

// A replaced schema's data version is carried over, so that it only ever moves forward and
// no program trusts what it kept from before.
void carryVersion(db::PgConnection &conn, const QString &from, const QString &to)
{
    conn.exec(QStringLiteral(
        "SELECT pg_catalog.setval(format('%I._data_version', $2::text), "
        "(SELECT last_value FROM \"%1\"._data_version) + (SELECT last_value FROM \"%2\"._data_version) + 1) "
        "WHERE to_regclass(format('%I._data_version', $1::text)) IS NOT NULL "
        "AND to_regclass(format('%I._data_version', $2::text)) IS NOT NULL").arg(from, to),
              {from, to});
    // The programs that listen learn of the new content when this transaction commits.
    conn.exec(QStringLiteral("SELECT pg_catalog.pg_notify($1, $2)"), {QString::fromLatin1(db::kDataChangedChannel), to});
}

// Makes the schema `target` from a dump's SQL, in one transaction: the SQL makes its schema
// under the dump's name (a schema of that name steps aside meanwhile and comes back), its
// header table is read, then it takes the name `target`. A target that exists is replaced
// only when `replace`, else refused. Throws with the reason; then nothing has changed.
void dropSchema(const Server &s, const Vypis &v, const QString &target, const QString &headerTable, bool replace)
{
    db::PgConnection conn(s.spojenie);
    // Nothing of the dump runs unless all of it only makes its schema.
    if (const QString problem = restoreSqlProblem(v.sql, v.schema, db::serverSchemas(conn)); !problem.isEmpty())
        throw EMyError(QStringLiteral("záloha obsahuje príkaz mimo schémy %1: %2").arg(v.schema, problem));
    conn.begin();
    try {
        conn.exec(QStringLiteral("SELECT pg_catalog.pg_advisory_xact_lock(%1)").arg(kSpravaFiriemLock));
        const bool exists = db::serverSchemaExists(conn, target);
        if (exists && !replace)
            throw EMyError(QStringLiteral("schéma %1 už existuje").arg(target));
        QString aside;
        if (db::serverSchemaExists(conn, v.schema)) {
            aside = newName(QStringLiteral("tarix_bokom_"));
            renameSchema(conn, v.schema, aside);
        }
        conn.executeRaw(v.sql);
        try {
            conn.exec(QStringLiteral("SELECT count(*) FROM \"%1\".\"%2\"").arg(v.schema, headerTable.toLower()));
        } catch (const db::SqlError &) {
            throw EMyError(QStringLiteral("v zálohe chýba tabuľka %1").arg(headerTable));
        }
        QString replaced = aside;
        if (v.schema != target) {
            replaced.clear();
            if (exists) {
                replaced = newName(QStringLiteral("tarix_nahradena_"));
                renameSchema(conn, target, replaced);
            }
            renameSchema(conn, v.schema, target);
            repairFunctions(conn, v.schema, target);
            if (!aside.isEmpty())
                renameSchema(conn, aside, v.schema);
        }
        if (!replaced.isEmpty()) {
            carryVersion(conn, replaced, target);
            conn.executeRaw(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(replaced));
        }
        conn.commit();
    } catch (...) {
        conn.rollback();
        throw;
    }
}

// Copies a schema into the new schema `target` (dump, then its SQL).
void copySchema(const Server &s, const QString &source, const QString &target, const QString &headerTable)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString dump = tmp.filePath(source + QStringLiteral(".dump"));
    dumpSchema(s, source, dump);
    dropSchema(s, readListing(dump, s.verzia), target, headerTable, false);
}

QString firmSchema(int firma) { return sharedFolderSchema(firmFolderName(firma)); }

// The schema of a folder of the network root (a firm's, a year's).
QString folderSchema(const QString &folder)
{
    return sharedFolderSchema(QDir(networkFolder()).relativeFilePath(withoutSlash(folder)));
}

// Whether the schema exists and has its header table.
bool schemaWithTable(db::PgConnection &conn, const QString &schema, const QString &table)
{
    return conn.exec(QStringLiteral("SELECT 1 FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n "
                                    "ON n.oid = c.relnamespace WHERE n.nspname = $1 AND c.relname = $2"),
                     {schema, table.toLower()})
               .rowCount()
           > 0;
}

// The exclusive hold of a schema's presence lock for the time of a deletion or restore,
// on a connection of its own: refused while another program has the schema open.
class VyhradnaSchema {
public:
    VyhradnaSchema(const Server &s, const QString &schema) : m_conn(s.spojenie), m_schema(schema)
    {
        m_held = db::tryTakeSchemaExclusively(m_conn, schema);
    }
    ~VyhradnaSchema()
    {
        if (m_held) {
            try {
                db::releaseSchemaExclusively(m_conn, m_schema);
            } catch (...) {
                // The lock goes with the connection anyway.
            }
        }
    }
    bool held() const { return m_held; }
    db::PgConnection &connection() { return m_conn; }

private:
    db::PgConnection m_conn;
    QString m_schema;
    bool m_held = false;
};

// Its first line: a server's error goes on with the statement.
QString archiverErrorText(const std::exception &e) { return errorText(e).section(u'\n', 0, 0); }


} // namespace

void setArchiver(Archiver archivator) { g_archivator = std::move(archivator); }

int runArchiver(const QString &program, const QString &parameters, const QString &folder)
{
    QStringList args;
    for (const QString &arg : QProcess::splitCommand(parameters)) {
        if (arg.endsWith(QStringLiteral("/*")) || arg.endsWith(QStringLiteral("\\*"))) {
            const QDir dir(shell::findCaseInsensitive(arg.chopped(2)));
            const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
            for (const QString &f : files)
                args << dir.filePath(f);
            if (!files.isEmpty())
                continue;
        }
        args << arg;
    }
    QStringList quoted;
    for (const QString &a : args)
        quoted << shellQuoted(a);
    if (ShellUtils::ExecuteAndWait(program, quoted.join(u' '), folder) != 0)
        return -1;
    return ShellUtils::Kod_ukoncenia;
}

void setFirmAdminSteps(FirmAdminSteps kroky) { g_kroky = std::move(kroky); }

QString yearBackupName(const QDate &den)
{
    return QStringLiteral("z") + den.toString(QStringLiteral("MMdd")) + QStringLiteral("com");
}

QString firmBackupName(const QDate &den, int firma)
{
    return QStringLiteral("z") + den.toString(QStringLiteral("MMdd")) + QStringLiteral("d")
           + QStringLiteral("%1").arg(firma, 2, 10, QLatin1Char('0'));
}

QString firmBackupFolder(const QString &root) { return backupFolderIn(root, QStringLiteral("ZALOHA")); }

QString yearBackupFolder(const QString &root, int rok)
{
    return backupFolderIn(firmBackupFolder(root), QStringLiteral("ROK") + QString::number(rok));
}

QString firmStoreFolder(const QString &root) { return backupFolderIn(root, QStringLiteral("SKLAD")); }

bool databaseInUse(const QString &folder)
{
    if (isOnServer())
        return !VyhradnaSchema(server(), folderSchema(folder)).held();
    const QString file = shell::findCaseInsensitive(folder + kDatabaza);
    if (!QFileInfo::exists(file))
        return false;
    // Another program that has the folder open, even while it does nothing.
    if (db::FolderPresence::held(file))
        return true;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_busy_timeout(db, 200);
    // An exclusive lock is refused while any other connection reads or writes the file.
    const bool busy = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK;
    if (!busy)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
    return busy;
}

QStringList archiveEntries(const QString &zipFile)
{
    QFile f(zipFile);
    const auto bad = [&] {
        return EMyError(QStringLiteral("Súbor %1 nie je čitateľný zip archív.").arg(QDir::toNativeSeparators(zipFile)));
    };
    if (!f.open(QIODevice::ReadOnly))
        throw bad();
    const QByteArray data = f.readAll();
    // The end-of-directory record is in the last 22 bytes plus a comment of up to 64 KiB.
    qsizetype eocd = -1;
    for (qsizetype i = data.size() - 22; i >= 0 && i >= data.size() - 22 - 65535; --i)
        if (littleEndian32(data, i) == 0x06054b50u) {
            eocd = i;
            break;
        }
    if (eocd < 0)
        throw bad();
    const int count = littleEndian16(data, eocd + 10);
    qsizetype at = littleEndian32(data, eocd + 16);
    QStringList names;
    for (int n = 0; n < count; ++n) {
        if (at < 0 || at + 46 > data.size() || littleEndian32(data, at) != 0x02014b50u)
            throw bad();
        const int nameLen = littleEndian16(data, at + 28);
        const int extraLen = littleEndian16(data, at + 30);
        const int commentLen = littleEndian16(data, at + 32);
        if (at + 46 + nameLen > data.size())
            throw bad();
        const QByteArray raw = data.mid(at + 46, nameLen);
        const bool utf8 = littleEndian16(data, at + 8) & 0x0800;
        names << (utf8 ? QString::fromUtf8(raw) : QString::fromLatin1(raw));
        at += 46 + nameLen + extraLen + commentLen;
    }
    return names;
}

bool unsafeEntry(const QString &entry)
{
    if (entry.startsWith(u'/') || entry.startsWith(u'\\') || (entry.size() > 1 && entry.at(1) == u':'))
        return true;
    for (const QString &part : QString(entry).replace(u'\\', u'/').split(u'/'))
        if (part == QLatin1String(".."))
            return true;
    return false;
}

// ---- add and delete a firm -------------------------------------------------------------------

namespace {

int addFirmOnServer()
{
    int nn = 0;
    QString why;
    try {
        db::PgConnection &conn = *session().serverConnection();
        for (int i = 1; i <= 99 && nn == 0; ++i)
            if (!db::serverSchemaExists(conn, firmSchema(i)))
                nn = i;
        if (nn != 0)
            copySchema(server(), sharedFolderSchema(QStringLiteral("DATA")), firmSchema(nn), QStringLiteral("Inf"));
    } catch (const std::exception &e) {
        why = QStringLiteral("Firma %1: %2").arg(firmFolderName(nn), archiverErrorText(e));
    }
    buildFirmMenu();
    if (nn == 0 || !why.isEmpty()) {
        MyConsts::Sprava_chyba(why.isEmpty() ? Msg(65137) : Msg(65137) + u'\n' + why);
        return 0;
    }
    MyConsts::Sprava_informacia(Msg(65136, nn));
    return nn;
}

} // namespace

int addFirm()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65103)))
        return 0;
    if (isOnServer())
        return addFirmOnServer();
    const QString root = networkFolder();
    int nn = 0;
    for (int i = 1; i <= 99 && nn == 0; ++i)
        if (!folderExists(firmFolderPath(root, i)))
            nn = i;
    if (nn == 0) {
        MyConsts::Sprava_chyba(Msg(65137));
        return 0;
    }
    const QString folder = firmFolderPath(root, nn);
    bool ok = QDir().mkpath(folder);
    if (ok) {
        try {
            copyFiles(shell::findCaseInsensitive(root + QStringLiteral("DATA/")), folder);
        } catch (const std::exception &) {
            ok = false;
        }
    }
    // A copy without the firm header is no firm: its number stays free.
    ok = ok && db::tableExistsInFolder(folder, QStringLiteral("Inf"));
    if (!ok)
        QDir(folder).removeRecursively();
    buildFirmMenu();
    if (!ok) {
        MyConsts::Sprava_chyba(Msg(65137));
        return 0;
    }
    MyConsts::Sprava_informacia(Msg(65136, nn));
    return nn;
}

bool Zrusenie_firmy(int firma, const QString &caption)
{
    if (firma == openedFirm().firma) {
        MyConsts::Sprava_chyba(Msg(65141));
        return false;
    }
    if (!MyConsts::Otazka_ano_nie(Msg(65138, caption))
        || !MyConsts::Otazka_ano_nie(Msg(65165, QStringLiteral("firmu ") + caption)))
        return false;
    if (isOnServer()) {
        bool busy = false;
        QString why;
        try {
            VyhradnaSchema schema(server(), firmSchema(firma));
            busy = !schema.held();
            if (!busy) {
                if (!db::serverSchemaExists(schema.connection(), firmSchema(firma)))
                    throw EMyError(QStringLiteral("schéma %1 na serveri neexistuje").arg(firmSchema(firma)));
                schema.connection().executeRaw(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(firmSchema(firma)));
            }
        } catch (const std::exception &e) {
            why = archiverErrorText(e);
        }
        if (busy) {
            MyConsts::Sprava_chyba(QStringLiteral("Firmu %1 práve používa iný program. Zrušiť ju možno, až keď ju zatvorí.")
                                       .arg(caption));
            return false;
        }
        buildFirmMenu();
        if (why.isEmpty())
            MyConsts::Sprava_informacia(Msg(65139, caption));
        else
            MyConsts::Sprava_chyba(Msg(65140, caption) + u'\n' + why);
        return why.isEmpty();
    }
    const QString folder = shell::findCaseInsensitive(firmFolderPath(networkFolder(), firma));
    if (databaseInUse(folder)) {
        MyConsts::Sprava_chyba(QStringLiteral("Firmu %1 práve používa iný program. Zrušiť ju možno, až keď ju zatvorí.")
                                   .arg(caption));
        return false;
    }
    const bool ok = ShellUtils::ShellDeleteFile(withoutSlash(folder), true);
    buildFirmMenu();
    if (ok)
        MyConsts::Sprava_informacia(Msg(65139, caption));
    else
        MyConsts::Sprava_chyba(Msg(65140, caption));
    return ok;
}

// ---- backup and restore ------------------------------------------------------------------------

bool backUp(const QDate &den)
{
    const QString root = networkFolder();
    const OpenFirm open = openedFirm();
    if (open.rok == 0 || open.priecinokRoka.isEmpty()) {
        MyConsts::Sprava_chyba(QStringLiteral("Zálohovať možno, keď je otvorená firma a rok."));
        return false;
    }
    const QString zalohy = firmBackupFolder(root);
    const QString zalohyRoka = yearBackupFolder(root, open.rok);
    if (!MyConsts::Otazka_ano_nie(Msg(65157, shellQuoted(QDir::toNativeSeparators(zalohy)))))
        return false;
    closeDatabases();
    bool ok = true;
    // A folder without its table is skipped; one that cannot be read now (another program
    // writing past the wait, a damaged file) is reported, never silently left out.
    auto zalohuj = [&ok](const QString &folder, const QString &table, const QString &archive) {
        const db::DatabaseHealth h = db::checkFolderDatabase(folder, table);
        if (h.state == db::DatabaseState::Missing || (h.state == db::DatabaseState::Damaged && h.tableMissing))
            return;
        if (!h.ok()) {
            MyConsts::Sprava_chyba(QStringLiteral("Databázu %1 nie je možné zálohovať: %2")
                                       .arg(QDir::toNativeSeparators(h.file), h.reason));
            ok = false;
            return;
        }
        ok = pack(folder, archive) && ok;
    };
    if (isOnServer()) {
        // Each schema as one snapshot of the server; one without its header table is no
        // firm or year and is skipped, as a folder without it.
        try {
            const Server s = server();
            db::PgConnection &conn = *session().serverConnection();
            auto zalohujSchemu = [&](const QString &schema, const QString &table, const QString &archive,
                                     const QString &what) {
                if (!schemaWithTable(conn, schema, table))
                    return;
                ok = packContents([&](const QString &tmp) {
                         try {
                             dumpSchema(s, schema, tmp + schema + QStringLiteral(".dump"));
                         } catch (const EMyError &e) {
                             throw EMyError(QStringLiteral("%1 nie je možné zálohovať: %2").arg(what, e.text()));
                         }
                     }, archive)
                     && ok;
            };
            zalohujSchemu(folderSchema(open.priecinokRoka), QStringLiteral("Setup"),
                          zalohyRoka + yearBackupName(den), QStringLiteral("Parametre roku %1").arg(open.rok));
            for (int nn = 1; nn <= 99; ++nn)
                zalohujSchemu(firmSchema(nn), QStringLiteral("Inf"), zalohy + firmBackupName(den, nn),
                              QStringLiteral("Firmu %1").arg(firmFolderName(nn)));
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Zálohovanie sa nevykonalo: %1").arg(archiverErrorText(e)));
            return false;
        }
        return ok;
    }
    zalohuj(shell::findCaseInsensitive(open.priecinokRoka), QStringLiteral("Setup"), zalohyRoka + yearBackupName(den));
    for (int nn = 1; nn <= 99; ++nn)
        zalohuj(shell::findCaseInsensitive(firmFolderPath(root, nn)), QStringLiteral("Inf"),
                zalohy + firmBackupName(den, nn));
    return ok;
}

namespace {

// The kind of a backup archive by its name: 'C' the year parameters, 'D' a firm, 0 neither.
QChar backupKind(const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    if (!name.right(3).toUpper().endsWith(QLatin1String("ZIP")) || name.size() < 12)
        return {};
    const QString stem = name.left(name.size() - 4).right(8);
    if (stem.size() < 8)
        return {};
    const QChar kind = stem.at(5).toUpper();
    return kind == u'C' || kind == u'D' ? kind : QChar();
}

// Restores from an archive: first a safety copy of what is replaced (`safetyFill` fills it;
// without it nothing is unpacked), then the archive's entries are checked and unpacked into
// a temporary folder, from which `replace` puts what it holds in place.
bool restoreFromArchive(const QString &archive, const std::function<void(const QString &folder)> &safetyFill,
                   const std::function<bool(const QString &unpacked)> &replace)
{
    const QString root = networkFolder();
    // The safety copy of what is replaced; without it nothing is unpacked.
    const QString sklad = firmStoreFolder(root);
    const int n = MyConsts::Volne_cislo_suboru(sklad, QStringLiteral("bkp"), QStringLiteral("zip"), 4);
    if (n == 0) {
        MyConsts::Sprava_chyba(QStringLiteral("V priečinku %1 už nie je voľné číslo bezpečnostnej kópie.")
                                   .arg(QDir::toNativeSeparators(sklad)));
        return false;
    }
    if (!packContents(safetyFill, sklad + QStringLiteral("bkp%1").arg(n, 4, 10, QLatin1Char('0'))))
        return false;

    QStringList entries;
    try {
        entries = archiveEntries(archive);
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return false;
    }
    for (const QString &e : entries)
        if (unsafeEntry(e)) {
            MyConsts::Sprava_chyba(QStringLiteral("Archív %1 obsahuje položku mimo priečinka (%2); obnova sa nevykonala.")
                                       .arg(QDir::toNativeSeparators(archive), e));
            return false;
        }
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        MyConsts::Sprava_chyba(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
        return false;
    }
    const int status = archiveFolder(QStringLiteral("unzip"),
                                QStringLiteral("-o ") + shellQuoted(archive) + QStringLiteral(" -d ") + shellQuoted(tmp.path()));
    if (status != 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Archív %1 sa nepodarilo rozbaliť (program unzip skončil s kódom %2).")
                                   .arg(QDir::toNativeSeparators(archive))
                                   .arg(status));
        return false;
    }
    return replace(tmp.path() + u'/');
}

bool restoreFolder(const QString &archive, const QString &target, const QString &headerTable)
{
    const auto safetyCopy = [&](const QString &tmp) { copyFiles(target, tmp); };
    return restoreFromArchive(archive, safetyCopy, [&](const QString &unpacked) {
        const db::DatabaseHealth health = db::checkFolderDatabase(unpacked, headerTable, 0);
        if (!health.ok()) {
            MyConsts::Sprava_chyba(QStringLiteral("Archív %1 neobsahuje použiteľnú databázu (%2); obnova sa nevykonala.")
                                       .arg(QDir::toNativeSeparators(archive), health.reason));
            return false;
        }
        // No journal of the replaced database may be applied to the restored one.
        for (const QFileInfo &fi : QDir(target).entryInfoList(QDir::Files | QDir::Hidden))
            if (isJournal(fi.fileName()))
                QFile::remove(fi.absoluteFilePath());
        try {
            // What the archive holds replaces the target's files; its other files stay.
            for (const QFileInfo &fi : QDir(unpacked).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
                QString dest = shell::findCaseInsensitive(target + fi.fileName());
                ShellUtils::CopyFileTo(fi.absoluteFilePath(), dest);
            }
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(errorText(e));
            return false;
        }
        return true;
    });
}

// The same for a schema on the server (`what` names the firm or the year): the archive
// holds its dump, whose SQL replaces the schema in one transaction.
bool restoreSchema(const QString &archive, const QString &schema, const QString &headerTable, const QString &what)
{
    Server s;
    try {
        s = server();
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 sa nevykonala: %2").arg(what, archiverErrorText(e)));
        return false;
    }
    const auto safetyCopy = [&](const QString &tmp) {
        try {
            dumpSchema(s, schema, tmp + schema + QStringLiteral(".dump"));
        } catch (const EMyError &e) {
            throw EMyError(QStringLiteral("Bezpečnostnú kópiu %1 nie je možné vytvoriť: %2").arg(what, e.text()));
        }
    };
    return restoreFromArchive(archive, safetyCopy, [&](const QString &unpacked) {
        try {
            const QStringList dumps = QDir(unpacked).entryList({QStringLiteral("*.dump")}, QDir::Files);
            if (dumps.size() != 1)
                throw EMyError(QStringLiteral("archív neobsahuje práve jednu zálohu databázového servera (súbor .dump)"));
            dropSchema(s, readListing(unpacked + dumps.first(), s.verzia), schema, headerTable, true);
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 z archívu %2 sa nevykonala: %3")
                                       .arg(what, QDir::toNativeSeparators(archive), archiverErrorText(e)));
            return false;
        }
        return true;
    });
}

} // namespace

bool restoreBackup()
{
    const QString root = networkFolder();
    const OpenFirm open = openedFirm();
    if (open.firma == 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Obnoviť možno, keď je otvorená firma a rok."));
        return false;
    }
    const QString zalohy = firmBackupFolder(root);
    firmStoreFolder(root);
    ui::FileDialogRequest request;
    request.caption = Msg(65158);
    request.initialFolder = zalohy;
    request.filter = QStringLiteral("TARIX zip files (z*.zip)|z*.zip");
    request.defaultExtension = QStringLiteral("zip");
    QString file;
    QChar kind;
    for (;;) {
        file = ui::current().chooseOpenFile(request);
        if (file.isEmpty())
            return false;
        kind = backupKind(file);
        if (!kind.isNull())
            break;
        request.initialFolder = QFileInfo(file).absolutePath();
    }
    const bool firma = kind == u'D';
    const QString question = firma ? Msg(65160, DM().Text_firmy_so_strediskom()) : Msg(65161, open.rok);
    if (!MyConsts::Otazka_ano_nie(question))
        return false;
    const QString headerTable = firma ? QStringLiteral("Inf") : QStringLiteral("Setup");
    if (isOnServer()) {
        const QString schema = firma ? firmSchema(open.firma) : folderSchema(open.priecinokRoka);
        const QString what = firma ? QStringLiteral("firmy %1").arg(firmText(open.firma))
                                   : QStringLiteral("parametrov roku %1").arg(open.rok);
        closeDatabases();
        bool ok = false;
        try {
            // Held until the schema is replaced: no other program opens it meanwhile.
            VyhradnaSchema held(server(), schema);
            if (!held.held()) {
                MyConsts::Sprava_chyba(firma ? QStringLiteral("Firmu %1 práve používa iný program. Obnoviť ju možno, až keď ju zatvorí.")
                                                   .arg(firmText(open.firma))
                                             : QStringLiteral("Parametre roku %1 práve používa iný program. Obnoviť ich možno, až keď ich zatvorí.")
                                                   .arg(open.rok));
                return false;
            }
            ok = restoreSchema(file, schema, headerTable, what);
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 sa nevykonala: %2").arg(what, archiverErrorText(e)));
            ok = false;
        }
        if (firma)
            buildFirmMenu();
        return ok;
    }
    const QString target = shell::findCaseInsensitive(firma ? open.priecinokFirmy : open.priecinokRoka);
    closeDatabases();
    if (databaseInUse(target)) {
        MyConsts::Sprava_chyba(firma ? QStringLiteral("Firmu %1 práve používa iný program. Obnoviť ju možno, až keď ju zatvorí.")
                                           .arg(firmText(open.firma))
                                     : QStringLiteral("Parametre roku %1 práve používa iný program. Obnoviť ich možno, až keď ich zatvorí.")
                                           .arg(open.rok));
        return false;
    }
    const bool ok = restoreFolder(file, target, headerTable);
    if (firma)
        buildFirmMenu();
    return ok;
}

// ---- the next year ------------------------------------------------------------------------------

bool createYear()
{
    const OpenFirm open = openedFirm();
    if (open.rok == 0 || open.priecinokRoka.isEmpty()) {
        MyConsts::Sprava_chyba(QStringLiteral("Nový rok možno založiť, keď je otvorená firma a rok."));
        return false;
    }
    const int novy = open.rok + 1;
    if (!MyConsts::Otazka_ano_nie(Msg(65119, QString::number(novy))))
        return false;
    const QString source = shell::findCaseInsensitive(open.priecinokRoka);
    QString folder = withoutSlash(open.priecinokRoka);
    folder = folder.left(folder.size() - 4) + QString::number(novy) + u'/';
    if (isOnServer()) {
        const QString schema = folderSchema(folder);
        if (db::serverSchemaExists(*session().serverConnection(), schema)) {
            MyConsts::Sprava_chyba(Msg(65116, QString::number(novy)));
            return false;
        }
        closeDatabases();
        QString why;
        try {
            copySchema(server(), folderSchema(open.priecinokRoka), schema, QStringLiteral("Cis_par"));
        } catch (const std::exception &e) {
            why = archiverErrorText(e);
        }
        buildFirmMenu();
        if (!why.isEmpty()) {
            MyConsts::Sprava_chyba(Msg(65118, novy) + u'\n' + why);
            return false;
        }
        MyConsts::Sprava_informacia(Msg(65117, novy, QDir::toNativeSeparators(folder)));
        return true;
    }
    if (folderExists(folder)) {
        MyConsts::Sprava_chyba(Msg(65116, withoutSlash(folder).right(4)));
        return false;
    }
    closeDatabases();
    bool ok = QDir().mkpath(folder);
    if (ok) {
        try {
            copyFiles(source, folder);
        } catch (const std::exception &) {
            ok = false;
        }
    }
    ok = ok && db::tableExistsInFolder(folder, QStringLiteral("Cis_par"));
    // A failed copy leaves no folder behind: the year can be created again.
    if (!ok)
        QDir(folder).removeRecursively();
    buildFirmMenu();
    if (!ok) {
        MyConsts::Sprava_chyba(Msg(65118, novy));
        return false;
    }
    MyConsts::Sprava_informacia(Msg(65117, novy, QDir::toNativeSeparators(folder)));
    return true;
}

} // namespace tarix::core
