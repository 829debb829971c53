// The cost recapitulation: nakl compared row by row with months worked out by hand from the
// rules of the recapitulation (the oracle later payment orders rely on), the tax block,
// the bookkeeping entries "PU" and the scheme cis_pu, and the failure that must leave nakl
// as it was.
#include "recap_fixture.h"

#include "core/helpers/dialogs.h"
#include "platform/db/sql_result.h"
#include "reports/recap/rexnz.h"
#include "reports/recap/rexnzold.h"
#include "reports/recap/rexpu.h"

using namespace tarix;
using namespace tarix::reports;
using REXNZ::Riadok;

namespace tarix::reports::REXNZ {
std::ostream &operator<<(std::ostream &os, const Riadok &r)
{
    os << r.riadok << " '" << r.text.toStdString() << "' " << r.suma << " '" << r.symbol.toStdString() << "' "
       << r.cislo;
    if (r.suma1)
        os << " / " << *r.suma1;
    return os;
}
} // namespace tarix::reports::REXNZ

namespace {

// A row of nakl as written: one amount (suma1 empty) or two.
Riadok r1(int n, const char *text, double suma, const char *symbol = "", int cislo = 0)
{
    return {n, QString::fromUtf8(text), suma, QString::fromUtf8(symbol), cislo, std::nullopt};
}
Riadok r2(int n, const char *text, double suma, double suma1)
{
    return {n, QString::fromUtf8(text), suma, QString(), 0, suma1};
}

class CostRecap : public fixtures::RecapFirm {
protected:
    void SetUp() override
    {
        RecapFirm::SetUp();
        MyConsts::Parametre(18).Hodnota = 70;
        MyConsts::Parametre(32).Hodnota = 0;
        setInf("f_socfond=0.6, f_poistne=8");
        // The social fund: the base up to whole crowns, the contribution up to whole crowns.
        session.execute("update \":tarix_comm:setup\" set zaokruh7=0, zaokruh7sm=0, zaokruh8=0, zaokruh8sm=0");
    }

    // A payroll record with every summed amount 0 unless given.
    void record(int code, int obdobie, QVariantMap v)
    {
        for (const char *f :
             {"N_brutto", "V_plat", "N_priplat", "N_premie", "N_odmeny", "N_sviatok", "N_holiday", "N_nahrada",
              "N_nemohol", "N_nahrada_pn", "N_pohotovost", "N_dohody_ovp", "N_dohody_opc", "N_odstupne", "N_socfond",
              "N_mimo_poistne", "Ne_zaloha", "Ne_pozicky", "Ne_odborar", "Ne_poistovna", "Ne_exekucia",
              "Ne_stravne", "N_mzda", "D_preddavok", "D_dan", "D_bonus_cerpany", "D_vyrovnanie", "Nd_spolu",
              "Vyplata", "Sporenie", "Dan_vyrovnana", "N_jednoraz1", "N_jednoraz2", "Vyrovnanie_zp", "N_ddp",
              "Nz_ddp", "O_nemoc", "O_dochod", "O_invalid", "O_fondzam", "Oz_nemoc", "Oz_dochod", "Oz_invalid",
              "Oz_fondzam", "Oz_uraz", "Oz_garancne", "Oz_rezerva", "O_zdravot", "Oz_zdravot", "N_zaklad_np",
              "N_zaklad_dp", "N_zaklad_fz", "KZP", "KDP"})
            if (!v.contains(f))
                v.insert(f, 0);
        insertVyp(code, obdobie, v);
    }

    std::vector<Riadok> nakl()
    {
        const db::SqlResult r = session.run("select riadok, text, suma, ident_symbol, ident_cislo, suma1 from "
                                            "\":tarix_priv:nakl\" order by riadok");
        std::vector<Riadok> out;
        for (int i = 0; i < r.rowCount(); ++i)
            out.push_back({int(r.asInteger(i, 0)), r.value(i, 1).toString(), r.asFloat(i, 2),
                           r.value(i, 3).toString(), int(r.asInteger(i, 4)),
                           r.value(i, 5).isNull() ? std::nullopt : std::optional<double>(r.asFloat(i, 5))});
        return out;
    }

    static void expectRows(const std::vector<Riadok> &actual, const std::vector<Riadok> &expected)
    {
        const size_t n = std::max(actual.size(), expected.size());
        for (size_t i = 0; i < n; ++i) {
            if (i >= actual.size()) {
                ADD_FAILURE() << "missing row " << expected[i];
            } else if (i >= expected.size()) {
                ADD_FAILURE() << "extra row " << actual[i];
            } else {
                EXPECT_EQ(actual[i], expected[i]) << "got      " << actual[i] << "\nexpected " << expected[i];
            }
        }
    }

