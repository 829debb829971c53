#pragma once
// The export layouts of the employee table (data module TDMTL) and their CSV and SYLK
// writer.
//
// A layout (a row of Tlac1, TLID 1 to 10, in the year's common folder, so that every firm of
// the year shares it) names the employee fields it exports in the rows of Tlac2: position
// LOGID, exported or not (TLACIT), column width (SIRKA). TL2a_ shows the exported fields of
// the current layout, TL2b_ the others. Every change of a layout is one transaction and
// first checks that the row it starts from is still as read, so that two programs editing
// one layout never mix up its rows.
//
// The writer turns the employee table, as filtered, into "zostava" + layout + ".CSV" and
// ".SLK" of the program's "excel" folder, Windows-1250 with CR LF line ends.
#include "core/data_module.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tarix::db {
class Field;
}

namespace tarix::filings {

class TDMTL : public core::DataModule {
public:
    TDMTL();
    ~TDMTL() override;

    db::Table &TL1_;  // Tlac1.db (TARIX_COMM): the layouts, read only
    db::Table &TL2a_; // Tlac2.db: the exported fields of the current layout
    db::Table &TL2b_; // Tlac2.db: the other fields of the current layout
    db::DataSource &DS_TL1;
    db::DataSource &DS_TL2a;
    db::DataSource &DS_TL2b;
    db::DataSource &DS_TL2aG; // the width edit of an exported field

    // Opens the three tables (and closes them), as the export window needs them.
    void openLayouts();
    void closeLayouts();

    // The current layout's TLID; 0 when there is none.
    int currentLayout() const;

    // "Vyradiť položku" / "Zaradiť položku": the current exported (other) field goes to the
    // end of the other (exported) list; the layout's positions are then numbered 0, 1, 2,
    // ... again. False when the list had no row.
    bool excludeItem();
    bool includeItem();
    // "Posun hore" / "Posun dole": the current exported field changes places with the
    // exported field above (below) it; false (nothing changes) at the end of the list.
    bool moveUp();
    bool moveDown();
    // Numbers the positions of the current layout 0, 1, 2, ... in their order; one
    // transaction.
    void Precisluj_polozky();
    // "Inicializácia": after question 65142, every layout 1 to 10 gets every field of the
    // employee table (but those whose tag is 999) as a field not exported, width 30;
    // returns false when the clerk said no. One transaction.
    bool initializeLayouts(const db::DataSet &zamestnanci);

private:
    // Moves the current exported field to position `ciel` (swapping with the field there).
    void swapItems(int tlid, int logid, int ciel);
    // Raises RecordChangedError when the row (tlid, logid) no longer holds `nazov` with
    // `tlacit`; called inside the change's transaction.
    void checkLayoutRow(int tlid, int logid, const QString &nazov, bool tlacit);
    // Runs a change with the field lists' sources switched off, then re-reads both lists.
    template <class Change>
    auto layoutChange(Change &&change);
    bool moveItem(db::Table &from, bool tlacit);
};

// The process-wide instance, created eighth at start-up.
TDMTL &DMTL();
bool hasDMTL();
void createDMTL();
void destroyDMTL();

namespace layout_export {

// An exported field of a layout, in the layout's order.
struct ExportLayoutItem {
    QString nazov; // field of the employee table
    int sirka = 0; // column width in the SYLK file
};

// The exported fields of layout `tlid`, in LOGID order.
QList<ExportLayoutItem> layoutItems(db::Session &session, int tlid);

// A field's value as the files hold it: blank for an empty value, numbers in their plain
// form with a decimal comma, dates d.M.yyyy, logicals "True" / "False".
QString layoutValueText(const db::Field &field);

struct LayoutFiles {
    QByteArray csv;
    QByteArray slk;
};
// Both files for every record of `zamestnanci` as it stands (range, filter), first to
// last; the dataset's current row is kept. A field a layout names that the table lacks
// raises the data layer's field-not-found error, and nothing is made.
LayoutFiles createLayout(db::DataSet &zamestnanci, const QList<ExportLayoutItem> &polozky);

// The program's "excel" folder + "zostava" + tlid + extension (".CSV", ".SLK").
QString layoutFileName(int tlid, const QString &pripona);

// "Vytvorenie a tlač": writes both files of layout `tlid` from the employee table, then
// asks 65125 and opens the SYLK file with the desktop's program, or tells 65124. A file
// that cannot be written: error 65123 naming it, and nothing more. Returns whether both
// files were written.
bool writeExport(int tlid, db::DataSet &zamestnanci);

} // namespace layout_export

} // namespace tarix::filings
