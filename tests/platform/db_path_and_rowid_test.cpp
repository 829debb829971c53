// Tables opened by their folder's path instead of an alias, and a key field that is the row's
// identity (a single key field declared INTEGER), on both backends.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/table.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

// A key of one INTEGER field, declared three ways, and a composite key that is no rowid.
const QString kKeysDdl = QStringLiteral(R"(
CREATE TABLE Hp1 (HPID INTEGER NOT NULL, POR_CISLO INTEGER NOT NULL, TEXT VARCHAR(20), PRIMARY KEY (HPID));
CREATE TABLE HLD (Code_emp INTEGER, Pocet SMALLINT, PRIMARY KEY (Code_emp));
CREATE TABLE Pol (ID INTEGER PRIMARY KEY, Poradie SMALLINT);
CREATE TABLE Dvoj (A INTEGER NOT NULL, B INTEGER NOT NULL, PRIMARY KEY (A, B));
)");

class DbTableByPath : public BackendTest {};

class DbRowidKey : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (!IsSkipped())
            in.inst.addAlias(QStringLiteral("TARIX_HP"), QStringLiteral("HP"), kKeysDdl);
    }
    QList<qint64> keys(const QString &table, const QString &key)
    {
        const SqlResult r = in.s.run(QStringLiteral(R"(select %2 from ":tarix_hp:%1" order by %2)").arg(table, key));
        QList<qint64> out;
        for (int i = 0; i < r.rowCount(); ++i)
            out << r.asInteger(i, 0);
        return out;
    }
    std::unique_ptr<Table> open(const char *name)
    {
        auto t = std::make_unique<Table>(&in.s);
        t->setDatabaseName(QStringLiteral("TARIX_HP"));
        t->setTableName(QString::fromLatin1(name));
        t->open();
        return t;
    }
};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbTableByPath);
TARIX_ON_BOTH_BACKENDS(DbRowidKey);

// A table named by its folder's path reads and writes that folder's tables, whether or not
// an alias points at the folder.
TEST_P(DbTableByPath, ATableNamedByPathIsTheFoldersTable)
{
    Table inf(&in.s);
    inf.setTableName(QDir(in.firm).filePath(QStringLiteral("INF.DB")));
    EXPECT_TRUE(inf.exists());
    inf.open();
    EXPECT_EQ(inf.value(QStringLiteral("nazov")).toString(), QStringLiteral("Firma s.r.o."));
    inf.close();

    // A folder no alias names.
    const QString other = in.inst.createFolder(QStringLiteral("DATA05"), kOtherFirmDdl);
    Table byPath(&in.s);
    byPath.setTableName(QDir(other).filePath(QStringLiteral("Inf.DB")));
    EXPECT_TRUE(byPath.exists());
    byPath.open();
    EXPECT_EQ(byPath.value(QStringLiteral("NAZOV")).toString(), QStringLiteral("Iná firma"));
    byPath.edit();
    byPath.setValue(QStringLiteral("NAZOV"), QStringLiteral("Zmenená"));
    byPath.post();
    byPath.close();
    // The write went to that folder, not to the firm of the same table name.
    in.s.setAlias(QStringLiteral("TARIX_OTHER"), other);
    EXPECT_EQ(in.s.run(QStringLiteral(R"(select nazov from ":tarix_other:inf")")).asString(0, 0), QStringLiteral("Zmenená"));
    EXPECT_EQ(in.s.run(QStringLiteral(R"(select nazov from ":tarix_data:inf")")).asString(0, 0), QStringLiteral("Firma s.r.o."));

    Table noTable(&in.s);
    noTable.setTableName(QDir(other).filePath(QStringLiteral("Zam.DB")));
    EXPECT_FALSE(noTable.exists());
    EXPECT_THROW(noTable.open(), TableOpenError);
}

