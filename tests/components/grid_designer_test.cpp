// The designers: the standard designer's settings, the off-screen passes, and the row
// scrolling decided against a recording host grid.
#include "components/grid/plugin/grid_suite.h"
#include "components/grid/plugin/suite_standard.h"
#include "core/helpers/messages.h"
#include "components/test_host_grid.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace tarix::grid::testing {
namespace {

class GridDesignerTest : public ::testing::Test {
protected:
    GridSuite suite;
    TestHostGrid grid;

    TStandardDesigner &standard()
    {
        if (!dynamic_cast<TStandardDesigner *>(grid.designer()))
            grid.replaceDesigner(std::make_unique<TStandardDesigner>(&grid));
        return static_cast<TStandardDesigner &>(*grid.designer());
    }
};

TEST_F(GridDesignerTest, ColumnsMarginOutsideZeroToThreeIsRefusedAndKept)
{
    TStandardDesigner &d = standard();
    for (int bad : {4, -1}) {
        try {
            d.setColumnsMargin(bad);
            ADD_FAILURE() << bad << ": no exception";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(65009));
        }
        EXPECT_EQ(d.ColumnsMargin(), 2);
    }
    EXPECT_EQ(Msg(65009), "Invalid column margin. Correct value must be in 0..3 range.");
    d.setColumnsMargin(3);
    EXPECT_EQ(d.GetTitleMargins(), (Margins{0, 1, 2, 4}));
    EXPECT_EQ(d.GetSectionMargins(), (Margins{0, 1, 1, 4}));
    EXPECT_EQ(grid.calls, QStringList({"invalidate (0,0,300,200)"}));
}

TEST_F(GridDesignerTest, OptionsDropSimpleTitleAndKeepABackgroundWithoutHorizontalLines)
{
    TStandardDesigner &d = standard();
    const TDesignerOptions some = dgTitleSeparator | dgVertLines | dgHorizLines;
    d.setOptions(some | dgSimpleTitle);
    EXPECT_EQ(d.Options(), some);

    d.setOptions(dgVertLines);
    EXPECT_EQ(d.Options(), dgVertLines | dgHorizBackground);
    EXPECT_EQ(d.GetSectionMargins(), (Margins{0, 0, 0, 3}));
    EXPECT_EQ(d.AStyle(), "...");
}

TEST_F(GridDesignerTest, OnlyAChangeOfTheHorizontalLinesRecomputesTheRowHeights)
{
    TStandardDesigner &d = standard();
    grid.addColumn().addSection();
    recomputeLayout(grid);
    grid.calls.clear();

    d.setOptions(d.Options() | dgRowSelect);
    EXPECT_EQ(grid.calls, QStringList({"invalidate (0,0,300,200)"}));

    grid.calls.clear();
    d.setOptions(d.Options() & ~TDesignerOptions(dgDoubleHorizLines));
    EXPECT_EQ(grid.calls.first(), "rowHeights 8 6");
}

TEST_F(GridDesignerTest, TheScrollModeFollowsTheOuterLines)
{
    const struct {
        TDesignerOptions options;
        QColor bound;
        int mode;
    } cases[] = {
        {dgBoundLines | dgHorizLines, Qt::black, 1}, // outer lines like the inner ones
        {dgBoundLines | dgHorizLines, Qt::red, 0},
        {dgBoundLines, Qt::black, 0},
        {dgHorizLines, Qt::red, 1},
        {{}, Qt::red, 1},
    };
    for (const auto &c : cases) {
        TStandardDesigner d(nullptr);
        d.setOptions(c.options);
        d.setBoundLines(c.bound);
        EXPECT_EQ(d.scrollMode(), c.mode) << c.options.toInt() << " " << c.bound.name().toStdString();
    }
    EXPECT_EQ(TStandardDesigner(nullptr).scrollMode(), 1);
}

