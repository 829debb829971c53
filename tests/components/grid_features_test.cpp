// TExDBGrid's columns, layouts, menu, filter bar and BLOB editor on a small table of
// employees: the layout codec through the user's registry file, the menu's state rules and
// delete questions, the filter bar's record test on the dataset, the check-box column, the
// title's "|" line breaks and the BLOB editor's fields.
#include "components/grid/ex_blob_editor.h"
#include "grid_fixture.h"
#include "components/grid/ex_db_grid.h"
#include "components/grid/grid_layout.h"
#include "components/grid/registry_ini_file.h"

#include "platform/db/datasource.h"
#include "platform/errors.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"
#include "support/scripted_test.h"
#include "support/widgets/modal_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::grid;

namespace {

const QString kDdl = QStringLiteral(R"(
CREATE TABLE Zam (
  Code_emp INTEGER NOT NULL,
  Surname VARCHAR(100),
  ZPS VARCHAR(3),
  Poznamka MEMO_TEXT,
  Foto BLOB,
  PRIMARY KEY (Code_emp)
);
INSERT INTO Zam VALUES (1, 'Černák', 'A', 'prvý', NULL);
INSERT INTO Zam VALUES (2, 'Novák', 'N', NULL, NULL);
INSERT INTO Zam VALUES (3, 'Čermáková', 'X', NULL, NULL);
INSERT INTO Zam VALUES (12, 'Adam', 'A', NULL, NULL);
INSERT INTO Zam VALUES (21, 'Bohuš', NULL, NULL, NULL);
)");

class GridFeatures : public test::ScriptedTest<> {
protected:
    tarix::grid::testing::NewUserRegistry registry;
    db::TempInstallation inst;
    db::Table zam{&inst.session()};
    db::DataSource src{&zam};
    std::unique_ptr<TExDBGrid> grid = std::make_unique<TExDBGrid>();

    void SetUp() override
    {
        tarix::grid::testing::openEmployees(inst, zam, kDdl);
        tarix::grid::testing::showOverEmployees(*grid, src, 500);
    }
    void TearDown() override
    {
        grid.reset();
        test::ScriptedTest<>::TearDown();
    }

    QList<int> codes()
    {
        QList<int> out;
        zam.first();
        while (!zam.eof()) {
            out << zam.fieldByName(QStringLiteral("Code_emp")).asInt();
            zam.next();
        }
        return out;
    }

