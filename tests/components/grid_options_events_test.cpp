// TExDBGrid's options and events that act on the mouse, the titles, the scrolling and the
// loading of its window (hot tracking, automatic layouts and row heights, title buttons, the
// top-left glyph), and the layouts of a plain data grid, on a table of three employees.
#include "components/grid/ex_db_grid.h"
#include "components/grid/grid_layout.h"
#include "components/grid/registry_ini_file.h"
#include "grid_fixture.h"

#include "platform/db/datasource.h"
#include "platform/db/table.h"
#include "platform/db/temp_installation.h"
#include "platform/errors.h"
#include "support/scripted_test.h"
#include "support/widgets/keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace tarix;
using namespace tarix::grid;

namespace {

const QString kDdl = QStringLiteral(R"(
CREATE TABLE Zam (
  Code_emp INTEGER NOT NULL,
  Surname VARCHAR(100),
  ZPS LOGICAL,
  PRIMARY KEY (Code_emp)
);
INSERT INTO Zam VALUES (1, 'Cibula', 1);
INSERT INTO Zam VALUES (2, 'Adam', 0);
INSERT INTO Zam VALUES (3, 'Bohuslav Maximilián Ferdinand Koniarek-Šťastný', 0);
)");

// Public: the cases of the table below work on it.
class GridOptionsEvents : public test::ScriptedTest<> {
public:
    tarix::grid::testing::NewUserRegistry registry;
    db::TempInstallation inst;
    db::Table zam{&inst.session()};
    db::DataSource src{&zam};
    std::unique_ptr<TExDBGrid> grid;

    void SetUp() override
    {
        tarix::grid::testing::openEmployees(inst, zam, kDdl);
        grid = makeGrid();
    }
    void TearDown() override
    {
        grid.reset();
        setThemesActive(true);
        test::ScriptedTest<>::TearDown();
    }

    std::unique_ptr<TExDBGrid> makeGrid(TExOptions extra = {})
    {
        auto g = std::make_unique<TExDBGrid>();
        g->setExOptions(g->ExOptions() | extra);
        tarix::grid::testing::showOverEmployees(*g, src, 400);
        return g;
    }

