// The database server named in TRX.INI: the schema of each folder, and start-up, which uses
// the server or ends saying why, never going on with the local folders; a workstation whose
// session the server ended opens the firm again on a new connection; a clerk's login with
// the rights on the data only starts and saves, and is told which right it lacks.
#include "core/database_server.h"
#include "core/dm_all.h"
#include "core/dm_main.h"
#include "core/firm_opening.h"
#include "core/forms/form_main.h"
#include "core/forms/startup.h"
#include "core/session.h"
#include "core/installation.h"
#include "core/module_registry.h"
#include "platform/codepage/cp1250.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/db/table.h"
#include "platform/db/db_error.h"
#include "platform/ini/ini_file.h"
#include "platform/ui/scripted_user_interface.h"
#include "support/installation.h"
#include "support/pg_test_server.h"
#include "support/scripted_test.h"
#include "support/widgets/program_start.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QFile>
#include <QRegularExpression>
#include <QWidget>

using namespace tarix;

TEST(DatabaseServer, EachSharedFolderIsASchema)
{
    struct Case {
        const char *folder;
        const char *schema; // empty: not a shared folder
    } cases[] = {
        {"DATA/", "data"},          {"DATA01/", "data01"},          {"data99", "data99"},
        {"DATA07\\", "data07"},     {"COMMON/ROK2007/", "rok2007"}, {"COMMON\\ROK2004\\", "rok2004"},
        {"common/rok2008", "rok2008"},
        {"COMMON/", ""},            {"PRIVATE/", ""},               {"DATA100/", ""},
        {"DATA1/", ""},             {"DATAX/", ""},                 {"COMMON/ROK07/", ""},
        {"ZALOHA/", ""},            {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(core::sharedFolderSchema(QString::fromUtf8(c.folder)), QString::fromUtf8(c.schema)) << c.folder;
}

TEST(DatabaseServer, NoTwoWorkstationsShareAPrivateSchema)
{
    const QString a = core::privateSchemaName(QStringLiteral("machine-a"), QStringLiteral("/opt/tarix"));
    static const QRegularExpression form(QStringLiteral("^priv_[0-9a-f]{20}$"));
    EXPECT_TRUE(form.match(a).hasMatch()) << a.toStdString();
    // The same workstation always gets its own schema back, however the folder is written.
    EXPECT_EQ(core::privateSchemaName(QStringLiteral("machine-a"), QStringLiteral("/opt/tarix/")), a);
    EXPECT_EQ(core::privateSchemaName(QStringLiteral("machine-a"), QStringLiteral("/opt/./tarix")), a);
    // Another machine with the program in the same folder, another program folder on the
    // same machine: schemas of their own.
    EXPECT_NE(core::privateSchemaName(QStringLiteral("machine-b"), QStringLiteral("/opt/tarix")), a);
    EXPECT_NE(core::privateSchemaName(QStringLiteral("machine-a"), QStringLiteral("/opt/tarix2")), a);
    // The separator between machine and folder keeps them apart.
    EXPECT_NE(core::privateSchemaName(QStringLiteral("m"), QStringLiteral("a/b")),
              core::privateSchemaName(QStringLiteral("ma"), QStringLiteral("/b")));
    EXPECT_EQ(core::workstationPrivateSchema(QStringLiteral("/opt/tarix")),
              core::workstationPrivateSchema(QStringLiteral("/opt/tarix/")));
    EXPECT_FALSE(core::sharedFolderSchema(QStringLiteral("PRIVATE")).startsWith(QStringLiteral("priv_")));
}

TEST(DatabaseServer, ASchemaLessServerIsNamedWithWhatItLacks)
{
    EXPECT_EQ(core::missingServerSchemas({QStringLiteral("data"), QStringLiteral("data01"), QStringLiteral("rok2007")}),
              QStringList());
    EXPECT_EQ(core::missingServerSchemas({QStringLiteral("data01"), QStringLiteral("rok2007")}),
              QStringList{QStringLiteral("schéma data (šablóna firmy DATA)")});
    EXPECT_EQ(core::missingServerSchemas({QStringLiteral("data"), QStringLiteral("rok07"), QStringLiteral("priv_0")}).size(), 1);
    EXPECT_EQ(core::missingServerSchemas({}).size(), 2);
}

// The shipped TRX.INI says how to name a server, and names none.
TEST(DatabaseServer, TheShippedIniDocumentsTheKey)
{
    test::Installation inst;
    inst.install();
    QFile f(inst.filePath(QStringLiteral("TRX.INI")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = codepage::fromCp1250(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral(";   Database_Server=host=server.firma.local port=5432 dbname=tarix user=mzdy")))
        << text.toStdString();
    ini::IniFile trx(inst.filePath(QStringLiteral("TRX.INI")));
    EXPECT_EQ(trx.readString(QStringLiteral("NETWORK"), QStringLiteral("Database_Server"), QStringLiteral("-")),
              QStringLiteral("-"));
    EXPECT_EQ(trx.readString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QStringLiteral("-")), QString());
}

namespace {

class ServerStartup : public test::ProgramStartTest<> {
protected:
    void TearDown() override
    {
        core::endProgram();
        core::destroyDM();
        core::DMA().Registruj_tabulky();
        core::moduleRegistry().clear();
        test::ProgramStartTest<>::TearDown();
    }

    // Starts the program on an installation whose TRX.INI names the server; no dialog may
    // come up, and nothing may be made in the local folders.
    void expectRefusedStart(const QString &conninfo, const QStringList &said)
    {
        test::Installation inst;
        inst.install();
        ini::IniFile(inst.filePath(QStringLiteral("TRX.INI")))
            .writeString(QStringLiteral("NETWORK"), QStringLiteral("Database_Server"), conninfo);
        ASSERT_TRUE(QDir(inst.privateFolder()).removeRecursively());
        scripted.clearEvents();

        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        core::TFormMain *main = nullptr;
        EXPECT_NO_THROW(main = test::startWithLogin(inst.path(), hooks, [](QWidget *w) {
            ADD_FAILURE() << "a dialog came up: " << w->objectName().toStdString();
            w->close();
        }));
        EXPECT_EQ(main, nullptr);
        const QString shown = scripted.messages(ui::MessageKind::Error).join(u'\n');
        for (const QString &s : said)
            EXPECT_TRUE(shown.contains(s)) << shown.toStdString() << "\nlacks: " << s.toStdString();
        // Never the local folders instead: the workstation's private folder was not made.
        EXPECT_FALSE(QFile::exists(inst.privateFolder())) << "fell back to the folders";
    }
};

} // namespace

TEST_F(ServerStartup, AServerThatCannotBeReachedEndsTheProgram)
{
    expectRefusedStart(QStringLiteral("host=/nonexistent/tarix port=5999 dbname=firma"),
                       {QStringLiteral("Program nie je možné spustiť."),
                        QStringLiteral("Nepodarilo sa pripojiť k databázovému serveru /nonexistent/tarix:5999/firma: "
                                       "server nie je dostupný")});
    expectRefusedStart(QStringLiteral("host=server dbname"),
                       {QStringLiteral("Nepodarilo sa pripojiť k databázovému serveru"),
                        QStringLiteral("chybný zápis pripojenia")});
}

TEST_F(ServerStartup, AServerThatRefusesTheLoginOrLacksTheSchemasEndsTheProgram)
{
    TARIX_REQUIRE_PG_SERVER();
    test::PgTestDatabase database;
    const QString server = db::PgConnection::serverNameOf(database.conninfo());
    expectRefusedStart(database.conninfo() + QStringLiteral(" user=nikto_taky"),
                       {QStringLiteral("Nepodarilo sa pripojiť k databázovému serveru %1: server odmietol prihlásenie").arg(server)});
    expectRefusedStart(database.conninfo(),
                       {QStringLiteral("Databázový server %1 nie je pripravený pre program TARIX: chýba schéma data "
                                       "(šablóna firmy DATA), schémy rokov").arg(server)});
}

TEST_F(ServerStartup, ANewWorkstationGetsItsPrivateSchemaAndListsTheServersFirms)
{
    TARIX_REQUIRE_PG_SERVER();
    test::PgTestDatabase database;
    QTemporaryDir program;
    // Start-up needs no payrolls of the demo firm.
    core::createServerInstallation(database.conninfo(), program.path(), {.demoPayrolls = false});
    // A workstation the server has not met yet: its private schema is not there.
    const QString privateFolderDb = core::workstationPrivateSchema(program.path() + u'/');
    db::PgConnection conn(database.conninfo());
    conn.executeRaw(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(privateFolderDb));

    core::StartupHooks hooks;
    hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
    core::TFormMain *main = test::startWithLogin(program.path(), hooks);
    ASSERT_NE(main, nullptr) << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    EXPECT_TRUE(db::serverSchemaExists(conn, privateFolderDb));
    EXPECT_TRUE(core::session().isServer());
    // The period row of a new workstation, read from the server.
    EXPECT_EQ(conn.exec(QStringLiteral("select count(*) from %1.priv").arg(privateFolderDb)).value(0, 0).toLongLong(), 1);
    // Nothing of the data in the program folder: no private folder, no firm folder.
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("PRIVATE"))));
    EXPECT_FALSE(QFile::exists(program.filePath(QStringLiteral("DATA01"))));

    const QList<QAction *> firms = main->openFirmMenu()->actions();
    ASSERT_EQ(firms.size(), 1);
    EXPECT_TRUE(firms[0]->text().endsWith(QStringLiteral(" 01"))) << firms[0]->text().toStdString();
    QStringList years;
    for (QAction *a : firms[0]->menu()->actions())
        years << a->text();
    EXPECT_EQ(years, (QStringList{"2004", "2005", "2006", "2007", "2008"}));
    // The program ends before its database goes.
    core::endProgram();
}

