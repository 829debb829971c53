// The survey-takers' import on the demo firm: the month's file from the import folder, the
// centres whose payrolls it replaces, employees created or updated, payrolls with the row's
// amounts, the error list, and what stays untouched when the month is closed or the database
// fails in the middle.
#include "payroll/dm_vyp_fixture.h"

#include "core/dm_zam.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "filings/import_anketari.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/db_error.h"
#include "platform/db/sql_result.h"
#include "platform/shell/launcher.h"
#include "sp_filing_fixture.h"
#include "support/data_modules.h"

#include <QDir>
#include <QFile>

using namespace tarix;
using filings::survey_import::Vysledok;

namespace {

test::DemoOptions options(int year, int month)
{
    test::DemoOptions o;
    o.year = year;
    o.month = month;
    o.centre = 0;
    o.parameters = true;
    o.modules = test::coreModules();
    o.modules.push_back({payroll::createDMV, payroll::destroyDMV});
    o.registerTables = true;
    o.openTables = true;
    return o;
}

// A file row of the import: fields 0 to 19 in their order.
struct Row {
    QString pn, month, year, ovp, doplatok, name, surname, street, city, zip, account, ss, nastup, bank,
        nezdanitelne, kzp, rc, unused, sporenie, sid;
    QString text() const
    {
        return QStringList{pn,   month,  year,         ovp, doplatok, name,   surname,  street,   city, zip,
                           account, ss, nastup, bank, nezdanitelne, kzp, rc, unused, sporenie, sid}
            .join(u';');
    }
};

Row row(const QString &pn, const QString &sid, const QString &ovp = "1000")
{
    return {pn, "3", "2005", ovp, "0", "Anna", "Nová", "Krátka 5", "Senec", "90301", "19-1234567805", "7",
            "1.3.2005 0:00:00", "1100", "0", "24", "", "", "0", sid};
}

class ImportTest : public test::DemoFirmTest<payroll::testing::WatchingUserInterface> {
protected:
    // The import makes the month's payrolls into a firm without any: the installation without
    // the demo's payrolls.
    ImportTest(int year, int month) : DemoFirmTest({true, 2005, 2007, false}, options(year, month)) {}

    void SetUp() override
    {
        DemoFirmTest::SetUp();
        payroll::setSettings(payroll::IniSettings{});
        m_paths = core::appPaths();
        core::setAppPaths(core::deriveAppPaths(dir.root(), QString(), QString()));
        ShellUtils::setStartHook([this](const QString &, const QStringList &args, const QString &) {
            opened << args;
            return true;
        });
        session.execute("delete from \":tarix_data:vyp\"");
        session.execute("insert into \":tarix_data:cis_vm\" (id, nazov) values (5, 'Anketári')");
    }
    void TearDown() override
    {
        ShellUtils::setStartHook({});
        core::setAppPaths(m_paths);
        DemoFirmTest::TearDown();
    }

