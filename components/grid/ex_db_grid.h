#pragma once
// TExDBGrid: the data grid over one dataset with the extended options (ExOptions), row
// selection by check boxes in the indicator column, Ctrl and Shift multi-select, zebra
// colours, the record and cell hints, the empty-grid text, column fitting and RefreshData.
//
// It stands on dbctrl::DBGrid (rows in the dataset's order, clicks and keys move the
// dataset, cells edited in place) and adds what the registration lists and later grids
// need. Every option and property is accepted and stored; those whose effect belongs to a
// later step of the grid (footer, bands, groupings, filter bar, layout storage, pop-up menu,
// BLOB editor, themed drawing) are only kept until then.
//
// The selected rows are bookmarks of the dataset. selectedRows() gives them in the
// dataset's order, whatever order they were ticked in; rows that left the dataset (a
// filter, a delete) are dropped there. Closing the dataset clears the selection.
#include "platform/db/dataset.h"
#include "platform/dbctrl/db_grid.h"

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

class QLabel;

namespace tarix::grid {

// The base grid's options (the class library's data-grid option set).
enum TGridOption {
    dgEditing = 1 << 0,
    dgAlwaysShowEditor = 1 << 1,
    dgTitles = 1 << 2,
    dgIndicator = 1 << 3,
    dgColumnResize = 1 << 4,
    dgColLines = 1 << 5,
    dgRowLines = 1 << 6,
    dgTabs = 1 << 7,
    dgRowSelect = 1 << 8,
    dgAlwaysShowSelection = 1 << 9,
    dgConfirmDelete = 1 << 10,
    dgCancelOnExit = 1 << 11,
    dgMultiSelect = 1 << 12,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// The extended options; the bit of each is its place in the stored set.
enum TExOption {
    eoAutoWidth = 1 << 0,
    eoBooleanAsCheckBox = 1 << 1,
    eoCheckBoxSelect = 1 << 2,
    eoCellHint = 1 << 3,
    eoDisableDelete = 1 << 4,
    eoDisableInsert = 1 << 5,
    eoDrawGraphicField = 1 << 6,
    eoENTERlikeTAB = 1 << 7,
    eoFixedLikeColumn = 1 << 8,
    eoKeepSelection = 1 << 9,
    eoLayout = 1 << 10,
    eoRowNumber = 1 << 11,
    eoRowSizing = 1 << 12,
    eoSelectedTitle = 1 << 13,
    eoShowFooter = 1 << 14,
    eoShowGlyphs = 1 << 15,
    eoShowLookup = 1 << 16,
    eoShowRecNo = 1 << 17,
    eoStandardPopup = 1 << 18,
    eoTitleButtons = 1 << 19,
    eoAutoSave = 1 << 20,
    eoAutoLoad = 1 << 21,
    eoDrawBands = 1 << 22,
    eoHotTrack = 1 << 23,
    eoBLOBEditor = 1 << 24,
    eoBandsOverTitles = 1 << 25,
    eoRowHeightAutofit = 1 << 26,
    eoTitleWordWrap = 1 << 27,
    eoShowFilterBar = 1 << 28,
    eoAnyKeyFilter = 1 << 29,
    eoFilterAutoApply = 1 << 30,
};
Q_DECLARE_FLAGS(TExOptions, TExOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TExOptions)

inline constexpr TGridOptions kDefaultOptions = TGridOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize
                                                             | dgColLines | dgRowLines | dgTabs | dgConfirmDelete
                                                             | dgCancelOnExit);
inline constexpr TExOptions kDefaultExOptions = TExOptions(eoENTERlikeTAB | eoKeepSelection | eoStandardPopup
                                                           | eoBLOBEditor | eoTitleWordWrap | eoFilterAutoApply);

// The colour styles; the zebra colours of the presets come with the drawing of the grid.
enum TExGridStyleKind { gsNormal = 0, gsSoftWheat = 13, gsCustom = 23 };

struct TExDBGridStyle {
    TExGridStyleKind style = gsNormal;
    QColor oddColor;  // rows at the first, third, ... visible position
    QColor evenColor;
    QColor filterColor;
};

enum TTitleHeightKind { hkAuto, hkLines, hkPixels };
struct TExDBGTitleHeight {
    TTitleHeightKind kind = hkAuto;
    int lineCount = 1;
    int pixelCount = 0;
};

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
QString recordHintText(int recNo, int recordCount);
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
    void setBands(const QStringList &bands) { m_bands = bands; }
    QFont BandsFont() const { return m_bandsFont; }
    void setBandsFont(const QFont &font) { m_bandsFont = font; }
    const TExDBGridStyle &GridStyle() const { return m_style; }
    // Setting the style kind sets the zebra colours of gsNormal (the grid colour) and
    // gsSoftWheat; gsCustom keeps the colours as they are.
    void setGridStyleKind(TExGridStyleKind kind);
    void setGridStyle(const TExDBGridStyle &style);
    const TExDBGTitleHeight &TitleHeight() const { return m_titleHeight; }
    void setTitleHeight(const TExDBGTitleHeight &height);
    QColor FooterColor() const { return m_footerColor; }
    void setFooterColor(const QColor &color) { m_footerColor = color; }
    int FooterHeight() const { return m_footerHeight; }
    void setFooterHeight(int height) { m_footerHeight = qMax(0, height); }
    int GridLineWidth() const { return m_gridLineWidth; }
    void setGridLineWidth(int width) { m_gridLineWidth = width; }
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

    // ---- what callers use -----------------------------------------------------------------
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
    void BestFitColumns();
    void FitColumnsToClientWidth();
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

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Indicator;
    class Delegate;
    friend class Indicator;
    friend class Delegate;

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

    TGridOptions m_options = kDefaultOptions; // without dgMultiSelect (kept in m_multiSelect)
    bool m_multiSelect = false;
    TExOptions m_exOptions;
    bool m_flat = false;
    QStringList m_bands;
    QFont m_bandsFont;
    TExDBGridStyle m_style;
    TExDBGTitleHeight m_titleHeight;
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
};

} // namespace tarix::grid