    // March 2004: three employees. 1 with every fund, a bonus, a cash and a savings payout,
    // a union fee and meals, a pension fund; 2 on an agreement taxed by withholding; 3
    // with a tax underpayment, sickness benefits and a health-settlement underpayment.
    void march2004()
    {
        record(1, 200403, {{"N_brutto", 10000}, {"V_plat", 9000}, {"N_priplat", 500}, {"N_premie", 500},
                           {"D_preddavok", 900}, {"D_bonus_cerpany", 400}, {"Vyplata", 6000}, {"Sporenie", 1000},
                           {"Ne_zaloha", 500}, {"Ne_stravne", 100}, {"Ne_odborar", 50}, {"N_mzda", 10000},
                           {"N_ddp", 200}, {"Nz_ddp", 300}, {"KDP", 2},
                           {"KZP", 25}, {"N_zaklad_zp", 10000}, {"O_zdravot", 400}, {"Fz_zdravot", 10},
                           {"O_nemoc", 140}, {"O_dochod", 400}, {"O_invalid", 300}, {"O_fondzam", 100},
                           {"Oz_nemoc", 140}, {"Oz_dochod", 1400}, {"Oz_invalid", 300}, {"Oz_fondzam", 100},
                           {"Oz_uraz", 80}, {"Oz_garancne", 25}, {"Oz_rezerva", 475}});
        record(2, 200403, {{"N_brutto", 2000}, {"N_dohody_ovp", 2000}, {"D_dan", 300}, {"Dan_vyrovnana", 1},
                           {"Vyplata", 1700}, {"N_mzda", 2000}, {"U_zdrav", 0}});
        record(3, 200403, {{"N_brutto", 8000}, {"V_plat", 8000}, {"D_preddavok", 600}, {"D_vyrovnanie", -150},
                           {"Nd_spolu", 500}, {"Vyplata", 6500}, {"Vyrovnanie_zp", -60}, {"N_mzda", 8000.50},
                           {"O_nemoc", 112}, {"Oz_nemoc", 112},
                           {"KZP", 24}, {"N_zaklad_zp", 8000.50}, {"O_zdravot", 320}, {"Fz_zdravot", 10}});
    }
};

} // namespace

TEST_F(CostRecap, March2004RowByRow)
{
    march2004();
    REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200403), true);
    expectRows(nakl(), {
        // Health insurers before 2005: the employees' premiums as stored, the employer's
        // premium recomputed once on the insurer's base at the highest rate, rounded up:
        // 24: 8 000.50 x 10 % = 800.05 -> 801; 25: 10 000 x 10 % = 1 000.
        r2(1, "Poistné do zdrav.poisťovne č.24 - 1.zamestnanci/2.zamestnávateľ", 320, 801),
        r1(2, "Poistné do zdrav.poisťovne č.24 - spolu", 1121, "Z", 24),
        r2(3, "Poistné do zdrav.poisťovne č.25 - 1.zamestnanci/2.zamestnávateľ", 400, 1000),
        r1(4, "Poistné do zdrav.poisťovne č.25 - spolu", 1400, "Z", 25),
        r2(5, "Poistné do zdrav.poisťovní - 1.zamestnanci/2.zamestnávateľ", 720, 1801),
        r1(6, "Poistné do zdrav.poisťovní - spolu", 2521),
        // The social insurer, per fund employees / employer: NP 140 + 112 both; SP 400 / 1 400;
        // IP 300 / 300; PvN 100 / 100; accident 80 / guarantee 25; reserve 475.
        r2(7, "NP (nemocenské poistenie)    - 1.zamestnanci/2.zamestnávateľ", 252, 252),
        r2(8, "SP (starobné poistenie)      - 1.zamestnanci/2.zamestnávateľ", 400, 1400),
        r2(9, "IP (invalidné poistenie)     - 1.zamestnanci/2.zamestnávateľ", 300, 300),
        r2(10, "PvN(poist. v nezamestnanosti)- 1.zamestnanci/2.zamestnávateľ", 100, 100),
        r2(11, "1.UP (úrazové poistenie) / 2.GP (garančné poistenie)", 80, 25),
        r1(12, "PdRF(poistenie do rezervného fondu", 475),
        // Employees 252 + 400 + 300 + 100 = 1 052; employer 252 + 1 400 + 300 + 100 + 80 + 25 + 475 = 2 632.
        r2(13, "Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ", 1052, 2632),
        r1(14, "Poistné do soc.poisťovne - spolu", 3684),
        // The running totals hold the health insurers' parts.
        r1(15, "Poistné - zamestnanci", 720),
        r1(16, "Poistné - zamestnávateľ", 1801),
        r1(17, "Poistné - spolu", 2521),
        // Parameter 32 is 0: A = 900 + 600 = 1 500, W = the month's 300.
        r2(18, "Daňový úrad - 1.preddavky dane / 2.zrážková daň", 1500, 300),
        // N = 150 (employee 3's -150), R = 0.
        r2(19, "Daňový úrad - 1.nedoplatky dane z RZ / 2.preplatky dane z RZ", 150, 0),
        r1(20, "Daňový úrad - celková suma vyplateného bonusu", 400),
        // X = 1 500 + 150 - 0 = 1 650; K1 = min(1 650, 400) = 400 -> E = 1 250; K2 = 0 -> F = 300.
        r1(21, "Daňový úrad - preddavky + RZ - bonusy", 1250, "E"),
        r1(22, "Daňový úrad - zrážky - bonusy", 300, "F"),
        r1(23, "Daňový úrad - odvod dane spolu", 1550, "D"),
        r1(24, "Výplata - zálohy", 500),
        // Cash 6 000 + 1 700 + 6 500; savings 1 000.
        r2(25, "Výplata - 1.v hotovosti/2.bezhotovostne", 14200, 1000),
        r1(26, "Výplata - zrážky", 150),          // union 50 + meals 100
        r1(27, "Výplata - spolu", 15850),         // 500 + 14 200 + 1 000 + 150
        r2(28, "Sociálna poisťovňa 1.Poistné/2.Dávky NP", 3684, 500),
        r1(29, "Sociálna poisťovňa - výsledná suma odvodu", 3184, "S"),
        r1(30, "Hrubý príjem", 20000),
        r1(31, "Hrubý príjem - zdanený osob.sadzbou dane", 2000),   // employee 2 only
        // n_mzda 20 000.50 up to whole crowns; 0.6 % of 20 001 = 120.006, up: 121.
        r1(32, "Základ pre výpočet odvodu do sociálneho fondu", 20001),
        r1(33, "Odvod do sociálneho fondu", 121, "X"),
        // An underpayment of the health settlement goes to the second amount.
        r2(34, "Ročné zúčtovanie zdrav. poistenia 1.Preplatok/2.Nedoplatok", 0, -60),
        r2(35, "DDP č.2 - 1.zamestnanci/2.zamestnávateľ", 200, 300),
        r1(36, "DDP č.2 - spolu", 500, "Y", 2),
    });
}

