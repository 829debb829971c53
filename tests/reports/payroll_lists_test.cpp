// The payroll lists VL (and before 2004 VLOLD), VL2 and ZL: the coin breakdown, which
// records each list takes, the order of names, the SPOLU sums against the stored records,
// texts within their boxes, and the printed text pinned.
#include "lists_fixture.h"

#include "core/helpers/text_utils.h"
#include "reports/lists/report_cash_list.h"
#include "reports/lists/mincovka.h"
#include "reports/lists/report_pay_list.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::ListsFirm;

// ---- the coin breakdown --------------------------------------------------------------------

TEST(CoinCounter, PaysEachAmountGreedilyInWholeCrowns)
{
    struct Case {
        std::vector<double> sumy;
        std::array<int, CoinCounter::kPocet> pocty;   // 5000 1000 500 200 100 50 20 10 5 2 1
    } cases[] = {
        {{6789.50}, {1, 1, 1, 1, 0, 1, 1, 1, 1, 2, 0}},
        {{0.99}, {}},
        {{0}, {}},
        {{-120}, {}},
        {{1}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {{10000, 3.99}, {2, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}},
        // Amounts are paid one by one: two halves of 7 are not one 5 and one 2.
        {{3.5, 3.5}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2}},
    };
    for (const Case &c : cases) {
        CoinCounter m;
        for (double s : c.sumy)
            m.addAmount(s);
        EXPECT_EQ(m.coinCounts(), c.pocty) << c.sumy.front();
    }
}

// ---- the lists over a fixture month ----------------------------------------------------------

namespace {

class PayrollLists : public ListsFirm {
protected:
    void SetUp() override
    {
        ListsFirm::SetUp();
        openYear(2007);
        // Hudák (1), Čierny (3), Cibula (5) in centre 1; employee 2 in centre 2.
        insertVyp(1, 200703, {{"V_den", 21},         {"V_hodina", 168},      {"V_plat", 30000},   {"N_premie", 1500},
                              {"N_odmeny", 500},     {"N_jednoraz1", 100},   {"N_jednoraz2", 50}, {"N_brutto", 32000},
                              {"O_zdravot", 1280},   {"N_poist", 4224},      {"N_netto", 24116.5}, {"Vyplata", 20000},
                              {"Ne_zaloha", 4116.5}, {"Nd_spolu", 900},      {"Nd_pridavky", 540}, {"Ne_exekucia", 10}});
        insertVyp(3, 200703, {{"V_den", 10.5}, {"N_brutto", 9800.4}, {"N_netto", 8300}, {"Vyplata", 3300},
                              {"Ne_zaloha", 5000}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}});
        insertVyp(5, 200703, {{"V_den", 20}, {"N_brutto", 18500}, {"N_netto", 14370.25}, {"Vyplata", 0},
                              {"Sporenie", 14370.25}});
        insertVyp(2, 200703, {{"SID", 2}, {"N_brutto", 7000}, {"N_netto", 6789.5}, {"Vyplata", 6789.5},
                              {"Ne_zaloha", 0.99}});
        // Another month: never listed.
        insertVyp(1, 200702, {{"N_netto", 111}, {"Vyplata", 111}, {"Ne_zaloha", 111}});
        zeroBlanks();
    }

    // The name as a list prints it.
    QString mpt(int codeEmp, bool surnameFirst = true)
    {
        const db::SqlResult r = session.run("select surname, name, title from \":tarix_data:zam\" where code_emp = :c",
                                            {{"c", codeEmp}});
        return surnameFirst ? MyConsts::Spoj_tri_texty(r.asString(0, 0), r.asString(0, 1), r.asString(0, 2))
                            : MyConsts::Cele_meno(r.asString(0, 1), r.asString(0, 0), r.asString(0, 2));
    }
};

} // namespace

