// The table registry and the SQL helper over a real installation in a temporary folder.
#include "core/data_module.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/dm_sql.h"
#include "core/module_registry.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_firm_test.h"

#include <gtest/gtest.h>

using namespace tarix;

namespace {

// A copy of the demo firm (2007) opened without any data module: each test makes the
// modules the registry asks.
class Installed : public test::DemoFirmTest<> {
protected:
    Installed() : DemoFirmTest({true, 2007, 2007}, withoutModules()) {}

    static test::DemoOptions withoutModules()
    {
        test::DemoOptions o;
        o.modules = {};
        return o;
    }
};

// A stand-in data module holding some registered tables and sources.
class FakeModule : public core::DataModule {
public:
    FakeModule(const QString &name) : DataModule(name) {}
    using DataModule::addDataSource;
    using DataModule::addScreenSources;
    using DataModule::addTable;
    using DataModule::watchTables;
};

} // namespace

TEST_F(Installed, SqlHelperReadsEveryRowAndColumnOfASelect)
{
    core::TDMSQL sql;
    sql.Vykonaj_sql(R"(select code_emp, surname, sid from ":tarix_data:zam" where code_emp = 1)");
    EXPECT_EQ(sql.Pocet_riadkov(), 1);
    EXPECT_EQ(sql.Pocet_stlpcov(), 3);
    EXPECT_EQ(sql.Prvy_riadok(1), "1");
    EXPECT_FALSE(sql.Prvy_riadok(2).isEmpty());

    // 12 months x 10 employees, 12 columns: nothing is cut at 100 rows or 10 columns.
    sql.Vykonaj_sql(R"(select a.code_emp, b.cislo, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 from ":tarix_data:zam" a, ":tarix_data:dual12" b order by a.code_emp, b.cislo)");
    EXPECT_EQ(sql.Pocet_riadkov(), 120);
    EXPECT_EQ(sql.Pocet_stlpcov(), 12);
    EXPECT_EQ(sql.Vysledok(120, 2), "12");
    EXPECT_EQ(sql.Vysledok(1, 12), "10");

    // No row: counts 0 and nothing left over from the call before.
    sql.Vykonaj_sql(R"(select surname from ":tarix_data:zam" where code_emp = -1)");
    EXPECT_EQ(sql.Pocet_riadkov(), 0);
    EXPECT_EQ(sql.Prvy_riadok(1), "");

    // Other statements are executed; a select after leading blanks is still read.
    sql.Vykonaj_sql(R"(update ":tarix_data:dual" set text="SYS")");
    EXPECT_EQ(sql.Pocet_riadkov(), 0);
    EXPECT_EQ(sql.Pocet_stlpcov(), 0);
    sql.Vykonaj_sql(R"(   SELECT text from ":tarix_data:dual")");
    EXPECT_EQ(sql.Prvy_riadok(1), "SYS");
    sql.Vykonaj_sql(R"(select count(*) from ":tarix_comm:cis_par" where id=33)");
    EXPECT_EQ(sql.Prvy_riadok(1), "0");
}

TEST_F(Installed, RegistryOpensAllOrReportsTheFirstMissingTable)
{
    FakeModule tdm("TDM");
    db::Table &privateFolderDb = tdm.addTable("TPRIV_", "TARIX_PRIV", "Priv.DB");
    db::Table &inf = tdm.addTable("TINF_", "TARIX_DATA", "Inf.db");
    db::Table &set = tdm.addTable("TSET_", "TARIX_COMM", "Setup.DB");
    tdm.addTable("TZAM_", "TARIX_DATA", "Zam.DB"); // not handed over: the registry leaves it alone
    tdm.watchTables({.firm = {&privateFolderDb, &inf, &set}});

    ASSERT_EQ(core::moduleRegistry().modules(), std::vector<core::DataModule *>{&tdm});
    core::TDMA registry;
    registry.Registruj_tabulky();
    EXPECT_EQ(registry.tables(), (std::vector<db::Table *>{&privateFolderDb, &inf, &set}));

    EXPECT_TRUE(registry.Otvor_tabulky());
    EXPECT_TRUE(set.isActive());
    EXPECT_FALSE(tdm.table("TZAM_")->isActive());
    registry.Zatvor_tabulky();
    EXPECT_FALSE(set.isActive());

    // Only the tables of the alias asked for.
    EXPECT_TRUE(registry.Otvor_tabulky("tarix_data"));
    EXPECT_TRUE(inf.isActive());
    EXPECT_FALSE(privateFolderDb.isActive() || set.isActive());
    registry.Zatvor_tabulky();

    // A year folder without the table: the first such table is named, nothing else.
    set.setTableName("Chyba.DB");
    EXPECT_FALSE(registry.Otvor_tabulky());
    const auto last = scripted.messages(ui::MessageKind::Error).last();
    EXPECT_TRUE(last.startsWith("Nepodarilo sa otvoriť súbor ")) << last.toStdString();
    // The file is the folder's database, the table inside it, and the reason follows.
    EXPECT_TRUE(last.contains("tarix.db (tabuľka Chyba.DB)")) << last.toStdString();
    EXPECT_TRUE(privateFolderDb.isActive()); // the others stay open for the caller to close
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
}

