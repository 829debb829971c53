// The annual settlement's prints as a new user meets them: the program starts on the demo
// installation with the payroll and reports subsystems registered as the program registers
// them, firm 01 is opened in 2007, a settlement is computed on the settlement page, and its
// page 1 and page 2 print from the page's operations menu through the parameter dialog to
// a PDF that shows the result; the declaration assigning 2 % is written to the firm's
// output folder.
#include "settlement_fixture.h"

#include "core/card_page_provider.h"
#include "core/commands.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/main_menu.h"
#include "core/forms/main_window_pages.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "payroll/dm_vyp.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/forms/rzp_pages.h"
#include "payroll/forms/settlement_commands.h"
#include "payroll/forms/subsystem.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/format/number_format.h"
#include "platform/report/qt/preview.h"
#include "reports/forms/f_par_form.h"
#include "reports/forms/subsystem.h"
#include "support/data_modules.h"
#include "support/installation.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"
#include "support/widgets/modal_dialogs.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using namespace tarix;

namespace {

class SettlementPrints : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        test::ScriptedTest<>::SetUp();
        dir.install();
        std::vector<test::ModuleSteps> all = test::coreModules();
        all.push_back({payroll::createDMV, payroll::destroyDMV});
        modules.handOver(all, true);
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        payroll::registerSubsystem(hooks);
        reports::registerSubsystem(hooks);
        main = test::startWithLogin(dir.path(), hooks);
        ASSERT_NE(main, nullptr);
        test::openFirmFromMenu(*main, 2007, 3);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200703);
        rpt::setDefaultPreviewHost(&preview);
        scripted.clearEvents();
    }

    void TearDown() override
    {
        if (main)
            main->hide();
        core::CommandRegistry &commands = core::mainMenuCommands();
        for (const QString &id : commands.ids())
            commands.remove(id);
        core::clearMainWindowPages();
        payroll::Nastav_zobrazenie_hsv({});
        payroll::Nastav_tlac_vyplat({});
        payroll::Nastav_tlac_zuctovania({});
        reports::fixtures::unregisterSettlementReports();
        rpt::setDefaultPreviewHost(nullptr);
        core::Zrus_otvorenu_firmu();
        core::closeSession();
        modules.destroy();
        core::registerPieceWorkPage(nullptr);
        payroll::setNastavenia({});
        MyConsts::Parametre().fill(MyConsts::Parameter{});
        test::ScriptedTest<>::TearDown();
    }

    void choose(const char *name)
    {
        for (QMenu *m : {main->menuSystem(), main->menuHlavne(), main->menuPrehlady(), main->menuNastavenia()})
            emit m->aboutToShow();
        QAction *a = main->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isVisible() && a->isEnabled()) << name;
        a->trigger();
    }

    static QAction *action(QMenu *menu, const QString &text)
    {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }

    // Chooses a print item of the settlement menu: the parameter dialog is confirmed as it
    // comes, the preview (when one comes) is saved to `pdf` and closed.
    void print(QMenu *operations, const QString &item, const QString &pdf = {})
    {
        QAction *a = action(operations, item);
        ASSERT_NE(a, nullptr);
        test::whileDialogs([&] { a->trigger(); },
                           [&](QWidget *w) {
                               if (auto *form = qobject_cast<reports::TFParForm *>(w)) {
                                   ++dialogs;
                                   form->Button1->click();
                               } else if (auto *d = qobject_cast<rpt::PreviewDialog *>(w)) {
                                   ++previews;
                                   EXPECT_TRUE(d->savePdf(pdf));
                                   d->accept();
                               } else {
                                   ADD_FAILURE() << "unexpected window " << w->objectName().toStdString();
                                   w->close();
                               }
                           },
                           30000);
    }

    static QString pdfText(const QString &pdf)
    {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            return {};
        QProcess p;
        p.start(pdftotext, {"-layout", pdf, "-"});
        EXPECT_TRUE(p.waitForFinished(30000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }

    test::Installation dir;
    test::DataModules modules;
    rpt::DialogPreviewHost preview;
    core::TFormMain *main = nullptr;
    int dialogs = 0;
    int previews = 0;
};

TEST_F(SettlementPrints, ASettlementComputedOnItsPagePrintsBothPagesAndTheDeclaration)
{
    choose("mnu_rz_vypocet");
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    auto *pages = qobject_cast<payroll::TRzpStranky *>(
        core::mainWindowPage(QString::fromLatin1(payroll::kSettlementPage)));
    ASSERT_NE(pages, nullptr);
    QMenu *operations = pages->Operacie_rzp1();

    // The list's second employee: a new settlement with income from another payer.
    db::Table &zam = core::DMZ().TZAM_;
    zam.first();
    zam.next();
    const int codeEmp = zam.fieldByName("Code_emp").asInt();
    const QString surname = zam.fieldByName("Surname").asString();
    payroll::TDMV &dmv = payroll::DMV();
    action(operations, "Nové zúčtovanie")->trigger();
    QWidget *form = pages->stranka("RZP2005");
    auto *base2 = qobject_cast<QLineEdit *>(dbctrl::findDataControl(form, &dmv.DS_RZP, "Ciastzd2"));
    auto *advances2 = qobject_cast<QLineEdit *>(dbctrl::findDataControl(form, &dmv.DS_RZP, "Preddavky2"));
    ASSERT_TRUE(base2 && advances2);
    test::typeInto(base2, "200000");
    test::typeInto(advances2, "40000");
    action(operations, "Zápis zmien")->trigger();
    ASSERT_FALSE(dmv.TRZP_.isEditing());
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    const double preplatok = dmv.TRZP_.fieldByName("Preplatok").asFloat();
    ASSERT_NE(preplatok, 0);
    const QString result = fmt::formatFloat(u",0", std::abs(preplatok));

    // Page 1: the result in row 10 or 11.
    const QString page1 = dir.filePath("rz_strana1.pdf");
    print(operations, "Tlač ročného zúčt. preddavkov - &1.strana", page1);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(dialogs, 1);
    ASSERT_EQ(previews, 1);
    const QString text1 = pdfText(page1);
    if (!text1.isEmpty()) {
        EXPECT_TRUE(text1.contains("ROČNÉ") && text1.contains("ZÚČTOVANIE")) << text1.toStdString();
        EXPECT_TRUE(text1.contains(surname)) << text1.toStdString();
        EXPECT_TRUE(text1.contains(result)) << result.toStdString() << "\n" << text1.toStdString();
    }

    // Page 2: the same result in its table.
    const QString page2 = dir.filePath("rz_strana2.pdf");
    print(operations, "Tlač ročného zúčt. preddavkov - &2.strana", page2);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(previews, 2);
    const QString text2 = pdfText(page2);
    if (!text2.isEmpty()) {
        EXPECT_TRUE(text2.contains("III. časť")) << text2.toStdString();
        EXPECT_TRUE(text2.contains(result)) << text2.toStdString();
    }

    // The declaration: written to the firm's output folder, then offered to open.
    const QString bornNumb = zam.fieldByName("Born_numb").asString().remove('/').remove(' ');
    const QString name = zam.fieldByName("Name").asString();
    const QString file = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + "vyh1_" + bornNumb + '_'
                         + surname + '_' + name + ".rtf";
    EXPECT_TRUE(file.contains("vystupy/DATA01/2007/")) << file.toStdString();
    scripted.answerNo(Msg(65126, file));
    print(operations, "Vyhlásenie o poukázaní 2%  - Príloha č.1");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    EXPECT_EQ(previews, 2);
    EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(core::session()
                  .run(QStringLiteral("select count(*) from \":tarix_data:rzp\" where code_emp = %1 and v_rok = 2007")
                           .arg(codeEmp))
                  .asInteger(0, 0),
              1);
}

TEST_F(SettlementPrints, TheDeclarationNeedsASettlementFirst)
{
    choose("mnu_rz_vypocet");
    auto *pages = qobject_cast<payroll::TRzpStranky *>(
        core::mainWindowPage(QString::fromLatin1(payroll::kSettlementPage)));
    ASSERT_NE(pages, nullptr);
    print(pages->Operacie_rzp1(), "Potvrdenie o zaplatení dane - Príloha č.2");
    EXPECT_EQ(errors(), QStringList{Msg(65061)});
    EXPECT_EQ(dialogs, 0);
}

} // namespace
