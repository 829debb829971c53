#pragma once
// TExDBGrid: the data grid over one dataset with the extended options (ExOptions), row
// selection by check boxes in the indicator column, Ctrl and Shift multi-select, zebra
// colours and the colour styles, the record and cell hints, the empty-grid text, column
// fitting and RefreshData; its columns (TExDBColumn) with bands, sort arrows, footer values,
// filters and check boxes; the footer strip, the band row and grouping rows; the standard
// pop-up menu, the filter bar, the BLOB editor and the column layouts kept in the user's
// registry (grid_layout.h).
//
// It stands on dbctrl::DBGrid (rows in the dataset's order, clicks and keys move the
// dataset, cells edited in place): every move of its own to another row (Enter like Tab,
// the indicator, the record-number thumb, hot tracking) is DBGrid::moveToCell, which stores
// the row left first. The grid's own columns are the truth: every change of a
// column's field, caption, width or read-only switch is handed down to the base grid.
//
// The selected rows are bookmarks of the dataset. selectedRows() gives them in the
// dataset's order, whatever order they were ticked in; rows that left the dataset (a
// filter, a delete) are dropped there. Closing the dataset clears the selection.
#include "components/grid/ex_db_column.h"
#include "components/grid/ex_db_grid_options.h"
#include "components/grid/grid_draw.h"
#include "components/grid/grid_menu.h"
#include "platform/db/dataset.h"
#include "platform/dbctrl/db_grid.h"

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QStyle>
#include <QVector>
#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;

namespace tarix::grid {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// ---- the rules, kept apart from the widget so that each can be checked alone ------------

// The narrowest indicator that holds the row glyph and the check box.
int minimumIndicatorWidth(int checkBoxWidth, int glyphWidth, bool columnAndRowLines);
// The width a requested WidthOfIndicator becomes: never below 11, with check-box selection
// never below the minimum.
int effectiveIndicatorWidth(int requested, bool checkBoxSelect, int minimum);
// Best fit: each column gets wanted * available / sum(wanted), truncated (factor 1 for a
// sum of 0).
QVector<int> bestFitWidths(const QVector<int> &wanted, int available);
// Simple fit: the widths (indicator included) scaled by clientWidth / their sum, truncated,
// only when the client is more than 2 pixels wider or any narrower; otherwise unchanged.
QVector<int> simpleFitWidths(const QVector<int> &widths, int clientWidth);
// The zebra background of the row at a visible position (0 = the first row shown); no
// colour for gsNormal.
std::optional<QColor> zebraColor(const TExDBGridStyle &style, int visiblePosition);
// "rec. N of M".
QString recordHintText(int recordNumber, int recordCount);
// Whether a text needs its hint: it does not fit the space it is drawn in.
bool textNeedsHint(int textWidth, int space);

class TExDBGrid : public dbctrl::DBGrid {
    Q_OBJECT
public:
    static constexpr int kMinIndicatorWidth = 11;
    static constexpr int kGlyphWidth = 8;

    explicit TExDBGrid(QWidget *parent = nullptr);
    ~TExDBGrid() override;

    // ---- options ----------------------------------------------------------------------------
    TGridOptions Options() const;
    void setOptions(TGridOptions options);
    TExOptions ExOptions() const { return m_exOptions; }
    void setExOptions(TExOptions options);
    bool hasExOption(TExOption option) const { return m_exOptions.testFlag(option); }
    bool multiSelect() const { return m_multiSelect; }

