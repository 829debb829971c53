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

Archivator g_archivator;
KrokySpravyFiriem g_kroky;

const QString kDatabaza = QString::fromLatin1(db::Session::databaseFileName);

int archivuj(const QString &program, const QString &parameters)
{
    const QString folder = appPaths().programFolder;
    return g_archivator ? g_archivator(program, parameters, folder) : Spusti_archivator(program, parameters, folder);
}

void zatvorDatabazy()
{
    if (g_kroky.zatvor_databazy) {
        g_kroky.zatvor_databazy();
        return;
    }
    Zrus_otvorenu_firmu();
    session().closeAll();
}

void vytvorMenuFiriem()
{
    if (g_kroky.vytvor_menu_firiem)
        g_kroky.vytvor_menu_firiem();
}

QString siet() { return appPaths().networkRoot; }

// A folder under `parent`, found whatever the case of its name, made when missing.
QString podpriecinok(const QString &parent, const QString &name)
{
    QString path = shell::findCaseInsensitive(parent + name);
    if (!path.endsWith(u'/'))
        path += u'/';
    QDir().mkpath(path);
    return path;
}

bool existuje(const QString &path) { return QFileInfo::exists(shell::findCaseInsensitive(path)); }

QString bezLomitka(QString path)
{
    while (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString uvodzovky(const QString &text) { return u'"' + text + u'"'; }

// A consistent copy of a folder's database into `target` (a file): SQLite's online backup
// reads the whole database under one read lock, so another program's write is either all
// in the copy or not at all.
void kopiaDatabazy(const QString &source, const QString &target)
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

bool jeZurnal(const QString &name)
{
    return name.endsWith(QStringLiteral("-journal"), Qt::CaseInsensitive)
           || name.endsWith(QStringLiteral("-wal"), Qt::CaseInsensitive)
           || name.endsWith(QStringLiteral("-shm"), Qt::CaseInsensitive);
}

// Copies every file (not folder) of `source` into `target`; the database through a
// consistent copy, journals left out. Throws on the first failure.
void kopirujSubory(const QString &source, const QString &target)
{
    const QDir dir(source);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name)) {
        if (jeZurnal(fi.fileName()))
            continue;
        const QString dest = target + fi.fileName();
        if (fi.fileName().compare(kDatabaza, Qt::CaseInsensitive) == 0)
            kopiaDatabazy(fi.absoluteFilePath(), dest);
        else
            ShellUtils::CopyFileTo(fi.absoluteFilePath(), dest);
    }
}

// Zips what `fill` puts into a temporary folder into `archive` (without ".zip"); a failure
// of either is reported as an error and false is returned.
bool zbalObsah(const std::function<void(const QString &folder)> &fill, const QString &archive)
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
    const int status = archivuj(QStringLiteral("zip"), QStringLiteral("-j ") + uvodzovky(archive) + u' '
                                                          + uvodzovky(tmp.path() + QStringLiteral("/*")));
    if (status != 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Archív %1.zip sa nepodarilo vytvoriť (program zip skončil s kódom %2).")
                                   .arg(QDir::toNativeSeparators(archive))
                                   .arg(status));
        return false;
    }
    return true;
}

// Zips a consistent copy of the folder's files into `archive`.
bool zbal(const QString &folder, const QString &archive)
{
    return zbalObsah([&](const QString &tmp) { kopirujSubory(folder, tmp); }, archive);
}

QString textFirmy(int firma)
{
    return Nazov_priecinka_firmy(firma);
}

quint32 le32(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 le16(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// ---- firms and years on the database server --------------------------------------------------
//
// On the server a firm or a year is a schema. Its copies are made by the server's client
// programs: pg_dump writes a schema as one snapshot (a consistent copy while others write),
// pg_restore turns such a dump back into the SQL that makes it. That SQL runs on a
// connection of its own in one transaction with the renames that put its schema in place,
// so a failure anywhere leaves every schema as it was.

bool naServeri() { return session().isServer(); }

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

QString hodnotaSpojenia(const QString &v)
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
        const QString pair = QString::fromLatin1(key) + u'=' + hodnotaSpojenia(QString::fromUtf8(o->val));
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
        line << QStringLiteral("passfile=") + hodnotaSpojenia(file);
    } else if (!passfile.isEmpty()) {
        line << passfile;
    }
    s.prikazovy = line.join(u' ');
    return s;
}

