#include "platform/dbctrl/db_grid.h"

#include "platform/db/dataset.h"
#include "platform/dbctrl/field_link.h"
#include "platform/errors.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tarix::dbctrl {

namespace {

// Rows kept at most; a grid scrolled through a long table starts over rather than holding
// every row it has shown.
constexpr int kCacheLimit = 4096;

} // namespace

// ---- DBGridModel -----------------------------------------------------------------------------

DBGridModel::DBGridModel(QObject *parent) : QAbstractTableModel(parent) {}

void DBGridModel::setColumns(const QVector<DBGridColumn> &columns)
{
    m_columns = columns;
    beginResetModel();
    resolveColumns();
    m_cache.clear();
    endResetModel();
}

void DBGridModel::resolveColumns()
{
    m_effective.clear();
    m_fields.clear();
    m_titles.clear();
    m_rightAligned.clear();
    m_checkBoxes.clear();
    const bool open = m_ds && m_ds->isActive();
    if (!m_columns.isEmpty()) {
        m_effective = m_columns;
        for (const DBGridColumn &c : m_columns)
            m_fields << (open ? m_ds->findField(c.fieldName) : nullptr);
    } else if (open) {
        for (db::Field *f : m_ds->fields()) {
            if (!f->isVisible())
                continue;
            m_effective << DBGridColumn{f->name(), {}, -1};
            m_fields << f;
        }
    }
    // Titles come from the fields' labels also while the rows are not shown (the source
    // switched off, the data closed): the dataset knows its declared fields.
    for (int i = 0; i < m_effective.size(); ++i) {
        const db::Field *f = m_fields[i];
        const DBGridColumn &c = m_effective[i];
        const db::Field *labelled = declaredField(i);
        m_titles << (!c.title.isEmpty() ? c.title : labelled ? labelled->label() : c.fieldName);
        m_rightAligned << (f && db::isNumericType(f->type()));
        // A logical value as a box, not as "True"/"False"; a field that words its own
        // values keeps its words.
        m_checkBoxes << (f && f->type() == db::FieldType::Boolean && !f->onGetText && f->displayFormat().isEmpty());
    }
}

const db::Field *DBGridModel::declaredField(int column) const
{
    if (column < 0 || column >= m_effective.size())
        return nullptr;
    if (const db::Field *f = m_fields.value(column))
        return f;
    const db::DataSource *source = m_link ? m_link->dataSource() : nullptr;
    const db::DataSet *named = m_ds ? m_ds : source ? source->dataSet() : nullptr;
    return named ? named->findField(m_effective[column].fieldName) : nullptr;
}

int DBGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows; }

int DBGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_effective.size());
}

bool DBGridModel::live() const
{
    if (m_link && (!m_link->dataSource() || m_link->dataSet() != m_ds))
        return false;
    return !m_frozen && m_ds && m_ds->isActive() && !m_ds->controlsDisabled()
           && m_ds->state() != db::DataSetState::CalcFields;
}

int DBGridModel::positionOfRow(int row) const
{
    if (row < 0 || row >= m_rows || row == m_insertRow)
        return -1;
    return m_insertRow >= 0 && row > m_insertRow ? row - 1 : row;
}

void DBGridModel::readRow(int row) const
{
    const int pos = positionOfRow(row);
    if (pos < 0 || pos >= m_ds->recordCount())
        return;
    QStringList texts;
    try {
        m_ds->withRowAt(pos, [&] {
            for (db::Field *f : m_fields)
                texts << dbctrl::displayText(f);
        });
    } catch (const std::exception &) {
        // A row that cannot be read (its calculated fields failed) shows empty.
        texts = QStringList();
        for (int i = 0; i < m_fields.size(); ++i)
            texts << QString();
    }
    ++m_reads;
    if (m_cache.size() >= kCacheLimit)
        m_cache.clear();
    m_cache.insert(row, texts);
}

QStringList DBGridModel::rowTexts(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    if (row == m_currentRow && live()) {
        // The current record as it stands, also while it is edited.
        QStringList texts;
        for (db::Field *f : m_fields)
            texts << dbctrl::displayText(f);
        return texts;
    }
    auto it = m_cache.constFind(row);
    if (it != m_cache.constEnd())
        return *it;
    if (!live())
        return {};
    readRow(row);
    return m_cache.value(row);
}

