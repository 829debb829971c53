// Speed (wall-clock time) of the payroll data module on a month of a large firm: 10,000 generated employees
// (copies of the demo firm's ten kinds, with their standing deductions) in an installation
// made in a temporary folder. items_per_second is payroll records per second of
//  - CreateMonth: a new payroll record per employee (defaults, averages, deductions copied,
//    computed) posted through the payroll table, as the payroll screen does;
//  - RecalculateMonth: the batch recalculation of the month after a change of the year's
//    health rate, so that every record is computed and stored again (target: the month of
//    10,000 records in under 2 seconds);
//  - RecalculateUnchangedMonth: the same run when nothing changed (nothing to store);
//  - RawSqliteUpdate: the floor the two above are measured against: the same rows of the
//    payroll table, every stored column, updated through the SQLite C API with one prepared
//    statement in one transaction, on a copy of the firm's database file in its journal mode;
//  - RawSqliteCommits: the same rows each updated in a transaction of its own: the commit
//    cost CreateMonth/0 (each record posted on its own) pays beside CreateMonth/1;
//  - OpenFirmYear: opening the firm and year (registered tables opened, upgrades checked,
//    parameters loaded) on the demo firm (0) and on the generated firm (1).
// CreateMonth/1 and RecalculateMonth run again as ".../server" on the same firm made on the
// database server of TARIX_TEST_PG (tools/pg_test_cluster.sh: a local socket; that cluster
// runs without fsync, so its commits cost less than the embedded ones on disk); without
// the variable they are skipped. There round_trips_per_record counts the exchanges with the
// server and server_cpu_s the server process's processor time per run.
// Every benchmark reports peak_rss_MB: the process's peak resident set during its runs.
#include "bench_main.h"
#include "payroll_firm.h"

using namespace tarix;
using namespace tarix::bench;

