#pragma once
// The grid plug-in suite's frame: a host grid hands its painting to one designer and each
// section of each column to one visio. Plug-in classes are registered by name in the one
// registry (TGPGlobal); writing a registered name to a plug-in's Name replaces it by an
// instance of that class. What a plug-in needs of its host grid is the HostGrid interface;
// the geometry helpers map columns and rows of the host grid to pixel rectangles.
#include "components/grid/plugin/dbgprtm.h"

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QWidget;

namespace tarix::db {
class DataSet;
}

namespace tarix::grid {

class TGridPlugIn;
class TGridDesigner;
class TSectionVisio;
class GridSection;
class GridColumn;
class HostGrid;

// A pixel rectangle counted as the plug-ins count it: right and bottom lie just outside.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
    static GridRect fromQRect(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    bool operator==(const GridRect &) const = default;
};

// The space a designer keeps free inside a title, a section or a footer cell.
struct Margins {
    int left = 0;
    int top = 0;
    int bottom = 0;
    int right = 0;
    bool operator==(const Margins &) const = default;
};

// ---- class-level information -----------------------------------------------------------------

enum InfoIndex { infoName = 1, infoSuite = 2, infoComment = 3, infoVersion = 4, infoCopyright = 5 };

inline constexpr const char *kUndefinedName = "Undefined";

// What the registry keeps of a plug-in class: its name and texts, readable without an
// instance. The two bases keep "Undefined", empty texts and "x.x".
struct GridPlugInClass {
    QString className;
    QString name = QString::fromLatin1(kUndefinedName);
    QString suite;
    QString comment;
    QString version = QStringLiteral("x.x");
    // 1 Name, 2 Suite, 3 Comment, 4 Version, 5 Copyright; "*unknown*" for any other index.
    QString getInfo(int index) const;
};

struct DesignerClass : GridPlugInClass {
    std::function<std::unique_ptr<TGridDesigner>(HostGrid *grid)> create;
};

struct VisioClass : GridPlugInClass {
    std::function<std::unique_ptr<TSectionVisio>(GridSection &section)> create;
};

// ---- the host grid ---------------------------------------------------------------------------

// The heights the designer and the visios agree on (pixels).
struct GridLayout {
    int titleHeight = 0;
    int sectionHeight = 0;
    int footerHeight = 0;
    bool titleShown = true;
};

// Who owns a plug-in: a grid owns its designer, a section its visio.
class PlugInOwner {
public:
    virtual ~PlugInOwner() = default;
    virtual QString displayName() const = 0;
};

// One section of a column: a share of the column's width and of the row's height, painted
// and edited by its visio (which it owns; a new section starts with the base visio).
class GridSection : public PlugInOwner {
public:
    GridSection(GridColumn &column, int index);
    ~GridSection() override;

    GridColumn &column() const { return m_column; }
    int index() const { return m_index; }
    TSectionVisio *visio() const { return m_visio.get(); }
    // Puts `fresh` in place of the visio and hands the old one back.
    std::unique_ptr<TSectionVisio> replaceVisio(std::unique_ptr<TSectionVisio> fresh);
    QString displayName() const override;

    int widthShare = 100;  // percent of the column's width
    int heightShare = 100; // percent of the row's height
    QColor color;          // the section's own background; invalid: none
    bool readOnly = false;

private:
    GridColumn &m_column;
    int m_index;
    std::unique_ptr<TSectionVisio> m_visio;
};

// One column of the host grid and its sections. The layout kind (0 to 7) says which section
// takes which part of the column (sectionRect).
class GridColumn {
public:
    GridColumn(HostGrid &grid, int index);
    ~GridColumn();

    HostGrid &grid() const { return m_grid; }
    int index() const { return m_index; }
    int sectionCount() const { return int(m_sections.size()); }
    // Raises EGridPlugIn "sectionAt index out of range" for an index outside.
    GridSection &section(int index) const;
    GridSection &addSection();

    int width = 64;
    int kind = 0;

private:
    HostGrid &m_grid;
    int m_index;
    std::vector<std::unique_ptr<GridSection>> m_sections;
};

// What the plug-ins need of the grid that hosts them. The grid owns its designer and its
// columns; the suite asks it to invalidate, scroll and repaint parts of its window, and the
// editor forms ask it to move on, post, cancel or change the row (in the original a window
// message to the grid).
class HostGrid : public PlugInOwner {
public:
    TGridDesigner *designer() const { return m_designer.get(); }
    // Puts `fresh` in place of the designer and hands the old one back.
    std::unique_ptr<TGridDesigner> replaceDesigner(std::unique_ptr<TGridDesigner> fresh);

    GridLayout layout;

