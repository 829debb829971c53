// The health-insurance grids of the card are where their rows are typed: the change
// reports of batch 601 and the settlement's results have no other fields, so their cells
// take input while the row is edited, as the card's list grids never do.
#include "core/helpers/messages.h"
#include "mainwin_fixture.h"

#include <QCoreApplication>

using namespace tarix;

namespace {

class CardHealthGrids : public mainwintest::MainWindowTest {
protected:
    // Opens the cell editor of a column in the grid's current row.
    QLineEdit *openEditor(dbctrl::DBGrid *grid, int column)
    {
        grid->setCurrentIndex(grid->gridModel()->index(grid->currentRow(), column));
        QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
        QApplication::sendEvent(grid, &f2);
        return qobject_cast<QLineEdit *>(grid->indexWidget(grid->currentIndex()));
    }
    void typeIntoCell(dbctrl::DBGrid *grid, int column, const QString &text)
    {
        QLineEdit *editor = openEditor(grid, column);
        ASSERT_NE(editor, nullptr) << "column " << column << " takes no input";
        type(editor, text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(CardHealthGrids, AChangeReportIsTypedIntoItsGrid)
{
    openCard();
    chooseInList("Hudák");
    clickTab("PAGE_DAVKA601");
    ASSERT_EQ(tab(), "PAGE_DAVKA601");
    QMenu *menu = topMenu("Operácie-údaje pre ZP (dávka 601)");
    ASSERT_NE(menu, nullptr);
    auto *grid = widget<dbctrl::DBGrid>("DBG_zp5");

    // Browsing, no cell opens.
    EXPECT_EQ(openEditor(grid, 0), nullptr);

    choose(menu, "Nový záznam");
    ASSERT_EQ(core::DMZ().TZP5_.state(), db::DataSetState::Insert);
    typeIntoCell(grid, 0, "1M");
    typeIntoCell(grid, 1, "Z");
    typeIntoCell(grid, 2, "1.8.2007");
    choose(menu, "Zápis zmien");
    EXPECT_EQ(core::DMZ().TZP5_.state(), db::DataSetState::Browse);
    EXPECT_EQ(one("select kod_zmeny || platnost_zmeny || v_rok from \":tarix_data:davka601\" where code_emp = 1")
                  .toString(),
              "1MZ2007");
}

TEST_F(CardHealthGrids, ListGridsStayReadOnlyWhileTheirRecordIsEdited)
{
    openCard();
    chooseInList("Sýkorová");
    clickTab("PAGE_DETI");
    ASSERT_EQ(tab(), "PAGE_DETI");
    auto *grid = widget<dbctrl::DBGrid>("DBG_deti");
    core::DMZ().TDET_.edit();
    for (int column = 0; column < grid->gridModel()->columnCount(); ++column)
        EXPECT_FALSE(grid->gridModel()->canEditCell(grid->currentRow(), column)) << column;
    core::DMZ().TDET_.cancel();
}
