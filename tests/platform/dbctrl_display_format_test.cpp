// A data-aware edit shows its field formatted whenever the cursor is not in it, in every
// state of the dataset, and the plain value only while the clerk types in it.
#include "dbctrl_fixture.h"

#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/field_link.h"

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class DbctrlDisplayFormat : public CtlFixture {
protected:
    DBEdit plat;
    DBEdit other;
    void SetUp() override
    {
        zam.open();
        plat.setDataSource(&src);
        plat.setDataField(QStringLiteral("Plat"));
        other.setDataSource(&src);
        other.setDataField(QStringLiteral("Surname"));
    }
    void setPlat(double value)
    {
        zam.fieldByName(QStringLiteral("Plat")).setValue(value);
    }
};

TEST_F(DbctrlDisplayFormat, AComputedAmountShowsWithTheFieldsDecimalsAlsoWhileFocused)
{
    const struct {
        double value;
        const char *shown;  // beside the cursor
        const char *edited; // with the cursor in it
    } cases[] = {
        {194.078947368421, "194,08", "194,08"},
        {142.0454545454545, "142,05", "142,05"},
        {-0.004, "0,00", "0"},
        {25000, "25000,00", "25000"},
        {1000.5, "1000,50", "1000,5"},
    };
    zam.edit();
    for (const auto &c : cases) {
        setPlat(c.value);
        EXPECT_EQ(plat.text(), QString::fromUtf8(c.shown)) << c.value;
        test::enter(&plat);
        EXPECT_EQ(plat.text(), QString::fromUtf8(c.edited)) << c.value;
        test::leave(&plat);
        EXPECT_EQ(plat.text(), QString::fromUtf8(c.shown)) << c.value;
    }
    // Entering and leaving without typing leaves the value as the program computed it.
    setPlat(194.078947368421);
    test::enter(&plat);
    test::leave(&plat);
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 194.078947368421);
    zam.post();
    EXPECT_EQ(plat.text(), u"194,08");
}

// A grid cell offers a computed amount with its shown decimals too; left as offered it
// writes nothing (no edit begun, the digits kept), a changed text is written.
TEST_F(DbctrlDisplayFormat, AGridCellLeftAsOfferedKeepsTheComputedDigits)
{
    zam.edit();
    setPlat(194.078947368421);
    zam.post();
    src.autoEdit = true;
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Surname")}, {QStringLiteral("Plat")}});
    DBGridModel &m = *grid.gridModel();
    const QModelIndex cell = m.index(grid.currentRow(), 1);
    ASSERT_EQ(m.data(cell, Qt::EditRole).toString(), u"194,08");
    EXPECT_TRUE(m.setData(cell, QStringLiteral("194,08"), Qt::EditRole));
    EXPECT_FALSE(zam.isEditing());
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 194.078947368421);
    EXPECT_TRUE(m.setData(cell, QStringLiteral("194,1"), Qt::EditRole));
    EXPECT_TRUE(zam.isEditing());
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 194.1);
}

TEST_F(DbctrlDisplayFormat, DigitsTheClerkTypesStayAsTyped)
{
    zam.edit();
    test::enter(&plat);
    plat.selectAll();
    typeText(&plat, QStringLiteral("12,3456"));
    EXPECT_EQ(plat.text(), u"12,3456");
    test::leave(&plat);
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 12.3456);
}

TEST_F(DbctrlDisplayFormat, FormattedInEveryStateButTyping)
{
    // Browsing, editing, inserting: the same formatted text while the cursor is elsewhere.
    EXPECT_EQ(displayText(&zam.fieldByName(QStringLiteral("Plat"))), u"1000,50");
    EXPECT_EQ(plat.text(), u"1000,50");
    zam.edit();
    EXPECT_EQ(plat.text(), u"1000,50");
    setPlat(25000);
    EXPECT_EQ(plat.text(), u"25000,00");
    test::enter(&other);
    EXPECT_EQ(plat.text(), u"25000,00");
    test::leave(&other);
    zam.cancel();
    zam.insert();
    setPlat(25000);
    EXPECT_EQ(plat.text(), u"25000,00");
    zam.cancel();
}

TEST_F(DbctrlDisplayFormat, TypedTextIsKeptAndShownFormattedAfterLeaving)
{
    zam.edit();
    test::enter(&plat);
    EXPECT_EQ(plat.text(), u"1000,5");
    plat.selectAll();
    typeText(&plat, QStringLiteral("25000"));
    EXPECT_EQ(plat.text(), u"25000");
    test::leave(&plat);
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 25000.0);
    EXPECT_EQ(plat.text(), u"25000,00");
}

TEST_F(DbctrlDisplayFormat, CursorInAFieldThatTakesNoInputShowsItFormatted)
{
    // Browsing without autoEdit: nothing can be typed, so there is no edit text to show.
    test::enter(&plat);
    EXPECT_EQ(plat.text(), u"1000,50");
    // The edit starts while the cursor is in the field: now it is typed in.
    zam.edit();
    EXPECT_EQ(plat.text(), u"1000,5");
    zam.cancel();
    EXPECT_EQ(plat.text(), u"1000,50");
    test::leave(&plat);
}

} // namespace
