// The bank files of a stored payment order, compared byte for byte with files written by
// hand from the rules (tests/filings/expected):
//
//  tb050610.XML / vub050610.txt: header 2612345678, due 10 June 2005 (both names "yymmdd"
//  of the due date), four items in the order stored:
//   1. "123457" at 0900, 1500, VS 0305, KS 0138, no SS: without a dash the XML prefix is
//      "000000"; AMT is the shortest number text "1500"; the empty SS gives empty CR_SS and
//      DB_SS elements and the text file's closing field "" (two double quotes);
//   2. "19-123457" at 0200, 1234.5: prefix 19 passes the prefix check (1*2 + 9*1 = 11), so
//      AP 19, AN 123457; AMT "1234.5"; the text line is the one the rules give as example;
//   3. "19-1234-57" at 1100, 0.1 + 0.2, VS 111, KS 3558, SS 12005: two dashes, prefix 19 and
//      the number 1234 + 57; AMT "0.3" (at most 15 significant digits), the text "0.30";
//   4. "x9-123457" at 0200, 99, no symbols: a prefix that is no number is an invalid
//      account, so the XML leaves the item out (65121); the text file never checks
//      accounts and writes it as stored, with empty VS and KS fields.
//  The XML is UTF-8 with CR LF line ends, line 5 "<NAME>MZDY</NAME> " with its trailing
//  blank; the text file Windows-1250 with CR LF, fields joined by ",".
//
//  tb050610_bez_poloziek.XML / vub050610_bez_poloziek.txt: the same header without items:
//  the six head lines and the two closing lines; an empty text file (no bytes).
#include "payment_orders_fixture.h"

#include "core/helpers/messages.h"
#include "filings/bank_files.h"
#include "platform/errors.h"

using namespace tarix;
using namespace tarix::filings;

namespace {

TEST(PayeeAccount, SplitForTheBatchFile)
{
    const struct {
        const char *ucet;
        bool platny;
        const char *predcislie;
        const char *cislo;
    } pripady[] = {
        {"123457", true, "000000", "123457"},     // no dash: no prefix
        {"19-123457", true, "19", "123457"},      // prefix and number pass
        {"12-3457", true, "000000", "123457"},    // prefix 12 fails, "123457" written together passes
        {"19-1234-57", true, "19", "123457"},     // two dashes: prefix and the parts joined
        {"0", false, "", ""},                     // weighted sum 0
        {"x9-123457", false, "", ""},             // a prefix that is no number
        {"19-123456", false, "", ""},             // check digit wrong, joined too
        {"19-", false, "", ""},                   // no number
    };
    for (const auto &c : pripady) {
        const RecipientAccount u = splitRecipientAccount(QString::fromLatin1(c.ucet));
        EXPECT_EQ(u.platny, c.platny) << c.ucet;
        if (c.platny) {
            EXPECT_EQ(u.predcislie, c.predcislie) << c.ucet;
            EXPECT_EQ(u.cislo, c.cislo) << c.ucet;
        }
    }
}

TEST(PayeeAccount, AmountOfTheBatchFile)
{
    EXPECT_EQ(xmlAmount(1500), "1500");
    EXPECT_EQ(xmlAmount(1234.5), "1234.5");
    EXPECT_EQ(xmlAmount(0.1 + 0.2), "0.3");
    EXPECT_EQ(xmlAmount(1234567.89), "1234567.89");
}

class BankFiles : public fixtures::PaymentOrderFirm {
protected:
    void SetUp() override
    {
        PaymentOrderFirm::SetUp();
        header(1, "2612345678", "0200", QDate(2005, 6, 10));
        item(1, 1500, "123457", "0900", QString(), "0138", "0305");
        item(1, 1234.5, "19-123457", "0200", QString(), "0138", "0305");
        item(1, 0.1 + 0.2, "19-1234-57", "1100", "12005", "3558", "111");
        item(1, 99, "x9-123457", "0200");
        header(2, "2612345678", "0200", QDate(2005, 6, 10));
        header(3, "2612345678", "0200", QVariant());
    }
};

TEST_F(BankFiles, BatchXmlOfFourItemsLeavesOutTheInvalidAccount)
{
    const QString path = writeXmlBatch(session, 1);
    EXPECT_EQ(path, outputs() + "tb050610.XML");
    EXPECT_EQ(fixtures::readFile(path), fixtures::expectedFile("tb050610.XML"));
    EXPECT_EQ(scripted.messages(),
              (QStringList{Msg(65121, QStringLiteral("x9-123457")), Msg(65151, QDir::toNativeSeparators(path))}));
}

TEST_F(BankFiles, TextFileOfFourItemsWritesEveryAccountAsStored)
{
    const QString path = writeVubFile(session, 1);
    EXPECT_EQ(path, outputs() + "vub050610.txt");
    EXPECT_EQ(fixtures::readFile(path), fixtures::expectedFile("vub050610.txt"));
    EXPECT_EQ(scripted.messages(), QStringList{Msg(65120, QDir::toNativeSeparators(path))});
}

TEST_F(BankFiles, AHeaderWithoutItemsGivesTheFrameAndAnEmptyTextFile)
{
    EXPECT_EQ(fixtures::readFile(writeXmlBatch(session, 2)), fixtures::expectedFile("tb050610_bez_poloziek.XML"));
    EXPECT_EQ(fixtures::readFile(writeVubFile(session, 2)), fixtures::expectedFile("vub050610_bez_poloziek.txt"));
}

TEST_F(BankFiles, NoHeaderOrNoDueDateIsRefusedAndNothingIsWritten)
{
    for (int hpid : {0, 3, 9}) {
        EXPECT_THROW(
            {
                try {
                    writeXmlBatch(session, hpid);
                } catch (const EMyError &e) {
                    EXPECT_EQ(e.text(), Msg(65127));
                    throw;
                }
            },
            EMyError)
            << hpid;
        EXPECT_THROW(writeVubFile(session, hpid), EMyError) << hpid;
    }
    EXPECT_FALSE(QDir(outputs()).exists() && !QDir(outputs()).isEmpty());
}

TEST_F(BankFiles, AFileThatCannotBeWrittenIsNamedAndAnEarlierOneStaysWhole)
{
    ASSERT_TRUE(QDir().mkpath(outputs()));
    // A folder where the file should go: it can be neither replaced nor written.
    ASSERT_TRUE(QDir().mkpath(outputs() + "vub050610.txt"));
    EXPECT_TRUE(writeVubFile(session, 1).isEmpty());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error),
              QStringList{Msg(65123, QDir::toNativeSeparators(outputs() + "vub050610.txt"))});
    // A second run replaces an earlier file whole.
    QFile old(outputs() + "tb050610.XML");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    writeXmlBatch(session, 1);
    EXPECT_EQ(fixtures::readFile(outputs() + "tb050610.XML"), fixtures::expectedFile("tb050610.XML"));
}

TEST_F(BankFiles, ValuesThatWouldBreakTheXmlAreEscaped)
{
    item(2, 10, "123457", "0900", QString(), QString(), "1<2&3");
    const QByteArray xml = fixtures::readFile(writeXmlBatch(session, 2));
    EXPECT_TRUE(xml.contains("<CR_VS>1&lt;2&amp;3</CR_VS>")) << xml.toStdString();
}

} // namespace
