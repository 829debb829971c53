#pragma once
// The decisions of the main window's pages, kept apart from the widgets: which items of an
// operation menu are enabled, the employee list's filters and orders, the pending-edit
// guard, and the texts the pages show.
#include "core/app_state.h"
#include "platform/dbctrl/db_navigator.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace tarix::db {
class DataSet;
}

namespace tarix::core {

// ---- operation menus -------------------------------------------------------------------------

// The items of an operation menu for one state of its table: while nothing is edited a
// record may be started, edited or deleted and the page left; while editing only the
// post and the cancel make sense.
struct OperationState {
    bool nove = false;
    bool oprava = false;
    bool vymazanie = false;
    bool zapis = false;
    bool ignorovanie = false;
    bool navrat = false;
};
OperationState operationState(bool editing);
// Enabled state of the item with Tag 1 (new) to 5 (cancel) of an operation menu.
bool itemAllowed(int tag, bool editing);

// Which navigator a fixed operation menu's item presses: new and delete press the list
// navigator of the page, edit, post and cancel its detail navigator.
struct OperationButton {
    bool zoznam = false; // the list navigator (otherwise the detail one)
    dbctrl::NavigateButton tlacidlo = dbctrl::NavigateButton::Refresh;
};
// tag 1 new, 2 edit, 3 delete, 4 post, 5 cancel.
OperationButton operationButton(int tag);

// ---- main menus --------------------------------------------------------------------------------

struct MainMenuState {
    bool system = false;
    bool hlavne = false;
    bool prehlady = false;
    bool nastavenia = false;
};
// Away from the start page every main menu is off (a screen is being worked on); on the
// start page "Systém" always works and the others only with a firm open.
MainMenuState mainMenuState(bool startPage, bool firmOpen);

// ---- the employee list ----------------------------------------------------------------------------

// The display modes kZobrazSucasnych, kZobrazVyradenych, kZobrazVsetkych: core/app_state.h.

// The employee table's filter for a display mode: current employees (employed on some day
// of the open month), those who left before it, or all; each within the cost centres
// `centreFilter`. Any mode other than 'A' and 'V' shows the current employees.
QString employeeFilter(QChar mode, const QDate &firstDay, const QDate &lastDay,
                            const QString &centreFilter);
// The same for the open month `period` (yyyymm).
QString employeeFilter(QChar mode, int period, const QString &centreFilter);

enum class SortOrder { Ziadne, PodlaMena, PodlaCisla };
// A click on a column title: the right-hand list sorts by personal number for
// "Code_numb" and by name for any other column; the choice grid sorts by number for
// "Code_numb", by name for "PMT" and not at all for other columns.
SortOrder sortByColumn(const QString &fieldName, bool choiceGrid);
// The employee table's index for an order ("ZAM1" by name, the key by number).
QString sortIndex(SortOrder order);

// ---- the pending-edit guard --------------------------------------------------------------------

// The tables whose pending edit keeps the user on his page are those the data modules hand
// over as guarded (WatchedTables, core/data_module.h).
// Whether any of the datasets (null entries skipped) is in edit or insert state.
bool Prebieha_editacia(const QList<const db::DataSet *> &tables);
// EMyError 65199 while an edit is pending.
void checkChangesFinished(bool editing);

// ---- texts ------------------------------------------------------------------------------------------

// Status-bar text for a field's hint: the two insurance hints name their allowed values,
// any other hint is shown as it is.
QString hintText(const QString &hint);
inline constexpr const char *kHintPoistenie = "%SMyAppHintPoistenie";
inline constexpr const char *kHintPoistenie2 = "%SMyAppHintPoistenie2";

// Caption of the employee choice page by selection mode ('Z' card, 'R' annual settlement).
QString selectionHeading(QChar selectionMode);

// Contract kinds of the menu "Nový pracovnoprávny vzťah": the item's tag plus 10.
int newDocumentType(int tag);

} // namespace tarix::core
