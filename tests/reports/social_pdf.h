#pragma once
// Writes a prepared statement to PDF, as the clerk saves it from the preview. The file
// goes to a temporary folder, or to $TARIX_REPORT_PDF_DIR when set (to look at the pages).
#include "platform/report/render.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

inline void expectWrittenAsPdf(const rpt::PreparedReport &report, const QString &name)
{
    QTemporaryDir tmp;
    QString folder = qEnvironmentVariable("TARIX_REPORT_PDF_DIR");
    if (folder.isEmpty())
        folder = tmp.path();
    QString error;
    EXPECT_TRUE(rpt::writePdf(report, folder + u'/' + name + QStringLiteral(".pdf"), &error)) << error.toStdString();
}

} // namespace tarix::reports::fixtures
