// The health insurers' batch files "ZPTXT" (514) and "ZP601" (601) of a fixture month of
// two insurers, through the dispatcher, byte for byte; a month without changes; a run of
// more insurers than a batch holds; the decimal point whatever the locale.
//
// The expected files (expected/zp24_*, zp25_*) were written line by line from the batch
// layouts, not taken from the program:
//   - fields are joined by "|", every line ends in CR LF, the text is Windows-1250 ("á" E1,
//     "Š" 8A, "ť" 9D, "Č" C8);
//   - 514 line 1: N|514|ICO|payer number|insurer and branch as two digits each|the day
//     (the program's clock set to 10.4.2005)|1|number of employee lines, then two empty
//     fields, so it ends "||"; insurer 24 has a payee row (payer 2400123456, branch 3 ->
//     "2403"), insurer 25 none: the firm's ICO is the payer number and the branch "00";
//   - 514 line 2: period|FZ_DEN|name|ICO|payer|DIČ without its "SK" (the fixture stores
//     SK2021458201)|phone|fax (empty)|e-mail|bank code|prefix (empty)|account;
//   - 514 line 3: persons of both groups, the four rates of 2005 (10, 4, 5, 2) as "%.2f",
//     persons A and B, days (31; 31 - 3 = 28), income, bases, employer and employee parts of
//     A and of B, the four parts added, and an empty last field; group B's employer part
//     750.03 is cut to hallers and rounded up to 751.00, group A's of insurer 25 1234.55 to
//     1235.00;
//   - employee lines numbered from 1 in each file, birth numbers without "/" (the fixture
//     stores 680314/5129), amounts "%.2f" with a point, the last field the two parts added;
//   - 601 line 1: N|601|ICO|the insurer's ICO (empty without a payee row)|insurer and
//     branch|day|1|number of change lines|1|1; line 2 from the payer number to the compiler
//     of the request, month without a leading zero, "PO", an empty field after the town, the
//     country's acronym SVK; change lines end with an empty field;
//   - file names N514200503.001 and 36214582 + 20050410 + ".601", in the subfolders ZP24 and
//     ZP25 of the firm's output folder.
#include "reports/health_fixture.h"

#include "core/helpers/messages.h"
#include "filings/rex_zp_txt.h"
#include "platform/format/clock.h"
#include "reports/dispatcher.h"

#include <QLocale>

#include <memory>

using namespace tarix;
using namespace tarix::reports;
using namespace tarix::filings;
using fixtures::HealthFirm;

namespace {

class ZpBatch : public HealthFirm {
protected:
    void SetUp() override
    {
        HealthFirm::SetUp();
        openYear(2005);
        RexZpTxt::registerHealthBatches();
        clock = std::make_unique<fmt::ScopedClock>(QDateTime(QDate(2005, 4, 10), QTime(23, 59, 59)));
        session.execute("update \":tarix_data:inf\" set dic='SK2021458201'");
        session.execute("update \":tarix_data:zam\" set born_numb='680314/5129' where code_emp=1");
        // The test's own row for the insurer replaces the one the demo firm ships.
        session.execute("delete from \":tarix_data:cis_bu\" where buid_typ = 'Z' and buid_kod = 24");
        session.execute("insert into \":tarix_data:cis_bu\" (BUID_TYP, BUID_KOD, POBOCKA_ZP, OLD_CISLO_U, PRIJEMCA, ICO) "
                        "values ('Z', 24, 3, '2400123456', 'Dôvera', '35942436')");
    }
    void TearDown() override
    {
        clock.reset();
        HealthFirm::TearDown();
    }

    std::unique_ptr<fmt::ScopedClock> clock;

    void insertMonth()
    {
        insertVyp(1, 200503, {{"KZP", 24}, {"N_zaklad_zp", 20000}, {"N_prijem_zp", 20000}, {"O_zdravot", 800},
                              {"Oz_zdravot", 2000}, {"F_zdravot", 4}, {"Fz_zdravot", 10}, {"V_kal_dni", 31}});
        insertVyp(2, 200503, {{"KZP", 24}, {"SID", 2}, {"ZTP", 1}, {"Miera_poklesu", 50}, {"N_zaklad_zp", 15000.50},
                              {"N_prijem_zp", 15000.50}, {"O_zdravot", 300.01}, {"Oz_zdravot", 750.03},
                              {"F_zdravot", 2}, {"Fz_zdravot", 5}, {"V_kal_dni", 31}, {"V_nepoist_zp", 3}});
        insertVyp(3, 200503, {{"KZP", 25}, {"N_zaklad_zp", 12345.50}, {"N_prijem_zp", 12345.50}, {"O_zdravot", 493.82},
                              {"Oz_zdravot", 1234.55}, {"F_zdravot", 4}, {"Fz_zdravot", 10}, {"V_kal_dni", 31}});
        insertVyp(4, 200503, {{"KZP", 24}, {"U_zdrav", 0}, {"N_zaklad_zp", 9999}});   // not insured
    }
    void insertChange(int emp, int kzp, const char *kod, const QDate &datum, int mesiac = 3)
    {
        session.execute("insert into \":tarix_data:davka601\" (Code_emp, Kod_zmeny, Platnost_zmeny, Datum_zmeny, "
                        "V_rok, V_mesiac, KZP) values (:p1, :p2, 'A', :p3, 2005, :p4, :p5)",
                        {{"p1", emp}, {"p2", QString::fromLatin1(kod)}, {"p3", datum}, {"p4", mesiac}, {"p5", kzp}});
    }
    QString base() const { return MyConsts::outputFolder(); }
    static QByteArray expected(const char *name)
    {
        return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/filings/expected/") + QString::fromLatin1(name));
    }
    QString completion(const QString &file) const
    {
        QString folder = base();
        folder.chop(1);
        return Msg(65093, file, folder);
    }
};

} // namespace

