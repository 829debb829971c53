// TExDBGrid: row selection by clicks, check boxes and keys (the marked rows in the table's
// order), the indicator width, column fitting, zebra colours, the hints, the empty grid,
// the keyboard rules and RefreshData, on a small table of five employees.
#include "components/grid/ex_db_grid.h"
#include "grid_fixture.h"

#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::grid;

namespace {

// Key order Code_emp 1..5; index "Zam.MENO" orders by name (E, D, C, B, A reversed).
const QString kDdl = QStringLiteral(R"(
CREATE TABLE Zam (
  Code_emp INTEGER NOT NULL,
  Surname VARCHAR(60),
  ZPS LOGICAL,
  Poznamka MEMO_TEXT,
  PRIMARY KEY (Code_emp)
);
CREATE INDEX "Zam.MENO" ON Zam (Surname);
INSERT INTO Zam VALUES (1, 'Eva', 0, NULL);
INSERT INTO Zam VALUES (2, 'Dana', 1, NULL);
INSERT INTO Zam VALUES (3, 'Cyril', 0, 'poznámka dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá');
INSERT INTO Zam VALUES (4, 'Bohuslav Maximilián Ferdinand Koniarek-Šťastný', 0, NULL);
INSERT INTO Zam VALUES (5, 'Adam', 0, NULL);
)");

class ExDbGrid : public test::ScriptedTest<> {
protected:
    db::TempInstallation inst;
    db::Table zam{&inst.session()};
    db::DataSource src{&zam};
    TExDBGrid grid;

    void SetUp() override
    {
        tarix::grid::testing::openEmployees(inst, zam, kDdl);
        tarix::grid::testing::showOverEmployees(grid, src, 400);
    }
    void TearDown() override
    {
        grid.setDataSource(nullptr);
        test::ScriptedTest<>::TearDown();
    }

    enum Where { Data, Indicator };
    struct Click {
        int row;
        Where where = Data;
        Qt::KeyboardModifiers mods = Qt::NoModifier;
    };

    void click(const Click &c)
    {
        QWidget *target = nullptr;
        QPoint p;
        if (c.where == Data) {
            target = grid.viewport();
            p = grid.visualRect(grid.gridModel()->index(c.row, 1)).center();
        } else {
            auto *header = static_cast<QHeaderView *>(grid.indicator());
            target = header->viewport();
            p = QPoint(header->width() / 2, header->sectionViewportPosition(c.row) + header->sectionSize(c.row) / 2);
        }
        QMouseEvent press(QEvent::MouseButtonPress, p, target->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                          c.mods);
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, target->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                            c.mods);
        QApplication::sendEvent(target, &release);
    }

    // Code_emp of the selected rows, in the order selectedRows gives them.
    QList<int> selectedCodes()
    {
        QList<int> codes;
        const db::Bookmark current = zam.bookmark();
        for (const db::Bookmark &b : grid.selectedRows()) {
            zam.gotoBookmark(b);
            codes << zam.fieldByName(QStringLiteral("Code_emp")).asInt();
        }
        zam.gotoBookmark(current);
        return codes;
    }

    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString &text = {})
    {
        test::pressKey(&grid, k, text, mods);
    }
};

struct SelectionCase {
    const char *name;
    TGridOptions options;
    TExOptions exOptions;
    std::vector<int> clicks; // row numbers; negative: the indicator of row -n-1
    std::vector<Qt::KeyboardModifiers> mods;
    QList<int> expected;
};