// A client program of the server (pg_dump, pg_restore) of the server's major version or
// newer. Debian keeps each version's programs in a folder of its own; the newest serves
// every older server.
QString nastrojServera(const QString &name, int verzia)
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

QString vShelli(const QString &word) { return u'\'' + QString(word).replace(u'\'', QStringLiteral("'\\''")) + u'\''; }

// Runs a client program of the server through the shell with its error text caught in a
// file. Throws EMyError with the reason when it cannot be started or ends with an error.
void spustiNastroj(const QString &name, const QStringList &args, int verzia)
{
    const QString program = nastrojServera(name, verzia);
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString errors = tmp.filePath(QStringLiteral("chyby.txt"));
    QString script = QStringLiteral("exec ") + vShelli(program);
    for (const QString &a : args)
        script += u' ' + vShelli(a);
    script += QStringLiteral(" 2>") + vShelli(errors);
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
void vypisSchemu(const Server &s, const QString &schema, const QString &file)
{
    spustiNastroj(QStringLiteral("pg_dump"),
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

QString citajSubor(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw EMyError(QStringLiteral("Súbor %1 sa nedá prečítať.").arg(QDir::toNativeSeparators(file)));
    return QString::fromUtf8(f.readAll());
}

// Reads a dump. Only a dump of one schema of the program's kinds of objects is taken: an
// entry outside it (another schema, a role, an extension, the database) is refused, so
// restoring never reaches beyond the schema it makes.
Vypis citajVypis(const QString &dump, int verzia)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString list = tmp.filePath(QStringLiteral("obsah.txt"));
    spustiNastroj(QStringLiteral("pg_restore"), {QStringLiteral("--list"), QStringLiteral("--file=") + list, dump}, verzia);
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
    for (const QString &line : citajSubor(list).split(u'\n', Qt::SkipEmptyParts)) {
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
    spustiNastroj(QStringLiteral("pg_restore"),
                  {QStringLiteral("--no-owner"), QStringLiteral("--no-privileges"), QStringLiteral("--file=") + sqlFile, dump},
                  verzia);
    v.sql = citajSubor(sqlFile);
    // Newer programs fence the text with commands of their own terminal client; they are
    // no SQL and no data.
    static const QRegularExpression fence(QStringLiteral("^\\\\(un)?restrict [A-Za-z0-9]*\\r?$"),
                                          QRegularExpression::MultilineOption);
    v.sql.remove(fence);
    return v;
}

QString novyNazov(const QString &prefix)
{
    return prefix + QString::number(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull, 16);
}

void premenujSchemu(db::PgConnection &conn, const QString &from, const QString &to)
{
    conn.executeRaw(QStringLiteral("ALTER SCHEMA \"%1\" RENAME TO \"%2\"").arg(from, to));
}

// The functions that fill AUTOINC_INT fields name their sequence with the schema's name;
// after a rename they must name the new one.
void opravFunkcie(db::PgConnection &conn, const QString &from, const QString &to)
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
void prenesVerziu(db::PgConnection &conn, const QString &from, const QString &to)
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
void polozSchemu(const Server &s, const Vypis &v, const QString &target, const QString &headerTable, bool replace)
{
    db::PgConnection conn(s.spojenie);
    conn.begin();
    try {
        conn.exec(QStringLiteral("SELECT pg_catalog.pg_advisory_xact_lock(%1)").arg(kSpravaFiriemLock));
        const bool exists = db::serverSchemaExists(conn, target);
        if (exists && !replace)
            throw EMyError(QStringLiteral("schéma %1 už existuje").arg(target));
        QString aside;
        if (db::serverSchemaExists(conn, v.schema)) {
            aside = novyNazov(QStringLiteral("tarix_bokom_"));
            premenujSchemu(conn, v.schema, aside);
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
                replaced = novyNazov(QStringLiteral("tarix_nahradena_"));
                premenujSchemu(conn, target, replaced);
            }
            premenujSchemu(conn, v.schema, target);
            opravFunkcie(conn, v.schema, target);
            if (!aside.isEmpty())
                premenujSchemu(conn, aside, v.schema);
        }
        if (!replaced.isEmpty()) {
            prenesVerziu(conn, replaced, target);
            conn.executeRaw(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(replaced));
        }
        conn.commit();
    } catch (...) {
        conn.rollback();
        throw;
    }
}

// Copies a schema into the new schema `target` (dump, then its SQL).
void kopirujSchemu(const Server &s, const QString &source, const QString &target, const QString &headerTable)
{
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
    const QString dump = tmp.filePath(source + QStringLiteral(".dump"));
    vypisSchemu(s, source, dump);
    polozSchemu(s, citajVypis(dump, s.verzia), target, headerTable, false);
}

QString schemaFirmy(int firma) { return sharedFolderSchema(Nazov_priecinka_firmy(firma)); }

// The schema of a folder of the network root (a firm's, a year's).
QString schemaPriecinka(const QString &folder)
{
    return sharedFolderSchema(QDir(siet()).relativeFilePath(bezLomitka(folder)));
}

// Whether the schema exists and has its header table.
bool schemaSTabulkou(db::PgConnection &conn, const QString &schema, const QString &table)
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
QString textChyby(const std::exception &e) { return errorText(e).section(u'\n', 0, 0); }


} // namespace

void Nastav_archivator(Archivator archivator) { g_archivator = std::move(archivator); }

int Spusti_archivator(const QString &program, const QString &parameters, const QString &folder)
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
        quoted << uvodzovky(a);
    if (ShellUtils::ExecuteAndWait(program, quoted.join(u' '), folder) != 0)
        return -1;
    return ShellUtils::Kod_ukoncenia;
}