// The session on the server finds each folder of the installation by its path.
TEST(DatabaseServer, TheSessionFindsEachFolderSchemaByItsPath)
{
    const core::AppPaths paths = core::deriveAppPaths(QStringLiteral("/opt/tarix/"), QStringLiteral("/mnt/mzdy/"), QString());
    const db::ServerOptions options = core::serverSessionOptions(QStringLiteral("host=server"), paths);
    EXPECT_EQ(options.conninfo, QStringLiteral("host=server"));
    const QString privateFolderDb = core::workstationPrivateSchema(QStringLiteral("/opt/tarix/"));
    const struct {
        const char *folder;
        QString schema;
    } cases[] = {
        {"/mnt/mzdy/DATA07", QStringLiteral("data07")},  {"/mnt/mzdy/DATA", QStringLiteral("data")},
        {"/mnt/mzdy/COMMON/ROK2007", QStringLiteral("rok2007")},
        {"/mnt/mzdy/x/../DATA01", QStringLiteral("data01")}, {"/opt/tarix/PRIVATE", privateFolderDb},
        {"/opt/tarix/DATA01", QString()},  // the program folder is not the network root
        {"/mnt/DATA01", QString()},        {"/mnt/mzdy/ZALOHA", QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(options.schemaOf(QString::fromUtf8(c.folder)), c.schema) << c.folder;
}

namespace {

// The program started on a server installation; `login` names the server's login of the
// workstation (empty: the installation's own).
class ServerWorkstation : public ServerStartup {
protected:
    void SetUp() override
    {
        ServerStartup::SetUp();
        if (test::pgTestConninfo().isEmpty())
            GTEST_SKIP() << test::kNoPgServer;
        database = std::make_unique<test::PgTestDatabase>();
        ASSERT_TRUE(program.isValid());
        // Opening, reconnecting and saving need no payrolls of the demo firm.
        core::createServerInstallation(database->conninfo(), program.path(), {.demoPayrolls = false});
    }
    core::TFormMain *start(const QString &login = {})
    {
        if (!login.isEmpty())
            ini::IniFile(program.filePath(QStringLiteral("TRX.INI")))
                .writeString(QStringLiteral("NETWORK"), QStringLiteral("Database_Server"),
                             database->conninfo() + QStringLiteral(" user=") + login);
        core::StartupHooks hooks;
        hooks.afterDataModules = [] { core::DMA().Registruj_tabulky(); };
        return test::startWithLogin(program.path(), hooks);
    }
    QString storedFirmName()
    {
        db::PgConnection admin(database->conninfo());
        return admin.exec(QStringLiteral("select nazov from data01.inf")).value(0, 0).toString();
    }

    std::unique_ptr<test::PgTestDatabase> database;
    QTemporaryDir program;
};

} // namespace

TEST_F(ServerWorkstation, AFirmChosenAgainAfterTheServerEndedTheSessionOpensOnANewConnection)
{
    core::TFormMain *main = start();
    ASSERT_NE(main, nullptr) << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    test::openFirmFromMenu(*main, 2007, 4);
    ASSERT_TRUE(core::DM().TINF_.isActive());
    const int pid = core::session().serverConnection()->backendPid();

    // The server ends the workstation's session (as a restart does).
    db::PgConnection(database->conninfo()).exec(QStringLiteral("SELECT pg_terminate_backend($1)"), {pid});
    // A save now says that nothing was saved.
    db::Table &inf = core::DM().TINF_;
    EXPECT_THROW(
        {
            inf.edit();
            inf.setValue(QStringLiteral("NAZOV"), QStringLiteral("Nový názov"));
            inf.post();
        },
        db::ServerError);
    inf.cancel();

    scripted.clearEvents();
    EXPECT_NO_THROW(test::openFirmFromMenu(*main, 2007, 4));
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).isEmpty())
        << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    EXPECT_EQ(core::openedFirm().firma, 1);
    ASSERT_TRUE(inf.isActive());
    EXPECT_NE(core::session().serverConnection()->backendPid(), pid);
    inf.edit();
    inf.setValue(QStringLiteral("NAZOV"), QStringLiteral("Nový názov"));
    inf.post();
    EXPECT_EQ(storedFirmName(), QStringLiteral("Nový názov"));
    core::endProgram();
}

