// The template filler: keys replaced at their first occurrence in each line in the order
// added, widths, the refusal of a key that an earlier key begins, RTF escaping, and the
// files read and written as Windows-1250 with CR LF.
#include "core/helpers/template_output.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

using tarix::EMyError;
using tarix::MyConsts::TemplateText;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TemplateText, FirstOccurrencePerLineInTheOrderAdded)
{
    TemplateText t;
    t.Sablona_pridaj(QStringLiteral("$MENO"), QStringLiteral("Ján"));
    t.Sablona_pridaj(QStringLiteral("$RR10"), QStringLiteral("X10"));
    t.Sablona_pridaj(QStringLiteral("$RR1"), QStringLiteral("X1"));
    // A value that holds a later key is replaced again by that key (keys run in order).
    t.Sablona_pridaj(QStringLiteral("$A"), QStringLiteral("$B"));
    t.Sablona_pridaj(QStringLiteral("$B"), QStringLiteral("b"));
    const QStringList out = t.fillRows({QStringLiteral("$MENO $MENO"), QStringLiteral("$RR1 $RR10"),
                                            QStringLiteral("bez kľúča"), QStringLiteral("$MENO"),
                                            QStringLiteral("$A")});
    EXPECT_EQ(out, (QStringList{QStringLiteral("Ján $MENO"), QStringLiteral("X1 X10"), QStringLiteral("bez kľúča"),
                                QStringLiteral("Ján"), QStringLiteral("b")}));
}

TEST(TemplateText, AKeyThatAnEarlierKeyBeginsIsRefused)
{
    TemplateText t;
    t.Sablona_pridaj(QStringLiteral("$RR1"), QStringLiteral("1"));
    EXPECT_THROW(t.Sablona_pridaj(QStringLiteral("$RR10"), QStringLiteral("10")), std::logic_error);
    t.Sablona_vymaz();
    EXPECT_NO_THROW(t.Sablona_pridaj(QStringLiteral("$RR10"), QStringLiteral("10")));
}

TEST(TemplateText, WidthPadsOnTheRightAndKeepsTheFirstCharacters)
{
    struct Case {
        QString value;
        int width;
        QChar fill;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("ab"), 4, u'.', QStringLiteral("ab..")},
        {QStringLiteral("Kováčová"), 4, u' ', QStringLiteral("Ková")},
        {QStringLiteral("abcd"), 4, u' ', QStringLiteral("abcd")},
        {QStringLiteral("ab"), 0, u' ', QStringLiteral("ab")},
        {QString(), 3, u'0', QStringLiteral("000")},
    };
    for (const Case &c : cases) {
        TemplateText t;
        t.Sablona_pridaj(QStringLiteral("$K"), c.value, c.width, c.fill);
        EXPECT_EQ(t.fillRows({QStringLiteral("[$K]")}).at(0), u'[' + c.expected + u']') << c.value.toStdString();
    }
}

TEST(TemplateText, RtfValuesAreEscaped)
{
    // "\", "{", "}" are RTF's own; Ω (U+03A9) has no Windows-1250 byte and becomes \u937?;
    // "ľ" has one and stays a letter.
    EXPECT_EQ(TemplateText::rtfText(QStringLiteral("a\\b{c}")), QStringLiteral("a\\\\b\\{c\\}"));
    EXPECT_EQ(TemplateText::rtfText(QStringLiteral("Ωľ")), QStringLiteral("\\u937?ľ"));
    // \uN takes a signed 16-bit number.
    EXPECT_EQ(TemplateText::rtfText(QString(QChar(0xFF0C))), QStringLiteral("\\u-244?"));
    TemplateText text;
    text.Sablona_pridaj(QStringLiteral("$K"), QStringLiteral("{x}"));
    EXPECT_EQ(text.fillRows({QStringLiteral("$K")}).at(0), QStringLiteral("{x}"));
}

TEST(TemplateText, FilledTemplateFileIsWindows1250WithCrLf)
{
    QTemporaryDir dir;
    const QString sablona = dir.filePath(QStringLiteral("vzor.rtf"));
    const QString vystup = dir.filePath(QStringLiteral("hlasenie.rtf"));
    // The template: Windows-1250 ("ň" is F2), lines ended by CR LF and by LF alone.
    writeBytes(sablona, "{\\rtf1 $MENO $MENO\\par\r\n$RR1/$RR10 \xF2\n$DLHY|\r\n}\r\n");
    TemplateText t(TemplateText::Format::Rtf);
    t.Sablona_pridaj(QStringLiteral("$MENO"), QStringLiteral("Ľubo{š}"));
    t.Sablona_pridaj(QStringLiteral("$RR10"), QStringLiteral("0"));
    t.Sablona_pridaj(QStringLiteral("$RR1"), QStringLiteral("7"));
    t.Sablona_pridaj(QStringLiteral("$DLHY"), QStringLiteral("Bratislava"), 5);
    t.Sablona_vypln(sablona, vystup);
    // Ľ = BC, š = 9A in Windows-1250; "{" "}" escaped; the over-long value keeps "Brati";
    // every line, the last included, ends CR LF.
    EXPECT_EQ(readAll(vystup), QByteArray("{\\rtf1 \xBCubo\\{\x9A\\} $MENO\\par\r\n"
                                          "7/0 \xF2\r\n"
                                          "Brati|\r\n"
                                          "}\r\n"));
}

TEST(TemplateText, MissingTemplateNamesItAndWritesNothing)
{
    QTemporaryDir dir;
    const QString sablona = dir.filePath(QStringLiteral("nie.rtf"));
    const QString vystup = dir.filePath(QStringLiteral("out.rtf"));
    TemplateText t;
    try {
        t.Sablona_vypln(sablona, vystup);
        FAIL() << "no error";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), tarix::Msg(65129, sablona));
    }
    EXPECT_FALSE(QFile::exists(vystup));
}
