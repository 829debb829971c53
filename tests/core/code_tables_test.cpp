// The code tables of the main data module: their editing rules, calculated texts and the
// exemption list, over a real installation in a temporary folder.
#include "core/dm_code_tables_pu.h"
#include "core/dm_code_tables_texts.h"
#include "core/dm_main.h"
#include "core/helpers/messages.h"
#include "core/session.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/errors.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/demo_firm_test.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarix;
using core::TDM;
using Kind = ui::ScriptedUserInterface::EventKind;

namespace {

// Each test on its own copy of the demo firm (2007), with the main data module on it.
class CodeTables : public test::DemoFirmTest<> {
protected:
    void SetUp() override
    {
        test::DemoFirmTest<>::SetUp();
        dm = &core::DM();
    }
    void TearDown() override
    {
        test::DemoFirmTest<>::TearDown();
        EXPECT_EQ(scripted.pendingAnswers(), 0);
    }

    qint64 count(const QString &sql) { return session.run(sql).asInteger(0, 0); }

    // The text of the EMyError the action raises; empty when it raises none.
    static QString errorOf(const std::function<void()> &action)
    {
        try {
            action();
        } catch (const EMyError &e) {
            return e.text();
        }
        return {};
    }

    TDM *dm = nullptr;
};

} // namespace

// ---- texts and checks without a table ---------------------------------------------------

TEST(CodeTableTexts, ExemptionTextsByModeAndCode)
{
    const QString bText = QStringLiteral(
        "B-50% vymer.základu - zamestnanec, ktorý je poberateľom invalid. dôchodku, pokles "
        "zárob.činnosti o viac ako o 70%, alebo mladší ako 18 rokov, ktorý je invalidný, alebo "
        "mladší ako 16 rokov (§138 ods. 12, písm. b))");
    struct Case {
        int mode;
        const char *id, *text, *expected;
    } cases[] = {
        {0, "3", "vlastný text", "3-vlastný text"},
        {0, "B", "vlastný", "B-vlastný"},
        {1, "3", "vlastný text", "3-neplatná hodnota"},
        {1, "0", "bez výnimky", "0-bez výnimky"},
        {1, "2", "iný", "2-náhrada mzdy z neplatného skončenia pracovného pomeru"},
        {1, "e", "malé", "e-neplatná hodnota"},
        {1, "", "bez kódu", "-neplatná hodnota"},
        {2, "0", "bez výnimky", ""},
        {-1, "A", "x", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(core::exceptionText(c.mode, c.id, c.text), QString::fromUtf8(c.expected))
            << c.mode << " " << c.id;

    // The statutory texts are longer than the field: cut to its first 120 characters.
    const QString b = core::exceptionText(1, "B", "vlastný");
    EXPECT_EQ(b.size(), 120);
    EXPECT_EQ(b, bText.left(120));
    EXPECT_EQ(core::exceptionText(0, "1", QString(300, u'x')).size(), 120);
    for (const char *id : {"1", "A", "C", "D", "E"})
        EXPECT_LE(core::exceptionText(1, id, {}).size(), 120);
}

TEST(CodeTableTexts, NewBookkeepingLineFromTheDialogsChoice)
{
    struct Case {
        int item;
        const char *code;
        int error; // message id, 0 = accepted
        int id;
        char side;
        int number;
        const char *text;
    } cases[] = {
        {0, "25", 0, 29, 'Z', 25, "zdrav. poistenie ZP č."},
        {1, "25", 0, 35, 'F', 25, "zdrav. poistenie ZP č."},
        {2, "7", 0, 34, 'Z', 7, "DDP č."},
        {3, "007", 0, 43, 'F', 7, "DDP č."},
        {-1, "25", 65112, 0, 0, 0, ""},
        {4, "25", 65112, 0, 0, 0, ""},
        {-1, "", 65112, 0, 0, 0, ""}, // the kind is checked first
        {1, "", 65113, 0, 0, 0, ""},
        {1, "2a", 65114, 0, 0, 0, ""},
        {1, " 25", 65114, 0, 0, 0, ""},
        {1, "-5", 65114, 0, 0, 0, ""},
        {1, "١٢", 65114, 0, 0, 0, ""}, // digits of another script are no code
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.item) + " '" + c.code + "'");
        if (c.error) {
            try {
                core::newPuLineParameters(c.item, QString::fromUtf8(c.code));
                ADD_FAILURE() << "accepted";
            } catch (const EMyError &e) {
                EXPECT_EQ(e.text(), Msg(c.error));
            }
            continue;
        }
        const core::NewPuLine r = core::newPuLineParameters(c.item, QString::fromUtf8(c.code));
        EXPECT_EQ(r.id, c.id);
        EXPECT_EQ(r.doplnok, QChar(c.side));
        EXPECT_EQ(r.cislo, c.number);
        EXPECT_EQ(r.text, QString::fromUtf8(c.text));
    }
}

