#pragma once
// Firms and years of an installation, and opening a firm and year.
//
// One installation keeps up to 99 firms in the folders "DATA01" ... "DATA99" of the
// network root and the statutory tables of each year in "COMMON/ROKyyyy". Opening a firm
// and year re-points the aliases (TARIX_DATA and TARIX_DATX at the firm, TARIX_COMM at the
// year, TARIX_PRIV at the private folder), opens the registered tables, upgrades the data,
// asks for the cost centre and the period, and loads the year's statutory parameters.
#include <QList>
#include <QString>
#include <functional>

namespace tarix::db {
class Session;
}

namespace tarix::core {

inline constexpr int kPrvaFirma = 1;
inline constexpr int kPoslednaFirma = 99;
inline constexpr int kPrvyRokMenu = 2004;
inline constexpr int kPoslednyRokMenu = 2019;
// Years before this one keep their statutory tables in the folder of 2004.
inline constexpr int kPrvyOsobitnyRok = 2005;

// "DATA07"
QString firmFolderName(int firm);
// root + "DATA07/"
QString firmFolderPath(const QString &networkRoot, int firm);
// root + "COMMON/ROK2007/"; for 2004 and earlier root + "COMMON/ROK2004/".
QString yearDataFolder(const QString &networkRoot, int year);
// root + "vystupy/DATA07/2007/"
QString firmOutputFolder(const QString &networkRoot, int firm, int year);
// root + "frm/"
QString Priecinok_formularov(const QString &networkRoot);

// One firm of the menu "Výber firmy" with the years it can be opened in.
struct FirmEntry {
    int cislo = 0;
    QString nazov;
    QList<int> roky;
    // Why the firm's database cannot be read (damaged, or busy past the wait); empty when
    // it can. Such a firm stays in the menu, marked, and opening it says why.
    QString problem;
    bool busy = false;
    // The menu caption: name + " " + two-digit number; an unreadable firm shows its folder
    // and what is wrong with it.
    QString popis() const;
};

// The caption suffixes of a firm whose database is damaged or busy.
inline constexpr const char16_t *kDamagedSuffix = u" – poškodená databáza";
inline constexpr const char16_t *kBusySuffix = u" – databáza je obsadená";

// Years 2004 to 2019 whose folder "COMMON/ROKyyyy" holds the parameter table. A year
// folder whose database exists but cannot be read is listed too, with its reason in
// `unreadable` (file: reason), so that it is reported rather than dropped. The folders are
// looked at through the session's backend (the default session when none is given): on a
// database server each is its schema.
QList<int> yearsWithParameters(const QString &networkRoot, QStringList *unreadable = nullptr,
                              db::Session *session = nullptr);
// The name (NAZOV) of the firm header in a firm folder; false when the folder has no
// readable header. Opening by path through the session; nothing is created. `problem`
// (when given) receives the file and the reason when the database exists but cannot be
// read, and `busy` whether another program held it past the wait.
bool readFirmName(db::Session &session, const QString &firmFolder, QString &name,
                       QString *problem = nullptr, bool *busy = nullptr);
// Firms 1 to 99 with a database, each with every year that has parameters; empty when no
// year has parameters. Numbers are kept as they are (firm 7 without firm 3). A firm whose
// database cannot be read is listed with its problem. `unreadableYears` receives the year
// folders that could not be read.
QList<FirmEntry> firmList(db::Session &session, const QString &networkRoot,
                                  QStringList *unreadableYears = nullptr);

// A folder's database is usable for the program: readable (waiting for another program
// up to the session's busy timeout) and, when `forWriting`, writable. Otherwise throws
// EMyError with a message naming the file and the reason. Asked of the default session's
// backend: on a database server the folder's schema. `what` names the folder's role
// ("firmy", "roka 2007", "pracovnej stanice").
void checkDatabase(const QString &folder, const QString &table, const QString &what,
                   bool forWriting);

// The open firm and year of this run; firma 0 while none is open.
struct OpenFirm {
    int firma = 0;
    int rok = 0;
    QString priecinokFirmy;
    QString priecinokRoka;
    QString priecinokFormularov;
    QString vystupnyPriecinok;
};
const OpenFirm &openedFirm();

// The compatibility setting "Priplatky" that the data upgrades give parameter 33. The
// program sets the payroll settings' value at start-up; until then TRX.INI's
// [Kompatibilita] Priplatky is read (default 1).
// Stays a setter, not a registry entry: one value read at each opening, not a command, page or module.
void setSurcharges(std::function<int()> provider);
int Priplatky();

// What the main window adds to an opening: its menus and caption, and the two dialogs.
struct OpeningSteps {
    // After the tables were opened or failed to open: menus and caption for the new state.
    std::function<void()> priprav_menu;
    // After a successful opening and upgrade: the employer kind's menu entries.
    std::function<void()> menu_podla_zamestnavatela;
    // Ask for the cost centre and the period (the period dialog stores the period).
    std::function<void()> vyber_strediska;
    std::function<void()> vyber_obdobia;
};

// Opens the firm and year (the process-wide session, TDM, table registry and PARAM.INI).
// Returns true when the firm is open, its data upgraded, the cost centre and period chosen
// and the year's parameters loaded (slot 28 set for the period). Any failure is shown to
// the user and leaves no firm open: tables closed, parameters emptied, open firm cleared.
bool openFirmAndYear(int firm, int year, const OpeningSteps &kroky = {});

// Closes every registered table (the firm stays recorded as chosen; see dropOpenFirm).
void closeFirmTables();
// Closes the tables and forgets the open firm: no firm is open afterwards.
void dropOpenFirm();

// The main window's caption refresh, called after the firm header is posted. The window
// sets it; without a window it does nothing.
// Stays a setter, not a registry entry: the main window (above this code) sets it for its own lifetime.
void setTitleRefresh(std::function<void()> refresh);
void refreshWindowCaption();

// Shows an exception's text to the user (EAbort stays silent).
void showError(const std::exception &e);

} // namespace tarix::core
