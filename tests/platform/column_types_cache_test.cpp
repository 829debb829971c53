// A prepared statement keeps the field types of its columns; when another program changes
// the table's columns, the statement is prepared anew and the kept types follow. On both
// backends.
#include "db_test_schema.h"

#include "platform/db/query.h"

#include <gtest/gtest.h>

using namespace tarix::db;
using namespace tarix::db::testing;

namespace {

class DbColumnTypesCache : public BackendTest {};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbColumnTypesCache);

TEST_P(DbColumnTypesCache, TypesFollowTheTableAfterAnotherProgramChangedItsColumns)
{
    std::unique_ptr<Session> other = in.otherProgram();
    other->execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a INTEGER, b VARCHAR(10)))"));
    other->execute(QStringLiteral(R"(insert into ":tarix_data:kusy" values (1, 'x'))"));
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

    other->execute(QStringLiteral(R"(drop table ":tarix_data:kusy")"));
    other->execute(QStringLiteral(R"(create table ":tarix_data:kusy" (a DATE, b FLOAT, c SMALLINT))"));
    other->execute(QStringLiteral(R"(insert into ":tarix_data:kusy" values ('2007-02-01', 1.5, 3))"));
    EXPECT_NO_THROW(in.s.run(sql)); // the kept statement meets the changed table
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
