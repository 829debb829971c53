// The monthly social-insurance statement of a 10,000-employee firm: the totals of a month
// per fund and centre, the annex's count of pages, and the form-data file "SP_PDF" built and
// written. The program's target: under 0.5 s.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/shell/atomic_file.h"
#include "reports/social/sp2005pr.h"
#include "reports/social/sp2005vy.h"
#include "bench_firm.h"
#include "bench_main.h"

#include <cmath>
#include <QTemporaryDir>

using namespace tarix;

namespace {

constexpr int kObdobie = 200703;

void BM_SocialStatement(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 3, 3, 99});
    QTemporaryDir out;
    const QString file = out.filePath("MesVykPCB_200703.xfdf");
    reports::TMyReportParam p;
    p.Obdobie = kObdobie;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    double spolu = 0;
    for (auto _ : state) {
        const auto s = reports::SP2005VY::computeTotals(firma.session, kObdobie, 1, 99);
        const auto h = reports::SP2005VY::loadHeading(firma.session);
        const int annexPages = reports::SP2005PR::annexPageCount(
            reports::REXSP1P::attachmentRows(firma.session, kObdobie, 1, 99).size());
        shell::writeFileAtomically(file,
                                   reports::SP2005VY::statementXfdf(p, s, h, annexPages, QStringLiteral("MesVykPCB_web.pdf")));
        spolu = s(0, reports::SP2005VY::kSpolu);
    }
    state.counters["total_premiums"] = spolu;
}

BENCHMARK(BM_SocialStatement)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
