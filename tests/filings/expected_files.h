#pragma once
// The bytes of a written file and of an expected file of tests/filings/expected.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace tarix::filings::fixtures {

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing " + path.toUtf8() + ">");
}

inline QByteArray expectedFile(const QString &name)
{
    return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/filings/expected/") + name);
}

} // namespace tarix::filings::fixtures