    void writeSection(const QList<std::pair<QString, QString>> &values)
    {
        TRegistryIniFile reg(grid->RegistryKey());
        for (const auto &[name, value] : values)
            reg.writeRegistryString(grid->RegistrySection(), name, value);
        reg.commit();
    }
};

TEST_F(GridFeatures, LayoutRoundTripKeepsEveryCaptionAndSetting)
{
    TExDBColumn &a = *grid->column(0);
    TExDBColumn &b = *grid->column(1);
    TExDBColumn &c = *grid->column(2);
    a.setTitleCaption(QStringLiteral("Priezvisko, meno"));
    b.setTitleCaption(QStringLiteral("Názov \"firmy\""));
    c.setTitleCaption(QStringLiteral("Dátum|od"));
    EXPECT_EQ(grid->columnCaption(2), "Dátum\nod") << "a \"|\" is the caption's line break";
    grid->setColumnWidth(1, 177);
    b.setSortType(stDescending);
    b.setSortCaption(QStringLiteral("1, 2"));
    b.setBandIndex(1);
    b.setInplaceEditor(ieButton);
    b.setFooterValue(QStringLiteral("12,5"));
    b.setFooterType(ftSum);
    b.setFooterText(QStringLiteral("Spolu: %, \"EUR\""));
    b.setTag(-7);
    b.setReadOnly(true);
    TExFont f = b.titleFont();
    f.font.setFamily(QStringLiteral("DejaVu Serif"));
    f.font.setPointSize(11);
    f.font.setBold(true);
    f.font.setItalic(true);
    f.font.setUnderline(true);
    f.font.setStrikeOut(true);
    f.charset = 238;
    f.color = clHighlightText;
    b.setTitleFont(f);
    b.setTitleColor(clInfoBk);
    b.setTitleAlignment(Qt::AlignHCenter);
    b.setColor(0x00ACE3E3);
    b.setAlignment(Qt::AlignRight);
    grid->SaveLayout();

    // the stored values as written: quotes doubled, colours signed
    const TRegistryIniFile reg(grid->RegistryKey());
    const QString section = grid->RegistrySection();
    EXPECT_EQ(reg.readRegistryString(section, "Count", {}), "3");
    EXPECT_EQ(reg.readRegistryString(section, "0", {}),
              QStringLiteral("Code_emp,%1,\"Priezvisko, meno\",").arg(grid->columnWidth(0)));
    EXPECT_EQ(reg.readRegistryString(section, "1", {}), "Surname,177,\"Názov \"\"firmy\"\"\",R");
    EXPECT_EQ(reg.readRegistryString(section, "2", {}).section(u',', 2), "Dátum|od,");
    EXPECT_EQ(reg.readRegistryString(section, "1_Title", {}),
              QStringLiteral("DejaVu Serif,238,%1,11,15,%2,2").arg(clHighlightText).arg(clInfoBk));
    EXPECT_TRUE(reg.readRegistryString(section, "1_Title", {}).contains(",-2147483634,"));
    EXPECT_EQ(reg.readRegistryString(section, "1_Sort", {}), "2,\"1, 2\",1,5,\"12,5\",1,-7");
    EXPECT_EQ(reg.readRegistryString(section, "1_Footer", {}), "\"Spolu: %, \"\"EUR\"\"\"");
    EXPECT_EQ(reg.readRegistryString(section, "0_Footer", QStringLiteral("none")), "none") << "no footer text, no value";

    // back into a grid whose columns were set otherwise
    grid->setColumns({{QStringLiteral("Code_emp"), QStringLiteral("X"), 90}});
    grid->restoreLayout();
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->columnCaption(0), "Priezvisko, meno");
    EXPECT_EQ(grid->columnCaption(1), "Názov \"firmy\"");
    EXPECT_EQ(grid->columnCaption(2), "Dátum\nod");
    const TExDBColumn &r = *grid->column(1);
    EXPECT_EQ(r.FieldName(), "Surname");
    EXPECT_EQ(grid->columnWidth(1), 177);
    EXPECT_TRUE(r.ReadOnly());
    EXPECT_EQ(r.SortType(), stDescending);
    EXPECT_EQ(r.SortCaption(), "1, 2");
    EXPECT_EQ(r.BandIndex(), 1);
    EXPECT_EQ(r.InplaceEditor(), ieButton);
    EXPECT_EQ(r.FooterValue().toString(), "12,5");
    EXPECT_EQ(r.FooterType(), ftSum);
    EXPECT_EQ(r.FooterText(), "Spolu: %, \"EUR\"");
    EXPECT_EQ(r.Tag(), -7);
    EXPECT_EQ(r.titleFont().font.family(), "DejaVu Serif");
    EXPECT_EQ(r.titleFont().font.pointSize(), 11);
    EXPECT_TRUE(r.titleFont().font.bold() && r.titleFont().font.italic() && r.titleFont().font.underline()
                && r.titleFont().font.strikeOut());
    EXPECT_EQ(r.titleFont().charset, 238);
    EXPECT_EQ(r.titleFont().color, clHighlightText);
    EXPECT_EQ(r.TitleColor(), clInfoBk);
    EXPECT_EQ(r.titleAlignment(), Qt::AlignHCenter);
    EXPECT_EQ(r.Color(), 0x00ACE3E3);
    EXPECT_EQ(grid->columnAlignment(1), Qt::AlignRight);
    EXPECT_EQ(grid->column(0)->Font().color, clWindowText);
}

