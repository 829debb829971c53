// The state visios: the switch to the next state, the null item, the cell's text, image and
// font, the activation flags behind DoubleClicks and SwitchClicks and the field check.
#include "components/visio_test_data.h"

namespace tarix::grid::testing {
namespace {

class StateVisioTest : public VisioTest {
protected:
    // The current employee's field set to `value` (invalid: null), in edit.
    void setField(const QString &name, const QVariant &value)
    {
        if (!zam.isEditing())
            zam.edit();
        zam.fieldByName(name).setValue(value);
    }
    // The items "<value>" or "null" (a null item) with their texts.
    TIStateVisio &withStates(const QStringList &items)
    {
        auto &v = visio<TIStateVisio>("I-State", "Stav");
        for (const QString &item : items) {
            TIState &s = v.intStates().addState();
            if (item == "null") {
                s.setNullValue(true);
                s.setDisplayText("prázdny");
            } else {
                s.setFieldValue(item.toInt());
                s.setDisplayText("stav " + item);
            }
        }
        return v;
    }
    // A double click on the cell (one of the state visio's activations).
    static void doubleClick(TCustomVisio &v) { v.mouseDown(Qt::LeftButton, true, true, 0); }
};

TEST_F(StateVisioTest, ActivationSwitchesToTheNextState)
{
    const QVariant null;
    const struct {
        const char *what;
        QStringList items;
        bool nullSwitchable;
        QVariant from;
        QVariant to;
    } cases[] = {
        {"A, B, C from A", {"1", "2", "3"}, false, 1, 2},
        {"A, B, C from C wraps to A", {"1", "2", "3"}, false, 3, 1},
        {"a value of no state goes to the first", {"1", "2", "3"}, false, 7, 1},
        {"a null field without a null item goes to the first", {"1", "2", "3"}, false, null, 1},
        {"the null item is skipped", {"1", "null", "3"}, false, 1, 3},
        {"the null item is switchable", {"1", "null", "3"}, true, 1, null},
        {"a null field goes on after the null item", {"1", "null", "3"}, false, null, 3},
        {"a null item at the end is skipped round to the first", {"1", "2", "null"}, false, 2, 1},
        {"a null item at the start is skipped", {"null", "1", "2"}, false, 2, 1},
        {"only the null item never switches", {"null"}, false, 5, 5},
        {"only the null item, a null field", {"null"}, false, null, null},
        {"only the null item, switchable", {"null"}, true, 5, null},
        {"an empty collection leaves the field", {}, false, 4, 4},
    };
    for (const auto &c : cases) {
        zam.cancel();
        TIStateVisio &v = withStates(c.items);
        v.stateParams().NullSwitchable = c.nullSwitchable;
        setField("Stav", c.from);
        EXPECT_EQ(v.nextStateIndex() < 0, c.from == c.to && c.from.isValid() == c.to.isValid()) << c.what;
        doubleClick(v);
        const QVariant now = zam.fieldByName("Stav").value();
        EXPECT_EQ(now.isValid(), c.to.isValid()) << c.what;
        if (c.to.isValid()) {
            EXPECT_EQ(now.toInt(), c.to.toInt()) << c.what;
        }
        EXPECT_FALSE(v.isEditing()) << c.what;
    }
}

TEST_F(StateVisioTest, TheTextAndBooleanStatesWriteTheirOwnValues)
{
    auto &s = visio<TSStateVisio>("S-State", "Trieda");
    s.SStates().addState().setFieldValue("A");
    s.SStates().addState().setFieldValue("B");
    doubleClick(s);
    EXPECT_EQ(zam.fieldByName("Trieda").asString(), "B");
    doubleClick(s);
    EXPECT_EQ(zam.fieldByName("Trieda").asString(), "A");

    auto &b = visio<TBStateVisio>("B-State", "Aktivny");
    b.boolStates().addState().setFieldValue(false);
    b.boolStates().addState().setFieldValue(true);
    EXPECT_TRUE(zam.fieldByName("Aktivny").asBoolean());
    doubleClick(b);
    EXPECT_FALSE(zam.fieldByName("Aktivny").asBoolean());
    zam.post();
    EXPECT_FALSE(stored(1, "Aktivny").toBool());
    EXPECT_EQ(stored(1, "Trieda").toString(), "A");
}

TEST_F(StateVisioTest, TheCellShowsTheStateOfTheValueOrWhatWasFound)
{
    TIStateVisio &v = withStates({"1", "2"});
    v.intStates()[0].setImageIndex(4);
    const CellContent one = cellOf(v);
    EXPECT_EQ(one.text, "stav 1");
    EXPECT_EQ(one.imageIndex, 4);

    QFont bold = v.SectionAttr().font();
    bold.setBold(true);
    v.intStates()[0].setFont(bold);
    EXPECT_FALSE(v.intStates()[0].ParentFont()) << "a font of its own";
    EXPECT_TRUE(cellOf(v).font.font.bold());
    v.intStates()[0].setParentFont(true);
    EXPECT_FALSE(cellOf(v).font.font.bold());

    setField("Stav", 7);
    EXPECT_EQ(cellOf(v).text, "? <7>");
    EXPECT_EQ(cellOf(v).imageIndex, -1);
    setField("Stav", QVariant());
    EXPECT_EQ(cellOf(v).text, "? <>");

    v.intStates().addState().setNullValue(true);
    v.intStates()[2].setDisplayText("nič");
    EXPECT_EQ(cellOf(v).text, "nič");
}

TEST_F(StateVisioTest, NullValueStaysOnOneItem)
{
    TIStateVisio &v = withStates({"1", "2", "3"});
    v.intStates()[0].setNullValue(true);
    EXPECT_EQ(v.States().nullItem(), &v.States().Item(0));
    v.intStates()[2].setNullValue(true);
    EXPECT_FALSE(v.intStates()[0].NullValue());
    EXPECT_FALSE(v.intStates()[1].NullValue());
    EXPECT_EQ(v.States().nullItem(), &v.States().Item(2));

    // Assign copies the value only from an item of the same class.
    TIState &copy = v.intStates().addState();
    copy.Assign(v.intStates()[1]);
    EXPECT_EQ(copy.FieldValue(), 2);
    EXPECT_EQ(copy.DisplayText(), "stav 2");
}

TEST_F(StateVisioTest, DoubleClicksAndSwitchClicksAreTheActivationBits16And256)
{
    TIStateVisio &v = withStates({"1", "2"});
    EXPECT_EQ(v.activationFlags, afDoubleClick | afPushRelease | afSwitchClicks);
    EXPECT_EQ(int(afDoubleClick), 16);
    EXPECT_EQ(int(afSwitchClicks), 256);
    EXPECT_EQ(v.EditParams().ActivateKey, 32);
    EXPECT_FALSE(v.m_flagEditForm);

    v.stateParams().setDoubleClicks(false);
    EXPECT_EQ(v.activationFlags, afPushRelease | afSwitchClicks);
    doubleClick(v);
    EXPECT_EQ(zam.fieldByName("Stav").asInt(), 1) << "a double click no longer switches";
    v.stateParams().setSwitchClicks(false);
    EXPECT_EQ(v.activationFlags, afPushRelease);
    v.stateParams().setDoubleClicks(true);
    v.stateParams().setSwitchClicks(true);
    EXPECT_EQ(v.activationFlags, afDoubleClick | afPushRelease | afSwitchClicks);
    doubleClick(v);
    EXPECT_EQ(zam.fieldByName("Stav").asInt(), 2);

    // The space bar pressed and released switches as well.
    v.keyDown(Qt::Key_Space, Qt::NoModifier);
    v.keyUp(Qt::Key_Space, Qt::NoModifier);
    EXPECT_EQ(zam.fieldByName("Stav").asInt(), 1);

    v.setOptions(soDrawText | soNullSwitchable);
    EXPECT_FALSE(v.DrawImages);
    EXPECT_TRUE(v.DrawText);
    EXPECT_TRUE(v.stateParams().NullSwitchable);
}

TEST_F(StateVisioTest, AFieldOfAnotherTypeFailsTheCheckAndIsLeftAlone)
{
    const struct {
        const char *visio;
        const char *field;
        bool valid;
    } cases[] = {
        {"I-State", "Stav", true},  {"I-State", "Mesto", false}, {"I-State", "Plat", false},
        {"S-State", "Trieda", true}, {"S-State", "Stav", false},
        {"B-State", "Aktivny", true}, {"B-State", "Stav", false}, {"B-State", "Nic", false},
    };
    for (const auto &c : cases) {
        auto &v = visio<TCustomStateVisio>(c.visio, c.field);
        EXPECT_EQ(v.IsFieldValid(), c.valid) << c.visio << " " << c.field;
    }
    auto &wrong = visio<TIStateVisio>("I-State", "Mesto");
    wrong.intStates().addState().setFieldValue(1);
    doubleClick(wrong);
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "Košice");
    EXPECT_FALSE(zam.isEditing());
}

} // namespace
} // namespace tarix::grid::testing
