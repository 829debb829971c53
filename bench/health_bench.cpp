// The health insurers' statements of a 10,000-employee firm over five insurers: the
// advance statements' totals of every insurer and the 514 batch files built and written.
// The program's target: under 2 s.
#include <benchmark/benchmark.h>

#include "core/helpers/parameters.h"
#include "core/session.h"
#include "filings/rex_zp_txt.h"
#include "payroll/dm_v.h"
#include "platform/db/session.h"
#include "reports/health/zp2005vy.h"
#include "support/data_modules.h"
#include "support/demo_context.h"
#include "support/installation.h"
#include "bench_main.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tarix;

namespace {

constexpr int kObdobie = 200503;
constexpr int kPoistovne[] = {21, 23, 24, 25, 26};

// The demo installation whose firm has `count` employees with payroll records of March
// 2005, insured with five insurers, every seventh in group B.
struct Firma {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();

    explicit Firma(int count)
    {
        dir.install({true, 2005, 2005});
        test::DemoOptions options;
        options.year = 2005;
        options.modules = test::coreModules();
        options.modules.push_back({payroll::createDMV, payroll::destroyDMV});
        demo.open(dir, options);
        MyConsts::Parametre(29).Hodnota = 40.01;
        db::Transaction t(&session);
        session.execute("delete from vyp", {}, core::kAliasData);
        for (int i = 11; i <= count; ++i)
            session.execute(
                "insert into zam (code_emp, code_numb, sid, surname, name, born_numb, zamestnanie, nastup, typzec, "
                "fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, u_zdrav, u_nemoc, "
                "u_dochod, u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values (:c, :c, 1, "
                "'Zamestnanec', 'Ján', :b, 'robotník', '2000-01-01', 1, 1, 0, 0, 0, 0, 0, 25, 0, 0, 1, 1, 1, 1, 1, 1, "
                "1, 1, '0')",
                {{"c", i}, {"b", QString::number(7000000000LL + i)}}, core::kAliasData);
        for (int i = 1; i <= count; ++i) {
            const double b = 15000 + (i * 37) % 20000;
            const bool zps = i % 7 == 0;
            session.execute(
                "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
                "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, u_nemoc1, u_dochod1, "
                "u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita, kzp, zps, ztp, miera_poklesu, "
                "n_zaklad_zp, n_prijem_zp, f_zdravot, fz_zdravot, o_zdravot, oz_zdravot, v_kal_dni, v_nepoist_zp) "
                "values (:c, :o, 2005, 3, :s, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :k, 0, 0, :m, :b, :b, "
                ":f, :fz, :oz0, :oz1, 31, 0)",
                {{"c", i},
                 {"o", kObdobie},
                 {"s", 1 + i % 99},
                 {"k", kPoistovne[i % 5]},
                 {"m", zps ? 50 : 0},
                 {"b", b},
                 {"f", zps ? 2 : 4},
                 {"fz", zps ? 5 : 10},
                 {"oz0", b * (zps ? 0.02 : 0.04)},
                 {"oz1", b * (zps ? 0.05 : 0.10)}},
                core::kAliasData);
        }
        t.commit();
    }
    ~Firma()
    {
        MyConsts::Parametre(29).Hodnota = 0;
        demo.close();
    }
};

void BM_HealthBatches(benchmark::State &state)
{
    Firma firma(int(state.range(0)));
    QTemporaryDir out;
    reports::TMyReportParam p;
    p.Kod_zostavy = QStringLiteral("ZPTXT");
    p.Obdobie = kObdobie;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    double spolu = 0;
    qint64 bajty = 0;
    for (auto _ : state) {
        const std::vector<reports::HealthSums> vykazy =
            reports::ZP2005VY::computeStatements(firma.session, kObdobie, 1, 99);
        const filings::RexZpTxt::Batch d = filings::RexZpTxt::batch514(firma.session, p, QDate(2005, 4, 10));
        filings::RexZpTxt::writeBatch(d, out.path());
        bajty = 0;
        for (const filings::RexZpTxt::BatchFile &s : d.subory)
            bajty += s.obsah.size();
        spolu = 0;
        for (const reports::HealthSums &s : vykazy)
            spolu += s.grandTotal().grandTotal();
    }
    state.counters["total_advances"] = spolu;
    state.counters["batch_bytes"] = double(bajty);
}

BENCHMARK(BM_HealthBatches)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
