// Firm administration on a temporary installation: adding and deleting firms, backups and
// restores through a scripted archiver (which may hand the work to the real zip and unzip),
// and the next year's parameter folder.
#include "core/firm_admin.h"
#include "core/helpers/messages.h"
#include "core/period_rules.h"
#include "firm_fixture.h"
#include "platform/db/db_health.h"
#include "support/write_lock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <atomic>
#include <thread>

using namespace tarix;

namespace {

struct Call {
    QString program;
    QString parameters;
};

class FirmAdmin : public firmtest::FirmFixture {
protected:
    void SetUp() override { open({true, 2007, 2007}, 2007); }
    void TearDown() override
    {
        core::setArchiver({});
        core::setFirmAdminSteps({});
        firmtest::FirmFixture::TearDown();
    }

    void open(const core::InstallationOptions &options, int year)
    {
        install(options);
        ASSERT_TRUE(reopen(year));
        // Each archiver run is recorded; the real programs do the work unless a status is scripted.
        core::setArchiver([this](const QString &program, const QString &parameters, const QString &folder) {
            calls.push_back({program, parameters});
            if (scriptedStatus.contains(program))
                return scriptedStatus.value(program);
            return core::runArchiver(program, parameters, folder);
        });
        core::setFirmAdminSteps({{}, [this] { ++menus; }});
        scripted.clearEvents();
    }

    bool reopen(int year)
    {
        core::OpeningSteps steps;
        steps.vyber_obdobia = [this, year] { core::confirmPeriod(core::DM(), year, year, 3, root()); };
        return core::openFirmAndYear(1, year, steps);
    }

    QString firm(int n) const { return root() + QStringLiteral("DATA%1/").arg(n, 2, 10, QLatin1Char('0')); }
    bool exists(const QString &path) const { return QFileInfo::exists(path); }

    std::vector<Call> calls;
    QHash<QString, int> scriptedStatus;
    int menus = 0;
};

// A zip archive holding empty stored entries of the given names (enough for its directory).
QByteArray zipOf(const QStringList &names)
{
    QByteArray local, central;
    auto u16 = [](QByteArray &b, quint16 v) { b.append(char(v & 0xff)).append(char(v >> 8)); };
    auto u32 = [&](QByteArray &b, quint32 v) { u16(b, quint16(v & 0xffff)); u16(b, quint16(v >> 16)); };
    for (const QString &n : names) {
        const QByteArray name = n.toUtf8();
        const quint32 offset = quint32(local.size());
        u32(local, 0x04034b50); u16(local, 10); u16(local, 0); u16(local, 0); u16(local, 0); u16(local, 0);
        u32(local, 0); u32(local, 0); u32(local, 0); u16(local, quint16(name.size())); u16(local, 0);
        local += name;
        u32(central, 0x02014b50); u16(central, 20); u16(central, 10); u16(central, 0); u16(central, 0);
        u16(central, 0); u16(central, 0); u32(central, 0); u32(central, 0); u32(central, 0);
        u16(central, quint16(name.size())); u16(central, 0); u16(central, 0); u16(central, 0); u16(central, 0);
        u32(central, 0); u32(central, offset);
        central += name;
    }
    QByteArray end;
    u32(end, 0x06054b50); u16(end, 0); u16(end, 0); u16(end, quint16(names.size())); u16(end, quint16(names.size()));
    u32(end, quint32(central.size())); u32(end, quint32(local.size())); u16(end, 0);
    return local + central + end;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(FirmAdminNames, ArchivesAreNamedByMonthAndDay)
{
    const QDate march5(2007, 3, 5);
    EXPECT_EQ(core::yearBackupName(march5), "z0305com");
    EXPECT_EQ(core::firmBackupName(march5, 3), "z0305d03");
    EXPECT_EQ(core::firmBackupName(QDate(2007, 12, 24), 41), "z1224d41");
}

TEST(FirmAdminNames, EntriesLeavingTheFolderAreDangerous)
{
    const struct Case {
        const char *entry;
        bool bad;
    } cases[] = {{"tarix.db", false}, {"sub/a.txt", false}, {"..x", false}, {"../x", true},
                 {"a/../../x", true}, {"/etc/x", true},     {"\\x", true},  {"C:x", true},
                 {"a\\..\\x", true}};
    for (const Case &c : cases)
        EXPECT_EQ(core::unsafeEntry(c.entry), c.bad) << c.entry;
}

TEST_F(FirmAdmin, AddingAFirmTakesTheFirstFreeNumberAndCopiesTheTemplate)
{
    QDir().mkpath(firm(3));
    scripted.answerYes(Msg(65103));
    EXPECT_EQ(core::addFirm(), 2);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information), QStringList{Msg(65136, 2)});
    EXPECT_TRUE(db::tableExistsInFolder(firm(2), "Inf"));
    EXPECT_EQ(menus, 1);

