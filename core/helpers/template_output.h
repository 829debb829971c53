#pragma once
// A text or RTF template filled by replacing "$" keys with values. Each writer holds its
// own TemplateText. In every line of the template, for each key in the order added, the
// first occurrence of the key is replaced by its value; later occurrences in that line
// stay. A key that begins with an earlier key ("$RR10" after "$RR1") would be replaced
// inside, so adding one is refused: writers add the longer key first.
//
// Template and result are Windows-1250 with CR LF line ends. In an RTF template a value
// is escaped as RTF text: "\", "{" and "}" get a backslash, and a character Windows-1250
// cannot hold is written as "\uN?"; letters Windows-1250 holds stay as its bytes.
#include <QString>
#include <QStringList>
#include <vector>

namespace tarix::MyConsts {

class TemplateText {
public:
    enum class Format { Text, Rtf };
    explicit TemplateText(Format format = Format::Text) : m_format(format) {}

    // Clears the keys and values.
    void Sablona_vymaz();
    // Adds a key and its value. With width > 0 the value is padded on the right with
    // `fill` to the width; a longer value keeps its first `width` characters.
    // Throws std::logic_error when an earlier key begins the new one.
    void Sablona_pridaj(const QString &key, const QString &value, int width = 0, QChar fill = u' ');

    // The lines filled (the template's lines in, the result's lines out).
    QStringList fillRows(const QStringList &lines) const;
    // Reads the template, fills it and writes the result through a temporary file beside
    // it. A missing template raises EMyError 65129 naming it; nothing is written then.
    void Sablona_vypln(const QString &templatePath, const QString &outputPath) const;

    // A value as it stands in an RTF text.
    static QString rtfText(const QString &value);

private:
    Format m_format;
    std::vector<std::pair<QString, QString>> m_kluce;
};

// The lines of a Windows-1250 text file; a missing file raises EMyError 65129.
QStringList Nacitaj_zoznam_zo_suboru(const QString &path);
// Writes lines as a Windows-1250 text file with CR LF, through a temporary file.
void Uloz_zoznam_do_suboru(const QString &path, const QStringList &lines);

} // namespace tarix::MyConsts
