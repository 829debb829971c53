// What the grids outside bulk entry show a clerk: every column titled in words (never a
// field's name), as wide as its title and its values, and a logical field as a check box
// rather than "True"/"False". Walks the main window's pages, the employee card's tabs and
// every code list of the settings menu (offscreen).
#include "core/forms/form_cis.h"
#include "core/forms/settings_commands.h"
#include "mainwin_fixture.h"
#include "support/widgets/grid_words.h"

#include <QLabel>

using namespace tarix;

namespace {

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
            faults << test::gridWordFaults(tabs->widget(i)->objectName(), *g);
    }
    for (dbctrl::DBGrid *g : main->findChildren<dbctrl::DBGrid *>())
        faults << test::gridWordFaults(QStringLiteral("main"), *g);
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
                                   faults << test::gridWordFaults(f->Panel0->text().trimmed(), *f->DBGrid1);
                               }
                               w->close();
                           });
    }
    EXPECT_GE(shown, 7);
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}
