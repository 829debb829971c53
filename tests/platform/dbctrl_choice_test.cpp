// Data-aware choice controls: check box, radio group, combo box and lookup combo box.
// Each shows the current record's value, takes no input while the dataset browses, writes
// the field at once when chosen, and keeps the old value when the field refuses.
#include "dbctrl_fixture.h"

#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_radio_group.h"
#include "platform/errors.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class DbctrlChoice : public CtlFixture {
protected:
    void SetUp() override { zam.open(); }
    void refuse(const QString &field, const QString &text)
    {
        zam.fieldByName(field).onValidate = [text](db::Field &) { throw EMyError(text); };
    }
};

TEST_F(DbctrlChoice, CheckBoxOnLogicalField)
{
    DBCheckBox box(QStringLiteral("ZPS"));
    box.setDataSource(&src);
    box.setDataField(QStringLiteral("ZPS"));
    EXPECT_TRUE(box.isChecked());
    zam.next();
    EXPECT_FALSE(box.isChecked());
    zam.next();
    EXPECT_FALSE(box.isChecked()); // blank logical
    zam.first();

    box.click(); // browsing: no change
    EXPECT_TRUE(box.isChecked());
    EXPECT_TRUE(zam.fieldByName(QStringLiteral("ZPS")).asBoolean());
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);

    zam.edit();
    box.click(); // written at once
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(zam.value(QStringLiteral("ZPS")), QVariant(false));
    box.click();
    EXPECT_EQ(zam.value(QStringLiteral("ZPS")), QVariant(true));

    refuse(QStringLiteral("ZPS"), QStringLiteral("Nie je možné zmeniť."));
    box.click();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(zam.value(QStringLiteral("ZPS")), QVariant(true));
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Nie je možné zmeniť.")});

    zam.cancel();
    EXPECT_TRUE(box.isChecked());
}

TEST_F(DbctrlChoice, CheckBoxWithOwnValues)
{
    DBCheckBox box;
    box.setDataSource(&src);
    box.setDataField(QStringLiteral("Druh"));
    box.setValueChecked(QStringLiteral("HPP;TPP"));
    box.setValueUnchecked(QStringLiteral("DVP"));
    EXPECT_TRUE(box.isChecked());
    zam.next();
    EXPECT_FALSE(box.isChecked());
    zam.edit();
    box.click();
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"HPP"); // the first checked value
    box.click();
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"DVP");
    zam.cancel();

    // A number field: 1 checked, 0 unchecked.
    box.setValueChecked({});
    box.setValueUnchecked({});
    box.setDataField(QStringLiteral("Poistenie"));
    zam.first(); // Poistenie 0
    EXPECT_FALSE(box.isChecked());
    zam.edit();
    box.click();
    EXPECT_EQ(zam.value(QStringLiteral("Poistenie")).toLongLong(), 1);
}

TEST_F(DbctrlChoice, RadioGroupChecksTheItemOfTheValue)
{
    DBRadioGroup group(QStringLiteral("Poistenie"));
    group.setItems({QStringLiteral("nie"), QStringLiteral("áno"), QStringLiteral("iba pracovník")});
    group.setValues({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    group.setDataSource(&src);
    group.setDataField(QStringLiteral("Poistenie"));
    EXPECT_EQ(group.itemIndex(), 0);
    zam.next();
    EXPECT_EQ(group.itemIndex(), 2);
    zam.next();
    EXPECT_EQ(group.itemIndex(), -1); // 5 is none of the items
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(group.button(i)->isChecked());
    zam.first();

    group.button(1)->click(); // browsing: the click is undone
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(zam.value(QStringLiteral("Poistenie")).toLongLong(), 0);

    zam.edit();
    group.button(1)->click();
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_EQ(zam.value(QStringLiteral("Poistenie")).toLongLong(), 1);

    refuse(QStringLiteral("Poistenie"), QStringLiteral("Povolené hodnoty: 0=nie, 1=áno"));
    group.button(2)->click();
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_EQ(zam.value(QStringLiteral("Poistenie")).toLongLong(), 1);
    EXPECT_EQ(errors().size(), 1);

    // Columns keep every item; the captions are the values when none are given.
    group.setColumns(2);
    group.setValues({});
    group.setItems({QStringLiteral("HPP"), QStringLiteral("DVP"), QStringLiteral("DPČ")});
    group.setDataField(QStringLiteral("Druh"));
    EXPECT_EQ(group.itemIndex(), 0);
}

TEST_F(DbctrlChoice, ComboBoxWithFixedItems)
{
    DBComboBox combo;
    combo.setItems({QStringLiteral("HPP"), QStringLiteral("DVP"), QStringLiteral("DPČ")});
    combo.setDataSource(&src);
    combo.setDataField(QStringLiteral("Druh"));
    EXPECT_EQ(combo.currentIndex(), 0);
    zam.next();
    EXPECT_EQ(combo.currentText(), u"DVP");
    zam.next();
    EXPECT_EQ(combo.currentIndex(), -1); // blank
    zam.first();

    EXPECT_FALSE(combo.chooseItem(2));
    EXPECT_EQ(combo.currentIndex(), 0);
    // Keys that would change the choice do nothing while browsing.
    pressKey(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"HPP");

    zam.edit();
    EXPECT_TRUE(combo.chooseItem(2));
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"DPČ");
    pressKey(&combo, Qt::Key_Up); // the user's choice by keyboard is written too
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"DVP");

    refuse(QStringLiteral("Druh"), QStringLiteral("Zlý druh."));
    EXPECT_FALSE(combo.chooseItem(0));
    EXPECT_EQ(combo.currentText(), u"DVP");
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Zlý druh.")});
}

