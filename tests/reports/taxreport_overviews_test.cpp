// The quarterly overviews of advances and bonus (DNS2A 2004 to 2006, PR2007 from 2007,
// DNS2 before 2004), the RTF overview before 2001 ("hlasenie.rtf" byte for byte from a
// small template) and the yearly report before 2004 (vd parts I and II, VD2 part III).
//
// The expected RTF (written by hand from the template of the test and the key rules):
//   - each line of the template keeps its text; the first "$rok" becomes "Rok 2000",
//     "$firma" the cost-centre text, whose "{" and "}" get a backslash and whose "á" and
//     "ž" are their Windows-1250 bytes E1 and 9E;
//   - "$ssNNrMM" become "%8.0f" of their sums, right-aligned in eight characters: January
//     a 1 000 and tax 50; February nothing ("       0" everywhere); March a 2 500, an
//     underpayment of 300 withheld and an overpayment of 120 refunded; row 07 = a + n - o,
//     row 11 = row 07 + t; "13" is the year;
//   - lines end with CR LF.
#include "taxreport_fixture.h"

#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/helpers/template_output.h"
#include "platform/codepage/cp1250.h"
#include "reports/taxreport/report_tax_overview.h"
#include "reports/taxreport/report_dns3.h"
#include "reports/taxreport/report_vd.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class TaxOverviews : public fixtures::TaxFirm {
protected:
    void TearDown() override
    {
        MyConsts::Parametre(32).Hodnota = 0;
        TaxFirm::TearDown();
    }
    const rpt::PreparedReport *overview(int period, int sidOd = 1, int sidDo = 99)
    {
        TMyReportParam p = taxRequest("DNS2", period);
        p.Stredisko_od = sidOd;
        p.Stredisko_do = sidDo;
        return run(p);
    }
    static QString column(const rpt::PreparedReport &r, const char *row, char c)
    {
        return lastTextNamed(r, QString::fromLatin1(row) + u'_' + QChar::fromLatin1(c));
    }
};

tax_overview::Mesiac month(double a, double bonus, double dan = 0, double t3 = 0, double vyrovnanie = 0)
{
    tax_overview::Mesiac m;
    m.a = a;
    m.bonus = bonus;
    m.dan = dan;
    m.t3 = t3;
    m.vyrovnanie = vyrovnanie;
    return m;
}

} // namespace

TEST(TaxOverviewRows, QuarterOfTheReportPeriod)
{
    const struct {
        int period;
        std::array<int, 3> months;
    } cases[] = {
        {200501, {200501, 200502, 200503}}, {200505, {200504, 200505, 200506}},
        {200706, {200704, 200705, 200706}}, {200712, {200710, 200711, 200712}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tax_overview::quarterPeriods(c.period), c.months) << c.period;
}

TEST(TaxOverviewRows, Dns2aBonusBeyondTheAdvances)
{
    const tax_overview::ColumnDNS2A s = tax_overview::computeDNS2A(month(1000, 1500));
    EXPECT_EQ(s.r5, 1000);
    EXPECT_EQ(s.r6, -1000);
    EXPECT_EQ(s.r7, 0);
    EXPECT_EQ(s.A, 1500);
    EXPECT_EQ(s.B, 1000);
    EXPECT_EQ(s.C, 500);
    EXPECT_EQ(s.D, 500);
    // Settlements count in row 5; a negative row 5 reduces nothing and the whole bonus is
    // the employer's.
    tax_overview::Mesiac m = month(100, 300);
    m.o = 400;
    const tax_overview::ColumnDNS2A n = tax_overview::computeDNS2A(m);
    EXPECT_EQ(n.r5, -300);
    EXPECT_EQ(n.r6, 0);
    EXPECT_EQ(n.r7, -300);
    EXPECT_EQ(n.B, 100);
    EXPECT_EQ(n.C, 300);
}

// A bonus the first month's advances do not cover is carried: the next month it reduces
// the advances first (row 5), then the tax withheld by deduction (row 9).
TEST(TaxOverviewRows, Pr2007CarriesTheBonusThroughTheQuarter)
{
    const std::array<tax_overview::Mesiac, 3> q{month(1000, 2000, 0, 50), month(300, 0, 500, 0), month(1000, 0, 0, 500)};
    struct Row {
        double r4, r5, r6, r8, r9, r10, B, C;
    };
    const struct {
        bool minuly;
        Row rows[3];
    } cases[] = {
        // Parameter 32 at 0: row 8 is the month's own tax.
        {false, {{1000, -1000, 0, 0, 0, 0, 1000, 1000}, {300, -300, 0, 500, -500, 0, 800, 200},
                 {1000, -200, 800, 0, 0, 0, 200, 0}}},
        // At 1: the tax withheld in the month before (January: December's 50).
        {true, {{1000, -1000, 0, 50, -50, 0, 1050, 950}, {300, -300, 0, 0, 0, 0, 300, 650},
                {1000, -650, 350, 500, 0, 500, 650, 0}}},
    };
    for (const auto &c : cases) {
        const auto s = tax_overview::computePR2007(q, c.minuly);
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "parameter " << c.minuly << ", month " << i + 1);
            const Row &e = c.rows[i];
            EXPECT_EQ(s[i].r1, q[i].a);
            EXPECT_EQ(s[i].r4, e.r4);
            EXPECT_EQ(s[i].r5, e.r5);
            EXPECT_EQ(s[i].r6, e.r6);
            EXPECT_EQ(s[i].r8, e.r8);
            EXPECT_EQ(s[i].r9, e.r9);
            EXPECT_EQ(s[i].r10, e.r10);
            EXPECT_EQ(s[i].A, q[i].bonus);
            EXPECT_EQ(s[i].B, e.B);
            EXPECT_EQ(s[i].C, e.C);
        }
    }
    // A refunded overpayment lowers row 4 through row 2.
    const auto r = tax_overview::computePR2007({month(1000, 0, 0, 0, 200), month(0, 0), month(0, 0)}, false);
    EXPECT_EQ(r[0].r2, -200);
    EXPECT_EQ(r[0].r4, 800);
}

