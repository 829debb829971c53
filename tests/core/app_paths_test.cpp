#include "core/helpers/app_paths.h"

#include <gtest/gtest.h>

using tarix::core::deriveAppPaths;

namespace {
struct FolderCase {
    const char *label;
    const char *networkPath; // as typed in TRX.INI; "" = key missing
    const char *importPath;
    const char *root;        // expected network root
    const char *import;      // expected import folder
};

const FolderCase kCases[] = {
    {"no INI", "", "", "/opt/tarix/", "/opt/tarix/importy/"},
    {"absolute with trailing backslash", "\\srv\\mzdy\\", "", "/srv/mzdy/", "/opt/tarix/importy/"},
    {"absolute without separator", "/srv/mzdy", "", "/srv/mzdy/", "/opt/tarix/importy/"},
    {"absolute with slash", "/srv/mzdy/", "", "/srv/mzdy/", "/opt/tarix/importy/"},
    {"relative to program folder", "shared\\data", "", "/opt/tarix/shared/data/",
     "/opt/tarix/importy/"},
    {"blanks around value", "  /srv/mzdy  ", "", "/srv/mzdy/", "/opt/tarix/importy/"},
    {"import folder relative", "", "ankety\\2007", "/opt/tarix/", "/opt/tarix/ankety/2007/"},
    {"import folder absolute", "", "/data/import", "/opt/tarix/", "/data/import/"},
};
} // namespace

TEST(AppPaths, DerivedFoldersFollowTheNetworkRoot)
{
    for (const auto &c : kCases) {
        SCOPED_TRACE(c.label);
        const auto p = deriveAppPaths("/opt/tarix", c.networkPath, c.importPath);
        EXPECT_EQ(p.programFolder, "/opt/tarix/");
        EXPECT_EQ(p.networkRoot, c.root);
        EXPECT_EQ(p.importFolder, c.import);
        EXPECT_EQ(p.commonFolder, QString(c.root) + "COMMON/");
        EXPECT_EQ(p.backupFolder, QString(c.root) + "ZALOHA/");
        EXPECT_EQ(p.storeFolder, QString(c.root) + "SKLAD/");
        EXPECT_EQ(p.firmDataFolder, QString(c.root) + "DATA01/");
        EXPECT_EQ(p.privateFolder, "/opt/tarix/PRIVATE/");
        EXPECT_EQ(p.sharedNetworkRoot(), QString(c.root) != "/opt/tarix/");
    }
}

TEST(AppPaths, LongPathsAreNeverCut)
{
    const QString deep = "/srv/" + QString("velmi_dlhy_nazov_priecinka/").repeated(10);
    ASSERT_GT(deep.size(), 128);
    const auto p = deriveAppPaths("/opt/tarix", deep, "");
    EXPECT_EQ(p.networkRoot, deep);
    EXPECT_EQ(p.firmDataFolder, deep + "DATA01/");
}
