// The generation of bulk payment orders from a month's payroll: the items of the four parts
// mapped from a fixture of nakl, cis_bu, vyp, zam and zrv (symbols, accounts, order), the
// account pre-check and its list, the levies left out for want of a payee's account, and
// the generation that replaces a header's items in one transaction.
#include "payment_orders_fixture.h"

#include "core/helpers/messages.h"
#include "filings/payment_orders.h"

using namespace tarix;
using namespace tarix::filings;

namespace tarix::filings {
std::ostream &operator<<(std::ostream &os, const BulkOrderItem &p)
{
    return os << p.suma << " '" << p.cislo_u.toStdString() << "' '" << p.banka_u.toStdString() << "' ss '"
              << p.ssym.toStdString() << "' ks '" << p.ksym.toStdString() << "' vs '" << p.vsym.toStdString()
              << "' (" << p.zdroj.toStdString() << ")";
}
} // namespace tarix::filings

namespace {

constexpr int kObdobia[] = {200112, 200201, 200203, 200503};

class PaymentOrderItems : public fixtures::PaymentOrderFirm {
protected:
    void SetUp() override
    {
        PaymentOrderFirm::SetUp();
        setInf("ksym_u='0558'");
        session.execute("delete from \":tarix_priv:nakl\"");
        session.execute("delete from \":tarix_data:cis_bu\"");
        nakl(1, "Sociálna poisťovňa - výsledná suma odvodu", 1000, "S", 0);
        nakl(2, "Zákonné poistenie zodpovednosti organiz. za škodu", 150.5, "P", 0);
        nakl(3, "Daňový úrad - odvod dane spolu", 0, "D", 0);      // nothing owed: no item
        nakl(4, "Poistné do zdrav.poisťovne č.25 - spolu", 300, "Z", 25); // payee without account
        nakl(5, "Odvod na úrad práce spolu", 40, "U", 0);          // no payee row at all
        payee("S", 0, "19-123457", "0200", "7777", "1148", "36214582");
        payee("P", 0, "123457", "1100", "999", "3558", "111");
        payee("D", 0, "2612345678", "0200", QString(), "1148", QString());
        payee("Z", 25, QString(), "0200", QString(), QString(), QString());
        employee(1, "Horváthová", "Mária", "755101/1234", QString(), "123457", "0900", QString(), QString(), "4455");
        employee(2, "Kováč", "Ján", "8001011237", "19", "123457", QString(), QString(), "0008", QString());
        employee(3, "Novák", "Peter", QString(), QString(), QString(), QString(), "55", QString(), QString());
        for (int p : kObdobia) {
            insertVyp(1, p, {{"SID", 1}, {"Sporenie", 15000.5}, {"Ne_zaloha", 0}});
            insertVyp(2, p, {{"SID", 1}, {"Sporenie", 12000}, {"Ne_zaloha", 2000}});
            insertVyp(3, p, {{"SID", 2}, {"Sporenie", 0}, {"Ne_zaloha", 500}});
            deduction(1, p, 800, "2624447774", "1100", "12", "0558", "991");
            deduction(1, p, 0, "2624447774", "1100", "13", "0558", "992");      // nothing deducted
            deduction(2, p, 300, QString(), "1100", "14", "0558", "993");       // no account
        }
    }

