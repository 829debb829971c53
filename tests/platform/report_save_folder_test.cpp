// What the preview proposes when a report is saved: the folder and name its launcher set,
// carried to the report through the preview host, and the path the save dialogs start at.
#include "platform/report/layout.h"
#include "platform/report/prepared_file.h"
#include "platform/report/preview_host.h"
#include "platform/report/qt/preview.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::rpt;

namespace {

struct PathCase {
    const char *folder;
    const char *baseName;
    const char *suffix;
    const char *expected;
};

class ProposedSavePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(ProposedSavePath, JoinsFolderNameAndSuffix)
{
    const PathCase &c = GetParam();
    PreparedReport r;
    r.saveFolder = QString::fromUtf8(c.folder);
    r.saveBaseName = QString::fromUtf8(c.baseName);
    EXPECT_EQ(proposedSavePath(r, QString::fromUtf8(c.suffix)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProposedSavePath,
    ::testing::Values(PathCase{"/r/vystupy/DATA01/2007/", "VP2005A_200703_102", "pdf",
                               "/r/vystupy/DATA01/2007/VP2005A_200703_102.pdf"},
                      PathCase{"/r/vystupy/DATA01/2007", "VP2005A_200703_102", "txt",
                               "/r/vystupy/DATA01/2007/VP2005A_200703_102.txt"},
                      PathCase{"/r/vystupy", "", "pdf", "/r/vystupy"},   // folder only
                      PathCase{"", "VP_200703", "pdf", "VP_200703.pdf"}, // name only
                      PathCase{"", "", "pdf", ""}));

TEST(SaveProposalScope, ReportsShownWhileItLivesCarryTheProposalInnermostWins)
{
    CapturingPreviewHost captured;
    setDefaultPreviewHost(&captured);
    ReportForm form;
    PreparedReport report;
    report.title = QStringLiteral("Výplatné pásky");
    {
        SaveProposalScope outer(QStringLiteral("/r/vystupy/DATA01/2007/"), QStringLiteral("VP2005A_200703_102"));
        defaultPreviewHost()->showPreview(report, form);
        EXPECT_EQ(captured.shownCount, 1);
        EXPECT_EQ(captured.last.title, u"Výplatné pásky");
        EXPECT_EQ(captured.last.saveFolder, u"/r/vystupy/DATA01/2007/");
        EXPECT_EQ(captured.last.saveBaseName, u"VP2005A_200703_102");
        {
            SaveProposalScope inner(QStringLiteral("/r/vystupy/DATA01/2007/"), QStringLiteral("VYK_200703_102"));
            defaultPreviewHost()->showPreview(report, form);
            EXPECT_EQ(captured.last.saveBaseName, u"VYK_200703_102");
        }
        defaultPreviewHost()->showPreview(report, form);
        EXPECT_EQ(captured.last.saveBaseName, u"VP2005A_200703_102");
    }
    EXPECT_EQ(defaultPreviewHost(), &captured);
    defaultPreviewHost()->showPreview(report, form);
    EXPECT_TRUE(captured.last.saveBaseName.isEmpty());
    EXPECT_EQ(captured.shownCount, 4);
    setDefaultPreviewHost(nullptr);
}

TEST(SaveProposalScope, WithoutAHostSetTheReportGoesToTheDefaultOne)
{
    setDefaultPreviewHost(nullptr);
    // The window's host stands in for the program's preview window (a modal dialog, which
    // an earlier test of this program may have installed).
    PreviewHost *const before = defaultPreviewHost();
    CapturingPreviewHost window;
    setWindowPreviewHost(&window);
    ReportForm form;
    {
        SaveProposalScope scope(QStringLiteral("/r"), QStringLiteral("X"));
        // Not back to itself: no endless loop, the default host is reached.
        defaultPreviewHost()->showPreview(PreparedReport{}, form);
    }
    EXPECT_EQ(window.shownCount, 1);
    EXPECT_EQ(window.last.saveBaseName, u"X");
    EXPECT_EQ(defaultPreviewHost(), &window);
    setWindowPreviewHost(nullptr);
    if (defaultPreviewHost() != before)
        setWindowPreviewHost(before);
}

TEST(PreviewSaveDialogs, AReportOpenedFromAFileIsProposedBesideIt)
{
    QString proposed;
    setPreviewFileDialog([&](QWidget *, bool, const QString &, const QString &p, const QString &) {
        proposed = p;
        return QString();
    });
    QTemporaryDir tmp;
    PreparedReport r;
    r.pages.emplace_back();
    r.saveFolder = QStringLiteral("/r/vystupy");
    r.saveBaseName = QStringLiteral("VP2005A_200703_102");
    PreviewDialog first(r);
    const QString saved = QDir(tmp.path()).filePath(QStringLiteral("stara.") + QLatin1String(kPreparedFileSuffix));
    ASSERT_TRUE(first.saveReport(saved));
    PreviewDialog second(r);
    ASSERT_TRUE(second.openReport(saved));
    second.savePdfWithDialog();
    EXPECT_EQ(proposed, QDir(tmp.path()).filePath(QStringLiteral("stara.pdf")));
    setPreviewFileDialog({});
}

} // namespace
