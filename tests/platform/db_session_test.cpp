// Session, aliases, database files, the SQL helper result and transactions. What the server
// shares with the embedded database runs on both backends (DbSessionSql); the cases about
// SQLite's files (attaching, journals, the session's own main database) stay embedded.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/query.h"
#include "platform/db/session.h"
#include "platform/db/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files);
}
class DbSessionSql : public BackendTest {};
} // namespace

TARIX_ON_BOTH_BACKENDS(DbSessionSql);

TEST_P(DbSessionSql, DatxSharesTheFirmSchemaAndJoinsAcrossAliases)
{
    EXPECT_EQ(in.s.schemaOf(QStringLiteral("tarix_datx")), in.s.schemaOf(QStringLiteral("TARIX_DATA")));
    in.s.execute(QStringLiteral(R"(insert into ":tarix_priv:nakl" values (1,"+",17.5,100.0))"));
    in.s.execute(QStringLiteral(R"(insert into ":tarix_datx:vyp" (code_emp, v_obdobie, n_brutto) values (1, 200501, 500))"));
    // Written through DATX, read through DATA: one database.
    const SqlResult r = in.s.run(QStringLiteral(
        "select v.n_brutto, x.suma, s.akronym from vyp v, \":tarix_priv:nakl\" x, \":tarix_comm:cis_stat\" s "
        "where x.riadok = 1 and s.kod3 = '703'"), {}, QStringLiteral("TARIX_DATA"));
    ASSERT_EQ(r.rowCount(), 1);
    EXPECT_EQ(r.asFloat(0, 0), 500.0);
    EXPECT_EQ(r.text(0, 1), QStringLiteral("100,00")); // money column: "0.00"
    EXPECT_EQ(r.value(0, QStringLiteral("AKRONYM")).toString(), QStringLiteral("SK"));
}

TEST_P(DbSessionSql, SqlResultCarriesItsOwnCountsAndTypedValues)
{
    for (int i = 1; i <= 150; ++i)
        in.s.execute(QStringLiteral("insert into vyp (code_emp, v_obdobie, n_brutto) values (:e, 200501, :b)"),
                     {{QStringLiteral("E"), i}, {QStringLiteral("b"), i * 10.5}}, QStringLiteral("TARIX_DATA"));
    const SqlResult all = in.s.run(QStringLiteral(R"(SELECT * FROM ":tarix_data:vyp")"));
    EXPECT_EQ(all.rowCount(), 150); // no row cap
    EXPECT_EQ(all.columnCount(), 9);
    const SqlResult cnt = in.s.run(QStringLiteral(R"(select count(*), max(v_den), sum(n_brutto) from ":tarix_data:vyp" where code_emp > 1000)"));
    ASSERT_EQ(cnt.rowCount(), 1);
    EXPECT_EQ(cnt.text(0, 0), QStringLiteral("0")); // integer shown as a plain integer
    EXPECT_TRUE(cnt.isNull(0, 1));                    // max of no rows is empty
    EXPECT_EQ(cnt.text(0, 1), QString());
    EXPECT_EQ(cnt.asFloat(0, 2), 0.0);                // a blank number reads as 0
    const SqlResult none = in.s.run(QStringLiteral(R"(select * from ":tarix_data:vyp" where code_emp = -1)"));
    EXPECT_EQ(none.rowCount(), 0);
    EXPECT_EQ(none.columnCount(), 9);
    const qint64 changed = in.s.execute(QStringLiteral(R"(delete from ":tarix_data:vyp" where code_emp <= 10)"));
    EXPECT_EQ(changed, 10);
}

TEST_P(DbSessionSql, PositionalInsertsTakeTheDeclaredColumnTypes)
{
    in.s.execute(QStringLiteral(R"(insert into ":tarix_comm:typrl" values ("8","PN");)"));
    in.s.execute(QStringLiteral(R"x(insert into ":tarix_comm:cis_par" values (32,"ZRAZ_DAN_POSUN","0","Zrážková daň (ÁNO=1,NIE=0)"))x"));
    const SqlResult r = in.s.run(QStringLiteral(R"(select typ, popis from ":tarix_comm:typrl")"));
    EXPECT_EQ(r.value(0, 0).typeId(), QMetaType::LongLong);
    EXPECT_EQ(r.value(0, 0).toLongLong(), 8);
    EXPECT_EQ(r.value(0, 1).toString(), QStringLiteral("PN"));
    if (!onServer()) { // the stored type, asked in SQLite's own words
        EXPECT_EQ(in.s.run(QStringLiteral(R"(select typeof(typ) from ":tarix_comm:typrl")")).value(0, 0).toString(),
                  QStringLiteral("integer"));
    }
    const SqlResult p = in.s.run(QStringLiteral(R"(select hodnota, popis from ":tarix_comm:cis_par" where skratka = 'ZRAZ_DAN_POSUN')"));
    EXPECT_EQ(p.value(0, 0).toString(), QStringLiteral("0"));
    EXPECT_EQ(p.value(0, 1).toString(), QStringLiteral("Zrážková daň (ÁNO=1,NIE=0)"));
}

