#pragma once
// The payroll screen on a fresh copy of the demo firm (year 2007, March): the main,
// employee, contracts and payroll data modules created as at start-up, the registered
// tables opened as a firm opening opens them, and a scripted user interface.
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_ppv.h"
#include "core/dm_zam.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "payroll/forms/form_main_vyp.h"
#include "payroll/ini_settings.h"
#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_firm_test.h"
#include "support/widgets/keyboard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace tarix::payroll::screentest {

// March 2007, the modules of the core and the payroll module in the program's order, the
// registry filled and its tables open.
inline test::DemoOptions screenOptions()
{
    test::DemoOptions o;
    o.month = 3;
    o.parameters = true;
    o.modules = test::coreModules();
    o.modules.push_back({createDMV, destroyDMV});
    o.registerTables = true;
    o.openTables = true;
    return o;
}

class PayrollScreenTest : public test::DemoFirmTest<> {
protected:
    // The tests make the demo firm's January to March 2007 themselves: the installation without
    // the demo's payrolls.
    PayrollScreenTest() : DemoFirmTest(test::kDemo2007WithoutPayrolls, screenOptions()) {}

    void SetUp() override
    {
        setSettings(IniSettings{});
        DemoFirmTest::SetUp();
        scripted.clearEvents();
    }

    void TearDown() override
    {
        form.reset();
        payrollScreenPrintCommands().clear();
        DemoFirmTest::TearDown();
    }

    void setPeriod(int month, int year = 2007) { demo.setPeriod(year, month); }

    TFormMainVyp &openScreen()
    {
        form = std::make_unique<TFormMainVyp>();
        form->show();
        QApplication::processEvents();
        return *form;
    }

    // Chooses an employee on the list page as the clerk does.
    void choose(int codeEmp)
    {
        ASSERT_TRUE(core::DMZ().TZAM_.locate("Code_emp", {codeEmp}));
        form->Akcia_zamf_vyber();
    }

    dbctrl::DBEdit *edit(const QString &field, int which = 0) const
    {
        const QList<QWidget *> controls = form->fieldControls(field);
        return controls.size() > which ? qobject_cast<dbctrl::DBEdit *>(controls[which]) : nullptr;
    }

    // Enters an edit, types a text over its content and leaves it.
    static void typeInto(dbctrl::DBEdit *e, const QString &text)
    {
        ASSERT_NE(e, nullptr);
        test::typeInto(e, text);
    }

    double value(const QString &field) const { return DMV().TVYP_.fieldByName(field).asFloat(); }

    db::SqlResult stored(int codeEmp, int period)
    {
        return session.run("select * from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = :p",
                           {{"e", codeEmp}, {"p", period}});
    }

    // A stored payroll of an employee and month, made through the data module.
    void makePayroll(int codeEmp, int codeNumb, int month)
    {
        setPeriod(month);
        TDMV &m = DMV();
        m.setEmployee(codeNumb, codeEmp);
        m.DS_VYPL.setEnabled(true);
        m.TVYP_.cancelRange();
        m.TVYP_.insert();
        const double fund = m.TVYP_.fieldByName("V_fmes").asFloat();
        m.TVYP_.setValue("V_den", fund);
        m.TVYP_.setValue("V_hodina", fund * m.TVYP_.fieldByName("F_doba").asFloat());
        m.TVYP_.post();
        m.setEmployee(0, 0);
    }

    std::unique_ptr<TFormMainVyp> form;
};

} // namespace tarix::payroll::screentest