    // Raises EGridPlugIn "Column index out of range" for an index outside.
    GridColumn &column(int index) const;
    int columnCount() const { return int(m_columns.size()); }
    GridColumn &addColumn(int width = 64, int kind = 0);

    virtual int fixedCols() const = 0;
    virtual int leftCol() const = 0;
    virtual int currentCol() const = 0;     // data column
    virtual int currentSection() const = 0;
    virtual int currentRow() const = 0;     // data row (0: the first shown)
    virtual int dataRowCount() const = 0;   // rows less the fixed rows
    virtual bool inUpdateLock() const = 0;
    virtual bool isLoading() const = 0;
    virtual bool hasFocus() const = 0;
    // The grid's data link is active and its dataset is not empty in browse state.
    virtual bool cellsPaintable() const = 0;
    virtual GridRect clientRect() const = 0;
    // The right edge of the last visible cell.
    virtual int gridBoundary() const = 0;
    virtual bool windowExists() const = 0;
    virtual QColor color() const = 0;
    // The grid's window (editor forms are placed over its cells); may be null.
    virtual QWidget *widget() const = 0;
    virtual QFont font() const = 0;
    virtual QFont titleFont() const = 0;

    // The dataset the grid shows (null: none); its visios bind their fields in it.
    virtual db::DataSet *dataSet() const { return nullptr; }
    // Runs fn with data row `row` (0: the first shown) as the dataset's current record.
    virtual void withDataRow(int row, const std::function<void()> &fn);
    // The grid's own consent to editing (its link active, its dataset and its before-edit
    // event agree).
    virtual bool canEdit() { return true; }
    // Makes data column `dataCol` current (a focus request for a field of its visios).
    virtual void selectColumn(int dataCol) {}

    virtual void invalidateRect(const GridRect &rect) = 0; // without erasing
    virtual void scrollRect(const GridRect &rect, int dy) = 0;
    virtual void update() = 0;                              // repaint the invalid parts now
    // The title and section heights changed.
    virtual void setRowHeights(int titleHeight, int sectionHeight) = 0;

    // Requests of the editing visios.
    virtual void nextCell() = 0;
    virtual void post(TSectionVisio &visio) = 0;
    virtual void cancel(TSectionVisio &visio) = 0;
    virtual void moveRow(int direction) = 0; // -1 or 1

protected:
    HostGrid();
    ~HostGrid() override;
    // The host's own destructor calls this first, so that its plug-ins go while it stands.
    void releasePlugIns();

private:
    std::unique_ptr<TGridDesigner> m_designer;
    std::vector<std::unique_ptr<GridColumn>> m_columns;
};

// ---- plug-ins --------------------------------------------------------------------------------

class TGridPlugIn {
public:
    virtual ~TGridPlugIn();
    TGridPlugIn(const TGridPlugIn &) = delete;
    TGridPlugIn &operator=(const TGridPlugIn &) = delete;

    // The class of the plug-in as the registry knows it (kept from construction, so that it
    // also answers while the plug-in is destroyed).
    const GridPlugInClass &plugInClass() const { return *m_class; }
    QString GetInfo(int index) const { return plugInClass().getInfo(index); }
    QString Name() const { return GetInfo(infoName); }
    QString Suite() const { return GetInfo(infoSuite); }
    QString Comment() const { return GetInfo(infoComment); }
    QString Version() const { return GetInfo(infoVersion); }
    QString Copyright() const { return GetInfo(infoCopyright); }
    QString designerClassName() const { return plugInClass().className; }

    // Replaces this plug-in by an instance of the class registered under newName ("OGP"
    // stands for "Standard"); the owner keeps the new one and *this is destroyed. Its own
    // name, or a plug-in without an owner, changes nothing. An unknown name raises
    // EGridPlugIn (65008) and keeps this plug-in.
    void setName(const QString &newName);

    HostGrid *Grid() const { return m_grid; }
    int Tag = 0;

    void LockInvalidate() { ++m_lockCount; }
    // Raises EGridPlugIn when nothing is locked.
    void UnlockInvalidate();
    int invalidateLockCount() const { return m_lockCount; }
    virtual void Invalidate() = 0;

    // The grid of a designer, the section of a visio.
    virtual PlugInOwner *GetOwnerObject() const = 0;
    // The class name, after the owner's display text and a point when there is an owner.
    QString GetDisplayName() const;

