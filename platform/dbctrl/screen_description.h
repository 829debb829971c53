#pragma once
// A screen described as data: its tab pages, the groups of controls on them, and each
// control with its caption, the dataset field it shows, its kind, where it stands, its width
// and whether it takes input. ScreenBuilder (screen_builder.h) makes the widgets; a window
// keeps the description of its fields as tables in its own files, so that other code can
// read the same tables (which fields a screen offers for input) without building anything.
#include "platform/dbctrl/db_navigator.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tarix::dbctrl {

enum class ControlKind {
    Edit,        // DBEdit
    DateEdit,    // DBDateEdit
    Combo,       // DBComboBox with the texts of `items`; `editable` also takes other texts
    LookupCombo, // DBLookupComboBox bound to the lookup field named in `items`; it writes
                 // the key, `field`, and is found and named by it
    CheckBox,    // DBCheckBox
    RadioGroup,  // DBRadioGroup with the captions of `items` and the values of `values`
    Memo,        // DBMemo
    Grid,        // DBGrid with `columns`
    Navigator,   // DBNavigator with `buttons` and `hints`
    Label,       // a caption (the text of `label`); with a field, the field's text only
                 // shown in an edit's frame that the focus never enters (calculated and
                 // lookup fields beside the edits they are computed from)
};

// The colour a widget takes from the colour section of the program's settings (TRX.INI):
// input fields of the first or the second kind, and backgrounds (pages, grids, scroll
// areas). A widget without a role keeps its colours.
enum class ColorRole {
    None,
    Pole1,
    Pole2,
    Pozadie,
};

// Property of a widget holding its colour role as the key of the colour section ("Pole1",
// "Pole2", "Pozadie"); see colorRoleName().
inline constexpr const char *kColorRoleProperty = "tarixColorRole";

inline const char *colorRoleName(ColorRole role)
{
    switch (role) {
    case ColorRole::Pole1: return "Pole1";
    case ColorRole::Pole2: return "Pole2";
    case ColorRole::Pozadie: return "Pozadie";
    case ColorRole::None: break;
    }
    return "";
}

// Property of a control holding its hint (shown in a status bar while it has the focus).
inline constexpr const char *kHintProperty = "tarixHint";
// Property of a control holding the data field it edits (a lookup combo's key field).
inline constexpr const char *kFieldProperty = "tarixField";

// Every member has a default, so that a table names only what it needs ({"Surname",
// "Priezvisko"}, or designated: {.field = "Stat", .kind = ControlKind::LookupCombo, ...}).
struct ScreenColumn {
    QString field = {};
    QString title = {}; // empty: the field's label
    int width = -1;     // pixels; negative: the grid's default
};

struct ScreenControl {
    QString field = {}; // the dataset field; empty for a caption, a grid or a navigator
    QString label = {}; // caption beside it (a Label without a field: its text)
    ControlKind kind = ControlKind::Edit;
    QString items = {}; // Combo, RadioGroup: texts separated by ';'; LookupCombo: the lookup field
    QString hint = {};  // kHintProperty
    bool readOnly = false; // only shows the value (a grid: no cell is edited in place)
    QString values = {};   // RadioGroup: the value written for each item (none: its caption)
    bool editable = false; // Combo: takes texts that are not in the list
    int width = -1;        // minimum width in pixels; negative: the control's own
    Qt::Alignment alignment = {}; // of an edit's text; none: the edit's own
    // Cell of a table group (row 0 holds the headings). Negative: the next label/control
    // pair of the group's flow.
    int row = -1;
    int column = -1;
    QString name = {};      // object name; empty: the builder's prefix and the field
    QString labelName = {}; // object name of the caption beside it
    QString source = {};    // a data source named to the builder instead of its own
    QVector<ScreenColumn> columns = {}; // Grid
    QList<NavigateButton> buttons = {}; // Navigator: the buttons shown (none: all)
    QStringList hints = {};             // Navigator: tool tips in button order
    ColorRole color = ColorRole::None;  // edits and lookup combos: Pole1/Pole2; grids: Pozadie
};

// Controls laid out together: pairs of caption and control, `columns` pairs side by side and
// filled row by row; or, with headings, a table whose controls stand at their row and column
// (captions of rows are Label controls in column 0).
struct ScreenGroup {
    QString title = {};
    // In a group box with the title (also an empty one); without a box the pairs sit close
    // together, as on a form of their own.
    bool box = false;
    int columns = 1;
    QStringList headings = {};
    QVector<ScreenControl> controls = {};
    // Where the group stands on its page. Negative: the next cell of the page's grid.
    int row = -1;
    int column = -1;
    int rowSpan = 1;
    int columnSpan = 1;
    int stretch = 0; // the page column's share of spare width (0: none)
};

// A tab page: its groups in a grid of groupsPerRow columns (or at their own cells). A page
// of one group without a box is that group's form itself.
struct ScreenPage {
    QString name = {};    // object name of the page
    QString caption = {}; // its tab's text
    QVector<ScreenGroup> groups = {};
    int groupsPerRow = 1;
    bool scrolled = false; // in a scroll area (the area is the page)
    ColorRole color = ColorRole::None; // Pozadie: the page's background
};

} // namespace tarix::dbctrl
