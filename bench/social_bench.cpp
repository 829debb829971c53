// The monthly social-insurance statement of a 10,000-employee firm: the totals of a month
// per fund and centre, and the form-data file "SP_PDF" built and written. The program's
// target: under 0.5 s.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/shell/atomic_file.h"
#include "reports/social/sp2005vy.h"
#include "support/demo_context.h"
#include "support/installation.h"

#include <QCoreApplication>
#include <cmath>
#include <QTemporaryDir>

using namespace tarix;

namespace {

constexpr int kObdobie = 200703;

// The demo installation whose firm has payroll records of `count` employees in March
// 2007, spread over 99 centres.
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
        for (int i = 1; i <= count; ++i) {
            const double b = 15000 + (i * 37) % 20000;
            session.execute(
                "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
                "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, "
                "u_garancne, u_rezerva, u_zdrav1, u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, "
                "u_dochod2, u_fondzam2, f_nd_pocita, n_brutto, o_nemoc, o_dochod, o_fondzam, o_invalid, "
                "oz_nemoc, oz_dochod, oz_fondzam, oz_invalid, oz_uraz, oz_rezerva, oz_garancne) values "
                "(:c, :o, 2007, 3, :s, 0, 0, 0, 0, 1, 1, 1, :f, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :b, "
                ":n, :d, :fz, :i, :n, :zd, :fz, :i, :u, :r, :g)",
                {{"c", i},
                 {"o", kObdobie},
                 {"s", 1 + i % 99},
                 {"f", i % 7 ? 1 : 0},
                 {"b", b},
                 {"n", std::ceil(b * 0.014)},
                 {"d", std::ceil(b * 0.04)},
                 {"fz", std::ceil(b * 0.01)},
                 {"i", std::ceil(b * 0.03)},
                 {"zd", std::ceil(b * 0.14)},
                 {"u", std::ceil(b * 0.008)},
                 {"r", std::ceil(b * 0.0475)},
                 {"g", std::ceil(b * 0.0025)}},
                core::kAliasData);
        }
        t.commit();
    }
    ~Firma() { demo.close(); }
};

void BM_SocialStatement(benchmark::State &state)
{
    Firma firma(int(state.range(0)));
    QTemporaryDir out;
    const QString file = out.filePath("MesVykPCB_200703.xfdf");
    reports::TMyReportParam p;
    p.Obdobie = kObdobie;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    double spolu = 0;
    for (auto _ : state) {
        const auto s = reports::SP2005VY::Vypocitaj_sucty(firma.session, kObdobie, 1, 99);
        const auto h = reports::SP2005VY::Nacitaj_hlavicku(firma.session);
        shell::writeFileAtomically(file, reports::SP2005VY::Xfdf_vykazu(p, s, h, QStringLiteral("MesVykPCB_web.pdf")));
        spolu = s(0, reports::SP2005VY::kSpolu);
    }
    state.counters["total_premiums"] = spolu;
}

BENCHMARK(BM_SocialStatement)->Arg(10000)->Unit(benchmark::kMillisecond);

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
