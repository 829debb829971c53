// The main data module's look-ups of health insurers and countries that the statements and
// the insurers' batch files read, on a copy of the demo firm (2007).
#include "core/dm_main.h"
#include "core/session.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"
#include "support/demo_firm_test.h"

#include <gtest/gtest.h>

using namespace tarix;
using core::TDM;

namespace {

// The demo firm's company number (Inf.ICO).
const QString kIcoFirmy = QStringLiteral("36214582");

class MainModuleServices : public test::DemoFirmTest<> {
protected:
    void SetUp() override
    {
        test::DemoFirmTest<>::SetUp();
        dm = &core::DM();
    }

    void insurer(int id, const QString &text)
    {
        session.execute("insert into \":tarix_comm:cis_zp\" (id, text) values (:p1, :p2)",
                        {{"p1", id}, {"p2", text}});
    }
    // A payee row; a null variant leaves the column NULL.
    void payee(const QString &kind, int code, const QVariant &payer, const QVariant &branch,
               const QVariant &ico)
    {
        // The test's own row for the payee replaces the one the demo firm ships.
        session.execute("delete from \":tarix_data:cis_bu\" where buid_typ = :t and buid_kod = :k",
                        {{"t", kind}, {"k", code}});
        session.execute("insert into \":tarix_data:cis_bu\" (buid_typ, buid_kod, old_cislo_u, pobocka_zp, ico) "
                        "values (:t, :k, :c, :b, :i)",
                        {{"t", kind}, {"k", code}, {"c", payer}, {"b", branch}, {"i", ico}});
    }

    TDM *dm = nullptr;
};

TEST_F(MainModuleServices, InsurerNameFromItsTextItsNumberedNameOrThePayeeText)
{
    insurer(5, QStringLiteral("   "));
    insurer(30, QString());
    insurer(31, QStringLiteral("  Poisťovňa s medzerami "));

    struct Case {
        int cislo;
        const char *expected;
    } const cases[] = {
        {21, "Všeobecná zdravotná poisťovňa"},       // the stored text
        {31, "  Poisťovňa s medzerami "},            // as stored, not trimmed
        {5, " 5 -    "},                             // blank text: the numbered name
        {30, "30 - "},                               // empty text: the numbered name
        {99, "Zdrav.poisť.č.99"},                    // not in the table: the payee text
        {0, "Zdrav.poisť.č.0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(dm->Nazov_zdravotnej_poistovne(c.cislo), QString::fromUtf8(c.expected)) << c.cislo;

    // The blank name is the one the code-table screen shows for that row.
    dm->CIS1_.open();
    ASSERT_TRUE(dm->CIS1_.findKey({5}));
    EXPECT_EQ(dm->Nazov_zdravotnej_poistovne(5), dm->CIS1_.value("CALC_NAZOV").toString());
}

TEST_F(MainModuleServices, PayerNumberFromTheInsurersPayeeRowElseTheFirmsIco)
{
    payee("Z", 25, "1234567890", 3, "35942436");
    payee("Z", 24, QVariant(), QVariant(), QVariant()); // a row without a payer number
    payee("Y", 21, "5555555555", 0, QVariant());        // another kind with insurer 21's code

    struct Case {
        int cislo;
        QString expected;
    } const cases[] = {
        {25, QStringLiteral("1234567890")},
        {24, QString()},   // the row counts even with its number empty
        {21, kIcoFirmy},   // only kind "Z" is an insurer's row
        {27, kIcoFirmy},   // no row at all
    };
    for (const Case &c : cases)
        EXPECT_EQ(dm->Cislo_platitela_zp(c.cislo), c.expected) << c.cislo;
}

TEST_F(MainModuleServices, PayerNumberFallbackFollowsTheFirmHeaderOpenOrClosed)
{
    session.execute("update \":tarix_data:inf\" set ico = '99887766'");
    dm->TINF_.close();
    EXPECT_EQ(dm->Cislo_platitela_zp(27), "99887766");

    // An open header being edited gives the number the clerk typed.
    dm->TINF_.open();
    dm->TINF_.edit();
    dm->TINF_.setValue("ICO", "11223344");
    EXPECT_EQ(dm->Cislo_platitela_zp(27), "11223344");
    dm->TINF_.cancel();
}

TEST_F(MainModuleServices, InsurerDataLoadedFromTheRowAndClearedWithoutIt)
{
    payee("Z", 25, "1234567890", 3, "35942436");
    payee("Z", 24, "2222", QVariant(), QVariant());

    dm->Nacitaj_udaje_zp(25);
    EXPECT_EQ(dm->Udaje_cbu.Cislo_platitela, "1234567890");
    EXPECT_EQ(dm->Udaje_cbu.Pobocka_zp, 3);
    EXPECT_EQ(dm->Udaje_cbu.Ico, "35942436");

    // Empty columns of a found row: empty texts and branch 0, nothing kept from before.
    dm->Nacitaj_udaje_zp(24);
    EXPECT_EQ(dm->Udaje_cbu.Cislo_platitela, "2222");
    EXPECT_EQ(dm->Udaje_cbu.Pobocka_zp, 0);
    EXPECT_EQ(dm->Udaje_cbu.Ico, QString());

    // A missing row leaves the record cleared, not the firm's ICO and not the earlier row
    // (insurer 21 without its row: the demo firm ships one).
    session.execute("delete from \":tarix_data:cis_bu\" where buid_typ = 'Z' and buid_kod = 21");
    dm->Nacitaj_udaje_zp(25);
    dm->Nacitaj_udaje_zp(21);
    EXPECT_EQ(dm->Udaje_cbu.Cislo_platitela, QString());
    EXPECT_EQ(dm->Udaje_cbu.Pobocka_zp, 0);
    EXPECT_EQ(dm->Udaje_cbu.Ico, QString());
}

TEST_F(MainModuleServices, CountryAcronymByCode)
{
    EXPECT_EQ(dm->Akronym_statu("703"), "SVK");
    // A code the table lacks gives an empty text, not the acronym of the call before.
    EXPECT_EQ(dm->Akronym_statu("999"), QString());
    EXPECT_EQ(dm->Akronym_statu(QString()), QString());
}

TEST_F(MainModuleServices, CountryAcronymOfAnEmptyCodeReadsNoTableAndErrorsPassToTheCaller)
{
    session.attach(core::kAliasComm); // the alias is attached on its first use
    session.executeRaw(QStringLiteral("DROP TABLE %1.CIS_STAT").arg(session.schemaOf(core::kAliasComm)));
    EXPECT_EQ(dm->Akronym_statu(QString()), QString());
    EXPECT_THROW(dm->Akronym_statu("703"), db::DbError);
}

} // namespace
