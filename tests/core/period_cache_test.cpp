// The open period read from the closed private table is kept between calls; every way the
// Priv row can change makes the next call read it again.
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/db/table.h"

#include <functional>

using namespace tarix;

namespace {

class PeriodCache : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        FirmFixture::SetUp();
        core::OpeningSteps k;
        k.vyber_obdobia = [&] { core::confirmPeriod(core::DM(), 2007, 2007, 7, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, k));
        scripted.clearEvents();
        // The accessors read the table itself only while its dataset is closed.
        core::DM().TPRIV_.close();
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200707);
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200707); // now kept
    }
    QString privFolder() { return s().aliasFolder(QStringLiteral("TARIX_PRIV")); }
};

TEST_F(PeriodCache, EveryWriteToPrivIsSeenByTheNextCall)
{
    struct Case {
        const char *how;
        std::function<void()> setMarch;
    };
    const Case cases[] = {
        {"plain SQL of the program's dialect",
         [this] { s().execute(QStringLiteral("update \":tarix_priv:priv\" set mesiac = 3")); }},
        {"plain SQLite text",
         [this] {
             s().executeRaw(QStringLiteral("UPDATE \"%1\".priv SET mesiac = 3")
                                  .arg(s().schemaOf(QStringLiteral("TARIX_PRIV"))));
         }},
        {"another dataset on the table",
         [this] {
             db::Table other(&s());
             other.setDatabaseName(QStringLiteral("TARIX_PRIV"));
             other.setTableName(QStringLiteral("Priv.DB"));
             other.open();
             other.edit();
             other.setValue(QStringLiteral("MESIAC"), 3);
             other.post();
             other.close();
         }},
        {"another program",
         [this] { test::sqlOn(privFolder(), QStringLiteral("UPDATE priv SET mesiac = 3;")); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        s().execute(QStringLiteral("update \":tarix_priv:priv\" set mesiac = 7"));
        ASSERT_EQ(core::DM().Aktualne_obdobie(), 200707);
        c.setMarch();
        EXPECT_EQ(core::DM().Aktualne_obdobie(), 200703);
        EXPECT_EQ(core::DM().Aktualny_mesiac(), 3);
    }
}

TEST_F(PeriodCache, ARollbackBringsBackTheStoredPeriod)
{
    {
        db::Transaction tx(&s());
        s().execute(QStringLiteral("update \":tarix_priv:priv\" set rok = 2008, mesiac = 1"));
        EXPECT_EQ(core::DM().Aktualne_obdobie(), 200801);
        tx.rollback();
    }
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200707);
}

TEST_F(PeriodCache, TheOpenDatasetsEditIsReadWithoutTheKeptValue)
{
    db::Table &privateFolderDb = core::DM().TPRIV_;
    privateFolderDb.open();
    privateFolderDb.edit();
    privateFolderDb.setValue(QStringLiteral("MESIAC"), 5);
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200705);
    privateFolderDb.cancel();
    privateFolderDb.close();
    EXPECT_EQ(core::DM().Aktualne_obdobie(), 200707);
}

} // namespace
