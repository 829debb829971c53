// The employee table TZAM_: defaults and internal number of a new employee, the checks of
// typed values and of a post, deleting, the name texts, the filters and the demo firm.
#include "employees_fixture.h"

#include "core/dm_all.h"
#include "core/helpers/dialogs.h"
#include "platform/db/db_error.h"

using namespace tarix;
using tarix::test::EmployeesTest;

namespace {

// Fills what a new employee needs besides the defaults.
void fillRequired(db::DataSet &t, int personalNumber)
{
    t.setValue("Code_numb", personalNumber);
    t.setValue("Surname", QStringLiteral("Nový"));
    t.setValue("Name", QStringLiteral("Adam"));
    t.setValue("Zamestnanie", QStringLiteral("technik"));
    t.setValue("Nastup", QDate(2007, 1, 2));
    t.setValue("Holiday", 20);
    t.setValue("Holiday_old", 0);
    t.setValue("Spor_plat", 0);
    t.setValue("KZP", 25);
    for (const char *f : {"U_zdrav", "U_nemoc", "U_dochod", "U_fondzam", "U_invalid", "U_uraz", "U_rezerva",
                          "U_garancne"})
        t.setValue(QString::fromLatin1(f), 1);
}

} // namespace

TEST_F(EmployeesTest, NewEmployeeGetsTheDefaultsAndTheNextInternalNumber)
{
    zam().open();
    zam().insert();
    const struct {
        const char *field;
        QVariant expected;
    } cases[] = {
        {"Code_emp", 11},          {"Pohlavie", "M"},        {"Rod_stav", "1"},
        {"Stat_obcan", "703"},     {"Stat_tp", "703"},       {"TYPZEC", 1},
        {"Narodnost", "Slovenská"}, {"ZPS", false},          {"ZTP", false},
        {"Miera_poklesu", 0.0},    {"VYHL", true},           {"RZP", false},
        {"Dan_zrazkou", false},    {"F_doba", 8.0},          {"Fixny_mv_plat", false},
        {"Fz_hlavne", true},       {"U_sviatky", false},     {"Dan_nerezident", false},
        {"PN_DENNE", 0.0},         {"VYNIMKA_VZ", "0"},      {"U_sds", 0},
        {"SID", 1}, // the demo firm does not pay sickness benefits itself
    };
    for (const auto &c : cases) {
        const QVariant v = zam().value(QString::fromLatin1(c.field));
        if (c.expected.typeId() == QMetaType::Bool)
            EXPECT_EQ(v.toBool(), c.expected.toBool()) << c.field;
        else
            EXPECT_EQ(v.toString(), c.expected.toString()) << c.field;
    }
    EXPECT_EQ(zam().value("Code_numb"), QVariant()) << "the personal number is the clerk's";
    zam().cancel();

    // A chosen cost centre wins.
    setPeriod(2007, 1, 2);
    zam().insert();
    EXPECT_EQ(zam().fieldByName("SID").asInt(), 2);
    zam().cancel();
}

TEST_F(EmployeesTest, InternalNumberIsNeverBelowAPayrollRecordsNumber)
{
    const struct {
        int maxEmployee; // 0: no employee
        int maxPayroll;  // 0: no payroll record
        int expected;
    } cases[] = {{0, 0, 1}, {40, 57, 58}, {40, 12, 41}};
    for (const auto &c : cases) {
        session.execute(R"(delete from ":tarix_data:vyp")");
        session.execute(R"(delete from ":tarix_data:zam")");
        if (c.maxEmployee) {
            addEmployee(1, 901);
            addEmployee(c.maxEmployee, 902);
        }
        if (c.maxPayroll)
            addPayroll(c.maxPayroll, 200701);
        EXPECT_EQ(dmz().Max_kod_zamestnanca() + 1, c.expected) << c.maxEmployee << "/" << c.maxPayroll;
        zam().close();
        zam().open();
        zam().insert();
        EXPECT_EQ(zam().fieldByName("Code_emp").asInt(), c.expected);
        zam().cancel();
    }
}

TEST_F(EmployeesTest, PostTakesTheNumberAgainWhenAnotherWorkstationTookIt)
{
    zam().open();
    zam().insert();
    fillRequired(zam(), 500);
    ASSERT_EQ(zam().fieldByName("Code_emp").asInt(), 11);
    // Meanwhile another workstation posts employee 11.
    addEmployee(11, 499);
    zam().post();
    EXPECT_EQ(zam().fieldByName("Code_emp").asInt(), 12);
    EXPECT_EQ(count(R"(select count(*) from zam where code_emp = 11)"), 1);
}