TEST_F(PayrollLists, EachListTakesItsRecordsInItsOrder)
{
    struct Case {
        const char *kod;
        int period;
        int sidOd, sidDo;
        bool podlaPriezviska;
        std::vector<int> codes;   // the employees listed, in order
        bool surnameFirst;
    } cases[] = {
        // By name: Cibula, Čierny ("č" after "c"), Hudák, then employee 2 by the demo's name.
        {"VL", 200703, 1, 1, true, {5, 3, 1}, true},
        // By personal number 101, 103, 105.
        {"VL", 200703, 1, 1, false, {1, 3, 5}, true},
        {"VL", 200703, 2, 2, true, {2}, true},
        // A positive payout only; by internal number.
        {"VL2", 200703, 1, 99, false, {1, 2, 3}, true},
        {"VL2", 200703, 1, 1, true, {3, 1}, true},
        // A positive advance only, first name first.
        {"ZL", 200703, 1, 99, false, {1, 2, 3}, false},
        // Employees paying a social fund.
        {"ODV2", 200703, 1, 1, true, {5, 1}, false},
        // Before 2004 the old list, by internal number unless by name.
        {"VL", 200303, 1, 99, false, {}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.kod) + " " + std::to_string(c.sidOd) + (c.podlaPriezviska ? " by name" : ""));
        TMyReportParam p = listRequest(c.kod, c.period);
        p.Stredisko_od = c.sidOd;
        p.Stredisko_do = c.sidDo;
        p.Podla_priezviska = c.podlaPriezviska;
        const rpt::PreparedReport *r = run(p);
        ASSERT_NE(r, nullptr);
        QStringList expected;
        for (int code : c.codes)
            expected << mpt(code, c.surnameFirst);
        EXPECT_EQ(textsNamed(*r, "QRDB_CALC_MPT"), expected);
    }
}

TEST_F(PayrollLists, SortingByNameKeepsSlovakOrderAcrossPages)
{
    // Enough employees for several pages: "Ch" after "H", "Č" after "C".
    const char *const names[] = {"Chudý", "Hudák", "Čierny", "Cibula", "Šimek", "Sokol", "Žák", "Zeman"};
    session.execute("delete from \":tarix_data:vyp\"");
    int code = 100;
    for (int i = 0; i < 6; ++i)
        for (const char *n : names) {
            ++code;
            addEmployee(code, 1000 + code, QString::fromUtf8(n), QStringLiteral("Meno%1").arg(code));
            insertVyp(code, 200703, {{"N_netto", code}, {"Vyplata", code}});
        }
    const rpt::PreparedReport *r = run(listRequest("VL", 200703));
    ASSERT_NE(r, nullptr);
    ASSERT_GT(r->pageCount(), 1);
    // Every page has its head and its number.
    for (int i = 0; i < r->pageCount(); ++i) {
        EXPECT_EQ(r->pages[size_t(i)].findText("QRSysData_strana")->text(), QStringLiteral("Strana č. %1").arg(i + 1));
        EXPECT_EQ(r->pages[size_t(i)].findText("QRLabel_titul")->text(), "Výplatná listina súhrnná za marec 2007");
    }
    QStringList surnames;
    for (const QString &m : textsNamed(*r, "QRDB_CALC_MPT"))
        if (surnames.isEmpty() || surnames.last() != m.section(' ', 0, 0))
            surnames << m.section(' ', 0, 0);
    EXPECT_EQ(surnames, QStringList({"Cibula", "Čierny", "Hudák", "Chudý", "Sokol", "Šimek", "Zeman", "Žák"}));
    // The running numbers go on over the pages.
    const QStringList numbers = textsNamed(*r, "QRSysData_pc");
    ASSERT_EQ(numbers.size(), 48);
    EXPECT_EQ(numbers.last(), "48");
}

