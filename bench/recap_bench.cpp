// The cost recapitulation of a 10,000-employee firm: the month's lines computed without
// writing nakl (every statement it reads computed once), and the twelve months of a year one
// after the other, as the Zefir export computes them. The program's target: one month
// under 0.5 s.
#include <benchmark/benchmark.h>

#include "core/helpers/parameters.h"
#include "payroll/dm_v.h"
#include "platform/ui/scripted_user_interface.h"
#include "reports/recap/rexnz.h"
#include "bench_firm.h"
#include "bench_main.h"


using namespace tarix;

namespace {

reports::TMyReportParam request(int obdobie)
{
    reports::TMyReportParam p;
    p.Kod_zostavy = QStringLiteral("NZ");
    p.Obdobie = p.Obdobie_od = p.Obdobie_do = obdobie;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    return p;
}

void BM_CostRecapitulation(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 3, 3, 99});
    bench::PayrollModule dmv;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    size_t riadky = 0;
    for (auto _ : state)
        riadky = reports::REXNZ::Vypocet_rekapitulacie(firma.session, request(200703), false).size();
    state.counters["lines"] = double(riadky);
}

void BM_CostRecapitulationYear(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 1, 12, 99});
    bench::PayrollModule dmv;
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    size_t riadky = 0;
    for (auto _ : state) {
        riadky = 0;
        for (int m = 1; m <= 12; ++m)
            riadky += reports::REXNZ::Vypocet_rekapitulacie(firma.session, request(200700 + m), false).size();
    }
    state.counters["lines"] = double(riadky);
}

BENCHMARK(BM_CostRecapitulation)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostRecapitulationYear)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
