// The health-insurance statements as the clerk runs them through the dispatcher: the
// printed ZP before 2005 (a page per insurer, the employee's rate caption of the period),
// ZP from 2005 printing nothing, the RTF statement "ZP_RTF" byte for byte, its empty
// insurer and its overwrite question, the monthly annex and the settlement notice with its
// annex.
//
// The expected RTF file (expected/zp7_vykaz_200503.rtf) was written line by line from the
// statement's placeholder table and the small template kTemplate below, not taken from the
// program:
//   - every key is replaced by its value once per line; the template and the file are
//     Windows-1250 with CR LF, so "á" of the insurer's name is byte E1 and "ň" F2, "Š" 8A;
//   - $KZP "7" (the insurer without leading zeros); $OBDOBIE "032005" (MMYYYY); $DEN_VYP
//     "15.4.2005": day FZ_DEN (15) of the month after the period, as d.m.yyyy;
//   - $F_MENO is the firm text cut to its first 48 characters ("... DEMO STAV, s.r.o.",
//     without ", Trnava"); $PSC "91701" padded with blanks to 48; $VYPLNIL padded to 42,
//     $DNA to 24;
//   - rows 1 to 4 plain integers; $RRRR (row 5) "21000" for 21 000.40 ("%0.0f"); $RR07A
//     "10" and $RR08A "4" ("%0.0f" of the 2005 rates), $RR15A " 5" and $RR16A " 2" ("%2.0n");
//   - $RR15B "751": the group's employer share 750.40 cut to hallers, then rounded up.
#include "health_fixture.h"
#include "social_pdf.h"

#include "core/firm_opening.h"
#include "core/helpers/messages.h"
#include "platform/codepage/cp1250.h"
#include "reports/dispatcher.h"
#include "reports/health/rexzp.h"
#include "reports/health/zp05ozpr.h"
#include "reports/health/zp05ozvy.h"
#include "reports/health/zp2005pr.h"
#include "reports/health/zp2005vy.h"
#include "reports/report.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::HealthFirm;

namespace {

const char kTemplate[] = "{\\rtf1\\ansi\\ansicpg1250\r\n"
                         "$KZP|$NAZOV_ZP|$OBDOBIE|$DEN_VYP\\par\r\n"
                         "$F_MENO|$PSC|\\par\r\n"
                         "$RR01 $RR02 $RR03 $RR04 $RRRR $RR06\\par\r\n"
                         "$RR07A/$RR07B $RR08A/$RR08B $RR09\\par\r\n"
                         "$RR10 $RR11 $RR12 $RR13 $RR14\\par\r\n"
                         "[$RR15A]/$RR15B [$RR16A]/$RR16B $RR17 $RR18\\par\r\n"
                         "$VYPLNIL|$DNA|\\par\r\n"
                         "}\r\n";

class HealthStatements : public HealthFirm {
protected:
    const rpt::PreparedReport *run(const TMyReportParam &p)
    {
        const int before = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(p);
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        return previewHost.shownCount == before + 1 ? &previewHost.last : nullptr;
    }

    // Insurer 7 of March 2005: group A with one payer and one person without a base,
    // group B with one person reduced by 50 %.
    void insertRtfMonth()
    {
        openYear(2005);
        session.execute("insert into \":tarix_comm:cis_zp\" (ID, TEXT) values (7, 'Zdravotná poisťovňa Sedem')");
        insertVyp(1, 200503, {{"KZP", 7}, {"N_zaklad_zp", 20000}, {"N_prijem_zp", 21000.40}, {"O_zdravot", 800},
                              {"Oz_zdravot", 2000}, {"V_kal_dni", 31}});
        insertVyp(2, 200503, {{"KZP", 7}, {"ZTP", 1}, {"Miera_poklesu", 50}, {"N_zaklad_zp", 15000},
                              {"N_prijem_zp", 15000}, {"O_zdravot", 300}, {"Oz_zdravot", 750.40}, {"V_kal_dni", 31},
                              {"V_nepoist_zp", 1}});
        insertVyp(3, 200503, {{"KZP", 7}, {"N_zaklad_zp", 0}, {"V_kal_dni", 31}});
    }
    void placeTemplate()
    {
        QDir().mkpath(QFileInfo(ZP2005VY::rtfTemplate()).absolutePath());
        QFile f(ZP2005VY::rtfTemplate());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(kTemplate);
    }
    static TMyReportParam rtfRequest(int kzp)
    {
        TMyReportParam p = request("ZP_RTF", 200503);
        p.Cislo = kzp;
        p.Prepisat3 = true;
        p.Text_firmy = QStringLiteral("Stavebná a obchodná spoločnosť DEMO STAV, s.r.o., Trnava");
        return p;
    }
};

} // namespace

