// Value rules, display texts and the Slovak comparison.
#include "platform/db/db_error.h"
#include "platform/db/sk_collation.h"
#include "platform/db/value.h"
#include "sk_names.h"

#include <QCollator>
#include <cmath>
#include <vector>
#include <gtest/gtest.h>

using namespace tarix::db;

TEST(DbValues, SlovakComparison)
{
    for (const tarix::test::SlovakPair &c : tarix::test::kSlovakOrder) {
        const QString a = QString::fromUtf8(c.less), b = QString::fromUtf8(c.greater);
        EXPECT_LT(compareSlovak(a, b), 0) << c.less << " < " << c.greater;
        EXPECT_GT(compareSlovak(b, a), 0) << c.greater << " > " << c.less;
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        EXPECT_LT(compareSlovakUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size())), 0) << c.less;
    }
    EXPECT_EQ(compareSlovak(u"Chovan", u"Chovan"), 0);
}

TEST(DbValues, NormalizationRules)
{
    EXPECT_FALSE(normalizeValue(FieldType::String, QString()).isValid());
    EXPECT_FALSE(normalizeValue(FieldType::String, QStringLiteral("")).isValid());
    EXPECT_EQ(normalizeValue(FieldType::String, QStringLiteral("abcdef"), 3).toString(), QStringLiteral("abc"));
    EXPECT_EQ(normalizeValue(FieldType::String, QStringLiteral("  ")).toString(), QStringLiteral("  "));
    EXPECT_EQ(normalizeValue(FieldType::Money, QStringLiteral("1 234,50")).toDouble(), 1234.5);
    EXPECT_EQ(normalizeValue(FieldType::Integer, 12.6).toLongLong(), 13);
    EXPECT_THROW(normalizeValue(FieldType::SmallInt, 40000), FieldValueError);
    EXPECT_EQ(normalizeValue(FieldType::Date, QStringLiteral("31.1.2005")).toDate(), QDate(2005, 1, 31));
    EXPECT_EQ(normalizeValue(FieldType::Date, QStringLiteral("2005-01-31")).toDate(), QDate(2005, 1, 31));
    EXPECT_FALSE(normalizeValue(FieldType::Date, QDate(1899, 12, 30)).isValid());
    EXPECT_THROW(normalizeValue(FieldType::Date, QStringLiteral("32.1.2005")), FieldValueError);
    EXPECT_EQ(normalizeValue(FieldType::Boolean, QStringLiteral("True")).toBool(), true);
    EXPECT_EQ(normalizeValue(FieldType::Boolean, 0).toBool(), false);
    EXPECT_EQ(toStorage(FieldType::Date, QDate(2005, 3, 1)).toString(), QStringLiteral("2005-03-01"));
    EXPECT_EQ(toStorage(FieldType::Boolean, true).toLongLong(), 1);
    EXPECT_EQ(fromStorage(FieldType::Boolean, QVariant()).isValid(), false);
    EXPECT_EQ(variantToBool(QVariant()), false);
    EXPECT_EQ(variantToDouble(QVariant()), 0.0);
    int size = 0;
    EXPECT_EQ(fieldTypeFromDeclared(QStringLiteral("VARCHAR(20)"), &size), FieldType::String);
    EXPECT_EQ(size, 20);
    EXPECT_EQ(fieldTypeFromDeclared(QStringLiteral("AUTOINC_INT")), FieldType::AutoInc);
    EXPECT_EQ(fieldTypeFromDeclared(QStringLiteral("MONEY_REAL")), FieldType::Money);
    EXPECT_EQ(fieldTypeFromDeclared(QStringLiteral("LOGICAL")), FieldType::Boolean);
}

