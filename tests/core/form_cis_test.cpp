// The code-list editor TFormCis opened as the main menu's items open it (offscreen).
#include "core/forms/form_cis.h"
#include "core/forms/settings_commands.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/shell/launcher.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>

using namespace tarix;

namespace {

class FormCis : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this] { core::confirmPeriod(core::DM(), 2007, 2007, 3, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, steps));
        core::registerSettingsCommands(registry);
        ShellUtils::setStartHook([this](const QString &program, const QStringList &arguments, const QString &) {
            opened << program + " " + arguments.join(' ');
            return true;
        });
        scripted.clearEvents();
    }
    void TearDown() override
    {
        ShellUtils::setStartHook({});
        firmtest::FirmFixture::TearDown();
    }

    // Runs a menu item; `step` gets the editor while it is shown modally and closes it.
    void runItem(const char *id, const std::function<void(core::TFormCis &)> &step)
    {
        bool seen = false;
        firmtest::whileDialogs([&] { registry.find(id)->run({}); },
                               [&](QWidget *w) {
                                   auto *f = qobject_cast<core::TFormCis *>(w);
                                   ASSERT_NE(f, nullptr);
                                   seen = true;
                                   step(*f);
                                   if (f->isVisible())
                                       f->close();
                               });
        EXPECT_TRUE(seen) << id;
    }

    core::CommandRegistry registry{core::settingsCommandIds()};
    QStringList opened;
};

} // namespace

TEST_F(FormCis, ACostCentreIsAddedAndTheListExported)
{
    const QString csv = root() + "strediska.csv";
    runItem("mnu_cis_vm1", [&](core::TFormCis &f) {
        EXPECT_EQ(f.windowTitle(), "TARIX - Firma: DEMO STAV, s.r.o.");
        EXPECT_EQ(f.Panel0->text(), " 3.02 Číselník stredísk");
        EXPECT_FALSE(f.PanelLegenda1->isVisible());
        EXPECT_TRUE(f.pickList().isEmpty());
        EXPECT_EQ(f.saveFileName(), "Cis_vm.CSV");
        EXPECT_EQ(f.saveFolder(), MyConsts::outputFolderOrDefault());

        scripted.answerYes(Msg(65177));
        f.Mnu_insert->trigger();
        db::DataSet &t = *f.DS1.dataSet();
        ASSERT_EQ(t.state(), db::DataSetState::Insert);
        // Editing: the move navigator and the return are off, the confirm navigator on.
        EXPECT_FALSE(f.DBN1->isEnabled());
        EXPECT_TRUE(f.DBN2->isEnabled());
        EXPECT_FALSE(f.Btn_navrat->isEnabled());
        EXPECT_TRUE(f.Mnu_post->isEnabled());
        EXPECT_FALSE(f.Mnu_insert->isEnabled());
        t.fieldByName("ID").setAsInteger(5);
        t.fieldByName("NAZOV").setAsString("Dielne; Čadca");
        f.Mnu_post->trigger();
        EXPECT_TRUE(f.DBN1->isEnabled());
        EXPECT_FALSE(f.DBN2->isEnabled());
        EXPECT_TRUE(f.Btn_navrat->isEnabled());

        scripted.answerFile(csv);
        f.Button1->click();
        f.Btn_navrat->click();
    });
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 5").toString(), "Dielne; Čadca");
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Windows-1250 ("á" E1, "ž" 9E, "Č" C8), CR LF, the name with ";" enclosed in '"'.
    EXPECT_EQ(file.readAll(), QByteArray("1;Centr\xE1la Trnava;1 - Centr\xE1la Trnava\r\n"
                                         "2;Stavby a mont\xE1\x9E" "e;2 - Stavby a mont\xE1\x9E" "e\r\n"
                                         "5;\"Dielne; \xC8" "adca\";\"5 - Dielne; \xC8" "adca\"\r\n"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.first().contains("strediska.csv")) << opened.first().toStdString();
}

TEST_F(FormCis, TheExportIsLeftAloneWhenTheDialogIsCancelled)
{
    runItem("mnu_cis_zp", [&](core::TFormCis &f) {
        EXPECT_EQ(f.Panel0->text(), " 3.03 Číselník zdravotných poisťovní");
        EXPECT_EQ(f.saveFileName(), "Cis_zp.CSV");
        scripted.cancelFile();
        f.Button1->click();
        f.Mnu_navrat->trigger();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(FormCis, ThePayeeListOffersTheNineInstitutionKindsAndTheLegend)
{
    runItem("mnu_cis_banky", [&](core::TFormCis &f) {
        EXPECT_EQ(f.Panel0->text(), " 3.05 Číselník bankových účtov");
        EXPECT_EQ(f.pickList(), (QStringList{"D", "E", "F", "P", "S", "U", "X", "Y", "Z"}));
        EXPECT_TRUE(f.PanelLegenda1->isVisible());
        EXPECT_EQ(f.DBGrid1->columnWidth(0), 50);
        EXPECT_NE(f.DBGrid1->itemDelegateForColumn(0), nullptr);
    });
    // The funds query is open again afterwards.
    EXPECT_TRUE(core::DM().QDDP_.isActive());
}

TEST_F(FormCis, ClosingDropsAPendingEdit)
{
    runItem("mnu_cis_vm1", [&](core::TFormCis &f) {
        db::DataSet &t = *f.DS1.dataSet();
        f.Mnu_edit->trigger();
        ASSERT_TRUE(t.isEditing());
        t.fieldByName("NAZOV").setAsString("Zmenené");
        f.close();
        EXPECT_FALSE(t.isEditing());
    });
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 1").toString(), "Centrála Trnava");
}
