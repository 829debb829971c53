#include <gtest/gtest.h>

#include "platform/format/decimal.h"
#include "platform/format/number_format.h"

#include <cmath>
#include <limits>

using namespace tarix::fmt;

namespace {

struct MaskCase {
    const char16_t *mask;
    double value;
    const char16_t *expected;
};

void expectMasks(std::initializer_list<MaskCase> cases, const Style &style = Style::screen())
{
    for (const auto &c : cases)
        EXPECT_EQ(formatFloat(QStringView(c.mask), c.value, style),
                  QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.mask).toStdString() << " with " << c.value;
}

} // namespace

TEST(FormatMask, PlainAndDecimalMasks)
{
    expectMasks({
        {u"0", -150, u"-150"},
        {u"0", 150, u"150"},
        {u"0", 2.5, u"3"},
        {u"0", -2.5, u"-3"},
        {u"0", 0.5, u"1"},
        {u"0", -0.4, u"0"}, // negative zero prints "0"
        {u"0", -0.0, u"0"},
        {u"0", 1234567, u"1234567"},
        {u"0.0", 20.5, u"20,5"},
        {u"0.0", 0, u"0,0"},
        {u"0.00", 0.285, u"0,29"},
        {u"0.00", 1.005, u"1,01"},
        {u"0.00", -0.001, u"0,00"},
        {u"0.00", 1234.5, u"1234,50"},
        {u"0.0000", 0.1 + 0.2, u"0,3000"},
        {u"0.0000", -1.23456, u"-1,2346"},
        {u"#.##", 0.5, u",5"},
        {u"#.##", 0, u""},
        {u"#.##", 1234, u"1234"},
        {u"0.##", 1, u"1"},
        {u"0.0#", 1.5, u"1,5"},
        {u"0.0#", 1.25, u"1,25"},
        {u"00000", 42, u"00042"},
        {u"", 1234.5, u"1234,5"}, // empty mask: general form
    });
}

TEST(FormatMask, PercentIsALiteral)
{
    expectMasks({
        {u"0.00%", 12.5, u"12,50%"},
        {u"0%", 35, u"35%"},
        {u"0%", 0.4, u"0%"},
        {u"0.00%", -1.5, u"-1,50%"},
    });
}

TEST(FormatMask, ThousandsSeparators)
{
    expectMasks({
        {u",0", 1234567, u"1 234 567"},
        {u",0", 999, u"999"},
        {u",0", -1000, u"-1 000"},
        {u",0", 1234.5, u"1 235"},
        {u"#,##0", 0, u"0"},
        {u"#,##0", 12345, u"12 345"},
        {u"#,##0", -123456789, u"-123 456 789"},
        {u"#,##0.00", 1234.5, u"1 234,50"},
        {u"+,0;-,0;0", 0, u"0"},
        {u"+,0;-,0;0", 1500, u"+1 500"},
        {u"+,0;-,0;0", -1500, u"-1 500"},
        {u"+,0;-,0;0", -0.4, u"0"},
    });
}

TEST(FormatMask, SectionsForNegativeAndZero)
{
    expectMasks({
        // Zero section empty: zero prints nothing; the negative section has no sign.
        {u"###,###,##0.00;###,###,##0.00;", 0, u""},
        {u"###,###,##0.00;###,###,##0.00;", 0.004, u""},
        {u"###,###,##0.00;###,###,##0.00;", -1234.5, u"1 234,50"},
        {u"###,###,##0.00;###,###,##0.00;", 1234567.891, u"1 234 567,89"},
        {u"+0.00;-0.00;0.00", 5, u"+5,00"},
        {u"+0.00;-0.00;0.00", -5, u"-5,00"},
        {u"+0.00;-0.00;0.00", 0, u"0,00"},
        {u"+0.00;-0.00;0.00", -0.001, u"0,00"},
        // Two sections: the second for negatives; an empty one means the first with "-".
        {u"0;(0)", -5, u"(5)"},
        {u"0;(0)", 0, u"0"},
        {u"0;", -5, u"-5"},
        // A quoted ";" does not split.
        {u"0\";\"0", 12, u"1;2"},
    });
}

TEST(FormatMask, CurrencySuffix)
{
    expectMasks({
        {u"0 Sk", 1200, u"1200 Sk"},
        {u"0 Sk", -1200, u"-1200 Sk"},
        {u"0 Sk", 0, u"0 Sk"},
        {u"### ### ##0 Sk", 1234567, u"1 234 567 Sk"},
        {u"### ### ##0 Sk", 0, u"0 Sk"},
        {u"### ### ##0 Sk", -50, u"-50 Sk"},
    });
    // The program puts "+ " in front of a refund.
    EXPECT_EQ(QStringLiteral("+ ") + formatFloat(u"0 Sk", 1200), QStringLiteral("+ 1200 Sk"));
    EXPECT_EQ(QStringLiteral("+ ") + formatFloat(u"0", 150), QStringLiteral("+ 150"));
}

