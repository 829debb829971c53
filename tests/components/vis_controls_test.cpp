// The visios' editor controls and forms: letter case and the accept callback of the masked
// edit, masks against multiple lines, the list's selection and filter, and the forms over
// a cell sending their keys to the host grid.
#include "components/grid/plugin/grid_suite.h"
#include "components/grid/plugin/vis_controls.h"
#include "components/test_host_grid.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarix::grid::testing {
namespace {

TEST(MaskEditPlusTest, CharCaseExBringsTheTextToItsLetterCase)
{
    const struct {
        CharCaseEx charCase;
        const char *from;
        const char *to;
    } cases[] = {
        {CharCaseEx::cxNormal, "abc dEF", "abc dEF"},
        {CharCaseEx::cxUpper, "abc def", "ABC DEF"},
        {CharCaseEx::cxLower, "abc def", "abc def"},
        {CharCaseEx::cxLower, "ABC Def", "abc def"},
        {CharCaseEx::cxAsSentence, "abc def", "Abc def"},
        {CharCaseEx::cxAsSentence, "aBC DEF", "Abc def"},
        {CharCaseEx::cxCapLetters, "abc def", "Abc Def"},
        {CharCaseEx::cxCapLetters, "aBC dEF", "Abc Def"},
        {CharCaseEx::cxCapLetters, "čierna žltá", "Čierna Žltá"},
        {CharCaseEx::cxAsSentence, " 1 abc", " 1 Abc"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(applyCharCase(c.charCase, QString::fromUtf8(c.from)), QString::fromUtf8(c.to))
            << int(c.charCase) << " " << c.from;
}

TEST(MaskEditPlusTest, TypedTextIsConvertedAndOfferedToTheAcceptCallback)
{
    TMaskEditPlus edit;
    edit.setCharCaseEx(CharCaseEx::cxCapLetters);
    QStringList offered;
    edit.OnAcceptValue = [&](TMaskEditPlus &, QString &text, const QString &prev, int &, int &,
                             bool &accept) {
        offered << prev + u'>' + text;
        accept = !text.contains(u'7');
    };
    test::typeText(edit.editor(), "ab c");
    EXPECT_EQ(edit.Text(), "Ab C");
    EXPECT_EQ(offered.last(), "Ab >Ab C");

    // A refused text brings the previously accepted one back.
    test::typeText(edit.editor(), "7");
    EXPECT_EQ(edit.Text(), "Ab C");
    EXPECT_EQ(offered.last(), "Ab C>Ab C7");

    // Without text processing nothing is converted or offered.
    const qsizetype count = offered.size();
    edit.setTextProcessing(false);
    test::typeText(edit.editor(), "x7");
    EXPECT_EQ(edit.Text(), "Ab Cx7");
    EXPECT_EQ(offered.size(), count);
}

class MaskEditPlusFailureTest : public test::ScriptedTest<> {};

TEST_F(MaskEditPlusFailureTest, ACallbackThatFailsRefusesTheTextAndSaysWhy)
{
    TMaskEditPlus edit;
    edit.setText("ab");
    edit.OnAcceptValue = [](TMaskEditPlus &, QString &text, const QString &, int &, int &, bool &) {
        if (text.contains(u'x'))
            throw EMyError("No x here");
    };
    test::typeText(edit.editor(), "x");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList({"No x here"}));
}

TEST(MaskEditPlusTest, AMaskSwitchesMultipleLinesOffAndMultipleLinesClearTheMask)
{
    TMaskEditPlus edit;
    EXPECT_TRUE(edit.multiLine());
    EXPECT_NE(qobject_cast<QPlainTextEdit *>(edit.editor()), nullptr);

    edit.setEditMask("!99/99/0000;1;_");
    EXPECT_FALSE(edit.multiLine());
    EXPECT_FALSE(edit.textProcessing());
    auto *line = qobject_cast<QLineEdit *>(edit.editor());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->inputMask(), "00/00/9999;_");

    edit.setMultiLine(true);
    EXPECT_TRUE(edit.editMask().isEmpty());
    EXPECT_NE(qobject_cast<QPlainTextEdit *>(edit.editor()), nullptr);

    edit.setEditMask("LL");
    edit.setTextProcessing(true);
    EXPECT_TRUE(edit.editMask().isEmpty());
    EXPECT_TRUE(qobject_cast<QLineEdit *>(edit.editor())->inputMask().isEmpty());
}

TEST(MaskEditPlusTest, TheOriginalsMasksBecomeQtMasks)
{
    const struct {
        const char *from;
        const char *to;
    } cases[] = {
        {"", ""},
        {"!99/99/0000;1;_", "00/00/9999;_"},
        {"LLl-AAa-Cc", "AAa-NNn-Xx;_"},
        {">LL<ll<>c", ">AA<aa!x;_"},
        {"000 00;0; ", "999 99; "},
        {"\\9N\\\\9", "\\9\\N\\\\0;_"}, // escaped and Qt-special literals stay literals
        {"00:00;1", "99:99;_"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(qtInputMask(QString::fromUtf8(c.from)), QString::fromUtf8(c.to)) << c.from;
}

TEST(MaskEditPlusTest, CaretLineAndLineCount)
{
    TMaskEditPlus edit;
    edit.setText("one\ntwo\nthree");
    EXPECT_EQ(edit.lineCount(), 3);
    edit.setSelection(5, 5);
    EXPECT_EQ(edit.caretLine(), 1);
    edit.setMultiLine(false);
    EXPECT_EQ(edit.lineCount(), 1);
}

class ListBoxPlusTest : public ::testing::Test {
protected:
    TListBoxPlus list;
    QList<int> selected;
    ListBoxPlusTest()
    {
        list.resize(100, list.rowHeight() * 4);
        list.OnSelectRow = [this](TListBoxPlus &, int row) { selected << row; };
    }
    static QString errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const EMyError &e) {
            return e.text();
        }
        return {};
    }
};

TEST_F(ListBoxPlusTest, ARowBeyondTheListOrAnyRowOfAnEmptyListIsRefused)
{
    EXPECT_EQ(list.RowCount(), 5);
    list.selectRow(4);
    EXPECT_EQ(list.selectedRow(), 4);
    EXPECT_EQ(errorOf([&] { list.selectRow(5); }), "Row index is out of range");
    EXPECT_EQ(list.selectedRow(), 4);

    list.setRowCount(3);
    EXPECT_EQ(list.selectedRow(), -1); // a new row count drops the selection
    list.setRowCount(0);
    EXPECT_EQ(errorOf([&] { list.selectRow(0); }), "Row index is out of range");
    EXPECT_EQ(errorOf([&] { list.selectRow(-1); }), "Row index is out of range");
    EXPECT_EQ(selected, QList<int>({4}));
}

TEST_F(ListBoxPlusTest, TheFilterLeavesRowsOutAndTheListScrollsToTheSelection)
{
    list.OnFilterRow = [](TListBoxPlus &, int row, bool &inList) { inList = row % 2 == 0; };
    list.setRowCount(40);
    EXPECT_EQ(list.visibleRowCount(), 20);
    EXPECT_EQ(list.listRow(3), 6);
    EXPECT_EQ(list.listRow(20), -1);

    list.selectRow(38);
    EXPECT_EQ(list.firstVisibleRow(), 20 - list.pageRows());
    EXPECT_EQ(list.scrollBar()->value(), list.firstVisibleRow());
    test::pressKey(&list, Qt::Key_Home);
    EXPECT_EQ(list.selectedRow(), 0);
    EXPECT_EQ(list.firstVisibleRow(), 0);
    test::pressKey(&list, Qt::Key_Down);
    EXPECT_EQ(selected, QList<int>({38, 0, 2}));
}

class VisioFormTest : public ::testing::Test {
protected:
    GridSuite suite;
    QWidget window;
    TestHostGrid grid;
    VisioFormTest()
    {
        window.move(100, 50);
        window.resize(300, 200);
        grid.gridWidget = &window;
        grid.layout = {20, 18, 0, true};
        grid.addColumn(40).addSection();
        grid.addColumn(60).addSection();
        grid.curCol = 1;
        grid.curRow = 2;
    }
    TSectionVisio &visio() { return *grid.column(1).section(0).visio(); }
};

TEST_F(VisioFormTest, TheEditFormCoversTheCurrentCellAndTakesTheEditSurfaceColour)
{
    grid.designer()->StateStyles().setEditSurfaceColor(Qt::yellow);
    TVFStandardSB form(&window, visio());
    form.placeOverCell();
    EXPECT_EQ(form.geometry(), QRect(window.mapToGlobal(QPoint(40, 20 + 2 * 18)), QSize(60, 18)));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::yellow));
    EXPECT_EQ(form.findChild<TMaskEditPlus *>("MaskEdit"), &form.maskEdit());
    EXPECT_EQ(form.findChild<QToolButton *>("SB"), &form.speedButton());

    grid.designer()->StateStyles().setEditSurfaceColor(QColor());
    TVFStandard plain(&window, visio());
    EXPECT_EQ(plain.palette().color(QPalette::Window), grid.color());
}

