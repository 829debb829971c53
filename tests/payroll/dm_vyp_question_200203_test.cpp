// A new payroll record of April to June 2002 takes its hourly average from January to
// March 2002, when the working day was still 8.5 hours: the clerk is asked whether to
// raise it by 8.5 / 8 = 1.0625. No other month asks.
#include "dm_vyp_fixture.h"

#include <QStringList>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

const QString kQuestion = QStringLiteral("Zvýšiť priemernú mzdu zamestnanca Ing. Ján Hudák vynásobením koeficientom "
                                         "1,0625 kôli zmene fondu prac.času z 8,5 na 8 hodín ?");

struct QuarterCase {
    const char *name;
    int month;                      // of 2002
    std::optional<bool> answer;     // the scripted answer; none: no question may come
    double average;                 // V_priemer1 of the new record
};

void PrintTo(const QuarterCase &c, std::ostream *os) { *os << c.name; }

class QuestionOf200203Test : public PayrollModuleTest, public ::testing::WithParamInterface<QuarterCase> {
protected:
    // A stored payroll of Ján Hudák (employee 1) with the wage and hours given.
    void storedPayroll(int period, double wage, double hours)
    {
        setPeriod(period % 100, period / 100);
        newPayroll(kDemo[0]);
        session.execute("update \":tarix_data:vyp\" set n_mzda = :w, v_hodina = :h, vh_nadcas = 0, "
                        "dan_vyrovnana = 0 where code_emp = 1 and v_obdobie = :p",
                        {{"w", wage}, {"h", hours}, {"p", period}});
    }
};

TEST_P(QuestionOf200203Test, AverageOfTheFirstQuarterOf2002IsRaisedOnlyWhenTheClerkSaysYes)
{
    const QuarterCase &c = GetParam();
    session.execute("update \":tarix_data:inf\" set holkvart = 0");
    // October to December 2001: 80 an hour.
    for (int period : {200110, 200111, 200112})
        storedPayroll(period, 16000, 200);
    // February and March 2002: 100 an hour.
    for (int period : {200202, 200203})
        storedPayroll(period, 17000, 170);
    // April 2002 for a record after June: 90 an hour (its own record was asked about the
    // quarter before).
    if (c.month > 6) {
        scripted.answerNo(kQuestion);
        storedPayroll(200204, 18000, 200);
    }
    ASSERT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    scripted.clearEvents();

    if (c.answer)
        scripted.answer(*c.answer, kQuestion);
    setPeriod(c.month, 2002);
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    dmv->TVYP_.insert();
    ASSERT_EQ(dmv->TVYP_.state(), db::DataSetState::Insert);
    EXPECT_DOUBLE_EQ(dmv->TVYP_.fieldByName("V_priemer1").asFloat(), c.average);
    EXPECT_EQ(scripted.events(ui::ScriptedUserInterface::EventKind::Question).size(), c.answer ? 1u : 0u);
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
    dmv->TVYP_.cancel();
}

INSTANTIATE_TEST_SUITE_P(
    Months, QuestionOf200203Test,
    ::testing::Values(QuarterCase{"AprilYes", 4, true, 106.25}, QuarterCase{"MayNo", 5, false, 100},
                      QuarterCase{"JuneYes", 6, true, 106.25},
                      QuarterCase{"JanuaryFromTheLastQuarterOf2001NotAsked", 1, std::nullopt, 80},
                      QuarterCase{"JulyFromTheSecondQuarterNotAsked", 7, std::nullopt, 90}),
    [](const ::testing::TestParamInfo<QuarterCase> &info) { return std::string(info.param.name); });

} // namespace
