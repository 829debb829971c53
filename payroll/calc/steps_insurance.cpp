// Step 12: contribution rates, assessment bases, employee and employer contributions
// per fund, supplementary pension saving.
#include "payroll/calc/calc_internal.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <algorithm>

namespace tarix::payroll {

using namespace detail;

namespace {

struct Amounts {
    double employee = 0.0;
    double employer = 0.0;
};

class Contributions {
public:
    Contributions(const PayRecord &r, const YearSetup &s) : m_r(r), m_s(s) {}

    static double Poistne_zo_sadzby(double base, double rate) { return base * rate * 0.01; }

    double Poistne_zaokruhlene(double base, double rate) const
    {
        double amount = Poistne_zo_sadzby(base, rate);
        if (m_r.V_obdobie < 200601)
            amount = Z(-2, 1, amount);
        return Z(m_s.F_ZAODVOD, m_s.F_SMODVOD, amount);
    }

    static double Zaklad_do_maxima(double x, double y, double z)
    {
        double excess = x + y - z;
        if (excess < 0)
            excess = 0;
        if (excess > x && x >= 0)
            excess = x;
        return x - excess;
    }

    Amounts Poistne_fondu(bool employeeFlag, bool employerFlag, double employeeBase,
                          double employerBase, double employeeRate, double employerRate) const
    {
        nonNegative(employeeBase, employerBase);
        Amounts a;
        if (employeeFlag)
            a.employee = Poistne_zaokruhlene(employeeBase, employeeRate);
        if (employerFlag)
            a.employer = Poistne_zaokruhlene(employerBase, employerRate);
        return a;
    }

    Amounts Zdravotne_2005(bool employeeFlag, bool employerFlag, double employeeBase,
                           double employerBase, double employeeRate, double employerRate,
                           int employerPlaces) const
    {
        nonNegative(employeeBase, employerBase);
        Amounts a;
        if (employeeFlag) {
            a.employee = Z(m_s.F_ZAODVOD, m_s.F_SMODVOD,
                           Z(-2, 1, Poistne_zo_sadzby(employeeBase, employeeRate)));
        }
        if (employerFlag)
            a.employer = Z(employerPlaces, 0, Poistne_zo_sadzby(employerBase, employerRate));
        return a;
    }

private:
    // Computed bases below 0 (negative earnings) pay nothing; typed bases pay as typed.
    void nonNegative(double &employeeBase, double &employerBase) const
    {
        if (m_r.Automatika) {
            employeeBase = std::max(employeeBase, 0.0);
            employerBase = std::max(employerBase, 0.0);
        }
    }

