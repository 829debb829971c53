// Speed of the monthly payroll calculation alone: 10,000 generated records of varied
// kinds computed from one context each run. items_per_second is records per second.
#include "payroll/calc/calculation.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace tarix::payroll;

namespace {

CalcContext benchContext()
{
    CalcContext c;
    c.Aktualne_obdobie = 200609;
    YearSetup &s = c.setup;
    s.F_PN1 = 25;
    s.F_PN2 = 55;
    s.F_NEMMAX = 2000;
    s.F_ZDRAVOT = 4;
    s.F_NEMOC = 1.4;
    s.F_DOCHOD = 4;
    s.F_FONDZ = 1;
    s.FZ_ZDRAVOT = 10;
    s.FZ_NEMOC = 1.4;
    s.FZ_DOCHOD = 14;
    s.FZ_FONDZ = 1;
    s.F_ZDRAVOT1 = 2;
    s.FZ_ZDRAVOT1 = 5;
    s.FZ_GARFOND = 0.25;
    s.F_INVALID = 3;
    s.FZ_INVALID = 3;
    s.FZ_URAZ = 0.8;
    s.FZ_REZERVA = 4.75;
    s.F_SMDANZP = 1;
    s.F_SMPREDDAV = 1;
    s.ZAOKRUH1 = -2;
    s.ZAOKRUH1SM = 2;
    s.ZAOKRUH2 = -2;
    s.ZAOKRUH2SM = 2;
    s.ZAOKRUH3SM = 2;
    s.ZAOKRUH4 = -2;
    s.ZAOKRUH10SM = 2;
    s.F_DAN_SADZBA1 = 19;
    c.firm.F_NADCAS = 25;
    c.firm.F_SOBOTA = 50;
    c.firm.F_NOC = 20;
    c.firm.F_NEMOHOL = 60;
    for (auto [id, value] : {std::pair{19, 47475.0}, {20, 25911.0}, {21, 51822.0}, {22, 51822.0},
                             {23, 7568.0}, {29, 40.0}, {30, 6900.0}, {31, 5000.0}, {33, 1.0}})
        c.params.set(id, value);
    c.taxBands = {{0, 19, 0, 0}};
    c.employee.F_doba = 8;
    c.employee.U_sds = 1;
    c.deductions = {{1, QStringLiteral("P"), 350, 0, 0}, {2, QStringLiteral("O"), 1, 1, 0}};
    return c;
}

std::vector<PayRecord> generatedRecords(int count)
{
    std::vector<PayRecord> records(count);
    for (int i = 0; i < count; ++i) {
        PayRecord &r = records[i];
        r.Code_emp = i + 1;
        r.V_obdobie = 200609;
        r.V_rok = 2006;
        r.V_mesiac = 9;
        r.Automatika = true;
        r.V_fmes = 21;
        r.V_den = 21 - i % 5;
        if (i % 3 == 0) {
            r.V_sadzba = 60 + i % 40;
            r.V_hodina = 8 * r.V_den;
        } else {
            r.MV_plat = 12000 + 37 * (i % 500);
        }
        r.F_typ_premii = i % 3;
        r.F_sadzba_premii = i % 3 == 0 ? 500 : (i % 3 == 1 ? 10 : 5);
        r.N_odmeny = (i % 7) * 250;
        r.Vh_nadcas = i % 11;
        r.Vh_noc = i % 13;
        r.V_holiday = (i % 4) * 0.5;
        r.V_sviatok = i % 2;
        r.V_nahrada_pn1 = i % 3;
        r.V_priemer2 = 400 + i % 100;
        r.U_zdrav = r.U_nemoc = r.U_dochod = r.U_fondzam = r.U_invalid = 1;
        r.U_uraz = r.U_rezerva = r.U_garancne = 1;
        r.U_nezdc = i % 4 != 0;
        r.Dan_vyrovnana = i % 17 == 0 ? 1 : 0;
        r.D_bonus_predpis = (i % 3) * 540;
        r.VYNIMKA_VZ = QStringLiteral("0");
    }
    return records;
}

void BM_PayrollCalculation(benchmark::State &state)
{
    const CalcContext context = benchContext();
    const std::vector<PayRecord> input = generatedRecords(10000);
    for (auto _ : state) {
        std::vector<PayRecord> records = input;
        for (PayRecord &r : records)
            benchmark::DoNotOptimize(Vypocet_vyplaty(r, context));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(input.size()));
    state.SetLabel("items_per_second = records/second");
}
BENCHMARK(BM_PayrollCalculation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
