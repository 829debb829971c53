// The per-employee lists: piece-work items (VYK), deductions (ZRAZ), sickness benefits
// (VLND), the employer's confirmation of income (PP2) and the assessment bases by month (VZ),
// and who the yearly lists hold.
#include "sheets_fixture.h"
#include "social_pdf.h"

#include "core/helpers/code_texts.h"
#include "core/helpers/periods.h"
#include "reports/documents/pracovne_dokumenty.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::SheetsFirm;

namespace {

class EmployeeLists : public SheetsFirm {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        openYear(2007);
    }
};

} // namespace

TEST_F(EmployeeLists, VykListsTheMonthsPieceWorkItemsWithTheTaskText)
{
    session.execute("delete from \":tarix_data:cis_uk\"");
    session.execute("delete from \":tarix_data:hsu\"");
    session.execute("insert into \":tarix_data:cis_uk\" (UKID, POPIS, HODNOTA) values (1, 'Murovanie priečky', 120), "
                    "(2, 'Omietka stien', 85.5)");
    session.execute("insert into \":tarix_data:hsu\" (HSUID, UKID, V_obdobie, Code_emp, Code_numb, Pocet, Suma1, Suma) values "
                    "(1, 2, 200703, 1, 101, 10, 85.5, 855), (2, 1, 200703, 1, 101, 3, 120, 360), "
                    "(3, 1, 200702, 1, 101, 7, 120, 840), (4, 1, 200703, 3, 103, 2, 120, 240)");
    insertVyp(1, 200703, {{"N_ukolova", 1215}});
    insertVyp(3, 200703, {{"N_ukolova", 0}});     // not paid for piece-work: left out
    insertVyp(1, 200702, {{"N_ukolova", 840}});

    const rpt::PreparedReport &r = run("VYK", 200703);
    EXPECT_EQ(textsOf(r, "QRDB_CALC_TMP"), QStringList{"Ing. Ján Hudák"});
    EXPECT_EQ(textsOf(r, "QRDB_LKP_POPIS"), (QStringList{"Murovanie priečky", "Omietka stien"}));
    EXPECT_EQ(textsOf(r, "QRDB_Suma"), (QStringList{"360,00", "855,00"}));
    EXPECT_EQ(textsOf(r, "QRE_spolu"), QStringList{"1215,00"});
    const rpt::PreparedPage &p = r.pages.at(0);
    EXPECT_EQ(textOf(p, "QRDB_CALC_OBDOBIE"), "VÝKAZ ODPRACOVANÝCH VÝKONOV ZA MESIAC MAREC 2007");
    EXPECT_EQ(textOf(p, "QRDB_CALC_OS_CISLO"), "Osobné číslo: 101");
    EXPECT_EQ(textOf(p, "QRDB_CALC_FIRMA"), "FIRMA: Demo s.r.o.");
    expectFits(r, 210, 297);
}

TEST_F(EmployeeLists, ZrazListsEachEmployeesDeductionsOfTheMonth)
{
    session.execute("delete from \":tarix_data:zrv\"");
    // The last row of March is 20 % of net pay: Suma holds the rate, the calculation stored
    // what it deducted.
    session.execute("insert into \":tarix_data:zrv\" (V_obdobie, Code_emp, ZRID, Typ, Suma, Poznamka, Typ_sumy, "
                    "Vypocitana_suma) values (200703, 1, 1, 'P', 1500, 'pôžička na byt', 0, 1500), "
                    "(200703, 1, 2, 'S', 300, 'stavebné sporenie', 0, 300), (200703, 5, 3, 'O', 50, NULL, 0, 50), "
                    "(200702, 3, 4, 'P', 999, 'minulý mesiac', 0, 999), "
                    "(200703, 5, 5, 'X', 20, 'exekúcia 20 % čistej mzdy', 3, 3139)");

    const rpt::PreparedReport &r = run("ZRAZ", 200703);
    EXPECT_EQ(textsOf(r, "QRDB_CALC_TMP"), (QStringList{"Ing. Ján Hudák", "Milan Cibula"}));
    EXPECT_EQ(textsOf(r, "QRDB_Suma"), (QStringList{"1500,00", "300,00", "50,00", "3139,00"}));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_TYP"),
              (QStringList{MyConsts::Text_druhu_zrazky('P'), MyConsts::Text_druhu_zrazky('S'),
                           MyConsts::Text_druhu_zrazky('O'), MyConsts::Text_druhu_zrazky('X')}));
    EXPECT_FALSE(allTexts(r).contains("minulý mesiac"));
    EXPECT_EQ(textOf(r.pages.at(0), "QRDB_CALC_OBDOBIE"), "ZRÁŽKY ZA OBDOBIE MAREC 2007");
    expectFits(r, 210, 297);
    fixtures::expectWrittenAsPdf(r, QStringLiteral("zrazky"));
}

