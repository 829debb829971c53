// Choosing an employee by name: the card follows the chosen employee and shows his name;
// nothing else moves, and while an employee is edited the lists stand still.
#include "core/helpers/messages.h"
#include "mainwin_fixture.h"

using namespace tarix;

namespace {

class MainWindowChoice : public mainwintest::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        // Another window's view of the employees, standing on Hudák.
        other.setDatabaseName("TARIX_DATA");
        other.setTableName("Zam");
        other.open();
        ASSERT_TRUE(other.locate("Code_emp", {1}));
    }
    void TearDown() override
    {
        other.close();
        MainWindowTest::TearDown();
    }
    void expectOtherUntouched()
    {
        EXPECT_EQ(other.value("Code_emp").toInt(), 1);
        EXPECT_EQ(other.filter(), "");
    }
    QString shownName() { return cardWindow().employeeName()->text(); }

    db::Table other;
};

} // namespace

TEST_F(MainWindowChoice, TheListLeadsTheCardToTheChosenEmployee)
{
    openCard();
    choose(main->employeeOperations(), "Zobrazovať všetkých zamestnancov");
    const QString filter = zam().filter();
    struct Case {
        const char *surname;
        int codeEmp;
        const char *name; // as the card shows it: surname, name, title
    } cases[] = {
        {"Kováč", 8, "Kováč Ľubomír JUDr."},
        {"Žiak", 6, "Žiak Tomáš "},   // left in April, listed among all employees
        {"Hudák", 1, "Hudák Ján Ing."},
        {"Zeman", 10, "Zeman Róbert "},
    };
    for (const Case &c : cases) {
        chooseInList(c.surname);
        EXPECT_EQ(zam().value("Code_emp").toInt(), c.codeEmp) << c.surname;
        EXPECT_EQ(shownName(), c.name) << c.surname;
        EXPECT_EQ(widget<QLineEdit>("TZAM_Surname")->text(), c.surname);
        EXPECT_EQ(zam().filter(), filter);
        expectOtherUntouched();
    }
}

TEST_F(MainWindowChoice, DetailTabsShowOnlyTheChosenEmployeesRows)
{
    openCard();
    chooseInList("Čierny");
    clickTab("PAGE_NEP");
    ASSERT_EQ(tab(), "PAGE_NEP");
    db::Table &nep = core::DMZ().TNEP_;
    auto codesShown = [&] {
        QList<int> codes;
        for (int i = 0; i < nep.recordCount(); ++i)
            nep.withRowAt(i, [&] { codes << nep.value("Code_emp").toInt(); });
        return codes;
    };
    ASSERT_FALSE(codesShown().isEmpty());
    for (int code : codesShown())
        EXPECT_EQ(code, 3);
    // The absences' employee texts are read by key: the list keeps its employee and filter.
    const QString filter = zam().filter();
    EXPECT_TRUE(nep.value("L_ZAM").toString().startsWith("Čierny")) << nep.value("L_ZAM").toString().toStdString();
    chooseInList("Zeman");
    EXPECT_TRUE(shownName().startsWith("Zeman"));
    for (int code : codesShown())
        EXPECT_EQ(code, 10);
    EXPECT_EQ(zam().filter(), filter);
    EXPECT_EQ(zam().value("Code_emp").toInt(), 10);
    expectOtherUntouched();
}

TEST_F(MainWindowChoice, WhileEditingTheListsStandStillAndTheNameStays)
{
    openCard();
    chooseInList("Šťastná");
    dbctrl::DBGrid *list = main->employeeList();
    const int other = rowWith(list, "Kováč");
    ASSERT_GE(other, 0);
    choose(main->employeeOperations(), "Oprava údajov zamestnanca");
    type(widget("TZAM_Name"), "Marta");
    EXPECT_FALSE(list->moveToRow(other));
    EXPECT_EQ(zam().value("Code_emp").toInt(), 2);
    EXPECT_TRUE(zam().isEditing());
    EXPECT_TRUE(shownName().startsWith("Šťastná")) << shownName().toStdString();
    choose(main->employeeOperations(), "Zápis zmien");
    // The card shows the name as posted; the list follows again.
    EXPECT_EQ(shownName(), "Šťastná Marta ");
    chooseInList("Kováč");
    EXPECT_EQ(zam().value("Code_emp").toInt(), 8);
    EXPECT_EQ(shownName(), "Kováč Ľubomír JUDr.");
    expectOtherUntouched();
}

TEST_F(MainWindowChoice, TheChoicePageLeadsToTheChosenCard)
{
    openCard();
    clickTab("PAGE_PPV");
    choose(main->ppvOperations(), "Návrat");
    ASSERT_EQ(page(), "ZAMF");
    dbctrl::DBGrid *grid = main->employeeSelection();
    const int row = rowWith(grid, "Sýkorová");
    ASSERT_GE(row, 0);
    ASSERT_TRUE(grid->moveToRow(row));
    emit grid->rowActivated();
    EXPECT_EQ(page(), "ZAM1");
    EXPECT_EQ(zam().value("Code_emp").toInt(), 9);
    EXPECT_TRUE(shownName().startsWith("Sýkorová Jana"));
    expectOtherUntouched();
    // The choice page's own button leaves without a question.
    clickTab("PAGE_PPV");
    choose(main->ppvOperations(), "Návrat");
    widget<QPushButton>("Butt_zamf_navrat")->click();
    EXPECT_EQ(page(), "EMPTY");
}
