// The installations the tests run on: each a complete copy of the generator's folders that
// no other test sees, and every failed set-up step stopping the test with what failed.
#include "support/installation.h"
#include "support/setup_failure.h"

#include "platform/db/session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarix;

namespace {

QString firmName(const QString &firmFolder)
{
    db::Session s;
    s.setAlias("TARIX_DATA", firmFolder);
    const QString name = s.run("select nazov from \":tarix_data:inf\"").value(0, 0).toString();
    s.closeAll();
    return name;
}

// Runs fn, which must throw SetupFailure with a text containing each of the parts.
template <class Fn>
void expectSetupFailure(Fn &&fn, const QStringList &parts)
{
    try {
        fn();
        ADD_FAILURE() << "the step did not fail";
    } catch (const test::SetupFailure &e) {
        const QString text = QString::fromUtf8(e.what());
        for (const QString &part : parts)
            EXPECT_TRUE(text.contains(part)) << text.toStdString() << " does not name " << part.toStdString();
    }
}

TEST(Installation, HoldsEveryFolderOfTheGeneratorAndNoOtherTestSeesItsChanges)
{
    test::Installation first;
    first.install({true, 2006, 2007});
    for (const QString &folder : {first.privateFolder(), first.yearFolder(2006), first.yearFolder(2007),
                                  first.filePath("DATA"), first.firmFolder(1)})
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath("tarix.db"))) << folder.toStdString();
    EXPECT_TRUE(QFileInfo::exists(first.root() + "TRX.INI"));
    EXPECT_FALSE(QFileInfo::exists(first.yearFolder(2008)));
    EXPECT_EQ(first.firmFolder(7), first.root() + "DATA07");

    const QString shipped = firmName(first.firmFolder());
    ASSERT_FALSE(shipped.isEmpty());
    test::sqlOn(first.firmFolder(), "update inf set nazov = 'Zmenená firma';");
    EXPECT_EQ(firmName(first.firmFolder()), "Zmenená firma");

    test::Installation second;
    second.install({true, 2006, 2007});
    EXPECT_NE(second.root(), first.root());
    EXPECT_EQ(firmName(second.firmFolder()), shipped);
    expectSetupFailure([&] { second.install({true, 2006, 2007}); }, {second.path(), "already"});
}

TEST(Installation, WithoutTheDemoFirmOnlyTheTemplateFirmIsThere)
{
    test::Installation inst;
    inst.install({false, 2007, 2007});
    EXPECT_TRUE(QFileInfo::exists(inst.filePath("DATA/tarix.db")));
    EXPECT_FALSE(QFileInfo::exists(inst.firmFolder(1)));
}

TEST(Installation, AFailedCopyNamesTheFileAndTheReason)
{
    QTemporaryDir dir;
    const QString from = dir.filePath("from"), to = dir.filePath("to");
    expectSetupFailure([&] { test::copyFolder(from, to); }, {from});

    ASSERT_TRUE(QDir().mkpath(from + "/sub"));
    QFile made(from + "/sub/tarix.db");
    ASSERT_TRUE(made.open(QIODevice::WriteOnly));
    made.write("data");
    made.close();
    // A file in the way: the copy refuses, and the step says which file.
    ASSERT_TRUE(QDir().mkpath(to + "/sub"));
    QFile blocking(to + "/sub/tarix.db");
    ASSERT_TRUE(blocking.open(QIODevice::WriteOnly));
    blocking.close();
    expectSetupFailure([&] { test::copyFolder(from, to); }, {from + "/sub/tarix.db", to + "/sub/tarix.db"});

    // A folder that cannot be made (a file stands there).
    QFile file(dir.filePath("plain"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    expectSetupFailure([&] { test::copyFolder(from, dir.filePath("plain/x")); }, {dir.filePath("plain/x")});
}

TEST(Installation, SqlOnAFolderReportsSqlitesText)
{
    test::Installation inst;
    inst.install({true, 2007, 2007});
    expectSetupFailure([&] { test::sqlOn(inst.firmFolder(), "update no_such_table set x = 1;"); },
                       {"no_such_table"});
    expectSetupFailure([&] { test::sqlOn(inst.firmFolder(5), "select 1;"); }, {inst.firmFolder(5)});
}

} // namespace
