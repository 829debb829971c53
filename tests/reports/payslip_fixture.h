#pragma once
// A fresh copy of the demo installation with the years 2004 to 2007 for each test (the firm
// opened in January 2007, without payroll rows), payroll rows written by the tests, the
// payslip routines registered and every preview captured.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "reports/payslips/report_payslip.h"
#include "reports/report_param.h"
#include "report_checks.h"
#include "support/demo_firm_test.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

class PayslipFirm : public test::DemoFirmTest<>, public ReportChecks {
protected:
    // The tests write the payroll rows of their months: the installation without the demo's
    // payrolls (no deductions of its months left behind either).
    PayslipFirm() : DemoFirmTest({true, 2004, 2007, false}, test::DemoOptions{}) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
        registered.keep();
        registerPayslips();
        MyConsts::Parametre(12).Hodnota = 0;
        session.execute("delete from \":tarix_data:vyp\"");
    }
    void TearDown() override
    {
        MyConsts::Parametre(12).Hodnota = 0;
        payroll::setSettings({});
        registered.restore();
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    // One payroll record; the fields the table requires are 0 unless given.
    void insertVyp(int codeEmp, int period, const QVariantMap &values)
    {
        fixtures::insertVyp(session, codeEmp, period, values);
    }

    void setOdstup(int value)
    {
        session.execute("update \":tarix_data:inf\" set f_odstup=:p1", {{"p1", value}});
        if (core::DM().TINF_.isActive())
            core::DM().TINF_.refresh();
    }

    static TMyReportParam request(int period)
    {
        TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("VP");
        p.Obdobie = period;
        p.Text_firmy = QStringLiteral("Demo s.r.o.");
        return p;
    }

    rpt::CapturingPreviewHost previewHost;
    // The routines the firm's fixtures register are taken out again by the tear-down.
    RegisterSnapshot registered;
};

} // namespace tarix::reports::fixtures
