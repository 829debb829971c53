// The annual settlement's prints as a new user meets them: the program starts on the demo
// installation with the payroll and reports subsystems registered as the program registers
// them, firm 01 is opened in 2007, a settlement is computed on the settlement page, and its
// page 1 and page 2 print from the page's operations menu through the parameter dialog to
// a PDF that shows the result; the declaration assigning 2 % is written to the firm's
// output folder.
#include "program_fixture.h"

#include "core/dm_zam.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "core/helpers/output_file.h"
#include "payroll/forms/subsystem.h"
#include "platform/dbctrl/screen_builder.h"
#include "platform/format/number_format.h"
#include "reports/forms/subsystem.h"
#include "support/pdf_text.h"
#include "support/widgets/keyboard.h"

#include <QFile>
#include <QLineEdit>

using namespace tarix;

namespace {

class SettlementPrints : public reports::fixtures::ProgramTest<> {
protected:
    // The payroll and reports subsystems registered as the program registers them.
    void SetUp() override
    {
        ProgramTest::SetUp();
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        payroll::registerSubsystem(hooks);
        reports::registerSubsystem(hooks);
        start(hooks);
        openFirm(2007, 3);
        scripted.clearEvents();
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
        ProgramTest::print([&] { a->trigger(); }, pdf);
    }
};

TEST_F(SettlementPrints, ASettlementComputedOnItsPagePrintsBothPagesAndTheDeclaration)
{
    choose("mnu_rz_vypocet");
    ASSERT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
    auto *pages = qobject_cast<payroll::TRzpPages *>(
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
    QWidget *form = pages->pageNamed("RZP2005");
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
    const QString text1 = test::pdfText(page1);
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
    const QString text2 = test::pdfText(page2);
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
    auto *pages = qobject_cast<payroll::TRzpPages *>(
        core::mainWindowPage(QString::fromLatin1(payroll::kSettlementPage)));
    ASSERT_NE(pages, nullptr);
    print(pages->Operacie_rzp1(), "Potvrdenie o zaplatení dane - Príloha č.2");
    EXPECT_EQ(errors(), QStringList{Msg(65061)});
    EXPECT_EQ(dialogs, 0);
}

} // namespace
