#pragma once
// The demo firm (years 2004 to 2007) with the payroll module, no payroll rows, the health
// statements and the insurers' batch routines registered, every preview captured and the
// firm's output folder in the test's installation. Parameter 29 (the degree of reduced
// working capacity that puts a person into group B) is 40.01 as in 2005.
#include "core/dm_main.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "reports/health/zdravotne_vykazy.h"
#include "reports/report_param.h"
#include "report_checks.h"
#include "support/demo_firm_test.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QVariantMap>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

inline test::DemoOptions healthOptions()
{
    test::DemoOptions o;
    o.modules = test::coreModules();
    o.modules.push_back({payroll::createDMV, payroll::destroyDMV});
    return o;
}

class HealthFirm : public test::DemoFirmTest<>, public ReportChecks, public ReportFiles {
protected:
    // The tests write the payroll rows of their months: the installation without the demo's
    // payrolls.
    HealthFirm() : DemoFirmTest({true, 2004, 2007, false}, healthOptions()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
        registered.keep();
        registerHealthStatements();
        MyConsts::Parametre(29).Hodnota = 40.01;
        session.execute("delete from \":tarix_data:vyp\"");
        output.set(root(), 2005);
    }
    void TearDown() override
    {
        output.reset();
        MyConsts::Parametre(29).Hodnota = 0;
        registered.restore();
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    // One payroll record; the fields the table requires are 0 unless given, the health
    // insurer 25 and no disability.
    void insertVyp(int codeEmp, int period, const QVariantMap &values)
    {
        fixtures::insertVyp(session, codeEmp, period, values, {{"KZP", 25}, {"ZPS", 0}, {"ZTP", 0}});
    }

    static TMyReportParam request(const char *kod, int period)
    {
        TMyReportParam p;
        p.Kod_zostavy = QString::fromLatin1(kod);
        p.Obdobie = period;
        p.Stredisko_od = 1;
        p.Stredisko_do = 99;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
        p.Den_textom = QStringLiteral("8.4.2005");
        p.Telefon = QStringLiteral("033/5501235");
        return p;
    }

    // Every text fits its box, and the box the page.
    static void expectFits(const rpt::PreparedReport &r) { expectFitsWithin(r, edges(200.01, 289.01)); }

    rpt::CapturingPreviewHost previewHost;
    RegisterSnapshot registered;
    OutputFolder output;
};

} // namespace tarix::reports::fixtures