TEST_F(EmployeesTest, TypedValuesAreCheckedAndARefusalKeepsTheOldValue)
{
    openEmployee(1);
    zam().edit();
    const QString ins = Msg(65187) + " " + Msg(65144);
    const QString ins2 = Msg(65187) + " " + Msg(65145);
    const struct {
        const char *field;
        QVariant value;
        QString error; // empty: accepted
    } cases[] = {
        {"Pohlavie", "Z", {}},
        {"Pohlavie", "X", Msg(65025)},
        {"Pohlavie", QVariant(), Msg(65025)},
        {"Fz_uvazok", "3", {}},
        {"Fz_uvazok", QVariant(), {}},
        {"Fz_uvazok", "4", Msg(65026)},
        {"Fz_typzam", "D", {}},
        {"Fz_typzam", QVariant(), {}},
        {"Fz_typzam", "X", Msg(65027)},
        {"U_zdrav", 5, {}},
        {"U_zdrav", 6, ins},
        {"U_invalid", -1, ins},
        {"U_dochod", 0, {}},
        {"U_uraz", 1, {}},
        {"U_garancne", 2, ins2},
        {"Born_numb", "6803145129", {}},
        {"Born_numb", "680314512", {}},
        {"Born_numb", "68031451", Msg(65098)},
        {"Born_numb", "68031451x9", Msg(65194)},
        {"Predcislo_u", "19", {}},
        {"Predcislo_u", "1a", Msg(65194)},
        {"Cislo_u", "1234567890", {}}, // a wrong check digit is not refused
        {"Cislo_u", "12-345", Msg(65194)},
        {"Banka_u", "0900", {}},
        {"Banka_u", QVariant(), {}},
        {"Banka_u", "09A0", Msg(65194)},
        {"SSym_u", "123", {}},
        {"SSym_u", "1.5", Msg(65194)},
    };
    for (const auto &c : cases) {
        db::Field &f = zam().fieldByName(QString::fromLatin1(c.field));
        const QVariant before = f.value();
        if (c.error.isEmpty()) {
            EXPECT_NO_THROW(f.setValue(c.value)) << c.field << " " << c.value.toString().toStdString();
        } else {
            expectError([&] { f.setValue(c.value); }, c.error);
            EXPECT_EQ(f.value(), before) << c.field << " keeps its value";
        }
    }
    zam().cancel();
}

TEST_F(EmployeesTest, CostCentreAndDisabilityFlagsAreChecked)
{
    openEmployee(1);
    zam().edit();
    zam().setValue("SID", 2);
    // A centre missing from the code table: an error box, then the change is dropped silently.
    EXPECT_THROW(zam().setValue("SID", 7), EAbort);
    EXPECT_EQ(zam().fieldByName("SID").asInt(), 2);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65032)});

    ASSERT_FALSE(zam().fieldByName("ZPS").asBoolean());
    expectError([&] { zam().setValue("ZTP", true); }, Msg(65029));
    EXPECT_FALSE(zam().fieldByName("ZTP").asBoolean());
    zam().setValue("ZPS", true);
    EXPECT_NO_THROW(zam().setValue("ZTP", true));
    EXPECT_NO_THROW(zam().setValue("ZTP", false));
    zam().cancel();
}

TEST_F(EmployeesTest, PostRefusesMissingInsurerAndTwoWaysOfPay)
{
    openEmployee(1);
    const struct {
        int uZdrav;
        QVariant kzp;
        QVariant monthly, hourly;
        QString error, field;
    } cases[] = {
        {1, 0, 20000, 0, Msg(65031), "KZP"},
        {1, QVariant(), 20000, QVariant(), Msg(65031), "KZP"},
        {0, 0, 20000, 0, {}, {}},
        {1, 25, 20000, 0, {}, {}},
        {1, 25, QVariant(), 95.5, {}, {}},
        {1, 25, 20000, 95.5, Msg(65030), "MV_plat"},
    };
    for (const auto &c : cases) {
        zam().edit();
        zam().setValue("U_zdrav", c.uZdrav);
        zam().setValue("KZP", c.kzp);
        zam().setValue("MV_plat", c.monthly);
        zam().setValue("V_sadzba", c.hourly);
        if (c.error.isEmpty()) {
            EXPECT_NO_THROW(zam().post());
            continue;
        }
        try {
            zam().post();
            ADD_FAILURE() << "posted: " << c.error.toStdString();
        } catch (const core::EItemError &e) {
            EXPECT_EQ(e.text(), c.error);
            EXPECT_EQ(e.faultyItem(), c.field);
        }
        EXPECT_EQ(zam().state(), db::DataSetState::Edit) << "the entries stay for correction";
        zam().cancel();
    }
}