TEST(CodeTableTexts, BookkeepingLineNamesAndPayeeKinds)
{
    EXPECT_EQ(core::puLineName("zdrav. poistenie ZP č.", 25, "F"), "zdrav. poistenie ZP č.25 - firma ");
    EXPECT_EQ(core::puLineName("DDP č.", 7, "z"), "DDP č.7 - zam.");
    EXPECT_EQ(core::puLineName("Prémie", QVariant(), QString()), "Prémie");
    EXPECT_EQ(core::puLineName("Iné", 0, "X"), "Iné0");
    EXPECT_EQ(core::lineHealthInsurerName(5, "Päť"), " 5 - Päť");
    EXPECT_EQ(core::lineHealthInsurerName(125, "X"), "125 - X");

    for (const char *ok : {"D", "E", "F", "P", "S", "U", "X", "Y", "Z"})
        EXPECT_TRUE(core::isRecipientKind(ok)) << ok;
    for (const char *bad : {"", "A", "s", "1", " Z"})
        EXPECT_FALSE(core::isRecipientKind(bad)) << bad;
}

// ---- the rules on the tables ------------------------------------------------------------

TEST_F(CodeTables, AskingBeforeAddingAndDeletingFollowsTheAnswer)
{
    struct Case {
        const char *name;
        db::Table *table;
        QString countSql;
        std::function<void(db::Table &)> fill; // a new row that can be posted
    } cases[] = {
        {"CIS1_", &dm->CIS1_, R"(select count(*) from ":tarix_comm:cis_zp")",
         [](db::Table &t) { t.setValue("ID", 99); t.setValue("TEXT", "Nová poisťovňa"); }},
        {"CIS2_", &dm->CIS2_, R"(select count(*) from ":tarix_data:cis_vm")",
         [](db::Table &t) { t.setValue("ID", 7); t.setValue("NAZOV", "Sklad"); }},
        {"CIS3_", &dm->CIS3_, R"(select count(*) from ":tarix_comm:cis_pd")",
         [](db::Table &t) { t.setValue("VEK_OD", 6); t.setValue("POTREBA", 1000.0); }},
        {"CIS4_", &dm->CIS4_, R"(select count(*) from ":tarix_data:cis_bu")",
         [](db::Table &t) { t.setValue("BUID_TYP", "U"); t.setValue("BUID_KOD", 0); }},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.name);
        db::Table &t = *c.table;
        t.open();
        const qint64 before = count(c.countSql);

        scripted.answerNo(Msg(65177));
        EXPECT_EQ(errorOf([&] { t.insert(); }), Msg(65178));
        EXPECT_EQ(t.state(), db::DataSetState::Browse);

        scripted.answerYes(Msg(65177));
        t.insert();
        ASSERT_EQ(t.state(), db::DataSetState::Insert);
        c.fill(t);
        t.post();
        EXPECT_EQ(count(c.countSql), before + 1);

        // The new row is current: refuse, then allow its deletion.
        scripted.answerNo(Msg(65073));
        EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), Msg(65074));
        EXPECT_EQ(count(c.countSql), before + 1);
        scripted.answerYes(Msg(65073));
        t.deleteRecord();
        EXPECT_EQ(count(c.countSql), before);
        t.close();
    }
}

