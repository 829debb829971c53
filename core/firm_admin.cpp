#include "core/firm_admin.h"

#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/dialogs.h"
#include "core/helpers/messages.h"
#include "core/helpers/numbered_files.h"
#include "core/session.h"
#include "platform/db/db_health.h"
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
#include <QTemporaryDir>
#include <QtEndian>

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

// Zips a consistent copy of the folder's files into `archive` (without ".zip"); the archiver's
// failure is reported as an error and false is returned.
bool zbal(const QString &folder, const QString &archive)
{
    QTemporaryDir tmp;
    try {
        if (!tmp.isValid())
            throw EMyError(QStringLiteral("Nedá sa vytvoriť dočasný priečinok: %1").arg(tmp.errorString()));
        kopirujSubory(folder, tmp.path() + u'/');
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return false;
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
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

QString textFirmy(int firma)
{
    return Nazov_priecinka_firmy(firma);
}

quint32 le32(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 le16(const QByteArray &b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

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

int Pridanie_firmy()
{
    if (!MyConsts::Otazka_ano_nie(Msg(65103)))
        return 0;
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

bool obnovZArchivu(const QString &archive, const QString &target, const QString &headerTable)
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
    if (!zbal(target, sklad + QStringLiteral("bkp%1").arg(n, 4, 10, QLatin1Char('0'))))
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
    const QString unpacked = tmp.path() + u'/';
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
    } catch (const EMyError &e) {
        MyConsts::Sprava_chyba(e.text());
        return false;
    } catch (const std::exception &e) {
        MyConsts::Sprava_chyba(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
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
    const QString target = shell::findCaseInsensitive(firma ? open.priecinokFirmy : open.priecinokRoka);
    zatvorDatabazy();
    if (Databaza_pouzivana(target)) {
        MyConsts::Sprava_chyba(firma ? QStringLiteral("Firmu %1 práve používa iný program. Obnoviť ju možno, až keď ju zatvorí.")
                                           .arg(textFirmy(open.firma))
                                     : QStringLiteral("Parametre roku %1 práve používa iný program. Obnoviť ich možno, až keď ich zatvorí.")
                                           .arg(open.rok));
        return false;
    }
    const bool ok = obnovZArchivu(file, target, firma ? QStringLiteral("Inf") : QStringLiteral("Setup"));
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