    static Parametre_hp vsetky()
    {
        Parametre_hp v;
        v.cast_d = true;
        return v;
    }
    std::vector<BulkOrderItem> polozky(int obdobie, const Parametre_hp &v, int sidDo = 99)
    {
        return bulkOrderItems(session, obdobie, 1, sidDo, v);
    }
    static std::vector<BulkOrderItem> bezZdroja(std::vector<BulkOrderItem> items)
    {
        for (BulkOrderItem &p : items)
            p.zdroj.clear();
        return items;
    }
};

TEST_F(PaymentOrderItems, AllFourPartsComeInTheOrderABDCWithoutAmountsOfZero)
{
    const std::vector<BulkOrderItem> expected{
        // a: nakl x cis_bu in nakl's order; the liability insurer "P" paid by the quarter.
        {1000, "19-123457", "0200", "7777", "1148", "36214582", {}},
        {150.5, "123457", "1100", "12005", "3558", "111", {}},
        // b: net pay; an empty constant symbol is 0138, the variable symbol the month "MMYY";
        // an empty bank is stored as "0".
        {15000.5, "123457", "0900", "", "0138", "0305", {}},
        {12000, "19-123457", "0", "", "0008", "0305", {}},
        // d: advances; an empty constant symbol is the firm's, the variable symbol the
        // employee's own; an empty account is stored as "0".
        {2000, "19-123457", "0", "", "0008", "", {}},
        {500, "0", "0", "55", "0558", "", {}},
        // c: deductions with an account and an amount.
        {800, "2624447774", "1100", "12", "0558", "991", {}},
    };
    EXPECT_EQ(bezZdroja(polozky(200503, vsetky())), expected);
}

TEST_F(PaymentOrderItems, SymbolsFollowThePeriodAndTheChoices)
{
    // Each case: the period, the choices, the item (by its place among the items of the chosen
    // parts) and the symbol or account it must have.
    struct Pripad {
        const char *name;
        int obdobie;
        std::function<void(Parametre_hp &)> volby;
        size_t polozka;
        QString BulkOrderItem::*pole;
        QString expected;
    };
    auto len = [](bool a, bool b, bool c, bool d) {
        return [=](Parametre_hp &v) {
            v.cast_a = a;
            v.cast_b = b;
            v.cast_c = c;
            v.cast_d = d;
        };
    };
    const Pripad pripady[] = {
        {"quarter 1 of 2002", 200203, len(true, false, false, false), 1, &BulkOrderItem::ssym, "12002"},
        {"months 1 and 2 are quarter 0", 200201, len(true, false, false, false), 1, &BulkOrderItem::ssym, "02002"},
        {"before 2002 the stored symbol", 200112, len(true, false, false, false), 1, &BulkOrderItem::ssym, "999"},
        {"other payees keep theirs", 200203, len(true, false, false, false), 0, &BulkOrderItem::ssym, "7777"},
        {"month and year of the period", 200503, len(false, true, false, false), 0, &BulkOrderItem::vsym, "0305"},
        {"December 2001", 200112, len(false, true, false, false), 0, &BulkOrderItem::vsym, "1201"},
        {"birth number without the slash",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_c = false;
             v.vsym_rc = true;
         },
         0, &BulkOrderItem::vsym, "7551011234"},
        {"birth number for the advance too",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_b = v.cast_c = false;
             v.cast_d = true;
             v.vsym_rc = true;
         },
         0, &BulkOrderItem::vsym, "8001011237"},
        {"typed symbol as typed",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_c = false;
             v.vsym = " 0042";
         },
         1, &BulkOrderItem::vsym, " 0042"},
        {"names: the first ten characters of surname and name",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_c = false;
             v.mena = true;
         },
         0, &BulkOrderItem::ssym, "Horváthová"},
        {"names: a short name whole",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_c = false;
             v.mena = true;
         },
         1, &BulkOrderItem::ssym, "Kováč Ján"},
        {"names do not apply to advances",
         200503,
         [](Parametre_hp &v) {
             v.cast_a = v.cast_b = v.cast_c = false;
             v.cast_d = true;
             v.mena = true;
         },
         1, &BulkOrderItem::ssym, "55"},
        {"prefix and number joined with a dash", 200503, len(false, true, false, false), 1, &BulkOrderItem::cislo_u,
         "19-123457"},
    };
    for (const Pripad &c : pripady) {
        Parametre_hp v;
        c.volby(v);
        const std::vector<BulkOrderItem> items = polozky(c.obdobie, v);
        ASSERT_GT(items.size(), c.polozka) << c.name;
        EXPECT_EQ(items[c.polozka].*c.pole, c.expected) << c.name;
    }
}