TEST_F(CostRecap, March2004BookkeepingLinesOnly)
{
    march2004();
    expectRows(REXNZ::Vypocet_rekapitulacie(session, request("PU", 200403), false), {
        r2(1, "Poistné do zdrav.poisťovne č.24 - 1.zamestnanci/2.zamestnávateľ", 320, 801),
        r1(2, "Poistné do ZP č.24 - zam.", 320, "[", 24),
        r1(3, "Poistné do ZP č.24 - firma.", 801, "]", 24),
        r2(4, "Poistné do zdrav.poisťovne č.25 - 1.zamestnanci/2.zamestnávateľ", 400, 1000),
        r1(5, "Poistné do ZP č.25 - zam.", 400, "[", 25),
        r1(6, "Poistné do ZP č.25 - firma.", 1000, "]", 25),
        r2(7, "Poistné do zdrav.poisťovní - 1.zamestnanci/2.zamestnávateľ", 720, 1801),
        r2(8, "NP (nemocenské poistenie)    - 1.zamestnanci/2.zamestnávateľ", 252, 252),
        r2(9, "SP (starobné poistenie)      - 1.zamestnanci/2.zamestnávateľ", 400, 1400),
        r2(10, "IP (invalidné poistenie)     - 1.zamestnanci/2.zamestnávateľ", 300, 300),
        r2(11, "PvN(poist. v nezamestnanosti)- 1.zamestnanci/2.zamestnávateľ", 100, 100),
        r2(12, "1.UP (úrazové poistenie) / 2.GP (garančné poistenie)", 80, 25),
        r1(13, "PdRF(poistenie do rezervného fondu", 475, "+", 42),
        r1(14, "NP (nemocenské poistenie)    - zam.", 252, "+", 30),
        r1(15, "SP (starobné poistenie)      - zam.", 400, "+", 31),
        r1(16, "IP (invalidné poistenie)     - zam.", 300, "+", 32),
        r1(17, "PvN(poist. v nezamestnanosti)- zam.", 100, "+", 33),
        r1(18, "NP (nemocenské poistenie)    - firma", 252, "+", 36),
        r1(19, "SP (starobné poistenie)      - firma", 1400, "+", 37),
        r1(20, "IP (invalidné poistenie)     - firma", 300, "+", 38),
        r1(21, "PvN(poist. v nezamestnanosti)- firma", 100, "+", 39),
        r1(22, "UP (úrazové poistenie)", 80, "+", 40),
        r1(23, "GP (garančné poistenie)", 25, "+", 41),
        r2(24, "Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ", 1052, 2632),
        r2(25, "Daňový úrad - 1.preddavky dane / 2.zrážková daň", 1500, 300),
        r2(26, "Daňový úrad - 1.nedoplatky dane z RZ / 2.preplatky dane z RZ", 150, 0),
        r2(27, "Výplata - 1.v hotovosti/2.bezhotovostne", 14200, 1000),
        r2(28, "Sociálna poisťovňa 1.Poistné/2.Dávky NP", 3684, 500),
        r1(29, "Daňový úrad - preddavky", 1500, "+", 17),
        r1(30, "Daňový úrad - zrážky", 300, "*", 1750),
        r1(31, "Daňový úrad - nedoplatky z ročného zúčt.", 150, "+", 20),
        r1(32, "Daňový úrad - preplatky z ročného zúčt.", 0, "+", 21),
        r1(33, "Odvod do sociálneho fondu", 121, "+", 44),
        r1(34, "Základné mzdy", 17000, "+", 1),          // 9 000 + 8 000
        r1(35, "Mzdové príplatky", 500, "+", 2),
        r1(36, "Prémie", 500, "+", 3),
        r1(37, "Odmeny", 0, "+", 4),
        r1(38, "Náhrady sviatok", 0, "+", 5),
        r1(39, "Náhrady dovolenka", 0, "+", 6),
        r1(40, "Náhrady neprítomnosť", 0, "+", 7),
        r1(41, "Náhrady za neprac. 60%", 0, "+", 8),
        r1(42, "Náhrady za PN", 0, "+", 9),
        r1(43, "Náhrady za pohotovosť", 0, "+", 10),
        r1(44, "Odmeny z DoVP", 2000, "+", 13),
        r1(45, "Odstupné zákonné", 0, "+", 14),
        r1(46, "Príspevky zo SF", 0, "+", 15),
        r1(47, "Príjmy mimo poistného", 0, "+", 16),
        r2(48, "Ročné zúčtovanie zdrav. poistenia 1.Preplatok/2.Nedoplatok", 0, -60),
        r1(49, "Zálohy na mzdu", 500, "+", 23),
        r1(50, "Pôžičky", 0, "+", 24),
        r1(51, "Odbory", 50, "+", 25),
        r1(52, "Poistenie", 0, "+", 26),
        r1(53, "Ost.zrážky", 0, "+", 27),
        r1(54, "Stravné", 100, "+", 28),
        r1(55, "Daňový bonus", 400, "+", 22),
        r2(56, "DDP č.2 - 1.zamestnanci/2.zamestnávateľ", 200, 300),
        r1(57, "DDP č.2 - zam.", 200, "(", 2),
        r1(58, "DDP č.2 - firma", 300, ")", 2),
    });
}

