#pragma once
// A fresh copy of the demo installation (year 2007) for each test, the firm opened in
// January with the main data module, the scripted user interface, and every preview
// captured instead of shown.
#include "core/dm_main.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "support/demo_firm_test.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarix::reports::fixtures {

class InstalledFirm : public test::DemoFirmTest<> {
protected:
    InstalledFirm() : DemoFirmTest({true, 2007, 2007}, reportsOptions()) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        rpt::setDefaultPreviewHost(&previewHost);
    }
    void TearDown() override
    {
        rpt::setDefaultPreviewHost(nullptr);
        DemoFirmTest::TearDown();
    }

    void setPeriod(int rok, int mesiac, int sid) { demo.setPeriod(rok, mesiac, sid); }

    rpt::CapturingPreviewHost previewHost;

private:
    static test::DemoOptions reportsOptions()
    {
        test::DemoOptions o;
        o.centre = 0;
        return o;
    }
};

} // namespace tarix::reports::fixtures