TEST_F(ServerWorkstation, AClerksLoginWithTheRightsOnTheDataOnlyStartsAndSaves)
{
    // The administrator's installation made every schema; the clerk may read and write the
    // data and nothing more: no CREATE on the database, owner of nothing.
    const test::PgTestRole clerkRole(*database, QStringLiteral("clerk"));
    const QString clerk = clerkRole.name();
    db::PgConnection admin(database->conninfo());
    admin.executeRaw(QStringLiteral(
        "REVOKE CREATE ON DATABASE %2 FROM PUBLIC; REVOKE CREATE ON SCHEMA public FROM PUBLIC; "
        "DO $$ DECLARE s text; BEGIN FOR s IN SELECT nspname FROM pg_namespace WHERE nspname = 'tarix' "
        "OR nspname ~ '^(data|rok|priv_)' LOOP "
        "EXECUTE format('GRANT USAGE ON SCHEMA %I TO %1', s); "
        "EXECUTE format('GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %I TO %1', s); "
        "EXECUTE format('GRANT USAGE, UPDATE ON ALL SEQUENCES IN SCHEMA %I TO %1', s); END LOOP; END $$")
                         .arg(clerk, database->name()));

    core::TFormMain *main = start(clerk);
    ASSERT_NE(main, nullptr) << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    test::openFirmFromMenu(*main, 2007, 4);
    ASSERT_TRUE(core::DM().TINF_.isActive()) << scripted.messages(ui::MessageKind::Error).join(u'\n').toStdString();
    db::Table &inf = core::DM().TINF_;
    inf.edit();
    inf.setValue(QStringLiteral("NAZOV"), QStringLiteral("Firma úradníčky"));
    inf.post();
    EXPECT_EQ(storedFirmName(), QStringLiteral("Firma úradníčky"));

    // Without the right to change the header the clerk is told which right on what.
    admin.executeRaw(QStringLiteral("REVOKE UPDATE ON data01.inf FROM %1").arg(clerk));
    inf.edit();
    inf.setValue(QStringLiteral("NAZOV"), QStringLiteral("Iný názov"));
    try {
        inf.post();
        ADD_FAILURE() << "saved without the right";
    } catch (const db::PermissionError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("nemá právo UPDATE na tabuľku inf"))) << e.text().toStdString();
        EXPECT_FALSE(e.text().contains(QStringLiteral("UPDATE \""), Qt::CaseInsensitive)) << e.text().toStdString();
    }
    inf.cancel();
    EXPECT_EQ(storedFirmName(), QStringLiteral("Firma úradníčky"));
    core::endProgram();
}
