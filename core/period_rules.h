#pragma once
// The rules of the period and cost-centre choice: which year changes the period dialog
// allows, the per-year INI import of years before 2005, the exemption filter mode of the
// period, and the workstation's cost centre.
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace tarix::db {
class Session;
}
namespace tarix::ini {
class IniFile;
}

namespace tarix::core {

class TDM;

// The text that narrows the exemption codes in the months 8/2006 to 12/2006.
inline constexpr const char *kFilterVynimiek2006 = "(ID >='0' AND ID<='2') OR (ID>='A' AND ID<='E')";

// 1 for the periods 200608 to 200612, else 0.
int periodExceptionMode(int period);
// Stores the mode and gives CIS5_ its filter text (filtering stays off); an open table
// reads its rows again so that their exemption texts follow the mode.
void Nastav_filter_vynimiek(TDM &dm, int mode);
// The mode of the period stored in the private table.
void setPeriodExceptionFilter(TDM &dm);

// Refuses (EMyError 65115) a year the period dialog may not set: from a year before 2005
// to 2005 or later, and any change of a year from 2005 on (each has its own folder).
void checkYearChange(int rememberedYear, int newYear);

// "ROK" + year + ".INI"
QString yearFile(int year);

// Which imports the period dialog offers when the year changes to `year` (before 2005).
struct ImportOffer {
    bool pasma = false;       // question 65131 and the tax-band import
    bool parametre = false;   // question 65132, parameter and set-up import
    bool lenExistujuci = false; // only when the file exists
};
ImportOffer importOffer(int year);

// The imports the clerk chose for a year: the file and its parts.
struct YearImport {
    QString subor;          // path of the year file
    bool pasma = false;     // tax bands
    bool parametre = false; // parameters and set-up
};
// Asks the questions of the offer for `year` (nothing when the offer is empty or the file
// required is missing); empty when nothing was chosen.
std::optional<YearImport> chooseYearImport(int year, const QString &programFolder);
// Reads the chosen parts of the year file, then writes them in one transaction: either all
// of bands, parameters and set-up are stored or none. A value that is not a number is
// reported with its section and key and skipped; 65130 when band 1 is missing in any of the
// three band sections (nothing written). A failure while writing (a value a field refuses,
// a database error) undoes every write and raises EMyError naming the file. After the
// parameter import the statutory parameters are loaded again.
void importYear(TDM &dm, const YearImport &choice);
// chooseYearImport, then importYear.
void offerYearImport(TDM &dm, int year, const QString &programFolder);

// The single imports of a year file, each in its own transaction, on the same rules.
// Tax bands replace those of the year.
void Nacitaj_danove_pasma(TDM &dm, const QString &iniPath);
// Parameters by their abbreviation ("PARAMETRE_NUM"); keys without a parameter are skipped.
void Nacitaj_parametre_roka(TDM &dm, const QString &iniPath);
// Fields of the year's set-up row ("SETUP"); a key that is no numeric field is skipped.
void Nacitaj_setup_roka(TDM &dm, const QString &iniPath);

// The period dialog's "O&K": checks the year change, offers the year file's import when the
// year changed to one before 2005 (the questions come first), stores year and month together
// with the chosen import in one transaction (nothing at all when refused or when the import
// fails), then sets parameter slot 28 for the new period and the exemption filter mode.
void confirmPeriod(TDM &dm, int rememberedYear, int newYear, int newMonth,
                    const QString &programFolder);

// The cost centres of the firm in number order (number, name).
QList<QPair<int, QString>> costCenterList(TDM &dm);
// Stores the workstation's cost centre (0 = the whole firm).
void setCostCenter(TDM &dm, int sid);

} // namespace tarix::core
