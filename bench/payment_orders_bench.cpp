// Bulk payment orders of a 10,000-employee firm: the generation of all four parts from the
// month's payroll (the account pre-check, the cost recapitulation that rewrites nakl, the
// items replaced in one transaction) and both bank files of the order. The program's
// target: under 2 s.
#include <benchmark/benchmark.h>

#include "core/helpers/app_paths.h"
#include "filings/bank_files.h"
#include "filings/payment_orders.h"
#include "payroll/dm_v.h"
#include "platform/ui/scripted_user_interface.h"
#include "bench_firm.h"
#include "bench_main.h"


using namespace tarix;

namespace {

// Every employee paid to an account, every tenth with an advance and a deduction, the
// institutions with accounts, and one order header.
void preparePayments(db::Session &s)
{
    bench::preparePaymentOrder(s, {21, 24, 25});
    db::Transaction t(&s);
    s.execute("update vyp set sporenie=vyplata, ne_zaloha=case when code_emp % 10 = 0 then 1000 else 0 end",
              {}, core::kAliasData);
    s.execute("insert into zrv (v_obdobie, code_emp, typ, cislo_u, banka_u, vsym, suma, typ_sumy, vypocitana_suma) "
              "select 200703, code_emp, 'E', '2624447774', '1100', '991', 500, 0, 500 from zam "
              "where code_emp % 10 = 0",
              {}, core::kAliasData);
    t.commit();
}

void BM_PaymentOrders(benchmark::State &state)
{
    bench::BenchFirm firma({int(state.range(0)), 3, 3, 99});
    bench::PayrollModule dmv;
    core::setAppPaths(core::deriveAppPaths(firma.dir.root(), QString(), QString()));
    preparePayments(firma.session);
    ui::ScriptedUserInterface scripted;
    ui::ScopedUserInterface scope(scripted);
    filings::Parametre_hp volby;
    volby.cast_d = true;
    int polozky = 0;
    for (auto _ : state) {
        if (!filings::Generuj_polozky(firma.session, 1, 200703, 1, 99,
                                      [&] { return std::optional<filings::Parametre_hp>(volby); })) {
            state.SkipWithError(scripted.messages().join('\n').toStdString().c_str());
            break;
        }
        filings::writeXmlBatch(firma.session, 1);
        filings::writeVubFile(firma.session, 1);
        scripted.clearEvents();
        polozky = int(firma.session.run("select count(*) from hp2", {}, core::kAliasData).asInteger(0, 0));
    }
    state.counters["items"] = polozky;
}

BENCHMARK(BM_PaymentOrders)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return tarix::bench::runBenchmarks(argc, argv); }