TEST_F(GridDesignerTest, ScrollRowsMovesTheWindowOnlyWithEnoughRows)
{
    // Titles 20 high, rows 18, client 300 x 200, cells end at x 280.
    const QString all = "invalidate (0,0,280,200)";
    const struct {
        int mode, rows, distance, row;
        bool window;
        QStringList calls;
    } cases[] = {
        {0, 5, 1, 3, true,
         {"invalidate (0,20,300,38)", "update", "scroll (0,56,280,182) by -18",
          "invalidate (0,164,280,200)", "update", "invalidate (0,56,300,74)"}},
        {0, 5, -1, 1, true,
         {"invalidate (0,92,300,110)", "update", "scroll (0,38,280,164) by 18",
          "invalidate (0,20,280,56)", "update", "invalidate (0,56,300,74)"}},
        {0, 5, 1, 3, false,
         {"update", "scroll (0,56,280,182) by -18", "invalidate (0,164,280,200)", "update"}},
        {0, 4, 1, 3, true, {all, "update"}},
        {1, 3, 1, 0, true,
         {"scroll (0,38,280,182) by -18", "invalidate (0,164,280,200)", "update"}},
        {1, 3, -1, 2, true,
         {"scroll (0,38,280,182) by 18", "invalidate (0,20,280,56)", "update"}},
        {1, 3, 1, 2, true,
         {"scroll (0,38,280,182) by -18", "invalidate (0,164,280,200)", "update",
          "invalidate (0,38,300,56)"}},
        {1, 2, 1, 1, true, {all, "update"}},
        {1, 10, 2, 5, true, {all, "update"}},
        {0, 10, 0, 5, true, {all, "update"}},
    };
    TStandardDesigner &d = standard();
    grid.layout = {20, 18, 0, true};
    for (const auto &c : cases) {
        d.setBoundLines(c.mode == 0 ? Qt::red : Qt::black);
        ASSERT_EQ(d.scrollMode(), c.mode);
        grid.rows = c.rows;
        grid.window = c.window;
        grid.calls.clear();
        d.ScrollRows(c.distance, c.row);
        EXPECT_EQ(grid.calls, c.calls) << "mode " << c.mode << " rows " << c.rows << " distance "
                                       << c.distance << "\n"
                                       << grid.calls.join('\n').toStdString();
    }
}

// Paints a red band at the top of each cell background and blue titles, so that the passes
// show in the image.
class BandDesigner : public TOSDesigner {
public:
    explicit BandDesigner(HostGrid *grid) : TOSDesigner(grid, TGridDesigner::staticClass()) {}
    QList<int> backgroundRows;

protected:
    void PaintCellBackground(int dataColumn, int row, QPoint origin) override
    {
        backgroundRows << row;
        canvas().fillRect(origin.x(), origin.y(), Grid()->column(dataColumn).width, 2, Qt::red);
    }
    void PaintBackgrounds() override {}
    void PaintTitles() override
    {
        canvas().fillRect(originX(), 0, 1000, Grid()->layout.titleHeight, Qt::blue);
    }
};

class OffScreenPaintTest : public GridDesignerTest {
protected:
    OffScreenPaintTest()
    {
        grid.addColumn(40).addSection();
        grid.addColumn(60).addSection();
        grid.layout = {20, 10, 0, true};
        grid.replaceDesigner(std::make_unique<BandDesigner>(&grid));
    }
    BandDesigner &designer() { return static_cast<BandDesigner &>(*grid.designer()); }

    // Paints rows first..last of both columns with `flags` into a white 100 x 60 image.
    QImage paint(int first, int last, int flags, int firstCol = 0)
    {
        QImage image(100, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        TGridPaintInfo info;
        info.canvas = &p;
        info.rect = {0, 0, 100, 60};
        info.background = Qt::white;
        info.firstCol = firstCol;
        info.lastCol = 1;
        info.firstRow = first;
        info.lastRow = last;
        info.flags = flags;
        designer().Paint(info);
        return image;
    }
    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }
};

TEST_F(OffScreenPaintTest, EveryRowOfARequestCarriesTheFirstRowsBackground)
{
    const QImage image = paint(2, 4, TGridPaintInfo::kTitles | TGridPaintInfo::kCells);
    EXPECT_EQ(designer().backgroundRows, QList<int>({2, 2})); // one cell per column, first row only
    EXPECT_EQ(at(image, 50, 5), QColor(Qt::blue));
    for (int y : {20, 30, 40})
        EXPECT_EQ(at(image, 90, y), QColor(Qt::red)) << y;
    EXPECT_EQ(at(image, 90, 25), QColor(Qt::white));
    EXPECT_EQ(at(image, 90, 50), QColor(Qt::white)); // past the request's rows
}

