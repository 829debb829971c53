// Section III of the employer's yearly tax report from 2004: the month marks, the printed
// blocks (two a band, employees without base and bonus left out), the scratch table HLD
// and the form-data files "RH3_2005_001.xfdf" to "RH3_2005_003.xfdf" byte for byte.
//
// The expected files (expected/taxreport_RH3_2005_00n.xfdf) were written field by field
// from the part's field list for the nine employees of the fixture, not taken from the
// program:
//   - the XML declaration, the xfdf root with the XFDF namespace and xml:space="preserve",
//     each field three lines, CR LF after every line;
//   - each file starts with the page's fields DIC, "1.Strana" (1, 2, 3), pocet (9, all the
//     employees) and PocetStran (3); then up to four blocks named "1." + slot + "." + field;
//   - the employees in the order of their surnames in the Slovak alphabet (Adam, Bartoš,
//     Čierny, Dúbrava, Eliáš, Fedor, Gál, Hraško, Ivanič): four, four and one;
//   - RC-a and RC-b: the birth number without "/" cut after six characters; Eliáš has no
//     birth number, so his RC fields are empty and DN-den/mes/rok ("04", "07", "1980") come;
//   - the street "Nám. SNP 1234/5" splits into "Nám. SNP" and "1234/5";
//   - Stat is the country's name of the code list; Dúbrava has no country: "Slovensko";
//     "<" and ">" of his surname are "&lt;" "&gt;"; Slovak letters are UTF-8 bytes;
//   - Adam has records in all twelve months: only M-1-12 "1"; Bartoš in March and May: "X"
//     in M-03 and M-05, " " in the other ten; the others January to June; Gál's July was
//     settled by withholding and marks nothing and adds nothing;
//   - amounts whole without separators: UhrnPrijmov = base + insurance (Adam 12 x 22 700),
//     ZakladDane, ZrazenePreddavky (Adam 11 x 3 000 + 500), Nedoplatok = the bonus paid;
//     Preddavky-N empty; Preddavky-NP "X" for Bartoš's company car, else empty;
//   - PocetDeti counts the children with the bonus (Adam 2, Bartoš 1; Čierny's child
//     without the bonus does not count);
//   - <f href="..."/> names rh2004_3.pdf in the frm folder (@FRM@ in the files).
#include "taxreport_fixture.h"

#include "core/helpers/messages.h"
#include "reports/taxreport/report_vd2005b.h"

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::reports::VD2005B;

namespace {

class TaxReportPartThree : public fixtures::TaxFirm {
protected:
    QString file(int page) const { return xfdfName(2005, page); }
    QString endMessage(int files) const
    {
        return Msg(65102, files, QStringLiteral("RH3_*.XFDF"), MyConsts::outputFolder());
    }
};

} // namespace

TEST(TaxReportPartThreeMonths, ZuctovaneMarksTheMonthsOfRecords)
{
    // "----", then three characters a month: "-X-" for a month of the range, else "---".
    const QString x = QStringLiteral("-X-"), o = QStringLiteral("---");
    const struct {
        QVariant zac, kon;
        QString text;
    } cases[] = {
        {QVariant(), QVariant(), ""},
        {1, 12, "--X--"},
        {3, 5, "----" + o + o + x + x + x + o + o + o + o + o + o + o},
        {1, 11, "----" + x + x + x + x + x + x + x + x + x + x + x + o},
        {12, 12, "----" + o + o + o + o + o + o + o + o + o + o + o + x},
        {2, 12, "----" + o + x + x + x + x + x + x + x + x + x + x + x},
    };
    for (const auto &c : cases)
        EXPECT_EQ(calcSettled(c.zac, c.kon), c.text) << c.zac.toInt() << "-" << c.kon.toInt();
}

