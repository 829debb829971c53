// The figures of the income and tax-advance certificates: the bonus of one child by year
// and edition, the months of rows 02 and 06, the periods the queries read, the name and
// address texts, the children's lines, the pension saving and the withholding rows.
#include "certificate_fixture.h"

#include "core/helpers/periods.h"

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::reports::PZ;
using fixtures::CertificateFirm;

namespace {

QString monthsText(const BonusMonths &m)
{
    QStringList out;
    for (int i = 0; i < 12; ++i)
        if (m.priznaky[size_t(i)])
            out << QString::number(i + 1);
    return out.join(',');
}

} // namespace

// One child's bonus without paid bonus to match: by edition and year.
TEST(SumaBonusu, ByEditionAndYear)
{
    const struct Case {
        FormSheet tlacivo;
        int rok, od, po;
        double mesacne;
        double suma;
        const char *flagged; // the months flagged for the months' text
    } cases[] = {
        // 2005: 400 Sk to August, 450 Sk from September: 3 x 400 + 4 x 450.
        {FormSheet::PZ2005, 2005, 6, 12, 500, 3000, ""},
        {FormSheet::PZ2005, 2005, 1, 12, 500, 8 * 400 + 4 * 450, ""},
        // Another year on the 2005 form: months x the parameter.
        {FormSheet::PZ2005, 2006, 6, 12, 500, 7 * 500, ""},
        {FormSheet::PZ2005, 2005, 9, 8, 500, 0, ""},
        // From 2006 outside 2007: months x the parameter, the months listed.
        {FormSheet::PZ2006, 2006, 3, 12, 500, 10 * 500, "3,4,5,6,7,8,9,10,11,12"},
        {FormSheet::PZ2006, 2008, 1, 2, 600, 2 * 600, "1,2"},
        {FormSheet::PZ2006, 2006, 12, 3, 500, 0, ""},
        // 2004 and before: months x the amount given.
        {FormSheet::PZ3, 2004, 1, 12, 500, 6000, ""},
        {FormSheet::PZ2, 2003, 4, 6, 1400, 4200, ""},
        {FormSheet::PZ3, 2004, 7, 6, 500, 0, ""},
        // Months outside the year are not claimed; nothing entered claims nothing.
        {FormSheet::PZ3, 2004, 0, 0, 500, 0, ""},
        {FormSheet::PZ3, 2004, 10, 14, 500, 3 * 500, ""},
    };
    for (const Case &c : cases) {
        BonusMonths m;
        m.priznaky.fill(1); // left from the child before
        EXPECT_DOUBLE_EQ(Suma_bonusu(c.tlacivo, c.rok, c.od, c.po, c.mesacne, m), c.suma)
            << int(c.tlacivo) << " " << c.rok << " " << c.od << "-" << c.po;
        EXPECT_EQ(monthsText(m), QString::fromLatin1(c.flagged)) << int(c.tlacivo) << " " << c.rok;
    }
}

// 2007: 540 Sk in months 1 to 6 and 555 Sk in 7 to 12, only where bonus was paid, taken
// from the month's payment child by child.
TEST(SumaBonusu, In2007MatchesThePaidBonusChildByChild)
{
    BonusMonths m;
    for (int i = 0; i < 12; ++i)
        m.zostatok[size_t(i)] = i < 6 ? 1080 : 1110;
    m.zostatok[4] = 540;  // May: one child's bonus paid
    m.zostatok[8] = 0;    // September: nothing paid
    EXPECT_DOUBLE_EQ(Suma_bonusu(FormSheet::PZ2006, 2007, 1, 12, 500, m), 6 * 540 + 5 * 555);
    EXPECT_EQ(MyConsts::Text_zoznamu_mesiacov(m.priznaky), "1-8,10-12");
    // The second child finds May taken.
    EXPECT_DOUBLE_EQ(Suma_bonusu(FormSheet::PZ2006, 2007, 3, 12, 500, m), 3 * 540 + 5 * 555);
    EXPECT_EQ(MyConsts::Text_zoznamu_mesiacov(m.priznaky), "3,4,6-8,10-12");
    // What the second child did not claim stays: half of January's and February's payment.
    for (int i = 0; i < 12; ++i)
        EXPECT_DOUBLE_EQ(m.zostatok[size_t(i)], i < 2 ? 540 : 0) << i + 1;
    EXPECT_DOUBLE_EQ(Suma_bonusu(FormSheet::PZ2006, 2007, 8, 7, 500, m), 0);
}