TEST_F(ExDbGrid, SelectionFollowsTheOptionsAndComesInTheTablesOrder)
{
    const TGridOptions multi = kDefaultOptions | dgMultiSelect;
    const TGridOptions single = kDefaultOptions;
    const TExOptions keep = kDefaultExOptions;
    const TExOptions noKeep = kDefaultExOptions & ~TExOptions(eoKeepSelection);
    const TExOptions boxes = keep | eoCheckBoxSelect;
    const TExOptions boxesNoKeep = noKeep | eoCheckBoxSelect;
    const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    auto ind = [](int row) { return -row - 1; };
    const std::vector<SelectionCase> cases = {
        {"single: a second tick clears the first", single, boxes, {ind(0), ind(2)}, {none, none}, {3}},
        {"single: a tick again clears it", single, boxes, {ind(1), ind(1)}, {none, none}, {}},
        {"single: data clicks select nothing", single, boxes, {1, 3}, {none, none}, {}},
        {"multi, boxes: ticks in the table's order", multi, boxes, {ind(3), ind(0), ind(2)}, {none, none, none},
         {1, 3, 4}},
        {"multi, boxes, no keep: the box alone decides", multi, boxesNoKeep, {ind(0), ind(2)}, {none, none},
         {1, 3}},
        {"multi, boxes: unticking one keeps the rest", multi, boxes, {ind(0), ind(2), ind(0)}, {none, none, none},
         {3}},
        {"multi, keep: clicks add rows", multi, keep, {1, 3}, {none, none}, {2, 4}},
        {"multi, no keep: a click leaves the clicked row", multi, noKeep, {1, 3}, {none, none}, {4}},
        {"multi, no keep: Ctrl toggles", multi, noKeep, {1, 3, 1}, {none, ctrl, ctrl}, {4}},
        {"multi: Shift above the anchor takes both ends", multi, noKeep, {3, 0}, {none, shift}, {1, 2, 3, 4}},
        {"multi: Shift below the anchor", multi, keep, {1, 3}, {none, shift}, {2, 3, 4}},
        {"multi, boxes: Shift in the indicator takes the range", multi, boxes, {ind(4), ind(1)}, {none, shift},
         {2, 3, 4, 5}},
    };
    for (const SelectionCase &c : cases) {
        SCOPED_TRACE(c.name);
        grid.setOptions(c.options);
        grid.setExOptions(c.exOptions);
        grid.clearSelectedRows();
        zam.first();
        for (size_t i = 0; i < c.clicks.size(); ++i) {
            const int n = c.clicks[i];
            click(n >= 0 ? Click{n, Data, c.mods[i]} : Click{-n - 1, Indicator, c.mods[i]});
        }
        EXPECT_EQ(selectedCodes(), c.expected);
    }
}

TEST_F(ExDbGrid, MarkedRowsFollowTheTablesOrderAndLeaveWithTheirRows)
{
    grid.setOptions(kDefaultOptions | dgMultiSelect);
    grid.setExOptions(kDefaultExOptions | eoCheckBoxSelect);
    for (int row : {4, 0, 2})
        click({row, Indicator});
    EXPECT_EQ(selectedCodes(), (QList<int>{1, 3, 5}));
    // the name index turns the table round: the list follows it
    zam.setIndexName(QStringLiteral("MENO"));
    EXPECT_EQ(selectedCodes(), (QList<int>{5, 3, 1}));
    // a filtered-out row is no longer marked in the list
    zam.setFilter(QStringLiteral("Code_emp<>3"));
    zam.setFiltered(true);
    EXPECT_EQ(selectedCodes(), (QList<int>{5, 1}));
    // switching multi-select off clears the marks; so does closing the table
    zam.setFiltered(false);
    grid.setOptions(kDefaultOptions);
    EXPECT_TRUE(grid.selectedRows().isEmpty());
    grid.setOptions(kDefaultOptions | dgMultiSelect);
    click({1, Indicator});
    ASSERT_EQ(grid.selectedCount(), 1);
    zam.close();
    zam.open();
    EXPECT_TRUE(grid.selectedRows().isEmpty());
}

TEST_F(ExDbGrid, OptionsKeepMultiSelectApartAndDefaultsStand)
{
    EXPECT_EQ(grid.ExOptions(), kDefaultExOptions);
    EXPECT_EQ(grid.Options(), kDefaultOptions);
    EXPECT_EQ(grid.WidthOfIndicator(), 11);
    EXPECT_EQ(grid.RegistrySection(), "ExDBGrid");
    EXPECT_TRUE(grid.RegistryKey().startsWith("Software\\"));
    EXPECT_EQ(grid.GridStyle().style, gsNormal);
    EXPECT_EQ(grid.GridStyle().oddColor, grid.GridStyle().evenColor);
    EXPECT_EQ(grid.TitleHeight().pixelCount, grid.DefaultRowHeight());
    EXPECT_EQ(grid.GridLineWidth(), 1);
    grid.setFooterHeight(-4);
    EXPECT_EQ(grid.FooterHeight(), 0);
    grid.setOptions(kDefaultOptions | dgMultiSelect);
    EXPECT_TRUE(grid.multiSelect());
    EXPECT_TRUE(grid.Options().testFlag(dgMultiSelect));
    EXPECT_EQ(grid.TitleOffset(), 1);
    grid.setOptions(kDefaultOptions & ~TGridOptions(dgTitles));
    EXPECT_EQ(grid.TitleOffset(), 0);
    EXPECT_FALSE(grid.horizontalHeader()->isVisible());
    // the stored set of extended options: each option its own bit, in declaration order
    EXPECT_EQ(int(eoAutoWidth), 1);
    EXPECT_EQ(int(eoFilterAutoApply), 1 << 30);
    grid.setGridStyleKind(gsSoftWheat);
    EXPECT_EQ(grid.GridStyle().oddColor, QColor(0xE3, 0xE3, 0xAC));
    EXPECT_EQ(grid.GridStyle().evenColor, QColor(0xEB, 0xEA, 0xC5));
    grid.setGridStyleKind(gsCustom);
    EXPECT_EQ(grid.GridStyle().oddColor, QColor(0xE3, 0xE3, 0xAC));
}