TEST_F(OffScreenPaintTest, AOneRowRequestMakesNoCopy)
{
    const QImage image = paint(3, 3, TGridPaintInfo::kTitles | TGridPaintInfo::kCells);
    EXPECT_EQ(at(image, 10, 20), QColor(Qt::red));
    EXPECT_EQ(at(image, 10, 30), QColor(Qt::white));
}

TEST_F(OffScreenPaintTest, TheFlagsChooseTitlesAndCells)
{
    const QImage cells = paint(0, 1, TGridPaintInfo::kCells);
    EXPECT_EQ(at(cells, 10, 0), QColor(Qt::red)); // no title offset
    EXPECT_EQ(at(cells, 10, 10), QColor(Qt::red));
    EXPECT_EQ(at(cells, 10, 5), QColor(Qt::white));

    designer().backgroundRows.clear();
    const QImage titles = paint(0, 1, TGridPaintInfo::kTitles);
    EXPECT_EQ(at(titles, 10, 5), QColor(Qt::blue));
    EXPECT_EQ(at(titles, 10, 20), QColor(Qt::white));
    EXPECT_TRUE(designer().backgroundRows.isEmpty());
}

TEST_F(OffScreenPaintTest, ARequestFromALaterColumnStartsAtTheImagesLeft)
{
    const QImage image = paint(0, 0, TGridPaintInfo::kCells, 1);
    EXPECT_EQ(at(image, 0, 0), QColor(Qt::red));
    EXPECT_EQ(at(image, 59, 0), QColor(Qt::red));
    EXPECT_EQ(at(image, 60, 0), QColor(Qt::white)); // the second column is 60 wide
}

TEST_F(GridDesignerTest, TheStandardDesignerMarksTheCurrentRowAndTheBaseItsNotice)
{
    TStandardDesigner &d = standard();
    grid.addColumn(80).addSection();
    grid.addColumn(80).addSection();
    grid.layout = {20, 18, 0, true};
    grid.rows = 3;
    grid.curRow = 1;
    grid.curCol = 1;
    d.setOptions(d.Options() | dgRowSelect);

    QImage image(160, 80, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        TGridPaintInfo info{&p, {0, 0, 160, 80}, Qt::white, 0, 1, 0, 2,
                            TGridPaintInfo::kTitles | TGridPaintInfo::kCells};
        d.Paint(info);
    }
    EXPECT_EQ(image.pixelColor(40, 20 + 18 + 9), d.SelectedRow());  // the current row
    EXPECT_EQ(image.pixelColor(40, 20 + 9), QColor(Qt::white));      // another row
    EXPECT_EQ(image.pixelColor(40, 20), d.BoundLines());              // the top outer line
    EXPECT_EQ(image.pixelColor(40, 10), d.TitleColor());              // the title band
    EXPECT_EQ(image.pixelColor(81, 20 + 18 + 1), d.SelectedFrame());  // the current cell's frame

    // The base designer says that no designer was chosen.
    grid.replaceDesigner(std::make_unique<TGridDesigner>(&grid));
    QImage notice(300, 200, QImage::Format_ARGB32_Premultiplied);
    notice.fill(Qt::white);
    {
        QPainter p(&notice);
        TGridPaintInfo info{&p, {0, 0, 300, 200}, Qt::white, 0, 1, 0, 2, 3};
        grid.designer()->Paint(info);
    }
    int maroon = 0;
    for (int y = 0; y < notice.height(); ++y)
        for (int x = 0; x < notice.width(); ++x)
            maroon += notice.pixelColor(x, y).red() > 0x60 && notice.pixelColor(x, y).green() < 0x40 ? 1 : 0;
    EXPECT_GT(maroon, 20);
}

} // namespace
} // namespace tarix::grid::testing