namespace {

Firm &firm()
{
    static Firm f;
    return f;
}

// The same firm on the test cluster's server; null (and the benchmark skipped) without one.
Firm *serverFirm(benchmark::State &state)
{
    if (qEnvironmentVariableIsEmpty("TARIX_TEST_PG")) {
        state.SkipWithError("no PostgreSQL test server: TARIX_TEST_PG is not set");
        return nullptr;
    }
    static Firm f(test::Backend::Server);
    return &f;
}

void createMonth(benchmark::State &state, Firm &f, bool oneTransaction)
{
    const PeakMemory peak;
    for (auto _ : state) {
        state.PauseTiming();
        f.clearMonth();
        const double cpu = f.serverCpuSeconds();
        state.ResumeTiming();
        f.makeMonth(oneTransaction);
        state.PauseTiming();
        f.serverCpu += f.serverCpuSeconds() - cpu;
        state.ResumeTiming();
    }
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel(oneTransaction ? "items_per_second = payroll records created/second, one transaction"
                                  : "items_per_second = payroll records created/second, each posted on its own");
}

void BM_CreateMonth(benchmark::State &state) { createMonth(state, firm(), state.range(0) != 0); }
BENCHMARK(BM_CreateMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void recalculateMonth(benchmark::State &state, Firm &f)
{
    if (!f.monthMade)
        f.makeMonth(true);
    const PeakMemory peak;
    int rate = 4;
    for (auto _ : state) {
        state.PauseTiming();
        rate = rate == 4 ? 5 : 4;
        f.session.execute("update \":tarix_comm:setup\" set f_zdravot = :r", {{"r", rate}});
        const double cpu = f.serverCpuSeconds();
        state.ResumeTiming();
        f.recalculate();
        state.PauseTiming();
        f.serverCpu += f.serverCpuSeconds() - cpu;
        state.ResumeTiming();
    }
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated and stored/second");
}

void BM_RecalculateMonth(benchmark::State &state) { recalculateMonth(state, firm()); }
BENCHMARK(BM_RecalculateMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();


void BM_RecalculateUnchangedMonth(benchmark::State &state)
{
    Firm &f = firm();
    if (!f.monthMade)
        f.makeMonth(true);
    const PeakMemory peak;
    for (auto _ : state)
        f.recalculate();
    peak.report(state);
    state.SetItemsProcessed(state.iterations() * kEmployees);
    state.SetLabel("items_per_second = payroll records recalculated/second");
}
BENCHMARK(BM_RecalculateUnchangedMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The month's rows stored again through the raw copy, the health rate changed at each
// run; one transaction for the whole month or one for each row.
void rawUpdates(benchmark::State &state, bool transactionPerRow)
{
    RawCopy raw(state, firm());
    if (!raw.conn)
        return;
    const PeakMemory peak;
    double rate = 0.04;
    for (auto _ : state) {
        rate = rate == 0.04 ? 0.05 : 0.04;
        raw.storeMonth(state, rate, transactionPerRow);
    }
    peak.report(state);
    raw.report(state);
}

// The raw floor: the month's rows of the payroll table, every stored column bound, updated
// by rowid through one prepared statement in one transaction of a plain SQLite connection.
void BM_RawSqliteUpdate(benchmark::State &state) { rawUpdates(state, false); }
BENCHMARK(BM_RawSqliteUpdate)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The commit cost of the month posted one record at a time (CreateMonth/0): the same rows,
// each updated in a transaction of its own, so each pays the database's commit (the
// journal written and synced, the file synced, the journal removed) and nothing else.
void BM_RawSqliteCommits(benchmark::State &state) { rawUpdates(state, true); }
BENCHMARK(BM_RawSqliteCommits)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Opening a firm and year as the program does: the registered tables opened, the data
// upgrades checked, the year's parameters loaded. 0: the demo firm of a fresh installation;
// 1: the generated firm of 10,000 employees.
void BM_OpenFirmYear(benchmark::State &state)
{
    test::DemoOptions options = firmOpening();
    options.upgrades = true;
    options.registerTables = true;
    options.openTables = true;
    std::unique_ptr<test::Installation> demoFirm;
    Firm *big = nullptr;
    if (state.range(0) == 0) {
        demoFirm = std::make_unique<test::Installation>();
        demoFirm->install({true, 2007, 2007});
    } else {
        big = &firm();
        big->closeFirm();
    }
    const test::Installation &where = big ? big->dir : *demoFirm;
    ui::ScriptedUserInterface answers;
    ui::ScopedUserInterface scope(answers);
    const PeakMemory peak;
    for (auto _ : state) {
        test::DemoContext context;
        context.open(where, options);
        state.PauseTiming();
        context.close();
        state.ResumeTiming();
    }
    peak.report(state);
    if (big)
        big->reopenFirm();
    state.SetLabel(state.range(0) ? "10,000-employee firm" : "demo firm");
}
BENCHMARK(BM_OpenFirmYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same two on the database server, named after the embedded ones; registered last, so
// that they run after every benchmark of the embedded firm (the firm on the server becomes
// the data modules' session).
// round_trips_per_record: exchanges with the server per payroll record.
// server_cpu_s: the server process's processor time in the timed runs, per run (0 when the
// server's process is not readable from here).
void countRoundTrips(benchmark::State &state, Firm &f, qint64 before)
{
    const qint64 trips = f.session.serverConnection()->roundTrips() - before;
    state.counters["round_trips_per_record"] = double(trips) / double(state.iterations() * kEmployees);
    state.counters["server_cpu_s"] = f.serverCpu / double(state.iterations());
    f.serverCpu = 0;
}

const auto *const kServerCreate =
    benchmark::RegisterBenchmark("BM_CreateMonth/1/server", [](benchmark::State &state) {
        if (Firm *f = serverFirm(state)) {
            const qint64 before = f->session.serverConnection()->roundTrips();
            createMonth(state, *f, true);
            countRoundTrips(state, *f, before);
        }
    })->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
const auto *const kServerRecalculate =
    benchmark::RegisterBenchmark("BM_RecalculateMonth/server", [](benchmark::State &state) {
        if (Firm *f = serverFirm(state)) {
            if (!f->monthMade)
                f->makeMonth(true);
            const qint64 before = f->session.serverConnection()->roundTrips();
            recalculateMonth(state, *f);
            countRoundTrips(state, *f, before);
        }
    })->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
