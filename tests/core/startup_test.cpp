// Start-up on a temporary program folder, as the program starts on a clerk's machine.
#include "core/app_ini.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "core/helpers/app_paths.h"
#include "core/installation.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/scripted_test.h"
#include "support/widgets/program_start.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarix;

namespace {

class StartupTest : public test::ProgramStartTest<> {
protected:
    void TearDown() override
    {
        core::endProgram();
        core::destroyDM();
        core::moduleRegistry().clear();
        test::ProgramStartTest<>::TearDown();
    }

    QTemporaryDir dir;

    QString folder() const { return dir.path() + '/'; }
    // One firm with one year under the network root, so that the program has a firm to list.
    void makeFirm(const QString &root)
    {
        core::createFolderDatabase(root + "COMMON/ROK2007", core::FolderKind::Year,
                                   core::yearSeedResources(2007));
        core::createFolderDatabase(root + "DATA01", core::FolderKind::Firm,
                                   core::demoFirmSeedResources());
    }
    core::TFormMain *start(core::StartupHooks hooks = {}, bool withFirm = true)
    {
        if (withFirm)
            makeFirm(folder());
        core::StartupOptions options;
        options.programFolder = dir.path();
        options.showWindows = false;
        options.login = [](core::TDM &) { return true; };
        return core::startProgram(options, hooks);
    }
};

} // namespace

TEST_F(StartupTest, WithoutIniTheProgramFolderIsTheRoot)
{
    core::TFormMain *main = start();
    ASSERT_NE(main, nullptr);
    const auto &p = core::appPaths();
    EXPECT_EQ(p.programFolder, folder());
    EXPECT_EQ(p.networkRoot, folder());
    EXPECT_EQ(p.importFolder, folder() + "importy/");
    EXPECT_FALSE(p.sharedNetworkRoot());

    db::Session &s = core::session();
    EXPECT_EQ(s.aliases(), (QStringList{"TARIX_COMM", "TARIX_DATA", "TARIX_PRIV"}));
    EXPECT_FALSE(s.hasAlias("TARIX_DATX"));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_COMM")), QDir(folder() + "COMMON"));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_DATA")), QDir(folder() + "DATA01"));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_PRIV")), QDir(folder() + "PRIVATE"));

    // A new workstation got its private folder with the one period row.
    EXPECT_TRUE(QFile::exists(folder() + "PRIVATE/tarix.db"));
    const auto rows = s.run("select rok, mesiac, sid from \":tarix_priv:priv\"");
    ASSERT_EQ(rows.rowCount(), 1);

    EXPECT_EQ(main->windowTitle(), "TARIX VERZIA 3.20H3");
    EXPECT_TRUE(main->menuSystem()->isEnabled());
    EXPECT_FALSE(main->mainMenu()->isEnabled());
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(StartupTest, NetworkPathMovesTheSharedFolders)
{
    QDir(dir.path()).mkpath("shared");
    ini::IniFile trx(folder() + "TRX.INI");
    trx.writeString("NETWORK", "Network_Path", "shared\\");
    makeFirm(folder() + "shared/");
    start({}, false);
    const auto &p = core::appPaths();
    EXPECT_EQ(p.networkRoot, folder() + "shared/");
    EXPECT_TRUE(p.sharedNetworkRoot());
    EXPECT_EQ(QDir(core::session().aliasFolder("TARIX_DATA")), QDir(folder() + "shared/DATA01"));
    // The private folder stays beside the program.
    EXPECT_EQ(QDir(core::session().aliasFolder("TARIX_PRIV")), QDir(folder() + "PRIVATE"));
}

TEST_F(StartupTest, UnreadableIniValueIsReportedAndTheDefaultApplies)
{
    QFile f(folder() + "TRX.INI");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Kompatibilita]\r\nPriplatky=abc\r\n");
    f.close();
    int priplatky = -1;
    core::StartupHooks hooks;
    hooks.readCalculationSettings = [&] {
        priplatky = core::trxIni().readInteger("Kompatibilita", "Priplatky", 1);
    };
    ASSERT_NE(start(hooks), nullptr);
    EXPECT_EQ(priplatky, 1);
    const auto warnings = scripted.messages(ui::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains("[Kompatibilita] Priplatky = abc")) << warnings.first().toStdString();
}

TEST_F(StartupTest, DataModulesAreCreatedInOrderBeforeTheMainWindow)
{
    QStringList order;
    for (const char *name : {"TDM", "TDMZ", "TDMP"})
        core::moduleRegistry().add([&order, name] { order << name; }, {});
    core::StartupHooks hooks;
    hooks.afterDataModules = [&] { order << "TDMA"; };
    hooks.readCalculationSettings = [&] { order << "INI"; };
    start(hooks);
    EXPECT_EQ(order, (QStringList{"TDM", "TDMZ", "TDMP", "TDMA", "INI"}));
}

TEST(Installation, CreatesEveryFolderOnceAndKeepsExistingData)
{
    QTemporaryDir dir;
    const QString root = dir.path() + '/';
    // The core alone: the demo firm's payrolls come from the payroll module (tools/mkinst).
    const core::InstallationOptions withoutPayrolls{.demoPayrolls = false};
    const QStringList created = core::createInstallation(dir.path(), withoutPayrolls);
    EXPECT_EQ(created.size(), 1 + 5 + 2);
    for (const char *sub : {"PRIVATE", "COMMON/ROK2004", "COMMON/ROK2008", "DATA", "DATA01"})
        EXPECT_TRUE(QFile::exists(root + sub + "/tarix.db")) << sub;
    EXPECT_TRUE(QFile::exists(root + "TRX.INI"));

    {
        db::Session s;
        s.setAlias(core::kAliasData, root + "DATA01");
        s.setAlias(core::kAliasComm, root + "COMMON/ROK2007");
        EXPECT_EQ(s.run("select count(*) from \":tarix_data:zam\"").value(0, 0).toInt(), 10);
        EXPECT_EQ(s.run("select count(*) from \":tarix_comm:cis_par\"").value(0, 0).toInt(), 19);
        s.execute("delete from \":tarix_data:zam\" where code_emp = 1");
        s.closeAll();
    }
    // A second run creates nothing and leaves the clerk's change alone.
    EXPECT_TRUE(core::createInstallation(dir.path(), withoutPayrolls).isEmpty());
    db::Session s;
    s.setAlias(core::kAliasData, root + "DATA01");
    EXPECT_EQ(s.run("select count(*) from \":tarix_data:zam\"").value(0, 0).toInt(), 9);
}

// The program's data modules are created in order at start-up and outlive the session at
// exit without touching it.
TEST_F(StartupTest, DataModulesOutliveTheSessionAtExit)
{
    core::registerModules();
    ASSERT_NE(start(), nullptr);
    EXPECT_TRUE(core::hasDM());
    core::DM().TPRIV_.open();
    core::closeSession();
    core::destroyDMP();
    core::destroyDMZ();
    core::destroyDM();
    EXPECT_FALSE(core::hasDM());
}