void Nastav_kroky_spravy_firiem(KrokySpravyFiriem kroky) { g_kroky = std::move(kroky); }

QString Nazov_zalohy_roka(const QDate &den)
{
    return QStringLiteral("z") + den.toString(QStringLiteral("MMdd")) + QStringLiteral("com");
}

QString Nazov_zalohy_firmy(const QDate &den, int firma)
{
    return QStringLiteral("z") + den.toString(QStringLiteral("MMdd")) + QStringLiteral("d")
           + QStringLiteral("%1").arg(firma, 2, 10, QLatin1Char('0'));
}

QString Priecinok_zaloh(const QString &root) { return podpriecinok(root, QStringLiteral("ZALOHA")); }

QString Priecinok_zaloh_roka(const QString &root, int rok)
{
    return podpriecinok(Priecinok_zaloh(root), QStringLiteral("ROK") + QString::number(rok));
}

QString Priecinok_skladu(const QString &root) { return podpriecinok(root, QStringLiteral("SKLAD")); }

bool Databaza_pouzivana(const QString &folder)
{
    if (naServeri())
        return !VyhradnaSchema(server(), schemaPriecinka(folder)).held();
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

QStringList Polozky_archivu(const QString &zipFile)
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
        if (le32(data, i) == 0x06054b50u) {
            eocd = i;
            break;
        }
    if (eocd < 0)
        throw bad();
    const int count = le16(data, eocd + 10);
    qsizetype at = le32(data, eocd + 16);
    QStringList names;
    for (int n = 0; n < count; ++n) {
        if (at < 0 || at + 46 > data.size() || le32(data, at) != 0x02014b50u)
            throw bad();
        const int nameLen = le16(data, at + 28);
        const int extraLen = le16(data, at + 30);
        const int commentLen = le16(data, at + 32);
        if (at + 46 + nameLen > data.size())
            throw bad();
        const QByteArray raw = data.mid(at + 46, nameLen);
        const bool utf8 = le16(data, at + 8) & 0x0800;
        names << (utf8 ? QString::fromUtf8(raw) : QString::fromLatin1(raw));
        at += 46 + nameLen + extraLen + commentLen;
    }
    return names;
}

bool Nebezpecna_polozka(const QString &entry)
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

