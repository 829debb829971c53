// The payslips of a 1,000-employee month from the firm's database to one PDF: the query
// with its calculated fields (and the holiday query per row), the prepared pages and the
// written file. The program's target: under 5 seconds.
#include <benchmark/benchmark.h>

#include "core/session.h"
#include "platform/db/session.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "reports/payslips/vyplatna_paska.h"
#include "support/demo_context.h"
#include "support/installation.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace tarix;

namespace {

constexpr int kObdobie = 200703;

// A demo installation whose firm has `count` employees, each with payroll records of the
// first three months of 2007.
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
                "insert into zam (code_emp, code_numb, sid, title, name, surname, born_numb, zamestnanie, nastup, "
                "typzec, fz_hlavne, zps, ztp, vyhl, rzp, fixny_mv_plat, holiday, holiday_old, spor_plat, u_zdrav, "
                "u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, u_rezerva, u_garancne, vynimka_vz) values "
                "(:c, :n, :s, :t, :m, :p, :r, 'robotník', '2001-01-01', 1, 1, 0, 0, 0, 0, 0, 25, :h, 1, 1, 1, "
                "1, 1, 1, 1, 1, 1, '0')",
                {{"c", i},
                 {"n", 1000 + i},
                 {"s", 1 + i % 3},
                 {"t", i % 9 == 0 ? QVariant("Ing.") : QVariant()},
                 {"m", QString::fromUtf8(mena[i % 7])},
                 {"p", QString::fromUtf8(priezviska[i % 12]) + QString::number(i)},
                 {"r", QStringLiteral("75%1").arg(i, 8, 10, QLatin1Char('0'))},
                 {"h", i % 5}},
                core::kAliasData);
        for (int i = 1; i <= count; ++i)
            for (int mesiac = 1; mesiac <= 3; ++mesiac) {
                const double brutto = 15000 + (i * 37) % 20000 + 0.5 * mesiac;
                session.execute(
                    "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
                    "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, u_nemoc1, "
                    "u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita, u_sds, "
                    "v_fmes, v_den, v_hodina, v_holiday, mv_plat, v_plat, n_mzda, n_premie, n_brutto, "
                    "f_zdravot, f_nemoc, f_dochod, f_fondz, f_invalid, o_zdravot, o_nemoc, o_dochod, o_fondzam, "
                    "o_invalid, n_poist, fz_zdravot, fz_nemoc, fz_dochod, fz_fondz, fz_invalid, oz_zdravot, "
                    "oz_nemoc, oz_dochod, oz_fondzam, oz_invalid, oz_uraz, oz_rezerva, oz_garancne, "
                    "n_zaklad_zp, n_zaklad_np, n_zaklad_dp, d_ciastzd, nc_minimum, d_zdanmzda1, d_preddavok, "
                    "n_netto, ne_stravne, ne_zaloha, vyplata, kzp, vh_nadcas, vp_nadcas) values "
                    "(:c, :o, 2007, :m, :s, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :sds, "
                    "21, 20, 160, :dov, :b, :b, :b, 0, :b, 4, 1.4, 4, 1, 3, :oz, :on, :od, :of, :oi, :np, "
                    "10, 1.4, 14, 1, 3, :zz, :zn, :zd, :zf, :zi, :zu, :zr, :zg, :b, :b, :b, :cz, 3000, :zm, "
                    ":pr, :nt, 220, 0, :vy, 25, 4, 300)",
                    {{"c", i},
                     {"o", 200700 + mesiac},
                     {"m", mesiac},
                     {"s", 1 + i % 3},
                     {"sds", i % 2},
                     {"dov", double(i % 3)},
                     {"b", brutto},
                     {"oz", brutto * 0.04},
                     {"on", brutto * 0.014},
                     {"od", brutto * 0.04},
                     {"of", brutto * 0.01},
                     {"oi", brutto * 0.03},
                     {"np", brutto * 0.134},
                     {"zz", brutto * 0.1},
                     {"zn", brutto * 0.014},
                     {"zd", brutto * 0.14},
                     {"zf", brutto * 0.01},
                     {"zi", brutto * 0.03},
                     {"zu", brutto * 0.008},
                     {"zr", brutto * 0.0475},
                     {"zg", brutto * 0.0025},
                     {"cz", brutto * 0.866},
                     {"zm", brutto * 0.866 - 3000},
                     {"pr", (brutto * 0.866 - 3000) * 0.19},
                     {"nt", brutto * 0.866 - (brutto * 0.866 - 3000) * 0.19},
                     {"vy", brutto * 0.866 - (brutto * 0.866 - 3000) * 0.19 - 220}},
                    core::kAliasData);
            }
        t.commit();
    }
    ~Firma() { demo.close(); }
};

void BM_PayslipsOfAMonthToPdf(benchmark::State &state)
{
    const int count = int(state.range(0));
    Firma firma(count);
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
        form.Nastav_tlacove_volby();
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