    scripted.answerNo(Msg(65103));
    EXPECT_EQ(core::addFirm(), 0);
    EXPECT_FALSE(exists(firm(4)));
}

TEST_F(FirmAdmin, NinetyNineFirmsLeaveNoNumber)
{
    for (int n = 2; n <= 99; ++n)
        QDir().mkpath(firm(n));
    scripted.answerYes(Msg(65103));
    EXPECT_EQ(core::addFirm(), 0);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65137)});
}

TEST_F(FirmAdmin, AFailedCopyLeavesTheNumberFree)
{
    // A template without its database gives no firm header.
    ASSERT_TRUE(QFile::rename(root() + "DATA/tarix.db", root() + "template.db"));
    scripted.answerYes(Msg(65103));
    EXPECT_EQ(core::addFirm(), 0);
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65137)});
    EXPECT_FALSE(exists(firm(2)));
}

TEST_F(FirmAdmin, TheOpenFirmIsNeverDeletedAndAnotherGoesAfterTwoQuestions)
{
    EXPECT_FALSE(core::Zrusenie_firmy(1, "DEMO STAV, s.r.o. 01"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65141)});
    EXPECT_TRUE(exists(firm(1)));

    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.clearEvents();
    // No to the second question keeps it.
    scripted.answerYes(Msg(65138, QStringLiteral("Nová 02"))).answerNo(Msg(65165, QStringLiteral("firmu Nová 02")));
    EXPECT_FALSE(core::Zrusenie_firmy(2, "Nová 02"));
    EXPECT_TRUE(exists(firm(2)));

    QTemporaryDir trash;
    qputenv("XDG_DATA_HOME", trash.path().toUtf8());
    scripted.answerYes().answerYes();
    EXPECT_TRUE(core::Zrusenie_firmy(2, "Nová 02"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(exists(firm(2)));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information).last(), Msg(65139, QStringLiteral("Nová 02")));
}

TEST_F(FirmAdmin, ABackupArchivesTheYearAndEveryFirmUnderTheDaysNames)
{
    scripted.answerYes();
    EXPECT_TRUE(core::backUp(QDate(2007, 3, 5)));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].program, "zip");
    EXPECT_TRUE(calls[0].parameters.startsWith("-j \"" + root() + "ZALOHA/ROK2007/z0305com\" \""))
        << calls[0].parameters.toStdString();
    EXPECT_TRUE(calls[1].parameters.startsWith("-j \"" + root() + "ZALOHA/z0305d01\" \""));
    EXPECT_TRUE(calls[1].parameters.endsWith("/*\""));
    EXPECT_TRUE(exists(root() + "ZALOHA/ROK2007/z0305com.zip"));
    EXPECT_TRUE(exists(root() + "ZALOHA/z0305d01.zip"));
    // The databases stay closed.
    EXPECT_FALSE(core::DM().TINF_.isActive());
    EXPECT_EQ(core::openedFirm().firma, 0);
}

TEST_F(FirmAdmin, AFailedArchiverIsReported)
{
    scriptedStatus["zip"] = 12;
    scripted.answerYes();
    EXPECT_FALSE(core::backUp(QDate(2007, 3, 5)));
    ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 2);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).first().contains("12"));
}

