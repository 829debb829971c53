#include "components/grid/plugin/suite_standard.h"

#include "core/helpers/messages.h"
#include "platform/db/dataset.h"

#include <QPainter>
#include <QPolygon>

namespace tarix::grid {

TStandardDesigner::TStandardDesigner(HostGrid *grid)
    : TOSDesigner(grid, staticClass()), m_titleColor(btnFaceColor()), m_fixedColor(btnFaceColor())
{
    updateScrollMode();
}

const DesignerClass &TStandardDesigner::staticClass()
{
    static const DesignerClass cls = [] {
        DesignerClass c;
        c.className = QStringLiteral("TStandardDesigner");
        c.name = QStringLiteral("Standard");
        c.suite = QStringLiteral("Standard");
        c.comment = QStringLiteral("The Standard designer for common applications.");
        c.version = QStringLiteral("1.3");
        c.create = [](HostGrid *grid) { return std::make_unique<TStandardDesigner>(grid); };
        return c;
    }();
    return cls;
}

Margins TStandardDesigner::GetTitleMargins() const
{
    return {0, 1, 2, m_columnsMargin + 1};
}

Margins TStandardDesigner::GetSectionMargins() const
{
    // A horizontal line along the top of each row, and one along its bottom when doubled.
    const bool horiz = m_options.testFlag(dgHorizLines);
    return {0, horiz ? 1 : 0, horiz && m_options.testFlag(dgDoubleHorizLines) ? 1 : 0,
            m_columnsMargin + 1};
}

void TStandardDesigner::setTitleOrFooter(QColor &slot, const QColor &value)
{
    slot = value;
    if (Grid())
        Invalidate();
}

void TStandardDesigner::setSection(QColor &slot, const QColor &value)
{
    slot = value;
    updateScrollMode();
    if (Grid())
        Invalidate();
}

void TStandardDesigner::updateScrollMode()
{
    // The first and last rows may move like the others only when their outer lines look
    // like the inner ones.
    const bool outerDiffer = m_options.testFlag(dgBoundLines)
                             && !(m_options.testFlag(dgHorizLines) && m_boundLines == m_horizLines);
    m_scrollMode = outerDiffer ? 0 : 1;
}

void TStandardDesigner::setOptions(TDesignerOptions options)
{
    options &= ~TDesignerOptions(dgSimpleTitle);
    if (options == m_options)
        return;
    if (!options.testFlag(dgHorizLines))
        options |= dgHorizBackground;
    const TDesignerOptions lines = dgHorizLines | dgDoubleHorizLines;
    const bool heightsChange = (options & lines) != (m_options & lines);
    m_options = options;
    updateScrollMode();
    if (!Grid())
        return;
    if (heightsChange)
        recomputeLayout(*Grid());
    Invalidate();
}

void TStandardDesigner::setColumnsMargin(int margin)
{
    if (margin < 0 || margin > 3)
        throw EMyError(Msg(65009));
    if (margin == m_columnsMargin)
        return;
    m_columnsMargin = margin;
    if (Grid())
        Invalidate();
}

void TStandardDesigner::Assign(const TStandardDesigner &other)
{
    StateStyles().Assign(other.StateStyles());
    m_titleColor = other.m_titleColor;
    m_titleLines = other.m_titleLines;
    m_titleSeparator = other.m_titleSeparator;
    m_fixedColor = other.m_fixedColor;
    m_selectedFrame = other.m_selectedFrame;
    m_selectedRow = other.m_selectedRow;
    m_vertLines = other.m_vertLines;
    m_horizLines = other.m_horizLines;
    m_marginLines = other.m_marginLines;
    m_cellSeparator = other.m_cellSeparator;
    m_boundLines = other.m_boundLines;
    m_footerColor = other.m_footerColor;
    m_footerLines = other.m_footerLines;
    m_footerSeparator = other.m_footerSeparator;
    m_options = other.m_options;
    m_columnsMargin = other.m_columnsMargin;
    updateScrollMode();
    if (Grid()) {
        recomputeLayout(*Grid());
        Invalidate();
    }
}

// ---- painting --------------------------------------------------------------------------------

namespace {

void hLine(QPainter &p, const QColor &c, int left, int right, int y)
{
    if (right <= left)
        return;
    p.setPen(c);
    p.drawLine(left, y, right - 1, y);
}

void vLine(QPainter &p, const QColor &c, int x, int top, int bottom)
{
    if (bottom <= top)
        return;
    p.setPen(c);
    p.drawLine(x, top, x, bottom - 1);
}

} // namespace

int TStandardDesigner::requestWidth() const
{
    const HostGrid &grid = *Grid();
    int width = 0;
    for (int g = paintInfo().firstCol; g <= paintInfo().lastCol; ++g) {
        const int dc = dataColumnOf(grid, g);
        if (dc < 0 || dc >= grid.columnCount())
            break;
        width += grid.column(dc).width;
    }
    return width;
}

void TStandardDesigner::separateSections(const GridColumn &column, const GridRect &rect,
                                         const QColor &colour)
{
    QPainter &p = canvas();
    for (int s = 0; s < column.sectionCount(); ++s) {
        const GridSection &section = column.section(s);
        const GridRect r = sectionRect(rect, column.kind, s, section.widthShare, section.heightShare);
        if (r.right < rect.right)
            vLine(p, colour, r.right, r.top, r.bottom);
        if (r.bottom < rect.bottom)
            hLine(p, colour, r.left, r.right, r.bottom);
    }
}

void TStandardDesigner::PaintBackgrounds()
{
    HostGrid &grid = *Grid();
    QPainter &p = canvas();
    const TGridPaintInfo &info = paintInfo();
    const int t = titleOffset();
    if (t > 0) {
        const QColor unFocused = StateStyles().UnFocusedColor();
        const QColor colour = !grid.hasFocus() && unFocused.isValid() ? unFocused : m_titleColor;
        p.fillRect(0, 0, imageSize().width(), t, colour);
    }
    int fixedWidth = 0;
    for (int g = info.firstCol; g <= info.lastCol; ++g) {
        const int dc = dataColumnOf(grid, g);
        if (dc < 0 || dc >= grid.columnCount() || dc >= grid.fixedCols())
            break;
        fixedWidth += grid.column(dc).width;
    }
    if (fixedWidth > 0)
        p.fillRect(0, t, fixedWidth, (info.lastRow - info.firstRow + 1) * grid.layout.sectionHeight,
                   m_fixedColor);
}

void TStandardDesigner::PaintTitles()
{
    HostGrid &grid = *Grid();
    QPainter &p = canvas();
    const TGridPaintInfo &info = paintInfo();
    const int t = grid.layout.titleHeight;
    int x = originX();
    for (int g = info.firstCol; g <= info.lastCol; ++g) {
        const int dc = dataColumnOf(grid, g);
        if (dc < 0 || dc >= grid.columnCount())
            break;
        const GridColumn &column = grid.column(dc);
        const GridRect rect{x, 0, x + column.width, t};
        hLine(p, m_titleLines, rect.left, rect.right, rect.bottom - 1);
        vLine(p, m_titleLines, rect.right - 1, rect.top, rect.bottom);
        if (m_options.testFlag(dg3DTitle)) {
            const GridRect inner{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
            hLine(p, Qt::white, inner.left, inner.right, inner.top);
            vLine(p, Qt::white, inner.left, inner.top, inner.bottom);
            hLine(p, QColor(0x80, 0x80, 0x80), inner.left, inner.right, inner.bottom - 1);
            vLine(p, QColor(0x80, 0x80, 0x80), inner.right - 1, inner.top, inner.bottom);
            separateSections(column, inner, m_titleLines);
        } else if (m_options.testFlag(dgTitleSeparator)) {
            separateSections(column, rect, m_titleSeparator);
        }
        if (m_options.testFlag(dgMarginLines))
            for (int m = 1; m <= m_columnsMargin; ++m)
                vLine(p, m_marginLines, rect.right - 1 - m, rect.top + 1, rect.bottom - 2);
        paintColumn(grid, p, dc, rect, true, 0, 0);
        x += column.width;
    }
}

void TStandardDesigner::PaintCellBackground(int dataColumn, int row, QPoint origin)
{
    HostGrid &grid = *Grid();
    QPainter &p = canvas();
    const GridColumn &column = grid.column(dataColumn);
    const int h = grid.layout.sectionHeight;
    const GridRect rect{origin.x(), origin.y(), origin.x() + column.width, origin.y() + h};
    const bool horiz = m_options.testFlag(dgHorizLines);
    const bool doubled = m_options.testFlag(dgDoubleHorizLines);

    if (m_options.testFlag(dgColourSections))
        for (int s = 0; s < column.sectionCount(); ++s) {
            const GridSection &section = column.section(s);
            if (section.color.isValid())
                p.fillRect(sectionRect(rect, column.kind, s, section.widthShare, section.heightShare)
                               .toQRect(),
                           section.color);
        }
    if (horiz) {
        hLine(p, m_horizLines, rect.left, rect.right, rect.top);
        if (doubled)
            hLine(p, m_horizLines, rect.left, rect.right, rect.bottom - 1);
    }
    if (m_options.testFlag(dgCellSeparator))
        separateSections(column, rect, m_cellSeparator);
    const bool last = dataColumn == grid.columnCount() - 1;
    if (m_options.testFlag(dgVertLines) || last) {
        const bool background = m_options.testFlag(dgHorizBackground);
        const int top = background ? rect.top : rect.top + 1;
        const int bottom = !background && doubled ? rect.bottom - 1 : rect.bottom;
        vLine(p, last ? m_boundLines : m_vertLines, rect.right - 1, top, bottom);
        if (m_columnsMargin > 0) {
            if (m_options.testFlag(dgMarginLines))
                for (int m = 1; m < m_columnsMargin; ++m)
                    vLine(p, m_marginLines, rect.right - 1 - m, top, bottom);
            vLine(p, last ? m_boundLines : m_vertLines, rect.right - 1 - m_columnsMargin, top, bottom);
        }
    }
}

void TStandardDesigner::PaintSections()
{
    TOSDesigner::PaintSections();
    HostGrid &grid = *Grid();
    QPainter &p = canvas();
    const TGridPaintInfo &info = paintInfo();
    const int h = grid.layout.sectionHeight;
    const int current = grid.currentRow();
    if (current >= info.firstRow && current <= info.lastRow) {
        const int y = (current - info.firstRow) * h;
        int x = originX();
        for (int g = info.firstCol; g <= info.lastCol; ++g) {
            const int dc = dataColumnOf(grid, g);
            if (dc < 0 || dc >= grid.columnCount())
                break;
            const GridColumn &column = grid.column(dc);
            const GridRect rowRect{x, y, x + column.width, y + h};
            for (int s = 0; s < column.sectionCount(); ++s) {
                const GridSection &section = column.section(s);
                const GridRect r = shrink(
                    sectionRect(rowRect, column.kind, s, section.widthShare, section.heightShare),
                    GetSectionMargins());
                if (m_options.testFlag(dgRowSelect) && m_selectedRow.isValid() && dc >= grid.fixedCols()
                    && !(m_options.testFlag(dgRowBackground) && section.color.isValid()))
                    p.fillRect(r.toQRect(), m_selectedRow);
                if (m_options.testFlag(dgSelectedFrame) && dc == grid.currentCol()
                    && s == grid.currentSection()) {
                    if (m_options.testFlag(dgFloodSelectedFrame))
                        p.fillRect(r.toQRect(), m_selectedFrame);
                    p.setPen(m_selectedFrame);
                    p.setBrush(Qt::NoBrush);
                    p.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
                }
            }
            x += column.width;
        }
    }
    QColor outer;
    if (m_options.testFlag(dgBoundLines))
        outer = m_boundLines;
    else if (m_options.testFlag(dgHorizLines))
        outer = m_horizLines;
    if (!outer.isValid())
        return;
    const int left = originX();
    const int right = left + requestWidth();
    if (info.firstRow == 0)
        hLine(p, outer, left, right, 0);
    if (info.lastRow == grid.dataRowCount() - 1) {
        int bottom = h * (info.lastRow - info.firstRow + 1);
        if (m_options.testFlag(dgDoubleHorizLines))
            bottom -= 1;
        hLine(p, outer, left, right, bottom);
    }
}

// ---- the standard visios ---------------------------------------------------------------------

const VisioClass &TStandardVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TStandardVisio>(
        "TStandardVisio", "Standard", "Standard Visios",
        "The Standard visio for common applications.", "1.1");
    return cls;
}

const VisioClass &TVLookupVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TVLookupVisio>(
        "TVLookupVisio", "V-Lookup", "Standard Visios",
        "Visio for lookup fields. Based on variant data type", "1.0");
    return cls;
}

