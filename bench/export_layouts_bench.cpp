// The export files of a 10,000-employee firm: a layout of eleven employee fields (a
// calculated one among them) written as CSV and SYLK; and the Zefir file of a year whose
// twelve months each hold 10,000 payrolls (twelve cost recapitulations). The program's
// targets: the export under 1 s, the Zefir file under 10 s.
#include <benchmark/benchmark.h>

#include "core/dm_main.h"
#include "core/dm_zam.h"
#include "filings/dm_tl.h"
#include "filings/zefir.h"
#include "payroll/dm_v.h"
#include "platform/db/table.h"
#include "platform/shell/atomic_file.h"
#include "platform/ui/scripted_user_interface.h"
#include "bench_firm.h"

#include <QCoreApplication>

using namespace tarix;

namespace {

// The main and employee modules over the shared firm, as the program has them.
struct CoreModules {
    CoreModules()
    {
        core::createDM();
        core::createDMZ();
    }
    ~CoreModules()
    {
        core::destroyDMZ();
        core::destroyDM();
    }
};

void BM_ExportLayout(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 3, 3, 3});
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    CoreModules modules;
    const char *const fields[] = {"Code_numb", "Title",   "Name",    "Surname", "Born_numb",     "Tp_city",
                                  "Nastup",    "MV_plat", "SID",     "VYHL",    "CALC_STREDISKO"};
    int logid = 0;
    for (const char *f : fields)
        firma.session.execute("insert into \":tarix_comm:tlac2\" (tlid, logid, fyzid, nazov, tlacit, sirka) values "
                              "(1, :l, 0, :n, 1, 20)",
                              {{"l", logid++}, {"n", QString::fromLatin1(f)}});
    db::Table &zam = core::DMZ().TZAM_;
    zam.open();
    const QString folder = firma.dir.root();
    qint64 bytes = 0;
    for (auto _ : state) {
        const filings::layout_export::LayoutFiles s =
            filings::layout_export::createLayout(zam, filings::layout_export::layoutItems(firma.session, 1));
        shell::writeFileAtomically(folder + "zostava1.CSV", s.csv);
        shell::writeFileAtomically(folder + "zostava1.SLK", s.slk);
        bytes = s.csv.size() + s.slk.size();
    }
    zam.close();
    state.counters["bytes"] = double(bytes);
}

void BM_ZefirYear(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 1, 12, 99});
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    CoreModules modules;
    // The health statement from 2005 asks the payroll module which records have the reduced rate.
    payroll::createDMV();
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = filings::Zefir::exportContent(filings::Zefir::computeFigures(firma.session, 2007)).size();
    payroll::destroyDMV();
    state.counters["bytes"] = double(bytes);
}

BENCHMARK(BM_ExportLayout)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZefirYear)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
