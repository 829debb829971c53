// The annex of the monthly statement from 2005 ("SP1P" from 200501, "SP_PDF_PR"): the
// form-data pages of eight employees each, byte for byte for 0, 8, 9 and 17 employees,
// a declined page skipped with its rows, the "neplatí" marks of the file and of the paper,
// and the printed annex with eight employees to a page.
//
// The expected pages (tests/reports/expected/sp_pdf_pr_*.xfdf) follow these rules:
// - the XML declaration, <xfdf ...> and <fields>, each field on three CR LF lines, UTF-8;
// - the firm's fields of the monthly statement's form ("b12c96nfobdobie" "032005" for
//   March 2005 ... "b12c96nfFormVyp"), the name "Pekáreň <U Ľudy> & syn" escaped, the
//   account "3621458202 / 1100" (no prefix), "b12c96nfPocStr" the annex's count of pages
//   ("@PAGES@" in the file), then "b12c96nfCisStrany" = the page;
// - per employee, named prefix + row on the page (0 to 7): the running number
//   (page - 1) x 8 + row + 1, the birth number without "/", the bases and premiums
//   "%0.0f" (14.5 -> "15": halves away from zero), the days (31 less the uninsured days),
//   and "PvN", "IP", "NP" only for a flag outside 1, 2, 4, 5 (employee 2: invalidity 0 and
//   unemployment 3; employee 3: accident insurance only);
// - </fields>, <f href="the form"/> (the installation's frm folder, "@FRM@" in the file),
//   </xfdf>.
// Eight employees give exactly the first page of nine (sp_pdf_pr_page1.xfdf).
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "reports/dispatcher.h"
#include "reports/social/socialne_vykazy.h"
#include "reports/social/sp2005pr.h"

#include <QDir>
#include <QFile>

using namespace tarix;
using namespace tarix::reports;

namespace {

class Annex2005 : public fixtures::PayslipFirm, public fixtures::ReportFiles {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        openYear(2005);
        registerSocialStatements();
        output.set(root(), 2005);
        session.execute("update \":tarix_data:inf\" set nazov='Pekáreň <U Ľudy> & syn'");
    }
    void TearDown() override
    {
        output.reset();
        PayslipFirm::TearDown();
    }

    // Employees 1 to n insured in March 2005 (employees beyond the demo firm's ten are
    // copies of the first): bases of 1000 x k, premiums in proportion; employee 1 with an
    // employer's sickness premium of 14.5, employee 2 without invalidity insurance, with the
    // unemployment code 3 and 3 uninsured days, employee 3 with accident insurance only.
    void employees(int n)
    {
        session.execute("create temp table if not exists zam_vzor as select * from \":tarix_data:zam\" where code_emp=1");
        for (int k = 1; k <= n; ++k) {
            if (session.run(QStringLiteral("select 1 from \":tarix_data:zam\" where code_emp=%1").arg(k)).isEmpty()) {
                session.execute(QStringLiteral("update zam_vzor set code_emp=%1").arg(k));
                session.execute("insert into \":tarix_data:zam\" select * from zam_vzor");
            }
            session.execute(QStringLiteral("update \":tarix_data:zam\" set born_numb='700101/1%1' where code_emp=%2")
                                .arg(k, 3, 10, QLatin1Char('0'))
                                .arg(k));
            QVariantMap v{{"U_nemoc", 1},        {"U_dochod", 1},         {"U_invalid", 1},
                          {"U_fondzam", 1},      {"U_uraz", 1},           {"N_zaklad_np", 1000 * k},
                          {"N_zaklad_dp", 1000 * k}, {"N_zaklad_up", 1000 * k}, {"Oz_nemoc", 14 * k},
                          {"Oz_dochod", 140 * k}, {"Oz_invalid", 30 * k},  {"Oz_fondzam", 10 * k},
                          {"Oz_uraz", 8 * k},    {"O_nemoc", 14 * k},     {"O_dochod", 40 * k},
                          {"O_invalid", 30 * k}, {"O_fondzam", 10 * k},   {"Poc_nezaop_deti", k % 3},
                          {"V_kal_dni", 31},     {"V_nepoisteny", 0}};
            if (k == 1)
                v["Oz_nemoc"] = 14.5;
            if (k == 2) {
                v["U_invalid"] = 0;
                v["U_fondzam"] = 3;
                v["V_nepoisteny"] = 3;
            }
            if (k == 3) {
                for (const char *f : {"U_nemoc", "U_dochod", "U_invalid", "U_fondzam", "N_zaklad_np", "N_zaklad_dp",
                                      "Oz_nemoc", "Oz_dochod", "Oz_invalid", "Oz_fondzam", "O_nemoc", "O_dochod",
                                      "O_invalid", "O_fondzam"})
                    v[f] = 0;
                v["N_zaklad_up"] = 3000;
                v["Oz_uraz"] = 24;
            }
            insertVyp(k, 200503, v);
        }
    }

