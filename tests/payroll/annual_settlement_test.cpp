// The annual tax settlement (TRZP_): the computation by the rules of each year as one table
// of cases, the 2007 reduction of a high earner's non-taxable amounts, the pre-fill from
// the year's payrolls, and the refusals of inserting and deleting.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "platform/errors.h"

#include <utility>
#include <vector>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

using Values = std::vector<std::pair<const char *, double>>;

class AnnualSettlementTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        dmv->TRZP_.open();
    }

    // A settlement of a demo employee in insert state, pre-filled for the open year.
    void newSettlement(const DemoEmployee &e = kDemo[0])
    {
        dmv->setEmployee(e.codeNumb, e.codeEmp);
        dmv->TRZP_.insert();
    }

    double value(const char *field) { return dmv->TRZP_.fieldByName(field).asFloat(); }

    // A payroll row of the given period with the sums the settlement reads (the columns
    // the table requires set to 0).
    void payrollRow(int codeEmp, int period, const Values &values)
    {
        QStringList columns{"code_emp", "v_obdobie", "v_rok", "v_mesiac"};
        QStringList params{":code_emp", ":v_obdobie", ":v_rok", ":v_mesiac"};
        db::Params p{{"code_emp", codeEmp}, {"v_obdobie", period}, {"v_rok", period / 100}, {"v_mesiac", period % 100}};
        for (const char *required :
             {"Fixny_mv_plat", "F_typ_premii", "F_sadzba_premii", "F_typ_pripl", "U_zdrav", "U_nemoc", "U_dochod",
              "U_fondzam", "U_zdrav1", "U_nemoc1", "U_dochod1", "U_fondzam1", "U_zdrav2", "U_nemoc2", "U_dochod2",
              "U_fondzam2", "F_nd_pocita"}) {
            columns << required;
            params << QStringLiteral(":") + QString::fromLatin1(required).toLower();
            p.set(QString::fromLatin1(required).toLower(), 0);
        }
        // the sums read by the settlement are 0 unless given, as in a computed payroll
        Values all{{"D_ciastzd", 0},   {"D_ciastzd2", 0},      {"D_preddavok", 0},     {"D_dan", 0},
                   {"N_poist", 0},     {"N_ddp", 0},           {"Nc_minimum", 0},      {"Nc_deti", 0},
                   {"Nc_ine", 0},      {"D_bonus_predpis", 0}, {"D_bonus_cerpany", 0}, {"Vyrovnanie_zp", 0},
                   {"Dan_vyrovnana", 0}};
        for (const auto &[name, v] : values) {
            bool found = false;
            for (auto &a : all)
                if (QString::fromLatin1(a.first).compare(QString::fromLatin1(name), Qt::CaseInsensitive) == 0) {
                    a.second = v;
                    found = true;
                }
            if (!found)
                all.push_back({name, v});
        }
        for (const auto &[name, v] : all) {
            columns << name;
            params << QStringLiteral(":") + QString::fromLatin1(name).toLower();
            p.set(QString::fromLatin1(name).toLower(), v);
        }
        session.execute("insert into \":tarix_data:vyp\" (" + columns.join(',') + ") values (" + params.join(',') + ")",
                        p);
    }
};

// ---- the computation by the rules of each year -------------------------------------------

struct ComputationCase {
    const char *name;
    int year;
    Values inputs;
    Values expected;
};

