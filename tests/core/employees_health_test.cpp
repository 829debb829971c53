// Health-insurance records of the employee module: settlement requests, periods without
// insurance, the universal record, the monthly basis and its rebuild, change reports.
#include "employees_fixture.h"

#include "platform/format/clock.h"

using namespace tarix;
using tarix::test::EmployeesTest;

namespace {

// Fixes "today" for the scope.
class Today {
public:
    explicit Today(QDate d) : m_old(fmt::setNowFunction([d] { return QDateTime(d, QTime(10, 0)); })) {}
    ~Today() { fmt::setNowFunction(m_old); }

private:
    fmt::NowFunction m_old;
};

void fillRequest(db::DataSet &t)
{
    t.setValue("Typ_zuctovania", 1);
    t.setValue("Datum_ziadosti", QDate(2007, 2, 10));
}

} // namespace

TEST_F(EmployeesTest, SettlementRequestIsOnePerEmployeeAndYearFrom2006)
{
    db::Table &r = dmz().TZP1_;
    setPeriod(2005, 3);
    openEmployee(1);
    r.open();
    expectError([&] { r.insert(); }, Msg(65100));
    EXPECT_EQ(r.state(), db::DataSetState::Browse);

    setPeriod(2007, 3);
    r.insert();
    EXPECT_EQ(r.fieldByName("Code_emp").asInt(), 1);
    EXPECT_EQ(r.fieldByName("V_rok").asInt(), 2007);
    EXPECT_EQ(r.fieldByName("ROK").asInt(), 2006);
    EXPECT_EQ(r.fieldByName("KZP").asInt(), 25);
    fillRequest(r);
    r.post();

    // A second request of the same employee and year is not started, silently.
    EXPECT_THROW(r.insert(), EAbort);
    EXPECT_EQ(r.state(), db::DataSetState::Browse);
    EXPECT_TRUE(scripted.events().empty());
    // Another employee still gets his.
    openEmployee(2);
    r.insert();
    fillRequest(r);
    r.post();
    EXPECT_EQ(count("select count(*) from zp_znec where v_rok = 2007"), 2);
}

TEST_F(EmployeesTest, SettlementRequestDatesLieInTheSettledYear)
{
    openEmployee(1);
    db::Table &r = dmz().TZP1_;
    r.open();
    r.insert();
    fillRequest(r);
    const struct {
        QVariant from, to;
        QString error;
    } cases[] = {
        {QDate(2007, 1, 1), QVariant(), Msg(65101, "1.1.2007")},
        {QDate(2006, 1, 1), QDate(2005, 12, 31), Msg(65101, "31.12.2005")},
        {QDate(2006, 3, 1), QDate(2006, 2, 1), Msg(65163)},
        {QDate(2006, 3, 1), QDate(2006, 12, 31), {}},
    };
    for (const auto &c : cases) {
        r.setValue("Zamnec_od", c.from);
        r.setValue("Zamnec_do", c.to);
        if (c.error.isEmpty())
            EXPECT_NO_THROW(r.post());
        else
            expectError([&] { r.post(); }, c.error);
    }
}

TEST_F(EmployeesTest, HealthRecordsAskBeforeTheyAreDeleted)
{
    session.execute(R"(insert into ":tarix_data:zp_znec" (code_emp, v_rok, rok, kzp, typ_zuctovania, datum_ziadosti) values (1, 2007, 2006, 25, 1, '2007-02-01'))");
    session.execute(R"(insert into ":tarix_data:zp_pstat" (code_emp, datum_od, datum_do) values (1, '2006-01-01', '2006-01-31'))");
    openEmployee(1);
    for (db::Table *t : {&dmz().TZP1_, &dmz().TZP2_}) {
        t->open();
        ASSERT_EQ(t->recordCount(), 1);
        scripted.answerNo(Msg(65073));
        expectError([&] { t->deleteRecord(); }, Msg(65074));
        EXPECT_EQ(t->recordCount(), 1);
        scripted.answerYes(Msg(65073));
        t->deleteRecord();
        EXPECT_EQ(t->recordCount(), 0);
    }
}