TEST_F(PayrollLists, SummaryListSumsEqualTheStoredRecords)
{
    const rpt::PreparedReport *r = run(listRequest("VL", 200703));
    ASSERT_NE(r, nullptr);
    const QString text = rpt::exportText(*r);
    // Each employee's net pay in the list, and the SPOLU row of the centre range.
    for (const char *netto : {"24116,50", "8300,00", "14370,25", "6789,50"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(netto))) << netto;
    struct Case {
        const char *control;
        const char *sql;
        int decimals;
    } cases[] = {
        // Sums print as their rows: amounts with two decimals, days with one.
        {"QRExpr_15_2", "sum(n_netto)", 2},
        {"QRExpr_15_1", "sum(n_brutto)", 2},
        {"QRExpr_15_3", "sum(vyplata)", 2},
        {"QRExpr_1_1", "sum(v_den)", 1},
        {"QRExpr_4_1", "sum(n_premie + n_odmeny + n_jednoraz1 + n_jednoraz2)", 2},
        {"QRExpr_12_1", "sum(nd_spolu - nd_materska - nd_pridavky - nd_ine)", 2},
        {"QRExpr_12_3", "sum(nd_spolu)", 2},
        {"QRExpr_14_2", "sum(ne_exekucia)", 2},
    };
    for (const Case &c : cases) {
        const double stored = session.run(QStringLiteral("select %1 from \":tarix_data:vyp\" where v_obdobie = 200703")
                                              .arg(QString::fromLatin1(c.sql)))
                                  .asFloat(0, 0);
        EXPECT_EQ(lastTextNamed(*r, c.control), QString::number(stored, 'f', c.decimals).replace('.', ','))
            << c.control;
    }
    EXPECT_EQ(lastTextNamed(*r, "QRDB_CALC_PREMIE"), "0,00");   // the last row is employee 2's
    EXPECT_EQ(lastTextNamed(*r, "QRExpr_15_2"), "53576,25");
    // The union dues carry the name the payslip and the recapitulation give them (short
    // in the narrow column, as "Materský prísp.").
    EXPECT_EQ(lastTextNamed(*r, "QRLabel_14_1"), "Odborársky prísp.");
    expectTextsFit(*r);
}

TEST_F(PayrollLists, CashListCountsTheCoinsOfEveryListedAmountOncePerRun)
{
    TReportVL2 vl2;
    vl2.Nastav_parametre(listRequest("VL2", 200703));
    vl2.Otvor_data();
    const rpt::PreparedReport first = vl2.prepare();
    const rpt::PreparedReport again = vl2.prepare();
    vl2.Zatvor_data();
    // 20000 + 3300 + 6789.50
    const int expected[] = {5, 4, 1, 2, 1, 1, 1, 1, 1, 2, 0};
    for (int i = 0; i < CoinCounter::kPocet; ++i) {
        const QString name = QStringLiteral("M%1").arg(i + 1);
        EXPECT_EQ(lastTextNamed(first, name), QString::number(expected[i])) << i;
        EXPECT_EQ(lastTextNamed(again, name), QString::number(expected[i])) << i;
    }
    EXPECT_EQ(lastTextNamed(first, "QRExpr_spolu"), "30089,50");
    EXPECT_EQ(first.pages[0].findText("QRLabel_titul")->text(), "VÝPLATNÁ LISTINA K VÝPLATE V HOTOVOSTI ZA MAREC 2007");
    EXPECT_EQ(first.pages[0].findText("QRDB_CALC_FIRMA")->text(), "FIRMA:  DEMO STAV, s.r.o.");

    // The advance list: 4116.50 + 5000 + 0.99, the last adds no coin.
    const rpt::PreparedReport *zl = run(listRequest("ZL", 200703));
    ASSERT_NE(zl, nullptr);
    const int zaloha[] = {1, 4, 0, 0, 1, 0, 0, 1, 1, 0, 1};
    for (int i = 0; i < CoinCounter::kPocet; ++i)
        EXPECT_EQ(lastTextNamed(*zl, QStringLiteral("M%1").arg(i + 1)), QString::number(zaloha[i])) << i;
    EXPECT_EQ(zl->pages[0].findText("QRLabel_titul")->text(), "ZÁLOHOVÁ LISTINA ZA MAREC 2007");
}

TEST_F(PayrollLists, AMonthWithoutRecordsGivesAnEmptyList)
{
    for (const char *kod : {"VL", "VL2", "ZL", "ODV2"}) {
        const rpt::PreparedReport *r = run(listRequest(kod, 200705));
        ASSERT_NE(r, nullptr) << kod;
        EXPECT_TRUE(textsNamed(*r, "QRDB_CALC_MPT").isEmpty()) << kod;
    }
}

// ---- every list's texts within their boxes, and the printed text pinned --------------------------