TEST(DbSession, DoubleQuotedFallbackIsOff)
{
    Install in;
    // Plain SQLite text with a double-quoted "column" that does not exist must fail, not
    // become a string.
    EXPECT_THROW(in.s.executeRaw(QStringLiteral("select \"nosuchcolumn\" from tarix_data.zam")), SqlError);
}

TEST(DbSession, RepointingAnAliasReattaches)
{
    TempInstallation inst;
    Session &s = inst.session();
    const QString f1 = inst.createFolder(QStringLiteral("DATA01"), kFirmDdl);
    const QString f2 = inst.createFolder(QStringLiteral("DATA02"), kFirmDdl);
    s.setAlias(QStringLiteral("TARIX_DATA"), f1);
    s.setAlias(QStringLiteral("TARIX_DATX"), f1);
    s.execute(QStringLiteral("update inf set nazov = 'Prvá'"), {}, QStringLiteral("TARIX_DATA"));
    Table inf;
    inf.setDatabaseName(QStringLiteral("TARIX_DATA"));
    inf.setTableName(QStringLiteral("INF.DB"));
    inf.open();
    EXPECT_EQ(inf.value(QStringLiteral("NAZOV")).toString(), QStringLiteral("Prvá"));
    // Opening another firm: the table of the old firm is closed, the alias reads the new one.
    s.setAlias(QStringLiteral("TARIX_DATA"), f2);
    EXPECT_FALSE(inf.isActive());
    inf.open();
    EXPECT_EQ(inf.value(QStringLiteral("NAZOV")).toString(), QStringLiteral("Firma s.r.o."));
    // DATX still points at the first firm and now has its own schema.
    EXPECT_EQ(s.schemaOf(QStringLiteral("TARIX_DATX")), QStringLiteral("tarix_datx"));
    EXPECT_EQ(s.run(QStringLiteral(R"(select nazov from ":tarix_datx:inf")")).value(0, 0).toString(), QStringLiteral("Prvá"));
    s.setAlias(QStringLiteral("TARIX_DATX"), f2);
    EXPECT_EQ(s.schemaOf(QStringLiteral("TARIX_DATX")), QStringLiteral("tarix_data"));
    EXPECT_EQ(s.run(QStringLiteral(R"(select nazov from ":tarix_datx:inf")")).value(0, 0).toString(), QStringLiteral("Firma s.r.o."));
}