TEST_F(HealthStatements, PrintedZpHasAPagePerInsurerWithTheRateOfThePeriod)
{
    for (const auto &[period, caption] : {std::pair{200012, "zamestnanec  3,7%"}, std::pair{200101, "zamestnanec  4,0%"},
                                          std::pair{200412, "zamestnanec  4,0%"}}) {
        SCOPED_TRACE(period);
        session.execute("delete from \":tarix_data:vyp\"");
        insertVyp(1, period, {{"KZP", 25}, {"N_zaklad_zp", 12345.67}, {"O_zdravot", 493.83}, {"Fz_zdravot", 10},
                              {"Oz_zdravot", 1234.57}});
        insertVyp(2, period, {{"KZP", 21}, {"ZPS", 1}, {"N_zaklad_zp", 10000}, {"O_zdravot", 400},
                              {"Fz_zdravot", 2.6}, {"Oz_zdravot", 260}});
        const rpt::PreparedReport *r = run(request("ZP", period));
        ASSERT_TRUE(r);
        ASSERT_EQ(r->pageCount(), 2);
        EXPECT_EQ(textsOf(*r, "QRDB_nazov_zp"),
                  (QStringList{"Všeobecná zdravotná poisťovňa", "Spoločná zdravotná poisťovňa"}));
        EXPECT_EQ(textsOf(*r, "QRDB_ca_nadpis1"),
                  (QStringList{"kód zdravotnej poisťovne : 21", "kód zdravotnej poisťovne : 25"}));
        EXPECT_EQ(textOf(r->pages[0], "QRLabelZam1"), caption);
        EXPECT_EQ(textOf(r->pages[0], "QRLabelZam2"), caption);
        // The employer's captions state the rate each group's amount was computed with;
        // insurer 21 has nobody in group A: the year's rate.
        EXPECT_EQ(textOf(r->pages[0], "QRL_V10"), "zamestnávateľ  2,6%");
        EXPECT_EQ(textOf(r->pages[1], "QRL_V5"), "zamestnávateľ  10,0%");
        // Insurer 21: one employee with changed working capacity.
        EXPECT_EQ(textOf(r->pages[0], "V7"), "1");
        EXPECT_EQ(textOf(r->pages[0], "V8").trimmed(), "10 000,00");
        EXPECT_EQ(textOf(r->pages[0], "V10").trimmed(), "260,00");
        EXPECT_EQ(textOf(r->pages[0], "V12").trimmed(), "660,00");
        // Insurer 25: up to 2004 the employer's part is 10 % of the base rounded up.
        EXPECT_EQ(textOf(r->pages[1], "V2"), "1");
        EXPECT_EQ(textOf(r->pages[1], "V3").trimmed(), "12 345,67");
        EXPECT_EQ(textOf(r->pages[1], "V5").trimmed(), "1 235,00");
        EXPECT_EQ(textOf(r->pages[1], "V6").trimmed(), "493,83");
        EXPECT_EQ(textOf(r->pages[1], "QRDB_ca_obdobie"),
                  QStringLiteral("za mesiac  %1 / %2").arg(period % 100, 2, 10, QChar('0')).arg(period / 100));
        expectFits(*r);
        fixtures::expectWrittenAsPdf(*r, QStringLiteral("zp_%1").arg(period));
    }
}

TEST_F(HealthStatements, ZpFromTwoThousandFivePrintsNothing)
{
    insertVyp(1, 200503, {{"KZP", 25}, {"N_zaklad_zp", 1000}});
    EXPECT_EQ(run(request("ZP", 200503)), nullptr);
}

TEST_F(HealthStatements, PayDayIsTheFirmsDayOfTheNextMonthLoweredToItsLastDay)
{
    const struct {
        int period, day;
        QDate expected;
    } cases[] = {{200503, 15, {2005, 4, 15}}, {200503, 31, {2005, 4, 30}}, {200512, 31, {2006, 1, 31}},
                 {200601, 30, {2006, 2, 28}}, {200401, 30, {2004, 2, 29}}};
    for (const auto &c : cases)
        EXPECT_EQ(ZP2005VY::payDay(c.period, c.day), c.expected) << c.period << " " << c.day;
}

