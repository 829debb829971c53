// The screen builder: a small description of every control kind on a real table, built into
// widgets that show the record, post what is entered, honour read-only, and stand in their
// groups, tables and tab pages in the order described.
#include "dbctrl_fixture.h"

#include "platform/dbctrl/db_check_box.h"
#include "platform/dbctrl/db_combo_box.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/db_memo.h"
#include "platform/dbctrl/db_navigator.h"
#include "platform/dbctrl/db_radio_group.h"
#include "platform/dbctrl/screen_builder.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>

#include <array>
#include <functional>

using namespace tarix;
using namespace tarix::dbctrl;
using namespace tarix::dbctrl::testing;

namespace {

class ScreenBuilderTest : public CtlFixture {
protected:
    std::unique_ptr<db::Table> stat = table(QStringLiteral("Stat"));
    db::DataSource statSrc{stat.get()};
    void SetUp() override
    {
        zam.addLookupField(QStringLiteral("L_Stat"), db::FieldType::String, 30, stat.get(), QStringLiteral("Stat"),
                           QStringLiteral("Kod"), QStringLiteral("Nazov"));
        stat->open();
        zam.open();
    }

    // Every field kind, two pairs to a row.
    static ScreenGroup form()
    {
        return {.columns = 2,
                .controls = {{"Surname", "Priezvisko"},
                             {"Nastup", "Nástup", ControlKind::DateEdit},
                             {"Druh", "Druh", ControlKind::Combo, "HPP;DVP;INÉ"},
                             {"Stat", "Štát", ControlKind::LookupCombo, "L_Stat"},
                             {"ZPS", "ZPS", ControlKind::CheckBox},
                             {.field = "Poistenie",
                              .label = "Poistenie",
                              .kind = ControlKind::RadioGroup,
                              .items = "bez;čiastočne;plné",
                              .values = "0;2;5"},
                             {"Poznamka", "Poznámka", ControlKind::Memo},
                             {"Code_emp", "Os.číslo", ControlKind::Label}}};
    }

