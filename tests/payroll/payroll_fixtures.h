#pragma once
// Demo-like inputs of the payroll calculation: a firm with the Slovak statutory values of
// 2005 (rates, maxima, the 19 % band), an employee on a monthly wage, and records of a
// few typical kinds. Tests change single fields from here.
#include "payroll/calc/calculation.h"

#include <cmath>
#include <vector>

namespace tarix::payroll::testing {

inline CalcContext demoContext(int period = 200503)
{
    CalcContext c;
    c.Aktualne_obdobie = period;

    YearSetup &s = c.setup;
    s.F_PN_DNI = 3;
    s.F_PN1 = 25;
    s.F_PN2 = 55;
    s.F_OCR = 55;
    s.F_URAZ = 0;
    s.F_MIN_MZDA = 6080;
    s.F_NEMMIN = 0;
    s.F_NEMMAX = 2000;
    s.F_POISTMAX = 43095;
    s.F_ZDRAVOT = 4;
    s.F_NEMOC = 1.4;
    s.F_DOCHOD = 4;
    s.F_FONDZ = 1;
    s.FZ_ZDRAVOT = 10;
    s.FZ_NEMOC = 1.4;
    s.FZ_DOCHOD = 14;
    s.FZ_FONDZ = 1;
    s.F_ZDRAVOT1 = 2;
    s.F_NEMOC1 = 1.4;
    s.F_DOCHOD1 = 4;
    s.F_FONDZ1 = 1;
    s.FZ_ZDRAVOT1 = 5;
    s.FZ_NEMOC1 = 0.7;
    s.FZ_DOCHOD1 = 7;
    s.FZ_FONDZ1 = 0.5;
    s.FZ_GARFOND = 0.25;
    s.FZ_GARFOND1 = 0.1;
    s.F_INVALID = 3;
    s.FZ_INVALID = 3;
    s.FZ_URAZ = 0.8;
    s.FZ_REZERVA = 4.75;
    // Contributions: up to whole crowns; bases: whole crowns; tax base and advance: down.
    s.F_ZAODVOD = 0;
    s.F_SMODVOD = 0;
    s.F_ZAFONDZ = 0;
    s.F_SMFONDZ = 0;
    s.F_ZADANZP = 0;
    s.F_SMDANZP = 1;
    s.F_ZAPREDDAV = 0;
    s.F_SMPREDDAV = 1;
    s.F_ZAZAKLPOIST = 0;
    s.F_SMZAKLPOIST = 0;
    s.ZAOKRUH1 = -2; // gross wage: hundredths, nearest
    s.ZAOKRUH1SM = 2;
    s.ZAOKRUH2 = -2; // surcharges
    s.ZAOKRUH2SM = 2;
    s.ZAOKRUH3 = 0; // base wage: whole crowns, nearest
    s.ZAOKRUH3SM = 2;
    s.ZAOKRUH4 = -2; // sick-pay compensation
    s.ZAOKRUH4SM = 0;
    s.ZAOKRUH5 = 0;
    s.ZAOKRUH5SM = 1;
    s.ZAOKRUH6 = 0; // premium
    s.ZAOKRUH6SM = 0;
    s.ZAOKRUH9 = 0; // withholding tax
    s.ZAOKRUH9SM = 1;
    s.ZAOKRUH10 = 0; // benefits total
    s.ZAOKRUH10SM = 2;
    s.F_DAN_SADZBA1 = 19;
    s.F_DAN_MAXIMUM1 = 5000;

    FirmHeader &f = c.firm;
    f.F_ND_POCITA = 0;
    f.F_NEMOCD = 0;
    f.F_TYP_PREMII = 0;
    f.F_DOBA = 8;
    f.F_POISTNE = 0.4;
    f.F_NADCAS = 25;
    f.F_SOBOTA = 50;
    f.F_NEDELA = 50;
    f.F_SVIATOK = 100;
    f.F_NOC = 20;
    f.F_SKOD = 10;
    f.F_TYP_PRIPL = 0;
    f.F_TYP_PRIPL2 = 0;
    f.F_PRIPLAT1 = 15;
    f.F_PRIPLAT2 = 12.5; // crowns per hour with bit 64 of F_TYP_PRIPL2
    f.F_NEMOHOL = 60;

    StatutoryParams &p = c.params;
    p.set(1, 500);
    p.set(4, 10000);
    p.set(5, 300);
    p.set(19, 43095);
    p.set(20, 21548);
    p.set(21, 43095);
    p.set(22, 43095);
    p.set(23, 7328);
    p.set(24, 540);
    p.set(26, 0);
    p.set(27, 0.5);
    p.set(28, 400);
    p.set(29, 40);
    p.set(30, 6500);
    p.set(31, 5000);
    p.set(33, 1.0);

    c.taxBands = {{0.0, 19.0, 0.0, 0.0}};

    EmployeeData &e = c.employee;
    e.Code_emp = 7;
    e.Code_numb = 107;
    e.SID = 2;
    e.KZP = 24;
    e.F_doba = 8;
    e.U_sds = 1;
    return c;
}

// A monthly-paid employee, full month of 21 working days, every insurance.
inline PayRecord monthlyRecord(int period = 200503)
{
    PayRecord r;
    r.Code_emp = 7;
    r.V_obdobie = period;
    r.V_rok = period / 100;
    r.V_mesiac = period % 100;
    r.Automatika = true;
    r.V_fmes = 21;
    r.V_den = 21;
    r.MV_plat = 18000;
    r.F_typ_premii = 1;
    r.F_sadzba_premii = 10;
    r.U_zdrav = 1;
    r.U_nemoc = 1;
    r.U_dochod = 1;
    r.U_fondzam = 1;
    r.U_invalid = 1;
    r.U_uraz = 1;
    r.U_rezerva = 1;
    r.U_garancne = 1;
    r.U_nezdc = true;
    r.VYNIMKA_VZ = QStringLiteral("0");
    return r;
}

// An hourly-paid employee with surcharges, holiday and a public holiday.
inline PayRecord hourlyRecord(int period = 200503)
{
    PayRecord r = monthlyRecord(period);
    r.MV_plat = 0;
    r.V_sadzba = 80;
    r.V_hodina = 152;
    r.V_den = 19;
    r.F_typ_premii = 2;
    r.F_sadzba_premii = 5;
    r.Vh_nadcas = 10;
    r.Vh_sobota = 8;
    r.Vh_noc = 16;
    r.Vh_priplat1 = 4;
    r.V_holiday = 1.5;
    r.V_sviatok = 1;
    r.N_odmeny = 1000;
    return r;
}

// A record with most kinds of income and deductions filled in.
inline PayRecord richRecord(int period = 200609)
{
    PayRecord r = monthlyRecord(period);
    r.N_odmeny = 2500;
    r.Vh_nadcas = 6;
    r.Vh_nedela = 4;
    r.Vh_nahrada = 8;
    r.Vh_nemohol = 4;
    r.V_holiday = 2;
    r.V_sviatok = 1;
    r.V_nahrada_pn1 = 3;
    r.V_nahrada_pn2 = 2;
    r.V_priemer2 = 512.3456;
    r.V_pn1 = 3;
    r.V_pn2 = 2;
    r.N_jednoraz1 = 6000;
    r.V_mesiace1 = 6;
    r.N_dohody_ovp = 1200;
    r.U_zdrav1 = 1;
    r.N_socfond = 700;
    r.N_sadzba_ddp = 2;
    r.Nz_sadzba_ddp = 3;
    r.Pouz_auto = 400;
    r.D_bonus_predpis = 1080;
    r.Poc_nezaop_deti = 2;
    r.Ne_zaloha = 3000;
    r.Ne_stravne = 450;
    r.Sporenie = 1000;
    return r;
}

inline std::vector<ZrvRow> demoDeductions()
{
    return {
        {1, QStringLiteral("P"), 350, 0, 0},
        {2, QStringLiteral("O"), 1, 1, 0},
        {3, QStringLiteral("Y"), 10, 3, 0},
        {4, QStringLiteral("S"), 500, 0, 0},
        {5, QStringLiteral("X"), 5, 2, 0},
    };
}

// True when every numeric field of the record is a finite number.
inline bool allFinite(const PayRecord &r, QString *bad = nullptr)
{
    for (const auto &def : PayRecord::fields()) {
        const QVariant v = r.value(QString::fromLatin1(def.name));
        if (v.typeId() == QMetaType::Double && !std::isfinite(v.toDouble())) {
            if (bad)
                *bad = QString::fromLatin1(def.name);
            return false;
        }
    }
    return true;
}

} // namespace tarix::payroll::testing
