// The installation generator on the database server: every folder of the installation
// becomes its schema with the same rows the embedded folders get.
#include "core/database_server.h"
#include "core/installation.h"
#include "platform/db/pg_connection.h"
#include "platform/db/pg_schema.h"
#include "platform/db/session.h"
#include "platform/ini/ini_file.h"
#include "support/installation.h"
#include "support/pg_test_server.h"
#include "tools/mkinst/demo_payrolls.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tarix;

namespace {

// The rows of a table in the order they were written, each column's value as the layer
// hands it to the program (its type and text), one line a row.
std::vector<std::string> rowsOf(db::Session &s, const QString &alias, const QString &table)
{
    const db::SqlResult r = s.run(QStringLiteral("select * from \":%1:%2\" order by rowid").arg(alias, table));
    std::vector<std::string> rows;
    for (int i = 0; i < r.rowCount(); ++i) {
        QStringList row;
        for (int c = 0; c < r.columnCount(); ++c) {
            // The server names the columns in lower case; the row's identity is not data.
            const QString name = r.columnName(c).toLower();
            if (name == QLatin1String("rowid"))
                continue;
            const QVariant v = r.value(i, c);
            row << name + u'=' + (v.isValid() ? QString::fromLatin1(v.typeName()) + u':' + v.toString()
                                                         : QStringLiteral("NULL"));
        }
        rows.push_back(row.join(u' ').toStdString());
    }
    return rows;
}

} // namespace

TEST(ServerInstallation, EveryFolderIsASchemaWithTheRowsOfTheEmbeddedOne)
{
    TARIX_REQUIRE_PG_SERVER();
    test::PgTestDatabase database;
    test::Installation embedded;
    embedded.install();
    QTemporaryDir program;
    // The demo firm's payrolls too, as the generator makes them: the server's computed the same.
    const QStringList made = core::createServerInstallation(database.conninfo(), program.path(), {},
                                                            installation::createDemoPayrolls);
    const QString priv = core::workstationPrivateSchema(program.path() + u'/');
    EXPECT_EQ(made, (QStringList{priv, QStringLiteral("rok2004"), QStringLiteral("rok2005"), QStringLiteral("rok2006"),
                                 QStringLiteral("rok2007"), QStringLiteral("rok2008"), QStringLiteral("data"),
                                 QStringLiteral("data01")}));

    // The same folder names on both sides; on the server the session finds each folder's
    // schema by its name below the program folder.
    const QString root = QDir(program.path()).canonicalPath() + u'/';
    db::Session server(db::ServerOptions{database.conninfo(), [&](const QString &folder) {
        const QString rel = QDir(root).relativeFilePath(folder);
        return rel == QLatin1String("PRIVATE") ? priv : core::sharedFolderSchema(rel);
    }});
    db::Session local;
    const QStringList folders{QStringLiteral("PRIVATE"), QStringLiteral("COMMON/ROK2004"), QStringLiteral("COMMON/ROK2007"),
                              QStringLiteral("COMMON/ROK2008"), QStringLiteral("DATA"), QStringLiteral("DATA01")};
    for (const QString &folder : folders) {
        local.setAlias(QStringLiteral("F"), embedded.root() + folder);
        server.setAlias(QStringLiteral("F"), root + folder);
        const QStringList tables = local.tableNames(QStringLiteral("F"));
        ASSERT_FALSE(tables.isEmpty()) << folder.toStdString();
        EXPECT_EQ(server.tableNames(QStringLiteral("F")), tables) << folder.toStdString();
        int rows = 0;
        for (const QString &table : tables) {
            const std::vector<std::string> expected = rowsOf(local, QStringLiteral("F"), table);
            EXPECT_EQ(rowsOf(server, QStringLiteral("F"), table), expected)
                << folder.toStdString() << " " << table.toStdString();
            rows += int(expected.size());
        }
        EXPECT_GT(rows, 0) << folder.toStdString();
    }

    // TRX.INI of the program folder names the server.
    ini::IniFile trx(QDir(program.path()).filePath(QStringLiteral("TRX.INI")));
    EXPECT_EQ(trx.readString(QStringLiteral("NETWORK"), QStringLiteral("Database_Server"), QString()), database.conninfo());

    // Run again, it makes nothing and keeps what the clerk entered.
    db::PgConnection conn(database.conninfo());
    conn.execute(QStringLiteral("update data01.inf set nazov = 'Zmenená firma'"));
    EXPECT_EQ(core::createServerInstallation(database.conninfo(), program.path(), {}, installation::createDemoPayrolls),
              QStringList());
    EXPECT_EQ(conn.exec(QStringLiteral("select nazov from data01.inf")).value(0, 0).toString(), QStringLiteral("Zmenená firma"));
}

TEST(ServerInstallation, AFailingSeedLeavesNoSchemaBehind)
{
    TARIX_REQUIRE_PG_SERVER();
    test::PgTestDatabase database;
    db::PgConnection conn(database.conninfo());
    db::installProgramSchema(conn);
    // The demo firm's rows alone lack the template's and conflict with nothing, so a seed
    // that names a table the firm does not have stands for any failing row.
    EXPECT_THROW(core::createServerFolderSchema(conn, QStringLiteral("data05"), core::FolderKind::Firm,
                                                {QStringLiteral(":/data/seed/year/common-codes.sql")}),
                 std::exception);
    EXPECT_FALSE(db::serverSchemaExists(conn, QStringLiteral("data05")));
    // The connection is usable afterwards and the schema can be made properly.
    core::createServerFolderSchema(conn, QStringLiteral("data05"), core::FolderKind::Firm,
                                   core::templateFirmSeedResources());
    EXPECT_TRUE(db::serverSchemaExists(conn, QStringLiteral("data05")));
}
