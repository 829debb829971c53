#include "components/grid/registry_ini_file.h"

#include "platform/errors.h"
#include "platform/shell/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>

#include <stdexcept>

namespace tarix::grid {

namespace {

bool hasLineBreak(const QString &s) { return s.contains(u'\n') || s.contains(u'\r'); }

QString sectionLine(const QString &line)
{
    // "[name]" with nothing but the name inside; the name is kept as it is.
    if (line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']'))
        return line.mid(1, line.size() - 2);
    return {};
}

} // namespace

TRegistryIniFile::TRegistryIniFile(const QString &key) : m_key(key) { m_values = readFile(storeFileName()); }

QString TRegistryIniFile::storeFileName()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("tarix/registry.ini"));
}

QString TRegistryIniFile::fullSection(const QString &section) const
{
    QString key = m_key;
    while (key.endsWith(u'\\'))
        key.chop(1);
    return key.isEmpty() ? section : key + u'\\' + section;
}

QList<TRegistryIniFile::Value> TRegistryIniFile::readFile(const QString &path)
{
    QList<Value> values;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return values;
    const QString text = QString::fromUtf8(f.readAll());
    QString section;
    bool inSection = false;
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString name = sectionLine(line);
        if (!name.isEmpty()) {
            section = name;
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq <= 0)
            continue;
        values.append({section, line.left(eq), line.mid(eq + 1)});
    }
    return values;
}

const TRegistryIniFile::Value *TRegistryIniFile::find(const QString &section, const QString &name) const
{
    const QString full = fullSection(section);
    for (const Value &v : m_values)
        if (v.section.compare(full, Qt::CaseInsensitive) == 0 && v.name.compare(name, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

QString TRegistryIniFile::readRegistryString(const QString &section, const QString &name, const QString &def) const
{
    const Value *v = find(section, name);
    return v ? v->value : def;
}

int TRegistryIniFile::readRegistryInteger(const QString &section, const QString &name, int def) const
{
    bool ok = false;
    const int n = readRegistryString(section, name, QString()).toInt(&ok);
    return ok ? n : def;
}

bool TRegistryIniFile::registrySectionExists(const QString &section) const
{
    const QString full = fullSection(section);
    for (const Value &v : m_values)
        if (v.section.compare(full, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void TRegistryIniFile::writeRegistryString(const QString &section, const QString &name, const QString &value)
{
    if (hasLineBreak(section) || hasLineBreak(name) || hasLineBreak(value) || name.contains(u'=') || name.isEmpty())
        throw std::invalid_argument("a registry value cannot hold a line break");
    const Value v{fullSection(section), name, value};
    auto put = [&v](QList<Value> &list) {
        for (Value &old : list)
            if (old.section.compare(v.section, Qt::CaseInsensitive) == 0
                && old.name.compare(v.name, Qt::CaseInsensitive) == 0) {
                old.value = v.value;
                return;
            }
        list.append(v);
    };
    put(m_values);
    put(m_pending);
}

void TRegistryIniFile::writeRegistryInteger(const QString &section, const QString &name, int value)
{
    writeRegistryString(section, name, QString::number(value));
}

void TRegistryIniFile::commit()
{
    if (m_pending.isEmpty())
        return;
    const QString path = storeFileName();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw EMyError(shell::whyNotWritable(path));
    // Another program of the same user may write its layouts at the same time: the file is
    // read again under the lock, so that neither write loses the other's values.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(30000);
    if (!lock.tryLock(5000))
        throw EMyError(shell::whyNotWritable(path));
    QList<Value> values = readFile(path);
    for (const Value &v : m_pending) {
        bool found = false;
        for (Value &old : values)
            if (old.section.compare(v.section, Qt::CaseInsensitive) == 0
                && old.name.compare(v.name, Qt::CaseInsensitive) == 0) {
                old.value = v.value;
                found = true;
                break;
            }
        if (!found) {
            // After the last value of its section, or in a new section at the end.
            qsizetype at = -1;
            for (qsizetype i = 0; i < values.size(); ++i)
                if (values[i].section.compare(v.section, Qt::CaseInsensitive) == 0)
                    at = i;
            if (at < 0)
                values.append(v);
            else
                values.insert(at + 1, v);
        }
    }
    QString text;
    QString section;
    bool first = true;
    for (const Value &v : values) {
        if (first || v.section.compare(section, Qt::CaseInsensitive) != 0) {
            if (!first)
                text += u'\n';
            section = v.section;
            text += u'[' + section + QStringLiteral("]\n");
            first = false;
        }
        text += v.name + u'=' + v.value + u'\n';
    }
    shell::writeFileAtomically(path, text.toUtf8());
    m_values = values;
    m_pending.clear();
}

} // namespace tarix::grid
