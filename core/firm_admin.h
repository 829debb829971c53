#pragma once
// Firm administration: add a firm from the template folder, delete a firm, back up the
// year parameters and every firm into zip archives, restore the open firm or the year
// parameters from such an archive, and create the next year's parameter folder.
//
// The archives are made and unpacked by the outside programs "zip" and "unzip", run and
// waited for; their exit status is read, and a failure is reported. What goes into an
// archive is a consistent copy of each database (SQLite's online backup), never the live
// file. A restore unpacks into a temporary folder, refuses entries naming an absolute path
// or "..", checks the unpacked database, and only then replaces the files of the target.
#include "platform/format/clock.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace tarix::core {

// Runs an archiver: the program ("zip", "unzip"), its parameter text (double quotes group
// words; a last path part "*" stands for every file of that folder) and the working folder.
// Returns the program's exit status, -1 when it could not be started.
using Archiver = std::function<int(const QString &program, const QString &parameters, const QString &folder)>;
// Sets the archiver (tests script it); an empty one restores the default.
// Stays a setter, not a registry entry: a test seam; no subsystem provides an archiver.
void setArchiver(Archiver archivator);
// The default: the program found on the PATH, run through ShellUtils::ExecuteAndWait with
// the "*" parts expanded to the folder's files.
int runArchiver(const QString &program, const QString &parameters, const QString &folder);

// What the main window does around the commands: close the databases (and prepare its
// menus for no open firm), and rebuild the firm menu. Unset: the tables are closed, the
// open firm forgotten and the session's files detached; no menu is rebuilt.
struct FirmAdminSteps {
    std::function<void()> zatvor_databazy;
    std::function<void()> vytvor_menu_firiem;
};
// Stays a setter, not a registry entry: the main window (above this code) sets it for its own lifetime.
void setFirmAdminSteps(FirmAdminSteps kroky);

// The archive names (without ".zip") of a backup made on `den`.
QString yearBackupName(const QDate &den);              // "z0305com"
QString firmBackupName(const QDate &den, int firma);  // "z0305d03"

// The folders under the network root, found whatever the case of their names.
QString firmBackupFolder(const QString &root);              // root + "ZALOHA/"
QString yearBackupFolder(const QString &root, int rok); // root + "ZALOHA/ROKyyyy/"
QString firmStoreFolder(const QString &root);             // root + "SKLAD/"

// Whether another program holds the folder's database now (reading or writing it).
bool databaseInUse(const QString &folder);

// The names in a zip archive's directory. Throws EMyError when the file is not a readable
// archive.
QStringList archiveEntries(const QString &zipFile);
// Whether an archive entry would land outside the folder it is unpacked into.
bool unsafeEntry(const QString &entry);

// "&Pridanie novej firmy": the number of the new firm, 0 when none was added (the user said
// no, or it failed and was reported).
int addFirm();
// A firm of "&Zrušenie firmy" (its number and the caption of its item): true when deleted.
bool Zrusenie_firmy(int firma, const QString &caption);
// "Zálohovanie údajov": true when every archive was written.
bool backUp(const QDate &den = fmt::today());
// "restoreBackup zo záložnej kópie": true when the open firm or the year parameters were restored.
bool restoreBackup();
// "Založenie databáz pre nový rok": true when the next year's folder was created.
bool createYear();

} // namespace tarix::core
