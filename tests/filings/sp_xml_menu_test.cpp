// As a clerk would: on the demo firm in March 2007, the main menu's "Výkaz poistného (XML)
// - verzia 2.5" opens the report parameter dialog, "&runForm" writes the statement with its
// check file into the program's "vystupy" folder and says so; the 2.4.1 item likewise.
#include "sp_filing_fixture.h"

#include "core/helpers/messages.h"
#include "filings/rex_sp_xml.h"
#include "platform/errors.h"
#include "reports/forms/f_par_form.h"
#include "reports/forms/launcher_commands.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

using namespace tarix;

namespace {

class SpXmlFromTheMenu : public filings::fixtures::SpFilingFirm {
protected:
    // Chooses the menu item and presses "&runForm" in the parameter dialog it opens.
    bool runFromTheMenu(const QString &item)
    {
        bool sawDialog = false;
        QTimer::singleShot(0, [&] {
            auto *f = qobject_cast<reports::TFParForm *>(QApplication::activeModalWidget());
            sawDialog = f != nullptr;
            if (f)
                f->Button1->click();
        });
        reports::runLauncher(item);
        return sawDialog;
    }
};

} // namespace

TEST_F(SpXmlFromTheMenu, TheVersion25ItemWritesTheStatementAndItsCheckFile)
{
    demo.setPeriod(2007, 3, 0);
    threeEmployees();
    ASSERT_TRUE(runFromTheMenu(QStringLiteral("tlac_sp_xml25")));
    const QString xml = outputs() + "SPVykaz-v2.5_36214582_200703_001.xml";
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65151, xml)});
    const QByteArray statement = filings::fixtures::readFile(xml);
    EXPECT_TRUE(statement.contains("<obdobie>032007</obdobie>"));
    EXPECT_TRUE(statement.contains("rozsahSP=\"0000100\""));
    EXPECT_EQ(filings::fixtures::readFile(outputs() + "SPVykaz-v2.5_36214582_200703_001.txt"),
              filings::RexSpXml::controlFileName(statement));

    scripted.clearEvents();
    ASSERT_TRUE(runFromTheMenu(QStringLiteral("tlac_spxml")));
    EXPECT_TRUE(QFile::exists(outputs() + "SPVykaz_36214582_200703_001.xml"));
    EXPECT_TRUE(QFile::exists(outputs() + "SPVykaz_36214582_200703_001.txt"));
}

// "Dodatočné vytvorenie kontrolného TXT súboru" writes the chosen statement's check file
// again and says so; a statement that is not UTF-8 is refused with the converter's reason
// and leaves no check file and no success message.
TEST_F(SpXmlFromTheMenu, TheCheckFileCommandWritesItAgain)
{
    threeEmployees();
    const QString xml = filings::RexSpXml::writeStatement(request("SPXML"), session);
    const QString txt = outputs() + "SPVykaz_36214582_200703_001.txt";
    const QByteArray expected = filings::fixtures::readFile(txt);
    ASSERT_TRUE(QFile::remove(txt));
    scripted.answerFile(xml);
    EXPECT_EQ(reports::supplementaryControlFile(), xml);
    EXPECT_EQ(filings::fixtures::readFile(txt), expected);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65151, "SPVykaz_36214582_200703_001.txt")});

    scripted.clearEvents();
    const QString bad = outputs() + "SPzly.xml";
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<a>\xC3\x28</a>\r\n");
    f.close();
    scripted.answerFile(bad);
    try {
        reports::supplementaryControlFile();
        ADD_FAILURE() << "no error";
    } catch (const EMyError &e) {
        EXPECT_TRUE(e.text().startsWith("Invalid UTF-8")) << e.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(outputs() + "SPzly.txt"));
    EXPECT_TRUE(scripted.messages().isEmpty());
}
