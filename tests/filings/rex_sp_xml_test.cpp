// The social insurer's XML statement in both versions: the documents byte for byte with
// their check files, the numbering of the month's files with question 65108, the file
// pair written whole, the annex's rounding, and the run through the dispatcher.
#include "sp_filing_fixture.h"

#include "core/helpers/messages.h"
#include "filings/rex_sp_xml.h"
#include "platform/errors.h"
#include "platform/format/format_pattern.h"
#include "reports/dispatcher.h"
#include "reports/report.h"

#include <QFileInfo>

using namespace tarix;
using namespace tarix::filings;
using fixtures::expectedFile;
using fixtures::readFile;

namespace {

class SpXml : public fixtures::SpFilingFirm {
protected:
    QStringList written() const
    {
        return QDir(outputs()).entryList(QDir::Files, QDir::Name);
    }
};

} // namespace

// Both versions of the fixture month against the hand-written files (see
// tests/filings/expected/README.md for every value), each with its check file beside it.
TEST_F(SpXml, BothVersionsByteForByteWithTheirCheckFiles)
{
    threeEmployees();
    const struct {
        const char *kod;
        QChar typ;
        const char *name;
        const char *expected;
    } cases[] = {
        {"SPXML", u'R', "SPVykaz_36214582_200703_001", "SPVykaz_v241"},
        {"SPXML/2.5", u'O', "SPVykaz-v2.5_36214582_200703_001", "SPVykaz_v25"},
    };
    for (const auto &c : cases) {
        reports::TMyReportParam p = request(QString::fromLatin1(c.kod));
        p.Typ_vykazu = c.typ;
        const QString path = RexSpXml::writeStatement(p, session);
        const QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(path, outputs() + name + ".xml");
        EXPECT_EQ(readFile(outputs() + name + ".xml"), expectedFile(QString::fromLatin1(c.expected) + ".xml")) << c.kod;
        EXPECT_EQ(readFile(outputs() + name + ".txt"), expectedFile(QString::fromLatin1(c.expected) + ".txt")) << c.kod;
    }
}

// Only "SPXML/2.5" is version 2.5; any other code that reaches the writer is 2.4.1.
TEST(SpXmlVersion, OnlyTheCode25IsVersion25)
{
    EXPECT_TRUE(RexSpXml::isVersion25("SPXML/2.5"));
    for (const char *kod : {"SPXML", "SPXML/2.4.1", "spxml/2.5", ""})
        EXPECT_FALSE(RexSpXml::isVersion25(QString::fromLatin1(kod))) << kod;
}

// The annex rounds to the nearest whole number with halves to the even one; the totals'
// "%0.0f" rounds halves away from zero, as every number text of the formatting module.
TEST(SpXmlRounding, AnnexToEvenTotalsAwayFromZero)
{
    const std::pair<double, const char *> annex[] = {{12.5, "12"},  {13.5, "14"},   {-2.5, "-2"}, {-3.5, "-4"},
                                                     {0.4, "0"},    {0.6, "1"},     {-0.4, "0"},  {20000.5, "20000"},
                                                     {1234.49, "1234"}, {0, "0"}};
    for (const auto &[v, text] : annex)
        EXPECT_EQ(RexSpXml::attachmentSum(v), QString::fromLatin1(text)) << v;
    EXPECT_EQ(fmt::format(u"%0.0f", {12.5}), "13");
    EXPECT_EQ(fmt::format(u"%0.0f", {-2.5}), "-3");
}

// In 2.5 the address line's split decides the address elements: no street writes only
// supCislo (the first number) before obec, no second number writes no supCislo. An empty
// account prefix gives the number alone. A month without insured employees writes an
// empty annex.
TEST_F(SpXml, AddressSplitAccountAndEmptyAnnex)
{
    const struct {
        const char *ulica1;
        QByteArray adresa;
    } cases[] = {
        {"Hlavná 12", "<adresa>\r\n<ulica>Hlavná</ulica>\r\n<oCislo>12</oCislo>\r\n<obec>"},
        {"15/3", "<adresa>\r\n<supCislo>3</supCislo>\r\n<obec>"},
        {"Hlavná 12A", "<adresa>\r\n<ulica>Hlavná 12A</ulica>\r\n<oCislo></oCislo>\r\n<obec>"},
    };
    session.execute("update \":tarix_data:inf\" set predcislo_u='  '");
    for (const auto &c : cases) {
        session.execute("update \":tarix_data:inf\" set adr_ulica1=:a", {{"a", QString::fromUtf8(c.ulica1)}});
        RexSpXml::SpStatementData u;
        u.param = request(QStringLiteral("SPXML/2.5"));
        u.vytvorene = fmt::now();
        u.zamestnavatel = RexSpXml::loadEmployer(session);
        const QByteArray xml = RexSpXml::Zapis_xml(u);
        EXPECT_TRUE(xml.contains(c.adresa)) << c.ulica1 << "\n" << xml.toStdString();
        EXPECT_TRUE(xml.contains("<cisloUctu>3621458202</cisloUctu>\r\n"));
        EXPECT_TRUE(xml.contains("<poistneZamestnancov>\r\n</poistneZamestnancov>\r\n"));
    }
}

