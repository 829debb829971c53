#include <gtest/gtest.h>

#include "platform/format/clock.h"
#include "platform/format/dates.h"

#include <stdexcept>

using namespace tarix::fmt;

TEST(FormatDate, EveryFormOfTheProgram)
{
    const QDate d(2005, 3, 5);
    struct Case {
        QStringView pattern;
        const char *expected;
    } const cases[] = {
        {kShortDate, "5.3.2005"},
        {u"d.m.yyyy", "5.3.2005"},
        {kDottedDate, "05.03.2005"},
        {kIsoDate, "2005-03-05"},
        {kShortYearDate, "05.03.05"},
        {kYyMmDd, "050305"},
        {u"yymmdd", "050305"},
        {kDdMmYyyy, "05032005"},
        {kYyyyMmDd, "20050305"},
        {kMmYyyy, "032005"},
        {u"m.yyyy", "3.2005"},
        {u"'za mesiac' mm / yyyy", "za mesiac 03 / 2005"},
        {u"\"tb\"yymmdd\".XML\"", "tb050305.XML"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatDate(d, c.pattern), QString::fromLatin1(c.expected))
            << c.pattern.toString().toStdString();
    EXPECT_EQ(shortDate(QDate(2004, 12, 31)), QStringLiteral("31.12.2004"));
    EXPECT_EQ(formatDate(QDate(2000, 1, 9), kShortYearDate), QStringLiteral("09.01.00"));
}

TEST(FormatDate, EmptyDateIsAnEmptyTextInEveryForm)
{
    for (QStringView p : {QStringView(kShortDate), QStringView(kDdMmYyyy),
                          QStringView(kYyyyMmDd), QStringView(kMmYyyy), QStringView(kIsoDate)}) {
        EXPECT_EQ(formatDate(QDate(), p), QString()) << p.toString().toStdString();
        EXPECT_EQ(formatDate(QDate(1899, 12, 30), p), QString()) << p.toString().toStdString();
    }
    EXPECT_TRUE(isEmptyDate(QDate(1899, 12, 30)));
    EXPECT_FALSE(isEmptyDate(QDate(1899, 12, 31)));
}

TEST(FormatDate, MalformedPatternIsAProgrammingError)
{
    EXPECT_THROW(formatDate(QDate(2005, 3, 5), u"ddd"), std::invalid_argument);
    EXPECT_THROW(formatDate(QDate(2005, 3, 5), u"yyy"), std::invalid_argument);
}

TEST(FormatDate, ParseShortDateAndTwoDigitYears)
{
    struct Case {
        const char *text;
        QDate expected;
    } const cases[] = {
        {"5.3.2005", QDate(2005, 3, 5)},
        {"05.03.2005", QDate(2005, 3, 5)},
        {" 5. 3. 2005 ", QDate(2005, 3, 5)},
        {"5.3.05", QDate(2005, 3, 5)},
        {"1.1.00", QDate(2000, 1, 1)},
        {"31.12.49", QDate(2049, 12, 31)},
        {"1.1.50", QDate(1950, 1, 1)},
        {"14.7.75", QDate(1975, 7, 14)},
        {"29.2.2004", QDate(2004, 2, 29)},
        {"29.2.2005", QDate()},
        {"31.4.2005", QDate()},
        {"0.1.2005", QDate()},
        {"1.13.2005", QDate()},
        {"", QDate()},
        {"   ", QDate()},
        {"5.3", QDate()},
        {"5.3.205", QDate()},
        {"5.3.20055", QDate()},
        {"a.3.2005", QDate()},
        {"5.3.2005.", QDate()},
        {"-5.3.2005", QDate()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseDate(QString::fromLatin1(c.text)), c.expected) << c.text;
    // What the short date prints, parseDate reads back.
    for (QDate d(2003, 12, 25); d < QDate(2004, 3, 5); d = d.addDays(1))
        EXPECT_EQ(parseDate(shortDate(d)), d);
}

TEST(FormatDate, LongTime)
{
    EXPECT_EQ(longTime(QTime(9, 5, 7)), QStringLiteral("9:05:07"));
    EXPECT_EQ(longTime(QTime(17, 30, 0)), QStringLiteral("17:30:00"));
    EXPECT_EQ(longTime(QTime()), QString());
}

TEST(FormatClock, ScopedClockFixesAndRestoresTheTime)
{
    const QDateTime fixed(QDate(2005, 6, 10), QTime(8, 15, 0));
    {
        ScopedClock clock(fixed);
        EXPECT_EQ(now(), fixed);
        EXPECT_EQ(today(), QDate(2005, 6, 10));
        {
            ScopedClock inner(fixed.addDays(1));
            EXPECT_EQ(today(), QDate(2005, 6, 11));
        }
        EXPECT_EQ(today(), QDate(2005, 6, 10));
    }
    EXPECT_GT(today().year(), 2020); // the system clock again
}