TEST_F(ZpBatch, FiveFourteenBatchOfTwoInsurers)
{
    insertMonth();
    ParForm::Spusti_zostavu_podla_nazvu(request("ZPTXT", 200503));
    EXPECT_EQ(scripted.messages(), QStringList{completion("N514200503.001")});
    EXPECT_EQ(readFile(base() + "ZP24/N514200503.001"), expected("zp24_N514200503.001"));
    EXPECT_EQ(readFile(base() + "ZP25/N514200503.001"), expected("zp25_N514200503.001"));
    EXPECT_EQ(QDir(base()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), (QStringList{"ZP24", "ZP25"}));
}

TEST_F(ZpBatch, SixOOneBatchOfTwoInsurers)
{
    insertChange(2, 24, "P", {2005, 3, 1});
    insertChange(1, 24, "Z", {2005, 3, 15});
    insertChange(3, 25, "O", {2005, 3, 31});
    insertChange(1, 24, "O", {2005, 4, 30}, 4);   // April's change stays out
    ParForm::Spusti_zostavu_podla_nazvu(request("ZP601", 200503));
    EXPECT_EQ(scripted.messages(), QStringList{completion("3621458220050410.601")});
    EXPECT_EQ(readFile(base() + "ZP24/3621458220050410.601"), expected("zp24_3621458220050410.601"));
    EXPECT_EQ(readFile(base() + "ZP25/3621458220050410.601"), expected("zp25_3621458220050410.601"));
}

TEST_F(ZpBatch, AMonthWithNothingToReportWritesNoFileAndNamesNone)
{
    // ZP601 of a month with payrolls but no change rows; ZPTXT of a month without payrolls.
    struct Pripad {
        const char *kod;
        bool vyplaty;
        const char *dovod;
    } pripady[] = {
        {"ZP601", true, "Za marec 2005 nie sú žiadne zmeny poistencov"},
        {"ZPTXT", false, "Za marec 2005 nie sú žiadne údaje pre výkaz preddavkov"},
    };
    for (const Pripad &c : pripady) {
        SCOPED_TRACE(c.kod);
        session.execute("delete from \":tarix_data:vyp\"");
        if (c.vyplaty)
            insertMonth();
        scripted.clearEvents();
        ParForm::Spusti_zostavu_podla_nazvu(request(c.kod, 200503));
        const QStringList said = scripted.messages();
        ASSERT_EQ(said.size(), 1) << said.join('\n').toStdString();
        EXPECT_EQ(scripted.messages(ui::MessageKind::Information), said);
        EXPECT_TRUE(said[0].startsWith(QString::fromUtf8(c.dovod))) << said[0].toStdString();
        EXPECT_TRUE(said[0].endsWith("Žiadny súbor nebol vytvorený.")) << said[0].toStdString();
        for (const char *nazov : {".601", ".001", "N514", "36214582", "ZP24", "ZP25"})
            EXPECT_FALSE(said[0].contains(QString::fromLatin1(nazov))) << nazov;
        EXPECT_TRUE(QDir(base()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
}

TEST_F(ZpBatch, MoreInsurersThanABatchHoldsStopTheRunWithoutFiles)
{
    for (int kzp = 1; kzp <= 100; ++kzp)
        insertVyp(kzp, 200503, {{"KZP", kzp}, {"N_zaklad_zp", 1000}});
    ParForm::Spusti_zostavu_podla_nazvu(request("ZPTXT", 200503));
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(Msg(65180))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("99")) << errors[0].toStdString();
    EXPECT_TRUE(QDir(base()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ZpBatch, AFailingQueryWritesNothing)
{
    insertMonth();
    session.execute("alter table \":tarix_data:zam\" rename column born_numb to born_numb_x");
    ParForm::Spusti_zostavu_podla_nazvu(request("ZPTXT", 200503));
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(Msg(65180))) << errors[0].toStdString();
    EXPECT_TRUE(QDir(base()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ZpBatch, AmountsUseADecimalPointWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Slovak, QLocale::Slovakia));
    EXPECT_EQ(RexZpTxt::Suma(1234.5), "1234.50");
    EXPECT_EQ(RexZpTxt::Suma(-0.004), "0.00");
    EXPECT_EQ(RexZpTxt::Suma(1000000), "1000000.00");
    QLocale::setDefault(before);
    EXPECT_EQ(RexZpTxt::name514(200506), "N514200506.001");
    EXPECT_EQ(RexZpTxt::name601("123", {2006, 1, 2}), "0000012320060102.601");
    EXPECT_EQ(RexZpTxt::name601("1234567890", {2006, 1, 2}), "1234567820060102.601");
}
