#pragma once
// The user's registry, where the grids keep their column layouts: one file per user
// ("tarix/registry.ini" in the user's configuration folder), a section per key and
// section name ("[Software\TARIX\ExDBGrid]"), one "name=value" line per value.
//
// Values come back exactly as they were written: nothing is trimmed, no quotes are taken
// off and no line is a comment, so a layout value that begins with a quote or a blank reads
// back whole. Names and sections are found without regard to case, as in the registry. A
// value or name cannot hold a line break (std::invalid_argument); a name cannot hold "=".
//
// The object reads the file when it is made. Writes are kept until commit(), which re-reads
// the file under a lock, puts in the values written (other sections, other values and other
// programs' changes stay) and replaces the file atomically; a file that cannot be written
// throws the file error with its reason, and nothing is half written.
#include <QList>
#include <QPair>
#include <QString>

namespace tarix::grid {

class TRegistryIniFile {
public:
    // `key` below the user's root, e.g. "Software\TARIX".
    explicit TRegistryIniFile(const QString &key);

    // The file of the current user (follows XDG_CONFIG_HOME).
    static QString storeFileName();

    QString readRegistryString(const QString &section, const QString &name, const QString &def) const;
    // A decimal number; anything else (also a blank) gives the default.
    int readRegistryInteger(const QString &section, const QString &name, int def) const;
    bool registrySectionExists(const QString &section) const;

    void writeRegistryString(const QString &section, const QString &name, const QString &value);
    void writeRegistryInteger(const QString &section, const QString &name, int value);
    // Writes what was written since the last commit into the file.
    void commit();

private:
    struct Value {
        QString section; // full name: key + "\" + section
        QString name;
        QString value;
    };
    QString fullSection(const QString &section) const;
    static QList<Value> readFile(const QString &path);
    const Value *find(const QString &section, const QString &name) const;

    QString m_key;
    QList<Value> m_values;  // as read, with the pending writes put in
    QList<Value> m_pending; // in the order written
};

} // namespace tarix::grid
