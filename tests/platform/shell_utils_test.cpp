#include "platform/shell/file_errors.h"
#include "platform/shell/shell_utils.h"
#include "platform/shell/desktop/main_window.h"
#include "platform/shell/launcher.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>

namespace SU = tarix::ShellUtils;
using namespace tarix::shell;

namespace {

class ShellTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray savedPath = qgetenv("PATH");
    QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");

    void TearDown() override
    {
        qputenv("PATH", savedPath);
        if (savedDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedDataHome);
        SU::setMainWindowProvider(nullptr);
        SU::setOpenFailureReporter({});
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray get(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QByteArray pattern(qsizetype size)
    {
        QByteArray b(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            b[i] = char((i * 131 + i / 256) & 0xFF);
        return b;
    }
    // A stand-in for the desktop's opener that notes what it was asked to open.
    void fakeOpener()
    {
        put(QStringLiteral("bin/xdg-open"),
            "#!/bin/sh\nprintf '%s' \"$1\" > \"" + path(QStringLiteral("opened.txt")).toUtf8() + "\"\n");
        QFile::setPermissions(path(QStringLiteral("bin/xdg-open")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", path(QStringLiteral("bin")).toUtf8() + ":" + savedPath);
    }
    // The desktop's opener of a machine with no program for the document: it says so and
    // ends with its exit code for it, as xdg-open does.
    void openerWithoutPrograms()
    {
        put(QStringLiteral("bin/xdg-open"),
            "#!/bin/sh\necho \"xdg-open: no method available for opening '$1'\" >&2\nexit 3\n");
        QFile::setPermissions(path(QStringLiteral("bin/xdg-open")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", path(QStringLiteral("bin")).toUtf8() + ":" + savedPath);
    }
    static bool waitFor(const std::function<bool()> &done)
    {
        QDeadlineTimer deadline(5000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return done();
    }
};

} // namespace

TEST_F(ShellTest, CopyFileToCopiesEveryByteWhateverTheSize)
{
    for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(8191), qsizetype(8192), qsizetype(8193),
                           qsizetype(3 * 8192 + 17)}) {
        const QByteArray content = pattern(size);
        put(QStringLiteral("src.bin"), content);
        SU::CopyFileTo(path(QStringLiteral("src.bin")), path(QStringLiteral("dst.bin")));
        EXPECT_EQ(get(QStringLiteral("dst.bin")), content) << size;
    }
}

TEST_F(ShellTest, CopyFileToAFolderKeepsTheSourceName)
{
    put(QStringLiteral("DATA/Zam.DB"), "zam");
    put(QStringLiteral("DATA05/Zam.DB"), "old, longer content");
    QDir(dir.path()).mkdir(QStringLiteral("DATA06"));
    SU::CopyFileTo(path(QStringLiteral("data\\zam.db")), dir.path() + QStringLiteral("\\data05"));
    SU::CopyFileTo(path(QStringLiteral("DATA/Zam.DB")), path(QStringLiteral("DATA06/")));
    EXPECT_EQ(get(QStringLiteral("DATA05/Zam.DB")), QByteArray("zam"));
    EXPECT_EQ(get(QStringLiteral("DATA06/Zam.DB")), QByteArray("zam"));
    EXPECT_EQ(QDir(path(QStringLiteral("DATA05"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Zam.DB")});
}

TEST_F(ShellTest, CopyFileToOntoItselfKeepsTheFile)
{
    put(QStringLiteral("a.db"), pattern(20000));
    SU::CopyFileTo(path(QStringLiteral("a.db")), path(QStringLiteral("A.DB")));
    EXPECT_EQ(get(QStringLiteral("a.db")), pattern(20000));
}

TEST_F(ShellTest, CopyFileToNamesTheFileItCouldNotOpenOrCreate)
{
    put(QStringLiteral("src.txt"), "x");
    const QString missing = path(QStringLiteral("missing.txt"));
    try {
        SU::CopyFileTo(missing, path(QStringLiteral("dst.txt")));
        FAIL() << "no error";
    } catch (const EFileOpenError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot open file %1").arg(missing));
        EXPECT_EQ(e.fileName(), missing);
    }
    EXPECT_THROW(SU::CopyFileTo(dir.path(), path(QStringLiteral("dst.txt"))), EFileOpenError); // a folder
    const QString target = path(QStringLiteral("nofolder/dst.txt"));
    try {
        SU::CopyFileTo(path(QStringLiteral("src.txt")), target);
        FAIL() << "no error";
    } catch (const EFileCreateError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Cannot create file %1").arg(target));
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("dst.txt"))));
}

TEST_F(ShellTest, CopyFileToRaisesOnAReadError)
{
    // Reading this file at offset 0 fails with an I/O error on Linux.
    if (!QFile::exists(QStringLiteral("/proc/self/mem")))
        GTEST_SKIP();
    put(QStringLiteral("dst.bin"), "earlier");
    EXPECT_THROW(SU::CopyFileTo(QStringLiteral("/proc/self/mem"), path(QStringLiteral("dst.bin"))), EReadError);
    EXPECT_EQ(get(QStringLiteral("dst.bin")), QByteArray("earlier"));
}

TEST_F(ShellTest, CopyFileToRaisesOnAWriteErrorAndKeepsTheEarlierFile)
{
    // A file-size limit makes the write fail half-way, like a full disk.
    put(QStringLiteral("big.bin"), pattern(50000));
    put(QStringLiteral("dst.bin"), "earlier");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        SU::CopyFileTo(path(QStringLiteral("big.bin")), path(QStringLiteral("dst.bin")));
    } catch (const EWriteError &) {
        threw = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(get(QStringLiteral("dst.bin")), QByteArray("earlier"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("big.bin"), QStringLiteral("dst.bin")}));
}

TEST_F(ShellTest, ShellDeleteFileRemovesFilesAndWholeFolders)
{
    put(QStringLiteral("DATA05/Zam.DB"), "x");
    put(QStringLiteral("DATA05/sub/deeper/file.txt"), "y");
    put(QStringLiteral("single.txt"), "z");
    EXPECT_TRUE(SU::ShellDeleteFile(dir.path() + QStringLiteral("\\data05"), false));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("DATA05"))));
    EXPECT_TRUE(SU::ShellDeleteFile(path(QStringLiteral("SINGLE.TXT")), false));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("single.txt"))));
    EXPECT_FALSE(SU::ShellDeleteFile(path(QStringLiteral("single.txt")), false));
    EXPECT_FALSE(SU::ShellDeleteFile(QString(), false));
    EXPECT_FALSE(SU::ShellDeleteFile(QStringLiteral("/"), false));
}

