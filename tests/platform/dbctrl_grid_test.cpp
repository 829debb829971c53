// The data grid: rows in the dataset's order, selection = current record, clicks and keys
// move the dataset, inserted and edited records, a disabled source freezing the grid, and
// reading only the rows it shows.
#include "dbctrl_fixture.h"

#include "platform/dbctrl/db_grid.h"
#include "platform/errors.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class DbctrlGrid : public CtlFixture {
protected:
    DBGrid grid;
    void SetUp() override
    {
        zam.declareField(QStringLiteral("Surname")).setLabel(QStringLiteral("Priezvisko"));
        zam.open();
        grid.setColumns({{QStringLiteral("Code_emp"), QStringLiteral("Os.číslo"), 60},
                         {QStringLiteral("Surname"), {}, 150}});
        grid.setDataSource(&src);
        grid.resize(400, 300);
        grid.show();
        QCoreApplication::processEvents();
    }
    QStringList names()
    {
        QStringList l;
        for (int r = 0; r < grid.gridModel()->rowCount(); ++r)
            l << grid.gridModel()->rowTexts(r).value(1);
        return l;
    }
    QList<int> selectedRows()
    {
        QList<int> l;
        for (const QModelIndex &i : grid.selectionModel()->selectedRows())
            l << i.row();
        return l;
    }
    void click(int row)
    {
        const QPoint p = grid.visualRect(grid.gridModel()->index(row, 1)).center();
        QMouseEvent press(QEvent::MouseButtonPress, p, grid.viewport()->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, grid.viewport()->mapToGlobal(p), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &release);
    }
};

TEST_F(DbctrlGrid, ShowsRowsInTheDatasetsOrderWithTitlesAndWidths)
{
    EXPECT_EQ(names(), (QStringList{"Cibula", "Adam", "Beňo"}));
    EXPECT_EQ(grid.gridModel()->rowTexts(0), (QStringList{"1", "Cibula"}));
    EXPECT_EQ(grid.gridModel()->headerData(0, Qt::Horizontal).toString(), u"Os.číslo");
    EXPECT_EQ(grid.gridModel()->headerData(1, Qt::Horizontal).toString(), u"Priezvisko");
    EXPECT_EQ(grid.columnWidth(0), 60);
    EXPECT_EQ(grid.columnWidth(1), 150);

    zam.setIndexName(QStringLiteral("MENO"));
    EXPECT_EQ(names(), (QStringList{"Adam", "Beňo", "Cibula"}));
    zam.setFilter(QStringLiteral("Code_emp>1"));
    zam.setFiltered(true);
    EXPECT_EQ(names(), (QStringList{"Adam", "Beňo"}));
    EXPECT_EQ(grid.columnWidth(1), 150); // the widths stay while the rows change

    // Without chosen columns: every visible field, titled by its label.
    zam.fieldByName(QStringLiteral("Poznamka")).setVisible(false);
    grid.setColumns({});
    const int columns = grid.gridModel()->columnCount();
    EXPECT_EQ(columns, zam.fieldCount() - 1);
    EXPECT_EQ(grid.gridModel()->headerData(1, Qt::Horizontal).toString(), u"Priezvisko");
    for (int c = 0; c < columns; ++c)
        EXPECT_NE(grid.gridModel()->effectiveColumns()[c].fieldName, u"Poznamka");

    zam.close();
    EXPECT_EQ(grid.gridModel()->rowCount(), 0);
}

// A width chosen for the values, or the grid's default, never cuts the column's title.
TEST_F(DbctrlGrid, AColumnIsNeverNarrowerThanItsTitle)
{
    const QString longTitle = QStringLiteral("Započítateľný hrubý mesačný zárobok");
    grid.setColumns({{QStringLiteral("Code_emp"), longTitle, 20}, {QStringLiteral("Surname"), {}, -1}});
    QHeaderView *header = grid.horizontalHeader();
    EXPECT_GT(grid.columnWidth(0), header->fontMetrics().horizontalAdvance(longTitle));
    EXPECT_GE(grid.columnWidth(1), header->fontMetrics().horizontalAdvance(QStringLiteral("Priezvisko")));
    // A width wider than the title stays as chosen.
    grid.setColumns({{QStringLiteral("Code_emp"), QStringLiteral("Č."), 90}});
    EXPECT_EQ(grid.columnWidth(0), 90);
}

