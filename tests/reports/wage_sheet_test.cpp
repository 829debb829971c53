// The yearly wage sheet from 2004: who gets a sheet, the months in order, the year's sums of
// every cell, the formats of days and amounts, the calculated cells, and the fit of every text.
#include "sheets_fixture.h"

#include "core/helpers/code_texts.h"
#include "reports/sheets/report_ml3.h"

#include <QRegularExpression>

using namespace tarix;
using namespace tarix::reports;
using fixtures::SheetsFirm;

namespace {

double cislo(const QString &text)
{
    QString t = text;
    t.remove(QRegularExpression(QStringLiteral("\\s")));
    t.replace(u',', u'.');
    return t.toDouble();
}

class WageSheet : public SheetsFirm {
protected:
    void SetUp() override
    {
        SheetsFirm::SetUp();
        openYear(2007);
    }
};

} // namespace

TEST_F(WageSheet, OneSheetPerEmployeeWithAPayrollInTheYearMonthsInOrder)
{
    // Months written out of order; employee 5 was paid only the year before, employee 3
    // only in another cost centre's range of the request.
    for (int m : {3, 1, 2})
        insertVyp(1, 200700 + m, {{"N_brutto", 1000 * m}, {"V_den", 20.5}});
    insertVyp(3, 200705, {{"N_brutto", 777}});
    insertVyp(5, 200612, {{"N_brutto", 555}});

    const rpt::PreparedReport &r = run("ML", 200703);
    ASSERT_EQ(chooseReport("ML", 200703, firmDistance).nazov, "TReportML3");
    ASSERT_EQ(r.pageCount(), 2);
    EXPECT_EQ(textOf(r.pages[0], "QRDB_CALC_MPT"), "Ján Hudák Ing.");
    EXPECT_EQ(textOf(r.pages[1], "QRDB_CALC_MPT"), "Peter Čierny");
    EXPECT_EQ(textOf(r.pages[0], "QRL_ROK"), "Rok 2007");
    EXPECT_EQ(textsOf(r, "QRDB_V_mesiac"), (QStringList{"1", "2", "3", "5"}));
    EXPECT_EQ(textsOf(r, "QRDB_N_brutto"), (QStringList{"1000", "2000", "3000", "777"}));
    EXPECT_EQ(textsOf(r, "QRE_N_brutto"), (QStringList{"6000", "777"}));
    EXPECT_EQ(textsOf(r, "QRE_V_den").value(0), "61,5");
    EXPECT_FALSE(allTexts(r).contains("555"));
    EXPECT_TRUE(allTexts(r).contains("Generované programom TARIX"));

    // The cost-centre range picks employees by the centre of their payroll records.
    const rpt::PreparedReport &len1 = run("ML", 200703, [](TMyReportParam &p) { p.Stredisko_od = p.Stredisko_do = 2; });
    EXPECT_TRUE(textsOf(len1, "QRDB_CALC_MPT").isEmpty());
}

TEST_F(WageSheet, EveryYearTotalIsTheSumOfItsMonthlyCells)
{
    // Every field of the table gets a different value in each month.
    int k = 1;
    for (int m = 1; m <= 12; ++m) {
        QVariantMap v;
        for (const TReportML3::SheetColumn &s : TReportML3::sheetColumns())
            for (const TReportML3::Riadok &riadok : s.riadky)
                if (riadok.pole && !QString(riadok.pole).startsWith("CALC_") && QString(riadok.pole) != "V_nahrada_pn")
                    v.insert(riadok.pole, TReportML3::mask(riadok.pole) == "0" ? 100.0 * k++ + m : 0.5 * m);
        for (const char *f : {"n_jednoraz1", "n_jednoraz2", "n_premie", "n_odmeny", "n_nahrada", "n_nemohol", "nd_spolu",
                              "n_clenovia_organov", "n_pohotovost"})
            v.insert(f, 10.0 * m + k++);
        v.insert("V_nahrada_pn1", m % 3);
        v.insert("V_nahrada_pn2", 1);
        insertVyp(1, 200700 + m, v);
    }
    const rpt::PreparedReport &r = run("ML", 200712);
    ASSERT_GE(r.pageCount(), 1);
    for (const TReportML3::SheetColumn &s : TReportML3::sheetColumns())
        for (const TReportML3::Riadok &riadok : s.riadky) {
            if (!riadok.pole)
                continue;
            SCOPED_TRACE(riadok.pole);
            const QStringList mesiace = textsOf(r, QStringLiteral("QRDB_") + riadok.pole);
            ASSERT_EQ(mesiace.size(), 12);
            double suma = 0;
            for (const QString &t : mesiace)
                suma += cislo(t);
            const QStringList spolu = textsOf(r, QStringLiteral("QRE_") + riadok.pole);
            ASSERT_EQ(spolu.size(), 1);
            EXPECT_DOUBLE_EQ(cislo(spolu[0]), suma);
            EXPECT_NE(suma, 0);
        }
}

