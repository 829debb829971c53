// The social-insurance statement before 2004: the employer's premiums recomputed per cost
// centre from the bases and the month's highest rate of each group, rounded up per centre
// on the decimal value; the participation codes; the printed figures and texts.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "reports/dispatcher.h"
#include "reports/social/rexsp.h"
#include "reports/social/socialne_vykazy.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class OldStatement : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
    }
    // A record that takes part only in sickness insurance with the given code.
    void sickness(int code, int sid, int kod, double zaklad, double sadzba, double zamestnanec = 0, bool zps1 = false)
    {
        insertVyp(code, 200303, {{"SID", sid}, {"U_nemoc", kod}, {"U_dochod", 0}, {"N_zaklad_np", zaklad},
                                 {"Fz_nemoc", sadzba}, {"O_nemoc", zamestnanec}, {"ZPS1", zps1}});
    }
    static TMyReportParam request(int obdobie)
    {
        TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("SP");
        p.Obdobie = obdobie;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("10.4.2003");
        p.Telefon = QStringLiteral("033/5501235");
        return p;
    }
};

} // namespace

TEST_F(OldStatement, EachCentresPremiumIsRoundedUpOnItsOwn)
{
    // 1000.50 x 3.4 % = 34.017 in each centre: 35 + 35, not 68.034 -> 69.
    sickness(1, 1, 1, 1000.50, 3.4);
    sickness(3, 2, 1, 1000.50, 3.4);
    const REXSP::Sumy s = REXSP::Sucty_vykazu(session, 200303, 1, 99);
    EXPECT_EQ(s.riadky[0].Nemoc_a, 70);
    EXPECT_EQ(s.riadky[0].Zaklad_a, 2001);
    EXPECT_EQ(s.Sadzba_a, 3.4);

    ParForm::Spusti_zostavu_podla_nazvu(request(200303));
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    const rpt::PreparedPage &page = previewHost.last.pages.at(0);
    EXPECT_EQ(textOf(page, "V1").trimmed(), "70,00");
    EXPECT_EQ(textOf(page, "Z1").trimmed(), "2 001,00");
    EXPECT_EQ(textOf(page, "V7").trimmed(), "70,00");
    EXPECT_EQ(textOf(page, "POC"), "2");
    EXPECT_EQ(textOf(page, "QRDB_CALC_OBDOBIE"), "za mesiac  03 / 2003");
    EXPECT_EQ(textOf(page, "QR_Vykaz_zostavil"), "Mária Šťastná");
}

TEST_F(OldStatement, PremiumsAreRoundedUpOnTheDecimalValue)
{
    struct Case {
        double zaklad;
        double sadzba;
        double poistne;
    };
    // 3000 x 21.6 % is 648 exactly although the binary product is 648.0000000000001;
    // any real remainder goes up.
    const Case cases[] = {{3000, 21.6, 648}, {1500, 21.6, 324}, {1000.50, 3.4, 35}, {3000.12, 100, 3001},
                          {27501.1, 1, 276}, {0, 3.4, 0}};
    int sid = 1;
    for (const Case &c : cases) {
        session.execute("delete from \":tarix_data:vyp\"");
        sickness(1, sid, 1, c.zaklad, c.sadzba);
        EXPECT_EQ(REXSP::Sucty_vykazu(session, 200303, 1, 99).riadky[0].Nemoc_a, c.poistne) << c.zaklad << " " << c.sadzba;
        ++sid;
    }
}

TEST_F(OldStatement, ParticipationCodes)
{
    struct Case {
        int kod;
        bool pocita;
        bool zamestnanec;
        bool zamestnavatel;
    };
    const Case cases[] = {{0, false, false, false}, {1, true, true, true},   {2, true, true, false},
                          {3, true, false, true},   {4, true, true, false}, {5, true, true, false},
                          {6, false, false, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kod);
        EXPECT_EQ(REXSP::isCounted(c.kod), c.pocita);
        EXPECT_EQ(REXSP::employeePaysSp(c.kod), c.zamestnanec);
        EXPECT_EQ(REXSP::employerPaysSp(c.kod), c.zamestnavatel);
        session.execute("delete from \":tarix_data:vyp\"");
        sickness(1, 1, c.kod, 10000, 3.4, 140);
        const REXSP::Suma_SP t = REXSP::Sucty_vykazu(session, 200303, 1, 99).riadky[0];
        EXPECT_EQ(t.Pocet, c.pocita ? 1 : 0);
        EXPECT_EQ(t.O_nemoc, c.zamestnanec ? 140 : 0);
        EXPECT_EQ(t.Zaklad_a, c.zamestnavatel ? 10000 : 0);
        EXPECT_EQ(t.Nemoc_a, c.zamestnavatel ? 340 : 0);
    }
}

TEST_F(OldStatement, GroupsByZps1AndTheHighestRateOfTheMonth)
{
    // Group B (ZPS1) takes its own base and rate; group A's rate is the month's highest
    // of any counted record, also of another centre and of a code-2 record.
    sickness(1, 1, 1, 10000, 3.4);
    sickness(3, 2, 2, 5000, 4.4);
    sickness(5, 1, 1, 2000, 1.1, 0, true);
    insertVyp(7, 200303, {{"SID", 1}, {"U_nemoc", 0}, {"U_dochod", 1}, {"N_zaklad_dp", 8000}, {"Fz_dochod", 21.6},
                          {"O_dochod", 512}});
    const REXSP::Sumy s = REXSP::Sucty_vykazu(session, 200303, 1, 99);
    const REXSP::Suma_SP &t = s.riadky[0];
    EXPECT_EQ(s.Sadzba_a, 4.4);
    EXPECT_EQ(t.Nemoc_a, 440);   // 10 000 x 4.4 %
    EXPECT_EQ(t.Nemoc_b, 22);    // 2 000 x 1.1 %
    EXPECT_EQ(t.Zaklad_b, 2000);
    EXPECT_EQ(t.Dochod_c, 1728); // 8 000 x 21.6 %
    EXPECT_EQ(t.O_dochod, 512);
    EXPECT_EQ(t.Dochod_d, 0);    // no record: rate 0, base and premium 0
    EXPECT_EQ(t.Zaklad_d, 0);
    EXPECT_EQ(t.Pocet, 4);
}

TEST_F(OldStatement, EmployeePensionRateByYear)
{
    for (const auto &[obdobie, sadzba] : {std::pair{200012, "5,9"}, std::pair{200101, "6,4"}}) {
        ParForm::Spusti_zostavu_podla_nazvu(request(obdobie));
        ASSERT_GE(previewHost.shownCount, 1);
        EXPECT_EQ(textOf(previewHost.last.pages.at(0), "L6").trimmed(), QString::fromLatin1(sadzba)) << obdobie;
    }
}

TEST_F(OldStatement, EveryTextFitsItsBox)
{
    session.execute("update \":tarix_data:inf\" set adr_ulica='Priemyselná a stavebná štvrť'");
    sickness(1, 1, 1, 1234567.89, 3.4, 17284);
    ParForm::Spusti_zostavu_podla_nazvu(request(200303));
    ASSERT_EQ(previewHost.shownCount, 1);
    fixtures::expectWrittenAsPdf(previewHost.last, QStringLiteral("SP"));
    for (const rpt::PreparedItem &i : previewHost.last.pages.at(0).items) {
        if (i.type != rpt::PreparedItem::Text)
            continue;
        EXPECT_LE(double(i.lines.size()) * i.lineHeight, i.rect.height() + 0.01) << i.name.toStdString();
        for (double w : i.lineWidths)
            EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
    }
}