QVariant DBGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_fields.size())
        return {};
    if (role == Qt::DisplayRole) {
        if (isCheckBoxColumn(index.column()))
            return {};
        const QStringList texts = rowTexts(index.row());
        return texts.value(index.column());
    }
    if (role == Qt::CheckStateRole) {
        if (!isCheckBoxColumn(index.column()))
            return {};
        const QString text = rowTexts(index.row()).value(index.column());
        if (text.isEmpty())
            return {};
        return text == db::formatDisplay(true, db::FieldType::Boolean, {}) ? Qt::Checked : Qt::Unchecked;
    }
    if (role == Qt::EditRole) {
        db::Field *f = m_fields[index.column()];
        if (!f || index.row() != m_currentRow || !live())
            return {};
        return dbctrl::displayText(f, TextForm::Edit);
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant((m_rightAligned.value(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_effective.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_titles.value(section);
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (canEditCell(index.row(), index.column()))
        f |= isCheckBoxColumn(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

bool DBGridModel::canEditCell(int row, int column) const
{
    if (m_readOnly || !live() || row != m_currentRow || row < 0 || column < 0 || column >= m_fields.size())
        return false;
    const db::Field *f = m_fields[column];
    if (!f || f->kind() != db::FieldKind::Data || f->isComputed() || f->isReadOnly() || m_effective[column].readOnly
        || !m_ds->canModify())
        return false;
    return m_ds->isEditing() || (m_link && m_link->dataSource() && m_link->dataSource()->autoEdit);
}

bool DBGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    m_writeRefused = false;
    if (role == Qt::CheckStateRole && index.isValid() && isCheckBoxColumn(index.column())
        && canEditCell(index.row(), index.column())) {
        db::Field *f = m_fields[index.column()];
        const bool ok = runReported([&] {
            if (!m_ds->isEditing())
                m_ds->edit();
            f->setAsBoolean(value.toInt() == Qt::Checked);
        });
        m_writeRefused = !ok;
        currentRecordChanged();
        return ok;
    }
    if (role != Qt::EditRole || !index.isValid() || !canEditCell(index.row(), index.column()))
        return false;
    db::Field *f = m_fields[index.column()];
    const QString oldText = dbctrl::displayText(f, TextForm::Edit);
    const QString typed = value.toString();
    // Nothing changed: no write, no validation, no edit begun. A number the cell offered
    // with its shown decimals keeps the digits it has.
    if (typed == oldText)
        return true;
    const bool ok = runReported([&] {
        if (!m_ds->isEditing())
            m_ds->edit();
        f->setText(typed);
    });
    m_writeRefused = !ok;
    // Refused: the field kept its old value; show it again.
    currentRecordChanged();
    return ok;
}

bool DBGridModel::sync(db::DataSet *dataSet)
{
    const bool open = dataSet && dataSet->isActive();
    const int previousCurrent = m_currentRow;
    const QVector<DBGridColumn> oldEffective = m_effective;
    const QVector<db::Field *> oldFields = m_fields;
    const QStringList oldTitles = m_titles;
    m_ds = dataSet;
    m_frozen = false;
    m_cache.clear();
    resolveColumns();
    bool sameColumns = oldFields == m_fields && oldTitles == m_titles && oldEffective.size() == m_effective.size();
    for (int i = 0; sameColumns && i < m_effective.size(); ++i)
        sameColumns = oldEffective[i].fieldName == m_effective[i].fieldName
                      && oldEffective[i].title == m_effective[i].title;

    int rows = 0, current = -1, inserting = -1;
    if (open) {
        const int n = m_ds->recordCount();
        if (m_ds->state() == db::DataSetState::Insert) {
            inserting = qBound(0, m_insertRow >= 0 ? m_insertRow : previousCurrent, n);
            rows = n + 1;
            current = inserting;
        } else {
            rows = n;
            current = m_ds->recordNumber() - 1;
        }
    }
    if (!sameColumns) {
        beginResetModel();
        m_rows = rows;
        m_currentRow = current;
        m_insertRow = inserting;
        endResetModel();
        return true;
    }
    // Same columns: change the row count in place, so that the view keeps its column
    // widths and scroll position, then let it repaint what it shows.
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    m_currentRow = current;
    m_insertRow = inserting;
    if (m_rows > 0 && !m_effective.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows - 1, int(m_effective.size()) - 1));
    return false;
}

void DBGridModel::currentMoved()
{
    if (!live())
        return;
    const int old = m_currentRow;
    if (m_ds->state() == db::DataSetState::Insert)
        m_currentRow = m_insertRow;
    else
        m_currentRow = m_ds->recordNumber() - 1;
    const int last = int(m_effective.size()) - 1;
    if (last < 0)
        return;
    if (old >= 0 && old < m_rows)
        emit dataChanged(index(old, 0), index(old, last));
    if (m_currentRow >= 0 && m_currentRow != old)
        emit dataChanged(index(m_currentRow, 0), index(m_currentRow, last));
}

void DBGridModel::currentRecordChanged()
{
    if (!live() || m_currentRow < 0 || m_currentRow >= m_rows || m_effective.isEmpty())
        return;
    // What was read of this row before the change is stale now.
    m_cache.remove(m_currentRow);
    emit dataChanged(index(m_currentRow, 0), index(m_currentRow, int(m_effective.size()) - 1));
}

void DBGridModel::freeze(int firstRow, int lastRow)
{
    if (m_frozen)
        return;
    if (live()) {
        if (m_currentRow >= 0 && m_currentRow < m_rows)
            m_cache.insert(m_currentRow, rowTexts(m_currentRow));
        for (int r = qMax(0, firstRow); r <= lastRow && r < m_rows; ++r)
            if (!m_cache.contains(r))
                readRow(r);
    }
    m_frozen = true;
}

// ---- DBGrid ----------------------------------------------------------------------------------

class DBGrid::Link : public db::DataLink {
public:
    explicit Link(DBGrid &g) : m_grid(g) {}
    void activeChanged() override { m_grid.activeChanged(); }
    void dataSetChanged() override { m_grid.dataSetChanged(); }
    void dataSetScrolled() override { m_grid.scrolled(); }
    void recordChanged(db::Field *) override { m_grid.m_model->currentRecordChanged(); }
    void editingChanged() override { m_grid.m_model->currentRecordChanged(); }
    void updateData() override
    {
        // A post or a move takes the text of an open cell editor first; its refusal (already
        // reported) stops the post.
        if (!m_grid.commitEditor())
            throw EAbort();
    }

private:
    DBGrid &m_grid;
};

DBGrid::DBGrid(QWidget *parent) : QTableView(parent), m_link(std::make_unique<Link>(*this))
{
    m_model = new DBGridModel(this);
    m_model->setLink(m_link.get());
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        emit titleClicked(section, m_model->effectiveColumns().value(section).fieldName);
    });
}

DBGrid::~DBGrid() { m_link->setDataSource(nullptr); }

void DBGrid::setDataSource(db::DataSource *source) { m_link->setDataSource(source); }

bool DBGrid::commitEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return true;
    QWidget *editor = indexWidget(currentIndex());
    if (!editor)
        return true;
    commitData(editor);
    const bool ok = !m_model->lastWriteRefused();
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return ok;
}

