#include "core/helpers/template_output.h"

#include "core/helpers/messages.h"
#include "platform/codepage/cp1250.h"
#include "platform/errors.h"
#include "platform/shell/paths.h"

#include <QFile>
#include <stdexcept>

namespace tarix::MyConsts {

void TemplateText::Sablona_vymaz() { m_kluce.clear(); }

void TemplateText::Sablona_pridaj(const QString &key, const QString &value, int width, QChar fill)
{
    for (const auto &[skorsi, hodnota] : m_kluce) {
        Q_UNUSED(hodnota);
        if (key.startsWith(skorsi))
            throw std::logic_error(QStringLiteral("template key %1 begins with the earlier key %2")
                                       .arg(key, skorsi)
                                       .toStdString());
    }
    QString v = value;
    if (width > 0)
        v = v.size() > width ? v.left(width) : v.leftJustified(width, fill);
    if (m_format == Format::Rtf)
        v = rtfText(v);
    m_kluce.emplace_back(key, v);
}

QString TemplateText::rtfText(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'\\' || c == u'{' || c == u'}') {
            out += u'\\';
            out += c;
        } else if (c.unicode() >= 0x80 && codepage::unicodeToCp1250(c.unicode()) < 0) {
            // RTF's \uN takes a signed 16-bit number and one fallback character.
            out += QStringLiteral("\\u%1?").arg(int(qint16(c.unicode())));
        } else {
            out += c;
        }
    }
    return out;
}

QStringList TemplateText::fillRows(const QStringList &lines) const
{
    QStringList out;
    out.reserve(lines.size());
    for (QString line : lines) {
        for (const auto &[key, value] : m_kluce) {
            const qsizetype at = line.indexOf(key);
            if (at >= 0)
                line.replace(at, key.size(), value);
        }
        out << line;
    }
    return out;
}

void TemplateText::Sablona_vypln(const QString &templatePath, const QString &outputPath) const
{
    Uloz_zoznam_do_suboru(outputPath, fillRows(Nacitaj_zoznam_zo_suboru(templatePath)));
}

QStringList Nacitaj_zoznam_zo_suboru(const QString &path)
{
    QFile f(shell::findCaseInsensitive(path));
    if (!f.open(QIODevice::ReadOnly))
        throw EMyError(Msg(65129, path));
    QString text = codepage::fromCp1250(f.readAll(), codepage::Mode::Lenient);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void Uloz_zoznam_do_suboru(const QString &path, const QStringList &lines)
{
    codepage::writeCp1250TextFile(path, lines, codepage::Mode::Lenient);
}

} // namespace tarix::MyConsts
