// The grids of every window the main menu opens, and of the main window's pages it shows,
// title their columns in words and show logical values as check boxes: a clerk never reads
// a field's name ("CALC_NAZOV") or "True"/"False". Bulk entry's grid is left to its own
// tests. A grid that is shown is also looked at for titles and values it cuts.
#include "laptop_fixture.h"

#include "payroll/forms/hsv_page.h"
#include "platform/dbctrl/db_grid.h"
#include "support/widgets/grid_words.h"

#include <QHeaderView>

using namespace tarix;

namespace {

class GridsOnALaptop : public screentest::ProgramOnALaptop {
protected:
    // The faults of every grid of the window, bulk entry's aside.
    static QStringList faultsOf(const QWidget *window)
    {
        QStringList faults;
        const QString where = QString::fromLatin1(window->metaObject()->className());
        for (const dbctrl::DBGrid *g : window->findChildren<dbctrl::DBGrid *>()) {
            bool bulkEntry = false;
            for (const QObject *o = g; o && !bulkEntry; o = o->parent())
                bulkEntry = qobject_cast<const payroll::THsvPage *>(o) != nullptr;
            if (!bulkEntry)
                faults << test::gridWordFaults(where, *g, g->isVisible());
        }
        return faults;
    }
};

} // namespace

TEST_F(GridsOnALaptop, EveryGridTheMenuOpensTitlesItsColumnsInWords)
{
    QStringList found;
    QSet<QString> withGrids;
    walkMenu(
        [&](QWidget *w) {
            if (!w->findChildren<dbctrl::DBGrid *>().isEmpty())
                withGrids << QString::fromLatin1(w->metaObject()->className());
            found << faultsOf(w);
        },
        [&] { found << faultsOf(main); });
    found.removeDuplicates();
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
    // The windows with grids were among those looked at.
    for (const char *window : {"tarix::core::TFormCis", "tarix::payroll::TFormMainVyp", "tarix::filings::TFormHP1",
                               "tarix::filings::TFormNEP1", "tarix::filings::TFormCsv1"})
        EXPECT_TRUE(withGrids.contains(QString::fromLatin1(window))) << window;
}

// The settlement's list of employees beside its form: whether an employee asked for the
// settlement is a check box under its whole title, the names not cut.
TEST_F(GridsOnALaptop, TheSettlementsListShowsTheRequestAsABoxUnderItsWholeTitle)
{
    choose("mnu_rz_vypocet");
    QApplication::processEvents();
    dbctrl::DBGrid *list = main->employeeList();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    const dbctrl::DBGridModel &m = *list->gridModel();
    ASSERT_EQ(m.effectiveColumns().value(0).fieldName, "RZP");
    EXPECT_FALSE(list->isColumnHidden(0));
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Žiadosť");
    EXPECT_GE(list->columnWidth(0), list->horizontalHeader()->sectionSizeHint(0));
    ASSERT_GT(m.rowCount(), 0);
    EXPECT_TRUE(m.isCheckBoxColumn(0));
    EXPECT_TRUE(m.data(m.index(0, 0), Qt::CheckStateRole).isValid());
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), "");
    const QStringList faults = test::gridWordFaults(QStringLiteral("settlement"), *list);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();

    // Back on the employee card the request is not shown.
    main->employeesAction();
    QApplication::processEvents();
    EXPECT_TRUE(list->isColumnHidden(0));
}