bool DBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The view also asks on every change of its cursor and every press: only a trigger the
    // grid opens editors on may start the record's edit.
    const bool opens = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (!opens || !index.isValid() || !m_model->canEditCell(index.row(), index.column()))
        return QTableView::edit(index, trigger, event);
    // autoEdit: the edit starts before the cell editor opens; a refusal keeps it closed.
    db::DataSet *ds = m_link->dataSet();
    if (!ds->isEditing() && !runReported([&] { ds->edit(); }))
        return false;
    return QTableView::edit(index, trigger, event);
}

db::DataSource *DBGrid::dataSource() const { return m_link->dataSource(); }

void DBGrid::setColumns(const QVector<DBGridColumn> &columns)
{
    m_model->setColumns(columns);
    dataSetChanged();
    applyWidths();
}

void DBGrid::addColumn(const QString &fieldName, const QString &title, int width)
{
    QVector<DBGridColumn> c = m_model->columns();
    c << DBGridColumn{fieldName, title, width};
    setColumns(c);
}

namespace {

// Characters a field's values take at most, as a column shows them; 0 when unknown.
int valueChars(const db::Field *f)
{
    if (!f)
        return 0;
    switch (f->type()) {
    case db::FieldType::String: return qBound(1, f->size(), 40);
    case db::FieldType::SmallInt: return 6;
    case db::FieldType::Integer:
    case db::FieldType::AutoInc: return 10;
    case db::FieldType::Float:
    case db::FieldType::Money: return 12;
    case db::FieldType::Date: return 10;
    case db::FieldType::DateTime: return 19;
    case db::FieldType::Time: return 8;
    default: return 0;
    }
}

} // namespace

int DBGrid::titleWidth(int column) const
{
    const QHeaderView *header = horizontalHeader();
    const QString title = m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return std::max(header->sectionSizeHint(column),
                    header->fontMetrics().horizontalAdvance(title)
                        + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 4);
}