TEST_F(EmployeeLists, VlndByNameOrByCodeWithTheSums)
{
    insertVyp(1, 200703, {{"Nd_spolu", 1200}, {"N_pn", 1200}, {"V_pn", 10}});
    insertVyp(3, 200703, {{"Nd_spolu", 800.5}, {"Nd_materska", 800.5}});
    insertVyp(5, 200703, {{"Nd_spolu", 0}, {"N_pn", 77}});   // no benefit: left out

    const rpt::PreparedReport &menom = run("VLND", 200703);
    EXPECT_EQ(textsOf(menom, "QRDB_CALC_MPT"), (QStringList{"Peter Čierny", "Ján Hudák Ing."}));
    EXPECT_EQ(textsOf(menom, "QRE_nd_spolu"), QStringList{"2000,50"});
    EXPECT_EQ(textsOf(menom, "QRE_v_pn"), QStringList{"10"});
    EXPECT_EQ(textOf(menom.pages.at(0), "QRL_nadpis"), "Výplatná listina - súhrn nemocenských dávok za marec 2007");
    expectFits(menom, 297, 210);

    const rpt::PreparedReport &kodom = run("VLND", 200703, [](TMyReportParam &p) { p.Podla_priezviska = false; });
    EXPECT_EQ(textsOf(kodom, "QRDB_CALC_MPT"), (QStringList{"Ján Hudák Ing.", "Peter Čierny"}));
}

TEST_F(EmployeeLists, Pp2OneConfirmationPerEmployeeWithTheAverageNetIncome)
{
    // 1000 + 1001 over two months: a whole-number division would print 1000.
    insertVyp(1, 200701, {{"N_netto", 1000}});
    insertVyp(1, 200702, {{"N_netto", 1001}});
    insertVyp(1, 200612, {{"N_netto", 50000}});
    const rpt::PreparedReport &r = run("PP2", 200703, [](TMyReportParam &p) {
        p.Zamestnanec_od = 1;
        p.Zamestnanec_do = 2;
        p.Vykaz_zostavil = "Anna Mzdová";
        p.Telefon = "033/5512345";
        p.Den_textom = "15.3.2007";
    });
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(textsOf(r, "QRDB_PMT"), (QStringList{"Hudák Ján Ing.", "Šťastná Mária"}));
    EXPECT_EQ(textsOf(r, "QRDB_n_netto"), (QStringList{"1000,50", ""}));
    EXPECT_EQ(textOf(r.pages[0], "QR_Vykaz_zostavil"), "Anna Mzdová");
    EXPECT_EQ(textOf(r.pages[0], "QR_Telefon"), "033/5512345");
    EXPECT_FALSE(textOf(r.pages[0], "QRDB_NAZOV").isEmpty());
    expectFits(r, 210, 297);
}

TEST_F(EmployeeLists, VzGivesTwelveMonthsAndTheirSums)
{
    insertVyp(1, 200701, {{"N_zaklad_np", 10000}, {"N_zaklad_zp", 12000}});
    insertVyp(1, 200706, {{"N_zaklad_np", 11000.5}, {"N_zaklad_zp", 13000}});
    const rpt::PreparedReport &r = run("VZ", 200712, [](TMyReportParam &p) { p.Zamestnanec_do = 1; });
    ASSERT_EQ(r.pageCount(), 1);
    const QStringList mesiace = textsOf(r, "QRDB_MES");
    ASSERT_EQ(mesiace.size(), 12);
    EXPECT_EQ(mesiace.first(), MyConsts::Nazov_mesiaca(1, false) + "/2007");
    EXPECT_EQ(mesiace.last(), MyConsts::Nazov_mesiaca(12, false) + "/2007");
    const QStringList np = textsOf(r, "QRDB_zaklad_np");
    EXPECT_EQ(np.value(0), "10000,00");
    EXPECT_EQ(np.value(1), "");
    EXPECT_EQ(np.value(5), "11000,50");
    EXPECT_EQ(textsOf(r, "QRE_zaklad_np"), QStringList{"21000,50"});
    EXPECT_EQ(textsOf(r, "QRE_zaklad_zp"), QStringList{"25000,00"});
    expectFits(r, 210, 297);
}

// The yearly lists hold the employees of the year: in 2004 neither Chudý (hired 2006) nor
// Horváthová and Zeman (2007) get a sheet with empty tables, while Hudák (1998) and Žiak,
// who leaves in 2007, do.
TEST_F(EmployeeLists, TheYearlyListsHoldOnlyThoseEmployedInTheYear)
{
    registerWorkDocuments();
    openYear(2004);
    for (const char *kod : {"VZ", "PP", "PP2", "ML2"}) {
        SCOPED_TRACE(kod);
        const QString texty = allTexts(run(QString::fromLatin1(kod), 200412)).join(u'\n');
        for (const char *tu : {"Hudák", "Kováč"})
            EXPECT_TRUE(texty.contains(QString::fromUtf8(tu))) << tu;
        for (const char *nie : {"Chudý", "Horváthová", "Zeman"})
            EXPECT_FALSE(texty.contains(QString::fromUtf8(nie))) << nie;
    }
    // In 2007 they are there.
    openYear(2007);
    const QString texty = allTexts(run("VZ", 200712)).join(u'\n');
    for (const char *tu : {"Chudý", "Horváthová", "Zeman", "Žiak"})
        EXPECT_TRUE(texty.contains(QString::fromUtf8(tu))) << tu;
}
