// The employee card's print buttons as a new user meets them: the program starts on the
// demo installation with the subsystems' commands registered as the program registers
// them and firm 01 opened for March 2007. On the contracts tab a demo employee's contract
// prints with "&Tlač" straight into the preview, saved as PDF, where the contract's texts
// stand; on the pension-record tab the button writes the form-data file of the employee
// through the parameter dialog.
#include "program_fixture.h"

#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/forms/employee_card.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "payroll/forms/subsystem.h"
#include "reports/documents/pracovne_dokumenty.h"
#include "reports/forms/launcher_commands.h"
#include "reports/forms/payroll_print.h"
#include "support/pdf_text.h"

#include <QDir>
#include <QFile>

using namespace tarix;

namespace {

class CardPrints : public reports::fixtures::ProgramTest<> {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        const core::StartupHooks hooks = payrollHooks([] { reports::registerWorkDocuments(); });
        payroll::registerCommands();
        reports::registerCommands();
        reports::registerLauncherCommands(core::mainMenuCommands());
        reports::registerLauncherCommands(core::cardPrintCommands());
        start(hooks);
        openFirm(2007, 3);
        scripted.clearEvents();
    }

    // The card of employee 1 (Ing. Ján Hudák) on one of its tabs.
    void showCard(const QString &page)
    {
        main->employeesAction();
        ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {1}));
        ASSERT_TRUE(main->cardWindow()->NX_ZAM()->changePage(page)) << page.toStdString();
    }

};

} // namespace

TEST_F(CardPrints, TheContractOfTheContractsTabPrintsToPdf)
{
    showCard(QStringLiteral("PAGE_PPV"));
    // The demo contract of 25 March 1998 (kind 0, the employment contract).
    db::Table &ppv = core::DMP().TPPV_;
    ASSERT_TRUE(ppv.locate("TYP", {0}));
    QPushButton *tlac = main->cardWindow()->printButton(QStringLiteral("ppv_tlac"));
    ASSERT_NE(tlac, nullptr);
    EXPECT_EQ(tlac->text(), "&Tlač");
    const QString pdf = dir.filePath("zmluva.pdf");
    // Straight into the preview, without the parameter dialog.
    print([&] { tlac->click(); }, pdf);
    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    ASSERT_EQ(previews, 1);
    const QString text = test::pdfText(pdf);
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
    QPushButton *tlac = main->cardWindow()->printButton(QStringLiteral("Butt_tlac_eldp"));
    ASSERT_NE(tlac, nullptr);
    const QString out = MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + "ELDP_6803145129_Hudák_Ján.xfdf";
    scripted.answerNo(Msg(65126, out));
    // Through the parameter dialog to the file, without a preview.
    print([&] { tlac->click(); });
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(previews, 0);
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << out.toStdString();
    const QString xfdf = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfvz_poist\">\r\n<value>384000</value>")) << xfdf.toStdString();
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfemployee_surname\">\r\n<value>Hudák</value>"));
    EXPECT_TRUE(xfdf.contains("<field name=\"b12c96nfkal_dni_vd\">\r\n<value></value>"));
}
