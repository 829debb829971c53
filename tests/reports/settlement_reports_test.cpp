// The annual settlement's printed reports on the demo firm: the reconciliation form the
// dispatcher picks for each year, the split of the result into the rows to and from the
// employee, the signed result of the older forms, a year without settlement, the summary
// list and the certificate before 2001. Every text stays inside its box.
#include "settlement_fixture.h"

#include "reports/settlement/settlement_report.h"
#include "social_pdf.h"

#include <cmath>

using namespace tarix;
using namespace tarix::reports;
using fixtures::SettlementFirm;

namespace {

using Reports = SettlementFirm;

// ---- the values -----------------------------------------------------------------------

TEST(SettlementValues, TheResultSplitsIntoItsSixRowsWithoutMinusZero)
{
    using settlement::splitResult;
    using settlement::ResultSplit;
    const struct {
        const char *what;
        double narok, cerpany, preplatok;
        ResultSplit expected; // bonus +/-, tax +/-, without the bonus +/-
    } cases[] = {
        {"a refund of 1000 with 300 of bonus still owed", 1300, 1000, 1000, {300, 0, 1000, 0, 700, 0}},
        {"equal claim and payment, nothing to settle", 500, 500, 0, {0, 0, 0, 0, 0, 0}},
        {"an arrear of 500 with 200 of bonus paid too much", 800, 1000, -500, {0, 200, 0, 500, 0, 300}},
        {"a refund smaller than the bonus owed", 900, 0, 400, {900, 0, 400, 0, 0, 500}},
    };
    for (const auto &c : cases) {
        const ResultSplit r = splitResult(c.narok, c.cerpany, c.preplatok);
        EXPECT_EQ(r, c.expected) << c.what;
        for (double v : {r.preplBonus, r.nedoplBonus, r.preplDan, r.nedoplDan, r.preplBB, r.nedoplBB})
            EXPECT_FALSE(std::signbit(v)) << c.what;
    }
}

TEST(SettlementValues, TwoPercentOfTheTaxIsTruncatedInHallers)
{
    const struct {
        double danBezBonusu, expected;
    } cases[] = {{1249, 24}, {1250, 25}, {1150, 23}, {1299.99, 25}, {0, 0}, {-10, 0}, {-1250, -25}};
    for (const auto &c : cases) {
        const double v = settlement::twoPercentOfTax(c.danBezBonusu);
        EXPECT_EQ(v, c.expected) << c.danBezBonusu;
        if (c.expected == 0) {
            EXPECT_FALSE(std::signbit(v)) << c.danBezBonusu;
        }
    }
}

TEST(SettlementValues, TheResultTextCarriesItsSign)
{
    const struct {
        double preplatok;
        const char *maska;
        const char *expected;
    } cases[] = {
        {1200, "0 Sk", "+ 1200 Sk"},
        {-1200, "0 Sk", "-1200 Sk"},
        {0, "0 Sk", "+ 0 Sk"},
        {-0.0, "0 Sk", "+ 0 Sk"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(settlement::overpaymentText(c.preplatok, QString::fromLatin1(c.maska)), QString::fromUtf8(c.expected))
            << c.preplatok << " " << c.maska;
}

TEST(SettlementValues, NamesAndAddresses)
{
    EXPECT_EQ(settlement::titleNameSurname(" Ing. ", "Ján ", " Hudák"), "Ing. Ján Hudák");
    EXPECT_EQ(settlement::rzAddress("", "Trnava"), ", Trnava");
    EXPECT_EQ(settlement::pzAddress("", "Trnava"), "Trnava");
    EXPECT_EQ(settlement::pzAddress("Hlavná 12", "Trnava"), "Hlavná 12, Trnava");
}

// ---- the dispatcher's choice ------------------------------------------------------------

TEST_F(Reports, TheMenuCodesReachTheFormOfTheirYear)
{
    const struct {
        const char *kod;
        int obdobie;
        const char *nadpis; // the heading line that tells the forms apart
        const char *layout;
    } cases[] = {
        {"RZ", 200012, "z príjmov zo závislej činnosti", "TReportRZ"},
        {"RZ", 200112, "Z PRÍJMOV ZO ZÁVISLEJ ČINNOSTI A Z FUNKČNÝCH", "TReportRZ3"},
        {"RZ", 200312, "Z PRÍJMOV FYZICKÝCH OSÔB ZO ZÁVISLEJ ČINNOSTI A Z FUNKČNÝCH", "TReportRZ4"},
        {"RZ", 200412, "Z PRÍJMOV FYZICKÝCH OSÔB ZO ZÁVISLEJ ČINNOSTI A DAŇOVÝ BONUS", "TReportRZ_2004"},
        {"RZ", 200512, "Z PRÍJMOV FYZICKEJ OSOBY ZO ZÁVISLEJ ČINNOSTI A DAŇOVÝ BONUS", "TReportRZ_2005"},
        {"RZ2004B", 200712, nullptr, "TReportRZ_2004B"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.kod) + " " + std::to_string(c.obdobie));
        insertRzp(8, c.obdobie / 100, {{"Dan", 12345}, {"Preplatok", 600}});
        const rpt::PreparedReport *r = run(QString::fromLatin1(c.kod), c.obdobie, [](TMyReportParam &p) {
            p.Zamestnanec_od = p.Zamestnanec_do = 8;
        });
        EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
        ASSERT_NE(r, nullptr);
        ASSERT_EQ(r->pageCount(), 1);
        const rpt::PreparedPage &page = r->pages[0];
        EXPECT_EQ(textOf(page, "QRDB_TMP"), "JUDr. Ľubomír Kováč");
        if (c.nadpis)
            EXPECT_EQ(textOf(page, "QRL_nadpis2"), QString::fromUtf8(c.nadpis));
        else
            EXPECT_EQ(textOf(page, "QRL_cast"), "III. časť");
        EXPECT_EQ(textOf(page, "QRDB_v_rok"), QString::number(c.obdobie / 100));
        expectFits(*r);
        fixtures::expectWrittenAsPdf(*r, QString::fromLatin1(c.layout));
    }
    // Page 2 exists only from 2004: the dispatcher's message and nothing shown.
    const rpt::PreparedReport *r = run("RZ2004B", 200312);
    EXPECT_EQ(r, nullptr);
    EXPECT_EQ(errors(), QStringList{"Report je možné spúšťať až od roku 2004"});
}

TEST_F(Reports, AYearWithoutSettlementShowsNeitherPreviewNorMessage)
{
    insertRzp(8, 2006, {{"Dan", 100}});
    for (const char *kod : {"RZ", "RZ2004B"})
        EXPECT_EQ(run(QString::fromLatin1(kod), 200712), nullptr) << kod;
    EXPECT_EQ(run("RZ", 200312), nullptr);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
}

// ---- the split rows --------------------------------------------------------------------------

TEST_F(Reports, TheSplitRowsOfBothPagesFromTheSettlement)
{
    const struct {
        const char *what;
        double narok, cerpany, preplatok;
        const char *r07, *r08, *r10, *r11, *r12, *r13;
    } cases[] = {
        {"a refund of 1000 with 300 of bonus owed", 1300, 1000, 1000, "300", "0", "0", "1 000", "0", "700"},
        {"equal claim and payment", 500, 500, 0, "0", "0", "0", "0", "0", "0"},
        {"an arrear of 500 with 200 of bonus paid too much", 800, 1000, -500, "0", "200", "500", "0", "300", "0"},
    };
    for (const int obdobie : {200412, 200712}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.what) + " " + std::to_string(obdobie));
            session.execute("delete from \":tarix_data:rzp\"");
            insertRzp(1, obdobie / 100,
                      {{"D_bonus_narok", c.narok}, {"D_bonus_cerpany", c.cerpany}, {"Preplatok", c.preplatok}});
            const rpt::PreparedReport *r = run("RZ", obdobie);
            ASSERT_NE(r, nullptr);
            const rpt::PreparedPage &page = r->pages.at(0);
            EXPECT_EQ(textOf(page, "QRDB_CALC_PREPL_BONUS"), c.r07);
            EXPECT_EQ(textOf(page, "QRDB_CALC_NEDOPL_BONUS"), c.r08);
            EXPECT_EQ(textOf(page, "QRDB_CALC_NEDOPL_DAN"), c.r10);
            EXPECT_EQ(textOf(page, "QRDB_CALC_PREPL_DAN"), c.r11);
            EXPECT_EQ(textOf(page, "QRDB_CALC_NEDOPL_BB"), c.r12);
            EXPECT_EQ(textOf(page, "QRDB_CALC_PREPL_BB"), c.r13);
            // Page 2 repeats them in its table.
            const rpt::PreparedReport *b = run("RZ2004B", obdobie);
            ASSERT_NE(b, nullptr);
            const rpt::PreparedPage &page2 = b->pages.at(0);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_NEDOPL_DAN"), c.r10);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_NEDOPL_BONUS"), c.r08);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_NEDOPL_BB"), c.r12);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_PREPL_DAN"), c.r11);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_PREPL_BONUS"), c.r07);
            EXPECT_EQ(textOf(page2, "QRDB_CALC_PREPL_BB"), c.r13);
        }
    }
}

