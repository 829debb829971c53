#include "core/helpers/unicode_utils.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace tarix;

namespace {

QByteArray utf16Bytes(const QString &s)
{
    return QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
}

template <typename E, typename F>
QString errorText(F &&f)
{
    try {
        f();
    } catch (const E &e) {
        return e.text();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(UnicodeUtils, AnsiToWide1250)
{
    EXPECT_EQ(UnicodeUtils::AnsiToWide1250(QByteArray("\x8A")), QString(QChar(0x0160)));
    EXPECT_EQ(UnicodeUtils::AnsiToWide1250(QByteArray("Mzdy \xE8\x9A\xBE")), QStringLiteral("Mzdy čšľ"));
    EXPECT_EQ(UnicodeUtils::AnsiToWide1250(QByteArray()), QString());
    for (unsigned char b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(errorText<EConvertError>([b] { UnicodeUtils::AnsiToWide1250(QByteArray("ok") + char(b)); }),
                  QStringLiteral("Invalid Windows-1250 sequence of code point %1").arg(b));
}

TEST(UnicodeUtils, WideToUtf8)
{
    EXPECT_EQ(UnicodeUtils::WideToUtf8(QString(QChar(0x010F))), QByteArray("\xC4\x8F"));
    EXPECT_EQ(UnicodeUtils::WideToUtf8(QString()), QByteArray());
    const QString slovak = QStringLiteral("Žluťoučký kôň – € „x“ \u0800 \uFFFD");
    EXPECT_EQ(UnicodeUtils::WideToUtf8(slovak), slovak.toUtf8());
    // A byte-order mark at the start is dropped, one further in is kept.
    EXPECT_EQ(UnicodeUtils::WideToUtf8(QString(QChar(0xFEFF)) + QStringLiteral("a") + QChar(0xFEFF)),
              QByteArray("a\xEF\xBB\xBF"));
    // A surrogate pair whose low half is the last unit.
    EXPECT_EQ(UnicodeUtils::WideToUtf8(QStringLiteral("x😀")), QByteArray("x\xF0\x9F\x98\x80"));
    EXPECT_EQ(errorText<EConvertError>([] { UnicodeUtils::WideToUtf8(QStringLiteral("a") + QChar(0xD83D)); }),
              QStringLiteral("High surrogate D83D without low surrogate."));
    EXPECT_EQ(errorText<EConvertError>([] { UnicodeUtils::WideToUtf8(QString(QChar(0xD83D)) + QStringLiteral("a")); }),
              QStringLiteral("High surrogate D83D without low surrogate."));
    EXPECT_EQ(errorText<EConvertError>([] { UnicodeUtils::WideToUtf8(QString(QChar(0xDE00))); }),
              QStringLiteral("Low surrogate DE00 without high surrogate."));
}

TEST(UnicodeUtils, ConversionStream)
{
    EXPECT_EQ(errorText<EConversionStream>([] { TUTF16BEToUTF8Stream s(nullptr); }),
              QStringLiteral("Must have a target stream"));

    QByteArray out;
    QBuffer target(&out);
    target.open(QIODevice::WriteOnly);
    TUTF16BEToUTF8Stream stream(&target);
    EXPECT_EQ(errorText<EConversionStream>([&] { stream.write("abc", 3); }),
              QStringLiteral("Odd size not valid for WideString"));
    EXPECT_TRUE(out.isEmpty());

    const QByteArray ok = utf16Bytes(QStringLiteral("ďa"));
    EXPECT_EQ(stream.write(ok), ok.size());
    EXPECT_EQ(stream.lastConvertedSize(), 3);
    // A failed conversion writes nothing, not even the part before the fault.
    EXPECT_THROW(stream.write(utf16Bytes(QStringLiteral("abc") + QChar(0xDC00))), EConvertError);
    EXPECT_EQ(out, QByteArray("\xC4\x8F" "a"));

    // A target that refuses the bytes is an error, not a silent short write.
    QByteArray closed;
    QBuffer readOnly(&closed);
    readOnly.open(QIODevice::ReadOnly);
    TUTF16BEToUTF8Stream refused(&readOnly);
    EXPECT_THROW(refused.write(utf16Bytes(QStringLiteral("a"))), EConversionStream);
}

TEST(UnicodeUtils, Utf8ToWideReadsValidText)
{
    const QString slovak = QStringLiteral("Žluťoučký kôň – € \u0800 \uFFFD 😀");
    EXPECT_EQ(UnicodeUtils::Utf8ToWide(slovak.toUtf8()), slovak);
    EXPECT_EQ(UnicodeUtils::Utf8ToWide(QByteArray("\xEF\xBB\xBF" "abc")), QStringLiteral("abc"));
    EXPECT_EQ(UnicodeUtils::Utf8ToWide(QByteArray("\xF4\x8F\xBF\xBF")), QString::fromUcs4(U"\U0010FFFF"));
    EXPECT_EQ(UnicodeUtils::Utf8ToWide(QByteArray()), QString());
    EXPECT_EQ(UnicodeUtils::WideToUtf8(UnicodeUtils::Utf8ToWide(slovak.toUtf8())), slovak.toUtf8());
}

TEST(UnicodeUtils, Utf8ToWideRefusesBadText)
{
    struct Case {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"\xC0\x80", QStringLiteral("Invalid UTF-8 encoding \"C0 80\"")},
        {"\xE0\x80\x80", QStringLiteral("Invalid UTF-8 encoding \"E0 80 80\"")},
        {"\xF0\x8F\xBF\xBF", QStringLiteral("Invalid UTF-8 encoding \"F0 8F BF BF\"")},
        {"a\xE2\x82", QStringLiteral("Aborted UTF-8 sequence \"E2 82\"")},
        {"\xC4", QStringLiteral("Aborted UTF-8 sequence \"C4\"")},
        {"\x80", QStringLiteral("Invalid UTF-8 sequence 80")},
        {"\xC3\x41", QStringLiteral("Invalid UTF-8 sequence $41")},
        {"\xFE\x80", QStringLiteral("Invalid UTF-8 sequence \"FE\"")},
        {"\xFF", QStringLiteral("Invalid UTF-8 sequence \"FF\"")},
        {"\xED\xA0\x80", QStringLiteral("Invalid UCS-4 character $0000D800")},
        {"\xEF\xBF\xBE", QStringLiteral("Invalid UCS-4 character $0000FFFE")},
        {"\xEF\xBF\xBF", QStringLiteral("Invalid UCS-4 character $0000FFFF")},
        {"\xF4\x90\x80\x80", QStringLiteral("Cannot convert $00110000 to UTF-16")},
        {"\xF8\x88\x80\x80\x80", QStringLiteral("Cannot convert $00200000 to UTF-16")},
        {"\xFD\xBF\xBF\xBF\xBF\xBF", QStringLiteral("Cannot convert $7FFFFFFF to UTF-16")},
        {"\xFC\x80\x80\x80\x80\xBF", QStringLiteral("Invalid UTF-8 encoding \"FC 80 80 80 80 BF\"")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorText<EConvertError>([&] { UnicodeUtils::Utf8ToWide(c.bytes); }), c.text)
            << c.bytes.toHex().toStdString();
}
