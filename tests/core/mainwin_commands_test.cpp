// Commands of the layers above the core appear in the main menu only when they are provided.
#include "core/forms/form_main.h"
#include "platform/ui/scripted_user_interface.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace tarix;

TEST(MainMenuCommands, ProvidedCommandsAppearAndRun)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    {
        core::TFormMain bare;
        EXPECT_EQ(bare.findChild<QAction *>("mnu_vyplaty"), nullptr);
        EXPECT_EQ(bare.findChild<QAction *>("mnu_prepocet"), nullptr);
    }

    QWidget *opened = nullptr;
    int recalculated = 0;
    core::Prikazy_menu().vyplaty = [&](QWidget *owner) { opened = owner; };
    core::Prikazy_menu().prepocitanie_vyplat = [&] { return ++recalculated; };
    {
        core::TFormMain main;
        QAction *vyplaty = main.findChild<QAction *>("mnu_vyplaty");
        ASSERT_NE(vyplaty, nullptr);
        EXPECT_EQ(vyplaty->text(), "&Výplaty");
        vyplaty->trigger();
        EXPECT_EQ(opened, &main);
        QAction *prepocet = main.findChild<QAction *>("mnu_prepocet");
        ASSERT_NE(prepocet, nullptr);
        prepocet->trigger();
        EXPECT_EQ(recalculated, 1);
        EXPECT_EQ(main.findChild<QAction *>("mnu_rozdelenie_dane"), nullptr);
    }
    core::Prikazy_menu() = {};
    EXPECT_TRUE(scripted.failures().isEmpty());
}
