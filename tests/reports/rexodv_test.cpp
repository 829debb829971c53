// The contribution breakdown: only records taking part in a fund, two lines per employee
// with rates and bases, the totals under their columns, and the landscape page.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "reports/dispatcher.h"
#include "reports/social/rexodv.h"
#include "reports/social/socialne_vykazy.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class Breakdown : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
    }
};

} // namespace

TEST_F(Breakdown, ListsContributorsWithTheirLinesAndTotals)
{
    insertVyp(1, 200703, {{"N_zaklad_np", 25911}, {"N_zaklad_dp", 35200}, {"F_nemoc", 1.4}, {"O_nemoc", 363},
                          {"Fz_nemoc", 1.4}, {"Oz_nemoc", 363}, {"Fz_rezerva", 4.75}, {"Oz_rezerva", 1672}});
    insertVyp(3, 200703, {{"N_zaklad_np", 9800}, {"F_nemoc", 1.4}, {"O_nemoc", 138}, {"Oz_nemoc", 138}});
    // Takes part in no fund: not listed.
    insertVyp(5, 200703, {{"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}, {"O_nemoc", 999}});
    TMyReportParam p;
    p.Kod_zostavy = QStringLiteral("ODV");
    p.Obdobie = 200703;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
    ParForm::Spusti_zostavu_podla_nazvu(p);
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    const rpt::PreparedReport &r = previewHost.last;
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &page = r.pages[0];
    fixtures::expectWrittenAsPdf(r, QStringLiteral("ODV"));
    EXPECT_EQ(page.orientation, rpt::Orientation::Landscape);
    EXPECT_EQ(textOf(page, "QRLabel47"), "ROZPIS ODVODOV POISTNÉHO ZA MAREC 2007");
    EXPECT_EQ(textOf(page, "QRDB_CALC_FIRMA"), "FIRMA:  DEMO STAV, s.r.o.");
    // Slovak order of surnames: Čierny before Hudák.
    EXPECT_EQ(textOf(page, "QRDB_CALC_MPT", 0), "Čierny Peter");
    EXPECT_EQ(textOf(page, "QRDB_CALC_MPT", 1), "Hudák Ján");
    EXPECT_EQ(page.findText("QRDB_CALC_MPT", 2), nullptr);
    EXPECT_EQ(textOf(page, "QRDB_f_nemoc", 1), "1,4");
    EXPECT_EQ(textOf(page, "QRDB_fz_rezerva", 1), "4,75");
    EXPECT_EQ(textOf(page, "QRE_o_nemoc"), "501");
    EXPECT_EQ(textOf(page, "QRE_oz_nemoc"), "501");
    EXPECT_EQ(textOf(page, "QRE_n_zaklad_np"), "35711");
    EXPECT_EQ(textOf(page, "QRE_oz_rezerva"), "1672");
    for (const rpt::PreparedItem &i : page.items) {
        if (i.type != rpt::PreparedItem::Text)
            continue;
        for (double w : i.lineWidths)
            EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
        EXPECT_LE(i.rect.right(), 287 + 0.01) << i.name.toStdString();
    }
}
