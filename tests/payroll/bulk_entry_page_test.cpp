// The bulk-entry page (offscreen) and the menu's settlement and bulk-entry commands.
#include "dm_vyp_fixture.h"

#include "core/helpers/messages.h"
#include "payroll/forms/hsv_page.h"
#include "payroll/forms/settlement_commands.h"
#include "platform/dbctrl/db_grid.h"

#include <QApplication>
#include <QPushButton>

using namespace tarix;
using namespace tarix::payroll;
using namespace tarix::payroll::testing;

namespace {

class BulkEntryPageTest : public PayrollModuleTest {
protected:
    void SetUp() override
    {
        PayrollModuleTest::SetUp();
        session.execute("update \":tarix_data:inf\" set datum_uzav = null");
        dmv->Napln_hsv();
        // a full month typed for everyone
        dmv->THSV_.close();
        session.execute("update \":tarix_priv:hsv\" set v_den = 22, v_hodina = 176");
        dmv->THSV_.open();
    }
};

TEST_F(BulkEntryPageTest, PostingAsksFirstAndReportsTheCount)
{
    THsvPage page(*dmv);
    page.show();
    QApplication::processEvents();
    const int rows = dmv->THSV_.recordCount();
    scripted.answerNo(Msg(65082, QStringLiteral("január 2007")));
    page.runAction()->click();
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200701"), 0);

    scripted.answerYes(Msg(65082, QStringLiteral("január 2007")));
    page.runAction()->click();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65081, rows)});
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\" where v_obdobie = 200701"), rows);
    EXPECT_TRUE(page.runAction()->isEnabled());
}

TEST_F(BulkEntryPageTest, TheFreeSurchargeColumnsCarryTheFirmsTexts)
{
    session.execute("update \":tarix_data:inf\" set f_priplat1_text = 'Zmenový', f_priplat5_text = 'Rizikový'");
    THsvPage page(*dmv);
    page.setSurchargeColumns();
    const auto &columns = page.hsvGrid()->gridModel()->columns();
    ASSERT_GE(columns.size(), 20);
    EXPECT_EQ(columns[15].title, "P-Zmenový"); // column 16
    EXPECT_EQ(columns[16].title, "P-Príplatok 2"); // unnamed: its number
    EXPECT_EQ(columns[19].title, "P-Rizikový"); // column 20
}

TEST_F(BulkEntryPageTest, ReturnAsksAndLeavesOnYes)
{
    THsvPage page(*dmv);
    int left = 0;
    QObject::connect(&page, &THsvPage::opustit, [&left] { ++left; });
    scripted.answerNo(Msg(65083));
    page.returnAction()->click();
    EXPECT_EQ(left, 0);
    scripted.answerYes(Msg(65083));
    page.returnAction()->click();
    EXPECT_EQ(left, 1);
}

TEST_F(BulkEntryPageTest, PostingAClosedMonthIsRefusedBeforeAnyRow)
{
    session.execute("update \":tarix_data:inf\" set datum_uzav = '2007-01-31'");
    dmv->Uctuj_hsv();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65106, QStringLiteral("31.1.2007"))});
    EXPECT_EQ(dmv->Pocet_zauctovanych, 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:vyp\""), 0);
}

TEST(SettlementCommands, RegisterUnderTheIdsTheMenuDeclares)
{
    core::CommandRegistry declared({kBulkEntryCommand, kTaxPostingCommand, kHealthPostingCommand});
    registerSettlementCommands(declared);
    for (const char *id : {kBulkEntryCommand, kTaxPostingCommand, kHealthPostingCommand})
        EXPECT_NE(declared.find(id), nullptr) << id;
    core::CommandRegistry none({});
    registerSettlementCommands(none);
    EXPECT_TRUE(none.ids().isEmpty());
}

} // namespace
