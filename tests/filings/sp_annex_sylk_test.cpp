// The annex as a SYLK spreadsheet ("SP1PXLS"): the file byte for byte for one employee and
// for none, values that cannot break the file, the replacement without asking, a file that
// cannot be written, and the offer to open it.
#include "sp_filing_fixture.h"

#include "core/helpers/messages.h"
#include "platform/shell/launcher.h"
#include "reports/dispatcher.h"
#include "reports/social/export_sylk.h"

using namespace tarix;
using namespace tarix::reports;
using filings::fixtures::expectedFile;
using filings::fixtures::readFile;

namespace {

class AnnexSylk : public filings::fixtures::SpFilingFirm {
protected:
    void SetUp() override
    {
        SpFilingFirm::SetUp();
        ShellUtils::setStartHook([this](const QString &program, const QStringList &arguments, const QString &) {
            started << program + u' ' + arguments.join(u' ');
            return true;
        });
    }
    void TearDown() override
    {
        ShellUtils::setStartHook({});
        SpFilingFirm::TearDown();
    }
    static TMyReportParam sylk(int obdobie, int sidOd = 1, int sidDo = 99)
    {
        TMyReportParam p = request(QStringLiteral("SP1PXLS"));
        p.Obdobie = obdobie;
        p.Stredisko_od = sidOd;
        p.Stredisko_do = sidDo;
        return p;
    }
    QString file(int obdobie) const { return dir.root() + QStringLiteral("excel/priloha%1.SLK").arg(obdobie); }

    QStringList started;
};

} // namespace

// Through the dispatcher as the menu sends "SP1PXLS": the file in the program's "excel"
// folder (tests/filings/expected/README.md), then 65125; "No" tells 65124 naming the file.
TEST_F(AnnexSylk, OneEmployeeAndNoneByteForByte)
{
    threeEmployees();
    EXPECT_EQ(ParForm::sylkFile(200703), file(200703));
    scripted.answerNo(Msg(65125));
    ParForm::Spusti_zostavu_podla_nazvu(sylk(200703, 2, 2));
    EXPECT_EQ(readFile(file(200703)), expectedFile("sp_annex_one.SLK"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65124, file(200703))});
    EXPECT_TRUE(started.isEmpty());

    scripted.clearEvents();
    scripted.answerNo(Msg(65125));
    ParForm::Spusti_zostavu_podla_nazvu(sylk(200704));
    EXPECT_EQ(readFile(file(200704)), expectedFile("sp_annex_none.SLK"));
}

// The whole month: a row per insured employee in the annex's order; a second run replaces
// the file without asking; "Yes" hands the file to the desktop's program.
TEST_F(AnnexSylk, AllRowsReplacedWithoutAskingAndOpened)
{
    threeEmployees();
    scripted.answerNo(Msg(65125));
    ParForm::Export_sylk(sylk(200703));
    const QByteArray first = readFile(file(200703));
    EXPECT_TRUE(first.contains("C;Y2;X1;K\"1\"\r\nC;X2;K\"6803145129\"\r\n"));
    EXPECT_TRUE(first.contains("C;Y3;X1;K\"2\"\r\nC;X2;K\"7552121234\"\r\n"));
    EXPECT_TRUE(first.contains("C;Y4;X1;K\"3\"\r\nC;X2;K\"8001011237\"\r\n"));
    EXPECT_TRUE(first.contains("C;X6;K\"20000,5\"\r\n"));
    EXPECT_FALSE(first.contains("C;Y5;"));

    session.execute("delete from \":tarix_data:vyp\" where code_emp<>1");
    scripted.answerYes(Msg(65125));
    ParForm::Export_sylk(sylk(200703));
    EXPECT_FALSE(readFile(file(200703)).contains("C;Y3;"));
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(started.value(0).contains(file(200703))) << started.value(0).toStdString();
}

// A ";" inside a value is doubled (a single one would end the cell) and a line break
// becomes a blank, so one value stays one cell of one line.
TEST_F(AnnexSylk, AValueCannotBreakItsCell)
{
    REXSP1P::Riadok r;
    r.CALC_BORN_NUMB = QStringLiteral("800101;12\r\n37");
    const QByteArray b = ParForm::sylkAttachment({r});
    EXPECT_TRUE(b.contains("C;X2;K\"800101;;12  37\"\r\n")) << b.toStdString();
}

// A file that cannot be written (here a folder stands in its place) gives 65123 naming it
// and nothing more: no question, no file.
TEST_F(AnnexSylk, AFileThatCannotBeWrittenGives65123)
{
    threeEmployees();
    ASSERT_TRUE(QDir().mkpath(file(200703)));
    ParForm::Export_sylk(sylk(200703));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65123, file(200703))});
    EXPECT_TRUE(scripted.events(ui::ScriptedUserInterface::EventKind::Question).empty());
}