TEST(DbSession, MissingOrDamagedDatabaseNamesFolderAndTableAndTouchesNothingElse)
{
    Install in;
    const QString broken = QDir(in.inst.root()).filePath(QStringLiteral("DATA02"));
    QDir().mkpath(broken);
    {
        QFile f(QDir(broken).filePath(QStringLiteral("tarix.db")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const QString missing = QDir(in.inst.root()).filePath(QStringLiteral("DATA03"));
    Table zam;
    zam.setDatabaseName(QStringLiteral("TARIX_DATA"));
    zam.setTableName(QStringLiteral("Zam.DB"));
    zam.open();
    for (const QString &folder : {broken, missing}) {
        in.s.setAlias(QStringLiteral("TARIX_PRIV"), folder);
        Table priv;
        priv.setDatabaseName(QStringLiteral("TARIX_PRIV"));
        priv.setTableName(QStringLiteral("Priv.DB"));
        try {
            priv.open();
            FAIL() << "opened a table of " << folder.toStdString();
        } catch (const TableOpenError &e) {
            EXPECT_EQ(e.folder(), folder);
            EXPECT_EQ(e.table(), QStringLiteral("Priv.DB"));
            EXPECT_TRUE(e.text().contains(folder));
            // The reason is passed on whole, not cut at a ':' of its own.
            EXPECT_FALSE(e.reason().isEmpty());
            EXPECT_TRUE(e.text().endsWith(e.reason())) << e.text().toStdString();
        }
        EXPECT_FALSE(priv.isActive());
    }
    EXPECT_FALSE(QFileInfo::exists(missing)); // nothing created
    EXPECT_TRUE(zam.isActive());               // other aliases unharmed
    Table noSuch;
    noSuch.setDatabaseName(QStringLiteral("TARIX_DATA"));
    noSuch.setTableName(QStringLiteral("Nic.DB"));
    EXPECT_THROW(noSuch.open(), TableOpenError);
}

TEST(DbSession, TableExistenceWithoutCase)
{
    Install in;
    EXPECT_TRUE(in.s.tableExists(QStringLiteral("tarix_comm"), QStringLiteral("CIS_PAR.DB")));
    EXPECT_FALSE(in.s.tableExists(QStringLiteral("TARIX_COMM"), QStringLiteral("Zam.DB")));
    EXPECT_TRUE(tableExistsInFolder(in.year, QStringLiteral("cis_par.db")));
    EXPECT_FALSE(tableExistsInFolder(in.year, QStringLiteral("zam")));
    EXPECT_FALSE(tableExistsInFolder(QDir(in.inst.root()).filePath(QStringLiteral("NONE")), QStringLiteral("zam")));
    EXPECT_TRUE(in.s.tableNames(QStringLiteral("TARIX_PRIV")).contains(QStringLiteral("nakl")));
    EXPECT_FALSE(in.s.tableNames(QStringLiteral("TARIX_DATA")).contains(QStringLiteral("_autoinc")));
}

TEST(DbSession, TableByPathWithoutAlias)
{
    Install in;
    Table inf;
    inf.setTableName(QDir(in.firm).filePath(QStringLiteral("INF.DB")));
    inf.open();
    EXPECT_EQ(inf.value(QStringLiteral("nazov")).toString(), QStringLiteral("Firma s.r.o."));
    inf.close();
    Table none;
    none.setTableName(QDir(in.inst.root()).filePath(QStringLiteral("DATA77/INF.DB")));
    EXPECT_THROW(none.open(), TableOpenError);
    EXPECT_FALSE(none.exists());
}

TEST(DbSession, CloseAllLeavesNoJournal)
{
    Install in;
    Table vyp;
    vyp.setDatabaseName(QStringLiteral("TARIX_DATA"));
    vyp.setTableName(QStringLiteral("Vyp"));
    vyp.open();
    {
        Transaction t(&in.s);
        in.s.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie) values (1, 200501))"));
        t.commit();
    }
    EXPECT_EQ(in.s.run(QStringLiteral("PRAGMA tarix_data.journal_mode")).value(0, 0).toString(), QStringLiteral("delete"));
    in.s.closeAll();
    EXPECT_FALSE(vyp.isActive());
    for (const QString &folder : {in.firm, in.year, in.priv})
        EXPECT_EQ(filesIn(folder), QStringList{QStringLiteral("tarix.db")}) << folder.toStdString();
    // The database files can now be replaced (restore) and are attached again on use.
    EXPECT_EQ(in.s.run(QStringLiteral(R"(select count(*) from ":tarix_data:vyp")")).asInteger(0, 0), 1);
}

TEST(DbSession, CreateDatabaseRefusesAnExistingFileAndBadDdl)
{
    TempInstallation inst;
    const QString f = inst.createFolder(QStringLiteral("X"), kYearDdl);
    EXPECT_THROW(createDatabaseFromDdl(f, kYearDdl), DbError);
    const QString bad = QDir(inst.root()).filePath(QStringLiteral("BAD"));
    EXPECT_THROW(createDatabaseFromDdl(bad, QStringLiteral("CREATE TABLE a (x INTEGER); CREATE TABL b;")), DbError);
    EXPECT_FALSE(QFileInfo::exists(QDir(bad).filePath(QStringLiteral("tarix.db")))); // nothing half-made
}

TEST_P(DbSessionSql, NestedTransactionsRollBackInnerScopesOnly)
{
    const QString ins = QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie) values (:e, 200501))");
    {
        Transaction outer(&in.s);
        in.s.execute(ins, {{QStringLiteral("e"), 1}});
        {
            Transaction inner(&in.s);
            in.s.execute(ins, {{QStringLiteral("e"), 2}});
            // not committed: rolled back at the end of the scope
        }
        {
            Transaction inner(&in.s);
            in.s.execute(ins, {{QStringLiteral("e"), 3}});
            inner.commit();
        }
        outer.commit();
    }
    const SqlResult r = in.s.run(QStringLiteral(R"(select code_emp from ":tarix_data:vyp" order by code_emp)"));
    ASSERT_EQ(r.rowCount(), 2);
    EXPECT_EQ(r.asInteger(0, 0), 1);
    EXPECT_EQ(r.asInteger(1, 0), 3);
    EXPECT_EQ(in.s.transactionDepth(), 0);
    EXPECT_THROW(in.s.execute(ins, {{QStringLiteral("e"), 1}}), KeyViolation);
    EXPECT_THROW(in.s.execute(ins, {}), DbError); // a parameter without a value
}

