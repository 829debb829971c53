// Each menu item and card button of the documents, letters and pension record sends a
// request that the dispatcher hands to a registered routine (no "not available" any more),
// and the menu's requests for the income certificate and the record sheet print.
#include "document_fixture.h"

#include "reports/launchers.h"

using namespace tarix;
using namespace tarix::reports;
using fixtures::DocumentFirm;

namespace {

class DocumentLaunchers : public DocumentFirm {
protected:
    // The request a launcher sends for the demo firm in January 2007, its card on
    // employee 1 and the contract `documentKind` current.
    static TMyReportParam request(const char *id, int documentKind = -1)
    {
        const ReportLauncher *s = reportLauncher(QString::fromLatin1(id));
        EXPECT_NE(s, nullptr) << id;
        LauncherState stav;
        stav.obdobie = 200701;
        stav.zamestnanecKarty = 1;
        stav.druhZmluvy = documentKind;
        stav.pidZmluvy = 1;
        TMyReportParam p;
        p.Obdobie = 200701;
        const std::optional<TMyReportParam> r = s ? launcherRequest(*s, stav, p) : std::nullopt;
        EXPECT_TRUE(r.has_value()) << id;
        return r.value_or(p);
    }
};

} // namespace

TEST_F(DocumentLaunchers, EveryLauncherReachesARegisteredRoutine)
{
    const struct {
        const char *id;
        int documentKind;
        const char *rutina;
    } cases[] = {
        {"tlac_pp", -1, "TReportPP"},
        {"tlac_eldz1", -1, "TReportELDZ1"},
        {"tlac_sp_prihlas", -1, "RexRTF.Export_rtf_prihlasenie"},
        {"tlac_zdr_doklad", -1, "RexRTF.Export_rtf_doklad"},
        {"Butt_tlac_doklad", -1, "RexRTF.Export_rtf_doklad"},
        {"Butt_tlac_oznam", -1, "RexRTF.Export_rtf_oznamenie"},
        {"Butt_tlac_eldp", -1, "RexELDZ1.Export_xfdf"},
        {"ppv_tlac", 0, "TReportZML"},
        {"ppv_tlac", 1, "TReportDVP"},
        {"ppv_tlac", 2, "TReportDPC"},
        {"ppv_tlac", 10, "TReportZML2"},
        {"ppv_tlac", 11, "TReportDVP2"},
        {"ppv_tlac", 12, "TReportDPC2"},
        {"ppv_tlac", 13, "TReportDBPS"},
        {"ppv_tlac", 14, "TReportZML2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + std::to_string(c.documentKind));
        const TMyReportParam p = request(c.id, c.documentKind);
        const ReportChoice v = chooseReport(p.Kod_zostavy, p.Obdobie, [] { return 0; });
        EXPECT_EQ(v, (ReportChoice{ReportChoice::ReportKind::Zostava, QString::fromLatin1(c.rutina)}));
        EXPECT_NE(reportRegister().findReport(v.nazov), nullptr);
    }
}

TEST_F(DocumentLaunchers, TheMenusCertificateAndRecordSheetPrint)
{
    insertVyp(1, 200701, {{"N_brutto", 32000}, {"V_den", 22}});
    for (const char *id : {"tlac_pp", "tlac_eldz1"}) {
        SCOPED_TRACE(id);
        const int before = previewHost.shownCount;
        ParForm::Spusti_zostavu_podla_nazvu(request(id));
        EXPECT_TRUE(scripted.messages().isEmpty()) << scripted.messages().join('\n').toStdString();
        ASSERT_EQ(previewHost.shownCount, before + 1);
        EXPECT_GE(previewHost.last.pageCount(), 1);
    }
}