TEST_F(PaymentOrderItems, TheCentreRangeLimitsPayAdvancesAndDeductions)
{
    Parametre_hp v = vsetky();
    v.cast_a = false;
    // Employee 3 (the only advance without pay) works in centre 2.
    const std::vector<BulkOrderItem> items = polozky(200503, v, 1);
    ASSERT_EQ(items.size(), 4u);
    for (const BulkOrderItem &p : items)
        EXPECT_NE(p.suma, 500) << p;
}

TEST_F(PaymentOrderItems, ThePreCheckListsEveryEmployeePaidWithoutAnAccount)
{
    // Employee 3 is paid to an account he has not got; employee 4 to ten zeros.
    session.execute("update \":tarix_data:vyp\" set sporenie=100 where code_emp=3 and v_obdobie=200503");
    insertVyp(4, 200503, {{"SID", 1}, {"Sporenie", 50}});
    session.execute("update \":tarix_data:zam\" set cislo_u='0000000000' where code_emp=4");
    QString path;
    EXPECT_FALSE(Kontrola_uctov(session, 200503, &path));
    EXPECT_EQ(path, outputs() + "chyby2_200503.txt");
    // CR LF lines in Windows-1250 ("č" is 0xE8), one line per employee, in personal-number order.
    EXPECT_EQ(fixtures::readFile(path), fixtures::expectedFile("chyby2_200503.txt"));
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(started.value(0).contains(QFileInfo(path).fileName()));
    EXPECT_TRUE(Kontrola_uctov(session, 200201));
}

TEST_F(PaymentOrderItems, ThePreCheckNamesMoreThanAHundredEmployees)
{
    session.execute("update \":tarix_data:zam\" set cislo_u=null");
    // Copies of employee 1 under other numbers.
    QStringList columns = session.run("select * from \":tarix_data:zam\" where code_emp=1").columnNames();
    QStringList values = columns;
    for (QString &v : values)
        if (v.compare("code_emp", Qt::CaseInsensitive) == 0)
            v = ":p1";
        else if (v.compare("code_numb", Qt::CaseInsensitive) == 0)
            v = ":p2";
    for (int e = 11; e <= 130; ++e) {
        session.execute(QStringLiteral("insert into \":tarix_data:zam\" (%1) select %2 from \":tarix_data:zam\" "
                                       "where code_emp=1")
                            .arg(columns.join(','), values.join(',')),
                        {{"p1", e}, {"p2", 1000 + e}});
        insertVyp(e, 200503, {{"SID", 1}, {"Sporenie", 1}});
    }
    EXPECT_EQ(employeesWithoutAccount(session, 200503).size(), 120 + 2);
}

TEST_F(PaymentOrderItems, LeviesWhosePayeeHasNoAccountAreNamed)
{
    // The fixture: the health insurer 25 has a row without an account, the labour office
    // none at all; the tax office is owed nothing.
    const std::vector<LeftOutLevy> levies = leviesWithoutAccount(session);
    ASSERT_EQ(levies.size(), 2u);
    EXPECT_EQ(levies[0].text, "Poistné do zdrav.poisťovne č.25 - spolu");
    EXPECT_EQ(levies[0].amount, 300);
    EXPECT_EQ(levies[1].text, "Odvod na úrad práce spolu");
    EXPECT_EQ(levies[1].amount, 40);
    const QString text = leftOutLeviesText(levies);
    EXPECT_TRUE(text.contains("Poistné do zdrav.poisťovne č.25 - spolu: 300,00 Sk")) << text.toStdString();
    EXPECT_TRUE(text.contains("Odvod na úrad práce spolu: 40,00 Sk")) << text.toStdString();
    EXPECT_TRUE(leftOutLeviesText({}).isEmpty());
}

