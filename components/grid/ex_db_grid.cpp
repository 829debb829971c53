#include "components/grid/ex_db_grid.h"

#include "components/grid/ex_blob_editor.h"
#include "components/grid/grid_layout.h"
#include "platform/db/datasource.h"
#include "platform/dbctrl/field_link.h"
#include "platform/ui/user_interface.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStyleOptionHeader>
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

QString recordHintText(int recordNumber, int recordCount)
{
    return QStringLiteral("rec. %1 of %2").arg(recordNumber).arg(recordCount);
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
        int right = rect.right() - 2;
        if (m_grid.hasExOption(eoCheckBoxSelect)) {
            const int w = checkBoxSize(this).width();
            drawCheckBox(*painter, this, QRect(right - w + 1, rect.top(), w, rect.height()),
                         selected ? CheckState::Ticked : CheckState::Unticked, Qt::AlignRight, m_grid.Flat(),
                         m_grid.m_hot == HotCell{row, -1});
            right -= w + 2;
        }
        if (m_grid.hasExOption(eoRowNumber)) {
            const int first = std::max(0, m_grid.rowAt(0));
            painter->setPen(palette().buttonText().color());
            painter->drawText(QRect(gx + kGlyphWidth, rect.top(), right - gx - kGlyphWidth, rect.height()),
                              Qt::AlignRight | Qt::AlignVCenter, QString::number(row - first + 1));
        }
        painter->restore();
    }

private:
    TExDBGrid &m_grid;
};

// The data cells: the column's font, colour and alignment, the zebra colours and the
// highlight of ticked rows (OnGetCellParams has the last word); glyphs of BLOB-like fields,
// pictures, check boxes, buttons and text with an ellipsis.
class TExDBGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TExDBGrid &grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const int column = index.column();
        const TExDBColumn *col = m_grid.column(column);
        db::Field *f = m_grid.gridModel()->columnField(column);
        QStyle *style = m_grid.style();
        const QWidget *w = &m_grid;
        auto background = [&] {
            QStyleOptionViewItem bg = opt;
            bg.text.clear();
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &bg, painter, w);
        };
        const bool active = !m_grid.showsNoData();
        if (active && f && m_grid.hasExOption(eoShowGlyphs) && !f->onGetText
            && (f->type() == db::FieldType::Blob || f->type() == db::FieldType::Memo)) {
            background();
            const QPixmap pm = glyph(f->type() == db::FieldType::Memo ? Glyph::Memo : Glyph::Blob);
            painter->drawPixmap(QRect(QPoint(0, 0), pm.size()).translated(opt.rect.center() - pm.rect().center()), pm);
            return;
        }
        if (active && f && m_grid.hasExOption(eoDrawGraphicField) && f->type() == db::FieldType::Blob) {
            const QImage image = QImage::fromData(m_grid.cellValue(index.row(), column).toByteArray());
            if (!image.isNull()) {
                background();
                const QRect cell = opt.rect.adjusted(1, 1, -1, -1);
                int width = image.height() > 0 ? cell.height() * image.width() / image.height() : cell.width();
                int height = cell.height();
                if (width > cell.width()) {
                    width = cell.width();
                    height = int(width * double(image.height()) / image.width());
                }
                const QRect target(cell.left() + (cell.width() - width) / 2, cell.top() + (cell.height() - height) / 2,
                                   width, height);
                painter->drawImage(target, image);
                return;
            }
        }
        if (active && m_grid.isCheckBoxCell(column)) {
            background();
            const QVariant value = m_grid.cellValue(index.row(), column);
            auto *box = const_cast<TExDBColumn *>(col);
            if (!box || !box->drawCellValue(*painter, opt.rect, value, opt.text, opt.state & QStyle::State_Selected)) {
                const CheckState state = value.isValid() && db::variantToBool(value) ? CheckState::Ticked
                                                                                     : CheckState::Unticked;
                drawCheckBox(*painter, w, opt.rect.adjusted(2, 2, -2, -2), state, Qt::AlignHCenter, m_grid.Flat(),
                             m_grid.m_hot == HotCell{index.row(), column});
            }
            return;
        }
        QRect textRect = opt.rect;
        const bool lookup = m_grid.hasExOption(eoShowLookup) && col
                            && (!col->PickList().isEmpty() || (f && f->isLookup()));
        const bool ellipsisButton = col && col->buttonStyle() == cbsEllipsis;
        const int buttonWidth = std::min(opt.rect.height(), 16);
        if (lookup || ellipsisButton)
            textRect.setRight(textRect.right() - buttonWidth);
        if (col && col->TextEllipsis() != teNone) {
            background();
            painter->save();
            painter->setFont(opt.font);
            painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                  : QPalette::Text));
            drawCellText(*painter, textRect, textMargin(w), false, col->TextEllipsis(), opt.displayAlignment,
                         opt.text);
            painter->restore();
        } else {
            QStyleOptionViewItem textOpt = opt;
            textOpt.rect = textRect;
            background();
            textOpt.backgroundBrush = Qt::NoBrush;
            textOpt.state &= ~QStyle::State_HasFocus;
            style->drawControl(QStyle::CE_ItemViewItem, &textOpt, painter, w);
        }
        const QRect button(opt.rect.right() - buttonWidth + 1, opt.rect.top(), buttonWidth, opt.rect.height());
        if (lookup) {
            drawComboButton(*painter, w, button);
        } else if (ellipsisButton) {
            drawButtonFace(*painter, w, button, false, m_grid.Flat());
            painter->drawText(button, Qt::AlignCenter, QStringLiteral("..."));
        }
        if ((opt.state & QStyle::State_HasFocus) && m_grid.hasFocus() && !m_grid.Options().testFlag(dgRowSelect)) {
            QStyleOptionFocusRect focus;
            focus.initFrom(w);
            focus.rect = opt.rect.adjusted(1, 1, -1, -1);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, w);
        }
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            TExDBGrid *grid = &m_grid;
            connect(line, &QLineEdit::textEdited, grid, [grid] {
                if (grid->OnEditChange)
                    grid->OnEditChange(*grid);
            });
        }
        return editor;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const TExDBColumn *col = m_grid.column(index.column());
        if (col) {
            option->font = col->Font().font;
            option->fontMetrics = QFontMetrics(option->font);
            option->palette.setColor(QPalette::Text, toQColor(col->Font().color, m_grid.palette()));
            option->displayAlignment = m_grid.columnAlignment(index.column()) | Qt::AlignVCenter;
        }
        bool highlight = option->state.testFlag(QStyle::State_Selected);
        if (m_grid.m_multiSelect || m_grid.hasExOption(eoCheckBoxSelect)) {
            highlight = m_grid.isCellHighlighted(index.row());
            option->state.setFlag(QStyle::State_Selected, highlight);
        }
        if (highlight)
            return;
        QColor background = col ? toQColor(col->Color(), m_grid.palette()) : m_grid.palette().base().color();
        if (option->backgroundBrush.style() != Qt::NoBrush)
            background = option->backgroundBrush.color();
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

