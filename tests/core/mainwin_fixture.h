#pragma once
// The program started on a fresh demo installation with the login dialog answered, firm 01
// opened in July 2007 through the firm menu, and helpers to work the main window as a clerk
// does: menu items by caption, typing into a field, clicking a tab.
#include "core/app_ini.h"
#include "core/helpers/app_paths.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/karta_zam.h"
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "firm_fixture.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"

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

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_template = new QTemporaryDir;
        core::InstallationOptions options;
        options.firstYear = 2007;
        options.lastYear = 2007;
        core::createInstallation(s_template->path(), options);
    }
    static void TearDownTestSuite()
    {
        delete s_template;
        s_template = nullptr;
    }

    // The program's own start-up with the login dialog; the other tests build the same
    // window directly (and free it themselves, while the application still runs).
    virtual bool throughStartup() const { return false; }
    // Modules of the layers above the core that a test stands in for (created after TDMP,
    // destroyed after TDM).
    virtual void createExtraModules() {}
    virtual void destroyExtraModules() {}

    void SetUp() override
    {
        copyFolder(s_template->path(), dir.path());
        if (throughStartup()) {
            core::StartupOptions options;
            options.programFolder = dir.path();
            options.showWindows = false;
            core::registerModules();
            core::StartupHooks hooks;
            hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
            // The login dialog, answered with the empty password of a new installation.
            firmtest::whileDialogs([&] { main = core::startProgram(options, hooks); },
                                   [](QWidget *w) {
                                       auto *edit = w->findChild<QLineEdit *>("Password");
                                       auto *ok = w->findChild<QPushButton *>("OKBtn");
                                       ASSERT_TRUE(edit && ok) << w->objectName().toStdString();
                                       edit->setText("");
                                       ok->click();
                                   });
        } else {
            const QString root = dir.path() + '/';
            core::setAppPaths(core::deriveAppPaths(root, QString(), QString()));
            core::openAppIni(root);
            core::openStartupSession(core::appPaths());
            core::createDM();
            core::createDMZ();
            core::createDMP();
            createExtraModules();
            core::DMA().Registruj_tabulky();
            owned = std::make_unique<core::TFormMain>();
            main = owned.get();
            ASSERT_TRUE(main->Prihlasenie([](core::TDM &) { return true; }));
            main->Vytvor_menu_firiem();
            core::DMA().Vypni_zdroje_dat();
        }
        ASSERT_NE(main, nullptr);

        // Firm 01, year 2007: every centre, July.
        QMenu *firm = main->menuOtvorenieFirmy()->actions().value(0)->menu();
        ASSERT_NE(firm, nullptr);
        QAction *year = nullptr;
        for (QAction *a : firm->actions())
            if (a->text() == "2007")
                year = a;
        ASSERT_NE(year, nullptr);
        firmtest::whileDialogs([&] { year->trigger(); },
                               [](QWidget *w) {
                                   if (auto *july = w->findChild<QRadioButton *>("Mesiac7"))
                                       july->setChecked(true);
                                   w->findChild<QPushButton *>("OKBtn")->click();
                               });
        ASSERT_EQ(main->openFirm(), 1);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200707);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        owned.reset();
        core::Zrus_otvorenu_firmu();
        core::endProgram();
        core::destroyDMP();
        core::destroyDMZ();
        core::destroyDM();
        core::moduleRegistry().clear();
        destroyExtraModules();
        core::DMA().Registruj_tabulky();
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join("\n").toStdString();
    }

    static void copyFolder(const QString &from, const QString &to)
    {
        QDir src(from);
        for (const QString &name : src.entryList(QDir::Files))
            QFile::copy(src.filePath(name), QDir(to).filePath(name));
        for (const QString &sub : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDir(to).mkpath(sub);
            copyFolder(src.filePath(sub), QDir(to).filePath(sub));
        }
    }

    // ---- the window --------------------------------------------------------------------------
    core::TKartaZam &karta() { return *main->karta(); }
    QString page() const { return main->aktualnaStranka(); }
    QString tab() { return karta().NX_ZAM()->aktualnaStranka(); }
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
    static void type(QWidget *w, const QString &text)
    {
        if (auto *le = qobject_cast<QLineEdit *>(w))
            le->selectAll();
        for (const QChar ch : text) {
            const int key = ch.isLetterOrNumber() && ch.unicode() < 128 ? int(ch.toUpper().unicode()) : int(Qt::Key_unknown);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(w, &release);
        }
    }

    // Clicks a tab of the card's page control.
    void clickTab(const QString &pageName)
    {
        core::TStranky *tabs = karta().NX_ZAM();
        const int i = tabs->indexStranky(pageName);
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
        choose(main->menuHlavne(), "Zamestnanci");
        ASSERT_EQ(page(), "ZAM1");
    }
    // Chooses an employee by name in the right-hand list.
    void chooseInList(const QString &surname)
    {
        dbctrl::DBGrid *list = main->zoznamZamestnancov();
        const int row = rowWith(list, surname);
        ASSERT_GE(row, 0) << surname.toStdString();
        ASSERT_TRUE(list->moveToRow(row));
    }

    static QTemporaryDir *s_template;
    QTemporaryDir dir;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    core::TFormMain *main = nullptr;
    std::unique_ptr<core::TFormMain> owned;
};

inline QTemporaryDir *MainWindowTest::s_template = nullptr;

} // namespace tarix::mainwintest
