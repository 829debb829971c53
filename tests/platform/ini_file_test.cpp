#include "platform/ini/ini_file.h"
#include "platform/codepage/cp1250.h"
#include "platform/errors.h"
#include "platform/shell/file_errors.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tarix::ini::IniFile;
using tarix::ini::IniProblem;

namespace {

class IniTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString path(const QString &name = QStringLiteral("TRX.INI")) const { return dir.filePath(name); }
    void put(const QByteArray &bytes, const QString &name = QStringLiteral("TRX.INI")) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray get(const QString &name = QStringLiteral("TRX.INI")) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

// A file as people edit it on Windows: CR LF, blanks, comments, Windows-1250 letters,
// a duplicate key and section, a blank value, quotes, and no line end after the last line.
const QByteArray kSample =
    "; TARIX settings\r\n"
    "[NETWORK]\r\n"
    "  Network_Path =  \\\\server\\tarix\\   \r\n"
    "\r\n"
    "[ Texty ]\r\n"
    "Doplatky=Doplatky za \xBE" "ahk\xFA pr\xE1" "cu\r\n"
    "doplatky=second\r\n"
    "Prazdny=\r\n"
    "Uvodzovky=\"  v \xFAvodzovk\xE1" "ch  \"\r\n"
    "Apostrof='a'\r\n"
    "Neparove=\"a\r\n"
    "bez rovnitka\r\n"
    "vnutri = a = b ; nie koment\xE1r\r\n"
    "\r\n"
    "[COLOR]\r\n"
    "Pole1=$00FFFFFF\r\n"
    "[texty]\r\n"
    "Doplatky=third\r\n"
    "Druha=only in the second block\r\n"
    "[Kompatibilita]\n"
    "Priplatky=0";

// A file of two sections, the network root and a text with Slovak letters, read whole.
void expectNetworkAndTexts(const IniFile &ini)
{
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("NETWORK"), QStringLiteral("Texty")}));
    EXPECT_EQ(ini.readString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QString()),
              QStringLiteral("\\\\server\\tarix"));
    EXPECT_EQ(ini.readString(QStringLiteral("Texty"), QStringLiteral("Doplatky"), QString()),
              QStringLiteral("Doplatky za ťažkú prácu"));
    EXPECT_TRUE(ini.problems().isEmpty());
}

} // namespace

