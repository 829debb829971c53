// TARIX_DATX, the alias payrolls of another year are read through, follows every opening
// of a firm and year: it reads the firm just opened (sharing its database with TARIX_DATA)
// in one statement with the year folder just opened, also for a query that stays on the
// alias from one opening to the next.
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/db/query.h"

using namespace tarix;

namespace {

class AliasDatxTest : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        FirmFixture::SetUp();
        // A second firm, and the value of slot 28 in each year folder named by its year.
        test::copyFolder(dir.firmFolder(1), dir.firmFolder(2));
        test::sqlOn(dir.firmFolder(2), "update inf set nazov = 'DRUHÁ FIRMA, a.s.';");
        for (int year : {2005, 2006, 2007})
            test::sqlOn(dir.yearFolder(year), QStringLiteral("update cis_par set hodnota = %1 where id = 28;").arg(year));
    }

    void open(int firm, int year)
    {
        core::OpeningSteps k;
        k.vyber_strediska = [] { core::setCostCenter(core::DM(), 0); };
        k.vyber_obdobia = [this, year] { core::confirmPeriod(core::DM(), year, year, 1, root()); };
        ASSERT_TRUE(core::openFirmAndYear(firm, year, k)) << firm << "/" << year;
    }
};

TEST_F(AliasDatxTest, ReadsTheFirmAndYearOfEachOpening)
{
    // As a data module's query does: made once, kept on the alias across openings.
    db::Query kept;
    kept.setDatabaseName(QString::fromLatin1(core::kAliasDatx));
    kept.setSql("select i.nazov, p.hodnota from inf i, \":tarix_comm:cis_par\" p where p.id = 28");

    const struct {
        int firm, year;
        const char *name;
    } openings[] = {
        {1, 2007, "DEMO STAV, s.r.o."},
        {2, 2006, "DRUHÁ FIRMA, a.s."},
        {1, 2005, "DEMO STAV, s.r.o."},
        {2, 2007, "DRUHÁ FIRMA, a.s."},
    };
    for (const auto &o : openings) {
        SCOPED_TRACE(QStringLiteral("firm %1, year %2").arg(o.firm).arg(o.year).toStdString());
        kept.close();
        open(o.firm, o.year);
        EXPECT_EQ(QDir(s().aliasFolder(core::kAliasDatx)), QDir(dir.firmFolder(o.firm)));
        // One database under one schema, not the firm's file attached a second time.
        EXPECT_EQ(s().schemaOf(core::kAliasDatx), s().schemaOf(core::kAliasData));

        const db::SqlResult r = s().run("select i.nazov, p.hodnota from \":tarix_datx:inf\" i, "
                                        "\":tarix_comm:cis_par\" p where p.id = 28");
        ASSERT_EQ(r.rowCount(), 1);
        EXPECT_EQ(r.asString(0, 0), QString::fromUtf8(o.name));
        EXPECT_EQ(r.asFloat(0, 1), o.year);

        kept.open();
        EXPECT_EQ(kept.fieldByName("nazov").asString(), QString::fromUtf8(o.name));
        EXPECT_EQ(kept.fieldByName("hodnota").asFloat(), o.year);

        // A row written through the firm's own alias is read through TARIX_DATX at once.
        s().execute("update \":tarix_data:inf\" set ico = :y", {{"y", QString::number(o.year)}});
        EXPECT_EQ(s().run("select ico from \":tarix_datx:inf\"").asString(0, 0), QString::number(o.year));
    }
    EXPECT_TRUE(scripted.failures().isEmpty()) << scripted.failures().join('\n').toStdString();
}

} // namespace
