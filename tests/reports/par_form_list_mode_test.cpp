// The report parameter dialog lists the employees in the mode the clerk chose on the main
// window ("Zamestnanci - zobrazovanie"), not in a mode of its own, for the open period
// (July 2007): Žiak (6) left on 30.4.2007, the agreement of 7 runs until 31.12.2007.
#include "core/mainwin_fixture.h"
#include "reports/forms/f_par_form.h"

#include <QComboBox>
#include <algorithm>

using namespace tarix;

namespace {

using ReportDialogListMode = mainwintest::MainWindowTest;

} // namespace

TEST_F(ReportDialogListMode, FollowsTheMainWindowsChoice)
{
    // The window starts with the current employees: the first choice changes the mode.
    struct Case {
        const char *item;
        QList<int> employees; // Code_emp
    } cases[] = {
        {"Zobrazovať len ukončených zamestnancov", {6}},
        {"Zobrazovať len platných zamestnancov", {1, 2, 3, 4, 5, 7, 8, 9, 10}},
        {"Zobrazovať všetkých zamestnancov", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        choose(main->mainMenu(), c.item);
        reports::TMyReportParam unit;
        reports::Priprav_parametre_zostavy(unit);
        unit.Kod_zostavy = QStringLiteral("VL");
        reports::TFParForm form(unit);
        QList<int> listed;
        for (int i = 1; i < form.CB_zam->count(); ++i) // row 0: the whole firm
            listed << form.CB_zam->itemData(i).toInt();
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, c.employees);
    }
}
