#include "platform/shell/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tarix::shell::findCaseInsensitive;
using tarix::shell::fromWindowsPath;

TEST(ShellPaths, BackslashesAreSeparators)
{
    EXPECT_EQ(fromWindowsPath(QStringLiteral("C:\\TARIX\\COMMON\\")), QStringLiteral("C:/TARIX/COMMON/"));
    EXPECT_EQ(fromWindowsPath(QStringLiteral("/a/b")), QStringLiteral("/a/b"));
}

class CaseInsensitiveLookup : public ::testing::Test {
protected:
    QTemporaryDir dir;
    void SetUp() override
    {
        QDir d(dir.path());
        ASSERT_TRUE(d.mkpath(QStringLiteral("DATA01/ZALOHA")));
        ASSERT_TRUE(d.mkpath(QStringLiteral("COMMON/ROK2007")));
        touch(QStringLiteral("TRX.INI"));
        touch(QStringLiteral("DATA01/Zam.db"));
        touch(QStringLiteral("both.txt"));
        touch(QStringLiteral("Both.txt"));
    }
    void touch(const QString &name)
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(CaseInsensitiveLookup, FindsWhatExistsAndKeepsTheRestAsGiven)
{
    const QString root = dir.path();
    struct Case {
        QString given;
        QString expected;
    } cases[] = {
        {root + "/trx.ini", root + "/TRX.INI"},
        {root + "\\Trx.Ini", root + "/TRX.INI"},
        {root + "/data01/zaloha/", root + "/DATA01/ZALOHA/"},
        {root + "/data01/ZAM.DB", root + "/DATA01/Zam.db"},
        {root + "/Common\\rok2007\\new.xml", root + "/COMMON/ROK2007/new.xml"},
        {root + "/data02/Zam.db", root + "/data02/Zam.db"},           // nothing to find: as given
        {root + "/data01/missing/ZAM.DB", root + "/DATA01/missing/ZAM.DB"},
        {root + "/both.txt", root + "/both.txt"},                      // the exact name wins
        {root + "/BOTH.TXT", root + "/Both.txt"},                      // else the first in order
        {QString(), QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(findCaseInsensitive(c.given), c.expected) << c.given.toStdString();
    // A folder read once finds each file of it the same way.
    for (const Case &c : cases) {
        const QString given = fromWindowsPath(c.given);
        const qsizetype slash = given.lastIndexOf(u'/');
        if (given.isEmpty() || given.endsWith(u'/'))
            continue;
        EXPECT_EQ(tarix::shell::FolderEntries(given.left(slash)).path(given.mid(slash + 1)), c.expected)
            << c.given.toStdString();
    }
}

TEST_F(CaseInsensitiveLookup, RelativePathsStayRelative)
{
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(findCaseInsensitive(QStringLiteral("data01\\zam.DB")), QStringLiteral("DATA01/Zam.db"));
    EXPECT_EQ(findCaseInsensitive(QStringLiteral("./trx.ini")), QStringLiteral("./TRX.INI"));
    QDir::setCurrent(old);
}