TEST_F(HealthStatements, RtfStatementOfInsurerSevenByteForByte)
{
    insertRtfMonth();
    placeTemplate();
    const QString out = ZP2005VY::rtfName(7, 200503);
    EXPECT_TRUE(out.endsWith("vystupy/DATA01/2005/zp7_vykaz_200503.rtf")) << out.toStdString();
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(rtfRequest(7));
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65126, out)});
    EXPECT_EQ(readFile(out), readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/reports/expected/zp7_vykaz_200503.rtf")));
}

TEST_F(HealthStatements, OurTemplateCarriesEveryPlaceholder)
{
    insertRtfMonth();
    const QString out = ZP2005VY::rtfName(7, 200503);
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(rtfRequest(7));
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65126, out)});
    const QString text = codepage::fromCp1250(readFile(out));
    EXPECT_FALSE(text.contains('$')) << text.toStdString();
    EXPECT_TRUE(text.contains("Zdravotná poisťovňa Sedem"));
    EXPECT_TRUE(text.contains("\\'a713 v Sk: 20000")) << text.toStdString();
    EXPECT_TRUE(text.contains("Preddavok spolu v Sk (r. 9 + r. 17): 3851")) << text.toStdString();
}

TEST_F(HealthStatements, AnInsurerWithoutRecordsWritesNoFile)
{
    insertRtfMonth();
    placeTemplate();
    ParForm::Spusti_zostavu_podla_nazvu(rtfRequest(25));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"Nastala chyba pri vytváraní tlačovej zostavy. Výkaz pre zdravotnú poisťovňu č.25 je prázdny."});
    EXPECT_FALSE(QFile::exists(ZP2005VY::rtfName(25, 200503)));
}

TEST_F(HealthStatements, TheOverwriteQuestionFollowsTheRequest)
{
    insertRtfMonth();
    placeTemplate();
    const QString out = ZP2005VY::rtfName(7, 200503);
    const auto earlier = [&] {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("earlier");
    };
    // Declined: nothing is written and nothing more is shown.
    earlier();
    scripted.answerNo(Msg(65109, out));
    ParForm::Spusti_zostavu_podla_nazvu(rtfRequest(7));
    EXPECT_EQ(readFile(out), QByteArray("earlier"));
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65109, out)});
    // Without the menu's flag the question is asked all the same: a statement already
    // written is never replaced silently.
    scripted.clearEvents();
    TMyReportParam p = rtfRequest(7);
    p.Prepisat3 = false;
    scripted.answerYes(Msg(65109, out));
    scripted.answerNo(Msg(65126, out));
    ParForm::Spusti_zostavu_podla_nazvu(p);
    EXPECT_TRUE(readFile(out).startsWith("{\\rtf1"));
    EXPECT_EQ(scripted.questions(), (QStringList{Msg(65109, out), Msg(65126, out)}));
}

TEST_F(HealthStatements, AnnexBasesAndMarksAsTables)
{
    // The annex's base columns: only what the employer pays for, by disability.
    const struct {
        int u;
        bool zps;
        double z1, z2;
    } zaklady[] = {{1, false, 100, 0}, {1, true, 0, 100}, {2, false, 0, 0}, {2, true, 0, 0}, {3, false, 100, 0},
                   {3, true, 0, 100},  {4, false, 0, 0},  {5, true, 0, 0}};
    for (const auto &c : zaklady)
        EXPECT_EQ(ZP2005PR::insuranceBases(c.u, c.zps, 100), (std::pair{c.z1, c.z2})) << c.u << " " << c.zps;
    // Who settled: "1" the employer, "2" the employee, anything else nobody.
    const struct {
        const char *a1, *ztel, *znec;
    } znacky[] = {{"1", "X", ""}, {"2", "", "X"}, {"3", "", ""}, {"", "", ""}, {" 1 ", "X", ""}};
    for (const auto &c : znacky)
        EXPECT_EQ(ZP05OZPR::insurerMarks(QString::fromLatin1(c.a1)),
                  (std::pair{QString::fromLatin1(c.ztel), QString::fromLatin1(c.znec)}))
            << c.a1;
    EXPECT_EQ(ZP2005PR::socialSecurityText(200501), "0105");
    EXPECT_EQ(ZP2005PR::socialSecurityText(200612), "1206");
}

