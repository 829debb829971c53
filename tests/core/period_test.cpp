// The period and cost-centre rules, and their dialogs, on an opened firm.
#include "core/forms/form_stred.h"
#include "core/forms/form_main.h"
#include "core/forms/form_obdobie.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/errors.h"
#include "platform/ini/ini_file.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <sqlite3.h>

#include <memory>

using namespace tarix;

namespace {

class Period : public firmtest::FirmFixture {
protected:
    // Opens firm 01 in the year with the given month, without dialogs.
    void open(int year, int month)
    {
        core::OpeningSteps k;
        k.vyber_obdobia = [&] { core::confirmPeriod(core::DM(), year, year, month, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, year, k));
        scripted.clearEvents();
    }
    QPair<int, int> stored()
    {
        const auto r = s().run("select rok, mesiac from \":tarix_priv:priv\"");
        return {int(r.asInteger(0, 0)), int(r.asInteger(0, 1))};
    }
    void confirm(int remembered, int year, int month)
    {
        core::confirmPeriod(core::DM(), remembered, year, month, root());
    }
    QStringList bands()
    {
        const auto r = s().run("select d_od, d_sadzba, d_sumaplus, d_presah from \":tarix_comm:dzp\" order by d_od");
        QStringList out;
        for (int i = 0; i < r.rowCount(); ++i)
            out << QStringLiteral("%1/%2/%3/%4").arg(r.asFloat(i, 0)).arg(r.asFloat(i, 1)).arg(r.asFloat(i, 2)).arg(r.asFloat(i, 3));
        return out;
    }
    // Every row of the tables a period change with a year import writes.
    QStringList yearTables()
    {
        QStringList out;
        for (const char *table : {"\":tarix_priv:priv\"", "\":tarix_comm:dzp\"", "\":tarix_comm:cis_par\"",
                                  "\":tarix_comm:setup\""}) {
            const auto r = s().run(QStringLiteral("select * from %1 order by 1, 2").arg(QString::fromLatin1(table)));
            for (int i = 0; i < r.rowCount(); ++i) {
                QStringList row;
                for (int c = 0; c < r.columnCount(); ++c)
                    row << r.value(i, c).toString();
                out << QString::fromLatin1(table) + u':' + row.join(u'|');
            }
        }
        return out;
    }
    // A year file of 2003 with three bands, a parameter and a set-up value (plus `extra`).
    void writeGoodYearFile(const QList<QStringList> &extra = {})
    {
        QList<QStringList> entries;
        for (int n = 1; n <= 3; ++n) {
            entries << QStringList{"DAN-OD", QStringLiteral("PASMO_%1").arg(n), QString::number(n * 1000)};
            entries << QStringList{"DAN-SADZBA", QStringLiteral("PASMO_%1").arg(n), QString::number(10 + n)};
            entries << QStringList{"DAN-SUMAPLUS", QStringLiteral("PASMO_%1").arg(n), QString::number(n)};
        }
        entries << QStringList{"PARAMETRE_NUM", "MIN_MZDA", "6500"} << QStringList{"SETUP", "F_MIN_MZDA", "6500.5"};
        QFile::remove(root() + core::yearFile(2003));
        writeYearFile(2003, entries + extra);
    }
    void writeYearFile(int year, const QList<QStringList> &entries)
    {
        ini::IniFile ini(root() + core::yearFile(year));
        for (const QStringList &e : entries)
            ini.writeString(e[0], e[1], e[2]);
    }
};

} // namespace

TEST(PeriodRules, ExemptionModeAndYearChanges)
{
    struct Mode {
        int period, mode;
    } modes[] = {{200607, 0}, {200608, 1}, {200612, 1}, {200701, 0}};
    for (const auto &m : modes)
        EXPECT_EQ(core::periodExceptionMode(m.period), m.mode) << m.period;

    struct Change {
        int from, to;
        bool allowed;
    } changes[] = {{2004, 2003, true}, {2003, 2004, true}, {2004, 2004, true}, {2004, 2005, false},
                   {2002, 2007, false}, {2007, 2007, true}, {2007, 2006, false}, {2007, 2008, false}};
    for (const auto &c : changes) {
        if (c.allowed) {
            EXPECT_NO_THROW(core::checkYearChange(c.from, c.to)) << c.from << "->" << c.to;
        } else {
            try {
                core::checkYearChange(c.from, c.to);
                ADD_FAILURE() << c.from << "->" << c.to << " was allowed";
            } catch (const EMyError &e) {
                EXPECT_EQ(e.text(), Msg(65115));
            }
        }
    }

    struct Offer {
        int year;
        bool pasma, parametre, lenExistujuci;
    } offers[] = {{2004, true, true, true},   {2002, true, true, true},  {2001, true, true, false},
                  {2000, true, true, false},  {1999, true, false, false}, {1998, false, false, false},
                  {2005, false, false, false}};
    for (const auto &o : offers) {
        const auto p = core::importOffer(o.year);
        EXPECT_EQ(p.pasma, o.pasma) << o.year;
        EXPECT_EQ(p.parametre, o.parametre) << o.year;
        EXPECT_EQ(p.lenExistujuci, o.lenExistujuci) << o.year;
    }
    EXPECT_EQ(core::yearFile(2003), "ROK2003.INI");
}

