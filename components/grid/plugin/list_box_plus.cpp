#include "components/grid/plugin/list_box_plus.h"

#include "platform/errors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace tarix::grid {

TListBoxPlus::TListBoxPlus(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) { scrollTo(value); });
    refilter();
}

int TListBoxPlus::rowHeight() const
{
    return fontMetrics().height() + 2;
}

int TListBoxPlus::pageRows() const
{
    return std::max(1, height() / std::max(1, rowHeight()));
}

QSize TListBoxPlus::sizeHint() const
{
    int width = 0;
    for (int w : m_colWidths)
        width += w;
    return {width + m_scrollBar->sizeHint().width(), rowHeight() * 7};
}

void TListBoxPlus::setRowCount(int count)
{
    m_rowCount = std::max(0, count);
    m_selected = -1;
    m_first = 0;
    refilter();
}

void TListBoxPlus::setColCount(int count)
{
    m_colWidths.resize(std::max(1, count), 64);
    stretch();
    update();
}

void TListBoxPlus::setColWidth(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    m_colWidths[col] = width;
    stretch();
    update();
}

void TListBoxPlus::refilter()
{
    m_visible.clear();
    for (int row = 0; row < m_rowCount; ++row) {
        bool inList = true;
        if (OnFilterRow)
            OnFilterRow(*this, row, inList);
        if (inList)
            m_visible << row;
    }
    m_first = std::clamp(m_first, 0, std::max(0, visibleRowCount() - pageRows()));
    updateScrollBar();
    update();
}

void TListBoxPlus::selectRow(int row)
{
    if (row >= m_rowCount || m_rowCount == 0)
        throw EMyError(QStringLiteral("Row index is out of range"));
    m_selected = row < 0 ? -1 : row;
    const int position = int(m_visible.indexOf(m_selected));
    if (position >= 0) {
        if (position < m_first)
            scrollTo(position);
        else if (position >= m_first + pageRows())
            scrollTo(position - pageRows() + 1);
    }
    updateScrollBar();
    update();
    if (OnSelectRow)
        OnSelectRow(*this, m_selected);
}

void TListBoxPlus::scrollTo(int first)
{
    first = std::clamp(first, 0, std::max(0, visibleRowCount() - pageRows()));
    if (first == m_first)
        return;
    m_first = first;
    updateScrollBar();
    update();
}

void TListBoxPlus::updateScrollBar()
{
    const QSignalBlocker block(m_scrollBar);
    m_scrollBar->setRange(0, std::max(0, visibleRowCount() - pageRows()));
    m_scrollBar->setPageStep(pageRows());
    m_scrollBar->setValue(m_first);
    m_scrollBar->setVisible(visibleRowCount() > pageRows());
}

void TListBoxPlus::setImages(const QList<QPixmap> &images)
{
    m_images = images;
    update();
}

void TListBoxPlus::setStretchLastCol(bool value)
{
    m_stretchLastCol = value;
    stretch();
    update();
}

void TListBoxPlus::setLinesType(LinesType value)
{
    m_linesType = value;
    update();
}

void TListBoxPlus::stretch()
{
    if (!m_stretchLastCol || m_colWidths.isEmpty())
        return;
    int others = 0;
    for (int c = 0; c + 1 < ColCount(); ++c)
        others += m_colWidths[c];
    const int client = width() - (m_scrollBar->isVisible() ? m_scrollBar->width() : 0);
    m_colWidths.last() = std::max(0, client - others);
}

void TListBoxPlus::resizeEvent(QResizeEvent *)
{
    const int w = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - w, 0, w, height());
    updateScrollBar();
    stretch();
}

void TListBoxPlus::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const int h = rowHeight();
    const bool vert = m_linesType == LinesType::ltBoth || m_linesType == LinesType::ltVert;
    const bool horiz = m_linesType == LinesType::ltBoth || m_linesType == LinesType::ltHorz;
    for (int pos = m_first, y = 0; pos < visibleRowCount() && y < height(); ++pos, y += h) {
        const int row = m_visible[pos];
        const bool selected = row == m_selected;
        int x = 0;
        for (int col = 0; col < ColCount(); ++col) {
            const QRect cell(x, y, m_colWidths[col], h);
            x += m_colWidths[col];
            p.fillRect(cell, selected ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
            ColumnType type = ColumnType::ctText;
            if (OnGetColumnType)
                OnGetColumnType(*this, col, type);
            if (type == ColumnType::ctImage) {
                int index = -1;
                if (OnGetImageIndex)
                    OnGetImageIndex(*this, col, row, index);
                if (index >= 0 && index < m_images.size()) {
                    const QPixmap &image = m_images[index];
                    p.drawPixmap(cell.x() + (cell.width() - image.width()) / 2,
                                 cell.y() + (cell.height() - image.height()) / 2, image);
                }
            } else {
                QString text;
                QFont font = this->font();
                Qt::Alignment alignment = Qt::AlignLeft;
                if (OnGetText)
                    OnGetText(*this, col, row, text, font, alignment);
                p.setFont(font);
                p.setPen(selected ? palette().color(QPalette::HighlightedText)
                                  : palette().color(QPalette::Text));
                p.drawText(cell.adjusted(2, 0, -2, 0), int(alignment | Qt::AlignVCenter), text);
            }
            p.setPen(palette().color(QPalette::Mid));
            if (vert)
                p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
            if (horiz)
                p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        }
    }
}

void TListBoxPlus::moveSelection(int positions)
{
    if (visibleRowCount() == 0)
        return;
    const int current = int(m_visible.indexOf(m_selected));
    const int target = std::clamp(current < 0 ? (positions > 0 ? 0 : visibleRowCount() - 1)
                                              : current + positions,
                                  0, visibleRowCount() - 1);
    selectRow(m_visible[target]);
}

void TListBoxPlus::mousePressEvent(QMouseEvent *event)
{
    const int position = m_first + int(event->position().y()) / std::max(1, rowHeight());
    if (event->button() == Qt::LeftButton && position < visibleRowCount())
        selectRow(m_visible[position]);
}

void TListBoxPlus::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Down: moveSelection(1); break;
    case Qt::Key_Up: moveSelection(-1); break;
    case Qt::Key_PageDown: moveSelection(pageRows()); break;
    case Qt::Key_PageUp: moveSelection(-pageRows()); break;
    case Qt::Key_Home: moveSelection(-visibleRowCount()); break;
    case Qt::Key_End: moveSelection(visibleRowCount()); break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TListBoxPlus::wheelEvent(QWheelEvent *event)
{
    scrollTo(m_first - event->angleDelta().y() / 120);
    event->accept();
}

} // namespace tarix::grid
