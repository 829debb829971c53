#pragma once
// A fresh copy of the demo firm (year 2007) for every test, with the main, employee and
// employment-document modules created on it and the scripted user interface installed;
// helpers that write employees and payroll rows as another workstation would.
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "platform/db/session.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarix::test {

inline DemoOptions employeesOptions()
{
    DemoOptions o;
    o.modules = coreModules();
    return o;
}

class EmployeesTest : public DemoFirmTest<> {
protected:
    // The tests make the demo firm's January to March 2007 themselves: the installation without
    // the demo's payrolls.
    EmployeesTest() : DemoFirmTest(kDemo2007WithoutPayrolls, employeesOptions()) {}

    core::TDMZ &dmz() { return core::DMZ(); }
    db::Table &zam() { return core::DMZ().TZAM_; }

    void setPeriod(int year, int month, int centre = 0) { demo.setPeriod(year, month, centre); }

    qint64 count(const QString &sql, const db::Params &params = {})
    {
        return session.run(sql, params, "TARIX_DATA").asInteger(0, 0);
    }

    // Opens the employee table and stands on the employee with that internal number.
    void openEmployee(int codeEmp)
    {
        if (!zam().isActive())
            zam().open();
        ASSERT_TRUE(zam().locate("Code_emp", {codeEmp})) << codeEmp;
    }

    // An employee row written by SQL (as another workstation would), the required fields set.
    void addEmployee(int codeEmp, int codeNumb, const QString &bornNumb = {})
    {
        session.execute(QStringLiteral(
                            "insert into \":tarix_data:zam\" (code_emp, code_numb, sid, surname, born_numb, "
                            "zamestnanie, nastup, typzec, fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, "
                            "holiday_old, spor_plat, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, "
                            "u_rezerva, u_garancne, vynimka_vz) values (:c, :n, 1, 'Iný', :rc, 'x', '2007-01-01', "
                            "1, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, '0')"),
                        {{"c", codeEmp}, {"n", codeNumb}, {"rc", bornNumb.isEmpty() ? QVariant() : QVariant(bornNumb)}});
    }

    // A payroll record of an employee (the required fields zero).
    void addPayroll(int codeEmp, int period, const QString &extraColumns = {}, const QString &extraValues = {})
    {
        session.execute(QStringLiteral(
                            "insert into \":tarix_data:vyp\" (code_emp, v_obdobie, v_rok, v_mesiac, "
                            "fixny_mv_plat, f_typ_premii, f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, "
                            "u_dochod, u_fondzam, u_zdrav1, u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, "
                            "u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita%1) values (%2, %3, %4, %5, "
                            "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0%6)")
                            .arg(extraColumns)
                            .arg(codeEmp)
                            .arg(period)
                            .arg(period / 100)
                            .arg(period % 100)
                            .arg(extraValues));
    }

    // Runs fn, which must raise EMyError with exactly that text.
    template <class Fn>
    static void expectError(Fn &&fn, const QString &text)
    {
        try {
            fn();
            ADD_FAILURE() << "no error, expected: " << text.toStdString();
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), text);
        }
    }
};

} // namespace tarix::test
