// The demo firm's first payment order: generated for March 2007 from the payrolls the
// installation ships, it pays every levy of the month (the social insurer, each of the
// employees' health insurers, the tax office) to the accounts of the firm's bank list, with
// the amounts of the cost recapitulation, which the generation runs itself.
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "filings/payment_orders.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "platform/shell/launcher.h"
#include "support/demo_firm_test.h"

#include <map>

using namespace tarix;
using namespace tarix::filings;

namespace {

class DemoPaymentOrder : public test::DemoFirmTest<> {
protected:
    DemoPaymentOrder() : DemoFirmTest({true, 2007, 2007}, test::programOpening(3)) {}
    void SetUp() override
    {
        DemoFirmTest::SetUp();
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        ShellUtils::setStartHook([this](const QString &, const QStringList &, const QString &) {
            ++started;
            return true;
        });
        // The health statements behind the recapitulation ask the payroll module.
        payroll::createDMV();
    }
    void TearDown() override
    {
        payroll::destroyDMV();
        ShellUtils::setStartHook({});
        core::setAppPaths(m_paths);
        DemoFirmTest::TearDown();
    }
    int started = 0;

private:
    core::AppPaths m_paths;
};

TEST_F(DemoPaymentOrder, PaysTheSocialInsurerEachHealthInsurerAndTheTaxOffice)
{
    // The shipped firm has no recapitulation of its own: the generation makes it.
    ASSERT_EQ(session.run("select count(*) from \":tarix_priv:nakl\"").asInteger(0, 0), 0);
    session.execute("insert into \":tarix_data:hp1\" (hpid, por_cislo, cislo_u, banka_u, datum_splatnosti) "
                    "values (1, 1, '3621458202', '1100', '2007-04-10')");
    ASSERT_TRUE(Generuj_polozky(session, 1, 200703, 1, 99, [] { return std::optional<Parametre_hp>(Parametre_hp{}); }));
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65150)});
    EXPECT_EQ(started, 0); // every employee paid to an account has one

    // Each institution of the bank list, by its recapitulation line: one item, its amount.
    const db::SqlResult expected = session.run(
        "select y.buid_typ, y.buid_kod, y.cislo_u, y.banka_u, x.suma from \":tarix_priv:nakl\" x, "
        "\":tarix_data:cis_bu\" y where x.ident_symbol = y.buid_typ and x.ident_cislo = y.buid_kod "
        "and y.buid_typ in ('S', 'Z', 'D') order by y.buid_typ, y.buid_kod");
    std::map<QString, double> institutions;
    for (int i = 0; i < expected.rowCount(); ++i)
        institutions[expected.asString(i, 0) + expected.asString(i, 1)] = expected.asFloat(i, 4);
    // The insurers of the employees are exactly the health insurers paid.
    const db::SqlResult insurers = session.run(
        "select distinct kzp from \":tarix_data:vyp\" where v_obdobie = 200703 order by kzp");
    ASSERT_EQ(insurers.rowCount(), 3);
    std::map<QString, double> wanted{{"S0", 0}, {"D0", 0}};
    for (int i = 0; i < insurers.rowCount(); ++i)
        wanted["Z" + insurers.asString(i, 0)] = 0;
    ASSERT_EQ(institutions.size(), wanted.size());
    for (const auto &[key, amount] : institutions) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_TRUE(wanted.count(key));
        EXPECT_GT(amount, 0);
        const QString typ = key.left(1);
        const int kod = key.mid(1).toInt();
        const db::SqlResult items = session.run(
            "select h.suma from \":tarix_data:hp2\" h, \":tarix_data:cis_bu\" y where h.hpid = 1 "
            "and y.buid_typ = :t and y.buid_kod = :k and h.cislo_u = y.cislo_u and h.banka_u = y.banka_u",
            {{"t", typ}, {"k", kod}});
        ASSERT_EQ(items.rowCount(), 1);
        EXPECT_DOUBLE_EQ(items.asFloat(0, 0), amount);
    }
}

} // namespace
