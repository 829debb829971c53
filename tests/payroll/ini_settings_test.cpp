#include "payroll/ini_settings.h"
#include "platform/ini/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarix;

namespace {
payroll::IniSettings readFrom(const QByteArray &text)
{
    QTemporaryDir dir;
    QFile f(dir.filePath("TRX.INI"));
    f.open(QIODevice::WriteOnly);
    f.write(text);
    f.close();
    ini::IniFile trx(dir.filePath("TRX.INI"));
    return payroll::loadSettings(trx);
}
} // namespace

TEST(PayrollIniSettings, DefaultsWithoutTheSections)
{
    const auto s = readFrom("[NETWORK]\r\nNetwork_Path=\r\n");
    EXPECT_EQ(s.milionarskaDan.Obdobie_od, 199805);
    EXPECT_EQ(s.milionarskaDan.Obdobie_do, 199903);
    EXPECT_TRUE(s.milionarskaDan.pairs.empty());
    EXPECT_EQ(s.Priplatky, 1);
    EXPECT_EQ(s.Doplatky, "Doplatky");
}

TEST(PayrollIniSettings, PairsAreFilteredAndNumberedWithoutGaps)
{
    const auto s = readFrom("[Milionarska_Dan]\r\nObdobie_od=199901\r\nPasmo1=400000\r\nSadzba1=50\r\n"
                            "Pasmo2=300000\r\nSadzba2=10\r\nPasmo3=367200\r\nSadzba3=49\r\n"
                            "Pasmo4=abc\r\n[Kompatibilita]\r\nPriplatky=0\r\n[Texty]\r\nDoplatky="
                            + QByteArray(70, 'x') + "\r\n");
    EXPECT_EQ(s.milionarskaDan.Obdobie_od, 199901);
    ASSERT_EQ(s.milionarskaDan.pairs.size(), 1u);
    EXPECT_EQ(s.milionarskaDan.pairs[0].Pasmo, 367200);
    EXPECT_EQ(s.milionarskaDan.pairs[0].Sadzba, 49);
    EXPECT_EQ(s.Priplatky, 0);
    EXPECT_EQ(s.Doplatky.size(), 64);
}
