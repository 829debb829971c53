#include "core/helpers/rounding.h"

#include "core/helpers/messages.h"
#include "core/helpers/text_utils.h"
#include "platform/errors.h"
#include "platform/format/decimal.h"

#include <cmath>

namespace tarix::MyConsts {

using fmt::Rounding;

namespace {

// Amounts carry a few decimals at most; whatever a sum or a difference leaves below this
// place is binary noise, so the rounding decides on the value snapped here. Eight places
// still hold the noise of a difference of amounts up to about 33 million (one unit in the
// last place of 2^25 is 3.7e-9), the whole range of amounts rounded to hundredths.
constexpr int kAmountSnapDecimals = 8;

double roundAmount(double value, int decimals, Rounding mode)
{
    // A whole number (most amounts of a payroll are 0) has nothing below a place of units
    // or decimals to round in any mode; below 1e15 it is exact and comes back as itself
    // (0 without its sign), as the decimal rounding gives it.
    if (decimals >= 0 && std::fabs(value) < 1e15 && value == std::trunc(value))
        return value + 0.0;
    return fmt::roundDecimalSnapped(value, decimals, mode, kAmountSnapDecimals);
}

} // namespace

double Zaokruhli_sumu(int places, int mode, double value)
{
    const int decimals = -places;
    switch (mode) {
    case Nahor:
        return roundAmount(value, decimals, Rounding::AwayFromZero);
    case Nadol:
        return roundAmount(value, decimals, Rounding::TowardZero);
    case Normal:
        return roundAmount(value, decimals, Rounding::HalfEven);
    case Do50hDole:
        return roundAmount(value, decimals,
                           value < 0 ? Rounding::TowardZero : Rounding::HalfTowardZero);
    default:
        return value;
    }
}

double Vacsia_hodnota(double a, double b)
{
    return a > b ? a : b;
}

double Mensia_hodnota(double a, double b)
{
    return a < b ? a : b;
}

double Variant_na_sumu(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return 0;
    double v = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        v = value.toDouble();
        break;
    case QMetaType::QString:
        v = Text_na_realne_cislo(value.toString());
        break;
    default:
        throw EMyError(Msg(65194));
    }
    // The fixed-point amount of four decimals holds about +-922 337 203 685 477.
    if (!std::isfinite(v) || std::fabs(v) > 922337203685477.0)
        throw EMyError(Msg(65194));
    return fmt::roundDecimal(v, 4, Rounding::HalfEven);
}

} // namespace tarix::MyConsts
