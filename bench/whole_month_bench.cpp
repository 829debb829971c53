// A whole month of a 10,000-employee firm over 99 cost centres and five health insurers,
// from the payrolls' creation to the last payslip, as a clerk runs it:
//  create        a payroll per employee, all in one transaction (as a bulk run makes them)
//  recalculate   the batch recalculation of the month
//  social        the social statement's totals and form data, its XML with the check file,
//                and the annex as form-data pages
//  health        the insurers' statements and their 514 batch files
//  cost_recap    the cost recapitulation written into nakl
//  payment_order a payment order's items generated from the month, and both bank files
//  payroll_list  the payroll list VL to PDF
//  payslips      every payslip of the month to one PDF
// Each step's wall time is a counter (ms), with R: the raw floor (BM_RawSqliteUpdate of
// bench_payroll_month_bench) measured on the same firm in the same run, and the whole month
// in units of R.
#include "bench_firm.h"
#include "bench_main.h"
#include "payroll_firm.h"

#include "core/helpers/app_paths.h"
#include "core/helpers/file_choice.h"
#include "core/helpers/form_data_pages.h"
#include "core/helpers/output_file.h"
#include "filings/bank_files.h"
#include "filings/payment_orders.h"
#include "filings/rex_sp_xml.h"
#include "filings/rex_zp_txt.h"
#include "platform/report/qt/preview.h"
#include "platform/report/render.h"
#include "platform/shell/atomic_file.h"
#include "reports/health/zp2005vy.h"
#include "reports/lists/report_pay_list.h"
#include "reports/payslips/report_payslip.h"
#include "reports/recap/rexnz.h"
#include "reports/social/sp2005pr.h"
#include "reports/social/sp2005vy.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>

using namespace tarix;
using namespace tarix::bench;

namespace {

constexpr int kPeriod = 200701;
constexpr int kCentres = 99;

// The firm of the payroll-month benchmarks spread over the centres and insurers, with the
// accounts of a payment order and the program's output folders in a folder of their own.
struct WholeMonthFirm {
    Firm firm;
    PayrollModule reportsDmv; // the statements ask the process-wide payroll module
    QTemporaryDir outputs;
    core::AppPaths previousPaths = core::appPaths();

    WholeMonthFirm()
    {
        db::Session &s = firm.session;
        s.execute(QStringLiteral("update zam set sid = 1 + code_emp % %1, kzp = case code_emp % 5 when 0 then 21 "
                                 "when 1 then 23 when 2 then 24 when 3 then 25 else 26 end")
                      .arg(kCentres),
                  {}, core::kAliasData);
        preparePaymentOrder(s, {21, 23, 24, 25, 26});
        core::setAppPaths(core::deriveAppPaths(firm.dir.root(), QString(), QString()));
        MyConsts::setOutputFolder(outputs.path() + u'/');
        // The insurer's PDF form the annex pages name must exist.
        QDir().mkpath(QFileInfo(reports::SP2005PR::pdfTemplate()).absolutePath());
        QFile form(reports::SP2005PR::pdfTemplate());
        form.open(QIODevice::WriteOnly);
    }
    ~WholeMonthFirm()
    {
        MyConsts::setOutputFolder(QString());
        core::setAppPaths(previousPaths);
    }