TEST_F(FirmAdmin, ABackupTakenWhileAnotherProgramWritesRestoresAConsistentFirm)
{
    const QString before = one("select count(*) from zam").toString();
    // Another program renames both centres in one transaction, again and again.
    std::atomic<bool> stop{false};
    std::atomic<int> writes{0};
    const QByteArray file = (firm(1) + "tarix.db").toUtf8();
    std::thread writer([&] {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        db::registerCollations(db);
        sqlite3_busy_timeout(db, 5000);
        for (int i = 0; !stop; ++i) {
            const QByteArray sql = QStringLiteral("begin immediate; update Cis_vm set NAZOV = 'n%1' where ID = 1; "
                                                  "update Cis_vm set NAZOV = 'n%1' where ID = 2; commit;")
                                       .arg(i)
                                       .toUtf8();
            if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
                ++writes;
            else
                sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
            // A clerk's program pauses between saves, however briefly.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        sqlite3_close_v2(db);
    });
    while (writes < 3)
        std::this_thread::yield();
    scripted.answerYes();
    const bool backedUp = core::backUp(QDate(2007, 3, 5));
    stop = true;
    writer.join();
    ASSERT_TRUE(backedUp) << scripted.messages().join('\n').toStdString();
    // The firm was archived although the other program kept writing.
    ASSERT_TRUE(exists(root() + "ZALOHA/z0305d01.zip"));

    // The firm changes afterwards, then comes back from the archive.
    ASSERT_TRUE(reopen(2007));
    s().execute("delete from \":tarix_data:zam\"");
    // A journal left beside the firm's database must not be applied to the restored one.
    writeFile(firm(1) + "tarix.db-journal", QByteArray(512, '\x01'));
    scripted.answerFile(root() + "ZALOHA/z0305d01.zip").answerYes();
    ASSERT_TRUE(core::restoreBackup()) << scripted.messages().join('\n').toStdString();
    EXPECT_FALSE(exists(firm(1) + "tarix.db-journal"));
    EXPECT_TRUE(exists(root() + "SKLAD/bkp0001.zip"));
    ASSERT_TRUE(reopen(2007));
    EXPECT_EQ(one("select count(*) from zam").toString(), before);
    EXPECT_EQ(one("select NAZOV from \":tarix_data:cis_vm\" where ID = 1").toString(),
              one("select NAZOV from \":tarix_data:cis_vm\" where ID = 2").toString());
}

TEST_F(FirmAdmin, AnArchiveOfAnotherFirmRestoresIntoTheOpenOne)
{
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    ASSERT_TRUE(QFile::rename(root() + "ZALOHA/z0305d01.zip", root() + "ZALOHA/z0305d03.zip"));
    ASSERT_TRUE(reopen(2007));
    s().execute("update \":tarix_data:inf\" set NAZOV = 'Zmenená'");
    // A name that breaks the rule opens the dialog again.
    writeFile(root() + "ZALOHA/zaloha.zip", "x");
    scripted.answerFile(root() + "ZALOHA/zaloha.zip").answerFile(root() + "ZALOHA/z0305d03.zip").answerYes();
    ASSERT_TRUE(core::restoreBackup());
    ASSERT_TRUE(reopen(2007));
    EXPECT_EQ(one("select NAZOV from \":tarix_data:inf\"").toString(), "DEMO STAV, s.r.o.");
    EXPECT_FALSE(exists(firm(3)));
}

TEST_F(FirmAdmin, SafetyCopiesNumberUpwardAndAFailedOneStopsTheRestore)
{
    writeFile(root() + "SKLAD/bkp0001.zip", "old");
    writeFile(root() + "ZALOHA/z0305d01.zip", zipOf({"tarix.db"}));
    scriptedStatus["zip"] = 2;
    scripted.answerFile(root() + "ZALOHA/z0305d01.zip").answerYes();
    EXPECT_FALSE(core::restoreBackup());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].program, "zip");
    EXPECT_TRUE(calls[0].parameters.startsWith("-j \"" + root() + "SKLAD/bkp0002\" "))
        << calls[0].parameters.toStdString();
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    // Nothing was unpacked: the firm is as it was.
    EXPECT_TRUE(db::tableExistsInFolder(firm(1), "Zam"));
}

TEST_F(FirmAdmin, AnArchiveLeavingTheFolderIsRefused)
{
    writeFile(root() + "ZALOHA/z0305d01.zip", zipOf({"tarix.db", "../x"}));
    scripted.answerFile(root() + "ZALOHA/z0305d01.zip").answerYes();
    EXPECT_FALSE(core::restoreBackup());
    const QStringList errors = scripted.messages(ui::MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains("../x")) << errors.first().toStdString();
    for (const Call &c : calls)
        EXPECT_NE(c.program, "unzip");
    EXPECT_FALSE(exists(root() + "DATA01/../x"));
    EXPECT_FALSE(exists(root() + "x"));
    EXPECT_TRUE(db::checkFolderDatabase(firm(1), "Inf").ok());
}

TEST_F(FirmAdmin, AnArchiveWithoutAFirmDatabaseIsRefused)
{
    QTemporaryDir src;
    writeFile(src.filePath("readme.txt"), "not a firm");
    QDir().mkpath(root() + "ZALOHA");
    ASSERT_EQ(core::runArchiver("zip", "-j \"" + root() + "ZALOHA/z0305d01\" \"" + src.path() + "/*\"",
                                      root()),
              0);
    scripted.answerFile(root() + "ZALOHA/z0305d01.zip").answerYes();
    EXPECT_FALSE(core::restoreBackup());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    EXPECT_TRUE(db::checkFolderDatabase(firm(1), "Inf").ok());
    EXPECT_FALSE(exists(firm(1) + "readme.txt"));
}