    // The month's file in the import folder, Windows-1250 with CR LF line ends.
    void writeFile(const QString &name, const QStringList &lines, const QByteArray &extra = {})
    {
        QDir().mkpath(dir.root() + "importy");
        QFile f(dir.root() + "importy/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(codepage::cp1250TextFileBytes(lines) + extra);
    }

    // A payroll of the month as the payroll screen would have left it (the fields a test reads).
    void payroll(int codeEmp, int period, int sid, double ovp = 0)
    {
        session.execute("insert into \":tarix_data:vyp\" (code_emp, v_obdobie, v_rok, v_mesiac, sid, fixny_mv_plat, "
                        "f_typ_premii, f_sadzba_premii, f_typ_pripl, u_zdrav, u_nemoc, u_dochod, u_fondzam, u_zdrav1, "
                        "u_nemoc1, u_dochod1, u_fondzam1, u_zdrav2, u_nemoc2, u_dochod2, u_fondzam2, f_nd_pocita, "
                        "n_dohody_ovp) values (:e, :p, :r, :m, :s, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, :o)",
                        {{"e", codeEmp}, {"p", period}, {"r", period / 100}, {"m", period % 100}, {"s", sid}, {"o", ovp}});
    }

    QString month(int period)
    {
        return session
            .run("select group_concat(code_emp || ':' || sid || ':' || n_dohody_ovp, ' ') from (select * from "
                 "\":tarix_data:vyp\" where v_obdobie = :p order by code_emp)",
                 {{"p", period}})
            .asString(0, 0);
    }

    QVariant zam(int codeNumb, const char *field)
    {
        const db::SqlResult r = session.run(QString("select %1 from \":tarix_data:zam\" where code_numb = :n").arg(field),
                                            {{"n", codeNumb}});
        return r.rowCount() ? r.value(0, 0) : QVariant(QStringLiteral("<none>"));
    }

    QVariant vyp(int codeNumb, int period, const char *field)
    {
        const db::SqlResult r = session.run(
            QString("select v.%1 from \":tarix_data:vyp\" v join \":tarix_data:zam\" z on z.code_emp = v.code_emp "
                    "where z.code_numb = :n and v.v_obdobie = :p")
                .arg(field),
            {{"n", codeNumb}, {"p", period}});
        return r.rowCount() ? r.value(0, 0) : QVariant(QStringLiteral("<none>"));
    }

    QString importFile(const QString &name) const { return dir.root() + "importy/" + name; }
    QString errorFile(int period) const { return dir.root() + "vystupy/chyby1_" + QString::number(period) + ".txt"; }

    void expectNoQuestionInATransaction()
    {
        for (int d : scripted.depthsAtQuestions)
            EXPECT_EQ(d, 0);
        for (int d : scripted.depthsAtMessages)
            EXPECT_EQ(d, 0);
    }

    QStringList opened;

private:
    core::AppPaths m_paths;
};

class Import200503 : public ImportTest {
protected:
    Import200503() : ImportTest(2005, 3) {}
};

class Import200608 : public ImportTest {
protected:
    Import200608() : ImportTest(2006, 8) {}
};

class Import200703 : public ImportTest {
protected:
    Import200703() : ImportTest(2007, 3) {}
};

} // namespace

// March 2005: "0503.txt" names centres 5 and 2; their payrolls are replaced, centre 1's stay.
// A known personal number is updated, new ones are created, a bad account is listed but the
// row imported, and the rows that cannot be imported are listed in "chyby1_200503.txt"
// (expected file written by hand, see the comment in tests/filings/expected/README.md) while
// the other rows go on; the error list is opened at the end.
TEST_F(Import200503, TheMonthsRowsAreImportedAndTheFailuresListed)
{
    payroll(1, 200503, 1, 11);  // centre 1: not named by the file, stays
    payroll(3, 200503, 2, 33);  // centre 2: replaced by the file's row for 103
    payroll(4, 200503, 2, 44);  // centre 2: deleted with its centre
    payroll(3, 200502, 2, 32);  // another month: stays

    Row updated = row("103", "2", "1500,50");
    updated.name = "Peter";
    updated.surname = "Čierny";
    updated.street = "Nová 1";
    updated.rc = "820108/4177";
    Row created = row("501", "5", "800");
    created.nezdanitelne = "1";
    created.kzp = "\"25\"";
    created.rc = "8555123456";
    created.sporenie = "1";
    created.nastup = "15.3.05";
    Row badAccount = row("502", "2", "300");
    badAccount.account = "1234567891";
    Row otherMonth = row("504", "7");
    otherMonth.month = "03";
    Row badAmount = row("505", "2", "12a");
    Row duplicate = row("101", "");
    duplicate.street = "Iná 9";
    Row failing = row("507", "2");
    failing.kzp = "abc";
    writeFile("0503.txt", {updated.text(), created.text(), badAccount.text(), otherMonth.text(), badAmount.text(),
                           duplicate.text(), "506;3;2005;100", failing.text()});

    scripted.answerYes().answerYes();
    const Vysledok v = filings::survey_import::mnu_imp2Click();

    EXPECT_EQ(scripted.questions(), (QStringList{Msg(65155, importFile("0503.txt")), Msg(65156, 3, 2005, "2,5")}));
    EXPECT_EQ(v.importovane, 3);
    EXPECT_FALSE(v.zrusene);
    EXPECT_EQ(filings::fixtures::readFile(errorFile(200503)), filings::fixtures::expectedFile("chyby1_200503.txt"));
    EXPECT_EQ(opened, QStringList{errorFile(200503)});
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty());

