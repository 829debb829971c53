#include "components/grid/ex_db_grid.h"

#include "platform/db/datasource.h"
#include "platform/dbctrl/field_link.h"
#include "platform/ui/user_interface.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>

namespace tarix::grid {

// ---- the rules ---------------------------------------------------------------------------------

int minimumIndicatorWidth(int checkBoxWidth, int glyphWidth, bool columnAndRowLines)
{
    return checkBoxWidth + glyphWidth + (columnAndRowLines ? 4 : 8);
}

int effectiveIndicatorWidth(int requested, bool checkBoxSelect, int minimum)
{
    int width = requested;
    if (checkBoxSelect)
        width = std::max(width, minimum);
    return std::max(width, TExDBGrid::kMinIndicatorWidth);
}

QVector<int> bestFitWidths(const QVector<int> &wanted, int available)
{
    qint64 sum = 0;
    for (int w : wanted)
        sum += w;
    QVector<int> widths;
    widths.reserve(wanted.size());
    for (int w : wanted)
        widths << (sum == 0 ? w : int(qint64(w) * available / sum));
    return widths;
}

QVector<int> simpleFitWidths(const QVector<int> &widths, int clientWidth)
{
    qint64 sum = 0;
    for (int w : widths)
        sum += w;
    const qint64 difference = clientWidth - sum;
    if (sum <= 0 || (difference >= 0 && difference <= 2))
        return widths;
    QVector<int> fitted;
    fitted.reserve(widths.size());
    for (int w : widths)
        fitted << int(qint64(w) * clientWidth / sum);
    return fitted;
}

std::optional<QColor> zebraColor(const TExDBGridStyle &style, int visiblePosition)
{
    if (style.style == gsNormal)
        return std::nullopt;
    return visiblePosition % 2 == 0 ? style.oddColor : style.evenColor;
}

QString recordHintText(int recNo, int recordCount)
{
    return QStringLiteral("rec. %1 of %2").arg(recNo).arg(recordCount);
}

bool textNeedsHint(int textWidth, int space) { return textWidth >= space; }

namespace {

// Text is drawn this far from each side of its cell.
int textMargin(const QWidget *w) { return w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1; }

QString longestWord(const QString &caption, const QFontMetrics &fm)
{
    QString longest;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > fm.horizontalAdvance(longest))
            longest = word;
    return longest;
}

} // namespace

// ---- the indicator column -----------------------------------------------------------------------

// The vertical header drawn as the indicator: the row glyph (current, edited, inserted,
// selected, current and selected) and, with check-box selection, the row's check box.
// Its mouse presses are handed to the grid (eventFilter).
class TExDBGrid::Indicator : public QHeaderView {
public:
    explicit Indicator(TExDBGrid &grid) : QHeaderView(Qt::Vertical, &grid), m_grid(grid)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int row) const override
    {
        painter->save();
        painter->fillRect(rect, palette().button());
        painter->setPen(palette().mid().color());
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        const bool current = row == m_grid.currentRow();
        const bool selected = (m_grid.m_multiSelect || m_grid.hasExOption(eoCheckBoxSelect))
                              && m_grid.isRowSelected(m_grid.rowBookmark(row));
        db::DataSet *ds = m_grid.activeDataSet();
        const int cy = rect.center().y();
        const int gx = rect.left() + 2;
        painter->setPen(palette().text().color());
        painter->setBrush(palette().text());
        if (current && ds && ds->state() == db::DataSetState::Insert) {
            painter->drawText(QRect(gx, rect.top(), kGlyphWidth, rect.height()), Qt::AlignCenter, QStringLiteral("*"));
        } else if (current && ds && ds->state() == db::DataSetState::Edit) {
            painter->drawLine(gx + 3, cy - 4, gx + 3, cy + 4);
            painter->drawLine(gx + 1, cy - 4, gx + 5, cy - 4);
            painter->drawLine(gx + 1, cy + 4, gx + 5, cy + 4);
        } else if (current) {
            const int right = selected ? gx + 5 : gx + 6;
            painter->drawPolygon(QPolygon({QPoint(gx + 1, cy - 4), QPoint(right, cy), QPoint(gx + 1, cy + 4)}));
            if (selected)
                painter->drawEllipse(QPoint(gx + 7, cy), 1, 1);
        } else if (selected) {
            painter->drawEllipse(QPoint(gx + 3, cy), 2, 2);
        }
        if (m_grid.hasExOption(eoCheckBoxSelect)) {
            QStyleOptionButton box;
            const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
            const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
            box.rect = QRect(rect.right() - w - 2, cy - h / 2, w, h);
            box.state = QStyle::State_Enabled | (selected ? QStyle::State_On : QStyle::State_Off);
            style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, this);
        }
        painter->restore();
    }

