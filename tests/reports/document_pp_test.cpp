// The income certificate PP: twelve month lines per employee through the month table,
// ordered by employee and month, a month without a payroll record printed empty, the
// excused and unexcused hours from the days and the day's working time, and the totals.
#include "document_fixture.h"
#include "social_pdf.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::DocumentFirm;

namespace {

class IncomeCertificate : public DocumentFirm {
protected:
    // A month's record with every column the certificate adds up set (0 unless given), as
    // the payroll calculation stores them.
    void month(int codeEmp, int mesiac, QVariantMap values)
    {
        QVariantMap row;
        for (const char *c : {"V_den", "V_hodina", "N_brutto", "N_holiday", "N_sviatok", "N_premie", "N_odmeny",
                              "V_holiday", "V_sviatok", "V_pn", "V_ocr1", "V_ocr2", "Vh_nahrada", "Vh_nemohol",
                              "V_absencia", "Vp_nadcas", "N_pn1", "N_pn2", "N_ocr", "Nd_spolu", "N_nahrada", "N_nemohol",
                              "N_nahrada_pn"})
            row.insert(QString::fromLatin1(c), 0);
        row.insert("F_doba", 8);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            row.insert(it.key(), it.value());
        insertVyp(codeEmp, 200700 + mesiac, row);
    }
    const rpt::PreparedReport &print(int od, int po)
    {
        return run("PP", 200712, [&](TMyReportParam &p) {
            p.Zamestnanec_od = od;
            p.Zamestnanec_do = po;
        });
    }
};

} // namespace

TEST_F(IncomeCertificate, TwelveMonthLinesPerEmployeeAnEmptyMonthEmpty)
{
    for (int m : {1, 2, 3, 5})
        month(1, m, {{"V_den", 20}, {"V_hodina", 160}, {"N_brutto", 32000}});
    month(2, 7, {{"V_den", 10}, {"N_brutto", 11000}});
    const rpt::PreparedReport &r = print(1, 2);
    ASSERT_EQ(r.pageCount(), 2); // a page per employee
    const QStringList mesiace = textsOf(r, "QRDB_MES");
    ASSERT_EQ(mesiace.size(), 24);
    EXPECT_EQ(mesiace.mid(0, 3), (QStringList{"január", "február", "marec"}));
    EXPECT_EQ(mesiace[11], "december");
    EXPECT_EQ(mesiace[12], "január");
    const QStringList dni = textsOf(r, "QRDB_v_den"), prijem = textsOf(r, "QRDB_n_hrprijem");
    EXPECT_EQ(dni.mid(0, 6), (QStringList{"20", "20", "20", "", "20", ""}));
    EXPECT_EQ(prijem.mid(0, 6), (QStringList{"32000", "32000", "32000", "", "32000", ""}));
    EXPECT_EQ(dni.mid(12), (QStringList{"", "", "", "", "", "", "10", "", "", "", "", ""}));
    EXPECT_EQ(textsOf(r, "QRDB_TMP"), (QStringList{"Ing. Ján Hudák", "Mária Šťastná"}));
    EXPECT_EQ(textOf(r.pages[0], "QRL_nadpis"), "POTVRDENIE O PRÍJME V ROKU 2007");
    // The year's totals of each employee.
    EXPECT_EQ(textsOf(r, "QRE_n_hrprijem"), (QStringList{"128 000", "11 000"}));
    EXPECT_EQ(textsOf(r, "QRE_v_den"), (QStringList{"80", "10"}));
    expectFits(r, 297, 210);
    fixtures::expectWrittenAsPdf(r, QStringLiteral("pp"));
}

TEST_F(IncomeCertificate, ExcusedHoursCountTheDaysTimesTheWorkingDayAndTheCompensatedHours)
{
    // Two days of holiday and three of sickness at 7.5 hours a day, 4 hours of wage
    // compensation and 1.5 hours the employee could not work; two unexcused days.
    month(1, 5, {{"V_holiday", 2}, {"V_pn", 3}, {"F_doba", 7.5}, {"Vh_nahrada", 4}, {"Vh_nemohol", 1.5},
                 {"V_absencia", 2}, {"N_premie", 1000}, {"N_odmeny", 500}, {"N_pn1", 300}, {"Nd_spolu", 200},
                 {"N_holiday", 2800}});
    const rpt::PreparedReport &r = print(1, 1);
    EXPECT_EQ(textsOf(r, "QRDB_ospr_dni").at(4), "5");
    EXPECT_EQ(textsOf(r, "QRDB_ospr_hod").at(4), "43");
    EXPECT_EQ(textsOf(r, "QRDB_neospr_hod").at(4), "15");
    EXPECT_EQ(textsOf(r, "QRDB_premie").at(4), "1500");
    EXPECT_EQ(textsOf(r, "QRDB_prekazky").at(4), "500");
    EXPECT_EQ(textsOf(r, "QRDB_n_holiday").at(4), "2800");
    EXPECT_EQ(textsOf(r, "QRE_ospr_hod"), QStringList{"43"});
}
