#include <gtest/gtest.h>

#include "core/helpers/checks.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

using namespace tarix::MyConsts;
using tarix::EMyError;

namespace {

const QString kNespravna = QStringLiteral("Nesprávna číselná hodnota.");
const QString kDlzka =
    QStringLiteral("Dĺžka rodného čísla musí byť minimálne 9 a maximálne 10 znakov.");

template <typename F>
QString errorText(F f)
{
    try {
        f();
    } catch (const EMyError &e) {
        return e.text();
    }
    return QString();
}

} // namespace

TEST(MyConstsBirthNumber, LengthAndNumberChecks)
{
    struct Case {
        const char *text;
        const QString &error; // empty: accepted
    } const cases[] = {
        {"", QString()},
        {"7801011234", QString()},
        {"780101123", QString()},
        {"0000000000", QString()},
        {"780101", kDlzka},
        {"78010112", kDlzka},
        {"78010112345", kDlzka},
        {"780101/1234", kNespravna},
        {"/", kNespravna},
        {"1234", kDlzka},
        {"78010A1234", kNespravna},
    };
    for (const auto &c : cases)
        EXPECT_EQ(errorText([&] { Kontrola_rodneho_cisla(QString::fromLatin1(c.text)); }), c.error)
            << c.text;
    // Typed with "/": the caller strips it first, and then the check passes.
    EXPECT_NO_THROW(Kontrola_rodneho_cisla(Odstran_lomky_a_medzery(QStringLiteral("780101/1234"))));
}

TEST(MyConstsBankAccount, PrefixCheck)
{
    struct Case {
        const char *prefix;
        bool valid;
    } const cases[] = {
        {"", true},       {"  ", true},     {"0", true},       {"000000", true},
        {"19", true},     {"000019", true}, {"1", false},      {"35", true},
        {"123457", true}, {"123456", false}, {"0000019", false}, // seven digits are never a prefix
    };
    for (const auto &c : cases)
        EXPECT_EQ(Kontrola_predcislia_uctu(QString::fromLatin1(c.prefix)), c.valid) << c.prefix;
    EXPECT_EQ(errorText([] { Kontrola_predcislia_uctu(QStringLiteral("1a")); }), kNespravna);
    EXPECT_EQ(errorText([] { Kontrola_predcislia_uctu(QStringLiteral("-19")); }), kNespravna);
}

TEST(MyConstsBankAccount, NumberCheck)
{
    struct Case {
        const char *number;
        bool valid;
    } const cases[] = {
        {"", true},
        {"   ", true},
        {"0000000000", false}, // weighted sum 0
        {"0", false},
        {"19", true},
        {" 19 ", true},
        {"12", false},
        {"2345678", true},
        {"2345679", false},
        {"1234567897", false},
        {"00000000019", false}, // eleven digits are never a number
    };
    for (const auto &c : cases)
        EXPECT_EQ(Kontrola_cisla_uctu(QString::fromLatin1(c.number)), c.valid) << c.number;
    // Every number whose weighted sum is a multiple of 11 passes, others fail.
    const int w[] = {6, 3, 7, 9, 10, 5, 8, 4, 2, 1};
    for (qint64 n : {qint64(19), qint64(1234567890), qint64(4000000005), qint64(9999999999),
                     qint64(100000007), qint64(2629600019)}) {
        const QString text = QString::number(n).rightJustified(10, u'0');
        int sum = 0;
        for (int i = 0; i < 10; ++i)
            sum += (text[i].unicode() - '0') * w[i];
        EXPECT_EQ(Kontrola_cisla_uctu(QString::number(n)), sum % 11 == 0 && sum != 0) << n;
    }
    EXPECT_EQ(errorText([] { Kontrola_cisla_uctu(QStringLiteral("abc")); }), kNespravna);
    EXPECT_EQ(errorText([] { Kontrola_cisla_uctu(QStringLiteral("12 34")); }), kNespravna);
}

TEST(MyConstsBankAccount, ParsingImportTexts)
{
    struct Case {
        const char *text;
        bool valid;
        const char *prefix, *number;
    } const cases[] = {
        {"19-19", true, "19", "19"},
        {"1-9", true, "000000", "19"},
        {"12", false, "000000", "0000000000"},
        {"19", true, "000000", "19"},
        {" 19 - 19 ", true, "19", "19"},
        {"1234567-19", false, "000000", "0000000000"}, // prefix too long, 123456719 fails
        {"19-12", false, "000000", "0000000000"},
        {"19-1-9", true, "19", "19"},
        {"1-1-9", false, "000000", "0000000000"},
        {"", true, "000000", ""},
    };
    for (const auto &c : cases) {
        const SplitAccount u = Rozloz_cislo_uctu(QString::fromLatin1(c.text));
        EXPECT_EQ(u.platny, c.valid) << c.text;
        EXPECT_EQ(u.predcislie, QString::fromLatin1(c.prefix)) << c.text;
        EXPECT_EQ(u.cislo, QString::fromLatin1(c.number)) << c.text;
    }
    EXPECT_EQ(errorText([] { Rozloz_cislo_uctu(QStringLiteral("abc")); }), kNespravna);
    EXPECT_EQ(errorText([] { Rozloz_cislo_uctu(QStringLiteral("19-1x")); }), kNespravna);
    EXPECT_EQ(errorText([] { Rozloz_cislo_uctu(QStringLiteral("19-1-2-3")); }), kNespravna);
}
