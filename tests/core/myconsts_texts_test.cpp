#include <gtest/gtest.h>

#include "core/helpers/code_texts.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"

using namespace tarix::MyConsts;
using tarix::EMyError;

namespace {

const QString kNespravna = QStringLiteral("Nesprávna číselná hodnota.");

template <typename F>
QString errorText(F f)
{
    try {
        f();
    } catch (const EMyError &e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(MyConstsCodeTexts, MaritalStatusBySex)
{
    struct Case {
        char code, sex;
        const char16_t *expected;
    } const cases[] = {
        {'1', 'M', u"slobodný"}, {'S', 'Z', u"slobodná"}, {'1', ' ', u"slobodný(á)"},
        {'2', 'M', u"ženatý"},   {'Z', 'Z', u"vydatá"},   {'2', 'X', u"ženatý(vydatá)"},
        {'3', 'M', u"rozvedený"}, {'R', 'Z', u"rozvedená"}, {'3', ' ', u"rozvedený(á)"},
        {'4', 'M', u"vdovec"},   {'V', 'Z', u"vdova"},    {'4', ' ', u"vdovec(vdova)"},
        {'5', 'M', u"druh,družka"}, {'5', 'Z', u"druh, družka"}, {'5', ' ', u"druh, družka"},
        {'6', 'M', u""}, {'s', 'M', u""}, {' ', 'Z', u""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text_rodinneho_stavu(QChar(c.code), QChar(c.sex)),
                  QString::fromUtf16(c.expected))
            << c.code << c.sex;
}

TEST(MyConstsCodeTexts, OtherCodeTables)
{
    EXPECT_EQ(Text_pohlavia(u'M'), QStringLiteral("muž"));
    EXPECT_EQ(Text_pohlavia(u'Z'), QStringLiteral("žena"));
    EXPECT_EQ(Text_pohlavia(u'X'), QString());
    EXPECT_EQ(Text_uvazku(u'0'), QStringLiteral("iný"));
    EXPECT_EQ(Text_uvazku(u'3'), QStringLiteral("menej ako polovičný"));
    EXPECT_EQ(Text_uvazku(u'4'), QString());
    EXPECT_EQ(Text_druhu_osoby(u'Z'), QStringLiteral("občan so ZPS"));
    EXPECT_EQ(Text_druhu_osoby(u'D'), QStringLiteral("dôchodca"));
    EXPECT_EQ(Text_typu_premie(1), QStringLiteral("percentuálna sadzba"));
    EXPECT_EQ(Text_typu_premie(3), QString());
    EXPECT_EQ(Text_typu_sadzby(1), QStringLiteral("hodinová"));
    EXPECT_EQ(Text_typu_sadzby(-1), QString());
    EXPECT_EQ(Text_druhu_nepritomnosti(2), QStringLiteral("OČR"));
    EXPECT_EQ(Text_druhu_nepritomnosti(5), QStringLiteral("nútené voľno"));
    EXPECT_EQ(Text_druhu_nepritomnosti(6), QString());
    EXPECT_EQ(Text_druhu_zrazky(u'S'), QStringLiteral("staveb.sporenie"));
    EXPECT_EQ(Text_druhu_zrazky(u'Y'), QStringLiteral("pôžičky"));
    EXPECT_EQ(Text_druhu_zrazky(u'A'), QString());
    EXPECT_EQ(Text_druhu_prijemcu(u'D', 0), QStringLiteral("Daňový úrad - zrážky+preddavky"));
    EXPECT_EQ(Text_druhu_prijemcu(u'U', 7), QStringLiteral("Úrad práce"));
    EXPECT_EQ(Text_druhu_prijemcu(u'Y', 3), QStringLiteral("DDP č.3"));
    EXPECT_EQ(Text_druhu_prijemcu(u'Z', 25), QStringLiteral("Zdrav.poisť.č.25"));
    EXPECT_EQ(Text_druhu_prijemcu(u'Q', 1), QString());
}

TEST(MyConstsNumbers, WholeNumbers)
{
    EXPECT_EQ(Text_na_cele_cislo(QStringLiteral("42")), 42);
    EXPECT_EQ(Text_na_cele_cislo(QStringLiteral(" -7 ")), -7);
    EXPECT_EQ(Text_na_cele_cislo(QStringLiteral("+0012")), 12);
    EXPECT_EQ(Text_na_cele_cislo(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(Text_na_cele_cislo(QStringLiteral("-2147483648")), -2147483647 - 1);
    for (const char *bad : {"", " ", "12a", "1.5", "1 2", "-", "2147483648", "99999999999999999999"})
        EXPECT_EQ(errorText([&] { Text_na_cele_cislo(QString::fromLatin1(bad)); }), kNespravna)
            << bad;
}

TEST(MyConstsNumbers, RealNumbers)
{
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral("12,5")), 12.5);
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral("12.5")), 12.5);
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral(" -0,75 ")), -0.75);
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral("1234")), 1234);
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral(",5")), 0.5);
    EXPECT_EQ(Text_na_realne_cislo(QStringLiteral("7801011234")), 7801011234.0);
    for (const char *bad : {"", "abc", "780101/1234", "1,2,3", "1.2.3", "1 000", "1e5", ",", "-", "nan", "inf"})
        EXPECT_EQ(errorText([&] { Text_na_realne_cislo(QString::fromLatin1(bad)); }), kNespravna)
            << bad;
}

