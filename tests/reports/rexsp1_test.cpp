// The 2004 statement: contributions and benefits of the month summed per centre, the
// three totals of row 0 (also a negative balance), the head counts, and the printed form
// with and without the benefits section.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "reports/dispatcher.h"
#include "reports/social/rexsp1.h"
#include "reports/social/socialne_vykazy.h"

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::reports::REXSP1;

namespace {

class Statement2004 : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
        openYear(2004);
    }
    void insertMonth()
    {
        // Centre 1: premiums and a sickness benefit; centre 2: care and maternity benefits
        // larger than its premiums; a flag of 7 still counts the employee.
        insertVyp(1, 200403, {{"SID", 1}, {"U_invalid", 1}, {"U_uraz", 1}, {"U_garancne", 0}, {"U_rezerva", 7},
                              {"O_nemoc", 200}, {"Oz_nemoc", 200}, {"O_dochod", 600}, {"Oz_dochod", 2100},
                              {"O_invalid", 300}, {"Oz_invalid", 300}, {"O_fondzam", 100}, {"Oz_fondzam", 100},
                              {"Oz_uraz", 80}, {"Oz_rezerva", 475}, {"N_pn", 1500}, {"V_pn", 10}});
        insertVyp(3, 200403, {{"SID", 2}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}, {"N_ocr", 4000},
                              {"V_ocr12", 9}, {"Nd_materska", 8000}, {"V_materska", 31}});
        insertVyp(5, 200403, {{"SID", 2}, {"O_nemoc", 50}, {"Oz_nemoc", 50}, {"N_pn", 0}, {"V_pn", 3}});
    }
    static TMyReportParam request(const char *kod)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = 200403;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        return p;
    }
};

} // namespace

TEST_F(Statement2004, RowZeroTotalsAndCounts)
{
    insertMonth();
    const Sumy s = Sucty_vykazu(session, 200403, 1, 99);
    const Suma_SP1 &t = s[0];
    struct Expected {
        int pole;
        double hodnota;
    };
    const Expected expected[] = {
        {P_NEMOC, 2},    {O_NEMOC, 250},   {Z_NEMOC, 250},  {P_DOCHOD, 2},   {O_DOCHOD, 600},   {Z_DOCHOD, 2100},
        {P_INVALID, 1},  {P_FONDZAM, 2},   {P_URAZ, 1},     {Z_URAZ, 80},    {P_GARANCNE, 0},   {P_REZERVA, 1},
        {Z_REZERVA, 475},
        // Benefits: a record with an amount counts one employee and one case; days add up.
        {PZ_PN, 1},      {PD_PN, 10},      {PP_PN, 1},      {VY_PN, 1500},   {PZ_OCR, 1},       {PD_OCR, 9},
        {VY_OCR, 4000},  {PZ_MATERSKA, 1}, {PD_MATERSKA, 31}, {VY_MATERSKA, 8000}, {PZ_VYROVDAV, 0}, {VY_VYROVDAV, 0},
        // 250 + 600 + 300 + 100 + 250 + 2100 + 300 + 100 + 80 + 0 + 475
        {P_SPOLU, 4555}, {D_SPOLU, 13500}, {R_SPOLU, -8945},
    };
    for (const Expected &e : expected)
        EXPECT_EQ(t[e.pole], e.hodnota) << Nazov_pola(e.pole);
    EXPECT_EQ(s[2][VY_OCR], 4000);
    EXPECT_EQ(s[1][P_NEMOC] + s[2][P_NEMOC], t[P_NEMOC]);
}

TEST_F(Statement2004, BenefitsSectionOnlyForSpv)
{
    insertMonth();
    for (const char *kod : {"SP1", "SPV"}) {
        SCOPED_TRACE(kod);
        previewHost.shownCount = 0;
        ParForm::Spusti_zostavu_podla_nazvu(request(kod));
        ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
        fixtures::expectWrittenAsPdf(previewHost.last, QString::fromLatin1(kod));
        const rpt::PreparedPage &page = previewHost.last.pages.at(0);
        const bool spv = QByteArray(kod) == "SPV";
        EXPECT_EQ(textOf(page, "QR_Nadpis"), spv ? "Mesačný výkaz poistného a dávok NP" : "Mesačný výkaz poistného");
        EXPECT_EQ(textOf(page, "QR_OBDOBIE"), "3 / 2004");
        EXPECT_EQ(textOf(page, "LP_SPOLU").trimmed(), "4 555");
        EXPECT_EQ(textOf(page, "LO_URAZ"), "x x x x");
        EXPECT_EQ(page.findText("LR_SPOLU") != nullptr, spv);
        if (spv) {
            EXPECT_EQ(textOf(page, "LR_SPOLU").trimmed(), "-8 945");
            EXPECT_EQ(textOf(page, "LVY_MATERSKA").trimmed(), "8 000");
            EXPECT_EQ(textOf(page, "LPZ_VYROVDAV").trimmed(), "0");
        }
        for (const rpt::PreparedItem &i : page.items) {
            if (i.type != rpt::PreparedItem::Text)
                continue;
            for (double w : i.lineWidths)
                EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
            EXPECT_LE(i.rect.bottom(), 287 + 0.01) << i.name.toStdString();
        }
    }
}
