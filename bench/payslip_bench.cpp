// The payslips of a 1,000-employee month from the firm's database to one PDF: the query
// with its calculated fields (and the holiday query per row), the prepared pages and the
// written file. The program's target: under 5 seconds.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "reports/payslips/report_payslip.h"
#include "bench_firm.h"
#include "bench_main.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace tarix;

namespace {

constexpr int kObdobie = 200703;

void BM_PayslipsOfAMonthToPdf(benchmark::State &state)
{
    const int count = int(state.range(0));
    bench::BenchFirm firma({count, 1, 3, 3});
    QTemporaryDir out;
    const QString file = out.filePath("pasky.pdf");
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        rpt::CapturingPreviewHost host;
        reports::TReportVP2005A form;
        form.setPreviewHost(&host);
        reports::TMyReportParam p;
        p.Kod_zostavy = QStringLiteral("VP");
        p.Obdobie = kObdobie;
        p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
        form.Nastav_parametre(p);
        form.setPrintOptions();
        form.Zobraz_zostavu();
        QString error;
        if (!rpt::writePdf(host.last, file, &error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        pages = host.last.pageCount();
        bytes = QFile(file).size();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_bytes"] = double(bytes);
}

BENCHMARK(BM_PayslipsOfAMonthToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks<QGuiApplication>(argc, argv); }