private:
    TExDBGrid &m_grid;
};

// Zebra colours and the highlight of ticked rows; OnGetCellParams has the last word.
class TExDBGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TExDBGrid &grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        bool highlight = option->state.testFlag(QStyle::State_Selected);
        if (m_grid.m_multiSelect || m_grid.hasExOption(eoCheckBoxSelect)) {
            highlight = m_grid.isCellHighlighted(index.row());
            option->state.setFlag(QStyle::State_Selected, highlight);
        }
        if (highlight)
            return;
        QColor background = option->backgroundBrush.style() == Qt::NoBrush ? m_grid.palette().base().color()
                                                                           : option->backgroundBrush.color();
        if (const std::optional<QColor> zebra = m_grid.rowBackground(index.row(), index.column()))
            background = *zebra;
        if (m_grid.OnGetCellParams) {
            m_grid.OnGetCellParams(m_grid, m_grid.gridModel()->columnField(index.column()), option->font, background,
                                   highlight);
        }
        option->backgroundBrush = background;
    }

private:
    TExDBGrid &m_grid;
};

// ---- the grid -----------------------------------------------------------------------------------

TExDBGrid::TExDBGrid(QWidget *parent) : dbctrl::DBGrid(parent)
{
    m_bandsFont = font();
    m_style.oddColor = m_style.evenColor = palette().base().color();
    m_style.filterColor = palette().base().color();
    m_footerColor = palette().button().color();
    m_registryKey = QStringLiteral("Software\\TARIX");
    m_registrySection = QStringLiteral("ExDBGrid");
    m_defaultRowHeight = verticalHeader()->defaultSectionSize();
    m_titleHeight.pixelCount = m_defaultRowHeight;

    m_indicator = new Indicator(*this);
    setVerticalHeader(m_indicator);
    m_indicator->setSectionResizeMode(QHeaderView::Fixed);
    m_indicator->setMinimumSectionSize(1);
    m_indicator->setDefaultSectionSize(m_defaultRowHeight);
    m_indicator->viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->installEventFilter(this);
    m_delegate = new Delegate(*this);
    setItemDelegate(m_delegate);

    connect(m_indicator, &QHeaderView::sectionResized, this, [this](int, int, int newSize) {
        if (!m_fitting && hasExOption(eoRowSizing))
            rowHeightChangedByUser(newSize);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting && hasExOption(eoAutoWidth))
            FitColumnsToClientWidth();
    });
    // The rows' bookmarks are read again after the rows change; a closed dataset takes its
    // selection with it.
    QAbstractItemModel *m = gridModel();
    auto rowsChanged = [this] {
        m_rowIds.clear();
        if (showsNoData()) {
            m_selected.clear();
            m_anchor = {};
            m_keyAnchorPos = -1;
        }
    };
    connect(m, &QAbstractItemModel::modelReset, this, rowsChanged);
    connect(m, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(m, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    connect(m, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &a, const QModelIndex &b) {
        if (a.row() != b.row())
            m_rowIds.clear();
    });
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        if (!hasExOption(eoShowRecNo))
            return;
        moveToRow(value);
        showRecordHint();
    });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        if (m_recordHint)
            m_recordHint->hide();
    });

    setExOptions(kDefaultExOptions);
    applyOptions();
    applyIndicatorWidth();
}

TExDBGrid::~TExDBGrid() { delete m_recordHint; }

db::DataSet *TExDBGrid::activeDataSet() const
{
    db::DataSource *src = dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    return src && src->isEnabled() && ds && ds->isActive() ? ds : nullptr;
}

