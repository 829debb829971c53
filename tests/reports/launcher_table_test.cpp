// The report launchers as one table: every item of the menus that prints has its row, every
// row's request is dispatched to a report for each period its item can be used in, and the
// recipes put period, employee, flags and guards into the request as the item asks.
#include "core/forms/main_menu.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"
#include "reports/dispatcher.h"
#include "reports/launchers.h"

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::reports;

namespace {

// The defaults of a request in `period` (as Priprav_parametre_zostavy sets them).
TMyReportParam defaults(int period)
{
    TMyReportParam p;
    p.Obdobie = p.Obdobie_od = p.Obdobie_do = period;
    return p;
}

LauncherState state(int period)
{
    LauncherState s;
    s.obdobie = period;
    s.zamestnanecKarty = 7;
    s.zamestnanecZuctovania = 8;
    s.rokZuctovania = period / 100;
    s.druhZmluvy = 0;
    s.pidZmluvy = 55;
    return s;
}

const ReportLauncher &launcher(const char *id)
{
    const ReportLauncher *s = reportLauncher(QString::fromLatin1(id));
    if (!s)
        throw std::runtime_error(std::string("no launcher ") + id);
    return *s;
}

TMyReportParam request(const char *id, const LauncherState &s)
{
    const std::optional<TMyReportParam> p = launcherRequest(launcher(id), s, defaults(s.obdobie));
    if (!p)
        throw std::runtime_error(std::string("no request of ") + id);
    return *p;
}

QString refusal(const char *id, const LauncherState &s)
{
    try {
        launcherRequest(launcher(id), s, defaults(s.obdobie));
    } catch (const EMyError &e) {
        return e.text();
    }
    return {};
}

const int kContractKinds[] = {0, 1, 2, 10, 11, 12, 13, 14};

} // namespace

// Each report item of the menus runs a launcher of its own id; each launcher is an item of
// a menu or a button of the card.
TEST(LauncherTable, EveryReportItemHasItsLauncher)
{
    QStringList menuIds;
    for (const auto *table : {&core::mainMenuItems(), &core::operationMenuItems()})
        for (const core::MainMenuItem &item : *table)
            if (item.kind == core::MainMenuItem::Kind::Command)
                menuIds << QString::fromLatin1(item.id);
    int reportItems = 0;
    for (const QString &id : menuIds)
        if (id.startsWith(u"tlac_") || id.startsWith(u"zam_tlac_") || id == u"ppv_tlac") {
            ++reportItems;
            if (id != u"tlac_sp_xml_k") { // a file of its own, not a report code
                EXPECT_NE(reportLauncher(id), nullptr) << id.toStdString();
            }
        }
    EXPECT_GT(reportItems, 50);
    QStringList ids;
    for (const ReportLauncher &s : reportLaunchers()) {
        const QString id = QString::fromLatin1(s.id);
        EXPECT_FALSE(ids.contains(id)) << s.id;
        ids << id;
        const bool button = id.startsWith(u"Butt_") || id.startsWith(u"rzp_");
        EXPECT_TRUE(button || core::mainMenuCommands().declares(id)) << s.id;
    }
}

// For every month of the installation's years (2004 to 2008) from the first its report
// exists: the code the launcher sends has a dispatcher row that runs a report, with either
// payslip layout setting.
TEST(LauncherTable, EveryCodeSentHasADispatcherRowForItsPeriods)
{
    for (const ReportLauncher &s : reportLaunchers()) {
        for (int year = 2004; year <= 2008; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const int period = year * 100 + month;
                if (period < s.odObdobia)
                    continue;
                std::vector<LauncherState> states;
                if (s.launcherCode) {
                    states.push_back(state(period));
                } else {
                    for (int kind : kContractKinds) {
                        LauncherState st = state(period);
                        st.druhZmluvy = kind;
                        states.push_back(st);
                    }
                }
                for (const LauncherState &st : states) {
                    const TMyReportParam p = request(s.id, st);
                    for (int odstup : {0, 1}) {
                        const ReportChoice v = chooseReport(p.Kod_zostavy, p.Obdobie, [odstup] { return odstup; });
                        EXPECT_EQ(v.documentKind, ReportChoice::ReportKind::Zostava)
                            << s.id << " " << p.Kod_zostavy.toStdString() << " " << p.Obdobie << ": "
                            << v.nazov.toStdString();
                    }
                }
            }
        }
    }
}

TEST(LauncherTable, AnnualRecapitulationCoversTheOpenYearInAnyMonth)
{
    for (int month = 1; month <= 12; ++month) {
        const TMyReportParam p = request("tlac_vl3_rok", state(200500 + month));
        EXPECT_EQ(p.Kod_zostavy, "VL3");
        EXPECT_EQ(p.Obdobie_od, 200501) << month;
        EXPECT_EQ(p.Obdobie_do, 200512) << month;
        EXPECT_EQ(p.Obdobie, 200500 + month);
    }
    const TMyReportParam monthly = request("tlac_vl3_mesiac", state(200507));
    EXPECT_EQ(monthly.Obdobie_od, 200507);
    EXPECT_EQ(monthly.Obdobie_do, 200507);
}

