// The payroll lists of a generated firm of 10,000 employees with a year of payroll records:
// the wage recapitulation of a month and of the year (the sums read without printing), and
// the summary payroll list VL of a month rendered to PDF. The program's targets: the month's
// recapitulation under 0.3 s, the year's under 2 s, VL under 5 s.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "reports/lists/rekapitulacia_miezd.h"
#include "reports/lists/report_pay_list.h"
#include "bench_firm.h"
#include "bench_main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <ctime>
#include <map>
#include <memory>

using namespace tarix;

namespace {

// CPU time of this thread, ms: the machine is shared, so wall time alone says little.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// One generated firm per size for every benchmark of the program.
bench::BenchFirm &firma(int count)
{
    static std::map<int, std::unique_ptr<bench::BenchFirm>> firmy;
    auto &f = firmy[count];
    if (!f)
        f = std::make_unique<bench::BenchFirm>(bench::BenchFirmShape{count, 1, 12, 3});
    return *f;
}

void BM_WageRecapitulation(benchmark::State &state)
{
    bench::BenchFirm &f = firma(int(state.range(0)));
    const bool rok = state.range(1) != 0;
    reports::wage_recap::RecapRange r{.obdobieOd = rok ? 200701 : 200703, .obdobieDo = rok ? 200712 : 200703};
    int pocet = 0;
    for (auto _ : state) {
        const reports::wage_recap::Sumy s = reports::wage_recap::wageRecap(f.session, r);
        pocet = s.pocet;
        benchmark::DoNotOptimize(s);
    }
    state.counters["records"] = pocet;
}

void BM_PayrollListToPdf(benchmark::State &state)
{
    firma(int(state.range(0)));
    QTemporaryDir out;
    const QString file = out.filePath("vl.pdf");
    int pages = 0;
    double prepareMs = 0, pdfMs = 0, prepareCpuMs = 0, pdfCpuMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        const double cpu0 = threadCpuMs();
        rpt::CapturingPreviewHost host;
        reports::TReportVL form;
        form.setPreviewHost(&host);
        reports::TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("VL");
        p.Obdobie = p.Obdobie_od = p.Obdobie_do = 200703;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        form.Nastav_parametre(p);
        form.setPrintOptions();
        form.Zobraz_zostavu();
        prepareMs = double(timer.restart());
        const double cpu1 = threadCpuMs();
        QString error;
        const bool written = rpt::writePdf(host.last, file, &error);
        pdfMs = double(timer.elapsed());
        prepareCpuMs = cpu1 - cpu0;
        pdfCpuMs = threadCpuMs() - cpu1;
        if (!written) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        pages = host.last.pageCount();
    }
    state.counters["pages"] = pages;
    // Where the time goes: the query and the prepared pages, and the written file.
    state.counters["prepare_ms"] = prepareMs;
    state.counters["pdf_ms"] = pdfMs;
    state.counters["prepare_cpu_ms"] = prepareCpuMs;
    state.counters["pdf_cpu_ms"] = pdfCpuMs;
}

// Month (0) and year (1).
BENCHMARK(BM_WageRecapitulation)->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PayrollListToPdf)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks<QGuiApplication>(argc, argv); }
