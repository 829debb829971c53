#include "platform/codepage/cp1250.h"

#include "platform/shell/atomic_file.h"

#include <QRegularExpression>
#include <array>

namespace tarix::codepage {

namespace {

// 0x80..0xFF; 0 marks an undefined byte.
constexpr char16_t kHigh[128] = {
    // 0x80
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    // 0x90
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    // 0xA0
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    // 0xB0
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    // 0xC0
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    // 0xD0
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    // 0xE0
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    // 0xF0
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr char16_t kMaxMapped = 0x2122;

// Reverse of kHigh, indexed by the character; 0 = not in the code page.
const std::array<unsigned char, kMaxMapped + 1> &reverseTable()
{
    static const std::array<unsigned char, kMaxMapped + 1> table = [] {
        std::array<unsigned char, kMaxMapped + 1> t{};
        for (int i = 0; i < 128; ++i)
            if (kHigh[i] != 0)
                t[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return t;
    }();
    return table;
}

QString hexCodePoint(char32_t cp)
{
    return QStringLiteral("U+")
        + QString::number(uint(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

} // namespace

int cp1250ToUnicode(unsigned char byte) noexcept
{
    if (byte < 0x80)
        return byte;
    const char16_t c = kHigh[byte - 0x80];
    return c == 0 ? -1 : int(c);
}

int unicodeToCp1250(char32_t codePoint) noexcept
{
    if (codePoint < 0x80)
        return int(codePoint);
    if (codePoint > kMaxMapped)
        return -1;
    const unsigned char b = reverseTable()[codePoint];
    return b == 0 ? -1 : int(b);
}

QByteArray toCp1250(const QString &text, Mode mode, bool *replaced)
{
    if (replaced)
        *replaced = false;
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        char32_t cp = u;
        qsizetype width = 1;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            cp = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
            width = 2;
        }
        const int b = unicodeToCp1250(cp);
        if (b >= 0) {
            out.append(char(b));
        } else if (mode == Mode::Lenient) {
            out.append('?');
            if (replaced)
                *replaced = true;
        } else {
            throw ECodePageError(
                QStringLiteral("Znak %1 (%2) nie je možné zapísať v kódovaní Windows-1250")
                    .arg(text.mid(i, width), hexCodePoint(cp)),
                cp, i);
        }
        i += width - 1;
    }
    return out;
}

QString fromCp1250(const QByteArray &bytes, Mode mode, bool *replaced)
{
    if (replaced)
        *replaced = false;
    QString out;
    out.resize(bytes.size());
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes.at(i));
        const int c = cp1250ToUnicode(b);
        if (c >= 0) {
            dst[i] = QChar(char16_t(c));
        } else if (mode == Mode::Lenient) {
            dst[i] = QChar::ReplacementCharacter;
            if (replaced)
                *replaced = true;
        } else {
            throw ECodePageError(
                QStringLiteral("Bajt 0x%1 na pozícii %2 nie je definovaný v kódovaní Windows-1250")
                    .arg(QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0')))
                    .arg(i),
                b, i);
        }
    }
    return out;
}

QByteArray cp1250TextFileBytes(const QStringList &lines, Mode mode, bool *replaced)
{
    if (replaced)
        *replaced = false;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QByteArray out;
    for (const QString &line : lines) {
        bool lineReplaced = false;
        QString normalised = line;
        normalised.replace(lineBreak, QStringLiteral("\r\n"));
        out += toCp1250(normalised, mode, &lineReplaced);
        out += "\r\n";
        if (lineReplaced && replaced)
            *replaced = true;
    }
    return out;
}

void writeCp1250TextFile(const QString &path, const QStringList &lines, Mode mode, bool *replaced)
{
    const QByteArray bytes = cp1250TextFileBytes(lines, mode, replaced);
    shell::writeFileAtomically(path, bytes);
}

void writeCp1250TextFile(const QString &path, const QString &text, Mode mode, bool *replaced)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // "a\nb\n" ends in a line break, not in an empty last line.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    writeCp1250TextFile(path, lines, mode, replaced);
}

} // namespace tarix::codepage
