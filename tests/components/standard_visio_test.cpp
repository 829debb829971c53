// The Standard, V-Lookup and Indicator visios through the test host: finding list items,
// editing a cell in the form over it (post, cancel, BeforePost), the pick list narrowed by
// typing, look-ups with and without images and the indicator's mark of the dataset's state.
#include "components/visio_test_data.h"
#include "support/widgets/keyboard.h"

namespace tarix::grid::testing {
namespace {

class StandardVisioTest : public VisioTest {
protected:
    TStandardVisio &standard(const QString &field = "Mesto")
    {
        auto &v = visio<TStandardVisio>("Standard", field);
        v.activationFlags = afKey;
        return v;
    }
    static QWidget *editorOf(TEditFormVisio &v) { return v.editForm()->maskEdit().editor(); }
    static QStringList shownItems(TDropDownVisio &v)
    {
        QStringList items;
        TListBoxPlus &list = v.listForm()->listBox();
        for (int i = 0; i < list.visibleRowCount(); ++i) {
            int image = -1;
            QString text;
            v.GetItem(list.listRow(i), image, text);
            items << text;
        }
        return items;
    }
};

TEST_F(StandardVisioTest, FindItemMatchesExactlyWithoutCaseElseTheFirstContainingItem)
{
    auto &v = standard();
    v.PickList = {"Banská Bystrica", "Bratislava", "bratislava - okolie", "Nitra"};
    const struct {
        const char *text;
        bool exact;
        int index;
    } cases[] = {
        {"BRATISLAVA", true, 1},
        {"bratislava", false, 1},
        {"okolie", false, 2},
        {"okolie", true, -1},
        {"BANSK", false, 0},
        {"tra", false, 3},
        {"Žilina", false, -1},
        {"", false, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(v.FindItem(QString::fromUtf8(c.text), c.exact), c.index) << c.text << " " << c.exact;
}

TEST_F(StandardVisioTest, TypingAndEnterWritesTheFieldThroughTheHost)
{
    auto &v = standard();
    int posted = 0;
    v.AfterPost = [&](TCustomVisio &) { ++posted; };
    ASSERT_TRUE(v.keyDown(Qt::Key_F2, Qt::NoModifier));
    ASSERT_TRUE(v.isEditing());
    ASSERT_TRUE(v.editForm()->isVisible());
    EXPECT_EQ(v.EditText(), "Košice");

    test::typeText(editorOf(v), "Prešov");
    EXPECT_EQ(v.EditText(), "Prešov");
    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_EQ(grid.calls.filter("post"), QStringList({"post"}));
    EXPECT_FALSE(v.isEditing());
    EXPECT_FALSE(v.editForm()->isVisible());
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "Prešov");
    zam.post();
    EXPECT_EQ(stored(1, "Mesto").toString(), "Prešov");
}

TEST_F(StandardVisioTest, EscapeCancelsAndLeavesTheOldValue)
{
    auto &v = standard();
    int cancelled = 0;
    v.AfterCancel = [&](TCustomVisio &) { ++cancelled; };
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::typeText(editorOf(v), "Prešov");
    test::pressKey(editorOf(v), Qt::Key_Escape);
    EXPECT_TRUE(grid.calls.contains("cancel"));
    EXPECT_FALSE(v.isEditing());
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "Košice");
    EXPECT_FALSE(zam.isEditing()) << "nothing was written";
    EXPECT_EQ(stored(1, "Mesto").toString(), "Košice");
}

TEST_F(StandardVisioTest, BeforePostMayChangeOrStopTheValue)
{
    auto &v = standard();
    for (const bool doPost : {false, true}) {
        v.BeforePost = [&](TCustomVisio &, QVariant &value, bool canIgnore, bool &post) {
            EXPECT_FALSE(canIgnore);
            EXPECT_EQ(value.toString(), "Levice");
            value = QStringLiteral("LEVICE");
            post = doPost;
        };
        v.keyDown(Qt::Key_F2, Qt::NoModifier);
        test::typeText(editorOf(v), "Levice");
        test::pressKey(editorOf(v), Qt::Key_Return);
        EXPECT_FALSE(v.isEditing());
        EXPECT_EQ(zam.fieldByName("Mesto").asString(), doPost ? "LEVICE" : "Košice") << doPost;
    }
    // A text left as it was posts nothing.
    zam.cancel();
    v.BeforePost = [](TCustomVisio &, QVariant &, bool, bool &) { ADD_FAILURE() << "nothing to post"; };
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_FALSE(zam.isEditing());
}

TEST_F(StandardVisioTest, TheDropDownListNarrowsToTheTypedBeginningAndPostsTheChosenItem)
{
    auto &v = standard();
    v.PickList = {"Bratislava", "Banská Bystrica", "Košice", "Bardejov", "Nitra"};
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::pressKey(editorOf(v), Qt::Key_Down, {}, Qt::AltModifier);
    ASSERT_TRUE(v.listShown());
    EXPECT_EQ(shownItems(v).size(), 5);

    test::typeText(editorOf(v), "b");
    // The first item holding the typed text completes it; the rest stays selected.
    EXPECT_EQ(v.EditText(), "Bratislava");
    EXPECT_EQ(v.filterText(), "B");
    EXPECT_EQ(shownItems(v), QStringList({"Bratislava", "Banská Bystrica", "Bardejov"}));

    test::typeText(editorOf(v), "a");
    EXPECT_EQ(v.EditText(), "Banská Bystrica");
    EXPECT_EQ(shownItems(v), QStringList({"Banská Bystrica", "Bardejov"}));
    EXPECT_EQ(v.SelectedItem(), 1);

    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_FALSE(v.listShown());
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "Banská Bystrica");
}

TEST_F(StandardVisioTest, PickListValuesOnlyRefusesATextOfNoItem)
{
    auto &v = standard();
    v.PickList = {"Nitra", "Trnava"};
    v.standardEditParams().PickListValuesOnly = true;
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::typeText(editorOf(v), "t");
    EXPECT_EQ(v.EditText(), "Nitra");
    test::typeText(editorOf(v), "x");
    EXPECT_EQ(v.EditText(), "Nitra") << "no item holds \"tx\"";
    test::pressKey(editorOf(v), Qt::Key_Escape);

    // Without peeking any text goes.
    v.standardEditParams().PickListValuesOnly = false;
    v.standardEditParams().setPeekValues(false);
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::typeText(editorOf(v), "tx");
    EXPECT_EQ(v.EditText(), "tx");
}

TEST_F(StandardVisioTest, TheSpeedButtonsShortCutGoesToItsEventWhenOneIsAssigned)
{
    auto &v = standard();
    int clicks = 0;
    v.OnButtonClick = [&](TCustomVisio &) { ++clicks; };
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    test::pressKey(editorOf(v), Qt::Key_Down, {}, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(v.listShown());
    // Tab and the row keys go to the grid.
    test::pressKey(editorOf(v), Qt::Key_Tab);
    test::pressKey(editorOf(v), Qt::Key_Up);
    EXPECT_TRUE(grid.calls.contains("nextCell"));
    EXPECT_TRUE(grid.calls.contains("moveRow -1"));
}

TEST_F(StandardVisioTest, ATypedCharacterStartsEditingWithIt)
{
    auto &v = standard();
    v.activationFlags = afChar;
    ASSERT_TRUE(v.keyPress("L"));
    ASSERT_TRUE(v.isEditing());
    EXPECT_EQ(v.EditText(), "L");
    test::typeText(editorOf(v), "evice");
    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "Levice");
}

TEST_F(StandardVisioTest, AWrappingEditorMovesRowsOnlyFromItsFirstAndLastLine)
{
    auto &v = standard();
    v.standardEditParams().WordWrap = true;
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    ASSERT_TRUE(v.editForm()->maskEdit().multiLine());
    v.setEditText("a\nb");
    v.editForm()->maskEdit().setSelection(3, 3);
    ASSERT_EQ(v.editForm()->maskEdit().lineCount(), 2);
    test::pressKey(editorOf(v), Qt::Key_Down); // on the last line
    test::pressKey(editorOf(v), Qt::Key_Up);   // to the first line, inside the text
    test::pressKey(editorOf(v), Qt::Key_Up);   // on the first line
    EXPECT_EQ(grid.calls.filter("moveRow"), QStringList({"moveRow 1", "moveRow -1"}));
    EXPECT_TRUE(v.isEditing());
    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_FALSE(v.isEditing());
    EXPECT_EQ(zam.fieldByName("Mesto").asString(), "a\nb");
}

TEST_F(StandardVisioTest, TheFirstFieldNameGivesTheCaptionAndAlignmentAndASwapKeepsIt)
{
    auto &v = standard("Plat");
    EXPECT_EQ(v.Caption, "Plat");
    EXPECT_EQ(v.SectionAttr().textAlignment(), TextAlignment::taRightJustify);
    v.Caption = "Mzda";
    v.setFieldName("Meno"); // not the first name: the caption stays
    EXPECT_EQ(v.Caption, "Mzda");
    EXPECT_EQ(v.SectionAttr().textAlignment(), TextAlignment::taRightJustify);

    v.setName("S-State");
    auto *state = dynamic_cast<TSStateVisio *>(grid.column(0).section(0).visio());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->FieldName(), "Meno");
    EXPECT_EQ(state->SectionAttr().textAlignment(), TextAlignment::taLeftJustify);