TEST_F(CodeTables, CostCentreOneIsNeverDeletedOthersAfterTheQuestion)
{
    db::Table &t = dm->CIS2_;
    t.open();
    ASSERT_TRUE(t.findKey({1}));
    EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), Msg(65080));
    EXPECT_TRUE(scripted.questions().isEmpty());
    EXPECT_EQ(count(R"(select count(*) from ":tarix_data:cis_vm" where id=1)"), 1);

    ASSERT_TRUE(t.findKey({2}));
    EXPECT_EQ(t.value("CALC_NAZOV").toString(), "2 - Stavby a montáže");
    scripted.answerYes(Msg(65073));
    t.deleteRecord();
    EXPECT_EQ(scripted.questions(), QStringList{Msg(65073)});
    EXPECT_EQ(count(R"(select count(*) from ":tarix_data:cis_vm" where id=2)"), 0);

    // Centre numbers outside 1..99 and ages above 99 are refused when typed.
    scripted.answerYes();
    t.insert();
    EXPECT_THROW(t.setValue("ID", 100), db::FieldValueError);
    EXPECT_THROW(t.setValue("ID", 0), db::FieldValueError);
    t.cancel();
    dm->CIS3_.open();
    scripted.answerYes();
    dm->CIS3_.insert();
    dm->CIS3_.setValue("VEK_OD", 99);
    EXPECT_THROW(dm->CIS3_.setValue("VEK_OD", 100), db::FieldValueError);
    dm->CIS3_.cancel();
}

TEST_F(CodeTables, StatutoryParametersOnlyTheirValuesChange)
{
    db::Table &t = dm->CIS0_;
    t.open();
    ASSERT_FALSE(t.isEmpty());
    EXPECT_EQ(errorOf([&] { t.insert(); }), Msg(65078));
    EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), Msg(65075));
    EXPECT_EQ(t.state(), db::DataSetState::Browse);
    EXPECT_TRUE(scripted.questions().isEmpty());

    const QVariant id = t.value("ID");
    t.edit();
    for (const char *f : {"ID", "SKRATKA", "POPIS"})
        EXPECT_THROW(t.setValue(f, "1"), db::StateError) << f;
    t.setValue("HODNOTA", 123.45);
    t.post();
    EXPECT_DOUBLE_EQ(session.run(R"(select hodnota from ":tarix_comm:cis_par" where id=:p1)", {{"p1", id}})
                         .asFloat(0, 0),
                     123.45);
    // The second view of the table has no such rules.
    dm->CIS0X_.open();
    dm->CIS0X_.edit();
    dm->CIS0X_.setValue("POPIS", "iný popis");
    dm->CIS0X_.cancel();
}

TEST_F(CodeTables, PayeeKindsDecideWhichCodesAreKept)
{
    db::Table &t = dm->CIS4_;
    t.open();
    struct Case {
        const char *kind;
        int kod, pobocka;
        int keptKod, keptPobocka;
        const char *institucia;
    } cases[] = {
        {"S", 5, 3, 0, 0, "Sociálna poisťovňa"},
        {"Y", 3, 4, 3, 0, "DDP č.3"},
        {"Z", 25, 2, 25, 2, "Zdrav.poisť.č.25"},
        {"D", 9, 9, 0, 0, "Daňový úrad - zrážky+preddavky"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        session.execute(R"(delete from ":tarix_data:cis_bu" where buid_typ=:p1)", {{"p1", c.kind}});
        t.refresh();
        scripted.answerYes();
        t.insert();
        t.setValue("BUID_TYP", c.kind);
        t.setValue("BUID_KOD", c.kod);
        t.setValue("POBOCKA_ZP", c.pobocka);
        t.setValue("PRIJEMCA", "Príjemca");
        t.post();
        const auto r = session.run(R"(select buid_kod, pobocka_zp from ":tarix_data:cis_bu" where buid_typ=:p1)",
                                   {{"p1", c.kind}});
        ASSERT_EQ(r.rowCount(), 1);
        EXPECT_EQ(r.asInteger(0, 0), c.keptKod);
        EXPECT_EQ(r.asInteger(0, 1), c.keptPobocka);
        EXPECT_EQ(t.value("CALC_INSTITUCIA").toString(), QString::fromUtf8(c.institucia));
    }

    // A kind outside the nine is refused when typed and the field keeps its value.
    scripted.answerYes();
    t.insert();
    t.setValue("BUID_TYP", "P");
    for (const char *bad : {"A", "s", ""}) {
        EXPECT_EQ(errorOf([&] { t.setValue("BUID_TYP", bad); }), Msg(65079)) << bad;
        EXPECT_EQ(t.value("BUID_TYP").toString(), "P");
    }
    t.cancel();
}

TEST_F(CodeTables, DuplicateKeyIsToldPlainlyAndTheRowStaysInEdit)
{
    db::Table &t = dm->CIS1_;
    t.open();
    const qint64 before = count(R"(select count(*) from ":tarix_comm:cis_zp")");
    scripted.answerYes();
    t.insert();
    t.setValue("ID", 25);
    t.setValue("TEXT", "Druhá dvadsaťpäťka");
    EXPECT_THROW(t.post(), EAbort);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{"Duplicitný záznam."});
    EXPECT_EQ(t.state(), db::DataSetState::Insert);
    EXPECT_EQ(t.value("TEXT").toString(), "Druhá dvadsaťpäťka");
    EXPECT_EQ(count(R"(select count(*) from ":tarix_comm:cis_zp")"), before);

    // The clerk corrects the number and posts again.
    t.setValue("ID", 5);
    t.post();
    EXPECT_EQ(t.value("CALC_NAZOV").toString(), " 5 - Druhá dvadsaťpäťka");
    EXPECT_EQ(count(R"(select count(*) from ":tarix_comm:cis_zp")"), before + 1);

    // Other errors take their normal course: a missing name is the data layer's message.
    scripted.answerYes();
    t.insert();
    t.setValue("ID", 6);
    EXPECT_THROW(t.post(), db::RequiredFieldError);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    t.cancel();
}

