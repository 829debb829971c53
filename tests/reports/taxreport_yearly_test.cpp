// The employer's yearly tax report from 2004, parts I and II: the rows from the year's
// sums (a table of cases worked out by hand), the pages of part III, the sums read from the
// payroll records, the printed form through the dispatcher and the form-data file
// "RH1_2005.xfdf" byte for byte.
//
// The expected file (expected/taxreport_RH1_2005.xfdf) was written field by field from the
// report's field list for the nine employees of the fixture, not taken from the program:
//   - the XML declaration, the xfdf root with the XFDF namespace and xml:space="preserve",
//     each field three lines (<field name>, <value>, </field>), CR LF after every line;
//   - Druh_hlasenia_1..3 are "x", " ", " "; za_rok and the *_rok fields of dates are the
//     last digit of the year ("5" for 2005, "6" for 2006);
//   - the firm is a legal person (TYP_ZEL "PO"): PO_meno and an empty PO_pravna_forma, no
//     FO_* fields; "&" in its name is "&amp;"; "ň", "ú", "á", "Š", "ť" are UTF-8 bytes;
//   - the telephone "033/5501234" is split at "/" and the area code loses its leading 0:
//     Sidlo_tel_p "33", Sidlo_tel "5501234" (the fax and the contact telephone alike);
//   - Datum_zuctovania_* are written because DATUM_RZP is set (15.2.2006: "15", "02", "6");
//     Datum_den and Datum_mes of the contact date 20.3.2006 have no leading zero ("20", "3");
//   - the amounts (whole, no separators): D 792 679 = 12 x 22 700 + 2 x 17 000
//     + 42 x 11 340 + 9 999; R1 88 899 = 11 x 3 000 + 500 + 4 x 2 000 / 2 + 42 x 1 200 + 999;
//     R2 600 (March's underpayment); R5 89 499; bonus C 14 040 = 12 x 1 080 + 2 x 540 <= R5,
//     so R6 = -14 040 written as "-" and "14040"; R7 = R10 = 75 459; R11 76 039 is the sum
//     of advances less settlement less bonus of the months where advances covered the bonus;
//     December's bonus 1 080 beyond its advance 500 gives E 580 (rows C and D), B 13 460;
//     part II: d = 75 459 - 76 039 = -580, so C2_3 "580" and C2_4 "0";
//   - nine employees in part III, two of them with a bonus, (9 - 1) div 4 + 1 = 3 pages;
//   - <f href="..."/> names rh2004.pdf in the frm folder (@FRM@ in the file).
#include "taxreport_fixture.h"

#include "core/helpers/address.h"
#include "core/helpers/messages.h"
#include "reports/taxreport/report_vd2005a.h"

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::reports::VD2005A;

namespace {

class YearlyTaxReport : public fixtures::TaxFirm {};

// The value of a field of a form-data document, "<none>" when it has no such field.
QString fieldValue(const QByteArray &xfdf, const QString &name)
{
    const QString text = QString::fromUtf8(xfdf);
    const QString start = QStringLiteral("<field name=\"%1\">\r\n<value>").arg(name);
    const qsizetype at = text.indexOf(start);
    if (at < 0)
        return QStringLiteral("<none>");
    const qsizetype from = at + start.size();
    return text.mid(from, text.indexOf(QStringLiteral("</value>"), from) - from);
}

} // namespace

