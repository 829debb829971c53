#pragma once
// Typed file errors. Each carries the user's text (EMyError) and the file's name, so a
// caller can tell "could not open the source" from "could not create the target".
#include "platform/errors.h"

namespace tarix::shell {

class EFileError : public EMyError {
public:
    EFileError(const QString &text, const QString &fileName)
        : EMyError(text), m_fileName(fileName) {}
    const QString &fileName() const noexcept { return m_fileName; }

private:
    QString m_fileName;
};

// 65453
class EFileOpenError : public EFileError {
public:
    explicit EFileOpenError(const QString &fileName)
        : EFileError(QStringLiteral("Cannot open file %1").arg(fileName), fileName) {}
};

// 65452
class EFileCreateError : public EFileError {
public:
    explicit EFileCreateError(const QString &fileName)
        : EFileError(QStringLiteral("Cannot create file %1").arg(fileName), fileName) {}
};

class EReadError : public EFileError {
public:
    explicit EReadError(const QString &fileName)
        : EFileError(QStringLiteral("Cannot read file %1").arg(fileName), fileName) {}
};

class EWriteError : public EFileError {
public:
    explicit EWriteError(const QString &fileName)
        : EFileError(QStringLiteral("Cannot write file %1").arg(fileName), fileName) {}
};

} // namespace tarix::shell