TEST_F(CodeTables, NewBookkeepingLinesComeFromTheDialog)
{
    session.execute(R"(delete from ":tarix_data:cis_pu" where id=35 and cislo=25)");
    db::Table &t = dm->CISPUX_;
    t.open();
    const QString countSql = R"(select count(*) from ":tarix_data:cis_pu")";
    const qint64 before = count(countSql);

    struct Case {
        int item;
        const char *code;
        int id;
        const char *side, *text, *shown;
    } cases[] = {
        {1, "25", 35, "F", "zdrav. poistenie ZP č.", "zdrav. poistenie ZP č.25 - firma "},
        {2, "7", 34, "Z", "DDP č.", "DDP č.7 - zam."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        int asked = 0;
        core::ScopedPuLineChoice choice([&] {
            ++asked;
            return std::optional(core::newPuLineParameters(c.item, c.code));
        });
        t.insert();
        EXPECT_EQ(asked, 1);
        ASSERT_EQ(t.state(), db::DataSetState::Insert);
        EXPECT_EQ(t.value("ID").toDouble(), c.id);
        EXPECT_EQ(t.value("DOPLNOK").toString(), c.side);
        EXPECT_EQ(t.value("CISLO").toInt(), QString(c.code).toInt());
        EXPECT_EQ(t.value("TEXT").toString(), QString::fromUtf8(c.text));
        EXPECT_EQ(t.value("CALC_NAZOV").toString(), QString::fromUtf8(c.shown));
        t.post();
        EXPECT_EQ(t.value("CALC_NAZOV").toString(), QString::fromUtf8(c.shown));
    }
    EXPECT_EQ(count(countSql), before + 2);
    EXPECT_TRUE(scripted.questions().isEmpty());

    // "Zrušiť": nothing is added and no message is shown.
    {
        core::ScopedPuLineChoice cancelled([] { return std::optional<core::NewPuLine>(); });
        EXPECT_THROW(t.insert(), EAbort);
        EXPECT_EQ(t.state(), db::DataSetState::Browse);
    }
    EXPECT_EQ(count(countSql), before + 2);
    EXPECT_TRUE(scripted.messages().isEmpty());

    // Only the per-insurer and per-fund lines can be deleted, without a question.
    ASSERT_TRUE(t.locate("ID", {17}));
    EXPECT_EQ(errorOf([&] { t.deleteRecord(); }), Msg(65075));
    ASSERT_TRUE(t.locate("ID;CISLO", {34, 7}));
    t.deleteRecord();
    ASSERT_TRUE(t.locate("ID;CISLO", {29, 25}));
    t.deleteRecord();
    EXPECT_EQ(count(countSql), before);
    EXPECT_TRUE(scripted.questions().isEmpty());

    // A line of the posting scheme shows its text alone.
    ASSERT_TRUE(t.locate("ID", {17.5}));
    EXPECT_EQ(t.value("CALC_NAZOV").toString(), "daň zrážky");
}

TEST_F(CodeTables, ExemptionListFollowsTheMode)
{
    session.execute(R"(insert into ":tarix_comm:cis_vvz" (id, percento, text) values ('3', 0, 'Starý kód'))");
    db::Table &t = dm->CIS5_;
    t.open();
    QStringList list;
    dm->Napln_zoznam_vynimiek(&list);
    const QStringList ids = {"0", "1", "2", "3", "A", "B", "C", "D", "E"};
    ASSERT_EQ(list.size(), ids.size());
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_TRUE(list[i].startsWith(ids[i] + '-')) << list[i].toStdString();
    EXPECT_EQ(list[0], "0-bez výnimky");
    EXPECT_EQ(list[3], "3-Starý kód");
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.value("ID").toString(), "E"); // left on the last row

    dm->Nastav_filter_vynimiek(1);
    EXPECT_EQ(dm->exceptionFilterMode(), 1);
    EXPECT_EQ(t.filter(), core::exceptionFilterOfMode1());
    EXPECT_FALSE(t.isFiltered());
    dm->Napln_zoznam_vynimiek(&list);
    ASSERT_EQ(list.size(), ids.size()); // the list is never narrowed
    EXPECT_EQ(list[3], "3-neplatná hodnota");
    EXPECT_EQ(list[5], core::exceptionText(1, "B", {}));
    EXPECT_EQ(list[5].size(), 120);
    for (const QString &e : list)
        EXPECT_LE(e.size(), 120);

    // The filter text is one the tables understand: switched on, it keeps the codes
    // 0 to 2 and A to E.
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 8);
    EXPECT_FALSE(t.locate("ID", {"3"}));

    dm->Nastav_filter_vynimiek(0);
    EXPECT_TRUE(t.filter().isEmpty());
    EXPECT_FALSE(t.isFiltered());
    dm->Napln_zoznam_vynimiek(&list);
    EXPECT_EQ(list[3], "3-Starý kód");
    EXPECT_TRUE(list[5].startsWith("B-50% vymer.základu"));

    dm->Napln_zoznam_vynimiek(nullptr); // no list: nothing happens

    // While the payroll source is enabled only the current record's code is listed; disabled,
    // every code.
    db::Table master;
    master.setDatabaseName(core::kAliasData);
    master.setTableName("Zam.DB");
    master.open();
    ASSERT_FALSE(master.isEmpty());
    session.execute(R"(update ":tarix_data:zam" set vynimka_vz='0')");
    master.refresh();
    db::DataSource source(&master);
    t.setMasterSource(&source);
    t.setMasterFields("VYNIMKA_VZ");
    dm->Napln_zoznam_vynimiek(&list);
    EXPECT_EQ(list, QStringList{"0-bez výnimky"});
    source.setEnabled(false);
    dm->Napln_zoznam_vynimiek(&list);
    EXPECT_EQ(list.size(), ids.size());
    source.setEnabled(true);
    dm->Napln_zoznam_vynimiek(&list);
    EXPECT_EQ(list.size(), 1);
    t.setMasterSource(nullptr);
}