    // Centre 1 kept, centre 2 replaced, centre 5 new; the other month untouched.
    const QString emp501 = zam(501, "code_emp").toString();
    const QString emp502 = zam(502, "code_emp").toString();
    EXPECT_EQ(month(200503), QString("1:1:11.0 3:2:1500.5 %1:5:800.0 %2:2:300.0").arg(emp501, emp502));
    EXPECT_EQ(month(200502), "3:2:32.0");

    // The known personal number updated, not duplicated.
    EXPECT_EQ(session.run("select count(*) from \":tarix_data:zam\" where code_numb = 103").asInteger(0, 0), 1);
    EXPECT_EQ(zam(103, "tp_street").toString(), "Nová 1");
    EXPECT_EQ(zam(103, "code_emp").toInt(), 3);
    EXPECT_EQ(zam(103, "zamestnanie").toString(), "neuvedená");
    EXPECT_EQ(zam(103, "u_uraz").toInt(), 1);
    EXPECT_EQ(zam(103, "u_zdrav").toInt(), 0);
    EXPECT_EQ(zam(103, "born_numb").toString(), "8201084177");
    EXPECT_EQ(vyp(103, 200503, "vynimka_vz").toString(), "6");
    EXPECT_EQ(vyp(103, 200503, "u_nezdc").toInt(), 0);

    // The new employee with the row's data.
    EXPECT_EQ(zam(501, "sid").toInt(), 5);
    EXPECT_EQ(zam(501, "surname").toString(), "Nová");
    EXPECT_EQ(zam(501, "vyhl").toInt(), 1);
    EXPECT_EQ(zam(501, "kzp").toInt(), 25);
    EXPECT_EQ(zam(501, "spor_plat").toInt(), 1);
    EXPECT_EQ(zam(501, "nastup").toString(), "2005-03-15");
    EXPECT_EQ(zam(501, "predcislo_u").toString(), "19");
    EXPECT_EQ(zam(501, "cislo_u").toString(), "1234567805");
    EXPECT_EQ(zam(501, "banka_u").toString(), "1100");
    EXPECT_EQ(vyp(501, 200503, "u_nezdc").toInt(), 1);
    // The bad account stored as the check leaves it.
    EXPECT_EQ(zam(502, "cislo_u").toString(), "0000000000");

    // The rows that failed left nothing: no employee, and the duplicate's card unchanged.
    for (int pn : {504, 505, 506, 507})
        EXPECT_EQ(zam(pn, "code_emp").toString(), "<none>") << pn;
    EXPECT_NE(zam(101, "tp_street").toString(), "Iná 9");
    expectNoQuestionInATransaction();
}

// A list of failures that cannot be written (a folder stands in its place) is named in
// 65123 and not opened: the clerk is shown no file that is not there.
TEST_F(Import200503, AListOfFailuresThatCannotBeWrittenIsNotOpened)
{
    ASSERT_TRUE(QDir().mkpath(errorFile(200503)));
    Row badAmount = row("505", "2", "12a");
    writeFile("0503.txt", {row("501", "2").text(), badAmount.text()});
    scripted.answerYes().answerYes();
    const Vysledok v = filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(v.importovane, 1);
    EXPECT_EQ(v.chyby.size(), 1);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65123, errorFile(200503))});
    EXPECT_TRUE(opened.isEmpty()) << opened.join(' ').toStdString();
}