TEST_F(IniTest, ReadsValuesAsWindowsDoes)
{
    put(kSample);
    IniFile ini(path());
    struct Case {
        const char *section;
        const char *key;
        QString expected;
    } cases[] = {
        {"NETWORK", "Network_Path", QStringLiteral("\\\\server\\tarix\\")},
        {"network", "NETWORK_PATH", QStringLiteral("\\\\server\\tarix\\")},
        {"Texty", "Doplatky", QStringLiteral("Doplatky za ľahkú prácu")}, // first key wins
        {"Texty", "Prazdny", QString()},                                 // blank, not the default
        {"Texty", "Uvodzovky", QStringLiteral("  v úvodzovkách  ")},      // quotes removed, inside kept
        {"Texty", "Apostrof", QStringLiteral("a")},
        {"Texty", "Neparove", QStringLiteral("\"a")},
        {"Texty", "vnutri", QStringLiteral("a = b ; nie komentár")},
        {"Texty", "bez rovnitka", QStringLiteral("<default>")},
        {"Texty", "Druha", QStringLiteral("<default>")}, // the first [Texty] block is the section
        {"Kompatibilita", "Priplatky", QStringLiteral("0")}, // LF line end, no final line end
        {"Missing", "Key", QStringLiteral("<default>")},
        {"Texty", "Missing", QStringLiteral("<default>")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.readString(QString::fromLatin1(c.section), QString::fromLatin1(c.key),
                                 QStringLiteral("<default>")),
                  c.expected)
            << c.section << "/" << c.key;
    EXPECT_TRUE(ini.problems().isEmpty());
}

TEST_F(IniTest, ListsSectionsAndKeysOnceInFileOrder)
{
    put(kSample);
    IniFile ini(path());
    EXPECT_EQ(ini.sectionNames(), (QStringList{QStringLiteral("NETWORK"), QStringLiteral("Texty"),
                                                QStringLiteral("COLOR"), QStringLiteral("Kompatibilita")}));
    EXPECT_EQ(ini.keys(QStringLiteral("TEXTY")),
              (QStringList{QStringLiteral("Doplatky"), QStringLiteral("Prazdny"), QStringLiteral("Uvodzovky"),
                           QStringLiteral("Apostrof"), QStringLiteral("Neparove"), QStringLiteral("vnutri")}));
    EXPECT_TRUE(ini.keys(QStringLiteral("nothing")).isEmpty());
}

TEST_F(IniTest, MissingFileGivesDefaultsAndNoProblems)
{
    IniFile ini(path(QStringLiteral("PARAM.INI")));
    EXPECT_EQ(ini.readString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QStringLiteral("/opt/tarix/")),
              QStringLiteral("/opt/tarix/"));
    EXPECT_EQ(ini.readInteger(QStringLiteral("Kompatibilita"), QStringLiteral("Priplatky"), 1), 1);
    EXPECT_EQ(ini.readFloat(QStringLiteral("X"), QStringLiteral("Y"), 2.5), 2.5);
    EXPECT_TRUE(ini.sectionNames().isEmpty());
    EXPECT_TRUE(ini.problems().isEmpty());
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(IniTest, ReadsIntegersInDecimalAndHexadecimal)
{
    struct Case {
        const char *text;
        int expected;
        bool problem;
    } cases[] = {
        {"12", 12, false},
        {"-5", -5, false},
        {"+7", 7, false},
        {"$FF", 255, false},
        {"0xff", 255, false},
        {"0XFF", 255, false},
        {"$00BBGGRR", -1, true},
        {"$00E0FFFF", 0x00E0FFFF, false},
        {"$FFFFFFFF", -1, false},  // a 32-bit pattern, as colour numbers are written
        {"$100000000", -1, true},  // more than 32 bits
        {"2147483647", 2147483647, false},
        {"2147483648", -1, true},
        {"", -1, false},           // blank: the default, nothing to report
        {"12a", -1, true},
        {"1 2", -1, true},
        {"0x", -1, true},
        {"$", -1, true},
        {"1.5", -1, true},
    };
    QByteArray content = "[COLOR]\r\n";
    int i = 0;
    for (const Case &c : cases)
        content += "K" + QByteArray::number(i++) + "=" + QByteArray(c.text) + "\r\n";
    put(content);
    IniFile ini(path());
    i = 0;
    for (const Case &c : cases) {
        ini.clearProblems();
        const QString key = QStringLiteral("k%1").arg(i++);
        EXPECT_EQ(ini.readInteger(QStringLiteral("color"), key, -1), c.expected) << c.text;
        if (c.problem) {
            ASSERT_EQ(ini.problems().size(), 1) << c.text;
            const IniProblem p = ini.problems().first();
            EXPECT_EQ(p.kind, IniProblem::Kind::NotANumber);
            EXPECT_EQ(p.section, QStringLiteral("color"));
            EXPECT_EQ(p.key, key);
            EXPECT_EQ(p.value, QString::fromUtf8(c.text));
        } else {
            EXPECT_TRUE(ini.problems().isEmpty()) << c.text;
        }
    }
}

TEST_F(IniTest, ReadsFloatsWithPointOrComma)
{
    struct Case {
        const char *text;
        double expected;
        bool problem;
    } cases[] = {
        {"20.5", 20.5, false}, {"20,5", 20.5, false}, {"-0.25", -0.25, false}, {"1e3", 1000, false},
        {"367200", 367200, false}, {"", -9, false}, {"abc", -9, true}, {"inf", -9, true},
        {"nan", -9, true}, {"1,000.5", -9, true}, {"1 000", -9, true}, {"0x10", -9, true},
    };
    QByteArray content = "[DAN-OD]\r\n";
    int i = 0;
    for (const Case &c : cases)
        content += "PASMO_" + QByteArray::number(i++) + "=" + QByteArray(c.text) + "\r\n";
    put(content);
    IniFile ini(path());
    i = 0;
    for (const Case &c : cases) {
        ini.clearProblems();
        EXPECT_DOUBLE_EQ(ini.readFloat(QStringLiteral("DAN-OD"), QStringLiteral("PASMO_%1").arg(i++), -9), c.expected)
            << c.text;
        EXPECT_EQ(ini.problems().size(), c.problem ? 1 : 0) << c.text;
    }
}

TEST_F(IniTest, ProblemsAreRecordedOnceAndKeptUntilCleared)
{
    put("[Milionarska_Dan]\r\nObdobie_od=1998O5\r\nPasmo1=x\r\n");
    IniFile ini(path());
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(ini.readInteger(QStringLiteral("Milionarska_Dan"), QStringLiteral("Obdobie_od"), 199805), 199805);
        EXPECT_EQ(ini.readInteger(QStringLiteral("Milionarska_Dan"), QStringLiteral("Pasmo1"), 0), 0);
    }
    const QList<IniProblem> expected{
        {IniProblem::Kind::NotANumber, QStringLiteral("Milionarska_Dan"), QStringLiteral("Obdobie_od"), QStringLiteral("1998O5")},
        {IniProblem::Kind::NotANumber, QStringLiteral("Milionarska_Dan"), QStringLiteral("Pasmo1"), QStringLiteral("x")},
    };
    EXPECT_EQ(ini.problems(), expected);
    ini.clearProblems();
    EXPECT_TRUE(ini.problems().isEmpty());
}