const ComputationCase kComputation[] = {
    {"2005 savings over the cap are capped at 12000",
     2005,
     {{"Uhrn_brutto", 300000}, {"Nc_ucelove_sporenie", 8000}, {"Nc_zivotne_poistenie", 3000}, {"DDP", 2000}},
     {{"Nc_do_limitu", 12000}, {"Nc_spolu", 12000}, {"Zdanmzda", 288000}}},
    {"2005 savings under the cap count whole",
     2005,
     {{"Uhrn_brutto", 300000}, {"Nc_ucelove_sporenie", 5000}, {"Nc_zivotne_poistenie", 4000}, {"DDP", 2000}},
     {{"Nc_do_limitu", 11000}, {"Nc_spolu", 11000}}},
    {"2003 rounds the taxable income down to hundreds",
     2003,
     {{"Uhrn_brutto", 123456.78}},
     {{"Ciastzd_spolu", 123456.78}, {"Zdanmzda", 123456.78}, {"Zdanmzda_round", 123400}}},
    {"2004 truncates the base to whole crowns",
     2004,
     {{"Uhrn_brutto", 123456.78}},
     {{"Ciastzd_spolu", 123456}, {"Zdanmzda_round", 123456}, {"Dan", 23456}}}, // 19 % of 123456 = 23456.64
    {"2003 and 2004 deduct insurance and supplementary pension from the gross",
     2003,
     {{"Uhrn_brutto", 100000}, {"Poistne", 12000}, {"DDP", 1000}, {"Ciastzd2", 500}},
     {{"Ciastzd1", 87000}, {"Ciastzd_spolu", 87500}}},
    {"from 2005 the supplementary pension is a non-taxable amount, not a deduction",
     2005,
     {{"Uhrn_brutto", 100000}, {"Poistne", 12000}, {"DDP", 1000}},
     {{"Ciastzd1", 88000}, {"Nc_do_limitu", 1000}}},
    {"non-taxable amounts above the base give 0",
     2006,
     {{"Uhrn_brutto", 50000}, {"Nc_minimum", 90816}},
     {{"Zdanmzda", 0}, {"Zdanmzda_round", 0}, {"Dan", 0}}},
    {"2004 ignores the older allowances",
     2004,
     {{"Uhrn_brutto", 200000}, {"Nc_minimum", 80832}, {"Nc_partner", 1000}, {"Nc_deti", 10000},
      {"Nc_invalid_ciast", 5000}, {"Nc_invalid_ztp", 5000}, {"Nc_dary", 1000}},
     {{"Nc_spolu", 81832}}},
    {"2003 counts every allowance",
     2003,
     {{"Uhrn_brutto", 200000}, {"Nc_minimum", 80832}, {"Nc_partner", 1000}, {"Nc_deti", 10000},
      {"Nc_invalid_ciast", 5000}, {"Nc_invalid_ztp", 5000}, {"Nc_dary", 1000}},
     {{"Nc_spolu", 102832}}},
    {"from 2004 the result counts the tax bonus",
     2004,
     {{"Uhrn_brutto", 200000}, {"Nc_minimum", 80832}, {"Preddavky1", 50000}, {"Preddavky2", 10000},
      {"D_bonus_cerpany", 6000}, {"D_bonus_narok", 6480}, {"Nedoplatok_nepenaznych", 777}},
     // taxable 119168, tax 19 % = 22641.92 -> 22641; 60000 - 22641 - 6000 + 6480
     {{"Uhrn_preddavkov", 60000}, {"Dan", 22641}, {"Preplatok", 37839}, {"CALC_DAN_PREPL", 37839},
      {"CALC_DAN_NEDOPL", 0}, {"CALC_BONUS_PREPL", 480}, {"CALC_BB_PREPL", 37359}}},
    {"from 2004 an arrear shows on the arrear side",
     2007,
     {{"Uhrn_brutto", 100000}, {"Preddavky1", 15000}, {"D_bonus_cerpany", 6480}},
     // tax 19000; 15000 - 19000 - 6480 = -10480; bonus -6480; tax and bonus -4000
     {{"Preplatok", -10480}, {"CALC_DAN_NEDOPL", 10480}, {"CALC_BONUS_NEDOPL", 6480},
      {"CALC_BB_NEDOPL", 4000}, {"CALC_DAN_PREPL", 0}}},
    {"2003 subtracts the tax not withheld on non-monetary income",
     2003,
     {{"Preddavky1", 1000}, {"Nedoplatok_nepenaznych", 600}, {"Nedoplatok_nepen2", 250}, {"D_bonus_narok", 999}},
     {{"Preplatok", 150}}},
};

