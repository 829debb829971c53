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
#include "reports/lists/vyplatna_listina.h"
#include "support/demo_context.h"
#include "support/installation.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <ctime>
#include <map>
#include <memory>

using namespace tarix;

namespace {

// A demo installation whose firm has `count` employees, each with the twelve payroll
// records of 2007, over three cost centres.
struct Firma {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();

    explicit Firma(int count)
    {
        dir.install({true, 2007, 2007});
        test::DemoOptions options;
        options.modules = {};
        demo.open(dir, options);

        db::Transaction t(&session);
        session.execute("delete from vyp", {}, core::kAliasData);
        session.execute("delete from zam where code_emp > 10", {}, core::kAliasData);
        static const char *const priezviska[] = {"Novák", "Kováč", "Horváth", "Varga", "Tóth", "Nagy",
                                                 "Baláž", "Szabó", "Molnár", "Šimko", "Čech", "Žilinský"};
        static const char *const mena[] = {"Ján", "Peter", "Mária", "Eva", "Ľubomír", "Zuzana", "Tomáš"};
        for (int i = 11; i <= count; ++i)
            session.execute(
                "insert into zam (code_emp, code_numb, sid, name, surname, zamestnanie, nastup, typzec, fz_hlavne, "
                "zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, u_zdrav, u_nemoc, u_dochod, "
                "u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values "
                "(:c, :n, :s, :m, :p, 'robotník', '2001-01-01', 1, 1, 0, 0, 0, 0, 0, 25, 0, 1, 1, 1, 1, 1, 1, 1, "
                "1, 1, '0')",
                {{"c", i},
                 {"n", 1000 + i},
                 {"s", 1 + i % 3},
                 {"m", QString::fromUtf8(mena[i % 7])},
                 {"p", QString::fromUtf8(priezviska[i % 12]) + QString::number(i)}},
                core::kAliasData);
        for (int i = 1; i <= count; ++i)
            for (int mesiac = 1; mesiac <= 12; ++mesiac) {
                const double brutto = 15000 + (i * 37) % 20000 + 0.5 * mesiac;
                session.execute(
                    "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
                    "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, u_nemoc1, "
                    "u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita, "
                    "v_den, v_hodina, v_plat, n_brutto, o_zdravot, o_nemoc, o_dochod, n_poist, d_preddavok, "
                    "d_dan, n_netto, ne_stravne, vyplata, kzp, vh_nadcas, vp_nadcas) values "
                    "(:c, :o, 2007, :m, :s, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                    "20, 160, :b, :b, :oz, :on, :od, :np, :pr, :dd, :nt, 220, :vy, 25, 4, 300)",
                    {{"c", i},
                     {"o", 200700 + mesiac},
                     {"m", mesiac},
                     {"s", 1 + i % 3},
                     {"b", brutto},
                     {"oz", brutto * 0.04},
                     {"on", brutto * 0.014},
                     {"od", brutto * 0.04},
                     {"np", brutto * 0.134},
                     {"pr", brutto * 0.1},
                     {"dd", i % 50 == 0 ? 300.0 : 0.0},
                     {"nt", brutto * 0.766},
                     {"vy", brutto * 0.766 - 220}},
                    core::kAliasData);
            }
        t.commit();
    }
    ~Firma() { demo.close(); }
};

// CPU time of this thread, ms: the machine is shared, so wall time alone says little.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// One generated firm per size for every benchmark of the program.
Firma &firma(int count)
{
    static std::map<int, std::unique_ptr<Firma>> firmy;
    auto &f = firmy[count];
    if (!f)
        f = std::make_unique<Firma>(count);
    return *f;
}

void BM_WageRecapitulation(benchmark::State &state)
{
    Firma &f = firma(int(state.range(0)));
    const bool rok = state.range(1) != 0;
    reports::rekapitulacia::Rozsah r{.obdobieOd = rok ? 200701 : 200703, .obdobieDo = rok ? 200712 : 200703};
    int pocet = 0;
    for (auto _ : state) {
        const reports::rekapitulacia::Sumy s = reports::rekapitulacia::Rekapitulacia_miezd(f.session, r);
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
        form.Nastav_tlacove_volby();
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

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