TEST_F(Period, ARefusedYearIsNotStored)
{
    open(2004, 5);
    try {
        confirm(2004, 2005, 7);
        FAIL() << "2005 was accepted";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65115));
    }
    EXPECT_EQ(stored(), qMakePair(2004, 5));
    EXPECT_FALSE(core::DM().TPRIV_.isEditing());
}

TEST_F(Period, AnEarlierYearWithoutItsFileAsksNothing)
{
    open(2004, 5);
    confirm(2004, 2003, 2);
    EXPECT_EQ(stored(), qMakePair(2003, 2));
    EXPECT_TRUE(scripted.events().empty());
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(Period, TheYearFileSetsBandsParametersAndSetUp)
{
    open(2004, 5);
    QList<QStringList> entries;
    for (int n = 1; n <= 5; ++n) {
        entries << QStringList{"DAN-OD", QStringLiteral("PASMO_%1").arg(n), QString::number(n * 1000)};
        entries << QStringList{"DAN-SADZBA", QStringLiteral("PASMO_%1").arg(n), QString::number(10 + n)};
        entries << QStringList{"DAN-SUMAPLUS", QStringLiteral("PASMO_%1").arg(n), QStringLiteral("%1,5").arg(n)};
    }
    entries << QStringList{"PARAMETRE_NUM", "min_mzda", "6500"}          // found by abbreviation
            << QStringList{"PARAMETRE_NUM", "MAX_VZ_ZP", "veľa"}         // not a number
            << QStringList{"PARAMETRE_NUM", "NEZNAMY", "5"}              // no such parameter
            << QStringList{"SETUP", "F_MIN_MZDA", "6500.50"}
            << QStringList{"SETUP", "JAN", "abc"}                        // not a number
            << QStringList{"SETUP", "NEEXISTUJE", "1"};                  // no such field
    writeYearFile(2003, entries);
    const double maxVz = s().run("select hodnota from \":tarix_comm:cis_par\" where skratka='MAX_VZ_ZP'").asFloat(0, 0);
    const int jan = int(count("select jan from \":tarix_comm:setup\""));

    scripted.answerYes(Msg(65131, 2003, "ROK2003.INI")).answerYes(Msg(65132, 2003, "ROK2003.INI"));
    confirm(2004, 2003, 1);

    EXPECT_EQ(bands(), (QStringList{"1000/11/1.5/0", "2000/12/2.5/0", "3000/13/3.5/0", "4000/14/4.5/0",
                                    "5000/15/5.5/0"}));
    EXPECT_EQ(one("select hodnota from \":tarix_comm:cis_par\" where skratka='MIN_MZDA'").toDouble(), 6500.0);
    EXPECT_EQ(one("select hodnota from \":tarix_comm:cis_par\" where skratka='MAX_VZ_ZP'").toDouble(), maxVz);
    EXPECT_EQ(one("select f_min_mzda from \":tarix_comm:setup\"").toDouble(), 6500.5);
    EXPECT_EQ(count("select jan from \":tarix_comm:setup\""), jan);
    // The parameters were loaded again.
    EXPECT_EQ(MyConsts::Hodnota_parametra("MIN_MZDA"), 6500.0);
    EXPECT_EQ(stored(), qMakePair(2003, 1));
    EXPECT_EQ(core::DM().Aktualny_rok(), 2003);
    EXPECT_EQ(s().transactionDepth(), 0);

    const auto warnings = scripted.messages(ui::MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 3);
    EXPECT_TRUE(warnings[0].contains("MAX_VZ_ZP") && warnings[0].contains("veľa")) << warnings[0].toStdString();
    EXPECT_TRUE(warnings[1].contains("JAN") && warnings[1].contains("[SETUP]")) << warnings[1].toStdString();
    EXPECT_TRUE(warnings[2].contains("NEEXISTUJE"));
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(Period, BandsWithoutTheFirstBandAreRefusedBeforeAnythingIsDeleted)
{
    open(2004, 5);
    const QStringList before = bands();
    writeYearFile(2003, {{"DAN-OD", "PASMO_1", "0"}, {"DAN-SUMAPLUS", "PASMO_1", "0"}});
    // Both questions come before the file is read.
    scripted.answerYes().answerYes();
    try {
        confirm(2004, 2003, 1);
        FAIL() << "the file was taken";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65130, "ROK2003.INI"));
    }
    EXPECT_EQ(bands(), before);
}

