// The annual settlement's printed reports on the demo firm: the reconciliation form the
// dispatcher picks for each year, the split of the result into the rows to and from the
// employee, the signed result of the older forms, a year without settlement, the summary
// list and the certificate before 2001. Every text stays inside its box.
#include "settlement_fixture.h"

#include "reports/settlement/settlement_report.h"
#include "social_pdf.h"

#include <QRegularExpression>
#include <algorithm>
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

// ---- the rows add up --------------------------------------------------------------------

// A row of a form as printed, as a number ("60 447", "+2 957", "-7 510").
double printed(const rpt::PreparedPage &page, const char *field)
{
    QString t = fixtures::ReportChecks::textOf(page, QStringLiteral("QRDB_") + QString::fromLatin1(field));
    t.remove(QRegularExpression(QStringLiteral("[^0-9,-]")));
    t.replace(u',', u'.');
    return t.toDouble();
}

// Each form's rows that its captions define from other rows hold for the settlements the
// computation stores: an ordinary employee and high earners of every year's layout. From
// 2007 row "02 a)" ("02 b)") prints the amount the computation used, not the full one typed.
TEST_F(Reports, EveryRowAFormDefinesAsASumEqualsItsPrintedRows)
{
    // sum of (sign, row) = 0; `limit` caps the first row's addends (row "02 f)").
    struct Rule {
        std::vector<std::pair<int, const char *>> terms;
        double limit = 0;
    };
    const std::vector<Rule> upTo2003 = {
        {{{1, "Nc_spolu"}, {-1, "Nc_minimum"}, {-1, "Nc_deti"}, {-1, "Nc_partner"}, {-1, "Nc_invalid_ciast"},
          {-1, "Nc_invalid_ztp"}, {-1, "Nc_dary"}}},
        {{{1, "Zdanmzda"}, {-1, "Ciastzd_spolu"}, {1, "Nc_spolu"}}},
    };
    std::vector<Rule> upTo2001 = upTo2003;
    upTo2001.push_back({{{1, "Ciastzd_spolu"}, {-1, "Ciastzd1"}, {-1, "Ciastzd2"}}});
    const std::vector<Rule> result = {
        {{{1, "CALC_PREPL_BONUS"}, {-1, "CALC_NEDOPL_BONUS"}, {-1, "D_bonus_narok"}, {1, "D_bonus_cerpany"}}},
        {{{1, "CALC_NEDOPL_DAN"}, {-1, "CALC_PREPL_DAN"}, {-1, "Dan"}, {1, "D_bonus_narok"}, {-1, "D_bonus_cerpany"},
          {1, "Uhrn_preddavkov"}}},
        {{{1, "CALC_NEDOPL_BB"}, {-1, "CALC_PREPL_BB"}, {-1, "Dan"}, {1, "Uhrn_preddavkov"}}},
        {{{1, "Zdanmzda_round"}, {-1, "Ciastzd_spolu"}, {1, "Nc_spolu"}}},
    };
    std::vector<Rule> of2004 = result;
    of2004.push_back({{{1, "Ciastzd_spolu"}, {-1, "Uhrn_brutto"}, {1, "Poistne"}, {1, "DDP"}}});
    of2004.push_back({{{1, "Nc_spolu"}, {-1, "CALC_NC_MINIMUM"}, {-1, "CALC_NC_PARTNER"}}});
    std::vector<Rule> from2005 = result;
    from2005.push_back({{{1, "Ciastzd_spolu"}, {-1, "Uhrn_brutto"}, {1, "Poistne"}}});
    from2005.push_back({{{1, "Nc_do_limitu"}, {-1, "DDP"}, {-1, "Nc_ucelove_sporenie"}, {-1, "Nc_zivotne_poistenie"}},
                        12000});
    from2005.push_back({{{1, "Nc_spolu"}, {-1, "CALC_NC_MINIMUM"}, {-1, "CALC_NC_PARTNER"}, {-1, "Nc_do_limitu"}}});

    const struct {
        const char *what;
        int rok;
        QVariantMap row; // as the computation stores it
        const std::vector<Rule> &rules;
        const char *row02a; // what row "02 a)" prints, when it matters
        const char *row02b;
    } cases[] = {
        {"2000 ordinary", 2000,
         {{"Ciastzd1", 120000}, {"Ciastzd2", 10000}, {"Ciastzd_spolu", 130000}, {"Nc_minimum", 38760},
          {"Nc_deti", 16800}, {"Nc_dary", 1000}, {"Nc_spolu", 56560}, {"Zdanmzda", 73440}, {"Zdanmzda_round", 73400}},
         upTo2001, nullptr, nullptr},
        {"2001 ordinary", 2001,
         {{"Ciastzd1", 120000}, {"Ciastzd2", 10000}, {"Ciastzd_spolu", 130000}, {"Nc_minimum", 38760},
          {"Nc_partner", 12000}, {"Nc_spolu", 50760}, {"Zdanmzda", 79240}, {"Zdanmzda_round", 79200}},
         upTo2001, nullptr, nullptr},
        {"2003 high earner", 2003,
         {{"Uhrn_brutto", 900000}, {"Poistne", 112500}, {"Ciastzd1", 787500}, {"Ciastzd_spolu", 787500},
          {"Nc_minimum", 38760}, {"Nc_deti", 16800}, {"Nc_invalid_ztp", 26040}, {"Nc_spolu", 81600},
          {"Zdanmzda", 705900}, {"Zdanmzda_round", 705900}},
         upTo2003, nullptr, nullptr},
        {"2004 ordinary", 2004,
         {{"Uhrn_brutto", 200000}, {"Poistne", 26800}, {"DDP", 1000}, {"Ciastzd1", 172200},
          {"Ciastzd_spolu", 172200}, {"Nc_minimum", 80832}, {"Nc_spolu", 80832}, {"Zdanmzda", 91368},
          {"Zdanmzda_round", 91368}, {"Dan", 17359}, {"Preddavky1", 18000}, {"Uhrn_preddavkov", 18000},
          {"D_bonus_narok", 4800}, {"D_bonus_cerpany", 4800}, {"Preplatok", 641}},
         of2004, "80 832", "0"},
        {"2005 ordinary", 2005,
         {{"Uhrn_brutto", 240000}, {"Poistne", 32160}, {"DDP", 2000}, {"Nc_ucelove_sporenie", 12000},
          {"Ciastzd1", 207840}, {"Ciastzd_spolu", 207840}, {"Nc_minimum", 88800}, {"Nc_partner", 20000},
          {"Nc_do_limitu", 12000}, {"Nc_spolu", 120800}, {"Zdanmzda", 87040}, {"Zdanmzda_round", 87040},
          {"Dan", 16537}, {"Preddavky1", 17000}, {"Uhrn_preddavkov", 17000}, {"Preplatok", 463}},
         from2005, "88 800", "20 000"},
        // 220 116 - 638 676 / 4 = 60 447 of the 95 616 typed.
        {"2007 high earner", 2007,
         {{"Uhrn_brutto", 750000}, {"Poistne", 111324}, {"DDP", 6000}, {"Nc_ucelove_sporenie", 4000},
          {"Nc_zivotne_poistenie", 5000}, {"Ciastzd1", 638676}, {"Ciastzd_spolu", 638676}, {"Nc_minimum", 95616},
          {"Nc_do_limitu", 12000}, {"Nc_spolu", 72447}, {"Zdanmzda", 566229}, {"Zdanmzda_round", 566229},
          {"Dan", 107583}, {"Preddavky1", 110000}, {"Uhrn_preddavkov", 110000}, {"D_bonus_narok", 6480},
          {"D_bonus_cerpany", 5940}, {"Preplatok", 2957}},
         from2005, "60 447", "0"},
        // Above the spouse threshold: no own amount, the spouse's 315 732 - 250 000.
        {"2007 high earner with a spouse", 2007,
         {{"Uhrn_brutto", 1150000}, {"Poistne", 150000}, {"Ciastzd1", 1000000}, {"Ciastzd_spolu", 1000000},
          {"Nc_minimum", 95616}, {"Nc_partner", 95616}, {"Nc_spolu", 65732}, {"Zdanmzda", 934268},
          {"Zdanmzda_round", 934268}, {"Dan", 177510}, {"Preddavky1", 170000}, {"Uhrn_preddavkov", 170000},
          {"Preplatok", -7510}},
         from2005, "0", "65 732"},
        {"2007 ordinary", 2007,
         {{"Uhrn_brutto", 300000}, {"Poistne", 40200}, {"Ciastzd1", 259800}, {"Ciastzd_spolu", 259800},
          {"Nc_minimum", 95616}, {"Nc_spolu", 95616}, {"Zdanmzda", 164184}, {"Zdanmzda_round", 164184},
          {"Dan", 31194}, {"Preddavky1", 31500}, {"Uhrn_preddavkov", 31500}, {"D_bonus_narok", 6480},
          {"D_bonus_cerpany", 6480}, {"Preplatok", 306}},
         from2005, "95 616", "0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        session.execute("delete from \":tarix_data:rzp\"");
        insertRzp(1, c.rok, c.row);
        const rpt::PreparedReport *r = run("RZ", c.rok * 100 + 12);
        ASSERT_NE(r, nullptr);
        const rpt::PreparedPage &page = r->pages.at(0);
        for (const Rule &rule : c.rules) {
            double sum = 0;
            QString text;
            for (size_t i = 1; i < rule.terms.size(); ++i)
                sum += rule.terms[i].first * printed(page, rule.terms[i].second);
            double first = printed(page, rule.terms[0].second);
            if (rule.limit > 0)
                sum = -std::min(rule.limit, -sum);
            for (const auto &[sign, field] : rule.terms)
                text += QStringLiteral(" %1%2").arg(sign > 0 ? '+' : '-').arg(QString::fromLatin1(field));
            EXPECT_DOUBLE_EQ(rule.terms[0].first * first + sum, 0) << text.toStdString();
        }
        if (c.row02a) {
            EXPECT_EQ(textOf(page, "QRDB_CALC_NC_MINIMUM"), QString::fromUtf8(c.row02a));
            EXPECT_EQ(textOf(page, "QRDB_CALC_NC_PARTNER"), QString::fromUtf8(c.row02b));
        }
        expectFits(*r);
        if (c.rok == 2007 && c.row.value("Nc_partner").toDouble() == 0)
            fixtures::expectWrittenAsPdf(*r, QStringLiteral("rz_2007_") + QString::fromLatin1(c.what).replace(u' ', u'_'));
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
    EXPECT_EQ(textsOf(*c2, "QRDB_TMP"), QStringList{"Peter Čierny"});   // no title: no leading blank
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
