// The printouts of payment orders: "HP1" and "HP2" of a stored order, paged by program
// parameter 17 with each page's own total and the pages stored with the items; "HP"
// straight from the month's payroll, its parts listed whole (identical payments too) in
// the order a, b, c; and the refusals without a header, without a part, and with
// parameter 17 below 1. Each layout is also written as PDF (TARIX_REPORT_PDF_DIR).
#include "payment_orders_fixture.h"

#include "core/helpers/messages.h"
#include "filings/rex_hp.h"
#include "reports/report.h"

using namespace tarix;
using namespace tarix::filings;

namespace {

TEST(PaymentOrderPages, ItemsArePutOnPagesOfTheParameterSize)
{
    const std::vector<int> strany = REXHP::pageList(25, 10);
    ASSERT_EQ(strany.size(), 25u);
    EXPECT_EQ(std::count(strany.begin(), strany.end(), 1), 10);
    EXPECT_EQ(std::count(strany.begin(), strany.end(), 2), 10);
    EXPECT_EQ(std::count(strany.begin(), strany.end(), 3), 5);
    EXPECT_EQ(strany.back(), 3);
    EXPECT_EQ(REXHP::pageList(1, 1), std::vector<int>{1});
    EXPECT_TRUE(REXHP::pageList(0, 10).empty());
    EXPECT_EQ(REXHP::pageList(3, 1), (std::vector<int>{1, 2, 3}));
}

class PaymentOrderPrint : public fixtures::PaymentOrderFirm {
protected:
    void SetUp() override
    {
        PaymentOrderFirm::SetUp();
        header(1, "19-2612345678", "0200", QDate(2007, 2, 10), 3);
        // 25 items of 1 to 25: pages 1 (1..10, 55), 2 (11..20, 155), 3 (21..25, 115).
        for (int i = 1; i <= 25; ++i)
            item(1, i, "123457", "0900", "12", "0138", QStringLiteral("7%1").arg(i));
    }
    reports::TMyReportParam request(const QString &kod, int hpid)
    {
        reports::TMyReportParam p = RecapFirm::request(kod, 200503);
        p.Rezerva1 = hpid;
        return p;
    }
    const rpt::PreparedReport *run(const std::function<void()> &f)
    {
        const int before = previewHost.shownCount;
        f();
        return previewHost.shownCount == before ? nullptr : &previewHost.last;
    }
};

TEST_F(PaymentOrderPrint, TwentyFiveItemsAtTenAPageGiveThreePagesEachWithItsTotal)
{
    struct Pripad {
        const char *kod;
        void (*spusti)(const reports::TMyReportParam &);
        const char *ucet;
    };
    const Pripad pripady[] = {{"HP1", REXHP::runHp1Report, "19-2612345678 / 0200"},
                              {"HP2", REXHP::runHp2Report, "19-2612345678"}};
    for (const Pripad &c : pripady) {
        session.execute("update \":tarix_data:hp2\" set strana=null");
        const rpt::PreparedReport *r = run([&] { c.spusti(request(QString::fromLatin1(c.kod), 1)); });
        ASSERT_NE(r, nullptr) << c.kod << scripted.messages().join('\n').toStdString();
        ASSERT_EQ(r->pages.size(), 3u) << c.kod;
        const QStringList totals{"55,00", "155,00", "115,00"};
        for (int page = 0; page < 3; ++page) {
            EXPECT_EQ(textOf(r->pages[size_t(page)], "QRDB_celkom"), totals[page]) << c.kod << " page " << page + 1;
            EXPECT_EQ(textOf(r->pages[size_t(page)], "QRDB_ucet"), c.ucet) << c.kod;
        }
        // The first item of page 3 is the 21st.
        EXPECT_EQ(textOf(r->pages[2], "QRDB_VSYM"), "721") << c.kod;
        EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where strana=1"), 10);
        EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where strana=2"), 10);
        EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where strana=3"), 5);
        expectTextsFit(*r);
        reports::fixtures::expectWrittenAsPdf(*r, QStringLiteral("hromadny_prikaz_") + c.kod);
    }
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
}

TEST_F(PaymentOrderPrint, ThePageTotalPrintsAsItsItems)
{
    header(2, "2612345678", "0200", QDate(2007, 2, 10));
    item(2, 4697, "123457", "0900");
    item(2, 201672, "223457", "0900");
    const rpt::PreparedReport *r = run([&] { REXHP::runHp1Report(request("HP1", 2)); });
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(textOf(r->pages[0], "QRDB_SUMA", 0), "4 697,00");
    EXPECT_EQ(textOf(r->pages[0], "QRDB_celkom"), "206 369,00");
    EXPECT_EQ(REXHP::sumLabel(1234567.5), "1 234 567,50");
    EXPECT_EQ(REXHP::sumLabel(-4697), "-4 697,00");
}

TEST_F(PaymentOrderPrint, WithoutAHeaderNothingIsPrinted)
{
    EXPECT_EQ(run([&] { REXHP::runHp1Report(request("HP1", 0)); }), nullptr);
    EXPECT_EQ(run([&] { REXHP::runHp2Report(request("HP2", 0)); }), nullptr);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), (QStringList{Msg(65127), Msg(65127)}));
}

