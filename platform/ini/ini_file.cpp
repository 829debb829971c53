#include "platform/ini/ini_file.h"

#include "platform/codepage/cp1250.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/paths.h"

#include "platform/errors.h"
#include "platform/shell/file_errors.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace tarix::ini {

namespace {

struct Line {
    enum class Kind { Other, Section, Key };
    QString text;   // the line as read, without its line end
    QByteArray raw; // Windows-1250 files: the line's bytes, so an unchanged line is kept
                    // byte for byte even where a byte does not decode
    Kind kind = Kind::Other;
    QString name;   // section name or key, trimmed
    QString value;  // trimmed, quotes not yet removed
};

// How the file's text is stored; a file is written back in the encoding it was read in.
enum class Encoding { Cp1250, Utf8, Utf8Bom, Utf16Le, Utf16Be };

struct Content {
    std::vector<Line> lines;
    Encoding encoding = Encoding::Cp1250;
};

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f' || u == 0x1A;
}

QString trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s.at(begin)))
        ++begin;
    while (end > begin && isBlank(s.at(end - 1)))
        --end;
    return s.mid(begin, end - begin).toString();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquote(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool parseInteger(const QString &text, int *result)
{
    QStringView s(text);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == QLatin1Char('-') || s.front() == QLatin1Char('+'))) {
        negative = s.front() == QLatin1Char('-');
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s = s.mid(1);
    } else if (s.size() > 2 && s.front() == QLatin1Char('0')
               && (s.at(1) == QLatin1Char('x') || s.at(1) == QLatin1Char('X'))) {
        base = 16;
        s = s.mid(2);
    }
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        const bool digit = u >= '0' && u <= '9';
        const bool hexLetter = (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
        const bool ok = digit || (base == 16 && hexLetter);
        if (!ok)
            return false;
    }
    bool ok = false;
    if (base == 16) {
        if (s.size() > 8)
            return false;
        const quint32 bits = s.toUInt(&ok, 16);
        if (!ok)
            return false;
        qint64 v = static_cast<qint32>(bits);
        if (negative)
            v = -v;
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            return false;
        *result = static_cast<int>(v);
        return true;
    }
    const qint64 magnitude = s.toLongLong(&ok, 10);
    if (!ok)
        return false;
    const qint64 v = negative ? -magnitude : magnitude;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *result = static_cast<int>(v);
    return true;
}

bool parseFloat(QString text, double *result)
{
    if (text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('.')))
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    // Only digits, sign, point and exponent: refuses "inf", "nan", hex and group separators.
    for (QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '+' || u == '-' || u == 'e' || u == 'E'))
            return false;
    }
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *result = v;
    return true;
}

void checkNoLineBreak(const QString &text, const char *what)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        throw std::invalid_argument(std::string("INI ") + what + " must not contain a line break: "
                                    + text.toStdString());
}

} // namespace

IniFile::IniFile(const QString &fileName) : m_fileName(fileName) {}

QString IniFile::unwritableText(const QString &path)
{
    return QStringLiteral("Súbor nastavení %1 sa nedá zapísať: %2.")
        .arg(QDir::toNativeSeparators(path), shell::whyNotWritable(path));
}

QString IniFile::resolvedFileName() const
{
    return shell::findCaseInsensitive(m_fileName);
}

void IniFile::addProblem(IniProblem problem) const
{
    if (!m_problems.contains(problem))
        m_problems.append(std::move(problem));
}

std::function<void(IniProblem)> IniFile::reporter() const
{
    return [this](IniProblem problem) { addProblem(std::move(problem)); };
}