TEST(DbValues, DisplayTextsAndFormatterHook)
{
    struct Case {
        QVariant v;
        FieldType t;
        const char *format;
        const char *text;
    } cases[] = {
        {1234.5, FieldType::Money, "", "1234,50"},
        {-0.0, FieldType::Money, "", "0,00"},
        {0.123456, FieldType::Float, "0.0000", "0,1235"},
        {12.5, FieldType::Float, "0.00%", "12,50%"},
        // A declared mask follows the program's number rules: thousands groups where the
        // mask asks for them, halves rounded on the decimal value, no "-0".
        {25000.0, FieldType::Money, "###,###,##0.00", "25 000,00"},
        {-1234567.5, FieldType::Money, "#,##0.00", "-1 234 567,50"},
        {0.285, FieldType::Money, "0.00", "0,29"},
        {-0.004, FieldType::Money, "0.00", "0,00"},
        {0.0, FieldType::Money, "###,###,##0.00;###,###,##0.00;", ""},
        {QVariant::fromValue<qint64>(9), FieldType::Integer, "", "9"},
        {2.5, FieldType::Float, "", "2,5"},
        {QDate(2005, 3, 1), FieldType::Date, "", "1.3.2005"},
        {QVariant(), FieldType::Date, "", ""},
        {true, FieldType::Boolean, "", "True"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatDisplay(c.v, c.t, QString::fromLatin1(c.format)).toStdString(), std::string(c.text));
    setDisplayFormatter([](const QVariant &v, FieldType, const QString &format) { return QStringLiteral("[%1|%2]").arg(v.toString(), format); });
    EXPECT_EQ(formatDisplay(5, FieldType::Money, QStringLiteral("0 Sk")), QStringLiteral("[5|0 Sk]"));
    setDisplayFormatter({});
    EXPECT_EQ(formatDisplay(5.0, FieldType::Money, QString()), QStringLiteral("5,00"));
}

// Values already in a field's own form are taken as they are; every other form still goes
// through the type's rules. Each case: type, size, value given, value expected (type and
// content), or a refusal.
TEST(DbValues, ValuesInTheFieldsOwnFormAndOthersNormaliseAlike)
{
    struct Case {
        FieldType type;
        int size;
        QVariant given;
        QVariant expected;
    };
    const QVariant blank;
    const std::vector<Case> cases = {
        {FieldType::Money, 0, 12.345, 12.345},
        {FieldType::Money, 0, -0.0, 0.0},
        {FieldType::Float, 0, QVariant::fromValue<qint64>(7), 7.0},
        {FieldType::Integer, 0, QVariant::fromValue<qint64>(-5), QVariant::fromValue<qint64>(-5)},
        {FieldType::Integer, 0, 7, QVariant::fromValue<qint64>(7)},
        {FieldType::SmallInt, 0, QVariant::fromValue<qint64>(12), QVariant::fromValue<qint64>(12)},
        {FieldType::Boolean, 0, true, true},
        {FieldType::Boolean, 0, false, false},
        {FieldType::String, 3, QStringLiteral("abc"), QStringLiteral("abc")},
        {FieldType::String, 3, QStringLiteral("abcd"), QStringLiteral("abc")},
        {FieldType::String, 0, QStringLiteral("abcd"), QStringLiteral("abcd")},
        {FieldType::String, 5, QString(), blank},
        {FieldType::String, 5, QStringLiteral(""), blank},
        {FieldType::Memo, 3, QStringLiteral("dlhý text"), QStringLiteral("dlhý text")},
        {FieldType::Memo, 0, QStringLiteral(""), blank},
        {FieldType::String, 10, 2.5, QStringLiteral("2.5")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(fieldTypeName(c.type), c.given.toString()).toStdString());
        const QVariant v = normalizeValue(c.type, c.given, c.size);
        EXPECT_EQ(v.typeId(), c.expected.typeId());
        EXPECT_EQ(v, c.expected);
        if (c.expected.typeId() == QMetaType::Double) {
            EXPECT_FALSE(std::signbit(v.toDouble()));
        }
    }
    EXPECT_THROW(normalizeValue(FieldType::SmallInt, QVariant::fromValue<qint64>(40000)), FieldValueError);
}