    // Peeking at the list's values drops an edit mask.
    auto &masked = standard();
    masked.standardEditParams().EditMask = "999;0;_";
    masked.standardEditParams().setPeekValues(false);
    EXPECT_EQ(masked.standardEditParams().EditMask, "999;0;_");
    masked.standardEditParams().setPeekValues(true);
    EXPECT_EQ(masked.standardEditParams().EditMask, "");
}

// ---- V-Lookup --------------------------------------------------------------------------------

class LookupVisioTest : public StandardVisioTest {
protected:
    QList<QPixmap> images{QPixmap(8, 8), QPixmap(8, 8)};

    TVLookupVisio &lookup()
    {
        auto &v = visio<TVLookupVisio>("V-Lookup", "MestoKod");
        v.activationFlags = afKey;
        v.LookupParams().setDataSource(&mestaSource);
        v.LookupParams().setKeyField("Kod");
        v.LookupParams().setLookupField("Nazov");
        return v;
    }
};

TEST_F(LookupVisioTest, TheCellShowsTheLookedUpTextOrTheMissingKey)
{
    auto &v = lookup();
    ASSERT_TRUE(v.IsFieldValid());
    EXPECT_EQ(cellOf(v).text, "Nitra");
    EXPECT_EQ(cellOf(v).imageIndex, -1);

    zam.next();
    const CellContent missing = cellOf(v);
    EXPECT_EQ(missing.text, "? <99>");
    EXPECT_EQ(missing.imageIndex, -1);
}

