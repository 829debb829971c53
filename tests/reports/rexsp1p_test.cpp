// The annex of the statement before 2005: the insured employees by personal number with
// their calculated fields, records taking part in no fund left out.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "reports/dispatcher.h"
#include "reports/social/rexsp1p.h"
#include "reports/social/socialne_vykazy.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class Annex : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
        openYear(2004);
    }
};

} // namespace

TEST(AnnexRange, OneDigitPerFundInItsOrder)
{
    EXPECT_EQ(TReportSP1P::insuranceRange({1, 1, 0, 1, 1, 0, 1}), "1101101");
    // The guarantee place reads the guarantee base, not a flag.
    EXPECT_EQ(TReportSP1P::insuranceRange({0, 0, 0, 0, 0, 12500, 0}), "0000010");
    EXPECT_EQ(TReportSP1P::insuranceRange({7, -1, 0, 0, 0, 0, 0}), "1100000");
}

TEST_F(Annex, InsuredEmployeesByPersonalNumber)
{
    insertVyp(5, 200403, {{"U_invalid", 1}, {"U_uraz", 1}, {"U_rezerva", 1}, {"N_zaklad_np", 18500},
                          {"N_zaklad_gp", 18500}, {"V_kal_dni", 31}, {"V_nepoisteny", 0}});
    insertVyp(1, 200403, {{"U_invalid", 0}, {"N_zaklad_np", 25911}, {"V_kal_dni", 31}, {"V_nepoisteny", 3}});
    // Health insurance only: not in the annex.
    insertVyp(3, 200403, {{"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}});
    TMyReportParam p;
    p.Kod_zostavy = QStringLiteral("SP1P");
    p.Obdobie = 200403;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    fixtures::expectWrittenAsPdf(previewHost.last, QStringLiteral("SP1P"));
    const rpt::PreparedPage &page = previewHost.last.pages.at(0);
    EXPECT_EQ(textOf(page, "QRDB_CALC_MPT", 0), "Ján Hudák Ing.");
    EXPECT_EQ(textOf(page, "QRDB_CALC_MPT", 1).trimmed(), "Milan Cibula");
    EXPECT_EQ(page.findText("QRDB_CALC_MPT", 2), nullptr);
    EXPECT_EQ(textOf(page, "QRDB_CALC_BORN_NUMB", 0), "6803145129");
    EXPECT_EQ(textOf(page, "QRDB_CALC_U_INVALID", 0), "X");
    EXPECT_EQ(textOf(page, "QRDB_CALC_U_INVALID", 1), "");
    EXPECT_EQ(textOf(page, "QRDB_CALC_ROZSAH_SP", 0), "1101000");
    EXPECT_EQ(textOf(page, "QRDB_CALC_ROZSAH_SP", 1), "1111111");
    EXPECT_EQ(textOf(page, "QRDB_v_dni", 0), "28");
    EXPECT_EQ(textOf(page, "QRDB_CALC_MESIAC", 0), "3 / 2004");
    for (const rpt::PreparedItem &i : page.items)
        for (double w : i.lineWidths)
            EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
}
