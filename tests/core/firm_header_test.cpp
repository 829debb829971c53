// The firm header's calculated and lookup fields and the check of the employer's birth
// number, on an opened firm.
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/errors.h"

using namespace tarix;

namespace {

class FirmHeader : public firmtest::FirmFixture {
protected:
    void SetUp() override
    {
        install({true, 2007, 2007});
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this] { core::confirmPeriod(core::DM(), 2007, 2007, 3, root()); };
        ASSERT_TRUE(core::openFirmAndYear(1, 2007, steps));
        scripted.clearEvents();
    }

    db::Table &inf() { return core::DM().TINF_; }
    QString text(const char *field) { return inf().fieldByName(QString::fromLatin1(field)).asString(); }

    // Writes header columns as another workstation would and reads the row again.
    void store(const QString &assignments, const db::Params &params = {})
    {
        s().execute(QStringLiteral("update \":tarix_data:inf\" set ") + assignments, params);
        inf().refresh();
    }
};

} // namespace

TEST_F(FirmHeader, CalculatedFieldsFollowTheStoredHeader)
{
    const QString name40 = QStringLiteral("Stavebné a obchodné družstvo Považie 040");
    ASSERT_EQ(name40.size(), 40);
    const QString street30 = QStringLiteral("Ulica generála Milana Štefánik");
    ASSERT_EQ(street30.size(), 30);
    const struct Case {
        QString nazov, ulica;
        QVariant cislo;
        QString psc, mesto;
        int typPremii, typPripl;
        QVariant typPripl2;
        QString adresa, subjekt, textPremii, priplatky, priplatky2;
    } cases[] = {
        {"DEMO STAV, s.r.o.", "Hlavná", "12", "91701", "Trnava", 1, 1, 1, "Hlavná 12, 91701 Trnava",
         "DEMO STAV, s.r.o.,Hlavná 12, 91701 Trnava", "percentuálna sadzba",
         "01111110", // the old value 1 stands for the six fixed kinds
         "00000001"},
        // No house number: neither the number nor its blank; no second flag set at all.
        {"Kováč", "Námestie", QVariant(), "94901", "Nitra", 0, 5, QVariant(), "Námestie, 94901 Nitra",
         "Kováč,Námestie, 94901 Nitra", "individuálna výška", "00000101", "00000000"},
        // The subject is cut to its hundred characters.
        {name40, street30, "1234/56789", "04001", "Košice - Juh - Sídlisko Terasa", 2, 255, 128,
         street30 + " 1234/56789, 04001 Košice - Juh - Sídlisko Terasa",
         (name40 + "," + street30 + " 1234/56789, 04001 Košice - Juh - Sídlisko Terasa").left(100),
         "hodinová sadzba", "11111111", "10000000"},
        // A premium kind without a text.
        {"X", "Y", "1", "00000", "Z", 7, 0, 0, "Y 1, 00000 Z", "X,Y 1, 00000 Z", "", "00000000", "00000000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.nazov.toStdString());
        store("nazov = :n, adr_ulica = :u, adr_cislo = :c, adr_psc = :p, adr_mesto = :m, f_typ_premii = :tp, "
              "f_typ_pripl = :k1, f_typ_pripl2 = :k2",
              {{"n", c.nazov}, {"u", c.ulica}, {"c", c.cislo}, {"p", c.psc}, {"m", c.mesto},
               {"tp", c.typPremii}, {"k1", c.typPripl}, {"k2", c.typPripl2}});
        EXPECT_EQ(text("CALC_ADRESA"), c.adresa);
        EXPECT_EQ(text("CALC_SUBJ"), c.subjekt);
        EXPECT_EQ(text("CALC_TEXT_PREMII"), c.textPremii);
        EXPECT_EQ(text("CALC_TYP_PRIPLATKOV"), c.priplatky);
        EXPECT_EQ(text("CALC_TYP_PRIPLATKOV2"), c.priplatky2);
        EXPECT_EQ(text("CALC_OBDOBIE"), "MAREC 2007");
    }
}

TEST_F(FirmHeader, CalculatedFieldsFollowTheEditAndTheOpenPeriod)
{
    // Posting derives street and number from the typed line; the address follows them.
    inf().edit();
    inf().fieldByName("ADR_ULICA1").setAsString("Nám. SNP 1234/5");
    inf().fieldByName("F_TYP_PREMII").setAsInteger(2);
    EXPECT_EQ(text("CALC_TEXT_PREMII"), "hodinová sadzba") << "recomputed while editing";
    inf().post();
    EXPECT_TRUE(text("CALC_ADRESA").startsWith("Nám. SNP 1234/5, ")) << text("CALC_ADRESA").toStdString();

    core::confirmPeriod(core::DM(), 2007, 2007, 12, root());
    inf().refresh();
    EXPECT_EQ(text("CALC_OBDOBIE"), "DECEMBER 2007");
}

TEST_F(FirmHeader, CountriesAndEmployerKindAreLookedUp)
{
    const struct Case {
        QVariant adrStat, typZel, kaStat;
        QString lAdrStat, lAdrStatAaa, lTypZel, lKaStat;
    } cases[] = {
        {"703", "PO", "CZE", "Slovenská republika", "SVK", "právnická osoba", "Česká republika"},
        {"040", "FO", "SVK", "Rakúsko", "AUT", "fyzická osoba", "Slovenská republika"},
        // The correspondence country is kept by its acronym: a numeric code finds nothing.
        {"999", "XX", "203", "", "", "", ""},
        {QVariant(), QVariant(), QVariant(), "", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.adrStat.toString().toStdString() + " " + c.typZel.toString().toStdString());
        store("adr_stat = :a, typ_zel = :t, ka_stat = :k", {{"a", c.adrStat}, {"t", c.typZel}, {"k", c.kaStat}});
        EXPECT_EQ(text("L_ADR_STAT"), c.lAdrStat);
        EXPECT_EQ(text("L_ADR_STAT_AAA"), c.lAdrStatAaa);
        EXPECT_EQ(text("L_TYP_ZEL"), c.lTypZel);
        EXPECT_EQ(text("L_KA_STAT"), c.lKaStat);
        if (c.lKaStat.isEmpty()) {
            EXPECT_TRUE(inf().fieldByName("L_KA_STAT").isNull());
        }
    }
}

TEST_F(FirmHeader, EmployerBirthNumberIsChecked)
{
    db::Field &rc = inf().fieldByName("FO_RC");
    inf().edit();
    rc.setAsString("7801011234");
    inf().post();
    EXPECT_EQ(one("select fo_rc from \":tarix_data:inf\"").toString(), "7801011234");

    const struct {
        const char *typed;
        int message;
    } refused[] = {{"12X", 65194}, {"780101/123", 65194}, {"12345678", 65098}, {"1", 65098}};
    inf().edit();
    for (const auto &c : refused) {
        try {
            rc.setAsString(QString::fromLatin1(c.typed));
            ADD_FAILURE() << c.typed << " accepted";
        } catch (const EMyError &e) {
            EXPECT_EQ(e.text(), Msg(c.message)) << c.typed;
        }
        EXPECT_EQ(rc.asString(), "7801011234") << "the field keeps its value";
    }
    rc.setAsString("780101123"); // nine digits: a number from before 1954
    rc.clear();                  // an employer who is not a person has none
    inf().post();
    EXPECT_TRUE(one("select fo_rc from \":tarix_data:inf\"").isNull());
}