TEST_F(DbctrlGrid, SelectionFollowsTheCurrentRecord)
{
    EXPECT_EQ(selectedRows(), QList<int>{0});
    zam.next();
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(selectedRows(), QList<int>{1});
    zam.last();
    EXPECT_EQ(selectedRows(), QList<int>{2});
    zam.setIndexName(QStringLiteral("MENO")); // Beňo stays current, now second
    EXPECT_EQ(selectedRows(), QList<int>{1});
}

TEST_F(DbctrlGrid, ClickingAndKeysMoveTheDataset)
{
    click(2);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Beňo");
    EXPECT_EQ(selectedRows(), QList<int>{2});
    pressKey(&grid, Qt::Key_Up);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Adam");
    pressKey(&grid, Qt::Key_Home, {}, Qt::ControlModifier);
    EXPECT_EQ(zam.recNo(), 1);
    pressKey(&grid, Qt::Key_End, {}, Qt::ControlModifier);
    EXPECT_EQ(zam.recNo(), 3);
    EXPECT_EQ(selectedRows(), QList<int>{2});

    // Leaving a modified record posts it, as every move does.
    zam.edit();
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Beňová"));
    click(0);
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(stored(3, QStringLiteral("Surname")).toString(), u"Beňová");
    EXPECT_EQ(zam.recNo(), 1);
}

TEST_F(DbctrlGrid, ARefusedMoveKeepsTheRecordAndSaysWhy)
{
    zam.beforePost = [](db::DataSet &) { throw EMyError(QStringLiteral("Duplicitný záznam.")); };
    zam.edit();
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Cibuľa"));
    click(2);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Duplicitný záznam.")});
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    EXPECT_EQ(zam.recNo(), 1);
    EXPECT_EQ(selectedRows(), QList<int>{0});
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"Cibuľa");
}

TEST_F(DbctrlGrid, EditedAndInsertedRecordsShowAsTheyStand)
{
    zam.edit();
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Cibuľa"));
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"Cibuľa");
    zam.cancel();
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"Cibula");

    zam.next();
    zam.insert();
    EXPECT_EQ(grid.gridModel()->rowCount(), 4);
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(names(), (QStringList{"Cibula", "", "Adam", "Beňo"}));
    EXPECT_EQ(selectedRows(), QList<int>{1});
    zam.cancel();
    EXPECT_EQ(names(), (QStringList{"Cibula", "Adam", "Beňo"}));
    EXPECT_EQ(grid.currentRow(), 1);

    zam.insert();
    zam.setValue(QStringLiteral("Code_emp"), 4);
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Dano"));
    EXPECT_EQ(grid.gridModel()->rowTexts(1), (QStringList{"4", "Dano"}));
    // Clicking another row posts the new record; the click lands on the record clicked.
    click(3); // Beňo
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Beňo");
    EXPECT_EQ(names(), (QStringList{"Cibula", "Adam", "Beňo", "Dano"}));
    EXPECT_EQ(selectedRows(), QList<int>{2});
}

TEST_F(DbctrlGrid, RefreshShowsChangesMadeElsewhere)
{
    inst.session().execute(QStringLiteral("update zam set surname='Adamová' where code_emp=2"), {}, kAlias);
    zam.refresh();
    EXPECT_EQ(names(), (QStringList{"Cibula", "Adamová", "Beňo"}));
}

TEST_F(DbctrlGrid, ADisabledSourceFreezesTheGrid)
{
    zam.next();
    src.setEnabled(false);
    zam.last();
    zam.deleteRecord();
    inst.session().execute(QStringLiteral("update zam set surname='Iný' where code_emp=1"), {}, kAlias);
    zam.refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(names(), (QStringList{"Cibula", "Adam", "Beňo"}));
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(selectedRows(), QList<int>{1});
    // Clicks do not move the dataset meanwhile.
    click(0);
    EXPECT_FALSE(grid.moveToRow(0));
    EXPECT_EQ(zam.recNo(), 2);

    src.setEnabled(true);
    EXPECT_EQ(names(), (QStringList{"Iný", "Adam"}));
    EXPECT_EQ(grid.currentRow(), 1);
    click(0);
    EXPECT_EQ(zam.recNo(), 1);
}