TEST_F(CostRecap, January2005WithholdingTaxOfDecemberRowByRow)
{
    // Parameter 32 = 1: the withholding tax is transferred a month later, so January 2005
    // reads December 2004's 450 (and not its own 120). An overpayment of the settlement and
    // of the health settlement; a bonus larger than everything due.
    MyConsts::Parametre(32).Hodnota = 1;
    record(1, 200412, {{"D_dan", 450}, {"N_brutto", 3000}});
    record(1, 200501, {{"N_brutto", 12000}, {"V_plat", 12000}, {"D_preddavok", 1000}, {"D_vyrovnanie", 300},
                       {"D_bonus_cerpany", 2500}, {"Vyplata", 11000}, {"Vyrovnanie_zp", 75.50}, {"N_mzda", 12000},
                       {"O_nemoc", 168}, {"Oz_nemoc", 168},
                       {"KZP", 25}, {"N_zaklad_zp", 12000}, {"O_zdravot", 480}, {"Oz_zdravot", 1200.004}});
    record(2, 200501, {{"N_brutto", 800}, {"D_dan", 120}, {"Dan_vyrovnana", 1}, {"Vyplata", 680}, {"N_mzda", 800}, {"U_zdrav", 0}});
    REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200501), true);
    expectRows(nakl(), {
        // From 2005 the stored employer's advances, cut to hallers and then rounded up:
        // 1 200.004 -> 1 200.00 -> 1 200.
        r2(1, "Poistné do zdrav.poisťovne č.25 - 1.zamestnanci/2.zamestnávateľ", 480, 1200),
        r1(2, "Poistné do zdrav.poisťovne č.25 - spolu", 1680, "Z", 25),
        r2(3, "Poistné do zdrav.poisťovní - 1.zamestnanci/2.zamestnávateľ", 480, 1200),
        r1(4, "Poistné do zdrav.poisťovní - spolu", 1680),
        r2(5, "NP (nemocenské poistenie)    - 1.zamestnanci/2.zamestnávateľ", 168, 168),
        r2(6, "SP (starobné poistenie)      - 1.zamestnanci/2.zamestnávateľ", 0, 0),
        r2(7, "IP (invalidné poistenie)     - 1.zamestnanci/2.zamestnávateľ", 0, 0),
        r2(8, "PvN(poist. v nezamestnanosti)- 1.zamestnanci/2.zamestnávateľ", 0, 0),
        r2(9, "1.UP (úrazové poistenie) / 2.GP (garančné poistenie)", 0, 0),
        r1(10, "PdRF(poistenie do rezervného fondu", 0),
        r2(11, "Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ", 168, 168),
        r1(12, "Poistné do soc.poisťovne - spolu", 336),
        r1(13, "Poistné - zamestnanci", 480),
        r1(14, "Poistné - zamestnávateľ", 1200),
        r1(15, "Poistné - spolu", 1680),
        r1(16, "Daňový úrad - preddavky dane", 1000),
        // The month's 120 and the 450 of December 2004 that is transferred now.
        r2(17, "Daňový úrad - 1.zrážková daň / 2.zrážková daň za minulý mesiac", 120, 450),
        r2(18, "Daňový úrad - 1.nedoplatky dane z RZ / 2.preplatky dane z RZ", 0, 300),
        r1(19, "Daňový úrad - celková suma vyplateného bonusu", 2500),
        // X = 1 000 + 0 - 300 = 700; K1 = 700, the remaining 1 800 against W = 450: K2 = 450.
        r1(20, "Daňový úrad - preddavky + RZ - bonusy", 0, "E"),
        r1(21, "Daňový úrad - zrážky - bonusy", 0, "F"),
        r1(22, "Daňový úrad - odvod dane spolu", 0, "D"),
        r1(23, "Daňový úrad - PREPLATOK !!!", 1350),   // 2 500 - 700 - 450
        r1(24, "Výplata - zálohy", 0),
        r2(25, "Výplata - 1.v hotovosti/2.bezhotovostne", 11680, 0),
        r1(26, "Výplata - zrážky", 0),
        r1(27, "Výplata - spolu", 11680),
        r2(28, "Sociálna poisťovňa 1.Poistné/2.Dávky NP", 336, 0),
        r1(29, "Sociálna poisťovňa - výsledná suma odvodu", 336, "S"),
        r1(30, "Hrubý príjem", 12800),
        r1(31, "Hrubý príjem - zdanený osob.sadzbou dane", 800),
        r1(32, "Základ pre výpočet odvodu do sociálneho fondu", 12800),
        r1(33, "Odvod do sociálneho fondu", 77, "X"),   // 0.6 % of 12 800 = 76.8, up
        r2(34, "Ročné zúčtovanie zdrav. poistenia 1.Preplatok/2.Nedoplatok", 75.50, 0),
    });
}

