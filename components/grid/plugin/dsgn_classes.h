#pragma once
// TOSDesigner: a designer that paints every request into an off-screen image in fixed
// passes (backgrounds, titles, cell backgrounds and lines, the visios' cells) and copies it
// onto the grid, and that scrolls the grid's window by one row where it can instead of
// repainting it.
#include "components/grid/plugin/dbgp.h"

#include <QImage>
#include <QPainter>

namespace tarix::grid {

class TOSDesigner : public TGridDesigner {
public:
    using TGridDesigner::TGridDesigner;

    void Paint(const TGridPaintInfo &info) override;
    void ScrollRows(int distance, int row) override;

    // 1 when the first and last rows look like the others and may be moved by ScrollRows.
    int scrollMode() const { return m_scrollMode; }

protected:
    // The background and lines of one column's cell whose top-left corner is `origin` (in
    // the coordinates of PaintSections).
    virtual void PaintCellBackground(int dataColumn, int row, QPoint origin) = 0;
    // The first pass, in the image's own coordinates.
    virtual void PaintBackgrounds() = 0;
    // The cell rows' backgrounds and lines: the first row is painted, the others are copies
    // of it (y = 0 is the top of the request's first row).
    virtual void PaintSections();
    // The titles, when the request asks for them (cell-area coordinates).
    virtual void PaintTitles() = 0;

    QPainter &canvas() { return m_canvas; }
    const TGridPaintInfo &paintInfo() const { return m_info; }
    int originX() const { return m_originX; }
    int titleOffset() const { return m_titleOffset; }
    // The image's width and height.
    QSize imageSize() const { return m_image.size(); }

    int m_scrollMode = 0;

private:
    void invalidateDataRow(int row);

    int m_originX = 0;
    int m_titleOffset = 0;
    QImage m_image;
    QPainter m_canvas;
    TGridPaintInfo m_info;
};

} // namespace tarix::grid
