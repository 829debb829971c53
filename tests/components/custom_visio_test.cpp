// The visio chain: which host events activate a visio by its flags, when editing is
// allowed, the pushed cell's look, the cell heights, the "?" of a visio without its field
// and the errors of editing outside edit mode and of the older stored properties.
#include "components/visio_test_data.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace tarix::grid::testing {
namespace {

// A field visio that records its activations.
class RecordingVisio : public TFieldVisio {
public:
    explicit RecordingVisio(GridSection &section) : TFieldVisio(section, staticClass()) {}
    static const VisioClass &staticClass()
    {
        static const VisioClass cls = makeVisioClass<RecordingVisio>("TRecordingVisio", "Recording", "", "", "1.0");
        return cls;
    }
    QList<int> activations;

protected:
    bool DoActivate(int type, const QString &) override
    {
        activations << type;
        return false;
    }
};

class CustomVisioTest : public VisioTest {
protected:
    RecordingVisio &recording()
    {
        GridSection &section = grid.column(0).section(0);
        section.replaceVisio(std::make_unique<RecordingVisio>(section));
        auto &v = static_cast<RecordingVisio &>(*section.visio());
        v.setFieldName("Meno");
        return v;
    }
};

TEST_F(CustomVisioTest, EachActivationFlagLetsItsOwnEventActivate)
{
    const struct {
        const char *what;
        quint16 flags;
        std::function<void(RecordingVisio &, HostGrid &)> event;
        int type; // -1: no activation
    } cases[] = {
        {"F2 with the key flag", afKey, [](auto &v, auto &) { v.keyDown(Qt::Key_F2, Qt::NoModifier); }, atKey},
        {"F2 without it", afChar, [](auto &v, auto &) { v.keyDown(Qt::Key_F2, Qt::NoModifier); }, -1},
        {"Shift+F2 is another key", afKey, [](auto &v, auto &) { v.keyDown(Qt::Key_F2, Qt::ShiftModifier); }, -1},
        {"a typed character", afChar, [](auto &v, auto &) { v.keyPress("x"); }, atChar},
        {"a click on the selected cell", afClickSelected,
         [](auto &v, auto &) { v.mouseDown(Qt::LeftButton, false, true, 0); }, atClickSelected},
        {"a click on another cell", afClickSelected,
         [](auto &v, auto &) { v.mouseDown(Qt::LeftButton, false, false, 0); }, -1},
        {"a right click", afRightClick, [](auto &v, auto &) { v.mouseDown(Qt::RightButton, false, false, 0); }, atRightClick},
        {"a right click without its flag", afDoubleClick,
         [](auto &v, auto &) { v.mouseDown(Qt::RightButton, false, false, 0); }, -1},
        {"a double click", afDoubleClick, [](auto &v, auto &) { v.mouseDown(Qt::LeftButton, true, false, 0); }, atDoubleClick},
        {"a focus request for the field", afFocusRequest,
         [](auto &v, auto &) {
             db::Field *f = v.visioField();
             v.FocusRequest(f);
             EXPECT_EQ(f, nullptr) << "the request is marked handled";
         },
         atFocusRequest},
        {"a focus request for another field", afFocusRequest,
         [](auto &v, auto &) {
             db::Field *f = &v.visioField()->dataSet().fieldByName("Mesto");
             v.FocusRequest(f);
             EXPECT_NE(f, nullptr);
         },
         -1},
        {"press and release inside the cell", afPushRelease,
         [](auto &v, auto &) {
             EXPECT_TRUE(v.mouseDown(Qt::LeftButton, false, false, 3));
             EXPECT_EQ(v.pushedRow(), 3);
             EXPECT_TRUE(v.activations.isEmpty()) << "the press only pushes the cell";
             v.mouseUp(true);
             EXPECT_EQ(v.pushedRow(), -1);
         },
         atMouseRelease},
        {"press and release outside", afPushRelease,
         [](auto &v, auto &) {
             v.mouseDown(Qt::LeftButton, false, false, 3);
             v.mouseUp(false);
         },
         -1},
        {"F2 pressed and released", afPushRelease,
         [](auto &v, auto &) {
             v.keyDown(Qt::Key_F2, Qt::NoModifier);
             EXPECT_EQ(v.pushedRow(), 0);
             v.keyUp(Qt::Key_F2, Qt::NoModifier);
         },
         atKeyRelease},
    };
    for (const auto &c : cases) {
        RecordingVisio &v = recording();
        v.activationFlags = c.flags;
        c.event(v, grid);
        EXPECT_EQ(v.activations, c.type < 0 ? QList<int>() : QList<int>{c.type}) << c.what;
        EXPECT_FALSE(v.isEditing()) << c.what;
    }
}

TEST_F(CustomVisioTest, EditingNeedsAWritableFieldAndTheConsentOfBeforeEditAndTheGrid)
{
    const struct {
        const char *what;
        std::function<void(RecordingVisio &)> setUp;
        bool activates;
    } cases[] = {
        {"all agree", [](auto &) {}, true},
        {"a read-only section", [](auto &v) { v.sectionAt().readOnly = true; }, false},
        {"a read-only field", [](auto &v) { v.visioField()->setReadOnly(true); }, false},
        {"BeforeEdit refuses", [](auto &v) { v.BeforeEdit = [](TCustomVisio &, bool &doEdit) { doEdit = false; }; }, false},
        {"the grid refuses", [this](auto &) { grid.editAllowed = false; }, false},
        {"the grid refuses but is not asked", [this](auto &v) {
             grid.editAllowed = false;
             v.m_flagAskGrid = false;
         }, true},
        {"no field", [](auto &v) { v.setFieldName("Nic"); }, false},
    };
    for (const auto &c : cases) {
        grid.editAllowed = true;
        grid.column(0).section(0).readOnly = false;
        zam.fieldByName("Meno").setReadOnly(false);
        RecordingVisio &v = recording();
        v.activationFlags = afKey;
        c.setUp(v);
        v.keyDown(Qt::Key_F2, Qt::NoModifier);
        EXPECT_EQ(v.activations.size(), c.activates ? 1 : 0) << c.what;
    }
}

TEST_F(CustomVisioTest, APushedCellIsNavyAndUnderlinedAndTheBaseShowsADash)
{
    RecordingVisio &base = recording();
    const CellContent plain = cellOf(base);
    EXPECT_EQ(plain.imageIndex, -1);
    EXPECT_EQ(plain.text, "-");

    auto &owner = visio<TOwnerDrawVisio>("OwnerDraw");
    const CellContent sample = cellOf(owner);
    EXPECT_EQ(sample.text, "sample");
    EXPECT_EQ(sample.imageIndex, -1);
    EXPECT_FALSE(sample.font.font.underline());

    const CellContent pushed = cellOf(owner, true);
    EXPECT_EQ(pushed.text, "sample");
    EXPECT_EQ(pushed.font.color, QColor(0, 0, 0x80));
    EXPECT_TRUE(pushed.font.font.underline());

    // The owner's answer replaces the sample.
    owner.OnDraw = [](TCustomVisio &, int &image, QString &text, CellFont &) {
        image = 3;
        text = "vlastné";
    };
    const CellContent drawn = cellOf(owner, true);
    EXPECT_EQ(drawn.imageIndex, 3);
    EXPECT_EQ(drawn.text, "vlastné");
    EXPECT_TRUE(drawn.font.font.underline());
}

TEST_F(CustomVisioTest, TheHeightsFollowTheFontsTheCaptionBitmapAndTheImages)
{
    auto &v = visio<TStandardVisio>("Standard", "Meno");
    const int line = QFontMetrics(grid.font()).height() + 2;
    EXPECT_EQ(v.GetTitleHeight(), line);
    EXPECT_EQ(v.GetSectionHeight(), line);

    QPixmap tall(8, line + 10);
    v.CaptionBitmap = tall;
    EXPECT_EQ(v.GetTitleHeight(), line + 10);
    const QList<QPixmap> images{QPixmap(16, line + 6)};
    v.Images = &images;
    EXPECT_EQ(v.GetSectionHeight(), line + 6);
    v.DrawImages = false;
    EXPECT_EQ(v.GetSectionHeight(), line);
}

TEST_F(CustomVisioTest, AVisioWithoutItsFieldPaintsAQuestionMarkInEachCell)
{
    auto &v = visio<TStandardVisio>("Standard", "Nic");
    QStringList offered;
    v.OnInvalidVisioData = [&](TCustomVisio &, QString &text, CellFont &) { offered << text; };
    int fontAsked = 0;
    v.OnGetFont = [&](TCustomVisio &, CellFont &) { ++fontAsked; };
    QImage image(120, 60, QImage::Format_ARGB32);
    QPainter painter(&image);
    v.PaintSection(painter, {0, 0, 120, 18}, 0, 1);
    EXPECT_EQ(offered, QStringList({"?", "?"}));
    EXPECT_EQ(fontAsked, 0);

    // Bound, each row is asked for its font.
    v.setFieldName("Meno");
    offered.clear();
    v.PaintSection(painter, {0, 0, 120, 18}, 0, 1);
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(fontAsked, 2);
}

TEST_F(CustomVisioTest, EditingValuesOutsideEditModeAndOldStoredPropertiesAreRefused)
{
    auto &v = visio<TStandardVisio>("Standard", "Meno");
    const struct {
        std::function<void()> call;
        const char *text;
    } cases[] = {
        {[&] { v.setEditText("x"); },
         "Unable to set \"EditText\" value. Visio not in edit mode\r\r[TStandardVisio.SetEditText]"},
        {[&] { (void)v.SelectedItem(); },
         "Unable to read \"SelectedItem\" value. Visio not in edit mode\r\r[TStandardVisio.GetSelectedItem]"},
        {[&] { v.setSelectedItem(0); },
         "Unable to set \"SelectedItem\" value. Visio not in edit mode\r\r[TStandardVisio.SetSelectedItem]"},
        {[&] { v.setEditFormParams(0); },
         "Backward compatibility: Dont use EditFormParams property!\r\r[TStandardVisio.SetEditFormParams]"},
        {[&] { v.setDropDownListParams(0); },
         "Backward compatibility: Dont use DropDownListParams property!\r\r[TStandardVisio.SetDropDownListParams]"},
        {[&] { v.setSBParams(0); },
         "Backward compatibility: Dont use SBParams property!\r\r[TStandardVisio.SetSBParams]"},
    };
    for (const auto &c : cases) {
        try {
            c.call();
            ADD_FAILURE() << "no exception: " << c.text;
        } catch (const EGridPlugIn &e) {
            EXPECT_EQ(e.text(), QString::fromUtf8(c.text));
        }
    }
    EXPECT_EQ(v.EditText(), "");
}

} // namespace
} // namespace tarix::grid::testing