// A second run of the month asks 65108 naming the earlier file and writes 002 with its own
// check file; "No" writes nothing. A file of another case ("..._003.XML") takes its number.
TEST_F(SpXml, NumberingAsksAndTakesTheNextFreeNumber)
{
    threeEmployees();
    const QString first = outputs() + "SPVykaz_36214582_200703_001.xml";
    EXPECT_EQ(RexSpXml::writeStatement(request("SPXML"), session), first);
    EXPECT_TRUE(scripted.messages().isEmpty());

    scripted.answerYes(Msg(65108, first));
    EXPECT_EQ(RexSpXml::writeStatement(request("SPXML"), session), outputs() + "SPVykaz_36214582_200703_002.xml");
    EXPECT_TRUE(QFile::exists(outputs() + "SPVykaz_36214582_200703_002.txt"));

    QFile upper(outputs() + "SPVykaz_36214582_200703_003.XML");
    ASSERT_TRUE(upper.open(QIODevice::WriteOnly));
    upper.close();
    scripted.answerNo(Msg(65108, upper.fileName()));
    EXPECT_TRUE(RexSpXml::writeStatement(request("SPXML"), session).isEmpty());
    EXPECT_EQ(written(), (QStringList{"SPVykaz_36214582_200703_001.txt", "SPVykaz_36214582_200703_001.xml",
                                      "SPVykaz_36214582_200703_002.txt", "SPVykaz_36214582_200703_002.xml",
                                      "SPVykaz_36214582_200703_003.XML"}));

    scripted.answerYes(Msg(65108, upper.fileName()));
    EXPECT_EQ(RexSpXml::writeStatement(request("SPXML"), session), outputs() + "SPVykaz_36214582_200703_004.xml");
    // The other version has names of its own: its first file is 001 without a question.
    EXPECT_EQ(RexSpXml::writeStatement(request("SPXML/2.5"), session),
              outputs() + "SPVykaz-v2.5_36214582_200703_001.xml");
}

// With every number from 001 to 999 taken the run stops with a message: no file 000.
TEST_F(SpXml, NoFreeNumberStopsTheRun)
{
    ASSERT_TRUE(QDir().mkpath(outputs()));
    for (int n = 1; n <= 999; ++n) {
        QFile f(outputs() + QStringLiteral("SPVykaz_36214582_200703_%1.xml").arg(n, 3, 10, QLatin1Char('0')));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_THROW(RexSpXml::writeStatement(request("SPXML"), session), EMyError);
    EXPECT_FALSE(QFile::exists(outputs() + "SPVykaz_36214582_200703_000.xml"));
    EXPECT_EQ(written().filter(".txt").size(), 0);
}

// When the check file cannot be written, the statement is removed again: neither file
// stays, and the next run takes the same number.
TEST_F(SpXml, AFailedCheckFileLeavesNeitherFile)
{
    threeEmployees();
    ASSERT_TRUE(QDir().mkpath(outputs() + "SPVykaz_36214582_200703_001.txt"));  // a folder in its place
    EXPECT_THROW(RexSpXml::writeStatement(request("SPXML"), session), EMyError);
    EXPECT_FALSE(QFile::exists(outputs() + "SPVykaz_36214582_200703_001.xml"));
    ASSERT_TRUE(QDir().rmdir(outputs() + "SPVykaz_36214582_200703_001.txt"));
    EXPECT_EQ(RexSpXml::writeStatement(request("SPXML"), session), outputs() + "SPVykaz_36214582_200703_001.xml");
}

// An ICO that would lead the file out of its folder stops the run before anything is
// written.
TEST_F(SpXml, AnUnfitIcoWritesNothing)
{
    session.execute("update \":tarix_data:inf\" set ico='../36'");
    EXPECT_THROW(RexSpXml::writeStatement(request("SPXML"), session), EMyError);
    EXPECT_TRUE(written().isEmpty());
}

// Through the dispatcher as the menu's "SPXML" item: the file pair and 65151 naming the
// statement; a failing query ends the run with 65180 and writes nothing.
TEST_F(SpXml, TheDispatcherRunsTheWriter)
{
    threeEmployees();
    reports::ParForm::Spusti_zostavu_podla_nazvu(request("SPXML"));
    const QString xml = outputs() + "SPVykaz_36214582_200703_001.xml";
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65151, xml)});
    EXPECT_EQ(readFile(outputs() + "SPVykaz_36214582_200703_001.txt"), expectedFile("SPVykaz_v241.txt"));

    scripted.clearEvents();
    session.execute("alter table \":tarix_data:vyp\" rename to vyp_x");
    reports::ParForm::Spusti_zostavu_podla_nazvu(request("SPXML/2.5"));
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.at(0).startsWith(Msg(65180))) << errors.at(0).toStdString();
    EXPECT_FALSE(QFile::exists(outputs() + "SPVykaz-v2.5_36214582_200703_001.xml"));
    session.execute("alter table \":tarix_data:vyp_x\" rename to vyp");
}