TEST_F(EmployeesTest, BirthNumberWithSlashIsStrippedAndFoundAsADuplicate)
{
    zam().open();
    zam().insert();
    fillRequired(zam(), 500);
    // Typed with "/" and blanks (longer than the field): accepted and kept as digits only;
    // assigned by code with "/", the same.
    zam().fieldByName("Born_numb").setText(QStringLiteral("680314 / 5129"));
    EXPECT_EQ(zam().fieldByName("Born_numb").asString(), "6803145129");
    zam().setValue("Born_numb", QStringLiteral("780101/1234"));
    EXPECT_EQ(zam().fieldByName("Born_numb").asString(), "7801011234");
    zam().setValue("Born_numb", QStringLiteral("680314/5129"));
    EXPECT_EQ(zam().fieldByName("Born_numb").asString(), "6803145129");

    // The same digits belong to employee 101 (Ján Hudák): asked; no keeps the insert.
    const QString question = Msg(65049, "6803145129", "101", "Hudák Ján");
    scripted.answerNo(question);
    EXPECT_THROW(zam().post(), EAbort);
    EXPECT_EQ(zam().state(), db::DataSetState::Insert);
    scripted.answerYes(question);
    zam().post();
    EXPECT_EQ(count(R"(select count(*) from zam where born_numb = '6803145129')"), 2);

    // Older data holding the number with "/" are found by the stripped form too.
    session.execute(R"(update ":tarix_data:zam" set born_numb = '755930/2311' where code_emp = 2)");
    zam().insert();
    fillRequired(zam(), 501);
    zam().setValue("Born_numb", QStringLiteral("7559302311"));
    scripted.answerNo(Msg(65049, "7559302311", "102", "Šťastná Mária"));
    EXPECT_THROW(zam().post(), EAbort);
    zam().cancel();

    // Editing an employee asks nothing.
    openEmployee(1);
    zam().edit();
    zam().setValue("Born_numb", QStringLiteral("755930/2311"));
    zam().post();
    EXPECT_EQ(scripted.questions().size(), 3);
}

TEST_F(EmployeesTest, EmployeeWithPayrollRecordsCannotBeDeleted)
{
    addPayroll(3, 200701);
    openEmployee(3);
    expectError([&] { zam().deleteRecord(); }, Msg(65024));
    EXPECT_TRUE(scripted.questions().isEmpty());
    EXPECT_EQ(count("select count(*) from zam where code_emp = 3"), 1);
    EXPECT_EQ(count("select count(*) from nep where code_emp = 3"), 1);
}

TEST_F(EmployeesTest, DecliningEitherQuestionKeepsTheEmployeeAndHisRows)
{
    openEmployee(10);
    for (bool first : {false, true}) {
        scripted.answer(first, Msg(65053));
        if (first)
            scripted.answerNo(Msg(65054));
        expectError([&] { zam().deleteRecord(); }, Msg(65055));
    }
    EXPECT_EQ(count("select count(*) from zam where code_emp = 10"), 1);
    EXPECT_EQ(count("select count(*) from deti where code_emp = 10"), 1);
    EXPECT_EQ(count("select count(*) from ppv where code_emp = 10"), 1);
}

TEST_F(EmployeesTest, NewEmployeeNeverInheritsADeletedEmployeesRows)
{
    // Employee 10 has the highest internal number and rows in most detail tables.
    session.execute(R"(insert into ":tarix_data:eldp" (code_emp, datum_od, datum_do) values (10, '2007-01-15', '2007-12-31'))");
    session.execute(R"(insert into ":tarix_data:davka601" (code_emp, kod_zmeny, platnost_zmeny, datum_zmeny) values (10, '2', 'Z', '2007-01-15'))");
    session.execute(R"(insert into ":tarix_data:doch" (code_emp, typ, datum_od) values (10, 1, '2007-01-01'))");
    const QStringList tables{"deti", "zrz", "nep", "doch", "eldp", "davka601", "ppv"};
    for (const QString &t : tables)
        ASSERT_GT(count("select count(*) from " + t + " where code_emp = 10"), 0) << t.toStdString();

    openEmployee(10);
    scripted.answerYes(Msg(65053)).answerYes(Msg(65054));
    zam().deleteRecord();
    for (const QString &t : tables)
        EXPECT_EQ(count("select count(*) from " + t + " where code_emp = 10"), 0) << t.toStdString();
    EXPECT_EQ(count("select count(*) from deti"), 6) << "other employees keep their children";

    zam().insert();
    EXPECT_EQ(zam().fieldByName("Code_emp").asInt(), 10) << "the number is free again";
    fillRequired(zam(), 110);
    zam().post();
    for (const QString &t : tables)
        EXPECT_EQ(count("select count(*) from " + t + " where code_emp = 10"), 0) << t.toStdString();
}