TEST_F(Installed, RegistryTakesTheTablesEachModuleHandsOverInTheOrderTheModulesWereCreated)
{
    auto first = std::make_unique<FakeModule>("A");
    FakeModule second("B");
    db::Table &zam = first->addTable("TZAM_", "TARIX_DATA", "Zam.DB");
    db::Table &vyp = second.addTable("TVYP_", "TARIX_DATA", "Vyp.DB");
    db::Table &rzp = second.addTable("TRZP_", "TARIX_DATA", "Rzp.DB");
    second.watchTables({.firm = {&vyp, &rzp}, .guarded = {&rzp}});
    first->watchTables({.firm = {&zam}, .guarded = {&zam}});

    core::TDMA registry;
    registry.Registruj_tabulky();
    EXPECT_EQ(registry.tables(), (std::vector<db::Table *>{&zam, &vyp, &rzp}));
    EXPECT_EQ(core::moduleRegistry().watchedTables().guarded, (std::vector<db::Table *>{&zam, &rzp}));

    // A module destroyed hands over nothing any more.
    first.reset();
    registry.Registruj_tabulky();
    EXPECT_EQ(registry.tables(), (std::vector<db::Table *>{&vyp, &rzp}));
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());
}

TEST_F(Installed, AModuleCannotHandOverATableThatIsNotItsOwn)
{
    FakeModule a("A"), b("B");
    db::Table &own = a.addTable("TZAM_", "TARIX_DATA", "Zam.DB");
    db::Table &other = b.addTable("TVYP_", "TARIX_DATA", "Vyp.DB");
    db::Table standalone;
    const struct {
        const char *what;
        core::WatchedTables tables;
    } cases[] = {
        {"a null table", {.firm = {&own, nullptr}}},
        {"another module's table", {.guarded = {&other}}},
        {"a table of no module", {.followingEmployee = {&standalone}}},
        {"a null table to drop", {.droppedOnStartPage = {nullptr}}},
    };
    for (const auto &c : cases) {
        EXPECT_THROW(a.watchTables(c.tables), std::logic_error) << c.what;
        EXPECT_TRUE(a.watchedTables().firm.empty()) << c.what << ": nothing handed over";
    }
    a.watchTables({.firm = {&own}});
    EXPECT_EQ(core::moduleRegistry().watchedTables().firm, std::vector<db::Table *>{&own});
}

TEST_F(Installed, SwitchingSourcesOffTouchesOnlyTheScreenSourcesEachModuleDeclares)
{
    FakeModule a("A"), b("B");
    db::Table &zam = a.addTable("TZAM_", "TARIX_DATA", "Zam.DB");
    db::DataSource &grid = a.addDataSource("DS_GRID", zam);
    db::DataSource &choice = a.addDataSource("DS_CHOICE", zam);
    db::DataSource &form = b.addDataSource("DS_FORM", b.addTable("TVYP_", "TARIX_DATA", "Vyp.DB"));
    a.addScreenSources({&grid});
    b.addScreenSources({&form});

    core::TDMA().Vypni_zdroje_dat();
    EXPECT_FALSE(grid.isEnabled());
    EXPECT_FALSE(form.isEnabled());
    EXPECT_TRUE(choice.isEnabled());
}

TEST_F(Installed, MainModuleAccessorsFollowThePeriodRow)
{
    core::TDM dm;
    struct Case {
        int rok, mesiac, sid;
        int min, max;
        const char *filter, *kratky, *nazov, *cislo;
    } cases[] = {
        {2007, 1, 0, 1, 99, "1<=sid and sid<=99", "1.2007", "JANUÁR 2007", "celá frima"},
        {2005, 3, 5, 5, 5, "5<=sid and sid<=5", "3.2005", "MAREC 2005", "stredisko č.5"},
    };
    for (const auto &c : cases) {
        session.execute("update \":tarix_priv:priv\" set rok=:p1, mesiac=:p2, sid=:p3",
                        {{"p1", c.rok}, {"p2", c.mesiac}, {"p3", c.sid}});
        for (bool open : {false, true}) {
            if (open)
                dm.TPRIV_.open();
            EXPECT_EQ(dm.Aktualne_obdobie(), c.rok * 100 + c.mesiac);
            EXPECT_EQ(dm.Min_stredisko(), c.min);
            EXPECT_EQ(dm.Max_stredisko(), c.max);
            EXPECT_EQ(dm.Filter_stredisk(), c.filter);
            EXPECT_EQ(dm.Kratky_text_obdobia(), c.kratky);
            EXPECT_EQ(dm.Nazov_obdobia(true), c.nazov);
            EXPECT_EQ(dm.Text_cisla_strediska(), c.cislo);
            dm.TPRIV_.close();
        }
    }
    session.execute("update \":tarix_priv:priv\" set sid=0");
    EXPECT_EQ(dm.Text_strediska(), "spolu celá firma");
    QString name;
    EXPECT_TRUE(dm.Nazov_strediska(1, name));
    EXPECT_FALSE(name.isEmpty());
    EXPECT_FALSE(dm.Nazov_strediska(42, name));
    EXPECT_TRUE(name.isEmpty()); // never the previous look-up's name
    session.execute("update \":tarix_priv:priv\" set rok=2007, mesiac=1, sid=0");
}