TEST(MyConstsTexts, Padding)
{
    EXPECT_EQ(Dopln_zlava(QStringLiteral("12"), 6, u'0'), QStringLiteral("000012"));
    EXPECT_EQ(Dopln_zlava(QStringLiteral("1234567"), 6, u'0'), QStringLiteral("123456"));
    EXPECT_EQ(Dopln_zlava(QStringLiteral("ab"), 0, u' '), QString());
    EXPECT_EQ(Dopln_sprava(QStringLiteral("12"), 6, u' '), QStringLiteral("12    "));
    EXPECT_EQ(Dopln_sprava(QStringLiteral("1234567"), 6, u' '), QStringLiteral("234567"));
    EXPECT_EQ(Bez_posledneho_znaku(QStringLiteral("abc")), QStringLiteral("ab"));
    EXPECT_EQ(Bez_posledneho_znaku(QString()), QString());
    EXPECT_EQ(Prvy_znak(QStringLiteral("Žena")), QChar(u'Ž'));
    EXPECT_EQ(Prvy_znak(QString()), QChar(u' '));
}

TEST(MyConstsTexts, DigitsAndBlanks)
{
    EXPECT_TRUE(Len_cislice(QStringLiteral("0123456789")));
    EXPECT_FALSE(Len_cislice(QString()));
    EXPECT_FALSE(Len_cislice(QStringLiteral("12 3")));
    EXPECT_FALSE(Len_cislice(QStringLiteral("-1")));
    EXPECT_FALSE(Len_cislice(QString::fromUtf16(u"١٢"))); // other scripts' digits are not digits here
    EXPECT_EQ(Prazdny_na_nulu(QStringLiteral("  ")), QStringLiteral("0"));
    EXPECT_EQ(Prazdny_na_nulu(QStringLiteral(" 5")), QStringLiteral(" 5"));
    EXPECT_EQ(Prazdny_na_nahradny_text(QString(), QStringLiteral("-")), QStringLiteral("-"));
    EXPECT_EQ(Prazdny_na_nahradny_text(QStringLiteral("x"), QStringLiteral("-")),
              QStringLiteral("x"));
}