int pridanieFirmyNaServeri()
{
    int nn = 0;
    QString why;
    try {
        db::PgConnection &conn = *session().serverConnection();
        for (int i = 1; i <= 99 && nn == 0; ++i)
            if (!db::serverSchemaExists(conn, schemaFirmy(i)))
                nn = i;
        if (nn != 0)
            kopirujSchemu(server(), sharedFolderSchema(QStringLiteral("DATA")), schemaFirmy(nn), QStringLiteral("Inf"));
    } catch (const std::exception &e) {
        why = QStringLiteral("Firma %1: %2").arg(Nazov_priecinka_firmy(nn), textChyby(e));
    }
    vytvorMenuFiriem();
    if (nn == 0 || !why.isEmpty()) {
        MyConsts::Sprava_chyba(why.isEmpty() ? Msg(65137) : Msg(65137) + u'\n' + why);
        return 0;
    }
    MyConsts::Sprava_informacia(Msg(65136, nn));
    return nn;
}

} // namespace

int Pridanie_firmy()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65103)))
        return 0;
    if (naServeri())
        return pridanieFirmyNaServeri();
    const QString root = siet();
    int nn = 0;
    for (int i = 1; i <= 99 && nn == 0; ++i)
        if (!existuje(Priecinok_firmy(root, i)))
            nn = i;
    if (nn == 0) {
        MyConsts::Sprava_chyba(Msg(65137));
        return 0;
    }
    const QString folder = Priecinok_firmy(root, nn);
    bool ok = QDir().mkpath(folder);
    if (ok) {
        try {
            kopirujSubory(shell::findCaseInsensitive(root + QStringLiteral("DATA/")), folder);
        } catch (const std::exception &) {
            ok = false;
        }
    }
    // A copy without the firm header is no firm: its number stays free.
    ok = ok && db::tableExistsInFolder(folder, QStringLiteral("Inf"));
    if (!ok)
        QDir(folder).removeRecursively();
    vytvorMenuFiriem();
    if (!ok) {
        MyConsts::Sprava_chyba(Msg(65137));
        return 0;
    }
    MyConsts::Sprava_informacia(Msg(65136, nn));
    return nn;
}

bool Zrusenie_firmy(int firma, const QString &caption)
{
    if (firma == otvorenaFirma().firma) {
        MyConsts::Sprava_chyba(Msg(65141));
        return false;
    }
    if (!MyConsts::Otazka_ano_nie(Msg(65138, caption))
        || !MyConsts::Otazka_ano_nie(Msg(65165, QStringLiteral("firmu ") + caption)))
        return false;
    if (naServeri()) {
        bool busy = false;
        QString why;
        try {
            VyhradnaSchema schema(server(), schemaFirmy(firma));
            busy = !schema.held();
            if (!busy) {
                if (!db::serverSchemaExists(schema.connection(), schemaFirmy(firma)))
                    throw EMyError(QStringLiteral("schéma %1 na serveri neexistuje").arg(schemaFirmy(firma)));
                schema.connection().executeRaw(QStringLiteral("DROP SCHEMA \"%1\" CASCADE").arg(schemaFirmy(firma)));
            }
        } catch (const std::exception &e) {
            why = textChyby(e);
        }
        if (busy) {
            MyConsts::Sprava_chyba(QStringLiteral("Firmu %1 práve používa iný program. Zrušiť ju možno, až keď ju zatvorí.")
                                       .arg(caption));
            return false;
        }
        vytvorMenuFiriem();
        if (why.isEmpty())
            MyConsts::Sprava_informacia(Msg(65139, caption));
        else
            MyConsts::Sprava_chyba(Msg(65140, caption) + u'\n' + why);
        return why.isEmpty();
    }
    const QString folder = shell::findCaseInsensitive(Priecinok_firmy(siet(), firma));
    if (Databaza_pouzivana(folder)) {
        MyConsts::Sprava_chyba(QStringLiteral("Firmu %1 práve používa iný program. Zrušiť ju možno, až keď ju zatvorí.")
                                   .arg(caption));
        return false;
    }
    const bool ok = ShellUtils::ShellDeleteFile(bezLomitka(folder), true);
    vytvorMenuFiriem();
    if (ok)
        MyConsts::Sprava_informacia(Msg(65139, caption));
    else
        MyConsts::Sprava_chyba(Msg(65140, caption));
    return ok;
}

