#pragma once
// Named parameter values of an SQL text; names compare without regard to case and may be
// written with or without the leading colon.
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <initializer_list>

namespace tarix::db {

class Params {
public:
    Params() = default;
    Params(std::initializer_list<QPair<QString, QVariant>> values)
    {
        for (const auto &v : values)
            set(v.first, v.second);
    }

    void set(const QString &name, const QVariant &value)
    {
        const QString k = key(name);
        for (auto &e : m_values)
            if (e.first == k) {
                e.second = value;
                return;
            }
        m_values.append({k, value});
    }
    bool contains(const QString &name) const { return find(name) != nullptr; }
    QVariant value(const QString &name) const
    {
        const QVariant *v = find(name);
        return v ? *v : QVariant();
    }
    // The value of the name; null when there is none.
    const QVariant *find(const QString &name) const
    {
        // A name written as kept (what an SQL text's parameters mostly are) is found without
        // making its key.
        const QStringView bare = name.startsWith(u':') ? QStringView(name).sliced(1) : QStringView(name);
        for (const auto &e : m_values)
            if (e.first == bare)
                return &e.second;
        const QString k = key(name);
        if (k == bare)
            return nullptr;
        for (const auto &e : m_values)
            if (e.first == k)
                return &e.second;
        return nullptr;
    }
    void remove(const QString &name)
    {
        const QString k = key(name);
        m_values.removeIf([&](const auto &e) { return e.first == k; });
    }
    void clear() { m_values.clear(); }
    bool isEmpty() const { return m_values.isEmpty(); }
    const QList<QPair<QString, QVariant>> &values() const { return m_values; }

    static QString key(const QString &name)
    {
        return (name.startsWith(u':') ? name.mid(1) : name).toLower();
    }

private:
    QList<QPair<QString, QVariant>> m_values;
};

} // namespace tarix::db