TEST_F(Reports, OneFormPerEmployeeOfTheRangeWithItsEmployerAndContactData)
{
    insertRzp(1, 2007, {{"Dan", 30000}, {"Preplatok", 1200}});
    insertRzp(8, 2007, {{"Dan", 41000}, {"Preplatok", -350}});
    insertRzp(9, 2006, {{"Dan", 5000}}); // another year
    session.execute("update \":tarix_data:zam\" set tp_street='' where code_emp=1");
    const rpt::PreparedReport *r = run("RZ", 200712);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(textsOf(*r, "QRDB_TMP"), (QStringList{"Ing. Ján Hudák", "JUDr. Ľubomír Kováč"}));
    // An empty street still has its comma.
    EXPECT_EQ(textsOf(*r, "QRDB_ADR"), (QStringList{", Trnava", "Palisády 18, Bratislava"}));
    EXPECT_EQ(textsOf(*r, "QRDB_Dan"), (QStringList{"30 000", "41 000"}));
    EXPECT_EQ(textsOf(*r, "QRDB_CALC_ADRESA"),
              (QStringList(2, "DEMO STAV, s.r.o., Priemyselná 1234/5, 91701 Trnava")));
    EXPECT_EQ(textsOf(*r, "QRDB_DIC"), (QStringList(2, "2021458201")));
    EXPECT_EQ(textsOf(*r, "QR_Vykaz_zostavil"), (QStringList(2, "Mária Šťastná")));
    EXPECT_EQ(textsOf(*r, "QR_Telefon"), (QStringList(2, "033 123 456")));
    EXPECT_EQ(textsOf(*r, "QR_Vykaz_dna"), (QStringList(2, "15.2.2008")));
    // The cost-centre range holds: employee 3 is in centre 2.
    insertRzp(3, 2007, {{"Dan", 7000}});
    const rpt::PreparedReport *c2 = run("RZ", 200712, [](TMyReportParam &p) { p.Stredisko_od = p.Stredisko_do = 2; });
    ASSERT_NE(c2, nullptr);
    EXPECT_EQ(textsOf(*c2, "QRDB_TMP"), QStringList{" Peter Čierny"});
    // Page 2 takes the place of the request.
    const rpt::PreparedReport *b = run("RZ2004B", 200712);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(textsOf(*b, "QR_Vykaz_miesto"), (QStringList{"Trnava", "Trnava", "Trnava"}));
}

