#pragma once
// Forms of labelled data-aware controls described by a table of fields, so that the many
// fields of the employee card's tabs are laid out by one piece of code.
#include <QString>
#include <QVector>
#include <initializer_list>

class QWidget;
class QGridLayout;

namespace tarix::db {
class DataSource;
}

namespace tarix::dbctrl {
class DBGrid;
class DBNavigator;
} // namespace tarix::dbctrl

namespace tarix::core {

enum class DruhPola {
    Text,     // DBEdit
    Datum,    // DBDateEdit
    Logicky,  // DBCheckBox
    Vyber,    // DBLookupComboBox over the lookup field named in `polozky`
    Zoznam,   // DBComboBox with the fixed texts of `polozky` ("M;Z")
    Zobraz,   // DBEdit that only shows (calculated and lookup fields)
};

struct PopisPola {
    const char *pole;
    const char *popis;
    DruhPola druh = DruhPola::Text;
    const char *polozky = nullptr;
    const char *napoveda = nullptr;
};

// Property of a control holding the field's hint (shown in the status bar while the
// control has the focus).
inline constexpr const char *kVlastnostNapoveda = "tarixHint";
// Property of a control holding the data field it edits (the key of a lookup combo).
inline constexpr const char *kVlastnostPole = "tarixField";

// A widget with the fields laid out in `columns` label/control pairs per row. Each
// control is named prefix + field ("TZAM_Surname").
QWidget *Vytvor_formular(QWidget *parent, db::DataSource *source, const QString &prefix,
                         std::initializer_list<PopisPola> fields, int columns = 2);

struct StlpecMriezky {
    const char *pole;
    const char *titulok;
    int sirka = -1;
};
// A read-only list grid over the source.
dbctrl::DBGrid *Vytvor_mriezku(QWidget *parent, db::DataSource *source, const QString &name,
                               std::initializer_list<StlpecMriezky> columns);

// A navigator over the source with the buttons a list or a detail needs.
dbctrl::DBNavigator *Vytvor_navigator(QWidget *parent, db::DataSource *source, const QString &name,
                                      bool list);

// The control of the page tree that edits `field` of `source` (case-insensitive), or null.
QWidget *Najdi_ovladac(QWidget *root, db::DataSource *source, const QString &field);

} // namespace tarix::core