namespace {

// A byte-order mark decides: UTF-8 or UTF-16 (either byte order). Without a mark the file
// is UTF-8 when it holds bytes above 127 that all form valid UTF-8 sequences (a file saved
// by a present-day editor), otherwise Windows-1250 (the program's own files and those of
// older editors); Slovak text in Windows-1250 practically never forms valid UTF-8.
Encoding detectEncoding(const QByteArray &content, qsizetype *bomSize)
{
    *bomSize = 0;
    if (content.startsWith("\xEF\xBB\xBF")) {
        *bomSize = 3;
        return Encoding::Utf8Bom;
    }
    if (content.startsWith("\xFF\xFE")) {
        *bomSize = 2;
        return Encoding::Utf16Le;
    }
    if (content.startsWith("\xFE\xFF")) {
        *bomSize = 2;
        return Encoding::Utf16Be;
    }
    // UTF-16 without a mark (an editor's "Unicode" without one): the zero bytes of the
    // Latin letters, digits and signs stand at every other place, odd ones in little-endian
    // order, even ones in big-endian. No text file of the other encodings holds zero bytes.
    if (content.contains('\0')) {
        qsizetype odd = 0, even = 0;
        for (qsizetype i = 0; i < content.size(); ++i)
            if (content.at(i) == '\0')
                ++(i % 2 ? odd : even);
        if (odd > even)
            return Encoding::Utf16Le;
        if (even > odd)
            return Encoding::Utf16Be;
    }
    const bool ascii = std::all_of(content.begin(), content.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        return Encoding::Cp1250;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(content); // decodes only when taken as a text
    Q_UNUSED(decoded);
    return utf8.hasError() ? Encoding::Cp1250 : Encoding::Utf8;
}

QStringConverter::Encoding unicodeOf(Encoding e)
{
    switch (e) {
    case Encoding::Utf16Le: return QStringConverter::Utf16LE;
    case Encoding::Utf16Be: return QStringConverter::Utf16BE;
    default: return QStringConverter::Utf8;
    }
}

QByteArray encodeLine(const QString &text, Encoding e)
{
    if (e == Encoding::Cp1250)
        return codepage::toCp1250(text, codepage::Mode::Lenient);
    QStringEncoder encoder(unicodeOf(e), QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

void classify(Line &line, QString &currentSection)
{
    const QString s = trimBlanks(line.text);
    if (s.startsWith(QLatin1Char('[')) && s.lastIndexOf(QLatin1Char(']')) > 0) {
        line.kind = Line::Kind::Section;
        line.name = trimBlanks(QStringView(s).mid(1, s.lastIndexOf(QLatin1Char(']')) - 1));
        currentSection = line.name;
    } else if (!s.isEmpty() && !s.startsWith(QLatin1Char(';'))) {
        const qsizetype eq = s.indexOf(QLatin1Char('='));
        if (eq > 0) {
            const QString key = trimBlanks(QStringView(s).left(eq));
            if (!key.isEmpty()) {
                line.kind = Line::Kind::Key;
                line.name = key;
                line.value = trimBlanks(QStringView(s).mid(eq + 1));
            }
        }
    }
}

// The lines of a text, each without its end: CR LF, LF, or a CR alone (a file of an old Mac
// editor); the end of the last line may be missing.
template <class Text>
QList<Text> splitLines(const Text &text)
{
    QList<Text> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i) != u'\n' && text.at(i) != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (text.at(i) == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

Content loadLines(const QString &path, const std::function<void(IniProblem)> &report)
{
    Content result;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return result;

    qsizetype bomSize = 0;
    result.encoding = detectEncoding(content, &bomSize);
    QString currentSection;

    if (result.encoding == Encoding::Cp1250) {
        for (QByteArray &raw : splitLines(content)) {
            Line line;
            line.raw = raw;
            bool replaced = false;
            line.text = codepage::fromCp1250(raw, codepage::Mode::Lenient, &replaced);
            classify(line, currentSection);
            if (replaced)
                report({IniProblem::Kind::UndefinedByte, currentSection,
                        line.kind == Line::Kind::Key ? line.name : QString(), line.text});
            result.lines.push_back(std::move(line));
        }
        return result;
    }

    // Unicode: decode the whole file, then split; a malformed sequence (or half a UTF-16
    // unit at the end) reads as U+FFFD and is reported on its line.
    QStringDecoder decoder(unicodeOf(result.encoding), QStringConverter::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(content).sliced(bomSize));
    bool damaged = decoder.hasError();
    const bool utf16 = result.encoding == Encoding::Utf16Le || result.encoding == Encoding::Utf16Be;
    if (utf16 && (content.size() - bomSize) % 2 != 0) {
        // The decoder drops a lone last byte silently.
        if (!text.endsWith(QChar::ReplacementCharacter))
            text += QChar::ReplacementCharacter;
        damaged = true;
    }
    for (QString &t : splitLines(text)) {
        Line line;
        line.text = t;
        classify(line, currentSection);
        if (damaged && t.contains(QChar::ReplacementCharacter))
            report({IniProblem::Kind::UndefinedByte, currentSection,
                    line.kind == Line::Kind::Key ? line.name : QString(), line.text});
        result.lines.push_back(std::move(line));
    }
    return result;
}

void saveLines(const QString &path, const Content &content)
{
    QByteArray bytes;
    switch (content.encoding) {
    case Encoding::Utf8Bom: bytes = "\xEF\xBB\xBF"; break;
    case Encoding::Utf16Le: bytes = "\xFF\xFE"; break;
    case Encoding::Utf16Be: bytes = "\xFE\xFF"; break;
    default: break;
    }
    const QByteArray lineEnd = encodeLine(QStringLiteral("\r\n"), content.encoding);
    for (const Line &line : content.lines) {
        bytes += content.encoding == Encoding::Cp1250 && !line.raw.isNull()
                     ? line.raw
                     : encodeLine(line.text, content.encoding);
        bytes += lineEnd;
    }
    try {
        shell::writeFileAtomically(path, bytes);
    } catch (const shell::EFileError &) {
        throw EMyError(IniFile::unwritableText(path));
    }
}

// Index range [begin, end) of the lines of the first section named `section` (header
// excluded); begin = -1 when there is none.
std::pair<qsizetype, qsizetype> findSection(const std::vector<Line> &lines, const QString &section)
{
    const QString wanted = trimBlanks(section);
    const qsizetype n = qsizetype(lines.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (lines[i].kind == Line::Kind::Section && sameName(lines[i].name, wanted)) {
            qsizetype end = i + 1;
            while (end < n && lines[end].kind != Line::Kind::Section)
                ++end;
            return {i + 1, end};
        }
    }
    return {-1, -1};
}

qsizetype findKey(const std::vector<Line> &lines, std::pair<qsizetype, qsizetype> range, const QString &key)
{
    if (range.first < 0)
        return -1;
    const QString wanted = trimBlanks(key);
    for (qsizetype i = range.first; i < range.second; ++i)
        if (lines[i].kind == Line::Kind::Key && sameName(lines[i].name, wanted))
            return i;
    return -1;
}

} // namespace

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const std::vector<Line> lines = loadLines(resolvedFileName(), reporter()).lines;
    const qsizetype i = findKey(lines, findSection(lines, section), key);
    return i < 0 ? def : unquote(lines[i].value);
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    const QString text = readString(section, key, QString());
    if (text.isEmpty())
        return def;
    int value = 0;
    if (parseInteger(text, &value))
        return value;
    addProblem({IniProblem::Kind::NotANumber, trimBlanks(section), trimBlanks(key), text});
    return def;
}

double IniFile::readFloat(const QString &section, const QString &key, double def) const
{
    const QString text = readString(section, key, QString());
    if (text.isEmpty())
        return def;
    double value = 0;
    if (parseFloat(text, &value))
        return value;
    addProblem({IniProblem::Kind::NotANumber, trimBlanks(section), trimBlanks(key), text});
    return def;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString sectionName = trimBlanks(section);
    const QString keyName = trimBlanks(key);
    checkNoLineBreak(section, "section");
    checkNoLineBreak(key, "key");
    checkNoLineBreak(value, "value");
    if (sectionName.isEmpty() || sectionName.contains(QLatin1Char(']')))
        throw std::invalid_argument("INI section name not valid: " + section.toStdString());
    if (keyName.isEmpty() || keyName.contains(QLatin1Char('=')) || keyName.startsWith(QLatin1Char('['))
        || keyName.startsWith(QLatin1Char(';')))
        throw std::invalid_argument("INI key not valid: " + key.toStdString());

    Content content = loadLines(resolvedFileName(), reporter());
    std::vector<Line> &lines = content.lines;
    auto makeLine = [&](Line::Kind kind, const QString &name, const QString &text) {
        Line line;
        line.kind = kind;
        line.name = name;
        line.value = kind == Line::Kind::Key ? value : QString();
        line.text = text;
        if (content.encoding == Encoding::Cp1250) {
            bool replaced = false;
            line.raw = codepage::toCp1250(text, codepage::Mode::Lenient, &replaced);
            if (replaced)
                addProblem({IniProblem::Kind::Unmappable, sectionName, keyName, value});
        }
        return line;
    };

    const auto range = findSection(lines, sectionName);
    const qsizetype existing = findKey(lines, range, keyName);
    if (existing >= 0) {
        // Keep the key as the file spells it.
        const QString name = lines[existing].name;
        lines[existing] = makeLine(Line::Kind::Key, name, name + QLatin1Char('=') + value);
    } else if (range.first >= 0) {
        // After the last non-blank line of the section, so blank lines that separate it
        // from the next section stay where they are.
        qsizetype at = range.second;
        while (at > range.first && trimBlanks(lines[at - 1].text).isEmpty())
            --at;
        lines.insert(lines.begin() + at, makeLine(Line::Kind::Key, keyName, keyName + QLatin1Char('=') + value));
    } else {
        lines.push_back(makeLine(Line::Kind::Section, sectionName, QLatin1Char('[') + sectionName + QLatin1Char(']')));
        lines.push_back(makeLine(Line::Kind::Key, keyName, keyName + QLatin1Char('=') + value));
    }
    saveLines(resolvedFileName(), content);
}

void IniFile::eraseSection(const QString &section)
{
    const QString wanted = trimBlanks(section);
    Content content = loadLines(resolvedFileName(), reporter());
    std::vector<Line> &lines = content.lines;
    std::vector<Line> kept;
    kept.reserve(lines.size());
    bool inErased = false;
    bool changed = false;
    for (Line &line : lines) {
        if (line.kind == Line::Kind::Section)
            inErased = sameName(line.name, wanted);
        if (inErased) {
            changed = true;
            continue;
        }
        kept.push_back(std::move(line));
    }
    if (changed) {
        lines = std::move(kept);
        saveLines(resolvedFileName(), content);
    }
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Line &line : loadLines(resolvedFileName(), reporter()).lines) {
        if (line.kind == Line::Kind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    const std::vector<Line> lines = loadLines(resolvedFileName(), reporter()).lines;
    const auto range = findSection(lines, section);
    QStringList names;
    if (range.first < 0)
        return names;
    for (qsizetype i = range.first; i < range.second; ++i) {
        if (lines[i].kind == Line::Kind::Key && !names.contains(lines[i].name, Qt::CaseInsensitive))
            names.append(lines[i].name);
    }
    return names;
}

} // namespace tarix::ini
