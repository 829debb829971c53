#pragma once
// Who belongs to a list of a period: the employees employed on at least one day of it,
// that is entered on or before its last day and not left, or left on or after its first
// day. A list of a month takes the month's days, a list of a year the year's. The rule is
// given as an SQL condition for the queries and as a filter expression for the employee
// table's filter; both come from here so that every list holds the same people.
#include "platform/db/params.h"

#include <QDate>
#include <QString>

namespace tarix::db {
class Query;
}

namespace tarix::MyConsts {

struct PeriodDays {
    QDate firstDay;
    QDate lastDay;
};

// The days of the month yyyymm, and of a year.
PeriodDays monthDays(int period);
PeriodDays yearDays(int year);

// The rule itself, for one employee: an empty entry date never belongs, an empty
// leaving date means still employed.
bool employedInPeriod(const QDate &entry, const QDate &leaving, const PeriodDays &days);

// The rule as an SQL condition on the given entry and leaving columns (with their table
// alias, if any), in parentheses, the period's days as the parameters :employed_from and
// :employed_to (set by setPeriodDays), so that a query's text is fixed before its period
// is known:
//   (z.nastup <= :employed_to and (z.vystup is null or z.vystup >= :employed_from))
QString employedInPeriodSql(const QString &entryColumn = QStringLiteral("nastup"),
                            const QString &leavingColumn = QStringLiteral("vystup"));
void setPeriodDays(db::Params &params, const PeriodDays &days);
void setPeriodDays(db::Query &query, const PeriodDays &days);

// The rule as a filter expression of a table (platform/db/filter_expr.h):
//   (Vystup=null or Vystup>='1.4.2007') and Nastup<='30.4.2007'
QString employedInPeriodFilter(const PeriodDays &days, const QString &entryField = QStringLiteral("Nastup"),
                               const QString &leavingField = QStringLiteral("Vystup"));

} // namespace tarix::MyConsts
