// The employment-fund statements: FZ1 before 200005 and FZ1A from it, the employer's
// contributions recomputed from the bases and the highest rate of each group and rounded up
// on the decimal value, the guarantee-only code 5, and FZ2's boxes.
#include "recap_fixture.h"

#include "reports/recap/rexfz1.h"
#include "reports/recap/rexfz2.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class FundStatements : public fixtures::RecapFirm {
protected:
    void fund(int code, int obdobie, int kod, double zaklad, QVariantMap more = {})
    {
        more.insert("U_fondzam", kod);
        more.insert("N_zaklad_fz", zaklad);
        if (!more.contains("Fz_fondz"))
            more.insert("Fz_fondz", 2.75);
        if (!more.contains("Fz_garfond"))
            more.insert("Fz_garfond", 0.25);
        insertVyp(code, obdobie, more);
    }
};

} // namespace

TEST_F(FundStatements, Fz1SwitchesToTheNewerFormFrom200005)
{
    for (const auto &[obdobie, garancny] : {std::pair{200004, false}, std::pair{200005, true}}) {
        SCOPED_TRACE(obdobie);
        fund(1, obdobie, 1, 10000);
        const rpt::PreparedPage *page = run(request("FZ1", obdobie));
        ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
        EXPECT_EQ(textOf(*page, "QRL_kod"), garancny ? "Prísp  (NÚP)  1-12" : "P (MPSVR SR) 1-12");
        EXPECT_EQ(page->findText("QRL_nadpis2") != nullptr, garancny);
        EXPECT_EQ(page->findText("CALC_OZ_GARFOND") != nullptr, garancny);
        // 10 000 x 2.75 % = 275; the older form has no guarantee fund.
        EXPECT_EQ(textOf(*page, "CALC_OZ_FONDZAM"), "275");
        EXPECT_EQ(textOf(*page, "MESIAC"), obdobie == 200004 ? "APRÍL" : "MÁJ");
    }
}

TEST_F(FundStatements, EachRateCaptionStatesTheRateItsAmountWasComputedWith)
{
    // One employee of group A at the rates the year's payroll uses; group B (F_firma_zps)
    // has nobody, so its captions state the year's rates.
    struct Case {
        int rok;
        int obdobie;
        double fz, f, gar;
        const char *employer, *employee, *guarantee, *amount;
    };
    const Case cases[] = {
        {2004, 200406, 1, 1, 0.25, "1%", "1%", "0,25%", "120"},
        {2005, 200506, 1, 1, 0.25, "1%", "1%", "0,25%", "120"},
        {2006, 200606, 1, 1, 0.25, "1%", "1%", "0,25%", "120"},
        {2007, 200703, 1, 1, 0.25, "1%", "1%", "0,25%", "120"},
        // Rates of the records, whatever the year's table says.
        {2004, 200406, 2.75, 0.5, 0.1, "2,75%", "0,5%", "0,1%", "330"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.obdobie << " " << c.employer);
        openYear(c.rok);
        session.execute("delete from \":tarix_data:vyp\"");
        fund(1, c.obdobie, 1, 12000,
             {{"Fz_fondz", c.fz}, {"F_fondz", c.f}, {"Fz_garfond", c.gar}, {"O_fondzam", 12000 * c.f / 100}});
        const rpt::PreparedPage *page = run(request("FZ1", c.obdobie));
        ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
        EXPECT_EQ(textOf(*page, "CALC_OZ_FONDZAM"), c.amount);
        EXPECT_EQ(textOf(*page, "QRL_CALC_OZ_FONDZAM"),
                  QStringLiteral("3. PRÍSPEVOK NA POISTENIE V NEZAMESTNANOSTI - 3.1. platený zamestnávateľom (%1)")
                      .arg(c.employer));
        EXPECT_EQ(textOf(*page, "QRL_O_FONDZAM"), QStringLiteral("3.3. platený zamestnancom (%1)").arg(c.employee));
        EXPECT_EQ(textOf(*page, "QRL_CALC_OZ_GARFOND"),
                  QStringLiteral("5. PRÍSPEVOK DO GARANČNÉHO FONDU - 5.1. platený zamestnávateľom (%1)").arg(c.guarantee));
        // Group B is empty: the year's rates (1 % and 0,25 % in every year here).
        EXPECT_EQ(textOf(*page, "QRL_CALC_OZ_FONDZAM1"), "3.2. platený zamestnávateľom (1%)");
        EXPECT_EQ(textOf(*page, "QRL_CALC_OZ_GARFOND1"), "5.2. platený zamestnávateľom (0,25%)");
        expectTextsFit(previewHost.last);
        if (c.obdobie == 200703)
            fixtures::expectWrittenAsPdf(previewHost.last, "FZ1_200703");
    }
    EXPECT_EQ(REXFZ1::rateText(0.9), "0,9%");
}