TEST_F(Period, OldYearsAreOfferedWithoutTheFile)
{
    open(2004, 5);
    scripted.answerNo(Msg(65131, 2000, "ROK2000.INI")).answerNo(Msg(65132, 2000, "ROK2000.INI"));
    confirm(2004, 2000, 1);
    scripted.answerNo(Msg(65131, 1999, "ROK1999.INI"));
    confirm(2000, 1999, 1);
    EXPECT_EQ(scripted.pendingAnswers(), 0);
    EXPECT_TRUE(scripted.failures().isEmpty());
}

TEST_F(Period, ThePeriodSetsSlotTwentyEightAndTheExemptionMode)
{
    open(2006, 7);
    core::TDM &dm = core::DM();
    EXPECT_EQ(dm.exceptionFilterMode(), 0);
    confirm(2006, 2006, 8);
    EXPECT_EQ(dm.exceptionFilterMode(), 1);
    EXPECT_EQ(dm.CIS5_.filter(), core::kFilterVynimiek2006);
    EXPECT_FALSE(dm.CIS5_.isFiltered());
    confirm(2006, 2006, 1);
    EXPECT_EQ(dm.exceptionFilterMode(), 0);
    EXPECT_TRUE(dm.CIS5_.filter().isEmpty());

    open(2007, 3);
    confirm(2007, 2007, 7);
    EXPECT_EQ(MyConsts::Parametre(28).Hodnota, 555.0);
}

TEST_F(Period, DialogStoresThePeriodOnlyWhenAccepted)
{
    open(2004, 5);
    {
        core::TFormObdobie form(core::DM(), root());
        EXPECT_EQ(form.windowTitle(), "VÝBER");
        EXPECT_EQ(form.mesiac(), 5);
        ASSERT_TRUE(form.rokEdit()->isEnabled());
        form.rokEdit()->setText("2005");
        form.setMesiac(7);
        form.okButton()->click();
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65115)});
        EXPECT_NE(form.result(), QDialog::Accepted);
        EXPECT_EQ(stored(), qMakePair(2004, 5));
        form.rokEdit()->setText("2003");
        form.okButton()->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(stored(), qMakePair(2003, 7));
    }
    open(2007, 1);
    core::TFormObdobie form(core::DM(), root());
    EXPECT_FALSE(form.rokEdit()->isEnabled());
    form.setMesiac(12);
    form.okButton()->click();
    EXPECT_EQ(stored(), qMakePair(2007, 12));
}

TEST_F(Period, CostCentreDialogListsTheFirmAndItsCentres)
{
    open(2007, 1);
    core::TFormStred form(core::DM());
    QTableWidget *grid = form.grid();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), "0");
    EXPECT_EQ(grid->item(0, 1)->text(), "VŠETKY STREDISKÁ (FIRMA SPOLU)");
    EXPECT_EQ(grid->item(2, 0)->text(), "2");
    EXPECT_EQ(grid->columnWidth(1), 339);
    grid->selectRow(2);
    form.okButton()->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 2);
}

TEST_F(Period, WithOneCentreTheMenuSaysSoAndTheWholeFirmIsChosen)
{
    open(2007, 1);
    core::setCostCenter(core::DM(), 1);
    s().execute("delete from \":tarix_data:cis_vm\" where id<>1");
    core::TFormMain main;
    main.Akcia_stredisko(true);
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65162)});
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 0);
    scripted.clearEvents();
    core::setCostCenter(core::DM(), 1);
    main.Akcia_stredisko(false); // on opening: no message
    EXPECT_TRUE(scripted.messages().isEmpty());
    EXPECT_EQ(core::DM().Aktualne_stredisko(), 0);
}

