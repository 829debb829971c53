#include "components/grid/plugin/dsgn_classes.h"

namespace tarix::grid {

void TOSDesigner::Paint(const TGridPaintInfo &info)
{
    if (!Grid() || !info.canvas || info.rect.width() <= 0 || info.rect.height() <= 0)
        return;
    HostGrid &grid = *Grid();
    m_info = info;
    m_titleOffset = (info.flags & TGridPaintInfo::kTitles) ? grid.layout.titleHeight : 0;
    m_originX = gridColumnLeft(grid, info.firstCol);

    m_image = QImage(info.rect.width(), info.rect.height(), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(info.background);
    m_canvas.begin(&m_image);
    m_canvas.setBrush(info.background);
    struct Finish {
        TOSDesigner &d;
        ~Finish()
        {
            // Whatever the passes did, the image goes onto the grid and is let go.
            d.m_canvas.resetTransform();
            d.m_canvas.end();
            d.m_info.canvas->drawImage(d.m_info.rect.left, d.m_info.rect.top, d.m_image);
            d.m_image = QImage();
        }
    } finish{*this};

    PaintBackgrounds();
    m_canvas.setTransform(QTransform::fromTranslate(-m_originX, 0));
    if (info.flags & TGridPaintInfo::kTitles)
        PaintTitles();
    if (info.flags & TGridPaintInfo::kCells) {
        m_canvas.setTransform(QTransform::fromTranslate(-m_originX, m_titleOffset));
        PaintSections();
        const int h = grid.layout.sectionHeight;
        int x = m_originX;
        for (int g = info.firstCol; g <= info.lastCol; ++g) {
            const int dc = dataColumnOf(grid, g);
            if (dc < 0 || dc >= grid.columnCount())
                break;
            const int w = grid.column(dc).width;
            paintColumn(grid, m_canvas, dc, {x, 0, x + w, h}, false, info.firstRow, info.lastRow);
            x += w;
        }
    }
}

void TOSDesigner::PaintSections()
{
    HostGrid &grid = *Grid();
    QPoint origin(m_originX, 0);
    for (int g = m_info.firstCol; g <= m_info.lastCol; ++g) {
        const int dc = dataColumnOf(grid, g);
        if (dc < 0 || dc >= grid.columnCount())
            break;
        PaintCellBackground(dc, m_info.firstRow, origin);
        origin.rx() += grid.column(dc).width;
    }
    // Every further row of the request carries the same backgrounds and lines.
    const int h = grid.layout.sectionHeight;
    const int copies = m_info.lastRow - m_info.firstRow;
    if (copies <= 0 || h <= 0)
        return;
    const QImage band = m_image.copy(0, m_titleOffset, m_image.width(), h);
    for (int k = 1; k <= copies; ++k)
        m_canvas.drawImage(m_originX, k * h, band);
}

void TOSDesigner::invalidateDataRow(int row)
{
    HostGrid &grid = *Grid();
    if (!grid.windowExists())
        return;
    const int h = grid.layout.sectionHeight;
    const int t = grid.layout.titleShown ? grid.layout.titleHeight : 0;
    const GridRect client = grid.clientRect();
    grid.invalidateRect({0, t + row * h, client.width(), t + (row + 1) * h});
}

void TOSDesigner::ScrollRows(int distance, int row)
{
    if (!Grid())
        return;
    HostGrid &grid = *Grid();
    const int n = grid.dataRowCount();
    const int h = grid.layout.sectionHeight;
    const int t = grid.layout.titleShown ? grid.layout.titleHeight : 0;
    const int ch = grid.clientRect().height();
    const int w = grid.gridBoundary();
    const bool oneRow = distance == 1 || distance == -1;

    bool scrolled = false;
    if (m_scrollMode == 0 && n > 4 && oneRow) {
        // The outer lines differ from the inner ones: the first and last rows are repainted,
        // the rows between them move.
        if (distance == 1) {
            invalidateDataRow(0);
            grid.update();
            grid.scrollRect({0, t + 2 * h, w, ch - h}, -h);
            grid.invalidateRect({0, ch - 2 * h, w, ch});
        } else {
            invalidateDataRow(n - 1);
            grid.update();
            grid.scrollRect({0, t + h, w, ch - 2 * h}, h);
            grid.invalidateRect({0, t, w, t + 2 * h});
        }
        scrolled = true;
    } else if (m_scrollMode == 1 && n > 2 && oneRow) {
        grid.scrollRect({0, t + h, w, ch - h}, distance == 1 ? -h : h);
        grid.invalidateRect(distance == 1 ? GridRect{0, ch - 2 * h, w, ch} : GridRect{0, t, w, t + 2 * h});
        scrolled = true;
    }
    if (scrolled) {
        grid.update();
        const int previous = row - distance;
        if (previous >= 1 && previous <= n - 1)
            invalidateDataRow(previous);
        return;
    }
    grid.invalidateRect({0, 0, w, ch});
    grid.update();
}

} // namespace tarix::grid