    template <class W = QWidget>
    static W *child(QWidget *root, const QString &name)
    {
        W *w = root->findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    // Where a widget stands in the grid layout of its parent.
    static std::array<int, 4> cell(QWidget *w)
    {
        auto *grid = qobject_cast<QGridLayout *>(w->parentWidget()->layout());
        std::array<int, 4> at{-1, -1, -1, -1};
        if (grid)
            grid->getItemPosition(grid->indexOf(w), &at[0], &at[1], &at[2], &at[3]);
        return at;
    }

    // The data controls the Tab key visits under root, in order (a radio group by its
    // buttons).
    static QStringList tabOrder(QWidget *root)
    {
        QStringList names;
        QWidget *w = root;
        do {
            if (root->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus))
                for (QWidget *c = w; c && c != root; c = c->parentWidget())
                    if (dynamic_cast<DataControl *>(c)) {
                        if (names.isEmpty() || names.last() != c->objectName())
                            names << c->objectName();
                        break;
                    }
            w = w->nextInFocusChain();
        } while (w != root);
        return names;
    }
};

TEST_F(ScreenBuilderTest, EachKindShowsItsFieldAndPostsWhatIsEntered)
{
    std::unique_ptr<QWidget> w(ScreenBuilder(&src, QStringLiteral("TZAM_")).group(form(), nullptr));

    auto *surname = child<DBEdit>(w.get(), "TZAM_Surname");
    auto *nastup = child<DBDateEdit>(w.get(), "TZAM_Nastup");
    auto *documentKind = child<DBComboBox>(w.get(), "TZAM_Druh");
    auto *stat = child<DBLookupComboBox>(w.get(), "TZAM_Stat");
    auto *zps = child<DBCheckBox>(w.get(), "TZAM_ZPS");
    auto *poistenie = child<DBRadioGroup>(w.get(), "TZAM_Poistenie");
    auto *poznamka = child<DBMemo>(w.get(), "TZAM_Poznamka");
    auto *code = child<DBEdit>(w.get(), "TZAM_Code_emp");
    ASSERT_TRUE(surname && nastup && documentKind && stat && zps && poistenie && poznamka && code);

    // Cibula's record as it stands.
    EXPECT_EQ(surname->text(), u"Cibula");
    EXPECT_EQ(nastup->text(), u"1.2.2005");
    EXPECT_EQ(documentKind->currentText(), u"HPP");
    EXPECT_EQ(documentKind->items(), (QStringList{"HPP", "DVP", "INÉ"}));
    EXPECT_EQ(stat->displayText(), u"Slovenská republika");
    EXPECT_TRUE(zps->isChecked());
    EXPECT_EQ(poistenie->items(), (QStringList{"bez", "čiastočne", "plné"}));
    EXPECT_EQ(poistenie->itemIndex(), 0);
    EXPECT_EQ(poznamka->toPlainText(), u"prvý riadok");
    EXPECT_EQ(code->text(), u"1");
    zam.next(); // Adam follows
    EXPECT_EQ(surname->text(), u"Adam");
    EXPECT_EQ(stat->displayText(), u"Česká republika");
    EXPECT_EQ(poistenie->itemIndex(), 1);
    zam.first();

    // Each kind entered as the user does, then posted.
    zam.edit();
    surname->selectAll();
    typeText(surname, QStringLiteral("Cibulová"));
    leave(surname);
    EXPECT_TRUE(nastup->chooseDate(QDate(2006, 3, 15)));
    EXPECT_TRUE(documentKind->chooseItem(2));
    EXPECT_TRUE(stat->chooseRow(stat->rowOfKey(QStringLiteral("203"))));
    zps->click();
    EXPECT_TRUE(poistenie->chooseItem(2));
    poznamka->selectAll();
    typeText(poznamka, QStringLiteral("druhý"));
    leave(poznamka);
    zam.post();

    EXPECT_EQ(stored(1, "Surname").toString(), u"Cibulová");
    EXPECT_EQ(stored(1, "Nastup").toDate(), QDate(2006, 3, 15));
    EXPECT_EQ(stored(1, "Druh").toString(), u"INÉ");
    EXPECT_EQ(stored(1, "Stat").toString(), u"203");
    EXPECT_FALSE(stored(1, "ZPS").toBool());
    EXPECT_EQ(stored(1, "Poistenie").toInt(), 5);
    EXPECT_EQ(stored(1, "Poznamka").toString(), u"druhý");
    EXPECT_TRUE(errors().isEmpty()) << errors().join('\n').toStdString();
}

TEST_F(ScreenBuilderTest, CaptionsNamesAndTheFormsCells)
{
    std::unique_ptr<QWidget> w(ScreenBuilder(&src, QStringLiteral("TZAM_")).group(form(), nullptr));
    // Caption beside each control, two pairs to a row, in the order described; a lookup combo
    // bound to the lookup field stands for its key field.
    const struct {
        const char *name;
        const char *caption;
        std::array<int, 4> at;
    } cases[] = {
        {"TZAM_Surname", "Priezvisko", {0, 1, 1, 1}}, {"TZAM_Nastup", "Nástup", {0, 3, 1, 1}},
        {"TZAM_Druh", "Druh", {1, 1, 1, 1}},          {"TZAM_Stat", "Štát", {1, 3, 1, 1}},
        {"TZAM_ZPS", "ZPS", {2, 1, 1, 1}},            {"TZAM_Poistenie", "Poistenie", {2, 3, 1, 1}},
        {"TZAM_Poznamka", "Poznámka", {3, 1, 1, 1}},  {"TZAM_Code_emp", "Os.číslo", {3, 3, 1, 1}},
    };
    for (const auto &c : cases) {
        QWidget *control = child(w.get(), c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(cell(control), c.at) << c.name;
        QLabel *caption = nullptr;
        for (QLabel *l : w->findChildren<QLabel *>())
            if (l->buddy() == control)
                caption = l;
        ASSERT_NE(caption, nullptr) << c.name;
        EXPECT_EQ(caption->text(), QString::fromUtf8(c.caption));
        EXPECT_EQ(cell(caption), (std::array<int, 4>{c.at[0], c.at[1] - 1, 1, 1})) << c.name;
    }
    EXPECT_EQ(child(w.get(), "TZAM_Stat")->property(kFieldProperty).toString(), u"Stat");
    EXPECT_EQ(child<DBLookupComboBox>(w.get(), "TZAM_Stat")->dataField(), u"L_Stat");
    // The Tab key follows the description (the shown-only field is skipped).
    EXPECT_EQ(tabOrder(w.get()), (QStringList{"TZAM_Surname", "TZAM_Nastup", "TZAM_Druh", "TZAM_Stat", "TZAM_ZPS",
                                              "TZAM_Poistenie", "TZAM_Poznamka"}));
}

TEST_F(ScreenBuilderTest, ReadOnlyIsHonouredWhileTheRecordIsEdited)
{
    ScreenGroup g{.controls = {{.field = "Surname", .readOnly = true},
                               {.field = "ZPS", .kind = ControlKind::CheckBox, .readOnly = true},
                               {.field = "Druh", .kind = ControlKind::Label},
                               {.field = "Poznamka", .kind = ControlKind::Memo, .readOnly = true},
                               {.field = "Plat"}}};
    std::unique_ptr<QWidget> w(ScreenBuilder(&src).group(g, nullptr));
    auto *surname = child<DBEdit>(w.get(), "Surname");
    auto *zps = child<DBCheckBox>(w.get(), "ZPS");
    auto *documentKind = child<DBEdit>(w.get(), "Druh");
    auto *memo = child<DBMemo>(w.get(), "Poznamka");
    auto *plat = child<DBEdit>(w.get(), "Plat");
    ASSERT_TRUE(surname && zps && documentKind && memo && plat);
    zam.edit();
    EXPECT_TRUE(surname->isReadOnly());
    EXPECT_TRUE(documentKind->isReadOnly());
    EXPECT_EQ(documentKind->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_FALSE(plat->isReadOnly()) << "the control beside them takes input";

    surname->selectAll();
    typeText(surname, QStringLiteral("Iný"));
    leave(surname);
    zps->click();
    documentKind->selectAll();
    typeText(documentKind, QStringLiteral("DVP"));
    leave(documentKind);
    EXPECT_EQ(zam.value(QStringLiteral("Surname")).toString(), u"Cibula");
    EXPECT_TRUE(zam.value(QStringLiteral("ZPS")).toBool());
    EXPECT_EQ(zam.value(QStringLiteral("Druh")).toString(), u"HPP");
    zam.cancel();
}

TEST_F(ScreenBuilderTest, GridsWithTheirColumnsAndNavigators)
{
    QWidget parent;
    ScreenBuilder builder(&src);
    builder.addSource(QStringLiteral("STAT"), &statSrc);
    DBGrid *list = builder.grid({.kind = ControlKind::Grid,
                                 .readOnly = true,
                                 .name = "DBG_zam",
                                 .columns = {{"Code_emp", "Os.číslo", 60}, {"Surname", "Priezvisko", 150}}},
                                &parent);
    DBGrid *codes = builder.grid(
        {.kind = ControlKind::Grid, .name = "DBG_stat", .source = "STAT", .columns = {{"Kod", "Kód", 40}, {"Nazov"}}},
        &parent);
    DBNavigator *nav = builder.navigator({.kind = ControlKind::Navigator,
                                          .name = "DBN_zam",
                                          .buttons = {NavigateButton::Insert, NavigateButton::Post},
                                          .hints = {"Prvý", "Predchádzajúci", "Nasledujúci", "Posledný", "Nový"}},
                                         &parent);

    EXPECT_EQ(list->objectName(), u"DBG_zam");
    EXPECT_EQ(list->dataSource(), &src);
    EXPECT_EQ(list->gridModel()->rowCount(), 3);
    EXPECT_EQ(list->gridModel()->headerData(1, Qt::Horizontal).toString(), u"Priezvisko");
    EXPECT_EQ(list->columnWidth(0), 60);
    EXPECT_EQ(list->gridModel()->rowTexts(1), (QStringList{"2", "Adam"}));
    EXPECT_EQ(codes->dataSource(), &statSrc);
    EXPECT_EQ(codes->gridModel()->rowTexts(1), (QStringList{"703", "Slovenská republika"}));

    // A read-only grid edits no cell; the other edits the cells of the record being edited.
    zam.edit();
    stat->edit();
    EXPECT_FALSE(list->gridModel()->canEditCell(0, 1));
    EXPECT_TRUE(codes->gridModel()->canEditCell(0, 1));
    EXPECT_TRUE(codes->gridModel()->setData(codes->gridModel()->index(0, 1), QStringLiteral("Česko")));
    stat->post();
    zam.cancel();
    EXPECT_EQ(stat->lookup(QStringLiteral("Kod"), {QStringLiteral("203")}, QStringLiteral("Nazov")).toString(),
              u"Česko");

    EXPECT_EQ(nav->objectName(), u"DBN_zam");
    EXPECT_EQ(nav->dataSource(), &src);
    EXPECT_EQ(nav->visibleButtons(), (QList<NavigateButton>{NavigateButton::Insert, NavigateButton::Post}));
    EXPECT_EQ(nav->button(NavigateButton::Insert)->toolTip(), u"Nový");
    EXPECT_TRUE(nav->btnClick(NavigateButton::Insert));
    EXPECT_EQ(zam.state(), db::DataSetState::Insert);
    zam.cancel();
}

TEST_F(ScreenBuilderTest, TabPagesGroupBoxesAndTables)
{
    const QVector<ScreenPage> pages = {
        // One group without a box: the page is the form.
        {"PAGE_A", "Osobné", {{.controls = {{"Surname", "Priezvisko"}, {"Nastup", "Nástup", ControlKind::DateEdit}}}}},
        // Boxes two to a row in a scroll area, a table spanning a row under them.
        {"PAGE_B",
         "Ostatné",
         {{.title = "Plat", .box = true, .controls = {{"Plat", "Plat"}}},
          {.title = "Poistenie",
           .box = true,
           .controls = {{"Poistenie", "Poistenie"}, {"ZPS", "ZPS", ControlKind::CheckBox}}},
          {.title = "Tabuľka",
           .box = true,
           .headings = {"", "Druh", "Štát"},
           .controls = {{.label = "Zamestnanec",
                         .kind = ControlKind::Label,
                         .row = 1,
                         .column = 0,
                         .name = "Label_riadok"},
                        {.field = "Druh", .row = 1, .column = 1},
                        {.field = "Stat", .row = 1, .column = 2}},
           .row = 1,
           .column = 0,
           .columnSpan = 2}},
         2,
         true},
    };
    QTabWidget tabs;
    ScreenBuilder builder(&src, QStringLiteral("T_"));
    builder.addPages(&tabs, pages);

    ASSERT_EQ(tabs.count(), 2);
    EXPECT_EQ(tabs.widget(0)->objectName(), u"PAGE_A");
    EXPECT_EQ(tabs.tabText(0), u"Osobné");
    EXPECT_EQ(tabs.tabText(1), u"Ostatné");
    QWidget *a = tabs.widget(0);
    EXPECT_EQ(child(a, "T_Surname")->parentWidget(), a);
    EXPECT_EQ(child<DBEdit>(a, "T_Surname")->text(), u"Cibula");

    auto *area = qobject_cast<QScrollArea *>(tabs.widget(1));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->objectName(), u"PAGE_B");
    QWidget *content = area->widget();
    QList<QGroupBox *> boxes = content->findChildren<QGroupBox *>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0]->title(), u"Plat");
    EXPECT_EQ(cell(boxes[0]), (std::array<int, 4>{0, 0, 1, 1}));
    EXPECT_EQ(cell(boxes[1]), (std::array<int, 4>{0, 1, 1, 1}));
    EXPECT_EQ(cell(boxes[2]), (std::array<int, 4>{1, 0, 1, 2}));
    EXPECT_EQ(child(boxes[1], "T_ZPS")->parentWidget(), boxes[1]);

