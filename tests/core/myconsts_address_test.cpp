#include <gtest/gtest.h>

#include "core/helpers/address.h"

using namespace tarix::MyConsts;

TEST(MyConstsAddress, SplittingHouseNumbers)
{
    struct Case {
        const char16_t *line, *street, *last, *before;
    } const cases[] = {
        {u"Hlavná 12", u"Hlavná", u"12", u""},
        {u"Hlavná 1234/5", u"Hlavná", u"5", u"1234"},
        {u"Hlavná 12 / 5", u"Hlavná 12 /", u"5", u""},
        {u"Hlavná 12A", u"Hlavná 12A", u"", u""},
        {u"Nám. SNP/3", u"Nám. SNP/", u"3", u""},
        {u"15/3", u"", u"3", u"15"},
        {u"", u"", u"", u""},
        {u"   ", u"", u"", u""},
        {u"  Hlavná   12  ", u"Hlavná", u"12", u""},
        {u"Hlavná 012/007", u"Hlavná", u"7", u"12"},
        {u"Hlavná 12/", u"Hlavná", u"12", u""},        // a trailing "/" only separates
        {u"Hlavná 12//5", u"Hlavná", u"5", u"12"},     // "//": the first only separates
        {u"Hlavná 1234/5A", u"Hlavná 1234/5A", u"", u""},
        {u"Hlavná 12A/5", u"Hlavná 12A/", u"5", u""},
        {u"Hlavná", u"Hlavná", u"", u""},
        {u"12", u"", u"12", u""},
        {u"/5", u"/", u"5", u""},
        {u"Ulica 1. mája 3", u"Ulica 1. mája", u"3", u""},
        {u"Hlavná 99999999999", u"Hlavná 99999999999", u"", u""}, // not a 32-bit number
        {u"Hlavná 0/0", u"Hlavná", u"0", u"0"},
    };
    for (const auto &c : cases) {
        const SplitAddress a = Rozloz_adresu(QString::fromUtf16(c.line));
        const std::string line = QString::fromUtf16(c.line).toStdString();
        EXPECT_EQ(a.ulica, QString::fromUtf16(c.street)) << line;
        EXPECT_EQ(a.posledne_cislo, QString::fromUtf16(c.last)) << line;
        EXPECT_EQ(a.cislo_pred_lomkou, QString::fromUtf16(c.before)) << line;
    }
}

TEST(MyConstsAddress, StreetAndNumberText)
{
    struct Case {
        const char16_t *line, *street, *number;
    } const cases[] = {
        {u"Hlavná 1234/5", u"Hlavná", u"1234/5"},
        {u"Hlavná 12", u"Hlavná", u"12"},
        {u"Hlavná 12A", u"Hlavná 12A", u""},
        {u"Nám. SNP/3", u"Nám. SNP/", u"3"},
        {u"", u"", u""},
    };
    for (const auto &c : cases) {
        const StreetAndNumber u = Ulica_a_cislo(QString::fromUtf16(c.line));
        EXPECT_EQ(u.ulica, QString::fromUtf16(c.street));
        EXPECT_EQ(u.cislo, QString::fromUtf16(c.number));
    }
}

TEST(MyConstsAddress, HouseNumbersForForms)
{
    HouseNumbers c = Cisla_domu(QStringLiteral("Hlavná 1234/5"));
    EXPECT_EQ(c.pred_lomkou, QStringLiteral("1234"));
    EXPECT_EQ(c.posledne, QStringLiteral("5"));
    c = Cisla_domu(QStringLiteral("Hlavná 0/5")); // the number 0 gives an empty text
    EXPECT_EQ(c.pred_lomkou, QString());
    EXPECT_EQ(c.posledne, QStringLiteral("5"));
    c = Cisla_domu(QStringLiteral("02/12345678")); // a telephone: area code and number
    EXPECT_EQ(c.pred_lomkou, QStringLiteral("2"));
    EXPECT_EQ(c.posledne, QStringLiteral("12345678"));
}

TEST(MyConstsAddress, OneLineAddress)
{
    EXPECT_EQ(Text_adresy(QStringLiteral("Hlavná"), QStringLiteral("12"), QStringLiteral("811 01"),
                          QStringLiteral("Bratislava")),
              QStringLiteral("Hlavná 12, 811 01 Bratislava"));
    EXPECT_EQ(Text_adresy(QStringLiteral("Hlavná"), QStringLiteral("  "), QStringLiteral("811 01"),
                          QStringLiteral("Bratislava")),
              QStringLiteral("Hlavná, 811 01 Bratislava"));
}