TEST_F(CodeTables, ExemptionListOpensAClosedTable)
{
    QStringList list{"stale"};
    dm->Napln_zoznam_vynimiek(&list);
    EXPECT_EQ(list.size(), 8);
    EXPECT_FALSE(list.contains("stale"));
}

TEST_F(CodeTables, PensionFundsQueryNamesTheFund)
{
    session.execute(R"(insert into ":tarix_data:cis_bu" (buid_typ, buid_kod, prijemca) values ('Y', 3, 'Fond'))");
    session.execute(R"(insert into ":tarix_data:cis_bu" (buid_typ, buid_kod, prijemca) values ('Z', 3, 'Poisťovňa'))");
    db::Query &q = dm->QDDP_;
    q.open();
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names << q.value("CALC_INSTITUCIA").toString();
    EXPECT_EQ(names.size(), 2); // the demo firm's fund and the new one, no health insurer
    EXPECT_TRUE(names.contains("DDP č.3 Fond"));
    EXPECT_TRUE(names.contains("DDP č.1 Doplnková dôch. spoločnosť"));
}

TEST_F(CodeTables, ChildAllowanceRowForAnAge)
{
    for (int vek : {0, 6, 15})
        session.execute(R"(insert into ":tarix_comm:cis_pd" (vek_od, potreba, pridavky1, pridavky2) values (:p1, :p2, 1, 2))",
                        {{"p1", vek}, {"p2", 100 + vek}});
    struct Case {
        int age;
        int vekOd; // -1: no row
    } cases[] = {{0, 0}, {5, 0}, {6, 6}, {10, 6}, {15, 15}, {26, 15}, {-1, -1}};
    for (db::Query *q : {&dm->QCIS3a_, &dm->QCIS3b_}) {
        for (const auto &c : cases) {
            q->close();
            q->setParam("P1", c.age);
            q->open();
            if (c.vekOd < 0) {
                EXPECT_TRUE(q->isEmpty()) << c.age;
            } else {
                ASSERT_EQ(q->recordCount(), 1) << c.age;
                EXPECT_EQ(q->value("VEK_OD").toInt(), c.vekOd) << c.age;
                EXPECT_DOUBLE_EQ(q->value("POTREBA").toDouble(), 100 + c.vekOd);
            }
            q->close();
        }
    }
}