TEST_F(HealthStatements, MonthlyAnnexListsEachInsurersEmployeesOnItsOwnPage)
{
    for (int period : {200512, 200601}) {
        SCOPED_TRACE(period);
        session.execute("delete from \":tarix_data:vyp\"");
        insertVyp(3, period, {{"KZP", 24}, {"N_zaklad_zp", 12000}, {"N_prijem_zp", 12500}, {"O_zdravot", 480},
                              {"Oz_zdravot", 1200.5}, {"F_zdravot", 4}, {"Fz_zdravot", 10}, {"V_kal_dni", 31}});
        insertVyp(1, period, {{"KZP", 24}, {"U_zdrav", 2}, {"N_zaklad_zp", 8000}, {"O_zdravot", 320}, {"Oz_zdravot", 0},
                              {"F_zdravot", 4}, {"V_kal_dni", 31}, {"V_nepoist_zp", 2}});
        insertVyp(2, period, {{"KZP", 21}, {"N_zaklad_zp", 9000}, {"O_zdravot", 360}, {"Oz_zdravot", 900}});
        insertVyp(4, period, {{"KZP", 0}, {"N_zaklad_zp", 5000}});   // no insurer: no page
        const rpt::PreparedReport *r = run(request("ZP2005PR", period));
        ASSERT_TRUE(r);
        ASSERT_EQ(r->pageCount(), 2);
        EXPECT_EQ(textOf(r->pages[0], "QRLabel_KZP"), "21");
        EXPECT_EQ(textOf(r->pages[1], "QRLabel_KZP"), "24");
        // The running number restarts for every insurer; employees by personal number.
        EXPECT_EQ(textsOf(*r, "QRL_PORADIE"), (QStringList{"1", "1", "2"}));
        EXPECT_EQ(textsOf(*r, "QRDB_born_numb"), (QStringList{"7559302311", "6803145129", "8201084177"}));
        EXPECT_EQ(textsOf(*r, "QRDB_dni_poist"), (QStringList{"0", "29", "31"}));
        // Advances to the haller before 2006, whole crowns from it.
        const QStringList advances = period < 200601 ? QStringList{"900,00", "0,00", "1200,50"}
                                                     : QStringList{"900", "0", "1201"};
        EXPECT_EQ(textsOf(*r, "QRDB_oz_zdravot"), advances);
        EXPECT_EQ(textOf(r->pages[1], "QRDB_CALC_ICO"), "36214582");
        EXPECT_EQ(textOf(r->pages[1], "QRDB_CA_OBDOBIE"),
                  QStringLiteral("za obdobie  %1 / %2").arg(period % 100, 2, 10, QChar('0')).arg(period / 100));
        expectFits(*r);
        fixtures::expectWrittenAsPdf(*r, QStringLiteral("zp2005pr_%1").arg(period));
    }
}

TEST_F(HealthStatements, TheAnnexAndTheNoticeTickTheKindOfStatementRequested)
{
    insertVyp(1, 200603, {{"KZP", 24}, {"N_zaklad_zp", 12000}, {"O_zdravot", 480}, {"Oz_zdravot", 1200}});
    session.execute("insert into \":tarix_data:zp_znec\" (Code_emp, V_rok, ROK, KZP, Typ_zuctovania, Datum_ziadosti) "
                    "values (1, 2007, 2006, 24, 1, '2007-03-01')");
    session.execute("insert into \":tarix_data:zp_univ\" (Code_emp, V_rok, Typ, Rok, X1, X2, A1) "
                    "values (1, 2007, 'VV', 2006, 120, 0, '1')");
    const struct {
        const char *kod;
        int period;
        const char *regular, *corrective;
    } reports[] = {{"ZP2005PR", 200603, "QR_RIADNY", "QR_OPRAVNY"}, {"ZP05OZVY", 200706, "QR_RIADNE", "QR_OPRAVNE"}};
    for (const auto &rep : reports)
        for (const QChar kind : {QChar(u'R'), QChar(u'O')}) {
            SCOPED_TRACE(testing::Message() << rep.kod << " " << kind.toLatin1());
            TMyReportParam p = request(rep.kod, rep.period);
            p.Typ_vykazu = kind;
            const rpt::PreparedReport *r = run(p);
            ASSERT_TRUE(r);
            EXPECT_EQ(textOf(r->pages[0], rep.regular), kind == u'R' ? "X" : "");
            EXPECT_EQ(textOf(r->pages[0], rep.corrective), kind == u'O' ? "X" : "");
            if (QLatin1String(rep.kod) == QLatin1String("ZP05OZVY")) {
                // The notice of 2007 settles 2006 and names it in row 25 too.
                EXPECT_EQ(textOf(r->pages[0], "QRLabel_rok"),
                          "o preplatkoch a nedoplatkoch za jednotlivých zamestnancov za rok 2006");
                EXPECT_EQ(textOf(r->pages[0], "QRL_R25"), "Neuhradené záväzky zamestnávateľa za rok 2006");
            }
            expectFits(*r);
            fixtures::expectWrittenAsPdf(*r, QStringLiteral("%1_%2").arg(rep.kod).arg(kind));
        }
}