TEST_F(IniTest, WritingChangesOnlyWhatWasAsked)
{
    put(kSample);
    IniFile ini(path());

    // An existing key: its line only, spelled as the file spells it; the duplicate stays.
    ini.writeString(QStringLiteral("TEXTY"), QStringLiteral("DOPLATKY"), QStringLiteral("Nové ľ"));
    QByteArray expected = kSample;
    expected.replace("Doplatky=Doplatky za \xBE" "ahk\xFA pr\xE1" "cu\r\n", "Doplatky=Nov\xE9 \xBE\r\n");
    expected.replace("[Kompatibilita]\n", "[Kompatibilita]\r\n");
    expected += "\r\n"; // every line ends in CR LF, the last one too
    EXPECT_EQ(get(), expected);
    EXPECT_EQ(ini.readString(QStringLiteral("Texty"), QStringLiteral("Doplatky"), QString()), QStringLiteral("Nové ľ"));

    // A new key of an existing section: after its last line, before the blank separator.
    ini.writeString(QStringLiteral("network"), QStringLiteral("Nove"), QStringLiteral("1"));
    expected.replace("tarix\\   \r\n\r\n[ Texty ]", "tarix\\   \r\nNove=1\r\n\r\n[ Texty ]");
    EXPECT_EQ(get(), expected);

    // A new section at the end.
    ini.writeString(QStringLiteral("PARAMETER 28"), QStringLiteral("HODNOTA"), QStringLiteral("0.5"));
    expected += "[PARAMETER 28]\r\nHODNOTA=0.5\r\n";
    EXPECT_EQ(get(), expected);

    EXPECT_EQ(files(), QStringList{QStringLiteral("TRX.INI")}); // no temporary file left behind
    EXPECT_TRUE(ini.problems().isEmpty());
}

TEST_F(IniTest, WritingCreatesTheFileAndKeepsBlanksAsGiven)
{
    IniFile ini(path(QStringLiteral("PARAM.INI")));
    ini.writeString(QStringLiteral("PARAMETER 1"), QStringLiteral("POPIS"), QStringLiteral("Minimálna mzda"));
    ini.writeString(QStringLiteral("PARAMETER 1"), QStringLiteral("SKRATKA"), QString());
    ini.writeString(QStringLiteral("PARAMETER 2"), QStringLiteral("POPIS"), QStringLiteral(" x "));
    EXPECT_EQ(get(QStringLiteral("PARAM.INI")),
              QByteArray("[PARAMETER 1]\r\nPOPIS=Minim\xE1lna mzda\r\nSKRATKA=\r\n[PARAMETER 2]\r\nPOPIS= x \r\n"));
    EXPECT_EQ(ini.readString(QStringLiteral("PARAMETER 1"), QStringLiteral("SKRATKA"), QStringLiteral("d")), QString());
    EXPECT_EQ(ini.readString(QStringLiteral("PARAMETER 2"), QStringLiteral("POPIS"), QString()), QStringLiteral("x"));
}

