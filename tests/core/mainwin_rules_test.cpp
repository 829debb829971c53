// The decisions of the main window's pages: menu states, list filters and orders, the
// pending-edit guard and the hint texts.
#include "core/forms/my_menu.h"
#include "core/forms/page_rules.h"
#include "core/helpers/messages.h"
#include "platform/db/table.h"
#include "platform/errors.h"

#include <QMenuBar>
#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::core;
using dbctrl::NavigateButton;

TEST(MainWindowRules, OperationMenuItemsFollowTheTableState)
{
    // tag: 1 new, 2 edit, 3 delete, 4 post, 5 cancel; the return goes with the first three.
    struct Case {
        bool editing;
        bool enabled[5];
        bool navrat;
    } cases[] = {
        {false, {true, true, true, false, false}, true},
        {true, {false, false, false, true, true}, false},
    };
    for (const Case &c : cases) {
        for (int tag = 1; tag <= 5; ++tag)
            EXPECT_EQ(itemAllowed(tag, c.editing), c.enabled[tag - 1]) << "tag " << tag << " editing " << c.editing;
        EXPECT_EQ(operationState(c.editing).navrat, c.navrat);
        EXPECT_FALSE(itemAllowed(0, c.editing));
        EXPECT_FALSE(itemAllowed(6, c.editing));
    }
}

TEST(MainWindowRules, FixedMenusPressTheListOrTheDetailNavigator)
{
    struct Case {
        int tag;
        bool list;
        NavigateButton button;
    } cases[] = {
        {1, true, NavigateButton::Insert}, {2, false, NavigateButton::Edit}, {3, true, NavigateButton::Delete},
        {4, false, NavigateButton::Post},  {5, false, NavigateButton::Cancel},
    };
    for (const Case &c : cases) {
        const OperationButton t = operationButton(c.tag);
        EXPECT_EQ(t.zoznam, c.list) << c.tag;
        EXPECT_EQ(t.tlacidlo, c.button) << c.tag;
    }
}

TEST(MainWindowRules, MainMenusOnlyOnTheStartPage)
{
    struct Case {
        bool startPage, firmOpen;
        bool system, others;
    } cases[] = {
        {true, false, true, false},
        {true, true, true, true},
        {false, true, false, false},
        {false, false, false, false},
    };
    for (const Case &c : cases) {
        const MainMenuState s = mainMenuState(c.startPage, c.firmOpen);
        EXPECT_EQ(s.system, c.system);
        EXPECT_EQ(s.hlavne, c.others);
        EXPECT_EQ(s.prehlady, c.others);
        EXPECT_EQ(s.nastavenia, c.others);
    }
}

TEST(MainWindowRules, EmployeeFiltersOfTheOpenMonth)
{
    const QString c = "1<=sid and sid<=1";
    EXPECT_EQ(employeeFilter(u'S', 200707, c),
              "(Vystup=null or Vystup>='1.7.2007') and Nastup<='31.7.2007' and 1<=sid and sid<=1");
    EXPECT_EQ(employeeFilter(u'V', 200702, c),
              "(Vystup<>null and Vystup<'1.2.2007') and Nastup<='28.2.2007' and 1<=sid and sid<=1");
    EXPECT_EQ(employeeFilter(u'A', 200712, c), c);
    // Any other mode shows the current employees; a leap February ends on the 29th.
    EXPECT_EQ(employeeFilter(u'X', 200402, c),
              "(Vystup=null or Vystup>='1.2.2004') and Nastup<='29.2.2004' and 1<=sid and sid<=1");
}

TEST(MainWindowRules, ColumnTitlesChooseTheOrder)
{
    struct Case {
        const char *field;
        bool choiceGrid;
        SortOrder order;
    } cases[] = {
        {"Code_numb", false, SortOrder::PodlaCisla}, {"CODE_NUMB", true, SortOrder::PodlaCisla},
        {"PMT", false, SortOrder::PodlaMena},        {"RZP", false, SortOrder::PodlaMena},
        {"pmt", true, SortOrder::PodlaMena},         {"Nastup", true, SortOrder::Ziadne},
    };
    for (const Case &c : cases)
        EXPECT_EQ(sortByColumn(c.field, c.choiceGrid), c.order) << c.field << " " << c.choiceGrid;
    EXPECT_EQ(sortIndex(SortOrder::PodlaMena), "ZAM1");
    EXPECT_EQ(sortIndex(SortOrder::PodlaCisla), "");
}

TEST(MainWindowRules, HintsNameTheAllowedValues)
{
    EXPECT_EQ(hintText("%SMyAppHintPoistenie"), Msg(65144));
    EXPECT_EQ(hintText("%SMyAppHintPoistenie2"), Msg(65145));
    EXPECT_EQ(hintText("Rodné číslo bez lomky"), "Rodné číslo bez lomky");
    EXPECT_EQ(hintText(""), "");
}

TEST(MainWindowRules, TextsOfTheChoicePageAndNewContracts)
{
    EXPECT_EQ(selectionHeading(u'Z'), "  1.04  Zamestnanci - výber zamestnanca");
    EXPECT_EQ(selectionHeading(u'R'), "  1.04  Ročné zúčtovanie preddavkov - výber zamestnanca");
    for (int tag : {0, 1, 2, 3, 4})
        EXPECT_EQ(newDocumentType(tag), tag + 10);
}

TEST(MainWindowRules, PendingEditGuard)
{
    EXPECT_FALSE(Prebieha_editacia({}));
    EXPECT_FALSE(Prebieha_editacia({nullptr}));
    db::Table closed;
    EXPECT_FALSE(Prebieha_editacia({&closed, nullptr}));
    EXPECT_NO_THROW(checkChangesFinished(false));
    try {
        checkChangesFinished(true);
        ADD_FAILURE() << "no refusal";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65199));
    }
}

TEST(MainWindowRules, TabMenusHaveFiveHiddenItems)
{
    QMenuBar bar;
    TMyMenu menu(&bar, "Operácie-zrážky", nullptr);
    EXPECT_FALSE(menu.isShown());
    ASSERT_EQ(menu.items().size(), 5);
    QStringList captions;
    for (TMyMenuItem *item : menu.items()) {
        captions << item->text();
        EXPECT_EQ(item->menu(), &menu);
    }
    EXPECT_EQ(captions, operationItems());
    EXPECT_EQ(captions, (QStringList{"Nový záznam", "Oprava údajov", "Vymazanie záznamu", "Zápis zmien",
                                     "Ignorovanie zmien"}));
    // Without a table nothing is being edited.
    menu.showMyMenu(true);
    EXPECT_TRUE(menu.isShown());
    EXPECT_TRUE(menu.items()[0]->isEnabled());
    EXPECT_FALSE(menu.items()[3]->isEnabled());
}