TEST_F(ShellTest, ShellDeleteFileIntoTheTrashKeepsTheFolderRecoverable)
{
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    put(QStringLiteral("DATA07/Zam.DB"), "x");
    EXPECT_TRUE(SU::ShellDeleteFile(path(QStringLiteral("DATA07")), true));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("DATA07"))));
    QFile trashed(dataHome.filePath(QStringLiteral("Trash/files/DATA07/Zam.DB")));
    ASSERT_TRUE(trashed.open(QIODevice::ReadOnly));
    EXPECT_EQ(trashed.readAll(), QByteArray("x"));
}

TEST_F(ShellTest, FileHasAttributes)
{
    put(QStringLiteral("DATA01/Zam.DB"), "x");
    put(QStringLiteral(".hidden"), "x");
    put(QStringLiteral("readonly.txt"), "x");
    QFile::setPermissions(path(QStringLiteral("readonly.txt")), QFile::ReadOwner);
    struct Case {
        QString name;
        int bits;
        bool expected;
    } cases[] = {
        {path(QStringLiteral("data01")), SU::faDirectory, true},
        {path(QStringLiteral("DATA01/Zam.DB")), SU::faDirectory, false},
        {path(QStringLiteral("DATA01/Zam.DB")), 0, true},
        {path(QStringLiteral("DATA02")), SU::faDirectory, false}, // missing: no attributes at all
        {path(QStringLiteral("DATA02")), 0, false},
        {path(QStringLiteral(".hidden")), SU::faHidden, true},
        {path(QStringLiteral("readonly.txt")), SU::faReadOnly, true},
        {path(QStringLiteral("readonly.txt")), SU::faReadOnly | SU::faDirectory, false},
        {path(QStringLiteral("DATA01/Zam.DB")), SU::faReadOnly, false},
        {path(QStringLiteral("DATA01/Zam.DB")), SU::faArchive, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SU::FileHasAttributes(c.name, c.bits), c.expected) << c.name.toStdString() << " " << c.bits;
}

TEST_F(ShellTest, ExecuteAndWaitKeepsTheExitCode)
{
    SU::Kod_ukoncenia = 0;
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("-c \"exit 3\"")), 0);
    EXPECT_EQ(SU::Kod_ukoncenia, 3);
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("sh"), QStringLiteral("-c \"exit 0\""), QString(), SU::SW_SHOWNORMAL), 0);
    EXPECT_EQ(SU::Kod_ukoncenia, 0);
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("-c \"kill -9 $$\"")), 0);
    EXPECT_EQ(SU::Kod_ukoncenia, -1);
}