TEST_F(EmployeesTest, PeriodWithoutInsuranceNeedsItsEndOnceItHasAStart)
{
    openEmployee(1);
    db::Table &p = dmz().TZP2_;
    p.open();
    const struct {
        QVariant from, to;
        bool refused;
    } cases[] = {
        {QDate(2006, 5, 1), QVariant(), true},
        {QDate(2006, 5, 1), QDate(2006, 4, 30), true},
        {QVariant(), QVariant(), false},
        {QDate(2006, 5, 1), QDate(2006, 5, 1), false},
    };
    for (const auto &c : cases) {
        p.insert();
        EXPECT_EQ(p.fieldByName("Code_emp").asInt(), 1);
        p.setValue("Datum_od", c.from);
        p.setValue("Datum_do", c.to);
        if (c.refused) {
            expectError([&] { p.post(); }, Msg(65163));
            p.cancel();
        } else {
            EXPECT_NO_THROW(p.post());
        }
    }
}

TEST_F(EmployeesTest, UniversalRecordKeepsTheSecondTextOnlyForItsCase)
{
    openEmployee(1);
    db::Table &u = dmz().TZP3_;
    u.open();
    const struct {
        const char *kind;
        const char *a1;
        bool kept;
    } cases[] = {{"VV", "3", true}, {"VV", "1", false}, {"VV", "", false}, {"XX", "1", true}};
    for (const auto &c : cases) {
        u.insert();
        u.setValue("Typ", QString::fromLatin1(c.kind));
        u.setValue("V_rok", 2007);
        u.setValue("A1", QString::fromLatin1(c.a1));
        u.setValue("A2", QStringLiteral("text"));
        u.post();
        EXPECT_EQ(u.fieldByName("A2").isNull(), !c.kept) << c.kind << " " << c.a1;
    }

    // The monthly basis is written by its rebuild only.
    dmz().TZP4_.open();
    EXPECT_THROW(dmz().TZP4_.insert(), EAbort);
    EXPECT_EQ(dmz().TZP4_.state(), db::DataSetState::Browse);
}

TEST_F(EmployeesTest, ChangeReportCodesAndDates)
{
    Today today(QDate(2007, 3, 5));
    db::Table &t = dmz().TZP5_;
    t.open();
    const struct {
        QVariant kzp;
        int expected;
    } insurers[] = {{5, 5}, {25, 25}, {123, 12}, {QVariant(), 0}};
    for (const auto &c : insurers) {
        session.execute(R"(update ":tarix_data:zam" set kzp = :k where code_emp = 4)", {{"k", c.kzp}});
        zam().close();
        openEmployee(4);
        t.insert();
        EXPECT_EQ(t.fieldByName("KZP").asInt(), c.expected) << c.kzp.toString().toStdString();
        EXPECT_EQ(t.fieldByName("Code_emp").asInt(), 4);
        EXPECT_EQ(t.fieldByName("Datum_zmeny").asDate(), QDate(2007, 3, 5));
        t.cancel();
    }

    t.insert();
    const struct {
        const char *code;
        bool accepted;
    } codes[] = {{"2", true},  {"1A", true},  {"1U", true},  {"9K", true}, {"", true},
                 {"1", false}, {"1V", false}, {"1a", false}, {"12", false}};
    for (const auto &c : codes) {
        t.setValue("Kod_zmeny", QStringLiteral("2"));
        if (c.accepted) {
            EXPECT_NO_THROW(t.setValue("Kod_zmeny", QString::fromLatin1(c.code))) << c.code;
        } else {
            expectError([&] { t.setValue("Kod_zmeny", QString::fromLatin1(c.code)); }, Msg(65187));
            EXPECT_EQ(t.fieldByName("Kod_zmeny").asString(), "2") << c.code;
        }
    }

    t.setValue("Kod_zmeny", QStringLiteral("1M"));
    t.setValue("Platnost_zmeny", QStringLiteral("Z"));
    t.setValue("Datum_zmeny", QDate(2006, 12, 31));
    expectError([&] { t.post(); }, Msg(65035));
    EXPECT_EQ(t.fieldByName("V_rok").asInt(), 2006);
    t.setValue("Datum_zmeny", QDate(2007, 3, 5));
    t.post();
    EXPECT_EQ(t.fieldByName("V_rok").asInt(), 2007);
    EXPECT_EQ(t.fieldByName("V_mesiac").asInt(), 3);

    // Editing a report of another employee keeps it his.
    openEmployee(1);
    ASSERT_TRUE(t.locate("Code_emp", {4}));
    t.edit();
    t.setValue("Id_cislo", QStringLiteral("X1"));
    t.post();
    EXPECT_EQ(count("select count(*) from davka601 where code_emp = 4"), 1);
}

