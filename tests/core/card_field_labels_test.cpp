// The clerk meets a field of the employee card under one name: its caption on the card, the
// title of its grid column and the data layer's messages about it (a text that is not a
// number, a field left empty) all name it by its label, never by the field's internal name.
#include "mainwin_fixture.h"

#include "platform/db/db_error.h"
#include "platform/dbctrl/data_control.h"
#include "platform/dbctrl/db_grid.h"
#include "platform/dbctrl/screen_description.h"
#include "support/widgets/keyboard.h"

#include <QLabel>

using namespace tarix;

namespace {

class CardFieldLabels : public mainwintest::MainWindowTest {
protected:
    // The field a control edits: a lookup combo's key field, otherwise its data field.
    static db::Field *boundField(QWidget *w)
    {
        auto *control = dynamic_cast<dbctrl::DataControl *>(w);
        if (!control || !control->dataSource() || !control->dataSource()->dataSet())
            return nullptr;
        QString name = w->property(dbctrl::kFieldProperty).toString();
        if (name.isEmpty())
            name = control->dataField();
        return name.isEmpty() ? nullptr : control->dataSource()->dataSet()->findField(name);
    }

    static QStringList titles(dbctrl::DBGrid *grid)
    {
        QStringList l;
        for (int i = 0; i < grid->gridModel()->columnCount(); ++i)
            l << grid->gridModel()->headerData(i, Qt::Horizontal).toString();
        return l;
    }

    // The caption standing beside a control of the card.
    QString caption(const QString &controlName)
    {
        QWidget *w = widget(controlName);
        for (QLabel *l : cardWindow().findChildren<QLabel *>())
            if (w && l->buddy() == w)
                return l->text();
        return {};
    }
};

TEST_F(CardFieldLabels, EveryFieldBoundOnTheCardHasALabel)
{
    openCard();
    int bound = 0;
    for (QWidget *w : cardWindow().findChildren<QWidget *>()) {
        if (!dynamic_cast<dbctrl::DataControl *>(w))
            continue;
        db::Field *f = boundField(w);
        SCOPED_TRACE(w->objectName().toStdString());
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(f->hasLabel()) << f->name().toStdString() << " of " << f->dataSet().objectName().toStdString();
        ++bound;
    }
    EXPECT_GT(bound, 0);
}

TEST_F(CardFieldLabels, GridColumnsWithoutTitlesShowTheLabel)
{
    openCard();
    const QList<dbctrl::DBGrid *> grids = cardWindow().findChildren<dbctrl::DBGrid *>();
    ASSERT_FALSE(grids.isEmpty());
    for (dbctrl::DBGrid *grid : grids) {
        dbctrl::DBGridModel *model = grid->gridModel();
        db::DataSet *ds = grid->dataSource() ? grid->dataSource()->dataSet() : nullptr;
        ASSERT_NE(ds, nullptr) << grid->objectName().toStdString();
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
}

// The universal record of the health-insurance forms has no labels of the original; its
// columns are named by what they hold.
TEST_F(CardFieldLabels, HealthSettlementGridNamesItsColumns)
{
    openCard();
    auto *grid = widget<dbctrl::DBGrid>("DBG_zp3");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(titles(grid), (QStringList{"Druh záznamu", "Rok", "Text A1", "Text A2", "Suma X1", "Suma X2",
                                         "Suma X3", "Suma X4"}));
}

struct layoutLabel {
    const char *pole;
    const char *text;
};

// Fields of the employee table the clerk's complaints named, with the card's caption.
const layoutLabel kPopisky[] = {
    {"MV_plat", "Dohodnutý mesačný plat"},
    {"Spor_plat", "Sporenie - spôsob"},
    {"V_sadzba", "Hodinová sadzba"},
    {"PN_DENNE", "Denný základ pre PN"},
};

TEST_F(CardFieldLabels, CaptionsAndMessagesNameTheFieldByItsLabel)
{
    openCard();
    db::Table &t = zam();
    for (const layoutLabel &p : kPopisky) {
        SCOPED_TRACE(p.pole);
        db::Field &f = t.fieldByName(p.pole);
        EXPECT_EQ(f.label(), QString::fromUtf8(p.text));
        EXPECT_EQ(caption(QStringLiteral("TZAM_") + p.pole), QString::fromUtf8(p.text));

        t.edit();
        try {
            f.setText("abc");
            ADD_FAILURE() << "'abc' was taken";
        } catch (const db::FieldValueError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("'abc' nie je platná hodnota položky %1.").arg(p.text));
        }

        // Spor_plat is required by the table; the others are made so for the check.
        const bool required = f.required();
        f.setRequired(true);
        f.clear();
        try {
            t.post();
            ADD_FAILURE() << "posted without " << p.pole;
        } catch (const db::RequiredFieldError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("Položka %1 musí byť vyplnená.").arg(p.text));
        }
        f.setRequired(required);
        t.cancel();
    }
}

// Typed on the card, a wrong amount is reported under the caption the clerk typed it at.
TEST_F(CardFieldLabels, TypedTextThatIsNoNumberIsReportedByTheCaption)
{
    openCard();
    QWidget *edit = widget("TZAM_MV_plat");
    ASSERT_NE(edit, nullptr);
    zam().edit();
    scripted.clearEvents();
    test::typeInto(edit, "abc");
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{"'abc' nie je platná hodnota položky Dohodnutý mesačný plat."});
    zam().cancel();
}

} // namespace
