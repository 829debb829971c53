// The data upgrades write the firm's and the year's databases in one transaction: both
// change or neither, also when the second write fails or the program dies while committing.
#include "core/data_upgrades.h"
#include "core/installation.h"
#include "core/session.h"
#include "platform/db/db_error.h"
#include "platform/db/session.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tarix;

namespace {

class UpgradeAtomic : public ::testing::Test {
protected:
    void SetUp() override
    {
        core::createFolderDatabase(firm(), core::FolderKind::Firm, core::demoFirmSeedResources());
        core::createFolderDatabase(year(), core::FolderKind::Year, core::yearSeedResources(2007));
        db::Session s;
        attach(s);
        // An old payroll record with a blank flag (the first upgrade writes the firm) and a
        // year without parameters 32 and 33 (a later one writes the year folder).
        const db::TableDef &def = s.tableDef("TARIX_DATA", "vyp");
        QStringList names{"code_emp", "v_obdobie"}, values{"1", "200601"};
        for (const db::FieldDef &f : def.fields)
            if (f.required && !names.contains(f.name.toLower())) {
                names << f.name;
                values << "0";
            }
        s.execute(QStringLiteral("insert into \":tarix_data:vyp\" (%1) values (%2)").arg(names.join(','), values.join(',')));
        s.execute("update \":tarix_data:vyp\" set v_nepoist_zp = null");
        s.execute("delete from \":tarix_comm:cis_par\" where id in (32, 33)");
    }
    void attach(db::Session &s)
    {
        s.setAlias("TARIX_DATA", firm());
        s.setAlias("TARIX_COMM", year());
    }
    QString firm() const { return dir.path() + "/DATA01"; }
    QString year() const { return dir.path() + "/COMMON/ROK2007"; }

    // Whether the firm's and the year's parts of the upgrade are stored.
    std::pair<bool, bool> stored()
    {
        db::Session s;
        attach(s);
        const bool firmDone = s.run("select count(*) from \":tarix_data:vyp\" where v_nepoist_zp is null").asInteger(0, 0) == 0;
        const bool yearDone = s.run("select count(*) from \":tarix_comm:cis_par\" where id = 32").asInteger(0, 0) == 1;
        return {firmDone, yearDone};
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(UpgradeAtomic, AFailedWriteInTheYearFolderLeavesTheFirmUnchanged)
{
    {
        db::Session s;
        attach(s);
        s.attach("TARIX_COMM");
        s.executeRaw("CREATE TRIGGER tarix_comm.refuse BEFORE INSERT ON cis_par "
                     "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
        EXPECT_THROW(core::SpecialneCinnosti(s, 1), db::DbError);
        EXPECT_EQ(s.transactionDepth(), 0);
    }
    EXPECT_EQ(stored(), std::make_pair(false, false));
}

namespace {

// A file system that kills the program when the second journal of a commit is deleted:
// one folder is committed, the other not yet.
sqlite3_vfs g_dying;
sqlite3_vfs *g_real = nullptr;
int g_journalsDeleted = 0;

int deleteOrDie(sqlite3_vfs *, const char *name, int syncDir)
{
    const size_t n = std::strlen(name);
    const char suffix[] = "tarix.db-journal";
    if (n >= sizeof suffix - 1 && std::strcmp(name + n - (sizeof suffix - 1), suffix) == 0 && ++g_journalsDeleted == 2)
        _exit(0);
    return g_real->xDelete(g_real, name, syncDir);
}

} // namespace

TEST_F(UpgradeAtomic, AProgramDyingBetweenTheTwoFoldersCommitsBothOrNeither)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The dying program's own files stay in the test's folder.
        qputenv("XDG_DATA_HOME", dir.path().toUtf8());
        g_real = sqlite3_vfs_find(nullptr);
        g_dying = *g_real;
        g_dying.zName = "dying";
        g_dying.xDelete = &deleteOrDie;
        sqlite3_vfs_register(&g_dying, 1);
        try {
            db::Session s;
            attach(s);
            s.run("select count(*) from \":tarix_data:vyp\"");
            s.run("select count(*) from \":tarix_comm:cis_par\"");
            g_journalsDeleted = 0;
            core::SpecialneCinnosti(s, 1);
        } catch (...) {
            _exit(2);
        }
        _exit(3); // the commit deleted fewer than two journals
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the program did not die between the two folders";
    const auto [firmDone, yearDone] = stored();
    EXPECT_EQ(firmDone, yearDone) << "the firm's part stored: " << firmDone << ", the year's: " << yearDone;
}
