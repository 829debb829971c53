#pragma once
// TListBoxPlus: the list of the visios' drop-down form. Rows and columns whose texts and
// images its owner gives through events, rows left out by a filter event, one selected row,
// and a scroll bar of its own.
#include <QFont>
#include <QList>
#include <QPixmap>
#include <QWidget>

#include <functional>

class QScrollBar;

namespace tarix::grid {

enum class LinesType { ltBoth, ltVert, ltHorz, ltNone };
enum class ColumnType { ctText, ctImage };

class TListBoxPlus : public QWidget {
    Q_OBJECT
public:
    explicit TListBoxPlus(QWidget *parent = nullptr);

    int RowCount() const { return m_rowCount; }
    // Resets the selection to -1 and filters the rows again.
    void setRowCount(int count);
    int ColCount() const { return int(m_colWidths.size()); }
    void setColCount(int count);
    int colWidth(int col) const { return m_colWidths.value(col); }
    void setColWidth(int col, int width);
    int rowHeight() const;

    // -1: none. Raises EMyError "Row index is out of range" for a row of RowCount or more,
    // and for any row while the list has no rows; the selection then stays.
    int selectedRow() const { return m_selected; }
    void selectRow(int row);

    // The rows that pass the filter, in list order.
    int visibleRowCount() const { return int(m_visible.size()); }
    // The list row shown at visible position `position` (-1 past the end).
    int listRow(int position) const { return m_visible.value(position, -1); }
    int firstVisibleRow() const { return m_first; }
    // The rows the client area has room for.
    int pageRows() const;
    // Asks OnFilterRow again for every row.
    void refilter();

    const QList<QPixmap> &images() const { return m_images; }
    void setImages(const QList<QPixmap> &images);
    bool stretchLastCol() const { return m_stretchLastCol; }
    void setStretchLastCol(bool value);
    LinesType linesType() const { return m_linesType; }
    void setLinesType(LinesType value);
    QScrollBar *scrollBar() const { return m_scrollBar; }

    std::function<void(TListBoxPlus &, int col, ColumnType &type)> OnGetColumnType;
    std::function<void(TListBoxPlus &, int col, int row, int &imageIndex)> OnGetImageIndex;
    std::function<void(TListBoxPlus &, int col, int row, QString &text, QFont &font,
                       Qt::Alignment &alignment)>
        OnGetText;
    std::function<void(TListBoxPlus &, int row)> OnSelectRow;
    std::function<void(TListBoxPlus &, int row, bool &inList)> OnFilterRow;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void updateScrollBar();
    void stretch();
    void scrollTo(int first);
    void moveSelection(int positions);

    int m_rowCount = 5;
    QList<int> m_colWidths{64};
    QList<int> m_visible;
    int m_selected = -1;
    int m_first = 0;
    QList<QPixmap> m_images;
    bool m_stretchLastCol = false;
    LinesType m_linesType = LinesType::ltVert;
    QScrollBar *m_scrollBar = nullptr;
};

} // namespace tarix::grid
