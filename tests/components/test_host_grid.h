#pragma once
// A host grid for the plug-in suite's tests: the state a designer and its visios read is
// set by the test, and every request to the grid's window (invalidate, scroll, repaint,
// row heights, the editors' next cell, post, cancel and row moves) is recorded in order.
// Its dataset is the test's; post and cancel end the visio's editing as a grid does.
#include "components/grid/plugin/dbgp.h"

#include <QStringList>

namespace tarix::grid::testing {

class TestHostGrid : public HostGrid {
public:
    TestHostGrid() { replaceDesigner(std::make_unique<TGridDesigner>(this)); }
    ~TestHostGrid() override { releasePlugIns(); }

    QString displayName() const override { return QStringLiteral("Grid1"); }

    int fixed = 0;
    int left = 0;
    int curCol = 0;
    int curSection = 0;
    int curRow = 0;
    int rows = 10;
    bool updateLock = false;
    bool loading = false;
    bool focus = true;
    bool paintable = true;
    bool window = true;
    GridRect client{0, 0, 300, 200};
    int boundary = 280;

    int fixedCols() const override { return fixed; }
    int leftCol() const override { return left; }
    int currentCol() const override { return curCol; }
    int currentSection() const override { return curSection; }
    int currentRow() const override { return curRow; }
    int dataRowCount() const override { return rows; }
    bool inUpdateLock() const override { return updateLock; }
    bool isLoading() const override { return loading; }
    bool hasFocus() const override { return focus; }
    bool cellsPaintable() const override { return paintable; }
    GridRect clientRect() const override { return client; }
    int gridBoundary() const override { return boundary; }
    bool windowExists() const override { return window; }
    QColor color() const override { return Qt::white; }
    QWidget *widget() const override { return gridWidget; }
    QWidget *gridWidget = nullptr;
    QFont font() const override { return QFont(); }
    QFont titleFont() const override { return QFont(); }

    static QString text(const GridRect &r)
    {
        return QStringLiteral("(%1,%2,%3,%4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
    }
    void invalidateRect(const GridRect &r) override { calls << QStringLiteral("invalidate ") + text(r); }
    void scrollRect(const GridRect &r, int dy) override
    {
        calls << QStringLiteral("scroll %1 by %2").arg(text(r)).arg(dy);
    }
    void update() override { calls << QStringLiteral("update"); }
    void setRowHeights(int title, int section) override
    {
        calls << QStringLiteral("rowHeights %1 %2").arg(title).arg(section);
    }
    void nextCell() override { calls << QStringLiteral("nextCell"); }
    // A grid ends the visio's editing as asked.
    void post(TSectionVisio &visio) override
    {
        calls << QStringLiteral("post");
        visio.endEdit(true);
    }
    void cancel(TSectionVisio &visio) override
    {
        calls << QStringLiteral("cancel");
        visio.endEdit(false);
    }
    db::DataSet *dataSet() const override { return data; }
    bool canEdit() override { return editAllowed; }
    void selectColumn(int dataCol) override
    {
        calls << QStringLiteral("selectColumn %1").arg(dataCol);
        curCol = dataCol;
    }
    db::DataSet *data = nullptr;
    bool editAllowed = true;
    void moveRow(int direction) override { calls << QStringLiteral("moveRow %1").arg(direction); }

    QStringList calls;
};

} // namespace tarix::grid::testing
