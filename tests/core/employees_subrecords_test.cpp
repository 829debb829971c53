// The employee's detail tables: children, standing deductions, absences, pension
// entitlements and pension-insurance record lines.
#include "employees_fixture.h"

#include "core/helpers/parameters.h"

using namespace tarix;
using tarix::test::EmployeesTest;

namespace {

// The parameter slot of the child-allowance addition, emptied again at the end of a test.
class AllowanceParameter {
public:
    explicit AllowanceParameter(double value)
    {
        MyConsts::Parametre(24) = {24, QStringLiteral("PRIDAV_NA_DIETA"), value, QString()};
    }
    ~AllowanceParameter() { MyConsts::Parametre(24) = {}; }
};

} // namespace

// ---- children ------------------------------------------------------------------------------

TEST_F(EmployeesTest, NewChildBelongsToTheCurrentEmployeeAndClaimsTheRestOfTheYear)
{
    setPeriod(2007, 5);
    openEmployee(2);
    db::Table &d = dmz().TDET_;
    d.open();
    d.insert();
    EXPECT_EQ(d.fieldByName("Code_emp").asInt(), 2);
    EXPECT_EQ(d.fieldByName("MES_OD").asInt(), 5);
    EXPECT_EQ(d.fieldByName("MES_DO").asInt(), 12);
    EXPECT_TRUE(d.fieldByName("NC").asBoolean());
    EXPECT_TRUE(d.fieldByName("PD").asBoolean());
    EXPECT_FALSE(d.fieldByName("ZTP").asBoolean());
    d.cancel();

    // No employee to belong to: refused rather than written without one.
    dmz().Nastav_filter_zamestnancov("code_emp=999");
    expectError([&] { d.insert(); }, Msg(65050));
    EXPECT_EQ(d.state(), db::DataSetState::Browse);
}

TEST_F(EmployeesTest, ChildsClaimMonthsComeInPairs)
{
    openEmployee(1);
    db::Table &d = dmz().TDET_;
    d.open();
    const struct {
        QVariant from, to;
        QString error;
    } cases[] = {
        {3, QVariant(), Msg(65037)},
        {QVariant(), 5, Msg(65036)},
        {3, 12, {}},
        {QVariant(), QVariant(), {}},
    };
    for (const auto &c : cases) {
        d.insert();
        d.setValue("Priezvisko", QStringLiteral("Hudák"));
        d.setValue("RC", QStringLiteral("0702024444"));
        d.setValue("DAT_NAR", QDate(2007, 2, 2));
        d.setValue("MES_OD", c.from);
        d.setValue("MES_DO", c.to);
        if (c.error.isEmpty()) {
            EXPECT_NO_THROW(d.post());
        } else {
            expectError([&] { d.post(); }, c.error);
            EXPECT_EQ(d.state(), db::DataSetState::Insert);
            d.cancel();
        }
    }
    EXPECT_EQ(count("select count(*) from deti where code_emp = 1"), 4);
}

TEST_F(EmployeesTest, ChildsAgeAndAllowancesFollowTheOpenPeriod)
{
    session.execute(R"(insert into ":tarix_comm:cis_pd" (vek_od, potreba, pridavky1, pridavky2) values (0, 3000, 500, 300), (6, 4000, 600, 400), (15, 5000, 700, 500))");
    session.execute(R"(update ":tarix_data:deti" set dat_nar = '1999-04-10' where code_emp = 10)");
    session.execute(R"(update ":tarix_data:deti" set dat_nar = '2007-06-01' where code_emp = 2)");
    AllowanceParameter parameter(540);
    db::Table &d = dmz().TDET_;
    d.setMasterSource(nullptr);
    const struct {
        int period;
        int codeEmp;
        QString age;
        double limit, allowance1, allowance2;
    } cases[] = {
        {200503, 10, "5", 3000, 500 + 540, 300 + 540},
        {200504, 10, "6", 4000, 600 + 540, 400 + 540},
        {200212, 10, "3", 3000, 500, 300}, // before 2003 the code table alone
        {200705, 2, "", 0, 0, 0},          // born after the open period
        {200706, 2, "0", 3000, 500 + 540, 300 + 540},
    };
    for (const auto &c : cases) {
        setPeriod(c.period / 100, c.period % 100);
        d.close();
        d.open();
        ASSERT_TRUE(d.locate("Code_emp", {c.codeEmp}));
        EXPECT_EQ(d.fieldByName("CALC_VEK").asString(), c.age) << c.period;
        EXPECT_DOUBLE_EQ(d.fieldByName("CALC_POTREBA").asFloat(), c.limit) << c.period;
        EXPECT_DOUBLE_EQ(d.fieldByName("CALC_PRIDAVKY1").asFloat(), c.allowance1) << c.period;
        EXPECT_DOUBLE_EQ(d.fieldByName("CALC_PRIDAVKY2").asFloat(), c.allowance2) << c.period;
        EXPECT_EQ(d.fieldByName("CALC_MP").asString().isEmpty(), false);
    }
}

