// The monthly social-insurance statement from 2005 on the demo firm, March 2007: the totals
// per fund against the stored payroll records, the printed form (values, period, print
// options, every text inside its box), a failing query, and the form-data file "SP_PDF"
// byte for byte.
//
// The expected form-data files (expected/sp_pdf_two_centres.xfdf, sp_pdf_empty_month.xfdf)
// were written field by field from the statement's field list, not taken from the program:
//   - the first line is the XML declaration with encoding="UTF-8", the root is xfdf with the
//     published namespace http://ns.adobe.com/xfdf/ and xml:space="preserve";
//   - each field is three lines: <field name="...">, <value>...</value>, </field>;
//   - "&" in the firm name is "&amp;", "<" and ">" in the street are "&lt;" "&gt;";
//     "á", "Š", "ť" are their UTF-8 bytes (C3 A1, C5 A0, C5 A5);
//   - b12c96nfobdobie is MMYYYY ("032007"); amounts and counts are whole numbers without
//     separators ("%0.0f"), an empty month writes "0";
//   - the field order and spelling follow the form (b12c96nfpdrfZamtel, b12c96nfpocZamPdRF);
//   - <f href="..."/> names the PDF form in the installation's frm folder (@FRM@ stands
//     for that folder in the files); every line ends with CR LF, the last included.
#include "payslip_fixture.h"
#include "social_pdf.h"

#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"
#include "platform/report/render.h"
#include "reports/dispatcher.h"
#include "reports/report.h"
#include "reports/social/socialne_vykazy.h"
#include "reports/social/sp2005vy.h"

#include <QDir>
#include <QFile>

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::reports::SP2005VY;

namespace {

class SocialStatement : public fixtures::PayslipFirm, public fixtures::ReportFiles {
protected:
    void SetUp() override
    {
        PayslipFirm::SetUp();
        registerSocialStatements();
        output.set(root(), 2007);
    }
    void TearDown() override
    {
        output.reset();
        PayslipFirm::TearDown();
    }

    // Three employees of March 2007 in centres 1 and 2, one of centre 3 and one of February
    // (both outside what the statement sums).
    void insertMonth()
    {
        const QVariantMap all{{"U_nemoc", 1},  {"U_dochod", 1},   {"U_invalid", 1}, {"U_fondzam", 1},
                              {"U_uraz", 1},   {"U_garancne", 1}, {"U_rezerva", 1}};
        const auto with = [&](QVariantMap m) {
            for (auto it = all.cbegin(); it != all.cend(); ++it)
                if (!m.contains(it.key()))
                    m.insert(it.key(), it.value());
            return m;
        };
        insertVyp(1, 200703, with({{"SID", 1}, {"O_nemoc", 363}, {"Oz_nemoc", 363}, {"O_dochod", 1408},
                                   {"Oz_dochod", 4928}, {"O_invalid", 1056}, {"Oz_invalid", 1056},
                                   {"O_fondzam", 352}, {"Oz_fondzam", 352}, {"Oz_uraz", 282},
                                   {"Oz_garancne", 65}, {"Oz_rezerva", 1672}}));
        insertVyp(3, 200703, with({{"SID", 1}, {"O_nemoc", 138}, {"Oz_nemoc", 138}, {"O_dochod", 393},
                                   {"Oz_dochod", 1373}, {"O_invalid", 295}, {"Oz_invalid", 295},
                                   {"O_fondzam", 99}, {"Oz_fondzam", 99}, {"Oz_uraz", 79},
                                   {"Oz_garancne", 25}, {"Oz_rezerva", 466}}));
        // Not insured for sickness and unemployment; insured for the guarantee fund with
        // a premium of 0, which still counts him.
        insertVyp(5, 200703, with({{"SID", 2}, {"U_nemoc", 0}, {"U_fondzam", 0}, {"O_dochod", 740},
                                   {"Oz_dochod", 2590}, {"O_invalid", 555}, {"Oz_invalid", 555},
                                   {"Oz_uraz", 148}, {"Oz_garancne", 0}, {"Oz_rezerva", 879}}));
        insertVyp(2, 200703, with({{"SID", 3}, {"O_nemoc", 1000}, {"Oz_nemoc", 1000}}));
        insertVyp(1, 200702, with({{"SID", 1}, {"O_nemoc", 50}, {"Oz_nemoc", 50}}));
    }

    static TMyReportParam statement(const char *kod, int obdobie)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = obdobie;
        p.Stredisko_od = 1;
        p.Stredisko_do = 2;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Den_textom = QStringLiteral("15.4.2007");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        return p;
    }

    void placeTemplate()
    {
        QDir().mkpath(frm());
        QFile f(pdfTemplate());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("%PDF-1.4\n");
    }
    static QByteArray expectedFile(const char *name) { return expectedFormFile(name); }