// ---- the older forms' result ----------------------------------------------------------------

TEST_F(Reports, TheOlderFormsPrintTheResultWithItsSign)
{
    const struct {
        int obdobie;
        double preplatok;
        const char *pole;
        const char *expected;
    } cases[] = {
        {200112, 1200, "QRDB_CALC_PREPLATOK", "+ 1200 Sk"},
        {200112, -1200, "QRDB_CALC_PREPLATOK", "-1200 Sk"},
        {200112, 0, "QRDB_CALC_PREPLATOK", "+ 0 Sk"},
        {200012, 1200, "QRDB_CALC_PREPLATOK", "+ 1200 Sk"},
        {200012, -1200, "QRDB_CALC_PREPLATOK", "-1200 Sk"},
        {200312, 1200, "QRDB_Preplatok", "+1 200"},
        {200312, -1200, "QRDB_Preplatok", "-1 200"},
        {200312, 0, "QRDB_Preplatok", "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.obdobie) + " " + std::to_string(c.preplatok));
        session.execute("delete from \":tarix_data:rzp\"");
        insertRzp(2, c.obdobie / 100, {{"Preplatok", c.preplatok}});
        const rpt::PreparedReport *r = run("RZ", c.obdobie);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(textOf(r->pages.at(0), QString::fromLatin1(c.pole)), QString::fromUtf8(c.expected));
    }
}

// ---- the summary list --------------------------------------------------------------------------

TEST_F(Reports, TheSummaryListTotalsTheYearsSettlements)
{
    insertRzp(1, 2007, {{"Ciastzd_spolu", 250000.5}, {"Zdanmzda_round", 180000}, {"Preplatok", 1200}});
    insertRzp(8, 2007, {{"Ciastzd_spolu", 300000}, {"Zdanmzda_round", 220000}, {"Preplatok", -1500.25}});
    insertRzp(2, 2006, {{"Ciastzd_spolu", 99999}});
    const rpt::PreparedReport *r = run("RZ2", 200703, [](TMyReportParam &p) { p.Podla_priezviska = true; });
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->pageCount(), 1);
    const rpt::PreparedPage &page = r->pages[0];
    EXPECT_EQ(textOf(page, "QRL_nadpis"), "Ročné zúčtovanie preddavkov - súhrnná listina za rok 2007");
    EXPECT_EQ(textOf(page, "QRDB_CALC_FIRMA"), "FIRMA:  Demo s.r.o.");
    // By surname: Hudák before Kováč.
    EXPECT_EQ(textsOf(*r, "QRDB_CALC_MPT"), (QStringList{"Ján Hudák Ing.", "Ľubomír Kováč JUDr."}));
    EXPECT_EQ(textsOf(*r, "QRDB_Preplatok"), (QStringList{"+1200,00", "-1500,25"}));
    EXPECT_EQ(textOf(page, "QRE_Ciastzd_spolu"), "550000,50");
    EXPECT_EQ(textOf(page, "QRE_Zdanmzda_round"), "400000,00");
    EXPECT_EQ(textOf(page, "QRE_Preplatok"), "-300,25");
    expectFits(*r);
    fixtures::expectWrittenAsPdf(*r, "TReportRZ2");

    // By personal number the other way round; an empty year is an empty list.
    const rpt::PreparedReport *k = run("RZ2", 200703, [](TMyReportParam &p) { p.Podla_priezviska = false; });
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(textsOf(*k, "QRDB_CALC_MPT"), (QStringList{"Ján Hudák Ing.", "Ľubomír Kováč JUDr."}));
    session.execute("update \":tarix_data:zam\" set surname='Adam' where code_emp=8");
    const rpt::PreparedReport *a = run("RZ2", 200703, [](TMyReportParam &p) { p.Podla_priezviska = true; });
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(textsOf(*a, "QRDB_CALC_MPT"), (QStringList{"Ľubomír Adam JUDr.", "Ján Hudák Ing."}));
}