TEST_F(TaxOverviews, Dns2aPrintsTheQuarterOfMay)
{
    insertVyp(1, 200504, {{"D_preddavok", 1000}, {"D_bonus_cerpany", 1500}});
    insertVyp(2, 200505, {{"D_preddavok", 3000}, {"D_bonus_cerpany", 540}, {"D_vyrovnanie", -200}});
    insertVyp(3, 200505, {{"D_preddavok", 100}, {"D_vyrovnanie", 50}});
    insertVyp(4, 200505, {{"D_preddavok", 700}, {"SID", 2}}); // another centre
    insertVyp(5, 200507, {{"D_preddavok", 9999}});            // the next quarter
    zeroBlanks();
    const rpt::PreparedReport *r = overview(200505, 1, 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(lastTextNamed(*r, "M1"), "04");
    EXPECT_EQ(lastTextNamed(*r, "M2"), "05");
    EXPECT_EQ(lastTextNamed(*r, "M3"), "06");
    EXPECT_EQ(lastTextNamed(*r, "QRLabelRok"), "Rok 2005");
    // April: "%5.0f" of the worked case.
    EXPECT_EQ(column(*r, "R5", 'A'), " 1000");
    EXPECT_EQ(column(*r, "R6", 'A'), "-1000");
    EXPECT_EQ(column(*r, "R7", 'A'), "    0");
    EXPECT_EQ(column(*r, "RB", 'A'), " 1000");
    EXPECT_EQ(column(*r, "RC", 'A'), "  500");
    EXPECT_EQ(column(*r, "RD", 'A'), "  500");
    // May: advances 3 100, an underpayment of 200 withheld, an overpayment of 50 refunded.
    EXPECT_EQ(column(*r, "R1", 'B'), " 3100");
    EXPECT_EQ(column(*r, "R2", 'B'), "  200");
    EXPECT_EQ(column(*r, "R3", 'B'), "   50");
    EXPECT_EQ(column(*r, "R5", 'B'), " 3250");
    EXPECT_EQ(column(*r, "R6", 'B'), " -540");
    EXPECT_EQ(column(*r, "R1", 'C'), "    0");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_DNS2A"));
}

TEST_F(TaxOverviews, Pr2007JanuaryReadsDecembersWithholdingTax)
{
    insertVyp(1, 200612, {{"D_dan", 50}});
    insertVyp(1, 200701, {{"D_preddavok", 1000}, {"D_bonus_cerpany", 2000}, {"D_dan", 70}});
    insertVyp(1, 200702, {{"D_preddavok", 300}, {"D_dan", 500}});
    zeroBlanks();
    MyConsts::Parametre(32).Hodnota = 1;
    const rpt::PreparedReport *r = overview(200702);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(lastTextNamed(*r, "M1"), "01");
    EXPECT_EQ(lastTextNamed(*r, "QRLabelDic"), "2021458201");
    EXPECT_EQ(column(*r, "R8", 'A'), "   50");
    EXPECT_EQ(column(*r, "R8", 'B'), "   70");
    EXPECT_EQ(column(*r, "R9", 'A'), "  -50");
    EXPECT_EQ(column(*r, "RC", 'A'), "  950");
    EXPECT_EQ(column(*r, "RD", 'C'), "   80");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_PR2007"));

    MyConsts::Parametre(32).Hodnota = 0;
    r = overview(200702);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(column(*r, "R8", 'A'), "   70");
    EXPECT_EQ(column(*r, "R8", 'B'), "  500");
}

TEST_F(TaxOverviews, Dns2Before2004WritesTwoDecimals)
{
    insertVyp(1, 200311, {{"D_preddavok", 1234.5}, {"D_dan", 80}, {"D_vyrovnanie", -10.25}});
    zeroBlanks();
    const rpt::PreparedReport *r = overview(200312);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(lastTextNamed(*r, "M2"), "11");
    EXPECT_EQ(column(*r, "R1", 'B'), "1234,50");
    EXPECT_EQ(column(*r, "R2", 'B'), "10,25");
    EXPECT_EQ(column(*r, "R9", 'B'), "80,00");
    EXPECT_EQ(column(*r, "R1", 'C'), " 0,00");
    EXPECT_EQ(lastTextNamed(*r, "QR_Vykaz_miesto"), "Trnava");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_DNS2"));
}

// ---- the RTF overview before 2001 -------------------------------------------------------------

TEST(TaxOverviewRtf, AYearWithoutPayrollWritesZerosInEightCharacters)
{
    MyConsts::TemplateText t(MyConsts::TemplateText::Format::Rtf);
    DNS3::addKeys(t, 2000, QStringLiteral("Firma"), {});
    const QStringList out = t.fillRows({"$ss01r01|$ss02r05|$ss03r12|$ss07r13|$ss09r07|$ss11r13"});
    EXPECT_EQ(out, QStringList{"       0|       0|       0|       0|       0|       0"});
}

TEST_F(TaxOverviews, RtfOverviewBefore2001IntoTheOutputFolder)
{
    insertVyp(1, 200001, {{"D_preddavok", 1000}, {"D_dan", 50}});
    insertVyp(1, 200003, {{"D_preddavok", 2000}, {"D_vyrovnanie", -300}});
    insertVyp(2, 200003, {{"D_preddavok", 500}, {"D_vyrovnanie", 120}});
    zeroBlanks();
    const QByteArray sablona = codepage::toCp1250(
        QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\r\n"
                       "$rok $firma\\par\r\n"
                       "01 $ss01r01 $ss02r01 $ss03r01 $ss07r01 $ss09r01 $ss11r01\\par\r\n"
                       "02 $ss01r02 $ss02r02 $ss03r02 $ss07r02 $ss09r02 $ss11r02\\par\r\n"
                       "03 $ss01r03 $ss02r03 $ss03r03 $ss07r03 $ss09r03 $ss11r03\\par\r\n"
                       "13 $ss01r13 $ss02r13 $ss03r13 $ss07r13 $ss09r13 $ss11r13\\par\r\n"
                       "}\r\n"));
    placeForm("vzor1.rtf", sablona);
    TMyReportParam p = taxRequest("DNS3", 200012);
    p.Text_firmy = QStringLiteral("Stavby a montáže {2}");
    const QString out = DNS3::Vystupny_subor();
    EXPECT_EQ(out, MyConsts::outputFolder() + "hlasenie.rtf");
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(p);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << scripted.messages().join('\n').toStdString();
    const QByteArray expected = QByteArray("{\\rtf1\\ansi\\ansicpg1250\r\n"
                                           "Rok 2000 Stavby a mont\xE1\x9E" "e \\{2\\}\\par\r\n"
                                           "01     1000        0        0     1000       50     1050\\par\r\n"
                                           "02        0        0        0        0        0        0\\par\r\n"
                                           "03     2500      300      120     2680        0     2680\\par\r\n"
                                           "13     3500      300      120     3680       50     3730\\par\r\n"
                                           "}\r\n");
    EXPECT_EQ(readFile(out), expected);
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("hlasenie.rtf")));
}