TEST_F(EmployeesTest, FailedDeleteKeepsTheEmployeesRows)
{
    // A delete that fails after the questions (here the row's write) rolls the detail rows back.
    openEmployee(10);
    session.executeRaw("create trigger " + session.schemaOf("TARIX_DATA")
                       + ".no_delete before delete on zam begin select raise(abort, 'zakázané'); end;");
    scripted.answerYes(Msg(65053)).answerYes(Msg(65054));
    EXPECT_THROW(zam().deleteRecord(), db::DbError);
    EXPECT_EQ(count("select count(*) from zam where code_emp = 10"), 1);
    EXPECT_EQ(count("select count(*) from deti where code_emp = 10"), 1);
    EXPECT_EQ(count("select count(*) from zrz where code_emp = 10"), 1);
}

TEST_F(EmployeesTest, NameTextsAreBuiltFromTheirPartsWhenShown)
{
    openEmployee(2); // Mária Šťastná, no title
    EXPECT_EQ(zam().fieldByName("TMP").displayText(), " Mária Šťastná");
    EXPECT_EQ(zam().fieldByName("PMT").displayText(), "Šťastná Mária ");
    EXPECT_EQ(zam().fieldByName("PMT2").asString(), "Šťastná Mária ,102");
    EXPECT_EQ(zam().fieldByName("CALC_ADRESA").asString(), "Štúrova 7, 917 01 Trnava");
    EXPECT_EQ(zam().fieldByName("CALC_SUBJ").asString(),
              "Mária Šťastná, bytom Štúrova 7, 917 01 Trnava, nar. 30.9.1975, (ďalej pracovník),");
    EXPECT_EQ(zam().fieldByName("CALC_POHLAVIE").asString(), "žena");
    EXPECT_EQ(zam().fieldByName("CALC_STREDISKO").asString(), "Centrála Trnava");
    EXPECT_EQ(zam().fieldByName("CALC_AKTROK").asInt(), 2007);
    EXPECT_EQ(zam().fieldByName("L_KZP").asString().isEmpty(), false);
    EXPECT_EQ(zam().fieldByName("L_STAT_OBCAN").asString().isEmpty(), false);

    // Typed text goes into the calculated field only; the display keeps the parts.
    zam().edit();
    zam().fieldByName("TMP").setText("Iné Meno");
    EXPECT_EQ(zam().fieldByName("TMP").asString(), "Iné Meno");
    EXPECT_EQ(zam().fieldByName("TMP").displayText(), " Mária Šťastná");
    EXPECT_EQ(zam().fieldByName("Name").asString(), "Mária");
    zam().setValue("Title", QStringLiteral("Mgr."));
    EXPECT_EQ(zam().fieldByName("TMP").asString(), "Mgr. Mária Šťastná");
    zam().cancel();

    openEmployee(6); // left on 30.4.2007
    EXPECT_EQ(zam().fieldByName("PMT2").asString(), "Žiak Tomáš (zruš.),106");
    openEmployee(8);
    EXPECT_EQ(zam().fieldByName("TMP").displayText(), "JUDr. Ľubomír Kováč");
    EXPECT_EQ(zam().fieldByName("L_KDP").asString(), "DDP č.1 " + session.run(R"(select prijemca from ":tarix_data:cis_bu" where buid_typ='Y' and buid_kod=1)").asString(0, 0));
}

TEST_F(EmployeesTest, FindsAPersonalNumber)
{
    session.execute(R"(delete from ":tarix_data:zam" where code_numb = 104)");
    zam().open();
    EXPECT_TRUE(dmz().Najdi_osobne_cislo(107));
    EXPECT_EQ(zam().fieldByName("Code_numb").asInt(), 107);
    EXPECT_FALSE(dmz().Najdi_osobne_cislo(104)) << "missing, while 105 exists";
    EXPECT_EQ(zam().fieldByName("Code_numb").asInt(), 105);
    EXPECT_FALSE(dmz().Najdi_osobne_cislo(200));
}

TEST_F(EmployeesTest, FilterIsSetKeptAndRestored)
{
    zam().open();
    dmz().Nastav_filter_zamestnancov("Vystup=null");
    EXPECT_TRUE(zam().isFiltered());
    EXPECT_EQ(zam().recordCount(), 8);
    dmz().Uloz_filter_zamestnancov();
    dmz().Nastav_filter_zamestnancov("code_emp=6");
    EXPECT_EQ(zam().recordCount(), 1);
    dmz().Obnov_filter_zamestnancov();
    EXPECT_EQ(zam().filter(), "Vystup=null");
    EXPECT_EQ(zam().recordCount(), 8);
}