TEST_F(AnnualSettlementTest, ComputesByTheRulesOfItsYear)
{
    for (const ComputationCase &c : kComputation) {
        SCOPED_TRACE(c.name);
        newSettlement();
        db::Table &t = dmv->TRZP_;
        for (const char *cleared : {"Uhrn_brutto", "Poistne", "DDP", "Preddavky1", "Nc_minimum", "D_bonus_narok",
                                    "D_bonus_cerpany"})
            t.setValue(cleared, 0.0);
        t.setValue("V_rok", c.year);
        for (const auto &[name, v] : c.inputs)
            t.setValue(name, v);
        dmv->Vypocet_rocneho_zuctovania();
        for (const auto &[name, v] : c.expected)
            EXPECT_DOUBLE_EQ(value(name), v) << name;
        t.cancel();
    }
}

TEST_F(AnnualSettlementTest, Before2004TheResultShowsAsTextWithItsSign)
{
    const struct {
        double advances, arrear;
        const char *text;
    } cases[] = {{150, 0, "+ 150"}, {0, 150, "-150"}, {0, 0, "+ 0"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        newSettlement();
        db::Table &t = dmv->TRZP_;
        t.setValue("V_rok", 2003);
        t.setValue("Uhrn_brutto", 0.0);
        t.setValue("Nc_minimum", 0.0);
        t.setValue("Preddavky1", c.advances);
        t.setValue("Nedoplatok_nepenaznych", c.arrear);
        dmv->Vypocet_rocneho_zuctovania();
        t.post();
        EXPECT_EQ(t.fieldByName("CALC_PREPLATOK").asString(), QString::fromUtf8(c.text));
        EXPECT_TRUE(t.fieldByName("CALC_DAN_PREPL").isNull());
        scripted.answerYes(Msg(65057)).answerYes(Msg(65058));
        t.deleteRecord();
    }
}

// ---- 2007: the non-taxable amounts of a high earner ------------------------------------
// Data sheet, 2007: base above 498 000 -> taxpayer's amount 220 116 - base/4 (not below 0);
// base above 880 464 -> spouse amount 315 732 - base/4 - the spouse's income. The spouse
// amount entered is 95 616 - the spouse's income. Non-taxable amounts round up, tax at 19 %
// truncated.
struct HighEarnerCase {
    const char *name;
    int year;
    double base;
    double minimum;
    double partner;
    double ncSpolu;
    double dan;
};

const HighEarnerCase kHighEarner[] = {
    // 498000 - 95616 = 402384; 19 % = 76452.96
    {"at the threshold the full amount", 2007, 498000, 95616, 0, 95616, 76452},
    // 220116 - 124501 = 95615; 498004 - 95615 = 402389; 19 % = 76453.91
    {"just above the threshold", 2007, 498004, 95616, 0, 95615, 76453},
    // 220116 - 125000.5 = 95115.5 -> up 95116; 404886 x 19 % = 76928.34
    {"a quarter of the base with a half crown rounds the amount up", 2007, 500002, 95616, 0, 95116, 76928},
    // 220116 - 250000 < 0 -> 0; spouse 315732 - 250000 - 0 = 65732; 934268 x 19 % = 177510.92
    {"far above: no own amount, spouse reduced", 2007, 1000000, 95616, 95616, 65732, 177510},
    // spouse income 45616; at 880464 the spouse amount is whole, the own amount 0
    {"at the spouse threshold", 2007, 880464, 95616, 50000, 50000, 157788},
    // 315732 - 220117 - 45616 = 49999; 830469 x 19 % = 157789.11
    {"just above the spouse threshold", 2007, 880468, 95616, 50000, 49999, 157789},
    // an amount the clerk entered lower than the reduced one stays
    {"a lower entered amount stays", 2007, 500002, 50000, 0, 50000, 85500},
    // 2006 knows no reduction: 1000000 - 181632 = 818368; 19 % = 155489.92
    {"2006 reduces nothing", 2006, 1000000, 90816, 90816, 181632, 155489},
    // 2008: 226746 - 137500 = 89246; 550000 - 89246 = 460754; 19 % = 87543.26
    {"2008 by its own figures", 2008, 550000, 98496, 0, 89246, 87543},
};

TEST_F(AnnualSettlementTest, ReducesAHighEarnersNonTaxableAmountsFrom2007)
{
    for (const HighEarnerCase &c : kHighEarner) {
        SCOPED_TRACE(c.name);
        newSettlement();
        db::Table &t = dmv->TRZP_;
        for (const char *cleared : {"Poistne", "DDP", "Preddavky1", "D_bonus_narok", "D_bonus_cerpany"})
            t.setValue(cleared, 0.0);
        t.setValue("V_rok", c.year);
        t.setValue("Uhrn_brutto", c.base);
        t.setValue("Nc_minimum", c.minimum);
        t.setValue("Nc_partner", c.partner);
        dmv->Vypocet_rocneho_zuctovania();
        EXPECT_DOUBLE_EQ(value("Nc_spolu"), c.ncSpolu);
        EXPECT_DOUBLE_EQ(value("Dan"), c.dan);
        // what the clerk entered stays, so a later change of the base computes again
        EXPECT_DOUBLE_EQ(value("Nc_minimum"), c.minimum);
        EXPECT_DOUBLE_EQ(value("Nc_partner"), c.partner);
        t.cancel();
    }
}

// ---- the pre-fill from the year's payrolls ---------------------------------------------

TEST_F(AnnualSettlementTest, PrefillsFromTheOpenYearsPayrolls)
{
    payrollRow(1, 200703, {{"D_ciastzd", 20000}, {"D_ciastzd2", 1000}, {"D_preddavok", 2500}, {"D_dan", 190},
                           {"N_poist", 2680}, {"N_ddp", 300}, {"Nc_minimum", 7968}, {"D_bonus_predpis", 540},
                           {"D_bonus_cerpany", 540}, {"Dan_vyrovnana", 1}, {"Vyrovnanie_zp", 400}});
    payrollRow(1, 200704, {{"D_ciastzd", 20000}, {"D_preddavok", 2500}, {"N_poist", 2680}, {"Nc_minimum", 7968}});
    payrollRow(1, 200601, {{"D_ciastzd", 99999}, {"D_preddavok", 9999}}); // another year
    payrollRow(2, 200703, {{"D_ciastzd", 55555}});                         // another employee
    newSettlement(kDemo[0]);
    EXPECT_EQ(dmv->TRZP_.fieldByName("V_rok").asInt(), 2007);
    EXPECT_EQ(dmv->TRZP_.fieldByName("Code_emp").asInt(), 1);
    // from 2006 every month counts, withheld tax among the advances; 2007 adds no
    // health-insurance settlement
    EXPECT_DOUBLE_EQ(value("Uhrn_brutto"), 41000 + 5360);
    EXPECT_DOUBLE_EQ(value("Ciastzd1"), 41000);     // recomputed: gross less insurance
    EXPECT_DOUBLE_EQ(value("Preddavky1"), 5000 + 190);
    EXPECT_DOUBLE_EQ(value("Pom_nc_minimum"), 15936);
    EXPECT_DOUBLE_EQ(value("Poistne"), 5360);
    EXPECT_DOUBLE_EQ(value("DDP"), 300);
    EXPECT_DOUBLE_EQ(value("Uhrn_osobitna"), 1000);
    EXPECT_DOUBLE_EQ(value("Dan_osobitna"), 190);
    EXPECT_DOUBLE_EQ(value("D_bonus_narok"), 540);
    // the demo employee signed the declaration: twelve monthly amounts of 2007
    EXPECT_DOUBLE_EQ(value("Nc_minimum"), 7968 * 12);
    EXPECT_DOUBLE_EQ(value("Preplatok"), value("Uhrn_preddavkov") - value("Dan"));
    dmv->TRZP_.post();
    EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\" where code_emp = 1 and v_rok = 2007"), 1);
}