TEST(YearlyTaxReportRows, PartsOneAndTwoFromTheYearsSums)
{
    struct Case {
        const char *what;
        Input in;
        double R2, R3, R5, R6, R7, R11, E;
    };
    const Case cases[] = {
        {"a year without payroll", {}, 0, 0, 0, 0, 0, 0, 0},
        // Advances 1 000 a month, bonus 300: R5 above the bonus, R6 = -C.
        {"advances cover the bonus",
         {.A = 2000, .C = 600, .mesiace = {{0, 1000, 300}, {0, 1000, 300}}},
         0, 0, 2000, -600, 1400, 1400, 0},
        // The bonus exceeds the month's advance: the excess is E, nothing goes to R11.
        {"bonus beyond the advance",
         {.A = 300, .C = 500, .mesiace = {{0, 300, 500}}},
         0, 0, 300, -300, 0, 0, 200},
        // An overpayment of 500 refunded in a month of advances 100: R5 = -400 is below the
        // bonus 200, so R6 = +400 and R7 = 0; the month's t = -400 adds to neither E nor R11.
        {"negative row 5 below the bonus",
         {.A = 100, .C = 200, .mesiace = {{500, 100, 200}}},
         0, 500, -400, 400, 0, 0, 0},
        // An underpayment of 200 withheld: R2; t = 1 200 includes it.
        {"underpayment withheld",
         {.A = 1000, .C = 0, .mesiace = {{-200, 1000, 0}}},
         200, 0, 1200, 0, 1200, 1200, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Statement v = computeFigures(c.in);
        EXPECT_EQ(v.R1, c.in.A);
        EXPECT_EQ(v.R2, c.R2);
        EXPECT_EQ(v.R3, c.R3);
        EXPECT_EQ(v.R5, c.R5);
        EXPECT_EQ(v.R6, c.R6);
        EXPECT_EQ(v.R7, c.R7);
        EXPECT_EQ(v.R10, c.R7);
        EXPECT_EQ(v.R11, c.R11);
        EXPECT_EQ(v.E, c.E);
        EXPECT_EQ(v.D1, v.R10);
        EXPECT_EQ(v.D2, v.R11);
        EXPECT_EQ(v.d, c.R7 - c.R11);
    }
}

TEST(YearlyTaxReportRows, PagesOfPartThreeHoldFourEmployees)
{
    for (const auto &[n, pages] : {std::pair{0, 1}, std::pair{1, 1}, std::pair{4, 1}, std::pair{5, 2}, std::pair{9, 3}})
        EXPECT_EQ(pageCount(n), pages) << n;
}

TEST(YearlyTaxReportRows, SignsStandInBoxesOfTheirOwn)
{
    const VdHeading h;
    const TMyReportParam p;
    struct Case {
        double R6, d;
        const char *z06, *c06, *c23, *c24;
    };
    const Case cases[] = {
        {0, 0, " ", "0", "0", "0"},
        {400, 250, "+", "400", "0", "250"},
        {-14040, -580, "-", "14040", "580", "0"},
    };
    for (const Case &c : cases) {
        Statement v;
        v.R6 = c.R6;
        v.d = c.d;
        const QByteArray x = vdXfdf(2005, v, h, p, QStringLiteral("rh2004.pdf"));
        EXPECT_EQ(fieldValue(x, "C1_06z"), c.z06) << c.R6;
        EXPECT_EQ(fieldValue(x, "C1_06"), c.c06) << c.R6;
        EXPECT_EQ(fieldValue(x, "C2_3"), c.c23) << c.d;
        EXPECT_EQ(fieldValue(x, "C2_4"), c.c24) << c.d;
    }
}

TEST(YearlyTaxReportRows, NaturalPersonAndNoSettlementDate)
{
    VdHeading h;
    h.TYP_ZEL = QStringLiteral("FO");
    h.FO_Surname = QStringLiteral("Kováč");
    h.FO_Name = QStringLiteral("Ľubomír");
    h.FO_Titul_pred = QStringLiteral("Ing.");
    h.NAZOV = QStringLiteral("Kováč - stavby");
    const QByteArray x = vdXfdf(2007, {}, h, {}, QStringLiteral("rh2004.pdf"));
    EXPECT_EQ(fieldValue(x, "FO_priezvisko"), "Kováč");
    EXPECT_EQ(fieldValue(x, "FO_meno"), "Ľubomír");
    EXPECT_EQ(fieldValue(x, "FO_titul"), "Ing.");
    EXPECT_EQ(fieldValue(x, "PO_meno"), "<none>");
    EXPECT_EQ(fieldValue(x, "za_rok"), "7");
    // Without the settlement's date its three fields are left out, not written empty.
    EXPECT_EQ(fieldValue(x, "Datum_zuctovania_den"), "<none>");
    // Without a contact date the date fields are empty.
    EXPECT_EQ(fieldValue(x, "Datum_den"), "");
}

// The telephone of the firm and of the contact person is split as house numbers are: the
// part before "/" is the area code and loses its leading 0, the rest is the number. This
// is decided once here; the form prints the 0 before the area-code box.
TEST(YearlyTaxReportRows, TelephoneSplitDropsTheAreaCodesLeadingZero)
{
    const struct {
        const char *tel, *predvolba, *cislo;
    } cases[] = {
        {"033/5501234", "33", "5501234"},
        {"02/12345678", "2", "12345678"},
        {"0905/123456", "905", "123456"},
        {"5501234", "", "5501234"},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        const MyConsts::HouseNumbers t = MyConsts::Cisla_domu(QString::fromLatin1(c.tel));
        EXPECT_EQ(t.pred_lomkou, c.predvolba) << c.tel;
        EXPECT_EQ(t.posledne, c.cislo) << c.tel;
    }
}

TEST_F(YearlyTaxReport, SumsOfTheYearsPayrollRecords)
{
    nineEmployees2005();
    insertVyp(1, 200412, {{"D_preddavok", 777777}}); // another year stays out
    zeroBlanks();
    const Input in = loadInput(session, 2005);
    EXPECT_EQ(in.A, 88899);
    EXPECT_EQ(in.C, 14040);
    EXPECT_EQ(in.D, 792679);
    ASSERT_EQ(in.mesiace.size(), 12u);
    EXPECT_EQ(in.mesiace[2].vyrovnanie, -600);
    EXPECT_EQ(in.mesiace[2].preddavok, 3000 + 2000 + 7 * 1200);
    EXPECT_EQ(in.mesiace[2].bonus, 1620);
    EXPECT_EQ(in.mesiace[11].preddavok, 500);
    // Employee 10 has only zeros; employee 7's settled July does not add an employee.
    EXPECT_EQ(in.N, 9);
    EXPECT_EQ(in.NB, 2);
    const Statement v = computeFigures(in);
    EXPECT_EQ(v.R11, 76039);
    EXPECT_EQ(v.E, 580);
    EXPECT_EQ(v.P, 3);
}

TEST_F(YearlyTaxReport, PrintedFormThroughTheDispatcher)
{
    nineEmployees2005();
    const rpt::PreparedReport *r = run(taxRequest("DNS3", 200512));
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->pageCount(), 1);
    const auto text = [&](const char *name) { return lastTextNamed(*r, QString::fromLatin1(name)); };
    EXPECT_EQ(text("QR_DIC"), "2021458201");
    EXPECT_EQ(text("QR_ROK"), "2005");
    EXPECT_EQ(text("R0"), "792679");
    EXPECT_EQ(text("R1"), "88899");
    EXPECT_EQ(text("R2"), "600");
    EXPECT_EQ(text("R4"), "0");
    EXPECT_EQ(text("R5"), "89499");
    EXPECT_EQ(text("R6"), "-14040");
    EXPECT_EQ(text("R7"), "75459");
    EXPECT_EQ(text("R11"), "76039");
    EXPECT_EQ(text("RB"), "13460");
    EXPECT_EQ(text("RD"), "580");
    EXPECT_EQ(text("D3"), "580");
    EXPECT_EQ(text("D4"), "0");
    EXPECT_EQ(text("N"), "9");
    EXPECT_EQ(text("NB"), "2");
    EXPECT_EQ(text("P"), "3");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_VD2005A"));
}

