// The wage recapitulation VL3: its totals (read without printing and printed) against the
// stored payroll records of the period and centre range, the tax lines, last month's
// withholding tax, the month and year the request chooses, and its month queries.
#include "lists_fixture.h"

#include "platform/db/sql_result.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/lists/report_vl3.h"

#include <QRegularExpression>

using namespace tarix;
using namespace tarix::reports;
using fixtures::ListsFirm;

namespace {

class WageRecap : public ListsFirm {
protected:
    void SetUp() override
    {
        ListsFirm::SetUp();
        openYear(2007);
        // March: four records over two centres; one settles its tax by withholding, one has
        // an underpayment of the annual settlement, one an overpayment.
        insertVyp(1, 200703, {{"V_hodina", 168}, {"V_plat", 30000}, {"N_brutto", 32000}, {"D_vyrovnanie", -300},
                              {"D_dan", 0}, {"Vh_nadcas", 10}, {"Vp_nadcas", 1250.5}, {"Sporenie", 100},
                              {"Ne_zaloha", 4000}, {"N_netto", 24116.5}, {"Vyplata", 20016.5}, {"N_jednoraz1", 70},
                              {"N_jednoraz2", 30}});
        insertVyp(3, 200703, {{"V_hodina", 80.5}, {"V_plat", 9000}, {"N_brutto", 9800.4}, {"D_vyrovnanie", 200},
                              {"Ne_stravne", 150.25}, {"N_netto", 8300}, {"Vyplata", 8149.75}});
        insertVyp(5, 200703, {{"N_brutto", 4000}, {"Dan_vyrovnana", 1}, {"D_dan", 760}, {"N_netto", 3240},
                              {"Vyplata", 3240}});
        insertVyp(2, 200703, {{"SID", 2}, {"N_brutto", 7000}, {"D_vyrovnanie", -55}, {"N_netto", 6000},
                              {"Vyplata", 6000}});
        // Withholding tax of February in both centres, and other months of the year.
        insertVyp(5, 200702, {{"D_dan", 600}, {"N_brutto", 4000}});
        insertVyp(7, 200702, {{"D_dan", 150}, {"N_brutto", 1000}});
        insertVyp(2, 200702, {{"SID", 2}, {"D_dan", 99}, {"N_brutto", 7000}});
        insertVyp(1, 200701, {{"N_brutto", 31000}, {"V_hodina", 160}});
        insertVyp(1, 200612, {{"D_dan", 321}, {"N_brutto", 30000}});
        zeroBlanks();
    }

    static TMyReportParam recap(int obdobie, int od, int po, int sidOd = 1, int sidDo = 99)
    {
        TMyReportParam p = listRequest("VL3", obdobie);
        p.Obdobie_od = od;
        p.Obdobie_do = po;
        p.Stredisko_od = sidOd;
        p.Stredisko_do = sidDo;
        return p;
    }

    double stored(const QString &expr, int od, int po, int sidOd, int sidDo)
    {
        return session
            .run(QStringLiteral("select sum(%1) from \":tarix_data:vyp\" where v_obdobie between :a and :b "
                                "and sid between :c and :d")
                     .arg(expr),
                 {{"a", od}, {"b", po}, {"c", sidOd}, {"d", sidDo}})
            .asFloat(0, 0);
    }
};

} // namespace

