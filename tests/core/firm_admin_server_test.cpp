// Firm administration on the database server: an installation made on a throwaway database,
// the program's session on it, and the firm opened as at start-up; the archives are written
// and unpacked by the real zip and unzip, the dumps by the server's own client programs.
#include "core/app_ini.h"
#include "core/database_server.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_admin.h"
#include "core/firm_opening.h"
#include "core/helpers/app_paths.h"
#include "core/helpers/messages.h"
#include "core/helpers/parameters.h"
#include "core/installation.h"
#include "core/period_rules.h"
#include "core/session.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/server_session.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/data_modules.h"
#include "support/pg_test_server.h"
#include "support/scripted_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>

using namespace tarix;

namespace {

// Every table of a schema, its rows in the order of their identity, each value as text.
using Rows = std::map<QString, QStringList>;

Rows rowsOf(db::PgConnection &conn, const QString &schema)
{
    Rows rows;
    const db::PgResult tables = conn.exec(QStringLiteral(
        "SELECT c.relname FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = $1 AND c.relkind = 'r' ORDER BY 1"), {schema});
    for (int t = 0; t < tables.rowCount(); ++t) {
        const QString table = tables.value(t, 0).toString();
        const db::PgResult r = conn.exec(QStringLiteral("SELECT * FROM \"%1\".\"%2\" ORDER BY rowid").arg(schema, table));
        QStringList &lines = rows[table];
        for (int i = 0; i < r.rowCount(); ++i) {
            QStringList row;
            for (int c = 0; c < r.columnCount(); ++c)
                row << (r.value(i, c).isValid() ? r.value(i, c).toString() : QStringLiteral("NULL"));
            lines << row.join(u'|');
        }
    }
    return rows;
}

int rowCount(const Rows &rows)
{
    int n = 0;
    for (const auto &[table, lines] : rows)
        n += int(lines.size());
    return n;
}

class FirmAdminServer : public test::ScriptedTest<> {
protected:
    void SetUp() override
    {
        TARIX_REQUIRE_PG_SERVER();
        database = std::make_unique<test::PgTestDatabase>();
        ASSERT_TRUE(program.isValid());
        m_root = QDir(program.path()).canonicalPath() + u'/';
        // Firm administration needs no payrolls of the demo firm.
        core::createServerInstallation(database->conninfo(), m_root, {true, 2007, 2007, false});
        // The opening still checks the folders' database files before it opens the tables
        // (all of which it then reads from the server); they are there for that check only.
        core::createInstallation(m_root, {true, 2007, 2007, false});
        core::setAppPaths(core::deriveAppPaths(m_root, QString(), QString()));
        core::openAppIni(m_root);
        core::openStartupSession(core::appPaths(), database->conninfo());
        modules.create(test::mainModule(), true);
        conn = std::make_unique<db::PgConnection>(database->conninfo());
        core::setFirmAdminSteps({{}, [this] { ++menus; }});
        ASSERT_TRUE(reopen()) << scripted.messages().join('\n').toStdString();
        scripted.clearEvents();
    }

    void TearDown() override
    {
        core::setFirmAdminSteps({});
        if (database) {
            core::dropOpenFirm();
            core::closeSession();
            core::setSurcharges({});
            MyConsts::Parametre().fill(MyConsts::Parameter{});
            modules.destroy();
        }
        conn.reset();
        test::ScriptedTest<>::TearDown();
    }

    bool reopen()
    {
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this] { core::confirmPeriod(core::DM(), 2007, 2007, 3, m_root); };
        return core::openFirmAndYear(1, 2007, steps);
    }

    const QString &root() const { return m_root; }
    bool exists(const QString &schema) { return db::serverSchemaExists(*conn, schema); }
    QString errors() { return scripted.messages(ui::MessageKind::Error).join('\n'); }