    // What a run wrote, removed, so that every run writes the same files anew.
    void clearOutputs()
    {
        for (const QString &folder : {outputs.path(), MyConsts::outputFolderFor(MyConsts::OutputPlace::ProgramOutputs)})
            QDir(folder).removeRecursively();
        QDir().mkpath(outputs.path());
    }
};

reports::TMyReportParam request(const char *code)
{
    reports::TMyReportParam p;
    reports::Priprav_parametre_zostavy(p);
    p.Kod_zostavy = QString::fromLatin1(code);
    p.Obdobie = p.Obdobie_od = p.Obdobie_do = kPeriod;
    p.Stredisko_od = 1;
    p.Stredisko_do = kCentres;
    p.Text_firmy = QStringLiteral("DEMO STAV, s.r.o.");
    p.Vykaz_zostavil = QStringLiteral("Mária Šťastná");
    return p;
}

void socialStatements(db::Session &s)
{
    const reports::TMyReportParam p = request("SP_PDF");
    const auto totals = reports::SP2005VY::computeTotals(s, kPeriod, 1, kCentres);
    const auto heading = reports::SP2005VY::loadHeading(s);
    const auto rows = reports::REXSP1P::attachmentRows(s, kPeriod, 1, kCentres);
    shell::writeFileAtomically(MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs) + "MesVykPCB_200701.xfdf",
                               reports::SP2005VY::statementXfdf(p, totals, heading,
                                                                reports::SP2005PR::annexPageCount(rows.size()),
                                                                QStringLiteral("MesVykPCB_web.pdf")));
    filings::RexSpXml::writeStatement(request("SPXML/2.5"), s);
    MyConsts::writeFormDataPages(
        reports::SP2005PR::statementPages(request("SP_PDF_PR"), heading, rows, reports::SP2005PR::pdfTemplate()));
}

void healthStatements(db::Session &s)
{
    benchmark::DoNotOptimize(reports::ZP2005VY::computeStatements(s, kPeriod, 1, kCentres));
    filings::RexZpTxt::writeBatch(filings::RexZpTxt::batch514(s, request("ZPTXT"), QDate(2007, 2, 10)),
                                  MyConsts::outputFolderFor(MyConsts::OutputPlace::FirmOutputs));
}

void paymentOrder(db::Session &s)
{
    filings::Parametre_hp choices;
    choices.cast_d = true;
    if (!filings::Generuj_polozky(s, 1, kPeriod, 1, kCentres, [&] { return std::optional(choices); }))
        throw std::runtime_error("the payment order's items were not generated");
    filings::writeXmlBatch(s, 1);
    filings::writeVubFile(s, 1);
}

template <class Report>
void printToPdf(const char *code, const QString &file)
{
    rpt::CapturingPreviewHost host;
    Report form;
    form.setPreviewHost(&host);
    form.Nastav_parametre(request(code));
    form.setPrintOptions();
    form.Zobraz_zostavu();
    QString error;
    if (!rpt::writePdf(host.last, file, &error))
        throw std::runtime_error(error.toStdString());
}

void BM_WholeMonth(benchmark::State &state)
{
    WholeMonthFirm w;
    Firm &f = w.firm;
    db::Session &s = f.session;
    std::vector<std::pair<const char *, double>> steps;
    for (auto _ : state) {
        state.PauseTiming();
        f.clearMonth();
        w.clearOutputs();
        steps.clear();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        const auto step = [&](const char *name, const auto &run) {
            run();
            steps.emplace_back(name, double(timer.nsecsElapsed()) / 1e6);
            timer.restart();
        };
        step("create_ms", [&] { f.makeMonth(true); });
        step("recalculate_ms", [&] { f.recalculate(); });
        step("social_ms", [&] { socialStatements(s); });
        step("health_ms", [&] { healthStatements(s); });
        step("cost_recap_ms", [&] { reports::REXNZ::Vypocet_rekapitulacie(s, request("NZ"), true); });
        step("payment_order_ms", [&] { paymentOrder(s); });
        step("payroll_list_ms", [&] { printToPdf<reports::TReportVL>("VL", w.outputs.filePath("vl.pdf")); });
        step("payslips_ms", [&] { printToPdf<reports::TReportVP2005A>("VP", w.outputs.filePath("pasky.pdf")); });
        f.ui.clearEvents();
    }
    double total = 0;
    for (const auto &[name, ms] : steps) {
        state.counters[name] = ms;
        total += ms;
    }
    // R of this run: the median of three raw passes over the month just made.
    RawCopy raw(state, f);
    std::vector<double> passes;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        raw.storeMonth(state, i % 2 ? 0.04 : 0.05, false);
        passes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(passes.begin(), passes.end());
    const double r = passes[1];
    state.counters["R_ms"] = r;
    state.counters["total_ms"] = total;
    state.counters["total_in_R"] = total / r;
}

BENCHMARK(BM_WholeMonth)->Arg(kEmployees)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks<QGuiApplication>(argc, argv); }