TEST_F(CostRecap, March2003BeforeTheReformRowByRow)
{
    // Employee 1 in every fund; employee 2 on an agreement without insurance. The employer's
    // premiums are recomputed from the bases at the month's highest rates.
    record(1, 200303, {{"N_brutto", 10000}, {"V_plat", 10000}, {"D_preddavok", 1200}, {"Vyplata", 7000},
                       {"N_mzda", 10000}, {"U_nemoc", 1}, {"U_dochod", 1}, {"U_fondzam", 1},
                       {"N_zaklad_np", 10000}, {"Fz_nemoc", 3.4}, {"O_nemoc", 140},
                       {"N_zaklad_dp", 10000}, {"Fz_dochod", 21.6}, {"O_dochod", 640},
                       {"N_zaklad_fz", 10000}, {"Fz_fondz", 2.75}, {"Fz_garfond", 0.25}, {"O_fondzam", 100},
                       {"KZP", 25}, {"N_zaklad_zp", 10000}, {"O_zdravot", 370}, {"Fz_zdravot", 10}});
    record(2, 200303, {{"N_brutto", 3000}, {"N_dohody_ovp", 3000}, {"D_dan", 450}, {"Dan_vyrovnana", 1},
                       {"Vyplata", 2550}, {"N_mzda", 3000}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0},
                       {"U_zdrav", 0}});
    const rpt::PreparedPage *page = run(request("NZ", 200303));
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(textOf(*page, "QRL_Nadpis"), "REKAPITULÁCIA NÁKLADOV ZA MAREC 2003");
    expectRows(nakl(), {
        // Employee 1's 370; the employer's 10 000 x 10 % = 1 000.
        r1(1, "Odvod do zdrav.poisťovne č.25 - zamestnanci", 370),
        r1(2, "Odvod do zdrav.poisťovne č.25 - zamestnávateľ", 1000),
        r1(3, "Odvod do zdrav.poisťovne č.25 - spolu", 1370, "Z", 25),
        r1(4, "Odvod do všetkých zdrav.poisťovní - zamestnanci", 370),
        r1(5, "Odvod do všetkých zdrav.poisťovní - zamestnávateľ", 1000),
        r1(6, "Odvod do všetkých zdrav.poisťovní - spolu", 1370),
        r1(7, "Odvod nemoc.poistenia - zamestnanci", 140),
        r1(8, "Odvod nemoc.poistenia - zamestnávateľ", 340),     // 10 000 x 3.4 %
        r1(9, "Odvod dôchod.poistenia - zamestnanci", 640),
        r1(10, "Odvod dôchod.poistenia - zamestnávateľ", 2160),   // 10 000 x 21.6 %
        r1(11, "Odvod poistného do soc.poisťovne - zamestnanci", 780),
        r1(12, "Odvod poistného do soc.poisťovne - zamestnávateľ", 2500),
        r1(13, "Odvod poistného do soc.poisťovne - spolu", 3280),
        r1(14, "Odvod na úrad práce do fondu zam. - zamestnanci", 100),
        r1(15, "Odvod na úrad práce do fondu zam. - zamestnávateľ", 275),   // 10 000 x 2.75 %
        r1(16, "Odvod na úrad práce do fondu zam. - spolu", 375),
        r1(17, "Odvod na úrad práce do garančného fondu", 25),              // 10 000 x 0.25 %
        r1(18, "Odvod na úrad práce spolu", 400, "U"),
        // The health insurers and the fund: 370 + 100; 1 000 + 275 + 25.
        r1(19, "Poistné - zamestnanci", 470),
        r1(20, "Poistné - zamestnávateľ", 1300),
        r1(21, "Poistné - spolu", 1770),
        r1(22, "Daňový úrad - preddavky", 1200),
        r1(23, "Daňový úrad - zrazená daň", 450, "F"),
        r1(24, "Daňový úrad - spolu preddavky + zrážky", 1650),
        r1(25, "Daňový úrad - zrazené nedoplatky z ročného zúčtovania", 0),
        r1(26, "Daňový úrad - vrátené preplatky z ročného zúčtovania", 0),
        r1(27, "Daňový úrad - ročný nedoplatok(+)/preplatok(-) dane", 0),
        r1(28, "Daňový úrad - spolu preddavky+ročné zúčtovanie", 1200, "E"),
        r1(29, "Daňový úrad - spolu preddavky+zrážky+ročné zúčtovanie", 1650, "D"),
        r1(30, "Výplata - zálohy", 0),
        r1(31, "Výplata - v hotovosti", 9550),
        r1(32, "Výplata - bezhotovostne", 0),
        r1(33, "Výplata - zrážky", 0),
        r1(34, "Výplata - spolu", 9550),
        r1(35, "Odvod poistného do soc.poisťovne - spolu", 3280),
        r1(36, "Nárok na dávky nemoc.poistenia zo soc.poisťovne", 0),
        r1(37, "Výsledná suma odvodu do soc.poisťovne", 3280, "S"),
        r1(38, "Hrubý príjem", 13000),
        r1(39, "Hrubý príjem - zdanený osob.sadzbou dane", 3000),
        r1(40, "Základ pre výpočet odvodu do sociálneho fondu", 13000),
        r1(41, "Odvod do sociálneho fondu", 78, "X"),                        // 0.6 % of 13 000
        // The quarter's gross less agreements 10 000 at 8 per mille = 80 (above the minimum 70).
        r1(42, "Zákonné poistenie zodpovednosti organiz. za škodu", 80, "P"),
    });
    fixtures::expectWrittenAsPdf(previewHost.last, "NZOLD");
    expectTextsFit(previewHost.last);
}