    // A session of another workstation with the firm's folder attached.
    std::unique_ptr<db::Session> otherWorkstation(const QString &folder)
    {
        auto other = std::make_unique<db::Session>(core::serverSessionOptions(database->conninfo(), core::appPaths()));
        other->setAlias(QStringLiteral("TARIX_DATA"), m_root + folder);
        other->attach(QStringLiteral("TARIX_DATA"));
        return other;
    }

    std::unique_ptr<test::PgTestDatabase> database;
    std::unique_ptr<db::PgConnection> conn;
    QTemporaryDir program;
    test::DataModules modules;
    int menus = 0;

private:
    QString m_root;
};

} // namespace

TEST_F(FirmAdminServer, ANewFirmIsTheTemplateSchemaWithItsRows)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2) << errors().toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65136, 2)});
    EXPECT_EQ(menus, 1);
    const Rows firm = rowsOf(*conn, QStringLiteral("data02"));
    EXPECT_EQ(firm, rowsOf(*conn, QStringLiteral("data")));
    EXPECT_GT(rowCount(firm), 0);
    EXPECT_TRUE(firm.count(QStringLiteral("inf")));

    // The new firm numbers its own rows: an AUTOINC_INT field moves the firm's sequence,
    // never the template's.
    conn->execute(QStringLiteral("INSERT INTO data02.deti (code_emp, priezvisko, rc, dat_nar, pd, ztp, nc) "
                                 "VALUES (1, 'Nová', '000101/0001', '2000-01-01', 0, 0, 0)"));
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT did FROM data02.deti")).value(0, 0).toLongLong(), 1);
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT is_called FROM data.\"_autoinc_deti_did\"")).value(0, 0).toBool(), false);

    scripted.answerYes(Msg(65103));
    EXPECT_EQ(core::addFirm(), 3);
}

TEST_F(FirmAdminServer, AFirmAnotherWorkstationHasOpenIsNotDeletedUntilItClosesIt)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.clearEvents();
    {
        const auto other = otherWorkstation(QStringLiteral("DATA02"));
        EXPECT_TRUE(core::databaseInUse(root() + QStringLiteral("DATA02/")));
        scripted.answerYes().answerYes();
        EXPECT_FALSE(core::Zrusenie_firmy(2, "Nová 02"));
        EXPECT_TRUE(exists(QStringLiteral("data02")));
        ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
        EXPECT_TRUE(errors().contains(QStringLiteral("Nová 02"))) << errors().toStdString();
        // It reads the firm on.
        EXPECT_EQ(other->run(QStringLiteral("select count(*) from \":TARIX_DATA:inf\"")).value(0, 0).toInt(), 1);
    }
    EXPECT_FALSE(core::databaseInUse(root() + QStringLiteral("DATA02/")));
    scripted.clearEvents();
    scripted.answerYes().answerYes();
    EXPECT_TRUE(core::Zrusenie_firmy(2, "Nová 02")) << errors().toStdString();
    EXPECT_FALSE(exists(QStringLiteral("data02")));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information).last(), Msg(65139, QStringLiteral("Nová 02")));
    // The open firm stays.
    EXPECT_FALSE(core::Zrusenie_firmy(1, "DEMO STAV, s.r.o. 01"));
    EXPECT_TRUE(exists(QStringLiteral("data01")));
}

