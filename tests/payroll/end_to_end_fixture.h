#pragma once
// Payroll records made end to end as a clerk makes them: a fresh copy of the shipped
// installation (demo firm DATA01, the year folder of the test, the private folder), opened
// as the program opens a firm and year (data upgrades, statutory slots of the year), the
// open period set, and the payroll of one demo employee inserted, typed and posted through
// the payroll data module. The stored row is then compared field by field with amounts
// worked out by hand from the year's values.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "support/stored_rows.h"
#include "support/both_backends.h"
#include "support/demo_firm_test.h"
#include "dm_vyp_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <utility>

namespace tarix::payroll::testing {

// Demo employees by the key of Zam (Code_emp, Code_numb), as data/seed/firm-demo.sql
// ships them.
struct DemoPerson {
    int codeEmp;
    int codeNumb;
};
inline constexpr DemoPerson kHudak{1, 101};      // monthly 32 000, premium 10 %, two children, union dues
inline constexpr DemoPerson kStastna{2, 102};    // monthly 21 000, premium 5 %, one child
inline constexpr DemoPerson kCierny{3, 103};     // hourly 95, paid public holidays
inline constexpr DemoPerson kChudy{4, 104};      // part-time (4 hours a day), monthly 9 000
inline constexpr DemoPerson kCibula{5, 105};     // monthly 17 500, decline of earning capacity 55 %
inline constexpr DemoPerson kZiak{6, 106};       // monthly 16 500, employment ended 30.4.2007
inline constexpr DemoPerson kHorvathova{7, 107}; // work-performance agreement, withholding tax
inline constexpr DemoPerson kKovac{8, 108};      // fixed monthly 85 000, supplementary pension 2 % / 3 %
inline constexpr DemoPerson kSykorova{9, 109};   // monthly 24 500, three children
inline constexpr DemoPerson kZeman{10, 110};     // hourly 110.50, one child, execution 20 % of net pay

// One typed input of the payroll screen.
using Input = std::pair<const char *, QVariant>;
// One stored field and the amount worked out by hand.
struct Expected {
    const char *field;
    double value;
};

using test::storedRows;

// Opening the firm and year: the upgrades add statutory slot 33 with the workstation's
// default (1: surcharges from the hourly average); the year's statutory slots loaded.
inline test::DemoOptions endToEndOptions(int year)
{
    test::DemoOptions o;
    o.year = year;
    o.upgrades = true;
    o.priplatky = 1;
    o.parameters = true;
    return o;
}

// Run on both backends (TARIX_INSTALLATION_ON_BOTH_BACKENDS): the same hand-worked amounts
// must come out of the server.
template <int Year>
class EndToEndTest : public payroll::testing::WithPayrollModule<test::DemoFirmTest<>>,
                     public ::testing::WithParamInterface<test::Backend> {
protected:
    // The tests make their months themselves: the installation without the demo's payrolls.
    EndToEndTest() : WithPayrollModule({true, Year, Year, false}, endToEndOptions(Year), GetParam()) {}

    static QString yearFolder() { return QStringLiteral("COMMON/ROK%1").arg(Year); }

    void setPeriod(int month) { demo.setPeriod(Year, month); }

    // The clerk's work on the payroll screen: a new payroll of the open month for the
    // employee, the inputs typed in the given order, then the post.
    void post(const DemoPerson &e, std::initializer_list<Input> inputs)
    {
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        db::Table &t = dmv->TVYP_;
        t.insert();
        for (const Input &in : inputs)
            t.setValue(QString::fromLatin1(in.first), in.second);
        t.post();
    }

    // The stored payroll row of the employee and month, field by field against the hand
    // calculation, to the crown (within half a heller).
    void expectStored(const DemoPerson &e, int period, std::initializer_list<Expected> expected)
    {
        const db::SqlResult r = session.run(
            "select * from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = :p",
            {{"e", e.codeEmp}, {"p", period}});
        ASSERT_EQ(r.rowCount(), 1) << "payroll " << e.codeEmp << "/" << period;
        for (const Expected &x : expected) {
            const int column = r.columnIndex(QString::fromLatin1(x.field));
            ASSERT_GE(column, 0) << x.field;
            const double stored = r.isNull(0, column) ? 0.0 : r.asFloat(0, column);
            EXPECT_NEAR(stored, x.value, 0.005) << x.field << " of payroll " << e.codeEmp << "/" << period;
        }
    }

    double deductionAmount(const DemoPerson &e, int period, const char *type)
    {
        return session
            .run("select sum(vypocitana_suma) from \":tarix_data:zrv\" where code_emp = :e and v_obdobie = :p and typ = :t",
                 {{"e", e.codeEmp}, {"p", period}, {"t", QString::fromLatin1(type)}})
            .asFloat(0, 0);
    }
};

} // namespace tarix::payroll::testing