TEST_F(TaxOverviews, RtfOverviewAsksBeforeReplacingAndNeedsItsTemplate)
{
    const QString out = DNS3::Vystupny_subor();
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("DNS3", 200012));
    EXPECT_EQ(scripted.messages(), QStringList{reportErrorText(Msg(65129, DNS3::rtfTemplate()))});
    EXPECT_FALSE(QFile::exists(out));

    scripted.clearEvents();
    placeForm("vzor1.rtf", "$rok\r\n");
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    scripted.answerNo(Msg(65109, out));
    ParForm::Spusti_zostavu_podla_nazvu(taxRequest("DNS3", 200012));
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    EXPECT_EQ(readFile(out), QByteArray("earlier"));
}

// ---- the yearly report before 2004 ------------------------------------------------------------

TEST_F(TaxOverviews, VdRowSevenIsAdvancesPlusUnderpaymentsLessOverpayments)
{
    insertVyp(1, 200203, {{"D_preddavok", 4000}, {"D_dan", 0}, {"D_vyrovnanie", -300}});
    insertVyp(2, 200204, {{"D_preddavok", 1000}, {"D_dan", 150}, {"D_vyrovnanie", 120}});
    insertVyp(3, 200104, {{"D_preddavok", 99999}}); // another year
    zeroBlanks();
    const vd::Sumy s = vd::loadSums(session, 2002);
    EXPECT_EQ(s.P, 5000);
    EXPECT_EQ(s.N, 300);
    EXPECT_EQ(s.O, 120);
    EXPECT_EQ(s.T, 150);
    EXPECT_EQ(s.Riadok7(), 5180);
    EXPECT_EQ(s.shouldHaveBeenPaid(), 5330);

    const rpt::PreparedReport *r = run(taxRequest("DNS3", 200212));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(lastTextNamed(*r, "odv_povinnost"), "5180");
    EXPECT_EQ(lastTextNamed(*r, "mal_odviest"), "5330");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_VD"));

    // A year without settlements: N = O = 0 and row 7 is row 1.
    const vd::Sumy bez = vd::loadSums(session, 2001);
    EXPECT_EQ(bez.N, 0);
    EXPECT_EQ(bez.O, 0);
    EXPECT_EQ(bez.Riadok7(), bez.P);
    EXPECT_EQ(vd::loadSums(session, 1999).Riadok7(), 0);
}

