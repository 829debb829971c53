// Speed of the amount rounding and of the number texts: every amount of a payroll run
// passes through Zaokruhli_sumu, and every report cell through formatFloat.
#include <benchmark/benchmark.h>

#include "core/helpers/rounding.h"
#include "platform/format/dates.h"
#include "platform/format/format_pattern.h"
#include "platform/format/number_format.h"

static void BM_Zaokruhli_sumu(benchmark::State &state)
{
    double v = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarix::MyConsts::Zaokruhli_sumu(-2, 2, v));
        v += 0.0137;
    }
}
BENCHMARK(BM_Zaokruhli_sumu);

static void BM_FormatFloatThousandsMask(benchmark::State &state)
{
    double v = 1234567.891;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarix::fmt::formatFloat(u"### ### ### ##0.00", v));
        v += 1.01;
    }
}
BENCHMARK(BM_FormatFloatThousandsMask);

static void BM_FormatPattern(benchmark::State &state)
{
    double v = 1234.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarix::fmt::format(u"%10.2n", {v}));
        v += 1.01;
    }
}
BENCHMARK(BM_FormatPattern);

// A message text with its values, as Msg fills it.
static void BM_FormatMessagePattern(benchmark::State &state)
{
    const QString centres = QStringLiteral("1,2,5");
    int month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarix::fmt::format(
            u"Budú vymazané všetky výplaty za mesiac %d/%d v strediskách číslo %s. Pokračovať ?",
            {month, 2006, centres}));
        month = month % 12 + 1;
    }
}
BENCHMARK(BM_FormatMessagePattern);

static void BM_ShortDate(benchmark::State &state)
{
    QDate d(2005, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarix::fmt::shortDate(d));
        d = d.addDays(1);
    }
}
BENCHMARK(BM_ShortDate);

BENCHMARK_MAIN();
