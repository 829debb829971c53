// The yearly tax report as a new user meets it: the program starts on the demo
// installation with the reports registered as the program registers them, firm 01 is
// opened for March 2007 and the month's payrolls are stored. "DNS3" from the main menu
// prints parts I and II of 2007 through the parameter dialog and the preview; "VD_B_PDF"
// writes part III as form-data files for the tax office's form the clerk put into frm,
// and the files are found in the firm's output folder.
#include "program_fixture.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "payroll/forms/subsystem.h"
#include "platform/format/format.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/forms/subsystem.h"
#include "reports/taxreport/danove_hlasenia.h"

#include <QDir>
#include <QFile>

using namespace tarix;

namespace {

class TaxReportFromTheMenu : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const core::StartupHooks hooks = payrollHooks([] { reports::registerTaxReturns(); });
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(core::mainMenuCommands());
        start(hooks);
        openFirm(2007, 3);
        // March's payroll of every employee, the whole month worked.
        storeMonth();
        ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
        scripted.clearEvents();
    }

    // Chooses a print item; the preview is saved as dns3.pdf.
    void choosePrint(const char *name)
    {
        print([&] { choose(name); }, dir.filePath("dns3.pdf"));
    }
};

} // namespace

TEST_F(TaxReportFromTheMenu, Dns3PrintsTheYearAndVdBPdfWritesItsFiles)
{
    // "DNS3" for 2007: parts I and II of the stored payrolls.
    choosePrint("tlac_dns3");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(preview.shown.size(), 1u);
    const rpt::PreparedPage &page = preview.shown[0].pages.at(0);
    const rpt::PreparedItem *year = page.findText("QR_ROK");
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->text(), "2007");
    const db::SqlResult sums =
        core::session().run("select sum(d_preddavok) from \":tarix_data:vyp\" where v_rok = 2007");
    const rpt::PreparedItem *r1 = page.findText("R1");
    ASSERT_NE(r1, nullptr);
    EXPECT_EQ(r1->text(), fmt::general(sums.asFloat(0, 0)));
    EXPECT_GT(sums.asFloat(0, 0), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("dns3.pdf")));

    // "VD_B_PDF": the clerk has put the tax office's form into frm; the files of part III
    // land in the firm's output folder and the message counts them.
    const QString frm = core::Priecinok_formularov(core::appPaths().networkRoot);
    QDir().mkpath(frm);
    {
        QFile f(frm + "rh2004_3.pdf");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    scripted.clearEvents();
    scripted.cancelFile(); // the file choice after the message
    choosePrint("tlac_vd_b_pdf");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    const int employees = int(core::session().run("select count(*) from \":tarix_priv:hld\"").asInteger(0, 0));
    ASSERT_GT(employees, 0);
    const int files = (employees - 1) / 4 + 1;
    const QString folder = MyConsts::outputFolder();
    EXPECT_TRUE(QDir::cleanPath(folder).endsWith("vystupy/DATA01/2007")) << folder.toStdString();
    QStringList expected;
    for (int p = 1; p <= files; ++p)
        expected << QStringLiteral("RH3_2007_%1.xfdf").arg(p, 3, 10, QChar(u'0'));
    EXPECT_EQ(QDir(folder).entryList({"RH3_*"}, QDir::Files, QDir::Name), expected);
    const QString out = QDir(folder).filePath(expected.value(0));
    QFile first(out);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    const QByteArray xfdf = first.readAll();
    EXPECT_TRUE(xfdf.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE(xfdf.contains("<field name=\"1.1.Priezvisko\">"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information),
              QStringList{Msg(65102, files, QStringLiteral("RH3_*.XFDF"),
                              MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs))});
}