// ---- the certificate before 2001 -------------------------------------------------------------------

class Certificate : public SettlementFirm {
protected:
    void SetUp() override
    {
        SettlementFirm::SetUp();
        // Employee 1: three months taxed by advances, one settled by withholding; employee 2
        // every month by withholding.
        for (int m = 1; m <= 3; ++m)
            insertVyp(1, 200000 + m,
                      {{"N_brutto", 20000}, {"N_socfond", 500}, {"Pouz_auto", 300}, {"Zvys_ostatne", 200},
                       {"D_ciastzd", 17000}, {"N_poist", 2500}, {"N_ddp", 400}, {"D_preddavok", 1800},
                       {"Dan_vyrovnana", 0}});
        insertVyp(1, 200004, {{"N_brutto", 99999}, {"Dan_vyrovnana", 1}});
        for (int m = 1; m <= 12; ++m)
            insertVyp(2, 200000 + m, {{"N_brutto", 15000}, {"Dan_vyrovnana", 1}});
        session.execute("delete from \":tarix_data:deti\" where code_emp=1");
    }

    void insertChild(int i, bool claimed)
    {
        session.execute("insert into \":tarix_data:deti\" (Code_emp, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC, MES_OD, "
                        "MES_DO) values (1, :p, :m, :rc, '1995-01-01', 0, 0, :nc, 1, 12)",
                        {{"p", QStringLiteral("Hudák%1").arg(i)},
                         {"m", QStringLiteral("Dieťa%1").arg(i)},
                         {"rc", QStringLiteral("95010%1/1234").arg(i)},
                         {"nc", claimed ? 1 : 0}});
    }
};