TEST_F(EmployeesTest, ListsStandStillWhileAnEmployeeIsEdited)
{
    zam().open();
    int notices = 0;
    dmz().Zmena_udajov_zamestnanca = [&] { ++notices; };
    zam().next();
    EXPECT_GE(notices, 1) << "a move to another employee is reported";
    zam().edit();
    EXPECT_FALSE(dmz().DS_ZGRID.isEnabled());
    EXPECT_FALSE(dmz().DS_ZAMF.isEnabled());
    notices = 0;
    zam().setValue("Tel2", QStringLiteral("123"));
    EXPECT_EQ(notices, 0);
    zam().post();
    EXPECT_TRUE(dmz().DS_ZGRID.isEnabled());
    EXPECT_TRUE(dmz().DS_ZAMF.isEnabled());

    // Screens switch their sources off in any order; the card's source does not switch the
    // list back on.
    dmz().DS_ZGRID.setEnabled(false);
    dmz().DS_ZAM1.setEnabled(false);
    EXPECT_FALSE(dmz().DS_ZGRID.isEnabled());
}

TEST_F(EmployeesTest, DemoEmployeesPassTheirOwnChecks)
{
    zam().open();
    ASSERT_EQ(zam().recordCount(), 10);
    const QStringList checked{"Pohlavie", "Fz_uvazok", "Fz_typzam", "U_zdrav", "U_nemoc", "U_dochod",
                              "U_fondzam", "U_invalid", "U_uraz", "U_rezerva", "U_garancne", "SID",
                              "Born_numb", "Predcislo_u", "Cislo_u", "Banka_u", "SSym_u", "ZTP"};
    for (zam().first(); !zam().eof(); zam().next()) {
        const QString who = zam().fieldByName("PMT2").asString();
        zam().edit();
        for (const QString &f : checked)
            EXPECT_NO_THROW(zam().setValue(f, zam().value(f))) << who.toStdString() << " " << f.toStdString();
        EXPECT_NO_THROW(zam().post()) << who.toStdString();
        EXPECT_EQ(zam().state(), db::DataSetState::Browse) << who.toStdString();
    }
    EXPECT_TRUE(scripted.events().empty()) << "no question and no message";
}

TEST_F(EmployeesTest, RegistryFindsAndOpensTheModulesTablesWithTheirCodeTexts)
{
    core::TDMA registry;
    registry.Registruj_tabulky();
    // The core's modules alone: their 34 tables, without the payroll module's.
    EXPECT_EQ(registry.tables().size(), 34u);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());
    EXPECT_TRUE(registry.Otvor_tabulky());

    session.execute(R"(insert into ":tarix_data:eldp" (code_emp, datum_od, datum_do, znak) values (1, '2007-01-01', '2007-01-31', 'X'))");
    session.execute(R"(insert into ":tarix_comm:cis_eldz" (znak, popis) values ('X', 'znak X'))");
    const struct {
        db::DataSet *table;
        const char *codeEmpField;
        int codeEmp;
        QStringList texts;
    } cases[] = {
        {&zam(), "Code_emp", 7, {"L_ROD_STAV", "L_STAT_OBCAN", "L_STAT_TP", "L_TYPZEC", "L_KZP", "L_VVZ"}},
        {&dmz().TNEP_, "Code_emp", 10, {"L_TYPRL", "L_TYPRL2", "L_ZAM", "Calc_typ_nep"}},
        {&dmz().TDOCH_, "Code_emp", 5, {"L_DOCH"}},
        {&dmz().TELDP_, "Code_emp", 1, {"L_ZNAK"}},
        {&dmz().TDET_, "Code_emp", 1, {"CALC_MP"}},
    };
    for (const auto &c : cases) {
        c.table->refresh();
        ASSERT_TRUE(c.table->locate(QString::fromLatin1(c.codeEmpField), {c.codeEmp})) << c.table->objectName().toStdString();
        for (const QString &f : c.texts)
            EXPECT_FALSE(c.table->fieldByName(f).asString().isEmpty())
                << c.table->objectName().toStdString() << "." << f.toStdString();
    }
    // An unknown code shows empty.
    zam().edit();
    zam().setValue("TYPZEC", 77);
    EXPECT_TRUE(zam().fieldByName("L_TYPZEC").asString().isEmpty());
    zam().cancel();
    registry.Zatvor_tabulky();
}
