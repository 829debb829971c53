// The main menu's tree on the open firm: every row of the table stands under its menu with
// its caption; an item whose command nobody registered (its window is not built yet) shows
// disabled and becomes usable when a subsystem registers it; the insurance statement item
// fits the employer; the window starts maximised.
#include "core/forms/main_menu.h"
#include "mainwin_fixture.h"
#include "platform/ui/scripted_user_interface.h"

#include <QAction>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace tarix;
using core::MainMenuItem;
using mainwintest::MainWindowTest;

namespace {
using MainMenuStates = MainWindowTest;
} // namespace

TEST_F(MainMenuStates, EveryRowStandsUnderItsMenuWithItsCaption)
{
    for (const MainMenuItem &item : core::mainMenuItems()) {
        if (item.kind == MainMenuItem::Kind::Separator)
            continue;
        const QString name = QString::fromLatin1(item.objectName);
        SCOPED_TRACE(name.toStdString());
        QAction *a = nullptr;
        if (item.kind == MainMenuItem::Kind::Menu) {
            QMenu *m = main->findChild<QMenu *>(name);
            ASSERT_NE(m, nullptr);
            a = m->menuAction();
        } else {
            a = main->findChild<QAction *>(name);
        }
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
        if (*item.parent) {
            QMenu *parent = main->findChild<QMenu *>(QString::fromLatin1(item.parent));
            ASSERT_NE(parent, nullptr);
            EXPECT_TRUE(parent->actions().contains(a)) << "not under " << item.parent;
        } else {
            EXPECT_TRUE(main->menuBar()->actions().contains(a));
        }
    }
    // The old payment-order report is in the tree, never shown.
    EXPECT_FALSE(widget<QAction>("tlac_hp")->isVisible());
}

TEST_F(MainMenuStates, AnItemWithoutItsCommandIsDisabledUntilOneIsRegistered)
{
    emit main->settingsMenu()->aboutToShow();
    emit main->overviewsMenu()->aboutToShow();
    for (const char *name : {"mnu_setup1", "mnu_inf", "mnu_cis_vm1", "tlac_vp", "tlac_sp_xml_k", "sp_reglisty"}) {
        QAction *a = widget<QAction>(name);
        EXPECT_TRUE(a->isVisible()) << name;
        EXPECT_FALSE(a->isEnabled()) << name;
    }
    // "Zmena strediska" is the window's own: the employer's state enables it.
    EXPECT_TRUE(widget<QAction>("mnu_zmena_strediska")->isEnabled());

    int ran = 0;
    core::ScopedCommand setup(core::mainMenuCommands(), "mnu_setup1", [&](const core::CommandContext &c) {
        EXPECT_EQ(c.owner, main);
        ++ran;
    });
    choose(main->settingsMenu(), "Spoločné parametre programu");
    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(widget<QAction>("mnu_setup2")->isEnabled());

    // On another page than the start page the main menus are off, registered or not.
    main->showPage("DZP");
    main->Akcia_priprav_menu();
    EXPECT_FALSE(main->settingsMenu()->isEnabled());
    EXPECT_FALSE(main->overviewsMenu()->isEnabled());
    main->showPage("EMPTY");
    main->Akcia_priprav_menu();
    EXPECT_TRUE(main->overviewsMenu()->isEnabled());
    EXPECT_TRUE(scripted.failures().isEmpty());
}

// "Výkaz poistného a dávok" for an employer who pays sickness benefits himself, otherwise
// "Výkaz poistného".
TEST_F(MainMenuStates, TheInsuranceStatementFitsTheEmployer)
{
    db::Table &inf = core::DM().TINF_;
    for (int pays : {1, 0}) {
        SCOPED_TRACE(pays);
        inf.edit();
        inf.setValue("F_ND_POCITA", pays);
        inf.post();
        main->Menu_maly_velky_zavod();
        EXPECT_EQ(widget<QAction>("tlac_spv1")->isVisible(), pays != 0);
        EXPECT_EQ(widget<QAction>("tlac_sp1")->isVisible(), pays == 0);
    }
}

TEST(MainWindowStart, StartsMaximised)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    core::TFormMain main;
    EXPECT_TRUE(main.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(main.windowTitle(), "TARIX VERZIA 3.20H3");
}
