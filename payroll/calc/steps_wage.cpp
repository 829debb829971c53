// Steps 2 to 11: base wage, surcharges, premium, wage sum, hourly average,
// compensations, holiday and public-holiday pay, one-off payments and the gross wage.
#include "payroll/calc/calc_internal.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <array>

namespace tarix::payroll {

using namespace detail;

namespace {

// The eleven surcharge amounts of the record for a given hourly average, rounded.
struct Priplatky {
    std::array<double, 6> fixed{}; // overtime, Saturday, Sunday, public holiday, night, harmful
    std::array<double, 5> free{};
    double sum = 0.0;
};

Priplatky computeSurcharges(const PayRecord &r, const CalcContext &c, double priemer)
{
    Priplatky p;
    // Selector characters 2..7 of the first text and 1..5 of the second: "0" is a
    // percentage, anything else an amount per hour.
    const QString kinds = MyConsts::Priznaky_na_text(quint8(r.F_typ_pripl & 0xFF));
    const QString kinds2 = MyConsts::Bajt_na_binarny_text(quint8(r.F_typ_pripl2 & 0xFF));
    const bool baseIsAverage = c.params.hodnota(33) == 1.0;

    const std::array<double, 6> hours{r.Vh_nadcas, r.Vh_sobota, r.Vh_nedela,
                                      r.Vh_sviatok, r.Vh_noc, r.Vh_skod};
    const std::array<double, 6> rates{r.F_nadcas, r.F_sobota, r.F_nedela,
                                      r.F_sviatok, r.F_noc, r.F_skod};
    bool noHourlyBase = false;
    for (int i = 0; i < 6; ++i) {
        if (kinds.at(i + 1) != u'0') {
            p.fixed[i] = hours[i] * rates[i];
        } else if (baseIsAverage) {
            p.fixed[i] = hours[i] * rates[i] * 0.01 * priemer;
        } else if (r.V_hodina != 0) {
            p.fixed[i] = hours[i] * rates[i] * 0.01 * r.V_plat / r.V_hodina;
        } else if (hours[i] != 0) {
            // Percentage hours with no hours worked to derive the hourly base from:
            // the fixed surcharges are not computed at all.
            noHourlyBase = true;
        }
    }
    if (noHourlyBase)
        p.fixed.fill(0.0);

    const std::array<double, 5> hours2{r.Vh_priplat1, r.Vh_priplat2, r.Vh_priplat3,
                                       r.Vh_priplat4, r.Vh_priplat5};
    const std::array<double, 5> rates2{r.F_priplat1, r.F_priplat2, r.F_priplat3,
                                       r.F_priplat4, r.F_priplat5};
    for (int i = 0; i < 5; ++i) {
        p.free[i] = kinds2.at(i) == u'0' ? hours2[i] * rates2[i] * 0.01 * priemer
                                         : hours2[i] * rates2[i];
    }

    const int places = c.setup.ZAOKRUH2, mode = c.setup.ZAOKRUH2SM;
    for (double &a : p.fixed) {
        a = Z(places, mode, a);
        p.sum += a;
    }
    for (double &a : p.free) {
        a = Z(places, mode, a);
        p.sum += a;
    }
    return p;
}

double computeBonus(const PayRecord &r, const CalcContext &c)
{
    double premia = r.N_premie;
    switch (r.F_typ_premii) {
    case 0:
        premia = r.F_sadzba_premii;
        break;
    case 1:
        premia = r.V_plat * r.F_sadzba_premii * 0.01;
        break;
    case 2:
        premia = r.V_hodina * r.F_sadzba_premii;
        break;
    default:
        break;
    }
    return Z(c.setup.ZAOKRUH6, c.setup.ZAOKRUH6SM, premia);
}

// The wage sum from which the hourly average is derived; surcharges count from 200006.
double wageSum(int period, double plat, double premie, double odmeny, double priplat)
{
    double sum = plat + premie + odmeny;
    if (period > 200005)
        sum += priplat;
    return sum;
}

void checkMonths(int months, int which)
{
    if (months < 0 || months > 12) {
        throw EMyError(Msg(65188, which == 1
            ? QStringLiteral("Počet mesiacov, za ktoré sa vypláca jednorázová mzda 1")
            : QStringLiteral("Počet mesiacov, za ktoré sa vypláca jednorázová mzda 2")));
    }
}

} // namespace

double Sucet_ukolovej_mzdy(const std::vector<HsuRow> &items)
{
    double sum = 0.0;
    for (const HsuRow &item : items)
        sum += item.Suma;
    return sum;
}

void Vypocet_zakladnej_mzdy(PayRecord &r, const CalcContext &c)
{
    if (!c.Rezim_importu)
        r.N_ukolova = Sucet_ukolovej_mzdy(c.pieceWork);

    if (r.N_ukolova > 0) {
        r.V_plat = r.N_ukolova;
        r.V_sadzba = r.V_hodina != 0 ? r.V_plat / r.V_hodina : 0.0;
    } else if (r.MV_plat > 0) {
        if (r.V_hodina == 0)
            r.V_hodina = r.V_den * r.F_doba;
        if (r.Fixny_mv_plat) {
            r.V_plat = r.MV_plat;
        } else if (r.F_doba != 0 && r.V_fmes != 0) {
            r.V_plat = r.MV_plat * r.V_hodina / r.F_doba / r.V_fmes;
        } else {
            // No working-time fund to prorate the monthly wage against: no wage, and the
            // hourly rate keeps the value it has (nothing to derive it from).
            r.V_plat = 0.0;
            return;
        }
        r.V_sadzba = r.V_hodina != 0 ? r.V_plat / r.V_hodina : 0.0;
    } else {
        r.V_plat = r.V_sadzba * r.V_hodina;
    }
    r.V_plat = Z(c.setup.ZAOKRUH3, c.setup.ZAOKRUH3SM, r.V_plat);
}

void Vypocet_priplatkov(PayRecord &r, const CalcContext &c)
{
    // Percentage surcharges of the hourly average need the average that step 6 derives
    // from the wage sum. Derive it here first, from the wage sum without those
    // surcharges (what step 6 arrives at), so that one run already gives the record
    // that every later run keeps.
    if (r.V_priemer1 == 0 && r.V_hodina > 0) {
        const Priplatky withoutAverage = computeSurcharges(r, c, 0.0);
        r.V_priemer1 = wageSum(r.V_obdobie, r.V_plat, computeBonus(r, c), r.N_odmeny,
                                 withoutAverage.sum)
            / r.V_hodina;
    }

    const Priplatky p = computeSurcharges(r, c, r.V_priemer1);
    r.Vp_nadcas = p.fixed[0];
    r.Vp_sobota = p.fixed[1];
    r.Vp_nedela = p.fixed[2];
    r.Vp_sviatok = p.fixed[3];
    r.Vp_noc = p.fixed[4];
    r.Vp_skod = p.fixed[5];
    r.Vp_priplat1 = p.free[0];
    r.Vp_priplat2 = p.free[1];
    r.Vp_priplat3 = p.free[2];
    r.Vp_priplat4 = p.free[3];
    r.Vp_priplat5 = p.free[4];
    r.N_priplat = p.sum;
    r.N_nadcas = Z(c.setup.ZAOKRUH3, c.setup.ZAOKRUH3SM, r.Vh_nadcas * r.V_sadzba);
}

void Vypocet_premii(PayRecord &r, const CalcContext &c)
{
    r.N_premie = computeBonus(r, c);
}

void Vypocet_suctu_mzdy(PayRecord &r, const CalcContext &)
{
    r.N_mzda = wageSum(r.V_obdobie, r.V_plat, r.N_premie, r.N_odmeny, r.N_priplat);
}

void Vypocet_hodinoveho_priemeru(PayRecord &r, const CalcContext &)
{
    if (r.V_priemer1 == 0 && r.V_hodina > 0)
        r.V_priemer1 = r.N_mzda / r.V_hodina;
}

void Vypocet_nahrad(PayRecord &r, const CalcContext &c)
{
    const int places = c.setup.ZAOKRUH4, mode = c.setup.ZAOKRUH4SM;
    r.N_nahrada_pn = Z(places, mode, r.V_nahrada_pn1 * r.V_priemer2 * r.F_pn1 * 0.01)
        + Z(places, mode, r.V_nahrada_pn2 * r.V_priemer2 * r.F_pn2 * 0.01);
    r.N_nahrada = Z(0, 2, r.V_priemer1 * r.Vh_nahrada);
    r.N_nemohol = Z(0, 2, r.V_priemer1 * r.Vh_nemohol * c.firm.F_NEMOHOL * 0.01);
}

void Vypocet_nahrady_za_dovolenku(PayRecord &r, const CalcContext &)
{
    r.N_holiday = Z(0, 2, r.V_priemer1 * r.V_holiday * r.F_doba);
}

void Vypocet_nahrady_za_sviatok(PayRecord &r, const CalcContext &)
{
    const double hourly = r.MV_plat == 0 ? r.V_priemer1 : r.V_sadzba;
    r.N_sviatok = Z(0, 2, r.V_sviatok * hourly * r.F_doba);
}

int lastPaymentPeriod(int period, int months)
{
    if (months == 0)
        return 0;
    int month = period % 100 + months - 1;
    int year = period / 100;
    if (month > 12) {
        month -= 12;
        ++year;
    }
    return year * 100 + month;
}

void Rozpocitaj_jednorazove_platby(PayRecord &r, const CalcContext &)
{
    if (r.N_jednoraz1 > 0) {
        checkMonths(r.V_mesiace1, 1);
        r.V_maxobd1 = lastPaymentPeriod(r.V_obdobie, r.V_mesiace1);
    }
    if (r.N_jednoraz2 > 0) {
        checkMonths(r.V_mesiace2, 2);
        r.V_maxobd2 = lastPaymentPeriod(r.V_obdobie, r.V_mesiace2);
    }
    if (r.Verzia != 300)
        r.Verzia = 0;
    r.Version = QString::fromLatin1(kVersion);
}

void Vypocet_hrubej_mzdy(PayRecord &r, const CalcContext &c)
{
    double brutto = r.V_plat;
    brutto += r.N_premie;
    brutto += r.N_odmeny;
    brutto += r.N_clenovia_organov;
    brutto += r.N_priplat;
    brutto += r.N_nahrada;
    brutto += r.N_nemohol;
    brutto += r.N_holiday;
    brutto += r.N_sviatok;
    brutto += r.N_dohody_ovp;
    brutto += r.N_dohody_opc;
    brutto += r.N_socfond;
    brutto += r.N_pohotovost;
    brutto += r.N_odstupne;
    brutto += r.N_jednoraz1;
    brutto += r.N_jednoraz2;
    brutto += r.N_nahrada_pn;
    brutto += r.N_mimo_poistne;
    r.N_brutto = Z(c.setup.ZAOKRUH1, c.setup.ZAOKRUH1SM, brutto);
}

} // namespace tarix::payroll