TEST_F(PaymentOrderPrint, AnEmptyOrderPrintsItsHeader)
{
    header(2, "2612345678", "0200", QDate(2007, 2, 10));
    const rpt::PreparedReport *r = run([&] { REXHP::runHp1Report(request("HP1", 2)); });
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->pages.size(), 1u);
    EXPECT_EQ(textOf(r->pages[0], "QRDB_ucet"), "2612345678 / 0200");
}

TEST_F(PaymentOrderPrint, ParameterSeventeenBelowOneIsNamedInsteadOfAPagePerItem)
{
    MyConsts::Parametre(17).Hodnota = 0;
    EXPECT_EQ(run([&] { REXHP::runHp1Report(request("HP1", 1)); }), nullptr);
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(Msg(65180))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("Parameter 17")) << errors[0].toStdString();
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where strana is not null"), 0);
}

// ---- "HP" straight from the payroll --------------------------------------------------------

class PaymentOrderFromPayroll : public PaymentOrderPrint {
protected:
    void SetUp() override
    {
        PaymentOrderPrint::SetUp();
        session.execute("update \":tarix_data:zam\" set title=null, name='Mária', surname='Horváthová', "
                        "predcislo_u='19', cislo_u='123457', banka_u='0200' where code_emp=1");
        session.execute("update \":tarix_data:zam\" set title='Ing.', name='Ján', surname='Kováč', "
                        "predcislo_u=null, cislo_u='123457', banka_u='0900' where code_emp=2");
        insertVyp(1, 200503, {{"SID", 1}, {"Sporenie", 15000.5}});
        insertVyp(2, 200503, {{"SID", 1}, {"Sporenie", 12000}});
        // Two identical deductions: both are paid, so both are listed.
        for (int i = 0; i < 2; ++i)
            session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, cislo_u, banka_u, ssym_u, "
                            "ksym, vsym, suma, typ_sumy, vypocitana_suma, prijemca, spp) values (200503, 2, 'E', "
                            "'2624447774', '1100', '12', '0558', '991', 800, 0, 800, 'Exekútor', 'exekúcia')");
    }
    const rpt::PreparedReport *runHp(const Parametre_hp &v)
    {
        return run([&] { REXHP::runHpReport(request("HP", 0), v); });
    }
};

