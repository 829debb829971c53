// The piece-work tab of the card: its table belongs to the payroll module, which the card
// finds by its component names ("TDMV", "TZUK_", "DS_ZUK"); a stand-in module here.
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
    }
    db::Table &TZUK_;
    db::DataSource &DS_ZUK;
};

class MainWindowPieceWork : public mainwintest::MainWindowTest {
protected:
    void createExtraModules() override { dmv = std::make_unique<StandInPayroll>(); }
    void destroyExtraModules() override { dmv.reset(); }
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
    ASSERT_GE(karta().NX_ZAM()->indexStranky("PAGE_VYKONY"), 0);
    EXPECT_EQ(karta().NX_ZAM()->tabText(karta().NX_ZAM()->indexStranky("PAGE_VYKONY")), "Výkony");
    chooseInList("Hudák");
    choose(main->operacieZam(), "(5) Evidencia pracovných výkonov");
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