TEST_F(CostRecap, TaxBlock)
{
    struct Case {
        const char *name;
        double A, N, R, B, W;
        double E, F, D;
        std::optional<double> preplatok;
    };
    const Case cases[] = {
        {"no bonus", 1000, 0, 0, 0, 200, 1000, 200, 1200, {}},
        {"bonus below advances", 1000, 100, 50, 400, 200, 650, 200, 850, {}},
        {"bonus beyond advances into withholding", 300, 0, 0, 400, 200, 0, 100, 100, {}},
        {"bonus above A + N + W", 300, 50, 0, 1000, 200, 0, 0, 0, 450},
        {"overpayment above advances, no set-off", 100, 0, 300, 500, 0, -200, 0, -200, 700},
        {"bonus exactly A + N + W", 300, 0, 0, 500, 200, 0, 0, 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        REXNZ::RowList z(false);
        REXNZ::taxBlock(z, c.A, c.N, c.R, c.B, c.W, c.W, false);
        std::map<QString, double> podla;
        bool preplatok = false;
        for (const Riadok &r : z.riadky) {
            if (!r.symbol.isEmpty())
                podla[r.symbol] = r.suma;
            if (r.text == u"Daňový úrad - PREPLATOK !!!") {
                preplatok = true;
                EXPECT_EQ(r.suma, c.preplatok.value_or(-1));
            }
        }
        EXPECT_EQ(podla["E"], c.E);
        EXPECT_EQ(podla["F"], c.F);
        EXPECT_EQ(podla["D"], c.D);
        EXPECT_EQ(preplatok, c.preplatok.has_value());
    }
}

TEST_F(CostRecap, Parameter32ChoosesTheWithholdingTaxLines)
{
    record(1, 200312, {{"D_dan", 450}});
    record(1, 200401, {{"D_dan", 120}, {"D_preddavok", 1000}});
    for (const auto &[p32, text, suma, suma1] :
         {std::tuple{0.0, "Daňový úrad - 1.preddavky dane / 2.zrážková daň", 1000.0, 120.0},
          std::tuple{1.0, "Daňový úrad - 1.zrážková daň / 2.zrážková daň za minulý mesiac", 120.0, 450.0}}) {
        SCOPED_TRACE(p32);
        MyConsts::Parametre(32).Hodnota = p32;
        const std::vector<Riadok> rows = REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200401), false);
        const auto it = std::find_if(rows.begin(), rows.end(), [&](const Riadok &r) { return r.text == text; });
        ASSERT_NE(it, rows.end());
        EXPECT_EQ(it->suma, suma);
        EXPECT_EQ(it->suma1, suma1);
        const auto f = std::find_if(rows.begin(), rows.end(), [](const Riadok &r) { return r.symbol == u"F"; });
        ASSERT_NE(f, rows.end());
        EXPECT_EQ(f->suma, p32 ? 450 : 120);
    }
}

