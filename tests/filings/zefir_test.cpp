// The monthly totals file for Zefir: the amounts as written, which recapitulation line feeds
// which amount, and the file of a fixture year compared with "Mzdy2005.txt" written by hand.
#include "filings/zefir.h"

#include "core/helpers/messages.h"
#include "payroll/dm_v.h"
#include "sp_filing_fixture.h"

#include <QDir>
#include <QFile>

using namespace tarix;
namespace Zefir = filings::Zefir;
using reports::REXNZ::Riadok;

// Rounded down towards minus infinity on the value in hundredths, "%6d".
TEST(ZefirAmounts, AreRoundedDownAndRightAligned)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {0, "     0"},       {-0.5, "    -1"},     {1234.99, "  1234"},     {1233.9999999, "  1234"},
        {-1234.01, " -1235"}, {999999.99, "999999"}, {1234567.8, "1234567"}, {-0.001, "     0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Zefir::Hodnota(c.value).toStdString(), c.text) << c.value;
}

// Which line of the recapitulation feeds which amount, from 2004 and before.
TEST(ZefirAmounts, ComeFromTheRecapitulationsLines)
{
    const auto line = [](const char *text, double suma, std::optional<double> suma1 = std::nullopt) {
        Riadok r;
        r.text = QString::fromUtf8(text);
        r.suma = suma;
        r.suma1 = suma1;
        return r;
    };
    const std::vector<Riadok> from2004{
        line("Hrubý príjem", 30000),
        line("Poistné - zamestnanci", 1200),
        line("Poistné - zamestnávateľ", 3000),
        line("Poistné do soc.poisťovne - 1.zamestnanci/2.zamestnávateľ", 2800, 7000),
        line("Daňový úrad - odvod dane spolu", 2500),
        line("Sociálna poisťovňa 1.Poistné/2.Dávky NP", 9800, 450),
        line("Výplata - zrážky", 300),
        line("Výplata - zálohy", 1000),
        line("Výplata - 1.v hotovosti/2.bezhotovostne", 4000, 18000),
        line("Výplata - spolu", 23300),
    };
    const Zefir::Mesiac m = Zefir::monthSums(from2004, 200503, 4.5);
    EXPECT_EQ(m.hrube_mzdy, 30000);
    EXPECT_EQ(m.np12, 4000);
    EXPECT_EQ(m.np38, 10000);
    EXPECT_EQ(m.dan, 2500);
    EXPECT_EQ(m.poistenie, 135);
    EXPECT_EQ(m.nemocenske, 450);
    EXPECT_EQ(m.zrazky, 300);
    EXPECT_EQ(m.prijmy, 23000);

    const std::vector<Riadok> before2004{
        line("Hrubý príjem", 10000.5),
        line("Poistné - zamestnanci", 500),
        line("Poistné - zamestnávateľ", 1500),
        line("Odvod poistného do soc.poisťovne - zamestnanci", 730),
        line("Odvod poistného do soc.poisťovne - zamestnávateľ", 2640),
    };
    const Zefir::Mesiac s = Zefir::monthSums(before2004, 200312, 2.1);
    EXPECT_EQ(s.np12, 1230);
    EXPECT_EQ(s.np38, 4140);
    // 10000.5 x 2.1 per mille = 21.00105: to whole crowns away from zero.
    EXPECT_EQ(s.poistenie, 22);
    EXPECT_EQ(s.nemocenske, 0);
}

namespace {

class ZefirFile : public filings::fixtures::SpFilingFirm {
protected:
    void SetUp() override
    {
        SpFilingFirm::SetUp();
        payroll::createDMV();
        openYear(2005);
        demo.setPeriod(2005, 3, 0);
        session.execute("update \":tarix_data:inf\" set f_poistne = 5.2");
        QDir().mkpath(folder());
    }
    void TearDown() override
    {
        payroll::destroyDMV();
        SpFilingFirm::TearDown();
    }
    QString folder() const { return dir.root() + "DATA01/Zefir"; }
    QString file() const { return folder() + "/Mzdy2005.txt"; }

    // March and July 2005 with wages, payout and tax, and no insurance.
    void fixtureYear()
    {
        insertVyp(1, 200503,
                  {{"U_zdrav", 0}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}, {"N_brutto", 20000.5},
                   {"D_preddavok", 1500}, {"Ne_zaloha", 2000}, {"Vyplata", 3000.25}, {"Sporenie", 10000},
                   {"Ne_poistovna", 700.4}, {"Ne_pozicky", 0}, {"Ne_odborar", 0}, {"Ne_exekucia", 0},
                   {"Ne_stravne", 0}, {"Nd_spolu", 1200.6}});
        insertVyp(2, 200507,
                  {{"U_zdrav", 0}, {"U_nemoc", 0}, {"U_dochod", 0}, {"U_fondzam", 0}, {"N_brutto", 1234.99},
                   {"Vyplata", 1000}});
    }
};

} // namespace

// The file of the fixture year, compared with tests/filings/expected/Mzdy2005.txt, written by
// hand: twelve blocks "------------------" (18 dashes), "Mesiac mm", eight lines of a
// 13-character label and the amount "%6d"; Windows-1250, CR LF. March: gross 20000.5 ->
// 20000; dan the advances 1500; poistenie 20000.5 x 5.2 per mille = 104.0026, away from zero
// 105; nemocenske 1200.6 -> 1200; zrazky 700.4 -> 700; prijmy 2000 + 3000.25 + 10000 ->
// 15000. July: gross 1234.99 -> 1234, poistenie 6.42 -> 7, prijmy 1000. Every other month
// "     0". A second run replaces the file rather than appending to it.
TEST_F(ZefirFile, TheYearsFileIsWrittenAndReplaced)
{
    fixtureYear();
    QFile old(file());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        scripted.clearEvents();
        scripted.answerYes(Msg(65152));
        EXPECT_EQ(Zefir::Export_udajov(), file());
        EXPECT_EQ(filings::fixtures::readFile(file()), filings::fixtures::expectedFile("Mzdy2005.txt"));
        EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65153, file())});
    }
    // The private table nakl is not written by the export.
    EXPECT_EQ(session.run("select count(*) from \":tarix_priv:nakl\"").asInteger(0, 0), 0);
}

// "No" writes nothing; a missing folder "Zefir" is reported and not made.
TEST_F(ZefirFile, NoOrAMissingFolderWritesNothing)
{
    scripted.answerNo(Msg(65152));
    EXPECT_TRUE(Zefir::Export_udajov().isEmpty());
    EXPECT_FALSE(QFile::exists(file()));

    ASSERT_TRUE(QDir(folder()).removeRecursively());
    scripted.answerYes(Msg(65152));
    EXPECT_TRUE(Zefir::Export_udajov().isEmpty());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Information).isEmpty());
    EXPECT_FALSE(QDir(folder()).exists());
}