TEST_F(EmployeesTest, MonthlyBasisIsRebuiltFromThePayrollRecordsOfThePreviousYear)
{
    const QString cols =
        ", n_prijem_zp, f_zdravot, o_zdravot, oz_zdravot, f_doba, v_nahrada_pn1, v_nahrada_pn2, f_min_mzda";
    addPayroll(1, 200601, cols, ", 32000, 4, 1280, 100.5, 10, 0, 0, 6500");
    addPayroll(1, 200602, cols, ", 30000.5, 4, 1200.02, 101.5, 4, NULL, NULL, 6500");
    addPayroll(1, 200603, cols, ", 31000, 4, 1240, 99.4, 8, 2, 1, 6500");
    addPayroll(1, 200701, cols, ", 99999, 4, 1, 1, 8, 0, 0, 7600"); // the open year: not read
    addPayroll(2, 200601, cols, ", 21000, 4, 840, 80, 8, 0, 0, 6500");
    session.execute(R"(insert into ":tarix_data:zp_tab" (code_emp, v_rok, v_mesiac, typ, x1) values (1, 2006, 1, 2, 7))");
    openEmployee(1);

    scripted.answerNo(Msg(65065));
    dmz().Vypocet_podkladov_zp();
    EXPECT_EQ(count("select count(*) from zp_tab"), 1);

    dmz().TZP4_.open();
    for (int run = 0; run < 2; ++run) {
        scripted.answerYes(Msg(65065));
        dmz().Vypocet_podkladov_zp();
        EXPECT_EQ(scripted.messages(ui::MessageKind::Information).last(), Msg(65066));
        EXPECT_EQ(count("select count(*) from zp_tab where code_emp = 1 and v_rok = 2006 and typ = 1"), 12);
        const auto r = session.run(R"(select v_mesiac, x1, x2, x3, x4, x5 from ":tarix_data:zp_tab" where code_emp = 1 and typ = 1 order by v_mesiac)");
        const struct {
            double x1, x2, x3, x4, x5;
        } months[] = {
            {32000, 4, 6500, 1280, 100},     // 6500 / 8 x 8 h (10 capped) / 20 x 20
            {30000.5, 4, 3250, 1200.02, 102}, // 4 h, no compensation days; 101.5 to even
            {31000, 4, 5572, 1240, 99},      // 8 h / 21 x (21 - 3), rounded up: 5571.43 -> 5572
            {0, 0, 0, 0, 0},
        };
        for (int m = 0; m < 4; ++m) {
            EXPECT_DOUBLE_EQ(r.asFloat(m, 1), months[m].x1) << m;
            EXPECT_DOUBLE_EQ(r.asFloat(m, 2), months[m].x2) << m;
            EXPECT_DOUBLE_EQ(r.asFloat(m, 3), months[m].x3) << m;
            EXPECT_DOUBLE_EQ(r.asFloat(m, 4), months[m].x4) << m;
            EXPECT_DOUBLE_EQ(r.asFloat(m, 5), months[m].x5) << m;
        }
        EXPECT_EQ(dmz().TZP4_.recordCount(), 13) << "the open table shows the new rows";
    }
    EXPECT_EQ(count("select count(*) from zp_tab where typ = 2"), 1) << "other kinds stay";
    EXPECT_EQ(count("select count(*) from zp_tab where code_emp = 2"), 0);
}
