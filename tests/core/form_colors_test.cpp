// Window colours from section "COLOR" of TRX.INI: reading the three values, and a window
// built from a screen description recoloured by the roles its description gives.
#include "core/helpers/form_colors.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/screen_builder.h"

#include <QFile>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace tarix;
using MyConsts::FormColors;

namespace {

// ---- reading ---------------------------------------------------------------------------

struct ColorText {
    const char *line; // the Pole1 line of the section; nullptr: none
    int expected;
};

TEST(FormColorsRead, ValueTextsGiveColourNumbers)
{
    const ColorText cases[] = {
        {"Pole1=65280", 65280},  {"Pole1=$FF00", 65280},   {"Pole1=0xff00", 65280},
        {"Pole1=$00ff00", 65280}, {"Pole1 = 255 ", 255},   {"Pole1=0", 0},
        {"Pole1=zelená", -1},    {"Pole1=12ab", -1},       {"Pole1=$", -1},
        {"Pole1=", -1},          {nullptr, -1},            {"Pole1=$FFFFFFFF", -1},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const ColorText &c : cases) {
        const QString name = dir.filePath("TRX.INI");
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[NETWORK]\r\nPole1=12\r\n[COLOR]\r\n");
        if (c.line)
            f.write(QByteArray(c.line) + "\r\n");
        f.write("Pozadie=$808080\r\n");
        f.close();

        const FormColors read = MyConsts::readFormColors(ini::IniFile(name));
        EXPECT_EQ(read.pole1, c.expected) << (c.line ? c.line : "(no line)");
        EXPECT_EQ(read.pole2, -1) << "a missing key";
        EXPECT_EQ(read.pozadie, 0x808080);
    }
}

TEST(FormColorsRead, FileWithoutTheSectionLeavesEverythingAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(MyConsts::readFormColors(ini::IniFile(dir.filePath("TRX.INI"))), FormColors{});
}

// ---- recolouring a window built from a description --------------------------------------

using dbctrl::ColorRole;
using dbctrl::ControlKind;
using dbctrl::ScreenControl;
using dbctrl::ScreenGroup;
using dbctrl::ScreenPage;

// $00BBGGRR as the colour it stands for.
QColor colour(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

// Two pages: one with a field of each kind, a field without a role and a grid; one in a
// scroll area. Both page backgrounds are Pozadie.
class RecolouredForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<QWidget>();
        auto *tabs = new QTabWidget(form.get());
        dbctrl::ScreenBuilder builder(nullptr, "T_");
        const ScreenGroup fields{.controls = {
                                     {.field = "Prvy", .label = "Prvý", .color = ColorRole::Pole1},
                                     {.field = "Druhy", .label = "Druhý", .color = ColorRole::Pole2},
                                     {.field = "Kod", .label = "Kód", .kind = ControlKind::LookupCombo,
                                      .items = "L_Kod", .color = ColorRole::Pole1},
                                     {.field = "Bez", .label = "Bez roly"},
                                     {.kind = ControlKind::Grid, .name = "Grid", .color = ColorRole::Pozadie},
                                 }};
        builder.addPages(tabs, {ScreenPage{.name = "PAGE_A", .caption = "A", .groups = {fields},
                                           .color = ColorRole::Pozadie},
                                ScreenPage{.name = "PAGE_B", .caption = "B",
                                           .groups = {ScreenGroup{.controls = {{.field = "Iny"}}}},
                                           .scrolled = true, .color = ColorRole::Pozadie}});
        form->resize(400, 300);
        untouched = QWidget().palette();
    }

    QWidget *w(const char *name) const
    {
        QWidget *found = form->findChild<QWidget *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QColor base(const char *name) const { return w(name)->palette().color(QPalette::Base); }
    QColor window(const char *name) const { return w(name)->palette().color(QPalette::Window); }

    std::unique_ptr<QWidget> form;
    QPalette untouched;
};

TEST_F(RecolouredForm, EachRoleGetsItsColour)
{
    const FormColors colors{0x0000FF, 0x00FF00, 0xC08040};
    MyConsts::Nastav_farby_formulara(form.get(), colors);

    EXPECT_EQ(base("T_Prvy"), colour(colors.pole1));
    EXPECT_EQ(base("T_Kod"), colour(colors.pole1));
    EXPECT_EQ(base("T_Druhy"), colour(colors.pole2));
    EXPECT_EQ(base("T_Bez"), untouched.color(QPalette::Base));
    EXPECT_EQ(base("Grid"), colour(colors.pozadie));
    EXPECT_EQ(window("PAGE_A"), colour(colors.pozadie));
    EXPECT_TRUE(w("PAGE_A")->autoFillBackground());
    EXPECT_TRUE(qobject_cast<QScrollArea *>(w("PAGE_B")));
    EXPECT_EQ(window("PAGE_B"), colour(colors.pozadie));
    // A page's background does not become its fields' colour.
    EXPECT_EQ(base("T_Iny"), untouched.color(QPalette::Base));

    // Recolouring again (the code-list editor does so before every showing) changes nothing.
    MyConsts::Nastav_farby_formulara(form.get(), colors);
    EXPECT_EQ(base("T_Prvy"), colour(colors.pole1));
    EXPECT_EQ(base("T_Druhy"), colour(colors.pole2));
}

// The first kind's colour is tested against the second kind's design colour $008000 after
// it is set, as the settings always worked.
TEST_F(RecolouredForm, FirstKindSetToTheSecondKindsDesignColourGoesOnToTheSecond)
{
    MyConsts::Nastav_farby_formulara(form.get(), {65280, 255, -1});
    EXPECT_EQ(base("T_Prvy"), colour(65280));

    MyConsts::Nastav_farby_formulara(form.get(), {0x008000, 255, -1});
    EXPECT_EQ(base("T_Prvy"), colour(255));
}

TEST_F(RecolouredForm, MinusOneLeavesItsRoleAlone)
{
    MyConsts::Nastav_farby_formulara(form.get(), {-1, 0x00FF00, -1});
    EXPECT_EQ(base("T_Prvy"), untouched.color(QPalette::Base));
    EXPECT_EQ(base("T_Kod"), untouched.color(QPalette::Base));
    EXPECT_EQ(base("T_Druhy"), colour(0x00FF00));
    EXPECT_EQ(base("Grid"), untouched.color(QPalette::Base));
    EXPECT_FALSE(w("PAGE_A")->autoFillBackground());
    EXPECT_EQ(window("PAGE_A"), untouched.color(QPalette::Window));

    // None set: nothing at all changes.
    auto fresh = std::make_unique<QWidget>();
    auto *edit = new QLineEdit(fresh.get());
    dbctrl::setColorRole(edit, ColorRole::Pole1);
    MyConsts::Nastav_farby_formulara(fresh.get(), FormColors{});
    EXPECT_EQ(edit->palette().color(QPalette::Base), untouched.color(QPalette::Base));
}

} // namespace
