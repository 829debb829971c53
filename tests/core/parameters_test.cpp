#include <gtest/gtest.h>

#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ini/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

using namespace tarix;
using namespace tarix::MyConsts;

namespace {

struct Row {
    int id;
    QString skratka;
    QVariant hodnota; // invalid: NULL
    QString popis;
};

class ParametersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Parametre().fill(Parameter{});
    }
    void TearDown() override
    {
        session.closeAll();
        Parametre().fill(Parameter{});
    }

    // A year folder holding only the given Cis_par rows.
    QString makeYear(const QString &name, const std::vector<Row> &rows)
    {
        const QString folder = dir.filePath(name);
        core::createFolderDatabase(folder, core::FolderKind::Year, {});
        db::Session s;
        s.setAlias("TARIX_COMM", folder);
        for (const Row &r : rows)
            s.execute("insert into \":tarix_comm:cis_par\" (ID, SKRATKA, HODNOTA, POPIS) "
                      "values (:id, :s, :h, :p)",
                      {{"id", r.id}, {"s", r.skratka}, {"h", r.hodnota}, {"p", r.popis}});
        s.closeAll();
        return folder;
    }

    void load(const QString &folder)
    {
        session.setAlias("TARIX_COMM", folder);
        Nacitaj_parametre(session, ini);
    }

    static std::vector<Row> numbered(int first, int last)
    {
        std::vector<Row> rows;
        for (int id = first; id <= last; ++id)
            rows.push_back({id, QString("P%1").arg(id), id * 10.0, QString("Popis %1").arg(id)});
        return rows;
    }

    QByteArray iniBytes() const
    {
        QFile f(dir.filePath("PARAM.INI"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    db::Session session;
    ini::IniFile ini{dir.filePath("PARAM.INI")};
};

QString errorOf(const QString &skratka)
{
    try {
        Hodnota_parametra(skratka);
    } catch (const EMyError &e) {
        return e.text();
    }
    return "(no error)";
}

} // namespace

TEST_F(ParametersTest, RowsGoToTheSlotOfTheirIdAndTextsAreCut)
{
    std::vector<Row> rows = numbered(1, 40);
    rows[27] = {28, "DANOVY_BONUS", 540.0, "Daňový bonus na dieťa - mesačne"};
    rows[4] = {5, "ABCDEFGHIJKLMNOPQRSTU", QVariant(), QString(70, QChar(u'ž'))};
    rows.push_back({0, "NULTY", 1.0, "id 0"});
    rows.push_back({100, "STY", 2.0, "id 100"});
    load(makeYear("ROK", rows));

    EXPECT_EQ(Parametre(28).Id, 28);
    EXPECT_EQ(Parametre(28).Skratka, "DANOVY_BONUS");
    EXPECT_DOUBLE_EQ(Parametre(28).Hodnota, 540.0);
    EXPECT_EQ(Parametre(28).Popis, QString("Daňový bonus na dieťa - mesačne"));
    EXPECT_EQ(Parametre(5).Skratka, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(Parametre(5).Popis, QString(60, QChar(u'ž')));
    EXPECT_EQ(Parametre(5).Hodnota, 0.0) << "a NULL value loads as 0";
    for (int id = 41; id <= 99; ++id)
        EXPECT_EQ(Parametre(id).Id, 0) << id;
    EXPECT_EQ(Parametre()[0].Id, 0) << "id 0 is not a slot";
    EXPECT_THROW(Hodnota_parametra("NULTY"), EMyError);
    EXPECT_THROW(Hodnota_parametra("STY"), EMyError);
    EXPECT_THROW(Parametre(0), std::out_of_range);
    EXPECT_THROW(Parametre(100), std::out_of_range);
}

TEST_F(ParametersTest, LookUpByAbbreviationIgnoresCase)
{
    load(makeYear("ROK", {{24, "PRIDAV_NA_DIETA", 540.0, "Prídavok"},
                          {30, "MIN_MZDA", 7600.0, "Minimálna mzda"},
                          {31, "ŠTÁTNY_ČÍSELNÍK", 12.5, "s diakritikou"},
                          {32, "MIN_MZDA", 1.0, "druhý riadok s rovnakou skratkou"}}));
    struct Case {
        const char16_t *skratka;
        double value;
    } const cases[] = {
        {u"PRIDAV_NA_DIETA", 540.0}, {u"pridav_na_dieta", 540.0}, {u"Pridav_Na_Dieta", 540.0},
        {u"min_mzda", 7600.0},       {u"štátny_číselník", 12.5},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Hodnota_parametra(QString::fromUtf16(c.skratka)), c.value)
            << QString::fromUtf16(c.skratka).toStdString();
}

TEST_F(ParametersTest, MissingAbbreviationRaisesItsMessage)
{
    load(makeYear("ROK", {{24, "PRIDAV_NA_DIETA", 540.0, "Prídavok"}}));
    EXPECT_EQ(errorOf("NEZNAMY"), QString("Nenašiel sa parameter NEZNAMY."));
    EXPECT_EQ(errorOf("PRIDAV_NA"), QString("Nenašiel sa parameter PRIDAV_NA."));
    // Unused slots have empty abbreviations; they must not answer for an empty one.
    EXPECT_EQ(errorOf(""), QString("Nenašiel sa parameter ."));
}

TEST_F(ParametersTest, AShorterYearLeavesTheOtherSlotsEmptyAfterAFullerOne)
{
    const QString full = makeYear("ROK2007", numbered(1, 40));
    const QString shorter = makeYear("ROK2008", numbered(1, 10));
    load(full);
    ASSERT_DOUBLE_EQ(Hodnota_parametra("P30"), 300.0);
    load(shorter);

    for (int id = 1; id <= 10; ++id)
        EXPECT_EQ(Parametre(id).Id, id);
    for (int id = 11; id <= 99; ++id) {
        const Parameter &p = Parametre(id);
        EXPECT_EQ(p.Id, 0) << id;
        EXPECT_TRUE(p.Skratka.isEmpty()) << id;
        EXPECT_EQ(p.Hodnota, 0.0) << id;
        EXPECT_TRUE(p.Popis.isEmpty()) << id;
    }
    EXPECT_EQ(errorOf("P30"), QString("Nenašiel sa parameter P30."));
    EXPECT_EQ(errorOf("p11"), QString("Nenašiel sa parameter p11."));
    EXPECT_DOUBLE_EQ(Hodnota_parametra("p10"), 100.0);

    // The mirror follows the year too.
    const QStringList sections = ini.sectionNames();
    EXPECT_EQ(sections.size(), 10);
    EXPECT_FALSE(sections.contains("PARAMETER 30"));
}

TEST_F(ParametersTest, ParamIniMirrorsTheUsedSlotsInIdOrder)
{
    // A stale section of an earlier year and other text do not survive the rewrite.
    ini.writeString("PARAMETER 77", "HODNOTA", "1");
    load(makeYear("ROK", {{29, "ZPS_HRANICA", 40.01, "Miera poklesu (%)"},
                          {28, "DANOVY_BONUS", 400.0, "Daňový bonus na dieťa - mesačne"},
                          {27, "ZNIZ_DP_DIETA", 0.5, "Zníženie"},
                          {3, "ZAPORNY", -3.0, ""},
                          {2, "VELKY", 999999.0, "Riadok\ns zalomením"}}));
    const QByteArray expected =
        QByteArray("[PARAMETER 2]\r\nPOPIS=Riadok s zalomením\r\nSKRATKA=VELKY\r\n"
                   "HODNOTA=999999\r\n"
                   "[PARAMETER 3]\r\nPOPIS=\r\nSKRATKA=ZAPORNY\r\nHODNOTA=-3\r\n"
                   "[PARAMETER 27]\r\nPOPIS=Zníženie\r\nSKRATKA=ZNIZ_DP_DIETA\r\nHODNOTA=0.5\r\n"
                   "[PARAMETER 28]\r\nPOPIS=Daňový bonus na dieťa - mesačne\r\n"
                   "SKRATKA=DANOVY_BONUS\r\nHODNOTA=400\r\n"
                   "[PARAMETER 29]\r\nPOPIS=Miera poklesu (%)\r\nSKRATKA=ZPS_HRANICA\r\n"
                   "HODNOTA=40.01\r\n");
    // Windows-1250 on disk, byte for byte.
    EXPECT_EQ(iniBytes(), codepage::toCp1250(QString::fromUtf8(expected)));
    EXPECT_TRUE(iniBytes().contains("POPIS=Zn\xED\x9E" "enie\r\n"));
    EXPECT_EQ(ini.sectionNames(), (QStringList{"PARAMETER 2", "PARAMETER 3", "PARAMETER 27",
                                               "PARAMETER 28", "PARAMETER 29"}));
    EXPECT_EQ(ini.keys("PARAMETER 28"), (QStringList{"POPIS", "SKRATKA", "HODNOTA"}));
    EXPECT_EQ(ini.readString("PARAMETER 28", "POPIS", ""),
              QString("Daňový bonus na dieťa - mesačne"));
    EXPECT_EQ(ini.readString("PARAMETER 2", "POPIS", ""), QString("Riadok s zalomením"));
    EXPECT_EQ(ini.readString("PARAMETER 29", "HODNOTA", ""), "40.01");
    EXPECT_EQ(ini.readString("PARAMETER 27", "HODNOTA", ""), "0.5");
    EXPECT_EQ(ini.readString("PARAMETER 3", "HODNOTA", ""), "-3");
}

TEST_F(ParametersTest, AMissingYearTableFailsWithEmptySlotsAndLeavesParamIni)
{
    load(makeYear("ROK2007", numbered(1, 5)));
    const QByteArray before = iniBytes();
    ASSERT_FALSE(before.isEmpty());
    session.setAlias("TARIX_COMM", dir.filePath("CHYBA"));
    EXPECT_ANY_THROW(Nacitaj_parametre(session, ini));
    for (int id = 1; id <= 99; ++id)
        EXPECT_EQ(Parametre(id).Id, 0) << id;
    EXPECT_THROW(Hodnota_parametra("P1"), EMyError);
    EXPECT_EQ(iniBytes(), before);
}

TEST(ParametersSlot28, TheTaxBonusFollowsTheMonthWhereTheLawChangedItWithinTheYear)
{
    struct Case {
        int period;
        double expected;
    } const cases[] = {
        {200501, 400.0}, {200508, 400.0}, {200509, 450.0}, {200512, 450.0},
        {200701, 540.0}, {200706, 540.0}, {200707, 555.0}, {200712, 555.0},
        {200401, 123.0}, {200412, 123.0}, {200609, 123.0}, {200601, 123.0},
        {200801, 555.0}, {200806, 555.0}, {200807, 582.0}, {200812, 582.0}, {200409, 123.0},
    };
    for (const auto &c : cases) {
        Parametre(28).Hodnota = 123.0;
        adjustParameter28(c.period);
        EXPECT_DOUBLE_EQ(Parametre(28).Hodnota, c.expected) << c.period;
    }
    // Only slot 28 moves.
    Parametre(27).Hodnota = 7.0;
    Parametre(29).Hodnota = 8.0;
    adjustParameter28(200509);
    EXPECT_DOUBLE_EQ(Parametre(27).Hodnota, 7.0);
    EXPECT_DOUBLE_EQ(Parametre(29).Hodnota, 8.0);
    Parametre().fill(Parameter{});
}

TEST_F(ParametersTest, AParamIniThatCannotBeWrittenIsToldInSlovakWithItsName)
{
    // A folder standing where the file belongs: refused even for root.
    ASSERT_TRUE(QDir(dir.path()).mkpath("PARAM.INI"));
    try {
        load(makeYear("ROK2007", numbered(1, 5)));
        ADD_FAILURE() << "PARAM.INI was written";
    } catch (const EMyError &e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Súbor nastavení "))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QStringLiteral("PARAM.INI"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(QStringLiteral("priečinok"))) << e.text().toStdString();
    }
}
