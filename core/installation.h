#pragma once
// Folders of an installation made from the table definitions and seed rows that travel
// inside the program (resources under ":/data"): the installation generator of the build,
// a new workstation's private folder and the tests all use these functions.
#include <QString>
#include <QStringList>

#include <functional>

namespace tarix::db {
class PgConnection;
}

namespace tarix::core {

enum class FolderKind { Firm, Year, Private };

// ":/data/schema/firm.sql" and so on.
QString schemaResource(FolderKind kind);
// The seed files of a year folder, of the template firm, of the demo firm (template rows
// first) and of the private folder.
QStringList yearSeedResources(int year);
QStringList templateFirmSeedResources();
QStringList demoFirmSeedResources();
QStringList privateSeedResources();

// Creates folder/tarix.db from the schema of the kind and runs the seed files in order,
// all in one transaction. Refuses (DbError) when the database already exists.
void createFolderDatabase(const QString &folder, FolderKind kind, const QStringList &seeds);

// The same on the database server: the folder's tables as one schema, made from the
// kind's table definitions, with the seed rows run through the program's SQL dialect; all
// in one transaction. Refuses (DbError) when the schema exists.
void createServerFolderSchema(db::PgConnection &conn, const QString &schema, FolderKind kind,
                              const QStringList &seeds);

// A workstation's private schema on the server, made with its seed rows (the open period,
// an empty program password) when the server lacks it. Returns whether it was made here;
// another start of the same program folder making it at the same moment is no failure.
bool createServerPrivateSchema(db::PgConnection &conn, const QString &schema);

struct InstallationOptions {
    bool demoFirm = true;
    int firstYear = 2004;
    int lastYear = 2008;
    // The demo firm made here gets its payrolls of January to March 2007, computed by the
    // payroll module (the filler below) once every database exists. Needs the year 2007.
    bool demoPayrolls = true;
};

// The year and months whose payrolls the demo firm is shipped with.
inline constexpr int kDemoPayrollYear = 2007;
inline constexpr int kDemoPayrollFirstMonth = 1;
inline constexpr int kDemoPayrollLastMonth = 3;

// Gives the demo firm just made in the program folder its payrolls; `conninfo` names the
// database server of a server installation (empty for folders). The payroll module lies
// above the core, so the installation generator hands it in (tools/mkinst).
using DemoPayrollFiller = std::function<void(const QString &programFolder, const QString &conninfo)>;

// Whether an installation of these options gives its demo firm payrolls.
bool makesDemoPayrolls(const InstallationOptions &options);

// Creates what is missing of an installation in the program folder: TRX.INI, PRIVATE/,
// COMMON/ROKyyyy/ for the shipped years, the template firm DATA/ and the demo firm
// DATA01/. An existing database is never replaced, so the clerk's data stay. A demo firm made
// here gets its payrolls from `fillDemoFirm` when the options ask for them (without a filler
// that is refused before anything is made); when they cannot be made, the demo firm's
// database goes again and the error is raised. Returns the folders whose databases were
// created.
QStringList createInstallation(const QString &programFolder,
                               const InstallationOptions &options = {},
                               const DemoPayrollFiller &fillDemoFirm = {});

// The installation on a database server (TRX.INI [NETWORK] Database_Server): the program
// folder gets its files (TRX.INI naming the server, frm/) and the server the schemas that
// are missing: this workstation's private schema, the years, the template firm "data" and
// the demo firm "data01". An existing schema is never replaced. The demo firm's payrolls as
// above (a failure drops its schema again). Returns the schemas made.
QStringList createServerInstallation(const QString &conninfo, const QString &programFolder,
                                     const InstallationOptions &options = {},
                                     const DemoPayrollFiller &fillDemoFirm = {});

} // namespace tarix::core
