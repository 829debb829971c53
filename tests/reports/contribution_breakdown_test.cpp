// The contribution breakdowns: the health-insurance list per insurer with the employer's
// base split and the "Platí" marks, the supplementary-pension list per fund, their group
// heads and sums, and a month without records.
#include "lists_fixture.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::ListsFirm;

namespace {

class ContributionBreakdown : public ListsFirm {
protected:
    void SetUp() override
    {
        ListsFirm::SetUp();
        openYear(2007);
    }
};

QString amount(double v) { return QString::number(v, 'f', 2).replace('.', ','); }

} // namespace

TEST_F(ContributionBreakdown, HealthListSplitsTheEmployersBaseAndMarksWhoPays)
{
    struct Case {
        int uZdrav;
        bool zps;
        bool listed;
        const char *platiZam;
        const char *platiFirma;
        bool zaklad1;   // the base goes to the employer's base
        bool zaklad2;   // ... to the base of a disabled employee
    } cases[] = {
        {0, false, false, "", "", false, false}, {0, true, false, "", "", false, false},
        {1, false, true, "A", "A", true, false}, {1, true, true, "A", "A", false, true},
        {2, false, true, "A", "N", false, false}, {2, true, true, "A", "N", false, false},
        {3, false, true, "N", "A", true, false}, {3, true, true, "N", "A", false, true},
        {4, false, true, "N", "N", false, false}, {4, true, true, "N", "N", false, false},
        {5, false, true, "N", "N", false, false}, {5, true, true, "N", "N", false, false},
    };
    int code = 200;
    for (const Case &c : cases) {
        ++code;
        addEmployee(code, code, QStringLiteral("P%1%2").arg(c.uZdrav).arg(c.zps ? 'B' : 'A'), "Jana");
        insertVyp(code, 200703, {{"Kzp", 24}, {"U_zdrav", c.uZdrav}, {"ZPS", c.zps ? 1 : 0},
                                 {"N_zaklad_zp", 1000 + code}, {"O_zdravot", 40}, {"Oz_zdravot", 100}});
    }
    // Another insurer's group, and a record without an insurer.
    insertVyp(1, 200703, {{"Kzp", 5}, {"U_zdrav", 1}, {"N_zaklad_zp", 30000}, {"O_zdravot", 1200}});
    insertVyp(3, 200703, {{"Kzp", 0}, {"U_zdrav", 1}, {"N_zaklad_zp", 999}});

    const rpt::PreparedReport *r = run(listRequest("ODVZP", 200703));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(textsNamed(*r, "QRDB_CA_NADPIS1"),
              QStringList({"kód zdravotnej poisťovne : 05", "kód zdravotnej poisťovne : 24"}));
    EXPECT_EQ(textsNamed(*r, "QRDB_CA_OBDOBIE"), QStringList({"za mesiac  03 / 2007", "za mesiac  03 / 2007"}));
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(), "ROZPIS ODVODOV ZDRAVOTNÉHO POISTENIA ZA MAREC 2007");

    // The rows of insurer 24 follow the one of insurer 5.
    const QStringList zam = textsNamed(*r, "QRDB_CALC_PLATI_ZAM");
    const QStringList firma = textsNamed(*r, "QRDB_CALC_PLATI_FIRMA");
    const QStringList z1 = textsNamed(*r, "QRDB_CALC_ZAKLAD1");
    const QStringList z2 = textsNamed(*r, "QRDB_CALC_ZAKLAD2");
    int row = 1;
    code = 200;
    double sum1 = 0, sum2 = 0, sumBase = 0;
    for (const Case &c : cases) {
        ++code;
        if (!c.listed)
            continue;
        SCOPED_TRACE(std::to_string(c.uZdrav) + (c.zps ? " ZPS" : ""));
        ASSERT_LT(row, zam.size());
        const double base = 1000 + code;
        EXPECT_EQ(zam[row], c.platiZam);
        EXPECT_EQ(firma[row], c.platiFirma);
        EXPECT_EQ(z1[row], amount(c.zaklad1 ? base : 0));
        EXPECT_EQ(z2[row], amount(c.zaklad2 ? base : 0));
        sum1 += c.zaklad1 ? base : 0;
        sum2 += c.zaklad2 ? base : 0;
        sumBase += base;
        ++row;
    }
    EXPECT_EQ(row, zam.size());
    // Each insurer's own sums.
    EXPECT_EQ(textsNamed(*r, "QRExpr_N_zaklad_zp"), QStringList({amount(30000), amount(sumBase)}));
    EXPECT_EQ(textsNamed(*r, "QRExpr_CALC_ZAKLAD1"), QStringList({amount(30000), amount(sum1)}));
    EXPECT_EQ(textsNamed(*r, "QRExpr_CALC_ZAKLAD2"), QStringList({amount(0), amount(sum2)}));
    EXPECT_EQ(textsNamed(*r, "QRExpr_O_zdravot"), QStringList({amount(1200), amount(40 * 10)}));
}

