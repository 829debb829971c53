// The dispatch table (code and period to report) and the dispatcher's run of a request.
#include "reports/dispatcher.h"

#include "platform/errors.h"
#include "platform/ui/scripted_user_interface.h"

#include <gtest/gtest.h>

#include <set>

using namespace tarix;
using namespace tarix::reports;

namespace {

struct Case {
    const char *kod;
    int obdobie;
    const char *nazov;
    int odstup = 0;
};

std::ostream &operator<<(std::ostream &os, const Case &c)
{
    return os << c.kod << " " << c.obdobie << " odstup " << c.odstup;
}

// Every row of the table, each windowed row at both edges of its window.
const Case kCases[] = {
    {"DOV", 199901, "TReportDOV"},
    {"DPC", 200801, "TReportDPC"},
    {"DPC2", 200501, "TReportDPC2"},
    {"DVP", 200501, "TReportDVP"},
    {"DVP2", 200501, "TReportDVP2"},
    {"DBPS", 200501, "TReportDBPS"},
    {"ELDZ1", 200501, "TReportELDZ1"},
    {"ELDP_PDF", 200501, "RexELDZ1.Export_xfdf"},
    {"EN", 200501, "TReportEN"},
    {"FZ1", 200004, "TReportFZ1"},
    {"FZ1", 200005, "TReportFZ1"},
    {"FZ1A", 200501, "TReportFZ1A"},
    {"FZ2", 200501, "TReportFZ2"},
    {"HP", 200501, "TReportHP"},
    {"HP1", 200501, "TReportHP1"},
    {"HP2", 200501, "TReportHP2"},
    {"ML", 200312, "TReportML"},
    {"ML", 200401, "TReportML3"},
    {"ML2", 200501, "TReportML2"},
    {"NZ", 200312, "TReportNZOLD"},
    {"NZ", 200401, "TReportNZ"},
    {"ODV", 200501, "TReportOdv"},
    {"ODV2", 200501, "TReportOdv2"},
    {"ODVZP", 200501, "TReportOdvZp"},
    {"ODVDP", 200501, "TReportOdvDp"},
    {"ZRAZ", 200501, "TReportZraz"},
    {"POI", 200112, "TReportPOI"},
    {"POI", 200201, "TReportPOI2"},
    {"PP", 200501, "TReportPP"},
    {"VZ", 200501, "TReportVZ"},
    {"PP2", 200501, "TReportPP2"},
    {"PU", 200501, "TReportPU"},
    {"BO", 200501, "TReportBO2005"},
    {"PZ", 200601, "TReportPZ2006"},
    {"PZ", 200512, "TReportPZ2005"},
    {"PZ", 200501, "TReportPZ2005"},
    {"PZ", 200412, "TReportPZ3"},
    {"PZ", 200401, "TReportPZ3"},
    {"PZ", 200312, "TReportPZ2"},
    {"PZ", 200101, "TReportPZ2"},
    {"PZ", 200012, "TReportPZ"},
    {"RZ", 200012, "TReportRZ"},
    {"RZ", 200101, "TReportRZ3"},
    {"RZ", 200112, "TReportRZ3"},
    {"RZ", 200201, "TReportRZ4"},
    {"RZ", 200312, "TReportRZ4"},
    {"RZ", 200401, "TReportRZ_2004"},
    {"RZ", 200412, "TReportRZ_2004"},
    {"RZ", 200501, "TReportRZ_2005"},
    {"NEZISK1", 200501, "RZ2005A.Export_rtf_nezisk1"},
    {"NEZISK2", 200612, "RZ2005A.Export_rtf_nezisk2"},
    {"RZ2004B", 200401, "TReportRZ_2004B"},
    {"RZ2", 200501, "TReportRZ2"},
    {"SP", 200501, "TReportSP2005VY"},
    {"SP", 200412, "TReportSP1"},
    {"SP", 200401, "TReportSP1"},
    {"SP", 200312, "TReportSP"},
    {"SP_PDF", 200501, "SP2005VY.Export_xfdf"},
    {"SP_PDF_PR", 200501, "SP2005PR.Export_xfdf"},
    {"SP_PRIHLAS", 200501, "RexRTF.Export_rtf_prihlasenie"},
    {"SPV", 200501, "TReportSP2005VY"},
    {"SPV", 200412, "TReportSP1"},
    {"SPV", 200401, "TReportSP1"},
    {"SPV", 200312, "TReportSPV"},
    {"SP1", 200501, "TReportSP1"},
    {"SP1P", 200501, "TReportSP2005PR"},
    {"SP1P", 200412, "TReportSP1P"},
    {"VL", 200401, "TReportVL"},
    {"VL", 200312, "TReportVLOLD"},
    {"VL2", 200501, "TReportVL2"},
    {"VL3", 200501, "TReportVL3"},
    {"VLND", 200501, "TReportVLND"},
    {"VP", 200501, "TReportVP2005A", 0},
    {"VP", 200501, "TReportVP2005B", 1},
    {"VP", 200412, "TReportVP2", 0},
    {"VP", 200401, "TReportVP2T", 2},
    {"VP", 200312, "TReportVP", 0},
    {"VP", 200312, "TReportVP", 3},
    {"VYK", 200501, "TReportVYK"},
    {"ZL", 200501, "TReportZL"},
    {"ZML", 200501, "TReportZML"},
    {"ZML2", 200501, "TReportZML2"},
    {"ZMLD", 200501, "TReportZML2"},
    {"ZP", 200412, "TReportZP"},
    {"ZP", 200501, "TReportZP2005VY"},
    {"ZP_RTF", 200501, "ZP2005VY.Export_rtf"},
    {"ZP2005PR", 200501, "TReportZP2005PR"},
    {"DNS2", 200701, "TReportPR2007"},
    {"DNS2", 200612, "TReportDNS2A"},
    {"DNS2", 200401, "TReportDNS2A"},
    {"DNS2", 200312, "TReportDNS2"},
    {"DNS3", 200012, "TReportDNS3"},
    {"DNS3", 200101, "TReportVD"},
    {"DNS3", 200312, "TReportVD"},
    {"DNS3", 200401, "TReportVD2005A"},
    {"VD2", 200312, "TReportVD2"},
    {"VD2", 200401, "TReportVD2005B"},
    {"VD_A_PDF", 200501, "VD2005A.Export_xfdf"},
    {"VD_B_PDF", 200501, "VD2005B.Export_xfdf"},
    {"SPXML", 200501, "RexSpXml.Export_xml_vykazu"},
    {"SPXML/2.5", 200601, "RexSpXml.Export_xml_vykazu"},
    {"ZPTXT", 200501, "RexZpTxt.Export_davok_zp"},
    {"ZP601", 200501, "RexZpTxt.Export_davok_zp"},
    {"SP1PXLS", 200501, "ParForm.Export_sylk"},
    {"RTF_ZDR_DOKLAD", 200501, "RexRTF.Export_rtf_doklad"},
    {"RTF_ZDR_OZNAM", 200501, "RexRTF.Export_rtf_oznamenie"},
    {"ZP05OZVY", 200501, "TReportZP05OZVY"},
    {"ZP05OZPR", 200501, "TReportZP05OZPR"},
};

class DispatchTable : public ::testing::TestWithParam<Case> {};

} // namespace