TEST_F(CostRecap, ProgressStepsAlsoWhenNested)
{
    march2004();
    REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200403), false);
    EXPECT_EQ(scripted.progressValues(), (std::vector<int>{0, 25, 50, 65, 75, 85, 100}));
    EXPECT_EQ(scripted.progressOpenCount(), 1);
    {
        // Inside another run the recapitulation's 100 leaves the outer dialog open.
        ui::ProgressScope outer;
        MyConsts::Zobraz_priebeh(10);
        REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200403), false);
        EXPECT_TRUE(scripted.isProgressOpen());
    }
    EXPECT_FALSE(scripted.isProgressOpen());
}

TEST_F(CostRecap, AFailingStatementLeavesNaklAsItWas)
{
    march2004();
    REXNZ::Vypocet_rekapitulacie(session, request("NZ", 200403), true);
    const std::vector<Riadok> pred = nakl();
    ASSERT_FALSE(pred.empty());
    // A record in centre 120: the social statement refuses to sum it.
    record(9, 200403, {{"SID", 120}, {"N_brutto", 1}});
    TMyReportParam p = request("NZ", 200403);
    p.Stredisko_do = 200;
    EXPECT_ANY_THROW(REXNZ::Vypocet_rekapitulacie(session, p, true));
    expectRows(nakl(), pred);
    // Through the menu: the run ends with the statement's message and no preview.
    const int shown = previewHost.shownCount;
    ParForm::Spusti_zostavu_podla_nazvu(p);
    EXPECT_EQ(previewHost.shownCount, shown);
    EXPECT_TRUE(scripted.messages().join('\n').contains("stredisku 120")) << scripted.messages().join('\n').toStdString();
    expectRows(nakl(), pred);
    // The bookkeeping entries leave the scheme as it was too.
    session.execute("update \":tarix_data:cis_pu\" set suma=7");
    ParForm::Spusti_zostavu_podla_nazvu([&] { TMyReportParam q = p; q.Kod_zostavy = "PU"; return q; }());
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:cis_pu\" where suma is null or suma<>7").asInteger(0, 0), 0);
    expectRows(nakl(), pred);
}