TEST_F(FirmAdminServer, AFirmBeingDeletedOrRestoredIsNotOpenedMeanwhile)
{
    // While this program has the firm open, no other takes it for a deletion or restore.
    db::PgConnection admin(database->conninfo());
    EXPECT_FALSE(db::tryTakeSchemaExclusively(admin, QStringLiteral("data01")));
    core::dropOpenFirm();
    core::session().closeAll();
    ASSERT_TRUE(db::tryTakeSchemaExclusively(admin, QStringLiteral("data01")));
    // Held so, no second program takes it and none opens it.
    db::PgConnection second(database->conninfo());
    EXPECT_FALSE(db::tryTakeSchemaExclusively(second, QStringLiteral("data01")));
    db::Session other(core::serverSessionOptions(database->conninfo(), core::appPaths()));
    other.setBusyTimeout(200);
    other.setAlias(QStringLiteral("TARIX_DATA"), root() + QStringLiteral("DATA01"));
    EXPECT_THROW(other.attach(QStringLiteral("TARIX_DATA")), db::TableOpenError);
    db::releaseSchemaExclusively(admin, QStringLiteral("data01"));
    EXPECT_NO_THROW(other.attach(QStringLiteral("TARIX_DATA")));
    EXPECT_EQ(other.run(QStringLiteral("select count(*) from \":TARIX_DATA:inf\"")).value(0, 0).toInt(), 1);
}

TEST_F(FirmAdminServer, ABackupRestoresExactlyTheRowsItHeld)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5))) << errors().toStdString();
    // The archives of the folders' version, each holding its schema's dump.
    const QString firmArchive = root() + QStringLiteral("ZALOHA/z0305d01.zip");
    const QString yearArchive = root() + QStringLiteral("ZALOHA/ROK2007/z0305com.zip");
    EXPECT_EQ(core::archiveEntries(firmArchive), QStringList{QStringLiteral("data01.dump")});
    EXPECT_EQ(core::archiveEntries(root() + QStringLiteral("ZALOHA/z0305d02.zip")), QStringList{QStringLiteral("data02.dump")});
    EXPECT_EQ(core::archiveEntries(yearArchive), QStringList{QStringLiteral("rok2007.dump")});
    EXPECT_FALSE(QFileInfo::exists(root() + QStringLiteral("ZALOHA/z0305d03.zip")));

    const struct Case {
        const char *archive;
        const char *schema;
        const char *change;
    } cases[] = {
        {"ZALOHA/z0305d01.zip", "data01", "DELETE FROM data01.zam; UPDATE data01.inf SET nazov = 'Zmenená'"},
        {"ZALOHA/ROK2007/z0305com.zip", "rok2007", "DELETE FROM rok2007.cis_par"},
    };
    int safetyCopy = 0;
    const auto dataVersion = [&](const QString &schema) {
        return conn->exec(QStringLiteral("SELECT last_value FROM \"%1\"._data_version").arg(schema)).value(0, 0).toLongLong();
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.schema);
        const Rows before = rowsOf(*conn, c.schema);
        ASSERT_TRUE(reopen());
        conn->executeRaw(QString::fromUtf8(c.change));
        ASSERT_NE(rowsOf(*conn, c.schema), before);
        const qint64 changed = dataVersion(c.schema);
        scripted.clearEvents();
        scripted.answerFile(root() + QString::fromUtf8(c.archive)).answerYes();
        ASSERT_TRUE(core::restoreBackup()) << errors().toStdString();
        EXPECT_EQ(rowsOf(*conn, c.schema), before);
        // The restored schema's data version goes on forward: nothing a program kept from
        // before the restore passes for current.
        EXPECT_GT(dataVersion(c.schema), changed);
        EXPECT_TRUE(QFileInfo::exists(root() + QStringLiteral("SKLAD/bkp%1.zip").arg(++safetyCopy, 4, 10, QLatin1Char('0'))));
    }
    // Nothing is left beside the installation's schemas.
    EXPECT_EQ(db::serverSchemas(*conn).filter(QStringLiteral("tarix_")), QStringList());
    ASSERT_TRUE(reopen());
    EXPECT_EQ(core::DM().TINF_.fieldByName("NAZOV").asString(), "DEMO STAV, s.r.o.");
}