TEST_F(HealthStatements, SettlementNoticeAndItsAnnexPerInsurer)
{
    const auto settled = [&](int emp, int kzp, double x1, double x2, const char *a1, const char *a2) {
        session.execute("insert into \":tarix_data:zp_znec\" (Code_emp, V_rok, ROK, KZP, Typ_zuctovania, "
                        "Datum_ziadosti) values (:p1, 2006, 2005, :p2, 1, '2006-03-01')",
                        {{"p1", emp}, {"p2", kzp}});
        session.execute("insert into \":tarix_data:zp_univ\" (Code_emp, V_rok, Typ, Rok, X1, X2, A1, A2) "
                        "values (:p1, 2006, 'VV', 2005, :p2, :p3, :p4, :p5)",
                        {{"p1", emp}, {"p2", x1}, {"p3", x2}, {"p4", a1}, {"p5", a2}});
    };
    settled(1, 25, 120.50, -30, "1", "");
    settled(3, 25, -45, 0, "2", "");
    settled(2, 21, 10, 5, "3", "Iná firma, a.s.");
    // The test's own row for insurer 25 replaces the one the demo firm ships; insurer 21 has
    // none (the demo's goes), so its notice shows no payer number.
    session.execute("delete from \":tarix_data:cis_bu\" where buid_typ = 'Z' and buid_kod in (21, 25)");
    session.execute("insert into \":tarix_data:cis_bu\" (BUID_TYP, BUID_KOD, POBOCKA_ZP, OLD_CISLO_U) "
                    "values ('Z', 25, 3, '2500777')");

    const rpt::PreparedReport *r = run(request("ZP05OZVY", 200606));
    ASSERT_TRUE(r);
    ASSERT_EQ(r->pageCount(), 2);
    EXPECT_EQ(textOf(r->pages[0], "QRLabel_rok"), "o preplatkoch a nedoplatkoch za jednotlivých zamestnancov za rok 2005");
    EXPECT_EQ(textsOf(*r, "QRDB_pocet"), (QStringList{"1", "2"}));
    EXPECT_EQ(textsOf(*r, "QRDB_nedopl_znec"), (QStringList{"10,00", "75,50"}));
    EXPECT_EQ(textsOf(*r, "QRDB_R24"), (QStringList{"15,00", "45,50"}));
    EXPECT_EQ(textsOf(*r, "QRDB_R25"), (QStringList{"0,00", "0,00"}));
    EXPECT_EQ(textsOf(*r, "QRDB_R27"), (QStringList{"15,00", "45,50"}));
    EXPECT_EQ(textsOf(*r, "QRDB_old_cislo_u"), (QStringList{"", "2500777"}));
    expectFits(*r);
    fixtures::expectWrittenAsPdf(*r, QStringLiteral("zp05ozvy"));

    const rpt::PreparedReport *a = run(request("ZP05OZPR", 200606));
    ASSERT_TRUE(a);
    ASSERT_EQ(a->pageCount(), 2);
    EXPECT_EQ(textsOf(*a, "QRLabel_KZP"), (QStringList{"21", "25"}));
    EXPECT_EQ(textsOf(*a, "QRL_PORADIE"), (QStringList{"1", "1", "2"}));
    EXPECT_EQ(textsOf(*a, "QRDB_CALC_VYK_ZTEL"), (QStringList{"", "X", ""}));
    EXPECT_EQ(textsOf(*a, "QRDB_CALC_VYK_ZNEC"), (QStringList{"", "", "X"}));
    EXPECT_EQ(textsOf(*a, "QRDB_A2"), (QStringList{"Iná firma, a.s.", "", ""}));
    expectFits(*a);
    fixtures::expectWrittenAsPdf(*a, QStringLiteral("zp05ozpr"));

    // Another year's settlements are not there.
    EXPECT_EQ(run(request("ZP05OZVY", 200706)), nullptr);
}