TEST_F(DbctrlChoice, EditableComboTakesTypedTexts)
{
    DBComboBox combo;
    combo.setItems({QStringLiteral("HPP"), QStringLiteral("DVP")});
    combo.setEditable(true);
    combo.setDataSource(&src);
    combo.setDataField(QStringLiteral("Druh"));
    zam.edit();
    combo.lineEdit()->selectAll();
    typeText(combo.lineEdit(), QStringLiteral("INÉ"));
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"HPP");
    leave(&combo);
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"INÉ");
    EXPECT_EQ(combo.currentText(), u"INÉ");
}

class DbctrlLookup : public DbctrlChoice {
protected:
    std::unique_ptr<db::Table> stat = table(QStringLiteral("Stat"));
    db::DataSource statSrc{stat.get()};
    void SetUp() override
    {
        DbctrlChoice::SetUp();
        stat->open();
    }
};

TEST_F(DbctrlLookup, ShowsTheListTextOfTheKeyAndEmptyForAnUnknownKey)
{
    DBLookupComboBox combo;
    combo.setListSource(&statSrc);
    combo.setKeyField(QStringLiteral("Kod"));
    combo.setListField(QStringLiteral("Nazov"));
    combo.setDataSource(&src);
    combo.setDataField(QStringLiteral("Stat"));
    EXPECT_EQ(combo.rowCountOfList(), 2);
    EXPECT_EQ(combo.displayText(), u"Slovenská republika");
    zam.next();
    EXPECT_EQ(combo.displayText(), u"Česká republika");
    zam.next(); // '999' is not in the list
    EXPECT_EQ(combo.displayText(), u"");
    EXPECT_EQ(combo.currentIndex(), -1);

    // Moving the list's own dataset changes nothing shown.
    stat->last();
    EXPECT_EQ(combo.displayText(), u"");

    // A row added to the code table appears, and now names the key.
    stat->append();
    stat->setValue(QStringLiteral("Kod"), QStringLiteral("999"));
    stat->setValue(QStringLiteral("Nazov"), QStringLiteral("Neznámy štát"));
    stat->post();
    EXPECT_EQ(combo.rowCountOfList(), 3);
    EXPECT_EQ(combo.displayText(), u"Neznámy štát");
}

TEST_F(DbctrlLookup, ChoosingARowWritesItsKey)
{
    DBLookupComboBox combo;
    combo.setListSource(&statSrc);
    combo.setKeyField(QStringLiteral("Kod"));
    combo.setListField(QStringLiteral("Skratka;Nazov"));
    combo.setListFieldIndex(1);
    combo.setDataSource(&src);
    combo.setDataField(QStringLiteral("Stat"));
    EXPECT_EQ(combo.displayText(), u"Slovenská republika");
    const int cz = combo.rowOfKey(QStringLiteral("203"));
    ASSERT_GE(cz, 0);

    EXPECT_FALSE(combo.chooseRow(cz)); // browsing
    EXPECT_EQ(zam.value(QStringLiteral("Stat")).toString(), u"703");

    zam.edit();
    EXPECT_TRUE(combo.chooseRow(cz));
    EXPECT_EQ(zam.value(QStringLiteral("Stat")).toString(), u"203");
    EXPECT_EQ(combo.displayText(), u"Česká republika");

    refuse(QStringLiteral("Stat"), QStringLiteral("Štát nie je povolený."));
    EXPECT_FALSE(combo.chooseRow(combo.rowOfKey(QStringLiteral("703"))));
    EXPECT_EQ(zam.value(QStringLiteral("Stat")).toString(), u"203");
    EXPECT_EQ(combo.displayText(), u"Česká republika");
    EXPECT_EQ(errors().size(), 1);
    zam.cancel();
    EXPECT_EQ(combo.displayText(), u"Slovenská republika");
}

TEST_F(DbctrlLookup, BoundToALookupFieldUsesItsDefinition)
{
    zam.close();
    zam.addLookupField(QStringLiteral("L_Stat"), db::FieldType::String, 30, stat.get(), QStringLiteral("Stat"),
                       QStringLiteral("Kod"), QStringLiteral("Nazov"));
    zam.open();
    DBLookupComboBox combo;
    combo.setDataSource(&src);
    combo.setDataField(QStringLiteral("L_Stat"));
    EXPECT_EQ(combo.displayText(), u"Slovenská republika");
    zam.edit();
    // An edit only shows a lookup field; typing into it changes nothing.
    DBEdit shown;
    shown.setDataSource(&src);
    shown.setDataField(QStringLiteral("L_Stat"));
    EXPECT_EQ(shown.text(), u"Slovenská republika");
    EXPECT_TRUE(shown.isReadOnly());
    EXPECT_TRUE(combo.chooseRow(combo.rowOfKey(QStringLiteral("203"))));
    EXPECT_EQ(zam.value(QStringLiteral("Stat")).toString(), u"203");
    EXPECT_EQ(zam.value(QStringLiteral("L_Stat")).toString(), u"Česká republika");
    EXPECT_EQ(combo.displayText(), u"Česká republika");
    EXPECT_EQ(shown.text(), u"Česká republika");
    zam.post();
    zam.next();
    EXPECT_EQ(combo.displayText(), u"Česká republika");
    zam.next();
    EXPECT_EQ(combo.displayText(), u"");
}

} // namespace