TEST_F(AnnualSettlementTest, PrefillByTheYearsRulesOfHealthSettlementAndSettledMonths)
{
    const struct {
        int year;
        double ciastzd1, preddavky1;
    } cases[] = {
        // 2005: the month with Dan_vyrovnana 1 left out
        {2005, 20000, 2500},
        // 2006: every month, and the positive health settlement 400 added to the gross
        {2006, 41000 + 400, 5000 + 190},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.year);
        const int p = c.year * 100;
        payrollRow(3, p + 3, {{"D_ciastzd", 20000}, {"D_ciastzd2", 1000}, {"D_preddavok", 2500}, {"D_dan", 190},
                              {"N_poist", 2680}, {"Dan_vyrovnana", 1}, {"Vyrovnanie_zp", 400}});
        payrollRow(3, p + 4, {{"D_ciastzd", 20000}, {"D_preddavok", 2500}, {"N_poist", 2680}});
        setPeriod(6, c.year);
        newSettlement(kDemo[2]);
        EXPECT_DOUBLE_EQ(value("Ciastzd1"), c.ciastzd1);
        EXPECT_DOUBLE_EQ(value("Preddavky1"), c.preddavky1);
        dmv->TRZP_.cancel();
    }
}

TEST_F(AnnualSettlementTest, WithoutTheDeclarationTheTaxpayersAmountStaysZero)
{
    session.execute("update \":tarix_data:zam\" set vyhl = 0 where code_emp = 4");
    newSettlement(kDemo[3]);
    EXPECT_DOUBLE_EQ(value("Nc_minimum"), 0);
    dmv->TRZP_.cancel();
}

