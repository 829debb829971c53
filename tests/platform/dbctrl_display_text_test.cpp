// The text every data-aware control shows of its field: the display or edit text, and
// nothing (no error box, no exception into the screen) when there is no text to show.
#include "dbctrl_fixture.h"

#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_memo.h"
#include "platform/dbctrl/db_radio_group.h"
#include "platform/errors.h"

#include <stdexcept>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class DbctrlDisplayText : public CtlFixture {
protected:
    void SetUp() override { zam.open(); } // on record 1: Cibula, 1000,50, HPP
};

TEST_F(DbctrlDisplayText, TextOfTheFieldOrNothing)
{
    db::Field &plat = zam.fieldByName(QStringLiteral("Plat"));
    db::Field &surname = zam.fieldByName(QStringLiteral("Surname"));
    surname.onGetText = [](db::Field &, QString &t, bool display) {
        if (display)
            throw EMyError(QStringLiteral("Nesprávna hodnota."));
        t = t.toUpper();
    };
    db::Field &documentKind = zam.fieldByName(QStringLiteral("Druh"));
    documentKind.onGetText = [](db::Field &, QString &, bool) { throw std::runtime_error("record half filled"); };
    const db::Field loose(zam, QStringLiteral("Navyse"), db::FieldKind::Data, db::FieldType::String, 10);

    struct Case {
        const char *what;
        const db::Field *field;
        TextForm form;
        const char16_t *expected;
    } const cases[] = {
        {"display format", &plat, TextForm::Display, u"1000,50"},
        {"edit text", &plat, TextForm::Edit, u"1000,5"},
        {"OnGetText for editing", &surname, TextForm::Edit, u"CIBULA"},
        {"EMyError from OnGetText", &surname, TextForm::Display, u""},
        {"other exception, display", &documentKind, TextForm::Display, u""},
        {"other exception, edit", &documentKind, TextForm::Edit, u""},
        {"no field", nullptr, TextForm::Display, u""},
        {"no field, edit", nullptr, TextForm::Edit, u""},
        {"a field never bound", &loose, TextForm::Display, u""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(displayText(c.field, c.form), QString::fromUtf16(c.expected)) << c.what;
    EXPECT_TRUE(errors().isEmpty()); // a failing text is never an error box

    // A closed dataset: the field object stays, but its handler is not asked for a text.
    plat.onGetText = [](db::Field &, QString &t, bool) { t = QStringLiteral("stale"); };
    EXPECT_EQ(displayText(&plat), u"stale");
    zam.close();
    EXPECT_EQ(displayText(&plat), u"");
    EXPECT_EQ(displayText(&plat, TextForm::Edit), u"");
}

TEST_F(DbctrlDisplayText, EveryControlShowsNothingForAFailingFieldAndGoesOn)
{
    bool failing = true;
    zam.fieldByName(QStringLiteral("Druh")).onGetText = [&failing](db::Field &, QString &, bool) {
        if (failing)
            throw EMyError(QStringLiteral("Nesprávna hodnota."));
    };
    const QString documentKind = QStringLiteral("Druh");
    const QStringList kinds{QStringLiteral("HPP"), QStringLiteral("DVP")};
    DBEdit edit;
    DBMemo memo;
    DBComboBox combo;
    combo.setItems(kinds);
    DBRadioGroup radio;
    radio.setItems(kinds);
    DBCheckBox check;
    check.setValueChecked(QStringLiteral("HPP"));
    check.setValueUnchecked(QStringLiteral("DVP"));
    for (DataControl *c : std::initializer_list<DataControl *>{&edit, &memo, &combo, &radio, &check}) {
        c->setDataSource(&src);
        c->setDataField(documentKind);
    }
    DBGrid grid;
    grid.setColumns({{QStringLiteral("Code_emp"), {}, 60}, {documentKind, {}, 80}});
    grid.setDataSource(&src);

    auto expectShown = [&](const QString &text, const char *where) {
        EXPECT_EQ(edit.text(), text) << where;
        EXPECT_EQ(memo.toPlainText(), text) << where;
        EXPECT_EQ(combo.currentIndex(), int(kinds.indexOf(text))) << where;
        EXPECT_EQ(radio.itemIndex(), int(kinds.indexOf(text))) << where;
        EXPECT_EQ(check.isChecked(), text == u"HPP") << where;
    };
    expectShown(QString(), "failing on record 1");
    EXPECT_EQ(grid.gridModel()->rowTexts(0), (QStringList{QStringLiteral("1"), QString()}));
    EXPECT_EQ(grid.gridModel()->rowTexts(1), (QStringList{QStringLiteral("2"), QString()}));

    failing = false;
    zam.next();
    expectShown(QStringLiteral("DVP"), "record 2");
    zam.prior();
    expectShown(QStringLiteral("HPP"), "record 1");
    EXPECT_EQ(grid.gridModel()->rowTexts(0).value(1), u"HPP");

    failing = true;
    zam.next();
    expectShown(QString(), "failing on record 2");
    EXPECT_EQ(grid.gridModel()->rowTexts(1).value(1), u"");
    EXPECT_TRUE(errors().isEmpty());
}

} // namespace