TEST_F(WageRecap, EveryTotalIsTheSumOfTheRangesRecords)
{
    struct Case {
        int od, po, sidOd, sidDo;
        int pocet;
    } cases[] = {{200703, 200703, 1, 99, 4}, {200703, 200703, 1, 1, 3}, {200703, 200703, 2, 2, 1},
                 {200701, 200712, 1, 99, 8}, {200601, 200612, 1, 99, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.od) + " " + std::to_string(c.sidOd));
        const wage_recap::Sumy s = wage_recap::wageRecap(
            session, {.obdobieOd = c.od, .obdobieDo = c.po, .strediskoOd = c.sidOd, .strediskoDo = c.sidDo});
        EXPECT_EQ(s.pocet, c.pocet);
        for (const QString &pole : wage_recap::sumFields())
            if (!pole.startsWith("calc_")) {
                EXPECT_DOUBLE_EQ(s[pole], stored("ifnull(" + pole + ",0)", c.od, c.po, c.sidOd, c.sidDo)) << pole.toStdString();
            }
        EXPECT_DOUBLE_EQ(s["calc_brutto_dohody"],
                         stored("case when dan_vyrovnana=1 then n_brutto else 0 end", c.od, c.po, c.sidOd, c.sidDo));
        EXPECT_DOUBLE_EQ(s["calc_zrazky"], stored("sporenie+ne_stravne+ne_poistovna+ne_pozicky+ne_odborar+ne_exekucia+ne_zaloha",
                                                  c.od, c.po, c.sidOd, c.sidDo));
    }
}

TEST_F(WageRecap, MonthlyPrintsTheTaxLinesAndLastMonthsWithholdingTax)
{
    const rpt::PreparedReport *r = run(recap(200703, 200703, 200703));
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->pageCount(), 1);
    const rpt::PreparedPage &page = r->pages[0];
    EXPECT_EQ(textOf(page, "QRLabel_titul"), "REKAPITULÁCIA MIEZD ZA MAREC 2007");
    EXPECT_EQ(textOf(page, "QRLabel_zrazkova2"), "Zrážková daň za minulý mesiac");
    EXPECT_EQ(textOf(page, "QRDB_CALC_FIRMA"), "DEMO STAV, s.r.o.");
    struct Line {
        const char *caption;
        const char *value;
    } lines[] = {
        {"HRUBÝ PRÍJEM SPOLU", "52800,40"},
        {"Mzda základná", "39000,00"},
        {"Jednorázová mzda", "100,00"},
        // Only the record whose tax is settled by withholding.
        {"Hrubý príjem zdanený os.sadzbou", "4000,00"},
        // Underpayments 300 + 55 less the overpayment 200.
        {"Nedoplatok(+), preplatok(-) ročnej dane", "155,00"},
        {"Zrážková daň", "760,00"},
        // February's withholding tax of every centre.
        {"Zrážková daň za minulý mesiac", "849,00"},
        {"Za nadčas", "1250,50"},
        {"ZRÁŽKY SPOLU", "4250,25"},
        {"K VÝPLATE", "37406,25"},
    };
    const QString text = rpt::exportText(*r);
    for (const Line &l : lines) {
        const QRegularExpression re(QRegularExpression::escape(QString::fromUtf8(l.caption)) + " +(\\S+ +)?"
                                    + QRegularExpression::escape(QString::fromUtf8(l.value)) + "( |\r|$)");
        EXPECT_TRUE(re.match(text).hasMatch()) << l.caption << " " << l.value << "\n" << text.toStdString();
    }
    // Hours with one decimal, surcharge hours whole.
    EXPECT_TRUE(text.contains(QRegularExpression("Mzda základná +248,5 +39000,00"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Za nadčas +10 +1250,50"))) << text.toStdString();
}

TEST_F(WageRecap, AnOverpaymentPrintsNegative)
{
    session.execute("update \":tarix_data:vyp\" set d_vyrovnanie = 0 where v_obdobie = 200703 and code_emp <> 3");
    const rpt::PreparedReport *r = run(recap(200703, 200703, 200703, 1, 1));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(lastTextNamed(*r, "QRSum_prijem_41"), "-200,00");
}

TEST_F(WageRecap, JanuaryReadsDecemberOfTheYearBefore)
{
    for (int n : {1, 3}) {
        // The same figure whether the month has one record or several.
        if (n == 3) {
            insertVyp(3, 200701, {{"N_brutto", 1}});
            insertVyp(5, 200701, {{"N_brutto", 1}});
            zeroBlanks();
        }
        const rpt::PreparedReport *r = run(recap(200701, 200701, 200701));
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(lastTextNamed(*r, "QRSum_prijem_39"), "321,00") << n;
        EXPECT_DOUBLE_EQ(wage_recap::lastMonthWithholdingTax(session, 200701, 1, 99), 321);
    }
}

TEST_F(WageRecap, TheChosenMonthIsPrintedAndAYearCoversItsTwelveMonths)
{
    // The request's range still holds the open month (January); the dialog chose March.
    TMyReportParam p = recap(200703, 200701, 200701);
    TReportVL3 vl3;
    vl3.Nastav_parametre(p);
    EXPECT_EQ(vl3.range().obdobieOd, 200703);
    EXPECT_EQ(vl3.range().obdobieDo, 200703);
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(), "REKAPITULÁCIA MIEZD ZA MAREC 2007");
    EXPECT_EQ(lastTextNamed(*r, "QRSum_prijem_19"), "52800,40");

    // A range: the whole year of the chosen period, no withholding tax of last month.
    r = run(recap(200703, 200701, 200703));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(), "REKAPITULÁCIA MIEZD ZA ROK 2007");
    EXPECT_EQ(r->pages[0].findText("QRLabel_zrazkova2")->text(), "Pri ročnej rekapitulácii : nevyplnené");
    const QString minula = lastTextNamed(*r, "QRSum_prijem_39");
    EXPECT_TRUE(minula.isEmpty() || minula == "<none>") << minula.toStdString();
    EXPECT_EQ(lastTextNamed(*r, "QRSum_prijem_19"),
              QString::number(stored("n_brutto", 200701, 200712, 1, 99), 'f', 2).replace('.', ','));
}

