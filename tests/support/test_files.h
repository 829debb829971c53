#pragma once
// Files of a test read and written whole.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace tarix::test {

// The file's bytes; "<missing>" when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

} // namespace tarix::test