// The centres asked about: the open month's rows only, 1 to 99, ascending, each once; a
// blank or "0" centre names none; rows that cannot be imported name none.
TEST_F(Import200503, TheCentresAskedAboutComeFromTheOpenMonthsRows)
{
    const struct {
        const char *what;
        QStringList lines;
        QString expected;
    } cases[] = {
        {"5 and 2", {row("1", "5").text(), row("2", "2").text(), row("3", "5").text()}, "2,5"},
        {"blank and 0 name none", {row("1", "").text(), row("2", "0").text()}, ""},
        {"another month's centre", {row("1", "2").text(), [] { Row r = row("2", "7"); r.month = "03"; return r.text(); }()},
         "2"},
        {"another year's centre", {[] { Row r = row("2", "7"); r.year = "2006"; return r.text(); }()}, ""},
        {"a centre beyond 99 or not a number", {row("1", "100").text(), row("2", "x").text()}, ""},
        {"a row that fails names none", {row("1", "2", "abc").text(), "9;3;2005"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(filings::survey_import::costCenters(codepage::cp1250TextFileBytes(c.lines), 200503), c.expected);
    }
    EXPECT_EQ(filings::survey_import::Vstupny_subor(200503), "0503.txt");
    EXPECT_EQ(filings::survey_import::Vstupny_subor(201012), "1012.txt");
}

// A month up to the closing date is refused before anything is asked, read or deleted.
TEST_F(Import200503, AClosedMonthDeletesNothing)
{
    payroll(3, 200503, 2, 33);
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2005-03-31'");
    writeFile("0503.txt", {row("103", "2").text()});
    const QString before = month(200503);
    const Vysledok v = filings::survey_import::mnu_imp2Click();
    EXPECT_FALSE(v.spustene);
    EXPECT_TRUE(scripted.questions().isEmpty());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65134, "31.3.2005")});
    EXPECT_EQ(month(200503), before);
    EXPECT_FALSE(QFile::exists(errorFile(200503)));
}

// No file: 65129 naming it; "No" to the first question: nothing at all.
TEST_F(Import200503, AMissingFileOrANoEndsBeforeAnyChange)
{
    payroll(3, 200503, 2, 33);
    scripted.answerYes();
    filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65129, importFile("0503.txt"))});

    scripted.clearEvents();
    writeFile("0503.txt", {row("103", "2").text()});
    scripted.answerNo();
    filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(scripted.questions().size(), 1);
    EXPECT_EQ(month(200503), "3:2:33.0");

    // "No" to the deletion: nothing deleted, nothing imported.
    scripted.clearEvents();
    scripted.answerYes().answerNo();
    filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(month(200503), "3:2:33.0");
    EXPECT_FALSE(QFile::exists(errorFile(200503)));
}

// A database error at the third row (a locked table, a refusing database) ends the import:
// the deleted payrolls are back, no employee is created or changed, and the clerk is told.
TEST_F(Import200503, ADatabaseErrorAtTheThirdRowLeavesTheMonthAsItWas)
{
    const QString schema = session.schemaOf("TARIX_DATA");
    payroll::TDMV &dmv = payroll::DMV();
    int posts = 0;
    db::DataSet::Event original;
    const struct {
        const char *what;
        std::function<void()> arrange;
        std::function<void()> restore;
        QString message;
    } cases[] = {
        {"the payroll table locked by another program",
         [&] {
             original = dmv.TVYP_.beforePost;
             posts = 0;
             dmv.TVYP_.beforePost = [&](db::DataSet &ds) {
                 if (++posts == 3)
                     throw db::BusyError(db::busyMessage());
                 original(ds);
             };
         },
         [&] { dmv.TVYP_.beforePost = original; }, db::busyMessage()},
        {"the database refuses the third payroll",
         [&] {
             session.executeRaw(QString("CREATE TRIGGER %1.lock_it BEFORE INSERT ON vyp WHEN (SELECT count(*) FROM vyp "
                                        "WHERE v_obdobie = 200503) >= 3 BEGIN SELECT RAISE(ABORT, 'database table is "
                                        "locked'); END")
                                    .arg(schema));
         },
         [&] { session.executeRaw(QString("DROP TRIGGER %1.lock_it").arg(schema)); }, "database table is locked"},
    };
    payroll(1, 200503, 1, 11);
    payroll(3, 200503, 2, 33);
    payroll(4, 200503, 2, 44);
    Row first = row("103", "2", "1");
    first.street = "Zmenená 1";
    writeFile("0503.txt", {first.text(), row("601", "2").text(), row("602", "2").text(), row("603", "2").text()});
    const QString before = month(200503);
    const qint64 employees = session.run("select count(*) from \":tarix_data:zam\"").asInteger(0, 0);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        scripted.clearEvents();
        c.arrange();
        scripted.answerYes().answerYes();
        const Vysledok v = filings::survey_import::mnu_imp2Click();
        c.restore();
        EXPECT_TRUE(v.zrusene);
        EXPECT_EQ(month(200503), before);
        EXPECT_EQ(session.run("select count(*) from \":tarix_data:zam\"").asInteger(0, 0), employees);
        EXPECT_NE(zam(103, "tp_street").toString(), "Zmenená 1");
        const QStringList errors = scripted.messages(ui::MessageKind::Error);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(c.message)) << errors[0].toStdString();
        EXPECT_TRUE(opened.isEmpty());
        // The program goes on working: the employee table moves and edits as before.
        EXPECT_FALSE(core::DMZ().TZAM_.isEditing());
        EXPECT_FALSE(dmv.TVYP_.isEditing());
    }
    expectNoQuestionInATransaction();
}