    void mouseOver(int row, int column)
    {
        const QPoint p = grid->visualRect(grid->gridModel()->index(row, column)).center();
        QMouseEvent move(QEvent::MouseMove, p, grid->viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid->viewport(), &move);
    }
    void title(QEvent::Type type, int column)
    {
        QHeaderView *header = grid->horizontalHeader();
        const QPoint p(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QMouseEvent e(type, p, header->viewport()->mapToGlobal(p), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &e);
    }
    QString stored(qint64 code)
    {
        db::Table t(&inst.session());
        t.setDatabaseName(QStringLiteral("TARIX_DATA"));
        t.setTableName(QStringLiteral("Zam"));
        t.open();
        return t.lookup(QStringLiteral("Code_emp"), {code}, QStringLiteral("Surname")).toString();
    }
    QStringList errors() const { return scripted.messages(ui::MessageKind::Error); }
};

struct OptionCase {
    const char *name;
    std::function<void(GridOptionsEvents &)> run;
};

TEST_F(GridOptionsEvents, OptionsAndEventsActWhereTheyShould)
{
    const std::vector<OptionCase> cases{
        {"without eoHotTrack a mouse move onto row 3 leaves the current row",
         [](GridOptionsEvents &t) {
             t.mouseOver(2, 1);
             EXPECT_EQ(t.grid->currentRow(), 0);
             EXPECT_EQ(t.zam.recordNumber(), 1);
             EXPECT_EQ(t.grid->hotCell(), (TExDBGrid::HotCell{2, 1}));
         }},
        {"with eoHotTrack a mouse move onto row 3 makes it current and stores the row left",
         [](GridOptionsEvents &t) {
             t.grid->setExOptions(t.grid->ExOptions() | eoHotTrack);
             t.zam.edit();
             t.zam.setValue(QStringLiteral("Surname"), QStringLiteral("Cibuľa"));
             t.mouseOver(2, 1);
             EXPECT_EQ(t.zam.recordNumber(), 3);
             EXPECT_EQ(t.grid->currentRow(), 2);
             EXPECT_EQ(t.grid->currentIndex().row(), 2);
             EXPECT_EQ(t.zam.state(), db::DataSetState::Browse);
             EXPECT_EQ(t.stored(1), u"Cibuľa");
             EXPECT_EQ(t.stored(3), u"Bohuslav Maximilián Ferdinand Koniarek-Šťastný");
         }},
        {"with eoHotTrack a refused store keeps the row and is told once",
         [](GridOptionsEvents &t) {
             t.grid->setExOptions(t.grid->ExOptions() | eoHotTrack);
             t.zam.beforePost = [](db::DataSet &) { throw EMyError(QStringLiteral("Duplicitný záznam.")); };
             const QString before = t.stored(1);
             t.zam.edit();
             t.zam.setValue(QStringLiteral("Surname"), QStringLiteral("Cibuľka"));
             t.mouseOver(2, 0);
             t.mouseOver(2, 1);
             EXPECT_EQ(t.zam.recordNumber(), 1);
             EXPECT_EQ(t.grid->currentIndex().row(), 0);
             EXPECT_EQ(t.zam.state(), db::DataSetState::Edit);
             EXPECT_EQ(t.errors(), QStringList{QStringLiteral("Duplicitný záznam.")});
             EXPECT_EQ(t.stored(1), before);
             t.zam.beforePost = nullptr;
             t.zam.cancel();
         }},
        {"the hot cell follows the mouse with themes and no groupings, the indicator included",
         [](GridOptionsEvents &t) {
             t.grid->setExOptions(t.grid->ExOptions() | eoBooleanAsCheckBox | eoCheckBoxSelect);
             t.mouseOver(1, 2);
             EXPECT_EQ(t.grid->hotCell(), (TExDBGrid::HotCell{1, 2}));
             auto *indicator = static_cast<QHeaderView *>(t.grid->indicator());
             const QPoint p(indicator->width() / 2, indicator->sectionViewportPosition(2) + 2);
             QMouseEvent move(QEvent::MouseMove, p, indicator->viewport()->mapToGlobal(p), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(indicator->viewport(), &move);
             EXPECT_EQ(t.grid->hotCell(), (TExDBGrid::HotCell{2, -1}));
             QEvent leave(QEvent::Leave);
             QApplication::sendEvent(indicator->viewport(), &leave);
             EXPECT_EQ(t.grid->hotCell(), TExDBGrid::HotCell{});
             t.grid->setGroupings({t.grid->newGrouping(QStringLiteral("x"))});
             t.mouseOver(1, 2);
             EXPECT_EQ(t.grid->hotCell(), TExDBGrid::HotCell{});
             t.grid->setGroupings({});
             setThemesActive(false);
             t.mouseOver(1, 2);
             EXPECT_EQ(t.grid->hotCell(), TExDBGrid::HotCell{});
         }},
        {"eoAutoLoad takes the stored two-column layout when the owner has finished",
         [](GridOptionsEvents &t) {
             t.grid->setColumns({{QStringLiteral("Surname"), QStringLiteral("Meno"), 90},
                                 {QStringLiteral("ZPS"), QStringLiteral("ZPS"), 40}});
             t.grid->SaveLayout();
             auto plain = t.makeGrid();
             plain->loaded();
             EXPECT_EQ(plain->columnCount(), 3) << "without eoAutoLoad nothing is loaded";
             auto loading = t.makeGrid(eoAutoLoad);
             EXPECT_EQ(loading->columnCount(), 3) << "nothing before the owner's call";
             loading->loaded();
             ASSERT_EQ(loading->columnCount(), 2);
             EXPECT_EQ(loading->column(0)->FieldName(), u"Surname");
             EXPECT_EQ(loading->columnCaption(0), u"Meno");
             EXPECT_EQ(loading->gridModel()->columnCount(), 2);
         }},
        {"a title press OnCheckButton refuses leaves the column unpressed and unclicked",
         [](GridOptionsEvents &t) {
             t.grid->setExOptions(t.grid->ExOptions() | eoTitleButtons);
             QStringList asked;
             t.grid->OnCheckButton = [&](TExDBGrid &, int column, db::Field *f, bool &enabled) {
                 asked << QStringLiteral("%1 %2 %3").arg(column).arg(f ? f->name() : QStringLiteral("-")).arg(int(enabled));
                 enabled = column != 1;
             };
             QList<int> clicked;
             QObject::connect(t.grid.get(), &dbctrl::DBGrid::titleClicked, [&](int c, const QString &) { clicked << c; });
             t.title(QEvent::MouseButtonPress, 1);
             EXPECT_EQ(t.grid->pressedTitleColumn(), -1);
             t.title(QEvent::MouseButtonRelease, 1);
             t.title(QEvent::MouseButtonPress, 0);
             EXPECT_EQ(t.grid->pressedTitleColumn(), 0);
             t.title(QEvent::MouseButtonRelease, 0);
             EXPECT_EQ(t.grid->pressedTitleColumn(), -1);
             EXPECT_EQ(asked, (QStringList{"1 Surname 1", "0 Code_emp 1"}));
             EXPECT_EQ(clicked, QList<int>{0});
             t.grid.reset(); // before the handler's counters go
         }},
        {"OnTopLeftChanged fires once per scroll",
         [](GridOptionsEvents &t) {
             int fired = 0;
             t.grid->OnTopLeftChanged = [&](TExDBGrid &) { ++fired; };
             t.grid->setColumnWidth(1, 900);
             t.grid->resize(300, t.grid->horizontalHeader()->height() + t.grid->rowHeight(0) * 2);
             QCoreApplication::processEvents();
             t.grid->verticalScrollBar()->setValue(1);
             EXPECT_EQ(fired, 1);
             t.grid->horizontalScrollBar()->setValue(t.grid->horizontalScrollBar()->maximum());
             EXPECT_EQ(fired, 2);
             t.grid->verticalScrollBar()->setValue(1);
             EXPECT_EQ(fired, 2) << "no scroll, no event";
             t.grid.reset();
         }},
        {"OnGetGlyph's bitmap is the one drawn in the top-left cell",
         [](GridOptionsEvents &t) {
             auto *corner = t.grid->findChild<QAbstractButton *>();
             ASSERT_NE(corner, nullptr);
             const QRgb red = qRgb(255, 0, 0);
             auto redAtCentre = [&] {
                 const QImage shot = corner->grab().toImage();
                 return shot.pixel(corner->rect().center()) == red;
             };
             EXPECT_TRUE(t.grid->getGlyph().isNull());
             EXPECT_FALSE(redAtCentre());
             QPixmap glyph(6, 6);
             glyph.fill(Qt::red);
             t.grid->OnGetGlyph = [&](TExDBGrid &, QPixmap &bitmap) { bitmap = glyph; };
             EXPECT_EQ(t.grid->getGlyph().cacheKey(), glyph.cacheKey());
             EXPECT_TRUE(redAtCentre());
             t.grid.reset();
         }},
        {"OnEditChange fires as the clerk changes the cell's text",
         [](GridOptionsEvents &t) {
             int changes = 0;
             t.grid->OnEditChange = [&](TExDBGrid &) { ++changes; };
             t.zam.edit();
             t.grid->setCurrentIndex(t.grid->gridModel()->index(0, 1));
             test::pressKey(t.grid.get(), Qt::Key_F2);
             auto *editor = qobject_cast<QLineEdit *>(t.grid->indexWidget(t.grid->currentIndex()));
             ASSERT_NE(editor, nullptr);
             EXPECT_EQ(changes, 0) << "opening the editor is no change";
             test::typeText(editor, QStringLiteral("ab"));
             EXPECT_EQ(changes, 2);
             t.zam.cancel();
             t.grid.reset();
         }},
        {"OnDrawColumnTitle fires for each title drawn, with its cell and state",
         [](GridOptionsEvents &t) {
             t.grid->setExOptions(t.grid->ExOptions() | eoTitleButtons);
             QStringList drawn;
             t.grid->OnDrawColumnTitle = [&](TExDBGrid &g, QPainter &, const QRect &r, int column, TExDBColumn &c,
                                             QStyle::State state) {
                 drawn << QStringLiteral("%1 %2 %3 %4")
                              .arg(column)
                              .arg(c.FieldName())
                              .arg(int(r.width() == g.columnWidth(column)))
                              .arg(int(bool(state & QStyle::State_Sunken)));
             };
             t.title(QEvent::MouseButtonPress, 1);
             t.grid->horizontalHeader()->viewport()->repaint();
             EXPECT_EQ(drawn, (QStringList{"0 Code_emp 1 0", "1 Surname 1 1", "2 ZPS 1 0"}));
             t.title(QEvent::MouseButtonRelease, 1);
             t.grid.reset();
         }},
        {"eoRowHeightAutofit: each row as tall as its text, back to the default when off",
         [](GridOptionsEvents &t) {
             const int oneLine = QFontMetrics(t.grid->column(1)->Font().font).height();
             t.grid->setExOptions(t.grid->ExOptions() | eoRowHeightAutofit);
             EXPECT_EQ(t.grid->rowHeight(0), t.grid->rowHeight(1));
             EXPECT_GE(t.grid->rowHeight(0), oneLine + 5);
             EXPECT_GT(t.grid->rowHeight(2), t.grid->rowHeight(0)) << "the long name wraps in its column";
             t.grid->setExOptions(t.grid->ExOptions() & ~TExOptions(eoRowHeightAutofit));
             for (int r = 0; r < 3; ++r)
                 EXPECT_EQ(t.grid->rowHeight(r), t.grid->DefaultRowHeight());
         }},
    };
    for (const OptionCase &c : cases) {
        SCOPED_TRACE(c.name);
        grid = makeGrid();
        c.run(*this);
        grid.reset();
        if (zam.isEditing())
            zam.cancel();
        zam.first();
        scripted.clearEvents();
        setThemesActive(true);
    }
}

// A plain data grid keeps what it has: its columns, their widths, captions and read-only
// switches; nothing of the extended grid's fonts, sort or footer is written for it.
TEST_F(GridOptionsEvents, LayoutOfAPlainGridRoundTrips)
{
    dbctrl::DBGrid plain;
    plain.setColumns({{QStringLiteral("Surname"), QStringLiteral("Priezvisko, meno"), 180},
                      {QStringLiteral("Code_emp"), {}, 90, true}});
    plain.setDataSource(&src);
    plain.resize(400, 200);
    plain.show();
    QCoreApplication::processEvents();
    const QString key = QStringLiteral("Software\\TARIX");
    const QString section = QStringLiteral("Obyčajná");
    SaveLayout(plain, key, section);

    const TRegistryIniFile reg(key);
    EXPECT_EQ(reg.readRegistryString(section, "Count", {}), "2");
    EXPECT_EQ(reg.readRegistryString(section, "0", {}), "Surname,180,\"Priezvisko, meno\",");
    EXPECT_EQ(reg.readRegistryString(section, "1", {}), "Code_emp,90,Code_emp,R");
    for (const char *part : {"0_Title", "0_Data", "0_Sort", "0_Footer"})
        EXPECT_EQ(reg.readRegistryString(section, part, "none"), "none") << part;

    plain.setColumns({{QStringLiteral("ZPS"), QStringLiteral("Iné"), 50}});
    LoadLayout(plain, key, section);
    const QVector<dbctrl::DBGridColumn> &columns = plain.gridModel()->columns();
    ASSERT_EQ(columns.size(), 2);
    EXPECT_EQ(columns[0].fieldName, u"Surname");
    EXPECT_EQ(plain.gridModel()->headerData(0, Qt::Horizontal).toString(), u"Priezvisko, meno");
    EXPECT_EQ(plain.columnWidth(0), 180);
    EXPECT_FALSE(columns[0].readOnly);
    EXPECT_EQ(columns[1].fieldName, u"Code_emp");
    EXPECT_EQ(plain.columnWidth(1), 90);
    EXPECT_TRUE(columns[1].readOnly);
    EXPECT_EQ(plain.gridModel()->rowTexts(1).value(0), u"Adam");

    // An empty section leaves the columns as they are.
    LoadLayout(plain, key, QStringLiteral("Žiadna"));
    EXPECT_EQ(plain.gridModel()->columns().size(), 2);
}

} // namespace
