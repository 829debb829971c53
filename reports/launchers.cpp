#include "reports/launchers.h"

#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"

namespace tarix::reports {

namespace {

using S = ReportLauncher;

// A launcher that sends only its code.
S launcherCode(const char *id, const char16_t *launcherCode, int odObdobia = 0)
{
    S s{id, launcherCode};
    s.odObdobia = odObdobia;
    return s;
}

// The open period, whole firm, file flag (the 2% annexes for all employees).
S nonProfit(const char *id, const char16_t *launcherCode)
{
    S s{id, launcherCode, S::Obdobie::Otvorene};
    s.priznakSuboru = true;
    s.odObdobia = 200501;
    return s;
}

// The employee card's print of the current employee.
S cardLauncher(const char *id, const char16_t *launcherCode, bool straz, bool bezDialogu)
{
    S s{id, launcherCode, S::Obdobie::Predvolene, S::LauncherEmployee::Karta};
    s.straz = straz ? S::LauncherEditGuard::Karta : S::LauncherEditGuard::Ziadna;
    s.bezDialogu = bezDialogu;
    return s;
}

// The health-insurance annual prints of the current employee (menu and tab buttons).
S healthLauncher(const char *id, const char16_t *launcherCode, S::LauncherEditGuard straz)
{
    S s{id, launcherCode, S::Obdobie::Otvorene, S::LauncherEmployee::Karta, straz};
    s.bezDialogu = true;
    s.priznakSuboru = true;
    return s;
}

// The settlement menu's prints of the settlement's employee and year.
S settlementLauncher(const char *id, const char16_t *launcherCode, bool nonProfit)
{
    S s{id, launcherCode, S::Obdobie::RokZuctovania, S::LauncherEmployee::Zuctovanie, S::LauncherEditGuard::Zuctovanie};
    s.priznakSuboru = nonProfit;
    s.vyzadujeZuctovanie = nonProfit;
    s.odObdobia = nonProfit ? 200501 : 0;
    return s;
}

const std::vector<S> &tabulka()
{
    static const std::vector<S> rows = [] {
        std::vector<S> r = {
            // "Tlačové zostavy" of the main menu.
            launcherCode("tlac_sp_pdf", u"SP_PDF"),
            launcherCode("tlac_sp_pdf_pr", u"SP_PDF_PR"),
            launcherCode("tlac_sp_xml25", u"SPXML/2.5"),
            launcherCode("tlac_sp_prihlas", u"SP_PRIHLAS"),
            launcherCode("tlac_sp1pxls", u"SP1PXLS"),
            launcherCode("tlac_eldz1", u"ELDZ1"),
            [] {
                S s = launcherCode("tlac_zp_rtf", u"ZP_RTF");
                s.prepisat3 = true;
                return s;
            }(),
            launcherCode("tlac_zp2005pr", u"ZP2005PR"),
            launcherCode("tlac_zptxt", u"ZPTXT"),
            launcherCode("tlac_zp601", u"ZP601"),
            launcherCode("tlac_dns2", u"DNS2"),
            launcherCode("tlac_dns3", u"DNS3"),
            launcherCode("tlac_vd2", u"VD2"),
            launcherCode("tlac_vd_a_pdf", u"VD_A_PDF"),
            launcherCode("tlac_vd_b_pdf", u"VD_B_PDF"),
            launcherCode("tlac_pz", u"PZ"),
            launcherCode("tlac_bo", u"BO"),
            launcherCode("tlac_rz", u"RZ"),
            launcherCode("tlac_rz2004b", u"RZ2004B", 200401),
            launcherCode("tlac_rz2", u"RZ2"),
            nonProfit("tlac_nezisk1", u"NEZISK1"),
            nonProfit("tlac_nezisk2", u"NEZISK2"),
            healthLauncher("tlac_zdr_doklad", u"RTF_ZDR_DOKLAD", S::LauncherEditGuard::Ziadna),
            launcherCode("tlac_zp05ozvy", u"ZP05OZVY"),
            launcherCode("tlac_zp05ozpr", u"ZP05OZPR"),
            launcherCode("tlac_dov", u"DOV"),
            launcherCode("tlac_ml", u"ML"),
            launcherCode("tlac_ml2", u"ML2"),
            launcherCode("tlac_pp2", u"PP2"),
            launcherCode("tlac_vz", u"VZ"),
            launcherCode("tlac_zl", u"ZL"),
            launcherCode("tlac_vl", u"VL"),
            launcherCode("tlac_vl2", u"VL2"),
            launcherCode("tlac_vlnd", u"VLND"),
            launcherCode("tlac_zraz", u"ZRAZ"),
            launcherCode("tlac_vyk", u"VYK"),
            launcherCode("tlac_vp", u"VP"),
            launcherCode("tlac_hp", u"HP"),
            launcherCode("tlac_nz", u"NZ"),
            {"tlac_vl3_mesiac", u"VL3", S::Obdobie::Mesiac},
            {"tlac_vl3_rok", u"VL3", S::Obdobie::Rok},
            launcherCode("tlac_en", u"EN"),
            launcherCode("tlac_pu", u"PU"),
            launcherCode("tlac_odv", u"ODV"),
            launcherCode("tlac_odvzp", u"ODVZP"),
            launcherCode("tlac_odvdp", u"ODVDP"),
            launcherCode("tlac_fz1", u"FZ1"),
            launcherCode("tlac_fz2", u"FZ2"),
            launcherCode("tlac_poi", u"POI"),
            launcherCode("tlac_pp", u"PP"),
            launcherCode("tlac_sp1", u"SP"),
            launcherCode("tlac_spv1", u"SPV"),
            launcherCode("tlac_sp1p", u"SP1P"),
            launcherCode("tlac_spxml", u"SPXML"),

            // The employee menu's "Tlačové zostavy".
            cardLauncher("zam_tlac_ml", u"ML", true, true),
            cardLauncher("zam_tlac_ml2", u"ML2", false, false),
            cardLauncher("zam_tlac_pp2", u"PP2", true, true),
            cardLauncher("zam_tlac_pz", u"PZ", true, false),
            cardLauncher("zam_tlac_rz", u"RZ", true, true),

            // The health-insurance tab's buttons.
            healthLauncher("Butt_tlac_doklad", u"RTF_ZDR_DOKLAD", S::LauncherEditGuard::Editacia),
            healthLauncher("Butt_tlac_oznam", u"RTF_ZDR_OZNAM", S::LauncherEditGuard::Editacia),

            // The settlement menu.
            settlementLauncher("rzp_tlac_rz", u"RZ", false),
            settlementLauncher("rzp_tlac_rz2004b", u"RZ2004B", false),
            settlementLauncher("rzp_tlac_nezisk1", u"NEZISK1", true),
            settlementLauncher("rzp_tlac_nezisk2", u"NEZISK2", true),
        };
        // The contracts' "&Tlač" (menu item and tab button): the code by the contract's kind.
        S zmluva{"ppv_tlac", nullptr, S::Obdobie::Predvolene, S::LauncherEmployee::Ziadny, S::LauncherEditGuard::Zmluva};
        zmluva.bezDialogu = true;
        r.push_back(zmluva);
        // The pension-record tab's button.
        S eldp{"Butt_tlac_eldp", u"ELDP_PDF", S::Obdobie::Predvolene, S::LauncherEmployee::Karta};
        eldp.priznakSuboru = true;
        r.push_back(eldp);
        return r;
    }();
    return rows;
}

bool editGuard(S::LauncherEditGuard straz, const LauncherState &stav)
{
    switch (straz) {
    case S::LauncherEditGuard::Karta: return stav.kartaEdituje;
    case S::LauncherEditGuard::Zuctovanie: return stav.zuctovanieEdituje;
    case S::LauncherEditGuard::Zmluva: return stav.zmluvaEdituje;
    case S::LauncherEditGuard::Editacia: return stav.prebiehaEditacia;
    case S::LauncherEditGuard::Ziadna: break;
    }
    return false;
}

} // namespace

const std::vector<ReportLauncher> &reportLaunchers() { return tabulka(); }

const ReportLauncher *reportLauncher(const QString &id)
{
    for (const ReportLauncher &s : tabulka())
        if (id == QLatin1String(s.id))
            return &s;
    return nullptr;
}

QString contractCode(int documentKind)
{
    switch (documentKind) {
    case 0: return QStringLiteral("ZML");
    case 1: return QStringLiteral("DVP");
    case 2: return QStringLiteral("DPC");
    case 10: return QStringLiteral("ZML2");
    case 11: return QStringLiteral("DVP2");
    case 12: return QStringLiteral("DPC2");
    case 13: return QStringLiteral("DBPS");
    case 14: return QStringLiteral("ZMLD");
    default: return {};
    }
}

std::optional<TMyReportParam> launcherRequest(const ReportLauncher &s, const LauncherState &stav,
                                                  TMyReportParam p)
{
    if (editGuard(s.straz, stav))
        throw EMyError(Msg(65199));
    if (s.vyzadujeZuctovanie && (stav.rokZuctovania.isNull() || stav.rokZuctovania.toInt() == 0))
        throw EMyError(Msg(65061));

    if (s.launcherCode) {
        p.Kod_zostavy = QString::fromUtf16(s.launcherCode);
    } else {
        p.Kod_zostavy = contractCode(stav.druhZmluvy);
        if (p.Kod_zostavy.isEmpty())
            return std::nullopt;
        p.Rezerva1 = stav.pidZmluvy;
    }

    switch (s.obdobie) {
    case S::Obdobie::Predvolene: break;
    case S::Obdobie::Otvorene: p.Obdobie = stav.obdobie; break;
    case S::Obdobie::Mesiac: p.Obdobie_od = p.Obdobie_do = stav.obdobie; break;
    case S::Obdobie::Rok:
        p.Obdobie_od = stav.obdobie / 100 * 100 + 1;
        p.Obdobie_do = stav.obdobie / 100 * 100 + 12;
        break;
    case S::Obdobie::RokZuctovania: p.Obdobie = stav.rokZuctovania.toInt() * 100 + 12; break;
    }

    switch (s.zamestnanec) {
    case S::LauncherEmployee::Ziadny: break;
    case S::LauncherEmployee::Karta: p.Zamestnanec_od = p.Zamestnanec_do = stav.zamestnanecKarty; break;
    case S::LauncherEmployee::Zuctovanie: p.Zamestnanec_od = p.Zamestnanec_do = stav.zamestnanecZuctovania; break;
    }

    if (s.bezDialogu)
        p.Bez_dialogu = true;
    if (s.priznakSuboru)
        p.Priznak_suboru = true;
    // The menu's third flag is the one the parameter dialog reads as "choose an insurer":
    // the statement written for one insurer cannot run without it.
    if (s.prepisat3)
        p.Prepisat3 = p.Vyber_zp = true;
    return p;
}

LauncherState launcherState()
{
    LauncherState stav;
    if (core::hasDM())
        stav.obdobie = core::DM().Aktualne_obdobie();
    if (core::hasDMZ()) {
        db::Table &zam = core::DMZ().TZAM_;
        if (zam.isActive() && !zam.isEmpty())
            stav.zamestnanecKarty = int(zam.fieldByName(QStringLiteral("Code_emp")).asInteger());
        stav.kartaEdituje = zam.isEditing();
    }
    if (core::hasDMP()) {
        db::Table &ppv = core::DMP().TPPV_;
        if (ppv.isActive() && !ppv.isEmpty()) {
            stav.druhZmluvy = int(ppv.fieldByName(QStringLiteral("TYP")).asInteger());
            stav.pidZmluvy = int(ppv.fieldByName(QStringLiteral("PID")).asInteger());
        }
        stav.zmluvaEdituje = ppv.isEditing();
    }
    return stav;
}

} // namespace tarix::reports