TEST_F(EmployeesTest, AllowanceLookupThatFindsNothingGivesNothing)
{
    session.execute(R"(insert into ":tarix_comm:cis_pd" (vek_od, potreba, pridavky1, pridavky2) values (6, 4000, 600, 400))");
    setPeriod(2007, 1);
    double a1 = 0, a2 = 0;
    {
        AllowanceParameter parameter(540);
        EXPECT_DOUBLE_EQ(dmz().Pridavky_na_dieta("7", a1, a2), 4000);
        EXPECT_DOUBLE_EQ(a1, 1140);
        // Age 3 is below every row: zeros plus the addition, nothing of the call before.
        EXPECT_DOUBLE_EQ(dmz().Pridavky_na_dieta("3", a1, a2), 0);
        EXPECT_DOUBLE_EQ(a1, 540);
        EXPECT_DOUBLE_EQ(a2, 540);
        EXPECT_DOUBLE_EQ(dmz().Pridavky_na_dieta("", a1, a2), 0);
        EXPECT_DOUBLE_EQ(a1, 0);
    }
    // A missing parameter leaves the limit and both allowances at 0.
    EXPECT_DOUBLE_EQ(dmz().Pridavky_na_dieta("7", a1, a2), 0);
    EXPECT_DOUBLE_EQ(a1, 0);
    EXPECT_DOUBLE_EQ(a2, 0);

    const struct {
        const char *born;
        const char *age;
    } ages[] = {{"200601", "1"}, {"200602", "0"}, {"200701", "0"}, {"200702", ""}, {"", ""}, {"abc", ""},
                {"190001", ""}};
    for (const auto &c : ages)
        EXPECT_EQ(dmz().Vek_dietata(c.born), c.age) << c.born;
}

TEST_F(EmployeesTest, CountsTheCurrentEmployeesChildrenByClaim)
{
    session.execute(R"(update ":tarix_data:deti" set dan_bonus = 0 where code_emp = 9 and meno = 'Adam')");
    session.execute(R"(update ":tarix_data:deti" set pd = 0, zniz_poistne = 0 where code_emp = 9 and meno = 'Michal')");
    const struct {
        int codeEmp, reduced, bonus, allowance;
    } cases[] = {{1, 2, 2, 2}, {9, 2, 2, 2}, {3, 0, 0, 0}};
    for (const auto &c : cases) {
        openEmployee(c.codeEmp);
        int a = -1, b = -1, p = -1;
        dmz().Pocet_deti(a, b, p);
        EXPECT_EQ(a, c.reduced) << c.codeEmp;
        EXPECT_EQ(b, c.bonus) << c.codeEmp;
        EXPECT_EQ(p, c.allowance) << c.codeEmp;
    }
}

// ---- standing deductions -------------------------------------------------------------------

TEST_F(EmployeesTest, DeductionKindsAndPeriods)
{
    openEmployee(3);
    db::Table &z = dmz().TZRZ_;
    z.open();
    z.insert();
    EXPECT_EQ(z.fieldByName("Code_emp").asInt(), 3);
    EXPECT_DOUBLE_EQ(z.fieldByName("Suma").asFloat(), 0);
    EXPECT_EQ(z.fieldByName("Typ_sumy").asInt(), 0);
    for (const char *kind : {"P", "O", "Y", "S", "X"})
        EXPECT_NO_THROW(z.setValue("Typ", QString::fromLatin1(kind))) << kind;
    for (const char *kind : {"A", "p", ""}) {
        expectError([&] { z.setValue("Typ", QString::fromLatin1(kind)); }, Msg(65028));
        EXPECT_EQ(z.fieldByName("Typ").asString(), "X");
    }
    expectError([&] { z.setValue("Cislo_u", QStringLiteral("12a")); }, Msg(65194));

    const struct {
        QDate from, to;
        int periodFrom, periodTo;
    } cases[] = {
        {QDate(2005, 3, 15), QDate(2005, 12, 31), 200503, 200512},
        {QDate(2007, 1, 1), QDate(), 200701, 999999},
    };
    for (const auto &c : cases) {
        if (!z.isEditing()) {
            z.insert();
            z.setValue("Typ", QStringLiteral("X"));
        }
        z.setValue("Datum_od", c.from);
        z.setValue("Datum_do", c.to.isValid() ? QVariant(c.to) : QVariant());
        z.setValue("Suma", 100);
        z.post();
        EXPECT_EQ(z.fieldByName("Obdobie_od").asInt(), c.periodFrom);
        EXPECT_EQ(z.fieldByName("Obdobie_do").asInt(), c.periodTo);
    }
}