TEST_F(FundStatements, ContributionsByCodeAndGroup)
{
    struct Case {
        int kod;
        bool firmaZps;
        double fondzam, fondzam1, garfond, garfond1;
        int pocet;
    };
    // One employee with base 10 000 at 2.75 % and guarantee 0.25 %: codes 1 and 3 pay both,
    // 5 only the guarantee fund (25), 2 and 4 are counted without an employer base.
    const Case cases[] = {
        {1, false, 275, 0, 25, 0, 1}, {3, false, 275, 0, 25, 0, 1}, {5, false, 0, 0, 25, 0, 1},
        {2, false, 0, 0, 0, 0, 1},    {4, false, 0, 0, 0, 0, 1},    {1, true, 0, 275, 0, 25, 1},
        {5, true, 0, 0, 0, 25, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.kod << " " << c.firmaZps);
        session.execute("delete from \":tarix_data:vyp\"");
        fund(1, 200306, c.kod, 10000, {{"F_firma_zps", c.firmaZps}, {"O_fondzam", 100}});
        const REXFZ1::Sumy s = REXFZ1::Sucty_vykazu(session, 200306, 1, 99, true);
        EXPECT_EQ(s.oz_fondzam, c.fondzam);
        EXPECT_EQ(s.oz_fondzam1, c.fondzam1);
        EXPECT_EQ(s.oz_garfond, c.garfond);
        EXPECT_EQ(s.oz_garfond1, c.garfond1);
        EXPECT_EQ(s.pocet, c.pocet);
        EXPECT_EQ(s.n_zaklad_fz, 10000);
        EXPECT_EQ(s.o_fondzam, 100);
        EXPECT_EQ(s.totalContribution(), 100 + c.fondzam + c.fondzam1 + c.garfond + c.garfond1);
        // The older statement knows no code 5 and no guarantee fund.
        const REXFZ1::Sumy old = REXFZ1::Sucty_vykazu(session, 200306, 1, 99, false);
        EXPECT_EQ(old.oz_fondzam + old.oz_fondzam1, c.kod == 5 ? 0 : c.fondzam + c.fondzam1);
        EXPECT_EQ(old.oz_garfond + old.oz_garfond1, 0);
    }
}

TEST_F(FundStatements, RoundedUpOnTheDecimalValueWithTheGroupsHighestRate)
{
    // 10 000.40 x 2.75 % = 275.011 -> 276; a code-5 record with a higher rate raises group
    // A's rate: (10 000.40) x 3 % = 300.012 -> 301, guarantee (10 000.40 + 2 000) x 0.5 % =
    // 60.002 -> 61.
    fund(1, 200306, 1, 10000.40);
    EXPECT_EQ(REXFZ1::Sucty_vykazu(session, 200306, 1, 99, true).oz_fondzam, 276);
    fund(2, 200306, 5, 2000, {{"Fz_fondz", 3.0}, {"Fz_garfond", 0.5}});
    const REXFZ1::Sumy s = REXFZ1::Sucty_vykazu(session, 200306, 1, 99, true);
    EXPECT_EQ(s.oz_fondzam, 301);
    EXPECT_EQ(s.oz_garfond, 61);
    // The older form ignores code 5 altogether, also for the rate.
    EXPECT_EQ(REXFZ1::Sucty_vykazu(session, 200306, 1, 99, false).oz_fondzam, 276);
}