TEST_F(ShellTest, ExecuteAndWaitCannotStartWhatIsNotThere)
{
    SU::Kod_ukoncenia = 7;
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("no-such-program-tarix")), -1);
    EXPECT_EQ(SU::ExecuteAndWait(path(QStringLiteral("missing/prog"))), -1);
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QString(), path(QStringLiteral("nofolder"))), -1);
    EXPECT_EQ(SU::Kod_ukoncenia, 7);
}

TEST_F(ShellTest, ExecuteAndWaitRunsInTheFolderWithQuotedParameters)
{
    put(QStringLiteral("VYSTUPY/args.sh"), "printf '%s|' \"$@\" > out.txt\n");
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("args.sh \"two words\" x"),
                                 dir.path() + QStringLiteral("\\vystupy")),
              0);
    EXPECT_EQ(get(QStringLiteral("VYSTUPY/out.txt")), QByteArray("two words|x|"));
}

TEST_F(ShellTest, ExecuteAndWaitHidesTheMainWindowAndKeepsTheInterfaceAlive)
{
    QMainWindow window;
    window.show();
    SU::setMainWindowProvider([&window] { return &window; });

    int ticks = 0;
    bool hiddenWhileRunning = true;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        hiddenWhileRunning = hiddenWhileRunning && !window.isVisible();
    });
    timer.start(20);
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("-c \"sleep 0.4\"")), 0);
    timer.stop();
    EXPECT_GE(ticks, 5); // events were processed while waiting
    EXPECT_TRUE(hiddenWhileRunning);
    EXPECT_TRUE(window.isVisible());

    // Shown again when the program cannot start.
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("no-such-program-tarix")), -1);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(ShellTest, ExecuteAndWaitOpensADocumentWithTheDesktopOpener)
{
    fakeOpener();
    put(QStringLiteral("VYSTUPY/hlasenie.rtf"), "{\\rtf1}");
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("hlasenie.rtf"), QString(), path(QStringLiteral("vystupy"))), 0);
    EXPECT_EQ(get(QStringLiteral("opened.txt")), path(QStringLiteral("VYSTUPY/hlasenie.rtf")).toUtf8());
}

