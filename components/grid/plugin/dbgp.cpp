#include "components/grid/plugin/dbgp.h"

#include "core/helpers/messages.h"
#include "platform/db/dataset.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace tarix::grid {

QColor btnFaceColor()
{
    if (qGuiApp)
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(0xF0, 0xF0, 0xF0);
}

// ---- class-level information -----------------------------------------------------------------

QString GridPlugInClass::getInfo(int index) const
{
    switch (index) {
    case infoName: return name;
    case infoSuite: return suite;
    case infoComment: return comment;
    case infoVersion: return version;
    case infoCopyright: return QStringLiteral("TARIX grid plug-in suite");
    default: return QStringLiteral("*unknown*");
    }
}

// ---- sections, columns, host grid ------------------------------------------------------------

GridSection::GridSection(GridColumn &column, int index)
    : m_column(column), m_index(index), m_visio(std::make_unique<TSectionVisio>(*this))
{
}

GridSection::~GridSection() = default;

std::unique_ptr<TSectionVisio> GridSection::replaceVisio(std::unique_ptr<TSectionVisio> fresh)
{
    std::swap(m_visio, fresh);
    return fresh;
}

QString GridSection::displayName() const
{
    return QStringLiteral("%1.Columns[%2].Sections[%3]")
        .arg(m_column.grid().displayName())
        .arg(m_column.index())
        .arg(m_index);
}

void HostGrid::withDataRow(int row, const std::function<void()> &fn)
{
    db::DataSet *ds = dataSet();
    // The current row is read from the record itself, so that an edit under way shows.
    if (ds && ds->isActive() && !ds->isEmpty() && row != currentRow())
        ds->withRowAt(row, fn);
    else
        fn();
}

GridColumn::GridColumn(HostGrid &grid, int index) : m_grid(grid), m_index(index) {}

GridColumn::~GridColumn() = default;

GridSection &GridColumn::section(int index) const
{
    if (index < 0 || index >= sectionCount())
        throw EGridPlugIn(QStringLiteral("Section index out of range"));
    return *m_sections[size_t(index)];
}

GridSection &GridColumn::addSection()
{
    m_sections.push_back(std::make_unique<GridSection>(*this, sectionCount()));
    return *m_sections.back();
}

HostGrid::HostGrid() = default;

HostGrid::~HostGrid() = default;

void HostGrid::releasePlugIns()
{
    m_columns.clear();
    m_designer.reset();
}

std::unique_ptr<TGridDesigner> HostGrid::replaceDesigner(std::unique_ptr<TGridDesigner> fresh)
{
    std::swap(m_designer, fresh);
    return fresh;
}

GridColumn &HostGrid::column(int index) const
{
    if (index < 0 || index >= columnCount())
        throw EGridPlugIn(QStringLiteral("Column index out of range"));
    return *m_columns[size_t(index)];
}

GridColumn &HostGrid::addColumn(int width, int kind)
{
    m_columns.push_back(std::make_unique<GridColumn>(*this, columnCount()));
    m_columns.back()->width = width;
    m_columns.back()->kind = kind;
    return *m_columns.back();
}

// ---- plug-in base ----------------------------------------------------------------------------

TGridPlugIn::~TGridPlugIn()
{
    if (TGPGlobal *g = GPGlobal())
        g->NotifyListeners(2, this);
}

void TGridPlugIn::setName(const QString &newName)
{
    const QString name = newName == QLatin1String("OGP") ? QStringLiteral("Standard") : newName;
    if (name == Name() || !GetOwnerObject())
        return;
    swapTo(name);
}

void TGridPlugIn::UnlockInvalidate()
{
    if (m_lockCount == 0)
        throw EGridPlugIn(QStringLiteral("Unable to unlock Invalidate method due to it did not lock"));
    --m_lockCount;
}

bool TGridPlugIn::mayInvalidate() const
{
    return m_grid && m_lockCount == 0 && !m_grid->inUpdateLock() && !m_grid->isLoading();
}

QString TGridPlugIn::GetDisplayName() const
{
    const PlugInOwner *owner = GetOwnerObject();
    return owner ? owner->displayName() + u'.' + designerClassName() : designerClassName();
}

// ---- registry --------------------------------------------------------------------------------