TEST_F(Certificate, OnlyEmployeesTaxedByAdvancesGetTheirYearsCertificate)
{
    const rpt::PreparedReport *r = run("PZ", 200012);
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->pageCount(), 1);
    const rpt::PreparedPage &page = r->pages[0];
    EXPECT_EQ(textOf(page, "QRDB_TMP"), "Ing. Ján Hudák");
    EXPECT_EQ(textOf(page, "QRL_obdobie"), "za zdaňovacie obdobie (kalendárny rok) 2000");
    EXPECT_EQ(textOf(page, "QRDB_CALC_MESIACE"), "1, 2, 3");
    // 3 x (20000 - 500 + 300 + 200); the withheld April stays out.
    EXPECT_EQ(textOf(page, "QRDB_n_brutto"), "60 000 Sk");
    EXPECT_EQ(textOf(page, "QRDB_CALC_ODPOCTY"), "8 700 Sk");
    EXPECT_EQ(textOf(page, "QRDB_CALC_NC_INE"), "0 Sk");
    EXPECT_EQ(textOf(page, "QRDB_CALC_CIASTZD"), "51 000 Sk");
    EXPECT_EQ(textOf(page, "QRDB_d_preddavok"), "5 400 Sk");
    EXPECT_EQ(textOf(page, "QRDB_ADR"), "Hlavná 12, Trnava");
    EXPECT_EQ(textOf(page, "QRDB_CALC_ADRESA"), "Priemyselná 1234/5, 91701 Trnava");
    expectFits(*r);
    fixtures::expectWrittenAsPdf(*r, "TReportPZ");
}

TEST_F(Certificate, SixOfSevenClaimedChildrenInTheOrderEntered)
{
    for (int i = 1; i <= 8; ++i)
        insertChild(i, i != 2); // the second is not claimed
    session.execute("update \":tarix_data:zam\" set tp_street='' where code_emp=1");
    const rpt::PreparedReport *r = run("PZ", 200012);
    ASSERT_NE(r, nullptr);
    const rpt::PreparedPage &page = r->pages.at(0);
    const int claimed[] = {1, 3, 4, 5, 6, 7};
    for (int line = 1; line <= 6; ++line) {
        const int i = claimed[line - 1];
        EXPECT_EQ(textOf(page, QStringLiteral("QRDB_CALC_DIETA%1").arg(line)),
                  QStringLiteral("Dieťa%1 Hudák%1 - 95010%1/1234").arg(i));
        EXPECT_EQ(textOf(page, QStringLiteral("QRDB_CALC_MES%1").arg(line)), "1 - 12");
    }
    EXPECT_FALSE(r->pages.at(0).texts().empty());
    for (const rpt::PreparedItem *t : page.texts())
        EXPECT_FALSE(t->text().contains("Dieťa8")) << t->name.toStdString();
    // Without a street only the town.
    EXPECT_EQ(textOf(page, "QRDB_ADR"), "Trnava");
}

} // namespace
