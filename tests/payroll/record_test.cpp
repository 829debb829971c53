// The payroll record and the context records: one typed member per table column, and
// access by field name for the dataset adapter.
#include "payroll/calc/context.h"
#include "payroll/calc/vyp_record.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace tarix::payroll;

namespace {

// Column names of one table of a DDL file, in order.
QStringList ddlColumns(const QString &file, const QString &table)
{
    QFile f(QStringLiteral(TARIX_SOURCE_DIR "/data/schema/") + file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    const int start = text.indexOf(QStringLiteral("CREATE TABLE %1 (").arg(table));
    EXPECT_GE(start, 0);
    const int end = text.indexOf(QStringLiteral("\n);"), start);
    QStringList names;
    const QStringList lines = text.mid(start, end - start).split(u'\n').mid(1);
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QStringLiteral("PRIMARY KEY")))
            continue;
        names << t.section(u' ', 0, 0);
    }
    return names;
}

template <typename T>
QStringList storedNames()
{
    QStringList names;
    for (const auto &def : T::fields())
        if (!def.calculated)
            names << QString::fromLatin1(def.name);
    return names;
}

} // namespace

TEST(PayrollRecord, HasEveryColumnOfItsTableInOrder)
{
    EXPECT_EQ(storedNames<PayRecord>(), ddlColumns(QStringLiteral("firm.sql"), QStringLiteral("Vyp")));
    EXPECT_EQ(storedNames<YearSetup>(), ddlColumns(QStringLiteral("year.sql"), QStringLiteral("Setup")));
}

TEST(PayrollRecord, DeclaredTypesAndCalculatedFields)
{
    const auto *obdobie = PayRecord::field(u"V_OBDOBIE");
    ASSERT_NE(obdobie, nullptr);
    EXPECT_EQ(obdobie->type, FieldType::Integer);
    EXPECT_EQ(PayRecord::field(u"V_rok")->type, FieldType::SmallInt);
    EXPECT_EQ(PayRecord::field(u"N_brutto")->type, FieldType::Money);
    EXPECT_EQ(PayRecord::field(u"V_hodina")->type, FieldType::Float);
    EXPECT_EQ(PayRecord::field(u"Version")->size, 6);
    EXPECT_TRUE(PayRecord::field(u"Fixny_mv_plat")->required);
    EXPECT_FALSE(PayRecord::field(u"V_den")->required);
    EXPECT_TRUE(PayRecord::field(u"CALC_DAN")->calculated);
    EXPECT_FALSE(PayRecord::field(u"N_netto")->calculated);
    EXPECT_EQ(PayRecord::field(u"no_such_field"), nullptr);
}

TEST(PayrollRecord, ReadsAndWritesFieldsByNameWithoutRegardToCase)
{
    PayRecord r;
    EXPECT_TRUE(r.setValue(u"n_brutto", 12345.5));
    EXPECT_TRUE(r.setValue(u"V_OBDOBIE", 200503));
    EXPECT_TRUE(r.setValue(u"fixny_mv_plat", true));
    EXPECT_TRUE(r.setValue(u"vynimka_vz", QStringLiteral("1")));
    EXPECT_DOUBLE_EQ(r.N_brutto, 12345.5);
    EXPECT_EQ(r.V_obdobie, 200503);
    EXPECT_TRUE(r.Fixny_mv_plat);
    EXPECT_EQ(r.VYNIMKA_VZ, QStringLiteral("1"));
    EXPECT_EQ(r.value(u"N_BRUTTO").toDouble(), 12345.5);
    EXPECT_EQ(r.value(u"v_obdobie").toInt(), 200503);

    // Null reads as 0, false and an empty text; a value that does not convert is refused.
    EXPECT_TRUE(r.setValue(u"N_brutto", QVariant()));
    EXPECT_TRUE(r.setValue(u"Fixny_mv_plat", QVariant()));
    EXPECT_TRUE(r.setValue(u"VYNIMKA_VZ", QVariant()));
    EXPECT_EQ(r.N_brutto, 0.0);
    EXPECT_FALSE(r.Fixny_mv_plat);
    EXPECT_TRUE(r.VYNIMKA_VZ.isEmpty());
    r.V_fmes = 21;
    EXPECT_FALSE(r.setValue(u"V_fmes", QStringLiteral("abc")));
    EXPECT_EQ(r.V_fmes, 21);
    EXPECT_FALSE(r.setValue(u"nonexistent", 1));
    EXPECT_FALSE(r.value(u"nonexistent").isValid());
}

TEST(PayrollRecord, EmptyNonTaxableAmountOfTheEmployeeStaysApartFromZero)
{
    EmployeeData e;
    EXPECT_TRUE(e.value(u"Nc_minimum").isNull());
    EXPECT_TRUE(e.setValue(u"NC_MINIMUM", 0.0));
    ASSERT_TRUE(e.Nc_minimum.has_value());
    EXPECT_EQ(*e.Nc_minimum, 0.0);
    EXPECT_TRUE(e.setValue(u"Nc_minimum", QVariant()));
    EXPECT_FALSE(e.Nc_minimum.has_value());
}

TEST(PayrollRecord, RecordsCompareFieldByField)
{
    PayRecord a, b;
    EXPECT_EQ(a, b);
    b.Ne_stravne = 0.01;
    EXPECT_NE(a, b);
}

TEST(PayrollRecord, StatutoryParameterSlots)
{
    StatutoryParams p;
    p.set(30, 6500, QStringLiteral("MIN_MZDA"));
    EXPECT_EQ(p.hodnota(30), 6500);
    EXPECT_EQ(p.entries[30].Id, 30);
    EXPECT_EQ(p.hodnota(31), 0);
    EXPECT_EQ(p.hodnota(0), 0);
    EXPECT_EQ(p.hodnota(100), 0);
    p.set(100, 1); // outside the array: ignored
}