TEST_F(GridFeatures, LayoutLoadingToleratesWhatIsMissingOrWrong)
{
    // no section, and "Count" 0: the designed columns stay
    grid->restoreLayout();
    EXPECT_EQ(grid->columnCount(), 3);
    writeSection({{"Count", "0"}, {"0", "Surname,200,Iné,"}});
    grid->restoreLayout();
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->columnCaption(0), "Číslo");

    // widths: "abc" gives 64, "-5" keeps the column's own width; an empty number is skipped;
    // a font record without commas changes nothing
    writeSection({{"Count", "4"},
                  {"0", "Surname,abc,Meno,"},
                  {"1", "Code_emp,-5,Číslo,"},
                  {"2", ""},
                  {"3", "ZPS,30,\"Starý, zápis\",R"},
                  {"0_Title", "Courier"},
                  {"0_Data", "  ,1,255, x ,1,-2147483643,1"},
                  {"3_Sort", "x,,y,9"}});
    const QFont before = grid->font();
    grid->restoreLayout();
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->column(0)->Width(), 64);
    EXPECT_NE(grid->column(1)->Width(), 64);
    // the width the grid gives the column itself: never below its title
    EXPECT_GE(grid->column(1)->Width(), grid->horizontalHeader()->sectionSizeHint(1));
    EXPECT_EQ(grid->column(0)->titleFont().font.family(), before.family()) << "no commas: nothing applied";
    const TExDBColumn &data = *grid->column(0);
    EXPECT_EQ(data.Font().font.family(), before.family()) << "an empty name keeps the font's";
    EXPECT_EQ(data.Font().color, 255);
    EXPECT_EQ(data.Font().font.pointSize(), before.pointSize()) << "a size that does not read keeps it";
    EXPECT_TRUE(data.Font().font.bold());
    EXPECT_EQ(data.Color(), clWindow);
    EXPECT_EQ(grid->columnAlignment(0), Qt::AlignRight);
    EXPECT_EQ(grid->columnCaption(2), "Starý, zápis");
    EXPECT_TRUE(grid->column(2)->ReadOnly());
    EXPECT_EQ(grid->column(2)->SortType(), stNone) << "numbers that do not read take the default";
    EXPECT_EQ(grid->column(2)->BandIndex(), 0);
    EXPECT_EQ(grid->column(2)->InplaceEditor(), ieCheckbox) << "9 is past the last kind";

    // the codec's fields alone
    QString rest = QStringLiteral("\"a, \"\"b\"\"\",c,,\"d");
    EXPECT_EQ(takeLayoutField(rest), "a, \"b\"");
    EXPECT_EQ(takeLayoutField(rest), "c");
    EXPECT_EQ(takeLayoutField(rest), "");
    EXPECT_EQ(takeLayoutField(rest), "d");
    EXPECT_EQ(takeLayoutField(rest), "");
    EXPECT_EQ(layoutField("plain"), "plain");
    EXPECT_EQ(layoutField("two\nlines"), "two|lines");
}

