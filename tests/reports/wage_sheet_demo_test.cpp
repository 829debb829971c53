// As a clerk would: on the demo firm in 2007, the wage sheet of one employee chosen from his
// menu (the dispatcher gets the request the menu sends: code "ML", the period, the one
// employee) written to PDF, where his twelve gross wages stand; and the month's absences.
#include "sheets_fixture.h"

#include "platform/report/render.h"
#include "support/pdf_text.h"

#include <QTemporaryDir>

using namespace tarix;
using namespace tarix::reports;
using fixtures::SheetsFirm;

namespace {

class DemoWageSheet : public SheetsFirm {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        openYear(2007);
        // The demo firm's seed rows again: the fixture emptied its absences.
        session.execute("insert into \":tarix_data:nep\" (Code_emp, Datum_od, Datum_do, Typ, TypRL, TypRL2, "
                        "V_obdobie, Prac_dni, Dovod) values (3, '2007-02-05', '2007-02-16', 1, '10', 1, 200702, 10, "
                        "'chrípka')");
    }

    static QString pdfText(const rpt::PreparedReport &r, const QString &folder)
    {
        const QString pdf = folder + "/ml.pdf";
        QString chyba;
        EXPECT_TRUE(rpt::writePdf(r, pdf, &chyba)) << chyba.toStdString();
        return test::pdfText(pdf);
    }
};

} // namespace

TEST_F(DemoWageSheet, OneEmployeesMzdovyListToPdfHoldsHisTwelveGrossWages)
{
    QStringList brutta;
    for (int m = 1; m <= 12; ++m) {
        const int brutto = 24000 + 137 * m;
        brutta << QString::number(brutto);
        insertVyp(8, 200700 + m, {{"N_brutto", brutto}, {"V_den", 20}, {"N_netto", brutto * 0.75}});
    }
    insertVyp(1, 200703, {{"N_brutto", 99999}});   // another employee's payroll stays off his sheet

    const rpt::PreparedReport &r = run("ML", 200712, [](TMyReportParam &p) {
        p.Jeden_zamestnanec = true;
        p.Zamestnanec_od = p.Zamestnanec_do = 8;
    });
    ASSERT_EQ(r.pageCount(), 1);
    QTemporaryDir folder;
    const QString text = pdfText(r, folder.path());
    // The title is set in spaced letters.
    EXPECT_TRUE(QString(text).remove(' ').contains("Mzdovýlist")) << text.toStdString();
    EXPECT_TRUE(text.contains("Ľubomír Kováč JUDr.")) << text.toStdString();
    for (const QString &b : brutta)
        EXPECT_TRUE(text.contains(b)) << b.toStdString();
    EXPECT_FALSE(text.contains("99999"));
    EXPECT_TRUE(text.contains(QString::number(12 * 24000 + 137 * 78)));
}

TEST_F(DemoWageSheet, TheMonthsAbsenceOnEn)
{
    const rpt::PreparedReport &r = run("EN", 200702);
    EXPECT_EQ(textsOf(r, "QRDB_Dovod"), QStringList{"chrípka"});
    EXPECT_EQ(textsOf(r, "QRDB_Calc_kal_dni"), QStringList{"12"});
    EXPECT_EQ(textsOf(r, "QRDB_Prac_dni"), QStringList{"10"});
    QTemporaryDir folder;
    EXPECT_TRUE(pdfText(r, folder.path()).contains("Čierny Peter"));
}
