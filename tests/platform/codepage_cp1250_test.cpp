#include "platform/codepage/cp1250.h"
#include "platform/shell/file_errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iconv.h>

using namespace tarix::codepage;

namespace {

const unsigned char kUndefined[] = {0x81, 0x83, 0x88, 0x90, 0x98};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

// The whole table against the C library's CP1250 converter: both must agree on every byte,
// including which bytes are undefined.
TEST(Cp1250Table, AgreesWithTheSystemConverterOnEveryByte)
{
    iconv_t cd = iconv_open("UTF-32LE", "CP1250");
    if (cd == iconv_t(-1))
        GTEST_SKIP() << "no CP1250 converter in this C library";
    for (int b = 0; b < 256; ++b) {
        char in[1] = {char(b)};
        char32_t out[2] = {0, 0};
        char *inp = in;
        char *outp = reinterpret_cast<char *>(out);
        size_t inLeft = 1, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(cd, &inp, &inLeft, &outp, &outLeft);
        const int expected = (r == size_t(-1) || inLeft != 0) ? -1 : int(out[0]);
        EXPECT_EQ(cp1250ToUnicode(static_cast<unsigned char>(b)), expected) << "byte " << b;
        if (expected >= 0) {
            EXPECT_EQ(unicodeToCp1250(char32_t(expected)), b) << "character " << expected;
        }
    }
    iconv_close(cd);
}

TEST(Cp1250Table, SlovakLettersRoundTrip)
{
    const QString text = QStringLiteral("Žluťoučký kôň úpäl ďábelské ódy – ĽŠČŤŽÝÁÍÉÔÄŇĎĹŔ ľščťžýáíéôäňďĺŕ €„“");
    const QByteArray bytes = toCp1250(text);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(fromCp1250(bytes), text);
    EXPECT_EQ(toCp1250(QStringLiteral("Šľô€")), QByteArray("\x8A\xBE\xF4\x80"));
}

TEST(Cp1250Encode, StrictRefusesWhatTheCodePageCannotHold)
{
    struct Case {
        QString text;
        char32_t codePoint;
        qsizetype position;
    } cases[] = {
        {QStringLiteral("abcΩ"), 0x03A9, 3},
        {QStringLiteral("x😀y"), 0x1F600, 1},            // a surrogate pair is one character
        {QString(QChar(0xD800)) + QStringLiteral("a"), 0xD800, 0}, // a lone surrogate
        {QStringLiteral("ő ű ø"), 0x00F8, 4},             // Hungarian letters fit, ø does not
    };
    for (const Case &c : cases) {
        try {
            toCp1250(c.text, Mode::Strict);
            ADD_FAILURE() << "no error for " << c.text.toStdString();
        } catch (const ECodePageError &e) {
            EXPECT_EQ(e.codePoint(), c.codePoint) << c.text.toStdString();
            EXPECT_EQ(e.position(), c.position) << c.text.toStdString();
            EXPECT_TRUE(e.text().contains(QStringLiteral("U+%1").arg(uint(c.codePoint), 4, 16, QLatin1Char('0')).toUpper()))
                << e.text().toStdString();
        }
    }
}

TEST(Cp1250Encode, LenientWritesQuestionMarkAndSaysSo)
{
    bool replaced = false;
    EXPECT_EQ(toCp1250(QStringLiteral("aΩb😀c"), Mode::Lenient, &replaced), QByteArray("a?b?c"));
    EXPECT_TRUE(replaced);
    EXPECT_EQ(toCp1250(QStringLiteral("čisté"), Mode::Lenient, &replaced), QByteArray("\xE8ist\xE9"));
    EXPECT_FALSE(replaced);
}

TEST(Cp1250Decode, UndefinedBytesAreErrorsInStrictMode)
{
    for (unsigned char b : kUndefined) {
        const QByteArray bytes = QByteArray("ab") + char(b);
        try {
            fromCp1250(bytes, Mode::Strict);
            ADD_FAILURE() << "no error for byte " << int(b);
        } catch (const ECodePageError &e) {
            EXPECT_EQ(e.codePoint(), b);
            EXPECT_EQ(e.position(), 2);
        }
        bool replaced = false;
        EXPECT_EQ(fromCp1250(bytes, Mode::Lenient, &replaced), QStringLiteral("ab") + QChar(0xFFFD));
        EXPECT_TRUE(replaced);
    }
}

class Cp1250File : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(Cp1250File, EveryLineEndsInCrLf)
{
    struct Case {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("a\nb"), "a\r\nb\r\n"},
        {QStringLiteral("a\nb\n"), "a\r\nb\r\n"},
        {QStringLiteral("a\r\nb\r\n"), "a\r\nb\r\n"},
        {QStringLiteral("a\n\nb\n\n"), "a\r\n\r\nb\r\n\r\n"},
        {QStringLiteral("Čaj"), "\xC8" "aj\r\n"},
        {QString(), ""},
    };
    for (const Case &c : cases) {
        writeCp1250TextFile(path(QStringLiteral("out.txt")), c.text);
        EXPECT_EQ(readAll(path(QStringLiteral("out.txt"))), c.bytes) << c.text.toStdString();
    }
    writeCp1250TextFile(path(QStringLiteral("lines.txt")),
                        QStringList{QStringLiteral("one"), QString(), QStringLiteral("two\nthree")});
    EXPECT_EQ(readAll(path(QStringLiteral("lines.txt"))), QByteArray("one\r\n\r\ntwo\r\nthree\r\n"));
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("lines.txt"), QStringLiteral("out.txt")}));
}

TEST_F(Cp1250File, AnEncodingErrorKeepsTheEarlierFile)
{
    const QString file = path(QStringLiteral("rzp2007.txt"));
    writeCp1250TextFile(file, QStringList{QStringLiteral("old")});
    EXPECT_THROW(writeCp1250TextFile(file, QStringList{QStringLiteral("new"), QStringLiteral("Ω")}),
                 ECodePageError);
    EXPECT_EQ(readAll(file), QByteArray("old\r\n"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("rzp2007.txt")});

    bool replaced = false;
    writeCp1250TextFile(file, QStringList{QStringLiteral("Ω")}, Mode::Lenient, &replaced);
    EXPECT_TRUE(replaced);
    EXPECT_EQ(readAll(file), QByteArray("?\r\n"));
}

TEST_F(Cp1250File, AMissingFolderIsACreateError)
{
    const QString file = path(QStringLiteral("missing/out.txt"));
    try {
        writeCp1250TextFile(file, QStringList{QStringLiteral("x")});
        FAIL() << "no error";
    } catch (const tarix::shell::EFileCreateError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot create file %1").arg(file));
    }
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Cp1250File, ExistingFileIsFoundWithoutRegardToCase)
{
    writeCp1250TextFile(path(QStringLiteral("HLASENIE.TXT")), QStringList{QStringLiteral("1")});
    writeCp1250TextFile(path(QStringLiteral("hlasenie.txt")), QStringList{QStringLiteral("2")});
    EXPECT_EQ(entries(), QStringList{QStringLiteral("HLASENIE.TXT")});
    EXPECT_EQ(readAll(path(QStringLiteral("HLASENIE.TXT"))), QByteArray("2\r\n"));
}
