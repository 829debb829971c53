#include <gtest/gtest.h>

#include "core/helpers/numbered_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tarix::MyConsts;

namespace {

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace

TEST(MyConstsNumberedFiles, FirstFreeNumber)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    EXPECT_EQ(Volne_cislo_suboru(dir, QStringLiteral("SP_"), QStringLiteral("xml"), 3), 1);
    EXPECT_EQ(Posledny_subor(), QString());

    touch(dir + QStringLiteral("/SP_001.xml"));
    touch(dir + QStringLiteral("/SP_002.xml"));
    touch(dir + QStringLiteral("/SP_004.xml"));
    EXPECT_EQ(Volne_cislo_suboru(dir, QStringLiteral("SP_"), QStringLiteral("xml"), 3), 3);
    EXPECT_EQ(Posledny_subor(), QDir(dir).filePath(QStringLiteral("SP_002.xml")));
    // Other bases and extensions do not count.
    EXPECT_EQ(Volne_cislo_suboru(dir, QStringLiteral("SP_"), QStringLiteral("txt"), 3), 1);
    EXPECT_EQ(Volne_cislo_suboru(dir, QStringLiteral("SP_0"), QStringLiteral("xml"), 2), 3);
}

TEST(MyConstsNumberedFiles, NamesAreComparedWithoutCase)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    touch(tmp.filePath(QStringLiteral("sprlzec_00001.XML")));
    // ".xml" written, ".XML" on disk: the number is taken, nothing is overwritten.
    EXPECT_EQ(Volne_cislo_suboru(tmp.path(), QStringLiteral("SPRLZEC_"), QStringLiteral("xml"), 5),
              2);
    EXPECT_EQ(Posledny_subor(), tmp.filePath(QStringLiteral("sprlzec_00001.XML")));
}

TEST(MyConstsNumberedFiles, NoneFreeGivesZero)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    for (int n = 1; n <= 9; ++n)
        touch(tmp.filePath(QStringLiteral("bkp%1.zip").arg(n)));
    EXPECT_EQ(Volne_cislo_suboru(tmp.path(), QStringLiteral("bkp"), QStringLiteral("zip"), 1), 0);
    EXPECT_EQ(Posledny_subor(), tmp.filePath(QStringLiteral("bkp9.zip")));
    // Two digits make other names ("bkp01.zip"), all free.
    EXPECT_EQ(Volne_cislo_suboru(tmp.path(), QStringLiteral("bkp"), QStringLiteral("zip"), 2), 1);
    EXPECT_EQ(Volne_cislo_suboru(tmp.path(), QStringLiteral("bkp"), QStringLiteral("zip"), 0), 0);
}

TEST(MyConstsNumberedFiles, PathAndBaseInOneTextLongPathsAndMissingFolders)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    // A folder path far beyond 128 characters.
    QString deep = tmp.path();
    for (int i = 0; i < 8; ++i)
        deep += QStringLiteral("/podpriecinok_s_dlhym_nazvom_%1").arg(i);
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_GT(deep.size(), 200);
    touch(deep + QStringLiteral("/vub0001.txt"));
    EXPECT_EQ(Volne_cislo_suboru(deep + QStringLiteral("/vub"), QStringLiteral("txt"), 4), 2);
    QString backslashed = deep + QStringLiteral("\\vub");
    EXPECT_EQ(Volne_cislo_suboru(backslashed, QStringLiteral("txt"), 4), 2);
    EXPECT_EQ(Volne_cislo_suboru(tmp.filePath(QStringLiteral("neexistuje/x_")),
                                 QStringLiteral("txt"), 3),
              1);
}