// ---- absences ------------------------------------------------------------------------------

namespace {

void startAbsence(db::Table &n, const char *kind, QDate from, QDate to)
{
    n.insert();
    n.setValue("Typ", 1);
    n.setValue("TypRL", QString::fromLatin1(kind));
    n.setValue("Datum_od", from);
    n.setValue("Datum_do", to);
}

} // namespace

TEST_F(EmployeesTest, AbsenceDatesMustLieInTheOpenYearAndInOrder)
{
    openEmployee(3);
    db::Table &n = dmz().TNEP_;
    n.open();
    const struct {
        QDate from, to;
        QString error;
    } cases[] = {
        {QDate(2006, 12, 28), QDate(2007, 1, 5), Msg(65033)},
        {QDate(2007, 12, 20), QDate(2008, 1, 5), Msg(65034)},
        {QDate(2007, 3, 5), QDate(2007, 3, 3), Msg(65163)},
        {QDate(2006, 3, 5), QDate(2006, 3, 3), Msg(65163)}, // the order is checked first
        {QDate(2007, 3, 3), QDate(2007, 3, 5), {}},
        {QDate(2007, 2, 10), QDate(2007, 2, 12), {}}, // inside the sick leave of 5 to 16 February
    };
    for (const auto &c : cases) {
        startAbsence(n, "10", c.from, c.to);
        if (c.error.isEmpty()) {
            EXPECT_NO_THROW(n.post());
            EXPECT_EQ(n.fieldByName("TypRL2").asInt(), 1);
            EXPECT_EQ(n.fieldByName("Calc_kal_dni").asInt(), c.from.daysTo(c.to) + 1);
        } else {
            expectError([&] { n.post(); }, c.error);
            EXPECT_EQ(n.state(), db::DataSetState::Insert);
            n.cancel();
        }
    }
    EXPECT_EQ(count("select count(*) from nep where code_emp = 3"), 3);
}

TEST_F(EmployeesTest, RegistrationEventKindsDeriveTheirDates)
{
    openEmployee(3);
    db::Table &n = dmz().TNEP_;
    n.open();
    const QDate d1(2007, 2, 5), d2(2007, 2, 16);
    const struct {
        const char *kind;
        QVariant chosenKind2;
        QVariant reason;
        QString error;
        int kind2;
        QDate from, to;
    } cases[] = {
        {"OD", QVariant(), QVariant(), {}, 3, d2, d2},
        {"PA", QVariant(), QVariant(), {}, 2, d1, d1},
        {"ZM", 1, QVariant(), {}, 2, d1, d1},
        {"PE", QVariant(), 2, Msg(65072, "Typ udalosti"), 0, {}, {}},
        {"PE", 1, QVariant(), Msg(65095), 0, {}, {}},
        {"PE", 2, QVariant(), Msg(65095), 0, {}, {}},
        {"PE", 3, QVariant(), {}, 3, d2, d2},
        {"PE", 1, 2, {}, 1, d1, d2},
    };
    for (const auto &c : cases) {
        // Kinds that take their dates from the employee card are typed after the dates.
        startAbsence(n, "10", d1, d2);
        n.fieldByName("TypRL").setValueSilently(QString::fromLatin1(c.kind));
        n.setValue("TypRL2", c.chosenKind2);
        n.setValue("Prerusenie", c.reason);
        if (!c.error.isEmpty()) {
            expectError([&] { n.post(); }, c.error);
            n.cancel();
            continue;
        }
        EXPECT_NO_THROW(n.post()) << c.kind;
        EXPECT_EQ(n.fieldByName("TypRL2").asInt(), c.kind2) << c.kind;
        EXPECT_EQ(n.fieldByName("Datum_od").asDate(), c.from) << c.kind;
        EXPECT_EQ(n.fieldByName("Datum_do").asDate(), c.to) << c.kind;
    }

    // The reason of an interruption belongs to "PE" only.
    startAbsence(n, "10", d1, d2);
    expectError([&] { n.setValue("Prerusenie", 2); }, Msg(65094));
    EXPECT_TRUE(n.fieldByName("Prerusenie").isNull());
    n.cancel();
}