TEST_F(IniTest, RefusesTextsThatWouldBecomeOtherLines)
{
    put("[A]\r\nk=v\r\n");
    IniFile ini(path());
    const QString bad[][3] = {
        {QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v\r\n[B]")},
        {QStringLiteral("A"), QStringLiteral("k\nx"), QStringLiteral("v")},
        {QStringLiteral("A]"), QStringLiteral("k"), QStringLiteral("v")},
        {QStringLiteral("A"), QStringLiteral("k=x"), QStringLiteral("v")},
        {QStringLiteral("A"), QStringLiteral(" "), QStringLiteral("v")},
        {QString(), QStringLiteral("k"), QStringLiteral("v")},
    };
    for (const auto &b : bad)
        EXPECT_THROW(ini.writeString(b[0], b[1], b[2]), std::invalid_argument) << b[1].toStdString();
    EXPECT_EQ(get(), QByteArray("[A]\r\nk=v\r\n"));
}

TEST_F(IniTest, UnmappableCharactersAreWrittenAsQuestionMarkAndReported)
{
    IniFile ini(path());
    ini.writeString(QStringLiteral("Texty"), QStringLiteral("Doplatky"), QStringLiteral("Ω-€"));
    EXPECT_EQ(get(), QByteArray("[Texty]\r\nDoplatky=?-\x80\r\n"));
    ASSERT_EQ(ini.problems().size(), 1);
    EXPECT_EQ(ini.problems().first().kind, IniProblem::Kind::Unmappable);
    EXPECT_EQ(ini.problems().first().value, QStringLiteral("Ω-€"));
}

TEST_F(IniTest, UndefinedBytesAreReportedAndTheirLinesKeptOnWrite)
{
    const QByteArray content = "[Texty]\r\nZly=a\x81z\r\nDobry=1\r\n";
    put(content);
    IniFile ini(path());
    EXPECT_EQ(ini.readString(QStringLiteral("Texty"), QStringLiteral("Zly"), QString()),
              QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral("z"));
    ASSERT_FALSE(ini.problems().isEmpty());
    EXPECT_EQ(ini.problems().first().kind, IniProblem::Kind::UndefinedByte);
    EXPECT_EQ(ini.problems().first().section, QStringLiteral("Texty"));
    EXPECT_EQ(ini.problems().first().key, QStringLiteral("Zly"));

    ini.writeString(QStringLiteral("Texty"), QStringLiteral("Dobry"), QStringLiteral("2"));
    EXPECT_EQ(get(), QByteArray("[Texty]\r\nZly=a\x81z\r\nDobry=2\r\n"));
}

TEST_F(IniTest, EraseSectionRemovesEveryBlockOfThatName)
{
    put(kSample);
    IniFile ini(path());
    ini.eraseSection(QStringLiteral("texty"));
    EXPECT_EQ(get(), QByteArray("; TARIX settings\r\n[NETWORK]\r\n  Network_Path =  \\\\server\\tarix\\   \r\n\r\n"
                                "[COLOR]\r\nPole1=$00FFFFFF\r\n[Kompatibilita]\r\nPriplatky=0\r\n"));
    EXPECT_EQ(ini.readString(QStringLiteral("Texty"), QStringLiteral("Druha"), QStringLiteral("d")), QStringLiteral("d"));

    const QByteArray before = get();
    ini.eraseSection(QStringLiteral("nothing"));
    EXPECT_EQ(get(), before);
}

TEST_F(IniTest, FileNameWithBackslashesIsFoundWithoutRegardToCase)
{
    put("[NETWORK]\r\nNetwork_Path=x\r\n");
    IniFile ini(dir.path() + QStringLiteral("\\trx.ini"));
    EXPECT_EQ(ini.readString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QString()), QStringLiteral("x"));
    EXPECT_EQ(ini.resolvedFileName(), path());
    ini.writeString(QStringLiteral("NETWORK"), QStringLiteral("Network_Path"), QStringLiteral("y"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("TRX.INI")});
    EXPECT_EQ(get(), QByteArray("[NETWORK]\r\nNetwork_Path=y\r\n"));
}

TEST_F(IniTest, AChangeByAnotherObjectIsSeenAtOnce)
{
    IniFile reader(path());
    IniFile writer(path());
    EXPECT_EQ(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    writer.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(reader.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("v"));
}

TEST_F(IniTest, AFileThatCannotBeWrittenGivesTheClerkTheFileAndTheReason)
{
    const struct {
        const char *name;
        const char *reason;
    } cases[] = {
        {"missing/TRX.INI", "neexistuje"},         // the folder is not there
        {"folder/TRX.INI", "na jeho mieste je priečinok"},
    };
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder/TRX.INI")));
    for (const auto &c : cases) {
        IniFile ini(path(QString::fromUtf8(c.name)));
        try {
            ini.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v"));
            ADD_FAILURE() << c.name << " was written";
        } catch (const tarix::EMyError &e) {
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("Súbor nastavení "))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.name))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(QString::fromUtf8(c.reason))) << e.text().toStdString();
        }
    }
}