TEST_F(TaxOverviews, Vd2OneLinePerEmployeeInEmploymentDuringTheYear)
{
    session.execute("update \":tarix_data:zam\" set dan_zrazkou=0, nastup='2000-01-01', vystup=null");
    session.execute("update \":tarix_data:zam\" set vystup='2002-12-31' where code_emp=2"); // left before
    session.execute("update \":tarix_data:zam\" set dan_zrazkou=1 where code_emp=3");       // withholding tax
    session.execute("update \":tarix_data:zam\" set nastup='2004-01-01' where code_emp=4"); // came after
    session.execute("update \":tarix_data:zam\" set title='Ing.', surname='Adam', name='Ján', tp_street='Hlavná 12', "
                    "tp_zip='917 01', tp_city='Trnava' where code_emp=1");
    for (int m = 2; m <= 4; ++m)
        insertVyp(1, 200300 + m, {{"D_ciastzd1", 10000}, {"N_poist", 1000}, {"N_ddp", 100}, {"D_preddavok1", 1500}});
    insertVyp(5, 200306, {{"D_ciastzd1", 900}, {"D_preddavok1", 90}});
    zeroBlanks();
    session.execute("insert into \":tarix_data:rzp\" (code_emp, v_rok, preplatok) values (1, 2003, -250)");

    const std::vector<VD2::Riadok> rows = VD2::vdRows(session, 2003);
    QList<int> codes;
    for (const VD2::Riadok &r : rows)
        codes << r.code_emp;
    EXPECT_FALSE(codes.contains(2));
    EXPECT_FALSE(codes.contains(3));
    EXPECT_FALSE(codes.contains(4));
    EXPECT_EQ(codes.size(), 7);
    const auto of = [&](int code) {
        for (const VD2::Riadok &r : rows)
            if (r.code_emp == code)
                return r;
        return VD2::Riadok{};
    };
    const VD2::Riadok a = of(1);
    EXPECT_EQ(a.CALC_MENO, "Ing. Adam Ján");
    EXPECT_EQ(a.CALC_TP, "Hlavná 12, 917 01 Trnava");
    EXPECT_EQ(a.CALC_PRIJMY, "33 300");
    EXPECT_EQ(a.CALC_ZD, "30 000");
    EXPECT_EQ(a.CALC_PREDDAVKY, "4 500");
    EXPECT_EQ(a.CALC_ZUCTOVANE, "2 - 4");
    EXPECT_EQ(a.arrearsText(), "-250");
    const VD2::Riadok b = of(5);
    EXPECT_EQ(b.CALC_ZUCTOVANE, "6");
    EXPECT_EQ(b.arrearsText(), " ");
    const VD2::Riadok c = of(6);
    EXPECT_EQ(c.CALC_PRIJMY, "0");
    EXPECT_EQ(c.CALC_ZUCTOVANE, "");

    const rpt::PreparedReport *r = run(taxRequest("VD2", 200312));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(textsNamed(*r, "QRDB_CALC_MENO").size(), 7);
    EXPECT_TRUE(textsNamed(*r, "QRDB_CALC_NEDOPLATOK").contains("-250"));
    EXPECT_EQ(lastTextNamed(*r, "QR_Vykaz_zostavil"), "Mária Šťastná");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("taxreport_VD2"));
}