TEST_F(ExDbGrid, IndicatorWidthHasAFloorAndHoldsTheCheckBox)
{
    EXPECT_EQ(minimumIndicatorWidth(13, 8, true), 25);
    EXPECT_EQ(minimumIndicatorWidth(13, 8, false), 29);
    struct Case {
        int requested;
        bool checkBoxes;
        int expected;
    };
    const int min = 29;
    for (const Case &c : {Case{5, false, 11}, Case{11, false, 11}, Case{30, false, 30}, Case{5, true, min},
                          Case{28, true, min}, Case{40, true, 40}}) {
        SCOPED_TRACE(c.requested);
        EXPECT_EQ(effectiveIndicatorWidth(c.requested, c.checkBoxes, min), c.expected);
    }

    const int boxMin = grid.checkBoxIndicatorWidth();
    EXPECT_EQ(boxMin, minimumIndicatorWidth(grid.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &grid),
                                            TExDBGrid::kGlyphWidth, true));
    grid.setWidthOfIndicator(5);
    EXPECT_EQ(grid.WidthOfIndicator(), 11);
    EXPECT_EQ(grid.indicator()->width(), 11);
    // switched on at 11: widened to the check box; switched off at the minimum: back to 11
    grid.setExOptions(grid.ExOptions() | eoCheckBoxSelect);
    EXPECT_EQ(grid.WidthOfIndicator(), boxMin);
    grid.setWidthOfIndicator(boxMin - 3);
    EXPECT_EQ(grid.WidthOfIndicator(), boxMin);
    grid.setExOptions(grid.ExOptions() & ~TExOptions(eoCheckBoxSelect));
    EXPECT_EQ(grid.WidthOfIndicator(), 11);
    // a width of its own stays through both switches
    grid.setWidthOfIndicator(boxMin + 10);
    grid.setExOptions(grid.ExOptions() | eoCheckBoxSelect);
    grid.setExOptions(grid.ExOptions() & ~TExOptions(eoCheckBoxSelect));
    EXPECT_EQ(grid.WidthOfIndicator(), boxMin + 10);
}

