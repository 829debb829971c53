// Data-aware edits (DBEdit, DBMemo, DBDateEdit) and the field link under them: following
// the record, explicit editing, writing on leaving, refusals keeping the old value.
#include "dbctrl_fixture.h"

#include "platform/db/db_error.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_memo.h"
#include "platform/errors.h"

#include <QCalendarWidget>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class DbctrlEdit : public CtlFixture {
protected:
    DBEdit edit;
    void SetUp() override
    {
        zam.open();
        edit.setDataSource(&src);
        edit.setDataField(QStringLiteral("Surname"));
    }
    void retype(QWidget *w, const QString &text)
    {
        if (auto *le = qobject_cast<QLineEdit *>(w))
            le->selectAll();
        typeText(w, text);
    }
};

TEST_F(DbctrlEdit, ShowsTheCurrentRecordAndFollowsScrolling)
{
    EXPECT_EQ(edit.text(), u"Cibula");
    zam.next();
    EXPECT_EQ(edit.text(), u"Adam");
    zam.last();
    EXPECT_EQ(edit.text(), u"Beňo");
    // Another order of the same dataset.
    zam.setIndexName(QStringLiteral("MENO"));
    zam.first();
    EXPECT_EQ(edit.text(), u"Adam");
    // Switching the field, and a source switched off or a closed dataset show nothing.
    edit.setDataField(QStringLiteral("Druh"));
    EXPECT_EQ(edit.text(), u"DVP");
    src.setEnabled(false);
    EXPECT_EQ(edit.text(), u"");
    EXPECT_TRUE(edit.isReadOnly());
    src.setEnabled(true);
    EXPECT_EQ(edit.text(), u"DVP");
    zam.close();
    EXPECT_EQ(edit.text(), u"");
}

TEST_F(DbctrlEdit, DisplayTextUnlessTypedInEditTextWhileTypedIn)
{
    edit.setDataField(QStringLiteral("Plat"));
    EXPECT_EQ(edit.text(), u"1000,50");
    zam.edit();
    EXPECT_EQ(edit.text(), u"1000,50");
    test::enter(&edit);
    EXPECT_EQ(edit.text(), u"1000,5");
    zam.cancel();
    EXPECT_EQ(edit.text(), u"1000,50");
}