    fixtures::OutputFolder output;
};

// What each fund adds up: the flag that counts an employee and the premium columns.
struct FundColumns {
    const char *flag;
    const char *employee; // nullptr: the employer alone pays
    const char *employer;
    int count;
};
const FundColumns kFunds[] = {
    {"u_nemoc", "o_nemoc", "oz_nemoc", kPocetNP},         {"u_dochod", "o_dochod", "oz_dochod", kPocetSP},
    {"u_invalid", "o_invalid", "oz_invalid", kPocetIP},   {"u_fondzam", "o_fondzam", "oz_fondzam", kPocetPvN},
    {"u_uraz", nullptr, "oz_uraz", kPocetUP},             {"u_garancne", nullptr, "oz_garancne", kPocetGP},
    {"u_rezerva", nullptr, "oz_rezerva", kPocetRFS},
};

} // namespace

TEST_F(SocialStatement, TotalsAreTheSumsOfTheStoredPayrollsPerFundAndCentre)
{
    insertMonth();
    const Sucty s = computeTotals(session, 200703, 1, 2);
    for (const FundColumns &f : kFunds) {
        SCOPED_TRACE(f.employer);
        for (int sid : {1, 2}) {
            const QString where = QStringLiteral(" from \":tarix_data:vyp\" where v_obdobie=200703 and sid=%1").arg(sid);
            const db::SqlResult r = session.run(
                QStringLiteral("select sum(case when %1<>0 then 1 else 0 end), %2, sum(%3)")
                    .arg(QString::fromLatin1(f.flag),
                         f.employee ? QStringLiteral("sum(%1)").arg(QString::fromLatin1(f.employee)) : QStringLiteral("0"),
                         QString::fromLatin1(f.employer))
                + where);
            EXPECT_EQ(s(sid, f.count), r.asFloat(0, 0));
            if (f.employee) {
                EXPECT_EQ(s(sid, f.count + 1), r.asFloat(0, 1));
            }
            EXPECT_EQ(s(sid, f.employee ? f.count + 2 : f.count + 1), r.asFloat(0, 2));
        }
    }
    // Slot 0 is the sum of the slots 1 to 99, column by column.
    for (int c = 0; c <= kRFS_zamestnavatel; ++c) {
        double sum = 0;
        for (int slot = 1; slot < kPocetSlotov; ++slot)
            sum += s(slot, c);
        EXPECT_EQ(s(0, c), sum) << "column " << c;
    }
    // Worked out by hand: counts, shares, the guarantee count with a premium of 0.
    EXPECT_EQ(s(0, kPocetNP), 2);
    EXPECT_EQ(s(0, kNP_zamestnanec), 501);
    EXPECT_EQ(s(0, kSP_zamestnavatel), 8891);
    EXPECT_EQ(s(0, kPocetGP), 3);
    EXPECT_EQ(s(0, kGP_zamestnavatel), 90);
    EXPECT_EQ(s(0, kPocetPvN), 2);
    // Column 34: every premium of both sides, 5 399 + 15 365.
    EXPECT_EQ(s(0, kSpolu), 20764);
    EXPECT_EQ(s(3, kNP_zamestnanec), 0); // centre 3 lies outside the range
}

TEST_F(SocialStatement, PayrollOfACentreOutsideTheTableStopsTheStatement)
{
    insertVyp(1, 200703, {{"SID", 0}, {"O_nemoc", 10}});
    EXPECT_THROW(computeTotals(session, 200703, 0, 99), EMyError);
}

TEST_F(SocialStatement, PrintedFormShowsTheTotalsOfTheMonth)
{
    insertMonth();
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP", 200703));
    ASSERT_EQ(previewHost.shownCount, 1) << scripted.messages().join('\n').toStdString();
    const rpt::PreparedReport &r = previewHost.last;
    ASSERT_EQ(r.pageCount(), 1);
    const rpt::PreparedPage &page = r.pages[0];
    const auto text = [&](const char *name) { return PayslipFirm::textOf(page, QString::fromLatin1(name)).trimmed(); };
    EXPECT_EQ(text("QR_OBDOBIE"), "3 / 2007");
    EXPECT_EQ(text("QR_RIADNY"), "X");
    EXPECT_EQ(text("QRDB_NAZOV"), "DEMO STAV, s.r.o.");
    EXPECT_EQ(text("QRDB_CALC_CISLO_UCTU"), "3621458202 / 1100");
    // "%10.0n": thousands separated by a blank.
    EXPECT_EQ(text("LO_NEMOC"), "501");
    EXPECT_EQ(text("LZ_DOCHOD"), "8 891");
    EXPECT_EQ(text("LP_NEMOC"), "2");
    EXPECT_EQ(text("LO_URAZ"), "x x x x");
    EXPECT_EQ(text("LZ_GARANCNE"), "90");
    EXPECT_EQ(text("LP_GARANCNE"), "3");
    EXPECT_EQ(text("LP_SPOLU"), "20 764");
}

