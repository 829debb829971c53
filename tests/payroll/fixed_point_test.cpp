// The whole calculation: one run gives the record that every further run keeps, and no
// stored amount is ever infinite or undefined.
#include "payroll_fixtures.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

const int kPeriods[] = {199906, 199912, 200005, 200306, 200312, 200401, 200412, 200503,
                        200508, 200509, 200601, 200608, 200609, 200701, 200712};

// Demo-like records of every kind the month can hold.
std::vector<std::pair<const char *, PayRecord>> demoRecords(int period)
{
    std::vector<std::pair<const char *, PayRecord>> records;
    records.emplace_back("monthly wage", monthlyRecord(period));
    records.emplace_back("hourly wage with surcharges", hourlyRecord(period));
    records.emplace_back("rich month", richRecord(period));

    PayRecord withholding = monthlyRecord(period);
    withholding.MV_plat = 4000;
    withholding.Dan_vyrovnana = 1;
    withholding.U_nezdc = false;
    records.emplace_back("withholding tax", withholding);

    PayRecord typedBases = richRecord(period);
    typedBases.Automatika = false;
    typedBases.N_zaklad_zp = 20000;
    typedBases.N_zaklad_np = 19000;
    typedBases.N_zaklad_dp = 19000;
    typedBases.N_zaklad_fz = 19000;
    typedBases.N_zaklad_poist = 5000;
    records.emplace_back("typed bases", typedBases);

    PayRecord sick = richRecord(period);
    sick.Nd_pridavky = 540;
    sick.U_materska = true;
    sick.V_materska = 5;
    sick.Cista_denna_mzda = 512.3;
    sick.PRHRMEZA = 21000;
    sick.Vyrovnanie_zp = -300;
    sick.D_vyrovnanie = 450;
    sick.Spor_plat = 1;
    records.emplace_back("sick leave and settlements", sick);

    PayRecord freeSurcharges = hourlyRecord(period);
    freeSurcharges.F_typ_pripl = 64;
    freeSurcharges.Vh_priplat2 = 6;
    records.emplace_back("mixed surcharge kinds", freeSurcharges);
    return records;
}

std::vector<CalcContext> demoContexts(int period)
{
    std::vector<CalcContext> contexts;
    CalcContext base = demoContext(period);
    base.deductions = demoDeductions();
    contexts.push_back(base);

    CalcContext byBaseWage = base;
    byBaseWage.params.set(33, 0.0);
    byBaseWage.firm.F_ND_POCITA = 1;
    byBaseWage.firm.F_TYP_PRIPL2 = 64;
    contexts.push_back(byBaseWage);

    CalcContext pieceWork = base;
    pieceWork.pieceWork = {{1, 1, 120, 35.5, 4260}, {2, 2, 14.5, 101.2, 1467.4}};
    pieceWork.params.set(26, 1.0);
    contexts.push_back(pieceWork);
    return contexts;
}

} // namespace

TEST(PayrollFixedPoint, ComputingARecordAgainChangesNoField)
{
    for (int period : kPeriods) {
        for (const CalcContext &c : demoContexts(period)) {
            for (auto [what, record] : demoRecords(period)) {
                PayRecord once = record;
                const CalcResult first = Vypocet_vyplaty(once, c);
                PayRecord twice = once;
                const CalcResult second = Vypocet_vyplaty(twice, c);
                EXPECT_EQ(twice, once) << what << " " << period;
                EXPECT_EQ(second.Vypocitana_suma, first.Vypocitana_suma) << what << " " << period;
                if (!(twice == once)) {
                    for (const auto &def : PayRecord::fields()) {
                        const QString name = QString::fromLatin1(def.name);
                        if (once.value(name) != twice.value(name))
                            ADD_FAILURE() << what << " " << period << ": " << def.name << " "
                                          << once.value(name).toString().toStdString() << " -> "
                                          << twice.value(name).toString().toStdString();
                    }
                }
                QString bad;
                EXPECT_TRUE(allFinite(once, &bad)) << what << " " << period << " " << bad.toStdString();
            }
        }
    }
}

TEST(PayrollFixedPoint, ZeroDivisorsGiveZeroNeverInfinityOrUndefined)
{
    // No working-day fund, no daily hours, no hours, no calendar days (a month that does
    // not exist), the hourly base wage as surcharge base, and percentage surcharges.
    for (int period : {200313, 200513, 200600, 200712}) {
        CalcContext c = demoContext(period);
        c.params.set(33, 0.0);
        c.employee.F_doba = 0;
        c.setup.F_NEMMAX = 1e9;
        for (auto [what, record] : demoRecords(period)) {
            record.V_fmes = 0;
            record.V_hodina = 0;
            record.V_den = 0;
            record.V_kal_dni = 0;
            record.V_priemer1 = 0;
            record.V_priemer2 = 0;
            Vypocet_vyplaty(record, c);
            QString bad;
            EXPECT_TRUE(allFinite(record, &bad)) << what << " " << period << " " << bad.toStdString();
            if (record.MV_plat > 0 && !record.Fixny_mv_plat && record.N_ukolova == 0) {
                EXPECT_EQ(record.V_plat, 0) << what << " " << period;
            }
        }
    }
}

TEST(PayrollFixedPoint, MonthWithoutCalendarDaysHasNoSocialMaxima)
{
    const CalcContext c = demoContext(200513);
    PayRecord r = monthlyRecord(200513);
    Vypocet_vyplaty(r, c);
    EXPECT_EQ(r.V_kal_dni, 0);
    EXPECT_EQ(r.N_zaklad_dp, 0);
    EXPECT_EQ(r.N_zaklad_np, 0);
    EXPECT_GT(r.N_zaklad_zp, 0);
}