// The title row: the band cells, the captions in each column's title font, colour and
// alignment, the sort arrows, the title buttons and the filter strip.
class TExDBGrid::TitleHeader : public QHeaderView {
public:
    explicit TitleHeader(TExDBGrid &grid) : QHeaderView(Qt::Horizontal, &grid), m_grid(grid)
    {
        setSectionsClickable(true);
        setHighlightSections(false);
        setMouseTracking(true);
    }

    QSize sizeHint() const override
    {
        QSize s = QHeaderView::sizeHint();
        if (m_grid.m_titleRowHeight > 0)
            s.setHeight(m_grid.m_titleRowHeight);
        return s;
    }

    int pressed = -1;
    int hot = -1;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        m_grid.paintTitle(*painter, rect, logicalIndex, hot, pressed);
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        const int over = logicalIndexAt(e->position().toPoint());
        if (over != hot) {
            hot = over;
            viewport()->update();
        }
        QHeaderView::mouseMoveEvent(e);
    }
    void leaveEvent(QEvent *e) override
    {
        hot = -1;
        viewport()->update();
        QHeaderView::leaveEvent(e);
    }

private:
    TExDBGrid &m_grid;
};

// The footer strip under the data rows, one cell per column moving with the columns.
class TExDBGrid::Footer : public QWidget {
public:
    explicit Footer(TExDBGrid &grid) : QWidget(&grid), m_grid(grid) { hide(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        m_grid.paintFooter(p);
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
    // The cell under the mouse is followed without a button pressed (hot tracking).
    m_indicator->viewport()->setMouseTracking(true);
    viewport()->setMouseTracking(true);
    m_titleHeader = new TitleHeader(*this);
    setHorizontalHeader(m_titleHeader);
    connect(m_titleHeader, &QHeaderView::sectionClicked, this, [this](int section) {
        const TExDBColumn *c = column(section);
        emit titleClicked(section, c ? c->FieldName() : QString());
    });
    horizontalHeader()->viewport()->installEventFilter(this);
    // The top-left cell opens the menu with any button.
    if (auto *corner = findChild<QAbstractButton *>())
        corner->installEventFilter(this);
    m_footer = new Footer(*this);
    m_filterBox = new QComboBox(this);
    m_filterBox->setObjectName(QStringLiteral("TFilterComboBox"));
    m_filterBox->setEditable(true);
    m_filterBox->setFrame(false);
    m_filterBox->setMaxVisibleItems(10);
    m_filterBox->setInsertPolicy(QComboBox::NoInsert);
    m_filterBox->hide();
    m_filterBox->installEventFilter(this);
    connect(m_filterBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { takeFilterText(); });
    connect(m_filterBox, &QComboBox::activated, this, [this] { takeFilterText(); });
    connect(m_filterBox, &QComboBox::editTextChanged, this, [this] {
        if (hasExOption(eoAnyKeyFilter) && m_filterBox->isVisible())
            takeFilterText();
    });
    buildPopupMenu();
    m_delegate = new Delegate(*this);
    setItemDelegate(m_delegate);

    connect(m_indicator, &QHeaderView::sectionResized, this, [this](int, int, int newSize) {
        if (!m_fitting && hasExOption(eoRowSizing))
            rowHeightChangedByUser(newSize);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int newSize) {
        if (!m_pushing)
            if (TExDBColumn *c = column(section))
                c->storeWidth(newSize);
        if (!m_fitting && hasExOption(eoAutoWidth))
            fitColumnsToClientWidth();
        if (OnColWidthsChanged && !m_pushing)
            OnColWidthsChanged(*this);
        m_footer->update();
        if (m_titleHeight.kind == hkAuto && !m_pushing)
            updateTitleHeight();
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
        fitRowHeights();
    });
    connect(m, &QAbstractItemModel::modelReset, this, [this] { fitRowHeights(); });
    connect(m, &QAbstractItemModel::rowsInserted, this, [this] { fitRowHeights(); });
    connect(m, &QAbstractItemModel::rowsRemoved, this, [this] { fitRowHeights(); });
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

TExDBGrid::~TExDBGrid()
{
    if (hasExOption(eoAutoSave))
        dbctrl::runReported([&] { SaveLayout(); });
    dropFilterCallback();
    // Leaving the source resets the rows; that must reach this grid while it is still whole,
    // and nothing of the model may reach it afterwards.
    DBGrid::setDataSource(nullptr);
    gridModel()->disconnect(this);
    delete m_recordHint;
}

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
    const bool hadAutofit = m_exOptions.testFlag(eoRowHeightAutofit);
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
        bestFitColumns();
    layoutChanged();
    if (hadAutofit && !options.testFlag(eoRowHeightAutofit)) {
        // The rows go back to the height they all share.
        m_fitting = true;
        for (int r = 0; r < m_indicator->count(); ++r)
            m_indicator->resizeSection(r, m_defaultRowHeight);
        m_fitting = false;
    }
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
    } else if (const std::optional<StylePreset> preset = stylePreset(kind)) {
        m_style.oddColor = toQColor(preset->odd, palette());
        m_style.evenColor = toQColor(preset->even, palette());
    }
    viewport()->update();
}

void TExDBGrid::setGridStyle(const TExDBGridStyle &style)
{
    m_style = style;
    m_filterBox->setStyleSheet(QStringLiteral("QComboBox { background: %1; }").arg(style.filterColor.name()));
    viewport()->update();
    horizontalHeader()->viewport()->update();
    m_footer->update();
}

void TExDBGrid::setTitleHeight(const TExDBGTitleHeight &height)
{
    m_titleHeight = height;
    updateTitleHeight();
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
    layoutChanged();
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
    return recordHintText(ds->recordNumber(), GetRecordCount());
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

void TExDBGrid::bestFitColumns()
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

void TExDBGrid::fitColumnsToClientWidth()
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
        fitColumnsToClientWidth();
}

// ---- records through the keyboard ---------------------------------------------------------------

bool TExDBGrid::isCheckBoxCell(int column) const
{
    const db::Field *f = gridModel()->columnField(column);
    if (!f)
        return false;
    if (const TExDBColumn *c = this->column(column); c && c->InplaceEditor() == ieCheckbox)
        return true;
    return hasExOption(eoBooleanAsCheckBox) && f->type() == db::FieldType::Boolean;
}

void TExDBGrid::toggleCheckBoxCell(int column)
{
    db::Field *f = gridModel()->columnField(column);
    db::DataSet *ds = activeDataSet();
    if (!f || !ds || !editable() || f->isReadOnly() || f->kind() != db::FieldKind::Data)
        return;
    const auto *box = dynamic_cast<const TExDBCheckboxColumn *>(this->column(column));
    dbctrl::runReported([&] {
        if (!ds->isEditing())
            ds->edit();
        if (box)
            f->setText(checkboxColumnToggle(box->ValueChecked(), box->ValueUnChecked(), f->text()));
        else
            f->setValue(!f->asBoolean());
    });
    viewport()->update();
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
    const QString question = deleteQuestion(int(rows.size()));
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
    if (event->button() == Qt::RightButton && hasExOption(eoStandardPopup)
        && contextMenuPolicy() != Qt::CustomContextMenu && contextMenuPolicy() != Qt::ActionsContextMenu) {
        popupAt(event->globalPosition().toPoint());
        event->accept();
        return;
    }
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
        case QEvent::MouseMove: {
            const int row = m_indicator->logicalIndexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
            setHotCell(row >= 0 ? HotCell{row, -1} : HotCell{});
            return false;
        }
        case QEvent::Leave:
            setHotCell({});
            return false;
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
    } else if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(event);
        const QPoint pos = me->position().toPoint();
        const int section = horizontalHeader()->logicalIndexAt(pos);
        const bool resizing = horizontalHeader()->cursor().shape() == Qt::SplitHCursor;
        if (section >= 0 && !resizing && hasExOption(eoShowFilterBar) && pos.y() >= horizontalHeader()->height() - 19) {
            showFilterBox(section);
            return true;
        }
        // With column resizing on, the right button presses a title as the left one does.
        const bool asLeft = me->button() == Qt::LeftButton
                            || (me->button() == Qt::RightButton && m_options.testFlag(dgColumnResize));
        if (section >= 0 && !resizing && hasExOption(eoTitleButtons) && asLeft) {
            bool enabled = column(section) != nullptr;
            if (OnCheckButton)
                OnCheckButton(*this, section, gridModel()->columnField(section), enabled);
            if (!enabled)
                return true; // abandoned: the title stays up and is not clicked
            m_titleHeader->pressed = section;
            horizontalHeader()->viewport()->update();
        }
    } else if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        if (m_titleHeader->pressed >= 0) {
            const int pressed = m_titleHeader->pressed;
            m_titleHeader->pressed = -1;
            horizontalHeader()->viewport()->update();
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->button() == Qt::RightButton
                && horizontalHeader()->logicalIndexAt(me->position().toPoint()) == pressed) {
                const TExDBColumn *c = column(pressed);
                emit titleClicked(pressed, c ? c->FieldName() : QString());
            }
        }
    } else if (watched == m_filterBox && event->type() == QEvent::FocusOut) {
        // Leaving the box takes its text (unless every key already did) and hides it.
        if (m_filterBox->view() && m_filterBox->view()->isVisible())
            return false;
        if (!hasExOption(eoAnyKeyFilter))
            takeFilterText();
        m_filterColumn = -1;
        m_filterBox->clear();
        m_filterBox->hide();
        return false;
    } else if (qobject_cast<QAbstractButton *>(watched) && watched->parent() == this
               && event->type() == QEvent::Paint) {
        paintCorner(static_cast<QWidget *>(watched));
        return true;
    } else if (qobject_cast<QAbstractButton *>(watched) && watched->parent() == this
               && event->type() == QEvent::MouseButtonPress) {
        popupAt(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
        return true;
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
    if (event->type() == QEvent::Leave)
        setHotCell({});
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
    const bool atEnd = ds->recordNumber() >= ds->recordCount();

    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && hasExOption(eoENTERlikeTAB) && columns > 0) {
        int next = column + 1;
        if (next >= columns) {
            if (!hasExOption(eoDisableInsert) && editable())
                appendRecord();
            next = std::min(m_fixedCols, columns - 1);
        }
        if (currentRow() >= 0)
            moveToCell(currentRow(), next);
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
    if (key == Qt::Key_F && mods == Qt::ControlModifier && OnSearchData) {
        dbctrl::runReported([&] { OnSearchData(*this); });
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
        const int before = ds->recordNumber() - 1;
        const bool extend = (mods & Qt::ShiftModifier) && (key == Qt::Key_Up || key == Qt::Key_Down);
        if (extend && m_keyAnchorPos < 0) {
            m_keyAnchorPos = before;
            setCurrentRowSelected(true);
        } else if (!extend) {
            m_keyAnchorPos = -1;
        }
        DBGrid::keyPressEvent(event);
        const int after = ds->recordNumber() - 1;
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
    {
        QPainter p(viewport());
        if (!m_style.background.isNull())
            p.fillRect(viewport()->rect(), QBrush(m_style.background));
        else if (m_style.wallpaper.direction != fdNone)
            gradientFill(p, viewport()->rect(), m_style.wallpaper.startColor, 255, m_style.wallpaper.direction,
                         m_style.wallpaper.endColor);
        if (OnDrawBackground)
            OnDrawBackground(*this, p);
    }
    DBGrid::paintEvent(event);
    if (!m_groupings.isEmpty() && OnExpression && !showsNoData()) {
        QPainter p(viewport());
        paintGroupingRows(p);
    }
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

// ---- columns ------------------------------------------------------------------------------------

TExDBColumn *TExDBGrid::column(int index) const
{
    return index >= 0 && index < int(m_columns.size()) ? m_columns[size_t(index)].get() : nullptr;
}

namespace {

template <class Column>
Column &addTo(std::vector<std::unique_ptr<TExDBColumn>> &columns, TExDBGrid &grid)
{
    auto c = std::make_unique<Column>();
    TExFont font;
    font.font = grid.font();
    c->setTitleFont(font);
    c->setFont(font);
    c->attach(&grid);
    Column &ref = *c;
    columns.push_back(std::move(c));
    return ref;
}

} // namespace

TExDBColumn &TExDBGrid::addExColumn()
{
    TExDBColumn &c = addTo<TExDBColumn>(m_columns, *this);
    layoutChanged();
    return c;
}

TExDBCheckboxColumn &TExDBGrid::addCheckboxColumn()
{
    TExDBCheckboxColumn &c = addTo<TExDBCheckboxColumn>(m_columns, *this);
    layoutChanged();
    return c;
}

void TExDBGrid::removeAllColumns()
{
    if (m_filterColumn >= 0) {
        m_filterColumn = -1;
        m_filterBox->hide();
    }
    m_columns.clear();
    layoutChanged();
}

void TExDBGrid::setColumns(const QVector<dbctrl::DBGridColumn> &columns)
{
    beginLayout();
    m_columns.clear();
    for (const dbctrl::DBGridColumn &d : columns) {
        TExDBColumn &c = addTo<TExDBColumn>(m_columns, *this);
        c.setFieldName(d.fieldName);
        c.setTitleCaption(d.title);
        c.setWidth(d.width);
        c.setReadOnly(d.readOnly);
    }
    m_layoutPending = true;
    endLayout();
}

void TExDBGrid::addColumn(const QString &fieldName, const QString &title, int width)
{
    beginLayout();
    TExDBColumn &c = addExColumn();
    c.setFieldName(fieldName);
    c.setTitleCaption(title);
    c.setWidth(width);
    endLayout();
}

void TExDBGrid::setDataSource(db::DataSource *source)
{
    dropFilterCallback();
    DBGrid::setDataSource(source);
}

QString TExDBGrid::columnCaption(int index) const
{
    return gridModel()->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString();
}

Qt::Alignment TExDBGrid::columnAlignment(int index) const
{
    if (const TExDBColumn *c = column(index); c && c->Alignment())
        return *c->Alignment();
    const db::Field *f = gridModel()->columnField(index);
    return f && db::isNumericType(f->type()) ? Qt::AlignRight : Qt::AlignLeft;
}

void TExDBGrid::columnChanged(TExDBColumn &c, TExDBColumn::Change change)
{
    switch (change) {
    case TExDBColumn::Change::Structure:
        layoutChanged();
        break;
    case TExDBColumn::Change::Sort:
        if (OnSortChanged)
            OnSortChanged(*this, c);
        [[fallthrough]];
    case TExDBColumn::Change::Title:
        if (m_layoutDepth > 0)
            m_layoutPending = true;
        else
            updateTitleHeight();
        break;
    case TExDBColumn::Change::Footer:
        m_footer->update();
        break;
    case TExDBColumn::Change::Cells:
        viewport()->update();
        break;
    }
}

void TExDBGrid::endLayout()
{
    if (m_layoutDepth > 0)
        --m_layoutDepth;
    if (m_layoutDepth == 0 && m_layoutPending)
        layoutChanged();
}

TExDBGrid::LayoutLoad::LayoutLoad(TExDBGrid &grid) : m_grid(grid)
{
    m_grid.beginLayout();
    m_grid.m_layoutInProgress = true;
}

TExDBGrid::LayoutLoad::~LayoutLoad()
{
    m_grid.m_layoutInProgress = false;
    m_grid.m_layoutPending = true;
    m_grid.endLayout();
}

void TExDBGrid::pushColumns()
{
    QVector<dbctrl::DBGridColumn> base;
    for (const auto &c : m_columns)
        base.append({c->FieldName(), c->titleCaption(), c->Width(), c->ReadOnly()});
    m_pushing = true;
    DBGrid::setColumns(base);
    m_pushing = false;
    // What the base grid shows is what each column keeps.
    for (int i = 0; i < int(m_columns.size()) && i < gridModel()->columnCount(); ++i)
        m_columns[size_t(i)]->storeWidth(columnWidth(i));
}

void TExDBGrid::layoutChanged()
{
    if (m_layoutDepth > 0) {
        m_layoutPending = true;
        return;
    }
    m_layoutPending = false;
    // The column objects exist before the base grid has them: hand them down once.
    bool same = gridModel()->columns().size() == int(m_columns.size());
    for (int i = 0; same && i < int(m_columns.size()); ++i) {
        const dbctrl::DBGridColumn &b = gridModel()->columns()[i];
        const TExDBColumn &c = *m_columns[size_t(i)];
        same = b.fieldName == c.FieldName() && b.title == c.titleCaption() && b.readOnly == c.ReadOnly()
               && (c.Width() < 0 || columnWidth(i) == c.Width());
    }
    if (!same) {
        pushColumns();
        if (!m_layoutInProgress && hasExOption(eoAutoWidth))
            bestFitColumns();
    }
    updateTitleHeight();
    updateGeometries();
    fitRowHeights();
    viewport()->update();
    m_footer->update();
}

// ---- title row, bands, footer ---------------------------------------------------------------------

void TExDBGrid::setBands(const QStringList &bands)
{
    m_bands = bands;
    layoutChanged();
}

void TExDBGrid::setBandsFont(const QFont &font)
{
    m_bandsFont = font;
    layoutChanged();
}

void TExDBGrid::setGroupings(const QVector<TExGrouping> &groupings)
{
    m_groupings = groupings;
    viewport()->update();
}

TExGrouping TExDBGrid::newGrouping(const QString &expression) const
{
    TExGrouping g;
    g.expression = expression;
    g.font = font();
    g.font.setBold(true);
    return g;
}

void TExDBGrid::setFooterColor(const QColor &color)
{
    m_footerColor = color;
    layoutChanged();
}

void TExDBGrid::setFooterHeight(int height)
{
    m_footerHeight = std::max(0, height);
    layoutChanged();
}

void TExDBGrid::setGridLineWidth(int width)
{
    m_gridLineWidth = width;
    layoutChanged();
}

int TExDBGrid::titleRowHeight() const
{
    return m_options.testFlag(dgTitles) ? horizontalHeader()->height() : 0;
}

void TExDBGrid::updateTitleHeight()
{
    if (!m_options.testFlag(dgTitles) || !m_titleHeader)
        return;
    TitleHeightInput in;
    in.rule = m_titleHeight;
    in.rowLines = m_options.testFlag(dgRowLines);
    in.titleButtons = hasExOption(eoTitleButtons);
    in.bandRow = hasExOption(eoDrawBands) && !m_bands.isEmpty() && !hasExOption(eoBandsOverTitles);
    in.defaultRowHeight = m_defaultRowHeight;
    in.filterBar = hasExOption(eoShowFilterBar);
    if (m_titleHeight.kind == hkLineCount) {
        const QFont f = m_columns.empty() ? font() : m_columns.front()->titleFont().font;
        in.letterHeight = QFontMetrics(f).boundingRect(QStringLiteral("W")).height();
    } else if (m_titleHeight.kind == hkAuto) {
        // A "|" in a caption is its line break, and the caption keeps it so.
        bool captionsChanged = false;
        for (int i = 0; i < int(m_columns.size()); ++i) {
            TExDBColumn &c = *m_columns[size_t(i)];
            const QString caption = c.titleCaption().isEmpty() ? columnCaption(i) : c.titleCaption();
            if (!caption.contains(u'|'))
                continue;
            c.attach(nullptr);
            c.setTitleCaption(titleLines(caption));
            c.attach(this);
            captionsChanged = true;
        }
        if (captionsChanged)
            pushColumns();
        int tallest = 0;
        for (int i = 0; i < int(m_columns.size()) && i < gridModel()->columnCount(); ++i) {
            const TExDBColumn &c = *m_columns[size_t(i)];
            int width = columnWidth(i) - 1;
            const int arrow = sortArrowWidth() + 4;
            if (c.SortType() != stNone && width > arrow)
                width -= arrow;
            const int flags = hasExOption(eoTitleWordWrap) ? Qt::TextWordWrap : 0;
            const QRect r = QFontMetrics(c.titleFont().font)
                                .boundingRect(QRect(0, 0, std::max(1, width), 10000), flags, columnCaption(i));
            tallest = std::max(tallest, r.height());
        }
        in.tallestCaption = tallest;
    }
    const std::optional<int> h = grid::titleRowHeight(in);
    if (h)
        m_titleRowHeight = *h;
    m_titleHeader->updateGeometry();
    horizontalHeader()->viewport()->update();
    updateGeometries();
}

std::optional<std::pair<int, int>> TExDBGrid::bandOfColumn(int index) const
{
    QVector<int> bands;
    for (const auto &c : m_columns)
        bands << c->BandIndex();
    return bandSpan(bands, int(m_bands.size()), index);
}

int TExDBGrid::footerStripHeight() const
{
    if (!hasExOption(eoShowFooter))
        return 0;
    return m_footerHeight > 0 ? m_footerHeight : m_defaultRowHeight + 4;
}

QRect TExDBGrid::footerRect() const
{
    const int h = m_footerHeight > 0 ? m_footerHeight : m_defaultRowHeight + 4;
    const QRect vp = viewport()->geometry();
    return QRect(0, vp.bottom() + 1, width(), h);
}

QWidget *TExDBGrid::footer() const { return m_footer; }

void TExDBGrid::updateFooter()
{
    if (OnUpdateFooter)
        OnUpdateFooter(*this);
    m_footer->update();
}

QString TExDBGrid::footerText(int index) const
{
    const TExDBColumn *c = column(index);
    return c ? footerCellText(c->FooterValue(), c->FooterText()) : QString();
}

void TExDBGrid::paintFooter(QPainter &p)
{
    p.fillRect(m_footer->rect(), m_footerColor);
    const int left = m_options.testFlag(dgIndicator) ? m_indicator->width() : 0;
    for (int i = 0; i < gridModel()->columnCount(); ++i) {
        if (isColumnHidden(i))
            continue;
        const int x = left + columnViewportPosition(i);
        const QRect cell(x, 0, columnWidth(i), m_footer->height());
        if (cell.right() < left || cell.left() > m_footer->width())
            continue;
        QString text = footerText(i);
        bool defaultDrawing = true;
        if (OnDrawFooterCell)
            OnDrawFooterCell(*this, p, cell, gridModel()->columnField(i), text, defaultDrawing);
        if (!defaultDrawing || text.isEmpty())
            continue;
        p.save();
        p.setClipRect(QRect(left, 0, m_footer->width() - left, m_footer->height()));
        const QRect inner = cell.adjusted(0, 2, 0, -2);
        if (m_style.footer.direction != fdNone)
            gradientFill(p, inner, m_style.footer.startColor, 255, m_style.footer.direction, m_style.footer.endColor);
        else
            p.fillRect(inner, m_footerColor);
        drawEdge(p, inner, Edge::Sunken, palette());
        p.setFont(font());
        p.setPen(palette().text().color());
        drawCellText(p, inner, 2, false, teNone, columnAlignment(i), text);
        p.restore();
    }
}

void TExDBGrid::updateGeometries()
{
    if (m_inGeometries)
        return;
    m_inGeometries = true;
    DBGrid::updateGeometries();
    const int footer = footerStripHeight();
    if (footer > 0) {
        // The footer takes the bottom of the area; the rows and the scroll range the rest.
        const QMargins m = viewportMargins();
        setViewportMargins(m.left(), m.top(), m.right(), footer);
        const int rows = gridModel()->rowCount();
        int fit = 0, height = 0;
        for (int r = rows - 1; r >= 0; --r) {
            height += rowHeight(r);
            if (height > viewport()->height())
                break;
            ++fit;
        }
        if (verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
            verticalScrollBar()->setRange(0, std::max(0, rows - fit));
            verticalScrollBar()->setPageStep(std::max(1, fit));
        }
        const QRect vp = viewport()->geometry();
        m_footer->setGeometry(vp.left() - m.left(), vp.bottom() + 1, vp.width() + m.left(), footer);
        m_footer->show();
        m_footer->raise();
        m_footer->update();
    } else {
        m_footer->hide();
    }
    m_inGeometries = false;
}

void TExDBGrid::scrollContentsBy(int dx, int dy)
{
    DBGrid::scrollContentsBy(dx, dy);
    // Pixels of a wallpaper or grouping rows cannot be moved with the rows.
    if (!m_groupings.isEmpty() || !m_style.background.isNull() || m_style.wallpaper.direction != fdNone)
        viewport()->update();
    if (m_multiSelect && m_options.testFlag(dgIndicator))
        m_indicator->viewport()->update();
    m_footer->update();
    if (dy != 0)
        fitRowHeights();
    if ((dx != 0 || dy != 0) && OnTopLeftChanged)
        OnTopLeftChanged(*this);
}

// ---- title cells ----------------------------------------------------------------------------------

void TExDBGrid::paintTitle(QPainter &p, const QRect &rect, int index, int hotSection, int pressedSection) const
{
    const TExDBColumn *c = column(index);
    if (!c)
        return;
    p.save();
    p.setClipRect(rect);
    QWidget *header = horizontalHeader();
    if (themesActive() && m_style.title.direction == fdNone) {
        QStyleOptionHeader o;
        o.initFrom(header);
        o.rect = rect;
        o.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        if (index == hotSection)
            o.state |= QStyle::State_MouseOver;
        o.section = index;
        style()->drawControl(QStyle::CE_HeaderSection, &o, &p, header);
    } else if (m_style.title.direction != fdNone) {
        gradientFill(p, rect, m_style.title.startColor, 255, m_style.title.direction, m_style.title.endColor);
    } else {
        p.fillRect(rect, toQColor(c->TitleColor(), palette()));
    }
    int top = rect.top();
    const bool filterBar = hasExOption(eoShowFilterBar);
    if (hasExOption(eoDrawBands)) {
        if (const auto span = bandOfColumn(index)) {
            const int first = horizontalHeader()->sectionViewportPosition(span->first);
            const int last = horizontalHeader()->sectionViewportPosition(span->second) + columnWidth(span->second);
            const QRect band(first, rect.top(), last - first, m_defaultRowHeight);
            if (m_style.bands.direction != fdNone)
                gradientFill(p, band, m_style.bands.startColor, 255, m_style.bands.direction, m_style.bands.endColor);
            else
                p.fillRect(band, toQColor(c->TitleColor(), palette()));
            drawEdge(p, band, m_flat ? Edge::Flat : Edge::Raised, palette());
            p.setFont(m_bandsFont);
            p.setPen(palette().buttonText().color());
            drawCellText(p, band, 2, hasExOption(eoTitleWordWrap), teNone, Qt::AlignHCenter, m_bands.value(c->BandIndex()));
        }
        if (!m_bands.isEmpty() && !hasExOption(eoBandsOverTitles))
            top += m_defaultRowHeight + 1;
    }
    QRect textRect(rect.left(), top, rect.width(), rect.bottom() - top + 1 - (filterBar ? 19 : 0));
    if (hasExOption(eoTitleButtons))
        drawButtonFace(p, header, textRect, pressedSection == index, m_flat);
    const int arrowWidth = sortArrowWidth();
    if (c->SortType() != stNone && rect.width() > arrowWidth + 4) {
        const QPixmap arrow = glyph(c->SortType() == stAscending ? Glyph::ArrowAsc : Glyph::ArrowDesc);
        const int ax = textRect.right() - 4 - arrow.width() + 1;
        const int ay = textRect.top() + (textRect.height() - arrow.height()) / 2;
        p.drawPixmap(ax, ay, arrow);
        if (!c->SortCaption().isEmpty()) {
            QFont small = font();
            small.setPixelSize(7);
            p.setFont(small);
            p.setPen(palette().buttonText().color());
            p.drawText(QRect(ax - 4, ay + arrow.height(), arrow.width() + 8, 9), Qt::AlignCenter, c->SortCaption());
        }
        textRect.setRight(textRect.right() - arrowWidth - 4);
    }
    textRect.setRight(textRect.right() - ((m_gridLineWidth + 1) * 2 + 1) + 2);
    p.setFont(c->titleFont().font);
    p.setPen(toQColor(c->titleFont().color, palette()));
    drawCellText(p, textRect, 3, hasExOption(eoTitleWordWrap), teNone, c->titleAlignment(), columnCaption(index));
    const bool selectedTitle = hasExOption(eoSelectedTitle) && currentIndex().column() == index;
    drawEdge(p, rect, m_flat ? Edge::Flat : selectedTitle ? Edge::Sunken : Edge::Raised, palette());
    if (OnDrawColumnTitle) {
        QStyle::State state = QStyle::State_None;
        if (index == pressedSection)
            state |= QStyle::State_Sunken;
        if (index == hotSection)
            state |= QStyle::State_MouseOver;
        if (currentIndex().column() == index)
            state |= QStyle::State_Selected;
        auto &self = const_cast<TExDBGrid &>(*this);
        OnDrawColumnTitle(self, p, rect, index, *self.column(index), state);
    }
    if (filterBar) {
        const QRect strip(rect.left(), rect.bottom() - 18, rect.width(), 19);
        p.fillRect(strip, m_style.filterColor);
        p.setFont(c->titleFont().font);
        p.setPen(palette().text().color());
        p.drawText(strip.adjusted(1, 1, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, c->FilterValue());
        p.setPen(QColor(0x80, 0x80, 0x80));
        p.drawLine(strip.topLeft(), strip.topRight());
    }
    p.restore();
}

// ---- grouping rows ---------------------------------------------------------------------------------

QVariant TExDBGrid::cellValue(int row, int index) const
{
    db::DataSet *ds = activeDataSet();
    db::Field *f = gridModel()->columnField(index);
    if (!ds || !f)
        return {};
    if (row == currentRow())
        return f->value();
    const int pos = gridModel()->positionOfRow(row);
    if (pos < 0 || pos >= ds->recordCount())
        return {};
    QVariant v;
    try {
        ds->withRowAt(pos, [&] { v = f->value(); });
    } catch (const std::exception &) {
        return {};
    }
    return v;
}

std::optional<TExDBGrid::GroupingHit> TExDBGrid::groupingOfRow(int row) const
{
    if (!OnExpression || m_groupings.isEmpty() || showsNoData())
        return std::nullopt;
    const QStringList texts = gridModel()->rowTexts(row);
    for (int c = 0; c < gridModel()->columnCount(); ++c) {
        for (int g = 0; g < m_groupings.size(); ++g) {
            if (m_groupings[g].expression.isEmpty())
                continue;
            QString text = texts.value(c);
            bool value = false;
            OnExpression(const_cast<TExDBGrid &>(*this), m_groupings[g].expression, text, value);
            if (value)
                return GroupingHit{g, c, text};
        }
    }
    return std::nullopt;
}

void TExDBGrid::paintGroupingRows(QPainter &p)
{
    const int first = rowAt(0);
    if (first < 0)
        return;
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = gridModel()->rowCount() - 1;
    const int columns = gridModel()->columnCount();
    const int right = columns > 0 ? columnViewportPosition(columns - 1) + columnWidth(columns - 1) : viewport()->width();
    for (int r = first; r <= last; ++r) {
        const std::optional<GroupingHit> hit = groupingOfRow(r);
        if (!hit)
            continue;
        const TExGrouping &g = m_groupings[hit->grouping];
        const QRect rect(0, rowViewportPosition(r), right, rowHeight(r));
        bool defaultDrawing = true;
        if (OnDrawGroupingCell)
            OnDrawGroupingCell(*this, p, rect, g, hit->text, defaultDrawing);
        if (!defaultDrawing)
            continue;
        if (m_style.grouping.direction != fdNone)
            gradientFill(p, rect, m_style.grouping.startColor, 255, m_style.grouping.direction, m_style.grouping.endColor);
        else
            p.fillRect(rect, toQColor(g.color, palette()));
        p.setFont(g.font);
        p.setPen(toQColor(g.fontColor, palette()));
        drawCellText(p, rect, 2, hasExOption(eoTitleWordWrap), teNone, columnAlignment(hit->column), hit->text);
    }
}

bool TExDBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // A grouping row has no cells to edit.
    if (index.isValid() && groupingOfRow(index.row()))
        return false;
    return DBGrid::edit(index, trigger, event);
}

// ---- pop-up menu -----------------------------------------------------------------------------------

void TExDBGrid::buildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("ExDBGridPopup"));
    QMenu *sub = nullptr;
    for (int i = 0; i < kPopupItemCount; ++i) {
        const auto item = PopupItem(i);
        QMenu *into = i >= piSelect && i <= piUnselectAll ? sub : m_popup;
        QAction *a = nullptr;
        if (item == piSelection) {
            sub = m_popup->addMenu(popupCaption(item));
            a = sub->menuAction();
        } else if (popupCaption(item) == QStringLiteral("-")) {
            a = into->addSeparator();
        } else {
            a = into->addAction(popupCaption(item));
            connect(a, &QAction::triggered, this, [this, item] { runPopupItem(item); });
        }
        m_popupItems[i] = a;
    }
    m_popupItems[piSearch]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_popupItems[piRefresh]->setShortcut(QKeySequence(Qt::Key_F5));
    connect(m_popup, &QMenu::aboutToShow, this, &TExDBGrid::preparePopupMenu);
}

void TExDBGrid::preparePopupMenu()
{
    db::DataSource *src = dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    PopupMenuInput in;
    in.hasDataSet = ds != nullptr;
    in.active = ds && ds->isActive();
    in.browsing = ds && ds->state() == db::DataSetState::Browse;
    in.canModify = ds && ds->canModify();
    in.readOnly = isReadOnly();
    in.exOptions = m_exOptions;
    in.multiSelect = m_multiSelect;
    in.onPrint = bool(OnPrintData);
    in.onExport = bool(OnExportData);
    in.onFilter = bool(OnFilterData);
    in.onSearch = bool(OnSearchData);
    in.onSetup = bool(OnSetupGrid);
    const auto state = popupMenuState(in);
    for (int i = 0; i < kPopupItemCount; ++i) {
        m_popupItems[i]->setVisible(state[size_t(i)].visible);
        m_popupItems[i]->setEnabled(state[size_t(i)].enabled);
    }
}

void TExDBGrid::popupAt(const QPoint &globalPos)
{
    if (!hasExOption(eoStandardPopup))
        return;
    preparePopupMenu();
    m_popup->popup(globalPos);
}

void TExDBGrid::runPopupItem(PopupItem item)
{
    db::DataSource *src = dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    auto call = [this](const std::function<void(TExDBGrid &)> &handler) {
        if (handler)
            dbctrl::runReported([&] { handler(*this); });
    };
    switch (item) {
    case piAdd: appendRecord(); break;
    case piInsert: insertRecord(); break;
    case piEdit:
        if (OnEditRecord)
            call(OnEditRecord);
        else if (ds)
            dbctrl::runReported([&] { ds->edit(); });
        break;
    case piDelete: deleteRecords(); break;
    case piPrint: call(OnPrintData); break;
    case piExport: call(OnExportData); break;
    case piFilter: call(OnFilterData); break;
    case piSearch: call(OnSearchData); break;
    case piPost:
        if (OnPostData)
            call(OnPostData);
        else if (ds)
            dbctrl::runReported([&] { ds->post(); });
        break;
    case piCancel:
        if (OnCancelData)
            call(OnCancelData);
        else if (ds)
            dbctrl::runReported([&] { ds->cancel(); });
        break;
    case piRefresh:
        if (OnRefreshData)
            call(OnRefreshData);
        else
            dbctrl::runReported([&] { RefreshData(); });
        break;
    case piSelect: selectRecord(); break;
    case piSelectAll: dbctrl::runReported([&] { selectAllRecords(); }); break;
    case piUnselect: deselectRecord(); break;
    case piUnselectAll: deselectAllRecords(); break;
    case piSaveLayout: dbctrl::runReported([&] { SaveLayout(); }); break;
    case piRestoreLayout: dbctrl::runReported([&] { restoreLayout(); }); break;
    case piSetup: call(OnSetupGrid); break;
    default: break;
    }
}

void TExDBGrid::selectRecord()
{
    if (!m_multiSelect || !activeDataSet())
        return;
    setCurrentRowSelected(true);
    changedSelection();
}

void TExDBGrid::deselectRecord()
{
    if (!m_multiSelect || !activeDataSet())
        return;
    setCurrentRowSelected(false);
    changedSelection();
}

void TExDBGrid::selectAllRecords()
{
    db::DataSet *ds = activeDataSet();
    if (!m_multiSelect || !ds)
        return;
    if (!ds->isEmpty()) {
        // Every row by its identity, read without moving the dataset: the current record
        // stays where it was.
        ds->disableControls();
        try {
            const int n = ds->recordCount();
            for (int pos = 0; pos < n; ++pos) {
                qint64 id = -1;
                ds->withRowAt(pos, [&] { id = ds->currentRecord().id; });
                if (!m_selected.contains(db::Bookmark{id}))
                    m_selected << db::Bookmark{id};
            }
        } catch (...) {
            ds->enableControls();
            changedSelection();
            throw;
        }
        ds->enableControls();
    }
    changedSelection();
}

void TExDBGrid::deselectAllRecords()
{
    if (!m_multiSelect || !activeDataSet())
        return;
    clearSelectedRows();
    changedSelection();
}

void TExDBGrid::SaveLayout() { grid::SaveLayout(*this, m_registryKey, m_registrySection); }

void TExDBGrid::restoreLayout() { grid::LoadLayout(*this, m_registryKey, m_registrySection); }

// ---- filter bar ------------------------------------------------------------------------------------

void TExDBGrid::showFilterBox(int index)
{
    TExDBColumn *c = column(index);
    if (!c)
        return;
    m_filterColumn = index;
    QHeaderView *header = horizontalHeader();
    const int x = header->geometry().left() + header->sectionViewportPosition(index);
    const int y = header->geometry().top() + header->height() - 19;
    m_filterBox->blockSignals(true);
    m_filterBox->clear();
    const QStringList list = c->FilterList();
    int width = columnWidth(index);
    if (!list.isEmpty()) {
        QStringList sorted = list;
        sorted.sort();
        m_filterBox->addItems(sorted);
        m_filterBox->setCurrentIndex(int(sorted.indexOf(c->FilterValue())));
        width += 3;
    }
    m_filterBox->setEditText(c->FilterValue());
    m_filterBox->blockSignals(false);
    m_filterBox->setGeometry(x, y, width, 19);
    m_filterBox->show();
    m_filterBox->raise();
    m_filterBox->setFocus();
}

void TExDBGrid::takeFilterText()
{
    TExDBColumn *c = column(m_filterColumn);
    if (!c)
        return;
    const QString text = m_filterBox->currentText();
    if (text == c->FilterValue())
        return;
    c->setFilterValue(text);
    dbctrl::runReported([&] { applyFilter(); });
}

bool TExDBGrid::recordPassesFilter(db::DataSet &dataSet) const
{
    for (const auto &c : m_columns) {
        if (c->FilterValue().isEmpty())
            continue;
        const db::Field *f = dataSet.findField(c->FieldName());
        if (!f)
            continue;
        if (!filterAccepts(c->FilterValue(), dbctrl::displayText(f), db::isNumericType(f->type())))
            return false;
    }
    return true;
}

void TExDBGrid::applyFilter()
{
    db::DataSet *ds = activeDataSet();
    if (hasExOption(eoFilterAutoApply) && ds) {
        const int top = verticalScrollBar()->value();
        if (m_filteredDataSet != ds) {
            dropFilterCallback();
            m_filterSwitchedOn = !ds->isFiltered();
        }
        m_filteredDataSet = ds;
        // The test stays harmless should the dataset outlive the grid or leave its source.
        QPointer<TExDBGrid> self(this);
        ds->setFiltered(false);
        ds->setFilterCallback([self](db::DataSet &d) {
            if (!self || !self->dataSource() || self->dataSource()->dataSet() != &d)
                return true;
            return self->recordPassesFilter(d);
        });
        ds->setFiltered(true);
        verticalScrollBar()->setValue(top);
    }
    horizontalHeader()->viewport()->update();
    if (OnFilterChanged)
        OnFilterChanged(*this);
}

void TExDBGrid::dropFilterCallback()
{
    db::DataSource *src = dataSource();
    db::DataSet *ds = src ? src->dataSet() : nullptr;
    if (m_filteredDataSet && ds == m_filteredDataSet) {
        // The dataset's own filter text stays; only what the grid added goes.
        if (m_filterSwitchedOn)
            ds->setFiltered(false);
        ds->setFilterCallback(nullptr);
    }
    m_filteredDataSet = nullptr;
    m_filterSwitchedOn = false;
}

// ---- BLOB editor ------------------------------------------------------------------------------------

bool TExDBGrid::editBlob()
{
    db::DataSet *ds = activeDataSet();
    const int index = currentIndex().column();
    db::Field *f = gridModel()->columnField(index);
    const TExDBColumn *c = column(index);
    if (!ds || !offersBlobEditor(f))
        return false;
    const bool canWrite = !isReadOnly() && !(c && c->ReadOnly()) && !f->isReadOnly()
                          && f->kind() == db::FieldKind::Data && ds->canModify();
    TExBlobEditor &editor = TExBlobEditor::instance();
    const bool picture = f->type() == db::FieldType::Blob;
    if (picture)
        editor.editPicture(f->name(), f->asBytes(), canWrite);
    else
        editor.editText(f->name(), f->asString(), c ? c->Font().font : font(), canWrite);
    if (editor.exec() != QDialog::Accepted || !canWrite)
        return true;
    const bool changed = picture ? editor.pictureChanged() : editor.text() != f->asString();
    if (!changed)
        return true;
    dbctrl::runReported([&] {
        if (!ds->isEditing())
            ds->edit();
        if (picture)
            f->setValue(editor.pictureBytes().isEmpty() ? QVariant() : QVariant(editor.pictureBytes()));
        else
            f->setValue(editor.text());
    });
    return true;
}

void TExDBGrid::mouseMoveEvent(QMouseEvent *event)
{
    const QModelIndex idx = indexAt(event->position().toPoint());
    if (hasExOption(eoHotTrack) && idx.isValid() && activeDataSet()) {
        // The row under the mouse becomes current, by the move every other one takes; a
        // refused move (reported once) is not tried again until the mouse reaches another row.
        if (idx.row() != m_hotTrackRefused)
            m_hotTrackRefused = -1;
        if (m_hotTrackRefused < 0 && idx.row() != currentRow() && !moveToRow(idx.row()))
            m_hotTrackRefused = idx.row();
    }
    setHotCell(idx.isValid() ? HotCell{idx.row(), idx.column()} : HotCell{});
    DBGrid::mouseMoveEvent(event);
}

void TExDBGrid::setHotCell(HotCell cell)
{
    // Only the themed parts have a hot look; grouping rows span their cells.
    if (!themesActive() || !m_groupings.isEmpty())
        cell = {};
    if (cell == m_hot)
        return;
    const HotCell previous = m_hot;
    m_hot = cell;
    updateCell(previous);
    updateCell(cell);
}

void TExDBGrid::updateCell(HotCell cell)
{
    if (cell.row < 0 || cell.row >= gridModel()->rowCount())
        return;
    if (cell.column < 0) {
        m_indicator->viewport()->update(QRect(0, m_indicator->sectionViewportPosition(cell.row),
                                              m_indicator->viewport()->width(), m_indicator->sectionSize(cell.row)));
        return;
    }
    viewport()->update(visualRect(gridModel()->index(cell.row, cell.column)));
}

void TExDBGrid::fitRowHeights()
{
    if (!hasExOption(eoRowHeightAutofit) || m_fitting || !activeDataSet() || !m_indicator)
        return;
    const int rows = gridModel()->rowCount();
    const int columns = gridModel()->columnCount();
    if (rows == 0 || columns == 0)
        return;
    const int extra = (m_options.testFlag(dgRowLines) ? 3 : 2) + 2;
    const int flags = hasExOption(eoTitleWordWrap) ? Qt::TextWordWrap : 0;
    const int arrow = sortArrowWidth() + 4;
    // The rows shown from the top one; the texts are read without moving the dataset.
    m_fitting = true;
    int y = 0;
    for (int r = std::max(0, rowAt(0)); r < rows && y < viewport()->height(); ++r) {
        const QStringList texts = gridModel()->rowTexts(r);
        int tallest = 0;
        for (int c = 0; c < columns; ++c) {
            if (isColumnHidden(c))
                continue;
            const TExDBColumn *col = column(c);
            int width = columnWidth(c) - 1;
            if (col && col->SortType() != stNone && width > arrow)
                width -= arrow;
            const QFont f = col ? col->Font().font : font();
            const QRect box = QFontMetrics(f).boundingRect(QRect(0, 0, std::max(1, width), 100000), flags,
                                                           texts.value(c));
            tallest = std::max(tallest, box.height());
        }
        const int height = tallest + extra;
        if (rowHeight(r) != height)
            m_indicator->resizeSection(r, height);
        y += height;
    }
    m_fitting = false;
}

void TExDBGrid::loaded()
{
    if (hasExOption(eoAutoLoad))
        dbctrl::runReported([&] { restoreLayout(); });
    m_layoutInProgress = false;
    autoFit();
}

QPixmap TExDBGrid::getGlyph() const
{
    QPixmap bitmap;
    if (OnGetGlyph)
        OnGetGlyph(const_cast<TExDBGrid &>(*this), bitmap);
    return bitmap;
}

int TExDBGrid::pressedTitleColumn() const { return m_titleHeader->pressed; }

void TExDBGrid::paintCorner(QWidget *corner)
{
    QPainter p(corner);
    QStyleOptionHeader o;
    o.initFrom(corner);
    o.rect = corner->rect();
    o.position = QStyleOptionHeader::OnlyOneSection;
    if (const auto *button = qobject_cast<QAbstractButton *>(corner); button && button->isDown())
        o.state |= QStyle::State_Sunken;
    // The style leaves its clip behind; the glyph goes over the whole cell.
    p.save();
    corner->style()->drawControl(QStyle::CE_Header, &o, &p, corner);
    p.restore();
    const QPixmap bitmap = getGlyph();
    if (!bitmap.isNull())
        p.drawPixmap(QRect(QPoint(0, 0), bitmap.size()).translated(corner->rect().center() - bitmap.rect().center()),
                     bitmap);
}

void TExDBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && activeDataSet()) {
        if (OnDblClick) {
            OnDblClick(*this);
            event->accept();
            return;
        }
        if (hasExOption(eoBLOBEditor) && indexAt(event->position().toPoint()).isValid()) {
            bool handled = false;
            dbctrl::runReported([&] { handled = editBlob(); });
            if (handled) {
                event->accept();
                return;
            }
        }
    }
    DBGrid::mouseDoubleClickEvent(event);
}

} // namespace tarix::grid