const VisioClass &TIndicatorVisio::staticClass()
{
    static const VisioClass cls = makeVisioClass<TIndicatorVisio>(
        "TIndicatorVisio", "Indicator", "", "Indicator of the DataSet state.", "1.1");
    return cls;
}

} // namespace tarix::grid

namespace tarix::grid {

// ---- TStandardVisio --------------------------------------------------------------------------

TStandardVisio::TStandardVisio(GridSection &section) : TDropDownVisio(section, staticClass())
{
    initEditParams();
}

std::unique_ptr<TEditParams> TStandardVisio::CreateEditParams()
{
    return std::make_unique<TStandardEditParams>(*this);
}

void TStandardVisio::GetVisioData(int &imageIndex, QString &text, CellFont &)
{
    imageIndex = -1;
    text = visioField() ? visioField()->displayText() : QString();
}

void TStandardVisio::GetListInfo(ListInfo &info)
{
    info = {};
    int longest = 0;
    for (const QString &item : PickList)
        longest = std::max(longest, int(item.size()));
    info.widthChars = longest > 0 ? longest : 10;
}

void TStandardVisio::GetItem(int index, int &imageIndex, QString &text)
{
    imageIndex = -1;
    text = PickList.value(index);
}

int TStandardVisio::FindItem(const QString &text, bool exact)
{
    for (int i = 0; i < PickList.size(); ++i) {
        const bool hit = exact ? PickList.at(i).compare(text, Qt::CaseInsensitive) == 0
                               : PickList.at(i).contains(text, Qt::CaseInsensitive);
        if (hit)
            return i;
    }
    return -1;
}

bool TStandardVisio::postValue(bool canIgnore)
{
    QVariant value;
    if (m_selectedItem >= 0 && m_selectedItem < PickList.size())
        value = PickList.at(m_selectedItem);
    else if (editor().Text() != initialText())
        value = editor().Text();
    else
        return true; // nothing chosen or typed: nothing to write
    bool doPost = true;
    if (BeforePost)
        BeforePost(*this, value, canIgnore, doPost);
    if (!doPost)
        return true;
    return writeFieldText(value.toString());
}

// ---- TVLookupVisio ---------------------------------------------------------------------------

void TVLookupParams::setKeyField(const QString &name)
{
    m_keyField = name;
    m_visio.lookupChanged();
}

void TVLookupParams::setLookupField(const QString &name)
{
    m_lookupField = name;
    m_visio.lookupChanged();
}

void TVLookupParams::setImageField(const QString &name)
{
    m_imageField = name;
    m_visio.testImageField();
    m_visio.Invalidate();
}

TVLookupVisio::TVLookupVisio(GridSection &section)
    : TDropDownVisio(section, staticClass()), m_lookupParams(*this)
{
    initEditParams();
    m_lookupParams.m_link.OnActiveChanged = [this](TGPDataLink &) {
        if (isEditing())
            endEdit(true);
        lookupChanged();
    };
}

TVLookupVisio::~TVLookupVisio() = default;

std::unique_ptr<TEditParams> TVLookupVisio::CreateEditParams()
{
    return std::make_unique<TVLookupEditParams>(*this);
}

db::DataSet *TVLookupVisio::lookupDataSet() const
{
    return m_lookupParams.m_link.isActive() ? m_lookupParams.m_link.dataSet() : nullptr;
}

void TVLookupVisio::lookupChanged()
{
    bindField();
    testImageField();
    Invalidate();
}

void TVLookupVisio::testImageField()
{
    db::DataSet *ds = lookupDataSet();
    db::Field *image = ds && !m_lookupParams.m_imageField.isEmpty()
                           ? ds->findField(m_lookupParams.m_imageField)
                           : nullptr;
    m_imageFieldNumeric = image && isNumericType(image->type());
}

namespace {

// A key of `keyType` may stand for a field of `fieldType`: the same class or a descendant
// (small and auto-increment integers are integers).
bool keyFitsField(db::FieldType keyType, db::FieldType fieldType)
{
    if (keyType == fieldType)
        return true;
    return fieldType == db::FieldType::Integer
           && (keyType == db::FieldType::SmallInt || keyType == db::FieldType::AutoInc);
}

} // namespace

bool TVLookupVisio::IsFieldValid() const
{
    if (!TDropDownVisio::IsFieldValid())
        return false;
    db::DataSet *ds = lookupDataSet();
    if (!ds)
        return false;
    db::Field *key = ds->findField(m_lookupParams.m_keyField);
    db::Field *result = ds->findField(m_lookupParams.m_lookupField);
    return key && result && keyFitsField(key->type(), visioField()->type());
}

void TVLookupVisio::GetVisioData(int &imageIndex, QString &text, CellFont &)
{
    imageIndex = -1;
    db::DataSet *ds = lookupDataSet();
    const QString fields = usesImages()
                               ? m_lookupParams.m_lookupField + u';' + m_lookupParams.m_imageField
                               : m_lookupParams.m_lookupField;
    const QVariant answer = ds && visioField() && !visioField()->isNull()
                                ? ds->lookup(m_lookupParams.m_keyField, {visioField()->value()}, fields)
                                : QVariant();
    if (!answer.isValid() || (usesImages() && answer.toList().size() < 2)) {
        text = QStringLiteral("? <%1>").arg(visioField() ? visioField()->text() : QString());
        return;
    }
    if (usesImages()) {
        const QVariantList both = answer.toList();
        text = db::variantToString(both.at(0));
        imageIndex = both.at(1).isValid() ? both.at(1).toInt() : -1;
    } else {
        text = db::variantToString(answer);
    }
}

void TVLookupVisio::GetListInfo(ListInfo &info)
{
    info = {};
    info.images = usesImages();
    db::DataSet *ds = lookupDataSet();
    db::Field *result = ds ? ds->findField(m_lookupParams.m_lookupField) : nullptr;
    info.widthChars = result && result->size() > 0 ? std::min(result->size(), 40) : 10;
}

int TVLookupVisio::GetItemCount()
{
    db::DataSet *ds = lookupDataSet();
    return ds ? ds->recordCount() : 0;
}

void TVLookupVisio::GetItem(int index, int &imageIndex, QString &text)
{
    imageIndex = -1;
    text.clear();
    db::DataSet *ds = lookupDataSet();
    if (!ds || ds->isEmpty())
        return;
    ds->moveBy(index - (ds->recordNumber() - 1));
    text = ds->fieldByName(m_lookupParams.m_lookupField).displayText();
    if (usesImages()) {
        db::Field &image = ds->fieldByName(m_lookupParams.m_imageField);
        imageIndex = image.isNull() ? -1 : image.asInt();
    }
}

int TVLookupVisio::FindItem(const QString &text, bool exact)
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        int image = -1;
        QString item;
        GetItem(i, image, item);
        const bool hit = exact ? item.compare(text, Qt::CaseInsensitive) == 0
                               : item.contains(text, Qt::CaseInsensitive);
        if (hit)
            return i;
    }
    return -1;
}