TEST(FormatMask, BlanksBetweenPlaceholdersOnlyAfterADigit)
{
    expectMasks({
        {u"### ###", 700, u"700"},
        {u"### ###", 1234, u"1 234"},
        {u"### ###", 123456, u"123 456"},
        {u"### ###", 1234567, u"1234 567"}, // extra digits go to the first placeholder
        {u"### ###", 0, u""},
        {u"### ###", -1234, u"-1 234"},
        {u"### ### ###", 5, u"5"},
        {u"### ### ###", 12345678, u"12 345 678"},
        {u"### ### ##0", 0, u"0"},
        {u"### ### ##0", 1000, u"1 000"},
        {u"### ### ##0", 999999, u"999 999"},
        {u"### ### ##0", 1000000, u"1 000 000"},
        {u"### ### ### ##0.00", 0, u"0,00"},
        {u"### ### ### ##0.00", 1234567.5, u"1 234 567,50"},
        {u"### ### ### ##0.00", -12.345, u"-12,35"},
        {u"### ### ### ##0.00", 987654321012.25, u"987 654 321 012,25"},
    });
}

TEST(FormatMask, LiteralsAroundTheNumberAndTrailingPoint)
{
    expectMasks({
        {u"=0=", 5, u"=5="},
        {u"=0=", 0, u"=0="},
        {u"=0=", -5, u"=-5="},
        {u"=0=", 1234, u"=1234="},
        {u"##.", 5, u"5"},
        {u"##.", 12.5, u"13"},
        {u"##.", 0, u""},
        {u"##.", 1234, u"1234"},
        {u"'Sk' 0", 5, u"Sk 5"},
        {u"\"##\"0", 5, u"##5"},
    });
}

TEST(FormatMask, DecimalPointStyleAndNonFinite)
{
    expectMasks(
        {
            {u"0.00", 1234.5, u"1234.50"},
            {u"#,##0.00", 1234567.5, u"1234567.50"},
        },
        Style::point());
    expectMasks({{u"#,##0.00", 1234567.5, u"1,234,567.50"}},
                Style{QChar(u'.'), QChar(u',')});
    EXPECT_EQ(formatFloat(u"0.00", std::nan("")), QStringLiteral("NAN"));
    EXPECT_EQ(formatFloat(u"0.00", -std::numeric_limits<double>::infinity()),
              QStringLiteral("-INF"));
}

TEST(FormatGeneral, BankAmountAndGeneralForm)
{
    struct Case {
        double value;
        const char *expected;
    } const cases[] = {
        {1500, "1500"},
        {1234.5, "1234.5"},
        {0.1 + 0.2, "0.3"},
        {-0.07, "-0.07"},
        {0, "0"},
        {-0.0, "0"},
        {21474836.47, "21474836.47"},
        {123456789012.345, "123456789012.345"},
        {1e20, "100000000000000000000"},
        {0.000001, "0.000001"},
        {1.0 / 3.0, "0.333333333333333"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(general(c.value, Style::point()), QString::fromLatin1(c.expected))
            << c.value;
    EXPECT_EQ(general(1234.5), QStringLiteral("1234,5"));
    EXPECT_EQ(general(2.0 / 3.0, Style::point(), 4), QStringLiteral("0.6667"));
}

TEST(FormatHelpers, FixedNumberIntegerPadding)
{
    EXPECT_EQ(fixed(1234.567, 2), QStringLiteral("1234,57"));
    EXPECT_EQ(fixed(-0.004, 2), QStringLiteral("0,00"));
    EXPECT_EQ(fixed(2.5, 0), QStringLiteral("3"));
    EXPECT_EQ(number(1234567.891, 2), QStringLiteral("1 234 567,89"));
    EXPECT_EQ(number(-999.999, 2), QStringLiteral("-1 000,00"));
    EXPECT_EQ(integer(7, 2), QStringLiteral("07"));
    EXPECT_EQ(integer(-7, 3), QStringLiteral("-007"));
    EXPECT_EQ(integer(std::numeric_limits<qint64>::min()),
              QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(padLeft(QStringLiteral("ab"), 4), QStringLiteral("  ab"));
    EXPECT_EQ(padRight(QStringLiteral("ab"), 4), QStringLiteral("ab  "));
    EXPECT_EQ(padLeft(QStringLiteral("abcdef"), 4), QStringLiteral("abcdef"));
}

TEST(FormatConsistency, TextsAgreeWithTheRoundedValue)
{
    // The printed digits are the digits of the rounded amount, whatever path prints them.
    quint64 seed = 12345;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 11;
    };
    for (int i = 0; i < 20000; ++i) {
        const double v = (double(next() % 2000000001) - 1000000000.0) / 1000.0;
        const QString a = formatFloat(u"0.00", v, Style::point());
        const QString b = fixed(v, 2, Style::point());
        ASSERT_EQ(a, b) << v;
        const double rounded = tarix::fmt::roundDecimal(v, 2, tarix::fmt::Rounding::HalfAwayFromZero);
        ASSERT_EQ(a.toDouble(), rounded) << v;
        ASSERT_EQ(general(rounded, Style::point()).toDouble(), rounded) << v;
    }
}