TEST_F(PaymentOrderItems, TheTaxIsLeftOutOnlyWhenNoneOfItsLinesIsPaid)
{
    // The tax office is paid the total "D" or its parts "E" (advances) and "F" (withholding).
    struct Pripad {
        const char *name;
        QStringList placene;
        QStringList vynechane;
    } pripady[] = {
        {"the total paid", {"D"}, {}},
        {"both parts paid", {"E", "F"}, {}},
        {"one part paid: the other is named", {"E"}, {"F"}},
        {"the other part paid", {"F"}, {"E"}},
        {"nothing paid: the total is named", {}, {"D"}},
    };
    for (const Pripad &c : pripady) {
        session.execute("delete from \":tarix_priv:nakl\"");
        session.execute("delete from \":tarix_data:cis_bu\"");
        nakl(1, "E", 600, "E", 0);
        nakl(2, "F", 400, "F", 0);
        nakl(3, "D", 1000, "D", 0);
        for (const QString &documentKind : c.placene)
            payee(documentKind, 0, "2612345678", "0200", QString(), "1148", QString());
        QStringList named;
        for (const LeftOutLevy &l : leviesWithoutAccount(session))
            named << l.text;
        EXPECT_EQ(named, c.vynechane) << c.name;
    }
}

// ---- the generation ------------------------------------------------------------------------

class PaymentOrderGeneration : public PaymentOrderItems {
protected:
    void SetUp() override
    {
        PaymentOrderItems::SetUp();
        header(1, "2612345678", "0200", QDate(2005, 6, 10));
        item(1, 77, "123457", "0900", "1", "2", "3"); // entered by hand
        header(2, "2612345678", "0200", QDate(2005, 6, 10));
        item(2, 5, "123457", "0900");
    }
    bool generuj(int hpid, const Parametre_hp &v, int obdobie = 200503)
    {
        return Generuj_polozky(session, hpid, obdobie, 1, 99, [v] { return std::optional<Parametre_hp>(v); });
    }
    int items(int hpid) { return count(QStringLiteral("select count(*) from \":tarix_data:hp2\" where hpid=%1").arg(hpid)); }
};

TEST_F(PaymentOrderGeneration, RegenerationReplacesTheHeadersItemsAndTellsToCheckTheTax)
{
    Parametre_hp v;
    v.cast_a = false;
    ASSERT_TRUE(generuj(1, v));
    EXPECT_EQ(items(1), 3);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=1 and suma=77"), 0);
    EXPECT_EQ(items(2), 1); // another header keeps its items
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65150)});
    // Stored as generated, in the order generated.
    const db::SqlResult r =
        session.run("select suma, cislo_u, banka_u, ssym, ksym, vsym from \":tarix_data:hp2\" where hpid=1 "
                    "order by seqid");
    EXPECT_EQ(r.asFloat(0, 0), 15000.5);
    EXPECT_EQ(r.asString(1, 1), "19-123457");
    EXPECT_EQ(r.asString(1, 2), "0");
    EXPECT_TRUE(r.isNull(1, 3)); // no specific symbol
    EXPECT_EQ(r.asString(2, 5), "991");
}

TEST_F(PaymentOrderGeneration, NoPartChosenChangesNothing)
{
    Parametre_hp v;
    v.cast_a = v.cast_b = v.cast_c = v.cast_d = false;
    EXPECT_FALSE(generuj(1, v));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65149)});
    EXPECT_EQ(items(1), 1);
}

TEST_F(PaymentOrderGeneration, ClosingTheDialogChangesNothing)
{
    EXPECT_FALSE(Generuj_polozky(session, 1, 200503, 1, 99, [] { return std::optional<Parametre_hp>(); }));
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_EQ(items(1), 1);
}