namespace {

std::unique_ptr<TGPGlobal> g_registry;

template <class Class>
const Class *findByName(const std::vector<const Class *> &table, const QString &name)
{
    for (const Class *cls : table)
        if (cls->getInfo(infoName).compare(name, Qt::CaseInsensitive) == 0)
            return cls;
    return nullptr;
}

} // namespace

TGPGlobal *GPGlobal()
{
    return g_registry.get();
}

void createGPGlobal()
{
    g_registry = std::make_unique<TGPGlobal>();
}

void freeGPGlobal()
{
    g_registry.reset();
}

TGPGlobal::TGPGlobal()
{
    m_designers.push_back(&TGridDesigner::staticClass());
    m_visios.push_back(&TSectionVisio::staticClass());
}

void TGPGlobal::RegisterDesigner(const DesignerClass &cls)
{
    if (FindDesignerClass(cls.getInfo(infoName)))
        throw EGridPlugIn(QStringLiteral("Designer \"%1\" already registered").arg(cls.className));
    // The tables have fixed room in the original; a full one refuses instead of growing.
    if (int(m_designers.size()) >= kMaxDesigners)
        throw EGridPlugIn(QStringLiteral("Unable to register Designer \"%1\": the registry holds %2 designers at most")
                              .arg(cls.className)
                              .arg(kMaxDesigners));
    // New designers stand before the base, which stays last.
    m_designers.insert(m_designers.end() - 1, &cls);
}

void TGPGlobal::RegisterVisio(const VisioClass &cls)
{
    if (FindVisioClass(cls.getInfo(infoName)))
        throw EGridPlugIn(QStringLiteral("Visio \"%1\" already registered").arg(cls.className));
    if (int(m_visios.size()) >= kMaxVisios)
        throw EGridPlugIn(QStringLiteral("Unable to register Visio \"%1\": the registry holds %2 visios at most")
                              .arg(cls.className)
                              .arg(kMaxVisios));
    m_visios.push_back(&cls);
}

void TGPGlobal::UnregisterDesigner(const DesignerClass &cls)
{
    const DesignerClass *found = FindDesignerClass(cls.getInfo(infoName));
    if (!found || found == &TGridDesigner::staticClass())
        throw EGridPlugIn(QStringLiteral("Unable to unregister Designer \"%1\"").arg(cls.className));
    std::erase(m_designers, found);
}

void TGPGlobal::UnregisterVisio(const VisioClass &cls)
{
    const VisioClass *found = FindVisioClass(cls.getInfo(infoName));
    if (!found || found == &TSectionVisio::staticClass())
        throw EGridPlugIn(QStringLiteral("Unable to unregister Visio \"%1\"").arg(cls.className));
    std::erase(m_visios, found);
}

const DesignerClass *TGPGlobal::FindDesignerClass(const QString &name) const
{
    return findByName(m_designers, name);
}

const VisioClass *TGPGlobal::FindVisioClass(const QString &name) const
{
    return findByName(m_visios, name);
}

int TGPGlobal::addListener(ListenerHandler handler, std::initializer_list<int> codes)
{
    quint8 set = 0;
    for (int code : codes)
        if (code >= 0 && code < 8)
            set |= quint8(1u << code);
    m_listeners.push_back({m_nextListenerId, std::move(handler), set});
    return m_nextListenerId++;
}

void TGPGlobal::removeListener(int id)
{
    std::erase_if(m_listeners, [id](const Listener &l) { return l.id == id; });
}

void TGPGlobal::NotifyListeners(int eventCode, TGridPlugIn *plugIn)
{
    if (eventCode < 0 || eventCode >= 8)
        return;
    // A handler may remove listeners: call a copy.
    const std::vector<Listener> listeners = m_listeners;
    for (const Listener &l : listeners)
        if (l.codes & (1u << eventCode))
            l.handler(eventCode, plugIn);
}

// ---- state styles ----------------------------------------------------------------------------

TStateStyles::TStateStyles(TGridDesigner *designer)
    : m_designer(designer),
      m_selectedTitleColor(0, 0, 0x80),
      m_pushedTitleColor(0, 0, 0x80),
      m_editSurfaceColor(btnFaceColor())
{
}

void TStateStyles::changed()
{
    if (m_designer && m_designer->Grid())
        m_designer->Invalidate();
}

