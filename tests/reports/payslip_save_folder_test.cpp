// A report is saved where the clerk looks for it, however it was asked for (the payroll
// screen, the report dialog): the save dialogs of its preview start in the firm's output
// folder with a name made of the layout, the period and the employee's personal number.
#include "payslip_fixture.h"

#include "core/firm_opening.h"
#include "core/helpers/file_choice.h"
#include "platform/report/qt/preview.h"
#include "reports/dispatcher.h"
#include "reports/forms/payroll_print.h"

#include <QDir>
#include <QFileInfo>

using namespace tarix;
using namespace tarix::reports;

namespace {

struct AskedFile {
    bool save = false;
    QString caption;
    QString proposed;
};

class PayslipSaveFolder : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        // As opening firm 01 for 2007 sets it.
        output = core::firmOutputFolder(root(), 1, 2007);
        QDir().mkpath(output);
        MyConsts::setOutputFolder(output);
        rpt::setPreviewFileDialog([this](QWidget *, bool save, const QString &caption,
                                         const QString &proposed, const QString &) {
            asked.push_back({save, caption, proposed});
            return answer;
        });
    }
    void TearDown() override
    {
        rpt::setPreviewFileDialog({});
        MyConsts::setOutputFolder(QString());
        PayslipFirm::TearDown();
    }

    QString output;
    QString answer;   // what the file dialog returns
    std::vector<AskedFile> asked;
};

} // namespace

TEST_F(PayslipSaveFolder, TheProposalNamesTheLayoutPeriodAndPersonalNumber)
{
    // Employee 2 of the demo firm has the personal number 102.
    EXPECT_EQ(payrollPrintNameSuggestion("VP", 2, 200703), u"VP2005A_200703_102");
    setOdstup(1);
    EXPECT_EQ(payrollPrintNameSuggestion("VP", 2, 200703), u"VP2005B_200703_102");
    setOdstup(0);
    EXPECT_EQ(payrollPrintNameSuggestion("VP", 2, 200412), u"VP2_200412_102");
    // A code the table does not know keeps the code given; an unknown employee his key.
    EXPECT_EQ(payrollPrintNameSuggestion("XYZ", 999, 200703), u"XYZ_200703_999");
}

TEST_F(PayslipSaveFolder, PdfAndTextDialogsStartInTheOutputFolderWithTheName)
{
    insertVyp(2, 200703, {{"N_brutto", 21000}, {"N_netto", 16000}});
    printPayrollReport("VP", 2, 200703);
    ASSERT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(previewHost.shownCount, 1);
    const rpt::PreparedReport &shown = previewHost.last;
    EXPECT_EQ(shown.saveFolder, output);
    EXPECT_EQ(shown.saveBaseName, u"VP2005A_200703_102");

    rpt::PreviewDialog preview(shown);
    const QString pdf = QDir(output).filePath("VP2005A_200703_102.pdf");
    answer = QDir(output).filePath("VP2005A_200703_102"); // the clerk confirms, suffix left out
    preview.savePdfWithDialog();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].save);
    EXPECT_EQ(asked[0].proposed, pdf);
    EXPECT_TRUE(QFileInfo(pdf).size() > 0) << "no PDF written to " << pdf.toStdString();

    answer.clear(); // cancelled
    preview.saveTextWithDialog();
    preview.saveReportWithDialog();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[1].proposed, QDir(output).filePath("VP2005A_200703_102.txt"));
    EXPECT_TRUE(asked[2].proposed.startsWith(QDir(output).filePath("VP2005A_200703_102.")))
        << asked[2].proposed.toStdString();
    EXPECT_EQ(QDir(output).entryList(QDir::Files), QStringList{"VP2005A_200703_102.pdf"});
}

TEST_F(PayslipSaveFolder, EveryRoadToAReportProposesTheOutputFolderAndItsOwnName)
{
    insertVyp(2, 200703, {{"N_brutto", 21000}});
    printPayrollReport("VP", 2, 200703);
    ASSERT_EQ(previewHost.shownCount, 1);
    // The month's payslips of the whole firm, as the report dialog runs them: the same
    // folder, the layout and the period, and no employee's number.
    ParForm::Spusti_zostavu_podla_nazvu(request(200703));
    ASSERT_EQ(previewHost.shownCount, 2);
    EXPECT_EQ(previewHost.last.saveFolder, output);
    EXPECT_EQ(previewHost.last.saveBaseName, u"VP2005A_200703");
    // One employee chosen in the dialog: his personal number too.
    TMyReportParam one = request(200703);
    one.Zamestnanec_od = one.Zamestnanec_do = 2;
    ParForm::Spusti_zostavu_podla_nazvu(one);
    ASSERT_EQ(previewHost.shownCount, 3);
    EXPECT_EQ(previewHost.last.saveBaseName, u"VP2005A_200703_102");

    // The preview's save dialogs start there.
    rpt::PreviewDialog preview(previewHost.last);
    preview.savePdfWithDialog();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].proposed, QDir(output).filePath("VP2005A_200703_102.pdf"));
}