    // ---- properties -----------------------------------------------------------------------
    bool Flat() const { return m_flat; }
    void setFlat(bool flat);
    QStringList Bands() const { return m_bands; }
    void setBands(const QStringList &bands);
    QFont BandsFont() const { return m_bandsFont; }
    void setBandsFont(const QFont &font);
    const QVector<TExGrouping> &Groupings() const { return m_groupings; }
    void setGroupings(const QVector<TExGrouping> &groupings);
    // A grouping with the grid's font in bold and the button colours.
    TExGrouping newGrouping(const QString &expression) const;
    const TExDBGridStyle &GridStyle() const { return m_style; }
    // Setting the style kind sets the zebra colours of its preset; gsNormal takes the grid
    // colour and gsCustom keeps the colours as they are.
    void setGridStyleKind(TExGridStyleKind kind);
    void setGridStyle(const TExDBGridStyle &style);
    const TExDBGTitleHeight &TitleHeight() const { return m_titleHeight; }
    void setTitleHeight(const TExDBGTitleHeight &height);
    QColor FooterColor() const { return m_footerColor; }
    void setFooterColor(const QColor &color);
    int FooterHeight() const { return m_footerHeight; }
    // Negative values become 0 (automatic: DefaultRowHeight + 4).
    void setFooterHeight(int height);
    int GridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(int width);
    QString HintField() const { return m_hintField; }
    void setHintField(const QString &field) { m_hintField = field; }
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int count) { m_fixedCols = qMax(0, count); }
    QString RegistryKey() const { return m_registryKey; }
    void setRegistryKey(const QString &key) { m_registryKey = key; }
    QString RegistrySection() const { return m_registrySection; }
    void setRegistrySection(const QString &section) { m_registrySection = section; }
    int WidthOfIndicator() const { return m_widthOfIndicator; }
    void setWidthOfIndicator(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    // 0 keeps the current height.
    void setDefaultRowHeight(int height);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void setScrollBars(TScrollStyle style);

    // ---- columns ------------------------------------------------------------------------------
    int columnCount() const { return int(m_columns.size()); }
    TExDBColumn *column(int index) const;
    TExDBColumn &addExColumn();
    TExDBCheckboxColumn &addCheckboxColumn();
    void removeAllColumns();
    // The base grid's way: one TExDBColumn per entry.
    void setColumns(const QVector<dbctrl::DBGridColumn> &columns);
    void addColumn(const QString &fieldName, const QString &title = {}, int width = -1);
    // Takes the record test off the dataset it was put on before the source changes.
    void setDataSource(db::DataSource *source);
    // The caption shown (the field's label when the column has none), with its line breaks.
    QString columnCaption(int index) const;
    // The alignment of the data cells (numbers right when the column sets none).
    Qt::Alignment columnAlignment(int index) const;
    // Told by a column when a property changed.
    void columnChanged(TExDBColumn &column, TExDBColumn::Change change);
    // Changes of several columns at once: the grid lays out once at the end.
    void beginLayout() { ++m_layoutDepth; }
    void endLayout();
    // A layout load: no column fitting meanwhile, one layout at the end.
    class LayoutLoad {
    public:
        explicit LayoutLoad(TExDBGrid &grid);
        ~LayoutLoad();

    private:
        TExDBGrid &m_grid;
    };
    bool layoutInProgress() const { return m_layoutInProgress; }

    // ---- title row, bands, footer, groupings ---------------------------------------------------
    // The title row's height now (0 without titles).
    int titleRowHeight() const;
    // Recomputes the title row's height by TitleHeight (captions' "|" become line breaks).
    void updateTitleHeight();
    // The band cell of a column: its first and last column; none without a band.
    std::optional<std::pair<int, int>> bandOfColumn(int index) const;
    // The footer strip's height (0 when the footer is off).
    int footerStripHeight() const;
    // The footer rectangle in the grid's co-ordinates.
    QRect footerRect() const;
    // The footer text of a column, as drawn before OnDrawFooterCell.
    QString footerText(int index) const;
    QWidget *footer() const;
    void updateFooter();
    // The grouping that claims a row, with its text and the column it came from; none when
    // the row is a plain row.
    struct GroupingHit {
        int grouping = -1;
        int column = -1;
        QString text;
    };
    std::optional<GroupingHit> groupingOfRow(int row) const;
    // A field's value in a row (null when it cannot be read).
    QVariant cellValue(int row, int column) const;

    // ---- pop-up menu ----------------------------------------------------------------------------
    QMenu *popupMenu() const { return m_popup; }
    QAction *popupAction(PopupItem item) const { return m_popupItems[item]; }
    // Sets the items' state as the menu's rules say (before it opens).
    void preparePopupMenu();
    // Opens the menu at a point of the screen (nothing without eoStandardPopup).
    void popupAt(const QPoint &globalPos);
    void selectRecord();
    void selectAllRecords();
    void deselectRecord();
    void deselectAllRecords();
    void SaveLayout();
    void restoreLayout();

    // ---- filter bar -------------------------------------------------------------------------------
    QComboBox *filterBox() const { return m_filterBox; }
    // The column the filter box stands on (-1: none).
    int filterBoxColumn() const { return m_filterColumn; }
    // Places the filter box over a column's strip and focuses it.
    void showFilterBox(int index);
    // Takes the filter box's text as its column's filter when it changed.
    void takeFilterText();
    // Applies the columns' filters to the dataset (eoFilterAutoApply), then OnFilterChanged.
    void applyFilter();
    // Whether the dataset's current record passes every column's filter.
    bool recordPassesFilter(db::DataSet &dataSet) const;

    // ---- BLOB editor --------------------------------------------------------------------------------
    // Edits the current column's field in the BLOB editor; false when that field is not one
    // it edits.
    bool editBlob();

    // ---- what callers use -----------------------------------------------------------------
    // The owner has set the grid's columns and data source (its window is built): the stored
    // layout is loaded with eoAutoLoad, and the columns are fitted with eoAutoWidth.
    void loaded();
    // The bitmap OnGetGlyph gives (none without it); drawn in the top-left cell.
    QPixmap getGlyph() const;
    // The title column pressed as a button (-1: none).
    int pressedTitleColumn() const;
    // The cell under the mouse while themes are on and there are no groupings (invalid:
    // none); its check box is drawn hot. Column -1 is the indicator.
    struct HotCell {
        int row = -1;
        int column = -1;
        bool operator==(const HotCell &) const = default;
    };
    HotCell hotCell() const { return m_hot; }
    // The dataset's record count, which OnGetRecordCount may replace.
    int GetRecordCount() const;
    // 1 with titles on, else 0.
    int TitleOffset() const { return Options().testFlag(dgTitles) ? 1 : 0; }
    // Posts a pending edit, re-opens the dataset and comes back to the record that was
    // current. Nothing without a dataset.
    void RefreshData();

    // The selected rows in the dataset's order.
    QList<db::Bookmark> selectedRows() const;
    int selectedCount() const { return int(selectedRows().size()); }
    bool isRowSelected(const db::Bookmark &b) const { return m_selected.contains(b); }
    bool currentRowSelected() const;
    void setCurrentRowSelected(bool selected);
    void clearSelectedRows();
    // The check-box rule of an indicator click on the current record.
    void toggleCheckBoxSelection();

    // The check box's minimum indicator width for the present line options.
    int checkBoxIndicatorWidth() const;
    // Best fit and simple fit of the columns (see the free functions above).
    void bestFitColumns();
    void fitColumnsToClientWidth();
    // A user's resize of the rows to a height (the row-height floor and DefaultRowHeight).
    void rowHeightChangedByUser(int height);
    // The smallest row height: the text height of "Wg" + 2.
    int rowHeightFloor() const;

    // The hint of a data cell (empty when the text fits or hints are off) and of a title.
    QString cellHint(int row, int column) const;
    QString titleHint(int column) const;
    // "rec. N of M" for the current record; empty while the dataset is closed or empty.
    QString recordHint() const;
    // Whether the grid shows "<No data to display>" (no dataset, or a closed one).
    bool showsNoData() const;
    static QString noDataText() { return QStringLiteral("<No data to display>"); }
    // The zebra colour of a row as drawn now (none: the base colours).
    std::optional<QColor> rowBackground(int row, int column) const;
    // A cell drawn as selected: ticked rows with multi-select or check-box selection.
    bool isCellHighlighted(int row) const;
    // The dataset bookmark of a row (invalid for the row being inserted).
    db::Bookmark rowBookmark(int row) const;
    // The indicator column (the vertical header).
    QWidget *indicator() const;

    // ---- events -----------------------------------------------------------------------------
    std::function<void(TExDBGrid &, db::Field *, QFont &, QColor &background, bool highlight)> OnGetCellParams;
    std::function<void(TExDBGrid &)> OnChangeSelection;
    std::function<void(TExDBGrid &)> OnRefreshData;
    std::function<void(TExDBGrid &)> OnDeleteRecord;
    std::function<void(TExDBGrid &)> OnAppendRecord;
    std::function<void(TExDBGrid &)> OnInsertRecord;
    std::function<void(TExDBGrid &, int &recordCount)> OnGetRecordCount;
    std::function<void(TExDBGrid &, int column, QString &hint)> OnCellHint;
    std::function<void(TExDBGrid &)> OnEditRecord;
    std::function<void(TExDBGrid &)> OnPostData;
    std::function<void(TExDBGrid &)> OnCancelData;
    std::function<void(TExDBGrid &)> OnPrintData;
    std::function<void(TExDBGrid &)> OnExportData;
    std::function<void(TExDBGrid &)> OnFilterData;
    std::function<void(TExDBGrid &)> OnSearchData;
    std::function<void(TExDBGrid &)> OnSetupGrid;
    std::function<void(TExDBGrid &)> OnDblClick;
    std::function<void(TExDBGrid &, const QString &expression, QString &text, bool &value)> OnExpression;
    std::function<void(TExDBGrid &, QPainter &, const QRect &, const TExGrouping &, const QString &text,
                       bool &defaultDrawing)>
        OnDrawGroupingCell;
    std::function<void(TExDBGrid &, QPainter &, const QRect &, db::Field *, QString &text, bool &defaultDrawing)>
        OnDrawFooterCell;
    std::function<void(TExDBGrid &)> OnUpdateFooter;
    std::function<void(TExDBGrid &)> OnFilterChanged;
    std::function<void(TExDBGrid &, TExDBColumn &)> OnSortChanged;
    std::function<void(TExDBGrid &)> OnColWidthsChanged;
    std::function<void(TExDBGrid &, QPainter &)> OnDrawBackground;
    // A title pressed as a button (eoTitleButtons): enabled comes in true when the column
    // exists; left false, the press is abandoned.
    std::function<void(TExDBGrid &, int column, db::Field *, bool &enabled)> OnCheckButton;
    // The clerk changed the text of the cell editor.
    std::function<void(TExDBGrid &)> OnEditChange;
    // The rows or columns shown scrolled.
    std::function<void(TExDBGrid &)> OnTopLeftChanged;
    // A title cell was drawn (the handler may draw over it): its rectangle, column and state
    // (sunken while pressed, mouse-over while hot, selected for the current column).
    std::function<void(TExDBGrid &, QPainter &, const QRect &, int column, TExDBColumn &, QStyle::State)>
        OnDrawColumnTitle;
    std::function<void(TExDBGrid &, QPixmap &bitmap)> OnGetGlyph;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Indicator;
    class Delegate;
    class TitleHeader;
    class Footer;
    friend class Indicator;
    friend class Delegate;
    friend class TitleHeader;
    friend class Footer;

    db::DataSet *activeDataSet() const;
    bool editable() const;
    void changedSelection();
    void selectRange(const db::Bookmark &from, const db::Bookmark &to);
    void pressOnRow(int row, Qt::MouseButton button, Qt::KeyboardModifiers mods, bool inIndicator);
    void selectOnPress(Qt::KeyboardModifiers mods);
    void releaseOnRow(Qt::MouseButton button, Qt::KeyboardModifiers mods, bool inIndicator);
    void applyOptions();
    void applyIndicatorWidth();
    void deleteRecords();
    void appendRecord();
    void insertRecord();
    bool isCheckBoxCell(int column) const;
    void toggleCheckBoxCell(int column);
    void moveKeyboardSelection(int fromPos, int toPos);
    void autoFit();
    void showRecordHint();
    void pushColumns();
    void layoutChanged();
    void buildPopupMenu();
    void runPopupItem(PopupItem item);
    void paintFooter(QPainter &p);
    void paintGroupingRows(QPainter &p);
    void paintTitle(QPainter &p, const QRect &rect, int index, int hotSection, int pressedSection) const;
    void dropFilterCallback();
    // Data rows take the height of their tallest text (eoRowHeightAutofit).
    void fitRowHeights();
    void setHotCell(HotCell cell);
    void updateCell(HotCell cell);
    void paintCorner(QWidget *corner);

    TGridOptions m_options = kDefaultOptions; // without dgMultiSelect (kept in m_multiSelect)
    bool m_multiSelect = false;
    TExOptions m_exOptions;
    bool m_flat = false;
    QStringList m_bands;
    QFont m_bandsFont;
    TExDBGridStyle m_style;
    TExDBGTitleHeight m_titleHeight;
    QVector<TExGrouping> m_groupings;
    std::vector<std::unique_ptr<TExDBColumn>> m_columns;
    int m_layoutDepth = 0;
    bool m_layoutPending = false;
    bool m_layoutInProgress = false;
    bool m_pushing = false;
    bool m_inGeometries = false;
    int m_titleRowHeight = 0;
    TitleHeader *m_titleHeader = nullptr;
    Footer *m_footer = nullptr;
    QMenu *m_popup = nullptr;
    QAction *m_popupItems[kPopupItemCount] = {};
    QComboBox *m_filterBox = nullptr;
    int m_filterColumn = -1;
    db::DataSet *m_filteredDataSet = nullptr; // where the record test is installed
    bool m_filterSwitchedOn = false;         // the grid switched that dataset's filtering on
    QColor m_footerColor;
    int m_footerHeight = 0;
    int m_gridLineWidth = 1;
    QString m_hintField;
    int m_fixedCols = 0;
    QString m_registryKey;
    QString m_registrySection;
    int m_widthOfIndicator = kMinIndicatorWidth;
    int m_defaultRowHeight = 0;
    TScrollStyle m_scrollBars = TScrollStyle::ssBoth;

    QList<db::Bookmark> m_selected; // in the order ticked
    db::Bookmark m_anchor;          // the range anchor of Shift clicks
    int m_keyAnchorPos = -1;        // where a Shift move with the keys began
    mutable QHash<int, qint64> m_rowIds; // bookmarks of the rows painted, until the rows change
    bool m_fitting = false;
    Indicator *m_indicator = nullptr;
    Delegate *m_delegate = nullptr;
    QLabel *m_recordHint = nullptr;
    HotCell m_hot;
    int m_hotTrackRefused = -1; // the row a hot-tracking move was refused for
};

} // namespace tarix::grid