void TStateStyles::Assign(const TStateStyles &other)
{
    m_selectedTitleColor = other.m_selectedTitleColor;
    m_selectedTitleStyle = other.m_selectedTitleStyle;
    m_selectedSectColor = other.m_selectedSectColor;
    m_selectedSectStyle = other.m_selectedSectStyle;
    m_unFocusedColor = other.m_unFocusedColor;
    m_pushedTitleColor = other.m_pushedTitleColor;
    m_editSurfaceColor = other.m_editSurfaceColor;
    changed();
}

// ---- base designer ---------------------------------------------------------------------------

TGridDesigner::TGridDesigner(HostGrid *grid, const GridPlugInClass &cls)
    : TGridPlugIn(grid, cls), m_stateStyles(this)
{
}

const DesignerClass &TGridDesigner::staticClass()
{
    static const DesignerClass cls = [] {
        DesignerClass c;
        c.className = QStringLiteral("TGridDesigner");
        c.create = [](HostGrid *grid) { return std::make_unique<TGridDesigner>(grid); };
        return c;
    }();
    return cls;
}

void TGridDesigner::Paint(const TGridPaintInfo &info)
{
    if (!info.canvas || !Grid())
        return;
    QPainter &p = *info.canvas;
    const QRect client = Grid()->clientRect().toQRect();
    p.fillRect(client, info.background);
    QFont font = Grid()->font();
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x80, 0, 0));
    p.drawText(client, Qt::AlignCenter,
               QStringLiteral("It's Designer by default!\nPlease specify Designer.Name property !"));
}

void TGridDesigner::Invalidate()
{
    if (mayInvalidate())
        Grid()->invalidateRect(Grid()->clientRect());
}

void TGridDesigner::swapTo(const QString &newName)
{
    HostGrid &grid = *Grid();
    const DesignerClass *cls = GPGlobal() ? GPGlobal()->FindDesignerClass(newName) : nullptr;
    if (!cls)
        RaiseGridPlugInError(Msg(65008, newName), designerClassName(), QStringLiteral("SetName"));
    std::unique_ptr<TGridDesigner> fresh = cls->create(&grid);
    fresh->TakeOverFrom(*this);
    TGridDesigner *now = fresh.get();
    std::unique_ptr<TGridDesigner> old = grid.replaceDesigner(std::move(fresh));
    recomputeLayout(grid);
    now->Invalidate();
    // `old` is this plug-in: nothing of it is touched after it goes.
    old->BeforeReplace();
    old.reset();
}

// ---- base visio ------------------------------------------------------------------------------

TSectionVisio::TSectionVisio(GridSection &section, const GridPlugInClass &cls)
    : TGridPlugIn(&section.column().grid(), cls), m_section(section)
{
}

const VisioClass &TSectionVisio::staticClass()
{
    static const VisioClass cls = [] {
        VisioClass c;
        c.className = QStringLiteral("TSectionVisio");
        c.create = [](GridSection &s) { return std::make_unique<TSectionVisio>(s); };
        return c;
    }();
    return cls;
}

void TSectionVisio::Invalidate()
{
    if (!mayInvalidate())
        return;
    HostGrid &grid = *Grid();
    const int gridCol = gridColumnOf(grid, m_section.column().index());
    if (gridCol < 0)
        return;
    const int left = gridColumnLeft(grid, gridCol);
    grid.invalidateRect({left, 0, left + m_section.column().width, grid.clientRect().bottom});
}

void TSectionVisio::swapTo(const QString &newName)
{
    GridSection &section = m_section;
    HostGrid &grid = *Grid();
    const VisioClass *cls = GPGlobal() ? GPGlobal()->FindVisioClass(newName) : nullptr;
    if (!cls)
        RaiseGridPlugInError(Msg(65008, newName), designerClassName(), QStringLiteral("SetName"));
    std::unique_ptr<TSectionVisio> fresh = cls->create(section);
    fresh->TakeOverFrom(*this);
    TSectionVisio *now = fresh.get();
    std::unique_ptr<TSectionVisio> old = section.replaceVisio(std::move(fresh));
    recomputeLayout(grid);
    now->Invalidate();
    old->BeforeReplace();
    old.reset();
}

// ---- geometry --------------------------------------------------------------------------------

int gridColumnOf(const HostGrid &grid, int dataCol)
{
    if (dataCol < grid.fixedCols())
        return dataCol;
    if (dataCol < grid.leftCol())
        return -1;
    return dataCol - grid.leftCol() + grid.fixedCols();
}