    // The host grid's notifications: its data link became (in)active, its dataset changed,
    // its layout changed, a record changed, it finished loading.
    virtual void linkActiveChanged() {}
    virtual void dataSetChanged() {}
    virtual void layoutChanged() {}
    virtual void recordChanged() {}
    virtual void loaded() {}
    // Called on the new plug-in with the one it replaces (to copy settings).
    virtual void TakeOverFrom(TGridPlugIn &oldPlugIn) {}
    // Called on a plug-in just before it is replaced and destroyed.
    virtual void BeforeReplace() {}

protected:
    TGridPlugIn(HostGrid *grid, const GridPlugInClass &cls) : m_grid(grid), m_class(&cls) {}
    // The invalidation conditions every plug-in shares.
    bool mayInvalidate() const;
    // The swap itself, done through the owner (designer: the grid, visio: the section).
    virtual void swapTo(const QString &newName) = 0;

private:
    HostGrid *m_grid;
    const GridPlugInClass *m_class;
    int m_lockCount = 0;
};

// The registry of designer and visio classes. The base designer stays the last designer,
// the base visio the first visio; names are unique in each table without regard to case.
class TGPGlobal {
public:
    static constexpr int kMaxDesigners = 8;
    static constexpr int kMaxVisios = 64;

    TGPGlobal();

    // Raise EGridPlugIn for a name already there (case aside) and for a full table.
    void RegisterDesigner(const DesignerClass &cls);
    void RegisterVisio(const VisioClass &cls);
    // Remove the class registered under cls's name; an unknown name or a base raises.
    void UnregisterDesigner(const DesignerClass &cls);
    void UnregisterVisio(const VisioClass &cls);

    const DesignerClass *FindDesignerClass(const QString &name) const;
    const VisioClass *FindVisioClass(const QString &name) const;

    const std::vector<const DesignerClass *> &designers() const { return m_designers; }
    const std::vector<const VisioClass *> &visios() const { return m_visios; }

    // Listeners receive the event codes (0 to 7) in their set; a plug-in that is destroyed
    // sends code 2.
    using ListenerHandler = std::function<void(int eventCode, TGridPlugIn *plugIn)>;
    int addListener(ListenerHandler handler, std::initializer_list<int> codes);
    void removeListener(int id);
    void NotifyListeners(int eventCode, TGridPlugIn *plugIn);

private:
    struct Listener {
        int id;
        ListenerHandler handler;
        quint8 codes;
    };
    std::vector<const DesignerClass *> m_designers;
    std::vector<const VisioClass *> m_visios;
    std::vector<Listener> m_listeners;
    int m_nextListenerId = 1;
};

// The system's button-face colour (the default of several colours of the suite).
QColor btnFaceColor();

// The one registry; nullptr while the suite is not started (see grid_suite.h).
TGPGlobal *GPGlobal();
void createGPGlobal();
void freeGPGlobal();

// ---- designers -------------------------------------------------------------------------------

// Font style bits of the state styles.
enum FontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// The colours and font styles that mark selection and focus. Any change invalidates the
// designer's grid.
class TStateStyles {
public:
    explicit TStateStyles(TGridDesigner *designer);

    QColor SelectedTitleColor() const { return m_selectedTitleColor; }
    int selectedTitleStyle() const { return m_selectedTitleStyle; } // font style bits (FontStyle)
    QColor SelectedSectColor() const { return m_selectedSectColor; }
    int selectedSectStyle() const { return m_selectedSectStyle; }
    QColor UnFocusedColor() const { return m_unFocusedColor; }
    QColor PushedTitleColor() const { return m_pushedTitleColor; }
    QColor EditSurfaceColor() const { return m_editSurfaceColor; }

    void setSelectedTitleColor(const QColor &c) { set(m_selectedTitleColor, c); }
    void setSelectedTitleStyle(int s) { set(m_selectedTitleStyle, s); }
    void setSelectedSectColor(const QColor &c) { set(m_selectedSectColor, c); }
    void setSelectedSectStyle(int s) { set(m_selectedSectStyle, s); }
    void setUnFocusedColor(const QColor &c) { set(m_unFocusedColor, c); }
    void setPushedTitleColor(const QColor &c) { set(m_pushedTitleColor, c); }
    void setEditSurfaceColor(const QColor &c) { set(m_editSurfaceColor, c); }

    void Assign(const TStateStyles &other);

private:
    template <typename T>
    void set(T &slot, const T &value)
    {
        slot = value;
        changed();
    }
    void changed();

    TGridDesigner *m_designer;
    QColor m_selectedTitleColor;
    int m_selectedTitleStyle = 0;
    QColor m_selectedSectColor; // none
    int m_selectedSectStyle = 0;
    QColor m_unFocusedColor; // none
    QColor m_pushedTitleColor;
    QColor m_editSurfaceColor;
};

// The paint request of the host grid: destination, area, background, the grid columns and
// data rows to paint, and what to paint.
struct TGridPaintInfo {
    QPainter *canvas = nullptr;
    GridRect rect;
    QColor background;
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    int flags = 0;
    static constexpr int kTitles = 1;
    static constexpr int kCells = 2;
};

// The base designer: paints a notice that no designer was chosen.
class TGridDesigner : public TGridPlugIn {
public:
    explicit TGridDesigner(HostGrid *grid) : TGridDesigner(grid, staticClass()) {}
    static const DesignerClass &staticClass();

