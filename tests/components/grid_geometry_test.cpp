// The geometry the plug-ins share: image placement, section rectangles, the column mapping
// and the row heights computed from the visios and the designer's margins.
#include "components/grid/plugin/dbgpaint.h"
#include "components/grid/plugin/grid_suite.h"
#include "components/grid/plugin/suite_standard.h"
#include "components/test_host_grid.h"

#include <gtest/gtest.h>
#include <ostream>

namespace tarix::grid {

void PrintTo(const GridRect &r, std::ostream *os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace testing {
namespace {

TEST(ImageLayoutTest, EachLayoutPlacesTheImageAndLeavesTheRestForTheText)
{
    // A 20 x 10 image in a 100 x 40 cell: W = 21, H = 11, centred at x 49, y 34.
    const struct {
        ImageLayout layout;
        GridRect image;
        GridRect rest;
    } cases[] = {
        {ImageLayout::ilLeft, {10, 34, 30, 44}, {32, 20, 110, 60}},
        {ImageLayout::ilLeftTop, {10, 20, 30, 30}, {10, 32, 110, 60}},
        {ImageLayout::ilTop, {49, 20, 69, 30}, {10, 32, 110, 60}},
        {ImageLayout::ilRightTop, {89, 20, 109, 30}, {10, 32, 110, 60}},
        {ImageLayout::ilRight, {89, 34, 109, 44}, {10, 20, 88, 60}},
        {ImageLayout::ilRightBottom, {89, 49, 109, 59}, {10, 20, 110, 48}},
        {ImageLayout::ilBottom, {49, 49, 69, 59}, {10, 20, 110, 48}},
        {ImageLayout::ilLeftBottom, {10, 49, 30, 59}, {10, 20, 110, 48}},
        {ImageLayout::ilCenter, {49, 34, 69, 44}, {10, 20, 110, 60}},
    };
    for (const auto &c : cases) {
        GridRect cell{10, 20, 110, 60};
        EXPECT_EQ(placeImage(c.layout, cell, QSize(20, 10)), c.image) << int(c.layout);
        EXPECT_EQ(cell, c.rest) << int(c.layout);
    }
}

TEST(ImageLayoutTest, AnImageLargerThanTheCellIsClippedBeforeItIsPlaced)
{
    GridRect wide{10, 20, 110, 60};
    EXPECT_EQ(placeImage(ImageLayout::ilLeft, wide, QSize(300, 5)), (GridRect{10, 37, 110, 42}));
    EXPECT_EQ(wide.left, 112);

    GridRect tall{10, 20, 110, 60};
    EXPECT_EQ(placeImage(ImageLayout::ilTop, tall, QSize(30, 80)), (GridRect{44, 20, 74, 60}));
    EXPECT_EQ(tall.top, 62);
}

TEST(DrawAttrTest, TheFontFollowsTheParentUntilItsOwnIsSet)
{
    QFont parent("Liberation Sans", 9);
    TDrawAttr attr([&] { return parent; });
    int changes = 0;
    int fontChanges = 0;
    attr.onChanged = [&] { ++changes; };
    attr.onFontChanged = [&] { ++fontChanges; };
    EXPECT_TRUE(attr.parentFont());
    EXPECT_EQ(attr.font(), parent);
    EXPECT_EQ(attr.textLayout(), TextLayout::tlCenter);
    EXPECT_EQ(attr.imageLayout(), ImageLayout::ilLeft);

    attr.setTextLayout(TextLayout::tlCenter); // the same value: no notice
    EXPECT_EQ(changes, 0);
    QFont own("Liberation Serif", 12);
    attr.setFont(own);
    EXPECT_FALSE(attr.parentFont());
    EXPECT_EQ(fontChanges, 1);

    parent.setPointSize(11);
    attr.setParentFont(true);
    EXPECT_EQ(attr.font(), parent);
    EXPECT_EQ(fontChanges, 2);

    TDrawAttr other;
    other.setTextAlignment(TextAlignment::taRightJustify);
    other.setTextLayout(TextLayout::tlBottom);
    other.setImageLayout(ImageLayout::ilCenter);
    other.setFont(own);
    attr.Assign(other);
    EXPECT_EQ(attr.textAlignment(), TextAlignment::taRightJustify);
    EXPECT_EQ(attr.textLayout(), TextLayout::tlBottom);
    EXPECT_EQ(attr.imageLayout(), ImageLayout::ilCenter);
    EXPECT_FALSE(attr.parentFont());
    EXPECT_EQ(attr.font(), own);
}

TEST(SectionRectTest, KindsIndexesAndSharesGiveTheirPartOfTheColumn)
{
    const GridRect area{0, 0, 100, 40};
    const struct {
        int kind, index, widthShare, heightShare;
        GridRect expected;
    } cases[] = {
        {0, 1, 50, 50, {0, 0, 100, 40}},   // kind 0: the whole column whatever the shares
        {1, 0, 50, 100, {0, 0, 49, 40}},   // index 0 keeps the left part, one pixel apart
        {1, 1, 50, 50, {50, 0, 100, 19}},  // right part; kind 1 index 1 the upper part
        {1, 3, 30, 50, {0, 20, 29, 40}},   // kind 1 index 3 left; lower part
        {5, 2, 25, 100, {0, 0, 24, 40}},   // kinds 5 and 6 keep index 2 left
        {6, 2, 25, 100, {0, 0, 24, 40}},
        {2, 2, 25, 100, {75, 0, 100, 40}}, // other kinds: index 2 right
        {4, 1, 100, 25, {0, 0, 100, 9}},   // kinds 4 and 7: index 1 upper
        {7, 1, 100, 25, {0, 0, 100, 9}},
        {3, 1, 100, 25, {0, 30, 100, 40}}, // kind 3: index 1 lower
        {1, 0, 33, 33, {0, 0, 32, 13}},    // divisions truncate
        {2, 0, 100, 100, {0, 0, 100, 40}}, // full shares: the whole column
    };
    for (const auto &c : cases)
        EXPECT_EQ(sectionRect(area, c.kind, c.index, c.widthShare, c.heightShare), c.expected)
            << "kind " << c.kind << " index " << c.index;
    EXPECT_EQ(sectionRect({10, 5, 110, 45}, 2, 1, 33, 100), (GridRect{77, 5, 110, 45}));
}

TEST(GridGeometryTest, DataColumnsMapToGridColumnsPastTheFixedOnes)
{
    TestHostGrid grid;
    for (int w : {30, 40, 50, 60, 70})
        grid.addColumn(w);
    grid.fixed = 1;
    grid.left = 3;
    EXPECT_EQ(gridColumnOf(grid, 0), 0);
    EXPECT_EQ(gridColumnOf(grid, 1), -1); // scrolled out on the left
    EXPECT_EQ(gridColumnOf(grid, 3), 1);
    EXPECT_EQ(gridColumnOf(grid, 4), 2);
    EXPECT_EQ(dataColumnOf(grid, 0), 0);
    EXPECT_EQ(dataColumnOf(grid, 2), 4);
    EXPECT_EQ(fixedAreaWidth(grid), 30);
    EXPECT_EQ(gridColumnLeft(grid, 2), 30 + 60);
}

TEST(GridGeometryTest, RowHeightsComeFromTheVisiosAndMarginsAndNeverGoBelowFive)
{
    GridSuite suite;
    TestHostGrid grid;
    grid.addColumn().addSection();
    recomputeLayout(grid);
    EXPECT_EQ(grid.calls, QStringList({"rowHeights 5 5", "invalidate (0,0,300,200)"}));

    grid.calls.clear();
    recomputeLayout(grid); // nothing changed
    EXPECT_TRUE(grid.calls.isEmpty());

    grid.replaceDesigner(std::make_unique<TStandardDesigner>(&grid));
    grid.loading = true;
    recomputeLayout(grid);
    EXPECT_TRUE(grid.calls.isEmpty());
    grid.loading = false;
    recomputeLayout(grid);
    EXPECT_EQ(grid.layout.titleHeight, 5 + 1 + 2);
    EXPECT_EQ(grid.layout.sectionHeight, 5 + 1 + 1);
}

} // namespace
} // namespace testing
} // namespace tarix::grid