bool TExDBGrid::editable() const
{
    db::DataSet *ds = activeDataSet();
    return ds && !isReadOnly() && m_options.testFlag(dgEditing) && ds->canModify();
}

// ---- options and properties --------------------------------------------------------------------

TGridOptions TExDBGrid::Options() const
{
    TGridOptions o = m_options;
    o.setFlag(dgMultiSelect, m_multiSelect);
    return o;
}

void TExDBGrid::setOptions(TGridOptions options)
{
    const bool multi = options.testFlag(dgMultiSelect);
    m_options = options & ~TGridOptions(dgMultiSelect);
    if (m_multiSelect && !multi) {
        m_multiSelect = false;
        clearSelectedRows();
    }
    m_multiSelect = multi;
    applyOptions();
}

void TExDBGrid::applyOptions()
{
    horizontalHeader()->setVisible(m_options.testFlag(dgTitles));
    m_indicator->setVisible(m_options.testFlag(dgIndicator));
    horizontalHeader()->setSectionResizeMode(m_options.testFlag(dgColumnResize) ? QHeaderView::Interactive
                                                                               : QHeaderView::Fixed);
    setShowGrid(m_options.testFlag(dgColLines) || m_options.testFlag(dgRowLines));
    setTabKeyNavigation(m_options.testFlag(dgTabs));
    applyIndicatorWidth();
    viewport()->update();
}

void TExDBGrid::setExOptions(TExOptions options)
{
    if (options == m_exOptions)
        return;
    const bool hadCheckBoxes = m_exOptions.testFlag(eoCheckBoxSelect);
    m_exOptions = options;
    m_indicator->setSectionResizeMode(options.testFlag(eoRowSizing) ? QHeaderView::Interactive : QHeaderView::Fixed);
    const int minimum = checkBoxIndicatorWidth();
    if (!hadCheckBoxes && options.testFlag(eoCheckBoxSelect) && m_widthOfIndicator == kMinIndicatorWidth)
        m_widthOfIndicator = minimum;
    else if (hadCheckBoxes && !options.testFlag(eoCheckBoxSelect) && m_widthOfIndicator == minimum)
        m_widthOfIndicator = kMinIndicatorWidth;
    applyIndicatorWidth();
    setScrollBars(m_scrollBars);
    if (options.testFlag(eoAutoWidth))
        BestFitColumns();
    viewport()->update();
}

int TExDBGrid::checkBoxIndicatorWidth() const
{
    const int checkBox = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    return minimumIndicatorWidth(checkBox, kGlyphWidth,
                                 m_options.testFlag(dgColLines) && m_options.testFlag(dgRowLines));
}

void TExDBGrid::setWidthOfIndicator(int width)
{
    m_widthOfIndicator = effectiveIndicatorWidth(width, hasExOption(eoCheckBoxSelect), checkBoxIndicatorWidth());
    applyIndicatorWidth();
}

void TExDBGrid::applyIndicatorWidth()
{
    if (m_indicator)
        m_indicator->setFixedWidth(m_widthOfIndicator);
}

void TExDBGrid::setFlat(bool flat)
{
    m_flat = flat;
    setFrameShape(flat ? QFrame::Box : QFrame::StyledPanel);
}

void TExDBGrid::setGridStyleKind(TExGridStyleKind kind)
{
    if (kind == m_style.style)
        return;
    m_style.style = kind;
    if (kind == gsNormal) {
        m_style.oddColor = m_style.evenColor = palette().base().color();
    } else if (kind == gsSoftWheat) {
        // Stored as $00BBGGRR: $00ACE3E3 and $00C5EAEB.
        m_style.oddColor = QColor(0xE3, 0xE3, 0xAC);
        m_style.evenColor = QColor(0xEB, 0xEA, 0xC5);
    }
    viewport()->update();
}

void TExDBGrid::setGridStyle(const TExDBGridStyle &style)
{
    m_style = style;
    viewport()->update();
}

void TExDBGrid::setTitleHeight(const TExDBGTitleHeight &height)
{
    m_titleHeight = height;
    horizontalHeader()->setMinimumHeight(height.pixelCount);
}