TEST_F(WageSheet, DaysAndHoursWithOneDecimalAmountsWholeAndTheCalculatedCells)
{
    insertVyp(1, 200702,
              {{"V_den", 20}, {"V_hodina", 160.5}, {"V_holiday", 1.5}, {"V_plat", 18500.4}, {"N_odstupne", 3000},
               {"N_clenovia_organov", 200}, {"N_pohotovost", 50}, {"N_premie", 100}, {"N_odmeny", 10},
               {"N_jednoraz1", 1}, {"N_jednoraz2", 2}, {"N_nahrada", 40}, {"N_nemohol", 5}, {"Nd_spolu", 900},
               {"Nd_materska", 300}, {"Nd_pridavky", 100}, {"V_nahrada_pn1", 3}, {"V_nahrada_pn2", 7}});
    const rpt::PreparedReport &r = run("ML", 200702);
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &p = r.pages[0];
    EXPECT_EQ(textOf(p, "QRDB_V_den"), "20,0");
    EXPECT_EQ(textOf(p, "QRDB_V_hodina"), "160,5");
    EXPECT_EQ(textOf(p, "QRDB_V_holiday"), "1,5");
    EXPECT_EQ(textOf(p, "QRDB_V_nahrada_pn"), "10,0");
    EXPECT_EQ(textOf(p, "QRDB_V_plat"), "18500");
    EXPECT_EQ(textOf(p, "QRDB_N_odstupne"), "3000");
    EXPECT_EQ(textOf(p, "QRDB_CALC_OSTATNE_P"), "250");   // severance pay has its own line
    EXPECT_EQ(textOf(p, "QRDB_CALC_PREMIE"), "113");
    EXPECT_EQ(textOf(p, "QRDB_CALC_NAHRADY"), "45");
    EXPECT_EQ(textOf(p, "QRDB_CALC_DAVKY_NP"), "500");
    EXPECT_EQ(textOf(p, "QRE_V_hodina"), "160,5");
    EXPECT_EQ(textOf(p, "QRE_V_plat"), "18500");
}

TEST_F(WageSheet, TheHeadingAndTheChildrenClaimedForTax)
{
    session.execute("update \":tarix_data:zam\" set tp_street=NULL, tp_zip='917 01', tp_city='Trnava', "
                    "pp_street='Hlavná 5', pp_zip='811 01', pp_city='Bratislava', rod_stav='2', pohlavie='M' "
                    "where code_emp=1");
    session.execute("delete from \":tarix_data:deti\" where code_emp=1");
    session.execute("insert into \":tarix_data:deti\" (Code_emp, DID, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC) "
                    "values (1, 901, 'Hudáková', 'Zuzana', '015506/1234', '2001-05-06', 0, 0, 1), "
                    "(1, 902, 'Hudák', 'Juraj', '030102/1234', '2003-01-02', 0, 0, 0)");
    insertVyp(1, 200701, {{"N_brutto", 1}});
    const rpt::PreparedReport &r = run("ML", 200701);
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &p = r.pages[0];
    EXPECT_EQ(textOf(p, "QRDB_CALC_FIRMA"), "Demo s.r.o.");
    EXPECT_EQ(textOf(p, "QRDB_CALC_ADRESA_TP"), "917 01 Trnava");
    EXPECT_EQ(textOf(p, "QRDB_CALC_ADRESA_PP"), "Hlavná 5, 811 01 Bratislava");
    EXPECT_EQ(textOf(p, "QRDB_CALC_STAV"), MyConsts::Text_rodinneho_stavu('2', 'M'));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_MP"), QStringList{"Zuzana Hudáková"});
}

