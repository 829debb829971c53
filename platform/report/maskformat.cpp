#include "platform/report/maskformat.h"

#include "platform/format/format.h"
#include <QDate>
#include <QDateTime>

namespace tarix::rpt {

namespace {
MaskFormatter &formatterSlot()
{
    static MaskFormatter f;
    return f;
}

} // namespace

void setMaskFormatter(MaskFormatter formatter) { formatterSlot() = std::move(formatter); }
const MaskFormatter &maskFormatter() { return formatterSlot(); }

bool isNumeric(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

QString defaultMaskFormat(const QString &mask, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return fmt::shortDate(value.toDate());
    if (value.typeId() == QMetaType::QDateTime)
        return fmt::shortDate(value.toDateTime().date()) + QLatin1Char(' ')
               + fmt::longTime(value.toDateTime().time());
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (!isNumeric(value))
        return value.toString();
    return fmt::formatFloat(mask, value.toDouble());
}

QString formatValue(const QString &mask, const QVariant &value)
{
    const MaskFormatter &f = formatterSlot();
    if (f)
        return f(mask, value);
    return defaultMaskFormat(mask, value);
}

} // namespace tarix::rpt