int dataColumnOf(const HostGrid &grid, int gridCol)
{
    if (gridCol < grid.fixedCols())
        return gridCol;
    return gridCol - grid.fixedCols() + grid.leftCol();
}

int fixedAreaWidth(const HostGrid &grid)
{
    int width = 0;
    for (int c = 0; c < grid.fixedCols() && c < grid.columnCount(); ++c)
        width += grid.column(c).width;
    return width;
}

int gridColumnLeft(const HostGrid &grid, int gridCol)
{
    int x = 0;
    for (int g = 0; g < gridCol; ++g)
        x += grid.column(dataColumnOf(grid, g)).width;
    return x;
}

GridRect sectionRect(const GridRect &area, int kind, int index, int widthShare, int heightShare)
{
    GridRect r = area;
    if (kind == 0)
        return r;
    if (widthShare != 100) {
        const int width = r.width();
        const bool left = index == 0 || (index == 2 && (kind == 5 || kind == 6))
                          || (index == 3 && kind == 1);
        if (left)
            r.right -= width * (100 - widthShare) / 100 + 1;
        else
            r.left = r.right - width * widthShare / 100;
    }
    if (heightShare != 100) {
        const int height = r.height();
        const bool upper = index == 0 || (index == 1 && (kind == 1 || kind == 4 || kind == 7));
        if (upper)
            r.bottom -= height * (100 - heightShare) / 100 + 1;
        else
            r.top = r.bottom - height * heightShare / 100;
    }
    return r;
}

GridRect shrink(const GridRect &rect, const Margins &m)
{
    return {rect.left + m.left, rect.top + m.top, rect.right - m.right, rect.bottom - m.bottom};
}

GridRect cellRect(const HostGrid &grid, int dataCol, int sectionIndex, int row)
{
    const int gridCol = gridColumnOf(grid, dataCol);
    if (gridCol < 0)
        return {};
    const GridColumn &column = grid.column(dataCol);
    const GridSection &section = column.section(sectionIndex);
    const int left = gridColumnLeft(grid, gridCol);
    const int top = (grid.layout.titleShown ? grid.layout.titleHeight : 0)
                    + row * grid.layout.sectionHeight;
    return sectionRect({left, top, left + column.width, top + grid.layout.sectionHeight},
                       column.kind, sectionIndex, section.widthShare, section.heightShare);
}

void recomputeLayout(HostGrid &grid)
{
    if (grid.isLoading() || !grid.designer())
        return;
    const Margins tm = grid.designer()->GetTitleMargins();
    const Margins sm = grid.designer()->GetSectionMargins();
    int title = 5;
    int section = 5;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const GridColumn &column = grid.column(c);
        for (int s = 0; s < column.sectionCount(); ++s) {
            const TSectionVisio *v = column.section(s).visio();
            title = std::max(title, v->GetTitleHeight() + tm.top + tm.bottom);
            section = std::max(section, v->GetSectionHeight() + sm.top + sm.bottom);
        }
    }
    if (title == grid.layout.titleHeight && section == grid.layout.sectionHeight)
        return;
    grid.layout.titleHeight = title;
    grid.layout.sectionHeight = section;
    grid.setRowHeights(title, section);
    grid.designer()->Invalidate();
}

void paintColumn(HostGrid &grid, QPainter &canvas, int dataCol, const GridRect &columnRect,
                 bool titles, int firstRow, int lastRow)
{
    if (!titles && !grid.cellsPaintable())
        return;
    const GridColumn &column = grid.column(dataCol);
    const TGridDesigner *designer = grid.designer();
    const Margins margins = !designer     ? Margins{}
                            : titles      ? designer->GetTitleMargins()
                                          : designer->GetSectionMargins();
    for (int s = 0; s < column.sectionCount(); ++s) {
        GridSection &section = column.section(s);
        canvas.setBrush(Qt::NoBrush);
        const GridRect rect = shrink(sectionRect(columnRect, column.kind, s, section.widthShare,
                                                 section.heightShare),
                                     margins);
        if (titles)
            section.visio()->PaintTitle(canvas, rect);
        else
            section.visio()->PaintSection(canvas, rect, firstRow, lastRow);
    }
}

} // namespace tarix::grid