TEST_F(FirmAdmin, TheNextYearIsCopiedFromTheOpenOne)
{
    scripted.answerYes(Msg(65119, "2008"));
    ASSERT_TRUE(core::createYear());
    EXPECT_TRUE(db::tableExistsInFolder(root() + "COMMON/ROK2008/", "Cis_par"));
    EXPECT_EQ(scripted.messages(ui::MessageKind::Information),
              QStringList{Msg(65117, 2008, QDir::toNativeSeparators(root() + "COMMON/ROK2008/"))});
    EXPECT_EQ(menus, 1);
}

class FirmAdminOldYears : public FirmAdmin {
protected:
    void SetUp() override { open({true, 2005, 2006}, 2005); }
};

TEST_F(FirmAdminOldYears, AnExistingNextYearIsRefused)
{
    scripted.answerYes(Msg(65119, QStringLiteral("2006")));
    EXPECT_FALSE(core::createYear());
    EXPECT_EQ(scripted.messages(ui::MessageKind::Error), QStringList{Msg(65116, QStringLiteral("2006"))});
    EXPECT_TRUE(core::DM().TINF_.isActive()); // nothing was closed
}

TEST_F(FirmAdmin, AFirmAnotherProgramIsWritingIsNeitherDeletedNorRestored)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.clearEvents();
    {
        test::WriteLock lock(firm(2), std::chrono::milliseconds(1500), "update \":tarix_data:inf\" set nazov = nazov");
        scripted.answerYes().answerYes();
        EXPECT_FALSE(core::Zrusenie_firmy(2, "Nová 02"));
    }
    EXPECT_TRUE(exists(firm(2)));
    ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).first().contains("Nová 02"));

    scripted.clearEvents();
    writeFile(root() + "ZALOHA/z0305d01.zip", zipOf({"tarix.db"}));
    {
        test::WriteLock lock(firm(1), std::chrono::milliseconds(1500), "update \":tarix_data:inf\" set nazov = nazov");
        scripted.answerFile(root() + "ZALOHA/z0305d01.zip").answerYes();
        EXPECT_FALSE(core::restoreBackup());
    }
    EXPECT_TRUE(calls.empty());
    ASSERT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    EXPECT_TRUE(scripted.messages(ui::MessageKind::Error).first().contains("DATA01"));
}

TEST_F(FirmAdmin, AFirmAnotherProgramHasOpenButLeavesIdleIsNotDeleted)
{
    scripted.answerYes(Msg(65103));
    ASSERT_EQ(core::addFirm(), 2);
    scripted.clearEvents();
    {
        // Another program's session with the firm attached, reading and writing nothing.
        db::Session other;
        other.setAlias(QStringLiteral("TARIX_DATA"), firm(2));
        other.attach(QStringLiteral("TARIX_DATA"));
        EXPECT_TRUE(core::databaseInUse(firm(2)));
        scripted.answerYes().answerYes();
        EXPECT_FALSE(core::Zrusenie_firmy(2, "Nová 02"));
        EXPECT_TRUE(exists(firm(2)));
        EXPECT_EQ(scripted.messages(ui::MessageKind::Error).size(), 1);
    }
    // Once that program has closed it, the firm goes.
    EXPECT_FALSE(core::databaseInUse(firm(2)));
    scripted.clearEvents();
    scripted.answerYes().answerYes();
    EXPECT_TRUE(core::Zrusenie_firmy(2, "Nová 02"));
    EXPECT_FALSE(exists(firm(2)));
}

TEST_F(FirmAdmin, BackupAndSafetyFoldersAreFoundWhateverTheCaseOfTheirNames)
{
    QDir().mkpath(root() + "Zaloha/rok2007");
    QDir().mkpath(root() + "sklad");
    scripted.answerYes();
    ASSERT_TRUE(core::backUp(QDate(2007, 3, 5)));
    EXPECT_TRUE(exists(root() + "Zaloha/rok2007/z0305com.zip"));
    EXPECT_TRUE(exists(root() + "Zaloha/z0305d01.zip"));
    EXPECT_FALSE(exists(root() + "ZALOHA"));

    ASSERT_TRUE(reopen(2007));
    scripted.answerFile(root() + "Zaloha/z0305d01.zip").answerYes();
    ASSERT_TRUE(core::restoreBackup());
    EXPECT_TRUE(exists(root() + "sklad/bkp0001.zip"));
    EXPECT_FALSE(exists(root() + "SKLAD"));
}