TEST_F(GridFeatures, RegistryKeepsValuesVerbatimAndOtherWriters)
{
    TRegistryIniFile first(QStringLiteral("Software\\TARIX"));
    TRegistryIniFile second(QStringLiteral("Software\\TARIX"));
    first.writeRegistryString("A", "x", "  \"quoted\" ;not a comment  ");
    first.writeRegistryString("A", "y", "");
    first.commit();
    // another program's values written meanwhile stay
    second.writeRegistryString("B", "z", "1");
    second.commit();
    const TRegistryIniFile reader(QStringLiteral("software\\tarix"));
    EXPECT_EQ(reader.readRegistryString("a", "X", "-"), "  \"quoted\" ;not a comment  ");
    EXPECT_EQ(reader.readRegistryString("A", "y", "-"), "");
    EXPECT_EQ(reader.readRegistryString("B", "z", "-"), "1");
    EXPECT_EQ(reader.readRegistryInteger("B", "z", 0), 1);
    EXPECT_EQ(reader.readRegistryString("A", "none", "-"), "-");
    EXPECT_THROW(first.writeRegistryString("A", "x", "two\nlines"), std::invalid_argument);
    EXPECT_TRUE(QFile::exists(TRegistryIniFile::storeFileName()));
    EXPECT_TRUE(TRegistryIniFile::storeFileName().startsWith(registry.folder()));

    // a file that cannot be written is reported, not taken for saved
    QFile::remove(TRegistryIniFile::storeFileName());
    QDir(registry.folder()).removeRecursively();
    QFile blocker(registry.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    TRegistryIniFile blocked(QStringLiteral("Software\\TARIX"));
    blocked.writeRegistryString("A", "x", "1");
    EXPECT_THROW(blocked.commit(), tarix::EMyError);
    QFile::remove(registry.folder());
    QDir().mkpath(registry.folder());
}

struct MenuCase {
    const char *name;
    PopupMenuInput in;
    std::vector<PopupItem> enabled;  // every other item with a caption is disabled...
    std::vector<PopupItem> hidden;   // ...and these are not shown
};

TEST_F(GridFeatures, MenuStateFollowsTheDatasetAndTheOptions)
{
    auto input = [](bool browsing, bool readOnly, TExOptions ex, bool multi) {
        PopupMenuInput in;
        in.hasDataSet = in.active = in.canModify = true;
        in.browsing = browsing;
        in.readOnly = readOnly;
        in.exOptions = ex;
        in.multiSelect = multi;
        return in;
    };
    const std::vector<PopupItem> events = {piSep2, piPrint, piExport, piFilter, piSearch};
    const std::vector<PopupItem> layoutAndSetup = {piSep5, piSaveLayout, piRestoreLayout, piSep6, piSetup};
    auto plus = [](std::vector<PopupItem> a, std::vector<PopupItem> b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    PopupMenuInput events2 = input(true, false, {}, false);
    events2.onPrint = events2.onSearch = events2.onSetup = true;
    PopupMenuInput closed = input(true, false, {}, true);
    closed.active = false;
    closed.browsing = false;
    PopupMenuInput none;
    const std::vector<MenuCase> cases = {
        {"browsing, writable", input(true, false, {}, false), {piAdd, piInsert, piEdit, piDelete, piRefresh},
         plus(events, layoutAndSetup)},
        {"editing", input(false, false, {}, false), {piPost, piCancel}, plus(events, layoutAndSetup)},
        {"read-only grid", input(true, true, {}, false), {piRefresh}, plus(events, layoutAndSetup)},
        {"read-only while editing", input(false, true, {}, false), {}, plus(events, layoutAndSetup)},
        {"insert and delete disabled", input(true, false, eoDisableInsert | eoDisableDelete, false),
         {piEdit, piRefresh}, plus(events, layoutAndSetup)},
        {"registration lists", input(true, true, eoDisableInsert | eoDisableDelete | eoLayout, true),
         {piRefresh, piSelection, piSaveLayout, piRestoreLayout},
         {piSep2, piPrint, piExport, piFilter, piSearch, piSep6, piSetup}},
        {"events set", events2, {piAdd, piInsert, piEdit, piDelete, piPrint, piSearch, piRefresh, piSetup},
         {piExport, piFilter, piSep5, piSaveLayout, piRestoreLayout}},
        {"closed dataset", closed, {}, plus(events, layoutAndSetup)},
        {"no dataset", none, {}, plus(events, layoutAndSetup)},
    };
    for (const MenuCase &c : cases) {
        SCOPED_TRACE(c.name);
        const auto state = popupMenuState(c.in);
        for (int i = 0; i < kPopupItemCount; ++i) {
            const auto item = PopupItem(i);
            const bool hidden = std::find(c.hidden.begin(), c.hidden.end(), item) != c.hidden.end();
            EXPECT_EQ(state[size_t(i)].visible, !hidden) << popupCaption(item).toStdString();
            // separators and the sub-menu's items (the sub-menu's own item decides) have no state
            if (popupCaption(item) == "-" || (item >= piSelect && item <= piUnselectAll))
                continue;
            const bool enabled = std::find(c.enabled.begin(), c.enabled.end(), item) != c.enabled.end();
            EXPECT_EQ(state[size_t(i)].enabled, enabled) << popupCaption(item).toStdString();
        }
    }

    // the menu the grid builds: 25 items, 15 to 19 in the sub-menu, the state as above
    EXPECT_EQ(grid->popupAction(piSelectAll)->text(), "Select All records");
    EXPECT_EQ(grid->popupMenu()->actions().size(), 25 - 5);
    EXPECT_EQ(grid->popupAction(piSelection)->menu()->actions().size(), 5);
    EXPECT_EQ(grid->popupAction(piRefresh)->shortcut(), QKeySequence(Qt::Key_F5));
    grid->setReadOnly(true);
    grid->preparePopupMenu();
    EXPECT_FALSE(grid->popupAction(piAdd)->isEnabled());
    EXPECT_TRUE(grid->popupAction(piRefresh)->isEnabled());
    EXPECT_FALSE(grid->popupAction(piSaveLayout)->isVisible());
}

TEST_F(GridFeatures, DeleteAsksForOneOrForTheSelectedRows)
{
    EXPECT_EQ(deleteQuestion(0), "Delete a record?");
    EXPECT_EQ(deleteQuestion(1), "Delete a record?");
    EXPECT_EQ(deleteQuestion(3), "Do you really want to delete a selected records?");

    grid->setOptions(kDefaultOptions | dgMultiSelect);
    // No: nothing goes
    scripted.answerNo(QStringLiteral("Delete a record?"));
    grid->preparePopupMenu();
    grid->popupAction(piDelete)->trigger();
    EXPECT_EQ(zam.recordCount(), 5);
    // three rows selected: the plural question, and the three go
    zam.first();
    grid->selectRecord();
    zam.next();
    grid->selectRecord();
    zam.last();
    grid->selectRecord();
    ASSERT_EQ(grid->selectedCount(), 3);
    scripted.answerYes(QStringLiteral("Do you really want to delete a selected records?"));
    grid->popupAction(piDelete)->trigger();
    EXPECT_EQ(codes(), (QList<int>{3, 12}));
}

TEST_F(GridFeatures, SelectAndUnselectAllFromTheMenu)
{
    // without multi-select the items do nothing
    grid->popupAction(piSelectAll)->trigger();
    EXPECT_EQ(grid->selectedCount(), 0);
    grid->setOptions(kDefaultOptions | dgMultiSelect);
    int changes = 0;
    grid->OnChangeSelection = [&](TExDBGrid &) { ++changes; };
    zam.locate(QStringLiteral("Code_emp"), {3});
    grid->popupAction(piSelectAll)->trigger();
    EXPECT_EQ(grid->selectedCount(), 5);
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Code_emp")).asInt(), 3) << "the current record stays";
    grid->popupAction(piUnselect)->trigger();
    EXPECT_EQ(grid->selectedCount(), 4);
    grid->popupAction(piUnselectAll)->trigger();
    EXPECT_EQ(grid->selectedCount(), 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(GridFeatures, FilterBarKeepsTheRowsItsValuesAccept)
{
    struct Case {
        QString value, text;
        bool numeric, expected;
    };
    for (const Case &c : {Case{"čer", "Černák", false, true}, Case{"NOVAK", "Novák", false, true},
                          Case{"*ová*", "Čermáková", false, true}, Case{"x", "Adam", false, false},
                          Case{"1", "12", true, false}, Case{"12", "12", true, true}, Case{"1*", "21", true, true},
                          Case{"", "", false, true}}) {
        SCOPED_TRACE(c.value.toStdString() + " / " + c.text.toStdString());
        EXPECT_EQ(filterAccepts(c.value, c.text, c.numeric), c.expected);
    }

    grid->setExOptions(grid->ExOptions() | eoShowFilterBar);
    int changed = 0;
    grid->OnFilterChanged = [&](TExDBGrid &) { ++changed; };
    // the filter box over the strip of "Priezvisko"
    grid->showFilterBox(1);
    ASSERT_TRUE(grid->filterBox()->isVisible());
    EXPECT_EQ(grid->filterBoxColumn(), 1);
    grid->filterBox()->setEditText(QStringLiteral("čer"));
    grid->takeFilterText();
    EXPECT_EQ(grid->column(1)->FilterValue(), "čer");
    EXPECT_EQ(codes(), (QList<int>{1, 3}));
    EXPECT_EQ(grid->gridModel()->rowCount(), 2);
    // a number column takes the identical text only
    grid->column(0)->setFilterValue(QStringLiteral("1"));
    grid->applyFilter();
    EXPECT_EQ(codes(), (QList<int>{1}));
    EXPECT_EQ(changed, 2);

    // a list of values: sorted, the current one chosen
    grid->column(2)->setFilterList({QStringLiteral("N"), QStringLiteral("A")});
    grid->column(2)->setFilterValue(QStringLiteral("N"));
    grid->showFilterBox(2);
    EXPECT_EQ(grid->filterBox()->count(), 2);
    EXPECT_EQ(grid->filterBox()->itemText(0), "A");
    EXPECT_EQ(grid->filterBox()->currentText(), "N");

    // the grid gone: the dataset shows all its rows again
    grid.reset();
    EXPECT_EQ(codes(), (QList<int>{1, 2, 3, 12, 21}));
    EXPECT_FALSE(zam.isFiltered());
    EXPECT_FALSE(zam.hasFilterCallback());
}

TEST_F(GridFeatures, CheckboxColumnWritesTheFirstItem)
{
    grid->removeAllColumns();
    TExDBCheckboxColumn &box = grid->addCheckboxColumn();
    box.setFieldName(QStringLiteral("ZPS"));
    box.setValueChecked(QStringLiteral("A;Áno"));
    box.setValueUnChecked(QStringLiteral("N;Nie"));
    EXPECT_EQ(box.InplaceEditor(), ieCheckbox);
    zam.first(); // 'A'
    const QRect cell = grid->visualRect(grid->gridModel()->index(0, 0));
    QMouseEvent press(QEvent::MouseButtonPress, cell.center(), grid->viewport()->mapToGlobal(cell.center()),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, cell.center(), grid->viewport()->mapToGlobal(cell.center()),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &release);
    EXPECT_EQ(zam.fieldByName(QStringLiteral("ZPS")).asString(), "N");
    zam.post();
    // "X" is in neither list: the tick writes the first checked item; painting it never fails
    zam.locate(QStringLiteral("Code_emp"), {3});
    QApplication::sendEvent(grid->viewport(), &press);
    QApplication::sendEvent(grid->viewport(), &release);
    const QPixmap shot = grid->grab();
    EXPECT_FALSE(shot.isNull());
    zam.cancel();
}

TEST_F(GridFeatures, TitlesFooterAndBands)
{
    grid->column(1)->setTitleCaption(QStringLiteral("Priezvisko|a meno"));
    const int oneLine = grid->horizontalHeader()->height();
    EXPECT_EQ(grid->column(1)->titleCaption(), "Priezvisko\na meno");
    EXPECT_GT(grid->titleRowHeight(), 0);
    TExDBGTitleHeight pixels;
    pixels.kind = hkPixelCount;
    pixels.pixelCount = 24;
    grid->setTitleHeight(pixels);
    EXPECT_EQ(grid->horizontalHeader()->height(), 24 + 3 + 2);
    grid->setBands({QStringLiteral("Osoba")});
    grid->setExOptions(grid->ExOptions() | eoDrawBands | eoShowFilterBar);
    EXPECT_EQ(grid->horizontalHeader()->height(), 24 + 3 + grid->DefaultRowHeight() + 19 + 2);
    grid->column(0)->setBandIndex(0);
    grid->column(1)->setBandIndex(0);
    EXPECT_EQ(grid->bandOfColumn(1), std::optional(std::make_pair(0, 1)));
    EXPECT_FALSE(grid->bandOfColumn(2).has_value());
    (void)oneLine;

    // the footer: below the rows, -3 is automatic
    grid->setFooterHeight(-3);
    EXPECT_EQ(grid->FooterHeight(), 0);
    EXPECT_EQ(grid->footerStripHeight(), 0) << "no footer without the option";
    grid->setExOptions(grid->ExOptions() | eoShowFooter);
    EXPECT_EQ(grid->footerStripHeight(), grid->DefaultRowHeight() + 4);
    ASSERT_TRUE(grid->footer()->isVisible());
    EXPECT_EQ(grid->footer()->geometry().top(), grid->viewport()->geometry().bottom() + 1);
    grid->column(0)->setFooterValue(5);
    grid->column(0)->setFooterText(QStringLiteral("Spolu %"));
    EXPECT_EQ(grid->footerText(0), "Spolu 5");
    EXPECT_EQ(grid->footerText(1), "");
    QString drawn;
    grid->OnDrawFooterCell = [&](TExDBGrid &, QPainter &, const QRect &, db::Field *f, QString &text, bool &) {
        if (f && f->name() == "Code_emp")
            drawn = text;
    };
    grid->footer()->grab();
    EXPECT_EQ(drawn, "Spolu 5");
}

TEST_F(GridFeatures, BlobEditorOpensForLongFieldsOnly)
{
    auto field = [&](const char *name) { return zam.findField(QString::fromLatin1(name)); };
    EXPECT_TRUE(offersBlobEditor(field("Poznamka")));
    EXPECT_TRUE(offersBlobEditor(field("Foto")));
    EXPECT_FALSE(offersBlobEditor(field("Surname"))) << "a text of 100";
    EXPECT_FALSE(offersBlobEditor(field("Code_emp")));

    grid->setColumns({{QStringLiteral("Surname"), QString(), 100}, {QStringLiteral("Poznamka"), QString(), 100}});
    zam.first();
    grid->setCurrentIndex(grid->gridModel()->index(0, 0));
    EXPECT_FALSE(grid->editBlob());
    grid->setCurrentIndex(grid->gridModel()->index(0, 1));
    // the memo in the editor: the text changed and OK puts it into the record
    test::whileDialogs([&] { EXPECT_TRUE(grid->editBlob()); },
                       [](QWidget *w) {
                           auto *e = qobject_cast<TExBlobEditor *>(w);
                           ASSERT_NE(e, nullptr);
                           EXPECT_EQ(e->windowTitle(), "Poznamka");
                           EXPECT_EQ(e->text(), "prvý");
                           EXPECT_TRUE(e->btnOk->isEnabled());
                           e->textBox->setPlainText(QStringLiteral("druhý"));
                           e->btnOk->click();
                       });
    EXPECT_TRUE(zam.isEditing());
    EXPECT_EQ(zam.fieldByName(QStringLiteral("Poznamka")).asString(), "druhý");
    zam.cancel();
    // a read-only grid offers no OK (the editor is the same one, met again)
    TExBlobEditor::instance().setProperty("tarixHandled", false);
    grid->setReadOnly(true);
    test::whileDialogs([&] { grid->editBlob(); },
                       [](QWidget *w) {
                           auto *e = qobject_cast<TExBlobEditor *>(w);
                           ASSERT_NE(e, nullptr);
                           EXPECT_FALSE(e->btnOk->isEnabled());
                           e->btnCancel->click();
                       });
    EXPECT_FALSE(zam.isEditing());
}

} // namespace