// A failure in any stage of the year import undoes the period row, the bands, the parameters
// and the set-up together, and is reported as a failure of the import.
TEST_F(Period, AFailedYearImportLeavesEveryTableAsItWas)
{
    open(2004, 5);
    const QString comm = s().schemaOf("TARIX_COMM");
    const QString privateFolderDb = s().schemaOf("TARIX_PRIV");
    auto trigger = [](const QString &schema, const char *when, const char *table) {
        return QStringLiteral("create trigger %1.zlyhanie %2 on %3 begin select raise(abort, 'zlyhanie zapisu'); end")
            .arg(schema, QString::fromLatin1(when), QString::fromLatin1(table));
    };
    struct Case {
        const char *name;
        QString trigger;         // SQL that makes one stage fail ("" = none)
        QString dropTrigger;
        QList<QStringList> extra; // more entries of the year file
        const char *cause;        // part of the reported cause
    } cases[] = {
        {"period row", trigger(privateFolderDb, "before update", "priv"), "drop trigger " + privateFolderDb + ".zlyhanie", {}, "zlyhanie zapisu"},
        {"bands", trigger(comm, "before insert", "dzp"), "drop trigger " + comm + ".zlyhanie", {}, "zlyhanie zapisu"},
        {"parameters", trigger(comm, "before update", "cis_par"), "drop trigger " + comm + ".zlyhanie", {}, "zlyhanie zapisu"},
        {"set-up", trigger(comm, "before update", "setup"), "drop trigger " + comm + ".zlyhanie", {}, "zlyhanie zapisu"},
        // 70000 is a whole number but no SMALLINT: the field refuses it after everything else was written.
        {"refused value", {}, {}, {{"SETUP", "JAN", "70000"}}, "70000"},
    };
    const double minMzda = MyConsts::Hodnota_parametra("MIN_MZDA");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeGoodYearFile(c.extra);
        const QStringList before = yearTables();
        if (!c.trigger.isEmpty())
            s().executeRaw(c.trigger);
        scripted.clearEvents();
        scripted.answerYes(Msg(65131, 2003, "ROK2003.INI")).answerYes(Msg(65132, 2003, "ROK2003.INI"));
        try {
            confirm(2004, 2003, 1);
            ADD_FAILURE() << "the import was reported as done";
        } catch (const EMyError &e) {
            EXPECT_TRUE(e.text().contains("ROK2003.INI") && e.text().contains("nič nebolo zmenené")
                        && e.text().contains(QString::fromUtf8(c.cause)))
                << e.text().toStdString();
        }
        if (!c.dropTrigger.isEmpty())
            s().executeRaw(c.dropTrigger);
        EXPECT_EQ(yearTables(), before);
        EXPECT_EQ(s().transactionDepth(), 0);
        EXPECT_EQ(core::DM().Aktualny_rok(), 2004);
        EXPECT_EQ(core::DM().Aktualny_mesiac(), 5);
        EXPECT_FALSE(core::DM().TPRIV_.isEditing());
        EXPECT_FALSE(core::DM().TSET_.isActive() && core::DM().TSET_.isEditing());
        EXPECT_EQ(MyConsts::Hodnota_parametra("MIN_MZDA"), minMzda);
        EXPECT_EQ(scripted.pendingAnswers(), 0);
        EXPECT_TRUE(scripted.failures().isEmpty());
    }

    // With the fault gone the same file is taken whole.
    writeGoodYearFile();
    scripted.answerYes().answerYes();
    confirm(2004, 2003, 1);
    EXPECT_EQ(stored(), qMakePair(2003, 1));
    EXPECT_EQ(bands(), (QStringList{"1000/11/1/0", "2000/12/2/0", "3000/13/3/0"}));
    EXPECT_EQ(one("select f_min_mzda from \":tarix_comm:setup\"").toDouble(), 6500.5);
    EXPECT_EQ(MyConsts::Hodnota_parametra("MIN_MZDA"), 6500.0);
}

TEST_F(Period, AYearImportOnABusyDatabaseChangesNothing)
{
    open(2004, 5);
    writeGoodYearFile();
    const QStringList before = yearTables();
    // Another workstation holds the year's database for writing.
    struct Closer {
        void operator()(sqlite3 *db) const { sqlite3_close(db); }
    };
    sqlite3 *raw = nullptr;
    const QByteArray path = (s().aliasFolder("TARIX_COMM") + "/tarix.db").toUtf8();
    ASSERT_EQ(sqlite3_open(path.constData(), &raw), SQLITE_OK);
    std::unique_ptr<sqlite3, Closer> other(raw);
    ASSERT_EQ(sqlite3_exec(other.get(), "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
    s().setBusyTimeout(0);

    scripted.answerYes().answerYes();
    EXPECT_THROW(confirm(2004, 2003, 1), EMyError);
    s().setBusyTimeout(5000);
    sqlite3_exec(other.get(), "rollback", nullptr, nullptr, nullptr);
    other.reset();
    EXPECT_EQ(yearTables(), before);
    EXPECT_EQ(core::DM().Aktualny_rok(), 2004);
    EXPECT_EQ(s().transactionDepth(), 0);
}

TEST_F(Period, TheDialogReportsAFailedImportAndStaysOpen)
{
    open(2004, 5);
    writeGoodYearFile({{"SETUP", "JAN", "70000"}});
    const QStringList before = yearTables();
    core::TFormObdobie form(core::DM(), root());
    form.rokEdit()->setText("2003");
    form.setMesiac(1);
    scripted.answerYes().answerYes();
    form.okButton()->click();
    EXPECT_NE(form.result(), QDialog::Accepted);
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains("ROK2003.INI")) << errors[0].toStdString();
    EXPECT_EQ(yearTables(), before);
}