TEST(TaxReportPartThreeMonths, MesiaceHoldsOneMarkForAllTwelve)
{
    const struct {
        QList<int> months;
        const char *text;
    } cases[] = {
        {{}, "0000000000000"},
        {{3, 5}, "0001010000000"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, "1111111111111"},
        {{12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1}, "1111111111111"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "0111111111110"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Mesiace(c.months), QString::fromLatin1(c.text));
}

TEST_F(TaxReportPartThree, ScratchTableHoldsTheEmployeesOfTheYear)
{
    nineEmployees2005();
    session.execute("insert into \":tarix_priv:hld\" (code_emp, prijmy) values (99, 1)"); // an earlier run
    fillHld(session, 2005);
    const db::SqlResult r = session.run(
        "select code_emp, prijmy, zaklad_dane, preddavky, prijmy_nepenazne, vyplateny_bonus, pocet_deti, mesiace "
        "from \":tarix_priv:hld\" order by code_emp");
    ASSERT_EQ(r.rowCount(), 9);
    EXPECT_EQ(r.asInteger(0, 0), 1);
    EXPECT_EQ(r.asFloat(0, 1), 272400);
    EXPECT_EQ(r.asFloat(0, 3), 33500);
    EXPECT_EQ(r.asFloat(0, 5), 12960);
    EXPECT_EQ(r.asInteger(0, 6), 2);
    EXPECT_EQ(r.asString(0, 7), "1111111111111");
    EXPECT_EQ(r.asFloat(1, 4), 500);
    EXPECT_EQ(r.asString(1, 7), "0001010000000");
    // Gál's settled July adds nothing and marks nothing.
    EXPECT_EQ(r.asInteger(6, 0), 7);
    EXPECT_EQ(r.asFloat(6, 2), 60000);
    EXPECT_EQ(r.asString(6, 7), "0111111000000");
}

TEST_F(TaxReportPartThree, AFailureLeavesTheScratchTableAsItWas)
{
    nineEmployees2005();
    session.execute("insert into \":tarix_priv:hld\" (code_emp, prijmy) values (99, 1)");
    session.execute("alter table \":tarix_priv:hld\" rename column mesiace to mesiace_x");
    EXPECT_ANY_THROW(fillHld(session, 2005));
    EXPECT_EQ(session.run("select count(*) from \":tarix_priv:hld\"").asInteger(0, 0), 1);
}

TEST_F(TaxReportPartThree, PrintedBlocksTwoABand)
{
    nineEmployees2005();
    // Base and bonus 0 (advances only): left out of the print.
    insertVyp(10, 200502, {{"D_preddavok1", 100}});
    zeroBlanks();
    const rpt::PreparedReport *r = run(taxRequest("VD2", 200512));
    ASSERT_NE(r, nullptr);
    // Nine employees: five bands, two a page.
    EXPECT_EQ(r->pageCount(), 3);
    const QStringList left = textsNamed(*r, "A_PRIEZVISKO");
    const QStringList right = textsNamed(*r, "B_PRIEZVISKO");
    EXPECT_EQ(left, (QStringList{"Adam", "Čierny", "Eliáš", "Gál", "Ivanič"}));
    EXPECT_EQ(right.mid(0, 4), (QStringList{"Bartoš", "Dúbrava <ml.>", "Fedor", "Hraško"}));
    EXPECT_TRUE(right.size() == 4 || right.at(4).isEmpty()) << right.join(',').toStdString();
    EXPECT_EQ(textsNamed(*r, "A_ZUCTOVANE").at(0), "--X--");
    // Bartoš's first and last month are March and May: the range between is marked.
    EXPECT_EQ(textsNamed(*r, "B_ZUCTOVANE").at(0), "----" + QString("---").repeated(2) + QString("-X-").repeated(3)
                                                       + QString("---").repeated(7));
    EXPECT_EQ(textsNamed(*r, "A_PRIJMY").at(0), "272400");
    EXPECT_EQ(textsNamed(*r, "A_PREDDAVKY").at(0), "33500");
    EXPECT_EQ(textsNamed(*r, "A_BONUS").at(0), "12960");
    EXPECT_EQ(textsNamed(*r, "A_DETI").at(0), "2");
    EXPECT_EQ(textsNamed(*r, "A_RC").at(0), "680314/5129");
    EXPECT_EQ(textsNamed(*r, "A_DN").at(0), "14.3.1968");
    EXPECT_EQ(textsNamed(*r, "B_ULICA").at(0), "Nám. SNP");
    EXPECT_EQ(textsNamed(*r, "B_CISLO").at(0), "1234/5");
    EXPECT_EQ(textsNamed(*r, "A_STAT").at(2), "Česká republika");
    // The print counts Gál's July settled by withholding: January to July, and its base.
    EXPECT_EQ(textsNamed(*r, "A_ZUCTOVANE").at(3), "----" + QString("-X-").repeated(7) + QString("---").repeated(5));
    EXPECT_EQ(textsNamed(*r, "A_ZD").at(3), "69999");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_VD2005B"));
}

TEST_F(TaxReportPartThree, AYearWithoutPayrollShowsNoPreview)
{
    EXPECT_EQ(run(taxRequest("VD2", 200612)), nullptr);
}

TEST_F(TaxReportPartThree, FormDataFilesOfNineEmployees)
{
    nineEmployees2005();
    placeForm("rh2004_3.pdf");
    scripted.cancelFile();
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_B_PDF", 200512));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(scripted.messages(), QStringList{endMessage(3)});
    EXPECT_TRUE(file(1).endsWith("vystupy/DATA01/2005/RH3_2005_001.xfdf")) << file(1).toStdString();
    EXPECT_EQ(readFile(file(1)), expectedFile("taxreport_RH3_2005_001.xfdf"));
    EXPECT_EQ(readFile(file(2)), expectedFile("taxreport_RH3_2005_002.xfdf"));
    EXPECT_EQ(readFile(file(3)), expectedFile("taxreport_RH3_2005_003.xfdf"));
    EXPECT_FALSE(QFile::exists(file(4)));
    // After the message the file choice opens in the output folder.
    const auto chosen = scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile);
    EXPECT_EQ(chosen.size(), 1u);
}

