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
#include "support/demo_firm_test.h"

#include <algorithm>
#include <set>

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
    EXPECT_NE(std::ranges::find(core::DMA().tables(), &DMV().TZUK_), core::DMA().tables().end());

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
    const EmployeeKey e = dmv->currentEmployee();
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

namespace {

// The demo firm opened as the program opens it: the core's modules and the payroll module
// made, the table registry filled and its tables opened.
class PayrollWatchedByTheCore : public test::DemoFirmTest<> {
protected:
    PayrollWatchedByTheCore() : DemoFirmTest({true, 2007, 2007}, options()) {}

    static test::DemoOptions options()
    {
        test::DemoOptions o = payrollModuleOptions();
        o.modules = test::coreModules();
        o.modules.push_back({createDMV, destroyDMV});
        o.registerTables = true;
        o.openTables = true;
        return o;
    }

    static std::set<QString> names(const std::vector<db::Table *> &tables)
    {
        std::set<QString> all;
        for (const db::Table *t : tables)
            all.insert(t->objectName());
        return all;
    }
};

} // namespace

TEST_F(PayrollWatchedByTheCore, TheCoreWatchesThePayrollTablesThePayrollModuleHandsOver)
{
    const core::WatchedTables watched = core::moduleRegistry().watchedTables();
    const std::vector<db::Table *> &registered = core::DMA().tables();

    // The registry holds every table of the firm once, all of them open: none missed.
    EXPECT_EQ(registered.size(), 40u);
    EXPECT_EQ(std::set<db::Table *>(registered.begin(), registered.end()).size(), registered.size());
    EXPECT_EQ(registered, watched.firm);
    for (const db::Table *t : registered)
        EXPECT_TRUE(t->isActive()) << t->objectName().toStdString();
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());

    // The payroll module's part is what it handed over, nothing found by a name.
    TDMV &dmv = DMV();
    const std::vector<db::Table *> payrollFirm = dmv.watchedTables().firm;
    EXPECT_EQ(names(payrollFirm), (std::set<QString>{"TCUK_", "THSU_", "TRZP_", "TVYP_", "TZRV_", "TZUK_"}));
    for (db::Table *t : payrollFirm)
        EXPECT_NE(std::ranges::find(registered, t), registered.end()) << t->objectName().toStdString();

    // What the main window guards, drops and unlinks, the payroll module's tables included.
    EXPECT_EQ(names(watched.guarded),
              (std::set<QString>{"TZAM_", "TRZP_", "TZRZ_", "TDET_", "TNEP_", "TDOCH_", "TPPV_", "TELDP_", "TZP1_",
                                 "TZP2_", "TZP3_", "TZP4_", "TZP5_", "TZUK_"}));
    EXPECT_EQ(names(watched.droppedOnStartPage), (std::set<QString>{"TSET_", "TVYP_", "THSV_", "THSU_"}));
    EXPECT_EQ(names(watched.followingEmployee),
              (std::set<QString>{"TNEP_", "TDOCH_", "TZRZ_", "TDET_", "TPPV_", "TZUK_"}));
    EXPECT_NE(std::ranges::find(watched.guarded, &dmv.TZUK_), watched.guarded.end());
    EXPECT_NE(std::ranges::find(watched.droppedOnStartPage, &dmv.TVYP_), watched.droppedOnStartPage.end());

    // Without the payroll module the core watches none of its tables.
    test::DemoOptions coreOnly = options();
    coreOnly.modules = test::coreModules();
    demo.close();
    demo.open(dir, coreOnly);
    EXPECT_EQ(core::DMA().tables().size(), 34u);
    EXPECT_TRUE(names(core::moduleRegistry().watchedTables().guarded).count("TZUK_") == 0);
}
