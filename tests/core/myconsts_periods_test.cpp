#include <gtest/gtest.h>

#include "core/helpers/periods.h"

using namespace tarix::MyConsts;

TEST(MyConstsPeriods, MonthAndYearOfAPeriod)
{
    EXPECT_EQ(Mesiac_obdobia(200503), 3);
    EXPECT_EQ(Rok_obdobia(200503), 2005);
    EXPECT_EQ(Mesiac_obdobia(200412), 12);
}

TEST(MyConstsPeriods, MovingPeriods)
{
    struct Case {
        int period, months, expected;
    } const cases[] = {
        {200501, -1, 200412}, {200412, 13, 200601}, {200412, 1, 200501},
        {200503, 0, 200503},  {200503, -3, 200412}, {200503, -15, 200312},
        {200503, 24, 200703}, {200512, -12, 200412}, {200501, -25, 200212},
        {200506, 6, 200512},  {200506, 7, 200601},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Posun_obdobie(c.period, c.months), c.expected)
            << c.period << " by " << c.months;
}

TEST(MyConstsPeriods, DaysOfMonth)
{
    struct Case {
        int period, days;
    } const cases[] = {
        {200501, 31}, {200504, 30}, {200506, 30}, {200507, 31}, {200508, 31},
        {200509, 30}, {200511, 30}, {200512, 31}, {190002, 28}, {200002, 29},
        {200402, 29}, {200502, 28}, {210002, 28}, {200500, 0},  {200513, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Pocet_dni_mesiaca(c.period), c.days) << c.period;
}

TEST(MyConstsPeriods, DatesAsNumbersAndTexts)
{
    EXPECT_EQ(Obdobie_z_datumu(QDate(2005, 3, 31)), 200503);
    EXPECT_EQ(Datum_ako_cislo(QDate(2005, 3, 1)), 20050301);
    EXPECT_EQ(Datum_ako_cislo(QDate(2004, 12, 31)), 20041231);
    EXPECT_EQ(Obdobie_z_datumu(QDate()), 0);
    EXPECT_EQ(Datum_ako_cislo(QDate()), 0);
    EXPECT_EQ(Text_obdobia(200503), QStringLiteral("032005"));
    EXPECT_EQ(Text_obdobia(200412), QStringLiteral("122004"));
    EXPECT_EQ(Nazov_priecinka_roka(2005), QStringLiteral("ROK2005"));
}

TEST(MyConstsPeriods, BuildingDates)
{
    struct Case {
        int y, m, d;
        QDate expected;
    } const cases[] = {
        {2005, 4, 31, QDate(2005, 4, 30)}, {2005, 2, 31, QDate(2005, 2, 28)},
        {2004, 2, 31, QDate(2004, 2, 29)}, {2004, 2, 30, QDate(2004, 2, 29)},
        {2005, 3, 15, QDate(2005, 3, 15)}, {2005, 3, 0, QDate(2005, 3, 31)},
        {2005, 4, 0, QDate(2005, 4, 30)},  {2005, 4, 45, QDate(2005, 4, 30)},
        {2005, 1, -3, QDate(2005, 1, 31)}, {2005, 12, 31, QDate(2005, 12, 31)},
        {2005, 0, 1, QDate()},             {2005, 13, 1, QDate()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Zostav_datum(c.y, c.m, c.d), c.expected) << c.y << "-" << c.m << "-" << c.d;
}

TEST(MyConstsPeriods, MonthNames)
{
    EXPECT_EQ(Nazov_mesiaca(1, true), QStringLiteral("JANUÁR"));
    EXPECT_EQ(Nazov_mesiaca(5, true), QStringLiteral("MÁJ"));
    EXPECT_EQ(Nazov_mesiaca(10, true), QStringLiteral("OKTÓBER"));
    EXPECT_EQ(Nazov_mesiaca(4, false), QStringLiteral("apríl"));
    EXPECT_EQ(Nazov_mesiaca(7, false), QStringLiteral("júl"));
    EXPECT_EQ(Nazov_mesiaca(12, false), QStringLiteral("december"));
    EXPECT_EQ(Nazov_mesiaca(0, false), QString());
    EXPECT_EQ(Nazov_mesiaca(13, true), QString());
    for (int m = 1; m <= 12; ++m) // the upper-case names are the lower-case ones upper-cased
        EXPECT_EQ(Nazov_mesiaca(m, true), Nazov_mesiaca(m, false).toUpper());
}

TEST(MyConstsPeriods, MonthListTexts)
{
    using F = std::array<quint8, 12>;
    struct Case {
        F flags;
        const char *expected;
    } const cases[] = {
        {F{1, 1, 1, 1, 1, 0, 1, 0, 1, 1, 1, 1}, "1-5,7,9-12"},
        {F{0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "3,4"},
        {F{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, "1-12"},
        {F{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "1,12"},
        {F{}, ""},
        {F{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}, "11,12"},
        {F{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}, "10-12"},
        {F{0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0}, "2,4,6"},
        // A flag other than 0/1 continues an open run and starts none.
        {F{1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "1-3"},
        {F{2, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "3,4"},
        {F{1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "1,2"},
        {F{0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text_zoznamu_mesiacov(c.flags), QString::fromLatin1(c.expected)) << c.expected;
}