// What each kind of recipe writes into the request besides the code.
TEST(LauncherTable, RecipesSetTheirFieldsAndNothingElse)
{
    struct Case {
        const char *id;
        const char *code;
        int employee; // 0: the whole range
        bool noDialog, fileFlag, prepisat3;
        int period;
    };
    const LauncherState st = state(200703);
    const Case cases[] = {
        {"tlac_vp", "VP", 0, false, false, false, 200703},
        {"tlac_zp_rtf", "ZP_RTF", 0, false, false, true, 200703},
        {"tlac_nezisk1", "NEZISK1", 0, false, true, false, 200703},
        {"tlac_nezisk2", "NEZISK2", 0, false, true, false, 200703},
        {"tlac_zdr_doklad", "RTF_ZDR_DOKLAD", 7, true, true, false, 200703},
        {"Butt_tlac_oznam", "RTF_ZDR_OZNAM", 7, true, true, false, 200703},
        {"zam_tlac_ml", "ML", 7, true, false, false, 200703},
        {"zam_tlac_ml2", "ML2", 7, false, false, false, 200703},
        {"zam_tlac_pz", "PZ", 7, false, false, false, 200703},
        {"zam_tlac_rz", "RZ", 7, true, false, false, 200703},
        {"rzp_tlac_rz", "RZ", 8, false, false, false, 200712},
        {"rzp_tlac_nezisk1", "NEZISK1", 8, false, true, false, 200712},
        {"Butt_tlac_eldp", "ELDP_PDF", 7, false, true, false, 200703},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        const TMyReportParam p = request(c.id, st);
        EXPECT_EQ(p.Kod_zostavy, QString::fromLatin1(c.code));
        EXPECT_EQ(p.Obdobie, c.period);
        EXPECT_EQ(p.Zamestnanec_od, c.employee ? c.employee : 1);
        EXPECT_EQ(p.Zamestnanec_do, c.employee ? c.employee : 99999999);
        EXPECT_EQ(p.Bez_dialogu, c.noDialog);
        EXPECT_EQ(p.Priznak_suboru, c.fileFlag);
        EXPECT_EQ(p.Prepisat3, c.prepisat3);
        // The flag is the dialog's "choose an insurer".
        EXPECT_EQ(p.Vyber_zp, c.prepisat3);
        EXPECT_EQ(p.Rezerva1, 0);
    }
}

TEST(LauncherTable, GuardsRefuseBeforeAnythingRuns)
{
    LauncherState st = state(200703);
    st.kartaEdituje = true;
    EXPECT_EQ(refusal("zam_tlac_ml", st), Msg(65199));
    EXPECT_EQ(refusal("zam_tlac_ml2", st), QString()); // no guard
    st = state(200703);
    st.prebiehaEditacia = true;
    EXPECT_EQ(refusal("Butt_tlac_doklad", st), Msg(65199));
    st = state(200703);
    st.zmluvaEdituje = true;
    EXPECT_EQ(refusal("ppv_tlac", st), Msg(65199));
    st = state(200703);
    st.zuctovanieEdituje = true;
    EXPECT_EQ(refusal("rzp_tlac_rz", st), Msg(65199));

    // The 2% annexes of a settlement need its year.
    st = state(200703);
    st.rokZuctovania = QVariant();
    EXPECT_EQ(refusal("rzp_tlac_nezisk1", st), Msg(65061));
    EXPECT_EQ(refusal("rzp_tlac_nezisk2", st), Msg(65061));
    EXPECT_EQ(refusal("tlac_nezisk1", st), QString()); // the whole firm's annex does not
    st.rokZuctovania = 2006;
    EXPECT_EQ(request("rzp_tlac_nezisk1", st).Obdobie, 200612);
}

TEST(LauncherTable, AContractPrintsByItsKind)
{
    const std::pair<int, const char *> kinds[] = {{0, "ZML"},   {1, "DVP"},   {2, "DPC"},   {10, "ZML2"},
                                                  {11, "DVP2"}, {12, "DPC2"}, {13, "DBPS"}, {14, "ZMLD"}};
    for (const auto &[kind, code] : kinds) {
        LauncherState st = state(200703);
        st.druhZmluvy = kind;
        const TMyReportParam p = request("ppv_tlac", st);
        EXPECT_EQ(p.Kod_zostavy, QString::fromLatin1(code)) << kind;
        EXPECT_EQ(p.Rezerva1, 55) << kind;
        EXPECT_TRUE(p.Bez_dialogu) << kind;
    }
    for (int kind : {-1, 3, 4, 9, 15}) {
        LauncherState st = state(200703);
        st.druhZmluvy = kind;
        EXPECT_FALSE(launcherRequest(launcher("ppv_tlac"), st, defaults(200703)).has_value()) << kind;
    }
}