TEST_F(DbctrlGrid, SignalsTitleClicksAndActivation)
{
    QString clicked;
    int activated = 0;
    QObject::connect(&grid, &DBGrid::titleClicked, [&](int, const QString &f) { clicked = f; });
    QObject::connect(&grid, &DBGrid::rowActivated, [&] { ++activated; });
    grid.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(clicked, u"Code_emp");
    pressKey(&grid, Qt::Key_Return);
    EXPECT_EQ(activated, 1);
}

TEST_F(DbctrlGrid, SourceAndDatasetGoneBeforeTheWidgets)
{
    // Windows may outlive the data module whose source and dataset they showed.
    auto t = table(QStringLiteral("Zam"));
    auto s = std::make_unique<db::DataSource>(t.get());
    t->open();
    DBGrid other;
    other.setDataSource(s.get());
    other.resize(300, 200);
    other.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(other.gridModel()->rowCount(), 3);
    s.reset();
    t.reset();
    other.viewport()->repaint();
    EXPECT_FALSE(other.moveToRow(1));
    pressKey(&other, Qt::Key_Down);
    EXPECT_FALSE(other.gridModel()->flags(other.gridModel()->index(0, 0)) & Qt::ItemIsEditable);
}

// Editing cells in place: only the current row, only while editing (or with autoEdit).
class DbctrlGridEdit : public DbctrlGrid {
protected:
    QLineEdit *openEditor(int column)
    {
        grid.setCurrentIndex(grid.gridModel()->index(grid.currentRow(), column));
        pressKey(&grid, Qt::Key_F2);
        return qobject_cast<QLineEdit *>(grid.indexWidget(grid.currentIndex()));
    }
    void typeInto(QLineEdit *editor, const QString &text)
    {
        editor->selectAll();
        typeText(editor, text);
    }
    // Enter in a cell editor (the view closes the editor from the event loop).
    void enter(QLineEdit *editor)
    {
        pressKey(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

TEST_F(DbctrlGridEdit, CellsTakeInputOnlyWhileTheRecordIsEdited)
{
    EXPECT_EQ(openEditor(1), nullptr); // browsing
    typeText(&grid, QStringLiteral("X"));
    EXPECT_EQ(grid.isEditingCell(), false);
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);

    zam.edit();
    QLineEdit *editor = openEditor(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), u"Cibula");
    typeInto(editor, QStringLiteral("Cibuľa"));
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula"); // not yet
    enter(editor);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibuľa");
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"Cibuľa");
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);

    // Only the current row, and no read-only column or grid.
    EXPECT_FALSE(grid.gridModel()->flags(grid.gridModel()->index(1, 1)) & Qt::ItemIsEditable);
    grid.setColumns({{QStringLiteral("Code_emp"), {}, 60, true}, {QStringLiteral("Surname"), {}, 150}});
    EXPECT_EQ(openEditor(0), nullptr);
    grid.setReadOnly(true);
    EXPECT_EQ(openEditor(1), nullptr);
}

TEST_F(DbctrlGridEdit, OpenEditorIsWrittenBeforeAMoveOrPost)
{
    zam.edit();
    typeInto(openEditor(1), QStringLiteral("Cibuľa"));
    click(1); // leaving the row writes the cell, then posts
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Cibuľa");
    EXPECT_EQ(zam.recNo(), 2);

    zam.edit();
    typeInto(openEditor(1), QStringLiteral("Adamová"));
    zam.post();
    EXPECT_EQ(stored(2, QStringLiteral("Surname")).toString(), u"Adamová");
    EXPECT_EQ(grid.isEditingCell(), false);
}

