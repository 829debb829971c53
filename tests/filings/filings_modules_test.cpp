// The filings at start-up: the payment-order module created right after the payroll's, as
// the fifth module, and the export layouts' module after it, with their tables closed until
// their windows open them.
#include "core/card_page_provider.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/main_menu.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "core/startup_hooks.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/subsystem.h"
#include "payroll/dm_v.h"
#include "payroll/modules.h"
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

using namespace tarix;

TEST(FilingsRegistration, ThePaymentOrderModuleIsCreatedFifthWithItsTablesClosed)
{
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    core::moduleRegistry().clear();
    core::registerModules();
    payroll::registerModules();
    core::StartupHooks hooks;
    filings::registerSubsystem(hooks);
    core::moduleRegistry().createAll();
    EXPECT_EQ(core::moduleRegistry().modules(),
              (std::vector<core::DataModule *>{&core::DM(), &core::DMZ(), &core::DMP(), &payroll::DMV(),
                                               &filings::DMHP(), &filings::DMTL()}));
    EXPECT_FALSE(filings::DMHP().THP1_.isActive());
    EXPECT_FALSE(filings::DMHP().THP2_.isActive());
    EXPECT_FALSE(filings::DMTL().TL1_.isActive());
    core::moduleRegistry().destroyAll();
    core::moduleRegistry().clear();
    core::registerPieceWorkPage(nullptr);
    core::DMA().Registruj_tabulky();
    core::mainMenuCommands().clear();
}