TEST_F(PaymentOrderFromPayroll, PartsBAndCAreListedWholeWithTheirTotal)
{
    Parametre_hp v;
    v.cast_a = false;
    v.spp = "mzda 03/2005";
    const rpt::PreparedReport *r = runHp(v);
    ASSERT_NE(r, nullptr) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(r->pages.size(), 1u);
    const rpt::PreparedPage &page = r->pages[0];
    // The total as the items print: with blanks between thousands.
    EXPECT_EQ(textOf(page, "QRL_celkom"), "28 600,50");
    // Pay first (by personal number), then the deductions.
    const QStringList accounts{textOf(page, "QRDB_CALC_CISLO_U", 0), textOf(page, "QRDB_CALC_CISLO_U", 1),
                               textOf(page, "QRDB_CALC_CISLO_U", 2), textOf(page, "QRDB_CALC_CISLO_U", 3)};
    // The prefix prints in its own column only.
    EXPECT_EQ(accounts, (QStringList{"123457", "123457", "2624447774", "2624447774"}));
    EXPECT_EQ(textOf(page, "QRDB_predcislo_u", 0), "19");
    EXPECT_EQ(textOf(page, "QRDB_CALC_CISLO_U", 4), "<none>");
    // Pay: the payee's name only with the names flag, the message of the dialog; a
    // deduction: its own payee and message.
    EXPECT_EQ(textOf(page, "QRDB_CALC_PRIJEMCA", 0), "");
    EXPECT_EQ(textOf(page, "QRDB_CALC_SPP", 0), "mzda 03/2005");
    EXPECT_EQ(textOf(page, "QRDB_CALC_PRIJEMCA", 2), "Exekútor");
    EXPECT_EQ(textOf(page, "QRDB_CALC_SPP", 3), "exekúcia");
    expectTextsFit(*r);
    reports::fixtures::expectWrittenAsPdf(*r, QStringLiteral("hromadny_prikaz_HP"));
}

// A levy of part a is paid to its payee's account, as the stored order pays it: not to the
// payer number the insurer gave the employer.
TEST_F(PaymentOrderFromPayroll, ALevyIsPaidToThePayeesAccount)
{
    // The month's health insurance of one employee: 1 500 + 3 000 Sk to insurer 24.
    session.execute("update \":tarix_data:vyp\" set kzp = 24, u_zdrav = 1, o_zdravot = 1500, oz_zdravot = 3000 "
                    "where code_emp = 1 and v_obdobie = 200503");
    payee("Z", 24, "7000123456", "8180", QString(), "3558", "36214582");
    session.execute("update \":tarix_data:cis_bu\" set old_predcislo_u = '99', old_cislo_u = '2500777' "
                    "where buid_typ = 'Z' and buid_kod = 24");
    Parametre_hp v;
    v.cast_b = v.cast_c = false;
    const rpt::PreparedReport *r = runHp(v);
    ASSERT_NE(r, nullptr) << scripted.messages().join('\n').toStdString();
    const rpt::PreparedPage &page = r->pages.at(0);
    EXPECT_EQ(textOf(page, "QRDB_CALC_CISLO_U", 0), "7000123456");
    EXPECT_EQ(textOf(page, "QRDB_predcislo_u", 0).trimmed(), "");
    EXPECT_EQ(textOf(page, "QRDB_banka_u", 0), "8180");
    EXPECT_EQ(textOf(page, "QRL_celkom"), "4 500,00");
}

