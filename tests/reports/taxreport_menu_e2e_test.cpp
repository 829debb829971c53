// The yearly tax report as a new user meets it: the program starts on the demo
// installation with the reports registered as the program registers them, firm 01 is
// opened for March 2007 and the month's payrolls are stored. "DNS3" from the main menu
// prints parts I and II of 2007 through the parameter dialog and the preview; "VD_B_PDF"
// writes part III as form-data files for the tax office's form the clerk put into frm,
// and the files are found in the firm's output folder.
#include "core/app_ini.h"
#include "core/dm_all.h"
#include "core/forms/form_main.h"
#include "core/forms/main_menu.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/parameters.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "core/session.h"
#include "payroll/dm_vyp.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/forms/subsystem.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "platform/db/session.h"
#include "platform/format/format.h"
#include "platform/report/qt/preview.h"
#include "reports/dispatcher.h"
#include "reports/forms/f_par_form.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "reports/forms/subsystem.h"
#include "reports/taxreport/danove_hlasenia.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>

using namespace tarix;

namespace {

class RecordingPreviewHost : public rpt::PreviewHost {
public:
    void showPreview(const rpt::PreparedReport &report, rpt::ReportForm &form) override
    {
        shown.push_back(report);
        dialog.showPreview(report, form);
    }
    std::vector<rpt::PreparedReport> shown;
    rpt::DialogPreviewHost dialog;
};

class TaxReportFromTheMenu : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        test::ScriptedTest<>::SetUp();
        m_registered = reports::Register_zostav().Nazvy();
        dir.install();
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        payroll::registerModules();
        core::StartupHooks hooks;
        modules.handOver(all, true);
        hooks.afterDataModules = [] {
            core::DMA().Registruj_tabulky();
            reports::Registruj_danove_hlasenia();
        };
        hooks.readCalculationSettings = [] { payroll::setNastavenia(payroll::Nacitaj_nastavenia(core::trxIni())); };
        core::CommandRegistry &commands = core::mainMenuCommands();
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(commands);
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        test::openFirmFromMenu(*main, 2007, 3);
        ASSERT_EQ(main->openFirm(), 1);
        rpt::setDefaultPreviewHost(&preview);
        storeMonth();
        scripted.clearEvents();
    }
    void TearDown() override
    {
        if (main)
            main->hide();
        core::CommandRegistry &commands = core::mainMenuCommands();
        for (const QString &id : commands.ids())
            commands.remove(id);
        rpt::setDefaultPreviewHost(nullptr);
        for (const QString &name : reports::Register_zostav().Nazvy())
            if (!m_registered.contains(name))
                reports::Register_zostav().Odregistruj(name);
        core::Zrus_otvorenu_firmu();
        core::closeSession();
        modules.destroy();
        payroll::setNastavenia({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ScriptedTest<>::TearDown();
    }

    // March's payroll of every employee, the whole month worked.
    void storeMonth()
    {
        payroll::TDMV &dmv = payroll::DMV();
        for (db::Table *t : {&dmv.TVYP_, &dmv.TZRV_, &dmv.THSU_})
            if (!t->isActive())
                t->open();
        const db::SqlResult emps = core::session().run("select code_emp, code_numb from \":tarix_data:zam\"");
        for (int i = 0; i < emps.rowCount(); ++i) {
            dmv.Nastav_zamestnanca(int(emps.asInteger(i, 1)), int(emps.asInteger(i, 0)));
            db::Table &t = dmv.TVYP_;
            t.insert();
            const double fund = t.fieldByName("V_fmes").asFloat();
            t.setValue("V_den", fund);
            t.setValue("V_hodina", fund * t.fieldByName("F_doba").asFloat());
            t.post();
        }
        ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    }

    void choose(const char *name)
    {
        for (QMenu *m : {main->menuSystem(), main->menuHlavne(), main->menuPrehlady(), main->menuNastavenia()})
            emit m->aboutToShow();
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isVisible() && a->isEnabled()) << name;
        test::whileDialogs([&] { a->trigger(); },
                           [&](QWidget *w) {
                               if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                                   form->Button1->click();
                               } else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                                   EXPECT_TRUE(d->savePdf(dir.filePath("dns3.pdf")));
                                   d->accept();
                               } else {
                                   ADD_FAILURE() << "unexpected window " << w->objectName().toStdString();
                                   w->close();
                               }
                           },
                           30000);
    }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    test::Installation dir;
    test::DataModules modules;
    RecordingPreviewHost preview;
    core::TFormMain *main = nullptr;
    QStringList m_registered;
};

} // namespace

TEST_F(TaxReportFromTheMenu, Dns3PrintsTheYearAndVdBPdfWritesItsFiles)
{
    // "DNS3" for 2007: parts I and II of the stored payrolls.
    choose("tlac_dns3");
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
    choose("tlac_vd_b_pdf");
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
