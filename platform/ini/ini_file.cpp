#include "platform/ini/ini_file.h"

#include "platform/codepage/cp1250.h"
#include "platform/shell/atomic_file.h"
#include "platform/shell/paths.h"

#include <QFile>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>

namespace tarix::ini {

namespace {

struct Line {
    enum class Kind { Other, Section, Key };
    QByteArray raw; // the line as it is in the file, without its line end
    Kind kind = Kind::Other;
    QString name;   // section name or key, trimmed
    QString value;  // trimmed, quotes not yet removed
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

std::vector<Line> loadLines(const QString &path, const std::function<void(IniProblem)> &report)
{
    std::vector<Line> lines;
    QFile file(path);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return lines;
    const QByteArray content = file.readAll();
    if (content.isEmpty())
        return lines;

    QList<QByteArray> rawLines = content.split('\n');
    if (content.endsWith('\n'))
        rawLines.removeLast();

    QString currentSection;
    for (QByteArray &raw : rawLines) {
        if (raw.endsWith('\r'))
            raw.chop(1);
        Line line;
        line.raw = raw;
        bool replaced = false;
        const QString text = codepage::fromCp1250(raw, codepage::Mode::Lenient, &replaced);
        const QString s = trimBlanks(text);
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
        if (replaced)
            report({IniProblem::Kind::UndefinedByte, currentSection,
                        line.kind == Line::Kind::Key ? line.name : QString(), text});
        lines.push_back(std::move(line));
    }
    return lines;
}

void saveLines(const QString &path, const std::vector<Line> &lines)
{
    QByteArray bytes;
    for (const Line &line : lines) {
        bytes += line.raw;
        bytes += "\r\n";
    }
    shell::writeFileAtomically(path, bytes);
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
    const std::vector<Line> lines = loadLines(resolvedFileName(), reporter());
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

    auto encode = [&](const QString &text) {
        bool replaced = false;
        QByteArray bytes = codepage::toCp1250(text, codepage::Mode::Lenient, &replaced);
        if (replaced)
            addProblem({IniProblem::Kind::Unmappable, sectionName, keyName, value});
        return bytes;
    };

    std::vector<Line> lines = loadLines(resolvedFileName(), reporter());
    const auto range = findSection(lines, sectionName);
    const qsizetype existing = findKey(lines, range, keyName);

    Line line;
    line.kind = Line::Kind::Key;
    line.value = value;
    if (existing >= 0) {
        // Keep the key as the file spells it.
        line.name = lines[existing].name;
        line.raw = encode(line.name + QLatin1Char('=') + value);
        lines[existing] = std::move(line);
    } else if (range.first >= 0) {
        line.name = keyName;
        line.raw = encode(keyName + QLatin1Char('=') + value);
        // After the last non-blank line of the section, so blank lines that separate it
        // from the next section stay where they are.
        qsizetype at = range.second;
        while (at > range.first && trimBlanks(codepage::fromCp1250(lines[at - 1].raw, codepage::Mode::Lenient)).isEmpty())
            --at;
        lines.insert(lines.begin() + at, std::move(line));
    } else {
        Line header;
        header.kind = Line::Kind::Section;
        header.name = sectionName;
        header.raw = encode(QLatin1Char('[') + sectionName + QLatin1Char(']'));
        lines.push_back(std::move(header));
        line.name = keyName;
        line.raw = encode(keyName + QLatin1Char('=') + value);
        lines.push_back(std::move(line));
    }
    saveLines(resolvedFileName(), lines);
}

void IniFile::eraseSection(const QString &section)
{
    const QString wanted = trimBlanks(section);
    std::vector<Line> lines = loadLines(resolvedFileName(), reporter());
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
    if (changed)
        saveLines(resolvedFileName(), kept);
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Line &line : loadLines(resolvedFileName(), reporter())) {
        if (line.kind == Line::Kind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    }
    return names;
}

QStringList IniFile::keys(const QString &section) const
{
    const std::vector<Line> lines = loadLines(resolvedFileName(), reporter());
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
