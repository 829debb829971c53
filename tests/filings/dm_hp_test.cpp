// The payment-order data module: a new header's defaults (the next number, the firm's
// account and bank), the guard that an item needs a header, the header delete with its two
// questions (items first), the lists standing still while a header or an item is edited,
// and a second program storing a header meanwhile.
#include "payment_orders_fixture.h"

#include "core/helpers/messages.h"
#include "core/session.h"
#include "platform/db/session.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::filings;

namespace {

class PaymentOrderModule : public fixtures::PaymentOrderFirm {
protected:
    void SetUp() override
    {
        PaymentOrderFirm::SetUp();
        dm().THP1_.open();
        dm().THP2_.open();
    }
    static TDMHP &dm() { return DMHP(); }
    void newHeader()
    {
        dm().THP1_.insert();
        dm().THP1_.setValue("DATUM_SPLATNOSTI", QDate(2007, 2, 10));
        dm().THP1_.post();
    }
};

TEST_F(PaymentOrderModule, ANewHeaderTakesTheNextNumberAndTheFirmsAccount)
{
    db::Table &h = dm().THP1_;
    h.insert();
    EXPECT_EQ(h.value("HPID").toInt(), 1); // an empty table starts at 1
    EXPECT_EQ(h.fieldByName("CISLO_U").asString(), "3621458202");
    EXPECT_EQ(h.fieldByName("BANKA_U").asString(), "1100");
    EXPECT_EQ(h.value("POR_CISLO").toInt(), 1);
    EXPECT_TRUE(h.fieldByName("DATUM_SPLATNOSTI").isNull());
    h.cancel();
    // With a prefix the account is prefix, dash and number.
    setInf("predcislo_u='19'");
    header(7, "1-1", "0200", QDate(2007, 1, 10));
    h.refresh();
    h.insert();
    EXPECT_EQ(h.value("HPID").toInt(), 8);
    EXPECT_EQ(h.fieldByName("CISLO_U").asString(), "19-3621458202");
    h.cancel();
}

TEST_F(PaymentOrderModule, AHeaderBegunWhileAnotherProgramStoredOneTakesTheNextFreeNumber)
{
    db::Table &h = dm().THP1_;
    h.insert();
    ASSERT_EQ(h.value("HPID").toInt(), 1);
    // Another program stores header 1 meanwhile.
    db::Session other;
    other.setAlias("TARIX_DATA", dir.firmFolder());
    other.execute("insert into \":tarix_data:hp1\" (hpid, por_cislo, cislo_u, banka_u) values (1, 5, 'x', 'y')");
    h.post();
    EXPECT_EQ(h.value("HPID").toInt(), 2);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp1\""), 2);
    EXPECT_EQ(count("select por_cislo from \":tarix_data:hp1\" where hpid=1"), 5);
}

TEST_F(PaymentOrderModule, AnItemNeedsAHeaderAndTakesItsNumber)
{
    try {
        dm().THP2_.insert();
        FAIL() << "an item without a header";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65147));
    }
    EXPECT_EQ(dm().THP2_.state(), db::DataSetState::Browse);
    newHeader();
    newHeader();
    dm().THP2_.insert();
    EXPECT_EQ(dm().THP2_.value("HPID").toInt(), 2);
    dm().THP2_.setValue("SUMA", 10);
    dm().THP2_.setValue("CISLO_U", "123457");
    dm().THP2_.setValue("BANKA_U", "0900");
    dm().THP2_.post();
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=2"), 1);
}

TEST_F(PaymentOrderModule, DeletingAHeaderAsksTwiceAndTakesItsItemsAlong)
{
    newHeader();
    item(1, 10, "123457", "0900");
    item(1, 20, "123457", "0900");
    newHeader();
    item(2, 30, "123457", "0900");
    dm().THP1_.refresh();
    ASSERT_TRUE(dm().THP1_.locate("HPID", {1}));

    // A no to the second question keeps header and items.
    scripted.answerYes(Msg(65073)).answerNo(Msg(65133));
    try {
        dm().THP1_.deleteRecord();
        FAIL() << "declined";
    } catch (const EMyError &e) {
        EXPECT_EQ(e.text(), Msg(65074));
    }
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=1"), 2);
    // A no to the first one asks nothing more.
    scripted.answerNo(Msg(65073));
    EXPECT_THROW(dm().THP1_.deleteRecord(), EMyError);
    EXPECT_EQ(scripted.questions().size(), 3);

    scripted.answerYes(Msg(65073)).answerYes(Msg(65133));
    dm().THP1_.deleteRecord();
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp1\""), 1);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=1"), 0);
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\" where hpid=2"), 1);
}

TEST_F(PaymentOrderModule, DeletingAnItemAsksOnce)
{
    newHeader();
    item(1, 10, "123457", "0900");
    dm().THP2_.refresh();
    scripted.answerNo(Msg(65073));
    EXPECT_THROW(dm().THP2_.deleteRecord(), EMyError);
    scripted.answerYes(Msg(65073));
    dm().THP2_.deleteRecord();
    EXPECT_EQ(count("select count(*) from \":tarix_data:hp2\""), 0);
}

TEST_F(PaymentOrderModule, TheListsStandStillWhileAHeaderOrAnItemIsEdited)
{
    newHeader();
    auto lists = [] { return std::pair(dm().DS_HP1G.isEnabled(), dm().DS_HP2G.isEnabled()); };
    EXPECT_EQ(lists(), std::pair(true, true));
    dm().THP1_.edit();
    EXPECT_EQ(lists(), std::pair(false, false));
    dm().THP1_.cancel();
    EXPECT_EQ(lists(), std::pair(true, true));
    dm().THP2_.insert();
    EXPECT_EQ(lists(), std::pair(false, false));
    dm().THP2_.cancel();
    EXPECT_EQ(lists(), std::pair(true, true));
}

} // namespace