TEST_F(ContributionBreakdown, PensionFundListsEveryEmployeeItsGroupCounts)
{
    // Supplementary pension without health participation is still the fund's.
    insertVyp(1, 200703, {{"Kdp", 3}, {"U_zdrav", 0}, {"N_ddp", 300}, {"Nz_ddp", 200}, {"N_sadzba_ddp", 2},
                          {"Nz_sadzba_ddp", 1.5}});
    insertVyp(3, 200703, {{"Kdp", 3}, {"U_zdrav", 1}, {"N_ddp", 100}});
    insertVyp(5, 200703, {{"Kdp", 12}, {"U_zdrav", 1}, {"Nz_ddp", 50}});
    insertVyp(2, 200703, {{"Kdp", 3}, {"U_zdrav", 1}});   // pays nothing: not listed
    zeroBlanks();

    const rpt::PreparedReport *r = run(listRequest("ODVDP", 200703));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->pages[0].findText("QRLabel_titul")->text(),
              "ROZPIS ODVODOV DOPLNKOVÉHO DÔCHODKOVÉHO POISTENIA ZA MAREC 2007");
    EXPECT_EQ(textsNamed(*r, "QRDB_CA_NADPIS1"), QStringList({"kód doplnkovej dôchodkovej poisťovne : 03",
                                                              "kód doplnkovej dôchodkovej poisťovne : 12"}));
    EXPECT_EQ(textsNamed(*r, "QRDB_N_ddp").size(), 3);
    EXPECT_EQ(textsNamed(*r, "QRExpr_N_ddp"), QStringList({amount(400), amount(0)}));
    EXPECT_EQ(textsNamed(*r, "QRExpr_Nz_ddp"), QStringList({amount(200), amount(50)}));
    EXPECT_EQ(textsNamed(*r, "QRExpr_n_ddpx"), QStringList({amount(600), amount(50)}));
    // The fund's group counts the same employees the list shows.
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200703 and kdp = 3 "
                          "and (n_ddp > 0 or nz_ddp > 0)")
                  .asInteger(0, 0),
              2);
}

TEST_F(ContributionBreakdown, AMonthWithoutRecordsInTheCentresHasNoGroup)
{
    insertVyp(1, 200703, {{"Kzp", 24}, {"Kdp", 3}, {"N_ddp", 100}, {"SID", 2}});
    for (const char *kod : {"ODVZP", "ODVDP"}) {
        TMyReportParam p = listRequest(kod, 200703);
        p.Stredisko_od = p.Stredisko_do = 1;
        const rpt::PreparedReport *r = run(p);
        ASSERT_NE(r, nullptr) << kod;
        EXPECT_TRUE(textsNamed(*r, "QRDB_CA_NADPIS1").isEmpty()) << kod;
        p.Stredisko_do = 2;
        r = run(p);
        ASSERT_NE(r, nullptr) << kod;
        EXPECT_EQ(textsNamed(*r, "QRDB_CA_NADPIS1").size(), 1) << kod;
    }
}
