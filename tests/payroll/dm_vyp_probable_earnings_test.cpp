// The probable monthly earnings (PRHRMEZA) a new payroll record before 2004 gets from the
// employee's earlier payrolls: the whole previous year first; when that gives nothing, the
// months of the record's year before it, where an amount already stored there wins.
#include "dm_vyp_fixture.h"

#include <vector>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

// What an earlier payroll of Ján Hudák (employee 1) holds.
struct Earlier {
    int period;
    double plat, premie, odmeny, nadcas; // V_plat, N_premie, N_odmeny, N_nadcas
    double dni, sviatky;                 // V_den, V_sviatok
    double prhrmeza = 0;
    int danVyrovnana = 0;
};

struct ProbableCase {
    const char *name;
    std::vector<Earlier> earlier;
    double mvPlat;    // the employee's monthly wage, copied into the new record
    int period;       // of the new record
    double expected;  // its PRHRMEZA
};

void PrintTo(const ProbableCase &c, std::ostream *os) { *os << c.name; }

// Two months of 2002: wages 41 500 with overtime 300, premiums and rewards 1 500, 42 days
// worked or paid holiday. Without a monthly wage: (41 500 - 300) / 42 * 21.74 = 21 325.90,
// rounded up; with a monthly wage of 20 000: 20 000 + 1 500 / 42 * 21.74 = 776.43 rounded up.
const std::vector<Earlier> k2002 = {{200203, 20000, 1000, 500, 300, 20, 1}, {200211, 20000, 0, 0, 0, 19, 2}};
// The same months in 2003, with an amount stored in one of them.
const std::vector<Earlier> k2003 = {{200301, 20000, 1000, 500, 300, 20, 1, 15000},
                                    {200302, 20000, 0, 0, 0, 19, 2, 16000}};
const std::vector<Earlier> k2003NoneStored = {{200301, 20000, 1000, 500, 300, 20, 1},
                                              {200302, 20000, 0, 0, 0, 19, 2}};

template <class... Lists>
std::vector<Earlier> join(const Lists &...lists)
{
    std::vector<Earlier> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

class ProbableEarningsTest : public PayrollModuleTest, public ::testing::WithParamInterface<ProbableCase> {
protected:
    void storedPayroll(const Earlier &e)
    {
        setPeriod(e.period % 100, e.period / 100);
        newPayroll(kDemo[0]);
        session.execute("update \":tarix_data:vyp\" set v_plat = :plat, n_premie = :premie, n_odmeny = :odmeny, "
                        "n_nadcas = :nadcas, v_den = :dni, v_sviatok = :sviatky, prhrmeza = :prhrmeza, "
                        "dan_vyrovnana = :dv where code_emp = 1 and v_obdobie = :p",
                        {{"plat", e.plat},
                         {"premie", e.premie},
                         {"odmeny", e.odmeny},
                         {"nadcas", e.nadcas},
                         {"dni", e.dni},
                         {"sviatky", e.sviatky},
                         {"prhrmeza", e.prhrmeza},
                         {"dv", e.danVyrovnana},
                         {"p", e.period}});
    }
};

TEST_P(ProbableEarningsTest, NewRecordGetsTheProbableEarningsOfItsEarlierPayrolls)
{
    const ProbableCase &c = GetParam();
    for (const Earlier &e : c.earlier)
        storedPayroll(e);
    session.execute("update \":tarix_data:zam\" set mv_plat = :m where code_emp = 1", {{"m", c.mvPlat}});

    setPeriod(c.period % 100, c.period / 100);
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    dmv->TVYP_.insert();
    ASSERT_EQ(dmv->TVYP_.state(), db::DataSetState::Insert);
    EXPECT_DOUBLE_EQ(dmv->TVYP_.fieldByName("MV_plat").asFloat(), c.mvPlat);
    EXPECT_DOUBLE_EQ(dmv->TVYP_.fieldByName("PRHRMEZA").asFloat(), c.expected);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    dmv->TVYP_.cancel();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProbableEarningsTest,
    ::testing::Values(
        ProbableCase{"PreviousYearWithoutMonthlyWage", k2002, 0, 200305, 21326},
        ProbableCase{"PreviousYearWithMonthlyWage", k2002, 20000, 200305, 20777},
        // The previous year decides although the record's year has an amount stored.
        ProbableCase{"PreviousYearBeforeTheYearsStoredAmount", join(k2002, k2003), 0, 200305, 21326},
        ProbableCase{"YearsLargestStoredAmount", k2003, 0, 200305, 16000},
        ProbableCase{"YearsMonthsWithoutStoredAmount", k2003NoneStored, 20000, 200305, 20777},
        // Payrolls taxed by withholding do not count: the record's year is read instead.
        ProbableCase{"WithholdingTaxPayrollsOfThePreviousYearLeftOut",
                     join(std::vector<Earlier>{{200207, 30000, 0, 0, 0, 21, 0, 0, 1}}, k2003), 0, 200305, 16000},
        // Only the months before the record's own count, and nothing before the previous year.
        ProbableCase{"MonthsAfterTheRecordLeftOut",
                     std::vector<Earlier>{{200301, 20000, 0, 0, 0, 20, 0, 15000}, {200304, 20000, 0, 0, 0, 20, 0, 16000}},
                     0, 200303, 15000},
        ProbableCase{"TwoYearsBackLeftOut", std::vector<Earlier>{{200112, 30000, 0, 0, 0, 21, 0}}, 0, 200305, 0},
        ProbableCase{"NoEarlierPayroll", {}, 20000, 200305, 0},
        // From 2004 the new record leaves it to the clerk's monthly wage on the screen.
        ProbableCase{"NotFilledFrom2004", join(k2003), 20000, 200403, 0}),
    [](const ::testing::TestParamInfo<ProbableCase> &info) { return std::string(info.param.name); });

} // namespace
