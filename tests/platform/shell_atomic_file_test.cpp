// Files of one run written whole: nothing is replaced before the set is committed, and a
// commit replaces every target in its place, under the spelling it has on disk, with the
// rights it had.
#include "platform/shell/atomic_file.h"
#include "platform/shell/file_errors.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tarix::shell::AtomicFileSet;
using tarix::test::readFile;
using tarix::test::writeFile;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(AtomicFileSet, ASetNotCommittedLeavesEveryTargetAsItWas)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("a.txt"), "old");
    {
        AtomicFileSet set;
        set.add(dir.filePath("a.txt"), "new a");
        set.add(dir.filePath("b.txt"), "new b");
        EXPECT_EQ(readFile(dir.filePath("a.txt")), "old");
        EXPECT_THROW(set.add(dir.filePath("missing/c.txt"), "c"), tarix::shell::EFileCreateError);
    }
    EXPECT_EQ(readFile(dir.filePath("a.txt")), "old");
    EXPECT_EQ(filesIn(dir.path()), QStringList{"a.txt"}) << "no temporary stays behind";
}

TEST(AtomicFileSet, ACommitReplacesEachTargetUnderItsOwnNameAndRights)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("STRANA1.XFDF"), "old 1");
    QFile::setPermissions(dir.filePath("STRANA1.XFDF"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    AtomicFileSet set;
    set.add(dir.filePath("strana1.xfdf"), "new 1");
    set.add(dir.filePath("strana2.xfdf"), "new 2");
    set.commit();
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"STRANA1.XFDF", "strana2.xfdf"}));
    EXPECT_EQ(readFile(dir.filePath("STRANA1.XFDF")), "new 1");
    EXPECT_EQ(readFile(dir.filePath("strana2.xfdf")), "new 2");
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(dir.filePath("STRANA1.XFDF")) & others, QFile::ReadGroup);
}
