// From start-up to an open firm, as a clerk does it: login, the firm menu, a year.
#include "core/forms/form_main.h"
#include "core/helpers/messages.h"
#include "core/forms/startup.h"
#include "firm_fixture.h"
#include "support/widgets/program_start.h"
#include "platform/ini/ini_file.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using namespace tarix;

namespace {

class FirmStartup : public test::ProgramStartTest<> {
protected:
    void TearDown() override
    {
        core::dropOpenFirm();
        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ProgramStartTest<>::TearDown();
    }

    // Starts the program with the real login dialog, answered by `login`.
    core::TFormMain *start(const std::function<void(QWidget *)> &login)
    {
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        return test::startWithLogin(dir.path(), hooks, login);
    }

    QString root() const { return dir.root(); }

    test::Installation dir;
};

} // namespace

TEST_F(FirmStartup, LoginFirmMenuAndOpeningAYear)
{
    dir.install();
    core::TFormMain *main = start(test::loginWith({""}));
    ASSERT_NE(main, nullptr);

    const auto firms = main->openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 1);
    EXPECT_TRUE(firms[0]->text().endsWith(" 01")) << firms[0]->text().toStdString();
    QStringList years;
    for (QAction *a : firms[0]->menu()->actions())
        years << a->text();
    ASSERT_EQ(years, (QStringList{"2004", "2005", "2006", "2007", "2008"}));
    EXPECT_FALSE(main->mainMenu()->isEnabled());

    // The year item opens the firm; the cost centre and the period (July) are chosen.
    QStringList dialogs;
    firmtest::whileDialogs([&] { firms[0]->menu()->actions()[3]->trigger(); },
                           [&](QWidget *w) {
                               dialogs << w->objectName();
                               if (auto *july = w->findChild<QRadioButton *>("Mesiac7"))
                                   july->setChecked(true);
                               w->findChild<QPushButton *>("OKBtn")->click();
                           });
    EXPECT_EQ(dialogs, (QStringList{"FormStred", "FormObdobie"}));

    EXPECT_EQ(main->openFirm(), 1);
    db::Session &s = core::session();
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_COMM")), QDir(root() + "COMMON/ROK2007"));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_DATA")), QDir(root() + "DATA01"));
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200707);
    EXPECT_EQ(MyConsts::Parametre(28).Hodnota, 555.0);
    EXPECT_EQ(ini::IniFile(root() + "PARAM.INI").readString("PARAMETER 28", "SKRATKA", ""), "DANOVY_BONUS");
    EXPECT_TRUE(main->mainMenu()->isEnabled());
    EXPECT_TRUE(main->windowTitle().contains(" - Firma: ")) << main->windowTitle().toStdString();

    // The same year in January: the table's first-half value.
    firmtest::whileDialogs([&] { firms[0]->menu()->actions()[3]->trigger(); },
                           [&](QWidget *w) {
                               if (auto *jan = w->findChild<QRadioButton *>("Mesiac1"))
                                   jan->setChecked(true);
                               w->findChild<QPushButton *>("OKBtn")->click();
                           });
    EXPECT_EQ(MyConsts::Parametre(28).Hodnota, 540.0);
}

TEST_F(FirmStartup, ThreeWrongPasswordsEndTheProgram)
{
    dir.install();
    {
        db::Session s;
        s.setAlias("TARIX_PRIV", root() + "PRIVATE");
        s.execute("update \":tarix_priv:sys\" set admin='tajne'");
        s.closeAll();
    }
    core::TFormMain *main = start(test::loginWith({"a", "b", "c"}));
    EXPECT_EQ(main, nullptr);
    const auto errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_GE(errors.size(), 4);
    EXPECT_EQ(errors.mid(errors.size() - 4), (QStringList{Msg(65190), Msg(65190), Msg(65190), Msg(65193)}));
}

TEST_F(FirmStartup, WithoutAFirmTheProgramEnds)
{
    core::InstallationOptions options;
    options.demoFirm = false; // only the template firm "DATA", which is not a firm of the menu
    options.firstYear = options.lastYear = 2007;
    dir.install(options);
    EXPECT_EQ(start(test::loginWith({""})), nullptr);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).last(), Msg(65176));
}