void DBGrid::applyWidths()
{
    const QVector<DBGridColumn> &cols = m_model->effectiveColumns();
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    // The rows a first look shows (read for painting anyway).
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    const int shownRows = std::min(m_model->rowCount(), std::max(viewport()->height(), 600) / rowHeight + 1);
    for (int i = 0; i < cols.size(); ++i) {
        int width = cols[i].width;
        if (width < 0) {
            // As wide as the field's values and the values shown, so that a name is not cut
            // where the window has room; a long text up to a third of the screen.
            const int chars = valueChars(m_model->declaredField(i));
            width = chars > 0 ? chars * fontMetrics().averageCharWidth() + padding
                              : horizontalHeader()->sectionSize(i);
            for (int r = 0; r < shownRows; ++r)
                width = std::max(width, std::min(kWidestColumn, fontMetrics().horizontalAdvance(
                                                                     m_model->data(m_model->index(r, i)).toString())
                                                                     + padding));
        }
        // Never narrower than its title: a clerk reads the column by it.
        setColumnWidth(i, std::max(width, titleWidth(i)));
    }
}

int DBGrid::widthForAllColumns() const
{
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    if (!verticalHeader()->isHidden())
        width += verticalHeader()->sizeHint().width();
    for (int i = 0; i < m_model->columnCount(); ++i)
        width += std::max(columnWidth(i), titleWidth(i));
    return width;
}

void DBGrid::showEvent(QShowEvent *event)
{
    // Titles measured again in the font the shown window has; a column only grows.
    for (int i = 0; i < m_model->columnCount(); ++i)
        if (!isColumnHidden(i) && columnWidth(i) < titleWidth(i))
            setColumnWidth(i, titleWidth(i));
    QTableView::showEvent(event);
}

void DBGrid::activeChanged()
{
    db::DataSource *src = m_link->dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    if (!m_link->isActive() && src && !src->isEnabled() && ds && ds->isActive() && m_model->rowCount() > 0) {
        // Switched off: stand still, with the rows in view read while they are still right.
        int first = rowAt(0);
        int last = rowAt(viewport()->height() - 1);
        if (first < 0)
            first = 0;
        if (last < 0)
            last = first + 100;
        m_model->freeze(first, last);
        return;
    }
    dataSetChanged();
}

void DBGrid::dataSetChanged()
{
    db::DataSet *ds = m_link->isActive() ? m_link->dataSet() : nullptr;
    if (m_model->sync(ds))
        applyWidths();
    syncSelection();
}

void DBGrid::scrolled()
{
    m_model->currentMoved();
    syncSelection();
}

void DBGrid::syncSelection(int column)
{
    QItemSelectionModel *sel = selectionModel();
    if (!sel)
        return;
    m_syncing = true;
    const int row = m_model->currentRow();
    if (row >= 0 && row < m_model->rowCount() && m_model->columnCount() > 0) {
        const int c = qBound(0, column >= 0 ? column : currentIndex().column(), m_model->columnCount() - 1);
        const QModelIndex idx = m_model->index(row, c);
        sel->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(idx);
    } else {
        sel->clearSelection();
        sel->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    }
    m_syncing = false;
}

bool DBGrid::moveToRow(int row) { return moveToCell(row, currentIndex().column()); }

bool DBGrid::moveToCell(int row, int column)
{
    if (!m_link->isActive() || m_model->isFrozen())
        return false;
    if (row == m_model->currentRow()) {
        // Within the row: the record stays in its edit, only the cursor moves (an open
        // editor is written by the view as its cell is left).
        if (column >= 0 && column != currentIndex().column())
            syncSelection(column);
        return true;
    }
    db::DataSet *ds = m_link->dataSet();
    const int pos = m_model->positionOfRow(row);
    if (pos < 0 || pos >= ds->recordCount())
        return false;
    // 1. The text of an open cell editor belongs to the record being left.
    if (!commitEditor())
        return false;
    // 2. The row's identity, read before the record left is stored: storing a record being
    // inserted shifts the positions of the rows after it.
    qint64 id = -1;
    bool ok = runReported([&] { ds->withRowAt(pos, [&] { id = ds->currentRecord().id; }); });
    // 3. The record left is stored; refused, the grid stays on it.
    if (ok && ds->isEditing())
        ok = runReported([&] { ds->checkBrowseMode(); });
    // 4. The dataset moves, then the grid's cursor follows it.
    if (ok)
        ok = runReported([&] { ds->gotoBookmark(db::Bookmark{id}); });
    syncSelection(column);
    return ok;
}

