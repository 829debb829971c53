// The calculation driver and step 1 (the parameters of the calculation copied into the
// record).
#include "payroll/calc/calc_internal.h"

namespace tarix::payroll {

using namespace detail;

namespace {

template <void (*Step)(PayRecord &, const CalcContext &)>
void plain(PayRecord &r, const CalcContext &c, CalcResult &)
{
    Step(r, c);
}

void deductions(PayRecord &r, const CalcContext &c, CalcResult &result)
{
    result = Vypocet_zrazok(r, c);
}

const std::array<CalcStep, 20> kSteps{{
    {1, "Kopiruj_parametre_vyplaty", plain<Kopiruj_parametre_vyplaty>},
    {2, "Vypocet_zakladnej_mzdy", plain<Vypocet_zakladnej_mzdy>},
    {3, "Vypocet_priplatkov", plain<Vypocet_priplatkov>},
    {4, "Vypocet_premii", plain<Vypocet_premii>},
    {5, "Vypocet_suctu_mzdy", plain<Vypocet_suctu_mzdy>},
    {6, "Vypocet_hodinoveho_priemeru", plain<Vypocet_hodinoveho_priemeru>},
    {7, "Vypocet_nahrad", plain<Vypocet_nahrad>},
    {8, "Vypocet_nahrady_za_dovolenku", plain<Vypocet_nahrady_za_dovolenku>},
    {9, "Vypocet_nahrady_za_sviatok", plain<Vypocet_nahrady_za_sviatok>},
    {10, "Rozpocitaj_jednorazove_platby", plain<Rozpocitaj_jednorazove_platby>},
    {11, "Vypocet_hrubej_mzdy", plain<Vypocet_hrubej_mzdy>},
    {12, "Vypocet_poistneho", plain<Vypocet_poistneho>},
    {13, "Vypocet_ciastkoveho_zakladu_dane", plain<Vypocet_ciastkoveho_zakladu_dane>},
    {14, "Vypocet_nezdanitelnych_castok", plain<Vypocet_nezdanitelnych_castok>},
    {15, "Vypocet_nemocenskych_davok", plain<Vypocet_nemocenskych_davok>},
    {16, "Vypocet_zdanitelnej_mzdy", plain<Vypocet_zdanitelnej_mzdy>},
    {17, "Vypocet_dane", plain<Vypocet_dane>},
    {18, "Vypocet_cistej_mzdy", plain<Vypocet_cistej_mzdy>},
    {19, "Vypocet_zrazok", deductions},
    {20, "Vypocet_k_vyplate", plain<Vypocet_k_vyplate>},
}};

} // namespace

const std::array<CalcStep, 20> &calculationSteps()
{
    return kSteps;
}

CalcResult Vypocet_vyplaty(PayRecord &record, const CalcContext &context)
{
    CalcResult result;
    for (const CalcStep &step : kSteps)
        step.run(record, context, result);
    return result;
}

void Kopiruj_parametre_vyplaty(PayRecord &r, const CalcContext &c)
{
    const EmployeeData &e = c.employee;
    const YearSetup &s = c.setup;
    const FirmHeader &f = c.firm;

    r.SID = e.SID;
    r.ZPS = e.ZPS;
    r.ZTP = e.ZTP;
    r.Miera_poklesu = e.Miera_poklesu;
    r.KZP = e.KZP;
    r.KDP = e.KDP;
    r.F_doba = e.F_doba;
    r.Fixny_mv_plat = e.Fixny_mv_plat;
    r.Dan_nerezident = e.Dan_nerezident;

    r.F_dan_sadzba1 = s.F_DAN_SADZBA1;
    r.F_dan_maximum1 = s.F_DAN_MAXIMUM1;

    r.F_nd_pocita = f.F_ND_POCITA;
    r.F_nadcas = f.F_NADCAS;
    r.F_sobota = f.F_SOBOTA;
    r.F_nedela = f.F_NEDELA;
    r.F_sviatok = f.F_SVIATOK;
    r.F_noc = f.F_NOC;
    r.F_skod = f.F_SKOD;
    r.F_priplat1 = f.F_PRIPLAT1;
    r.F_priplat2 = f.F_PRIPLAT2;
    r.F_priplat3 = f.F_PRIPLAT3;
    r.F_priplat4 = f.F_PRIPLAT4;
    r.F_priplat5 = f.F_PRIPLAT5;

    r.F_pn_dni = s.F_PN_DNI;
    r.F_pn1 = s.F_PN1;
    r.F_pn2 = s.F_PN2;
    r.F_ocr = s.F_OCR;
    r.F_uraz = s.F_URAZ;
    r.F_nemmax = s.F_NEMMAX;

    r.F_poistne = f.F_POISTNE;
    r.F_typ_pripl = f.F_TYP_PRIPL;
    r.F_typ_pripl2 = f.F_TYP_PRIPL2;
    r.F_firma_zps = f.F_FIRMA_ZPS;
    r.ZPS1 = f.F_NEMOCD == 1;
    r.F_typ_ulavy_sp = f.F_TYP_ULAVY_SP;
    r.F_typ_ulavy_fz = f.F_TYP_ULAVY_FZ;

    r.F_zdravot = s.F_ZDRAVOT;
    r.F_nemoc = s.F_NEMOC;
    r.F_dochod = s.F_DOCHOD;
    r.F_fondz = s.F_FONDZ;

    if (r.V_obdobie >= 200501)
        r.F_min_mzda = c.params.hodnota(30);
    if (r.V_kal_dni == 0)
        r.V_kal_dni = MyConsts::Pocet_dni_mesiaca(r.V_obdobie);
    r.U_sds = r.V_obdobie >= 200501 ? e.U_sds : 0;
}

bool failsWithholdingTaxConditions(const PayRecord &r, const StatutoryParams &params)
{
    return r.U_nezdc || r.D_bonus_cerpany != 0
        || r.D_ciastzd1 + r.D_ciastzd2 + r.D_ciastzd3 + r.N_poist > params.hodnota(31);
}

bool withholdingTaxNeedsConfirmation(const PayRecord &r, const StatutoryParams &params)
{
    return r.Dan_vyrovnana == 1 && r.V_obdobie >= 200601 && failsWithholdingTaxConditions(r, params);
}

} // namespace tarix::payroll