// ---- refusals ----------------------------------------------------------------------------

TEST_F(AnnualSettlementTest, ASecondSettlementOfTheYearIsRefusedBeforeAnyRow)
{
    newSettlement(kDemo[0]);
    dmv->TRZP_.post();
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    try {
        dmv->TRZP_.insert();
        FAIL() << "inserted";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65056));
    }
    EXPECT_FALSE(dmv->TRZP_.isEditing());
    EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\""), 1);
    // another employee may have his
    newSettlement(kDemo[1]);
    dmv->TRZP_.post();
    EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\""), 2);
}

TEST_F(AnnualSettlementTest, YearsBefore2002AreRefused)
{
    setPeriod(12, 2001);
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    EXPECT_THROW(dmv->TRZP_.insert(), EMyError);
    EXPECT_FALSE(dmv->TRZP_.isEditing());
    session.execute("insert into \":tarix_data:rzp\" (code_emp, v_rok, preplatok) values (1, 2001, 5)");
    dmv->TRZP_.refresh();
    ASSERT_TRUE(dmv->TRZP_.locate("V_rok", {2001}));
    try {
        dmv->TRZP_.edit();
        FAIL() << "edited";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65060));
    }
    EXPECT_THROW(dmv->TRZP_.deleteRecord(), EMyError);
    EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\""), 1);
}

TEST_F(AnnualSettlementTest, DeleteAsksTwiceAndANoStopsIt)
{
    newSettlement(kDemo[0]);
    dmv->TRZP_.post();
    const struct {
        bool first, second;
    } refusals[] = {{false, false}, {true, false}};
    for (const auto &r : refusals) {
        if (r.first)
            scripted.answerYes(Msg(65057)).answerNo(Msg(65058));
        else
            scripted.answerNo(Msg(65057));
        try {
            dmv->TRZP_.deleteRecord();
            FAIL() << "deleted";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(65059));
        }
        EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\""), 1);
    }
    scripted.answerYes(Msg(65057)).answerYes(Msg(65058));
    dmv->TRZP_.deleteRecord();
    EXPECT_EQ(count("select count(*) from \":tarix_data:rzp\""), 0);
}

TEST_F(AnnualSettlementTest, PostingRecomputesWhatTheClerkChanged)
{
    newSettlement(kDemo[0]);
    dmv->TRZP_.post();
    const double before = value("Preplatok");
    dmv->TRZP_.edit();
    dmv->TRZP_.setValue("Nc_zivotne_poistenie", 10000.0);
    dmv->TRZP_.post();
    // 10000 less taxable income is 1900 less tax (19 %), when the income covers it
    const double stored = session.run("select preplatok from \":tarix_data:rzp\" where code_emp = 1")
                              .asFloat(0, 0);
    EXPECT_DOUBLE_EQ(stored, value("Preplatok"));
    EXPECT_GE(stored, before);
}

} // namespace
