// The payroll subsystem at start-up: its module declared after the core's, the card's
// piece-work page registered, and the module reaching the employee module through its
// accessor.
#include "dm_vyp_fixture.h"

#include "core/card_page_provider.h"
#include "core/dm_all.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "payroll/modules.h"

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class PayrollRegistration : public ::testing::Test {
protected:
    void TearDown() override
    {
        core::moduleRegistry().destroyAll();
        core::moduleRegistry().clear();
        core::registerPieceWorkPage(nullptr);
        core::DMA().Registruj_tabulky(); // the registry must not keep the destroyed tables
    }
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};
};

// The payroll module created after the employee module, as start-up creates them.
class PayrollBesideEmployees : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        dmv.reset();
        core::createDMZ();
        dmv = std::make_unique<TDMV>();
        dmv->TVYP_.open();
        core::DMZ().TZAM_.open();
    }
    void TearDown() override
    {
        dmv.reset();
        core::destroyDMZ();
        PayrollModuleTest::TearDown();
    }
};

} // namespace

TEST_F(PayrollRegistration, TheModuleFollowsTheCoresAndThePieceWorkPageShowsItsItems)
{
    core::registerModules();
    payroll::registerModules();
    core::CardPageProvider *page = core::pieceWorkPage();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->dataSource(), nullptr) << "no source before the module exists";

    core::moduleRegistry().createAll();
    EXPECT_EQ(core::moduleRegistry().modules(),
              (std::vector<core::DataModule *>{&core::DM(), &core::DMZ(), &core::DMP(), &DMV()}));
    EXPECT_EQ(page->dataSource(), &DMV().DS_ZUK);
    // The settlements follow the employee grid of the module created before.
    EXPECT_EQ(DMV().TRZP_.masterSource(), &core::DMZ().DS_ZGRID);

    // Every table of the table registry is found among the four modules.
    core::DMA().Registruj_tabulky();
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join(", ").toStdString();
    EXPECT_EQ(core::DMA().tabulka(int(core::TDMA::Nazvy_tabuliek().indexOf("TZUK_")) + 1), &DMV().TZUK_);

    // Each module's screen sources are switched off, nothing else.
    core::DMA().Vypni_zdroje_dat();
    for (db::DataSource *s : {&DMV().DS_VYPL, &DMV().DS_VGRID, &DMV().DS_HSU, &core::DMZ().DS_ZAM1,
                              &core::DMZ().DS_ZP5, &core::DM().DS_DZP, &core::DM().DS_DZPG})
        EXPECT_FALSE(s->isEnabled());
    for (db::DataSource *s : {&core::DMP().DS_PPV, &core::DMZ().DS_DETI, &DMV().DS_HSUG})
        EXPECT_TRUE(s->isEnabled());

    core::moduleRegistry().destroyAll();
    EXPECT_TRUE(core::moduleRegistry().modules().empty());
    EXPECT_EQ(page->dataSource(), nullptr);
}

TEST_F(PayrollBesideEmployees, TheCurrentEmployeeComesFromTheEmployeeTable)
{
    // Nobody chose an employee for the payroll: the employee table's current row counts.
    ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {3}));
    const KlucZamestnanca e = dmv->Aktualny_zamestnanec();
    EXPECT_EQ(e.Code_emp, 3);
    EXPECT_EQ(e.Code_numb, 103);
}

TEST_F(PayrollBesideEmployees, TheEmployeeChoiceStandsStillWhileAPayrollIsEdited)
{
    newPayroll(kDemo[0]);
    db::DataSource &choice = core::DMZ().DS_ZAMF;
    ASSERT_TRUE(choice.isEnabled());
    dmv->TVYP_.edit();
    EXPECT_FALSE(choice.isEnabled());
    dmv->TVYP_.cancel();
    EXPECT_TRUE(choice.isEnabled());
}
