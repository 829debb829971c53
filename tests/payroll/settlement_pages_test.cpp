// The settlement pages as a clerk uses them (offscreen): the page of the open year, a new
// settlement of the chosen employee made from the operation menu, and the result computed
// again on leaving each input field.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "payroll/forms/rzp_pages.h"
#include "platform/dbctrl/db_edit.h"
#include "platform/dbctrl/screen_builder.h"
#include "support/widgets/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class SettlementPagesTest : public PayrollModuleTest {
protected:
    void operation(TRzpPages &pages, const QString &text)
    {
        for (QAction *a : pages.Operacie_rzp1()->actions())
            if (a->text() == text) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no operation " << text.toStdString();
    }

    static QLineEdit *edit(TRzpPages &pages, db::DataSource &source, const char *field)
    {
        return qobject_cast<QLineEdit *>(
            dbctrl::findDataControl(pages.pageNamed(pages.currentPageName()), &source, QString::fromLatin1(field)));
    }
};

TEST_F(SettlementPagesTest, EachYearHasItsForm)
{
    TRzpPages pages(*dmv);
    const struct {
        int year;
        const char *page;
    } cases[] = {{2003, "RZP2003"}, {2004, "RZP2004"}, {2005, "RZP2005"}, {2007, "RZP2005"}};
    for (const auto &c : cases) {
        pages.showRzpPage(c.year);
        EXPECT_EQ(pages.currentPageName(), c.page) << c.year;
    }
    // the older allowances only on the form before 2004, the savings only from 2005
    EXPECT_NE(dbctrl::findDataControl(pages.pageNamed("RZP2003"), &dmv->DS_RZP, "Nc_deti"), nullptr);
    EXPECT_EQ(dbctrl::findDataControl(pages.pageNamed("RZP2004"), &dmv->DS_RZP, "Nc_deti"), nullptr);
    EXPECT_NE(dbctrl::findDataControl(pages.pageNamed("RZP2005"), &dmv->DS_RZP, "Nc_zivotne_poistenie"), nullptr);
    EXPECT_EQ(dbctrl::findDataControl(pages.pageNamed("RZP2004"), &dmv->DS_RZP, "Nc_zivotne_poistenie"), nullptr);
}

TEST_F(SettlementPagesTest, ANewSettlementFollowsTheLifeInsuranceTyped)
{
    newPayroll(kDemo[0]);
    TRzpPages pages(*dmv);
    pages.showRzpPage(2007);
    pages.show();
    QApplication::processEvents();
    ASSERT_EQ(pages.currentPageName(), "RZP2005");

    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    operation(pages, "Nové zúčtovanie");
    ASSERT_TRUE(dmv->TRZP_.isEditing());
    QLineEdit *base2 = edit(pages, dmv->DS_RZP, "Ciastzd2");
    QLineEdit *insurance = edit(pages, dmv->DS_RZP, "Nc_zivotne_poistenie");
    QLineEdit *result = edit(pages, dmv->DS_RZP, "Preplatok");
    ASSERT_TRUE(base2 && insurance && result);
    EXPECT_TRUE(result->isReadOnly());

    // an income from elsewhere makes the year taxable
    test::typeInto(base2, "200000");
    const double before = dmv->TRZP_.fieldByName("Preplatok").asFloat();
    const QString shownBefore = result->text();
    // 5000 of life insurance: 5000 less taxable income, 950 less tax (19 %)
    test::typeInto(insurance, "5000");
    EXPECT_DOUBLE_EQ(dmv->TRZP_.fieldByName("Preplatok").asFloat(), before + 950);
    QApplication::processEvents();
    EXPECT_NE(result->text(), shownBefore);

    operation(pages, "Zápis zmien");
    EXPECT_FALSE(dmv->TRZP_.isEditing());
    EXPECT_DOUBLE_EQ(session.run("select nc_zivotne_poistenie, preplatok from \":tarix_data:rzp\" "
                                 "where code_emp = 1 and v_rok = 2007")
                         .asFloat(0, 1),
                     before + 950);
}

TEST_F(SettlementPagesTest, ASecondSettlementIsRefusedWithItsMessage)
{
    TRzpPages pages(*dmv);
    pages.showRzpPage(2007);
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    operation(pages, "Nové zúčtovanie");
    operation(pages, "Zápis zmien");
    scripted.clearEvents();
    operation(pages, "Nové zúčtovanie");
    EXPECT_FALSE(dmv->TRZP_.isEditing());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65056)});
}

// What the settlement computes is only shown, on the form of every year: a value typed into
// it is never taken (the next computation would replace it without a word).
TEST_F(SettlementPagesTest, TypingIntoAComputedFieldChangesNothing)
{
    newPayroll(kDemo[0]);
    TRzpPages pages(*dmv);
    pages.showRzpPage(2007);
    pages.show();
    QApplication::processEvents();
    dmv->setEmployee(kDemo[0].codeNumb, kDemo[0].codeEmp);
    operation(pages, "Nové zúčtovanie");
    ASSERT_TRUE(dmv->TRZP_.isEditing());
    for (const char *field : {"Uhrn_brutto", "Poistne", "Ciastzd1", "Zdanmzda", "Dan", "Preddavky1", "Preplatok"}) {
        QLineEdit *e = edit(pages, dmv->DS_RZP, field);
        ASSERT_NE(e, nullptr) << field;
        const QVariant before = dmv->TRZP_.fieldByName(QString::fromLatin1(field)).value();
        const QString shown = e->text();
        EXPECT_TRUE(e->isReadOnly()) << field;
        test::typeInto(e, "12345");
        EXPECT_EQ(dmv->TRZP_.fieldByName(QString::fromLatin1(field)).value(), before) << field;
        EXPECT_EQ(e->text(), shown) << field;
    }
    // What the clerk types stays open.
    for (const char *field : {"Ciastzd2", "Nc_minimum", "Preddavky2", "Nc_zivotne_poistenie"}) {
        QLineEdit *e = edit(pages, dmv->DS_RZP, field);
        ASSERT_NE(e, nullptr) << field;
        EXPECT_FALSE(e->isReadOnly()) << field;
    }
    // The settlement's own computation still fills them.
    EXPECT_GT(dmv->TRZP_.fieldByName("Uhrn_brutto").asFloat(), 0);
    for (const char *year : {"RZP2003", "RZP2004"}) {
        auto *e = qobject_cast<dbctrl::DBEdit *>(
            dbctrl::findDataControl(pages.pageNamed(QString::fromLatin1(year)), &dmv->DS_RZP, QStringLiteral("Zdanmzda")));
        ASSERT_NE(e, nullptr) << year;
        EXPECT_TRUE(e->isDataReadOnly()) << year;
    }
}

} // namespace