TEST_F(EmployeesTest, StartAndEndEventsTakeTheDatesOfTheEmployeeCard)
{
    db::Table &n = dmz().TNEP_;
    n.open();
    openEmployee(10); // started 15.1.2007
    n.insert();
    n.setValue("TypRL", QStringLiteral("PA"));
    EXPECT_EQ(n.fieldByName("Datum_od").asDate(), QDate(2007, 1, 15));
    EXPECT_EQ(n.fieldByName("Datum_do").asDate(), QDate(2007, 1, 15));
    // Still employed: no end date to take.
    expectError([&] { n.setValue("TypRL", QStringLiteral("OD")); }, Msg(65052));
    EXPECT_EQ(n.fieldByName("TypRL").asString(), "PA");
    n.cancel();

    openEmployee(6); // left 30.4.2007
    n.insert();
    n.setValue("TypRL", QStringLiteral("OD"));
    EXPECT_EQ(n.fieldByName("Datum_od").asDate(), QDate(2007, 4, 30));
    n.setValue("TypRL", QStringLiteral("10"));
    EXPECT_EQ(n.fieldByName("Datum_od").asDate(), QDate(2007, 4, 30)) << "other kinds leave the dates";
    n.cancel();
}

TEST_F(EmployeesTest, AbsenceShowsItsOwnEmployeeWithoutTouchingTheEmployeeTable)
{
    session.execute(R"(insert into ":tarix_data:nep" (code_emp, datum_od, datum_do, typ, typrl, typrl2) values (99, '2007-05-02', '2007-05-02', 0, '10', 1))");
    openEmployee(3);
    zam().setFilter("sid=2");
    zam().setFiltered(true);
    ASSERT_TRUE(zam().locate("Code_emp", {3}));
    db::Table &n = dmz().TNEP_;
    n.setIndexName("NEP1");
    n.open(); // every employee's absences, in employee order
    QStringList shown;
    for (n.first(); !n.eof(); n.next())
        shown << n.fieldByName("L_ZAM").asString();
    EXPECT_EQ(shown, (QStringList{"Čierny Peter ,103", "Žiak Tomáš (zruš.),106", "Zeman Róbert ,110", ""}));
    EXPECT_EQ(zam().filter(), "sid=2");
    EXPECT_EQ(zam().fieldByName("Code_emp").asInt(), 3);
    n.first();
    EXPECT_EQ(n.fieldByName("Calc_kal_dni").asInt(), 12);
    EXPECT_FALSE(n.fieldByName("Calc_typ_nep").asString().isEmpty());
}

// ---- pensions and record lines -------------------------------------------------------------

TEST_F(EmployeesTest, PensionEndMayNotPrecedeItsStart)
{
    openEmployee(1);
    db::Table &p = dmz().TDOCH_;
    p.open();
    p.insert();
    EXPECT_EQ(p.fieldByName("Code_emp").asInt(), 1);
    // No start yet: any end date is accepted, an empty one is not.
    EXPECT_NO_THROW(p.setValue("Datum_do", QDate(1990, 1, 1)));
    p.setValue("Datum_od", QDate(2007, 1, 10));
    const struct {
        QVariant to;
        bool refused;
    } cases[] = {{QDate(2007, 1, 9), true}, {QVariant(), true}, {QDate(2007, 1, 10), false}, {QDate(2008, 1, 1), false}};
    for (const auto &c : cases) {
        const QVariant before = p.fieldByName("Datum_do").value();
        if (c.refused) {
            expectError([&] { p.setValue("Datum_do", c.to); }, Msg(65163));
            EXPECT_EQ(p.fieldByName("Datum_do").value(), before);
        } else {
            EXPECT_NO_THROW(p.setValue("Datum_do", c.to));
        }
    }
    p.post();

    db::Table &e = dmz().TELDP_;
    e.open();
    e.insert();
    e.setValue("Datum_od", QDate(2007, 3, 1));
    e.setValue("Datum_do", QDate(2007, 2, 28));
    expectError([&] { e.post(); }, Msg(65163));
    e.setValue("Datum_do", QDate(2007, 3, 1));
    EXPECT_NO_THROW(e.post());
    EXPECT_EQ(e.fieldByName("Code_emp").asInt(), 1);
}

TEST_F(EmployeesTest, DetailListsStandStillWhileTheirTableIsEdited)
{
    openEmployee(1);
    const struct {
        db::Table *table;
        db::DataSource *list;
    } cases[] = {{&dmz().TDET_, &dmz().DS_DGRID}, {&dmz().TZRZ_, &dmz().DS_ZRZG}, {&dmz().TNEP_, &dmz().DS_NEPG}};
    for (const auto &c : cases) {
        c.table->open();
        c.table->insert();
        EXPECT_FALSE(c.list->isEnabled()) << c.table->objectName().toStdString();
        c.table->cancel();
        EXPECT_TRUE(c.list->isEnabled()) << c.table->objectName().toStdString();
    }
}