TEST_F(PaymentOrderFromPayroll, APercentageDeductionPaysWhatWasDeductedAsTheStoredOrderDoes)
{
    // 20 % of net pay: Suma holds the rate, the calculation stored what it deducted.
    session.execute("insert into \":tarix_data:zrv\" (v_obdobie, code_emp, typ, cislo_u, banka_u, ssym_u, ksym, "
                    "vsym, suma, typ_sumy, vypocitana_suma, prijemca, spp) values (200503, 1, 'X', '2625550001', "
                    "'1100', '', '0558', '552', 20, 3, 3139, 'Exekútor JUDr. Malý', 'exekúcia')");
    header(5, "2612345678", "0200", QDate(2005, 4, 10));
    Parametre_hp v;
    v.cast_a = false;
    ASSERT_TRUE(Generuj_polozky(session, 5, 200503, 1, 99, [v] { return std::optional<Parametre_hp>(v); }));
    const rpt::PreparedReport *stored = run([&] { REXHP::runHp1Report(request("HP1", 5)); });
    ASSERT_NE(stored, nullptr) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(stored->pages.size(), 1u);
    const QString total = "31 739,50"; // 15 000,50 + 12 000 + 2 x 800 + 3 139
    EXPECT_EQ(textOf(stored->pages[0], "QRDB_celkom"), total);

    const rpt::PreparedReport *fromPayroll = runHp(v);
    ASSERT_NE(fromPayroll, nullptr);
    ASSERT_EQ(fromPayroll->pages.size(), 1u);
    EXPECT_EQ(textOf(fromPayroll->pages[0], "QRL_celkom"), total);
    EXPECT_TRUE(allTexts(*fromPayroll).contains("3 139,00"));
    EXPECT_FALSE(allTexts(*fromPayroll).contains("20,00"));
    reports::fixtures::expectWrittenAsPdf(*fromPayroll, QStringLiteral("hromadny_prikaz_HP_percento"));
}

TEST_F(PaymentOrderFromPayroll, TheNamesFlagPrintsTitleNameAndSurname)
{
    Parametre_hp v;
    v.cast_a = v.cast_c = false;
    v.mena = true;
    const rpt::PreparedReport *r = runHp(v);
    ASSERT_NE(r, nullptr);
    // Without a title the name has no leading blank.
    EXPECT_EQ(r->pages[0].findText("QRDB_CALC_PRIJEMCA", 0)->text(), "Mária Horváthová");
    EXPECT_EQ(r->pages[0].findText("QRDB_CALC_PRIJEMCA", 1)->text(), "Ing. Ján Kováč");
}

TEST_F(PaymentOrderFromPayroll, ALongPayeeWrapsWithinItsColumn)
{
    session.execute("update \":tarix_data:zrv\" set prijemca='Súdny exekútor JUDr. Maximilián Novotný-Šťastný, "
                    "Exekútorský úrad Trnava'");
    Parametre_hp v;
    v.cast_a = v.cast_b = false;
    const rpt::PreparedReport *r = runHp(v);
    ASSERT_NE(r, nullptr);
    const rpt::PreparedItem *payee = r->pages[0].findText("QRDB_CALC_PRIJEMCA", 0);
    ASSERT_NE(payee, nullptr);
    EXPECT_GT(payee->lines.size(), 1u);
    expectTextsFit(*r);
    // The second item starts below the whole first one.
    const rpt::PreparedItem *next = r->pages[0].findText("QRDB_CALC_PRIJEMCA", 1);
    ASSERT_NE(next, nullptr);
    EXPECT_GE(next->rect.top() + 0.01, payee->rect.bottom());
    reports::fixtures::expectWrittenAsPdf(*r, QStringLiteral("hromadny_prikaz_HP_dlhy_prijemca"));
}

TEST_F(PaymentOrderFromPayroll, WithoutPartsABOrCNothingIsPrinted)
{
    Parametre_hp v;
    v.cast_a = v.cast_b = v.cast_c = false;
    v.cast_d = true;
    EXPECT_EQ(runHp(v), nullptr);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65046)});
}

TEST_F(PaymentOrderFromPayroll, PartsFollowOneAnotherAsChosen)
{
    EXPECT_EQ(REXHP::hpQueryText(Parametre_hp{}).count("union all"), 2);
    Parametre_hp v;
    v.cast_b = false;
    const QString text = REXHP::hpQueryText(v);
    EXPECT_EQ(text.count("union all"), 1);
    EXPECT_LT(text.indexOf("nakl"), text.indexOf("zrv"));
}

} // namespace
