#pragma once
// The rules of the grid's standard pop-up menu, its filter bar and its BLOB editor, apart
// from the widgets so that each can be checked alone.
#include "components/grid/ex_db_grid_options.h"

#include <QString>

#include <array>

namespace tarix::db {
class Field;
}

namespace tarix::grid {

// The 25 items of the standard pop-up menu, in the order they are built; 15 to 19 stand in
// the sub-menu of 14.
enum PopupItem {
    piAdd,
    piInsert,
    piEdit,
    piDelete,
    piSep1,
    piPrint,
    piExport,
    piFilter,
    piSearch,
    piSep2,
    piPost,
    piCancel,
    piRefresh,
    piSep3,
    piSelection,
    piSelect,
    piSelectAll,
    piSep4,
    piUnselect,
    piUnselectAll,
    piSep5,
    piSaveLayout,
    piRestoreLayout,
    piSep6,
    piSetup,
};
inline constexpr int kPopupItemCount = 25;
QString popupCaption(PopupItem item);

// What the menu's state depends on.
struct PopupMenuInput {
    bool hasDataSet = false; // a dataset behind the source
    bool active = false;     // and open
    bool browsing = false;   // neither editing nor inserting
    bool canModify = false;
    bool readOnly = false; // the grid's
    TExOptions exOptions;
    bool multiSelect = false;
    bool onPrint = false, onExport = false, onFilter = false, onSearch = false, onSetup = false;
};
struct PopupItemState {
    bool visible = true;
    bool enabled = true;
};
std::array<PopupItemState, kPopupItemCount> popupMenuState(const PopupMenuInput &in);

// The delete question for the number of rows selected.
QString deleteQuestion(int selectedCount);

// The filter bar's record test for one column: a value with "*" is a pattern (every "*" is
// dropped); a plain value on a number field takes only the identical text; otherwise the
// folded value must occur in the folded text.
bool filterAccepts(const QString &filterValue, const QString &fieldText, bool numericField);
// Letters in capitals, and á é í ó ú (either case) as their plain capital vowels, so that
// "čer" finds "Černák" and "novak" finds "Novák".
QString foldForFilter(const QString &text);

// Whether a double click opens the BLOB editor on this field: BLOBs, memos and texts longer
// than 256.
bool offersBlobEditor(const db::Field *field);

} // namespace tarix::grid