TEST_P(DispatchTable, CodeAndPeriodSelectOneReport)
{
    const Case &c = GetParam();
    int asked = 0;
    const auto odstup = [&] {
        ++asked;
        return c.odstup;
    };
    const ReportChoice v = chooseReport(c.kod, c.obdobie, odstup);
    EXPECT_EQ(v.documentKind, ReportChoice::ReportKind::Zostava);
    EXPECT_EQ(v.nazov, c.nazov);
    // The firm setting is read only where it decides (payslips from 2004).
    EXPECT_EQ(asked, QString(c.kod) == "VP" && c.obdobie >= 200401 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(AllRows, DispatchTable, ::testing::ValuesIn(kCases));

TEST(Dispatcher, EveryCodeOfTheTableIsCoveredByTheCases)
{
    std::set<QString> tested;
    for (const Case &c : kCases)
        tested.insert(c.kod);
    tested.insert("RZ2004B");
    const QStringList kody = reportCodes();
    EXPECT_EQ(int(tested.size()), kody.size());
    for (const QString &k : kody)
        EXPECT_TRUE(tested.count(k)) << k.toStdString();
}

TEST(Dispatcher, UnknownCodesAndClosedWindowsAreNotFound)
{
    struct Miss {
        const char *kod;
        int obdobie;
    } misses[] = {
        {"vp", 200501},      // case differs
        {"VP ", 200501},     // trailing blank
        {"", 200501},
        {"XYZ", 200501},
        {"NEZISK1", 200412}, // its only row starts in 2005
        {"NEZISK2", 200401},
    };
    for (const Miss &m : misses) {
        const ReportChoice v = chooseReport(m.kod, m.obdobie, [] { return 0; });
        EXPECT_EQ(v.documentKind, ReportChoice::ReportKind::Nenajdena) << m.kod;
        EXPECT_EQ(v.nazov, "Nenašiel sa report");
    }
    const ReportChoice rz = chooseReport("RZ2004B", 200312, {});
    EXPECT_EQ(rz.documentKind, ReportChoice::ReportKind::Chyba);
    EXPECT_EQ(rz.nazov, "Report je možné spúšťať až od roku 2004");
}

namespace {

class DispatcherRun : public ::testing::Test {
protected:
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope{scripted};

    TMyReportParam request(const char *kod, int obdobie)
    {
        TMyReportParam p;
        p.Kod_zostavy = kod;
        p.Obdobie = obdobie;
        return p;
    }
    // The main window was disabled for the run and is enabled again.
    void expectMainWindowRestored()
    {
        const auto mw = scripted.events(ui::ScriptedUserInterface::EventKind::MainWindow);
        ASSERT_GE(mw.size(), 2u);
        EXPECT_EQ(mw.front().value, 0);
        EXPECT_EQ(mw.back().value, 1);
        EXPECT_TRUE(scripted.mainWindowEnabled());
    }
};

} // namespace

TEST_F(DispatcherRun, RunsTheRegisteredRoutineWithTheRequestWhileTheMainWindowIsDisabled)
{
    TMyReportParam seen;
    int runs = 0;
    bool enabledDuringRun = true;
    TemporaryRegistration reg("TReportPZ3", [&](const TMyReportParam &p) {
        seen = p;
        ++runs;
        enabledDuringRun = scripted.mainWindowEnabled();
    });
    TMyReportParam p = request("PZ", 200403);
    p.Zamestnanec_od = p.Zamestnanec_do = 7;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen.Zamestnanec_od, 7);
    EXPECT_EQ(seen.Obdobie, 200403);
    EXPECT_FALSE(enabledDuringRun);
    EXPECT_TRUE(scripted.messages().isEmpty());
    expectMainWindowRestored();
}

TEST_F(DispatcherRun, TheUnitCopyIsWhatTheRoutineReceives)
{
    QString kod;
    TemporaryRegistration reg("TReportDOV", [&](const TMyReportParam &p) { kod = p.Kod_zostavy; });
    ParForm::reportParameters() = request("DOV", 200501);
    ParForm::Spusti_zostavu_podla_nazvu();
    EXPECT_EQ(kod, "DOV");
}

TEST_F(DispatcherRun, ErrorsAreShownAndNeverRaised)
{
    struct Run {
        const char *kod;
        int obdobie;
        QString shown;
    } runs[] = {
        {"XYZ", 200501, "Nenašiel sa report"},
        {"NEZISK1", 200401, "Nenašiel sa report"},
        {"RZ2004B", 200312, "Report je možné spúšťať až od roku 2004"},
        // A routine that is not part of this build.
        {"ZP05OZPR", 200501,
         "Nastala chyba pri vytváraní tlačovej zostavy. Tlačová zostava TReportZP05OZPR nie je k dispozícii."},
    };
    reportRegister().unregisterReport("TReportZP05OZPR");
    for (const Run &r : runs) {
        scripted.clearEvents();
        EXPECT_NO_THROW(ParForm::Spusti_zostavu_podla_nazvu(request(r.kod, r.obdobie)));
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{r.shown}) << r.kod;
        expectMainWindowRestored();
    }
}

