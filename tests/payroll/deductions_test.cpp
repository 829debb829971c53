// Step 19 (deductions of the month), piece-work totals, field validators and the
// calculated fields of the payroll record.
#include "payroll_fixtures.h"

#include "payroll/calc/calc_fields.h"
#include "payroll/calc/validators.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarix::payroll;
using namespace tarix::payroll::testing;

TEST(PayrollDeductions, AmountOfARowBySumType)
{
    struct Case {
        double suma;
        int typ;
        double brutto, holiday, sviatok, netto, expected;
    } cases[] = {
        {350.55, 0, 0, 0, 0, 0, 350.55},          // a fixed amount is not rounded
        {3, 1, 12345.50, 0, 0, 0, 370},          // 370.365
        {50, 2, 1001, 0, 0, 0, 500},             // 500.5: halves to the even crown
        {50, 2, 21000, 2000, 1000, 0, 9000},     // gross less holiday and holiday pay
        {10, 3, 0, 0, 0, 15285, 1528},           // 1528.5: to even
        {10, 3, 0, 0, 0, 15295, 1530},           // 1529.5: to even
        {10, 7, 20000, 0, 0, 15000, 0},          // unknown sum type
    };
    for (const Case &k : cases) {
        PayRecord r;
        r.N_brutto = k.brutto;
        r.N_holiday = k.holiday;
        r.N_sviatok = k.sviatok;
        r.N_netto = k.netto;
        EXPECT_DOUBLE_EQ(Suma_zrazky(r, k.suma, k.typ), k.expected) << k.suma << " type " << k.typ;
    }
}

TEST(PayrollDeductions, TotalsByTypeReplaceTheTypedDeductions)
{
    CalcContext c = demoContext();
    c.deductions = demoDeductions();
    PayRecord r;
    r.N_brutto = 19800;
    r.N_netto = 15281;
    r.Ne_poistovna = r.Ne_odborar = r.Ne_pozicky = r.Ne_exekucia = 77;
    const CalcResult result = Vypocet_zrazok(r, c);
    const std::vector<double> amounts{350, 198, 1528, 500, 990};
    EXPECT_EQ(result.Vypocitana_suma, amounts);
    EXPECT_EQ(result.Sumy_zrazok.P, 350);
    EXPECT_EQ(result.Sumy_zrazok.O, 198);
    EXPECT_EQ(result.Sumy_zrazok.Y, 1528);
    EXPECT_EQ(result.Sumy_zrazok.S, 500);
    EXPECT_EQ(result.Sumy_zrazok.X, 990);
    EXPECT_EQ(r.Ne_poistovna, 350);
    EXPECT_EQ(r.Ne_odborar, 198);
    EXPECT_EQ(r.Ne_pozicky, 1528);
    EXPECT_EQ(r.Ne_exekucia, 1490);
}

TEST(PayrollDeductions, TypedDeductionsStayWithoutComputedAmounts)
{
    const std::vector<std::vector<ZrvRow>> rowSets{
        {},                                            // no rows
        {{1, QStringLiteral("P"), 0, 0, 0}},           // rows computing to 0
        {{1, QStringLiteral("Y"), 10, 7, 0}},          // unknown sum type
        {{1, QStringLiteral("p"), 300, 0, 0},          // types outside the list add to none
         {2, QStringLiteral("Z"), 300, 0, 0},
         {3, QString(), 300, 0, 0}},
    };
    for (const auto &rows : rowSets) {
        CalcContext c = demoContext();
        c.deductions = rows;
        PayRecord r;
        r.N_brutto = 20000;
        r.Ne_poistovna = 10;
        r.Ne_odborar = 20;
        r.Ne_pozicky = 30;
        r.Ne_exekucia = 40;
        const CalcResult result = Vypocet_zrazok(r, c);
        EXPECT_EQ(result.Vypocitana_suma.size(), rows.size());
        EXPECT_EQ(r.Ne_poistovna, 10) << rows.size();
        EXPECT_EQ(r.Ne_odborar, 20);
        EXPECT_EQ(r.Ne_pozicky, 30);
        EXPECT_EQ(r.Ne_exekucia, 40);
    }
}