TEST_F(PaymentOrderGeneration, MissingAccountsStopItBeforeAnythingIsDeleted)
{
    session.execute("update \":tarix_data:vyp\" set sporenie=100 where code_emp=3");
    bool asked = false;
    EXPECT_FALSE(Generuj_polozky(session, 1, 200503, 1, 99, [&] {
        asked = true;
        return std::optional<Parametre_hp>(Parametre_hp{});
    }));
    EXPECT_FALSE(asked);
    EXPECT_EQ(items(1), 1);
    EXPECT_TRUE(QFile::exists(outputs() + "chyby2_200503.txt"));
}

TEST_F(PaymentOrderGeneration, ARowThatCannotBeStoredRollsBackTheWholeRunAndIsNamed)
{
    Parametre_hp v;
    v.cast_a = false;
    v.vsym = "12345678901"; // one character more than a variable symbol holds
    EXPECT_FALSE(generuj(1, v));
    EXPECT_EQ(items(1), 1);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=1 and suma=77"), 1);
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("os.č. 101 Horváthová Mária")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("12345678901")) << errors[0].toStdString();
    EXPECT_FALSE(scripted.messages().contains(Msg(65150)));
}

TEST_F(PaymentOrderGeneration, AHeaderDeletedMeanwhileIsRefused)
{
    session.execute("delete from \":tarix_data:hp1\" where hpid=1");
    Parametre_hp v;
    v.cast_a = false;
    EXPECT_FALSE(generuj(1, v));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65127)});
    EXPECT_EQ(items(1), 1); // the orphaned item was not replaced either
    EXPECT_FALSE(generuj(0, v));
}

TEST_F(PaymentOrderGeneration, TheMessageAfterGenerationNamesEveryLevyLeftOut)
{
    // The month owes the tax office 500 Sk of advances; its payee row is gone.
    session.execute("update \":tarix_data:vyp\" set d_preddavok=500 where code_emp=1 and v_obdobie=200503");
    session.execute("delete from \":tarix_data:cis_bu\" where buid_typ='D'");
    Parametre_hp v;
    v.cast_b = v.cast_c = false;
    ASSERT_TRUE(generuj(1, v)) << scripted.messages().join('\n').toStdString();
    const QStringList warnings = scripted.messages(ui::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].startsWith(Msg(65150)));
    EXPECT_TRUE(warnings[0].contains("Daňový úrad - odvod dane spolu: 500,00 Sk")) << warnings[0].toStdString();
    // Its parts go with the total: not named on their own.
    EXPECT_FALSE(warnings[0].contains("Daňový úrad - preddavky + RZ - bonusy")) << warnings[0].toStdString();

    // With the payee's account back nothing is left out, and the message is the plain one.
    payee("D", 0, "2612345678", "0200", QString(), "1148", QString());
    scripted.clearEvents();
    ASSERT_TRUE(generuj(1, v));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Warning), QStringList{Msg(65150)});
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=1 and suma=500"), 1);
}

TEST_F(PaymentOrderGeneration, PartARunsTheRecapitulationWhichRewritesNakl)
{
    // The recapitulation of the month replaces the fixture's lines by its own: the social
    // insurer's line "S" carries what the month's records owe (nothing here), so the only
    // part-a item left would be one the recapitulation computed.
    Parametre_hp v;
    v.cast_b = v.cast_c = false;
    ASSERT_TRUE(generuj(1, v)) << scripted.messages().join('\n').toStdString();
    EXPECT_EQ(count("select count(*) from \":tarix_priv:nakl\" where text like 'Zákonné poistenie%'"), 0);
    EXPECT_GT(count("select count(*) from \":tarix_priv:nakl\""), 5);
    EXPECT_EQ(items(1), count("select count(*) from \":tarix_priv:nakl\" x, \":tarix_data:cis_bu\" y where "
                              "x.ident_symbol=y.buid_typ and x.ident_cislo=y.buid_kod and x.suma > 0 and "
                              "coalesce(y.cislo_u,'') <> ''"));
}

} // namespace
