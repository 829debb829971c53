// The certificates and the bonus request as the dispatcher runs them: the edition of the
// period, one page per employee with his figures, the bonus check told once per employee
// before the preview, the empty selections, texts within their boxes; the bonus request's
// split of the paid bonus, its period and the employer's account.
#include "certificate_fixture.h"

#include "core/helpers/messages.h"
#include "reports/certificates/report_bo2005.h"
#include "social_pdf.h"

#include <gtest/gtest.h>

#include <array>

using namespace tarix;
using namespace tarix::reports;
using fixtures::CertificateFirm;

namespace {

class Certificates : public CertificateFirm {};

} // namespace

// "PZ" runs the edition of the requested period; each prints the year and its own rows.
TEST_F(Certificates, TheDispatcherPicksTheEditionOfThePeriod)
{
    // Rows only some editions have: 14 of the withholding section (from 2006), the third
    // line of row 01 (2005), the act (2001 to 2004), the note of row 09 (2001 to 2003).
    const char *const rows[] = {"QRL_r14", "QRL_r01c", "QRL_zakon", "QRL_r09_pozn"};
    const struct Case {
        int obdobie;
        const char *titul; // a line of the title
        std::array<bool, 4> has;
    } cases[] = {
        {200601, "o príjmoch fyzickej osoby zo závislej činnosti, o preddavkoch na daň, o dani vybranej zrážkou z týchto",
         {true, false, false, false}},
        {200512, "o zúčtovaných a vyplatených príjmoch fyzickej osoby zo závislej činnosti, o zrazených",
         {false, true, false, false}},
        {200412, "o zúčtovaných a vyplatených príjmoch fyzických osôb zo závislej činnosti, o zrazených",
         {false, false, true, false}},
        {200312, "o zúčtovaných a vyplatených príjmoch fyzických osôb zo závislej činnosti a o funkčných",
         {false, false, true, true}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.obdobie);
        addVyp(1, c.obdobie, {{"d_ciastzd", 10000}, {"n_brutto", 10000}, {"n_socfond", 0}, {"pouz_auto", 0},
                                 {"zvys_ostatne", 0}, {"d_ciastzd2", 0}, {"n_poist", 0}, {"n_ddp", 0}});
        const rpt::PreparedReport *r = run(pzRequest(c.obdobie));
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        ASSERT_EQ(r->pageCount(), 1);
        EXPECT_EQ(textOn(*r, 0, "QRL_titul1"), QString::fromUtf8(c.titul));
        EXPECT_EQ(textOn(*r, 0, "QRL_obdobie"), QString::number(c.obdobie / 100));
        EXPECT_EQ(textOn(*r, 0, "QRDB_n_brutto").remove(' '), "10000");
        for (size_t i = 0; i < std::size(rows); ++i)
            EXPECT_EQ(r->pages[0].findText(rows[i]) != nullptr, c.has[i]) << rows[i];
        expectTextsFit(*r);
        fixtures::expectWrittenAsPdf(*r, QStringLiteral("PZ_%1").arg(c.obdobie));
    }
}

// One page per employee in code order, with his name, months, children and totals; six
// children print, all ten count in row 08.
TEST_F(Certificates, From2006OnePagePerEmployeeSixChildrenPrinted)
{
    for (int i = 1; i <= 10; ++i)
        addChild(2, QStringLiteral("Dieťa%1").arg(i), "Šťastný", 1, 12);
    addChild(1, "Peter", "Hudák", 3, 12);
    for (int m = 1; m <= 12; ++m) {
        addVyp(2, 200600 + m, {{"d_ciastzd", 15000}, {"n_poist", 2000}, {"d_preddavok", 1200}});
        if (m >= 3)
            addVyp(1, 200600 + m, {{"d_ciastzd", 30000}, {"nc_minimum", m == 3 ? 2000 : 0}});
    }
    TMyReportParam p = pzRequest(200612);
    p.Hodnota_ine() = "1,2";
    p.Vykaz_zostavil = "Mzdová účtovníčka";
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(r->pageCount(), 2);
    EXPECT_EQ(textOn(*r, 0, "QRDB_TMP"), "Ing. Ján Hudák");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_MESIACE"), "3, 4, 5, 6, 7, 8, 9, 10, 11, 12");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_MES_NC_MIN"), "3");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_DIETA1"), "Peter Hudák, 20.5.2000");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_MES1"), "3-12");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_NC1"), QString::number(10 * kParameter28));
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_DIETA2"), "");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_NC2"), "");
    EXPECT_EQ(textOn(*r, 0, "QR_R10"), "1,2");
    EXPECT_EQ(textOn(*r, 1, "QR_R10"), "1,2");
    EXPECT_EQ(textOn(*r, 1, "QR_Vykaz_zostavil"), "Mzdová účtovníčka");
    EXPECT_EQ(textOn(*r, 1, "QRDB_CALC_DIETA6"), "Dieťa6 Šťastný, 20.5.2000");
    EXPECT_EQ(textOn(*r, 1, "QRDB_CALC_BONUS_CELKOM").remove(' '), QString::number(10 * 12 * kParameter28));
    EXPECT_EQ(r->pages[1].findText("QRDB_CALC_DIETA7"), nullptr);
    EXPECT_EQ(textOn(*r, 1, "QRDB_CALC_R13"), "0");
    EXPECT_TRUE(textOn(*r, 1, "QRDB_CALC_ADRESA").startsWith("DIČ: 2021458201\nDEMO STAV, s.r.o., Priemyselná"))
        << textOn(*r, 1, "QRDB_CALC_ADRESA").toStdString();
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, "PZ2006_two_employees");
}