TEST_F(SocialStatement, DataOnlyKeepsTheFilledLabels)
{
    insertMonth();
    TMyReportParam p = statement("SP", 200703);
    p.Len_udaje = true;
    p.Bez_ramcekov = true;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    ASSERT_EQ(previewHost.shownCount, 1);
    const rpt::PreparedPage &page = previewHost.last.pages.at(0);
    const QStringList texts = PayslipFirm::pageTexts(page);
    for (const char *kept : {"3 / 2007", "X", "DEMO STAV, s.r.o.", "8 891", "20 764"})
        EXPECT_TRUE(texts.filter(QString::fromUtf8(kept)).size() > 0) << kept;
    for (const char *gone : {"MESAČNÝ VÝKAZ POISTNÉHO A PRÍSPEVKOV", "x x x x", "NP - zamestnanec", "Sk"})
        EXPECT_FALSE(texts.contains(QString::fromUtf8(gone))) << gone;
    for (const rpt::PreparedItem &i : page.items)
        EXPECT_NE(i.type, rpt::PreparedItem::Rect) << i.name.toStdString();
}

TEST_F(SocialStatement, EveryTextFitsItsBox)
{
    insertMonth();
    // Long values where the firm header allows them.
    session.execute("update \":tarix_data:inf\" set nazov='Stavebná spoločnosť Považie Šťastný a syn, s.r.o.',"
                    " adr_email='mzdova.uctaren@stavebna-povazie.example'");
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP", 200703));
    ASSERT_EQ(previewHost.shownCount, 1);
    fixtures::expectWrittenAsPdf(previewHost.last, QStringLiteral("SP2005VY"));
    for (const rpt::PreparedItem &i : previewHost.last.pages.at(0).items) {
        if (i.type != rpt::PreparedItem::Text)
            continue;
        EXPECT_LE(double(i.lines.size()) * i.lineHeight, i.rect.height() + 0.01) << i.name.toStdString();
        for (double w : i.lineWidths)
            EXPECT_LE(w, i.rect.width() + 0.01) << i.name.toStdString() << " " << i.text().toStdString();
        // Inside the page's printable area.
        EXPECT_GE(i.rect.left(), 10 - 0.01) << i.name.toStdString();
        EXPECT_LE(i.rect.right(), 200 + 0.01) << i.name.toStdString();
        EXPECT_LE(i.rect.bottom(), 287 + 0.01) << i.name.toStdString();
    }
}

TEST_F(SocialStatement, AFailingQueryEndsTheRunWithTheDatabasesReason)
{
    session.execute("alter table \":tarix_data:vyp\" rename column oz_rezerva to oz_rezerva_x");
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP", 200703));
    EXPECT_EQ(previewHost.shownCount, 0);
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(Msg(65180))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("oz_rezerva", Qt::CaseInsensitive)) << errors[0].toStdString();
}

TEST_F(SocialStatement, FormDataFileOfATwoCentreMonth)
{
    insertMonth();
    session.execute("update \":tarix_data:inf\" set nazov='DEMO STAV & syn, s.r.o.', adr_ulica='Priemyselná <dvor>'");
    placeTemplate();
    const QString out = xfdfName(200703);
    EXPECT_TRUE(out.endsWith("vystupy/DATA01/2007/MesVykPCB_200703.xfdf")) << out.toStdString();
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP_PDF", 200703));
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty()) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(readFile(out), expectedFile("sp_pdf_two_centres.xfdf"));
}

TEST_F(SocialStatement, FormDataFileOfAnEmptyMonthHoldsZeros)
{
    session.execute("update \":tarix_data:inf\" set nazov='DEMO STAV & syn, s.r.o.', adr_ulica='Priemyselná <dvor>'");
    placeTemplate();
    scripted.answerNo(Msg(65126, xfdfName(200702)));
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP_PDF", 200702));
    EXPECT_EQ(readFile(xfdfName(200702)), expectedFile("sp_pdf_empty_month.xfdf"));
}

TEST_F(SocialStatement, DecliningToReplaceKeepsTheFileAndStillOffersToOpenIt)
{
    insertMonth();
    placeTemplate();
    const QString out = xfdfName(200703);
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    scripted.answerNo(Msg(65109, out));
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP_PDF", 200703));
    EXPECT_EQ(readFile(out), QByteArray("earlier"));
}

TEST_F(SocialStatement, MissingPdfFormWritesNothing)
{
    insertMonth();
    ParForm::Spusti_zostavu_podla_nazvu(statement("SP_PDF", 200703));
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], reportErrorText(Msg(65129, pdfTemplate())));
    EXPECT_FALSE(QFile::exists(xfdfName(200703)));
}
