#include "support/pdf_text.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace tarix::test {

namespace {

QString pdfToText() { return QStandardPaths::findExecutable(QStringLiteral("pdftotext")); }

} // namespace

bool havePdfToText() { return !pdfToText().isEmpty(); }

QString pdfText(const QString &pdf, int page)
{
    const QString program = pdfToText();
    if (program.isEmpty())
        return {};
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    arguments << pdf << QStringLiteral("-");
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(60000)) << pdf.toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace tarix::test