// On the server a row is what is locked: the other program waits for the same row (the same
// key), on SQLite for the database.
TEST_P(DbSessionSql, BusyDatabaseGivesAClearError)
{
    std::unique_ptr<Session> otherProgram = in.otherProgram();
    Session &other = *otherProgram;
    other.setBusyTimeout(50);
    Transaction t(&in.s);
    in.s.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie) values (1, 200501))"));
    try {
        other.execute(QStringLiteral(R"(insert into ":tarix_data:vyp" (code_emp, v_obdobie) values (1, 200501))"));
        FAIL() << "wrote while another connection held the lock";
    } catch (const BusyError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("zamknutá")));
    }
}

TEST(DbSession, FolderNamesWithBlanksAndSpecialCharacters)
{
    TempInstallation inst;
    inst.addAlias(QStringLiteral("TARIX_PRIV"), QStringLiteral("Moje dáta #1 100%"), kPrivDdl);
    Table priv(&inst.session());
    priv.setDatabaseName(QStringLiteral("TARIX_PRIV"));
    priv.setTableName(QStringLiteral("Priv.DB"));
    priv.open();
    EXPECT_EQ(priv.value(QStringLiteral("ROK")).toLongLong(), 2005);
    priv.edit();
    priv.setValue(QStringLiteral("MESIAC"), 7);
    priv.post();
    EXPECT_EQ(inst.session().run(QStringLiteral(R"(select mesiac from ":tarix_priv:priv")")).asInteger(0, 0), 7);
}

// Each connection keeps a small main database of its own among the sessions; the file of
// a program that was killed goes when the next connection starts, never a living one's,
// and never a commit journal a killed program left that a folder's journal still names for
// its roll-back; one that no journal names any more goes.
TEST(DbSession, SessionFilesOfEndedProgramsAreRemoved)
{
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QDir sessions(home.filePath(QStringLiteral("tarix/sessions")));
    ASSERT_TRUE(QDir().mkpath(sessions.path()));
    auto put = [&](const QString &path, const QByteArray &bytes = {}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    const QString ended = QStringLiteral("session-2147483646-a.db"); // no such process
    const QString journal = ended + QStringLiteral("-mj1A2B3C4D");
    const QString orphan = QStringLiteral("session-2147483645-c.db-mj00112233");
    const QString living = QStringLiteral("session-%1-b.db").arg(QCoreApplication::applicationPid());
    // A folder's journal of the unfinished commit names `journal` at its end, as SQLite
    // writes it: the name, its length, a checksum and the magic number.
    const QString folderJournal = home.filePath(QStringLiteral("tarix.db-journal"));
    const QByteArray superName = QFile::encodeName(sessions.filePath(journal));
    QByteArray length(4, 0);
    qToBigEndian<quint32>(quint32(superName.size()), length.data());
    put(folderJournal, QByteArray(512, 'p') + superName + length + QByteArray(4, 0)
                           + QByteArray("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8));
    put(sessions.filePath(ended));
    put(sessions.filePath(journal), QFile::encodeName(folderJournal) + '\0');
    put(sessions.filePath(orphan), QFile::encodeName(home.filePath(QStringLiteral("gone/tarix.db-journal"))) + '\0');
    put(sessions.filePath(living));
    {
        Session s;
        EXPECT_FALSE(sessions.exists(ended));
        EXPECT_TRUE(sessions.exists(journal));
        EXPECT_FALSE(sessions.exists(orphan));
        EXPECT_TRUE(sessions.exists(living));
        // Its own file, named by its process, while it lives; gone with it.
        EXPECT_EQ(sessions.entryList({QStringLiteral("session-%1-*.db").arg(QCoreApplication::applicationPid())},
                                     QDir::Files)
                      .size(),
                  2);
    }
    EXPECT_EQ(sessions.entryList({QStringLiteral("session-*.db")}, QDir::Files), QStringList{living});
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}