TEST_F(WageSheet, EveryTextFitsItsBoxAndTwelveMonthsFitOnePage)
{
    session.execute("delete from \":tarix_data:deti\" where code_emp=1");
    session.execute("insert into \":tarix_data:deti\" (Code_emp, DID, Priezvisko, Meno, RC, DAT_NAR, PD, ZTP, NC) "
                    "values (1, 901, 'Hudáková', 'Zuzana', '015506/1234', '2001-05-06', 0, 0, 1), "
                    "(1, 902, 'Hudák', 'Juraj', '030102/1234', '2003-01-02', 0, 0, 1)");
    session.execute("update \":tarix_data:zam\" set tp_street='Trnavská cesta 1234/56', tp_zip='917 01', "
                    "tp_city='Trnava-Modranka', pp_street='Hlavná 5', pp_zip='811 01', pp_city='Bratislava' "
                    "where code_emp=1");
    for (int m = 1; m <= 12; ++m) {
        QVariantMap v;
        for (const TReportML3::SheetColumn &s : TReportML3::sheetColumns())
            for (const TReportML3::Riadok &riadok : s.riadky)
                if (riadok.pole && !QString(riadok.pole).startsWith("CALC_") && QString(riadok.pole) != "V_nahrada_pn")
                    v.insert(riadok.pole, TReportML3::mask(riadok.pole) == "0" ? 98765.0 : 23.5);
        v.insert("V_hodina", 188.5);
        insertVyp(1, 200700 + m, v);
    }
    const rpt::PreparedReport &r = run("ML", 200712);
    ASSERT_EQ(r.pageCount(), 1);
    expectFits(r, 297, 210);
}

TEST_F(WageSheet, BeforeTwoThousandFourTheOldSheetPrintsEvenWhenEmpty)
{
    openYear(2004);
    EXPECT_EQ(chooseReport("ML", 200312, firmDistance).nazov, "TReportML");
    const rpt::PreparedReport &prazdny = run("ML", 200312);
    EXPECT_TRUE(textsOf(prazdny, "QRDB_CALC_MPT").isEmpty());

    insertVyp(1, 200311, {{"V_plat", 15000}, {"N_odstupne", 3000}, {"N_clenovia_organov", 200}, {"N_brutto", 18200},
                          {"N_zaklad_fz", 18200}, {"V_den", 21}});
    insertVyp(1, 200312, {{"V_plat", 15000}, {"N_brutto", 15000}, {"N_zaklad_fz", 15000}, {"V_den", 20}});
    const rpt::PreparedReport &r = run("ML", 200312);
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &p = r.pages[0];
    EXPECT_EQ(textOf(p, "QRL_ROK"), "Rok: 2003");
    EXPECT_TRUE(pageTexts(p).contains("Prechodné bydlisko"));
    EXPECT_EQ(textsOf(r, "QRDB_CALC_OSTATNE_P"), (QStringList{"3200", "0"}));   // severance pay among other incomes
    EXPECT_EQ(textsOf(r, "QRE_n_zaklad_fz"), QStringList{"33200"});
    EXPECT_EQ(textsOf(r, "QRE_N_brutto"), QStringList{"33200"});
    EXPECT_EQ(textsOf(r, "QRE_V_den"), QStringList{"41,0"});
    expectFits(r, 297, 210);
}