QString TVLookupVisio::startText() const
{
    db::DataSet *ds = lookupDataSet();
    if (!ds || !visioField() || !ds->locate(m_lookupParams.m_keyField, {visioField()->value()}))
        return {};
    return ds->fieldByName(m_lookupParams.m_lookupField).displayText();
}

bool TVLookupVisio::DoActivate(int activationType, const QString &key)
{
    const bool goesOn = TDropDownVisio::DoActivate(activationType, key);
    db::DataSet *ds = lookupDataSet();
    if (ds && visioField() && ds->locate(m_lookupParams.m_keyField, {visioField()->value()})) {
        const int number = GetRecordNumber(ds);
        if (number != -1) {
            ds->locate(m_lookupParams.m_keyField, {visioField()->value()});
            setSelectedItem(number);
        }
    }
    return goesOn;
}

bool TVLookupVisio::postValue(bool)
{
    db::DataSet *ds = lookupDataSet();
    if (!ds || m_selectedItem < 0 || !visioField())
        return true; // nothing chosen: nothing to write
    ds->first();
    ds->moveBy(m_selectedItem);
    const QVariant key = ds->fieldByName(m_lookupParams.m_keyField).value();
    db::DataSet &own = visioField()->dataSet();
    if (!own.isEditing())
        own.edit();
    visioField()->setValue(key);
    return true;
}