// 2007: a bonus paid beyond the recorded children is told once per employee, before the
// preview, which still shows every page.
TEST_F(Certificates, TheBonusDifferenceIsToldOncePerEmployee)
{
    addChild(1, "Peter", "Hudák", 1, 12);
    addChild(2, "Tomáš", "Šťastný", 1, 12);
    for (int m = 1; m <= 12; ++m) {
        addVyp(1, 200700 + m, {{"d_bonus_cerpany", m <= 6 ? 540 : 555}});
        addVyp(2, 200700 + m, {{"d_bonus_cerpany", m == 4 ? 1080 : m <= 6 ? 540 : 555}});
    }
    const rpt::PreparedReport *r = run(pzRequest(200712));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pageCount(), 2);
    const QString tmp2 = textOn(*r, 1, "QRDB_TMP");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65038, tmp2)});
    // A page drawn again asks nothing more.
    EXPECT_EQ(scripted.messages().size(), 1);
}

// An empty selection: 65179 from 2005 on, an empty preview before.
TEST_F(Certificates, EmptySelection)
{
    addVyp(4, 200503, {{"dan_vyrovnana", 1}});
    for (int obdobie : {200612, 200512}) {
        scripted.clearEvents();
        EXPECT_EQ(run(pzRequest(obdobie)), nullptr) << obdobie;
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65179)}) << obdobie;
    }
    scripted.clearEvents();
    const rpt::PreparedReport *r = run(pzRequest(200412));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
}

// The paid bonus split between the withheld advances (and from 2007 the month's tax) and
// the employer's own funds.
TEST(RozdelBonus, AdvancesCoverTheBonusFirst)
{
    const struct Case {
        double preddavky, dan, vyrovnanie, bonus;
        int obdobie;
        double zPreddavkov, vlastne;
    } cases[] = {
        {3000, 0, 0, 2000, 200503, 2000, 0},
        {1200, 0, 200, 2000, 200503, 1000, 1000},
        // Before 2007 the month's tax does not count; from 2007 it does.
        {500, 700, 0, 2000, 200612, 500, 1500},
        {500, 700, 0, 2000, 200701, 1200, 800},
        // Refunds larger than the advances: the employer pays all of it.
        {300, 0, 900, 2000, 200503, 0, 2000},
        {0, 0, 0, 0, 200503, 0, 0},
    };
    for (const Case &c : cases) {
        const BO::BonusSplit r = BO::splitBonus(c.preddavky, c.dan, c.vyrovnanie, c.bonus, c.obdobie);
        EXPECT_DOUBLE_EQ(r.z_preddavkov, c.zPreddavkov) << c.preddavky << " " << c.obdobie;
        EXPECT_DOUBLE_EQ(r.vlastne, c.vlastne) << c.preddavky << " " << c.obdobie;
    }
    EXPECT_EQ(BO::Text_obdobia(200503), "3/2005");
    EXPECT_EQ(BO::Text_obdobia(200712), "12/2007");
    EXPECT_EQ(BO::accountNumber(" 19 ", " 2620013450 ", " 0200"), "19-2620013450/0200");
    EXPECT_EQ(BO::accountNumber("", "3621458202", "1100"), "3621458202/1100");
}

// "BO" for a month of the chosen centres: the month's sums, the split, the period and the
// employer's account.
TEST_F(Certificates, TheBonusRequestOfAMonth)
{
    addVyp(1, 200503, {{"d_preddavok", 700}, {"d_vyrovnanie", 200}, {"d_bonus_cerpany", 1200}, {"d_dan", 0}});
    addVyp(2, 200503, {{"d_preddavok", 500}, {"d_vyrovnanie", 0}, {"d_bonus_cerpany", 800}, {"d_dan", 0}});
    addVyp(3, 200504, {{"d_preddavok", 9000}, {"d_bonus_cerpany", 0}});
    addVyp(5, 200503, {{"SID", 2}, {"d_preddavok", 9000}, {"d_bonus_cerpany", 0}});
    TMyReportParam p = request(200503);
    p.Kod_zostavy = "BO";
    p.Stredisko_od = p.Stredisko_do = 1;
    p.Telefon = "033/5501234";
    p.Miesto = "Trnava";
    const rpt::PreparedReport *r = run(p);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
    ASSERT_EQ(r->pageCount(), 1);
    EXPECT_EQ(textOn(*r, 0, "QRL_obdobie"), "3/2005");
    EXPECT_EQ(textOn(*r, 0, "QRDB_d_bonus_cerpany"), "2000");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_bonus_vypl"), "1000");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_bonus_vlastne"), "1000");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_ziadost"), "1000");
    EXPECT_EQ(textOn(*r, 0, "QRDB_CALC_CISLO_UCTU"), "3621458202/1100");
    EXPECT_EQ(textOn(*r, 0, "QR_telefon"), "033/5501234");
    EXPECT_EQ(textOn(*r, 0, "QR_Vykaz_miesto"), "Trnava");
    expectTextsFit(*r);
    fixtures::expectWrittenAsPdf(*r, "BO_200503");
}