TEST_F(DispatcherRun, AFailureEscapingARoutineIsShownAsAReportError)
{
    TemporaryRegistration reg("TReportVL2", [](const TMyReportParam &) { throw EMyError("zlyhalo"); });
    EXPECT_NO_THROW(ParForm::Spusti_zostavu_podla_nazvu(request("VL2", 200501)));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"Nastala chyba pri vytváraní tlačovej zostavy. zlyhalo"});
    expectMainWindowRestored();

    // A silent abort has been told already.
    scripted.clearEvents();
    TemporaryRegistration abort("TReportVL2", [](const TMyReportParam &) { throw EAbort(); });
    ParForm::Spusti_zostavu_podla_nazvu(request("VL2", 200501));
    EXPECT_TRUE(scripted.messages().isEmpty());
    expectMainWindowRestored();
}

TEST(DispatcherRegister, TemporaryRegistrationRestoresThePreviousRoutine)
{
    int which = 0;
    reportRegister().registerReport("TReportX", [&](const TMyReportParam &) { which = 1; });
    {
        TemporaryRegistration reg("TReportX", [&](const TMyReportParam &) { which = 2; });
        (*reportRegister().findReport("TReportX"))({});
        EXPECT_EQ(which, 2);
    }
    (*reportRegister().findReport("TReportX"))({});
    EXPECT_EQ(which, 1);
    reportRegister().unregisterReport("TReportX");
    EXPECT_EQ(reportRegister().findReport("TReportX"), nullptr);
}