TEST(MyConstsTexts, Replacing)
{
    struct Case {
        const char *text, *pattern, *replacement, *first, *all;
    } const cases[] = {
        {"a&b&", "&", "&amp;", "a&amp;b&", "a&amp;b&amp;"},
        {"aaa", "a", "aa", "aaaa", "aaaaaa"},
        {"abc", "", "x", "abc", "abc"},
        {"abc", "z", "x", "abc", "abc"},
        {"$RR1 $RR1", "$RR1", "7", "7 $RR1", "7 7"},
        {"xyxy", "xy", "", "xy", ""},
    };
    for (const auto &c : cases) {
        const QString t = QString::fromLatin1(c.text), p = QString::fromLatin1(c.pattern),
                      r = QString::fromLatin1(c.replacement);
        EXPECT_EQ(Nahrad_text(t, p, r), QString::fromLatin1(c.first)) << c.text;
        EXPECT_EQ(Nahrad_vsetky(t, p, r), QString::fromLatin1(c.all)) << c.text;
    }
    EXPECT_EQ(Odstran_uvodzovky(QStringLiteral("\"abc\"")), QStringLiteral("abc"));
    EXPECT_EQ(Odstran_uvodzovky(QStringLiteral("\"\"abc\"\"")), QStringLiteral("\"abc\""));
    EXPECT_EQ(Odstran_uvodzovky(QStringLiteral("\"")), QString());
    EXPECT_EQ(Odstran_uvodzovky(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(Odstran_lomky_a_medzery(QStringLiteral(" 780101 / 1234 ")),
              QStringLiteral("7801011234"));
}

TEST(MyConstsTexts, PluralFormAfterACount)
{
    const struct {
        qint64 count;
        const char *expected;
    } cases[] = {{0, "súborov"}, {1, "súbor"}, {2, "súbory"}, {3, "súbory"}, {4, "súbory"}, {5, "súborov"},
                 {11, "súborov"}, {21, "súborov"}, {22, "súborov"}, {-1, "súborov"}};
    for (const auto &c : cases)
        EXPECT_EQ(pluralForm(c.count, QStringLiteral("súbor"), QStringLiteral("súbory"), QStringLiteral("súborov")),
                  QString::fromUtf8(c.expected))
            << c.count;
}

TEST(MyConstsTexts, Joins)
{
    EXPECT_EQ(Cele_meno(QStringLiteral("Ing."), QStringLiteral("Novák"), QStringLiteral("Ján")),
              QStringLiteral("Ing. Novák Ján"));
    EXPECT_EQ(Cele_meno(QString(), QStringLiteral("Novák"), QStringLiteral("Ján")),
              QStringLiteral("Novák Ján"));
    EXPECT_EQ(Cele_meno(QStringLiteral("Ing."), QString(), QStringLiteral("Ján")),
              QStringLiteral("Ing. Ján"));
    EXPECT_EQ(Cele_meno(QStringLiteral("3"), QStringLiteral(" Sklad "), QString()),
              QStringLiteral("3 Sklad"));
    EXPECT_EQ(Cele_meno(QString(), QString(), QString()), QString());
    EXPECT_EQ(Spoj_tri_texty(QStringLiteral(" Novák "), QStringLiteral("Ján"), QString()),
              QStringLiteral("Novák Ján"));
    EXPECT_EQ(Spoj_tri_texty(QString(100, u'a'), QStringLiteral("b"), QStringLiteral("c")),
              QString(100, u'a'));
    EXPECT_EQ(Spoj_tri_texty(QString(99, u'a'), QStringLiteral("b"), QStringLiteral("c")),
              QString(99, u'a'));
    EXPECT_EQ(Pripoj_s_medzerou(QStringLiteral("a"), QStringLiteral(" b ")), QStringLiteral("a b"));
    EXPECT_EQ(Pripoj_s_medzerou(QStringLiteral("a"), QStringLiteral("  ")), QStringLiteral("a"));
    EXPECT_EQ(Spoj_s_pomlckou(QStringLiteral("19"), QStringLiteral("123")), QStringLiteral("19-123"));
    EXPECT_EQ(Spoj_s_pomlckou(QStringLiteral(" "), QStringLiteral("123")), QStringLiteral("123"));
    EXPECT_EQ(Text_so_strediskom(QStringLiteral("Firma"), 3), QStringLiteral("Firma, stredisko: 3"));
    EXPECT_EQ(Text_so_strediskom(QStringLiteral("Firma"), 0), QStringLiteral("Firma"));
}

TEST(MyConstsFlags, BitsBothWays)
{
    EXPECT_EQ(Priznaky_na_text(1), QStringLiteral("01111110"));
    EXPECT_EQ(Bajt_na_binarny_text(1), QStringLiteral("00000001"));
    EXPECT_EQ(Priznaky_na_text(0), QStringLiteral("00000000"));
    EXPECT_EQ(Priznaky_na_text(130), QStringLiteral("10000010"));
    EXPECT_EQ(Bajt_na_binarny_text(255), QStringLiteral("11111111"));
    for (int v = 0; v < 256; ++v) {
        EXPECT_EQ(Binarny_text_na_bajt(Bajt_na_binarny_text(quint8(v))), v);
        if (v != 1) {
            EXPECT_EQ(Text_na_priznaky(Priznaky_na_text(quint8(v))), v);
        }
    }
    EXPECT_EQ(Text_na_priznaky(QStringLiteral("01111110")), 126);
    EXPECT_EQ(Text_na_priznaky(QStringLiteral("00000001xyz")), 1);  // after the eighth: ignored
    EXPECT_EQ(Binarny_text_na_bajt(QStringLiteral("00000002")), 2); // a digit adds its value
    EXPECT_EQ(Binarny_text_na_bajt(QStringLiteral("20000000")), 0); // 2 * 128 wraps to 0
    EXPECT_EQ(Binarny_text_na_bajt(QStringLiteral("00000090")), 18);
    for (const char *bad : {"0000000", "", "0000000a", "0000 000"})
        EXPECT_EQ(errorText([&] { Text_na_priznaky(QString::fromLatin1(bad)); }), kNespravna)
            << bad;
}

TEST(MyConstsCsv, SplitsIntoFiftyFields)
{
    const QStringList f =
        Rozdel_riadok_csv(QStringLiteral("12;\"3\";2005;\"1234,50\";;\"Ján\";\"Novák\"\r\n"));
    ASSERT_EQ(f.size(), kPocetPoliCsv);
    EXPECT_EQ(f[0], QStringLiteral("12"));
    EXPECT_EQ(f[1], QStringLiteral("3"));
    EXPECT_EQ(f[3], QStringLiteral("1234,50"));
    EXPECT_EQ(f[4], QString());
    EXPECT_EQ(f[5], QStringLiteral("Ján"));
    EXPECT_EQ(f[6], QStringLiteral("Novák"));
    EXPECT_EQ(f[7], QString());
    EXPECT_EQ(f[49], QString());

    QStringList many;
    for (int i = 0; i < 60; ++i)
        many << QString::number(i);
    const QStringList g = Rozdel_riadok_csv(many.join(u';'));
    ASSERT_EQ(g.size(), kPocetPoliCsv);
    EXPECT_EQ(g[49], QStringLiteral("49"));
    EXPECT_EQ(Rozdel_riadok_csv(QString()).size(), kPocetPoliCsv);
}
