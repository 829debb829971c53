// A subsystem's page of the main window: registered before the window is made, it stands in
// the notebook, its operation menu shows only with it, and its return leaves for the start
// page; the running window shows it on the subsystem's request.
#include "core/forms/form_main.h"
#include "core/forms/main_window_pages.h"
#include "platform/ui/scripted_user_interface.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <gtest/gtest.h>

using namespace tarix;

namespace {

struct ClearedPages {
    ~ClearedPages() { core::clearMainWindowPages(); }
};

// A page with an operation menu whose last item is the page's return.
QWidget *pageWithMenu(QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *menu = new QMenu(QStringLiteral("&Operácie-skúška"), page);
    menu->setObjectName(QStringLiteral("Operacie_skuska"));
    menu->addAction(QStringLiteral("Niečo"));
    menu->addAction(QStringLiteral("&Návrat"))->setProperty("navrat", true);
    return page;
}

QMenu *menuOf(QWidget *page) { return page->findChild<QMenu *>(QStringLiteral("Operacie_skuska")); }

} // namespace

TEST(MainWindowPages, ARegisteredPageStandsInTheNotebookAndShowsItsMenuWithIt)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
    ClearedPages cleared;
    // the first registration of a name is replaced by the later one
    core::registerMainWindowPage({.name = "SKUSKA", .create = [](QWidget *) -> QWidget * { return nullptr; }});
    core::registerMainWindowPage({.name = "SKUSKA", .create = pageWithMenu, .operations = menuOf});
    // a page whose module does not exist is left out
    core::registerMainWindowPage({.name = "BEZ_MODULU", .create = [](QWidget *) -> QWidget * { return nullptr; }});
    ASSERT_EQ(core::mainWindowPages().size(), 2u);
    {
        core::TFormMain main;
        EXPECT_EQ(core::runningMainWindow(), &main);
        QWidget *page = core::mainWindowPage("SKUSKA");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->parentWidget(), main.notebook());
        EXPECT_EQ(core::mainWindowPage("BEZ_MODULU"), nullptr);
        EXPECT_FALSE(core::showMainWindowPage("BEZ_MODULU"));

        QMenu *menu = main.pageOperations("SKUSKA");
        ASSERT_EQ(menu, menuOf(page));
        EXPECT_TRUE(main.menuBar()->actions().contains(menu->menuAction()));
        EXPECT_FALSE(menu->menuAction()->isVisible());

        EXPECT_TRUE(core::showMainWindowPage("SKUSKA"));
        EXPECT_EQ(main.currentPageName(), "SKUSKA");
        EXPECT_TRUE(menu->menuAction()->isVisible());
        // a page without a selection mode keeps the card's mode
        EXPECT_EQ(main.employeeSelectionMode(), QChar(u'Z'));

        menu->actions().last()->trigger();
        EXPECT_EQ(main.currentPageName(), "EMPTY");
        EXPECT_FALSE(menu->menuAction()->isVisible());
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    }
    // with the window gone nothing is shown
    EXPECT_EQ(core::runningMainWindow(), nullptr);
    EXPECT_FALSE(core::showMainWindowPage("SKUSKA"));
}