// ---- TIndicatorVisio -------------------------------------------------------------------------

namespace {

// The indicator's marks: a triangle (browse), a caret bar (edit), a star (insert).
QPixmap indicatorBitmap(int kind)
{
    QImage img(10, 10, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    if (kind == 0)
        p.drawPolygon(QPolygon({QPoint(2, 1), QPoint(7, 5), QPoint(2, 9)}));
    else if (kind == 1)
        p.drawLine(5, 1, 5, 8);
    else {
        p.drawLine(1, 5, 9, 5);
        p.drawLine(5, 1, 5, 9);
        p.drawLine(2, 2, 8, 8);
        p.drawLine(8, 2, 2, 8);
    }
    p.end();
    return QPixmap::fromImage(img);
}

} // namespace

TIndicatorVisio::TIndicatorVisio(GridSection &section)
    : TSectionVisio(section, staticClass()),
      BrowseBitmap(indicatorBitmap(0)),
      EditBitmap(indicatorBitmap(1)),
      InsertBitmap(indicatorBitmap(2))
{
}

const QPixmap &TIndicatorVisio::stateBitmap() const
{
    const db::DataSet *ds = Grid()->dataSet();
    const db::DataSetState state = ds ? ds->state() : db::DataSetState::Inactive;
    if (state == db::DataSetState::Edit)
        return EditBitmap;
    if (state == db::DataSetState::Insert)
        return InsertBitmap;
    return BrowseBitmap;
}

void TIndicatorVisio::PaintSection(QPainter &canvas, const GridRect &rect, int firstRow, int lastRow)
{
    HostGrid &grid = *Grid();
    const GridRect inner = grid.designer() ? shrink(rect, grid.designer()->GetSectionMargins()) : rect;
    const int height = rect.height();
    for (int row = firstRow; row <= lastRow; ++row) {
        const int dy = (row - firstRow) * height;
        const QRect cell(inner.left, inner.top + dy, inner.width(), inner.height());
        if (!Flat) {
            canvas.save();
            canvas.setPen(Qt::white);
            canvas.drawLine(cell.topLeft(), cell.topRight());
            canvas.drawLine(cell.topLeft(), cell.bottomLeft());
            canvas.setPen(QColor(0x80, 0x80, 0x80));
            canvas.drawLine(cell.bottomLeft(), cell.bottomRight());
            canvas.drawLine(cell.topRight(), cell.bottomRight());
            canvas.restore();
        }
        if (row == grid.currentRow()) {
            const QPixmap &bitmap = stateBitmap();
            const QPoint at(cell.left() + (cell.width() - bitmap.width()) / 2,
                            cell.top() + (cell.height() - bitmap.height()) / 2);
            canvas.drawPixmap(at, bitmap);
        }
    }
}

void TIndicatorVisio::Assign(const TIndicatorVisio &other)
{
    BrowseBitmap = other.BrowseBitmap;
    EditBitmap = other.EditBitmap;
    InsertBitmap = other.InsertBitmap;
    Flat = other.Flat;
    Invalidate();
}

} // namespace tarix::grid