TEST_F(WageRecap, NoRecordInTheRangeGivesNoPage)
{
    const int before = previewHost.shownCount;
    ParForm::Spusti_zostavu_podla_nazvu(recap(200705, 200705, 200705));
    EXPECT_EQ(previewHost.shownCount, before);
    EXPECT_TRUE(scripted.messages().isEmpty());
}

TEST_F(WageRecap, MonthQueriesRunWithTheirOwnParameters)
{
    const db::SqlResult q1 = wage_recap::monthSums(session, 200703, 1, 1);
    ASSERT_EQ(q1.rowCount(), 1);
    EXPECT_DOUBLE_EQ(q1.asFloat(0, q1.columnIndex("n_brutto")), 45800.4);
    EXPECT_DOUBLE_EQ(q1.asFloat(0, q1.columnIndex("n_brutto_dohody")), 4000);
    EXPECT_DOUBLE_EQ(q1.asFloat(0, q1.columnIndex("vy_zraz")), 150.25);
    EXPECT_DOUBLE_EQ(wage_recap::taxArrears(session, 200703, 1, 99), 355);
    EXPECT_DOUBLE_EQ(wage_recap::taxOverpayments(session, 200703, 1, 99), 200);
    EXPECT_DOUBLE_EQ(wage_recap::taxArrears(session, 200705, 1, 99), 0);
    EXPECT_DOUBLE_EQ(wage_recap::lastMonthWithholdingTax(session, 200703, 1, 1), 750);
}

TEST_F(WageRecap, DataOnlyKeepsTheTitlesAndTheFigures)
{
    TMyReportParam p = recap(200703, 200703, 200703);
    p.Len_udaje = true;
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    const rpt::PreparedPage &page = r->pages[0];
    EXPECT_EQ(textOf(page, "QRLabel_titul"), "REKAPITULÁCIA MIEZD ZA MAREC 2007");
    EXPECT_EQ(textOf(page, "QRLabel_zrazkova2"), "Zrážková daň za minulý mesiac");
    EXPECT_EQ(textOf(page, "QRLabel_prijem_1"), "<none>");
    EXPECT_EQ(textOf(page, "QRSum_prijem_19"), "52800,40");
}
