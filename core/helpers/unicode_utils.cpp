#include "core/helpers/unicode_utils.h"

#include "platform/codepage/cp1250.h"

#include <QBuffer>
#include <QIODevice>
#include <QStringList>
#include <cstring>

namespace tarix {

namespace {

QString hex(quint64 value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

QString hexBytes(const QByteArray &bytes)
{
    QStringList parts;
    for (char c : bytes)
        parts.append(hex(static_cast<unsigned char>(c), 2));
    return parts.join(QLatin1Char(' '));
}

// RFC 2279 form: up to six bytes (from UTF-16 at most four are ever needed).
void appendUtf8(QByteArray &out, quint32 cp)
{
    if (cp < 0x80) {
        out.append(char(cp));
        return;
    }
    int count;
    unsigned char lead;
    if (cp <= 0x7FF) {
        count = 2;
        lead = 0xC0;
    } else if (cp <= 0xFFFF) {
        count = 3;
        lead = 0xE0;
    } else if (cp <= 0x1FFFFF) {
        count = 4;
        lead = 0xF0;
    } else if (cp <= 0x3FFFFFF) {
        count = 5;
        lead = 0xF8;
    } else {
        count = 6;
        lead = 0xFC;
    }
    out.append(char(lead | (cp >> (6 * (count - 1)))));
    for (int i = count - 2; i >= 0; --i)
        out.append(char(0x80 | ((cp >> (6 * i)) & 0x3F)));
}

} // namespace

TUTF16BEToUTF8Stream::TUTF16BEToUTF8Stream(QIODevice *target) : m_target(target)
{
    if (!m_target)
        throw EConversionStream(QStringLiteral("Must have a target stream"));
}

qint64 TUTF16BEToUTF8Stream::write(const char *data, qint64 count)
{
    if (count % 2 != 0)
        throw EConversionStream(QStringLiteral("Odd size not valid for WideString"));
    const qint64 units = count / 2;
    m_buffer.clear();
    m_buffer.reserve(units);
    m_converted = 0;

    auto unitAt = [data](qint64 i) {
        char16_t u;
        std::memcpy(&u, data + 2 * i, 2);
        return u;
    };

    qint64 i = 0;
    if (units > 0 && unitAt(0) == 0xFEFF)
        i = 1;
    for (; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (u < 0x80) {
            m_buffer.append(char(u));
        } else if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units || unitAt(i + 1) < 0xDC00 || unitAt(i + 1) > 0xDFFF)
                throw EConvertError(QStringLiteral("High surrogate %1 without low surrogate.").arg(hex(u, 4)));
            const char16_t low = unitAt(++i);
            appendUtf8(m_buffer, 0x10000 + (quint32(u - 0xD800) << 10) + (low - 0xDC00));
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            throw EConvertError(QStringLiteral("Low surrogate %1 without high surrogate.").arg(hex(u, 4)));
        } else {
            appendUtf8(m_buffer, u);
        }
    }
    m_converted = m_buffer.size();
    if (m_buffer.isEmpty())
        return count;
    const qint64 written = m_target->write(m_buffer);
    if (written != m_buffer.size())
        throw EConversionStream(QStringLiteral("Stream write error"));
    return count;
}

namespace UnicodeUtils {

QString AnsiToWide1250(const QByteArray &text)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text.at(i));
        const int c = codepage::cp1250ToUnicode(b);
        if (c < 0)
            throw EConvertError(QStringLiteral("Invalid Windows-1250 sequence of code point %1").arg(b));
        out[i] = QChar(char16_t(c));
    }
    return out;
}

QByteArray WideToUtf8(const QString &text)
{
    QByteArray result;
    QBuffer target(&result);
    target.open(QIODevice::WriteOnly);
    TUTF16BEToUTF8Stream stream(&target);
    stream.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    return result;
}

QString Utf8ToWide(const QByteArray &text)
{
    QString out;
    out.reserve(text.size());
    const auto byteAt = [&text](qsizetype i) { return static_cast<unsigned char>(text.at(i)); };
    qsizetype i = 0;
    if (text.startsWith("\xEF\xBB\xBF"))
        i = 3;
    const qsizetype n = text.size();
    while (i < n) {
        const unsigned char lead = byteAt(i);
        if (lead < 0x80) {
            out.append(QChar(char16_t(lead)));
            ++i;
            continue;
        }
        if ((lead & 0xC0) != 0xC0)
            throw EConvertError(QStringLiteral("Invalid UTF-8 sequence %1").arg(hex(lead, 2)));

        int length = 1;
        for (int bit = 6; bit >= 0 && (lead & (1 << bit)); --bit)
            ++length;
        if (length > 6)
            throw EConvertError(QStringLiteral("Invalid UTF-8 sequence \"%1\"").arg(hexBytes(text.mid(i, 1))));

        quint64 value = lead;
        for (int k = 1; k < length; ++k) {
            if (i + k >= n)
                throw EConvertError(QStringLiteral("Aborted UTF-8 sequence \"%1\"").arg(hexBytes(text.mid(i, k))));
            const unsigned char c = byteAt(i + k);
            if ((c & 0xC0) != 0x80)
                throw EConvertError(QStringLiteral("Invalid UTF-8 sequence $%1").arg(hex(c, 2)));
            value = (value << 6) | (c & 0x3F);
        }
        static constexpr quint64 kMask[7] = {0, 0, 0x7FF, 0xFFFF, 0x1FFFFF, 0x3FFFFFF, 0x7FFFFFFF};
        static constexpr quint64 kShorterMax[7] = {0, 0, 0x7F, 0x7FF, 0xFFFF, 0x1FFFFF, 0x3FFFFFF};
        value &= kMask[length];
        if (value <= kShorterMax[length])
            throw EConvertError(QStringLiteral("Invalid UTF-8 encoding \"%1\"").arg(hexBytes(text.mid(i, length))));

        if (value < 0xD800 || (value >= 0xE000 && value <= 0xFFFD)) {
            out.append(QChar(char16_t(value)));
        } else if (value >= 0x10000 && value <= 0x10FFFF) {
            out.append(QChar(char16_t(0xD800 + ((value - 0x10000) >> 10))));
            out.append(QChar(char16_t(0xDC00 + (value & 0x3FF))));
        } else if (value >= 0x110000) {
            throw EConvertError(QStringLiteral("Cannot convert $%1 to UTF-16").arg(hex(value, 8)));
        } else {
            throw EConvertError(QStringLiteral("Invalid UCS-4 character $%1").arg(hex(value, 8)));
        }
        i += length;
    }
    return out;
}

} // namespace UnicodeUtils
} // namespace tarix
