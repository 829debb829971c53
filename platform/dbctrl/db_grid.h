#pragma once
// A grid over a dataset: one row per record in the dataset's order, one column per chosen
// field (title and width), showing the fields' display texts; a logical field shows as a
// check box. A column is never narrower than its title, and one without a width of its own
// is as wide as its field's values (a text field up to 40 characters) and the values first
// shown (up to kWidestColumn).
//
// The grid follows the data source: the selected row is the current record, and clicking a
// row or moving with the keys moves the dataset there (a pending edit is posted or cancelled
// first, as any move does). Rows are read when they are shown, without moving the dataset,
// and kept until the dataset changes, so a grid over a few thousand rows reads only what it
// shows. The current row shows the record as it is being edited; a record being inserted
// shows as an extra row at the place of the record that was current.
//
// Cells are edited in place on the current row only while the dataset is in edit or insert
// state, or when the source's autoEdit is on (typing into a cell then puts the dataset in
// edit): the typed text is written into the field when the cell is left; a refusal keeps the
// field's old value and is reported. Read-only grids and columns, and read-only fields, are
// never edited.
//
// Every move to another row (Tab and Shift+Tab, which wrap from the last column into the next
// row and back, Enter-driven moves, the arrow and page keys, a click) goes through moveToCell:
// the open cell editor is written into the record being left, that record is stored (a
// refusal is reported and the grid stays on its row), then the dataset moves and the grid's
// cursor follows it. So nothing typed ever lands in another row. Esc drops the open cell's
// text and the row's edit.
//
// A disabled data source freezes the grid: it keeps showing the rows it had and neither
// follows nor moves the dataset until the source is enabled again. A closed dataset shows
// no rows.
#include "platform/db/datasource.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <memory>

namespace tarix::dbctrl {

struct DBGridColumn {
    QString fieldName;
    QString title;  // empty: the field's label
    int width = -1; // pixels; negative: the default width
    bool readOnly = false;
};

class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DBGridModel(QObject *parent = nullptr);

    // No columns: every visible field of the dataset.
    void setColumns(const QVector<DBGridColumn> &columns);
    const QVector<DBGridColumn> &columns() const { return m_columns; }
    // The columns in effect (the chosen ones, or one per visible field).
    const QVector<DBGridColumn> &effectiveColumns() const { return m_effective; }
    db::Field *columnField(int column) const { return m_fields.value(column); }
    // The field a column shows as its dataset declares it (also while the rows are not
    // shown), or nullptr.
    const db::Field *declaredField(int column) const;
    // The column shows a logical field as a check box.
    bool isCheckBoxColumn(int column) const { return m_checkBoxes.value(column); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Cells may be edited at all (the grid's read-only switch).
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly; }
    // The link the grid follows its source with: the model reads the dataset only while the
    // link still leads to it (a source or dataset gone meanwhile is never touched), and the
    // source's autoEdit lets typing start the edit.
    void setLink(const db::DataLink *link) { m_link = link; }
    // The cell of the current row may be edited now (or after autoEdit starts the edit).
    bool canEditCell(int row, int column) const;
    // Whether the last write into a field was refused.
    bool lastWriteRefused() const { return m_writeRefused; }

    // ---- following the dataset (called by the grid) ---------------------------------------
    // Re-reads the row count, fields and current row of the dataset (null or closed: no
    // rows). Returns true when the columns changed (a full reset).
    bool sync(db::DataSet *dataSet);
    // The current record moved.
    void currentMoved();
    // A value of the current record changed, or its state did.
    void currentRecordChanged();
    // Keeps the rows read so far, reading rows first..last now; then reads nothing more.
    void freeze(int firstRow, int lastRow);
    bool isFrozen() const { return m_frozen; }

    int currentRow() const { return m_currentRow; }
    int insertRow() const { return m_insertRow; }
    // Position in the dataset (0-based) of a row; -1 for the row being inserted.
    int positionOfRow(int row) const;
    // Rows read from the dataset so far (each read runs the row's calculated fields).
    int rowsRead() const { return m_reads; }
    // The display texts of a row as the grid shows them.
    QStringList rowTexts(int row) const;

private:
    bool live() const;
    void resolveColumns();
    void readRow(int row) const;

    db::DataSet *m_ds = nullptr;
    const db::DataLink *m_link = nullptr;
    bool m_readOnly = false;
    bool m_writeRefused = false;
    QVector<DBGridColumn> m_columns;
    QVector<DBGridColumn> m_effective;
    QVector<db::Field *> m_fields;
    // Read from the fields when the columns were resolved, so that painting a frozen grid or
    // one whose dataset is gone never touches a field.
    QStringList m_titles;
    QVector<bool> m_rightAligned;
    // Logical fields shown as a check box rather than a text.
    QVector<bool> m_checkBoxes;
    int m_rows = 0;
    int m_currentRow = -1;
    int m_insertRow = -1;
    bool m_frozen = false;
    mutable QHash<int, QStringList> m_cache;
    mutable int m_reads = 0;
};

class DBGrid : public QTableView {
    Q_OBJECT
public:
    // A column sized by its values grows at most to this many pixels (a third of a
    // 1366-pixel screen); a longer text is cut there.
    static constexpr int kWidestColumn = 455;

    explicit DBGrid(QWidget *parent = nullptr);
    ~DBGrid() override;

    void setDataSource(db::DataSource *source);
    db::DataSource *dataSource() const;
    void setColumns(const QVector<DBGridColumn> &columns);
    void addColumn(const QString &fieldName, const QString &title = {}, int width = -1);
    // The width the grid needs to show all its columns (hidden ones too) side by side
    // without scrolling sideways, with room for the vertical scroll bar.
    int widthForAllColumns() const;
    DBGridModel *gridModel() const { return m_model; }
    // No cell is ever edited in place.
    void setReadOnly(bool readOnly) { m_model->setReadOnly(readOnly); }
    bool isReadOnly() const { return m_model->isReadOnly(); }
    // Writes the text of an open cell editor into its field now. False when refused.
    bool commitEditor();
    // A cell editor is open.
    bool isEditingCell() const { return state() == QAbstractItemView::EditingState; }

    // Moves to a cell as every move of the clerk does: on another row, the open cell editor is
    // written into the current record and the record is stored before the dataset moves to
    // the row's record; the grid's cursor follows the dataset. False when the grid is frozen
    // or inactive or the move was refused (the refusal is reported; the grid stays).
    bool moveToCell(int row, int column);
    // moveToCell in the current column, as a click on the row does.
    bool moveToRow(int row);
    int currentRow() const { return m_model->currentRow(); }

signals:
    // Double click or Enter on a row.
    void rowActivated();
    // Click on a column title.
    void titleClicked(int column, const QString &fieldName);

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class Link;
    void activeChanged();
    void dataSetChanged();
    void scrolled();
    // The grid's cursor on the current record (in a column; -1: the column it is in).
    void syncSelection(int column = -1);
    // The cell Tab (forward) or Shift+Tab reaches: the next or previous shown column, past
    // the row's end into the next or previous row; invalid at the grid's first and last cell.
    QModelIndex tabNeighbor(bool forward) const;
    // Esc: the edit of the current record is dropped.
    void cancelRowEdit();
    void applyWidths();
    // The width a column's title needs.
    int titleWidth(int column) const;

    DBGridModel *m_model = nullptr;
    std::unique_ptr<Link> m_link;
    bool m_syncing = false;
};

} // namespace tarix::dbctrl
