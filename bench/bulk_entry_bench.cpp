// Speed (wall-clock time) of bulk monthly entry on a large firm: 10,000 generated employees
// (copies of the demo firm's ten kinds) in an installation made in a temporary folder.
// BM_BulkEntry/10000 fills the scratch table for January 2007 (no payrolls yet: one empty
// row per active employee), types a full month into every row and posts them all, each
// payroll created and computed through the payroll table's post (target: under 5 seconds).
// BM_BulkEntryExisting/10000 does the same once the month's payrolls exist (each row edits
// and recomputes its payroll). items_per_second is payroll records posted per second.
#include "core/dm_main.h"
#include "core/helpers/parameters.h"
#include "core/session.h"
#include "payroll/dm_v.h"
#include "payroll/ini_settings.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_context.h"
#include "support/installation.h"
#include "bench_main.h"
#include "payroll_firm.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

using namespace tarix;

namespace {

struct Firm {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();
    ui::ScriptedUserInterface ui;
    std::unique_ptr<ui::ScopedUserInterface> scope;
    std::unique_ptr<payroll::TDMV> dmv;
    int employees = 0;

    explicit Firm(int count) : employees(count)
    {
        // January 2007 starts without payrolls: the installation without the demo's payrolls.
        dir.install(test::kDemo2007WithoutPayrolls);
        scope = std::make_unique<ui::ScopedUserInterface>(ui);
        test::DemoOptions options;
        options.parameters = true;
        demo.open(dir, options);
        // Every copy active from before the month, so that each one gets a row.
        const QString s = bench::copyDemoEmployees(session, count);
        session.executeRaw(QString("DELETE FROM %1.zam WHERE Code_emp <= 10; UPDATE %1.zam SET vystup = NULL, "
                                   "nastup = '2000-01-01', vyhl = 1, dan_zrazkou = 0; UPDATE %1.inf SET datum_uzav = NULL")
                               .arg(s));
        setSettings(payroll::IniSettings{});
        dmv = std::make_unique<payroll::TDMV>();
        dmv->TVYP_.open();
    }

    ~Firm()
    {
        dmv.reset();
        demo.close();
    }

    void clearMonth()
    {
        dmv->TVYP_.close();
        session.execute("delete from \":tarix_data:vyp\" where v_obdobie = 200701");
        session.execute("delete from \":tarix_data:zrv\" where v_obdobie = 200701");
        dmv->TVYP_.open();
    }

    // What the clerk types: a full month for everyone, in one statement (not measured as
    // the program's work, but kept in the run as the step between fill and post).
    void typeMonth()
    {
        dmv->THSV_.close();
        session.execute("update \":tarix_priv:hsv\" set v_den = 22, v_hodina = 176");
        dmv->THSV_.open();
    }
};

void BM_BulkEntry(benchmark::State &state)
{
    Firm f(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        f.clearMonth();
        state.ResumeTiming();
        f.dmv->Napln_hsv();
        f.typeMonth();
        f.dmv->Uctuj_hsv();
        if (f.dmv->Pocet_zauctovanych != f.employees)
            throw std::runtime_error("not every row was posted");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("items_per_second = payroll records filled and posted/second");
}
BENCHMARK(BM_BulkEntry)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The same month again once its payrolls exist: each row edits and recomputes its payroll.
void BM_BulkEntryExisting(benchmark::State &state)
{
    Firm f(int(state.range(0)));
    f.dmv->Napln_hsv();
    f.typeMonth();
    f.dmv->Uctuj_hsv();
    for (auto _ : state) {
        f.dmv->Napln_hsv();
        f.typeMonth();
        f.dmv->Uctuj_hsv();
        if (f.dmv->Pocet_zauctovanych != f.employees)
            throw std::runtime_error("not every row was posted");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetLabel("items_per_second = payroll records filled and posted again/second");
}
BENCHMARK(BM_BulkEntryExisting)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