TEST_F(DbctrlGridEdit, RefusedCellKeepsTheOldValue)
{
    zam.fieldByName(QStringLiteral("Plat")).onValidate = [](db::Field &f) {
        if (f.asFloat() < 0)
            throw EMyError(QStringLiteral("Suma nesmie byť záporná."));
    };
    grid.setColumns({{QStringLiteral("Surname"), {}, -1}, {QStringLiteral("Plat"), {}, -1}});
    zam.edit();
    QLineEdit *editor = openEditor(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), u"1000,5");
    typeInto(editor, QStringLiteral("-5"));
    enter(editor);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Suma nesmie byť záporná.")});
    EXPECT_DOUBLE_EQ(zam.value(QStringLiteral("Plat")).toDouble(), 1000.5);
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"1000,50");

    // Pending at a post: refused once, the post stops, the record stays in edit.
    typeInto(openEditor(1), QStringLiteral("-7"));
    EXPECT_THROW(zam.post(), EAbort);
    EXPECT_EQ(errors().size(), 2);
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
}

TEST_F(DbctrlGridEdit, AutoEditStartsTheEditWhenACellIsTyped)
{
    src.autoEdit = true;
    grid.setCurrentIndex(grid.gridModel()->index(0, 1));
    typeText(&grid, QStringLiteral("Z"));
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    auto *editor = qobject_cast<QLineEdit *>(grid.indexWidget(grid.currentIndex()));
    ASSERT_NE(editor, nullptr);
    typeText(editor, QStringLiteral("oltán"));
    enter(editor);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Zoltán");
    zam.cancel();

    zam.beforeEdit = [](db::DataSet &) { throw EMyError(QStringLiteral("Mesiac je uzavretý.")); };
    typeText(&grid, QStringLiteral("Z"));
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(grid.isEditingCell(), false);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Mesiac je uzavretý.")});
}

// A grid over a few thousand rows reads the rows it shows, not the table.
class DbctrlGridLarge : public test::ScriptedTest<> {
protected:
    db::TempInstallation inst;
    db::Table big{&inst.session()};
    db::DataSource src{&big};
    void SetUp() override
    {
        inst.addAlias(QStringLiteral("TARIX_DATA"), QStringLiteral("DATA01"), QStringLiteral(R"(
CREATE TABLE Big (Code_emp INTEGER NOT NULL, Surname VARCHAR(20), Plat MONEY_REAL, PRIMARY KEY (Code_emp));
WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 3000)
INSERT INTO Big SELECT x, 'Meno ' || x, x * 1.5 FROM c;
)"));
        big.setDatabaseName(QStringLiteral("TARIX_DATA"));
        big.setTableName(QStringLiteral("Big"));
        big.open();
    }
};

TEST_F(DbctrlGridLarge, ReadsOnlyTheRowsItShows)
{
    int calcRuns = 0;
    big.close();
    big.addCalculatedField(QStringLiteral("Calc"), db::FieldType::Integer);
    big.onCalcFields = [&](db::DataSet &ds) {
        ++calcRuns;
        ds.fieldByName(QStringLiteral("Calc")).setValue(ds.fieldByName(QStringLiteral("Code_emp")).asInteger() * 2);
    };
    big.open();
    DBGrid grid;
    grid.setColumns({{QStringLiteral("Code_emp"), {}, 60}, {QStringLiteral("Surname"), {}, 100},
                     {QStringLiteral("Calc"), {}, 60}});
    grid.setDataSource(&src);
    grid.resize(400, 300);
    grid.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(grid.gridModel()->rowCount(), 3000);
    const int visible = grid.rowAt(grid.viewport()->height() - 1) + 1;
    ASSERT_GT(visible, 3);
    EXPECT_LE(grid.gridModel()->rowsRead(), visible + 2);

    // Repainting and moving within the view read nothing new (the current row is read from
    // the record itself).
    calcRuns = 0;
    const int before = grid.gridModel()->rowsRead();
    for (int i = 0; i < 3; ++i) {
        big.next();
        grid.viewport()->repaint();
    }
    EXPECT_LE(grid.gridModel()->rowsRead() - before, 3);
    EXPECT_LE(calcRuns, 10);

    // Jumping to the end reads about one screen more.
    big.last();
    grid.viewport()->repaint();
    EXPECT_EQ(grid.currentRow(), 2999);
    EXPECT_EQ(grid.gridModel()->rowTexts(2999), (QStringList{"3000", "Meno 3000", "6000"}));
    EXPECT_LE(grid.gridModel()->rowsRead() - before, 3 + 2 * visible + 4);
}

} // namespace