TEST_F(FirmAdminServer, AnotherFirmsArchiveRestoresIntoTheOpenOneAndLeavesThatFirm)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    const Rows second = rowsOf(*conn, QStringLiteral("data02"));
    conn->execute(QStringLiteral("UPDATE data02.inf SET nazov = 'Druhá'"));
    const Rows secondNow = rowsOf(*conn, QStringLiteral("data02"));
    ASSERT_TRUE(reopen());
    scripted.answerFile(root() + QStringLiteral("ZALOHA/z0305d02.zip")).answerYes();
    ASSERT_TRUE(core::restoreBackup()) << errors().toStdString();
    EXPECT_EQ(rowsOf(*conn, QStringLiteral("data01")), second);
    EXPECT_EQ(rowsOf(*conn, QStringLiteral("data02")), secondNow);
    // The restored firm numbers its rows with its own sequence.
    conn->execute(QStringLiteral("INSERT INTO data01.deti (code_emp, priezvisko, rc, dat_nar, pd, ztp, nc) "
                                 "VALUES (1, 'Nová', '000101/0001', '2000-01-01', 0, 0, 0)"));
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT is_called FROM data02.\"_autoinc_deti_did\"")).value(0, 0).toBool(), false);
    EXPECT_EQ(conn->exec(QStringLiteral("SELECT is_called FROM data01.\"_autoinc_deti_did\"")).value(0, 0).toBool(), true);
}

TEST_F(FirmAdminServer, ADamagedOrForeignArchiveLeavesTheFirmAsItWas)
{
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    QTemporaryDir work;
    const auto zipOne = [&](const QString &name, const QByteArray &bytes, const QString &archive) {
        QTemporaryDir src;
        QFile f(src.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ASSERT_EQ(core::runArchiver(QStringLiteral("zip"), QStringLiteral("-j \"%1\" \"%2/*\"").arg(archive, src.path()),
                                          root()),
                  0);
    };
    const auto dumpOf = [&](const QString &archive, const QString &entry) {
        QTemporaryDir out;
        EXPECT_EQ(core::runArchiver(QStringLiteral("unzip"), QStringLiteral("-o \"%1\" -d \"%2\"").arg(archive, out.path()),
                                          root()),
                  0);
        QFile f(out.filePath(entry));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    };
    const QByteArray firmDump = dumpOf(root() + QStringLiteral("ZALOHA/z0305d01.zip"), QStringLiteral("data01.dump"));
    const QByteArray yearDump = dumpOf(root() + QStringLiteral("ZALOHA/ROK2007/z0305com.zip"), QStringLiteral("rok2007.dump"));
    ASSERT_GT(firmDump.size(), 1000);
    const struct Case {
        const char *name;
        QString entry;
        QByteArray bytes;
        const char *reason;
    } cases[] = {
        {"cut short", QStringLiteral("data01.dump"), firmDump.left(firmDump.size() / 2), "pg_restore"},
        {"not a dump", QStringLiteral("data01.dump"), QByteArray("PGDMP but nothing else"), "pg_restore"},
        {"the year's", QStringLiteral("rok2007.dump"), yearDump, "Inf"},
        {"no dump", QStringLiteral("tarix.db"), QByteArray("SQLite format 3"), ".dump"},
    };
    conn->execute(QStringLiteral("UPDATE data01.inf SET nazov = 'Po zálohe'"));
    const Rows before = rowsOf(*conn, QStringLiteral("data01"));
    const QStringList schemas = db::serverSchemas(*conn);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString archive = work.filePath(QStringLiteral("z0305d01"));
        QFile::remove(archive + QStringLiteral(".zip"));
        zipOne(c.entry, c.bytes, archive);
        ASSERT_TRUE(reopen());
        scripted.clearEvents();
        scripted.answerFile(archive + QStringLiteral(".zip")).answerYes();
        EXPECT_FALSE(core::restoreBackup());
        ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
        EXPECT_TRUE(errors().contains(QStringLiteral("DATA01"))) << errors().toStdString();
        EXPECT_TRUE(errors().contains(QString::fromUtf8(c.reason))) << errors().toStdString();
        EXPECT_EQ(rowsOf(*conn, QStringLiteral("data01")), before);
        EXPECT_EQ(db::serverSchemas(*conn), schemas);
    }
    // The firm opens as it was.
    ASSERT_TRUE(reopen());
    EXPECT_EQ(core::DM().TINF_.fieldByName("NAZOV").asString(), "Po zálohe");
}

