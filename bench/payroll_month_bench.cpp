// Speed (wall-clock time) of the payroll data module on a month of a large firm: 10,000 generated employees
// (copies of the demo firm's ten kinds, with their standing deductions) in an installation
// made in a temporary folder. items_per_second is payroll records per second of
//  - CreateMonth: a new payroll record per employee (defaults, averages, deductions copied,
//    computed) posted through the payroll table, as the payroll screen does;
//  - RecalculateMonth: the batch recalculation of the month after a change of the year's
//    health rate, so that every record is computed and stored again (target: the month of
//    10,000 records in under 2 seconds);
//  - RecalculateUnchangedMonth: the same run when nothing changed (nothing to store).
#include "core/dm_main.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "payroll/dm_vyp.h"
#include "payroll/ini_settings.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_context.h"
#include "support/installation.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

using namespace tarix;

namespace {

constexpr int kEmployees = 10000;

struct Firm {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();
    ui::ScriptedUserInterface ui;
    std::unique_ptr<ui::ScopedUserInterface> scope;
    std::unique_ptr<payroll::TDMV> dmv;
    bool monthMade = false;

    Firm()
    {
        dir.install({true, 2007, 2007});
        scope = std::make_unique<ui::ScopedUserInterface>(ui);
        test::DemoOptions options;
        options.parameters = true;
        demo.open(dir, options);
        generateEmployees();
        dmv = std::make_unique<payroll::TDMV>();
        dmv->TVYP_.open();
    }

    ~Firm()
    {
        dmv.reset();
        demo.close();
    }

    // Employees 1..10 of the demo firm copied into codes 1001.. with personal numbers
    // 100001.., each with its standing deductions; the ten originals removed.
    void generateEmployees()
    {
        session.attach(core::kAliasData);
        const QString s = session.schemaOf(core::kAliasData);
        QStringList columns;
        for (const db::FieldDef &f : session.tableDef(core::kAliasData, "zam").fields)
            if (f.name.compare("Code_emp", Qt::CaseInsensitive) && f.name.compare("Code_numb", Qt::CaseInsensitive))
                columns << f.name;
        const QString list = columns.join(", ");
        session.executeRaw(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                   "INSERT INTO %2.zam (Code_emp, Code_numb, %3) "
                                   "SELECT 1000 + i, 100000 + i, %4 FROM n JOIN %2.zam z ON z.Code_emp = (i - 1) % 10 + 1")
                               .arg(kEmployees)
                               .arg(s, list, "z." + columns.join(", z.")));
        session.executeRaw(QString("INSERT INTO %1.zrz (Code_emp, Typ, Datum_od, Datum_do, Obdobie_od, Obdobie_do, "
                                   "Cislo_u, Banka_u, Prijemca, Suma, Typ_sumy) "
                                   "SELECT e.Code_emp, r.Typ, r.Datum_od, r.Datum_do, r.Obdobie_od, r.Obdobie_do, "
                                   "r.Cislo_u, r.Banka_u, r.Prijemca, r.Suma, r.Typ_sumy "
                                   "FROM %1.zam e JOIN %1.zrz r ON r.Code_emp = (e.Code_emp - 1001) % 10 + 1 "
                                   "WHERE e.Code_emp > 1000")
                               .arg(s));
        session.executeRaw(QString("DELETE FROM %1.zam WHERE Code_emp <= 10; DELETE FROM %1.zrz WHERE Code_emp <= 10").arg(s));
    }

    void clearMonth()
    {
        dmv->TVYP_.close();
        session.execute("delete from \":tarix_data:vyp\" where v_obdobie = 200701");
        session.execute("delete from \":tarix_data:zrv\" where v_obdobie = 200701");
        dmv->TVYP_.open();
        monthMade = false;
    }

    // Each record posted on its own (as from the payroll screen), or all in one transaction
    // (as a bulk run would).
    void makeMonth(bool oneTransaction)
    {
        std::optional<db::Transaction> tx;
        if (oneTransaction)
            tx.emplace(&session);
        db::Table &t = dmv->TVYP_;
        for (int i = 1; i <= kEmployees; ++i) {
            dmv->Nastav_zamestnanca(100000 + i, 1000 + i);
            t.insert();
            const double days = t.fieldByName("V_fmes").asFloat();
            t.setValue("V_den", days);
            t.setValue("V_hodina", days * t.fieldByName("F_doba").asFloat());
            t.post();
        }
        if (tx)
            tx->commit();
        monthMade = true;
    }

    void recalculate()
    {
        ui.answerYes().answerYes();
        if (dmv->Prepocitanie_vyplat(0) != kEmployees)
            throw std::runtime_error("the batch did not store every record");
        ui.clearEvents();
    }
};

Firm &firm()
{
    static Firm f;
    return f;
}

void BM_CreateMonth(benchmark::State &state)
{
    Firm &f = firm();
    for (auto _ : state) {
        state.PauseTiming();
        f.clearMonth();
        state.ResumeTiming();
        f.makeMonth(state.range(0) != 0);
    }
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel(state.range(0) ? "items_per_second = payroll records created/second, one transaction"
                                  : "items_per_second = payroll records created/second, each posted on its own");
}
BENCHMARK(BM_CreateMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_RecalculateMonth(benchmark::State &state)
{
    Firm &f = firm();
    if (!f.monthMade)
        f.makeMonth(true);
    int rate = 4;
    for (auto _ : state) {
        state.PauseTiming();
        rate = rate == 4 ? 5 : 4;
        f.session.execute("update \":tarix_comm:setup\" set f_zdravot = :r", {{"r", rate}});
        state.ResumeTiming();
        f.recalculate();
    }
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated and stored/second");
}
BENCHMARK(BM_RecalculateMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_RecalculateUnchangedMonth(benchmark::State &state)
{
    Firm &f = firm();
    if (!f.monthMade)
        f.makeMonth(true);
    for (auto _ : state)
        f.recalculate();
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated/second");
}
BENCHMARK(BM_RecalculateUnchangedMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::benchmark::Initialize(&argc, argv);
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