QModelIndex DBGrid::tabNeighbor(bool forward) const
{
    const int columns = m_model->columnCount();
    int row = m_model->currentRow();
    int column = currentIndex().column();
    if (row < 0 || columns == 0)
        return {};
    for (int steps = 0; steps < columns * 2 + 1; ++steps) {
        column += forward ? 1 : -1;
        if (column >= columns) {
            column = 0;
            ++row;
        } else if (column < 0) {
            column = columns - 1;
            --row;
        }
        if (row < 0 || row >= m_model->rowCount())
            return {};
        if (!isColumnHidden(column))
            return m_model->index(row, column);
    }
    return {};
}

void DBGrid::cancelRowEdit()
{
    db::DataSet *ds = m_link->isActive() ? m_link->dataSet() : nullptr;
    if (ds && ds->isEditing())
        runReported([&] { ds->cancel(); });
}

void DBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    switch (hint) {
    case QAbstractItemDelegate::EditNextItem:
    case QAbstractItemDelegate::EditPreviousItem: {
        // Tab and Shift+Tab in a cell editor: its text was just written (a refusal keeps the
        // cell); the move goes the way every move does, and the next cell of the record being
        // edited opens its editor at once.
        const bool refused = m_model->lastWriteRefused();
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        if (refused)
            return;
        const QModelIndex target = tabNeighbor(hint == QAbstractItemDelegate::EditNextItem);
        db::DataSet *ds = m_link->dataSet();
        if (!target.isValid() || !moveToCell(target.row(), target.column()))
            return;
        if (ds && ds->isEditing() && m_model->canEditCell(target.row(), target.column()))
            edit(currentIndex(), AllEditTriggers, nullptr);
        return;
    }
    case QAbstractItemDelegate::RevertModelCache:
        // Esc in a cell editor: its text and the row's edit are dropped.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        cancelRowEdit();
        return;
    default:
        QTableView::closeEditor(editor, hint);
    }
}

void DBGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (idx.isValid() && event->button() == Qt::LeftButton) {
        if (!moveToCell(idx.row(), idx.column())) {
            event->accept();
            return;
        }
    } else if (idx.isValid()) {
        event->accept();
        return;
    }
    m_syncing = true;
    QTableView::mousePressEvent(event);
    m_syncing = false;
    syncSelection();
}

void DBGrid::mouseMoveEvent(QMouseEvent *event)
{
    // No drag selection: the selected row is the dataset's current record.
    event->accept();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (idx.isValid() && m_model->canEditCell(idx.row(), idx.column())) {
        QTableView::mouseDoubleClickEvent(event);
        return;
    }
    if (idx.isValid() && idx.row() == m_model->currentRow() && m_link->isActive())
        emit rowActivated();
    event->accept();
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int current = m_model->currentRow();
    const int column = currentIndex().column();
    QModelIndex target;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_model->canEditCell(currentIndex().row(), currentIndex().column()))
            edit(currentIndex(), EditKeyPressed, event);
        else if (m_link->isActive())
            emit rowActivated();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (isEditingCell() || !m_link->isActive() || !m_link->dataSet()->isEditing()) {
            QTableView::keyPressEvent(event);
            return;
        }
        cancelRowEdit();
        event->accept();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!tabKeyNavigation() || (mods & (Qt::ControlModifier | Qt::AltModifier))) {
            QTableView::keyPressEvent(event);
            return;
        }
        target = tabNeighbor(event->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        break;
    case Qt::Key_Up:
        target = m_model->index(current - 1, column);
        break;
    case Qt::Key_Down:
        target = m_model->index(current + 1, column);
        break;
    case Qt::Key_PageUp:
        target = moveCursor(MovePageUp, mods);
        break;
    case Qt::Key_PageDown:
        target = moveCursor(MovePageDown, mods);
        break;
    case Qt::Key_Home:
        target = moveCursor(MoveHome, mods);
        break;
    case Qt::Key_End:
        target = moveCursor(MoveEnd, mods);
        break;
    case Qt::Key_Left:
        target = moveCursor(MoveLeft, mods);
        break;
    case Qt::Key_Right:
        target = moveCursor(MoveRight, mods);
        break;
    default: {
        // Typing and the edit keys; one that lands on another row (a keyboard search) moves
        // the dataset there.
        QTableView::keyPressEvent(event);
        const int row = currentIndex().row();
        if (row >= 0 && row != m_model->currentRow())
            moveToCell(row, currentIndex().column());
        else
            syncSelection();
        return;
    }
    }
    event->accept();
    // Past the first or last row nothing moves (and no record is added).
    if (target.isValid())
        moveToCell(target.row(), target.column());
}

} // namespace tarix::dbctrl
