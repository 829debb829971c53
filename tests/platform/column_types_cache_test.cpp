// A prepared statement keeps the field types of its columns; when another program changes
// the table's columns, SQLite prepares the statement anew and the kept types follow.
#include "db_test_schema.h"

#include "platform/db/query.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

void onFile(const QString &folder, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open((folder + QStringLiteral("/tarix.db")).toUtf8().constData(), &db), SQLITE_OK);
    char *error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QString text = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << text.toStdString();
}

} // namespace

TEST(DbColumnTypesCache, TypesFollowTheTableAfterAnotherProgramChangedItsColumns)
{
    Install in;
    onFile(in.firm, "CREATE TABLE kusy (a INTEGER, b VARCHAR(10)); INSERT INTO kusy VALUES (1, 'x');");
    const QString sql = QStringLiteral("select * from \":tarix_data:kusy\"");
    const SqlResult before = in.s.run(sql);
    Query q(&in.s);
    q.setDatabaseName(QStringLiteral("TARIX_DATA"));
    q.setSql(QStringLiteral("select * from kusy"));
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("a")).type(), FieldType::Integer);
    q.close();
    ASSERT_EQ(before.columnCount(), 2);
    EXPECT_EQ(before.columnType(0), FieldType::Integer);
    EXPECT_EQ(before.columnType(1), FieldType::String);

    onFile(in.firm, "DROP TABLE kusy; CREATE TABLE kusy (a DATE, b FLOAT, c SMALLINT);"
                    "INSERT INTO kusy VALUES ('2007-02-01', 1.5, 3);");
    in.s.run(sql); // SQLite prepares the kept statement anew while it steps
    const SqlResult after = in.s.run(sql);
    ASSERT_EQ(after.columnCount(), 3);
    EXPECT_EQ(after.columnType(0), FieldType::Date);
    EXPECT_EQ(after.columnType(1), FieldType::Float);
    EXPECT_EQ(after.columnType(2), FieldType::SmallInt);
    EXPECT_EQ(after.value(0, 0), QVariant(QDate(2007, 2, 1)));

    // The dataset layer's query over its kept statement gets the new fields too.
    q.open();
    q.close();
    q.open();
    ASSERT_EQ(q.fieldCount(), 3);
    EXPECT_EQ(q.fieldByName(QStringLiteral("a")).type(), FieldType::Date);
    EXPECT_EQ(q.fieldByName(QStringLiteral("c")).asInt(), 3);
}
