// The social insurer's filings of a 10,000-employee firm: the XML statement with its annex
// and check file written (BM_SpXmlStatement, target under 2 s), and the annex as form-data
// pages of eight employees (BM_SpAnnexPages).
#include <benchmark/benchmark.h>

#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/form_data_pages.h"
#include "core/helpers/output_file.h"
#include "core/session.h"
#include "filings/rex_sp_xml.h"
#include "platform/db/session.h"
#include "reports/social/sp2005pr.h"
#include "support/demo_context.h"
#include "support/installation.h"
#include "bench_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>

using namespace tarix;

namespace {

constexpr int kObdobie = 200703;

// The demo installation whose firm has `count` employees (copies of its first one) with
// payroll records in March 2007, spread over 99 centres; the program folder is the
// installation's, the firm's output folder a folder of its own.
struct Firma {
    test::Installation dir;
    test::DemoContext demo;
    db::Session &session = demo.session();
    QTemporaryDir vystupy;
    core::AppPaths povodne = core::appPaths();

    explicit Firma(int count)
    {
        // The firm's March 2007 is generated here: the installation without the demo's payrolls.
        dir.install(test::kDemo2007WithoutPayrolls);
        test::DemoOptions options;
        options.modules = {};
        demo.open(dir, options);
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        MyConsts::setOutputFolder(vystupy.path() + u'/');
        db::Transaction t(&session);
        session.execute("delete from vyp", {}, core::kAliasData);
        session.execute("create temp table zam_vzor as select * from \":tarix_data:zam\" where code_emp=1");
        session.execute("delete from \":tarix_data:zam\"");
        for (int i = 1; i <= count; ++i) {
            session.execute("update zam_vzor set code_emp=:c, born_numb=:r", {{"c", i}, {"r", QString::number(7000000000LL + i)}});
            session.execute("insert into \":tarix_data:zam\" select * from zam_vzor");
            const double b = 15000 + (i * 37) % 20000 + 0.5;
            session.execute(
                "insert into vyp (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, f_typ_premii, "
                "f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_invalid, u_uraz, "
                "u_garancne, u_rezerva, u_zdrav1, u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, "
                "u_dochod2, u_fondzam2, f_nd_pocita, n_brutto, n_zaklad_np, n_zaklad_dp, n_zaklad_up, "
                "o_nemoc, o_dochod, o_fondzam, o_invalid, oz_nemoc, oz_dochod, oz_fondzam, oz_invalid, oz_uraz, "
                "oz_rezerva, oz_garancne, v_kal_dni, v_nepoisteny, vynimka_vz) values "
                "(:c, :o, 2007, 3, :s, 0, 0, 0, 0, 1, 1, 1, :f, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :b, :b, :b, :b, "
                ":n, :d, :fz, :i, :n, :zd, :fz, :i, :u, :r, :g, 31, 0, 'N')",
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
    ~Firma()
    {
        MyConsts::setOutputFolder(QString());
        core::setAppPaths(povodne);
        demo.close();
    }

    // Removes what a run wrote, so that every run writes number 001 and new pages.
    static void vycisti(const QString &folder)
    {
        QDir d(folder);
        for (const QString &f : d.entryList(QDir::Files))
            d.remove(f);
    }
};

reports::TMyReportParam poziadavka(const char *kod)
{
    reports::TMyReportParam p;
    p.Kod_zostavy = QString::fromLatin1(kod);
    p.Obdobie = kObdobie;
    p.Stredisko_od = 1;
    p.Stredisko_do = 99;
    p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
    return p;
}

void BM_SpXmlStatement(benchmark::State &state)
{
    Firma firma(int(state.range(0)));
    const QString vystupy = MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs);
    qint64 bajty = 0;
    for (auto _ : state) {
        const QString xml = filings::RexSpXml::writeStatement(poziadavka("SPXML/2.5"), firma.session);
        state.PauseTiming();
        bajty = QFileInfo(xml).size();
        Firma::vycisti(vystupy);
        state.ResumeTiming();
    }
    state.counters["xml_bytes"] = double(bajty);
}

void BM_SpAnnexPages(benchmark::State &state)
{
    Firma firma(int(state.range(0)));
    QTemporaryDir frm;
    const QString formular = frm.filePath("file_ext_document_278.pdf");
    QFile f(formular);
    f.open(QIODevice::WriteOnly);
    f.close();
    const reports::TMyReportParam p = poziadavka("SP_PDF_PR");
    int strany = 0;
    for (auto _ : state) {
        const auto riadky = reports::REXSP1P::attachmentRows(firma.session, kObdobie, 1, 99);
        const auto h = reports::SP2005VY::loadHeading(firma.session);
        strany = MyConsts::writeFormDataPages(reports::SP2005PR::statementPages(p, h, riadky, formular)).pages;
        state.PauseTiming();
        Firma::vycisti(MyConsts::outputFolder());
        state.ResumeTiming();
    }
    state.counters["pages"] = strany;
}

BENCHMARK(BM_SpXmlStatement)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpAnnexPages)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
