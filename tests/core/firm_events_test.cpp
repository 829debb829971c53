// The events of the main module's own tables on an opened firm: the firm header, the tax
// bands and the period row.
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/errors.h"

using namespace tarix;

namespace {

class FirmEvents : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps none;
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, none));
        scripted.clearEvents();
    }
};

} // namespace

TEST_F(FirmEvents, FirmHeaderSplitsTheStreetAndTakesTheSurchargeKinds)
{
    core::TDM &dm = core::DM();
    dm.Text_priplatkov = "00000101";
    dm.Text_priplatkov2 = "1000000"; // not eight characters: F_TYP_PRIPL2 stays
    const qint64 kinds2 = dm.TINF_.fieldByName("F_TYP_PRIPL2").asInteger();
    dm.TINF_.edit();
    dm.TINF_.fieldByName("ADR_ULICA1").setAsString("Nám. SNP 1234/5");
    dm.TINF_.post();
    EXPECT_EQ(dm.TINF_.fieldByName("ADR_ULICA").asString(), "Nám. SNP");
    EXPECT_EQ(dm.TINF_.fieldByName("ADR_CISLO").asString(), "1234/5");
    EXPECT_EQ(dm.TINF_.fieldByName("F_TYP_PRIPL").asInteger(), 5);
    EXPECT_EQ(dm.TINF_.fieldByName("F_TYP_PRIPL2").asInteger(), kinds2);
    EXPECT_EQ(one("select adr_cislo from \":tarix_data:inf\"").toString(), "1234/5");
}

TEST_F(FirmEvents, TaxBandsAskTwiceBeforeDeletingAndStopTheGridWhileEdited)
{
    core::TDM &dm = core::DM();
    dm.DS_DZP.setEnabled(true);
    dm.DS_DZPG.setEnabled(true);
    const qint64 bands = count("select count(*) from \":tarix_comm:dzp\"");

    dm.TDZP_.append();
    EXPECT_FALSE(dm.DS_DZPG.isEnabled());
    EXPECT_EQ(dm.TDZP_.fieldByName("D_presah").asFloat(), 0.0);
    EXPECT_FALSE(dm.TDZP_.fieldByName("D_presah").isNull());
    dm.TDZP_.fieldByName("D_od").setAsFloat(999999);
    dm.TDZP_.fieldByName("D_sadzba").setAsFloat(25);
    dm.TDZP_.fieldByName("D_sumaplus").setAsFloat(1000);
    dm.TDZP_.post();
    EXPECT_TRUE(dm.DS_DZPG.isEnabled());
    EXPECT_EQ(count("select count(*) from \":tarix_comm:dzp\""), bands + 1);

    ASSERT_TRUE(dm.TDZP_.locate("D_od", {999999}));
    struct Case {
        bool first, second;
        bool deleted;
    } cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
    for (const auto &c : cases) {
        scripted.answer(c.first, Msg(65073));
        if (c.first)
            scripted.answer(c.second, QStringLiteral("Položka bude definitívne zrušená."));
        if (c.deleted) {
            dm.TDZP_.deleteRecord();
        } else {
            try {
                dm.TDZP_.deleteRecord();
                ADD_FAILURE() << "deleted without both yes";
            } catch (const EMyError &e) {
                EXPECT_EQ(e.text(), Msg(65074));
            }
        }
    }
    EXPECT_EQ(count("select count(*) from \":tarix_comm:dzp\""), bands);
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(FirmEvents, PeriodRowGivesTheCentreRange)
{
    core::TDM &dm = core::DM();
    for (int sid : {0, 5}) {
        core::setCostCenter(dm, sid);
        EXPECT_EQ(dm.TPRIV_.fieldByName("MIN_SID").asInteger(), sid ? sid : 1);
        EXPECT_EQ(dm.TPRIV_.fieldByName("MAX_SID").asInteger(), sid ? sid : 99);
    }
}
