// The statement of premiums and benefits before 2004 (code "SPV" before 200401): the
// premium table of the statement before 2004 and the benefits the employer paid, summed
// per cost centre into the totals, printed through the dispatcher as the menu's "SPV"
// request reaches it.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "platform/errors.h"
#include "reports/dispatcher.h"
#include "reports/social/rexspv.h"
#include "reports/social/socialne_vykazy.h"

using namespace tarix;
using namespace tarix::reports;

namespace {

class OldBenefitStatement : public fixtures::PayslipFirm {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
    }
    // A record of sickness insurance only, with benefits.
    void record(int code, int sid, double zaklad, const QVariantMap &davky)
    {
        QVariantMap v{{"SID", sid}, {"U_nemoc", 1}, {"U_dochod", 0}, {"N_zaklad_np", zaklad}, {"Fz_nemoc", 3.4}};
        v.insert(davky);
        insertVyp(code, 200303, v);
    }
    // What the menu's "SPV" item sends for March 2003, all centres.
    static TMyReportParam request()
    {
        TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("SPV");
        p.Obdobie = 200303;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("10.4.2003");
        return p;
    }
};

} // namespace

// Each benefit is summed per centre and over the centres; the premiums are those of the
// statement before 2004 (each centre's employer premium rounded up on its own).
TEST_F(OldBenefitStatement, BenefitsAndPremiumsPerCentreAndInTotal)
{
    record(1, 1, 1000.50, {{"N_pn", 1200.40}, {"Nd_pridavky", 540}, {"Nd_spolu", 1740.40}});
    record(3, 2, 1000.50, {{"N_pn", 300}, {"N_ocr", 410.10}, {"Nd_materska", 4800}, {"Nd_rodic", 3790},
                           {"Nd_ine", 15.5}, {"Nd_spolu", 9315.60}});
    record(5, 2, 0, {{"U_nemoc", 0}, {"Nd_pridavky", 540}, {"Nd_spolu", 540}});
    const REXSPV::Sumy s = REXSPV::Sucty_vykazu(session, 200303, 1, 99);
    using namespace REXSPV;
    EXPECT_DOUBLE_EQ(s.davky[1][N_PN], 1200.40);
    EXPECT_DOUBLE_EQ(s.davky[2][N_PN], 300);
    EXPECT_DOUBLE_EQ(s.davky[0][N_PN], 1500.40);
    EXPECT_DOUBLE_EQ(s.davky[0][N_OCR], 410.10);
    EXPECT_DOUBLE_EQ(s.davky[0][ND_MATERSKA], 4800);
    EXPECT_DOUBLE_EQ(s.davky[0][ND_RODIC], 3790);
    EXPECT_DOUBLE_EQ(s.davky[0][ND_PRIDAVKY], 1080);
    EXPECT_DOUBLE_EQ(s.davky[0][ND_INE], 15.5);
    EXPECT_DOUBLE_EQ(s.davky[0][ND_SPOLU], 11596);
    // 1000.50 x 3.4 % = 34.017 in each centre: 35 + 35.
    EXPECT_EQ(s.poistne.riadky[0].Nemoc_a, 70);
    EXPECT_EQ(s.poistne.riadky[0].Pocet, 2);
    // Only the range's centres.
    EXPECT_DOUBLE_EQ(REXSPV::Sucty_vykazu(session, 200303, 2, 2).davky[0][N_PN], 300);
}

TEST_F(OldBenefitStatement, ACentreOutsideTheTableIsAnError)
{
    record(1, 100, 1000, {{"N_pn", 10}});
    EXPECT_THROW(REXSPV::Sucty_vykazu(session, 200303, 1, 999), EMyError);
}

// The menu's request reaches the statement: the title, the period, the premium table and
// the benefits, every text in its box.
TEST_F(OldBenefitStatement, PrintedForTheMenusRequest)
{
    session.execute("update \":tarix_data:inf\" set adr_ulica='Priemyselná a stavebná štvrť'");
    record(1, 1, 1000.50, {{"N_pn", 1200.40}, {"N_ocr", 1234567.89}, {"Nd_spolu", 1235768.29}});
    record(3, 2, 1000.50, {{"O_nemoc", 14}});
    ParForm::Spusti_zostavu_podla_nazvu(request());
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    fixtures::expectWrittenAsPdf(previewHost.last, QStringLiteral("SPV"));
    const rpt::PreparedPage &page = previewHost.last.pages.at(0);
    EXPECT_EQ(textOf(page, "QRL_nadpis"), "Mesačný výkaz poistného a dávok");
    EXPECT_EQ(textOf(page, "QRDB_CALC_OBDOBIE"), "za mesiac  03 / 2003");
    EXPECT_EQ(textOf(page, "V1").trimmed(), "70,00");
    EXPECT_EQ(textOf(page, "V3").trimmed(), "14,00");
    EXPECT_EQ(textOf(page, "L6").trimmed(), "6,4");
    EXPECT_EQ(textOf(page, "LD_PN").trimmed(), "1 200,40");
    EXPECT_EQ(textOf(page, "LD_OCR").trimmed(), "1 234 567,89");
    EXPECT_EQ(textOf(page, "LD_MATERSKA").trimmed(), "0,00");
    EXPECT_EQ(textOf(page, "LD_SPOLU").trimmed(), "1 235 768,29");
    EXPECT_EQ(textOf(page, "QRL_D_RODIC"), "Rodičovský príspevok");
    EXPECT_EQ(textOf(page, "QR_Vykaz_zostavil"), "Mária Šťastná");
    for (const rpt::PreparedPage &p : previewHost.last.pages)
        for (const rpt::PreparedItem &i : p.items) {
            if (i.type != rpt::PreparedItem::Text)
                continue;
            EXPECT_LE(double(i.lines.size()) * i.lineHeight, i.rect.height() + 0.01) << i.name.toStdString();
            for (double w : i.lineWidths)
                EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
        }
}

// "Nadpisy" off leaves the figures the set-up fills, captions go.
TEST_F(OldBenefitStatement, DataOnlyKeepsTheFilledFigures)
{
    record(1, 1, 1000.50, {{"N_pn", 1200.40}});
    TMyReportParam p = request();
    p.Len_udaje = true;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    ASSERT_EQ(previewHost.shownCount, 1);
    const rpt::PreparedPage &page = previewHost.last.pages.at(0);
    EXPECT_EQ(textOf(page, "LD_PN").trimmed(), "1 200,40");
    EXPECT_EQ(page.findText("QRL_D_PN"), nullptr);
}
