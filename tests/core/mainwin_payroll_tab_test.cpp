// The piece-work tab of the card: its table belongs to the payroll module, whose subsystem
// registers the card's piece-work page; a stand-in module and page here. Without a page,
// or while the page has no source, the card has no such tab.
#include "core/card_page_provider.h"
#include "core/data_module.h"
#include "core/forms/my_menu.h"
#include "core/helpers/messages.h"
#include "mainwin_fixture.h"

using namespace tarix;

namespace {

class StandInPayroll : public core::DataModule {
public:
    StandInPayroll()
        : DataModule(QStringLiteral("TDMV")), TZUK_(addTable("TZUK_", "TARIX_DATA", "zam_uk.DB")),
          DS_ZUK(addDataSource("DS_ZUK", TZUK_))
    {
        // As the payroll module hands its piece-work items over.
        watchTables({.firm = {&TZUK_}, .guarded = {&TZUK_}, .followingEmployee = {&TZUK_}});
    }
    db::Table &TZUK_;
    db::DataSource &DS_ZUK;
};

// The page as the payroll subsystem registers it: the module's source while it exists.
class StandInPage : public core::CardPageProvider {
public:
    explicit StandInPage(const std::unique_ptr<StandInPayroll> &module) : m_module(module) {}
    db::DataSource *dataSource() const override { return m_module ? &m_module->DS_ZUK : nullptr; }
    db::Table *table() const override { return m_module ? &m_module->TZUK_ : nullptr; }

private:
    const std::unique_ptr<StandInPayroll> &m_module;
};

class MainWindowPieceWork : public mainwintest::MainWindowTest {
protected:
    void createExtraModules() override
    {
        dmv = std::make_unique<StandInPayroll>();
        core::registerPieceWorkPage(std::make_unique<StandInPage>(dmv));
    }
    void destroyExtraModules() override
    {
        core::registerPieceWorkPage(nullptr);
        dmv.reset();
    }
    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        core::session().execute("insert into \":tarix_data:zam_uk\" (code_numb, code_emp, ukid, hodnota) values "
                                "(101, 1, 1, 5), (101, 1, 2, 7), (108, 8, 1, 3)");
        dmv->TZUK_.refresh();
    }
    std::unique_ptr<StandInPayroll> dmv;
};

} // namespace

TEST_F(MainWindowPieceWork, TheTabListsTheChosenEmployeesItems)
{
    openCard();
    ASSERT_GE(cardWindow().NX_ZAM()->pageIndex("PAGE_VYKONY"), 0);
    EXPECT_EQ(cardWindow().NX_ZAM()->tabText(cardWindow().NX_ZAM()->pageIndex("PAGE_VYKONY")), "Výkony");
    chooseInList("Hudák");
    choose(main->employeeOperations(), "(5) Evidencia pracovných výkonov");
    ASSERT_EQ(tab(), "PAGE_VYKONY");
    auto *grid = widget<dbctrl::DBGrid>("DBG_zuk");
    EXPECT_EQ(grid->gridModel()->rowCount(), 2);
    EXPECT_EQ(dmv->TZUK_.masterFields(), "Code_numb;Code_emp");
    QMenu *menu = topMenu("Operácie-výkony");
    ASSERT_NE(menu, nullptr);
    chooseInList("Kováč");
    EXPECT_EQ(grid->gridModel()->rowCount(), 1);

    // A new item pending keeps the user on the tab.
    choose(menu, "Nový záznam");
    EXPECT_TRUE(main->Prebieha_editacia());
    clickTab("PAGE_UDAJE");
    EXPECT_EQ(tab(), "PAGE_VYKONY");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65199)});
    choose(menu, "Ignorovanie zmien");
    widget<QPushButton>("Butt_zam_navrat")->click();
    EXPECT_EQ(page(), "EMPTY");
    EXPECT_EQ(dmv->TZUK_.masterSource(), nullptr);
}

namespace {

// No page registered, or a page whose module does not exist.
enum class PieceWorkPage { None, WithoutModule };

class MainWindowNoPieceWork : public mainwintest::MainWindowTest,
                              public ::testing::WithParamInterface<PieceWorkPage> {
protected:
    void createExtraModules() override
    {
        if (GetParam() == PieceWorkPage::WithoutModule)
            core::registerPieceWorkPage(std::make_unique<StandInPage>(absent));
    }
    void destroyExtraModules() override { core::registerPieceWorkPage(nullptr); }
    std::unique_ptr<StandInPayroll> absent;
};

} // namespace

TEST_P(MainWindowNoPieceWork, TheCardHasNoPieceWorkTab)
{
    openCard();
    EXPECT_LT(cardWindow().NX_ZAM()->pageIndex("PAGE_VYKONY"), 0);
    EXPECT_EQ(cardWindow().tabNamed("PAGE_VYKONY"), nullptr);
    EXPECT_EQ(main->findChild<QWidget *>("DBG_zuk"), nullptr);
    // Nothing leads to it: no item in the employee operations, no operations menu of its own.
    EXPECT_NE(action(main->employeeOperations(), "(4) Evidencia neprítomnosti"), nullptr);
    EXPECT_EQ(action(main->employeeOperations(), "(5) Evidencia pracovných výkonov"), nullptr);
    for (QMenu *m : main->findChildren<QMenu *>())
        EXPECT_NE(QString(m->title()).remove('&'), "Operácie-výkony");
    // The way back, which unlinks the detail tables, does without it.
    widget<QPushButton>("Butt_zam_navrat")->click();
    EXPECT_EQ(page(), "EMPTY");
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Pages, MainWindowNoPieceWork,
                         ::testing::Values(PieceWorkPage::None, PieceWorkPage::WithoutModule));
