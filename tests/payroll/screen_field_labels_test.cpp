// The clerk meets a field under one name: the caption on the payroll screen, the title of
// its grid column and the data layer's messages about it (a text that is not a number, a
// field left empty) all name it by its label, never by the field's internal name.
#include "screen_fixture.h"

#include "payroll/forms/vyp_layout.h"
#include "platform/db/db_error.h"
#include "platform/dbctrl/data_control.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/screen_description.h"

#include <utility>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::screentest;

namespace {

// The field a control edits: a lookup combo's key field, otherwise its data field.
db::Field *boundField(QWidget *w)
{
    auto *control = dynamic_cast<dbctrl::DataControl *>(w);
    if (!control || !control->dataSource() || !control->dataSource()->dataSet())
        return nullptr;
    QString name = w->property(dbctrl::kFieldProperty).toString();
    if (name.isEmpty())
        name = control->dataField();
    return name.isEmpty() ? nullptr : control->dataSource()->dataSet()->findField(name);
}

struct layoutLabel {
    const char *tabulka; // component of the payroll module
    const char *pole;
    const char *text;
};

// The fields the clerk's complaints named, with the label the screen shows for each.
const layoutLabel kPopisky[] = {
    {"TVYP_", "MV_plat", "Mesačný plat"},
    {"TVYP_", "N_odmeny", "Odmeny"},
    {"TVYP_", "Spor_plat", "Na účet celá mzda"},
    {"THSU_", "UKID", "Číslo výkonu"},
    {"THSU_", "Pocet", "Počet"},
    {"THSU_", "Suma1", "Cena úkonu"},
    {"THSU_", "Suma", "Suma celkom"},
};

db::Table &tabulka(const char *name)
{
    TDMV &m = DMV();
    return QLatin1String(name) == QLatin1String("THSU_") ? m.THSU_ : m.TVYP_;
}

class PayrollFieldLabelsTest : public PayrollScreenTest {
protected:
    // A new payroll record of the first demo employee started on the screen, and for a
    // piece-work field a new item of it, both left in insert state.
    db::Table &novyZaznam(const char *name)
    {
        EXPECT_TRUE(form->Akcia_vypl_insert());
        db::Table &t = tabulka(name);
        if (&t == &DMV().THSU_) {
            EXPECT_TRUE(form->akcia_hsu(dbctrl::NavigateButton::Insert));
        }
        EXPECT_EQ(t.state(), db::DataSetState::Insert);
        return t;
    }
};

TEST_F(PayrollFieldLabelsTest, EveryFieldBoundOnTheScreenHasALabel)
{
    openScreen();
    int bound = 0;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!dynamic_cast<dbctrl::DataControl *>(w))
            continue;
        db::Field *f = boundField(w);
        SCOPED_TRACE(w->objectName().toStdString());
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->hasLabel()) << f->name().toStdString() << " of " << f->dataSet().objectName().toStdString();
        ++bound;
    }
    // Every field of the record the tabs show was among them.
    EXPECT_GE(bound, MainVyp::shownFields().size());
}

TEST_F(PayrollFieldLabelsTest, GridColumnsWithoutTitlesShowTheLabel)
{
    openScreen();
    const QList<dbctrl::DBGrid *> grids = form->findChildren<dbctrl::DBGrid *>();
    ASSERT_FALSE(grids.isEmpty());
    bool pieceWork = false;
    for (dbctrl::DBGrid *grid : grids) {
        dbctrl::DBGridModel *model = grid->gridModel();
        db::DataSet *ds = grid->dataSource() ? grid->dataSource()->dataSet() : nullptr;
        ASSERT_NE(ds, nullptr) << grid->objectName().toStdString();
        pieceWork = pieceWork || grid->objectName() == "DBG_hsu";
        for (int i = 0; i < model->effectiveColumns().size(); ++i) {
            const dbctrl::DBGridColumn &c = model->effectiveColumns()[i];
            SCOPED_TRACE((grid->objectName() + " / " + c.fieldName).toStdString());
            const db::Field *f = ds->findField(c.fieldName);
            ASSERT_NE(f, nullptr);
            EXPECT_TRUE(f->hasLabel());
            if (c.title.isEmpty()) {
                EXPECT_EQ(model->headerData(i, Qt::Horizontal).toString(), f->label());
            }
        }
    }
    EXPECT_TRUE(pieceWork);
}

// The piece-work grid reads its titles from the items' labels, also while its table is
// closed (before an employee is chosen).
TEST_F(PayrollFieldLabelsTest, PieceWorkGridTitles)
{
    openScreen();
    auto *grid = form->findChild<dbctrl::DBGrid *>("DBG_hsu");
    ASSERT_NE(grid, nullptr);
    QStringList titles;
    for (int i = 0; i < grid->gridModel()->columnCount(); ++i)
        titles << grid->gridModel()->headerData(i, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"Číslo výkonu", "Popis výkonu", "Počet", "Cena úkonu", "Suma celkom"}));
}

TEST_F(PayrollFieldLabelsTest, MessagesNameTheFieldByItsLabel)
{
    openScreen();
    choose(1);
    for (const layoutLabel &p : kPopisky) {
        SCOPED_TRACE(p.pole);
        db::Table &t = novyZaznam(p.tabulka);
        db::Field &f = t.fieldByName(p.pole);
        EXPECT_EQ(f.label(), QString::fromUtf8(p.text));

        // Text that is not a number.
        try {
            f.setText("abc");
            ADD_FAILURE() << "'abc' was taken";
        } catch (const db::FieldValueError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'abc' nie je platná hodnota položky %1.").arg(p.text));
        }

        // A field left empty where one is required. The payroll record's own checks and
        // calculation before posting stand aside, so that the dataset's check speaks.
        f.setRequired(true);
        f.clear();
        const auto beforePost = std::exchange(t.beforePost, nullptr);
        try {
            t.post();
            ADD_FAILURE() << "posted without " << p.pole;
        } catch (const db::RequiredFieldError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("Položka %1 musí byť vyplnená.").arg(p.text));
            EXPECT_EQ(e.fieldName().toUpper(), QString::fromLatin1(p.pole).toUpper());
        }
        t.beforePost = beforePost;
        f.setRequired(false);
        if (&t == &DMV().THSU_)
            t.cancel();
        DMV().TVYP_.cancel();
    }
}

// Typed on the screen, a wrong amount is reported under the caption the clerk typed it at.
TEST_F(PayrollFieldLabelsTest, TypedTextThatIsNoNumberIsReportedByTheCaption)
{
    openScreen();
    choose(1);
    ASSERT_TRUE(form->Akcia_vypl_insert());
    scripted.clearEvents();
    typeInto(edit("MV_plat"), "abc");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"'abc' nie je platná hodnota položky Mesačný plat."});
    DMV().TVYP_.cancel();
}

} // namespace