TEST_F(LookupVisioTest, ImagesComeOnlyFromANumericImageFieldWithDrawImagesAndImages)
{
    auto &v = lookup();
    const struct {
        const char *imageField;
        bool drawImages;
        bool withImages;
        int image;
    } cases[] = {
        {"Obr", true, true, 1},
        {"Obr", false, true, -1},
        {"Obr", true, false, -1},
        {"Popis", true, true, -1}, // not a number
        {"", true, true, -1},
    };
    for (const auto &c : cases) {
        v.DrawImages = c.drawImages;
        v.Images = c.withImages ? &images : nullptr;
        v.LookupParams().setImageField(c.imageField);
        const CellContent cell = cellOf(v);
        EXPECT_EQ(cell.text, "Nitra") << c.imageField;
        EXPECT_EQ(cell.imageIndex, c.image) << c.imageField << c.drawImages << c.withImages;
        ListInfo info;
        v.GetListInfo(info);
        EXPECT_EQ(info.images, c.image >= 0);
    }
}

TEST_F(LookupVisioTest, TheCheckNeedsAnActiveSourceBothFieldsAndAKeyOfTheFieldsType)
{
    auto &v = lookup();
    EXPECT_TRUE(v.IsFieldValid());
    v.LookupParams().setKeyField("Popis"); // text key for a number
    EXPECT_FALSE(v.IsFieldValid());
    v.LookupParams().setKeyField("Kod");
    v.LookupParams().setLookupField("Nic");
    EXPECT_FALSE(v.IsFieldValid());
    v.LookupParams().setLookupField("Nazov");
    mesta.close();
    EXPECT_FALSE(v.IsFieldValid());
    mesta.open();
    EXPECT_TRUE(v.IsFieldValid());
}

TEST_F(LookupVisioTest, EditingStartsOnTheCurrentKeysItemAndPostsTheChosenKey)
{
    auto &v = lookup();
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    ASSERT_TRUE(v.isEditing());
    EXPECT_EQ(v.EditText(), "Nitra");
    EXPECT_EQ(v.SelectedItem(), 1);

    v.setSelectedItem(2);
    test::pressKey(editorOf(v), Qt::Key_Return);
    EXPECT_EQ(zam.fieldByName("MestoKod").asInt(), 3);
    EXPECT_EQ(cellOf(v).text, "Trnava");

    // A key of no record starts with an empty text and no item.
    zam.post();
    zam.next();
    v.keyDown(Qt::Key_F2, Qt::NoModifier);
    EXPECT_EQ(v.EditText(), "");
    EXPECT_EQ(v.SelectedItem(), -1);
}

// ---- Indicator -------------------------------------------------------------------------------

TEST_F(VisioTest, TheIndicatorShowsTheBitmapOfTheDatasetsState)
{
    auto &v = visio<TIndicatorVisio>("Indicator");
    EXPECT_TRUE(v.Flat);
    EXPECT_EQ(v.stateBitmap().toImage(), v.BrowseBitmap.toImage());
    zam.edit();
    EXPECT_EQ(v.stateBitmap().toImage(), v.EditBitmap.toImage());
    zam.cancel();
    zam.insert();
    EXPECT_EQ(v.stateBitmap().toImage(), v.InsertBitmap.toImage());
    zam.cancel();

    // The mark is drawn in the current row only.
    QImage image(20, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    grid.curRow = 1;
    v.PaintSection(painter, {0, 0, 20, 20}, 0, 1);
    painter.end();
    auto inked = [&](int top) {
        for (int y = top; y < top + 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    EXPECT_FALSE(inked(0));
    EXPECT_TRUE(inked(20));
}

} // namespace
} // namespace tarix::grid::testing