TEST_F(ExDbGrid, ColumnFitting)
{
    // best fit: wanted * available / sum, truncated
    EXPECT_EQ(bestFitWidths({100, 50, 50}, 300), (QVector<int>{150, 75, 75}));
    EXPECT_EQ(bestFitWidths({10, 20}, 31), (QVector<int>{10, 20}));
    EXPECT_EQ(bestFitWidths({10, 20}, 29), (QVector<int>{9, 19}));
    EXPECT_EQ(bestFitWidths({0, 0}, 100), (QVector<int>{0, 0}));
    // simple fit: only beyond 2 pixels wider, or any narrower
    EXPECT_EQ(simpleFitWidths({50, 50}, 102), (QVector<int>{50, 50}));
    EXPECT_EQ(simpleFitWidths({50, 50}, 103), (QVector<int>{51, 51}));
    EXPECT_EQ(simpleFitWidths({50, 50}, 99), (QVector<int>{49, 49}));
    EXPECT_EQ(simpleFitWidths({}, 99), QVector<int>{});

    // the grid's best fit fills what the indicator, lines and frame leave
    grid.setExOptions(grid.ExOptions() | eoAutoWidth);
    int sum = 0;
    for (int c = 0; c < 3; ++c)
        sum += grid.columnWidth(c);
    const int available = grid.width() - 2 * grid.frameWidth() - 4 - grid.WidthOfIndicator();
    EXPECT_LE(sum, available);
    EXPECT_GE(sum, available - 3);
    EXPECT_EQ(grid.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(ExDbGrid, ZebraColoursGoByVisiblePosition)
{
    TExDBGridStyle style;
    EXPECT_FALSE(zebraColor(style, 0).has_value());
    style.style = gsSoftWheat;
    style.oddColor = Qt::yellow;
    style.evenColor = Qt::cyan;
    EXPECT_EQ(zebraColor(style, 0), QColor(Qt::yellow));
    EXPECT_EQ(zebraColor(style, 1), QColor(Qt::cyan));
    EXPECT_EQ(zebraColor(style, 2), QColor(Qt::yellow));

    grid.setGridStyleKind(gsSoftWheat);
    const QColor odd = grid.GridStyle().oddColor, even = grid.GridStyle().evenColor;
    EXPECT_EQ(grid.rowBackground(0, 1), odd);
    EXPECT_EQ(grid.rowBackground(1, 1), even);
    // scrolled by one row: the second row is shown first and takes the first colour
    grid.resize(400, grid.horizontalHeader()->height() + 2 * grid.DefaultRowHeight() + 2 * grid.frameWidth());
    QCoreApplication::processEvents();
    grid.verticalScrollBar()->setValue(1);
    QCoreApplication::processEvents();
    ASSERT_EQ(grid.rowAt(0), 1);
    EXPECT_EQ(grid.rowBackground(1, 1), odd);
    EXPECT_EQ(grid.rowBackground(2, 1), even);
    // a ticked row is highlighted, not striped; fixed columns keep their colour
    grid.setOptions(kDefaultOptions | dgMultiSelect);
    zam.setRecordNumber(2);
    grid.setCurrentRowSelected(true);
    EXPECT_FALSE(grid.rowBackground(1, 1).has_value());
    EXPECT_TRUE(grid.isCellHighlighted(1));
    grid.setFixedCols(1);
    EXPECT_FALSE(grid.rowBackground(2, 0).has_value());
    grid.setExOptions(grid.ExOptions() | eoFixedLikeColumn);
    EXPECT_EQ(grid.rowBackground(2, 0), even);
}

TEST_F(ExDbGrid, HintsShowOnlyWhatDoesNotFit)
{
    EXPECT_EQ(recordHintText(2, 5), "rec. 2 of 5");
    // without eoCellHint no hint at all
    EXPECT_EQ(grid.cellHint(3, 1), QString());
    grid.setExOptions(grid.ExOptions() | eoCellHint);
    EXPECT_EQ(grid.cellHint(0, 1), QString()); // "Eva" fits
    EXPECT_EQ(grid.cellHint(3, 1), u"Bohuslav Maximilián Ferdinand Koniarek-Šťastný");
    grid.setColumnWidth(1, 1000);
    EXPECT_EQ(grid.cellHint(3, 1), QString());
    // a title cut by its column
    EXPECT_EQ(grid.titleHint(1), QString());
    grid.setColumnWidth(1, 20);
    EXPECT_EQ(grid.titleHint(1), "Priezvisko");
    // the hint field gives every cell its whole text, read at that row
    grid.setHintField(QStringLiteral("Poznamka"));
    EXPECT_EQ(grid.cellHint(2, 0), u"poznámka dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá dlhá");
    EXPECT_EQ(grid.cellHint(1, 0), QString());

    zam.setRecordNumber(2);
    EXPECT_EQ(grid.recordHint(), "rec. 2 of 5");
    grid.OnGetRecordCount = [](TExDBGrid &, int &count) { count = 99; };
    EXPECT_EQ(grid.recordHint(), "rec. 2 of 99");
    grid.OnGetRecordCount = nullptr;

    EXPECT_FALSE(grid.showsNoData());
    zam.close();
    EXPECT_TRUE(grid.showsNoData());
    EXPECT_EQ(grid.recordHint(), QString());
    EXPECT_EQ(TExDBGrid::noDataText(), "<No data to display>");
    grid.grab(); // paints the empty text over a closed table
}

TEST_F(ExDbGrid, KeyboardRules)
{
    grid.setFocus();
    zam.first();
    grid.selectionModel()->setCurrentIndex(grid.gridModel()->index(0, 0), QItemSelectionModel::ClearAndSelect
                                                                            | QItemSelectionModel::Rows);
    // Enter moves like Tab; from the last column back to the first, appending first when
    // inserting is allowed
    key(Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex().column(), 1);
    key(Qt::Key_Return);
    key(Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex().column(), 0);
    EXPECT_EQ(zam.state(), db::DataSetState::Insert);
    zam.cancel();

    // Down and Insert at the end add nothing with eoDisableInsert
    grid.setExOptions(grid.ExOptions() | eoDisableInsert);
    zam.last();
    key(Qt::Key_Down);
    key(Qt::Key_Insert);
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(zam.recordCount(), 5);
    grid.setExOptions(grid.ExOptions() & ~TExOptions(eoDisableInsert));
    key(Qt::Key_Down);
    EXPECT_EQ(zam.state(), db::DataSetState::Insert);
    zam.cancel();

    // Space ticks the row with check-box selection (multi-select off: one row)
    grid.setExOptions(grid.ExOptions() | eoCheckBoxSelect);
    zam.first();
    key(Qt::Key_Space, Qt::NoModifier, " ");
    key(Qt::Key_Down);
    key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(selectedCodes(), QList<int>{2});
    // Space on a check-box cell toggles the field
    grid.setExOptions(grid.ExOptions() | eoBooleanAsCheckBox);
    grid.selectionModel()->setCurrentIndex(grid.gridModel()->index(1, 2), QItemSelectionModel::ClearAndSelect
                                                                            | QItemSelectionModel::Rows);
    key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_FALSE(zam.fieldByName(QStringLiteral("ZPS")).asBoolean());
    zam.cancel();

    // multi-select: Shift+Down extends, stepping back unticks, a plain move keeps (keep-selection)
    grid.setOptions(kDefaultOptions | dgMultiSelect);
    grid.clearSelectedRows();
    zam.first();
    key(Qt::Key_Down, Qt::ShiftModifier);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedCodes(), (QList<int>{1, 2, 3}));
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(selectedCodes(), (QList<int>{1, 2}));
    key(Qt::Key_Down);
    EXPECT_EQ(selectedCodes(), (QList<int>{1, 2}));
    grid.setExOptions(grid.ExOptions() & ~TExOptions(eoKeepSelection));
    key(Qt::Key_Down);
    EXPECT_TRUE(grid.selectedRows().isEmpty());

    // Ctrl+deleteItem: refused with eoDisableDelete; else asks and deletes the ticked rows
    grid.setExOptions(grid.ExOptions() | eoKeepSelection | eoDisableDelete);
    zam.first();
    grid.setCurrentRowSelected(true);
    zam.setRecordNumber(4);
    grid.setCurrentRowSelected(true);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(zam.recordCount(), 5);
    grid.setExOptions(grid.ExOptions() & ~TExOptions(eoDisableDelete));
    scripted.answer(false, QStringLiteral("Do you really want to delete a selected records?"));
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(zam.recordCount(), 5);
    scripted.answer(true, QStringLiteral("Do you really want to delete a selected records?"));
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(zam.recordCount(), 3);
    EXPECT_TRUE(grid.selectedRows().isEmpty());
}

TEST_F(ExDbGrid, RowHeightFloorAndRefresh)
{
    grid.setDefaultRowHeight(19);
    EXPECT_EQ(grid.DefaultRowHeight(), 19);
    grid.setDefaultRowHeight(0);
    EXPECT_EQ(grid.DefaultRowHeight(), 19);
    grid.rowHeightChangedByUser(3);
    EXPECT_EQ(grid.DefaultRowHeight(), grid.rowHeightFloor());
    grid.rowHeightChangedByUser(40);
    EXPECT_EQ(grid.DefaultRowHeight(), 40);
    grid.setExOptions(grid.ExOptions() | eoRowHeightAutofit);
    grid.rowHeightChangedByUser(30);
    EXPECT_EQ(grid.DefaultRowHeight(), 40);

    // RefreshData posts a pending edit and comes back to the record
    zam.setRecordNumber(3);
    zam.edit();
    zam.fieldByName(QStringLiteral("Surname")).setAsString(QStringLiteral("Cyprián"));
    grid.RefreshData();
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Code_emp")).asInt(), 3);
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Surname")).asString(), u"Cyprián");
    grid.setDataSource(nullptr);
    grid.RefreshData(); // nothing without a dataset
    EXPECT_TRUE(grid.showsNoData());
}

} // namespace
