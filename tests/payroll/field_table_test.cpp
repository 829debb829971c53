// Values moved into the members of a payroll record: every form a row or a caller hands
// over lands in the member as the record's rules say (blank is 0, false or empty; a value
// that does not convert leaves the member as it was).
#include "payroll/calc/field_table.h"
#include "payroll/calc/vyp_record.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tarix::payroll;

TEST(PayrollFieldTable, EveryFormOfAValueLandsInTheMemberByItsRules)
{
    struct Case {
        const char *field;
        QVariant value;
        bool converts;
        QVariant member; // the member afterwards, read back
    };
    const std::vector<Case> cases = {
        {"V_plat", 1234.5, true, 1234.5},
        {"V_plat", QVariant::fromValue<qint64>(12), true, 12.0},
        {"V_plat", QStringLiteral("7.25"), true, 7.25},
        {"V_plat", QVariant(), true, 0.0},
        {"V_plat", QStringLiteral("x"), false, 99.0},
        {"Code_emp", QVariant::fromValue<qint64>(1001), true, 1001},
        {"Code_emp", QVariant::fromValue<qint64>(-3), true, -3},
        {"Code_emp", 42, true, 42},
        {"Code_emp", QVariant(), true, 0},
        {"Code_emp", QStringLiteral("x"), false, 99},
        {"Automatika", true, true, true},
        {"Automatika", QVariant::fromValue<qint64>(1), true, true},
        {"Automatika", QVariant::fromValue<qint64>(0), true, false},
        {"Automatika", QVariant(), true, false},
        {"Version", QStringLiteral("v2"), true, QStringLiteral("v2")},
        {"Version", QVariant(), true, QString()},
        {"Version", QVariant::fromValue<qint64>(5), true, QStringLiteral("5")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.value.toString().toStdString());
        const FieldDef<PayRecord> *def = PayRecord::field(QString::fromLatin1(c.field));
        ASSERT_NE(def, nullptr);
        PayRecord r;
        r.V_plat = 99.0;
        r.Code_emp = 99;
        r.Automatika = !c.member.toBool();
        EXPECT_EQ(writeField(r, *def, c.value), c.converts);
        const QVariant back = readField(r, *def);
        if (c.member.typeId() == QMetaType::Double)
            EXPECT_EQ(back.toDouble(), c.member.toDouble());
        else if (c.member.typeId() == QMetaType::Bool)
            EXPECT_EQ(back.toBool(), c.member.toBool());
        else if (c.member.typeId() == QMetaType::QString)
            EXPECT_EQ(back.toString(), c.member.toString());
        else
            EXPECT_EQ(back.toInt(), c.member.toInt());
    }
}
