// The module registry: modules declared by the subsystems' register functions are created in
// the declared order and destroyed in reverse, and the registry lists the modules that exist.
#include "core/data_module.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/module_registry.h"
#include "core/modules.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tarix;

namespace {

QStringList g_log;

// A stand-in module that notes its creation and destruction, and which of the core's
// modules still exist when it goes.
template <int N>
class Noted : public core::DataModule {
public:
    Noted() : DataModule(QStringLiteral("M%1").arg(N)) { g_log << "+" + name(); }
    ~Noted() override
    {
        g_log << "-" + name();
        coreAtDestruction = core::hasDM() && core::hasDMZ() && core::hasDMP();
    }
    static inline bool coreAtDestruction = false;
};

core::ModuleInstance<Noted<1>> g_m1("M1");
core::ModuleInstance<Noted<2>> g_m2("M2");
core::ModuleInstance<Noted<3>> g_m3("M3");

// What a subsystem's register function does: its module after those declared before.
void registerSubsystem()
{
    core::moduleRegistry().add([] { g_m3.create(); }, [] { g_m3.destroy(); });
}

class ModuleRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
    void TearDown() override
    {
        core::moduleRegistry().destroyAll();
        core::moduleRegistry().clear();
        EXPECT_TRUE(core::moduleRegistry().modules().empty());
    }
};

} // namespace

TEST_F(ModuleRegistryTest, DeclaredModulesAreCreatedInOrderAndDestroyedInReverse)
{
    core::ModuleRegistry &registry = core::moduleRegistry();
    registry.add([] { g_m1.create(); }, [] { g_m1.destroy(); });
    registry.add([] { g_m2.create(); }, [] { g_m2.destroy(); });
    registerSubsystem();
    EXPECT_TRUE(registry.modules().empty()) << "declaring creates nothing";

    registry.createAll();
    EXPECT_EQ(g_log, (QStringList{"+M1", "+M2", "+M3"}));
    EXPECT_EQ(registry.modules(), (std::vector<core::DataModule *>{&g_m1.get(), &g_m2.get(), &g_m3.get()}));

    // A second start-up keeps the modules that exist.
    registry.createAll();
    EXPECT_EQ(g_log.size(), 3);

    // A module destroyed on its own leaves the list; the others keep their order.
    g_m2.destroy();
    EXPECT_EQ(registry.modules(), (std::vector<core::DataModule *>{&g_m1.get(), &g_m3.get()}));

    g_log.clear();
    registry.destroyAll();
    EXPECT_EQ(g_log, (QStringList{"-M3", "-M1"}));
    EXPECT_TRUE(registry.modules().empty());
    EXPECT_FALSE(g_m1.exists() || g_m2.exists() || g_m3.exists());
}

TEST_F(ModuleRegistryTest, ASubsystemsModuleFollowsTheCoresAndGoesBeforeThem)
{
    core::registerModules();
    registerSubsystem();
    core::moduleRegistry().createAll();
    EXPECT_EQ(core::moduleRegistry().modules(),
              (std::vector<core::DataModule *>{&core::DM(), &core::DMZ(), &core::DMP(), &g_m3.get()}));
    // The tables every existing module hands over, in the order the modules were made; the
    // stand-in hands over none.
    const core::WatchedTables watched = core::moduleRegistry().watchedTables();
    ASSERT_FALSE(watched.firm.empty());
    EXPECT_EQ(watched.firm.front(), &core::DM().TPRIV_);
    EXPECT_EQ(watched.firm.back(), &core::DMP().TPPV_);
    EXPECT_NE(std::ranges::find(watched.guarded, &core::DMZ().TZAM_), watched.guarded.end());

    Noted<3>::coreAtDestruction = false;
    core::moduleRegistry().destroyAll();
    EXPECT_TRUE(Noted<3>::coreAtDestruction) << "the subsystem's module goes while the core's still exist";
    EXPECT_FALSE(core::hasDM() || core::hasDMZ() || core::hasDMP() || g_m3.exists());
}