// ---- backup and restore ------------------------------------------------------------------------

bool Zalohovanie(const QDate &den)
{
    const QString root = siet();
    const OtvorenaFirma open = otvorenaFirma();
    if (open.rok == 0 || open.priecinokRoka.isEmpty()) {
        MyConsts::Sprava_chyba(QStringLiteral("Zálohovať možno, keď je otvorená firma a rok."));
        return false;
    }
    const QString zalohy = Priecinok_zaloh(root);
    const QString zalohyRoka = Priecinok_zaloh_roka(root, open.rok);
    if (!MyConsts::Otazka_ano_nie(Msg(65157, uvodzovky(QDir::toNativeSeparators(zalohy)))))
        return false;
    zatvorDatabazy();
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
        ok = zbal(folder, archive) && ok;
    };
    if (naServeri()) {
        // Each schema as one snapshot of the server; one without its header table is no
        // firm or year and is skipped, as a folder without it.
        try {
            const Server s = server();
            db::PgConnection &conn = *session().serverConnection();
            auto zalohujSchemu = [&](const QString &schema, const QString &table, const QString &archive,
                                     const QString &what) {
                if (!schemaSTabulkou(conn, schema, table))
                    return;
                ok = zbalObsah([&](const QString &tmp) {
                         try {
                             vypisSchemu(s, schema, tmp + schema + QStringLiteral(".dump"));
                         } catch (const EMyError &e) {
                             throw EMyError(QStringLiteral("%1 nie je možné zálohovať: %2").arg(what, e.text()));
                         }
                     }, archive)
                     && ok;
            };
            zalohujSchemu(schemaPriecinka(open.priecinokRoka), QStringLiteral("Setup"),
                          zalohyRoka + Nazov_zalohy_roka(den), QStringLiteral("Parametre roku %1").arg(open.rok));
            for (int nn = 1; nn <= 99; ++nn)
                zalohujSchemu(schemaFirmy(nn), QStringLiteral("Inf"), zalohy + Nazov_zalohy_firmy(den, nn),
                              QStringLiteral("Firmu %1").arg(Nazov_priecinka_firmy(nn)));
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Zálohovanie sa nevykonalo: %1").arg(textChyby(e)));
            return false;
        }
        return ok;
    }
    zalohuj(shell::findCaseInsensitive(open.priecinokRoka), QStringLiteral("Setup"), zalohyRoka + Nazov_zalohy_roka(den));
    for (int nn = 1; nn <= 99; ++nn)
        zalohuj(shell::findCaseInsensitive(Priecinok_firmy(root, nn)), QStringLiteral("Inf"),
                zalohy + Nazov_zalohy_firmy(den, nn));
    return ok;
}