TEST_F(CodeTables, NumberAndDescriptionTexts)
{
    struct Case {
        db::Table *table;
        const char *key;
        int value;
        const char *text;
    } cases[] = {
        {&dm->CIS7_, "ID", 6, "6-zamestnanec čerpá rodičovskú dovolenku"},
        {&dm->CIS13_, "TYP", 1, "1-starobný dôchodok"},
    };
    for (const auto &c : cases) {
        c.table->open();
        ASSERT_TRUE(c.table->locate(c.key, {c.value}));
        EXPECT_EQ(c.table->value("CALC_TEXT").toString(), QString::fromUtf8(c.text));
    }
    dm->CIS1_.open();
    ASSERT_TRUE(dm->CIS1_.findKey({21}));
    EXPECT_EQ(dm->CIS1_.value("CALC_NAZOV").toString(), "21 - Všeobecná zdravotná poisťovňa");
    EXPECT_EQ(dm->CIS4_.fieldByName("OLD_CISLO_U").label(), "Číslo platiteľa ZP");
}

// The code lists title their columns with what each field holds, so that a clerk reads the
// grid of "Číselník ..." as the statements and the calculation use it.
TEST_F(CodeTables, EveryCodeListColumnIsTitledWhatItHolds)
{
    const struct {
        db::Table *table;
        const char *field;
        const char *title;
    } cases[] = {
        {&dm->CIS0_, "SKRATKA", "Skrátený názov"},
        {&dm->CIS0_, "POPIS", "Popis"},
        {&dm->CIS0_, "HODNOTA", "Hodnota"},
        {&dm->CIS1_, "ID", "Číslo"},
        {&dm->CIS1_, "TEXT", "Názov"},
        {&dm->CIS2_, "ID", "Číslo str."},
        {&dm->CIS2_, "NAZOV", "Názov strediska"},
        {&dm->CIS2_, "CALC_NAZOV", "Stredisko"},
        {&dm->CIS3_, "VEK_OD", "Vek od"},
        {&dm->CIS3_, "POTREBA", "Hranica príjmu"},
        {&dm->CIS3_, "PRIDAVKY2", "Výška príspevku pre 2.pásmo"},
        {&dm->CIS4_, "BUID_TYP", "Typ"},
        {&dm->CIS4_, "BUID_KOD", "Kód ZP,DDP"},
        {&dm->CIS4_, "CALC_INSTITUCIA", "Inštitúcia"},
        {&dm->CIS4_, "SPP", "Správa pre prijímateľa"},
        {&dm->CIS5_, "ID", "Kód"},
        {&dm->CIS5_, "TEXT", "Dôvod výnimky"},
        {&dm->CIS5_, "CALC_ID", "Výnimka"},
        {&dm->CISPUX_, "ID", "Riadok"},
        {&dm->CISPUX_, "DOPLNOK", "Zam./firma"},
        {&dm->CISPUX_, "MD_SY", "SYN.Ú (MD)"},
        {&dm->CISPUX_, "DAL_AN", "AN.Ú. (DAL)"},
        {&dm->CISPUX_, "CALC_NAZOV", "Názov položky"},
    };
    for (const auto &c : cases) {
        const db::Field *f = c.table->findField(QString::fromLatin1(c.field));
        ASSERT_NE(f, nullptr) << c.field;
        EXPECT_EQ(f->label(), QString::fromUtf8(c.title)) << c.table->objectName().toStdString() << " " << c.field;
    }
}