    TStateStyles &StateStyles() { return m_stateStyles; }
    const TStateStyles &StateStyles() const { return m_stateStyles; }

    virtual Margins GetTitleMargins() const { return {}; }
    virtual Margins GetSectionMargins() const { return {}; }
    virtual Margins GetFooterMargins() const { return {}; }
    virtual void Paint(const TGridPaintInfo &info);
    // The host grid's data moved by `distance` rows; `row` is a data row of the grid.
    virtual void ScrollRows(int distance, int row) {}

    void Invalidate() override;
    PlugInOwner *GetOwnerObject() const override { return Grid(); }

protected:
    // A descendant passes its own class.
    TGridDesigner(HostGrid *grid, const GridPlugInClass &cls);
    void swapTo(const QString &newName) override;

private:
    TStateStyles m_stateStyles;
};

// The base visio: paints nothing; the registered visios paint and edit their sections.
class TSectionVisio : public TGridPlugIn {
public:
    explicit TSectionVisio(GridSection &section) : TSectionVisio(section, staticClass()) {}
    static const VisioClass &staticClass();

    GridSection &sectionAt() const { return m_section; }

    virtual void PaintTitle(QPainter &canvas, const GridRect &rect) {}
    virtual void PaintSection(QPainter &canvas, const GridRect &rect, int firstRow, int lastRow) {}
    virtual int GetTitleHeight() const { return 5; }
    virtual int GetSectionHeight() const { return 5; }
    // The host grid ends the visio's editing: post (true) or cancel (false).
    virtual void endEdit(bool post) {}

    // Set at creation; a state visio clears the first (it edits without a form). With the
    // second set the grid is asked before editing starts.
    bool m_flagEditForm = true;
    bool m_flagAskGrid = true;

    // Invalidates the visible grid column of the section's column.
    void Invalidate() override;
    PlugInOwner *GetOwnerObject() const override { return &m_section; }

protected:
    // A descendant passes its own class.
    TSectionVisio(GridSection &section, const GridPlugInClass &cls);
    void swapTo(const QString &newName) override;

private:
    GridSection &m_section;
};

// The class information of a visio class V (constructed from its section).
template <class V>
VisioClass makeVisioClass(const char *className, const char *name, const char *suite,
                          const char *comment, const char *version)
{
    VisioClass c;
    c.className = QString::fromLatin1(className);
    c.name = QString::fromLatin1(name);
    c.suite = QString::fromLatin1(suite);
    c.comment = QString::fromLatin1(comment);
    c.version = QString::fromLatin1(version);
    c.create = [](GridSection &section) { return std::make_unique<V>(section); };
    return c;
}

// ---- geometry --------------------------------------------------------------------------------

// The visible grid column of data column `dataCol`; -1 when it lies left of the left column.
int gridColumnOf(const HostGrid &grid, int dataCol);
// The data column shown in grid column `gridCol`.
int dataColumnOf(const HostGrid &grid, int gridCol);
// The width of the fixed columns.
int fixedAreaWidth(const HostGrid &grid);
// The x of grid column `gridCol` from the left of the cell area.
int gridColumnLeft(const HostGrid &grid, int gridCol);

// The part of `area` that section `index` of a column of layout kind `kind` (0 to 7) takes,
// by its width and height shares in percent.
GridRect sectionRect(const GridRect &area, int kind, int index, int widthShare, int heightShare);
GridRect shrink(const GridRect &rect, const Margins &margins);
// The cell of section `section` of data column `dataCol` in data row `row`, in the grid's
// client coordinates (titles above when shown); empty when the column is scrolled out.
GridRect cellRect(const HostGrid &grid, int dataCol, int section, int row);

// Recomputes the title and section heights from the visios and the designer's margins;
// tells the grid and invalidates it when they changed. Nothing while the grid loads.
void recomputeLayout(HostGrid &grid);

// The titles (titles = true) or the cells of rows firstRow..lastRow of data column
// `dataCol` painted by its visios; `columnRect` is the column's title or its first row.
// Cells are painted only while the grid's data can be shown.
void paintColumn(HostGrid &grid, QPainter &canvas, int dataCol, const GridRect &columnRect,
                 bool titles, int firstRow, int lastRow);

} // namespace tarix::grid
