#include "reports/launchers.h"

#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "platform/errors.h"

namespace tarix::reports {

namespace {

using S = SpustacZostavy;

// A launcher that sends only its code.
S kod(const char *id, const char16_t *kod, int odObdobia = 0)
{
    S s{id, kod};
    s.odObdobia = odObdobia;
    return s;
}

// The open period, whole firm, file flag (the 2% annexes for all employees).
S nezisk(const char *id, const char16_t *kod)
{
    S s{id, kod, S::Obdobie::Otvorene};
    s.priznakSuboru = true;
    s.odObdobia = 200501;
    return s;
}

// The employee card's print of the current employee.
S karta(const char *id, const char16_t *kod, bool straz, bool bezDialogu)
{
    S s{id, kod, S::Obdobie::Predvolene, S::Zamestnanec::Karta};
    s.straz = straz ? S::Straz::Karta : S::Straz::Ziadna;
    s.bezDialogu = bezDialogu;
    return s;
}

// The health-insurance annual prints of the current employee (menu and tab buttons).
S zdravotne(const char *id, const char16_t *kod, S::Straz straz)
{
    S s{id, kod, S::Obdobie::Otvorene, S::Zamestnanec::Karta, straz};
    s.bezDialogu = true;
    s.priznakSuboru = true;
    return s;
}

// The settlement menu's prints of the settlement's employee and year.
S zuctovanie(const char *id, const char16_t *kod, bool nezisk)
{
    S s{id, kod, S::Obdobie::RokZuctovania, S::Zamestnanec::Zuctovanie, S::Straz::Zuctovanie};
    s.priznakSuboru = nezisk;
    s.vyzadujeZuctovanie = nezisk;
    s.odObdobia = nezisk ? 200501 : 0;
    return s;
}

const std::vector<S> &tabulka()
{
    static const std::vector<S> rows = [] {
        std::vector<S> r = {
            // "Tlačové zostavy" of the main menu.
            kod("tlac_sp_pdf", u"SP_PDF"),
            kod("tlac_sp_pdf_pr", u"SP_PDF_PR"),
            kod("tlac_sp_xml25", u"SPXML/2.5"),
            kod("tlac_sp_prihlas", u"SP_PRIHLAS"),
            kod("tlac_sp1pxls", u"SP1PXLS"),
            kod("tlac_eldz1", u"ELDZ1"),
            [] {
                S s = kod("tlac_zp_rtf", u"ZP_RTF");
                s.prepisat3 = true;
                return s;
            }(),
            kod("tlac_zp2005pr", u"ZP2005PR"),
            kod("tlac_zptxt", u"ZPTXT"),
            kod("tlac_zp601", u"ZP601"),
            kod("tlac_dns2", u"DNS2"),
            kod("tlac_dns3", u"DNS3"),
            kod("tlac_vd2", u"VD2"),
            kod("tlac_vd_a_pdf", u"VD_A_PDF"),
            kod("tlac_vd_b_pdf", u"VD_B_PDF"),
            kod("tlac_pz", u"PZ"),
            kod("tlac_bo", u"BO"),
            kod("tlac_rz", u"RZ"),
            kod("tlac_rz2004b", u"RZ2004B", 200401),
            kod("tlac_rz2", u"RZ2"),
            nezisk("tlac_nezisk1", u"NEZISK1"),
            nezisk("tlac_nezisk2", u"NEZISK2"),
            zdravotne("tlac_zdr_doklad", u"RTF_ZDR_DOKLAD", S::Straz::Ziadna),
            kod("tlac_zp05ozvy", u"ZP05OZVY"),
            kod("tlac_zp05ozpr", u"ZP05OZPR"),
            kod("tlac_dov", u"DOV"),
            kod("tlac_ml", u"ML"),
            kod("tlac_ml2", u"ML2"),
            kod("tlac_pp2", u"PP2"),
            kod("tlac_vz", u"VZ"),
            kod("tlac_zl", u"ZL"),
            kod("tlac_vl", u"VL"),
            kod("tlac_vl2", u"VL2"),
            kod("tlac_vlnd", u"VLND"),
            kod("tlac_zraz", u"ZRAZ"),
            kod("tlac_vyk", u"VYK"),
            kod("tlac_vp", u"VP"),
            kod("tlac_hp", u"HP"),
            kod("tlac_nz", u"NZ"),
            {"tlac_vl3_mesiac", u"VL3", S::Obdobie::Mesiac},
            {"tlac_vl3_rok", u"VL3", S::Obdobie::Rok},
            kod("tlac_en", u"EN"),
            kod("tlac_pu", u"PU"),
            kod("tlac_odv", u"ODV"),
            kod("tlac_odvzp", u"ODVZP"),
            kod("tlac_odvdp", u"ODVDP"),
            kod("tlac_fz1", u"FZ1"),
            kod("tlac_fz2", u"FZ2"),
            kod("tlac_poi", u"POI"),
            kod("tlac_pp", u"PP"),
            kod("tlac_sp1", u"SP"),
            kod("tlac_spv1", u"SPV"),
            kod("tlac_sp1p", u"SP1P"),
            kod("tlac_spxml", u"SPXML"),

            // The employee menu's "Tlačové zostavy".
            karta("zam_tlac_ml", u"ML", true, true),
            karta("zam_tlac_ml2", u"ML2", false, false),
            karta("zam_tlac_pp2", u"PP2", true, true),
            karta("zam_tlac_pz", u"PZ", true, false),
            karta("zam_tlac_rz", u"RZ", true, true),

            // The health-insurance tab's buttons.
            zdravotne("Butt_tlac_doklad", u"RTF_ZDR_DOKLAD", S::Straz::Editacia),
            zdravotne("Butt_tlac_oznam", u"RTF_ZDR_OZNAM", S::Straz::Editacia),

            // The settlement menu.
            zuctovanie("rzp_tlac_rz", u"RZ", false),
            zuctovanie("rzp_tlac_rz2004b", u"RZ2004B", false),
            zuctovanie("rzp_tlac_nezisk1", u"NEZISK1", true),
            zuctovanie("rzp_tlac_nezisk2", u"NEZISK2", true),
        };
        // The contracts' "&Tlač" (menu item and tab button): the code by the contract's kind.
        S zmluva{"ppv_tlac", nullptr, S::Obdobie::Predvolene, S::Zamestnanec::Ziadny, S::Straz::Zmluva};
        zmluva.bezDialogu = true;
        r.push_back(zmluva);
        // The pension-record tab's button.
        S eldp{"Butt_tlac_eldp", u"ELDP_PDF", S::Obdobie::Predvolene, S::Zamestnanec::Karta};
        eldp.priznakSuboru = true;
        r.push_back(eldp);
        return r;
    }();
    return rows;
}

bool strazEdituje(S::Straz straz, const StavSpustaca &stav)
{
    switch (straz) {
    case S::Straz::Karta: return stav.kartaEdituje;
    case S::Straz::Zuctovanie: return stav.zuctovanieEdituje;
    case S::Straz::Zmluva: return stav.zmluvaEdituje;
    case S::Straz::Editacia: return stav.prebiehaEditacia;
    case S::Straz::Ziadna: break;
    }
    return false;
}

} // namespace

const std::vector<SpustacZostavy> &Spustace_zostav() { return tabulka(); }

const SpustacZostavy *Spustac_zostavy(const QString &id)
{
    for (const SpustacZostavy &s : tabulka())
        if (id == QLatin1String(s.id))
            return &s;
    return nullptr;
}

QString Kod_zmluvy(int druh)
{
    switch (druh) {
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

std::optional<TMyReportParam> Poziadavka_spustaca(const SpustacZostavy &s, const StavSpustaca &stav,
                                                  TMyReportParam p)
{
    if (strazEdituje(s.straz, stav))
        throw EMyError(Msg(65199));
    if (s.vyzadujeZuctovanie && (stav.rokZuctovania.isNull() || stav.rokZuctovania.toInt() == 0))
        throw EMyError(Msg(65061));

    if (s.kod) {
        p.Kod_zostavy = QString::fromUtf16(s.kod);
    } else {
        p.Kod_zostavy = Kod_zmluvy(stav.druhZmluvy);
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
    case S::Zamestnanec::Ziadny: break;
    case S::Zamestnanec::Karta: p.Zamestnanec_od = p.Zamestnanec_do = stav.zamestnanecKarty; break;
    case S::Zamestnanec::Zuctovanie: p.Zamestnanec_od = p.Zamestnanec_do = stav.zamestnanecZuctovania; break;
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

StavSpustaca Stav_spustaca()
{
    StavSpustaca stav;
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