    const PayRecord &m_r;
    const YearSetup &m_s;
};

// Whether an employer relief type applies to the employee (only before 200401).
bool reliefApplies(int type, const PayRecord &r)
{
    return (type == 1 && r.ZPS) || (type == 2 && r.ZTP) || type == 3;
}

} // namespace

void Vypocet_vymeriavacich_zakladov(PayRecord &r, const CalcContext &c)
{
    const YearSetup &s = c.setup;
    const int p = r.V_obdobie;
    const QChar code = r.VYNIMKA_VZ.isEmpty() ? QChar(u' ') : r.VYNIMKA_VZ.at(0);

    const double g = r.V_plat + r.N_premie + r.N_odmeny + r.N_priplat + r.N_nahrada + r.N_nemohol
        + r.N_holiday + r.N_sviatok + r.N_jednoraz1 + r.N_jednoraz2;

    if (p < 200501) {
        r.N_zaklad_zp = g + r.N_clenovia_organov;
    } else if (p < 200509) {
        r.N_zaklad_zp = g;
    } else {
        r.N_zaklad_zp = r.V_plat + r.N_premie + r.N_odmeny + r.N_clenovia_organov + r.N_priplat
            + r.N_nahrada + r.N_nemohol + r.N_holiday + r.N_sviatok + r.Nz_ddp;
    }
    r.N_zaklad_dp = r.N_zaklad_np = r.N_zaklad_fz = r.N_zaklad_ip = r.N_zaklad_rf = r.N_zaklad_gp = g;
    r.N_zaklad_up = g + r.N_dohody_ovp + r.N_dohody_opc;

    if (r.U_zdrav1 == 1)
        r.N_zaklad_zp += r.N_dohody_ovp;
    if (r.U_nemoc1 == 1)
        r.N_zaklad_np += r.N_dohody_ovp;
    if (r.U_dochod1 == 1)
        r.N_zaklad_dp += r.N_dohody_ovp;
    if (r.U_fondzam1 == 1)
        r.N_zaklad_fz += r.N_dohody_ovp;
    if (r.Rezerva1 == 1.0)
        r.N_zaklad_gp += r.N_dohody_ovp;
    if (r.U_zdrav2 == 1)
        r.N_zaklad_zp += r.N_dohody_opc;
    if (r.U_nemoc2 == 1)
        r.N_zaklad_np += r.N_dohody_opc;
    if (r.U_dochod2 == 1)
        r.N_zaklad_dp += r.N_dohody_opc;
    if (r.U_fondzam2 == 1)
        r.N_zaklad_fz += r.N_dohody_opc;

    if (p >= 200501) {
        r.N_zaklad_zp = Z(0, 0, r.N_zaklad_zp);
        for (double *b : {&r.N_zaklad_dp, &r.N_zaklad_np, &r.N_zaklad_fz, &r.N_zaklad_up,
                          &r.N_zaklad_ip, &r.N_zaklad_gp, &r.N_zaklad_rf})
            *b = Z(0, 1, *b);
        r.N_prijem_zp = r.N_zaklad_zp;
    } else {
        for (double *b : {&r.N_zaklad_zp, &r.N_zaklad_dp, &r.N_zaklad_np, &r.N_zaklad_fz})
            *b = Z(s.F_ZAZAKLPOIST, s.F_SMZAKLPOIST, *b);
    }

    double mzp = c.params.hodnota(19);
    double mdp = c.params.hodnota(21);
    double mnp = c.params.hodnota(20);
    double mfz = c.params.hodnota(22);

    // Days of sickness and care are the month's entered days (the sums that step 15
    // stores), so the maxima do not depend on an earlier calculation of the record.
    const double workDays = r.V_fmes;
    const double insuredWorkDays = r.V_fmes - (r.V_pn1 + r.V_pn2) - (r.V_ocr1 + r.V_ocr2);
    const bool partMonth = 0 < insuredWorkDays && insuredWorkDays < workDays;
    if (p >= 200005 && p <= 200312) {
        if (partMonth) {
            mzp = Z(-2, 2, mzp / workDays * insuredWorkDays);
            mdp = Z(-2, 2, mdp / workDays * insuredWorkDays);
            mnp = Z(-2, 2, mnp / workDays * insuredWorkDays);
        }
    } else if (p >= 200401) {
        if (partMonth)
            mzp = Z(0, 2, Z(-2, 2, mzp / workDays) * insuredWorkDays);
        const int calendarDays = r.V_kal_dni;
        const int insuredDays = std::min(calendarDays - r.V_nepoisteny, calendarDays);
        for (double *m : {&mdp, &mnp, &mfz}) {
            // A month without calendar days has no insured day either.
            *m = calendarDays != 0 ? Z(0, 2, Z(-2, 2, *m / calendarDays) * insuredDays) : 0.0;
        }
    }

    r.N_zaklad_zp = std::min(r.N_zaklad_zp, mzp);
    if (code.unicode() <= u'T') {
        r.N_zaklad_dp = std::min(r.N_zaklad_dp, mdp);
        r.N_zaklad_ip = std::min(r.N_zaklad_ip, mdp);
        r.N_zaklad_np = std::min(r.N_zaklad_np, mnp);
        r.N_zaklad_fz = std::min(r.N_zaklad_fz, mfz);
        r.N_zaklad_rf = std::min(r.N_zaklad_rf, mdp);
        r.N_zaklad_gp = std::min(r.N_zaklad_gp, mnp);
    }
}

void Vypocet_poistneho(PayRecord &r, const CalcContext &c)
{
    const YearSetup &s = c.setup;
    const int p = r.V_obdobie;

    if (r.N_zaklad_poist < 0) {
        throw EMyError(Msg(65188, QStringLiteral("Základ poistného u iných zamestnávateľov")));
    }

    if (p < 200608)
        r.Rezerva1 = 0;
    if (r.Rezerva1 == 1.0 && r.N_dohody_ovp > 0)
        r.U_garancne = 1;

    const double maxNemoc = c.params.hodnota(20);
    const double maxDochod = c.params.hodnota(21);
    const double maxFond = c.params.hodnota(22);
    const double reducedFrom = c.params.hodnota(29);

    r.F_zdravot = s.F_ZDRAVOT;
    if (p >= 200501 && r.Miera_poklesu >= reducedFrom)
        r.F_zdravot = s.F_ZDRAVOT1;
    if (p >= 200509 && r.ZTP)
        r.F_zdravot = s.F_ZDRAVOT1;
    if (r.U_zdrav == 4)
        r.F_zdravot = s.F_ZDRAVOT + s.FZ_ZDRAVOT;

    r.F_nemoc = r.U_nemoc == 4 ? s.F_NEMOC + s.FZ_NEMOC : s.F_NEMOC;

    double childReduction = 0.0;
    if (p >= 200501 && p < 200601)
        childReduction = std::min(r.Poc_nezaop_deti, 8) * c.params.hodnota(27);
    r.F_dochod = r.U_dochod == 4 ? s.F_DOCHOD + s.FZ_DOCHOD : s.F_DOCHOD - childReduction;

    r.F_fondz = r.U_fondzam == 4 ? s.F_FONDZ + s.FZ_FONDZ : s.F_FONDZ;
    r.F_invalid = r.U_invalid == 4 ? s.F_INVALID + s.FZ_INVALID : s.F_INVALID;

    r.Fz_zdravot = s.FZ_ZDRAVOT;
    r.Fz_nemoc = s.FZ_NEMOC;
    r.Fz_dochod = s.FZ_DOCHOD;
    r.Fz_fondz = s.FZ_FONDZ;
    r.Fz_garfond = s.FZ_GARFOND;
    r.Fz_invalid = s.FZ_INVALID;
    r.Fz_uraz = s.FZ_URAZ;
    r.Fz_rezerva = s.FZ_REZERVA;

    if (p < 200401) {
        r.F_invalid = 0;
        r.Fz_invalid = 0;
        r.Fz_uraz = 0;
        r.Fz_rezerva = 0;
    }

    const bool reducedHealth = p < 200501 ? (r.ZPS || r.ZTP)
                                          : (r.Miera_poklesu >= reducedFrom || (p >= 200509 && r.ZTP));
    if (reducedHealth)
        r.Fz_zdravot = s.FZ_ZDRAVOT1;

    if (p < 200401) {
        r.F_firma_zps = reliefApplies(r.F_typ_ulavy_fz, r);
        if (r.F_firma_zps) {
            r.Fz_fondz = s.FZ_FONDZ1;
            r.Fz_garfond = s.FZ_GARFOND1;
        }
        r.ZPS1 = reliefApplies(r.F_typ_ulavy_sp, r);
        if (r.ZPS1) {
            r.Fz_nemoc = s.FZ_NEMOC1;
            r.Fz_dochod = s.FZ_DOCHOD1;
        }
    }

    // Supplementary pension saving before the bases: the health base from 200509
    // includes the employer's contribution of this month.
    const double ddpBase = c.params.hodnota(26) == 1.0 ? r.N_brutto : r.V_plat;
    if (r.N_sadzba_ddp > 0)
        r.N_ddp = Z(s.ZAOKRUH3, s.ZAOKRUH3SM, r.N_sadzba_ddp * ddpBase * 0.01);
    if (r.Nz_sadzba_ddp > 0)
        r.Nz_ddp = Z(s.ZAOKRUH3, s.ZAOKRUH3SM, r.Nz_sadzba_ddp * ddpBase * 0.01);

    if (r.Automatika)
        Vypocet_vymeriavacich_zakladov(r, c);

    const Contributions k(r, s);
    Amounts health;
    if (p < 200501) {
        health = k.Poistne_fondu(employeePays(r.U_zdrav), false, r.N_zaklad_zp, r.N_zaklad_zp,
                                 r.F_zdravot, r.Fz_zdravot);
    } else if (p < 200509 && r.Verzia == 300) {
        health = k.Poistne_fondu(employeePays(r.U_zdrav), employerPays(r.U_zdrav),
                                 r.N_zaklad_zp, r.N_zaklad_zp, r.F_zdravot, r.Fz_zdravot);
    } else {
        health = k.Zdravotne_2005(employeePays(r.U_zdrav), employerPays(r.U_zdrav),
                                  r.N_zaklad_zp, r.N_zaklad_zp, r.F_zdravot, r.Fz_zdravot,
                                  p < 200509 ? -2 : 0);
    }
    r.O_zdravot = health.employee;
    r.Oz_zdravot = health.employer;

    const auto fund = [&](int flag, double base, double maximum, double rate, double employerRate) {
        return k.Poistne_fondu(employeePays(flag), employerPays(flag),
                               Contributions::Zaklad_do_maxima(base, r.N_zaklad_poist, maximum),
                               base, rate, employerRate);
    };
    const Amounts nemoc = fund(r.U_nemoc, r.N_zaklad_np, maxNemoc, r.F_nemoc, r.Fz_nemoc);
    r.O_nemoc = nemoc.employee;
    r.Oz_nemoc = nemoc.employer;
    const Amounts dochod = fund(r.U_dochod, r.N_zaklad_dp, maxDochod, r.F_dochod, r.Fz_dochod);
    r.O_dochod = dochod.employee;
    r.Oz_dochod = dochod.employer;
    const Amounts fond = fund(r.U_fondzam, r.N_zaklad_fz, maxFond, r.F_fondz, r.Fz_fondz);
    r.O_fondzam = fond.employee;
    r.Oz_fondzam = fond.employer;
    const Amounts invalid = fund(r.U_invalid, r.N_zaklad_ip, maxDochod, r.F_invalid, r.Fz_invalid);
    r.O_invalid = invalid.employee;
    r.Oz_invalid = invalid.employer;

    const auto employerOnly = [&](int flag, double base, double rate) {
        return k.Poistne_fondu(false, employerPays(flag), base, base, 0.0, rate).employer;
    };
    r.Oz_uraz = employerOnly(r.U_uraz, r.N_zaklad_up, r.Fz_uraz);
    r.Oz_rezerva = employerOnly(r.U_rezerva, r.N_zaklad_rf, r.Fz_rezerva);
    r.Oz_garancne = employerOnly(r.U_garancne, r.N_zaklad_gp, r.Fz_garfond);

    r.N_poist = r.O_zdravot + r.O_nemoc + r.O_dochod + r.O_fondzam + r.O_invalid;

    double oneOff = 0.0;
    if (p < 200001) {
        const double j = r.N_jednoraz1 + r.N_jednoraz2;
        const auto part = [&](int id, double rate) {
            return Z(s.F_ZAODVOD, s.F_SMODVOD, std::min(j, c.params.hodnota(id)) * rate * 0.01);
        };
        if (employeePays(r.U_zdrav))
            oneOff += part(19, r.F_zdravot);
        oneOff += part(20, r.F_nemoc);
        oneOff += part(21, r.F_dochod);
        oneOff += part(22, r.F_fondz);
    }
    r.N_poist3 = std::min(oneOff, r.N_poist);
    r.N_poist1 = r.N_poist - r.N_poist3;
}

} // namespace tarix::payroll