TEST_F(ShellTest, ShellOpenFileReturnsAtOnce)
{
    fakeOpener();
    put(QStringLiteral("zostava1.CSV"), "a;b");
    EXPECT_TRUE(SU::ShellOpenFile(path(QStringLiteral("ZOSTAVA1.csv"))));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(path(QStringLiteral("opened.txt"))); }));
    EXPECT_TRUE(waitFor([&] { return get(QStringLiteral("opened.txt")) == path(QStringLiteral("zostava1.CSV")).toUtf8(); }));

    EXPECT_TRUE(SU::ShellOpenFile(QStringLiteral("/bin/sh"), QStringLiteral("-c \"touch started\""), dir.path()));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(path(QStringLiteral("started"))); }));

    EXPECT_FALSE(SU::ShellOpenFile(path(QStringLiteral("missing.pdf"))));
    EXPECT_FALSE(SU::ShellOpenFile(QStringLiteral("no-such-program-tarix")));
}

// No program of the desktop opens the document: the clerk is told so with its full path,
// whether the document was handed over (the opener's answer comes later) or waited for, and
// with the main window back in front. A document that did open says nothing.
TEST_F(ShellTest, ADocumentNoProgramOpensIsReportedWithItsFullPath)
{
    QStringList reported;
    SU::setOpenFailureReporter([&reported](const QString &text) { reported << text; });
    put(QStringLiteral("VYSTUPY/chyby1_200703.txt"), "x");
    const QString full = path(QStringLiteral("VYSTUPY/chyby1_200703.txt"));

    fakeOpener();
    EXPECT_TRUE(SU::ShellOpenFile(full));
    EXPECT_TRUE(waitFor([&] { return QFile::exists(path(QStringLiteral("opened.txt"))); }));
    // Time for the opener's end to be seen.
    for (QDeadlineTimer settle(300); !settle.hasExpired(); QThread::msleep(10))
        QCoreApplication::processEvents();
    EXPECT_TRUE(reported.isEmpty()) << reported.join('\n').toStdString();

    openerWithoutPrograms();
    EXPECT_TRUE(SU::ShellOpenFile(QStringLiteral("chyby1_200703.txt"), QString(), path(QStringLiteral("vystupy"))));
    ASSERT_TRUE(waitFor([&] { return !reported.isEmpty(); }));
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(full)) << reported[0].toStdString();
    EXPECT_TRUE(reported[0].startsWith(QStringLiteral("Súbor "))) << reported[0].toStdString();

    QMainWindow window;
    window.show();
    SU::setMainWindowProvider([&window] { return &window; });
    bool shownWhenTold = false;
    SU::setOpenFailureReporter([&](const QString &text) {
        reported << text;
        shownWhenTold = window.isVisible();
    });
    EXPECT_EQ(SU::ExecuteAndWait(full), 0);
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(reported[1].contains(full));
    EXPECT_TRUE(shownWhenTold);

    // No opener at all.
    qputenv("PATH", path(QStringLiteral("empty")).toUtf8());
    EXPECT_EQ(SU::ExecuteAndWait(full), -1);
    ASSERT_EQ(reported.size(), 3);
    EXPECT_TRUE(reported[2].contains(full));
}

// A window manager drops a hidden window's maximised state; the main window comes back
// maximised after the outside program, not at its normal size.
TEST_F(ShellTest, ExecuteAndWaitBringsTheMainWindowBackMaximised)
{
    QMainWindow window;
    window.resize(1024, 720);
    window.showMaximized();
    SU::setMainWindowProvider([&window] { return &window; });
    // What the window manager does to the hidden window.
    QTimer::singleShot(100, [&] { window.setWindowState(Qt::WindowNoState); });
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("-c \"sleep 0.3\"")), 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
}

TEST_F(ShellTest, ExecuteAndWaitFindsTheMainWindowByItself)
{
    SU::setMainWindowProvider(nullptr); // the window layer looks the main window up
    QMainWindow window;
    window.show();
    bool hidden = false;
    QTimer::singleShot(100, [&] { hidden = !window.isVisible(); });
    EXPECT_EQ(SU::ExecuteAndWait(QStringLiteral("/bin/sh"), QStringLiteral("-c \"sleep 0.3\"")), 0);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(window.isVisible());
}
