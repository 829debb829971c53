// As a new clerk would: the program starts on the demo installation with the filings
// registered as the program registers them, opens 2007 from the firm menu, imports the
// month's survey-takers from the import folder through "Import z TXT - Anketári", exports
// the employee list with a layout through "Tlač údajov o zamestnacoch" and finds it in the
// "excel" folder, and writes the Zefir file of 2007.
#include "reports/program_fixture.h"

#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "filings/dm_hp.h"
#include "filings/dm_tl.h"
#include "filings/forms/form_csv1.h"
#include "filings/forms/subsystem.h"
#include "payroll/dm_v.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/table.h"
#include "platform/shell/launcher.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>

using namespace tarix;

namespace {

class AnketariExportMenu : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        filings::registerSubsystem(hooks);
        // The modules the program makes with the filings: the payroll's, the payment
        // orders' and the export layouts'.
        std::vector<test::ModuleSteps> above = payrollModule();
        above.push_back({filings::createDMHP, filings::destroyDMHP});
        above.push_back({filings::createDMTL, filings::destroyDMTL});
        start(hooks, above);
        openFirm(2007, 3);
        ShellUtils::setStartHook([this](const QString &, const QStringList &args, const QString &) {
            opened << args;
            return true;
        });
        scripted.clearEvents();
    }

    void TearDown() override
    {
        ShellUtils::setStartHook({});
        ProgramTest::TearDown();
    }

    QAction *item(const char *name)
    {
        for (QMenu *m : main->findChildren<QMenu *>())
            emit m->aboutToShow();
        return main->findChild<QAction *>(QString::fromLatin1(name));
    }

    QStringList opened;
};

} // namespace

TEST_F(AnketariExportMenu, ImportExportAndZefirFromTheMainMenu)
{
    const QString root = core::appPaths().programFolder;
    for (const char *name : {"mnu_import_anketari", "mnu_csv1", "mnu_zefir1"}) {
        QAction *a = item(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_TRUE(a->isEnabled()) << name;
    }

    // 1. The month's file in the import folder: two survey-takers of centre 1.
    QDir().mkpath(root + "importy");
    QFile in(root + "importy/0703.txt");
    ASSERT_TRUE(in.open(QIODevice::WriteOnly));
    in.write(codepage::cp1250TextFileBytes(
        {"601;3;2007;2500;0;Zuzana;Anketárová;Poľná 3;Trnava;91701;19-1234567805;601;1.3.2007 0:00:00;1100;0;24;;;0;1",
         "602;3;2007;1800,5;0;Ľubica;Zberová;Lúčna 8;Trnava;91701;1234567813;602;5.3.2007;0900;0;25;;;0;1"}));
    in.close();
    scripted.answerYes(Msg(65155, root + "importy/0703.txt")).answerYes(Msg(65156, 3, 2007, "1"));
    item("mnu_import_anketari")->trigger();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65154, 2)});
    db::Table &zam = core::DMZ().TZAM_;
    zam.setFiltered(false);
    EXPECT_TRUE(zam.locate("Code_numb", {602}));
    EXPECT_EQ(zam.fieldByName("Surname").asString(), "Zberová");

    // 2. The employee list with layout 1 (rebuilt, then surname and personal number
    //    included) into "excel/zostava1.CSV".
    scripted.clearEvents();
    scripted.answerYes(Msg(65142)).answerNo(Msg(65125));
    bool sawWindow = false;
    test::whileDialogs([&] { item("mnu_csv1")->trigger(); },
                       [&](QWidget *w) {
                           auto *f = qobject_cast<filings::TFormCsv1 *>(w);
                           if (!f) {
                               w->close();
                               return;
                           }
                           sawWindow = true;
                           f->Zobrazivetkchzamestnancov1->trigger();
                           f->Button1->click();
                           filings::TDMTL &dm = filings::DMTL();
                           for (const char *field : {"Surname", "Code_numb"}) {
                               ASSERT_TRUE(dm.TL2b_.locate("NAZOV", {QString(field)}));
                               f->Btn_zarad->click();
                           }
                           EXPECT_EQ(dm.TL2a_.recordCount(), 2);
                           f->Btn_tlac->click();
                           f->Btn_navrat->click();
                       });
    EXPECT_TRUE(sawWindow);
    const QString csv = root + "excel/zostava1.CSV";
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65124, root + "excel/zostava1.SLK")});
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QString text = codepage::fromCp1250(out.readAll());
    EXPECT_TRUE(text.startsWith("\"Priezvisko\";\"Osobné číslo\";\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\"Zberová\";\"602\";\r\n"));
    EXPECT_TRUE(text.contains("\"Hudák\";\"101\";\r\n"));

    // 3. The Zefir file of 2007 in the firm's folder "Zefir".
    scripted.clearEvents();
    const QString zefir = core::openedFirm().priecinokFirmy;
    QDir().mkpath(QDir(zefir).filePath("Zefir"));
    scripted.answerYes(Msg(65152));
    item("mnu_zefir1")->trigger();
    const QString file = QDir::cleanPath(QDir(zefir).filePath("Zefir/Mzdy2007.txt"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65153, file)});
    QFile z(file);
    ASSERT_TRUE(z.open(QIODevice::ReadOnly));
    const QByteArray bytes = z.readAll();
    EXPECT_EQ(bytes.count("------------------\r\nMesiac "), 12);
    // March holds the two agreements: 2500 + 1800.5.
    EXPECT_TRUE(bytes.contains("Mesiac 03\r\nhrube mzdy     4300\r\n")) << bytes.toStdString();
}