TEST_F(VisioFormTest, TheEditorsKeysAskTheHostGridToMovePostOrCancel)
{
    TVFStandard form(&window, visio());
    form.maskEdit().setEditMask("999"); // one line
    QWidget *editor = form.maskEdit().editor();
    for (int key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Up, Qt::Key_Down})
        test::pressKey(editor, key);
    EXPECT_EQ(grid.calls, QStringList({"nextCell", "post", "cancel", "moveRow -1", "moveRow 1"}));

    // In several lines Enter and the arrows stay in the editor.
    grid.calls.clear();
    form.maskEdit().setMultiLine(true);
    editor = form.maskEdit().editor();
    test::typeText(editor, "a");
    test::pressKey(editor, Qt::Key_Return);
    test::pressKey(editor, Qt::Key_Up);
    test::pressKey(editor, Qt::Key_Escape);
    EXPECT_EQ(grid.calls, QStringList({"cancel"}));
    EXPECT_EQ(form.maskEdit().lineCount(), 2);
}

TEST_F(VisioFormTest, TheDropDownListGoesUnderTheCellAndKeepsItsArrowKeys)
{
    TVTFDropDown form(&window, visio());
    EXPECT_EQ(form.findChild<QFrame *>("Panel"), &form.formPanel());
    EXPECT_EQ(form.findChild<TListBoxPlus *>("ListBox"), &form.listBox());
    form.resize(120, 60);
    form.placeUnderCell(DropDownPlacement::dlpLeft);
    EXPECT_EQ(form.geometry().topLeft(), window.mapToGlobal(QPoint(40, 20 + 3 * 18)));

    form.listBox().selectRow(0);
    test::pressKey(&form.listBox(), Qt::Key_Down);
    test::pressKey(&form.listBox(), Qt::Key_Escape);
    EXPECT_EQ(form.listBox().selectedRow(), 1);
    EXPECT_EQ(grid.calls, QStringList({"cancel"}));
}

TEST(DropDownRectTest, PlacementAndTheScreensEdges)
{
    const QRect screen(0, 0, 1000, 800);
    const QSize size(120, 60);
    const struct {
        QRect cell;
        DropDownPlacement placement;
        QPoint topLeft;
    } cases[] = {
        {{100, 100, 80, 20}, DropDownPlacement::dlpLeft, {100, 120}},
        {{100, 100, 80, 20}, DropDownPlacement::dlpCenter, {80, 120}},
        {{100, 100, 80, 20}, DropDownPlacement::dlpRight, {60, 120}},
        {{950, 100, 40, 20}, DropDownPlacement::dlpLeft, {880, 120}}, // back from the right
        {{100, 780, 80, 20}, DropDownPlacement::dlpLeft, {100, 740}}, // back from the bottom
    };
    for (const auto &c : cases)
        EXPECT_EQ(dropDownRect(c.cell, size, c.placement, screen), QRect(c.topLeft, size))
            << int(c.placement);
}

} // namespace
} // namespace tarix::grid::testing