TEST_F(YearlyTaxReport, ADataOnlyPrintKeepsTheComputedValues)
{
    nineEmployees2005();
    TMyReportParam p = taxRequest("DNS3", 200512);
    p.Len_udaje = true;
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    const QStringList texts = PayslipFirm::pageTexts(r->pages.at(0));
    for (const char *kept : {"2021458201", "88899", "-14040", "76039"})
        EXPECT_TRUE(texts.contains(QString::fromLatin1(kept))) << kept;
    EXPECT_FALSE(texts.contains(QStringLiteral("Odvedené")));
}

TEST_F(YearlyTaxReport, AYearWithoutPayrollPrintsZerosAndOnePage)
{
    const rpt::PreparedReport *r = run(taxRequest("DNS3", 200612));
    ASSERT_NE(r, nullptr);
    for (const char *row : {"R0", "R1", "R5", "R6", "R7", "R11", "RA", "RC", "D1", "D4", "N", "NB"})
        EXPECT_EQ(lastTextNamed(*r, QString::fromLatin1(row)), "0") << row;
    EXPECT_EQ(lastTextNamed(*r, "P"), "1");
}

TEST_F(YearlyTaxReport, FormDataFileOfNineEmployees)
{
    nineEmployees2005();
    session.execute("update \":tarix_data:inf\" set nazov='DEMO STAV & syn, s.r.o.', adr_fax='033/5501299', "
                    "datum_rzp='2006-02-15'");
    placeForm("rh2004.pdf");
    const QString out = xfdfName(2005);
    EXPECT_TRUE(out.endsWith("vystupy/DATA01/2005/RH1_2005.xfdf")) << out.toStdString();
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_A_PDF", 200512));
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(readFile(out), expectedFile("taxreport_RH1_2005.xfdf"));
}

TEST_F(YearlyTaxReport, DecliningToReplaceKeepsTheEarlierFile)
{
    placeForm("rh2004.pdf");
    const QString out = xfdfName(2005);
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    scripted.answerNo(Msg(65109, out));
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_A_PDF", 200512));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(readFile(out), QByteArray("earlier"));
}

TEST_F(YearlyTaxReport, WithoutTheTaxOfficesFormNothingIsWritten)
{
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_A_PDF", 200512));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{reportErrorText(Msg(65129, pdfTemplate()))});
    EXPECT_FALSE(QFile::exists(xfdfName(2005)));
}