TEST_F(DbctrlEdit, ReadOnlyWhileBrowsing)
{
    EXPECT_TRUE(edit.isReadOnly());
    retype(&edit, QStringLiteral("Zoltán"));
    leave(&edit);
    EXPECT_EQ(edit.text(), u"Cibula");
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula");

    // The control's own switch and the field's keep it read-only also while editing.
    zam.edit();
    EXPECT_FALSE(edit.isReadOnly());
    edit.setDataReadOnly(true);
    EXPECT_TRUE(edit.isReadOnly());
    edit.setDataReadOnly(false);
    zam.fieldByName(QStringLiteral("Surname")).setReadOnly(true);
    zam.cancel();
    zam.edit();
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(DbctrlEdit, TypedTextIsWrittenWhenTheEditIsLeftOrEnterPressed)
{
    zam.edit();
    EXPECT_FALSE(edit.isReadOnly());
    retype(&edit, QStringLiteral("Zoltán"));
    // Typing alone does not write.
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula");
    leave(&edit);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Zoltán");
    EXPECT_EQ(zam.state(), db::DataSetState::Edit); // no post by typing
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Cibula");

    edit.setDataField(QStringLiteral("Plat"));
    test::enter(&edit);
    retype(&edit, QStringLiteral("12.5"));
    pressKey(&edit, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(zam.value(QStringLiteral("Plat")).toDouble(), 12.5);
    EXPECT_EQ(edit.text(), u"12,5"); // shown as the field normalised it, still typed in
    leave(&edit);

    zam.post();
    EXPECT_EQ(edit.text(), u"12,50");
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Zoltán");
    EXPECT_DOUBLE_EQ(stored(1, QStringLiteral("Plat")).toDouble(), 12.5);
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(DbctrlEdit, PendingTextIsWrittenBeforeAPostOrAMove)
{
    zam.edit();
    retype(&edit, QStringLiteral("Dano"));
    zam.post(); // without leaving the edit
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Dano");

    zam.edit();
    retype(&edit, QStringLiteral("Emil"));
    zam.next(); // a move posts the modified record
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Emil");
    EXPECT_EQ(edit.text(), u"Adam");
}

TEST_F(DbctrlEdit, ExitedComesAfterTheTextWasWritten)
{
    // Screens recompute when a field is left; they must see the new value.
    QStringList seen;
    QObject::connect(&edit, &DBEdit::exited, [&] { seen << zam.value(QStringLiteral("Surname")).toString(); });
    zam.edit();
    retype(&edit, QStringLiteral("Zoltán"));
    // A popup (the edit's own menu, a calendar) or another window is no leaving.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&edit, &popup);
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula");
    leave(&edit);
    EXPECT_EQ(seen, QStringList{QStringLiteral("Zoltán")});
}

TEST_F(DbctrlEdit, EscapeDropsTheTypedText)
{
    zam.edit();
    retype(&edit, QStringLiteral("Zoltán"));
    pressKey(&edit, Qt::Key_Escape);
    EXPECT_EQ(edit.text(), u"Cibula");
    leave(&edit);
    EXPECT_FALSE(zam.isModified());
}

TEST_F(DbctrlEdit, CancelShowsTheOldValueAgain)
{
    zam.edit();
    retype(&edit, QStringLiteral("Zoltán"));
    leave(&edit);
    EXPECT_EQ(edit.text(), u"Zoltán");
    zam.cancel();
    EXPECT_EQ(edit.text(), u"Cibula");
    EXPECT_TRUE(edit.isReadOnly());

    // An inserted record that is cancelled gives the record it replaced back.
    zam.insert();
    EXPECT_EQ(edit.text(), u"");
    retype(&edit, QStringLiteral("Nový"));
    leave(&edit);
    zam.cancel();
    EXPECT_EQ(edit.text(), u"Cibula");
}

// A refused value: the field keeps its old value, the edit shows it again, and an EMyError's
// text is shown (an EAbort, or a value that is no value of the field, as the case says).
struct RefusalCase {
    const char *name;
    const char *field;
    const char *typed;
    enum { Validate, Abort, None } refusal;
    const char *oldText;    // the text shown after leaving
    const char *message;    // expected error box, empty: none
};

class DbctrlEditRefusal : public DbctrlEdit, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(DbctrlEditRefusal, KeepsTheOldValueInTheControl)
{
    const RefusalCase &c = GetParam();
    db::Field &f = zam.fieldByName(QString::fromUtf8(c.field));
    const QVariant before = f.value();
    if (c.refusal == RefusalCase::Validate)
        f.onValidate = [](db::Field &) { throw EMyError(QStringLiteral("Desatinná časť nesmie byť iná ako 0.5 !!!")); };
    else if (c.refusal == RefusalCase::Abort)
        f.onValidate = [](db::Field &) { throw EAbort(); };
    edit.setDataField(f.name());
    zam.edit();
    retype(&edit, QString::fromUtf8(c.typed));
    leave(&edit);
    EXPECT_EQ(f.value(), before);
    EXPECT_EQ(edit.text(), QString::fromUtf8(c.oldText));
    if (*c.message)
        EXPECT_EQ(errors(), QStringList{QString::fromUtf8(c.message)});
    else
        EXPECT_TRUE(script.messages().isEmpty());
    EXPECT_FALSE(zam.isModified());
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DbctrlEditRefusal,
    ::testing::Values(
        RefusalCase{"ValidationError", "Plat", "12,3", RefusalCase::Validate, "1000,50",
                    "Desatinná časť nesmie byť iná ako 0.5 !!!"},
        RefusalCase{"SilentAbort", "Surname", "Zoltán", RefusalCase::Abort, "Cibula", ""},
        RefusalCase{"NotANumber", "Plat", "abc", RefusalCase::None, "1000,50",
                    "'abc' nie je platná hodnota položky Plat."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DbctrlEdit, RefusalOfPendingTextStopsThePost)
{
    db::Field &f = zam.fieldByName(QStringLiteral("Surname"));
    f.onValidate = [](db::Field &x) {
        if (x.asString().isEmpty())
            throw EMyError(QStringLiteral("Priezvisko musí byť vyplnené."));
    };
    zam.edit();
    edit.selectAll();
    pressKey(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), u"");
    // The post asks for the pending text; its refusal is shown once and the post stops
    // silently with the record still in edit.
    EXPECT_THROW(zam.post(), EAbort);
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Priezvisko musí byť vyplnené.")});
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    EXPECT_EQ(edit.text(), u"Cibula");
    zam.post();
    EXPECT_EQ(stored(1, QStringLiteral("Surname")).toString(), u"Cibula");
}

TEST_F(DbctrlEdit, AutoEditLetsTypingStartTheEdit)
{
    // Switched on after the edit was bound: the edit notices when it is typed into.
    src.autoEdit = true;
    retype(&edit, QStringLiteral("Zoltán"));
    EXPECT_EQ(zam.state(), db::DataSetState::Edit);
    EXPECT_EQ(edit.text(), u"Zoltán");
    leave(&edit);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Zoltán");
    zam.cancel();

    // A refused edit (BeforeEdit) keeps the record as it was and says why.
    zam.beforeEdit = [](db::DataSet &) { throw EMyError(QStringLiteral("Mesiac je uzavretý.")); };
    retype(&edit, QStringLiteral("X"));
    EXPECT_EQ(zam.state(), db::DataSetState::Browse);
    EXPECT_EQ(edit.text(), u"Cibula");
    EXPECT_EQ(errors(), QStringList{QStringLiteral("Mesiac je uzavretý.")});

    // Read-only datasets or fields take no typing even with autoEdit.
    zam.beforeEdit = nullptr;
    zam.fieldByName(QStringLiteral("Surname")).setReadOnly(true);
    src.setEnabled(false);
    src.setEnabled(true);
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(DbctrlEdit, SourceGoneBeforeTheEdit)
{
    auto s = std::make_unique<db::DataSource>(&zam);
    DBEdit other;
    other.setDataSource(s.get());
    other.setDataField(QStringLiteral("Surname"));
    zam.edit();
    EXPECT_FALSE(other.isReadOnly());
    s.reset();
    EXPECT_EQ(other.field(), nullptr);
    retype(&other, QStringLiteral("X"));
    leave(&other);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula");
}

TEST_F(DbctrlEdit, MemoWritesWhenLeft)
{
    DBMemo memo;
    memo.setDataSource(&src);
    memo.setDataField(QStringLiteral("Poznamka"));
    EXPECT_EQ(memo.toPlainText(), u"prvý riadok");
    EXPECT_TRUE(memo.isReadOnly());
    zam.next();
    EXPECT_EQ(memo.toPlainText(), u"");

    zam.edit();
    EXPECT_FALSE(memo.isReadOnly());
    memo.setFocus();
    typeText(&memo, QStringLiteral("a"));
    pressKey(&memo, Qt::Key_Return, QStringLiteral("\r"));
    typeText(&memo, QStringLiteral("b"));
    EXPECT_FALSE(zam.fieldByName(QStringLiteral("Poznamka")).value().isValid());
    leave(&memo);
    EXPECT_EQ(zam.value(QStringLiteral("Poznamka")).toString(), u"a\nb");
    zam.cancel();
    EXPECT_EQ(memo.toPlainText(), u"");
}

TEST_F(DbctrlEdit, DateEditTakesShortDatesAndEmpty)
{
    DBDateEdit date;
    date.setDataSource(&src);
    date.setDataField(QStringLiteral("Nastup"));
    db::Field &f = zam.fieldByName(QStringLiteral("Nastup"));
    EXPECT_EQ(date.text(), u"1.2.2005");
    EXPECT_FALSE(date.chooseDate(QDate(2006, 1, 1))); // browsing: no input

    zam.edit();
    retype(&date, QStringLiteral("15.3.2006"));
    leave(&date);
    EXPECT_EQ(f.value().toDate(), QDate(2006, 3, 15));

    retype(&date, QStringLiteral("31.2.2006"));
    leave(&date);
    EXPECT_EQ(f.value().toDate(), QDate(2006, 3, 15));
    EXPECT_EQ(date.text(), u"15.3.2006");
    EXPECT_EQ(errors().size(), 1);

    date.selectAll();
    pressKey(&date, Qt::Key_Delete);
    leave(&date);
    EXPECT_FALSE(f.value().isValid());
    EXPECT_EQ(date.text(), u"");

    EXPECT_TRUE(date.chooseDate(QDate(2007, 12, 24)));
    EXPECT_EQ(f.value().toDate(), QDate(2007, 12, 24));
    EXPECT_EQ(date.text(), u"24.12.2007");

    // The calendar starts at the field's date.
    date.showCalendar();
    EXPECT_EQ(date.calendar()->selectedDate(), QDate(2007, 12, 24));
    date.calendar()->hide();
    zam.post();
    EXPECT_EQ(stored(1, QStringLiteral("Nastup")).toDate(), QDate(2007, 12, 24));
}

} // namespace

namespace {

// A stored field the program computes (db::Field::setComputed) is only shown, by an edit
// and by a grid cell alike, while the program's own writes still go through.
class DbctrlComputedField : public CtlFixture {
protected:
    void SetUp() override
    {
        zam.declareField(QStringLiteral("Plat")).setComputed(true);
        zam.open();
        src.autoEdit = true;
    }
};

} // namespace

TEST_F(DbctrlComputedField, TakesNoInputInAnEditOrAGridCell)
{
    DBEdit plat;
    plat.setDataSource(&src);
    plat.setDataField(QStringLiteral("Plat"));
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Surname")}, {QStringLiteral("Plat")}});

    zam.edit();
    EXPECT_TRUE(plat.isReadOnly());
    test::enter(&plat);
    typeText(&plat, QStringLiteral("5"));
    test::leave(&plat);
    EXPECT_DOUBLE_EQ(zam.fieldByName(QStringLiteral("Plat")).asFloat(), 1000.5);
    EXPECT_FALSE(grid.gridModel()->canEditCell(grid.currentRow(), 1));
    EXPECT_TRUE(grid.gridModel()->canEditCell(grid.currentRow(), 0));
    EXPECT_FALSE(grid.gridModel()->flags(grid.gridModel()->index(grid.currentRow(), 1)) & Qt::ItemIsEditable);

    // The program computes it.
    zam.fieldByName(QStringLiteral("Plat")).setAsFloat(1200);
    zam.post();
    EXPECT_EQ(plat.text(), u"1200,00");
}
