// The main menu offers the commands the subsystems register: an item is usable only for a
// registered command (until then it shows disabled), runs it with the window as its owner,
// and follows its rule.
#include "core/forms/main_menu.h"
#include "mainwin_fixture.h"
#include "platform/errors.h"
#include "platform/ui/scripted_user_interface.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace tarix;
using core::CommandContext;
using core::ScopedCommand;
using mainwintest::MainWindowTest;

namespace {

// The captions of a menu's shown entries, separators as "-".
QStringList shown(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// The captions of the entries a clerk can choose (shown and enabled items, no submenus).
QStringList usable(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !a->menu())
            out << a->text();
    return out;
}

} // namespace

TEST(MainMenuCommands, RegisteredCommandsAppearAndRun)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    core::CommandRegistry &commands = core::mainMenuCommands();
    {
        // Nothing registered: the items show, disabled.
        core::TFormMain bare;
        for (const char *name : {"mnu_vyplaty", "mnu_prepocet", "mnu_rozdelenie_dane"}) {
            QAction *a = bare.findChild<QAction *>(name);
            ASSERT_NE(a, nullptr) << name;
            EXPECT_TRUE(a->isVisible()) << name;
            EXPECT_FALSE(a->isEnabled()) << name;
        }
        EXPECT_TRUE(bare.findChild<QMenu *>("mnu_nastroje")->menuAction()->isVisible());
        EXPECT_EQ(usable(bare.mainMenu()), (QStringList{"Zmena &strediska", "Zmena výplatného &obdobia"}));
    }

    QWidget *opened = nullptr;
    int recalculated = 0;
    ScopedCommand vyplaty(commands, "vyplaty", [&](const CommandContext &c) { opened = c.owner; });
    ScopedCommand prepocet(commands, "prepocitanie_vyplat", [&](const CommandContext &) { ++recalculated; });
    {
        core::TFormMain main;
        QAction *a = main.findChild<QAction *>("mnu_vyplaty");
        ASSERT_NE(a, nullptr);
        EXPECT_TRUE(a->isVisible());
        EXPECT_EQ(a->text(), "&Výplaty");
        a->trigger();
        EXPECT_EQ(opened, &main);
        main.findChild<QAction *>("mnu_prepocet")->trigger();
        EXPECT_EQ(recalculated, 1);
        // The menu keeps its order; the tools submenu has nothing to choose.
        EXPECT_EQ(usable(main.mainMenu()), (QStringList{"&Výplaty", "Prepočítanie všetkých výplat",
                                                          "Zmena &strediska", "Zmena výplatného &obdobia"}));
        QMenu *nastroje = main.findChild<QMenu *>("mnu_nastroje");
        EXPECT_TRUE(usable(nastroje).isEmpty());

        // A command registered while the window lives is enabled when its menu is opened next.
        ScopedCommand rozdelenie(commands, "rozdelenie_dane", [](const CommandContext &) {});
        emit main.mainMenu()->aboutToShow();
        EXPECT_TRUE(nastroje->menuAction()->isVisible());
        EXPECT_EQ(nastroje->title(), "Nástroje");
        EXPECT_EQ(usable(nastroje), QStringList{"Rozdelenie dane na preddavky a zrážky podľa sumy"});
    }
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST(MainMenuCommands, TheRuleDisablesTheItemAndItsClick)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    bool allowed = false;
    int ran = 0;
    ScopedCommand vyplaty(core::mainMenuCommands(), "vyplaty", [&](const CommandContext &) { ++ran; },
                          [&] { return allowed; });
    core::TFormMain main;
    QAction *a = main.findChild<QAction *>("mnu_vyplaty");
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(a->isEnabled());
    // A click that comes anyway (the rule changed since the menu was shown) runs nothing.
    a->setEnabled(true);
    a->trigger();
    EXPECT_EQ(ran, 0);

    allowed = true;
    main.Akcia_priprav_menu();
    EXPECT_TRUE(a->isEnabled());
    a->trigger();
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(scripted.failures().isEmpty());
}

namespace {
using MainMenuCommandsOnAFirm = MainWindowTest;
} // namespace

// On the open firm: the full main menu, a failing command reported, and the recalculation's
// item applying the employee list's selection again afterwards.
TEST_F(MainMenuCommandsOnAFirm, FullMenuErrorsAndTheListAfterARecalculation)
{
    core::CommandRegistry &commands = core::mainMenuCommands();
    ScopedCommand vyplaty(commands, "vyplaty", [](const CommandContext &) {
        throw EMyError(QStringLiteral("Výplaty nie sú k dispozícii."));
    });
    // A command that moves the open period back to March, when Žiak (left in April) was
    // still employed.
    ScopedCommand prepocet(commands, "prepocitanie_vyplat", [](const CommandContext &) {
        db::Table &privateFolderDb = core::DM().TPRIV_;
        privateFolderDb.edit();
        privateFolderDb.setValue(QStringLiteral("MESIAC"), 3);
        privateFolderDb.post();
    });
    ScopedCommand rozdelenie(commands, "rozdelenie_dane", [](const CommandContext &) {});
    main->Akcia_priprav_menu();
    EXPECT_EQ(shown(main->mainMenu()),
              (QStringList{"&Zamestnanci", "Zamestnanci - zobrazovanie", "-", "&Výplaty",
                           "Ročné zúčtovanie preddavkov dane", "Ročné zúčtovanie zdravotného poistenia", "-",
                           "&Hromadné spracovanie výplat", "Import z TXT - Anketári",
                           "Nastav garančné poistenie všetkým zamestnancom", "Export do súboru pre &Zefir98", "-",
                           "Inicializácia nového roka", "Zálohovanie údajov", "Obnova zo záložnej kópie", "-",
                           "Nástroje", "Prepočítanie všetkých výplat", "-", "Zmena &strediska",
                           "Zmena výplatného &obdobia"}));
    EXPECT_EQ(usable(main->mainMenu()),
              (QStringList{"&Zamestnanci", "&Výplaty", "Prepočítanie všetkých výplat", "Zmena &strediska",
                           "Zmena výplatného &obdobia"}));
    EXPECT_EQ(shown(main->menuSystem()), (QStringList{"&Výber firmy", "&Pridanie novej firmy", "&Zrušenie firmy", "-",
                                                      "&Koniec programu"}));
    // "Číselník príspevkov k prídavkom na deti" is hidden from 2005 on.
    EXPECT_EQ(shown(main->settingsMenu()),
              (QStringList{"&Spoločné parametre programu", "&Zaokrúhľovanie", "&Parametre zamestnávateľa",
                           "&Daň z príjmu - ročná tabuľka ", "-", "Číselník parametrov programu", "Číselník stredísk",
                           "Číselník zdravotných poisťovní", "Číselník bankových spojení",
                           "Číselník pracovných výkonov", "Číselník výnimiek z minimálneho vymer.základu",
                           "Číselník pre vstupy do podvoj. účtovníctva"}));
    EXPECT_EQ(usable(main->settingsMenu()), QStringList{"&Daň z príjmu - ročná tabuľka "});

    choose(main->mainMenu(), "Výplaty");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{"Výplaty nie sú k dispozícii."});

    EXPECT_EQ(zam().recordCount(), 9);
    choose(main->mainMenu(), "Prepočítanie všetkých výplat");
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200703);
    EXPECT_EQ(zam().recordCount(), 10);
}