namespace {

struct Zoznam {
    const char *kod;
    const char *trieda;
    int obdobie;
    int rok;
};
const Zoznam kZoznamy[] = {
    {"VL", "TReportVL", 200703, 2007},     {"VL", "TReportVLOLD", 200303, 2004},
    {"VL2", "TReportVL2", 200703, 2007},   {"ZL", "TReportZL", 200703, 2007},
    {"VL3", "TReportVL3", 200703, 2007},   {"ODV2", "TReportOdv2", 200703, 2007},
    {"ODVZP", "TReportOdvZp", 200703, 2007}, {"ODVDP", "TReportOdvDp", 200703, 2007},
};

class EveryList : public ListsFirm, public ::testing::WithParamInterface<Zoznam> {
protected:
    // Every numeric column of two records holds its own value.
    void insertFull(int period, double base)
    {
        const db::SqlResult cols = session.run("pragma table_info(vyp)", {}, "TARIX_DATA");
        QVariantMap full;
        const QStringList skip{"code_emp", "v_obdobie", "v_rok", "v_mesiac", "sid", "kzp", "kdp", "zps", "ztp",
                               "dan_vyrovnana"};
        for (int i = 0; i < cols.rowCount(); ++i) {
            const QString name = cols.value(i, 1).toString();
            const QString type = cols.value(i, 2).toString().toUpper();
            if (skip.contains(name.toLower()) || name.startsWith("U_", Qt::CaseInsensitive))
                continue;
            // Rates in per cent at most 99.99.
            const bool rate = name.startsWith("F_", Qt::CaseInsensitive) || name.startsWith("Fz_", Qt::CaseInsensitive)
                              || name.contains("sadzba", Qt::CaseInsensitive);
            if (rate && (type == "FLOAT" || type == "MONEY_REAL"))
                full.insert(name, 99.99 - i % 10);
            else if (type == "FLOAT" || type == "MONEY_REAL")
                full.insert(name, base + i * 7.25);
            else if (type == "SMALLINT" || type == "INTEGER")
                full.insert(name, i % 40);
        }
        full.insert("Kzp", 24);
        full.insert("Kdp", 3);
        full.insert("ZPS", 1);
        full.insert("Dan_vyrovnana", 1);
        full.insert("D_vyrovnanie", -250.5);
        insertVyp(1, period, full);
        full.insert("ZPS", 0);
        full.insert("U_zdrav", 3);
        full.insert("D_vyrovnanie", 120);
        insertVyp(5, period, full);
        insertVyp(3, period, {{"N_brutto", 9800.4}, {"N_netto", 8300}, {"Vyplata", 3300}, {"Kzp", 21}});
        zeroBlanks();
    }
};

} // namespace

TEST_P(EveryList, TextsFitTheirBoxesWithLargeAmounts)
{
    const Zoznam &z = GetParam();
    openYear(z.rok);
    insertFull(z.obdobie, 9876543.21);
    TMyReportParam p = listRequest(z.kod, z.obdobie);
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    ASSERT_GE(r->pageCount(), 1);
    expectTextsFit(*r);
}

TEST_P(EveryList, PrintedTextIsTheStoredOne)
{
    const Zoznam &z = GetParam();
    openYear(z.rok);
    session.execute("update \":tarix_data:inf\" set f_priplat1_text='Príplatok A', f_priplat2_text='Príplatok B', "
                    "f_priplat3_text=null, f_priplat4_text='Príplatok D', f_priplat5_text='Príplatok E'");
    insertFull(z.obdobie, 100);
    EXPECT_EQ(chooseReport(z.kod, z.obdobie, firmDistance).nazov, QString(z.trieda));
    const rpt::PreparedReport *r = run(listRequest(z.kod, z.obdobie));
    ASSERT_NE(r, nullptr);
    expectSameAsStored(QStringLiteral("lists_%1.txt").arg(z.trieda), rpt::exportText(*r).toUtf8());
    // The pages as PDF for a person to look at, when TARIX_LISTS_PDF names a folder.
    if (qEnvironmentVariableIsSet("TARIX_LISTS_PDF"))
        rpt::writePdf(*r, qEnvironmentVariable("TARIX_LISTS_PDF") + QStringLiteral("/lists_%1.pdf").arg(z.trieda));
}

INSTANTIATE_TEST_SUITE_P(Lists, EveryList, ::testing::ValuesIn(kZoznamy),
                         [](const auto &info) { return std::string(info.param.trieda); });
