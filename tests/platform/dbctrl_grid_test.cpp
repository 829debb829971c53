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
    void click(int row, int column = 1)
    {
        const QPoint p = grid.visualRect(grid.gridModel()->index(row, column)).center();
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
    EXPECT_EQ(zam.recordNumber(), 1);
    pressKey(&grid, Qt::Key_End, {}, Qt::ControlModifier);
    EXPECT_EQ(zam.recordNumber(), 3);
    EXPECT_EQ(selectedRows(), QList<int>{2});

    // Leaving a modified record posts it, as every move does.
    zam.edit();
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Beňová"));
    click(0);
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(stored(3, QStringLiteral("Surname")).toString(), u"Beňová");
    EXPECT_EQ(zam.recordNumber(), 1);
}

TEST_F(DbctrlGrid, ARefusedMoveKeepsTheRecordAndSaysWhy)
{
    zam.beforePost = [](db::DataSet &) { throw EMyError(QStringLiteral("Duplicitný záznam.")); };
    zam.edit();
    zam.setValue(QStringLiteral("Surname"), QStringLiteral("Cibuľa"));
    click(2);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Duplicitný záznam.")});
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    EXPECT_EQ(zam.recordNumber(), 1);
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
    EXPECT_EQ(zam.recordNumber(), 2);

    src.setEnabled(true);
    EXPECT_EQ(names(), (QStringList{"Iný", "Adam"}));
    EXPECT_EQ(grid.currentRow(), 1);
    click(0);
    EXPECT_EQ(zam.recordNumber(), 1);
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
    EXPECT_EQ(zam.recordNumber(), 2);

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

// Every way of moving between cells and rows writes the open cell into the row it was typed
// in and stores that row before another one becomes current; Esc drops the row's edit. The
// columns end in two calculated ones, so Tab past the last editable column wraps through
// them into the next row (autoEdit on, as in bulk entry).
class DbctrlGridMoves : public DbctrlGrid {
protected:
    void SetUp() override
    {
        zam.addCalculatedField(QStringLiteral("Dvojnasobok"), db::FieldType::Integer);
        zam.addCalculatedField(QStringLiteral("Dlzka"), db::FieldType::Integer);
        zam.onCalcFields = [](db::DataSet &ds) {
            ds.fieldByName(QStringLiteral("Dvojnasobok")).setValue(ds.fieldByName(QStringLiteral("Poistenie")).asInteger() * 2);
            ds.fieldByName(QStringLiteral("Dlzka")).setValue(int(ds.fieldByName(QStringLiteral("Surname")).asString().size()));
        };
        DbctrlGrid::SetUp();
        src.autoEdit = true;
        grid.setColumns({{QStringLiteral("Surname"), {}, 120}, {QStringLiteral("Poistenie"), {}, 60},
                         {QStringLiteral("Dvojnasobok"), {}, 60}, {QStringLiteral("Dlzka"), {}, 60}});
        grid.setFocus();
    }
    QWidget *focused()
    {
        QWidget *editor = grid.isEditingCell() ? grid.indexWidget(grid.currentIndex()) : nullptr;
        return editor ? editor : &grid;
    }
    // One step of a clerk: "type:<text>", "click:<row>" (its first cell) or a key ("Tab", "Backtab", "Enter",
    // "Esc", "Up", "Down", "Left", "Right").
    void step(const QString &s)
    {
        if (s.startsWith(u"type:")) {
            const QString text = s.mid(5);
            typeText(focused(), text.left(1)); // opens the cell editor (autoEdit)
            typeText(focused(), text.mid(1));
            return;
        }
        if (s.startsWith(u"click:")) {
            click(s.mid(6).toInt(), 0);
            return;
        }
        static const QHash<QString, int> keys{{"Tab", Qt::Key_Tab}, {"Backtab", Qt::Key_Backtab},
                                              {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape},
                                              {"Up", Qt::Key_Up}, {"Down", Qt::Key_Down},
                                              {"Left", Qt::Key_Left}, {"Right", Qt::Key_Right}};
        ASSERT_TRUE(keys.contains(s)) << s.toStdString();
        const int key = keys.value(s);
        pressKey(focused(), key, {}, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::processEvents(); // Enter closes its editor from the event loop
    }
    // "Surname/Poistenie" of each row as stored.
    QStringList storedRows()
    {
        QStringList l;
        for (qint64 code = 1; code <= 3; ++code)
            l << stored(code, QStringLiteral("Surname")).toString() + u'/'
                     + stored(code, QStringLiteral("Poistenie")).toString();
        return l;
    }
};

struct MoveCase {
    const char *name;
    int row, column; // where the clerk starts
    QStringList steps;
    QStringList stored; // Surname/Poistenie of the rows 1..3 afterwards
    int currentRow;
    int currentColumn;
};

TEST_F(DbctrlGridMoves, EveryMoveStoresTheRowShownAndNoOther)
{
    const QStringList untouched{"Cibula/0", "Adam/2", "Beňo/5"};
    const std::vector<MoveCase> cases{
        {"Tab wraps through the calculated columns; each row left is stored", 0, 1,
         {"type:7", "Tab", "Tab", "Tab", "type:Adamová", "Tab", "type:13", "Tab", "Tab", "Tab", "type:Beňová",
          "click:0", "Tab", "type:8", "Down"},
         {"Cibula/8", "Adamová/13", "Beňová/5"}, 1, 1},
        {"Shift+Tab wraps back from an open editor", 1, 0,
         {"type:Adamová", "Backtab", "Backtab", "Backtab", "type:9", "Backtab", "Backtab", "Down"},
         {"Cibula/9", "Adamová/2", "Beňo/5"}, 1, 0},
        {"Shift+Tab wraps back without an open editor", 2, 1,
         {"type:4", "Enter", "Left", "Backtab", "Backtab", "Backtab"}, {"Cibula/0", "Adam/2", "Beňo/4"}, 1, 1},
        {"Enter writes the cell, an arrow leaves the row", 0, 0,
         {"type:Cibuľa", "Enter", "Down", "type:Adamová", "Enter", "Up"}, {"Cibuľa/0", "Adamová/2", "Beňo/5"}, 0,
         0},
        {"arrows with the editor open", 0, 1, {"type:4", "Down", "type:6", "Down", "type:3", "Up", "Up"},
         {"Cibula/4", "Adam/6", "Beňo/3"}, 0, 1},
        {"moving within the row keeps the edit until the row is left", 2, 0,
         {"type:Beňová", "Tab", "type:1", "Backtab", "Up"}, {"Cibula/0", "Adam/2", "Beňová/1"}, 1, 0},
        {"clicks with and without an open editor", 0, 0,
         {"type:Cibuľa", "click:2", "type:Beňová", "Enter", "click:1"}, {"Cibuľa/0", "Adam/2", "Beňová/5"}, 1, 0},
        {"Esc drops the open cell and the row's edit, rows stored before stay", 0, 1,
         {"type:7", "Down", "type:13", "Tab", "Esc", "Backtab", "type:9", "Esc", "Up"},
         {"Cibula/7", "Adam/2", "Beňo/5"}, 0, 1},
        {"Esc without an open editor drops the row's edit", 1, 1, {"type:13", "Enter", "Esc", "Down"},
         {"Cibula/0", "Adam/2", "Beňo/5"}, 2, 1},
    };
    for (const MoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        // The table as it was, the record and cell where the clerk starts.
        if (zam.isEditing())
            zam.cancel();
        inst.session().execute(QStringLiteral("update zam set surname=case code_emp when 1 then 'Cibula' when 2 "
                                              "then 'Adam' else 'Beňo' end, poistenie=case code_emp when 1 then 0 "
                                              "when 2 then 2 else 5 end"),
                               {}, kAlias);
        zam.refresh();
        zam.setRecordNumber(c.row + 1);
        grid.setCurrentIndex(grid.gridModel()->index(c.row, c.column));
        ASSERT_EQ(storedRows(), untouched);
        for (const QString &s : c.steps) {
            SCOPED_TRACE(s.toStdString());
            step(s);
            ASSERT_TRUE(errors().isEmpty()) << errors().join(u'\n').toStdString();
            // The grid's cursor and the dataset stand on the same row after every step.
            ASSERT_EQ(grid.currentIndex().row(), grid.currentRow());
        }
        EXPECT_EQ(storedRows(), c.stored);
        EXPECT_EQ(zam.state(), db::DataSetState::Browse);
        EXPECT_EQ(grid.currentRow(), c.currentRow);
        EXPECT_EQ(grid.currentIndex().column(), c.currentColumn);
    }
}
