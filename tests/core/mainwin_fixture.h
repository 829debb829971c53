#pragma once
// The program started on a fresh demo installation (year 2007) with the login dialog
// answered, firm 01 opened in July 2007 through the firm menu, and helpers to work the main
// window as a clerk does: menu items by caption, typing into a field, clicking a tab.
#include "core/app_ini.h"
#include "core/helpers/app_paths.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/employee_card.h"
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "firm_fixture.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/program_folder.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>

namespace tarix::mainwintest {

class MainWindowTest : public test::ProgramStartTest<> {
protected:
    // The program's own start-up with the login dialog; the other tests build the same
    // window directly (and free it themselves, while the application still runs).
    virtual bool throughStartup() const { return false; }
    // Modules of the layers above the core that a test stands in for (created after TDMP,
    // destroyed before it, as the program does).
    virtual void createExtraModules() {}
    virtual void destroyExtraModules() {}

    std::vector<test::ModuleSteps> dataModules()
    {
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({[this] { createExtraModules(); }, [this] { destroyExtraModules(); }});
        return all;
    }

    void SetUp() override
    {
        ProgramStartTest::SetUp();
        dir.install({true, 2007, 2007});
        if (throughStartup()) {
            core::StartupHooks hooks;
            modules.handOver(dataModules(), true);
            hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
            main = test::startWithLogin(dir.path(), hooks);
        } else {
            program.open(dir.root());
            modules.create(dataModules(), true);
            owned = std::make_unique<core::TFormMain>();
            main = owned.get();
            ASSERT_TRUE(main->logIn([](core::TDM &) { return true; }));
            main->Vytvor_menu_firiem();
            core::DMA().Vypni_zdroje_dat();
        }
        ASSERT_NE(main, nullptr);

        // Firm 01, year 2007: every centre, July.
        test::openFirmFromMenu(*main, 2007, 7);
        ASSERT_EQ(main->openFirm(), 1);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200707);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        owned.reset();
        core::dropOpenFirm();
        core::endProgram();
        modules.destroy();
        program.close();
        test::ProgramStartTest<>::TearDown();
    }

    static void copyFolder(const QString &from, const QString &to) { test::copyFolder(from, to); }

    // ---- the window --------------------------------------------------------------------------
    core::TEmployeeCard &cardWindow() { return *main->cardWindow(); }
    QString page() const { return main->currentPageName(); }
    QString tab() { return cardWindow().NX_ZAM()->currentPageName(); }
    db::Table &zam() { return core::DMZ().TZAM_; }

    // The action of a menu (searched in its submenus too) by caption, '&' ignored.
    static QAction *action(QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions()) {
            if (QString(a->text()).remove('&') == QString(caption).remove('&'))
                return a;
            if (a->menu())
                if (QAction *found = action(a->menu(), caption))
                    return found;
        }
        return nullptr;
    }
    // Chooses a menu item as the user does: only a visible, enabled item of a shown menu.
    void choose(QMenu *menu, const QString &caption)
    {
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->menuAction()->isVisible() && menu->menuAction()->isEnabled())
            << "menu not usable: " << menu->title().toStdString();
        emit menu->aboutToShow();
        QAction *a = action(menu, caption);
        ASSERT_NE(a, nullptr) << caption.toStdString();
        ASSERT_TRUE(a->isEnabled()) << "disabled: " << caption.toStdString();
        a->trigger();
    }
    QMenu *topMenu(const QString &title)
    {
        for (QMenu *m : main->findChildren<QMenu *>())
            if (m->menuAction()->isVisible() && QString(m->title()).remove('&') == QString(title).remove('&'))
                return m;
        return nullptr;
    }

    template <class W = QWidget>
    W *widget(const QString &name)
    {
        W *w = main->findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // Types into a field as the keyboard does (the old text selected first).
    static void type(QWidget *w, const QString &text) { test::typeOver(w, text); }

    // Clicks a tab of the card's page control.
    void clickTab(const QString &pageName)
    {
        core::TPages *tabs = cardWindow().NX_ZAM();
        const int i = tabs->pageIndex(pageName);
        ASSERT_GE(i, 0) << pageName.toStdString();
        QTabBar *bar = tabs->tabBar();
        const QPointF at = bar->tabRect(i).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(bar, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, bar->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(bar, &release);
    }

    // The row of the grid whose texts include `text`; -1 when none.
    static int rowWith(dbctrl::DBGrid *grid, const QString &text)
    {
        for (int r = 0; r < grid->gridModel()->rowCount(); ++r)
            for (const QString &cell : grid->gridModel()->rowTexts(r))
                if (cell.contains(text))
                    return r;
        return -1;
    }

    QVariant one(const QString &sql) { return core::session().run(sql).value(0, 0); }

    // Opens the employee card from the main menu.
    void openCard()
    {
        choose(main->mainMenu(), "Zamestnanci");
        ASSERT_EQ(page(), "ZAM1");
    }
    // Chooses an employee by name in the right-hand list.
    void chooseInList(const QString &surname)
    {
        dbctrl::DBGrid *list = main->employeeList();
        const int row = rowWith(list, surname);
        ASSERT_GE(row, 0) << surname.toStdString();
        ASSERT_TRUE(list->moveToRow(row));
    }

    test::Installation dir;
    test::ProgramFolder program;
    test::DataModules modules;
    core::TFormMain *main = nullptr;
    std::unique_ptr<core::TFormMain> owned;
};

} // namespace tarix::mainwintest
