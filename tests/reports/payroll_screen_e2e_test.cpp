// A new user's first payslip: the program starts on the demo installation, firm 01 is
// opened for March 2007, the payroll screen is opened, an employee chosen, the month's
// record created, the hours changed (net pay follows), the record posted and the payslip
// printed from the screen into the preview and saved there as a PDF. The payslip carries
// the employee's name and the gross wage, contributions, tax and net pay of the stored
// record.
#include "program_fixture.h"

#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "payroll/forms/form_main_vyp.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "reports/forms/payroll_print.h"
#include "reports/payslips/report_payslip.h"
#include "support/pdf_text.h"
#include "support/widgets/keyboard.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolButton>

using namespace tarix;

namespace {

class PayrollScreenEndToEnd : public reports::fixtures::ProgramTest<> {
protected:
    // Starts the program as app/main.cpp does, logging in with the empty password; the
    // payroll subsystem's own registration adds the card's piece-work page.
    void start()
    {
        ProgramTest::start(payrollHooks([] {
            reports::registerPayslips();
            reports::registerPayrollScreenPrints(payroll::payrollScreenPrintCommands());
        }));
    }

    // Enters an edit, types over its content and leaves it with Tab.
    static void typeInto(dbctrl::DBEdit *e, const QString &text)
    {
        ASSERT_NE(e, nullptr);
        test::typeInto(e, text);
    }
    static dbctrl::DBEdit *edit(payroll::TFormMainVyp &f, const QString &field)
    {
        return qobject_cast<dbctrl::DBEdit *>(f.fieldControls(field).value(0));
    }
    // What an edit shows, as a number (Slovak decimal comma, blanks between thousands).
    static double shown(dbctrl::DBEdit *e)
    {
        QString t = e->text();
        t.remove(QChar(' ')).remove(QChar(0xA0));
        return QLocale(QLocale::Slovak).toDouble(t);
    }
};

} // namespace

TEST_F(PayrollScreenEndToEnd, FirstPayslipOfANewUser)
{
    start();
    // "Výber firmy" - firm 01 - 2007, the whole firm, March.
    openFirm(2007, 3);
    const QString pdf = dir.filePath("vyplatna_paska.pdf");

    bool screenSeen = false, previewSeen = false;
    double netFull = 0, netLess = 0;
    test::whileDialogs(
        [&] { payroll::openPayrollScreen(main); },
        [&](QWidget *w) {
            auto *f = qobject_cast<payroll::TFormMainVyp *>(w);
            ASSERT_NE(f, nullptr) << "unexpected window " << w->objectName().toStdString();
            screenSeen = true;

            // The employee list: Hudák Ján, "&Výber".
            int row = -1;
            for (int r = 0; r < f->DBG_zamf->gridModel()->rowCount(); ++r)
                if (f->DBG_zamf->gridModel()->rowTexts(r).join(' ').contains("Hudák"))
                    row = r;
            ASSERT_GE(row, 0);
            ASSERT_TRUE(f->DBG_zamf->moveToRow(row));
            f->Butt_zamf_vyber->click();
            ASSERT_EQ(f->N->currentWidget(), f->Page_vypl1);

            // "Nová výplata", the whole month worked.
            f->makeAction("Nová výplata", f->Menu_vypl)->trigger();
            db::Table &vyp = payroll::DMV().TVYP_;
            ASSERT_EQ(vyp.state(), db::DataSetState::Insert);
            const double fund = shown(edit(*f, "V_fmes"));
            const double daily = shown(edit(*f, "F_doba"));
            ASSERT_GT(fund, 0);
            ASSERT_GT(daily, 0);
            typeInto(edit(*f, "V_den"), QString::number(fund));
            typeInto(edit(*f, "V_hodina"), QString::number(fund * daily).replace('.', ','));
            netFull = shown(edit(*f, "N_netto"));
            EXPECT_GT(netFull, 0);

            // Two days less: the net pay on the screen follows when the field is left.
            typeInto(edit(*f, "V_hodina"), QString::number((fund - 2) * daily).replace('.', ','));
            netLess = shown(edit(*f, "N_netto"));
            EXPECT_LT(netLess, netFull);
            typeInto(edit(*f, "V_den"), QString::number(fund - 2));

            // "Zápis zmien", then the print button.
            f->makeAction("Zápis zmien", f->Menu_vypl)->trigger();
            ASSERT_EQ(vyp.state(), db::DataSetState::Browse);
            // The preview of the payslip opens over the screen: saved as a PDF, then closed.
            test::whileDialogs([&] { f->Butt_vypl_tlac->click(); },
                                   [&](QWidget *p) {
                                       auto *d = qobject_cast<rpt::PreviewDialog *>(p);
                                       ASSERT_NE(d, nullptr) << p->objectName().toStdString();
                                       previewSeen = true;
                                       EXPECT_TRUE(d->savePdf(pdf));
                                       d->accept();
                                   });

            f->close();
        },
        20000);

    EXPECT_TRUE(screenSeen);
    EXPECT_TRUE(previewSeen);
    EXPECT_FALSE(payroll::MainVyp::Vyplaty_otvorene());
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join('\n').toStdString();

    // The stored record.
    const db::SqlResult r = core::session().run(
        "select * from \":tarix_data:vyp\" where code_emp = 1 and v_obdobie = 200703");
    ASSERT_EQ(r.rowCount(), 1);
    const double brutto = r.value(0, "N_brutto").toDouble();
    const double poist = r.value(0, "N_poist").toDouble();
    const double zdravot = r.value(0, "O_zdravot").toDouble();
    const double dan = r.value(0, "D_preddavok").toDouble();
    const double netto = r.value(0, "N_netto").toDouble();
    EXPECT_DOUBLE_EQ(netto, netLess);
    EXPECT_GT(poist, 0);
    EXPECT_GT(dan, 0);

    // The payslip shown: one page, this employee and these values.
    ASSERT_EQ(preview.shown.size(), 1u);
    ASSERT_EQ(preview.shown[0].pageCount(), 1);
    const rpt::PreparedPage &page = preview.shown[0].pages[0];
    auto textOf = [&page](const QString &name) {
        const rpt::PreparedItem *t = page.findText(name);
        return t ? t->text() : QStringLiteral("<none>");
    };
    EXPECT_EQ(textOf("QRDB_CALC_TMP").toStdString(), "Ing. Ján Hudák");
    EXPECT_EQ(textOf("QRDB_N_brutto").toStdString(), amount(brutto).toStdString());
    EXPECT_EQ(textOf("QRDB_N_poist").toStdString(), amount(poist).toStdString());
    EXPECT_EQ(textOf("QRDB_O_zdravot").toStdString(), amount(zdravot).toStdString());
    EXPECT_EQ(textOf("QRDB_D_preddavok").toStdString(), amount(dan).toStdString());
    EXPECT_EQ(textOf("QRDB_N_netto").toStdString(), amount(netto).toStdString());

    // The PDF saved from the preview.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    file.close();
    // Its text, where the machine can extract it (poppler's pdftotext).
    if (!test::havePdfToText())
        return;
    const QString text = test::pdfText(pdf);
    for (const QString &expected : {QStringLiteral("Ján Hudák"), amount(brutto), amount(poist), amount(zdravot),
                                    amount(dan), amount(netto)})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " not in the PDF:\n" << text.toStdString();
}
