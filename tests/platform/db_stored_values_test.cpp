// The values a record keeps as read, in their stored forms, for a save's row check: every
// kind of value comes back as it went in, a copy changed leaves the original alone, and a
// save matches the row by every one of them (texts, dates, blanks, logicals, money) on
// both backends, refusing after another program's change.
#include "db_test_schema.h"

#include "platform/db/db_error.h"
#include "platform/db/table.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tarix::db;
using namespace tarix::db::testing;

TEST(DbStoredValues, EveryKindComesBackAsItWentIn)
{
    const QVariant values[] = {
        QVariant(),
        QVariant::fromValue<qint64>(0),
        QVariant::fromValue<qint64>(std::numeric_limits<qint64>::min()),
        QVariant(-0.0),
        QVariant(1234.56),
        QVariant(std::numeric_limits<double>::denorm_min()),
        QVariant(QStringLiteral("Štefánik")),
        QVariant(QString()),                      // a null text: kept as given, not made NULL
        QVariant(QStringLiteral("2007-01-31")),   // a date as stored
        QVariant(QByteArray("\x00\x01", 2)),
        QVariant(true),                           // a kind of its own: kept as given
        QVariant(7),                              // a 32-bit integer: kept as given
    };
    const int n = int(std::size(values));
    StoredValues row(n);
    for (int i = 0; i < n; ++i)
        row.set(i, values[i]);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(row.at(i).metaType(), values[i].metaType());
        EXPECT_EQ(row.at(i), values[i]);
    }
    EXPECT_TRUE(std::signbit(row.real(3)));
    EXPECT_EQ(row.kind(0), StoredValues::Kind::Null);
    EXPECT_EQ(row.kind(2), StoredValues::Kind::Integer);
    EXPECT_EQ(row.kind(4), StoredValues::Kind::Real);
    EXPECT_EQ(row.kind(6), StoredValues::Kind::Other);
    EXPECT_EQ(StoredValues(QVector<QVariant>(std::begin(values), std::end(values))), row);
}

TEST(DbStoredValues, AChangedCopyLeavesTheOriginalAlone)
{
    StoredValues original(4);
    original.setReal(0, 10.5);
    original.set(1, QStringLiteral("text"));
    original.setInteger(2, 3);
    // each slot changed to another kind in the copy: number to text, text to number,
    // number to NULL, NULL to number
    StoredValues copy = original;
    copy.set(0, QStringLiteral("now a text"));
    copy.setReal(1, 2.5);
    copy.setNull(2);
    copy.setInteger(3, 9);
    EXPECT_EQ(original.at(0), QVariant(10.5));
    EXPECT_EQ(original.at(1), QVariant(QStringLiteral("text")));
    EXPECT_EQ(original.at(2), QVariant::fromValue<qint64>(3));
    EXPECT_FALSE(original.at(3).isValid());
    EXPECT_EQ(copy.at(0), QVariant(QStringLiteral("now a text")));
    EXPECT_EQ(copy.at(1), QVariant(2.5));
    EXPECT_FALSE(copy.at(2).isValid());
    EXPECT_EQ(copy.at(3), QVariant::fromValue<qint64>(9));
    EXPECT_FALSE(copy == original);
    // a text back to a number and the NULL back: equal again
    copy.setReal(0, 10.5);
    copy.set(1, QStringLiteral("text"));
    copy.setInteger(2, 3);
    copy.setNull(3);
    EXPECT_TRUE(copy == original);
}

namespace {

class DbStoredRowCheck : public BackendTest {};

} // namespace

TARIX_ON_BOTH_BACKENDS(DbStoredRowCheck);

TEST_P(DbStoredRowCheck, SavesMatchTheRowByEveryKindOfValueAndRefuseAfterAnotherProgramsChange)
{
    Session &s = in.s;
    // Blank title, name and memo (NULL), a text, two dates (one blank), money with cents and
    // a blank one, logicals true and blank, integers.
    s.execute(QStringLiteral(R"(insert into ":tarix_data:zam" (code_emp, code_numb, sid, surname, born_date, mv_plat, zps, cislo_u, kzp)
        values (7, 107, 2, 'Ďurčová', '1971-03-09', 812.37, 1, '0012', 25))"));
    Table t(&s);
    t.setDatabaseName(QStringLiteral("TARIX_DATA"));
    t.setTableName(QStringLiteral("Zam"));
    t.open();
    ASSERT_TRUE(t.findKey({7}));

    // Saved twice: the second save matches what the first one stored.
    for (double amount : {900.01, 0.1 + 0.2}) {
        t.edit();
        t.fieldByName(QStringLiteral("MV_plat")).setAsFloat(amount);
        t.post();
    }
    t.edit();
    t.fieldByName(QStringLiteral("Poznamka")).setAsString(QStringLiteral("poznámka"));
    t.fieldByName(QStringLiteral("Vystup")).setAsDate(QDate(2007, 1, 31));
    t.post();
    EXPECT_EQ(t.fieldByName(QStringLiteral("Born_date")).asDate(), QDate(1971, 3, 9));
    EXPECT_TRUE(t.fieldByName(QStringLiteral("Title")).isNull());
    EXPECT_TRUE(t.fieldByName(QStringLiteral("ZPS")).asBoolean());
    EXPECT_EQ(t.fieldByName(QStringLiteral("Cislo_u")).asString(), QStringLiteral("0012"));

    // Another program changes one value of each kind in turn; the save of a different
    // field is refused and writes nothing; read again, it goes through.
    const std::unique_ptr<Session> other = in.otherProgram();
    const char *changes[] = {
        "update \":tarix_data:zam\" set born_date = '1971-03-10' where code_emp = 7",
        "update \":tarix_data:zam\" set title = 'Ing.' where code_emp = 7",
        "update \":tarix_data:zam\" set title = null where code_emp = 7",
        "update \":tarix_data:zam\" set cislo_u = '0013' where code_emp = 7",
        "update \":tarix_data:zam\" set zps = 0 where code_emp = 7",
        "update \":tarix_data:zam\" set kzp = 26 where code_emp = 7",
        "update \":tarix_data:zam\" set mv_plat = 0.30000000000000004 + 1e-12 where code_emp = 7",
    };
    int kzp = 30;
    for (const char *change : changes) {
        SCOPED_TRACE(change);
        t.edit();
        other->execute(QString::fromLatin1(change));
        t.fieldByName(QStringLiteral("SID")).setAsInteger(3);
        EXPECT_THROW(t.post(), RecordChangedError);
        EXPECT_EQ(t.state(), DataSetState::Edit);
        t.cancel();
        EXPECT_EQ(s.run(QStringLiteral(R"(select sid from ":tarix_data:zam" where code_emp = 7)")).asInteger(0, 0), 2);
        t.refresh();
        t.edit();
        t.fieldByName(QStringLiteral("KZP")).setAsInteger(++kzp);
        t.post();
        EXPECT_EQ(s.run(QStringLiteral(R"(select kzp from ":tarix_data:zam" where code_emp = 7)")).asInteger(0, 0), kzp);
    }
}