class PzFigures : public CertificateFirm {};

// Two children in 2007 and a paid bonus that runs out after August: both children get
// the months 1 to 8, the totals match the payment and no difference is reported.
TEST_F(PzFigures, In2007TheBonusOfTwoChildrenFollowsThePayment)
{
    addChild(1, "Peter", "Hudák", 1, 12);
    addChild(1, "Lucia", "Hudáková", 1, 12);
    for (int m = 1; m <= 12; ++m)
        addVyp(1, 200700 + m, {{"d_bonus_cerpany", m <= 6 ? 1080 : m <= 8 ? 1110 : 0}, {"nc_minimum", 0}});
    const PZ::CertificateFigures f = figuresOf(FormSheet::PZ2006, 200712, 1);
    ASSERT_EQ(f.deti.size(), 2u);
    for (const Child &d : f.deti) {
        EXPECT_DOUBLE_EQ(d.CALC_NC, 6 * 540 + 2 * 555);
        EXPECT_EQ(d.CALC_MES, "1-8");
    }
    EXPECT_EQ(f.deti[0].CALC_DIETA, "Peter Hudák, 20.5.2000");
    EXPECT_DOUBLE_EQ(f.CALC_BONUS_CELKOM, 2 * (6 * 540 + 2 * 555));
    EXPECT_FALSE(f.Rozdiel_bonusu);

    // Paid for a third child nobody recorded: the rest is a difference.
    session.execute("update \":tarix_data:vyp\" set d_bonus_cerpany = 1620 where v_obdobie = 200703");
    const PZ::CertificateFigures g = figuresOf(FormSheet::PZ2006, 200712, 1);
    EXPECT_TRUE(g.Rozdiel_bonusu);
    EXPECT_DOUBLE_EQ(g.Nesparovany_bonus, 540);
}

// After 2007 the bonus is not matched to the payments: months x parameter 28, the months
// listed, and no difference reported for a paid bonus.
TEST_F(PzFigures, From2008NoMatchingAndNoDifference)
{
    addChild(1, "Peter", "Hudák", 2, 11);
    for (int m = 1; m <= 12; ++m)
        addVyp(1, 200800 + m, {{"d_bonus_cerpany", 600}});
    const PZ::CertificateFigures f = figuresOf(FormSheet::PZ2006, 200812, 1);
    ASSERT_EQ(f.deti.size(), 1u);
    EXPECT_DOUBLE_EQ(f.deti[0].CALC_NC, 10 * kParameter28);
    EXPECT_EQ(f.deti[0].CALC_MES, "2-11");
    EXPECT_FALSE(f.Rozdiel_bonusu);
    EXPECT_DOUBLE_EQ(f.Nesparovany_bonus, 0);
}

// Row 02 lists every month of an advance-taxed payroll in month order; row 06 only the
// months whose own non-taxable part is above 0.
TEST_F(PzFigures, Row06ListsTheMonthsWithANonTaxablePart)
{
    for (int m : {12, 1, 5, 2, 3, 4, 6, 7, 8, 9, 10, 11})
        addVyp(1, 200700 + m, {{"nc_minimum", m == 2 || m == 3 || m == 11 ? 3300 : 0}});
    for (FormSheet t : {FormSheet::PZ2006, FormSheet::PZ2005, FormSheet::PZ3, FormSheet::PZ2}) {
        const PZ::CertificateFigures f = figuresOf(t, 200712, 1);
        EXPECT_EQ(f.CALC_MESIACE, "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12") << int(t);
        EXPECT_EQ(f.CALC_MES_NC_MIN, "2,3,11") << int(t);
        EXPECT_DOUBLE_EQ(f.nc_minimum.toDouble(), 3 * 3300) << int(t);
    }
}

