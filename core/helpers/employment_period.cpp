#include "core/helpers/employment_period.h"

#include "platform/db/query.h"
#include "platform/format/dates.h"

namespace tarix::MyConsts {

namespace {
const QString kFirstDay = QStringLiteral("employed_from");
const QString kLastDay = QStringLiteral("employed_to");
} // namespace

PeriodDays monthDays(int period)
{
    const QDate first(period / 100, period % 100, 1);
    return {first, first.addMonths(1).addDays(-1)};
}

PeriodDays yearDays(int year) { return {QDate(year, 1, 1), QDate(year, 12, 31)}; }

bool employedInPeriod(const QDate &entry, const QDate &leaving, const PeriodDays &days)
{
    return entry.isValid() && entry <= days.lastDay && (!leaving.isValid() || leaving >= days.firstDay);
}

QString employedInPeriodSql(const QString &entryColumn, const QString &leavingColumn)
{
    return QStringLiteral("(%1 <= :%2 and (%3 is null or %3 >= :%4))")
        .arg(entryColumn, kLastDay, leavingColumn, kFirstDay);
}

void setPeriodDays(db::Params &params, const PeriodDays &days)
{
    params.set(kFirstDay, days.firstDay);
    params.set(kLastDay, days.lastDay);
}

void setPeriodDays(db::Query &query, const PeriodDays &days)
{
    query.setParam(kFirstDay, days.firstDay);
    query.setParam(kLastDay, days.lastDay);
}

QString employedInPeriodFilter(const PeriodDays &days, const QString &entryField, const QString &leavingField)
{
    return QStringLiteral("(%1=null or %1>='%2') and %3<='%4'")
        .arg(leavingField, fmt::shortDate(days.firstDay), entryField, fmt::shortDate(days.lastDay));
}

} // namespace tarix::MyConsts
