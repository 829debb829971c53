// The commands the payroll and reports subsystems register show in the main menu and run
// there: the payroll screen over the main window, the recalculation's question, and the
// payroll screen's print actions.
#include "core/forms/main_menu.h"
#include "core/mainwin_fixture.h"
#include "payroll/dm_v.h"
#include "payroll/forms/form_main_vyp.h"
#include "reports/forms/payroll_print.h"
#include "report_checks.h"

using namespace tarix;

namespace {

class SubsystemCommands : public mainwintest::MainWindowTest {
protected:
    void createExtraModules() override { payroll::createDMV(); }
    void destroyExtraModules() override { payroll::destroyDMV(); }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        registered.keep();
        payroll::registerCommands();
        reports::registerCommands();
    }
    void TearDown() override
    {
        registered.restore();
        payroll::payrollScreenPrintCommands().clear();
        MainWindowTest::TearDown();
    }

    reports::fixtures::RegisterSnapshot registered;
};

} // namespace

TEST_F(SubsystemCommands, ShowInTheMainMenuAndRun)
{
    EXPECT_EQ(core::mainMenuCommands().ids(),
              (QStringList{"prepocitanie_vyplat", "rozdelenie_dane", "vyplaty"}));
    EXPECT_EQ(payroll::payrollScreenPrintCommands().ids(), (QStringList{"VP", "VYK"}));
    emit main->mainMenu()->aboutToShow();
    for (const char *name : {"mnu_vyplaty", "mnu_prepocet", "mnu_rozdelenie_dane"})
        EXPECT_TRUE(widget<QAction>(name)->isVisible()) << name;
    EXPECT_TRUE(widget<QMenu>("mnu_nastroje")->menuAction()->isVisible());

    // "&Výplaty": the payroll screen, modal over the main window.
    QWidget *screen = nullptr;
    firmtest::whileDialogs([&] { choose(main->mainMenu(), "Výplaty"); },
                           [&](QWidget *w) {
                               screen = w;
                               EXPECT_EQ(w->parentWidget(), main);
                               w->close();
                           });
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "FormMainVyp");
    EXPECT_FALSE(payroll::MainVyp::Vyplaty_otvorene());

    // The recalculation asks before it touches the month; No leaves it.
    scripted.answerNo();
    choose(main->mainMenu(), "Prepočítanie všetkých výplat");
    EXPECT_EQ(scripted.questions().size(), 1);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join('\n').toStdString();
}
