#pragma once
// A fresh copy of the shipped installation (demo firm DATA01, year 2007) for each test,
// opened in January with the statutory slots of 2007 and the main data module, a payroll
// data module of the test's own with its tables open, and a scripted user interface that
// also notes whether a transaction was open while the user was asked.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

namespace tarix::payroll::testing {

// Scripted answers; records the default session's transaction depth at every question.
class WatchingUserInterface : public ui::ScriptedUserInterface {
public:
    bool askYesNo(const QString &question) override
    {
        depthsAtQuestions.push_back(depth());
        return ScriptedUserInterface::askYesNo(question);
    }
    void showMessage(ui::MessageKind kind, const QString &text) override
    {
        depthsAtMessages.push_back(depth());
        ScriptedUserInterface::showMessage(kind, text);
    }
    std::vector<int> depthsAtQuestions;
    std::vector<int> depthsAtMessages;

private:
    static int depth()
    {
        const db::Session *s = db::Session::defaultSession();
        return s ? s->transactionDepth() : 0;
    }
};

struct DemoEmployee {
    int codeEmp;
    int codeNumb;
};
inline constexpr DemoEmployee kDemo[] = {{1, 101}, {2, 102}, {3, 103}, {4, 104}, {5, 105},
                                         {6, 106}, {7, 107}, {8, 108}, {9, 109}, {10, 110}};

inline test::DemoOptions payrollModuleOptions()
{
    test::DemoOptions o;
    o.parameters = true;
    return o;
}

// The payroll module as the program makes it for an open firm: the clerk's settings as
// shipped, the payroll table and its detail tables open.
inline std::unique_ptr<TDMV> openPayrollModule()
{
    setSettings(IniSettings{});
    auto dmv = std::make_unique<TDMV>();
    dmv->TVYP_.open();
    dmv->TZRV_.open();
    dmv->THSU_.open();
    return dmv;
}

// A firm fixture with the payroll module opened after the firm (openPayrollModule) and
// closed before it.
template <class Firm>
class WithPayrollModule : public Firm {
protected:
    using Firm::Firm;

    void SetUp() override
    {
        Firm::SetUp();
        if (::testing::Test::IsSkipped())
            return;
        dmv = openPayrollModule();
    }

    void TearDown() override
    {
        dmv.reset();
        Firm::TearDown();
    }

    std::unique_ptr<TDMV> dmv;
};

// The payroll module over the demo firm of 2007 on the backend the test is run for
// (TARIX_INSTALLATION_ON_BOTH_BACKENDS), with its payroll and detail tables open.
class PayrollModuleOnBothTest : public WithPayrollModule<test::DemoFirmTest<WatchingUserInterface>>,
                                public ::testing::WithParamInterface<test::Backend> {
protected:
    // The tests make the demo firm's January to March 2007 themselves: the installation without
    // the demo's payrolls.
    PayrollModuleOnBothTest()
        : WithPayrollModule(test::kDemo2007WithoutPayrolls, payrollModuleOptions(), GetParam()) {}
};

class PayrollModuleTest : public WithPayrollModule<test::DemoFirmTest<WatchingUserInterface>> {
protected:
    // The tests make the demo firm's January to March 2007 themselves: the installation without
    // the demo's payrolls.
    PayrollModuleTest() : WithPayrollModule(test::kDemo2007WithoutPayrolls, payrollModuleOptions()) {}

    // The open period (the year folder stays 2007's).
    void setPeriod(int month, int year = 2007) { demo.setPeriod(year, month); }

    // Inserts the payroll of the open month for a demo employee; the clerk's inputs are
    // the full working month (unless given) before the post.
    void newPayroll(const DemoEmployee &e, std::optional<double> days = std::nullopt)
    {
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        db::Table &t = dmv->TVYP_;
        t.insert();
        const double fund = t.fieldByName("V_fmes").asFloat();
        const double d = days.value_or(fund);
        t.setValue("V_den", d);
        t.setValue("V_hodina", d * t.fieldByName("F_doba").asFloat());
        t.post();
    }

    // Every stored field of every payroll record of a month, by employee.
    std::map<int, QVariantList> storedMonth(int period)
    {
        std::map<int, QVariantList> rows;
        const db::SqlResult r =
            session.run("select * from \":tarix_data:vyp\" where v_obdobie = :p order by code_emp", {{"p", period}});
        for (int i = 0; i < r.rowCount(); ++i) {
            QVariantList values;
            for (int c = 0; c < r.columnCount(); ++c)
                values << r.value(i, c);
            rows[int(r.asInteger(i, 0))] = values;
        }
        return rows;
    }

    db::SqlResult payroll(int codeEmp, int period)
    {
        return session.run("select * from \":tarix_data:vyp\" where code_emp = :e and v_obdobie = :p",
                           {{"e", codeEmp}, {"p", period}});
    }

    int count(const QString &sql, const db::Params &params = {})
    {
        return int(session.run(sql, params).asInteger(0, 0));
    }
};

} // namespace tarix::payroll::testing