// A folder that holds no tables (no database file; on the server, no schema) is refused
// with a message naming the folder and the table.
TEST_P(DbTableByPath, AFolderWithoutTablesIsRefusedNamingIt)
{
    const QString folder = QDir(in.inst.root()).filePath(QStringLiteral("DATA77"));
    QDir().mkpath(folder);
    Table none(&in.s);
    none.setTableName(QDir(folder).filePath(QStringLiteral("INF.DB")));
    EXPECT_FALSE(none.exists());
    try {
        none.open();
        ADD_FAILURE() << "opened";
    } catch (const TableOpenError &e) {
        EXPECT_EQ(e.folder(), folder);
        EXPECT_EQ(e.table(), QStringLiteral("INF.DB"));
        EXPECT_TRUE(e.text().contains(folder)) << e.text().toStdString();
    }
    EXPECT_FALSE(none.isActive());
}

// A single INTEGER key field is the rowid: a value given is kept, a blank one gets the
// largest number plus one (also for several rows of one insert, and again after the largest
// was deleted), however the key was declared.
TEST_P(DbRowidKey, ABlankKeyGetsTheNextNumberAndAGivenOneIsKept)
{
    const struct {
        const char *table, *key, *other;
    } cases[] = {{"hp1", "hpid", "por_cislo"}, {"hld", "code_emp", "pocet"}, {"pol", "id", "poradie"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.table);
        const QString table = QString::fromLatin1(c.table), key = QString::fromLatin1(c.key);
        auto insert = [&](const char *keyValue) {
            in.s.execute(QStringLiteral(R"(insert into ":tarix_hp:%1" (%2, %3) values (%4, 1))")
                             .arg(table, key, QString::fromLatin1(c.other), QString::fromLatin1(keyValue)));
        };
        insert("5");
        insert("null");
        insert("2");
        insert("null");
        EXPECT_EQ(keys(table, key), (QList<qint64>{2, 5, 6, 7}));
        in.s.execute(QStringLiteral(R"(insert into ":tarix_hp:%1" (%2, %3) select null, cislo from dual12 where cislo <= 2)")
                         .arg(table, key, QString::fromLatin1(c.other)));
        EXPECT_EQ(keys(table, key), (QList<qint64>{2, 5, 6, 7, 8, 9}));
        in.s.execute(QStringLiteral(R"(delete from ":tarix_hp:%1" where %2 = 9)").arg(table, key));
        insert("null");
        EXPECT_EQ(keys(table, key), (QList<qint64>{2, 5, 6, 7, 8, 9}));
        EXPECT_THROW(insert("5"), KeyViolation);
        EXPECT_EQ(in.s.tableDef(QStringLiteral("TARIX_HP"), table).rowidAlias, 0);
    }
    EXPECT_EQ(in.s.tableDef(QStringLiteral("TARIX_HP"), QStringLiteral("dvoj")).rowidAlias, -1);
}

// A dataset's post with a blank key shows the number given; a save that changes the key
// leaves the record where the next save and the delete find it.
TEST_P(DbRowidKey, ADatasetKeepsItsRowWhenTheKeyIsTheRowid)
{
    in.s.execute(QStringLiteral(R"(insert into ":tarix_hp:hld" values (3, 1))"));
    auto hld = open("HLD");
    hld->append();
    hld->setValue(QStringLiteral("POCET"), 2);
    hld->post();
    EXPECT_EQ(hld->value(QStringLiteral("CODE_EMP")).toLongLong(), 4);

    ASSERT_TRUE(hld->findKey({3}));
    hld->edit();
    hld->setValue(QStringLiteral("CODE_EMP"), 20);
    hld->post();
    hld->edit();
    hld->setValue(QStringLiteral("POCET"), 7);
    hld->post(); // finds the row under its new key
    EXPECT_EQ(in.s.run(QStringLiteral(R"(select pocet from ":tarix_hp:hld" where code_emp = 20)")).asInteger(0, 0), 7);

    ASSERT_TRUE(hld->findKey({4}));
    hld->deleteRecord();
    EXPECT_EQ(keys(QStringLiteral("hld"), QStringLiteral("code_emp")), (QList<qint64>{20}));
    hld->append();
    hld->setValue(QStringLiteral("POCET"), 3);
    hld->post();
    EXPECT_EQ(hld->value(QStringLiteral("CODE_EMP")).toLongLong(), 21);
    hld->first();
    EXPECT_EQ(hld->value(QStringLiteral("CODE_EMP")).toLongLong(), 20);
}