// A page the clerk does not want replaced keeps its file; its employees are not moved on,
// so the next page is the same as without the refusal, and the message counts what was
// written.
TEST_F(TaxReportPartThree, ADeclinedPageKeepsItsFileAndItsEmployees)
{
    nineEmployees2005();
    placeForm("rh2004_3.pdf");
    {
        QFile f(file(2));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    scripted.answerNo(Msg(65109, file(2)));
    scripted.cancelFile();
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_B_PDF", 200512));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{endMessage(2)});
    EXPECT_EQ(readFile(file(1)), expectedFile("taxreport_RH3_2005_001.xfdf"));
    EXPECT_EQ(readFile(file(2)), QByteArray("earlier"));
    EXPECT_EQ(readFile(file(3)), expectedFile("taxreport_RH3_2005_003.xfdf"));
}

TEST_F(TaxReportPartThree, NoEmployeesWriteNoFile)
{
    placeForm("rh2004_3.pdf");
    scripted.cancelFile();
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_B_PDF", 200612));
    // Nothing to file: said so, without a count of files or their names.
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information),
              QStringList{"Za rok 2006 nie sú žiadni zamestnanci pre prílohu hlásenia.\nŽiadny súbor nebol vytvorený."});
    EXPECT_TRUE(QDir(MyConsts::outputFolder()).entryList({"RH3_*"}, QDir::Files).isEmpty());
}

TEST_F(TaxReportPartThree, WithoutTheTaxOfficesFormNothingIsWritten)
{
    nineEmployees2005();
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("VD_B_PDF", 200512));
    EXPECT_EQ(scripted.messages(), QStringList{reportErrorText(Msg(65129, pdfTemplate()))});
    EXPECT_FALSE(QFile::exists(file(1)));
}
