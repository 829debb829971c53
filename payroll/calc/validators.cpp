#include "payroll/calc/validators.h"

#include "core/helpers/messages.h"
#include "core/helpers/myconsts.h"
#include "platform/errors.h"

#include <cmath>

namespace tarix::payroll {

namespace {

QString invalidWith(int allowedId)
{
    return Msg(65187) + u' ' + Msg(allowedId);
}

} // namespace

void Kontrola_desatinnej_casti(std::optional<double> value)
{
    if (!value)
        return;
    const double fraction = *value - std::trunc(*value);
    if (fraction != 0.0 && fraction != 0.5)
        throw EMyError(Msg(65181));
}

void TVYP_F_typ_premiiValidate(int value)
{
    if (static_cast<unsigned>(value) >= 3)
        throw EMyError(Msg(65047));
}

void TVYP_U_poistenieValidate(int value)
{
    if (static_cast<unsigned>(value) >= 6)
        throw EMyError(invalidWith(65144));
}

void TVYP_U_poistenie2Validate(int value)
{
    if (static_cast<unsigned>(value) >= 2)
        throw EMyError(invalidWith(65145));
}

void TVYP_VYNIMKA_VZValidate(const QString &value, int period)
{
    if (period < 200401)
        return;
    const char16_t first = value.isEmpty() ? u' ' : value.at(0).unicode();
    if (first < u'0' || first > u'Z')
        throw EMyError(Msg(65187));
}

void TVYP_V_nepoistenyValidate(int value, int period)
{
    if (period < 200401)
        return;
    if (MyConsts::Pocet_dni_mesiaca(period) - value < 0)
        throw EMyError(Msg(65187));
}

} // namespace tarix::payroll