namespace {

// The kind of a backup archive by its name: 'C' the year parameters, 'D' a firm, 0 neither.
QChar druhZalohy(const QString &file)
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
bool obnovZArchivu(const QString &archive, const std::function<void(const QString &folder)> &safetyFill,
                   const std::function<bool(const QString &unpacked)> &replace)
{
    const QString root = siet();
    // The safety copy of what is replaced; without it nothing is unpacked.
    const QString sklad = Priecinok_skladu(root);
    const int n = MyConsts::Volne_cislo_suboru(sklad, QStringLiteral("bkp"), QStringLiteral("zip"), 4);
    if (n == 0) {
        MyConsts::Sprava_chyba(QStringLiteral("V priečinku %1 už nie je voľné číslo bezpečnostnej kópie.")
                                   .arg(QDir::toNativeSeparators(sklad)));
        return false;
    }
    if (!zbalObsah(safetyFill, sklad + QStringLiteral("bkp%1").arg(n, 4, 10, QLatin1Char('0'))))
        return false;

    QStringList entries;
    try {
        entries = Polozky_archivu(archive);
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return false;
    }
    for (const QString &e : entries)
        if (Nebezpecna_polozka(e)) {
            MyConsts::Sprava_chyba(QStringLiteral("Archív %1 obsahuje položku mimo priečinka (%2); obnova sa nevykonala.")
                                       .arg(QDir::toNativeSeparators(archive), e));
            return false;
        }
    QTemporaryDir tmp;
    if (!tmp.isValid()) {
        MyConsts::Sprava_chyba(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
        return false;
    }
    const int status = archivuj(QStringLiteral("unzip"),
                                QStringLiteral("-o ") + uvodzovky(archive) + QStringLiteral(" -d ") + uvodzovky(tmp.path()));
    if (status != 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Archív %1 sa nepodarilo rozbaliť (program unzip skončil s kódom %2).")
                                   .arg(QDir::toNativeSeparators(archive))
                                   .arg(status));
        return false;
    }
    return replace(tmp.path() + u'/');
}

bool obnovPriecinok(const QString &archive, const QString &target, const QString &headerTable)
{
    const auto safetyCopy = [&](const QString &tmp) { kopirujSubory(target, tmp); };
    return obnovZArchivu(archive, safetyCopy, [&](const QString &unpacked) {
        const db::DatabaseHealth health = db::checkFolderDatabase(unpacked, headerTable, 0);
        if (!health.ok()) {
            MyConsts::Sprava_chyba(QStringLiteral("Archív %1 neobsahuje použiteľnú databázu (%2); obnova sa nevykonala.")
                                       .arg(QDir::toNativeSeparators(archive), health.reason));
            return false;
        }
        // No journal of the replaced database may be applied to the restored one.
        for (const QFileInfo &fi : QDir(target).entryInfoList(QDir::Files | QDir::Hidden))
            if (jeZurnal(fi.fileName()))
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
bool obnovSchemu(const QString &archive, const QString &schema, const QString &headerTable, const QString &what)
{
    Server s;
    try {
        s = server();
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 sa nevykonala: %2").arg(what, textChyby(e)));
        return false;
    }
    const auto safetyCopy = [&](const QString &tmp) {
        try {
            vypisSchemu(s, schema, tmp + schema + QStringLiteral(".dump"));
        } catch (const EMyError &e) {
            throw EMyError(QStringLiteral("Bezpečnostnú kópiu %1 nie je možné vytvoriť: %2").arg(what, e.text()));
        }
    };
    return obnovZArchivu(archive, safetyCopy, [&](const QString &unpacked) {
        try {
            const QStringList dumps = QDir(unpacked).entryList({QStringLiteral("*.dump")}, QDir::Files);
            if (dumps.size() != 1)
                throw EMyError(QStringLiteral("archív neobsahuje práve jednu zálohu databázového servera (súbor .dump)"));
            polozSchemu(s, citajVypis(unpacked + dumps.first(), s.verzia), schema, headerTable, true);
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 z archívu %2 sa nevykonala: %3")
                                       .arg(what, QDir::toNativeSeparators(archive), textChyby(e)));
            return false;
        }
        return true;
    });
}

} // namespace

bool Obnova()
{
    const QString root = siet();
    const OtvorenaFirma open = otvorenaFirma();
    if (open.firma == 0) {
        MyConsts::Sprava_chyba(QStringLiteral("Obnoviť možno, keď je otvorená firma a rok."));
        return false;
    }
    const QString zalohy = Priecinok_zaloh(root);
    Priecinok_skladu(root);
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
        kind = druhZalohy(file);
        if (!kind.isNull())
            break;
        request.initialFolder = QFileInfo(file).absolutePath();
    }
    const bool firma = kind == u'D';
    const QString question = firma ? Msg(65160, DM().Text_firmy_so_strediskom()) : Msg(65161, open.rok);
    if (!MyConsts::Otazka_ano_nie(question))
        return false;
    const QString headerTable = firma ? QStringLiteral("Inf") : QStringLiteral("Setup");
    if (naServeri()) {
        const QString schema = firma ? schemaFirmy(open.firma) : schemaPriecinka(open.priecinokRoka);
        const QString what = firma ? QStringLiteral("firmy %1").arg(textFirmy(open.firma))
                                   : QStringLiteral("parametrov roku %1").arg(open.rok);
        zatvorDatabazy();
        bool ok = false;
        try {
            // Held until the schema is replaced: no other program opens it meanwhile.
            VyhradnaSchema held(server(), schema);
            if (!held.held()) {
                MyConsts::Sprava_chyba(firma ? QStringLiteral("Firmu %1 práve používa iný program. Obnoviť ju možno, až keď ju zatvorí.")
                                                   .arg(textFirmy(open.firma))
                                             : QStringLiteral("Parametre roku %1 práve používa iný program. Obnoviť ich možno, až keď ich zatvorí.")
                                                   .arg(open.rok));
                return false;
            }
            ok = obnovSchemu(file, schema, headerTable, what);
        } catch (const std::exception &e) {
            MyConsts::Sprava_chyba(QStringLiteral("Obnova %1 sa nevykonala: %2").arg(what, textChyby(e)));
            ok = false;
        }
        if (firma)
            vytvorMenuFiriem();
        return ok;
    }
    const QString target = shell::findCaseInsensitive(firma ? open.priecinokFirmy : open.priecinokRoka);
    zatvorDatabazy();
    if (Databaza_pouzivana(target)) {
        MyConsts::Sprava_chyba(firma ? QStringLiteral("Firmu %1 práve používa iný program. Obnoviť ju možno, až keď ju zatvorí.")
                                           .arg(textFirmy(open.firma))
                                     : QStringLiteral("Parametre roku %1 práve používa iný program. Obnoviť ich možno, až keď ich zatvorí.")
                                           .arg(open.rok));
        return false;
    }
    const bool ok = obnovPriecinok(file, target, headerTable);
    if (firma)
        vytvorMenuFiriem();
    return ok;
}

// ---- the next year ------------------------------------------------------------------------------

bool Zalozenie_roka()
{
    const OtvorenaFirma open = otvorenaFirma();
    if (open.rok == 0 || open.priecinokRoka.isEmpty()) {
        MyConsts::Sprava_chyba(QStringLiteral("Nový rok možno založiť, keď je otvorená firma a rok."));
        return false;
    }
    const int novy = open.rok + 1;
    if (!MyConsts::Otazka_ano_nie(Msg(65119, QString::number(novy))))
        return false;
    const QString source = shell::findCaseInsensitive(open.priecinokRoka);
    QString folder = bezLomitka(open.priecinokRoka);
    folder = folder.left(folder.size() - 4) + QString::number(novy) + u'/';
    if (naServeri()) {
        const QString schema = schemaPriecinka(folder);
        if (db::serverSchemaExists(*session().serverConnection(), schema)) {
            MyConsts::Sprava_chyba(Msg(65116, QString::number(novy)));
            return false;
        }
        zatvorDatabazy();
        QString why;
        try {
            kopirujSchemu(server(), schemaPriecinka(open.priecinokRoka), schema, QStringLiteral("Cis_par"));
        } catch (const std::exception &e) {
            why = textChyby(e);
        }
        vytvorMenuFiriem();
        if (!why.isEmpty()) {
            MyConsts::Sprava_chyba(Msg(65118, novy) + u'\n' + why);
            return false;
        }
        MyConsts::Sprava_informacia(Msg(65117, novy, QDir::toNativeSeparators(folder)));
        return true;
    }
    if (existuje(folder)) {
        MyConsts::Sprava_chyba(Msg(65116, bezLomitka(folder).right(4)));
        return false;
    }
    zatvorDatabazy();
    bool ok = QDir().mkpath(folder);
    if (ok) {
        try {
            kopirujSubory(source, folder);
        } catch (const std::exception &) {
            ok = false;
        }
    }
    ok = ok && db::tableExistsInFolder(folder, QStringLiteral("Cis_par"));
    // A failed copy leaves no folder behind: the year can be created again.
    if (!ok)
        QDir(folder).removeRecursively();
    vytvorMenuFiriem();
    if (!ok) {
        MyConsts::Sprava_chyba(Msg(65118, novy));
        return false;
    }
    MyConsts::Sprava_informacia(Msg(65117, novy, QDir::toNativeSeparators(folder)));
    return true;
}

} // namespace tarix::core