TEST_F(FundStatements, CountsOfZpsAndZtp)
{
    fund(1, 200306, 1, 1000, {{"ZPS", true}, {"ZTP", true}});
    fund(2, 200306, 1, 1000, {{"ZPS", true}});
    fund(3, 200306, 1, 1000, {{"ZTP", true}});   // ZTP without ZPS counts as neither
    fund(4, 200306, 0, 1000);                    // no contribution: not a contributor
    const REXFZ1::Sumy s = REXFZ1::Sucty_vykazu(session, 200306, 1, 99, true);
    EXPECT_EQ(s.pocet, 3);
    EXPECT_EQ(s.pocet_zps, 2);
    EXPECT_EQ(s.pocet_ztp, 1);
}

TEST_F(FundStatements, VariableSymbolBoxesAndTheFormsTexts)
{
    setInf("fz_vs='1234567', oup_nazov='Úrad práce, sociálnych vecí a rodiny', oup_psc='917 01', oup_mesto='Trnava'");
    fund(1, 200306, 1, 10000.40, {{"O_fondzam", 100}});
    const rpt::PreparedPage *page = run(request("FZ1A", 200306));
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(textOf(*page, QString("VS%1").arg(i)), i <= 7 ? QString::number(i) : QString()) << i;
    EXPECT_EQ(textOf(*page, "CALC_OUP_PSCMESTO"), "917 01 Trnava");
    EXPECT_EQ(textOf(*page, "CALC_ODVOD_FZ"), "376");         // 100 + 276
    EXPECT_EQ(textOf(*page, "CALC_ODVOD_SPOLU"), "402");      // + 10 000.40 x 0.25 % = 25.001 -> 26
    EXPECT_EQ(textOf(*page, "N_ZAKLAD_FZ"), "10 000");
    EXPECT_EQ(textOf(*page, "QR_Vykaz_zostavil"), "Mária Šťastná");
    fixtures::expectWrittenAsPdf(previewHost.last, "FZ1A");
    expectTextsFit(previewHost.last);
}

TEST_F(FundStatements, Fz2BirthNumberBoxesAndBaseByCode)
{
    EXPECT_EQ(REXFZ2::birthNumberInBoxes("750101/1234"), "7501011234");
    EXPECT_EQ(REXFZ2::birthNumberInBoxes(" 75 01 01 / 123 "), "750101123");
    EXPECT_EQ(REXFZ2::birthNumberInBoxes("7501011234567"), "7501011234");

    setInf("fz_vs='98765'");
    session.execute("update \":tarix_data:zam\" set born_numb='750101 / 1234' where code_emp=1");
    fund(1, 200306, 1, 12345);
    // All three codes other than 1: listed with base 0.
    fund(2, 200306, 2, 9999, {{"U_fondzam1", 3}, {"U_fondzam2", 0}});
    TMyReportParam p = request("FZ2", 200306);
    p.Len_udaje = true;   // data only: the boxes carry data and stay
    const rpt::PreparedPage *page = run(p);
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(textOf(*page, "QRL_nadpis1"), "<none>");
    EXPECT_EQ(textOf(*page, "VS1"), "9");
    EXPECT_EQ(textOf(*page, "VS5"), "5");
    EXPECT_EQ(textOf(*page, "VS6"), "");
    QString rc;
    QStringList zaklady;
    for (int row = 0; row < 2; ++row) {
        QString r;
        for (int i = 1; i <= 10; ++i)
            r += textOf(*page, QString("RC%1").arg(i), row);
        if (r == "7501011234")
            rc = r;
        zaklady << textOf(*page, "QRDB_CALC_ZAKLAD", row);
    }
    EXPECT_EQ(rc, "7501011234");
    zaklady.sort();
    EXPECT_EQ(zaklady, (QStringList{"0", "12 345"}));
    TMyReportParam full = request("FZ2", 200306);
    ASSERT_TRUE(run(full));
    fixtures::expectWrittenAsPdf(previewHost.last, "FZ2");
    expectTextsFit(previewHost.last);
}
