#include "platform/report/maskformat.h"
#include <QDate>
#include <QDateTime>
#include <cmath>

namespace tarix::report {

namespace {
MaskFormatter &formatterSlot()
{
    static MaskFormatter f;
    return f;
}

QString plainNumber(double v)
{
    if (v == 0)
        v = 0;   // no "-0"
    QString s = QString::number(v, 'g', 15);
    if (s.contains(QLatin1Char('e'))) {
        s = QString::number(v, 'f', 6);
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
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
        return value.toDate().toString(QStringLiteral("d.M.yyyy"));
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("d.M.yyyy H:mm:ss"));
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (!isNumeric(value))
        return value.toString();
    const double v = value.toDouble();
    const QString section = mask.section(QLatin1Char(';'), 0, 0);
    if (section.isEmpty())
        return plainNumber(v);
    int decimals = 0;
    const int point = section.indexOf(QLatin1Char('.'));
    if (point >= 0)
        for (int i = point + 1; i < section.size() && (section[i] == QLatin1Char('0') || section[i] == QLatin1Char('#')); ++i)
            ++decimals;
    double r = std::round(std::fabs(v) * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    if (r == 0)
        return QString::number(0.0, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
    QString s = QString::number(v < 0 ? -r : r, 'f', decimals);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QString formatValue(const QString &mask, const QVariant &value)
{
    const MaskFormatter &f = formatterSlot();
    if (f)
        return f(mask, value);
    return defaultMaskFormat(mask, value);
}

} // namespace tarix::report
