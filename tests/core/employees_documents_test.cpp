// Employment contracts and agreements of the module TDMP.
#include "employees_fixture.h"

using namespace tarix;
using tarix::test::EmployeesTest;

TEST_F(EmployeesTest, DocumentKindChoosesItsSubPage)
{
    const struct {
        QVariant kind;
        const char *page;
    } cases[] = {{0, "PAGE_PPV_ZML"},  {10, "PAGE_PPV_ZML"},  {1, "PAGE_PPV_DVP"},   {11, "PAGE_PPV_DVP"},
                 {2, "PAGE_PPV_DPC"},  {12, "PAGE_PPV_DPC"},  {3, "PAGE_PPV_DBPS"},  {13, "PAGE_PPV_DBPS"},
                 {14, "PAGE_PPV_ZMLD"}, {4, "PAGE_PPV_EMPTY"}, {5, "PAGE_PPV_EMPTY"}, {QVariant(), "PAGE_PPV_EMPTY"}};
    for (const auto &c : cases)
        EXPECT_EQ(core::TDMP::documentPage(c.kind), c.page) << c.kind.toString().toStdString();

    // The main window follows the list: moving to the amendment shows its page.
    db::Table &p = core::DMP().TPPV_;
    QStringList shown;
    core::DMP().Zobraz_stranku_dokumentu = [&](const QString &page) { shown << page; };
    p.open();
    ASSERT_TRUE(p.locate("TYP", {14}));
    EXPECT_EQ(shown.last(), "PAGE_PPV_ZMLD");
}

TEST_F(EmployeesTest, NewDocumentBelongsToTheCurrentEmployeeAndDeletingAsks)
{
    openEmployee(3);
    db::Table &p = core::DMP().TPPV_;
    p.open();
    const int before = p.recordCount();
    p.insert();
    EXPECT_EQ(p.fieldByName("CODE_EMP").asInt(), 3);
    EXPECT_FALSE(core::DMP().DS_PGRID.isEnabled());
    EXPECT_FALSE(core::DMZ().DS_ZAMF.isEnabled()) << "the employee choice stands still too";
    p.setValue("TYP", 12);
    p.setValue("R1", QStringLiteral("Druh práce: murár"));
    p.setValue("DATUM", QDate(2007, 3, 1));
    p.post();
    EXPECT_TRUE(core::DMP().DS_PGRID.isEnabled());
    EXPECT_TRUE(core::DMZ().DS_ZAMF.isEnabled());

    scripted.answerNo(Msg(65073));
    expectError([&] { p.deleteRecord(); }, Msg(65074));
    EXPECT_EQ(p.recordCount(), before + 1);
    scripted.answerYes(Msg(65073));
    p.deleteRecord();
    EXPECT_EQ(p.recordCount(), before);
}
