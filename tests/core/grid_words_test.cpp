// What the grids outside bulk entry show a clerk: every column titled in words (never a
// field's name), as wide as its title and its values, and a logical field as a check box
// rather than "True"/"False". Walks the main window's pages, the employee card's tabs and
// every code list of the settings menu (offscreen).
#include "core/forms/form_cis.h"
#include "core/forms/settings_commands.h"
#include "mainwin_fixture.h"

#include <QHeaderView>
#include <QLabel>

using namespace tarix;

namespace {

// What is wrong with a grid's titles and cells, one line each.
QStringList gridFaults(const QString &where, dbctrl::DBGrid &grid)
{
    QStringList faults;
    const dbctrl::DBGridModel &m = *grid.gridModel();
    const QHeaderView *header = grid.horizontalHeader();
    const QString at = where + QLatin1Char('/') + grid.objectName() + QLatin1Char(' ');
    for (int c = 0; c < m.columnCount(); ++c) {
        if (grid.isColumnHidden(c))
            continue;
        const QString title = m.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString field = m.effectiveColumns()[c].fieldName;
        const db::Field *f = m.declaredField(c);
        // A title that is the field's name because nobody named the column.
        if ((title.compare(field, Qt::CaseInsensitive) == 0 && !(f && f->hasLabel()))
            || title.contains(QLatin1String("CALC_"), Qt::CaseInsensitive))
            faults << at + "titled by the field name " + title;
        if (grid.columnWidth(c) < header->sectionSizeHint(c))
            faults << at + "title cut: " + title;
        for (int r = 0; r < qMin(m.rowCount(), 40); ++r) {
            const QString text = m.data(m.index(r, c), Qt::DisplayRole).toString();
            if (text == QLatin1String("True") || text == QLatin1String("False"))
                faults << at + title + " shows " + text;
            // A column sized by its values; a text longer than a third of the screen may be cut.
            if (m.effectiveColumns()[c].width < 0 && grid.columnWidth(c) < dbctrl::DBGrid::kWidestColumn
                && grid.fontMetrics().horizontalAdvance(text) + 6 > grid.columnWidth(c))
                faults << at + title + " cuts " + text;
        }
    }
    return faults;
}

class GridWords : public mainwintest::MainWindowTest {};

} // namespace

TEST_F(GridWords, MainWindowAndCardGridsTitleAndShowTheirFieldsInWords)
{
    main->resize(1366, 768);
    main->show();
    openCard();
    chooseInList("Hudák");
    QApplication::processEvents();
    QStringList faults;
    core::TPages *tabs = cardWindow().NX_ZAM();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        for (dbctrl::DBGrid *g : tabs->widget(i)->findChildren<dbctrl::DBGrid *>())
            faults << gridFaults(tabs->widget(i)->objectName(), *g);
    }
    for (dbctrl::DBGrid *g : main->findChildren<dbctrl::DBGrid *>())
        faults << gridFaults(QStringLiteral("main"), *g);
    faults.removeDuplicates();
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();

    // The employee list beside the card: the request for the annual settlement is a box.
    dbctrl::DBGrid *list = main->employeeList();
    ASSERT_NE(list, nullptr);
    const dbctrl::DBGridModel &m = *list->gridModel();
    ASSERT_EQ(m.effectiveColumns().value(0).fieldName, "RZP");
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Žiadosť");
    ASSERT_GT(m.rowCount(), 0);
    EXPECT_TRUE(m.isCheckBoxColumn(0));
    EXPECT_TRUE(m.data(m.index(0, 0), Qt::CheckStateRole).isValid());
    EXPECT_EQ(m.data(m.index(0, 0), Qt::DisplayRole).toString(), "");
    main->hide();
}

TEST_F(GridWords, EveryCodeListTitlesItsColumnsInWords)
{
    core::CommandRegistry registry{core::settingsCommandIds()};
    core::registerSettingsCommands(registry);
    QStringList faults;
    int shown = 0;
    for (const QString &id : core::settingsCommandIds()) {
        if (!id.startsWith(QLatin1String("mnu_cis")))
            continue;
        test::whileDialogs([&] { registry.find(id)->run({}); },
                           [&](QWidget *w) {
                               if (auto *f = qobject_cast<core::TFormCis *>(w)) {
                                   ++shown;
                                   f->resize(1366, 768);
                                   QApplication::processEvents();
                                   faults << gridFaults(f->Panel0->text().trimmed(), *f->DBGrid1);
                               }
                               w->close();
                           });
    }
    EXPECT_GE(shown, 7);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}
