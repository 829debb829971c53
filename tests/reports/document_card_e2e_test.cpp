// The employee card's print buttons as a new user meets them: the program starts on the
// demo installation with the subsystems' commands registered as the program registers
// them and firm 01 opened for March 2007. On the contracts tab a demo employee's contract
// prints with "&Tlač" straight into the preview, saved as PDF, where the contract's texts
// stand; on the pension-record tab the button writes the form-data file of the employee
// through the parameter dialog.
#include "core/card_page_provider.h"
#include "core/dm_all.h"
#include "platform/db/session.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/form_main.h"
#include "core/forms/karta_zam.h"
#include "core/forms/main_menu.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/module_registry.h"
#include "core/modules.h"
#include "core/session.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/ini_settings.h"
#include "payroll/modules.h"
#include "core/helpers/parameters.h"
#include "core/app_ini.h"
#include "payroll/dm_vyp.h"
#include "platform/report/qt/preview.h"
#include "reports/documents/pracovne_dokumenty.h"
#include "reports/forms/f_par_form.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>

using namespace tarix;

namespace {

class CardPrints : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        test::ScriptedTest<>::SetUp();
        dir.install();
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        payroll::registerModules();
        core::StartupHooks hooks;
        modules.handOver(all, true);
        hooks.afterDataModules = [] {
            core::DMA().Registruj_tabulky();
            reports::Registruj_pracovne_dokumenty();
        };
        hooks.readCalculationSettings = [] { payroll::setNastavenia(payroll::Nacitaj_nastavenia(core::trxIni())); };
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(core::mainMenuCommands());
        reports::registerLauncherCommands(core::cardPrintCommands());
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        test::openFirmFromMenu(*main, 2007, 3);
        ASSERT_EQ(main->openFirm(), 1);
        rpt::setDefaultPreviewHost(&preview);
        scripted.clearEvents();
    }
    void TearDown() override
    {
        if (main)
            main->hide();
        for (core::CommandRegistry *commands : {&core::mainMenuCommands(), &core::cardPrintCommands()})
            for (const QString &id : commands->ids())
                commands->remove(id);
        rpt::setDefaultPreviewHost(nullptr);
        core::Zrus_otvorenu_firmu();
        core::closeSession();
        modules.destroy();
        core::registerPieceWorkPage(nullptr);
        payroll::setNastavenia({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ScriptedTest<>::TearDown();
    }

    // The card of employee 1 (Ing. Ján Hudák) on one of its tabs.
    void showCard(const QString &page)
    {
        main->Akcia_zamestnanci();
        ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {1}));
        ASSERT_TRUE(main->karta()->NX_ZAM()->Zmen(page)) << page.toStdString();
    }

    static QString pdfText(const QString &pdf)
    {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    test::Installation dir;
    test::DataModules modules;
    rpt::DialogPreviewHost preview;
    core::TFormMain *main = nullptr;
};

} // namespace

TEST_F(CardPrints, TheContractOfTheContractsTabPrintsToPdf)
{
    showCard(QStringLiteral("PAGE_PPV"));
    // The demo contract of 25 March 1998 (kind 0, the employment contract).
    db::Table &ppv = core::DMP().TPPV_;
    ASSERT_TRUE(ppv.locate("TYP", {0}));
    QPushButton *tlac = main->karta()->tlacidloTlace(QStringLiteral("ppv_tlac"));
    ASSERT_NE(tlac, nullptr);
    EXPECT_EQ(tlac->text(), "&Tlač");
    const QString pdf = dir.filePath("zmluva.pdf");
    int previews = 0;
    test::whileDialogs([&] { tlac->click(); },
                       [&](QWidget *w) {
                           if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                               ++previews;
                               EXPECT_TRUE(d->savePdf(pdf));
                               d->accept();
                           } else {
                               ADD_FAILURE() << "unexpected window " << w->metaObject()->className();
                               w->close();
                           }
                       },
                       30000);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(previews, 1);
    const QString text = pdfText(pdf);
    for (const char *expected : {"PRACOVNÁ ZMLUVA", "DEMO STAV, s.r.o.", "Ing. Ján Hudák", "1.4.1998",
                                 "Druh práce: stavbyvedúci",
                                 "Miesto výkonu práce: stavby zamestnávateľa v Trnavskom kraji",
                                 "V Trnava dňa 25.3.1998"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

TEST_F(CardPrints, ThePensionRecordTabWritesTheEmployeesFormData)
{
    core::session().execute("insert into \":tarix_data:eldp\" (code_emp, datum_od, datum_do, znak, vz, vyluka_vz, "
                            "vyluka_dni) values (1, '2006-01-01', '2006-12-31', 'P', 384000, null, null)");
    const QString frm = core::Priecinok_formularov(core::appPaths().networkRoot);
    QDir().mkpath(frm);
    {
        QFile f(frm + "eldp_form_1.5.pdf");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    showCard(QStringLiteral("PAGE_ELDP"));
    QPushButton *tlac = main->karta()->tlacidloTlace(QStringLiteral("Butt_tlac_eldp"));
    ASSERT_NE(tlac, nullptr);
    const QString out = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + "ELDP_6803145129_Hudák_Ján.xfdf";
    scripted.answerNo(Msg(65126, out));
    bool dialog = false;
    test::whileDialogs([&] { tlac->click(); },
                       [&](QWidget *w) {
                           if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                               dialog = true;
                               form->Button1->click();
                           } else {
                               ADD_FAILURE() << "unexpected window " << w->metaObject()->className();
                               w->close();
                           }
                       },
                       30000);
    EXPECT_TRUE(dialog);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << out.toStdString();
    const QString xfdf = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfvz_poist\">\r\n<value>384000</value>")) << xfdf.toStdString();
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfemployee_surname\">\r\n<value>Hudák</value>"));
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfkal_dni_vd\">\r\n<value></value>"));
}