    static TMyReportParam request(const char *kod)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = 200503;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Den_textom = QStringLiteral("15.4.2005");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        return p;
    }

    void placeTemplate()
    {
        QDir().mkpath(frm());
        QFile f(SP2005PR::pdfTemplate());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    // A page of an annex of `pages` pages: each page states the count.
    static QByteArray expected(const char *name, int pages)
    {
        return expectedFormFile(name).replace("@PAGES@", QByteArray::number(pages));
    }
    QString page(int n) const { return MyConsts::formDataPageFile(SP2005PR::baseName(200503), n); }
    QStringList pagesWritten() const
    {
        return QDir(MyConsts::outputFolder()).entryList({QStringLiteral("MesVykPRI_*")}, QDir::Files, QDir::Name);
    }

    fixtures::OutputFolder output;
};

} // namespace

// The menu's "SP_PDF_PR" request through the dispatcher, for 0, 8, 9 and 17 employees:
// one file per page of eight, byte for byte, then the file choice on the output folder.
TEST_F(Annex2005, FormDataPagesOfEightByteForByte)
{
    placeTemplate();
    const struct {
        int employees;
        std::vector<const char *> pages;
    } cases[] = {
        {0, {"sp_pdf_pr_empty.xfdf"}},
        {8, {"sp_pdf_pr_page1.xfdf"}},
        {9, {"sp_pdf_pr_page1.xfdf", "sp_pdf_pr_9_page2.xfdf"}},
        {17, {"sp_pdf_pr_page1.xfdf", "sp_pdf_pr_17_page2.xfdf", "sp_pdf_pr_17_page3.xfdf"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.employees);
        session.execute("delete from \":tarix_data:vyp\"");
        for (const QString &f : pagesWritten())
            QFile::remove(MyConsts::outputFolder() + f);
        employees(c.employees);
        scripted.clearEvents();
        scripted.cancelFile();
        ParForm::Spusti_zostavu_podla_nazvu(request("SP_PDF_PR"));
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        ASSERT_EQ(pagesWritten().size(), qsizetype(c.pages.size()));
        for (size_t n = 1; n <= c.pages.size(); ++n)
            EXPECT_EQ(readFile(page(int(n))), expected(c.pages[n - 1], int(c.pages.size()))) << "page " << n;
        const auto asked = scripted.events(ui::ScriptedUserInterface::EventKind::OpenFile);
        ASSERT_EQ(asked.size(), 1u);
    }
}

// Page 1 of an earlier run is kept ("No"), page 2 is replaced ("Yes") and still holds
// employee 9 as its row 0 with running number 9: the declined page's rows go nowhere.
TEST_F(Annex2005, ADeclinedPageIsSkippedWithItsRows)
{
    placeTemplate();
    employees(9);
    for (int n : {1, 2}) {
        QFile f(page(n));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    scripted.answerNo(Msg(65109, page(1))).answerYes(Msg(65109, page(2))).cancelFile();
    ParForm::Spusti_zostavu_podla_nazvu(request("SP_PDF_PR"));
    EXPECT_EQ(readFile(page(1)), "earlier");
    EXPECT_EQ(readFile(page(2)), expected("sp_pdf_pr_9_page2.xfdf", 2));
}

// The statement's form data ("SP_PDF") and every page of the annex state the count of the
// annex's pages: one for 8 employees, two for 9, three for 17.
TEST_F(Annex2005, TheStatementAndEveryAnnexPageStateTheAnnexsPages)
{
    placeTemplate();
    {
        QFile f(SP2005VY::pdfTemplate());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    const auto pocetStran = [](const QByteArray &xfdf) {
        const QByteArray field = "<field name=\"b12c96nfPocStr\">\r\n<value>";
        const qsizetype from = xfdf.indexOf(field);
        if (from < 0)
            return QByteArray("<none>");
        const qsizetype start = from + field.size();
        return xfdf.mid(start, xfdf.indexOf('<', start) - start);
    };
    const struct {
        int employees;
        int pages;
    } cases[] = {{8, 1}, {9, 2}, {17, 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.employees);
        session.execute("delete from \":tarix_data:vyp\"");
        for (const QString &f : pagesWritten())
            QFile::remove(MyConsts::outputFolder() + f);
        const QString statement = SP2005VY::xfdfName(200503);
        QFile::remove(statement);
        employees(c.employees);
        scripted.answerNo(Msg(65126, statement)).cancelFile();
        ParForm::Spusti_zostavu_podla_nazvu(request("SP_PDF"));
        ParForm::Spusti_zostavu_podla_nazvu(request("SP_PDF_PR"));
        EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
            << scripted.messages().join('\n').toStdString();
        EXPECT_EQ(pocetStran(readFile(statement)), QByteArray::number(c.pages));
        ASSERT_EQ(pagesWritten().size(), c.pages);
        for (int n = 1; n <= c.pages; ++n)
            EXPECT_EQ(pocetStran(readFile(page(n))), QByteArray::number(c.pages)) << "page " << n;
    }
}

// Without the PDF form nothing is written and the run ends with 65180 naming it.
TEST_F(Annex2005, AMissingFormWritesNoPage)
{
    employees(2);
    ParForm::Spusti_zostavu_podla_nazvu(request("SP_PDF_PR"));
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).startsWith(Msg(65180))) << errors.at(0).toStdString();
    EXPECT_TRUE(errors.at(0).contains(SP2005PR::pdfTemplate()));
    EXPECT_TRUE(pagesWritten().isEmpty());
}

// The "neplatí" marks: the file marks every code outside 1, 2, 4, 5; the paper marks "X"
// only for 0 (code 3 counts as insured there).
TEST(Annex2005Codes, NeplatiInTheFileForCodesOutside1245)
{
    for (int kod = 0; kod <= 6; ++kod)
        EXPECT_EQ(SP2005PR::pays(kod), kod == 1 || kod == 2 || kod == 4 || kod == 5) << kod;
    REXSP1P::Riadok r;
    r.u_nemoc = 5;
    r.u_invalid = 3;
    r.u_fondzam = 0;
    QStringList names;
    for (const MyConsts::FormField &f : SP2005PR::rowFields(r, 12))
        names << f.name;
    EXPECT_TRUE(names.contains("b12c96nfIPneplaticb.0."));
    EXPECT_TRUE(names.contains("b12c96nfPvNneplati.0."));
    EXPECT_FALSE(names.contains("b12c96nfNPneplaticb.0."));
    EXPECT_EQ(SP2005PR::rowFields(r, 12).at(0).value, "12");
}

// The printed annex ("SP1P" from 200501): eight employees to a page, the running number
// going on over the pages, the page number in the foot, "X" for a fund the employee does
// not pay (flag 0 only), and every text in its box.
TEST_F(Annex2005, PrintedEightToAPage)
{
    employees(9);
    ParForm::Spusti_zostavu_podla_nazvu(request("SP1P"));
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    fixtures::expectWrittenAsPdf(previewHost.last, QStringLiteral("SP2005PR"));
    ASSERT_EQ(previewHost.last.pageCount(), 2);
    const rpt::PreparedPage &p1 = previewHost.last.pages.at(0);
    const rpt::PreparedPage &p2 = previewHost.last.pages.at(1);
    EXPECT_EQ(textOf(p1, "QRSysData_poradie", 7), "8");
    EXPECT_EQ(p1.findText("QRSysData_poradie", 8), nullptr);
    EXPECT_EQ(textOf(p2, "QRSysData_poradie", 0), "9");
    EXPECT_EQ(textOf(p2, "QRSysData_strana"), "2");
    EXPECT_EQ(textOf(p1, "QRDB_CALC_BORN_NUMB", 0), "7001011001");
    EXPECT_EQ(textOf(p1, "QRDB_oz_nemoc", 0), "15");
    EXPECT_EQ(textOf(p1, "QR_OBDOBIE"), "3 / 2005");
    EXPECT_EQ(textOf(p2, "QR_OBDOBIE"), "3 / 2005");
    EXPECT_EQ(textOf(p1, "QR_RIADNY"), "X");
    // Employee 2: invalidity 0 -> "X"; unemployment 3 -> insured on paper. Employee 3:
    // accident insurance only -> "X" in both.
    EXPECT_EQ(textOf(p1, "QRDB_CALC_U_INVALID", 1), "X");
    EXPECT_EQ(textOf(p1, "QRDB_CALC_U_FONDZAM", 1), "");
    EXPECT_EQ(textOf(p1, "QRDB_CALC_U_INVALID", 2), "X");
    EXPECT_EQ(textOf(p1, "QRDB_CALC_U_FONDZAM", 2), "X");
    EXPECT_EQ(textOf(p1, "QRDB_v_dni", 1), "28");
    EXPECT_EQ(textOf(p1, "QRDB_Q1_.NAZOV"), "Pekáreň <U Ľudy> & syn");
    for (const rpt::PreparedPage &p : previewHost.last.pages)
        for (const rpt::PreparedItem &i : p.items) {
            if (i.type != rpt::PreparedItem::Text)
                continue;
            EXPECT_LE(double(i.lines.size()) * i.lineHeight, i.rect.height() + 0.01) << i.name.toStdString();
            for (double w : i.lineWidths)
                EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
        }
}

// An empty month still previews one page with the head and foot.
TEST_F(Annex2005, AnEmptyMonthPrintsOnePage)
{
    ParForm::Spusti_zostavu_podla_nazvu(request("SP1P"));
    ASSERT_EQ(previewHost.shownCount, 1);
    EXPECT_EQ(previewHost.last.pageCount(), 1);
    EXPECT_EQ(textOf(previewHost.last.pages.at(0), "QRL_nadpis"), "MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV - príloha");
}
