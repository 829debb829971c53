#pragma once
// Windows-1250, the code page of every text file the program reads or writes
// (INI files, text reports, CSV, SYLK, RTF, bank and health-insurer files).
//
// The table is our own: bytes below 0x80 are ASCII, 0x80..0xFF follow the published
// Windows-1250 code page, and 0x81, 0x83, 0x88, 0x90 and 0x98 are undefined.
//
// What happens to text the code page cannot hold:
//  - Encoding, Strict: a character outside Windows-1250 throws ECodePageError naming the
//    character (U+XXXX) and its position. Use it where a wrong byte would corrupt a file
//    someone else reads (bank and insurer files): better refuse than send a wrong name.
//  - Encoding, Lenient: such a character is written as '?', and the caller is told that
//    something was replaced (the `replaced` out-flag), so it can warn once.
//    A surrogate pair counts as one character and gives one '?'.
//  - Decoding, Strict: an undefined byte throws ECodePageError naming the byte.
//  - Decoding, Lenient: an undefined byte becomes U+FFFD and `replaced` is set.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace tarix::codepage {

enum class Mode { Strict, Lenient };

class ECodePageError : public std::runtime_error {
public:
    ECodePageError(const QString &text, char32_t codePoint, qsizetype position)
        : std::runtime_error(text.toStdString()), m_text(text), m_codePoint(codePoint),
          m_position(position) {}
    const QString &text() const noexcept { return m_text; }
    // The character that could not be encoded, or the byte that could not be decoded.
    char32_t codePoint() const noexcept { return m_codePoint; }
    // Index into the QString (encoding) or the byte array (decoding).
    qsizetype position() const noexcept { return m_position; }

private:
    QString m_text;
    char32_t m_codePoint;
    qsizetype m_position;
};

// The Unicode character of a byte, or -1 when the byte is undefined.
int cp1250ToUnicode(unsigned char byte) noexcept;
// The byte of a Unicode character, or -1 when Windows-1250 cannot hold it.
int unicodeToCp1250(char32_t codePoint) noexcept;

QByteArray toCp1250(const QString &text, Mode mode = Mode::Strict, bool *replaced = nullptr);
QString fromCp1250(const QByteArray &bytes, Mode mode = Mode::Strict, bool *replaced = nullptr);

// The bytes of a Windows-1250 text file: every line, the last one included, ends in CR LF.
// Line breaks inside a line (LF, CR LF or CR) become CR LF as well. No lines -> no bytes.
QByteArray cp1250TextFileBytes(const QStringList &lines, Mode mode = Mode::Strict,
                               bool *replaced = nullptr);

// Writes a Windows-1250 text file with CR LF line ends through a temporary file beside
// the target that is renamed over it only when everything was written: a failure leaves
// the earlier file (or none) and never a half-written one. The whole text is encoded
// before anything touches the disk, so a Strict encoding error writes nothing.
// A text form: `text` is split at its line breaks; a final line break does not add an
// empty line ("a\nb" and "a\nb\n" both give "a\r\nb\r\n").
// Throws ECodePageError (Strict) or tarix::shell::EFileCreateError / EWriteError.
void writeCp1250TextFile(const QString &path, const QStringList &lines,
                         Mode mode = Mode::Strict, bool *replaced = nullptr);
void writeCp1250TextFile(const QString &path, const QString &text, Mode mode = Mode::Strict,
                         bool *replaced = nullptr);

} // namespace tarix::codepage