int TExDBGrid::rowHeightFloor() const { return fontMetrics().boundingRect(QStringLiteral("Wg")).height() + 2; }

void TExDBGrid::setDefaultRowHeight(int height)
{
    if (height == 0)
        return;
    m_defaultRowHeight = height;
    m_fitting = true;
    m_indicator->setDefaultSectionSize(height);
    m_fitting = false;
}

void TExDBGrid::rowHeightChangedByUser(int height)
{
    const int raised = std::max(height, rowHeightFloor());
    if (hasExOption(eoRowHeightAutofit))
        return;
    setDefaultRowHeight(raised);
    m_fitting = true;
    for (int r = 0; r < m_indicator->count(); ++r)
        m_indicator->resizeSection(r, raised);
    m_fitting = false;
}

void TExDBGrid::setScrollBars(TScrollStyle style)
{
    m_scrollBars = style;
    const bool horizontal = (style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth)
                            && !hasExOption(eoAutoWidth);
    const bool vertical = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

QWidget *TExDBGrid::indicator() const { return m_indicator; }

// ---- data ---------------------------------------------------------------------------------------

int TExDBGrid::GetRecordCount() const
{
    db::DataSet *ds = activeDataSet();
    int count = ds ? ds->recordCount() : 0;
    if (OnGetRecordCount)
        OnGetRecordCount(const_cast<TExDBGrid &>(*this), count);
    return count;
}

void TExDBGrid::RefreshData()
{
    db::DataSource *src = dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    if (!ds)
        return;
    if (ds->isEditing() && ds->canModify())
        ds->post();
    const db::Bookmark current = ds->isActive() ? ds->bookmark() : db::Bookmark{};
    ds->close();
    ds->open();
    if (ds->bookmarkValid(current))
        ds->gotoBookmark(current);
}

db::Bookmark TExDBGrid::rowBookmark(int row) const
{
    db::DataSet *ds = activeDataSet();
    if (!ds)
        return {};
    if (row == currentRow() && ds->state() != db::DataSetState::Insert)
        return ds->bookmark();
    const int pos = gridModel()->positionOfRow(row);
    if (pos < 0 || pos >= ds->recordCount())
        return {};
    auto it = m_rowIds.constFind(row);
    if (it != m_rowIds.constEnd())
        return db::Bookmark{*it};
    qint64 id = -1;
    try {
        ds->withRowAt(pos, [&] { id = ds->currentRecord().id; });
    } catch (const std::exception &) {
        return {};
    }
    m_rowIds.insert(row, id);
    return db::Bookmark{id};
}

// ---- selection ---------------------------------------------------------------------------------

QList<db::Bookmark> TExDBGrid::selectedRows() const
{
    db::DataSet *ds = activeDataSet();
    if (!ds) {
        db::DataSource *src = dataSource();
        ds = src && src->dataSet() && src->dataSet()->isActive() ? src->dataSet() : nullptr;
    }
    return ds ? ds->sortBookmarks(m_selected) : QList<db::Bookmark>{};
}

bool TExDBGrid::currentRowSelected() const
{
    db::DataSet *ds = activeDataSet();
    return ds && m_selected.contains(ds->bookmark());
}

void TExDBGrid::setCurrentRowSelected(bool selected)
{
    db::DataSet *ds = activeDataSet();
    if (!ds || ds->state() == db::DataSetState::Insert)
        return;
    const db::Bookmark b = ds->bookmark();
    if (!b.isValid())
        return;
    if (selected && !m_selected.contains(b))
        m_selected << b;
    else if (!selected)
        m_selected.removeAll(b);
    viewport()->update();
    m_indicator->viewport()->update();
}

void TExDBGrid::clearSelectedRows()
{
    m_selected.clear();
    viewport()->update();
    m_indicator->viewport()->update();
}

void TExDBGrid::changedSelection()
{
    viewport()->update();
    m_indicator->viewport()->update();
    if (OnChangeSelection)
        OnChangeSelection(*this);
}

void TExDBGrid::toggleCheckBoxSelection()
{
    if (!activeDataSet())
        return;
    if (!m_multiSelect) {
        // At most one ticked row: a tick elsewhere clears this one.
        const bool was = currentRowSelected();
        m_selected.clear();
        if (was)
            setCurrentRowSelected(true);
    }
    setCurrentRowSelected(!currentRowSelected());
    changedSelection();
}

bool TExDBGrid::isCellHighlighted(int row) const
{
    return (m_multiSelect || hasExOption(eoCheckBoxSelect)) && isRowSelected(rowBookmark(row));
}

void TExDBGrid::selectRange(const db::Bookmark &from, const db::Bookmark &to)
{
    db::DataSet *ds = activeDataSet();
    if (!ds || !ds->bookmarkValid(from) || !ds->bookmarkValid(to))
        return;
    // Read the rows' identities in the dataset's order without moving it: no scroll events,
    // and the current record stays.
    const int n = ds->recordCount();
    bool inside = false;
    for (int pos = 0; pos < n; ++pos) {
        qint64 id = -1;
        ds->withRowAt(pos, [&] { id = ds->currentRecord().id; });
        const bool end = id == from.id || id == to.id;
        if (end || inside) {
            if (!m_selected.contains(db::Bookmark{id}))
                m_selected << db::Bookmark{id};
        }
        if (end && (inside || from == to))
            break;
        if (end)
            inside = true;
    }
}

QString TExDBGrid::recordHint() const
{
    db::DataSet *ds = activeDataSet();
    if (!ds || ds->isEmpty())
        return {};
    return recordHintText(ds->recNo(), GetRecordCount());
}

void TExDBGrid::showRecordHint()
{
    const QString text = recordHint();
    if (text.isEmpty() || !(QApplication::mouseButtons() & Qt::LeftButton)) {
        if (m_recordHint)
            m_recordHint->hide();
        return;
    }
    if (!m_recordHint) {
        m_recordHint = new QLabel(nullptr, Qt::ToolTip);
        m_recordHint->setAutoFillBackground(true);
        QPalette p = m_recordHint->palette();
        p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
        m_recordHint->setPalette(p);
        m_recordHint->setMaximumWidth(100);
    }
    m_recordHint->setText(text);
    m_recordHint->adjustSize();
    const QSize cursor(16, 16);
    m_recordHint->move(QCursor::pos() + QPoint(cursor.width() / 2, cursor.height() / 2));
    m_recordHint->show();
}

// ---- hints, empty grid, zebra -------------------------------------------------------------------

QString TExDBGrid::cellHint(int row, int column) const
{
    if (!hasExOption(eoCellHint) && m_hintField.isEmpty())
        return {};
    db::DataSet *ds = activeDataSet();
    if (!ds || row < 0 || column < 0 || column >= gridModel()->columnCount())
        return {};
    QString text;
    if (!m_hintField.isEmpty()) {
        const int pos = gridModel()->positionOfRow(row);
        db::Field *f = ds->findField(m_hintField);
        if (!f)
            return {};
        auto read = [&] { text = f->type() == db::FieldType::Memo ? f->asString() : dbctrl::displayText(f); };
        if (row == currentRow())
            read();
        else if (pos >= 0)
            ds->withRowAt(pos, read);
    } else {
        text = gridModel()->rowTexts(row).value(column);
    }
    if (OnCellHint)
        OnCellHint(const_cast<TExDBGrid &>(*this), column, text);
    const int width = fontMetrics().horizontalAdvance(text) + 2 * textMargin(this);
    return textNeedsHint(width, columnWidth(column)) ? text : QString();
}

QString TExDBGrid::titleHint(int column) const
{
    if (!hasExOption(eoCellHint) || column < 0 || column >= gridModel()->columnCount())
        return {};
    const QString caption = gridModel()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int width = horizontalHeader()->fontMetrics().horizontalAdvance(caption) + 2 * textMargin(this);
    return textNeedsHint(width, columnWidth(column)) ? caption : QString();
}

bool TExDBGrid::showsNoData() const
{
    db::DataSource *src = dataSource();
    return !src || !src->dataSet() || !src->dataSet()->isActive();
}

std::optional<QColor> TExDBGrid::rowBackground(int row, int column) const
{
    if (isCellHighlighted(row))
        return std::nullopt;
    if (column < m_fixedCols && !hasExOption(eoFixedLikeColumn))
        return std::nullopt;
    const int top = std::max(0, rowAt(0));
    return zebraColor(m_style, row - top);
}

// ---- column fitting -----------------------------------------------------------------------------

void TExDBGrid::BestFitColumns()
{
    if (m_fitting)
        return;
    const int columns = gridModel()->columnCount();
    if (columns == 0)
        return;
    const QFontMetrics titleMetrics = horizontalHeader()->fontMetrics();
    const QStringList texts = gridModel()->rowTexts(currentRow());
    QVector<int> wanted;
    for (int c = 0; c < columns; ++c) {
        QString caption = gridModel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        if (hasExOption(eoTitleWordWrap))
            caption = longestWord(caption, titleMetrics);
        const int title = titleMetrics.horizontalAdvance(caption);
        const int field = isCheckBoxCell(c) ? 2 : fontMetrics().horizontalAdvance(texts.value(c));
        wanted << std::max(title, field);
    }
    int available = width() - 2 * frameWidth() - m_gridLineWidth * (columns + 1);
    if (verticalScrollBar()->isVisible())
        available -= verticalScrollBar()->width();
    if (m_options.testFlag(dgIndicator))
        available -= m_widthOfIndicator;
    const QVector<int> widths = bestFitWidths(wanted, available);
    m_fitting = true;
    for (int c = 0; c < columns; ++c)
        setColumnWidth(c, widths[c]);
    m_fitting = false;
}

void TExDBGrid::FitColumnsToClientWidth()
{
    if (m_fitting)
        return;
    const int columns = gridModel()->columnCount();
    if (columns == 0)
        return;
    QVector<int> widths;
    for (int c = 0; c < columns; ++c)
        widths << columnWidth(c);
    const QVector<int> fitted = simpleFitWidths(widths, viewport()->width());
    m_fitting = true;
    for (int c = 0; c < columns; ++c)
        setColumnWidth(c, fitted[c]);
    m_fitting = false;
}

void TExDBGrid::autoFit()
{
    if (hasExOption(eoAutoWidth))
        FitColumnsToClientWidth();
}

// ---- records through the keyboard ---------------------------------------------------------------

bool TExDBGrid::isCheckBoxCell(int column) const
{
    const db::Field *f = gridModel()->columnField(column);
    return f && hasExOption(eoBooleanAsCheckBox) && f->type() == db::FieldType::Boolean;
}

void TExDBGrid::toggleCheckBoxCell(int column)
{
    db::Field *f = gridModel()->columnField(column);
    db::DataSet *ds = activeDataSet();
    if (!f || !ds || !editable() || f->isReadOnly() || f->kind() != db::FieldKind::Data)
        return;
    dbctrl::runReported([&] {
        if (!ds->isEditing())
            ds->edit();
        f->setValue(!f->asBoolean());
    });
}

void TExDBGrid::appendRecord()
{
    if (OnAppendRecord) {
        OnAppendRecord(*this);
        return;
    }
    db::DataSet *ds = activeDataSet();
    dbctrl::runReported([&] { ds->append(); });
}

void TExDBGrid::insertRecord()
{
    if (OnInsertRecord) {
        OnInsertRecord(*this);
        return;
    }
    db::DataSet *ds = activeDataSet();
    dbctrl::runReported([&] { ds->insert(); });
}

void TExDBGrid::deleteRecords()
{
    if (OnDeleteRecord) {
        OnDeleteRecord(*this);
        return;
    }
    db::DataSet *ds = activeDataSet();
    if (!ds || ds->isEmpty())
        return;
    const QList<db::Bookmark> rows = selectedRows();
    const QString question = rows.size() < 2 ? QStringLiteral("Delete a record?")
                                             : QStringLiteral("Do you really want to delete a selected records?");
    if (m_options.testFlag(dgConfirmDelete) && !ui::current().askYesNo(question))
        return;
    dbctrl::runReported([&] {
        if (rows.isEmpty()) {
            ds->deleteRecord();
            return;
        }
        for (const db::Bookmark &b : rows) {
            ds->gotoBookmark(b);
            ds->deleteRecord();
            m_selected.removeAll(b);
        }
    });
    changedSelection();
}

void TExDBGrid::moveKeyboardSelection(int fromPos, int toPos)
{
    db::DataSet *ds = activeDataSet();
    if (!ds || fromPos == toPos)
        return;
    // Stepping back towards where the Shift move began unticks the row left.
    if (std::abs(toPos - m_keyAnchorPos) < std::abs(fromPos - m_keyAnchorPos)) {
        ds->withRowAt(fromPos, [&] { m_selected.removeAll(db::Bookmark{ds->currentRecord().id}); });
    } else {
        setCurrentRowSelected(true);
    }
    changedSelection();
}

// ---- mouse and keys -----------------------------------------------------------------------------

void TExDBGrid::pressOnRow(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods, bool inIndicator)
{
    db::DataSet *ds = activeDataSet();
    if (!ds)
        return;
    if (m_multiSelect && ds->state() != db::DataSetState::Insert)
        m_anchor = ds->bookmark();
    if (!moveToRow(row) || button != Qt::LeftButton)
        return;
    // In the indicator of a check-box grid the click is the box's alone (on release).
    if (!(inIndicator && hasExOption(eoCheckBoxSelect)))
        selectOnPress(mods);
}

void TExDBGrid::selectOnPress(Qt::KeyboardModifiers mods)
{
    if (!m_multiSelect)
        return;
    if (mods & Qt::ControlModifier) {
        setCurrentRowSelected(!currentRowSelected());
    } else {
        if (!hasExOption(eoKeepSelection))
            m_selected.clear();
        setCurrentRowSelected(true);
    }
    changedSelection();
}

void TExDBGrid::releaseOnRow(Qt::MouseButton button, Qt::KeyboardModifiers mods, bool inIndicator)
{
    db::DataSet *ds = activeDataSet();
    if (!ds)
        return;
    if (m_multiSelect && (mods & Qt::ShiftModifier) && m_anchor.isValid()) {
        ds->disableControls();
        try {
            selectRange(m_anchor, ds->bookmark());
        } catch (...) {
            ds->enableControls();
            throw;
        }
        ds->enableControls();
        changedSelection();
        // A Shift click on a check box takes the range; it does not toggle its own row off.
        return;
    }
    if (inIndicator && button == Qt::LeftButton && hasExOption(eoCheckBoxSelect))
        toggleCheckBoxSelection();
}

void TExDBGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    db::DataSet *ds = activeDataSet();
    if (!ds || !idx.isValid()) {
        DBGrid::mousePressEvent(event);
        return;
    }
    if (m_multiSelect && ds->state() != db::DataSetState::Insert)
        m_anchor = ds->bookmark();
    DBGrid::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && idx.row() == currentRow())
        selectOnPress(event->modifiers());
}

void TExDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    DBGrid::mouseReleaseEvent(event);
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (!idx.isValid() || !activeDataSet())
        return;
    releaseOnRow(event->button(), event->modifiers(), false);
    // The cell click: a check-box cell of the current row toggles.
    if (event->button() == Qt::LeftButton && idx.row() == currentRow() && isCheckBoxCell(idx.column())
        && !(event->modifiers() & Qt::ShiftModifier))
        toggleCheckBoxCell(idx.column());
}

bool TExDBGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_indicator->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto *me = static_cast<QMouseEvent *>(event);
            const int row = m_indicator->logicalIndexAt(me->position().toPoint());
            if (row >= 0 && (!hasExOption(eoRowSizing) || m_indicator->cursor().shape() != Qt::SplitVCursor))
                pressOnRow(row, me->button(), me->modifiers(), true);
            else
                return false;
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto *me = static_cast<QMouseEvent *>(event);
            const int row = m_indicator->logicalIndexAt(me->position().toPoint());
            if (row >= 0 && row == currentRow())
                releaseOnRow(me->button(), me->modifiers(), true);
            return row >= 0;
        }
        default:
            break;
        }
    } else if (watched == horizontalHeader()->viewport() && event->type() == QEvent::ToolTip) {
        auto *he = static_cast<QHelpEvent *>(event);
        const int column = horizontalHeader()->logicalIndexAt(he->pos());
        const QString hint = titleHint(column);
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(he->globalPos(), hint, horizontalHeader()->viewport());
        return true;
    }
    return DBGrid::eventFilter(watched, event);
}