TEST_F(CostRecap, BookkeepingSchemeFromNakl)
{
    march2004();
    session.execute("delete from \":tarix_data:cis_pu\"");
    const char *const rows[] = {
        "(1, NULL, '', 'Základné mzdy', '521', '', '331', '')",
        "(2, NULL, '', 'Mzdové príplatky', '521', '', '331', '')",
        "(3, NULL, '', 'Prémie', '521', '', '331', '')",
        "(11, NULL, '', 'Náhrady', '521', '', '331', '')",   // no nakl row: stays NULL
        "(12, NULL, '', 'Mzdové náklady spolu', '', '', '', '')",
        "(17, NULL, '', 'Preddavky na daň', '331', '', '342', '')",
        "(17.5, NULL, '', 'Zrážková daň', '331', '', '342', '')",
        "(34, 2, 'Z', 'DDP č.', '331', '', '379', '')",
        "(43, 2, 'F', 'DDP č.', '524', '', '379', '')",
        "(34, 7, 'Z', 'DDP č.', '331', '', '379', '')",   // a fund without a row
        "(99, NULL, '', 'Bez riadku', '', '', '', '')",
    };
    for (const char *r : rows)
        session.execute(QString("insert into \":tarix_data:cis_pu\" (ID, CISLO, DOPLNOK, TEXT, MD_SY, MD_AN, DAL_SY, "
                                "DAL_AN) values ") + r);
    session.execute("update \":tarix_data:cis_pu\" set suma=5");   // last month's amounts

    const rpt::PreparedPage *page = run(request("PU", 200403));
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(textOf(*page, "QRL_Nadpis"), "Vstupy do podvojného účtovníctva - MAREC 2004");
    EXPECT_EQ(textOf(*page, "QRL_CALC_FIRMA"), "DEMO STAV, s.r.o.");

    const db::SqlResult r = session.run("select id, cislo, suma from \":tarix_data:cis_pu\" order by id, cislo");
    std::map<std::pair<double, int>, QVariant> sumy;
    for (int i = 0; i < r.rowCount(); ++i)
        sumy[{r.asFloat(i, 0), int(r.asInteger(i, 1))}] = r.value(i, 2);
    const auto suma = [&](double id, int cislo) { return sumy.at({id, cislo}); };
    EXPECT_EQ(suma(1, 0).toDouble(), 17000);
    EXPECT_EQ(suma(2, 0).toDouble(), 500);
    EXPECT_EQ(suma(3, 0).toDouble(), 500);
    EXPECT_TRUE(suma(11, 0).isNull());
    EXPECT_EQ(suma(12, 0).toDouble(), 18000);   // lines 1 to 11: 17 000 + 500 + 500
    EXPECT_EQ(suma(17, 0).toDouble(), 1500);
    EXPECT_EQ(suma(17.5, 0).toDouble(), 300);   // the "*" 1750 line
    EXPECT_EQ(suma(34, 2).toDouble(), 200);
    EXPECT_EQ(suma(43, 2).toDouble(), 300);
    EXPECT_TRUE(suma(34, 7).isNull());
    EXPECT_TRUE(suma(99, 0).isNull());
    // nakl holds the bookkeeping lines, numbered without gaps.
    const std::vector<Riadok> n = nakl();
    for (size_t i = 0; i < n.size(); ++i) {
        EXPECT_EQ(n[i].riadok, int(i) + 1);
        EXPECT_TRUE(n[i].suma1 || REXNZ::isAccountingSymbol(n[i].symbol)) << n[i];
    }
    // The printed names: text, number, the part.
    QStringList names;
    for (const rpt::PreparedItem *t : page->texts())
        if (t->name == u"QRDB_CALC_NAZOV")
            names << t->text();
    EXPECT_TRUE(names.contains("DDP č.2 - zam.")) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains("DDP č.2 - firma ")) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains("Základné mzdy")) << names.join('|').toStdString();   // no number
    fixtures::expectWrittenAsPdf(previewHost.last, "PU");
}

TEST_F(CostRecap, BookkeepingSymbols)
{
    for (const char *s : {"(", ")", "*", "+", "[", "]"})
        EXPECT_TRUE(REXNZ::isAccountingSymbol(s)) << s;
    for (const char *s : {"", "Z", "S", "E", "F", "D", "X", "Y", "U", "P"})
        EXPECT_FALSE(REXNZ::isAccountingSymbol(s)) << s;
}

TEST_F(CostRecap, PrintedSecondAmounts)
{
    march2004();
    const rpt::PreparedPage *page = run(request("NZ", 200403));
    ASSERT_TRUE(page) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(textOf(*page, "QRL_Nadpis"), "REKAPITULÁCIA NÁKLADOV ZA MAREC 2004");
    EXPECT_EQ(textOf(*page, "QRDB_CALC_FIRMA"), "DEMO STAV, s.r.o.");
    QStringList texty, sumy, sumy1;
    for (const rpt::PreparedPage &p : previewHost.last.pages)
        for (int i = 0;; ++i) {
            const rpt::PreparedItem *t = p.findText("QRDB_TEXT", i);
            if (!t)
                break;
            texty << t->text();
            sumy << textOf(p, "QRDB_SUMA", i);
            sumy1 << textOf(p, "QRDB_SUMA1", i);
        }
    ASSERT_EQ(texty.size(), 36);
    // The insurers' lines lead.
    EXPECT_EQ(texty[1], "Poistné do zdrav.poisťovne č.24 - spolu");
    EXPECT_EQ(sumy[1], "1 121,00");
    EXPECT_EQ(texty[3], "Poistné do zdrav.poisťovne č.25 - spolu");
    EXPECT_EQ(texty[6], "NP (nemocenské poistenie)    - 1.zamestnanci/2.zamestnávateľ");
    EXPECT_EQ(sumy[7], "400,00");
    EXPECT_EQ(sumy1[7], "1 400,00");
    EXPECT_EQ(sumy[13], "3 684,00");
    EXPECT_EQ(sumy1[18], "");          // a zero second amount prints empty
    EXPECT_EQ(sumy1[33], "60,00");     // a negative one without its sign
    EXPECT_EQ(sumy1[13], "");          // a one-amount line has none
    fixtures::expectWrittenAsPdf(previewHost.last, "NZ");
    expectTextsFit(previewHost.last);
}