TEST(PayrollDeductions, BuildingSavingsOnlySetsTheOtherTotalsToZero)
{
    CalcContext c = demoContext();
    c.deductions = {{1, QStringLiteral("S"), 500, 0, 0}, {2, QStringLiteral("S"), 250, 0, 0}};
    PayRecord r;
    r.Ne_poistovna = r.Ne_odborar = r.Ne_pozicky = r.Ne_exekucia = 99;
    Vypocet_zrazok(r, c);
    EXPECT_EQ(r.Ne_exekucia, 750);
    EXPECT_EQ(r.Ne_poistovna, 0);
    EXPECT_EQ(r.Ne_odborar, 0);
    EXPECT_EQ(r.Ne_pozicky, 0);
}

TEST(PayrollDeductions, PayoutOfTheCalculationSubtractsTheMonthsDeductions)
{
    CalcContext c = demoContext(200503);
    c.deductions = demoDeductions();
    PayRecord r = monthlyRecord(200503);
    r.Ne_zaloha = 2000;
    const CalcResult result = Vypocet_vyplaty(r, c);
    EXPECT_EQ(result.Vypocitana_suma.size(), 5u);
    EXPECT_EQ(r.N_netto, 15281);
    EXPECT_EQ(r.Vyplata, 15281 - 2000 - 350 - 198 - 1528 - 1490);
}

TEST(PayrollPieceWork, ItemTotalsAndTheMonthsSum)
{
    EXPECT_DOUBLE_EQ(workSum(2.5, 3.33), 8.325);
    EXPECT_EQ(Sucet_ukolovej_mzdy({}), 0);
    EXPECT_DOUBLE_EQ(Sucet_ukolovej_mzdy({{1, 1, 2.5, 3.33, 8.325}, {2, 2, 10, 12, 120}}), 128.325);

    // A payroll without items gets 0, also when a value had been typed.
    const CalcContext c = demoContext();
    PayRecord r = monthlyRecord();
    r.N_ukolova = 5000;
    Vypocet_vyplaty(r, c);
    EXPECT_EQ(r.N_ukolova, 0);
    EXPECT_EQ(r.V_plat, 18000);
}

TEST(PayrollValidators, DaysWholeOrHalf)
{
    for (double ok : {20.0, 20.5, 0.0, -3.0})
        EXPECT_NO_THROW(Kontrola_desatinnej_casti(ok)) << ok;
    EXPECT_NO_THROW(Kontrola_desatinnej_casti(std::nullopt));
    for (double bad : {20.25, -0.5, -0.25, 0.1}) {
        try {
            Kontrola_desatinnej_casti(bad);
            ADD_FAILURE() << bad;
        } catch (const tarix::EMyError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("Desatinná časť nesmie byť iná ako 0.5 !!!"));
        }
    }
}

TEST(PayrollValidators, CodeLists)
{
    struct Case {
        void (*check)(int);
        int value;
        bool accepted;
    } cases[] = {
        {TVYP_F_typ_premiiValidate, 0, true}, {TVYP_F_typ_premiiValidate, 2, true},
        {TVYP_F_typ_premiiValidate, 3, false}, {TVYP_F_typ_premiiValidate, -1, false},
        {TVYP_U_poistenieValidate, 5, true}, {TVYP_U_poistenieValidate, 6, false},
        {TVYP_U_poistenieValidate, -1, false}, {TVYP_U_poistenie2Validate, 1, true},
        {TVYP_U_poistenie2Validate, 2, false},
    };
    for (const Case &k : cases) {
        if (k.accepted)
            EXPECT_NO_THROW(k.check(k.value)) << k.value;
        else
            EXPECT_THROW(k.check(k.value), tarix::EMyError) << k.value;
    }
    try {
        TVYP_F_typ_premiiValidate(-1);
    } catch (const tarix::EMyError &e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("Nesprávna hodnota. Povolené hodnoty sú 0(individ")));
    }
    try {
        TVYP_U_poistenieValidate(6);
    } catch (const tarix::EMyError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Nesprávna hodnota. Povolené hodnoty: 0=nie, 1=áno, 2=iba "
                                           "pracovník, 3=iba firma, 4=súčet sadzieb, 5=áno,ale firma len gar.fond"));
    }
}

