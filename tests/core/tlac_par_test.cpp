// The statement signatory table holds one row that is only edited.
#include "core/helpers/messages.h"
#include "firm_fixture.h"
#include "platform/errors.h"

using namespace tarix;

namespace {

class TlacPar : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps none;
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, none));
        scripted.clearEvents();
        if (!tla().isActive())
            tla().open();
    }

    db::Table &tla() { return core::DM().TTLA_; }
    qint64 rows() { return count("select count(*) from \":tarix_data:tlac_par\""); }

    template <class Fn>
    void expectRefused(Fn &&fn, int message)
    {
        try {
            fn();
            ADD_FAILURE() << "not refused";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(message));
        }
        EXPECT_EQ(tla().state(), db::DataSetState::Browse);
        EXPECT_EQ(rows(), 1);
        EXPECT_EQ(tla().recordCount(), 1);
        EXPECT_EQ(tla().fieldByName("VYKAZ_ZOSTAVIL").asString(), "Mária Šťastná");
    }
};

} // namespace

TEST_F(TlacPar, AddingAndDeletingAreRefusedAndTheRowStays)
{
    ASSERT_EQ(rows(), 1);
    expectRefused([&] { tla().insert(); }, 65078);
    expectRefused([&] { tla().append(); }, 65078);
    expectRefused([&] { tla().deleteRecord(); }, 65075);
    // Refused before any question: nothing was asked.
    EXPECT_TRUE(scripted.events().empty());
}

TEST_F(TlacPar, TheRowIsEdited)
{
    tla().edit();
    tla().fieldByName("MIESTO").setAsString("Nitra");
    tla().post();
    EXPECT_EQ(one("select miesto from \":tarix_data:tlac_par\"").toString(), "Nitra");
    EXPECT_EQ(rows(), 1);
}