// The main query reads January to December of the year; the pension saving of row 09
// December of the previous year to November, never before January 2005.
TEST_F(PzFigures, QueryPeriods)
{
    addVyp(1, 200612, {{"d_ciastzd", 900000}, {"n_poist", 100}, {"n_ddp", 300}});
    addVyp(1, 200701, {{"d_ciastzd", 20000}, {"n_poist", 2000}, {"n_ddp", 500}, {"d_preddavok", 1500}});
    addVyp(1, 200712, {{"d_ciastzd", 30000}, {"n_poist", 3000}, {"n_ddp", 700}, {"d_preddavok", 2500}});
    addVyp(1, 200801, {{"d_ciastzd", 800000}, {"n_poist", 100}, {"n_ddp", 900}});
    const PZ::CertificateFigures f = figuresOf(FormSheet::PZ2006, 200712, 1);
    EXPECT_DOUBLE_EQ(f.n_brutto.toDouble(), 50000 + 5000);
    EXPECT_DOUBLE_EQ(f.d_ciastzd.toDouble(), 50000);
    EXPECT_DOUBLE_EQ(f.d_preddavok.toDouble(), 4000);
    EXPECT_EQ(f.CALC_MESIACE, "1, 12");
    EXPECT_EQ(f.CALC_DDP, "800"); // 200612 and 200701
    EXPECT_EQ(figuresOf(FormSheet::PZ2005, 200712, 1).CALC_DDP, "800");

    // 2005: December 2004 does not count.
    addVyp(2, 200412, {{"n_ddp", 400}});
    addVyp(2, 200503, {{"n_ddp", 250}});
    EXPECT_EQ(figuresOf(FormSheet::PZ2005, 200512, 2).CALC_DDP, "250");
    // No payroll from December to November: row 09 empty; a dialog value replaces it.
    addVyp(3, 200512, {{"n_ddp", 100}});
    EXPECT_EQ(figuresOf(FormSheet::PZ2005, 200512, 3).CALC_DDP, "");
    TMyReportParam p = pzRequest(200512, 3);
    p.Hodnota_ine2() = "  1200 ";
    EXPECT_EQ(figures(FormSheet::PZ2005, p).at(0).CALC_DDP, "1200");
}

// An employee whose payrolls of the year are all taxed by withholding: no 2005 page; from
// 2006 a page with rows 01 to 10 empty and rows 12 to 14 from those payrolls.
TEST_F(PzFigures, WithheldEmployee)
{
    for (int m = 1; m <= 3; ++m) {
        addVyp(4, 200500 + m, {{"dan_vyrovnana", 1}, {"d_ciastzd2", 4000}, {"n_poist", 500}});
        addVyp(4, 200600 + m,
                  {{"dan_vyrovnana", 1}, {"d_ciastzd2", 4000}, {"n_poist", 500}, {"o_zdravot", 200}, {"d_dan", 700}, {"n_ddp", 0},
                   {"vyrovnanie_zp", m == 1 ? 300 : 0}});
        addVyp(4, 200700 + m, {{"dan_vyrovnana", 1}, {"d_ciastzd2", 4000}, {"n_poist", 500}, {"vyrovnanie_zp", 300}});
    }
    addVyp(5, 200501, {{"d_ciastzd", 10000}});
    EXPECT_TRUE(figures(FormSheet::PZ2005, pzRequest(200512, 4)).empty());
    EXPECT_EQ(figures(FormSheet::PZ2005, pzRequest(200512)).size(), 1u);
    EXPECT_TRUE(figures(FormSheet::PZ3, pzRequest(200512, 4)).empty());

    const PZ::CertificateFigures f = figuresOf(FormSheet::PZ2006, 200612, 4);
    EXPECT_FALSE(f.n_brutto.isValid());
    EXPECT_EQ(f.CALC_MESIACE, "");
    EXPECT_EQ(f.CALC_DDP, "0"); // he has payrolls from December to November
    EXPECT_EQ(f.CALC_NZ_DDP, "0");
    // The health-insurance settlement counts into row 12 in 2006 only.
    EXPECT_DOUBLE_EQ(f.CALC_R13, 3 * 4500 + 300);
    EXPECT_DOUBLE_EQ(f.CALC_R14A, 1500);
    EXPECT_DOUBLE_EQ(f.CALC_R14B, 600);
    EXPECT_DOUBLE_EQ(f.CALC_R15, 2100);
    EXPECT_DOUBLE_EQ(figuresOf(FormSheet::PZ2006, 200712, 4).CALC_R13, 3 * 4500);

    // Without withholding records rows 12 to 14 are 0.
    addVyp(6, 200605, {{"d_ciastzd", 10000}});
    const PZ::CertificateFigures g = figuresOf(FormSheet::PZ2006, 200612, 6);
    EXPECT_EQ(std::vector<double>({g.CALC_R13, g.CALC_R14A, g.CALC_R14B, g.CALC_R15}), std::vector<double>(4, 0.0));
}