TEST(PayrollValidators, ExceptionCodeAndUninsuredDaysFrom2004)
{
    EXPECT_NO_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("1"), 200401));
    EXPECT_NO_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("Z"), 200401));
    EXPECT_NO_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("@"), 200401));
    EXPECT_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("a"), 200401), tarix::EMyError);
    EXPECT_THROW(TVYP_VYNIMKA_VZValidate(QString(), 200401), tarix::EMyError);
    EXPECT_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("Č"), 200401), tarix::EMyError);
    EXPECT_NO_THROW(TVYP_VYNIMKA_VZValidate(QStringLiteral("a"), 200312));
    EXPECT_NO_THROW(TVYP_VYNIMKA_VZValidate(QString(), 200312));

    EXPECT_NO_THROW(TVYP_V_nepoistenyValidate(29, 200402));
    EXPECT_NO_THROW(TVYP_V_nepoistenyValidate(31, 200401));
    EXPECT_THROW(TVYP_V_nepoistenyValidate(29, 200502), tarix::EMyError);
    EXPECT_THROW(TVYP_V_nepoistenyValidate(32, 200401), tarix::EMyError);
    EXPECT_NO_THROW(TVYP_V_nepoistenyValidate(29, 200302));
}

TEST(PayrollCalculatedFields, TextsOfTheRecord)
{
    PayRecord r;
    r.V_obdobie = 200402;
    r.V_rok = 2004;
    r.V_mesiac = 2;
    r.F_typ_premii = 1;
    r.F_typ_pripl = 1;   // all six per hour
    r.F_typ_pripl2 = 64; // free surcharge 2 per hour
    r.V_fmes = 21;
    r.F_doba = 7.5;
    r.V_den = 10.5;
    r.V_hodina = 80;
    r.Ne_pozicky = 1;
    r.Ne_odborar = 2;
    r.Ne_poistovna = 4;
    r.Ne_exekucia = 8;
    r.Ne_zaloha = 16;
    r.D_preddavok = 1000;
    r.D_dan = 50;
    r.D_bonus_cerpany = 400;
    computePayrollCalcFields(r, QStringLiteral("Ing. Ján Novák"));
    EXPECT_EQ(r.MES, QStringLiteral("február"));
    EXPECT_EQ(r.MESROK, QStringLiteral("Ing. Ján Novák - výplata za február 2004"));
    EXPECT_EQ(r.CALC_NETTO_ZRAZKY, 15);
    EXPECT_EQ(r.CALC_TEXT_PREMII, QStringLiteral("percentuálna sadzba"));
    for (const QString &t : {r.CALC_PRIPL_NADCAS, r.CALC_PRIPL_SOBOTA, r.CALC_PRIPL_NEDELA,
                             r.CALC_PRIPL_SVIATOK, r.CALC_PRIPL_NOC, r.CALC_PRIPL_SKODP})
        EXPECT_EQ(t, QStringLiteral("hodinová"));
    EXPECT_EQ(r.CALC_PRIPL1, QStringLiteral("percentuálna"));
    EXPECT_EQ(r.CALC_PRIPL2, QStringLiteral("hodinová"));
    EXPECT_EQ(r.CALC_PRIPL5, QStringLiteral("percentuálna"));
    EXPECT_EQ(r.CALC_V_FMES_HOD, QStringLiteral("[157,5hod]"));
    EXPECT_EQ(r.CALC_V_DEN_HOD, QStringLiteral("[78,75hod]"));
    EXPECT_EQ(r.CALC_HOD_ROZDIEL, QStringLiteral("1,25hod"));
    EXPECT_EQ(r.CALC_DAN, 650);
    EXPECT_EQ(r.CALC_KAL_DNI, 29);
}
