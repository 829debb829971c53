#include "payroll/calc/calc_fields.h"

#include "core/helpers/myconsts.h"

namespace tarix::payroll {

namespace {

// A number in the general form of at most 15 significant digits, with a decimal comma.
QString generalNumber(double value)
{
    return QString::number(value, 'g', 15).replace(u'.', u',');
}

QString rateKind(const QString &bits, int index)
{
    return MyConsts::Text_typu_sadzby(bits.at(index) == u'0' ? 0 : 1);
}

} // namespace

void computePayrollCalcFields(PayRecord &r, const QString &employeeName)
{
    r.MES = MyConsts::Nazov_mesiaca(r.V_mesiac, false);
    r.MESROK = employeeName + QStringLiteral(" - výplata za ") + r.MES + u' '
        + QString::number(r.V_rok);
    r.CALC_NETTO_ZRAZKY = r.Ne_pozicky + r.Ne_odborar + r.Ne_poistovna + r.Ne_exekucia;
    r.CALC_TEXT_PREMII = MyConsts::Text_typu_premie(r.F_typ_premii);

    const QString fixed = MyConsts::Priznaky_na_text(quint8(r.F_typ_pripl & 0xFF));
    r.CALC_PRIPL_NADCAS = rateKind(fixed, 1);
    r.CALC_PRIPL_SOBOTA = rateKind(fixed, 2);
    r.CALC_PRIPL_NEDELA = rateKind(fixed, 3);
    r.CALC_PRIPL_SVIATOK = rateKind(fixed, 4);
    r.CALC_PRIPL_NOC = rateKind(fixed, 5);
    r.CALC_PRIPL_SKODP = rateKind(fixed, 6);
    const QString free = MyConsts::Bajt_na_binarny_text(quint8(r.F_typ_pripl2 & 0xFF));
    r.CALC_PRIPL1 = rateKind(free, 0);
    r.CALC_PRIPL2 = rateKind(free, 1);
    r.CALC_PRIPL3 = rateKind(free, 2);
    r.CALC_PRIPL4 = rateKind(free, 3);
    r.CALC_PRIPL5 = rateKind(free, 4);

    r.CALC_V_FMES_HOD = u'[' + generalNumber(r.V_fmes * r.F_doba) + QStringLiteral("hod]");
    r.CALC_V_DEN_HOD = u'[' + generalNumber(r.V_den * r.F_doba) + QStringLiteral("hod]");
    r.CALC_HOD_ROZDIEL = generalNumber(r.V_hodina - r.V_den * r.F_doba) + QStringLiteral("hod");
    r.CALC_DAN = r.D_preddavok + r.D_dan - r.D_bonus_cerpany;
    r.CALC_KAL_DNI = MyConsts::Pocet_dni_mesiaca(r.V_obdobie);
}

} // namespace tarix::payroll
