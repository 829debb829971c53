// What deleting an employee in TDMZ does to the other modules' open tables.
#include "employees_fixture.h"

using namespace tarix;
using tarix::test::EmployeesTest;

TEST_F(EmployeesTest, DeletedEmployeesDocumentsLeaveTheOpenDocumentList)
{
    db::Table &ppv = core::DMP().TPPV_;
    ppv.open();
    ASSERT_TRUE(ppv.locate("CODE_EMP", {10}));
    const int before = ppv.recordCount();
    const int own = int(count("select count(*) from ppv where code_emp = 10"));
    ASSERT_GT(own, 0);

    openEmployee(10);
    scripted.answerYes(Msg(65053)).answerYes(Msg(65054));
    zam().deleteRecord();
    EXPECT_EQ(ppv.recordCount(), before - own);
    EXPECT_FALSE(ppv.locate("CODE_EMP", {10})) << "the list reads its rows again";
}
