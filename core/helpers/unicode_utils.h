#pragma once
// Conversions between the program's code page (Windows-1250), UTF-16 and UTF-8, as the
// XML writers use them: a Windows-1250 value -> UTF-16 -> UTF-8.
#include <QByteArray>
#include <QString>
#include <stdexcept>

class QIODevice;

namespace tarix {

// A text that cannot be converted.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

// A converting stream used wrongly, or its target refusing bytes.
class EConversionStream : public std::runtime_error {
public:
    explicit EConversionStream(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

// Takes UTF-16 code units in this machine's byte order and writes their UTF-8 form to a
// target device. A first unit U+FEFF (byte-order mark) is dropped. Each write must hold
// whole code units and whole surrogate pairs. A failed conversion writes nothing.
class TUTF16BEToUTF8Stream {
public:
    // Throws EConversionStream "Must have a target stream" (65185) when target is null.
    // The target is not owned; it must be open for writing.
    explicit TUTF16BEToUTF8Stream(QIODevice *target);

    // Converts count bytes and writes the result to the target; returns count.
    // Throws EConversionStream "Odd size not valid for WideString" (65184) for an odd
    // count, EConvertError for a lone surrogate, and EConversionStream when the target
    // does not take every converted byte (a short write is never reported as success).
    qint64 write(const char *data, qint64 count);
    qint64 write(const QByteArray &bytes) { return write(bytes.constData(), bytes.size()); }

    // Bytes produced by the last write.
    qint64 lastConvertedSize() const noexcept { return m_converted; }

private:
    QIODevice *m_target;
    QByteArray m_buffer;
    qint64 m_converted = 0;
};

namespace UnicodeUtils {

// Each byte through the Windows-1250 table. Throws EConvertError
// "Invalid Windows-1250 sequence of code point %d" for an undefined byte.
QString AnsiToWide1250(const QByteArray &text);

// UTF-16 -> UTF-8 through TUTF16BEToUTF8Stream (a leading U+FEFF is dropped).
// Throws EConvertError "High surrogate %4.4X without low surrogate." and
// "Low surrogate %4.4X without high surrogate.".
QByteArray WideToUtf8(const QString &text);

// UTF-8 -> UTF-16. A leading EF BB BF is skipped. Throws EConvertError whose text starts
// "Invalid UTF-8" (a stray or wrong byte, an over-long form, a sequence of more than six
// bytes), "Aborted UTF-8 sequence" (the text ends inside a sequence), "Invalid UCS-4
// character" (surrogates, U+FFFE, U+FFFF) or "Cannot convert" (above U+10FFFF). The bytes
// of a bad sequence are quoted in hexadecimal ("E2 82").
QString Utf8ToWide(const QByteArray &text);

} // namespace UnicodeUtils
} // namespace tarix
