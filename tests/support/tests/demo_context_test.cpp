// The demo context: the session on the firm, year and private folder, the period stored,
// the data modules made in the program's order and freed in reverse, and nothing of the
// firm left in the process once it is closed.
#include "support/demo_context.h"
#include "support/demo_firm_test.h"
#include "support/installation.h"
#include "support/setup_failure.h"

#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "core/helpers/parameters.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include <gtest/gtest.h>

using namespace tarix;

namespace {

class DemoContextTest : public test::ScriptedTest<> {
protected:
    void SetUp() override { inst.install({true, 2006, 2007}); }
    void TearDown() override
    {
        demo.close();
        test::ScriptedTest<>::TearDown();
    }

    test::Installation inst;
    test::DemoContext demo;
};

TEST_F(DemoContextTest, OpensTheFirmAndYearForThePeriod)
{
    test::DemoOptions o;
    o.year = 2006;
    o.month = 11;
    o.centre = 2;
    o.parameters = true;
    demo.open(inst, o);

    db::Session &s = demo.session();
    EXPECT_EQ(db::Session::defaultSession(), &s);
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_DATA")), QDir(inst.firmFolder(1)));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_COMM")), QDir(inst.yearFolder(2006)));
    EXPECT_EQ(QDir(s.aliasFolder("TARIX_PRIV")), QDir(inst.privateFolder()));
    ASSERT_TRUE(core::hasDM());
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200611);
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 2);
    EXPECT_NE(MyConsts::Parametre(28).Id, 0);
    EXPECT_TRUE(QFileInfo::exists(inst.filePath("PARAM.INI")));

    // A later period; the centre stays unless given.
    core::DM().TPRIV_.open();
    demo.setPeriod(2006, 12);
    EXPECT_EQ(core::DM().TPRIV_.fieldByName("MESIAC").asInteger(), 12);
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 2);
    demo.setPeriod(2006, 12, 0);
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 0);

    demo.close();
    EXPECT_FALSE(core::hasDM());
    EXPECT_EQ(db::Session::defaultSession(), nullptr);
    EXPECT_EQ(MyConsts::Parametre(28).Id, 0);
}

TEST_F(DemoContextTest, ModulesAreMadeInOrderAndFreedInReverse)
{
    QStringList steps;
    auto step = [&](const QString &name, std::function<void()> real) {
        return [&steps, name, real] {
            steps << name;
            real();
        };
    };
    test::DemoOptions o;
    o.modules = {{step("+DM", core::createDM), step("-DM", core::destroyDM)},
                 {step("+DMZ", core::createDMZ), step("-DMZ", core::destroyDMZ)}};
    o.registerTables = true;
    demo.open(inst, o);
    EXPECT_EQ(steps, (QStringList{"+DM", "+DMZ"}));
    // The registry knows the tables of the modules made.
    EXPECT_NE(std::ranges::find(core::DMA().tables(), &core::DMZ().TZAM_), core::DMA().tables().end());

    demo.close();
    EXPECT_EQ(steps, (QStringList{"+DM", "+DMZ", "-DMZ", "-DM"}));
    // ... and keeps none of them afterwards.
    EXPECT_TRUE(core::DMA().tables().empty());
}

TEST_F(DemoContextTest, AFirmThatIsNotThereFailsTheOpening)
{
    test::DemoOptions o;
    o.firm = 5;
    o.modules = {};
    try {
        demo.open(inst, o);
        ADD_FAILURE() << "opened a firm that is not installed";
    } catch (const test::SetupFailure &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("firm 5")) << e.what();
    }
    test::Installation empty;
    EXPECT_THROW(demo.open(empty, {}), test::SetupFailure);
}

} // namespace