TEST_F(FirmAdminServer, ACraftedArchiveThatReachesAnotherSchemaIsRefusedAndChangesNothing)
{
    // A firm made to carry, in its own schema only, what reaches the year's: a check on its
    // header that deletes the year's parameters whenever a row is inserted by a restore
    // (whose search path is empty).
    conn->executeRaw(QStringLiteral(
        "CREATE FUNCTION data01.prenes(n text) RETURNS boolean LANGUAGE plpgsql AS $$BEGIN "
        "IF current_setting('search_path') = '' THEN DELETE FROM rok2007.cis_par; END IF; RETURN true; END$$; "
        "ALTER TABLE data01.inf ADD CONSTRAINT prenes CHECK (data01.prenes(nazov))"));
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    conn->executeRaw(QStringLiteral("ALTER TABLE data01.inf DROP CONSTRAINT prenes; DROP FUNCTION data01.prenes(text)"));
    const Rows firm = rowsOf(*conn, QStringLiteral("data01"));
    const Rows year = rowsOf(*conn, QStringLiteral("rok2007"));
    ASSERT_FALSE(year.at(QStringLiteral("cis_par")).isEmpty());

    ASSERT_TRUE(reopen());
    scripted.clearEvents();
    scripted.answerFile(root() + QStringLiteral("ZALOHA/z0305d01.zip")).answerYes();
    EXPECT_FALSE(core::restoreBackup());
    EXPECT_TRUE(errors().contains(QStringLiteral("záloha obsahuje príkaz mimo schémy data01: odkaz na inú schému "
                                                 "(rok2007.cis_par)")))
        << errors().toStdString();
    EXPECT_EQ(rowsOf(*conn, QStringLiteral("rok2007")), year);
    EXPECT_EQ(rowsOf(*conn, QStringLiteral("data01")), firm);
    EXPECT_FALSE(db::serverSchemas(*conn).join(u' ').contains(QStringLiteral("tarix_")));
}

TEST_F(FirmAdminServer, AFirmAnotherWorkstationHasOpenIsNotRestored)
{
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    conn->execute(QStringLiteral("UPDATE data01.inf SET nazov = 'Po zálohe'"));
    const Rows before = rowsOf(*conn, QStringLiteral("data01"));
    const auto other = otherWorkstation(QStringLiteral("DATA01"));
    ASSERT_TRUE(reopen());
    scripted.clearEvents();
    scripted.answerFile(root() + QStringLiteral("ZALOHA/z0305d01.zip")).answerYes();
    EXPECT_FALSE(core::restoreBackup());
    ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    EXPECT_TRUE(errors().contains(QStringLiteral("iný program"))) << errors().toStdString();
    EXPECT_EQ(rowsOf(*conn, QStringLiteral("data01")), before);
}

TEST_F(FirmAdminServer, TheNextYearIsACopyOfTheOpenYear)
{
    scripted.answerYes(Msg(65119, "2008"));
    ASSERT_TRUE(core::createYear()) << errors().toStdString();
    const Rows year = rowsOf(*conn, QStringLiteral("rok2008"));
    EXPECT_EQ(year, rowsOf(*conn, QStringLiteral("rok2007")));
    EXPECT_GT(rowCount(year), 0);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information),
              QStringList{Msg(65117, 2008, QDir::toNativeSeparators(root() + "COMMON/ROK2008/"))});
    EXPECT_EQ(menus, 1);

    // Once it exists it is not made again.
    ASSERT_TRUE(reopen());
    scripted.clearEvents();
    scripted.answerYes(Msg(65119, "2008"));
    EXPECT_FALSE(core::createYear());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65116, QStringLiteral("2008"))});
}
