// Preparing and rendering to PDF a 1,000-page payslip-like report (about 60 texts and
// 40 shapes per page). The program's target: 1,000 payslips to one PDF in under 5 s.
#include <benchmark/benchmark.h>
#include "platform/report/layout.h"
#include "platform/report/prepared.h"
#include "platform/report/render.h"
#include "bench_main.h"
#include <QBuffer>
#include <QGuiApplication>

using namespace tarix::rpt;

namespace {

struct Payslips {
    ReportForm form;
    MemoryDataSource data;

    explicit Payslips(int count)
    {
        std::vector<QVariantMap> rows;
        rows.reserve(size_t(count));
        for (int i = 0; i < count; ++i) {
            QVariantMap m;
            m.insert(QStringLiteral("CALC_TMP"), QStringLiteral("Ing. Ján Novák %1").arg(i));
            m.insert(QStringLiteral("CALC_OBDOBIE"), QStringLiteral("POTVRDENIE O PRÍJMOCH A ZRÁŽKACH ZA OBDOBIE MÁJ 2005"));
            for (int f = 0; f < 30; ++f)
                m.insert(QStringLiteral("F%1").arg(f), 1000.0 + i * 1.25 + f);
            rows.push_back(m);
        }
        data.setRows(std::move(rows));
        form.mainDataSource = &data;
        Band *d = form.addBand(BandKind::Detail, 130);
        d->forceNewPage = true;
        d->addDBText(0, 0, 120, 5, &data, QStringLiteral("CALC_OBDOBIE"));
        d->addDBText(0, 5, 80, 5, &data, QStringLiteral("CALC_TMP"));
        // 28 caption + value pairs in two columns, 2 more texts in the head: 60 texts.
        for (int f = 0; f < 28; ++f) {
            const double x = (f % 2) * 95;
            const double y = 15 + (f / 2) * 7.5;
            auto *cap = d->addLabel(x + 1, y + 1, 55, 4.5, QStringLiteral("Náhrada príjmu PN %1").arg(f));
            cap->font = FontSpec{QStringLiteral("Arial Narrow"), 8};
            auto *val = d->addDBText(x + 57, y + 1, 35, 4.5, &data, QStringLiteral("F%1").arg(f), QStringLiteral("0.00"));
            val->alignment = Qt::AlignRight;
            val->font = FontSpec{QStringLiteral("Arial"), 8};
            d->addShape(x, y, 93, 6.5, ShapeType::Rectangle);
        }
        for (int s = 0; s < 12; ++s)
            d->addShape(0, 15 + s * 9, 190, 1, ShapeType::HorizontalLine);
        form.setShapePenWidths(1, 8);
    }
};

void BM_PreparePayslips(benchmark::State &state)
{
    Payslips p(int(state.range(0)));
    for (auto _ : state) {
        PreparedReport r = p.form.prepare();
        benchmark::DoNotOptimize(r.pages.size());
    }
    state.counters["pages"] = double(state.range(0));
}

void BM_PdfOfPreparedPayslips(benchmark::State &state)
{
    Payslips p(int(state.range(0)));
    const PreparedReport r = p.form.prepare();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writePdf(r, &buffer);
        state.counters["pdf_bytes"] = double(buffer.size());
    }
}

void BM_PayslipsToPdf(benchmark::State &state)
{
    Payslips p(int(state.range(0)));
    for (auto _ : state) {
        PreparedReport r = p.form.prepare();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writePdf(r, &buffer);
        benchmark::DoNotOptimize(buffer.size());
    }
}

BENCHMARK(BM_PreparePayslips)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PdfOfPreparedPayslips)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PayslipsToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks<QGuiApplication>(argc, argv); }
