// Who belongs to a list of a period: the rule for one employee, its SQL condition run on
// the firm's employee table (on both backends) and its filter expression on the same rows,
// at the edges of the period.
#include "core/helpers/employment_period.h"
#include "platform/db/filter_expr.h"
#include "support/both_backends.h"
#include "support/demo_firm_test.h"

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::MyConsts;

namespace {

struct Case {
    const char *name;
    QDate entry;
    QDate leaving; // null: still employed
    bool inApril2007;
};

// April 2007: 1.4. to 30.4.
const Case kCases[] = {
    {"leaves on the first day", QDate(2000, 1, 1), QDate(2007, 4, 1), true},
    {"enters on the last day", QDate(2007, 4, 30), QDate(), true},
    {"leaves the day before", QDate(2000, 1, 1), QDate(2007, 3, 31), false},
    {"enters the day after", QDate(2007, 5, 1), QDate(), false},
    {"enters and leaves within it", QDate(2007, 4, 10), QDate(2007, 4, 20), true},
    {"leaves on the last day", QDate(2000, 1, 1), QDate(2007, 4, 30), true},
    {"an agreement over the whole period", QDate(2007, 1, 2), QDate(2007, 12, 31), true},
    {"enters on the first day", QDate(2007, 4, 1), QDate(), true},
    {"left years ago", QDate(1990, 1, 1), QDate(2005, 6, 30), false},
};

TEST(EmploymentPeriod, TheDaysOfAMonthAndOfAYear)
{
    EXPECT_EQ(monthDays(200702).firstDay, QDate(2007, 2, 1));
    EXPECT_EQ(monthDays(200702).lastDay, QDate(2007, 2, 28));
    EXPECT_EQ(monthDays(200812).lastDay, QDate(2008, 12, 31));
    EXPECT_EQ(yearDays(2004).firstDay, QDate(2004, 1, 1));
    EXPECT_EQ(yearDays(2004).lastDay, QDate(2004, 12, 31));
}

TEST(EmploymentPeriod, AnEmployeeBelongsWhenEmployedOnSomeDayOfThePeriod)
{
    for (const Case &c : kCases)
        EXPECT_EQ(employedInPeriod(c.entry, c.leaving, monthDays(200704)), c.inApril2007) << c.name;
    EXPECT_FALSE(employedInPeriod(QDate(), QDate(), monthDays(200704))) << "no entry date";
    // A year takes everyone of any of its days.
    EXPECT_TRUE(employedInPeriod(QDate(2004, 12, 31), QDate(), yearDays(2004)));
    EXPECT_FALSE(employedInPeriod(QDate(2006, 2, 1), QDate(), yearDays(2004)));
}

TEST(EmploymentPeriod, TheFilterExpressionHoldsTheSamePeople)
{
    const db::FilterExpression filter = db::FilterExpression::parse(employedInPeriodFilter(monthDays(200704)));
    for (const Case &c : kCases) {
        const auto value = [&](const QString &field) -> QVariant {
            const QDate d = field.compare(u"Nastup", Qt::CaseInsensitive) == 0 ? c.entry : c.leaving;
            return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
        };
        EXPECT_EQ(filter.matches(value), c.inApril2007) << c.name;
    }
}

// The demo firm's employee table, its dates replaced by the cases (one employee each).
class EmploymentPeriodSql : public test::DemoFirmTest<>, public ::testing::WithParamInterface<test::Backend> {
protected:
    EmploymentPeriodSql() : DemoFirmTest({true, 2007, 2007}, {}, GetParam()) {}
};

TARIX_INSTALLATION_ON_BOTH_BACKENDS(EmploymentPeriodSql);

TEST_P(EmploymentPeriodSql, TheConditionHoldsTheSamePeopleOnTheTable)
{
    const db::SqlResult ids = session.run("select code_emp from \":tarix_data:zam\" order by code_emp");
    ASSERT_GE(ids.rowCount(), int(std::size(kCases)));
    QMap<qint64, const Case *> byEmployee;
    for (int i = 0; i < int(std::size(kCases)); ++i) {
        const qint64 id = ids.asInteger(i, 0);
        byEmployee[id] = &kCases[i];
        session.execute("update \":tarix_data:zam\" set nastup = :n, vystup = :v where code_emp = :e",
                        {{"n", kCases[i].entry},
                         {"v", kCases[i].leaving.isValid() ? QVariant(kCases[i].leaving) : QVariant()},
                         {"e", id}});
    }
    db::Params april;
    setPeriodDays(april, monthDays(200704));
    const db::SqlResult r = session.run("select z.code_emp from \":tarix_data:zam\" z where "
                                            + employedInPeriodSql("z.nastup", "z.vystup") + " order by z.code_emp",
                                        april);
    QSet<qint64> held;
    for (int i = 0; i < r.rowCount(); ++i)
        held.insert(r.asInteger(i, 0));
    for (auto it = byEmployee.cbegin(); it != byEmployee.cend(); ++it)
        EXPECT_EQ(held.contains(it.key()), it.value()->inApril2007) << it.value()->name;
}

} // namespace