    // The table: headings in row 0, the row's caption and its fields at their cells.
    QGroupBox *table = boxes[2];
    QStringList headings;
    for (QLabel *l : table->findChildren<QLabel *>())
        if (cell(l)[0] == 0)
            headings << l->text();
    EXPECT_EQ(headings, (QStringList{"", "Druh", "Štát"}));
    EXPECT_EQ(cell(child(table, "Label_riadok")), (std::array<int, 4>{1, 0, 1, 1}));
    EXPECT_EQ(child<QLabel>(table, "Label_riadok")->text(), u"Zamestnanec");
    EXPECT_EQ(cell(child(table, "T_Druh")), (std::array<int, 4>{1, 1, 1, 1}));
    EXPECT_EQ(child<DBEdit>(table, "T_Stat")->text(), u"703");

    EXPECT_EQ(tabOrder(&tabs),
              (QStringList{"T_Surname", "T_Nastup", "T_Plat", "T_Poistenie", "T_ZPS", "T_Druh", "T_Stat"}));
}

TEST_F(ScreenBuilderTest, AFieldShownTwiceGetsNumberedNamesAndEveryControlGoesToTheWindow)
{
    QStringList seen;
    ScreenBuilder builder(&src, QStringLiteral("DB_"));
    builder.onControl = [&seen](const ScreenControl &c, QWidget *w) {
        seen << c.field + u'=' + w->objectName() + u'=' + w->metaObject()->className();
    };
    QWidget parent;
    builder.group({.controls = {{"Surname"}, {"Plat"}, {.field = "Plat", .labelName = "Label_plat"}}}, &parent);
    builder.group({.controls = {{"surname"}, {.field = "Plat", .name = "Plat_firmy"}}}, &parent);
    EXPECT_EQ(seen, (QStringList{"Surname=DB_Surname=tarix::dbctrl::DBEdit", "Plat=DB_Plat=tarix::dbctrl::DBEdit",
                                 "Plat=DB_Plat_2=tarix::dbctrl::DBEdit", "surname=DB_surname_2=tarix::dbctrl::DBEdit",
                                 "Plat=Plat_firmy=tarix::dbctrl::DBEdit"}));
    EXPECT_EQ(child<QLabel>(&parent, "Label_plat")->buddy(), child(&parent, "DB_Plat_2"));
}

TEST_F(ScreenBuilderTest, FindsTheControlOfAField)
{
    std::unique_ptr<QWidget> w(ScreenBuilder(&src, QStringLiteral("TZAM_")).group(form(), nullptr));
    EXPECT_EQ(findDataControl(w.get(), &src, QStringLiteral("surname")), child(w.get(), "TZAM_Surname"));
    // A lookup combo by its key field and by the lookup field it shows.
    EXPECT_EQ(findDataControl(w.get(), &src, QStringLiteral("STAT")), child(w.get(), "TZAM_Stat"));
    EXPECT_EQ(findDataControl(w.get(), &src, QStringLiteral("L_Stat")), child(w.get(), "TZAM_Stat"));
    EXPECT_EQ(findDataControl(w.get(), &statSrc, QStringLiteral("Surname")), nullptr);
    EXPECT_EQ(findDataControl(w.get(), &src, QStringLiteral("Plat")), nullptr);
}

} // namespace
