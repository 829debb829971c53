// The check file beside every XML statement for the social insurer: the three
// identification lines, one sum per block of 100 lines and the sum of the rest, over
// UTF-16 code units of strict UTF-8 lines; written whole or not at all; and the
// registered routine the main menu's check-file command runs.
#include "filings/rex_sp_xml.h"

#include "core/helpers/unicode_utils.h"
#include "core/startup_hooks.h"
#include "filings/forms/subsystem.h"
#include "platform/errors.h"
#include "reports/dispatcher.h"
#include "reports/forms/launcher_commands.h"
#include "reports/report_checks.h"
#include "reports/report_param.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarix;
using filings::RexSpXml::controlFileName;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray expected(const char *name)
{
    return readFile(QStringLiteral(TARIX_SOURCE_DIR "/tests/filings/expected/") + QString::fromLatin1(name));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray lines(int count, const QByteArray &line)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b += line + "\r\n";
    return b;
}

} // namespace

// Each statement against its hand-written check file (tests/filings/expected/README.md
// gives the sum behind every number).
TEST(CheckFile, SumsPerBlockOfLinesByteForByte)
{
    const struct {
        const char *name;
        QByteArray xml;
        const char *file;
    } cases[] = {
        {"abc", "abc", "sp_check_abc.txt"},
        {"abc with a final CR LF", "abc\r\n", "sp_check_abc.txt"},
        {"abc with a final LF", "abc\n", "sp_check_abc.txt"},
        {"empty", "", "sp_check_empty.txt"},
        {"100 lines", lines(100, "a"), "sp_check_100.txt"},
        {"101 lines", lines(101, "a"), "sp_check_101.txt"},
        {"101 lines, the last without its line end", lines(100, "a") + "a", "sp_check_101.txt"},
        {"BOM, č and U+1F600", "\xEF\xBB\xBF" "abc\r\n\xC4\x8D\r\n\xF0\x9F\x98\x80\r\n", "sp_check_bom_c_emoji.txt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(controlFileName(c.xml), expected(c.file)) << c.name;
}

// An empty line still counts 23; a line end of its own starts a line.
TEST(CheckFile, EmptyLinesCount)
{
    const QByteArray head = "TARIX Personalistika a Mzdy\r\n3.20H3\r\nNorix Software House\r\n";
    EXPECT_EQ(controlFileName("\r\n"), head + "23\r\n");
    EXPECT_EQ(controlFileName("\r\n\r\n"), head + "46\r\n");
    EXPECT_EQ(controlFileName("abc\r\n\r\n"), head + "340\r\n");
}

TEST(CheckFile, BytesThatAreNotUtf8AreRefused)
{
    for (const QByteArray &bad : {QByteArray("ok\r\n\xC4"), QByteArray("\xFF"), QByteArray("a\xC0\xAF" "b"),
                                 QByteArray("\xED\xA0\x80")})
        EXPECT_THROW(controlFileName(bad), EConvertError) << bad.toHex().toStdString();
}

class CheckFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        registered.keep();
        ASSERT_TRUE(tmp.isValid());
    }
    // The filings' registration puts its commands and routines in the process's registers.
    void TearDown() override { registered.restore(); }
    QString path(const char *name) const { return tmp.filePath(QString::fromLatin1(name)); }
    QTemporaryDir tmp;
    reports::fixtures::RegisterSnapshot registered;
};

TEST_F(CheckFileOnDisk, WrittenBesideTheStatement)
{
    writeFile(path("SPVykaz_1_200506_001.xml"), "abc\r\n");
    filings::RexSpXml::Zapis_kontrolny_subor(path("SPVykaz_1_200506_001.xml"), path("SPVykaz_1_200506_001.txt"));
    EXPECT_EQ(readFile(path("SPVykaz_1_200506_001.txt")), expected("sp_check_abc.txt"));
}

// An invalid statement gives an error and no check file; an earlier check file stays as
// it was. A missing statement is an error too.
TEST_F(CheckFileOnDisk, ABadStatementWritesNoCheckFile)
{
    writeFile(path("bad.xml"), "<a>\xC3\x28</a>\r\n");
    EXPECT_THROW(filings::RexSpXml::Zapis_kontrolny_subor(path("bad.xml"), path("bad.txt")), EConvertError);
    EXPECT_FALSE(QFile::exists(path("bad.txt")));

    writeFile(path("old.txt"), "earlier");
    EXPECT_THROW(filings::RexSpXml::Zapis_kontrolny_subor(path("bad.xml"), path("old.txt")), EConvertError);
    EXPECT_EQ(readFile(path("old.txt")), "earlier");

    EXPECT_THROW(filings::RexSpXml::Zapis_kontrolny_subor(path("none.xml"), path("none.txt")), EMyError);
    EXPECT_FALSE(QFile::exists(path("none.txt")));
}

// The filings' registration puts the writer under the name the main menu's check-file
// command looks up; it takes the statement from Vstupny_subor and writes Vystupny_subor.
TEST_F(CheckFileOnDisk, RegisteredForTheCheckFileCommand)
{
    core::StartupHooks hooks;
    filings::registerSubsystem(hooks);
    ASSERT_TRUE(hooks.afterDataModules);
    hooks.afterDataModules();
    const reports::ReportRun *write =
        reports::reportRegister().findReport(QString::fromUtf16(reports::kZapisKontrolnehoSuboru));
    ASSERT_NE(write, nullptr);
    writeFile(path("sp.xml"), "");
    reports::TMyReportParam p;
    p.Vstupny_subor = path("sp.xml");
    p.Vystupny_subor = path("sp.txt");
    (*write)(p);
    EXPECT_EQ(readFile(path("sp.txt")), expected("sp_check_empty.txt"));
}