// The name with and without a title, the address with and without a street; row 10 from
// the dialog, else the employer's contributions, else "0".
TEST_F(PzFigures, NameAddressAndEmployerContributions)
{
    session.execute("update \":tarix_data:zam\" set title = null, tp_street = '' where code_emp = 2");
    addVyp(1, 200703, {{"nz_ddp", 450.4}});
    addVyp(2, 200703, {});
    const std::vector<PZ::CertificateFigures> all = figures(FormSheet::PZ2006, pzRequest(200712));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].TMP, "Ing. Ján Hudák");
    EXPECT_EQ(all[0].ADR, "Hlavná 12, Trnava");
    EXPECT_EQ(all[0].CALC_NZ_DDP, "450");
    const db::SqlResult z = session.run("select name, surname, tp_city from \":tarix_data:zam\" where code_emp = 2");
    // A missing title leaves no blank before the name.
    EXPECT_EQ(all[1].TMP, z.asString(0, 0) + " " + z.asString(0, 1));
    EXPECT_EQ(all[1].ADR, z.asString(0, 2));
    EXPECT_EQ(all[1].CALC_NZ_DDP, "0");

    TMyReportParam p = pzRequest(200712);
    p.Hodnoty()[1] = " 1000 ";
    for (const PZ::CertificateFigures &f : figures(FormSheet::PZ2006, p))
        EXPECT_EQ(f.CALC_NZ_DDP, "1000");
}

// The children in the order they were recorded, only those entitled (NC); ten computed
// (six on the 2001 to 2003 form) and all of them counted in row 08.
TEST_F(PzFigures, ChildrenLines)
{
    for (int i = 1; i <= 12; ++i)
        addChild(1, QStringLiteral("Dieťa%1").arg(i), "Hudák", 1, 12, i == 2, i != 5, QDate(1995 + i, 1, 2));
    addVyp(1, 200603, {});
    addVyp(1, 200503, {});
    addVyp(1, 200403, {});
    addVyp(1, 200303, {});

    const PZ::CertificateFigures f = figuresOf(FormSheet::PZ2006, 200612, 1);
    ASSERT_EQ(f.deti.size(), 10u);
    EXPECT_EQ(f.deti[0].CALC_DIETA, "Dieťa1 Hudák, 2.1.1996");
    EXPECT_EQ(f.deti[4].CALC_DIETA, "Dieťa6 Hudák, 2.1.2001"); // the fifth is not entitled
    EXPECT_EQ(f.deti[9].CALC_DIETA, "Dieťa11 Hudák, 2.1.2006");
    EXPECT_EQ(f.deti[9].CALC_MES, "1-12");
    EXPECT_DOUBLE_EQ(f.CALC_BONUS_CELKOM, 10 * 12 * kParameter28);

    const PZ::CertificateFigures g = figuresOf(FormSheet::PZ2005, 200512, 1);
    ASSERT_EQ(g.deti.size(), 10u);
    EXPECT_EQ(g.deti[0].CALC_MES, "1 - 12");
    EXPECT_DOUBLE_EQ(g.CALC_BONUS_CELKOM, 10 * (8 * 400 + 4 * 450));

    // 2004: " - " before the birth date of every child after the first.
    const PZ::CertificateFigures h = figuresOf(FormSheet::PZ3, 200412, 1);
    ASSERT_EQ(h.deti.size(), 10u);
    EXPECT_EQ(h.deti[0].CALC_DIETA, "Dieťa1 Hudák, 2.1.1996");
    EXPECT_EQ(h.deti[1].CALC_DIETA, "Dieťa2 Hudák - 2.1.1997");
    EXPECT_DOUBLE_EQ(h.deti[1].CALC_NC, 12 * kParameter28);

    // 2001 to 2003: six children at the dialog's amount, twice that and "ŤZP" when disabled.
    TMyReportParam p = pzRequest(200312, 1);
    p.Hodnota_ine_cislo = 1400;
    const std::vector<PZ::CertificateFigures> pz2 = figures(FormSheet::PZ2, p);
    ASSERT_EQ(pz2.size(), 1u);
    ASSERT_EQ(pz2[0].deti.size(), 6u);
    EXPECT_DOUBLE_EQ(pz2[0].deti[0].CALC_NC, 12 * 1400);
    EXPECT_EQ(pz2[0].deti[0].CALC_ZTP, "");
    EXPECT_DOUBLE_EQ(pz2[0].deti[1].CALC_NC, 12 * 2800);
    EXPECT_EQ(pz2[0].deti[1].CALC_ZTP, "ŤZP");
}