bool TExDBGrid::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *he = static_cast<QHelpEvent *>(event);
        const QModelIndex idx = indexAt(he->pos());
        const QString hint = idx.isValid() ? cellHint(idx.row(), idx.column()) : QString();
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(he->globalPos(), hint, viewport(), visualRect(idx).adjusted(-1, -1, 1, 1));
        return true;
    }
    return DBGrid::viewportEvent(event);
}

void TExDBGrid::keyPressEvent(QKeyEvent *event)
{
    db::DataSet *ds = activeDataSet();
    if (!ds || ds->isEditing() || isEditingCell()) {
        DBGrid::keyPressEvent(event);
        return;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier);
    const int columns = gridModel()->columnCount();
    const int column = currentIndex().column();
    const bool atEnd = ds->recNo() >= ds->recordCount();

    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && hasExOption(eoENTERlikeTAB) && columns > 0) {
        int next = column + 1;
        if (next >= columns) {
            if (!hasExOption(eoDisableInsert) && editable())
                appendRecord();
            next = std::min(m_fixedCols, columns - 1);
        }
        if (currentRow() >= 0)
            selectionModel()->setCurrentIndex(gridModel()->index(currentRow(), next),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        event->accept();
        return;
    }
    if (key == Qt::Key_Down && atEnd && !(mods & Qt::ShiftModifier)) {
        if (!hasExOption(eoDisableInsert) && editable())
            appendRecord();
        event->accept();
        return;
    }
    if (key == Qt::Key_Insert && mods == Qt::NoModifier) {
        if (!hasExOption(eoDisableInsert) && editable())
            insertRecord();
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && (mods & Qt::ControlModifier)) {
        if (!hasExOption(eoDisableDelete) && !isReadOnly() && m_options.testFlag(dgEditing))
            deleteRecords();
        event->accept();
        return;
    }
    if (key == Qt::Key_Space && mods == Qt::NoModifier) {
        if (isCheckBoxCell(column))
            toggleCheckBoxCell(column);
        else if (hasExOption(eoCheckBoxSelect))
            // The row's check box, as a click in the indicator.
            toggleCheckBoxSelection();
        event->accept();
        return;
    }
    if (key == Qt::Key_F5 && mods == Qt::NoModifier) {
        if (OnRefreshData)
            OnRefreshData(*this);
        else
            dbctrl::runReported([&] { RefreshData(); });
        event->accept();
        return;
    }
    const bool moving = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown
                        || ((key == Qt::Key_Home || key == Qt::Key_End) && (mods & Qt::ControlModifier));
    if (m_multiSelect && moving) {
        const int before = ds->recNo() - 1;
        const bool extend = (mods & Qt::ShiftModifier) && (key == Qt::Key_Up || key == Qt::Key_Down);
        if (extend && m_keyAnchorPos < 0) {
            m_keyAnchorPos = before;
            setCurrentRowSelected(true);
        } else if (!extend) {
            m_keyAnchorPos = -1;
        }
        DBGrid::keyPressEvent(event);
        const int after = ds->recNo() - 1;
        if (extend)
            moveKeyboardSelection(before, after);
        else if (after != before && !hasExOption(eoKeepSelection)) {
            m_selected.clear();
            changedSelection();
        }
        return;
    }
    DBGrid::keyPressEvent(event);
}

void TExDBGrid::paintEvent(QPaintEvent *event)
{
    DBGrid::paintEvent(event);
    if (!showsNoData())
        return;
    QPainter p(viewport());
    p.setPen(palette().text().color());
    p.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextSingleLine, noDataText());
}

void TExDBGrid::resizeEvent(QResizeEvent *event)
{
    DBGrid::resizeEvent(event);
    autoFit();
}

} // namespace tarix::grid
