#include "reports/dispatcher.h"

#include "core/dm_main.h"
#include "core/helpers/dialogs.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ui/user_interface.h"
#include "reports/report.h"

#include <limits>

namespace tarix::reports {

namespace {

constexpr int kVzdy = 0;                                 // no lower bound
constexpr int kBezKonca = std::numeric_limits<int>::max(); // no upper bound

// One row: the code, the window [od, pred) of the period, and what it runs. A payslip row
// has a second name for the short layout (F_ODSTUP not 0); an error row shows its text.
struct Riadok {
    const char16_t *kod;
    int od;
    int pred;
    const char16_t *nazov;
    const char16_t *kratky = nullptr;
    bool chyba = false;
};

const Riadok kTabulka[] = {
    {u"DOV", kVzdy, kBezKonca, u"TReportDOV"},
    {u"DPC", kVzdy, kBezKonca, u"TReportDPC"},
    {u"DPC2", kVzdy, kBezKonca, u"TReportDPC2"},
    {u"DVP", kVzdy, kBezKonca, u"TReportDVP"},
    {u"DVP2", kVzdy, kBezKonca, u"TReportDVP2"},
    {u"DBPS", kVzdy, kBezKonca, u"TReportDBPS"},
    {u"ELDZ1", kVzdy, kBezKonca, u"TReportELDZ1"},
    {u"ELDP_PDF", kVzdy, kBezKonca, u"RexELDZ1.Export_xfdf"},
    {u"EN", kVzdy, kBezKonca, u"TReportEN"},
    {u"FZ1", kVzdy, kBezKonca, u"TReportFZ1"},
    {u"FZ1A", kVzdy, kBezKonca, u"TReportFZ1A"},
    {u"FZ2", kVzdy, kBezKonca, u"TReportFZ2"},
    {u"HP", kVzdy, kBezKonca, u"TReportHP"},
    {u"HP1", kVzdy, kBezKonca, u"TReportHP1"},
    {u"HP2", kVzdy, kBezKonca, u"TReportHP2"},
    {u"ML", kVzdy, 200401, u"TReportML"},
    {u"ML", 200401, kBezKonca, u"TReportML3"},
    {u"ML2", kVzdy, kBezKonca, u"TReportML2"},
    {u"NZ", kVzdy, 200401, u"TReportNZOLD"},
    {u"NZ", 200401, kBezKonca, u"TReportNZ"},
    {u"ODV", kVzdy, kBezKonca, u"TReportOdv"},
    {u"ODV2", kVzdy, kBezKonca, u"TReportOdv2"},
    {u"ODVZP", kVzdy, kBezKonca, u"TReportOdvZp"},
    {u"ODVDP", kVzdy, kBezKonca, u"TReportOdvDp"},
    {u"ZRAZ", kVzdy, kBezKonca, u"TReportZraz"},
    {u"POI", kVzdy, 200201, u"TReportPOI"},
    {u"POI", 200201, kBezKonca, u"TReportPOI2"},
    {u"PP", kVzdy, kBezKonca, u"TReportPP"},
    {u"VZ", kVzdy, kBezKonca, u"TReportVZ"},
    {u"PP2", kVzdy, kBezKonca, u"TReportPP2"},
    {u"PU", kVzdy, kBezKonca, u"TReportPU"},
    {u"BO", kVzdy, kBezKonca, u"TReportBO2005"},
    {u"PZ", 200601, kBezKonca, u"TReportPZ2006"},
    {u"PZ", 200501, 200601, u"TReportPZ2005"},
    {u"PZ", 200401, 200501, u"TReportPZ3"},
    {u"PZ", 200101, 200401, u"TReportPZ2"},
    {u"PZ", kVzdy, 200101, u"TReportPZ"},
    {u"RZ", kVzdy, 200101, u"TReportRZ"},
    {u"RZ", 200101, 200201, u"TReportRZ3"},
    {u"RZ", 200201, 200401, u"TReportRZ4"},
    {u"RZ", 200401, 200501, u"TReportRZ_2004"},
    {u"RZ", 200501, kBezKonca, u"TReportRZ_2005"},
    {u"NEZISK1", 200501, kBezKonca, u"RZ2005A.Export_rtf_nezisk1"},
    {u"NEZISK2", 200501, kBezKonca, u"RZ2005A.Export_rtf_nezisk2"},
    {u"RZ2004B", kVzdy, 200401, u"Report je možné spúšťať až od roku 2004", nullptr, true},
    {u"RZ2004B", 200401, kBezKonca, u"TReportRZ_2004B"},
    {u"RZ2", kVzdy, kBezKonca, u"TReportRZ2"},
    {u"SP", 200501, kBezKonca, u"TReportSP2005VY"},
    {u"SP", 200401, 200501, u"TReportSP1"},
    {u"SP", kVzdy, 200401, u"TReportSP"},
    {u"SP_PDF", kVzdy, kBezKonca, u"SP2005VY.Export_xfdf"},
    {u"SP_PDF_PR", kVzdy, kBezKonca, u"SP2005PR.Export_xfdf"},
    {u"SP_PRIHLAS", kVzdy, kBezKonca, u"RexRTF.Export_rtf_prihlasenie"},
    {u"SPV", 200501, kBezKonca, u"TReportSP2005VY"},
    {u"SPV", 200401, 200501, u"TReportSP1"},
    {u"SPV", kVzdy, 200401, u"TReportSPV"},
    {u"SP1", kVzdy, kBezKonca, u"TReportSP1"},
    {u"SP1P", 200501, kBezKonca, u"TReportSP2005PR"},
    {u"SP1P", kVzdy, 200501, u"TReportSP1P"},
    {u"VL", 200401, kBezKonca, u"TReportVL"},
    {u"VL", kVzdy, 200401, u"TReportVLOLD"},
    {u"VL2", kVzdy, kBezKonca, u"TReportVL2"},
    {u"VL3", kVzdy, kBezKonca, u"TReportVL3"},
    {u"VLND", kVzdy, kBezKonca, u"TReportVLND"},
    {u"VP", 200501, kBezKonca, u"TReportVP2005A", u"TReportVP2005B"},
    {u"VP", 200401, 200501, u"TReportVP2", u"TReportVP2T"},
    {u"VP", kVzdy, 200401, u"TReportVP"},
    {u"VYK", kVzdy, kBezKonca, u"TReportVYK"},
    {u"ZL", kVzdy, kBezKonca, u"TReportZL"},
    {u"ZML", kVzdy, kBezKonca, u"TReportZML"},
    {u"ZML2", kVzdy, kBezKonca, u"TReportZML2"},
    {u"ZMLD", kVzdy, kBezKonca, u"TReportZML2"},
    {u"ZP", kVzdy, 200501, u"TReportZP"},
    {u"ZP", 200501, kBezKonca, u"TReportZP2005VY"},
    {u"ZP_RTF", kVzdy, kBezKonca, u"ZP2005VY.Export_rtf"},
    {u"ZP2005PR", kVzdy, kBezKonca, u"TReportZP2005PR"},
    {u"DNS2", 200701, kBezKonca, u"TReportPR2007"},
    {u"DNS2", 200401, 200701, u"TReportDNS2A"},
    {u"DNS2", kVzdy, 200401, u"TReportDNS2"},
    {u"DNS3", kVzdy, 200101, u"TReportDNS3"},
    {u"DNS3", 200101, 200401, u"TReportVD"},
    {u"DNS3", 200401, kBezKonca, u"TReportVD2005A"},
    {u"VD2", kVzdy, 200401, u"TReportVD2"},
    {u"VD2", 200401, kBezKonca, u"TReportVD2005B"},
    {u"VD_A_PDF", kVzdy, kBezKonca, u"VD2005A.Export_xfdf"},
    {u"VD_B_PDF", kVzdy, kBezKonca, u"VD2005B.Export_xfdf"},
    {u"SPXML", kVzdy, kBezKonca, u"RexSpXml.Export_xml_vykazu"},
    {u"SPXML/2.5", kVzdy, kBezKonca, u"RexSpXml.Export_xml_vykazu"},
    {u"ZPTXT", kVzdy, kBezKonca, u"RexZpTxt.Export_davok_zp"},
    {u"ZP601", kVzdy, kBezKonca, u"RexZpTxt.Export_davok_zp"},
    {u"SP1PXLS", kVzdy, kBezKonca, u"ParForm.Export_sylk"},
    {u"RTF_ZDR_DOKLAD", kVzdy, kBezKonca, u"RexRTF.Export_rtf_doklad"},
    {u"RTF_ZDR_OZNAM", kVzdy, kBezKonca, u"RexRTF.Export_rtf_oznamenie"},
    {u"ZP05OZVY", kVzdy, kBezKonca, u"TReportZP05OZVY"},
    {u"ZP05OZPR", kVzdy, kBezKonca, u"TReportZP05OZPR"},
};

TMyReportParam &unitCopy()
{
    static TMyReportParam p;
    return p;
}

} // namespace

ReportChoice chooseReport(const QString &kod, int obdobie, const std::function<int()> &fOdstup)
{
    for (const Riadok &r : kTabulka) {
        if (kod != QStringView(r.kod))
            continue;
        if (obdobie < r.od || obdobie >= r.pred)
            continue;
        if (r.chyba)
            return {ReportChoice::ReportKind::Chyba, QString::fromUtf16(r.nazov)};
        if (r.kratky && fOdstup && fOdstup() != 0)
            return {ReportChoice::ReportKind::Zostava, QString::fromUtf16(r.kratky)};
        return {ReportChoice::ReportKind::Zostava, QString::fromUtf16(r.nazov)};
    }
    return {ReportChoice::ReportKind::Nenajdena, QString::fromUtf16(kNenasielSaReport)};
}

QStringList reportCodes()
{
    QStringList out;
    for (const Riadok &r : kTabulka) {
        const QString kod = QString::fromUtf16(r.kod);
        if (!out.contains(kod))
            out << kod;
    }
    return out;
}

std::vector<DispatchWindow> dispatchWindows()
{
    std::vector<DispatchWindow> out;
    for (const Riadok &r : kTabulka)
        out.push_back({QString::fromUtf16(r.kod), r.od, r.pred, QString::fromUtf16(r.nazov),
                       r.kratky ? QString::fromUtf16(r.kratky) : QString(), r.chyba});
    return out;
}

int firmDistance()
{
    if (core::hasDM()) {
        const core::TDM &dm = core::DM();
        if (dm.TINF_.isActive())
            return dm.TINF_.isEmpty() ? 0 : int(dm.TINF_.fieldByName(QStringLiteral("F_ODSTUP")).asInteger());
    }
    db::Session *s = db::Session::defaultSession();
    if (!s)
        return 0;
    const auto r = s->run(QStringLiteral("select f_odstup from \":tarix_data:inf\""));
    return r.rowCount() ? int(r.asInteger(0, 0)) : 0;
}

// ---- register --------------------------------------------------------------------------------

void ReportRegister::registerReport(const QString &nazov, ReportRun spustenie)
{
    m_zostavy[nazov] = std::move(spustenie);
}

void ReportRegister::unregisterReport(const QString &nazov)
{
    m_zostavy.erase(nazov);
}

const ReportRun *ReportRegister::findReport(const QString &nazov) const
{
    const auto it = m_zostavy.find(nazov);
    return it == m_zostavy.end() || !it->second ? nullptr : &it->second;
}

QStringList ReportRegister::reportNames() const
{
    QStringList out;
    for (const auto &[nazov, _] : m_zostavy)
        out << nazov;
    return out;
}

ReportRegister &reportRegister()
{
    static ReportRegister r;
    return r;
}

TemporaryRegistration::TemporaryRegistration(const QString &nazov, ReportRun spustenie)
    : m_nazov(nazov)
{
    if (const ReportRun *f = reportRegister().findReport(nazov)) {
        m_predtym = *f;
        m_malPredtym = true;
    }
    reportRegister().registerReport(nazov, std::move(spustenie));
}

TemporaryRegistration::~TemporaryRegistration()
{
    if (m_malPredtym)
        reportRegister().registerReport(m_nazov, m_predtym);
    else
        reportRegister().unregisterReport(m_nazov);
}

QString unavailableReportText(const QString &nazov)
{
    return QStringLiteral("Tlačová zostava %1 nie je k dispozícii.").arg(nazov);
}

// ---- dispatcher ------------------------------------------------------------------------------

namespace ParForm {

TMyReportParam &reportParameters()
{
    return unitCopy();
}

void Spusti_zostavu_podla_nazvu()
{
    // The routine gets its own copy, so that a nested request cannot change it mid-run.
    const TMyReportParam p = unitCopy();
    Spusti_zostavu_podla_nazvu(p);
}

void Spusti_zostavu_podla_nazvu(const TMyReportParam &p)
{
    ui::MainWindowDisabledScope disabled;
    const ReportChoice volba = chooseReport(p.Kod_zostavy, p.Obdobie, firmDistance);
    if (volba.documentKind != ReportChoice::ReportKind::Zostava) {
        MyConsts::Sprava_chyba(volba.nazov);
        return;
    }
    // The routines report their own failures; whatever still escapes one, or a routine
    // that is not there, ends the run with the error box of a report run.
    runGuarded([&] {
        const ReportRun *najdena = reportRegister().findReport(volba.nazov);
        if (!najdena)
            throw EMyError(unavailableReportText(volba.nazov));
        const ReportRun spustenie = *najdena; // the register may change during the run
        spustenie(p);
    });
}

} // namespace ParForm

} // namespace tarix::reports
