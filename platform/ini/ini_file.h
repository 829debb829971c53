#pragma once
// INI files in Windows syntax, stored in Windows-1250 with CR LF line ends (see below for
// files saved in UTF-8 or UTF-16).
//
// Reading follows the Windows rules the files were written for:
//  - "[name]" starts a section (blanks around the name ignored); "key=value" is a value;
//    blanks around the key and the value are trimmed, everything inside the value is kept;
//    a value enclosed in a matching pair of ' or " loses the pair; lines starting with ';'
//    are comments; lines without '=' are ignored.
//  - Sections and keys are found without regard to case. When a section or a key occurs
//    twice, the first one is used.
//  - A missing file reads as empty, so every read gives its default.
//  - The file is read again on every call (like Windows does), so a change made by another
//    IniFile object or program is seen at once.
//
// A malformed file never stops the program: a number that does not parse reads as the
// default and is recorded in problems() with its section, key and value, for the caller to
// report; an undefined Windows-1250 byte reads as U+FFFD and is recorded too.
//
// Writing changes only what was asked: the line of the key (or a new line at the end of its
// section, or a new section at the end of the file); other sections, comments, blank lines
// and the order are kept byte for byte. Each write replaces the file atomically (temporary
// file + rename). A character Windows-1250 cannot hold is written as '?' and recorded.
// A section, key or value containing a line break cannot be written (std::invalid_argument),
// as it would turn into other lines of the file.
//
// A file with a byte-order mark is read as UTF-8 or UTF-16 and written back so; a file
// without one is UTF-16 when it holds zero bytes (little-endian when they stand at odd
// places, big-endian at even ones; written back with the mark), UTF-8 when its bytes above
// 127 all form valid UTF-8, else Windows-1250. Lines end with CR LF, LF or a CR alone.
// A write that the file system refuses throws EMyError with unwritableText().
//
// The file name may use backslashes, and an existing file is found without regard to case.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace tarix::ini {

struct IniProblem {
    enum class Kind {
        NotANumber,    // readInteger/readFloat met a value that does not parse
        UndefinedByte, // the line holds a byte Windows-1250 does not define
        Unmappable,    // writeString got a character Windows-1250 cannot hold
    };
    Kind kind = Kind::NotANumber;
    QString section;
    QString key;
    QString value;

    bool operator==(const IniProblem &) const = default;
};

class IniFile {
public:
    explicit IniFile(const QString &fileName);

    // The name as given to the constructor.
    const QString &fileName() const noexcept { return m_fileName; }
    // The name of the file on disk (backslashes taken as separators, case resolved).
    QString resolvedFileName() const;

    QString readString(const QString &section, const QString &key, const QString &def) const;
    // Decimal with an optional sign, or hexadecimal as "$FF" or "0xFF" (up to 8 digits,
    // taken as a 32-bit pattern: "$FFFFFFFF" is -1). A blank or missing value gives the
    // default silently; any other text that is not a 32-bit integer gives the default and
    // is recorded as a problem.
    int readInteger(const QString &section, const QString &key, int def) const;
    // A decimal number with '.' or ',' as the decimal separator and an optional exponent;
    // the same default and problem rules as readInteger.
    double readFloat(const QString &section, const QString &key, double def) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    // The clerk's message when a settings file cannot be written: the file and the reason.
    static QString unwritableText(const QString &path);
    // Removes every section of that name with all its lines. No such section: no change.
    void eraseSection(const QString &section);

    // Section names in file order, each once (first spelling).
    QStringList sectionNames() const;
    // Keys of the section in file order, each once (first spelling); the first section of
    // that name only, as for reads.
    QStringList keys(const QString &section) const;

    // What could not be read or written as it stood, in the order met, each once.
    QList<IniProblem> problems() const { return m_problems; }
    void clearProblems() { m_problems.clear(); }

private:
    void addProblem(IniProblem problem) const;
    std::function<void(IniProblem)> reporter() const;

    QString m_fileName;
    mutable QList<IniProblem> m_problems;
};

} // namespace tarix::ini