// From August 2006 every imported payroll has guarantee insurance and Rezerva1 set.
TEST_F(Import200608, FromAugust2006ThePayrollHasGuaranteeInsurance)
{
    Row r = row("701", "1");
    r.month = "8";
    r.year = "2006";
    writeFile("0608.txt", {r.text()});
    scripted.answerYes().answerYes();
    const Vysledok v = filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(v.importovane, 1);
    EXPECT_EQ(vyp(701, 200608, "u_garancne").toInt(), 1);
    EXPECT_EQ(vyp(701, 200608, "rezerva1").toDouble(), 1.0);
    EXPECT_EQ(zam(701, "u_garancne").toInt(), 0);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65154, 1)});
}

// Dan_vyrovnana: 0 for a row that claims the non-taxable part or whose agreement income is
// above parameter 31 (5 000 in 2007), otherwise 1.
TEST_F(Import200703, TheSettledTaxFlagFollowsTheRule)
{
    ASSERT_EQ(MyConsts::Parametre(31).Hodnota, 5000);
    const struct {
        const char *pn;
        const char *nezdanitelne;
        const char *ovp;
        int expected;
    } cases[] = {
        {"801", "1", "1000", 0}, {"802", "0", "6000", 0}, {"803", "0", "4000", 1}, {"804", "0", "5000", 1},
    };
    QStringList lines;
    for (const auto &c : cases) {
        Row r = row(c.pn, "1", c.ovp);
        r.year = "2007";
        r.nezdanitelne = c.nezdanitelne;
        lines << r.text();
    }
    writeFile("0703.txt", lines);
    scripted.answerYes().answerYes();
    EXPECT_EQ(filings::survey_import::mnu_imp2Click().importovane, 4);
    for (const auto &c : cases)
        EXPECT_EQ(vyp(QString(c.pn).toInt(), 200703, "dan_vyrovnana").toInt(), c.expected) << c.pn;
    expectNoQuestionInATransaction();
}

// Bytes that are not Windows-1250 text and a line that is too short are listed with their
// line numbers; the good row is imported.
TEST_F(Import200703, LinesThatCannotBeReadAreListedWithTheirNumbers)
{
    Row good = row("901", "1");
    good.year = "2007";
    Row bad = row("902", "1");
    bad.year = "2007";
    QByteArray bytes = codepage::cp1250TextFileBytes({good.text()});
    bytes += codepage::toCp1250(bad.text()).replace("Anna", "An\x81na") + "\r\n";
    bytes += "903;3\r\n";
    writeFile("0703.txt", {}, bytes);
    scripted.answerYes().answerYes();
    const Vysledok v = filings::survey_import::mnu_imp2Click();
    EXPECT_EQ(v.importovane, 1);
    EXPECT_EQ(v.chyby, (QStringList{"Os.číslo: 902   chyba: riadok 2: bajt 0x81 nie je znak kódovania Windows-1250",
                                    "Os.číslo: 903   chyba: riadok 3: počet položiek 2, potrebných je aspoň 20"}))
        << v.chyby.join('\n').toStdString();
}