// The same settings saved by other editors: with a byte-order mark in UTF-8 or UTF-16, or
// in UTF-8 without one. The first section (the network path) must not be lost to the mark,
// and a write keeps the file's encoding.
TEST_F(IniTest, FilesInUnicodeAreReadAndWrittenBackInTheirEncoding)
{
    const QString text = QStringLiteral("[NETWORK]\r\nNetwork_Path=\\\\server\\tarix\r\n"
                                        "[Texty]\r\nDoplatky=Doplatky za ťažkú prácu\r\n");
    auto utf16 = [&](QStringConverter::Encoding e, const char *bom) {
        QStringEncoder enc(e);
        return QByteArray(bom) + QByteArray(enc.encode(text));
    };
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8()},
        {"UTF-8 without mark", text.toUtf8()},
        {"UTF-16 LE", utf16(QStringConverter::Utf16LE, "\xFF\xFE")},
        {"UTF-16 BE", utf16(QStringConverter::Utf16BE, "\xFE\xFF")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.bytes);
        IniFile ini(path());
        expectNetworkAndTexts(ini);

        ini.writeString(QStringLiteral("Texty"), QStringLiteral("Novy"), QStringLiteral("č"));
        QByteArray expected = c.bytes;
        const QString added = QStringLiteral("Novy=č\r\n");
        if (c.bytes.startsWith("\xFF\xFE"))
            expected += QStringEncoder(QStringConverter::Utf16LE).encode(added);
        else if (c.bytes.startsWith("\xFE\xFF"))
            expected += QStringEncoder(QStringConverter::Utf16BE).encode(added);
        else
            expected += added.toUtf8();
        EXPECT_EQ(get(), expected);
    }
}

TEST_F(IniTest, UnicodeWithoutAMarkAndLinesEndedByCrAloneAreReadAsWritten)
{
    const QString lines[] = {QStringLiteral("[NETWORK]"), QStringLiteral("Network_Path=\\\\server\\tarix"),
                             QStringLiteral("[Texty]"), QStringLiteral("Doplatky=Doplatky za ťažkú prácu")};
    const auto joined = [&](const char *end) {
        QString text;
        for (const QString &l : lines)
            text += l + QString::fromLatin1(end);
        return text;
    };
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-16 LE without a mark", QStringEncoder(QStringConverter::Utf16LE).encode(joined("\r\n"))},
        {"UTF-16 BE without a mark", QStringEncoder(QStringConverter::Utf16BE).encode(joined("\r\n"))},
        {"Windows-1250, CR alone", tarix::codepage::toCp1250(joined("\r"))},
        {"UTF-8, CR alone, no end after the last line", joined("\r").chopped(1).toUtf8()},
        {"UTF-16 LE without a mark, CR alone", QStringEncoder(QStringConverter::Utf16LE).encode(joined("\r"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        put(c.bytes);
        IniFile ini(path());
        expectNetworkAndTexts(ini);
        // A value written keeps the others as read.
        ini.writeString(QStringLiteral("Texty"), QStringLiteral("Novy"), QStringLiteral("č"));
        IniFile again(path());
        EXPECT_EQ(again.readString(QStringLiteral("Texty"), QStringLiteral("Doplatky"), QString()),
                  QStringLiteral("Doplatky za ťažkú prácu"));
        EXPECT_EQ(again.readString(QStringLiteral("Texty"), QStringLiteral("Novy"), QString()), QStringLiteral("č"));
    }
}

TEST_F(IniTest, DamagedUnicodeIsReportedNotDropped)
{
    // UTF-16 cut in the middle of a character, and UTF-8 with a mark but a stray byte.
    QByteArray utf16 = QByteArray("\xFF\xFE") + QByteArray(QStringEncoder(QStringConverter::Utf16LE)
                                                                .encode(QStringLiteral("[A]\r\nk=v\r\nz=x")));
    utf16.chop(1);
    const QByteArray utf8 = "\xEF\xBB\xBF[A]\r\nk=v\r\nz=a\x81\r\n";
    for (const QByteArray &bytes : {utf16, utf8}) {
        put(bytes);
        IniFile ini(path());
        EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("k"), QString()), QStringLiteral("v"));
        ASSERT_EQ(ini.problems().size(), 1);
        EXPECT_EQ(ini.problems().first().kind, IniProblem::Kind::UndefinedByte);
        EXPECT_EQ(ini.problems().first().key, QStringLiteral("z"));
    }
}

TEST_F(IniTest, WindowsLettersThatAreNotUtf8StayWindows1250)
{
    // "á" in Windows-1250 is the byte E1, which cannot begin valid UTF-8 followed by "c".
    put("[Texty]\r\nDoplatky=pr\xE1" "ca\r\n");
    IniFile ini(path());
    EXPECT_EQ(ini.readString(QStringLiteral("Texty"), QStringLiteral("Doplatky"), QString()), QStringLiteral("práca"));
    ini.writeString(QStringLiteral("Texty"), QStringLiteral("Dalsi"), QStringLiteral("š"));
    EXPECT_EQ(get(), QByteArray("[Texty]\r\nDoplatky=pr\xE1" "ca\r\nDalsi=\x9A\r\n"));
}
